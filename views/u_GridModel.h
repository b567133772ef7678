#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <QStringList>
#include <QVector>

class TQuibReader;
struct TRecordChange;

// The cells of the table view: a heading per column, a row number per row
// and a text per cell, all held as plain strings so that a fill of many
// thousand contacts stays quick. Row numbers are data, not positions: they
// stay with the row when rows above it are removed.
//
// For records of a database (the whole table, or the hits of a query) the
// model holds only their record numbers and reads each shown cell from the
// database when it is asked for it, so that a hundred thousand rows cost no
// more than their numbers. A text typed into such a cell is handed on by
// cellEdited, to be stored; the cell shows what the database then holds.
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

    // Shows the given records of quib (database rows, in this order); the
    // cell of field i is read from the database column columns[i] (-1: the
    // database lacks it, the cell is empty). quib must outlive the model or
    // the next reset.
    void resetToRecords(const TQuibReader& quib, QStringList headings, QVector<int> columns,
                        QVector<int> records);
    bool readsRecords() const { return source_ != nullptr; }

    QString cell(int row, int column) const;
    QString rowNumber(int row) const;
    // The grid row numbered record + 1, -1 when there is none.
    int rowOfRecord(int record) const;
    // The records shown follow a change of the database (see
    // FollowRecordChange); changed cells are shown anew.
    void followChange(const TRecordChange& change);

  signals:
    // A text was typed into the cell of field column of record, whose
    // database column exists; it is the database's to store.
    void cellEdited(int record, int column, const QString& text);

  private:
    QStringList headings_;
    QStringList rowNumbers_;
    QVector<QStringList> cells_;

    // Records mode: row r shows database row records_[r] of source_.
    const TQuibReader* source_ = nullptr;
    QVector<int> columns_;
    QVector<int> records_;
    // Texts typed into cells of columns the database lacks, by record and
    // field, until the next reset: such a cell keeps what was typed, as in a
    // filled grid, though nothing is stored.
    QHash<qint64, QString> typed_;
    static qint64 TypedKey(int record, int column) { return qint64(record) * 65536 + column; }
};
