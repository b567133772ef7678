#include "exchange/u_CsvImporter.h"

#include "exchange/u_ContactFields.h"
#include "exchange/u_CsvRecordReader.h"
#include "exchange/u_CsvTextSource.h"
#include "exchange/u_ImportMapping.h"
#include "exchange/u_ReadInHalves.h"
#include "session/u_ContactSchema.h"
#include "support/u_ExchangeError.h"

#include <QCoreApplication>
#include <QFile>

#include <atomic>
#include <functional>
#include <optional>

namespace {

int toInt(const QString& text, int fallback) {
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? value : fallback;
}

// Runs take over the records of source that become rows.
int forEach(TCsvTextSource& source, bool hasHeaderRow, qsizetype fieldLimit,
            const TCsvImporter::RecordSink& take) {
    TCsvRecordReader reader([&source](QString& piece) { return source.ReadPiece(piece); });
    QStringList fields;
    if (hasHeaderRow) {
        reader.ReadRecord(fields, 0);
    }
    int count = 0;
    while (reader.ReadRecord(fields, fieldLimit)) {
        if (reader.RecordIsEmptyLine()) {
            continue;
        }
        take(fields);
        ++count;
    }
    return count;
}

}  // namespace

int TCsvImporter::ForEachRecord(const QString& fileName, bool hasHeaderRow, qsizetype fieldLimit,
                                const RecordSink& take) {
    TCsvTextSource source(fileName);
    return forEach(source, hasHeaderRow, fieldLimit, take);
}

TCsvImporter::TFirstRecord TCsvImporter::ReadFirstRecord(const QString& fileName,
                                                         qsizetype fieldLimit) {
    return ReadHead(fileName, 0, fieldLimit).first;
}

TCsvImporter::THead TCsvImporter::ReadHead(const QString& fileName, int count,
                                           qsizetype fieldLimit) {
    TCsvTextSource source(fileName);
    TCsvRecordReader reader([&source](QString& piece) { return source.ReadPiece(piece); });
    THead head;
    if (!reader.ReadRecord(head.first.fields, fieldLimit)) {
        return head;
    }
    head.first.more = reader.FieldCount() > fieldLimit;
    head.firstIsEmptyLine = reader.RecordIsEmptyLine();
    QStringList fields;
    try {
        while (head.following.size() < count && reader.ReadRecord(fields, fieldLimit)) {
            if (!reader.RecordIsEmptyLine()) {
                head.following << fields;
            }
        }
    } catch (const EExchangeError& e) {
        head.error = e.message();
    }
    return head;
}

QList<int> TCsvImporter::MappingFields(const QStringList& mappingHidden) {
    QList<int> fields;
    fields.reserve(mappingHidden.size());
    for (const QString& entry : mappingHidden) {
        const int field = toInt(entry, -1);
        fields << (field >= 0 && field < ContactSchema::ColumnCount ? field : -1);
    }
    return fields;
}

QSet<int> TCsvImporter::MultiLineFields() {
    QSet<int> fields;
    for (int field = 0; field < ContactSchema::ColumnCount; ++field) {
        if (ContactFields::IsMultiLine(field)) {
            fields << field;
        }
    }
    return fields;
}

namespace {

// Packs the records read as the import stores them.
class TRecordPacker {
  public:
    explicit TRecordPacker(const QList<int>& fields)
        : routing_(fields, TCsvImporter::MultiLineFields()), record_(ContactSchema::ColumnCount) {}

    void Add(const QStringList& read) {
        record_.fill(QString());
        for (const auto& [field, value] : routing_.Route(read)) {
            record_[field] = value;
        }
        batch_.AppendRow(record_);
    }
    TRecordBatch& Batch() { return batch_; }

