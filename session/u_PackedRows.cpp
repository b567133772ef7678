#include "session/u_PackedRows.h"

namespace {

// Unsigned numbers as 7-bit groups, low group first, the top bit telling that
// another group follows: indexes and short lengths take one byte.
void putNumber(QByteArray& out, quint64 value) {
    while (value >= 0x80) {
        out.append(static_cast<char>((value & 0x7F) | 0x80));
        value >>= 7;
    }
    out.append(static_cast<char>(value));
}

quint64 takeNumber(const QByteArray& in, qsizetype& at) {
    quint64 value = 0;
    int shift = 0;
    while (at < in.size()) {
        const auto byte = static_cast<unsigned char>(in[at++]);
        value |= quint64(byte & 0x7F) << shift;
        if ((byte & 0x80) == 0) {
            break;
        }
        shift += 7;
    }
    return value;
}

}  // namespace

void TPackedRows::AppendRow(const QStringList& texts) {
    starts_.push_back(bytes_.size());
    for (qsizetype i = 0; i < texts.size(); ++i) {
        if (texts[i].isEmpty()) {
            continue;
        }
        const QByteArray utf8 = texts[i].toUtf8();
        // Index + 1, so that 0 can end the row.
        putNumber(bytes_, quint64(i) + 1);
        putNumber(bytes_, quint64(utf8.size()));
        bytes_.append(utf8);
    }
    putNumber(bytes_, 0);
}

void TPackedRows::ForEachText(int r, const std::function<void(int, const QString&)>& take) const {
    if (r < 0 || r >= RowCount()) {
        return;
    }
    qsizetype at = starts_[r];
    while (at < bytes_.size()) {
        const quint64 index = takeNumber(bytes_, at);
        if (index == 0) {
            return;
        }
        const auto length = static_cast<qsizetype>(takeNumber(bytes_, at));
        take(static_cast<int>(index - 1), QString::fromUtf8(bytes_.constData() + at, length));
        at += length;
    }
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
