#include "support/u_TextEncoding.h"

#include <quib/CodePage.h>

#include <QStringDecoder>

#include <array>
#include <cstdint>
#include <cstring>

namespace {

constexpr QByteArrayView kUtf8Bom("\xEF\xBB\xBF", 3);

// A printable character of the code page above ASCII: the no-break space
// and up, not the C1 controls the unassigned bytes stand for.
bool isWindows1250Character(char32_t cp) {
    return cp >= 0xA0 && cp <= 0xFFFF && quib::UnicodeToCp1250(cp) != '?';
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

void Utf8Into(QByteArrayView utf8, QString& out) {
    // UTF-8 never takes fewer bytes than UTF-16 takes code units.
    out.resize(utf8.size());
    auto* dest = reinterpret_cast<char16_t*>(out.data());
    const char* src = utf8.data();
    qsizetype i = 0;
    for (; i < utf8.size() && static_cast<unsigned char>(src[i]) < 0x80; ++i) {
        dest[i] = static_cast<char16_t>(src[i]);
    }
    if (i < utf8.size()) {
        // Stateless: a sequence cut off at the end does not reach the next
        // text.
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QChar* end =
            decoder.appendToBuffer(reinterpret_cast<QChar*>(dest + i), utf8.sliced(i));
        out.resize(end - out.constData());
    }
}

QByteArray EncodeWindows1250(QStringView text) {
    QByteArray out;
    AppendWindows1250(out, text);
    return out;
}

QString FirstNonWindows1250(QStringView text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (ch.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            return text.mid(i, 2).toString();
        }
        if (ch.isSurrogate() || (ch != u'?' && quib::UnicodeToCp1250(ch.unicode()) == '?')) {
            return QString(ch);
        }
    }
    return QString();
}

QString DecodeWindows1250(QByteArrayView bytes) {
    // The engine's table, copied once: a call into the engine per byte
    // took a tenth of a CSV import.
    static const std::array<char16_t, 256> kCharacters = [] {
        std::array<char16_t, 256> characters{};
        for (int b = 0; b < 256; ++b) {
            characters[static_cast<std::size_t>(b)] =
                static_cast<char16_t>(quib::Cp1250ToUnicode(static_cast<unsigned char>(b)));
        }
        return characters;
    }();
    QString out(bytes.size(), Qt::Uninitialized);
    char16_t* dest = reinterpret_cast<char16_t*>(out.data());
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        dest[i] = kCharacters[in[i]];
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
            codePoint_ = (codePoint_ << 6) | (b & 0x3F);
            lowest_ = 0x80;
            highest_ = 0xBF;
            if (--pending_ == 0) {
                endSequence();
            }
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
            codePoint_ = b & 0x1F;
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
        if (pending_ >= 2) {
            codePoint_ = b & (pending_ == 2 ? 0x0F : 0x07);
        }
    }
}

void TUtf8Validator::endSequence() {
    // One such character is enough; later ones need no look-up.
    if (!codePageCharacter_ && !broken_) {
        codePageCharacter_ = isWindows1250Character(codePoint_);
    }
}

bool LooksLikeUtf8(const TUtf8Validator& validator) {
    return validator.Valid() && validator.SawWindows1250Character();
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
    TUtf8Validator validator;
    validator.Feed(bytes);
    return LooksLikeUtf8(validator) ? TextEncoding::Utf8 : TextEncoding::Windows1250;
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
