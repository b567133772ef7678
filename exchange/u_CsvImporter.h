#pragma once

#include "exchange/u_ExchangeProgress.h"
#include "session/u_PackedRows.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <utility>

// Reads the records of a comma-separated file for the session to import.
// The file is read piece by piece into a packed batch, so a large one needs
// little memory beyond its texts; a malformed file gives no batch at all.
//
// The file's encoding is chosen as TCsvTextSource describes (byte-order mark,
// UTF-8, else Windows-1250); its records as TCsvRecordReader reads them.
class TCsvImporter {
    Q_DECLARE_TR_FUNCTIONS(TCsvImporter)

  public:
    TCsvImporter() = default;

    // One record per line that is not empty (the first record skipped when
    // hasHeaderRow): field i of a line goes to program field fields[i] (-1
    // drops it; fields beyond fields are ignored). Of several fields for one
    // program field the later wins, or, for the multi-line fields (phones,
    // faxes, ...), all that are not empty join one per line, each different
    // value once. Raises EExchangeError (ECsvNotWellformed with the line, or
    // ECsvUnterminated), or EExchangeCancelled when the progress's watcher
    // stopped it.
    TRecordBatch Read(const QString& fileName, bool hasHeaderRow, const QList<int>& fields) const;

    // The program fields in which several fields of a record are kept one
    // per line.
    static QSet<int> MultiLineFields();

    // Who is told the progress of Read, record by record (total not known).
    void SetProgress(TExchangeProgress::TReport report) { report_ = std::move(report); }

    // Read takes a file of this many bytes or more (UTF-16 excepted) as two
    // halves at once, split at a line end after its middle; one whose halves
    // do not read as one pass would (the split inside a quoted field, any
    // error) is read again in one pass, whose result or error counts.
    static constexpr qint64 kSplitBytes = 1024 * 1024;
    void SetSplitBytes(qint64 bytes) { splitBytes_ = bytes; }

    // Calls take for each record of fileName as the import stores it: its
    // first fieldLimit fields. Returns the number of records. Raises
    // EExchangeError.
    using RecordSink = std::function<void(const QStringList& fields)>;
    static int ForEachRecord(const QString& fileName, bool hasHeaderRow, qsizetype fieldLimit,
                             const RecordSink& take);

    // The first fields of the file's first record (none for an empty file),
    // to show the user what the file holds. More says whether the record has
    // fields beyond the limit.
    struct TFirstRecord {
        QStringList fields;
        bool more = false;
    };
    static constexpr qsizetype kPreviewFieldLimit = 1000;
    static TFirstRecord ReadFirstRecord(const QString& fileName,
                                        qsizetype fieldLimit = kPreviewFieldLimit);

    // The start of a file for a preview: its first record and up to count
    // records after it that are not empty lines, each with at most
    // fieldLimit fields. Raises EExchangeError when the file cannot be read or
    // its first record is malformed; a later malformed record ends the
    // following records and is told in error.
    struct THead {
        TFirstRecord first;
        bool firstIsEmptyLine = false;
        QList<QStringList> following;
        QString error;
    };
    static THead ReadHead(const QString& fileName, int count,
                          qsizetype fieldLimit = kPreviewFieldLimit);

    // The program field of each mapping entry: entry i of mappingHidden is a
    // program column or "-1"; anything that is no program column gives -1.
    static QList<int> MappingFields(const QStringList& mappingHidden);

  private:
    TExchangeProgress::TReport report_;
    qint64 splitBytes_ = kSplitBytes;
};
