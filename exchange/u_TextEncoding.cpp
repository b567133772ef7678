#include "exchange/u_TextEncoding.h"

#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace {

// Characters of the bytes 0x80..0xFF.
constexpr std::array<char16_t, 128> kHighHalf{
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

struct ReverseEntry {
    char16_t ch;
    uint8_t byte;
};

// kHighHalf inverted and sorted by character, for a binary search.
constexpr std::array<ReverseEntry, 128> makeReverse() {
    std::array<ReverseEntry, 128> r{};
    for (std::size_t i = 0; i < r.size(); ++i) {
        r[i] = {kHighHalf[i], static_cast<uint8_t>(0x80 + i)};
    }
    std::sort(r.begin(), r.end(), [](ReverseEntry a, ReverseEntry b) { return a.ch < b.ch; });
    return r;
}
constexpr std::array<ReverseEntry, 128> kReverse = makeReverse();

char encodeChar(char16_t ch) {
    if (ch < 0x80) {
        return static_cast<char>(ch);
    }
    const auto it = std::lower_bound(kReverse.begin(), kReverse.end(), ch,
                                     [](ReverseEntry e, char16_t c) { return e.ch < c; });
    if (it != kReverse.end() && it->ch == ch) {
        return static_cast<char>(it->byte);
    }
    return '?';
}

constexpr QByteArrayView kUtf8Bom("\xEF\xBB\xBF", 3);

bool hasNonAscii(QByteArrayView bytes) {
    return std::any_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

bool isValidUtf8(QByteArrayView bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString ignored = decoder.decode(bytes);
    return !decoder.hasError();
}

}  // namespace

void AppendWindows1250(QByteArray& out, QStringView text) {
    const qsizetype start = out.size();
    out.resize(start + text.size());
    char* dest = out.data() + start;
    qsizetype written = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        // A character outside the basic plane is one "?", not two.
        if (ch.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ++i;
            dest[written++] = '?';
            continue;
        }
        dest[written++] = encodeChar(ch.unicode());
    }
    out.resize(start + written);
}

QByteArray EncodeWindows1250(QStringView text) {
    QByteArray out;
    AppendWindows1250(out, text);
    return out;
}

QString DecodeWindows1250(QByteArrayView bytes) {
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* dest = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        dest[i] = QChar(b < 0x80 ? char16_t(b) : kHighHalf[b - 0x80]);
    }
    return out;
}

void TUtf8Validator::Feed(QByteArrayView bytes) {
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    while (p < end) {
        if (broken_) {
            return;
        }
        // Runs of ASCII, the bulk of most files, eight bytes at a time.
        if (pending_ == 0) {
            while (end - p >= 8) {
                uint64_t word;
                std::memcpy(&word, p, 8);
                if (word & 0x8080808080808080ULL) {
                    break;
                }
                p += 8;
            }
            if (p == end) {
                return;
            }
        }
        const auto b = static_cast<unsigned char>(*p++);
        if (pending_ > 0) {
            if (b < lowest_ || b > highest_) {
                broken_ = true;
            }
            --pending_;
            lowest_ = 0x80;
            highest_ = 0xBF;
            continue;
        }
        if (b < 0x80) {
            continue;
        }
        nonAscii_ = true;
        // Lead bytes and the range of the first continuation byte, which
        // rules out overlong forms, surrogates and values beyond U+10FFFF.
        if (b >= 0xC2 && b <= 0xDF) {
            pending_ = 1;
        } else if (b == 0xE0) {
            pending_ = 2;
            lowest_ = 0xA0;
        } else if (b == 0xED) {
            pending_ = 2;
            highest_ = 0x9F;
        } else if (b >= 0xE1 && b <= 0xEF) {
            pending_ = 2;
        } else if (b == 0xF0) {
            pending_ = 3;
            lowest_ = 0x90;
        } else if (b >= 0xF1 && b <= 0xF3) {
            pending_ = 3;
        } else if (b == 0xF4) {
            pending_ = 3;
            highest_ = 0x8F;
        } else {
            broken_ = true;
        }
    }
}

qsizetype ByteOrderMark(QByteArrayView bytes, TextEncoding& encoding) {
    if (bytes.startsWith(kUtf8Bom)) {
        encoding = TextEncoding::Utf8;
        return kUtf8Bom.size();
    }
    if (bytes.startsWith(QByteArrayView("\xFF\xFE", 2))) {
        encoding = TextEncoding::Utf16LE;
        return 2;
    }
    if (bytes.startsWith(QByteArrayView("\xFE\xFF", 2))) {
        encoding = TextEncoding::Utf16BE;
        return 2;
    }
    return 0;
}

TextEncoding DetectTextEncoding(QByteArrayView bytes) {
    TextEncoding marked = TextEncoding::Utf8;
    if (ByteOrderMark(bytes, marked) > 0) {
        return marked;
    }
    if (hasNonAscii(bytes) && isValidUtf8(bytes)) {
        return TextEncoding::Utf8;
    }
    return TextEncoding::Windows1250;
}

QString DecodeDetected(QByteArrayView bytes) {
    TextEncoding encoding = TextEncoding::Utf8;
    const qsizetype mark = ByteOrderMark(bytes, encoding);
    if (mark == 0) {
        encoding = DetectTextEncoding(bytes);
    }
    bytes = bytes.sliced(mark);
    switch (encoding) {
        case TextEncoding::Windows1250:
            return DecodeWindows1250(bytes);
        case TextEncoding::Utf16LE:
            return QStringDecoder(QStringDecoder::Utf16LE).decode(bytes);
        case TextEncoding::Utf16BE:
            return QStringDecoder(QStringDecoder::Utf16BE).decode(bytes);
        case TextEncoding::Utf8:
            break;
    }
    return QString::fromUtf8(bytes);
}
