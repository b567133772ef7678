#pragma once

#include "session/u_ColumnMap.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

class TQuib;

// Appends the records of a comma-separated file to a database. The whole file
// is read and checked before the first row is appended, so a malformed file
// changes nothing and can be imported again once corrected.
//
// A file that starts with the UTF-8 byte-order mark, or whose bytes are valid
// UTF-8 and not plain ASCII, is read as UTF-8; any other as Windows-1250.
class TCsvImporter {
    Q_DECLARE_TR_FUNCTIONS(TCsvImporter)

  public:
    explicit TCsvImporter(TQuib& quib);

    // Appends one row per non-empty line (the first line skipped when
    // hasHeaderRow), storing field i of a line in database column targets[i]
    // (-1 drops the field; fields beyond targets are ignored), then does the
    // database's save-row step once. Returns the number of rows appended.
    // Raises EExchangeError (ECsvNotWellformed for a malformed line, with its
    // line number) before anything is appended.
    int Import(const QString& fileName, bool hasHeaderRow, const QList<int>& targets);

    // The records as the import stores them: per non-empty line, its first
    // fieldLimit fields. Raises ECsvNotWellformed with the line number.
    static QList<QStringList> ParseRecords(QStringView text, bool hasHeaderRow,
                                           qsizetype fieldLimit);

    // The fields of the file's first line (none for an empty file), to show
    // the user what the file holds. Raises EExchangeError.
    static QStringList ReadFirstLineFields(const QString& fileName);

    // The whole file's text, decoded as described above. Raises
    // EExchangeError when it cannot be read.
    static QString ReadFileText(const QString& fileName);

    // The database column of each mapping entry: entry i of mappingHidden is
    // a program column or "-1", translated through colsIndexFromProgram.
    static QList<int> MappingTargets(const QStringList& mappingHidden,
                                     const TColumnMap& colsIndexFromProgram);

  private:
    void appendRecords(const QList<QStringList>& records, const QList<int>& targets);

    TQuib& quib_;
};
