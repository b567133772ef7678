#include "query/u_SortList.h"

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

QVector<TSortKey> TSortList::Keys(const TColumnMap& indexFromProgram) const {
    QVector<TSortKey> keys;
    const int defined = DefinedCount();
    for (int i = 0; i < defined; ++i) {
        keys.append({indexFromProgram[rows_[i].item], rows_[i].order == Asc});
    }
    return keys;
}
