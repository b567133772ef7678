#pragma once

// The state behind CQuibCtrl, shared by the files that define its members.

#include <cstdint>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "DbFile.h"
#include "Errors.h"
#include "RecordList.h"
#include "SurfaceText.h"
#include "Table.h"
#include "View.h"
#include "quib/QuibCtrl.h"

namespace quib {

using Notify = void (QuibEvents::*)();
using CancelNotify = void (QuibEvents::*)(int16_t&);

class CQuibCtrl::Impl {
  public:
    QuibEvents* listener = nullptr;
    std::string databaseName;
    Table table;
    View view;
    FilterList filters = MakeFilterList();
    SortList sorts = MakeSortList();
    bool filterActive = false;
    int32_t rowIndex = -1;
    // True while Open reads a file: the CheckCompatibility handler runs then,
    // and edits of rows, columns or the file would pull the table from under
    // the reader, so they are refused.
    bool loading = false;
    // A text on its way into the table, kept to reuse its room.
    std::string stored;
    // The texts of a row being appended and where each ends.
    std::string appendTexts;
    std::vector<uint32_t> appendEnds;
    // Where DataView converts a Windows-1250 cell that is not all ASCII.
    mutable std::string viewBuffer;

    void fire(Notify event) {
        if (listener != nullptr) {
            (listener->*event)();
        }
    }

    // Fires a Before event; true when the host let the operation go on.
    bool allowed(CancelNotify event) {
        int16_t cancel = 0;
        if (listener != nullptr) {
            (listener->*event)(cancel);
        }
        return cancel == 0;
    }

    // The Before/After protocol around one operation: a cancelled Before
    // event refuses it; the After event fires whatever the operation's
    // result, but not when it raised an error.
    template <typename Op>
    bool wrapped(CancelNotify before, Notify after, Op op) {
        if (!allowed(before)) {
            return false;
        }
        bool result = false;
        try {
            result = op();
        } catch (const std::bad_alloc&) {
            RaiseError(errors::kOutOfMemory);
        }
        fire(after);
        return result;
    }

    int32_t rowsCount() const { return filterActive ? view.Size() : table.Rows(); }
    int32_t resolveRow(int32_t row) const { return row == -1 ? rowIndex : row; }
    bool validRow(int32_t row) const { return row >= 0 && row < rowsCount(); }
    bool validCol(int32_t col) const { return col >= 0 && col < table.Cols(); }
    // The stored text of a cell at a view row (-1: the cursor's); false when
    // out of range.
    bool cellAt(int32_t Row, int32_t Col, std::string_view& cell) const {
        const int32_t row = resolveRow(Row);
        if (!validRow(row) || !validCol(Col)) {
            return false;
        }
        cell = table.Cell(view.Physical(row), Col);
        return true;
    }
    bool validHeader(int32_t h) const { return h >= 0 && h < table.Headers(); }
    int32_t textsOf(int32_t h) const { return table.Header(h).Count() - 1; }

    void save() {
        try {
            WriteDatabaseFile(databaseName, table.Image());
        } catch (const std::bad_alloc&) {
            RaiseError(errors::kOutOfMemory);
        }
    }

    void rebuildView() { view.Rebuild(table, filters, filterActive); }

    TextEncoding encoding() const { return table.Encoding(); }
    // A surface text in the table's encoding, in stored (valid until the
    // next call).
    std::string_view toStored(const std::string& utf8) {
        ToStored(encoding(), utf8, stored);
        return stored;
    }
    std::string toSurface(std::string_view text) const { return ToSurface(encoding(), text); }

    void empty() {
        table.Clear();
        view.Clear();
        rowIndex = -1;
    }

    bool moveTo(int32_t target) {
        if (!allowed(&QuibEvents::BeforeMove) || target < 0 || target >= table.Rows()) {
            return false;
        }
        rowIndex = target;
        fire(&QuibEvents::AfterMove);
        return true;
    }
};

}  // namespace quib
