#pragma once

#include <QFrame>
#include "session/u_ColumnMap.h"

#include <QStringList>
#include <QVector>

#include <memory>

class QTableView;
class TGridCellDelegate;
class TGridModel;
class TQuib;

namespace Ui {
class TframeMainGrid;
}

// The table view: the whole open database as an editable grid, one row per
// record and one column per program field. The headings are the fields' full
// titles; each row carries the number of its record (database row + 1) in its
// row heading, and that number, never the row's position, maps a grid row
// back to its record.
class TframeMainGrid : public QFrame {
    Q_OBJECT

  public:
    static constexpr int DefaultRowHeight = 15;

    explicit TframeMainGrid(QWidget* parent = nullptr);
    ~TframeMainGrid() override;

    QTableView* grid() const;

    // Empty state: one empty row and one empty column with empty headings.
    void GridClear();
    // Every record of quib, field i of a record read from the database column
    // named by entry i of indexFromProgram; headings from titlesFull. The
    // current cell stays where it was (within the new size).
    void GridFill(const TQuib& quib, const QStringList& titlesFull,
                  const TColumnMap& indexFromProgram);

    // Shows only the given records of quib (database rows, in this order),
    // each numbered with its record number + 1. The cells are read from quib
    // as they are shown, so many records cost little; quib must stay alive
    // while they are shown.
    void ShowRecords(const TQuib& quib, const QStringList& titlesFull,
                     const TColumnMap& indexFromProgram, QVector<int> records);
    // Whether the grid shows chosen records rather than the whole table.
    bool showsRecords() const;

    int rowCount() const;
    int columnCount() const;
    // The row heading of grid row row (the record number), and the cell text.
    QString rowNumber(int row) const;
    QString cellText(int row, int field) const;
    QString headingText(int field) const;
    // The grid row numbered record + 1 (its position when no row carries
    // that number; -1 when the grid shows chosen records without it).
    int rowOfRecord(int record) const;
    // The database row grid row row shows (its number - 1), -1 when none.
    int recordOfRow(int row) const;

    // Record New: adds an empty row numbered with its own 1-based position
    // and makes it current.
    void appendRecordRow();
    // Record New for the record appended as database row record: adds a row
    // numbered record + 1 and makes it current.
    void appendRecordRow(int record);
    // Record Delete: removes the current row's cells, moves the cells of
    // later rows up (their numbers stay) and drops the last row.
    void removeCurrentRow();
    // Database row record was deleted: its grid row goes, later records'
    // numbers drop by one, and the current cell stays on the same position.
    void removeRecordRow(int record);
    // Makes grid row row current (first data column when none is current).
    void selectRow(int row);
    // Makes the cell of grid row row and program field field current.
    void selectCell(int row, int field);

    // The current cell: its grid row and program field, -1 when none.
    int currentRow() const;
    int currentField() const;
    // The database row of the current cell (its row number - 1), -1 when none.
    int currentRecord() const;
    QString currentCellText() const;

    // Writes the current cell into its record of quib (the column named by
    // indexFromProgram); false when there is no current cell or the database
    // lacks the column. Never touches the engine's current row.
    bool storeCurrentCell(TQuib& quib, const TColumnMap& indexFromProgram) const;

  signals:
    // The text being edited in the current cell changed; it is in the cell.
    void editTextChanged();

  private:
    std::unique_ptr<Ui::TframeMainGrid> ui;
    TGridModel* model_ = nullptr;
    TGridCellDelegate* delegate_ = nullptr;
};
