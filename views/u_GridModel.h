#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <QVector>

// The cells of the table view: a heading per column, a row number per row
// and a text per cell, all held as plain strings so that a fill of many
// thousand contacts stays quick. Row numbers are data, not positions: they
// stay with the row when rows above it are removed.
class TGridModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    explicit TGridModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Replaces everything at once: headings, row numbers and rows of cells
    // (each row as long as headings).
    void reset(QStringList headings, QStringList rowNumbers, QVector<QStringList> cells);

    QString cell(int row, int column) const;
    QString rowNumber(int row) const;
    // Appends an empty row carrying number.
    void appendRow(const QString& number);
    // Removes the cells of row and moves every later row's cells up by one;
    // the row numbers stay where they are and the last row goes.
    void removeRowKeepingNumbers(int row);

  private:
    QStringList headings_;
    QStringList rowNumbers_;
    QVector<QStringList> cells_;
};
