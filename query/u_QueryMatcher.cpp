#include "query/u_QueryMatcher.h"

#include "session/u_QuibReader.h"

namespace {

// Folds text letter by letter as a comparison without regard to case does
// (so that comparing folded texts exactly gives the same answer), reusing
// out's room. False when the text holds a letter beyond the basic plane,
// which that comparison folds as a pair.
bool FoldLetters(QStringView text, QString& out) {
    out.resize(text.size());
    QChar* dest = out.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80) {
            dest[i] = QChar(c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 0x20) : c);
        } else if (QChar::isSurrogate(c)) {
            return false;
        } else {
            dest[i] = QChar(QChar::toCaseFolded(c));
        }
    }
    return true;
}

// The same fold straight from the engine's UTF-8, decoding on the way;
// returns the folded length, or -1 for a letter beyond the basic plane.
qsizetype FoldUtf8(std::string_view utf8, std::vector<char16_t>& out) {
    if (out.size() < utf8.size())
        out.resize(utf8.size());
    char16_t* dest = out.data();
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    const unsigned char* const end = p + utf8.size();
    qsizetype n = 0;
    while (p < end) {
        const unsigned b = *p;
        if (b < 0x80) {
            dest[n++] = static_cast<char16_t>(b >= 'A' && b <= 'Z' ? b + 0x20 : b);
            ++p;
            continue;
        }
        char16_t c = 0;
        if ((b & 0xE0) == 0xC0 && end - p >= 2) {
            c = static_cast<char16_t>(((b & 0x1F) << 6) | (p[1] & 0x3F));
            p += 2;
        } else if ((b & 0xF0) == 0xE0 && end - p >= 3) {
            c = static_cast<char16_t>(((b & 0x0F) << 12) | ((p[1] & 0x3F) << 6) | (p[2] & 0x3F));
            p += 3;
        } else {
            return -1;  // beyond the basic plane (the engine gives valid UTF-8)
        }
        if (QChar::isSurrogate(c))
            return -1;
        dest[n++] = QChar::toCaseFolded(c);
    }
    return n;
}

}  // namespace

TQueryMatcher::TQueryMatcher(const TQuery& query, const TColumnMap& indexFromProgram)
    : op_(query.op()) {
    const int slotCount = indexFromProgram.size();
    columns_.reserve(slotCount);
    for (int column : indexFromProgram.entries())
        columns_.append(column >= 0 ? column : kMissingColumn);
    cells_.resize(slotCount);
    read_.resize(slotCount);
    slots_.resize(static_cast<std::size_t>(slotCount));

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
        QString folded;
        if (!row.caseSensitive && FoldLetters(QStringView(c.needle), folded))
            c.folded = std::move(folded);
        conditions_.push_back(std::move(c));
    }
}

bool TQueryMatcher::Matches(const TQuibReader& quib, int row) const {
    if (conditions_.empty())
        return true;
    // Cells are kept only while one row is tested: the table may change
    // between two calls.
    read_.fill(false);
    for (Slot& slot : slots_) {
        slot.foldedLength = kNotFolded;
        slot.bytes = -1;
    }
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
    if (c.folded) {
        // Both sides folded: an exact comparison, much cheaper than one
        // that folds every letter at every place it tries.
        const QStringView needle(*c.folded);
        QStringView value;
        const FoldResult fold = FoldedCell(quib, row, slot, needle.size(), value);
        if (fold == FoldResult::Shorter) {
            // Neither the needle nor the same text.
            return c.compar == TQuery::DoesNotContain || c.compar == TQuery::IsNot;
        }
        if (fold == FoldResult::Folded) {
            switch (c.compar) {
                case TQuery::DoesNotContain:
                    return needle.isEmpty() || !value.contains(needle);
                case TQuery::Is:
                    return value == needle;
                case TQuery::IsNot:
                    return value != needle;
                default:
                    return !needle.isEmpty() && value.contains(needle);
            }
        }
    }
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
        // Into the slot's own room: testing many rows allocates nothing.
        quib.GetDataInto(row, columns_[slot], cells_[slot]);
        read_[slot] = true;
    }
    return cells_[slot];
}

TQueryMatcher::FoldResult TQueryMatcher::FoldedCell(const TQuibReader& quib, int row, int slot,
                                                    qsizetype minLength,
                                                    QStringView& folded) const {
    if (slot < 0 || slot >= columns_.size() || columns_[slot] < 0) {
        folded = QStringView();
        return FoldResult::Folded;
    }
    Slot& s = slots_[static_cast<std::size_t>(slot)];
    if (s.foldedLength == kNotFolded) {
        if (read_[slot]) {
            s.foldedLength =
                FoldLetters(cells_[slot], s.foldedText) ? cells_[slot].size() : kCannotFold;
            if (s.foldedLength >= 0)
                s.folded.assign(s.foldedText.utf16(), s.foldedText.utf16() + s.foldedLength);
        } else {
            // A text of fewer bytes than the needle has letters is shorter
            // folded too: it is not folded at all.
            if (s.bytes >= 0 && s.bytes < minLength)
                return FoldResult::Shorter;
            const std::string_view view = quib.DataView(row, columns_[slot]);
            s.bytes = static_cast<qsizetype>(view.size());
            if (s.bytes < minLength)
                return FoldResult::Shorter;
            s.foldedLength = FoldUtf8(view, s.folded);
        }
    }
    if (s.foldedLength < 0)
        return FoldResult::Cannot;
    folded = QStringView(s.folded.data(), s.foldedLength);
    return folded.size() < minLength ? FoldResult::Shorter : FoldResult::Folded;
}
