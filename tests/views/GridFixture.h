#pragma once

#include "session/QUIBLib_TLB.h"
#include "session/u_ColumnMap.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

// Contacts databases on disk for the view tests, written and read through
// the real engine.
namespace gridfixture {

// Writes a contacts database with the given column names; each row lists
// its values by program field (missing values and missing columns stay
// empty or are left out). Utf8 keeps any text; Windows-1250, the engine's
// default, only its own letters.
void WriteContacts(const QString& path, const QStringList& columnNames,
                   const QList<QStringList>& rowsByField,
                   quib::TextEncoding encoding = quib::TextEncoding::Windows1250);

// path opened on a new engine; map receives the program -> database column
// map the open computed.
std::unique_ptr<TQuib> OpenContacts(const QString& path, TColumnMap* map = nullptr);

// A record whose program fields are all empty except the given ones.
QStringList Record(std::initializer_list<std::pair<int, QString>> fields);

// The value of program field field in row r of the database at path, read
// afresh from the file.
QString StoredValue(const QString& path, int r, int field);

}  // namespace gridfixture
