#pragma once

// The table-database engine Quib: one table of text cells with positional
// columns, a list of named header records, a binary database file, filter and
// sort records, a current-row cursor and Before/After events.
//
// Texts at this surface are UTF-8. Inside the engine and in the file they are
// Windows-1250 single-byte text: a character without a Windows-1250 form is
// stored as "?", and a NUL character ends the text.
//
// Indexes (rows, columns, header records, header texts, filter and sort
// records) count from 0. A Row of -1 given to GetData, SetData, NewRow or
// DeleteRow stands for the current row, RowIndex(). Row arguments are view
// positions: while a filter is active they address the rows that pass it.
//
// Bad arguments never raise: they give false, the empty text or -1 and change
// nothing. File and memory faults raise QuibError. Every editing member is
// wrapped in a Before event (whose Cancel refuses it) and an After event that
// also fires when the arguments were out of range; see QuibEvents.
//
// Not thread-safe: an instance is created, called and fires its events on one
// thread. The one way to use its table on another thread is a QuibSnapshot
// taken on the engine's thread (see QuibSnapshot.h for the rules).

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "quib/QuibError.h"
#include "quib/QuibEvents.h"
#include "quib/QuibSnapshot.h"

namespace quib {

// The class identifier under which the host creates the engine.
inline constexpr std::string_view kQuibClassId = "QUIB.QuibCtrl.1";

class CQuibCtrl {
  public:
    CQuibCtrl();
    ~CQuibCtrl();
    CQuibCtrl(const CQuibCtrl&) = delete;
    CQuibCtrl& operator=(const CQuibCtrl&) = delete;

    // Attaches the event listener (not owned; null detaches). The listener
    // must outlive the engine or be detached first.
    void SetListener(QuibEvents* listener);

    // --- Properties ---------------------------------------------------
    // The database file's path. Setting it only stores it; Open, Save and
    // Create use it. Close does not change it.
    std::string DatabaseName() const;
    void SetDatabaseName(const std::string& name);

    int32_t ColsCount() const;
    // RowsCountFilter() while FilterActive(), else RowsCountTotal().
    int32_t RowsCount() const;
    int32_t HeadersCount() const;
    // The cursor: a view position, or -1 when there is no current row.
    // Changed only by the moves, Open, Create and Close.
    int32_t RowIndex() const;
    int32_t FiltersCount() const;
    bool FilterActive() const;
    // Stores the switch and rebuilds the view; fires no event.
    void SetFilterActive(bool active);
    int32_t RowsCountFilter() const;
    int32_t RowsCountTotal() const;
    int32_t SortsCount() const;
    // Number of texts of the header record; -1 when out of range.
    int32_t HeaderTextsCount(int32_t HeaderIndex) const;

    // --- Cells, rows and columns ----------------------------------------
    // Copy of the cell at view row Row; empty when out of range.
    std::string GetData(int32_t Row, int32_t Col) const;
    bool SetData(int32_t Row, int32_t Col, const std::string& Data);
    // Inserts an empty cell at Col in every row (0 <= Col <= ColsCount).
    bool NewCol(int32_t Col);
    bool DeleteCol(int32_t Col);
    // Inserts an empty row before the physical row shown at view position
    // Row, or after the last physical row when Row == RowsCount().
    bool NewRow(int32_t Row);
    // Removes the physical row shown at view position Row.
    bool DeleteRow(int32_t Row);

    // --- Header records --------------------------------------------------
    bool NewHeader(int32_t HeaderIndex);
    bool DeleteHeader(int32_t HeaderIndex);
    std::string GetHeaderName(int32_t HeaderIndex) const;
    bool SetHeaderName(int32_t HeaderIndex, const std::string& Data);
    bool NewHeaderText(int32_t HeaderIndex, int32_t TextIndex);
    bool DeleteHeaderText(int32_t HeaderIndex, int32_t TextIndex);
    std::string GetHeaderText(int32_t HeaderIndex, int32_t TextIndex) const;
    bool SetHeaderText(int32_t HeaderIndex, int32_t TextIndex, const std::string& Data);
    // Position of the first record with exactly this name; -1 when none.
    int32_t GetHeaderIndexFromName(const std::string& HeaderName) const;

    // --- Database file ---------------------------------------------------
    // Empties the table and reads DatabaseName(). Temporary files that
    // killed saves of this database left beside it (older than a minute,
    // not locked by a running save) are removed first. Fires CheckCompatibility
    // after the header records are loaded; a Cancel there empties the table
    // and returns false. Raises QuibError for unreadable or corrupt files,
    // leaving the table empty.
    bool Open();
    // Empties the table; touches no file.
    bool Close();
    // Empties the table and writes it (an empty database) to DatabaseName().
    bool Create();
    // Writes the table to DatabaseName() under a temporary name in the same
    // folder and renames it into place: a failed save raises QuibError and
    // leaves the old file whole. A file nobody may write (or this user may
    // not), a folder, a name without a file part and a loop of symbolic
    // links are refused with 10000 before anything is created; a failed
    // write (a full disk, the file size limit) raises 10004.
    bool Save();

    // An unchangeable picture of the table as it stands, cheap to take
    // (a handle per row, no text copied), to be written with
    // QuibSnapshot::SaveTo on any thread while this engine goes on.
    // Fires no event. Called from CheckCompatibility, while Open has not
    // read the rows yet, it gives an empty snapshot. See QuibSnapshot.h.
    QuibSnapshot TakeSnapshot() const;

    // Compares two dotted (or comma-separated) version texts component by
    // component: 1, 0 or -1. See doc/format.md.
    int32_t CompareVersion(const std::string& First, const std::string& Second) const;

    // --- Cursor ----------------------------------------------------------
    // Each fires BeforeMove, then, when the target is within
    // 0 .. RowsCountTotal() - 1 and not cancelled, moves and fires AfterMove.
    bool MoveFirst();
    bool MovePrevious();
    bool MoveNext();
    bool MoveLast();
    bool MoveTo(int32_t RowIndex);
    // Fires OnRefreshData; does no work in the engine.
    void RefreshData();
    // Fires OnSaveRow; does no work in the engine. Always true.
    bool SaveRow();

    // --- Filters -----------------------------------------------------------
    // Field names: "column", "compar", "casesensitive", "text".
    bool NewFilter(int32_t FilterIndex);
    bool DeleteFilter(int32_t FilterIndex);
    bool SetFilterData(int32_t FilterIndex, const std::string& FieldName, const std::string& Data);
    std::string GetFilterData(int32_t FilterIndex, const std::string& FieldName) const;

    // --- Sorts -------------------------------------------------------------
    // Field names: "column", "order".
    bool NewSort(int32_t SortIndex);
    bool DeleteSort(int32_t SortIndex);
    bool SetSortData(int32_t SortIndex, const std::string& FieldName, const std::string& Data);
    std::string GetSortData(int32_t SortIndex, const std::string& FieldName) const;
    // Reorders the physical rows by the sort records. Always true.
    bool Sort();

    // The engine's about text; this build shows no window of its own.
    void AboutBox() const;
    static std::string AboutText();

  private:
    class Impl;
    std::unique_ptr<Impl> impl_;
};

// Creates an engine by its class identifier: a new instance for
// kQuibClassId ("QUIB.QuibCtrl.1"), null for any other identifier.
std::unique_ptr<CQuibCtrl> CreateControl(std::string_view classId);

}  // namespace quib
