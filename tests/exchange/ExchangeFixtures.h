#pragma once

#include <quib/TextEncoding.h>

#include "exchange/u_ExchangeProgress.h"
#include "session/QUIBLib_TLB.h"
#include "session/u_ColumnMap.h"
#include "session/u_ContactsSession.h"

#include <QDir>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

struct TDBLayout;

// Contacts databases on disk for the exchange tests, made and read through
// the real engine.
namespace fixtures {

// The program's 32 column names and the column map of a database in the
// current layout ("0" .. "31").
QStringList ProgramColumns();
QStringList IdentityMap(int count = 32);
// The column map of a database in program order.
TColumnMap IdentityColumnMap(int count = 32);

// Writes a contacts database in layout to path; each row lists its values in
// the layout's column order (missing values stay empty).
// A Central European database unless told otherwise.
void WriteDatabase(const QString& path, const TDBLayout& layout, const QList<QStringList>& rows,
                   quib::TextEncoding encoding = quib::TextEncoding::Windows1250);

// An engine instance with path open.
std::unique_ptr<TQuib> OpenDatabase(const QString& path);

// All cells of the current view, row by row.
QList<QStringList> ReadRows(const TQuibReader& quib);
QList<QStringList> ReadRows(const TContactsSession& session);

// Imports the records of a CSV or vCard file into session as the program's
// commands do (fields: the program field of each CSV field); report is told
// the progress through reading and appending.
int ImportCsv(TContactsSession& session, const QString& file, bool hasHeaderRow,
              const QList<int>& fields, const TExchangeProgress::TReport& report = {});
int ImportVCards(TContactsSession& session, const QString& file,
                 const TExchangeProgress::TReport& report = {});
// The files session's writer has written, once every save asked for is done.
int Writes(TContactsSession& session);

// The value of the column named name in row r, by the database's own
// "DBColsName" header; empty when it has no such column.
QString ValueByName(const TQuibReader& quib, int r, const QString& name);

QByteArray ReadFile(const QString& path);
void WriteFile(const QString& path, const QByteArray& bytes);
// The file name in folder (made when missing), holding old: the file an
// export that fails must leave as it was.
QString WriteOldFile(const QDir& folder, const QString& name, const QByteArray& old);

// A contact of 32 program fields, empty but for the (field, text) pairs.
QStringList ContactRow(const QList<std::pair<int, QString>>& cells);
// The cards of vCard bytes, as the reader hands them out.
QList<QStringList> ReadVCards(const QByteArray& bytes);

// A few realistic contacts in the current layout, with Czech letters, commas,
// quotes and a line break in the notes.
QList<QStringList> SampleContacts();

// count made-up contacts (the same ones each call) whose cells hold Czech
// letters, commas, semicolons, colons, quotes and backslashes, about a fifth
// of them empty; the multi-line fields of the card hold one to three
// non-empty lines joined by LF. Every character has a Windows-1250 form.
QList<QStringList> GeneratedContacts(int count);

// A temporary folder for the tests of one importer: numbered databases in
// the current layout, open in a session as the program holds them, and
// numbered input files.
class TImportScratch {
  public:
    QString path(const QString& name) const { return dir_.filePath(name); }
    QString folder() const { return dir_.path(); }
    bool isValid() const { return dir_.isValid(); }

    // A session with a new database holding rows open.
    std::unique_ptr<TContactsSession> database(const QList<QStringList>& rows = {});
    // A new file "in<n>.<extension>" holding bytes.
    QString inputFile(const QByteArray& bytes, const QString& extension);

    QString lastDatabase;  // the file of the last database made

  private:
    QTemporaryDir dir_;
    int databases_ = 0;
    int inputs_ = 0;
};

}  // namespace fixtures
