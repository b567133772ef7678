#include "query/u_Query.h"

#include <utility>

void TQuery::Clear() {
    op_ = And;
    rows_.fill(TQueryRow{});
}

const TQueryRow& TQuery::row(int index) const {
    static const TQueryRow empty;
    return index >= 0 && index < RowCount ? rows_[index] : empty;
}

void TQuery::setRow(int index, TQueryRow row) {
    if (index < 0 || index >= RowCount)
        return;
    if (row.compar < Contain || row.compar > IsNot)
        row.compar = Contain;
    row.text = SingleLineText(std::move(row.text));
    rows_[index] = std::move(row);
}

int TQuery::DefinedCount() const {
    for (int i = 0; i < RowCount; ++i) {
        if (rows_[i].item == ItemAny && rows_[i].text.isEmpty())
            return i;
    }
    return RowCount;
}

QString TQuery::SingleLineText(QString text) {
    for (QChar& c : text) {
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            c = QLatin1Char(' ');
    }
    return text;
}
