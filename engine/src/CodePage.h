#pragma once

#include "quib/CodePage.h"

#include <string>
#include <string_view>

#include "Utf8.h"

namespace quib {

// Conversion between the UTF-8 of the engine's surface and the Windows-1250
// single-byte text it stores.

// A character without a Windows-1250 form becomes '?'; so does a malformed
// UTF-8 sequence. A NUL character ends the text.
std::string Utf8ToCp1250(std::string_view utf8);
// The same into out; false when a character became '?' (the first of
// them in firstMissing, when given).
bool Utf8ToCp1250(std::string_view utf8, std::string& out, char32_t* firstMissing);
// Whether every character up to the first NUL has a Windows-1250 form;
// when not, the first that has none goes to firstMissing (when given). A
// malformed sequence counts as U+FFFD, which has none.
bool FitsCp1250(std::string_view utf8, char32_t* firstMissing);

// Converts a text with a byte of 0x80 or above.
std::string Cp1250ToUtf8Wide(std::string_view cp1250);

inline std::string Cp1250ToUtf8(std::string_view cp1250) {
    if (IsAscii(cp1250.data(), cp1250.size())) {
        return std::string(cp1250);
    }
    return Cp1250ToUtf8Wide(cp1250);
}
// The same into out, reusing its room.
void Cp1250ToUtf8(std::string_view cp1250, std::string& out);

}  // namespace quib
