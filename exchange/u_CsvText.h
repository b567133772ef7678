#pragma once

#include "support/u_ExchangeError.h"

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

// A quoted field still open at the end of the file; Line is the 1-based line
// on which it began.
class ECsvUnterminated : public EExchangeError {
  public:
    explicit ECsvUnterminated(int Line);
    int line() const noexcept { return line_; }

  private:
    int line_;
};
