#pragma once

#include <QString>
#include <QStringView>

#include <string_view>

// Letter case and accents folded, so that a user's "dvorak" finds "Dvořák"
// and "cerny" finds "ČERNÝ": each character of the Basic Multilingual Plane
// becomes its base letter in lower case, combining marks are dropped, and
// characters beyond the plane stay as they are. Folding keeps no positions:
// a decomposed "é" (e + mark) folds to one character, as a composed one does.
namespace LetterFolding {

// What character c folds to; u'\0' when it is dropped (a combining mark).
char16_t FoldedChar(char16_t c);

// text folded character by character.
QString Fold(QStringView text);
// text folded and appended to out (for folding many texts into one buffer).
void AppendFolded(QStringView text, QString& out);
// The same for valid UTF-8 (as the database gives it), decoded on the way:
// a search of many cells folds each without making a QString of it first.
void AppendFoldedUtf8(std::string_view utf8, QString& out);

}  // namespace LetterFolding
