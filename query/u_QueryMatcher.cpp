#include "query/u_QueryMatcher.h"

#include "session/u_QuibReader.h"

TQueryMatcher::TQueryMatcher(const TQuery& query, const TColumnMap& indexFromProgram)
    : op_(query.op()) {
    const int slotCount = indexFromProgram.size();
    columns_.reserve(slotCount);
    for (int column : indexFromProgram.entries())
        columns_.append(column >= 0 ? column : kMissingColumn);
    cells_.resize(slotCount);
    read_.resize(slotCount);

    const int defined = query.DefinedCount();
    conditions_.reserve(defined);
    for (int i = 0; i < defined; ++i) {
        const TQueryRow& row = query.row(i);
        Condition c;
        // "--any--" with a text names no column; it looks for the text in
        // any column, like "--at least one--".
        if (row.item == TQuery::ItemEvery)
            c.scope = Scope::Every;
        else if (row.item == TQuery::ItemAny || row.item == TQuery::ItemAtLeastOne)
            c.scope = Scope::AtLeastOne;
        else
            c.slot = row.item - TQuery::ItemFirstColumn;
        c.compar = row.compar;
        c.sensitivity = row.caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
        c.needle = row.caseSensitive ? row.text : Fold(row.text);
        conditions_.push_back(std::move(c));
    }
}

bool TQueryMatcher::Matches(const TQuibReader& quib, int row) const {
    if (conditions_.empty())
        return true;
    // Cells are kept only while one row is tested: the table may change
    // between two calls.
    read_.fill(false);
    bool outcome = true;
    for (const Condition& c : conditions_) {
        outcome = ConditionHolds(c, quib, row);
        if (op_ == TQuery::And && !outcome)
            return false;
        if (op_ == TQuery::Or && outcome)
            return true;
    }
    return outcome;
}

QVector<int> TQueryMatcher::MatchingRows(const TQuibReader& quib) const {
    QVector<int> rows;
    const int count = quib.RowsCount();
    for (int r = 0; r < count; ++r) {
        if (Matches(quib, r))
            rows.append(r);
    }
    return rows;
}

bool TQueryMatcher::ConditionHolds(const Condition& c, const TQuibReader& quib, int row) const {
    switch (c.scope) {
        case Scope::One:
            return Passes(c, quib, row, c.slot);
        case Scope::Every:
            for (int slot = 0; slot < columns_.size(); ++slot) {
                if (!Passes(c, quib, row, slot))
                    return false;
            }
            return true;
        case Scope::AtLeastOne:
            for (int slot = 0; slot < columns_.size(); ++slot) {
                if (Passes(c, quib, row, slot))
                    return true;
            }
            return false;
    }
    return false;
}

bool TQueryMatcher::Passes(const Condition& c, const TQuibReader& quib, int row, int slot) const {
    const QString& value = Cell(quib, row, slot);
    switch (c.compar) {
        case TQuery::DoesNotContain:
            return c.needle.isEmpty() || !value.contains(c.needle, c.sensitivity);
        case TQuery::Is:
            return value.compare(c.needle, c.sensitivity) == 0;
        case TQuery::IsNot:
            return value.compare(c.needle, c.sensitivity) != 0;
        default:
            // An empty needle occurs in no value.
            return !c.needle.isEmpty() && value.contains(c.needle, c.sensitivity);
    }
}

const QString& TQueryMatcher::Cell(const TQuibReader& quib, int row, int slot) const {
    static const QString none;
    // A column outside the catalogue, or one the database lacks, reads empty.
    if (slot < 0 || slot >= columns_.size() || columns_[slot] < 0)
        return none;
    if (!read_[slot]) {
        cells_[slot] = quib.GetData(row, columns_[slot]);
        read_[slot] = true;
    }
    return cells_[slot];
}
