#pragma once

#include "RecordList.h"

namespace quib {

class Table;

// Reorders the table's physical rows by the sort records.
void SortRows(Table& table, const SortList& sorts);

}  // namespace quib
