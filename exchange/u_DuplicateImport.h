#pragma once

#include "exchange/u_ExchangeProgress.h"
#include "exchange/u_ImportDuplicates.h"
#include "session/u_PackedRows.h"

#include <QList>
#include <QString>
#include <QStringList>

class TContactsSession;

// An import that knows which of its contacts are in the database already:
// the records read from a file are met with the open database before
// anything is stored, and stored as the user's answer says, as one step
// that can be undone. The CSV and vCard imports of the windows and of the
// command line go this way.

// The contacts of the open database as the duplicate rule reads them: the
// 32 fields of each record and, when the database has identities, its
// identity as a 33rd cell.
QList<QStringList> DatabaseContacts(const TContactsSession& session);

// An import read whole, met with the database.
struct TImportCheck {
    QList<QStringList> database;  // DatabaseContacts when checked
    QList<QStringList> imported;  // the records of the batch, their identity as a 33rd cell
    QList<TImportMatch> matches;
    TDuplicateCount count;
};
TImportCheck CheckImport(const TContactsSession& session, const TRecordBatch& batch);

// What an import did.
struct TImportOutcome {
    int added = 0;
    int updated = 0;  // database records that changed
    int skipped = 0;  // contacts left out, or merged into another
};

// Stores the records of check as action says, through the session as one
// step; report is told the appended records one by one. A cancel raises
// EExchangeCancelled with nothing changed.
TImportOutcome StoreImport(TContactsSession& session, const TImportCheck& check,
                           TDuplicateAction action, const TExchangeProgress::TReport& report = {});

// The question put to the user: "23 of the 120 contacts are already in the
// database", and how many repeat one earlier in the file.
QString DuplicateQuestionText(const TDuplicateCount& count, qsizetype total);

// What the user is told when an import is done: how many were added,
// updated and skipped.
QString ImportOutcomeText(const TImportOutcome& outcome);
