#pragma once

#include <QVector>

// What a change did to the records of the open database, as the session
// announces it to the views that show records (the table, the hits of a
// query). Records are the database's rows, counted from 0.
struct TRecordChange {
    enum class Kind {
        Cells,      // texts of records first .. first + count - 1 changed
        Inserted,   // count records were inserted before record first
        Removed,    // records first .. first + count - 1 were removed
        Reordered,  // every record moved: record r is now at newPositions[r]
    };
    Kind kind = Kind::Cells;
    int first = 0;
    int count = 0;
    QVector<int> newPositions;  // Reordered only

    static TRecordChange Cells(int first, int count = 1) { return {Kind::Cells, first, count, {}}; }
    static TRecordChange Inserted(int first, int count) {
        return {Kind::Inserted, first, count, {}};
    }
    static TRecordChange Removed(int first, int count) { return {Kind::Removed, first, count, {}}; }
    static TRecordChange Reordered(QVector<int> newPositions) {
        const auto count = static_cast<int>(newPositions.size());
        return {Kind::Reordered, 0, count, std::move(newPositions)};
    }

    // Whether record (a number from before the change) is one the change
    // touched: its texts changed, it went, or it moved.
    bool Touches(int record) const;
};

// Follows a change in an ascending list of record numbers (the records a
// view lists): the numbers move with their records, removed records leave
// the list, and inserted records join it, so that what was appended or
// brought back by an undo is shown. The list stays ascending.
void FollowRecordChange(QVector<int>& records, const TRecordChange& change);
