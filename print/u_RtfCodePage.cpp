#include "print/u_RtfCodePage.h"

#include "quib/CodePage.h"

#include <array>

namespace rtf {

namespace {

using HighHalf = std::array<char16_t, 128>;

// Windows-1252 differs from Latin-1 only in 0x80..0x9F.
constexpr HighHalf make1252() {
    constexpr std::array<char16_t, 32> low{
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88
        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98
    };
    HighHalf t{};
    for (std::size_t i = 0; i < t.size(); ++i) {
        t[i] = i < low.size() ? low[i] : static_cast<char16_t>(0x80 + i);
    }
    return t;
}
constexpr HighHalf k1252 = make1252();

}  // namespace

char16_t DecodeByte(CodePage page, uint8_t b) {
    if (b < 0x80) {
        return char16_t{b};
    }
    // Windows-1250 is the engine's own code page: one table for both.
    return page == CodePage::Windows1250 ? static_cast<char16_t>(quib::Cp1250ToUnicode(b))
                                         : k1252[b - 0x80];
}

std::optional<uint8_t> EncodeChar(CodePage page, char16_t ch) {
    if (ch < 0x80) {
        return static_cast<uint8_t>(ch);
    }
    if (page == CodePage::Windows1250) {
        const char byte = quib::UnicodeToCp1250(ch);
        if (byte == '?') {
            return std::nullopt;
        }
        return static_cast<uint8_t>(byte);
    }
    // A linear search is enough: the writer calls it only for non-ASCII text.
    for (std::size_t i = 0; i < k1252.size(); ++i) {
        if (k1252[i] == ch) {
            return static_cast<uint8_t>(0x80 + i);
        }
    }
    return std::nullopt;
}

std::optional<CodePage> CodePageFromNumber(int ansicpg) {
    switch (ansicpg) {
        case 1250:
            return CodePage::Windows1250;
        case 1252:
            return CodePage::Windows1252;
        default:
            return std::nullopt;
    }
}

std::optional<CodePage> CodePageFromCharset(int fcharset) {
    switch (fcharset) {
        case 238:  // EASTEUROPE_CHARSET
            return CodePage::Windows1250;
        case 0:  // ANSI_CHARSET
            return CodePage::Windows1252;
        default:
            return std::nullopt;
    }
}

}  // namespace rtf
