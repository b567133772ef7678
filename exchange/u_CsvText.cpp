#include "exchange/u_CsvText.h"

#include <QCoreApplication>

namespace {

constexpr QChar kQuote = u'"';

QString notWellformedText(int position, QChar found, int line) {
    QString text = QCoreApplication::translate(
                       "Csv",
                       "Source CSV file is not wellformed (position %1). Excepting \",\" (comma), "
                       "but \"%2\" found.")
                       .arg(position)
                       .arg(found);
    if (line > 0) {
        text += QCoreApplication::translate("Csv", " (line %1)").arg(line);
    }
    return text;
}

}  // namespace

QString QuoteCsvValue(QStringView value) {
    QString quoted;
    quoted.reserve(value.size() + 2);
    quoted += kQuote;
    for (const QChar ch : value) {
        if (ch == kQuote) {
            quoted += kQuote;
        }
        quoted += ch;
    }
    quoted += kQuote;
    return quoted;
}

ECsvNotWellformed::ECsvNotWellformed(int Position, QChar Found, int Line)
    : EExchangeError(notWellformedText(Position, Found, Line)),
      position_(Position),
      found_(Found),
      line_(Line) {}

ECsvUnterminated::ECsvUnterminated(int Line)
    : EExchangeError(QCoreApplication::translate("Csv",
                                                 "Source CSV file is not wellformed: the quoted "
                                                 "value that begins on line %1 has no closing "
                                                 "quote.")
                         .arg(Line)),
      line_(Line) {}
