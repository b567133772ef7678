#include "Utf8.h"

#include <cstring>

#if defined(__SSE2__)
#include <immintrin.h>
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

namespace {

bool validUtf8Scalar(const char* s, std::size_t n);

}  // namespace

#if defined(__SSE2__)
namespace {

// Checks s[0..n) 32 bytes at a time for what Central European text holds:
// ASCII and two-byte characters, whose continuation bytes (80..BF) must
// follow lead bytes (C2..DF) one for one. Without a branch on the bytes:
// whether a piece holds letters beyond ASCII is random, and a wrong guess
// costs more than the few operations. When anything else turns up (a
// character of three or four bytes, C0, C1, F5..FF) the text is checked
// byte by byte. load(at) gives the 16 bytes at s + at, the last piece's
// bytes past n being ignored.
template <typename Load>
bool validTwoByteUtf8(const char* s, std::size_t n, Load load) {
    const __m128i continuationLimit = _mm_set1_epi8(static_cast<char>(0xC0));
    const __m128i leadBase = _mm_set1_epi8(static_cast<char>(0xC2));
    const __m128i flip = _mm_set1_epi8(static_cast<char>(0x80));
    const __m128i leadSpan = _mm_set1_epi8(static_cast<char>(0x1E ^ 0x80));
    const auto masks = [&](__m128i v, uint32_t& high, uint32_t& continuation, uint32_t& lead) {
        high = static_cast<uint32_t>(_mm_movemask_epi8(v));
        // 80..BF are the signed bytes below -64; C2..DF lie 0..1D above C2.
        continuation =
            static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmplt_epi8(v, continuationLimit)));
        const __m128i fromBase = _mm_xor_si128(_mm_sub_epi8(v, leadBase), flip);
        lead = static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmplt_epi8(fromBase, leadSpan)));
    };
    uint32_t pendingLead = 0;  // the piece before ended in a lead byte
    uint32_t other = 0;
    uint32_t wrong = 0;
    for (std::size_t at = 0; at < n; at += 32) {
        uint32_t h0, c0, l0, h1, c1, l1;
        masks(load(at), h0, c0, l0);
        masks(load(at + 16), h1, c1, l1);
        const std::size_t left = n - at;
        const uint32_t range = left >= 32 ? ~uint32_t{0} : (uint32_t{1} << left) - 1;
        const uint32_t high = (h0 | (h1 << 16)) & range;
        const uint32_t continuation = (c0 | (c1 << 16)) & range;
        const uint32_t lead = (l0 | (l1 << 16)) & range;
        other |= high & ~(continuation | lead);
        wrong |= continuation ^ (((lead << 1) | pendingLead) & range);
        pendingLead = (lead >> (left >= 32 ? 31 : left - 1)) & 1;
    }
    if (other != 0) {
        return validUtf8Scalar(s, n);
    }
    return wrong == 0 && pendingLead == 0;
}

}  // namespace

bool IsValidUtf8(const char* s, std::size_t n) {
    return validTwoByteUtf8(s, n, [&](std::size_t at) {
        if (at < n && n - at >= 16) {
            return _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + at));
        }
        alignas(16) char tail[16] = {};
        if (at < n) {
            std::memcpy(tail, s + at, n - at);
        }
        return _mm_load_si128(reinterpret_cast<const __m128i*>(tail));
    });
}

