#include "Utf8.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quib {

char32_t DecodeUtf8(std::string_view s, std::size_t& i) {
    const auto b0 = static_cast<unsigned char>(s[i++]);
    if (b0 < 0x80) {
        return b0;
    }
    int extra = 0;
    char32_t cp = 0;
    char32_t min = 0;
    if ((b0 & 0xE0) == 0xC0) {
        extra = 1, cp = b0 & 0x1F, min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        extra = 2, cp = b0 & 0x0F, min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        extra = 3, cp = b0 & 0x07, min = 0x10000;
    } else {
        return kReplacementCharacter;
    }
    for (int k = 0; k < extra; ++k) {
        if (i >= s.size() || (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) {
            return kReplacementCharacter;
        }
        cp = (cp << 6) | (static_cast<unsigned char>(s[i++]) & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        return kReplacementCharacter;
    }
    return cp;
}

void AppendUtf8(std::string& out, char32_t cp) {
    char bytes[4];
    std::size_t n = 0;
    if (cp < 0x80) {
        bytes[n++] = static_cast<char>(cp);
    } else if (cp < 0x800) {
        bytes[n++] = static_cast<char>(0xC0 | (cp >> 6));
        bytes[n++] = static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        bytes[n++] = static_cast<char>(0xE0 | (cp >> 12));
        bytes[n++] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        bytes[n++] = static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        bytes[n++] = static_cast<char>(0xF0 | (cp >> 18));
        bytes[n++] = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        bytes[n++] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        bytes[n++] = static_cast<char>(0x80 | (cp & 0x3F));
    }
    out.append(bytes, n);
}

namespace {

// Bytes from s on that are ASCII, found 16 at a time.
std::size_t asciiPrefix(const char* s, std::size_t n) {
    std::size_t i = 0;
#if defined(__SSE2__)
    for (; i + 16 <= n; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
        const int high = _mm_movemask_epi8(v);
        if (high != 0) {
            return i + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(high)));
        }
    }
#else
    for (; i + 8 <= n; i += 8) {
        uint64_t w;
        std::memcpy(&w, s + i, 8);
        if ((w & 0x8080808080808080ull) != 0) {
            break;
        }
    }
#endif
    while (i < n && static_cast<unsigned char>(s[i]) < 0x80) {
        ++i;
    }
    return i;
}

}  // namespace

bool IsAsciiLong(const char* s, std::size_t n) {
    return asciiPrefix(s, n) == n;
}

bool IsValidUtf8(const char* s, std::size_t n) {
    const std::string_view text(s, n);
    std::size_t i = 0;
    while (i < n) {
        i += asciiPrefix(s + i, n - i);
        if (i == n) {
            return true;
        }
        const std::size_t at = i;
        if (DecodeUtf8(text, i) == kReplacementCharacter &&
            text.compare(at, 3, "\xEF\xBF\xBD") != 0) {
            return false;
        }
    }
    return true;
}

void SanitizeUtf8(std::string_view text, std::string& out) {
    text = text.substr(0, text.find('\0'));
    if (IsValidUtf8(text)) {
        out.assign(text);
        return;
    }
    out.clear();
    out.reserve(text.size() + 8);
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t run = asciiPrefix(text.data() + i, text.size() - i);
        out.append(text.substr(i, run));
        i += run;
        if (i < text.size()) {
            AppendUtf8(out, DecodeUtf8(text, i));
        }
    }
}

}  // namespace quib
