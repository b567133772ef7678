#include "exchange/u_ImportMapping.h"

void TImportMapping::Add(int addIndex, const QString& title) {
    if (addIndex < 0) {
        return;
    }
    lstDBColumns_ << title;
    lstDBColumnsHidden_ << QString::number(addIndex - 1);
}

void TImportMapping::AddAll(const QStringList& columnTitles) {
    for (int k = 0; k < columnTitles.size(); ++k) {
        Add(k + 1, columnTitles[k]);
    }
}

int TImportMapping::move(int from, int to) {
    lstDBColumns_.move(from, to);
    lstDBColumnsHidden_.move(from, to);
    return to;
}

int TImportMapping::MoveFirst(int s) {
    return s > 0 && s < Count() ? move(s, 0) : s;
}

int TImportMapping::MovePrevious(int s) {
    return s > 0 && s < Count() ? move(s, s - 1) : s;
}

int TImportMapping::MoveNext(int s) {
    return s >= 0 && s < Count() - 1 ? move(s, s + 1) : s;
}

int TImportMapping::MoveLast(int s) {
    return s >= 0 && s < Count() - 1 ? move(s, Count() - 1) : s;
}

void TImportMapping::Delete(int s) {
    if (s >= 0 && s < Count()) {
        lstDBColumns_.removeAt(s);
        lstDBColumnsHidden_.removeAt(s);
    }
}

void TImportMapping::DeleteAll() {
    lstDBColumns_.clear();
    lstDBColumnsHidden_.clear();
}
