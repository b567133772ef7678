#pragma once

#include <cstdint>
#include <optional>

// The two single-byte code pages that template files use: Windows-1250
// (Central European, what the program writes) and Windows-1252 (Western).
// The tables are built in so that the template reader needs no library.
namespace rtf {

enum class CodePage { Windows1250, Windows1252 };

// The character of byte b. Bytes a code page leaves unassigned become the
// control character of the same value.
char16_t DecodeByte(CodePage page, uint8_t b);

// The byte for ch, or nothing when the code page has none.
std::optional<uint8_t> EncodeChar(CodePage page, char16_t ch);

// The code page an RTF \ansicpgN or \fcharsetN names; nothing for one this
// reader does not know.
std::optional<CodePage> CodePageFromNumber(int ansicpg);
std::optional<CodePage> CodePageFromCharset(int fcharset);

}  // namespace rtf
