#pragma once

#include "exchange/u_ExchangeProgress.h"
#include "exchange/u_SafeFileWriter.h"
#include "exchange/u_VCardWriter.h"
#include "session/u_ColumnMap.h"
#include "session/u_PackedRows.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <string>
#include <utility>
#include <vector>

class TQuibReader;

// Moves contacts between a database and vCard files: writes the contacts of
// a database, and reads the contacts of a file for the session to import.
// colsIndexFromProgram maps each program column to its database column
// (kMissingColumn when missing); identityColumn is the database column of
// the records' identities, written as each card's UID.
class TVCardExchange {
  public:
    TVCardExchange(const TQuibReader& quib, const TColumnMap& colsIndexFromProgram,
                   int identityColumn = kMissingColumn);

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

    // The contacts of the cards of fileName, one record per card (program
    // fields, and a card's UID as text 32). The whole file is read. Raises EExchangeError
    // (EVCardError with the line; a file without a card), or EExchangeCancelled when the progress's
    // watcher stopped it.
    TRecordBatch ReadFile(const QString& fileName) const;

    // Who is told the progress of ExportToFile and ReadFile, card by card.
    void SetProgress(TExchangeProgress::TReport report) { report_ = std::move(report); }

  private:
    // The cells of row in program order (and its identity), each copied
    // from the database's UTF-8 into room kept from row to row.
    const TVCardWriter::Utf8Cells& rowCells(int row) const;

    const TQuibReader& quib_;
    TColumnMap dbColumns_;
    int identityColumn_;
    TWriteFaults faults_;
    TExchangeProgress::TReport report_;
    // The row being written: its texts and the views the writer reads.
    mutable std::vector<std::string> texts_;
    mutable TVCardWriter::Utf8Cells cells_;
};
