#pragma once

#include "RecordList.h"

namespace quib {

class Table;

// Reorders the table's physical rows by the sort records, into exactly the
// order a selection sort gives: for each position i in turn, the first row
// of positions i .. n-1 that no later row precedes is swapped into place.
// Row A precedes row B at the first record (whose column exists) where their
// cells collate differently: A's is smaller under "asc", greater under
// "desc"; any other order, or no such record, means it does not.
//
// Trailing records whose order is neither asc nor desc are dropped (they
// cannot change the result). When every remaining record is "asc" or "desc"
// this runs in O(n log n) comparisons, and rows already in order are left
// after one O(n) check; otherwise it is the literal O(n^2) selection sort. Either way
// the cells are collated by sort keys computed once per sort, and swaps move
// row storage, never cells.
void SortRows(Table& table, const SortList& sorts);

// Testing seam: always take the literal selection sort over every record.
void SetLiteralSortForTesting(bool literalOnly);

}  // namespace quib
