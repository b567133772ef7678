#pragma once

// The table-database engine Quib: one table of text cells with positional
// columns, a list of named header records, a binary database file, filter and
// sort records, a current-row cursor and Before/After events.
//
// Texts at this surface are UTF-8. Inside the engine and in the file they are
// kept in the table's encoding (see Encoding()): Windows-1250 single-byte
// text (files of version 0.1) or UTF-8 (version 0.2). A NUL character ends a
// text on the way in. Converting happens here, at the surface: what the
// table holds is what its file holds, byte for byte.
//
// A Windows-1250 table cannot hold every character. A host checks a text
// with CanStoreText before it stores it; when it did not, a character
// without a Windows-1250 form is stored as "?" (and so is a malformed UTF-8
// sequence). A UTF-8 table stores every character; a malformed sequence
// given to it becomes U+FFFD, so that the surface never gives out invalid
// UTF-8.
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
#include <vector>

#include "quib/QuibError.h"
#include "quib/QuibEvents.h"
#include "quib/QuibSnapshot.h"
#include "quib/TextEncoding.h"

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

    // --- Text encoding ----------------------------------------------------
    // How the table keeps its texts and which file version Save and Create
    // write (Windows1250: "0.1", Utf8: "0.2"). A new engine is Windows1250.
    // Open takes the file's encoding as soon as its versions are read (so
    // CheckCompatibility sees it); a failed or declined Open leaves the one
    // before. Close and Create keep it.
    TextEncoding Encoding() const;
    // Chooses the encoding. On an empty table it only chooses what Save and
    // Create write; on a loaded one every text is converted in memory (the
    // file changes with the next Save). False, and nothing changed, when a
    // text has no Windows-1250 form, or while Open reads a file. Fires no
    // event. Taking Windows-1250 to UTF-8 always succeeds.
    bool SetEncoding(TextEncoding encoding);
    // Whether the table can store every character of a text (up to its
    // first NUL) as it is: always for Utf8; for Windows1250 false when a
    // character has no Windows-1250 form (or the UTF-8 is malformed), the
    // first such character then going to firstMissing (U+FFFD for a
    // malformed sequence) when it is given. Hosts check texts with this
    // before storing them, so that nothing becomes "?" unasked.
    bool CanStoreText(const std::string& utf8, char32_t* firstMissing = nullptr) const;

    // --- Cells, rows and columns ----------------------------------------
    // Copy of the cell at view row Row; empty when out of range.
    std::string GetData(int32_t Row, int32_t Col) const;
    // The same text as GetData into out, reusing its room: a host reading
    // many cells converts each once and allocates nothing once out has grown.
    void GetDataInto(int32_t Row, int32_t Col, std::string& out) const;
    // The same text as GetData without a copy; empty when out of range. The
    // view is valid until the next call of DataView or the next change of the
    // table (an edit of rows, cells, columns or the encoding, Sort, Open,
    // Close, Create), whichever comes first. On a UTF-8 table (and for a
    // Windows-1250 cell that is all ASCII) it points into the table itself;
    // other Windows-1250 cells are converted into a buffer the engine keeps
    // for the next view.
    std::string_view DataView(int32_t Row, int32_t Col) const;
    // Replaces the cell in place: only the cells after it in its row move,
    // unless the row's storage has no room left for a longer text.
    bool SetData(int32_t Row, int32_t Col, const std::string& Data);
    // Inserts an empty cell at Col in every row (0 <= Col <= ColsCount).
    bool NewCol(int32_t Col);
    bool DeleteCol(int32_t Col);
    // Inserts an empty row before the physical row shown at view position
    // Row, or after the last physical row when Row == RowsCount().
    bool NewRow(int32_t Row);
    // Removes the physical row shown at view position Row.
    bool DeleteRow(int32_t Row);
    // Appends a row after the last physical row holding the given texts
    // (texts[0] in column 0, ...), building it once: what an importer calls
    // instead of NewRow and a SetData per cell. Count may be below
    // ColsCount() (the other cells are empty); above it, or below 0, the
    // call changes nothing and returns false. Texts are converted as SetData
    // converts them. Fires BeforeNewRow (whose Cancel refuses the whole row)
    // and AfterNewRow, and no cell events: the row enters the table whole.
    // The cursor does not move; the row shows in the view when it passes the
    // filters.
    bool AppendRow(const std::string* texts, int32_t count);
    bool AppendRow(const std::vector<std::string>& texts);

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
    // Empties the table and writes it (an empty database, in Encoding()) to
    // DatabaseName().
    bool Create();
    // Writes the table to DatabaseName() in the file version of Encoding()
    // under a temporary name in the same folder and renames it into place: a
    // failed save raises QuibError and leaves the old file whole. Anything
    // but a regular file (after following symbolic links: a folder, a pipe,
    // a device, a socket), a file nobody may write (or this user may not), a
    // name without a file part and a loop of symbolic links are refused with
    // 10000 before anything is created; a failed write (a full disk, the
    // file size limit) raises 10004. Temporary files killed saves of the
    // same file left (older than a minute, not locked) are removed first, as
    // Open does.
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
