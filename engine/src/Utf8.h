#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quib {

// UTF-8 as the engine checks and writes it: shortest forms only, no
// surrogates, nothing above U+10FFFF.

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// Decodes one sequence at s[i] and advances i past it; a malformed
// sequence gives U+FFFD and advances past its lead byte and the
// continuation bytes that belong to it.
char32_t DecodeUtf8(std::string_view s, std::size_t& i);

void AppendUtf8(std::string& out, char32_t cp);

// Whether the bytes are well-formed UTF-8 (a NUL byte is).
bool IsValidUtf8(const char* s, std::size_t n);
inline bool IsValidUtf8(std::string_view s) {
    return IsValidUtf8(s.data(), s.size());
}

// Whether no byte is 0x80 or above.
bool IsAscii(const char* s, std::size_t n);

// The text up to its first NUL, malformed sequences replaced by U+FFFD:
// what the engine keeps of a text given to a UTF-8 table.
void SanitizeUtf8(std::string_view text, std::string& out);

}  // namespace quib
