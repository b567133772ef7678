#include "session/u_PackedRows.h"

#include <QStringEncoder>

#include <cstring>

namespace {

// Unsigned numbers as 7-bit groups, low group first, the top bit telling that
// another group follows: indexes and short lengths take one byte.
char* putNumber(char* out, quint64 value) {
    while (value >= 0x80) {
        *out++ = static_cast<char>((value & 0x7F) | 0x80);
        value >>= 7;
    }
    *out++ = static_cast<char>(value);
    return out;
}

int numberBytes(quint64 value) {
    int bytes = 1;
    while (value >= 0x80) {
        value >>= 7;
        ++bytes;
    }
    return bytes;
}

constexpr int kMostNumberBytes = 10;

}  // namespace

void TPackedRows::AppendRow(const QStringList& texts) {
    // Encoded straight into room made once for the row, each text as
    // QString::toUtf8 encodes it.
    QStringEncoder utf8(QStringEncoder::Utf8, QStringConverter::Flag::Stateless);
    const qsizetype start = bytes_.size();
    starts_.push_back(start);
    qsizetype room = 1;
    for (const QString& text : texts) {
        room += 2 * kMostNumberBytes + utf8.requiredSpace(text.size());
    }
    bytes_.resize(start + room);
    char* const base = bytes_.data();
    char* out = base + start;
    for (qsizetype i = 0; i < texts.size(); ++i) {
        if (texts[i].isEmpty()) {
            continue;
        }
        // Index + 1, so that 0 can end the row.
        out = putNumber(out, quint64(i) + 1);
        // The text goes after room for its longest length, then moves back
        // to its length's end.
        char* const text = out + numberBytes(quint64(utf8.requiredSpace(texts[i].size())));
        qsizetype length = utf8.appendToBuffer(text, texts[i]) - text;
        if (utf8.hasError()) {
            // The encoder writes U+FFFD where toUtf8 writes "?", in no
            // more bytes.
            const QByteArray marked = texts[i].toUtf8();
            std::memcpy(text, marked.constData(), static_cast<std::size_t>(marked.size()));
            length = marked.size();
            utf8.resetState();
        }
        out = putNumber(out, quint64(length));
        if (out != text) {
            std::memmove(out, text, static_cast<std::size_t>(length));
        }
        out += length;
    }
    out = putNumber(out, 0);
    bytes_.resize(out - base);
}

void TPackedRows::AppendRows(const TPackedRows& other) {
    const qsizetype shift = bytes_.size();
    starts_.reserve(starts_.size() + other.starts_.size());
    for (const qsizetype start : other.starts_) {
        starts_.push_back(start + shift);
    }
    bytes_.append(other.bytes_);
}

void TPackedRows::ForEachText(int r, const std::function<void(int, const QString&)>& take) const {
    ForEachUtf8(r, [&take](int index, std::string_view text) {
        take(index, QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    });
}

QStringList TPackedRows::Row(int r, int width) const {
    QStringList texts(width);
    ForEachText(r, [&texts, width](int index, const QString& text) {
        if (index < width) {
            texts[index] = text;
        }
    });
    return texts;
}

qsizetype TPackedRows::ByteSize() const {
    return bytes_.size() + qsizetype(starts_.size() * sizeof(qsizetype));
}

void TPackedRows::Clear() {
    bytes_.clear();
    starts_.clear();
    starts_.shrink_to_fit();
}
