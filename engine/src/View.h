#pragma once

#include <cstdint>
#include <vector>

#include "RecordList.h"

namespace quib {

class Table;

// The rows the engine shows: view positions mapped to physical rows. While
// no filter is in force the view is the identity and costs nothing to keep.
class View {
  public:
    // Rebuilds the view: the rows that pass every filter record when active,
    // else all rows.
    void Rebuild(const Table& table, const FilterList& filters, bool active);
    // The view after a change to the cells of one physical row only: the
    // same result as Rebuild, found by testing that row alone.
    void RowChanged(const Table& table, const FilterList& filters, bool active, int32_t physical);
    // The view after a row was inserted at (or removed from) physical
    // position physical, nothing else having changed: the same result as
    // Rebuild, found by testing the new row alone.
    void RowInserted(const Table& table, const FilterList& filters, bool active, int32_t physical);
    void RowRemoved(const Table& table, const FilterList& filters, bool active, int32_t physical);
    void Clear();

    int32_t Size() const { return identity_ ? identitySize_ : static_cast<int32_t>(rows_.size()); }
    int32_t Physical(int32_t position) const {
        return identity_ ? position : rows_[static_cast<std::size_t>(position)];
    }

  private:
    bool passes(const Table& table, const FilterList& filters, int32_t physical) const;

    bool identity_ = true;
    int32_t identitySize_ = 0;
    std::vector<int32_t> rows_;
};

// Whether physical row r passes one filter record.
bool PassesFilter(const Table& table, int32_t r, const FilterList::Record& record);

}  // namespace quib
