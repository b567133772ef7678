#pragma once

#include "exchange/u_ExchangeError.h"

#include <QString>
#include <QStringView>

// The comma-separated text of the export and the import.

// A double quote, value with every double quote doubled, a double quote.
QString QuoteCsvValue(QStringView value);

// A closing quote followed by something other than a comma. Position is the
// 1-based position of the closing quote in its line; Line is the 1-based line
// number in the file, or 0 when not known.
class ECsvNotWellformed : public EExchangeError {
  public:
    ECsvNotWellformed(int Position, QChar Found, int Line = 0);
    int position() const noexcept { return position_; }
    QChar found() const noexcept { return found_; }
    int line() const noexcept { return line_; }

  private:
    int position_;
    QChar found_;
    int line_;
};

// Reads one field of Line starting at the 1-based position Pos and advances
// Pos past it and its comma. Call with Pos = 1 and again while Pos is not
// beyond Line's length: a trailing comma therefore yields no empty last field
// and an empty line no field at all. A field in double quotes may hold commas
// and doubled quotes; a quoted field without its closing quote takes the rest
// of the line. Double quotes inside an unquoted field are ordinary
// characters. Raises ECsvNotWellformed for a closing quote that is followed
// by anything but a comma or the end of the line.
void ReadCsvField(QStringView Line, int& Pos, QString& Field);
