#include "exchange/u_TextEncoding.h"

#include <quib/CodePage.h>

#include <QStringDecoder>

#include <algorithm>

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

TextEncoding DetectTextEncoding(QByteArrayView bytes) {
    if (bytes.startsWith(kUtf8Bom)) {
        return TextEncoding::Utf8;
    }
    if (hasNonAscii(bytes) && isValidUtf8(bytes)) {
        return TextEncoding::Utf8;
    }
    return TextEncoding::Windows1250;
}

QString DecodeDetected(QByteArrayView bytes) {
    if (DetectTextEncoding(bytes) == TextEncoding::Windows1250) {
        return DecodeWindows1250(bytes);
    }
    if (bytes.startsWith(kUtf8Bom)) {
        bytes = bytes.sliced(kUtf8Bom.size());
    }
    return QString::fromUtf8(bytes);
}
