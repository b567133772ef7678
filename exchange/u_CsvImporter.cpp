#include "exchange/u_CsvImporter.h"

#include "exchange/u_CsvRecordReader.h"
#include "exchange/u_CsvTextSource.h"
#include "session/QUIBLib_TLB.h"
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

TCsvImporter::TCsvImporter(TQuib& quib) : quib_(quib) {}

int TCsvImporter::ForEachRecord(const QString& fileName, bool hasHeaderRow, qsizetype fieldLimit,
                                const RecordSink& take) {
    TCsvTextSource source(fileName);
    return forEach(source, hasHeaderRow, fieldLimit, take);
}

TCsvImporter::TFirstRecord TCsvImporter::ReadFirstRecord(const QString& fileName,
                                                         qsizetype fieldLimit) {
    TCsvTextSource source(fileName);
    TCsvRecordReader reader([&source](QString& piece) { return source.ReadPiece(piece); });
    TFirstRecord first;
    if (reader.ReadRecord(first.fields, fieldLimit)) {
        first.more = reader.FieldCount() > fieldLimit;
    }
    return first;
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

int TCsvImporter::Import(const QString& fileName, bool hasHeaderRow, const QList<int>& targets) {
    TExchangeProgress progress(report_);
    TCsvTextSource source(fileName);
    progress.Start(0);
    const int expected = forEach(source, hasHeaderRow, targets.size(),
                                 [&progress](const QStringList&) { progress.Step(); });
    source.Rewind();
    progress.Start(expected);
    int appended = 0;
    try {
        forEach(source, hasHeaderRow, targets.size(), [&](const QStringList& fields) {
            // The file may have grown since it was checked.
            if (appended == expected) {
                throw EExchangeError(tr("The source CSV file changed while it was imported."));
            }
            appendRecord(fields, targets);
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

void TCsvImporter::appendRecord(const QStringList& fields, const QList<int>& targets) {
    const int before = quib_.RowsCount();
    // The new row must be the view's last one, or its fields would land in
    // another contact.
    if (!quib_.NewRow(before) || quib_.RowsCount() != before + 1) {
        throw EExchangeError(tr("A new row could not be appended to the database."));
    }
    const int row = before;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (targets[i] >= 0) {
            quib_.SetData(row, targets[i], fields[i]);
        }
    }
}
