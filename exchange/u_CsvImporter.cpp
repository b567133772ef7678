#include "exchange/u_CsvImporter.h"

#include "app/QUIBLib_TLB.h"
#include "exchange/u_CsvLineReader.h"
#include "exchange/u_CsvText.h"
#include "exchange/u_ExchangeError.h"
#include "exchange/u_TextEncoding.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <limits>

namespace {

// Positions within a line are int; a longer line cannot be read field by field.
constexpr qsizetype kMaxLineLength = std::numeric_limits<int>::max() - 2;

QStringList splitLine(const QString& line, qsizetype fieldLimit, int lineNumber) {
    if (line.size() > kMaxLineLength) {
        throw EExchangeError(
            TCsvImporter::tr("Line %1 of the source CSV file is too long.").arg(lineNumber));
    }
    QStringList fields;
    fields.reserve(std::min<qsizetype>(fieldLimit, 64));
    const int len = static_cast<int>(line.size());
    int pos = 1;
    QString field;
    try {
        while (pos <= len && fields.size() < fieldLimit) {
            ReadCsvField(line, pos, field);
            fields << field;
        }
    } catch (const ECsvNotWellformed& e) {
        throw ECsvNotWellformed(e.position(), e.found(), lineNumber);
    }
    return fields;
}

int toInt(const QString& text, int fallback) {
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? value : fallback;
}

}  // namespace

TCsvImporter::TCsvImporter(TQuib& quib) : quib_(quib) {}

QString TCsvImporter::ReadFileText(const QString& fileName) {
    if (fileName.isEmpty()) {
        throw EExchangeError(tr("No source CSV file has been chosen."));
    }
    // A device or pipe has no end to read up to.
    const QFileInfo info(fileName);
    if (info.exists() && !info.isFile()) {
        throw EExchangeError(tr("\"%1\" is not a file that can be imported.").arg(fileName));
    }
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        throw EExchangeError(
            tr("The file \"%1\" cannot be opened: %2").arg(fileName, file.errorString()));
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        throw EExchangeError(
            tr("The file \"%1\" cannot be read: %2").arg(fileName, file.errorString()));
    }
    return DecodeDetected(bytes);
}

QList<QStringList> TCsvImporter::ParseRecords(QStringView text, bool hasHeaderRow,
                                              qsizetype fieldLimit) {
    QList<QStringList> records;
    TCsvLineReader reader(text);
    QString line;
    if (hasHeaderRow) {
        reader.ReadLine(line);
    }
    while (reader.ReadLine(line)) {
        if (line.isEmpty()) {
            continue;
        }
        records << splitLine(line, fieldLimit, reader.LineNumber());
    }
    return records;
}

QStringList TCsvImporter::ReadFirstLineFields(const QString& fileName) {
    const QString text = ReadFileText(fileName);
    TCsvLineReader reader(text);
    QString line;
    if (!reader.ReadLine(line)) {
        return {};
    }
    return splitLine(line, std::numeric_limits<qsizetype>::max(), 1);
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
    const QString text = ReadFileText(fileName);
    const QList<QStringList> records = ParseRecords(text, hasHeaderRow, targets.size());
    appendRecords(records, targets);
    return static_cast<int>(records.size());
}

void TCsvImporter::appendRecords(const QList<QStringList>& records, const QList<int>& targets) {
    for (const QStringList& fields : records) {
        const int before = quib_.RowsCount();
        // The new row must be the view's last one, or its fields would land
        // in another contact.
        if (!quib_.NewRow(before) || quib_.RowsCount() != before + 1) {
            throw EExchangeError(tr("A new row could not be appended to the database."));
        }
        const int row = quib_.RowsCount() - 1;
        for (qsizetype i = 0; i < fields.size(); ++i) {
            if (targets[i] >= 0) {
                quib_.SetData(row, targets[i], fields[i]);
            }
        }
    }
    if (!records.isEmpty()) {
        quib_.SaveRow();
    }
}
