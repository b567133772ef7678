#include "session/u_RecordChange.h"

#include <algorithm>
#include <numeric>

bool TRecordChange::Touches(int record) const {
    switch (kind) {
        case Kind::Cells:
        case Kind::Removed:
            return record >= first && record < first + count;
        case Kind::Inserted:
            return record >= first;
        case Kind::Reordered:
            return record >= 0 && record < newPositions.size() && newPositions[record] != record;
    }
    return false;
}

void FollowRecordChange(QVector<int>& records, const TRecordChange& change) {
    switch (change.kind) {
        case TRecordChange::Kind::Cells:
            return;
        case TRecordChange::Kind::Inserted: {
            for (int& r : records) {
                if (r >= change.first) {
                    r += change.count;
                }
            }
            const auto at =
                std::lower_bound(records.begin(), records.end(), change.first) - records.begin();
            QVector<int> inserted(change.count);
            std::iota(inserted.begin(), inserted.end(), change.first);
            records.insert(at, change.count, 0);
            std::copy(inserted.begin(), inserted.end(), records.begin() + at);
            return;
        }
        case TRecordChange::Kind::Removed: {
            const int end = change.first + change.count;
            records.removeIf([&](int r) { return r >= change.first && r < end; });
            for (int& r : records) {
                if (r >= end) {
                    r -= change.count;
                }
            }
            return;
        }
        case TRecordChange::Kind::Reordered:
            for (int& r : records) {
                if (r >= 0 && r < change.newPositions.size()) {
                    r = change.newPositions[r];
                }
            }
            std::sort(records.begin(), records.end());
            return;
    }
}
