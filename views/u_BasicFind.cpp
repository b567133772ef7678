#include "views/u_BasicFind.h"

#include <QLocale>

namespace BasicFind {

Position DefaultStart(Direction direction) {
    return Position{0, direction == Direction::Down ? 0 : FieldCount - 1};
}

namespace {

// Lower-cases by the user's language rules, so that letters such as "Č" and
// "č" compare equal without match case. A search folds every cell: where
// the language's rules are the plain per-letter ones, a cell is folded in
// place letter by letter, and only the few letters whose lower case depends
// on their neighbours or takes more letters go the locale's way.
class TFolder {
  public:
    TFolder() {
        const QLocale::Language language = locale_.language();
        // Turkish and Azeri dotless i, Lithuanian dots above.
        perLetter_ = language != QLocale::Turkish && language != QLocale::Azerbaijani &&
                     language != QLocale::Lithuanian;
    }

    QString Fold(const QString& text) const { return locale_.toLower(text); }

    void FoldInto(const QString& text, QString& out) const {
        if (!perLetter_) {
            out = locale_.toLower(text);
            return;
        }
        out.resize(text.size());
        const auto* in = reinterpret_cast<const char16_t*>(text.constData());
        auto* dest = reinterpret_cast<char16_t*>(out.data());
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char16_t c = in[i];
            if (c < 0x80) {
                dest[i] = c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 0x20) : c;
            } else if (QChar::isSurrogate(c) || c == 0x0130 || c == 0x03A3) {
                // Beyond the basic plane, "İ" (two letters in lower case)
                // and "Σ" (whose lower case depends on the word's end).
                out = locale_.toLower(text);
                return;
            } else {
                dest[i] = QChar::toLower(c);
            }
        }
    }

  private:
    QLocale locale_;
    bool perLetter_ = false;
};

}  // namespace

std::optional<Hit> Find(const CellInto& cell, int rowsCount, Position start, const Request& request,
                        const RecordTick& tick) {
    if (request.pattern.isEmpty())
        return std::nullopt;
    const int step = request.direction == Direction::Down ? 1 : -1;
    const int firstField = step > 0 ? 0 : FieldCount - 1;
    const TFolder folder;
    const QString pattern = request.matchCase ? request.pattern : folder.Fold(request.pattern);
    QString text;
    QString folded;

    for (int r = start.record; r >= 0 && r < rowsCount; r += step) {
        if (tick)
            tick();
        const int from = r == start.record ? start.field + step : firstField;
        for (int i = from; i >= 0 && i < FieldCount; i += step) {
            cell(r, i, text);
            if (!request.matchCase)
                folder.FoldInto(text, folded);
            const QString& haystack = request.matchCase ? text : folded;
            if (haystack.size() < pattern.size())
                continue;
            const qsizetype q = haystack.indexOf(pattern);
            if (q >= 0)
                return Hit{r, i, static_cast<int>(q)};
        }
    }
    return std::nullopt;
}

std::optional<Hit> Find(const CellReader& cell, int rowsCount, Position start,
                        const Request& request) {
    const CellInto into = [&cell](int row, int field, QString& out) { out = cell(row, field); };
    return Find(into, rowsCount, start, request);
}

}  // namespace BasicFind
