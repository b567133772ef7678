#include "session/u_RowEditor.h"

#include "session/QUIBLib_TLB.h"

#include <algorithm>
#include <stdexcept>

QStringList TRowEditor::ReadRow(int row) const {
    const int columns = quib_.ColsCount();
    QStringList texts;
    texts.reserve(columns);
    for (int c = 0; c < columns; ++c) {
        texts << quib_.GetData(row, c);
    }
    return texts;
}

void TRowEditor::writeRow(int row, const QStringList& texts) {
    const auto columns = std::min<qsizetype>(quib_.ColsCount(), texts.size());
    for (int c = 0; c < columns; ++c) {
        if (quib_.GetData(row, c) != texts[c]) {
            quib_.SetData(row, c, texts[c]);
        }
    }
}

void TRowEditor::appendRow(const QStringList& texts, std::vector<std::string>& cells) {
    const auto columns = std::min<qsizetype>(quib_.ColsCount(), texts.size());
    cells.resize(static_cast<std::size_t>(columns));
    for (qsizetype c = 0; c < columns; ++c) {
        cells[static_cast<std::size_t>(c)] = texts[c].toStdString();
    }
    appendCells(cells);
}

void TRowEditor::appendCells(const std::vector<std::string>& cells) {
    if (!quib_.AppendRow(cells)) {
        throw std::runtime_error("A new row could not be inserted into the database.");
    }
}

TRowEdit TRowEditor::Replace(int row, const QStringList& texts) {
    TRowEdit edit{TRowEdit::Kind::Replace, row, 1, {}};
    edit.held.AppendRow(ReadRow(row));
    writeRow(row, texts);
    return edit;
}

void TRowEditor::insertRows(int row, int count, const TRowTexts& rowTexts,
                            const TRowsMade& afterRow) {
    int made = 0;
    try {
        std::vector<std::string> cells;
        while (made < count) {
            const QStringList texts = rowTexts(made);
            // Row positions are physical: each new row goes after the one
            // before. A row after the last (an import) is built whole.
            if (row + made == quib_.RowsCount()) {
                appendRow(texts, cells);
                ++made;
            } else {
                if (!quib_.NewRow(row + made)) {
                    throw std::runtime_error("A new row could not be inserted into the database.");
                }
                ++made;
                writeRow(row + made - 1, texts);
            }
            if (afterRow) {
                afterRow(made);
            }
        }
    } catch (...) {
        // What was inserted goes again, so that a failure changes nothing.
        removeRows(row, made);
        throw;
    }
}

TRowEdit TRowEditor::Insert(int row, int count, const TRowTexts& rowTexts,
                            const TRowsMade& afterRow) {
    insertRows(row, count, rowTexts, afterRow);
    return TRowEdit{TRowEdit::Kind::Insert, row, count, {}};
}

TRowEdit TRowEditor::Append(int count, const TRowCells& rowCells, const TRowsMade& afterRow) {
    const int row = quib_.RowsCount();
    const auto columns = static_cast<std::size_t>(quib_.ColsCount());
    int made = 0;
    try {
        std::vector<std::string> cells(columns);
        while (made < count) {
            for (std::string& cell : cells) {
                cell.clear();
            }
            rowCells(made, cells);
            cells.resize(columns);
            appendCells(cells);
            ++made;
            if (afterRow) {
                afterRow(made);
            }
        }
    } catch (...) {
        removeRows(row, made);
        throw;
    }
    return TRowEdit{TRowEdit::Kind::Insert, row, count, {}};
}

TPackedRows TRowEditor::removeRows(int row, int count) {
    TPackedRows removed;
    for (int i = 0; i < count; ++i) {
        removed.AppendRow(ReadRow(row + i));
    }
    if (row + count == quib_.RowsCount()) {
        quib_.DeleteLastRows(count);
    } else {
        for (int i = 0; i < count; ++i) {
            quib_.DeleteRow(row);
        }
    }
    return removed;
}

TRowEdit TRowEditor::Remove(int row, int count) {
    return TRowEdit{TRowEdit::Kind::Remove, row, count, removeRows(row, count)};
}

// --- Order ---------------------------------------------------------------------

int TRowEditor::addMarkColumn(const std::function<int(int)>& mark) {
    const int column = quib_.ColsCount();
    if (!quib_.NewCol(column)) {
        throw std::runtime_error("A column could not be added to the database.");
    }
    const int rows = quib_.RowsCount();
    const auto width = static_cast<int>(QString::number(std::max(rows - 1, 0)).size());
    for (int r = 0; r < rows; ++r) {
        quib_.SetData(r, column, QStringLiteral("%1").arg(mark(r), width, 10, QChar(u'0')));
    }
    return column;
}

QVector<int> TRowEditor::readMarkColumn(int column) const {
    const int rows = quib_.RowsCount();
    QVector<int> marks(rows);
    for (int r = 0; r < rows; ++r) {
        marks[r] = quib_.GetData(r, column).toInt();
    }
    return marks;
}

QVector<int> TRowEditor::Sort(const QVector<TSortKey>& keys) {
    // The mark column numbers the rows as they stand; read after the sort,
    // it tells where each row came from. No sort record names it.
    const int mark = addMarkColumn([](int row) { return row; });
    QVector<int> order;
    try {
        // Bounded by the count at the start, should a deletion ever be refused.
        for (int n = quib_.SortsCount(); n > 0; --n) {
            if (!quib_.DeleteSort(quib_.SortsCount() - 1)) {
                break;
            }
        }
        for (int i = 0; i < keys.size(); ++i) {
            quib_.NewSort(i);
            quib_.SetSortData(i, QStringLiteral("column"), QString::number(keys[i].column));
            quib_.SetSortData(i, QStringLiteral("order"),
                              keys[i].ascending ? QStringLiteral("asc") : QStringLiteral("desc"));
        }
        quib_.Sort();
        order = readMarkColumn(mark);
    } catch (...) {
        quib_.DeleteCol(mark);
        throw;
    }
    quib_.DeleteCol(mark);
    return order;
}

void TRowEditor::MoveRows(const QVector<int>& target) {
    const int mark = addMarkColumn([&target](int row) { return target.value(row, row); });
    try {
        // One ascending record on the mark column, whose cells all differ,
        // decides every comparison: the rows end in the order of their marks
        // whatever the sorts on the way did. Deleting the other records and
        // then this one moves no row.
        quib_.NewSort(0);
        quib_.SetSortData(0, QStringLiteral("order"), QStringLiteral("asc"));
        quib_.SetSortData(0, QStringLiteral("column"), QString::number(mark));
        for (int n = quib_.SortsCount(); n > 1; --n) {
            quib_.DeleteSort(n - 1);
        }
        quib_.DeleteSort(0);
    } catch (...) {
        quib_.DeleteCol(mark);
        throw;
    }
    quib_.DeleteCol(mark);
}
