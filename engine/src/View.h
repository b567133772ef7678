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
    void Clear();

    int32_t Size() const { return identity_ ? identitySize_ : static_cast<int32_t>(rows_.size()); }
    int32_t Physical(int32_t position) const {
        return identity_ ? position : rows_[static_cast<std::size_t>(position)];
    }

  private:
    bool identity_ = true;
    int32_t identitySize_ = 0;
    std::vector<int32_t> rows_;
};

// Whether physical row r passes one filter record.
bool PassesFilter(const Table& table, int32_t r, const FilterList::Record& record);

}  // namespace quib
