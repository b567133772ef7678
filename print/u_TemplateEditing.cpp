#include "print/u_TemplateEditing.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace TemplateEditing {

namespace {

bool IsDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// The amount of a size tag whose "]" stands at close, or nothing.
std::optional<int> SizeTagEndingAt(QStringView text, qsizetype close) {
    for (const qsizetype digits : {1, 2}) {
        const qsizetype open = close - digits - 3;
        if (open < 0 || text[open] != u'[' || text[open + 1] != u'P') {
            continue;
        }
        const QChar sign = text[open + 2];
        if (sign != u'+' && sign != u'-') {
            continue;
        }
        const QStringView number = text.mid(open + 3, digits);
        if (!std::all_of(number.begin(), number.end(), IsDigit)) {
            continue;
        }
        const int amount = number.toInt();
        return sign == u'-' ? -amount : amount;
    }
    return std::nullopt;
}

}  // namespace

QString SizeTag(int amount) {
    const QChar sign = amount < 0 ? u'-' : u'+';
    return QStringLiteral("[P") + sign +
           QStringLiteral("%1]").arg(std::abs(amount), 2, 10, QLatin1Char('0'));
}

int SizeAmountBefore(QStringView text, qsizetype position) {
    for (qsizetype close = std::min(position, text.size()) - 1; close >= 0; --close) {
        if (text[close] == u']') {
            if (const auto amount = SizeTagEndingAt(text, close)) {
                return *amount;
            }
        }
    }
    return 0;
}

QString FieldTag(const QString& name) {
    return QStringLiteral("[FIELD:") + name + u']';
}

int AmountOfCaption(QString caption) {
    caption.remove(u'&');
    bool ok = false;
    const int amount = caption.toInt(&ok);
    return ok ? amount : 0;
}

}  // namespace TemplateEditing
