#pragma once

#include "query/u_Query.h"

#include <QString>
#include <QStringList>

class TIniFile;

// Query files (.tbq): an INI text with one section "Query" holding the
// operator, the number of conditions and four keys per condition. Columns
// are named by their catalogue names (columnNames, in catalogue order).
namespace QueryFile {

// The query in INI form, as it is written.
TIniFile ToIni(const TQuery& query, const QStringList& columnNames);

// Reads a query out of ini into query (cleared first). Unknown keywords fall
// back to their defaults; false with error set when Count is no decimal
// integer.
bool FromIni(const TIniFile& ini, const QStringList& columnNames, TQuery& query, QString& error);

// Reads the file at path into query. On any failure query is left as it was
// and error says what went wrong.
bool Read(const QString& path, const QStringList& columnNames, TQuery& query, QString& error);

// Replaces the file at path by the query as a whole; on failure the old file
// stays untouched and error is "Unable to write to <path>" with the reason
// on a second line.
bool Write(const QString& path, const TQuery& query, const QStringList& columnNames,
           QString& error);

}  // namespace QueryFile
