#pragma once

#include "exchange/u_ExchangeProgress.h"
#include "exchange/u_SafeFileWriter.h"
#include "session/u_ColumnMap.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <utility>

class TQuibReader;

// Writes the rows of a contacts database's current view as comma-separated
// text: a header line with the names of the chosen program columns, then one
// line per row with their values. Every name and value is quoted; lines end
// in CR LF; the bytes are Windows-1250 without a byte-order mark, or UTF-8
// after one (so that spreadsheet programs know it), as SetEncoding chose.
class TCsvExporter {
    Q_DECLARE_TR_FUNCTIONS(TCsvExporter)

  public:
    enum class TEncoding { Windows1250, Utf8 };

    // colsName: the program's column names; colsIndexFromProgram: database
    // column of each program column (kMissingColumn when the database lacks it).
    TCsvExporter(const TQuibReader& quib, const QStringList& colsName,
                 const TColumnMap& colsIndexFromProgram);

    // ticked[j] says whether program column j is written; missing entries
    // count as unticked. In Windows-1250, a text without a Windows-1250
    // form raises EExchangeError naming the contact and the field; never is
    // a character replaced.
    QByteArray BuildCsv(const QList<bool>& ticked) const;

    // Writes the same text to fileName row by row, replacing the file as a
    // whole: a failure raises EExchangeError (EExchangeCancelled when the
    // progress's watcher stopped it), leaves an earlier file of that name as
    // it was and no temporary file behind.
    void ExportToFile(const QString& fileName, const QList<bool>& ticked) const;

    // The texts the header line names the program columns by, in program
    // order, instead of their names (for titles that people read).
    void SetHeaderTexts(QStringList texts) { headerTexts_ = std::move(texts); }

    // Writes only rows, in this order, instead of every row of the view
    // (the contacts a view shows).
    void SetRows(QList<int> rows) { rows_ = std::move(rows); }

    // The encoding of the text (Windows-1250 unless told).
    void SetEncoding(TEncoding encoding) { encoding_ = encoding; }
    TEncoding Encoding() const { return encoding_; }

    // Who is told the progress of ExportToFile, row by row.
    void SetProgress(TExchangeProgress::TReport report) { report_ = std::move(report); }

    // Makes the file writes of ExportToFile fail as given (for tests).
    void SetWriteFaults(const TWriteFaults& faults) { faults_ = faults; }

    // The usual destination for a database: its name with the extension
    // replaced by ".csv" (appended when it has none).
    static QString DefaultFileName(const QString& databaseName);

  private:
    // Hands the text out in pieces of about one row.
    void writeCsv(const QList<bool>& ticked, const std::function<void(const QByteArray&)>& put,
                  TExchangeProgress& progress) const;
    QList<int> tickedColumns(const QList<bool>& ticked) const;
    void appendHeader(QByteArray& out, const QList<int>& columns) const;
    void appendRow(QByteArray& out, int row, const QList<int>& columns,
                   const QList<int>& dbColumns) const;
    // Appends value (of row, -1 for the header line, in program column
    // field) in the chosen encoding.
    void appendValue(QByteArray& out, QStringView value, int row, int field) const;
    // Appends value in double quotes, inner quotes doubled, in encoding.
    static void appendQuoted(QByteArray& out, QStringView value, TEncoding encoding);

    const TQuibReader& quib_;
    QStringList colsName_;
    QStringList headerTexts_;
    TColumnMap colsIndexFromProgram_;
    TWriteFaults faults_;
    TExchangeProgress::TReport report_;
    TEncoding encoding_ = TEncoding::Windows1250;
    std::optional<QList<int>> rows_;
    // The cell being written, its room reused from cell to cell.
    mutable QString cell_;
};
