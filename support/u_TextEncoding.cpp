#include "support/u_TextEncoding.h"

#include <quib/CodePage.h>

#include <QStringDecoder>

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

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
        dest[written++] = quib::UnicodeToCp1250(ch.unicode());
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
        dest[i] = QChar(static_cast<char16_t>(quib::Cp1250ToUnicode(b)));
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
