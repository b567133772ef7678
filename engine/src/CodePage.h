#pragma once

#include "quib/CodePage.h"

#include <string>
#include <string_view>

namespace quib {

// Conversion between the UTF-8 of the engine's surface and the Windows-1250
// single-byte text it stores.

// A character without a Windows-1250 form becomes '?'; so does a malformed
// UTF-8 sequence. A NUL character ends the text.
std::string Utf8ToCp1250(std::string_view utf8);

std::string Cp1250ToUtf8(std::string_view cp1250);

}  // namespace quib