  private:
    TFieldRouting routing_;
    QStringList record_;
    TRecordBatch batch_;
};

// Raised in the second half's reading when the first half failed.
struct TStopped {};

// Where the second half of the text begins: after the first line end past
// its middle outside quotes, if every double quote before it opens or ends
// a quoted field (a stray one makes the halves fail, and the file is read
// in one pass); none when the window after the middle holds no such end.
std::optional<qint64> splitOf(const QString& fileName, qint64 start, qint64 size) {
    QFile file(fileName);
    const qint64 middle = start + (size - start) / 2;
    if (!file.open(QIODevice::ReadOnly) || !file.seek(start)) {
        return std::nullopt;
    }
    bool quoted = false;
    for (qint64 left = middle - start; left > 0;) {
        const QByteArray piece = file.read(qMin<qint64>(left, 1024 * 1024));
        if (piece.isEmpty()) {
            return std::nullopt;
        }
        quoted = quoted != (piece.count('"') % 2 != 0);
        left -= piece.size();
    }
    const QByteArray window = file.read(1024 * 1024);
    for (qsizetype i = 0; i < window.size(); ++i) {
        if (window[i] == '"') {
            quoted = !quoted;
        } else if (window[i] == '\n' && !quoted) {
            const qint64 split = middle + i + 1;
            return split < size ? std::optional<qint64>(split) : std::nullopt;
        }
    }
    return std::nullopt;
}

// The records of a large file read as two halves at once; none when it is
// not split or the halves cannot stand for one pass (see kSplitBytes).
std::optional<TRecordBatch> readInHalves(const TCsvTextSource& whole, const QString& fileName,
                                         bool hasHeaderRow, const QList<int>& fields,
                                         qint64 splitBytes, const std::function<void()>& step) {
    const TextEncoding encoding = whole.Encoding();
    const qint64 size = whole.FileSize();
    if (size < splitBytes || encoding == TextEncoding::Utf16LE ||
        encoding == TextEncoding::Utf16BE) {
        return std::nullopt;
    }
    const std::optional<qint64> split = splitOf(fileName, whole.TextStart(), size);
    if (!split) {
        return std::nullopt;
    }
    TRecordPacker first(fields);
    TRecordPacker second(fields);
    bool ctrlZ = false;
    const auto readFirst = [&] {
        TCsvTextSource source(fileName, encoding, whole.TextStart(), *split);
        forEach(source, hasHeaderRow, fields.size(), [&](const QStringList& read) {
            first.Add(read);
            step();
        });
        ctrlZ = source.EndedAtCtrlZ();
    };
    const auto readSecond = [&](const std::atomic<bool>& stop) {
        TCsvTextSource source(fileName, encoding, *split, size);
        forEach(source, false, fields.size(), [&](const QStringList& read) {
            if (stop) {
                throw TStopped();
            }
            second.Add(read);
        });
    };
    const bool read = ReadInHalves(readFirst, readSecond);
    // A Ctrl+Z in the first half ends the text there, whatever came after.
    if (ctrlZ) {
        return std::move(first.Batch());
    }
    if (!read) {
        return std::nullopt;
    }
    first.Batch().AppendRows(second.Batch());
    for (int i = 0; i < second.Batch().RowCount(); ++i) {
        step();
    }
    return std::move(first.Batch());
}

}  // namespace

TRecordBatch TCsvImporter::Read(const QString& fileName, bool hasHeaderRow,
                                const QList<int>& fields) const {
    TExchangeProgress progress(report_);
    TCsvTextSource source(fileName);
    progress.Start(0);
    TRecordsTold told([&progress] { progress.Step(); });
    if (std::optional<TRecordBatch> batch = readInHalves(source, fileName, hasHeaderRow, fields,
                                                         splitBytes_, [&told] { told.Read(); })) {
        progress.Finish();
        return std::move(*batch);
    }
    TRecordPacker records(fields);
    forEach(source, hasHeaderRow, fields.size(), [&](const QStringList& record) {
        records.Add(record);
        told.ReadAgain();
    });
    progress.Finish();
    return std::move(records.Batch());
}
