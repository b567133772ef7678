#pragma once

#include <string>
#include <string_view>

#include "quib/TextEncoding.h"

namespace quib {

// Conversion between the UTF-8 texts of the engine's surface and the texts a
// table stores in its encoding. A NUL character ends a text on the way in.

// What a table keeps of a surface text: for Windows-1250 a character without
// a form becomes "?", for UTF-8 a malformed sequence becomes U+FFFD.
void ToStored(TextEncoding encoding, std::string_view utf8, std::string& out);
std::string ToStored(TextEncoding encoding, std::string_view utf8);

// Whether ToStored keeps every character of the text; the first it cannot
// goes to firstMissing (when given). Always true for UTF-8.
bool CanStore(TextEncoding encoding, std::string_view utf8, char32_t* firstMissing);

// The surface form of a stored text, into out (reusing its room).
void ToSurface(TextEncoding encoding, std::string_view stored, std::string& out);
std::string ToSurface(TextEncoding encoding, std::string_view stored);

// A stored text of one encoding in another; false when a character has no
// form in the other (out is then unspecified).
bool Recode(TextEncoding from, TextEncoding to, std::string_view stored, std::string& out);

}  // namespace quib
