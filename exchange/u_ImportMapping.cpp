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

TFieldRouting::TFieldRouting(QList<int> targets, const QSet<int>& joined)
    : targets_(std::move(targets)) {
    slotOf_.reserve(targets_.size());
    for (const int column : targets_) {
        if (column < 0) {
            slotOf_ << -1;
            continue;
        }
        qsizetype slot = columns_.indexOf(column);
        if (slot < 0) {
            slot = columns_.size();
            columns_ << column;
            joined_ << joined.contains(column);
        }
        slotOf_ << static_cast<int>(slot);
    }
}

TFieldRouting::TCells TFieldRouting::Route(const QStringList& fields) const {
    // Per slot: the last field that reached it, and the lines of a joined one.
    QList<qsizetype> last(columns_.size(), -1);
    QList<QStringList> lines(columns_.size());
    const qsizetype count = qMin(fields.size(), slotOf_.size());
    for (qsizetype i = 0; i < count; ++i) {
        const int slot = slotOf_[i];
        if (slot < 0) {
            continue;
        }
        last[slot] = i;
        // Sources often repeat a value under two headings (a primary phone
        // that is also the mobile one): it is kept once.
        if (joined_[slot] && !fields[i].isEmpty() && !lines[slot].contains(fields[i])) {
            lines[slot] << fields[i];
        }
    }
    TCells cells;
    cells.reserve(columns_.size());
    for (qsizetype slot = 0; slot < columns_.size(); ++slot) {
        if (last[slot] >= 0) {
            cells.append(
                {columns_[slot], joined_[slot] ? lines[slot].join(u'\n') : fields[last[slot]]});
        }
    }
    return cells;
}
