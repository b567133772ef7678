#pragma once

#include "session/u_ColumnMap.h"

#include <quib/TextEncoding.h>

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>

class TQuib;
class TQuibReader;
struct TDBLayout;
struct TSourceDBCheck;

// Copies every contact of one database file into a newly written file in a
// chosen column layout, matching columns by name. Works through two engine
// instances of its own, QuibSource and QuibDest (not the open database's). A
// failed step raises EExchangeError; nothing is reported as done that was not.
class TDBConverter {
    Q_DECLARE_TR_FUNCTIONS(TDBConverter)

  public:
    enum class Result { Written, Declined };

    // With engines of its own, whose source is checked on every open as a
    // source of this program (see SourceChecked); programVersion is the
    // running program's.
    explicit TDBConverter(const QString& programVersion);
    // source and dest are the engine instances to work with; both are left
    // closed after Convert. The source is not checked.
    TDBConverter(TQuib& source, TQuib& dest);
    ~TDBConverter();
    TDBConverter(const TDBConverter&) = delete;
    TDBConverter& operator=(const TDBConverter&) = delete;

    // 1. When sourceFile and destFile name the same file, copies the source to
    //    BackupFileName first (the backup stays whatever happens later).
    // 2. Opens the source, maps its columns onto layout by name; the column
    //    of the records' identities (kIdentityColumn) is kept after
    //    layout's.
    // 3. When destFile exists, asks confirmOverwrite; false gives Declined
    //    and writes nothing.
    // 4. Writes destFile: the identification headers, layout's columns and
    //    every source row, its texts kept as TextEncoding() tells. A source
    //    text without a Windows-1250 form refuses a Central European
    //    destination before anything is written (naming the contact and
    //    the field). The file is built under a temporary name beside it
    //    and replaces destFile only when complete, so a failure leaves an
    //    existing destination as it was.
    Result Convert(const QString& sourceFile, const QString& destFile, const TDBLayout& layout,
                   const std::function<bool()>& confirmOverwrite);

    // For each source column, its position in destColumns (first equal name),
    // or kMissingColumn when the destination has no such column.
    static TColumnMap BuildColumnMap(const QStringList& sourceColumns,
                                     const QStringList& destColumns);
    // How the destination keeps its texts: Unicode (the default) or
    // Central European.
    void SetTextEncoding(quib::TextEncoding encoding) { encoding_ = encoding; }
    quib::TextEncoding TextEncoding() const noexcept { return encoding_; }

    // The column map of the last Convert.
    const TColumnMap& ColumnMap() const noexcept { return lstDBColsIndexFromSourceDB_; }
    // Whether the last Convert made the backup copy (also when it failed later).
    bool BackupMade() const noexcept { return backupMade_; }

    // Told the outcome of each check of the source, as it is opened (engines
    // of its own only). A refused source does not open.
    std::function<void(const TSourceDBCheck& check)> SourceChecked;
    // Opens and closes sourceFile, which runs the check; whether it opened.
    // An engine error (a damaged or missing file) travels on.
    bool CheckSource(const QString& sourceFile);

    // Whether the two names stand for the same file: equal texts, or the same
    // absolute path (a relative name is taken from the working folder), or
    // the same file once links are followed.
    static bool SameFile(const QString& a, const QString& b);

    static QString BackupFileName(const QString& file) { return file + QStringLiteral(".bak"); }
    // Copies file to BackupFileName(file), replacing an earlier backup only
    // once the new copy is complete.
    static void MakeBackup(const QString& file);

    // Creates db's file (its DatabaseName) as an empty contacts database in
    // layout, in db's encoding: the identification headers in the New
    // command's order and layout's columns (a Unicode one needs at least
    // the first program that reads Unicode files).
    static void CreateDatabase(TQuib& db, const TDBLayout& layout);
    // The texts of db's "DBColsName" header; empty when it has none.
    static QStringList DatabaseColumns(const TQuibReader& db);

  private:
    void openSource(const QString& sourceFile);
    void writeDestination(const QString& destFile, const TDBLayout& layout);
    void copyRows();
    void checkStorable();

    void checkCompatibility(int16_t& Cancel);

    std::unique_ptr<TQuib> ownSource_;
    std::unique_ptr<TQuib> ownDest_;
    QString programVersion_;
    TQuib& source_;
    TQuib& dest_;
    TColumnMap lstDBColsIndexFromSourceDB_;
    bool backupMade_ = false;
    quib::TextEncoding encoding_ = quib::TextEncoding::Utf8;
};
