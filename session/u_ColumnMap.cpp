#include "session/u_ColumnMap.h"

TColumnMap TColumnMap::Identity(int count) {
    std::vector<int> entries(static_cast<std::size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i) {
        entries[static_cast<std::size_t>(i)] = i;
    }
    return TColumnMap(std::move(entries));
}

TColumnMap TColumnMap::AllMissing(int count) {
    return TColumnMap(
        std::vector<int>(static_cast<std::size_t>(std::max(count, 0)), kMissingColumn));
}

int TColumnMap::at(int i) const {
    return i >= 0 && i < size() ? entries_[static_cast<std::size_t>(i)] : kMissingColumn;
}

void TColumnMap::set(int i, int value) {
    if (i >= 0 && i < size()) {
        entries_[static_cast<std::size_t>(i)] = value;
    }
}

TColumnMatch MatchColumns(const QStringList& databaseColumns, const QStringList& programColumns) {
    TColumnMatch match;
    match.fromProgram = TColumnMap::AllMissing(static_cast<int>(programColumns.size()));
    for (int k = 0; k < databaseColumns.size(); ++k) {
        const int i = static_cast<int>(programColumns.indexOf(databaseColumns[k]));
        match.fromDB.append(i);
        if (i >= 0) {
            // A database naming one column twice maps the field to the last.
            match.fromProgram.set(i, k);
        } else {
            match.unsupported << databaseColumns[k];
        }
    }
    for (int i = 0; i < programColumns.size(); ++i) {
        if (match.fromProgram.isMissing(i)) {
            match.missing << i;
        }
    }
    return match;
}