namespace {

// The same check as validTwoByteUtf8 with 32-byte vectors, for processors
// that have them: one load and one set of masks per 32 bytes.
__attribute__((target("avx2"))) bool validTwoByteUtf8Avx2(const char* s, std::size_t n) {
    const __m256i continuationLimit = _mm256_set1_epi8(static_cast<char>(0xC0));
    const __m256i leadBase = _mm256_set1_epi8(static_cast<char>(0xC2));
    const __m256i flip = _mm256_set1_epi8(static_cast<char>(0x80));
    const __m256i leadSpan = _mm256_set1_epi8(static_cast<char>(0x1E ^ 0x80));
    uint32_t pendingLead = 0;
    uint32_t other = 0;
    uint32_t wrong = 0;
    for (std::size_t at = 0; at < n; at += 32) {
        const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + at));
        const std::size_t left = n - at;
        const uint32_t range = left >= 32 ? ~uint32_t{0} : (uint32_t{1} << left) - 1;
        const auto high = static_cast<uint32_t>(_mm256_movemask_epi8(v)) & range;
        const auto continuation =
            static_cast<uint32_t>(_mm256_movemask_epi8(_mm256_cmpgt_epi8(continuationLimit, v))) &
            range;
        const __m256i fromBase = _mm256_xor_si256(_mm256_sub_epi8(v, leadBase), flip);
        const auto lead =
            static_cast<uint32_t>(_mm256_movemask_epi8(_mm256_cmpgt_epi8(leadSpan, fromBase))) &
            range;
        other |= high & ~(continuation | lead);
        wrong |= continuation ^ (((lead << 1) | pendingLead) & range);
        pendingLead = (lead >> (left >= 32 ? 31 : left - 1)) & 1;
    }
    if (other != 0) {
        return validUtf8Scalar(s, n);
    }
    return wrong == 0 && pendingLead == 0;
}

}  // namespace

bool IsValidUtf8Readable(const char* s, std::size_t n) {
    static const bool avx2 = __builtin_cpu_supports("avx2");
    if (avx2) {
        return validTwoByteUtf8Avx2(s, n);
    }
    return validTwoByteUtf8(s, n, [&](std::size_t at) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + at));
    });
}
#else
bool IsValidUtf8(const char* s, std::size_t n) {
    return validUtf8Scalar(s, n);
}

bool IsValidUtf8Readable(const char* s, std::size_t n) {
    return validUtf8Scalar(s, n);
}
#endif

namespace {

bool validUtf8Scalar(const char* s, std::size_t n) {
    const auto* p = reinterpret_cast<const unsigned char*>(s);
    const unsigned char* const end = p + n;
    while (p < end) {
        // ASCII eight bytes at a time, then byte by byte.
        while (end - p >= 8) {
            uint64_t w;
            std::memcpy(&w, p, 8);
            if ((w & 0x8080808080808080ull) != 0) {
                break;
            }
            p += 8;
        }
        while (p < end && *p < 0x80) {
            ++p;
        }
        if (p == end) {
            return true;
        }
        const unsigned b0 = *p;
        const std::ptrdiff_t left = end - p;
        const auto continuation = [&](std::ptrdiff_t k) { return (p[k] & 0xC0) == 0x80; };
        if (b0 >= 0xC2 && b0 <= 0xDF) {
            if (left < 2 || !continuation(1)) {
                return false;
            }
            p += 2;
        } else if (b0 >= 0xE0 && b0 <= 0xEF) {
            if (left < 3 || !continuation(1) || !continuation(2)) {
                return false;
            }
            const unsigned b1 = p[1];
            // No overlong forms (E0 80..9F) and no surrogates (ED A0..BF).
            if ((b0 == 0xE0 && b1 < 0xA0) || (b0 == 0xED && b1 > 0x9F)) {
                return false;
            }
            p += 3;
        } else if (b0 >= 0xF0 && b0 <= 0xF4) {
            if (left < 4 || !continuation(1) || !continuation(2) || !continuation(3)) {
                return false;
            }
            const unsigned b1 = p[1];
            // No overlong forms (F0 80..8F), nothing above U+10FFFF (F4 90..).
            if ((b0 == 0xF0 && b1 < 0x90) || (b0 == 0xF4 && b1 > 0x8F)) {
                return false;
            }
            p += 4;
        } else {
            return false;  // a continuation byte, C0, C1 or F5..FF as a lead
        }
    }
    return true;
}

}  // namespace

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
