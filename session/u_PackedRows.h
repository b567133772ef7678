#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <string_view>
#include <vector>

// Many rows of texts, each text at an index (a database column or a program
// field), packed into one buffer of UTF-8. Only the non-empty texts are kept,
// each as its index, its length and its bytes, so a hundred thousand
// contacts cost little more than their texts. An undo step keeps the rows
// the database no longer holds this way, and an import hands its records to
// the session this way.
class TPackedRows {
  public:
    int RowCount() const { return static_cast<int>(starts_.size()); }
    bool IsEmpty() const { return starts_.empty(); }

    // Appends a row whose text at index i is texts[i]; empty texts take no
    // room. Text i keeps exactly its characters (line breaks included).
    void AppendRow(const QStringList& texts);
    // Appends every row of other after these.
    void AppendRows(const TPackedRows& other);
    // The texts of row r, width of them (those not kept are empty). Out of
    // range: width empty texts.
    QStringList Row(int r, int width) const;
    // Calls take(index, text) for each non-empty text of row r, by index.
    void ForEachText(int r, const std::function<void(int index, const QString& text)>& take) const;
    // The same with each text as the UTF-8 bytes kept, valid while the rows
    // are not changed: take(int index, std::string_view text).
    template <typename Take>
    void ForEachUtf8(int r, Take&& take) const;

    // The bytes the rows take (texts and their bookkeeping).
    qsizetype ByteSize() const;
    void Clear();

  private:
    // Unsigned numbers as 7-bit groups, low group first, the top bit telling
    // that another group follows: indexes and short lengths take one byte.
    static quint64 takeNumber(const QByteArray& in, qsizetype& at) {
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

    QByteArray bytes_;
    std::vector<qsizetype> starts_;  // where each row begins in bytes_
};

template <typename Take>
void TPackedRows::ForEachUtf8(int r, Take&& take) const {
    if (r < 0 || r >= RowCount()) {
        return;
    }
    qsizetype at = starts_[static_cast<std::size_t>(r)];
    while (at < bytes_.size()) {
        const quint64 index = takeNumber(bytes_, at);
        if (index == 0) {
            return;
        }
        const auto length = static_cast<qsizetype>(takeNumber(bytes_, at));
        take(static_cast<int>(index - 1),
             std::string_view(bytes_.constData() + at, static_cast<std::size_t>(length)));
        at += length;
    }
}

// Records handed to the session to import: text i of a record is program
// field i (0 .. 31); texts beyond the fields are dropped.
using TRecordBatch = TPackedRows;
