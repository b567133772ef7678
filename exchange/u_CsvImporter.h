#pragma once

#include "exchange/u_ExchangeProgress.h"
#include "session/u_ColumnMap.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <utility>

class TFieldRouting;
class TQuib;

// Appends the records of a comma-separated file to a database. The file is
// read twice, piece by piece: once to check it whole, then to append, so a
// malformed file changes nothing and a large one needs little memory beyond
// the rows themselves.
//
// The file's encoding is chosen as TCsvTextSource describes (byte-order mark,
// UTF-8, else Windows-1250); its records as TCsvRecordReader reads them.
class TCsvImporter {
    Q_DECLARE_TR_FUNCTIONS(TCsvImporter)

  public:
    explicit TCsvImporter(TQuib& quib);

    // Appends one row per record that is not an empty line (the first record
    // skipped when hasHeaderRow), storing field i in database column
    // targets[i] (-1 drops the field; fields beyond targets are ignored; of
    // several fields for one column the later wins, or all join as
    // TFieldRouting describes for the joined columns), then does the database's save-row step once.
    // Returns the number of rows appended. Raises EExchangeError (ECsvNotWellformed with the line,
    // or ECsvUnterminated), or EExchangeCancelled when the progress's watcher stopped it, and
    // leaves the database as it was.
    int Import(const QString& fileName, bool hasHeaderRow, const QList<int>& targets);

    // The database columns in which several fields of a record are kept one
    // per line (none unless set).
    void SetJoinedColumns(QSet<int> columns) { joined_ = std::move(columns); }

    // Who is told the progress of Import: through the check of the file
    // (total not known), then through the rows appended.
    void SetProgress(TExchangeProgress::TReport report) { report_ = std::move(report); }

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

    // The database column of each mapping entry: entry i of mappingHidden is
    // a program column or "-1", translated through colsIndexFromProgram.
    static QList<int> MappingTargets(const QStringList& mappingHidden,
                                     const TColumnMap& colsIndexFromProgram);
    // The database columns of the multi-line program fields, in which several
    // fields are kept one per line.
    static QSet<int> MultiLineColumns(const TColumnMap& colsIndexFromProgram);

  private:
    void appendRecord(const QStringList& fields, const TFieldRouting& routing);

    TQuib& quib_;
    QSet<int> joined_;
    TExchangeProgress::TReport report_;
};
