#include "exchange/u_CsvImporter.h"

#include "exchange/u_ContactFields.h"
#include "exchange/u_CsvRecordReader.h"
#include "exchange/u_CsvTextSource.h"
#include "exchange/u_ImportMapping.h"
#include "session/u_ContactSchema.h"
#include "support/u_ExchangeError.h"

#include <QCoreApplication>

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

TRecordBatch TCsvImporter::Read(const QString& fileName, bool hasHeaderRow,
                                const QList<int>& fields) const {
    TExchangeProgress progress(report_);
    TCsvTextSource source(fileName);
    progress.Start(0);
    const TFieldRouting routing(fields, MultiLineFields());
    TRecordBatch batch;
    QStringList record(ContactSchema::ColumnCount);
    forEach(source, hasHeaderRow, fields.size(), [&](const QStringList& read) {
        record.fill(QString());
        for (const auto& [field, value] : routing.Route(read)) {
            record[field] = value;
        }
        batch.AppendRow(record);
        progress.Step();
    });
    progress.Finish();
    return batch;
}
