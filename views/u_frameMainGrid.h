#pragma once

#include <QFrame>
#include "session/u_ColumnMap.h"

#include <QStringList>
#include <QVector>

#include <QPoint>

#include <memory>
#include <optional>

class QMenu;
class QTableView;
class QTimer;
class TGridCellDelegate;
class TGridModel;
class TQuibReader;
struct TRecordChange;

namespace Ui {
class TframeMainGrid;
}

// The table view: the whole open database as an editable grid, one row per
// record and one column per program field. The headings are the fields' full
// titles; each row carries the number of its record (database row + 1) in its
// row heading, and that number, never the row's position, maps a grid row
// back to its record. A finished cell edit is handed on by cellEdited (the
// grid stores nothing itself); the rows follow the changes of the database
// through FollowChange.
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
    // current cell stays where it was (within the new size). The grid reads
    // the cells it shows from quib when it shows them, until the next fill
    // or clear: quib must live that long.
    // With shown, only those records of the table (ascending; the filter's).
    void GridFill(const TQuibReader& quib, const QStringList& titlesFull,
                  const TColumnMap& indexFromProgram,
                  std::optional<QVector<int>> shown = std::nullopt);

    // Shows only the given records of quib (database rows, in this order),
    // each numbered with its record number + 1. The cells are read from quib
    // as they are shown, so many records cost little; quib must stay alive
    // while they are shown.
    void ShowRecords(const TQuibReader& quib, const QStringList& titlesFull,
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

    // The rows follow a change of the database's records: the numbers move
    // with their records, removed records go, inserted ones are shown. The
    // current cell stays where it was (within the new size).
    void FollowChange(const TRecordChange& change);
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

    // An edit in progress ends: its text goes into the cell (cellEdited),
    // or, cancelled, the cell keeps its old text.
    void FinishEdit();
    void CancelEdit();
    bool isEditing() const;

    // The arrow in the heading of the field the rows are sorted by.
    void ShowSortIndicator(int field, bool ascending);
    void ClearSortIndicator();
    // The menu the table opens on a right-click on a cell (which becomes
    // current first) and from the keyboard (Menu, Shift+F10), while no cell
    // is being edited; the cell editor keeps its own edit menu. The window
    // owns it.
    void SetContextMenu(QMenu* menu) { contextMenu_ = menu; }
    QMenu* contextMenu() const { return contextMenu_; }

    // The field the arrow is on (-1 when none) and its direction.
    int sortField() const { return sortField_; }
    bool sortAscending() const { return sortAscending_; }
    // The layout the column widths are remembered for (the database columns
    // shown), empty while the grid is clear.
    QString widthsLayout() const { return widthsLayout_; }

  signals:
    // A cell edit ended with a new text in the cell of field field of
    // record, whose database column exists.
    void cellEdited(int record, int field, const QString& text);
    // The Delete key was pressed in the grid (no cell being edited).
    void deleteKeyPressed();
    // The heading of program field field was clicked (a sort by it).
    void headingClicked(int field);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* openEditor() const;
    void moveDown();
    // Opens the context menu at at (viewport coordinates) with the cell
    // there made current; at the current cell when at is none.
    void openContextMenu(std::optional<QPoint> at);
    void applyStoredWidths();
    void storeWidths();

    std::unique_ptr<Ui::TframeMainGrid> ui;
    TGridModel* model_ = nullptr;
    TGridCellDelegate* delegate_ = nullptr;
    bool wholeTable_ = false;  // the model reads every record of the table
    QString widthsLayout_;
    int sortField_ = -1;
    bool sortAscending_ = true;
    bool applyingWidths_ = false;
    QTimer* storeWidthsTimer_ = nullptr;  // a drag stores its widths once, at its end
    QMenu* contextMenu_ = nullptr;
};
