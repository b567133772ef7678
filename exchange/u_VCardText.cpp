#include "exchange/u_VCardText.h"

namespace VCardText {

namespace {

constexpr qsizetype kMaxLineOctets = 75;

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

bool isContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

QString Escape(QStringView value) {
    QString out;
    out.reserve(value.size() + 8);
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar ch = value[i];
        switch (ch.unicode()) {
            case u'\\':
            case u',':
            case u';':
                out += u'\\';
                out += ch;
                break;
            case u'\r':
                if (i + 1 < value.size() && value[i + 1] == u'\n') {
                    ++i;
                }
                out += QLatin1String("\\n");
                break;
            case u'\n':
                out += QLatin1String("\\n");
                break;
            default:
                out += ch;
        }
    }
    return out;
}

QString Unescape(QStringView value) {
    if (!value.contains(u'\\')) {
        return value.toString();
    }
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar ch = value[i];
        if (ch != u'\\' || i + 1 == value.size()) {
            out += ch;
            continue;
        }
        const QChar next = value[++i];
        out += (next == u'n' || next == u'N') ? QChar(u'\n') : next;
    }
    return out;
}

QStringList SplitUnescape(QStringView value, QChar separator) {
    QStringList parts;
    // Room for every part at once (an escaped separator only makes it more).
    parts.reserve(value.count(separator) + 1);
    qsizetype start = 0;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == u'\\') {
            ++i;
        } else if (value[i] == separator) {
            parts << Unescape(value.sliced(start, i - start));
            start = i + 1;
        }
    }
    parts << Unescape(value.sliced(start));
    return parts;
}

namespace {

template <typename Out>
void appendFolded(Out& out, QByteArrayView line) {
    const auto put = [&out](QByteArrayView bytes) {
        out.append(bytes.data(), static_cast<std::size_t>(bytes.size()));
    };
    qsizetype limit = kMaxLineOctets;
    while (line.size() > limit) {
        qsizetype cut = limit;
        while (cut > 0 && isContinuationByte(line[cut])) {
            --cut;
        }
        if (cut == 0) {
            cut = limit;  // not UTF-8 at all: cut anywhere
        }
        put(line.first(cut));
        put("\r\n ");
        line = line.sliced(cut);
        limit = kMaxLineOctets - 1;  // the leading space counts
    }
    put(line);
    put("\r\n");
}

}  // namespace

void AppendFolded(QByteArray& out, QByteArrayView line) {
    appendFolded(out, line);
}

void AppendFolded(std::string& out, QByteArrayView line) {
    appendFolded(out, line);
}

QByteArray DecodeQuotedPrintable(QByteArrayView bytes) {
    QByteArray out;
    out.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '=' && i + 2 < bytes.size() && hexValue(bytes[i + 1]) >= 0 &&
            hexValue(bytes[i + 2]) >= 0) {
            out += static_cast<char>(hexValue(bytes[i + 1]) * 16 + hexValue(bytes[i + 2]));
            i += 2;
            continue;
        }
        out += bytes[i];
    }
    return out;
}

}  // namespace VCardText
