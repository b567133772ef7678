#include "views/u_BasicFind.h"

#include <QLocale>

namespace BasicFind {

Position DefaultStart(Direction direction) {
    return Position{0, direction == Direction::Down ? 0 : FieldCount - 1};
}

namespace {

// Lower-cases by the user's language rules, so that letters such as "Č" and
// "č" compare equal without match case.
QString Fold(const QString& text, bool matchCase) {
    return matchCase ? text : QLocale().toLower(text);
}

}  // namespace

std::optional<Hit> Find(const CellReader& cell, int rowsCount, Position start,
                        const Request& request) {
    if (request.pattern.isEmpty())
        return std::nullopt;
    const int step = request.direction == Direction::Down ? 1 : -1;
    const int firstField = step > 0 ? 0 : FieldCount - 1;
    const QString pattern = Fold(request.pattern, request.matchCase);

    for (int r = start.record; r >= 0 && r < rowsCount; r += step) {
        const int from = r == start.record ? start.field + step : firstField;
        for (int i = from; i >= 0 && i < FieldCount; i += step) {
            const int q = Fold(cell(r, i), request.matchCase).indexOf(pattern);
            if (q >= 0)
                return Hit{r, i, q};
        }
    }
    return std::nullopt;
}

}  // namespace BasicFind
