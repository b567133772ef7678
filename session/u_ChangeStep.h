#pragma once

#include "session/u_PackedRows.h"

#include <QVector>

#include <vector>

// What the user did, as the Edit menu names an undo step.
enum class TStepKind {
    EditField,
    SaveRecord,
    NewRecord,
    DeleteRecord,
    Import,
    Sort,
    Sync,
    Merge,
};

struct TStepName {
    TStepKind kind = TStepKind::EditField;
    int field = -1;  // EditField: the program field
    int count = 0;   // Import: the records imported or updated; Sync: the records changed;
                     // Merge: the records merged into one
    bool operator==(const TStepName&) const = default;
};

// A change of physical rows that can be turned into its opposite. While it
// stands, held keeps exactly the texts the database does not hold (a row's
// texts by database column): the old texts of a replaced row, the rows that
// were removed; an insertion holds nothing until it is taken back, when the
// rows it removes are kept there instead.
struct TRowEdit {
    enum class Kind { Replace, Insert, Remove };
    Kind kind = Kind::Replace;
    int row = 0;    // the (first) physical row
    int count = 1;  // rows inserted or removed; 1 for Replace
    TPackedRows held;
};

// One step of the undo stack: the row edits of one command, in the order
// they were made, or the new order of every row after a sort.
struct TChangeStep {
    TStepName name;
    std::vector<TRowEdit> edits;
    // Sort: order[p] is the row, counted before the sort, now at position p.
    QVector<int> order;
    // Where the cursor goes when the step is undone and when it is redone.
    int undoCursor = -1;
    int redoCursor = -1;

    // The bytes the step keeps: held texts and the order.
    qsizetype ByteSize() const;
};
