#pragma once

#include "exchange/u_ExchangeProgress.h"
#include "exchange/u_SafeFileWriter.h"
#include "exchange/u_VCardWriter.h"
#include "session/u_ColumnMap.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

class TQuib;

// Moves contacts between a database and vCard files. colsIndexFromProgram
// maps each program column to its database column (kMissingColumn when
// missing).
class TVCardExchange {
  public:
    TVCardExchange(TQuib& quib, const TColumnMap& colsIndexFromProgram);

    // The cards of rows (row indexes of the current view; every row of the
    // view when rows is empty).
    QByteArray BuildVCards(TVCardVersion version, const QList<int>& rows = {}) const;
    // Writes the same cards to fileName, replacing it as a whole: a failure
    // raises EExchangeError (EExchangeCancelled when the progress's watcher
    // stopped it) and leaves the old file and no temporary file. Returns the
    // number of cards written.
    int ExportToFile(const QString& fileName, TVCardVersion version,
                     const QList<int>& rows = {}) const;
    void SetWriteFaults(const TWriteFaults& faults) { faults_ = faults; }

    // Appends one row per card of fileName at the end of the database, then
    // does the save-row step once. The whole file is read first: a file that
    // cannot be read appends nothing. Returns the number of rows appended.
    // Raises EExchangeError (EVCardError with the line), or
    // EExchangeCancelled when the progress's watcher stopped it; the rows
    // appended until then are removed again.
    int Import(const QString& fileName);

    // Who is told the progress of ExportToFile and Import, card by card.
    void SetProgress(TExchangeProgress::TReport report) { report_ = std::move(report); }

  private:
    // The filled cells of a contact: program column and value.
    using TFilledCells = QList<std::pair<int, QString>>;

    QStringList rowCells(int row) const;
    void appendRow(const TFilledCells& cells);

    TQuib& quib_;
    TColumnMap dbColumns_;
    TWriteFaults faults_;
    TExchangeProgress::TReport report_;
};
