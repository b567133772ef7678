#pragma once

#include "session/u_ColumnMap.h"

#include <quib/TextEncoding.h>

#include <QString>
#include <QStringList>

class TQuib;
class TQuibReader;

// The rules that make the generic table database a contacts database: the
// identification headers every new database carries, and the check of a
// database being opened (product, minimum program version, columns).

// Line break of the database messages: LF then CR.
inline const QString kMessageLineBreak = QStringLiteral("\n\r");

// Writes the identification headers and the column-name header into the
// (empty) table of quib, creating one column per name. Every header is built
// at index 0, so the finished table holds them in the order DBColsName,
// ProgramName, ProgramAktVersion, ProgramMinVersion, ProgramCopyright,
// ProgramWWW, ProgramEmail.
void WriteContactsHeaders(TQuib& quib, const QString& minVersion, const QString& aktVersion,
                          const QStringList& columnNames);

// The ProgramMinVersion a new database of encoding gets: the lowest program
// version that reads it.
QString MinDatabaseVersionFor(quib::TextEncoding encoding);

// Writes a new contacts database to path, laid out in program order as a new
// database is, holding records (each its fields in program order), its texts
// kept as encoding tells. Raises EQuibError when the file cannot be written;
// a text a Central European database cannot hold is stored as "?" (the
// caller checks it first).
void WriteContactsDatabase(const QString& path, const QString& programVersion,
                           const QList<QStringList>& records,
                           quib::TextEncoding encoding = quib::TextEncoding::Utf8);

// Text 0 of the named header, or the empty text when there is no such header.
QString HeaderValue(const TQuibReader& quib, const QString& headerName);

// The texts of the "DBColsName" header: the database's column names in column
// order; empty when it has none.
QStringList DatabaseColumns(const TQuibReader& quib);

// Why a database is no database of this product or needs a newer program than
// programVersion (the error message), or the empty text when it may be opened.
QString IdentificationError(const TQuibReader& quib, const QString& programVersion);

// What the check of a database being opened decided.
struct CompatibilityCheck {
    bool accepted = true;
    QString error;    // why the file was refused (shown as an error)
    QString warning;  // column mismatches (shown as a warning); empty when none
    // The column maps: program field -> database column, database column ->
    // program field, kMissingColumn where there is none. Only filled when accepted.
    TColumnMap indexFromProgram;
    TColumnMap indexFromDB;
};

// Checks the header records of the database quib is opening: it must be a
// database of this product, must not need a newer program than
// programVersion, and its columns (header DBColsName) are matched by name
// against the program's columns.
CompatibilityCheck CheckContactsDatabase(const TQuibReader& quib, const QString& programVersion,
                                         const QStringList& columnNames,
                                         const QStringList& columnTitlesFull);
