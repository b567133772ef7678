#pragma once

#include "session/u_ColumnMap.h"
#include "session/u_RowEditor.h"

#include <QVector>

#include <array>
#include <cstdint>

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

    // The defined keys as the session sorts by them: each key's column is
    // the database column of its catalogue column (from indexFromProgram;
    // kMissingColumn when the database lacks it, which the sort skips).
    QVector<TSortKey> Keys(const TColumnMap& indexFromProgram) const;

  private:
    std::array<Row, RowCount> rows_{};
};
