#include "CodePage.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#include "Utf8.h"

static_assert(std::endian::native == std::endian::little,
              "the UTF-8 forms are stored little-endian");

namespace quib {
namespace {

// Code points of the bytes 0x80..0xFF. The five bytes Windows-1250 leaves
// undefined map to the C1 control of the same number, so every byte survives
// a round trip.
constexpr std::array<char16_t, 128> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,  // 88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,  // 98
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,  // A0
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,  // A8
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,  // B8
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,  // C0
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,  // C8
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,  // D0
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,  // D8
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,  // E0
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,  // E8
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,  // F0
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,  // F8
};

// The Windows-1250 byte of every code point below U+0180 that has one, 0
// for none; the few above it are looked up in kHigh.
constexpr std::array<unsigned char, 0x180> kLowBytes = [] {
    std::array<unsigned char, 0x180> bytes{};
    for (std::size_t b = 0; b < 0x80; ++b) {
        bytes[b] = static_cast<unsigned char>(b);
    }
    for (std::size_t i = 0; i < kHigh.size(); ++i) {
        if (kHigh[i] < 0x180) {
            bytes[kHigh[i]] = static_cast<unsigned char>(0x80 + i);
        }
    }
    return bytes;
}();

// The UTF-8 form of every byte: its bytes in the low three bytes (first
// byte lowest), its length in the top byte.
constexpr std::array<uint32_t, 256> kUtf8Of = [] {
    std::array<uint32_t, 256> forms{};
    for (uint32_t b = 0; b < 256; ++b) {
        const char32_t cp = b < 0x80 ? b : kHigh[b - 0x80];
        if (cp < 0x80) {
            forms[b] = cp | (1u << 24);
        } else if (cp < 0x800) {
            forms[b] = (0xC0 | (cp >> 6)) | ((0x80 | (cp & 0x3F)) << 8) | (2u << 24);
        } else {
            forms[b] = (0xE0 | (cp >> 12)) | ((0x80 | ((cp >> 6) & 0x3F)) << 8) |
                       ((0x80 | (cp & 0x3F)) << 16) | (3u << 24);
        }
    }
    return forms;
}();

}  // namespace

bool Utf8ToCp1250(std::string_view utf8, std::string& out, char32_t* firstMissing) {
    utf8 = utf8.substr(0, utf8.find('\0'));
    if (IsAscii(utf8.data(), utf8.size())) {
        out.assign(utf8);
        return true;
    }
    out.clear();
    out.reserve(utf8.size());
    bool whole = true;
    std::size_t i = 0;
    while (i < utf8.size()) {
        const char32_t cp = DecodeUtf8(utf8, i);
        const char byte = UnicodeToCp1250(cp);
        if (byte == '?' && cp != U'?' && whole) {
            whole = false;
            if (firstMissing != nullptr) {
                *firstMissing = cp;
            }
        }
        out.push_back(byte);
    }
    return whole;
}

std::string Utf8ToCp1250(std::string_view utf8) {
    std::string out;
    Utf8ToCp1250(utf8, out, nullptr);
    return out;
}

bool FitsCp1250(std::string_view utf8, char32_t* firstMissing) {
    utf8 = utf8.substr(0, utf8.find('\0'));
    std::size_t i = 0;
    while (i < utf8.size()) {
        if (static_cast<unsigned char>(utf8[i]) < 0x80) {
            ++i;
            continue;
        }
        const char32_t cp = DecodeUtf8(utf8, i);
        if (UnicodeToCp1250(cp) == '?') {
            if (firstMissing != nullptr) {
                *firstMissing = cp;
            }
            return false;
        }
    }
    return true;
}

namespace {

// Texts up to this many bytes are converted in one pass on the stack.
constexpr std::size_t kShortText = 128;

// Writes the UTF-8 form of each byte at out, which has room for three
// bytes per byte and eight more; returns where the text ends.
char* putUtf8(std::string_view cp1250, char* out) {
    const char* in = cp1250.data();
    const char* const end = in + cp1250.size();
    while (in < end) {
        // ASCII eight bytes at a time, the rest through the table.
        uint64_t word;
        if (end - in >= 8 && (std::memcpy(&word, in, 8), (word & 0x8080808080808080ull) == 0)) {
            std::memcpy(out, &word, 8);
            in += 8;
            out += 8;
            continue;
        }
        const uint32_t form = kUtf8Of[static_cast<unsigned char>(*in++)];
        std::memcpy(out, &form, 4);  // little-endian: the form's first byte first
        out += form >> 24;
    }
    return out;
}

std::size_t utf8Length(std::string_view cp1250) {
    std::size_t length = 0;
    for (const char c : cp1250) {
        length += kUtf8Of[static_cast<unsigned char>(c)] >> 24;
    }
    return length;
}

}  // namespace

std::string Cp1250ToUtf8Wide(std::string_view cp1250) {
    if (cp1250.size() <= kShortText) {
        char buffer[3 * kShortText + 8];
        return std::string(buffer, putUtf8(cp1250, buffer));
    }
    std::string out;
    const std::size_t length = utf8Length(cp1250);
    out.resize(length + 8);
    putUtf8(cp1250, out.data());
    out.resize(length);
    return out;
}

void Cp1250ToUtf8(std::string_view cp1250, std::string& out) {
    if (IsAscii(cp1250.data(), cp1250.size())) {
        out.assign(cp1250);
        return;
    }
    if (cp1250.size() <= kShortText) {
        char buffer[3 * kShortText + 8];
        out.assign(buffer, putUtf8(cp1250, buffer));
        return;
    }
    const std::size_t length = utf8Length(cp1250);
    out.resize(length + 8);
    putUtf8(cp1250, out.data());
    out.resize(length);
}

char32_t Cp1250ToUnicode(unsigned char byte) {
    return byte < 0x80 ? byte : kHigh[byte - 0x80];
}

char UnicodeToCp1250(char32_t cp) {
    if (cp < kLowBytes.size()) {
        const unsigned char b = kLowBytes[cp];
        return b != 0 || cp == 0 ? static_cast<char>(b) : '?';
    }
    for (std::size_t i = 0; i < kHigh.size(); ++i) {
        if (kHigh[i] == cp) {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

}  // namespace quib
