#include "views/u_BasicFind.h"

#include "support/u_LetterFolding.h"

namespace BasicFind {

Position DefaultStart(Direction direction) {
    return Position{0, direction == Direction::Down ? 0 : FieldCount - 1};
}

namespace {

bool dropped(QChar c) {
    return LetterFolding::FoldedChar(c.unicode()) == u'\0';
}

// The characters of text that folded to its folded characters [at, at +
// length). Marks dropped right after the last of them stay with their letter,
// so that a found "e" covers the whole of a decomposed "é".
Span originalSpan(QStringView text, qsizetype at, qsizetype length) {
    qsizetype begin = 0;
    qsizetype folded = 0;
    qsizetype i = 0;
    for (; i < text.size(); ++i) {
        if (dropped(text[i]))
            continue;
        if (folded == at)
            begin = i;
        if (++folded == at + length) {
            ++i;
            break;
        }
    }
    while (i < text.size() && dropped(text[i]))
        ++i;
    return Span{static_cast<int>(begin), static_cast<int>(i - begin)};
}

// The pattern as the cells are compared with it: folded without match case.
QString preparedPattern(const Request& request) {
    return request.matchCase ? request.pattern : LetterFolding::Fold(request.pattern);
}

// Where pattern (prepared) occurs in text. Without match case text is folded
// into folded, a buffer that keeps its room from cell to cell: a search
// folds every cell, and folding never lengthens a text, so a cell shorter
// than the pattern is skipped unread. Positions are only mapped back to the
// text on a hit.
std::optional<Span> findIn(QStringView text, QStringView pattern, bool matchCase, QString& folded) {
    if (text.size() < pattern.size())
        return std::nullopt;
    if (matchCase) {
        const qsizetype q = text.indexOf(pattern);
        if (q < 0)
            return std::nullopt;
        return Span{static_cast<int>(q), static_cast<int>(pattern.size())};
    }
    folded.resize(0);
    LetterFolding::AppendFolded(text, folded);
    if (folded.size() < pattern.size())
        return std::nullopt;
    const qsizetype q = QStringView(folded).indexOf(pattern);
    if (q < 0)
        return std::nullopt;
    return originalSpan(text, q, pattern.size());
}

// The same search in a cell as the database keeps it: without match case it
// is folded straight from UTF-8; with match case the pattern's UTF-8 is
// looked for in the bytes (UTF-8 never finds a character inside another).
// The cell becomes a QString only on a hit, to give the hit's characters.
std::optional<Span> findInUtf8(std::string_view cell, QStringView pattern,
                               std::string_view patternUtf8, bool matchCase, QString& folded) {
    // A text has at least as many UTF-8 bytes as characters, and folding
    // never lengthens it.
    if (cell.size() < static_cast<std::size_t>(pattern.size()))
        return std::nullopt;
    if (matchCase) {
        const std::size_t at = cell.find(patternUtf8);
        if (at == std::string_view::npos)
            return std::nullopt;
        const qsizetype position =
            QString::fromUtf8(cell.data(), static_cast<qsizetype>(at)).size();
        return Span{static_cast<int>(position), static_cast<int>(pattern.size())};
    }
    folded.resize(0);
    LetterFolding::AppendFoldedUtf8(cell, folded);
    const qsizetype q = QStringView(folded).indexOf(pattern);
    if (q < 0)
        return std::nullopt;
    const QString text = QString::fromUtf8(cell.data(), static_cast<qsizetype>(cell.size()));
    return originalSpan(text, q, pattern.size());
}

}  // namespace

std::optional<Span> FindInText(QStringView text, const Request& request) {
    const QString pattern = preparedPattern(request);
    if (pattern.isEmpty())
        return std::nullopt;
    QString folded;
    return findIn(text, pattern, request.matchCase, folded);
}

namespace {

// Walks the cells after start in the request's direction, record by record,
// until search(record, field) finds the pattern in one.
template <typename CellSearch>
std::optional<Hit> walk(int rowsCount, Position start, Direction direction, const RecordTick& tick,
                        const CellSearch& search) {
    const int step = direction == Direction::Down ? 1 : -1;
    const int firstField = step > 0 ? 0 : FieldCount - 1;
    for (int r = start.record; r >= 0 && r < rowsCount; r += step) {
        if (tick)
            tick();
        const int from = r == start.record ? start.field + step : firstField;
        for (int i = from; i >= 0 && i < FieldCount; i += step) {
            if (const std::optional<Span> span = search(r, i))
                return Hit{r, i, span->position, span->length};
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<Hit> Find(const CellInto& cell, int rowsCount, Position start, const Request& request,
                        const RecordTick& tick) {
    // A pattern of combining marks alone folds to nothing and finds nothing.
    const QString pattern = preparedPattern(request);
    if (pattern.isEmpty())
        return std::nullopt;
    QString text;
    QString folded;
    return walk(rowsCount, start, request.direction, tick, [&](int r, int i) {
        cell(r, i, text);
        return findIn(text, pattern, request.matchCase, folded);
    });
}

std::optional<Hit> Find(const CellReader& cell, int rowsCount, Position start,
                        const Request& request) {
    const CellInto into = [&cell](int row, int field, QString& out) { out = cell(row, field); };
    return Find(into, rowsCount, start, request);
}

std::optional<Hit> Find(const CellView& cell, int rowsCount, Position start, const Request& request,
                        const RecordTick& tick) {
    const QString pattern = preparedPattern(request);
    if (pattern.isEmpty())
        return std::nullopt;
    const QByteArray patternUtf8 = pattern.toUtf8();
    const std::string_view patternBytes(patternUtf8.constData(),
                                        static_cast<std::size_t>(patternUtf8.size()));
    QString folded;
    return walk(rowsCount, start, request.direction, tick, [&](int r, int i) {
        return findInUtf8(cell(r, i), pattern, patternBytes, request.matchCase, folded);
    });
}

}  // namespace BasicFind
