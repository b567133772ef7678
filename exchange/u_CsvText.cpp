#include "exchange/u_CsvText.h"

#include <QCoreApplication>

namespace {

constexpr QChar kQuote = u'"';
constexpr QChar kComma = u',';

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

// Pos is 1-based; these read the character at a 1-based position.
QChar at(QStringView line, int pos) {
    return line[pos - 1];
}

void readQuoted(QStringView Line, int& Pos, QString& Field) {
    const int Len = static_cast<int>(Line.size());
    ++Pos;  // the opening quote
    while (Pos <= Len) {
        if (at(Line, Pos) == kQuote) {
            if (Pos + 1 <= Len && at(Line, Pos + 1) == kQuote) {
                Field += kQuote;
                Pos += 2;
                continue;
            }
            if (Pos + 1 > Len || at(Line, Pos + 1) == kComma) {
                Pos += 2;  // past the closing quote and its comma
                return;
            }
            throw ECsvNotWellformed(Pos, at(Line, Pos + 1));
        }
        // Take the run up to the next quote in one piece.
        qsizetype next = Line.indexOf(kQuote, Pos - 1);
        if (next < 0) {
            next = Len;
        }
        Field += Line.sliced(Pos - 1, next - (Pos - 1));
        Pos = static_cast<int>(next) + 1;
    }
    // No closing quote on this line: the field is the rest of it.
}

void readUnquoted(QStringView Line, int& Pos, QString& Field) {
    const int Len = static_cast<int>(Line.size());
    const int start = Pos;
    while (Pos <= Len && at(Line, Pos) != kComma) {
        ++Pos;
    }
    Field = Line.mid(start - 1, Pos - start).toString();
    if (Pos <= Len) {
        ++Pos;  // the comma
    }
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

void ReadCsvField(QStringView Line, int& Pos, QString& Field) {
    Field.clear();
    if (Pos < 1 || Pos > Line.size()) {
        // Nothing left to read; the caller's loop stops on this Pos.
        Pos = static_cast<int>(Line.size()) + 1;
        return;
    }
    if (at(Line, Pos) == kComma) {
        ++Pos;
        return;
    }
    if (at(Line, Pos) == kQuote) {
        readQuoted(Line, Pos, Field);
        return;
    }
    readUnquoted(Line, Pos, Field);
}
