#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
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
// The same for bytes followed by at least 31 more that may be read (and are
// ignored): the last piece is read in place.
bool IsValidUtf8Readable(const char* s, std::size_t n);

// Whether no byte of a text longer than 16 bytes is 0x80 or above.
bool IsAsciiLong(const char* s, std::size_t n);

// Whether no byte is 0x80 or above: a few loads for a short text.
inline bool IsAscii(const char* s, std::size_t n) {
    if (n >= 8) {
        if (n > 16) {
            return IsAsciiLong(s, n);
        }
        uint64_t a;
        uint64_t b;
        std::memcpy(&a, s, 8);
        std::memcpy(&b, s + n - 8, 8);
        return ((a | b) & 0x8080808080808080ull) == 0;
    }
    if (n >= 4) {
        uint32_t a;
        uint32_t b;
        std::memcpy(&a, s, 4);
        std::memcpy(&b, s + n - 4, 4);
        return ((a | b) & 0x80808080u) == 0;
    }
    if (n == 0) {
        return true;
    }
    const auto at = [s](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    return ((at(0) | at(n / 2) | at(n - 1)) & 0x80) == 0;
}

// The text up to its first NUL, malformed sequences replaced by U+FFFD:
// what the engine keeps of a text given to a UTF-8 table.
void SanitizeUtf8(std::string_view text, std::string& out);

}  // namespace quib
