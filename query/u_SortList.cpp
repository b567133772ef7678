#include "query/u_SortList.h"

#include "session/QUIBLib_TLB.h"

void TSortList::Clear() {
    rows_.fill(Row{});
}

const TSortList::Row& TSortList::row(int index) const {
    static const Row empty;
    return index >= 0 && index < RowCount ? rows_[index] : empty;
}

void TSortList::setRow(int index, Row row) {
    if (index < 0 || index >= RowCount)
        return;
    if (row.order < None || row.order > Desc)
        row.order = None;
    rows_[index] = row;
}

int TSortList::DefinedCount() const {
    for (int i = 0; i < RowCount; ++i) {
        if (rows_[i].order == None)
            return i;
    }
    return RowCount;
}

void TSortList::ApplyTo(TQuib& quib, const TColumnMap& indexFromProgram) const {
    // Bounded by the count at the start, should a deletion ever be refused.
    for (int n = quib.SortsCount(); n > 0; --n) {
        if (!quib.DeleteSort(quib.SortsCount() - 1))
            break;
    }
    const int keys = DefinedCount();
    for (int i = 0; i < keys; ++i) {
        const Row& key = rows_[i];
        quib.NewSort(i);
        // A column the database lacks is "-1", which the control skips.
        quib.SetSortData(i, QStringLiteral("column"), QString::number(indexFromProgram[key.item]));
        quib.SetSortData(i, QStringLiteral("order"),
                         key.order == Asc ? QStringLiteral("asc") : QStringLiteral("desc"));
    }
    quib.Sort();
}
