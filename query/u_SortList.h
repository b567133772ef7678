#pragma once

#include "session/u_ColumnMap.h"

#include <array>
#include <cstdint>

class TQuib;

// The sort builder's keys: up to 50 rows of a catalogue column and an order.
// The keys are the rows before the first row whose order is "-" (the
// defined count); row 0 is the primary key.
class TSortList {
  public:
    static constexpr int RowCount = 50;
    enum Order : int { None = 0, Asc = 1, Desc = 2 };

    struct Row {
        uint8_t item = 0;  // catalogue column
        int order = None;
        bool operator==(const Row&) const = default;
    };

    // Every row on the first catalogue column with order "-".
    void Clear();

    // Rows are counted from 0. Out of range reads give an empty row and
    // writes change nothing.
    const Row& row(int index) const;
    void setRow(int index, Row row);

    int DefinedCount() const;

    // Replaces the control's sort definitions by these keys and sorts. The
    // old definitions go from the last to the first, so that each deletion
    // re-sorts by a prefix of the old keys and moves no row; each key then
    // gets its column (the database column of its catalogue column, from
    // indexFromProgram) and its order, and the rows are sorted once more.
    void ApplyTo(TQuib& quib, const TColumnMap& indexFromProgram) const;

  private:
    std::array<Row, RowCount> rows_{};
};
