#include "exchange/u_CsvImporter.h"

#include "app/QUIBLib_TLB.h"
#include "exchange/u_ContactFields.h"
#include "exchange/u_CsvRecordReader.h"
#include "exchange/u_CsvTextSource.h"
#include "exchange/u_ExchangeError.h"
#include "exchange/u_ImportMapping.h"
#include "session/u_ContactSchema.h"

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

TCsvImporter::TCsvImporter(TQuib& quib) : quib_(quib) {}

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

QList<int> TCsvImporter::MappingTargets(const QStringList& mappingHidden,
                                        const TColumnMap& colsIndexFromProgram) {
    QList<int> targets;
    targets.reserve(mappingHidden.size());
    for (const QString& entry : mappingHidden) {
        const int programColumn = toInt(entry, -1);
        targets << colsIndexFromProgram[programColumn];
    }
    return targets;
}

QSet<int> TCsvImporter::MultiLineColumns(const TColumnMap& colsIndexFromProgram) {
    QSet<int> columns;
    for (int field = 0; field < ContactSchema::ColumnCount; ++field) {
        if (ContactFields::IsMultiLine(field) && !colsIndexFromProgram.isMissing(field)) {
            columns << colsIndexFromProgram[field];
        }
    }
    return columns;
}

int TCsvImporter::Import(const QString& fileName, bool hasHeaderRow, const QList<int>& targets) {
    TExchangeProgress progress(report_);
    TCsvTextSource source(fileName);
    progress.Start(0);
    const int expected = forEach(source, hasHeaderRow, targets.size(),
                                 [&progress](const QStringList&) { progress.Step(); });
    source.Rewind();
    progress.Start(expected);
    const TFieldRouting routing(targets, joined_);
    int appended = 0;
    try {
        forEach(source, hasHeaderRow, targets.size(), [&](const QStringList& fields) {
            // The file may have grown since it was checked.
            if (appended == expected) {
                throw EExchangeError(tr("The source CSV file changed while it was imported."));
            }
            appendRecord(fields, routing);
            ++appended;
            progress.Step();
        });
        progress.Finish();
    } catch (...) {
        quib_.DeleteLastRows(appended);
        throw;
    }
    if (appended > 0) {
        quib_.SaveRow();
    }
    return appended;
}

void TCsvImporter::appendRecord(const QStringList& fields, const TFieldRouting& routing) {
    const int before = quib_.RowsCount();
    // The new row must be the view's last one, or its fields would land in
    // another contact.
    if (!quib_.NewRow(before) || quib_.RowsCount() != before + 1) {
        throw EExchangeError(tr("A new row could not be appended to the database."));
    }
    for (const auto& [column, value] : routing.Route(fields)) {
        quib_.SetData(before, column, value);
    }
}
