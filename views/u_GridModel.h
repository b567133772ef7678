#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <QStringList>

#include <functional>

// The cells of the table view, read from the database when the view asks
// for them: the model holds only the headings, the row count and the texts
// being edited, so that showing many thousand contacts costs neither a copy
// of the table nor a pass over it. Row r shows record r and carries the
// number r + 1; removing a row moves the later records up under the same
// numbers, as the database does.
class TGridModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    // The text of program field field of database row record.
    using TCellReader = std::function<QString(int record, int field)>;

    explicit TGridModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // One empty cell without headings or numbers.
    void clear();
    // rows numbered rows under headings, their cells read through reader.
    void reset(QStringList headings, int rows, TCellReader reader);

    QString cell(int row, int column) const;
    QString rowNumber(int row) const;
    // Appends a row numbered with its 1-based position.
    void appendRow();
    // The record of row is gone: the later rows show the records that moved
    // up, the numbers stay where they are and the last row goes.
    void removeRowKeepingNumbers(int row);
    // The text typed into the cell is in the database now: read it there.
    void forgetEdit(int row, int column);

  private:
    static qint64 key(int row, int column) { return (qint64(row) << 32) | quint32(column); }

    QStringList headings_;
    int rows_ = 0;
    TCellReader reader_;
    // Texts typed into cells and not (or not yet) stored in the database,
    // such as those of a column the database lacks.
    QHash<qint64, QString> edits_;
};
