#pragma once

#include "support/u_ExchangeError.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class TQuibReader;

// A Central European (Windows-1250) database holds only the letters of its
// code page. Before a text enters one, the session looks for the first
// character it cannot hold; nothing is ever stored as "?".

// The first character of a text that the database cannot hold, and where.
struct TUnstorableText {
    QString character;  // the character (one code point)
    int column = 0;     // the database column of the text
    QString field;      // the full title of the column's program field
};

// The first character in texts (one per database column) that quib cannot
// store; none when every text can be stored.
std::optional<TUnstorableText> FirstUnstorableText(const TQuibReader& quib,
                                                   const QStringList& texts);

// The question the program asks before it converts a database so that it
// can hold character.
QString UnicodeConversionQuestion(const QString& character);

// Raised when a text was not stored because the database cannot hold one of
// its characters and it was not converted: nothing of the change is stored.
// The message names the character and the field.
class ETextNotStored : public EExchangeError {
  public:
    explicit ETextNotStored(const TUnstorableText& text);
    const TUnstorableText& text() const noexcept { return text_; }

  private:
    TUnstorableText text_;
};
