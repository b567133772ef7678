#include "exchange/u_DuplicateImport.h"

#include "session/u_ContactSchema.h"
#include "session/u_ContactsSession.h"
#include "session/u_QuibReader.h"

#include <QCoreApplication>

QList<QStringList> DatabaseContacts(const TContactsSession& session) {
    QList<QStringList> contacts;
    if (!session.IsOpen()) {
        return contacts;
    }
    const TQuibReader& quib = session.Quib1();
    QList<int> columns;
    for (int field = 0; field < ContactSchema::ColumnCount; ++field) {
        columns << session.ColumnOfField(field);
    }
    const int identity = session.IdentityColumn();
    const int rows = quib.RowsCount();
    contacts.reserve(rows);
    for (int row = 0; row < rows; ++row) {
        QStringList cells;
        cells.reserve(ContactSchema::ColumnCount + 1);
        for (const int column : columns) {
            cells << (column < 0 ? QString() : quib.GetData(row, column));
        }
        if (identity >= 0) {
            cells << quib.GetData(row, identity);
        }
        contacts << cells;
    }
    return contacts;
}

TImportCheck CheckImport(const TContactsSession& session, const TRecordBatch& batch) {
    TImportCheck check;
    check.database = DatabaseContacts(session);
    check.imported.reserve(batch.RowCount());
    for (int i = 0; i < batch.RowCount(); ++i) {
        QStringList cells = batch.Row(i, ContactSchema::ColumnCount + 1);
        if (cells.last().isEmpty()) {
            cells.removeLast();
        }
        check.imported << cells;
    }
    check.matches = MatchImport(check.database, check.imported);
    check.count = CountDuplicates(check.matches);
    return check;
}

TImportOutcome StoreImport(TContactsSession& session, const TImportCheck& check,
                           TDuplicateAction action, const TExchangeProgress::TReport& report) {
    const TImportPlan plan = PlanImport(check.database, check.imported, check.matches, action);
    TRecordBatch added;
    for (const QStringList& contact : plan.added) {
        added.AppendRow(contact);
    }
    TExchangeProgress progress(report);
    progress.Start(added.RowCount());
    TImportOutcome outcome;
    outcome.added = session.ImportRecords(
        added, [&progress](qint64, qint64) { progress.Step(); }, plan.updated);
    progress.Finish();
    outcome.updated = static_cast<int>(plan.updated.size());
    // Updating, the repeated contacts are in the records they updated.
    outcome.skipped = action == TDuplicateAction::Skip
                          ? static_cast<int>(check.imported.size()) - outcome.added
                          : 0;
    return outcome;
}

QString DuplicateQuestionText(const TDuplicateCount& count, qsizetype total) {
    QStringList lines;
    if (count.inDatabase > 0) {
        lines << QCoreApplication::translate("DuplicateImport",
                                             "%1 of the %2 contacts are already in the database.")
                     .arg(count.inDatabase)
                     .arg(total);
    }
    if (count.inImport > 0) {
        lines << QCoreApplication::translate(
                     "DuplicateImport",
                     "%1 of the %2 contacts repeat a contact earlier in the file.")
                     .arg(count.inImport)
                     .arg(total);
    }
    return lines.join(u'\n');
}

QString ImportOutcomeText(const TImportOutcome& outcome) {
    return QCoreApplication::translate("DuplicateImport",
                                       "Contacts added: %1, updated: %2, skipped: %3.")
        .arg(outcome.added)
        .arg(outcome.updated)
        .arg(outcome.skipped);
}
