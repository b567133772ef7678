#include "exchange/u_VCardCommandLine.h"

#include "exchange/u_DuplicateImport.h"
#include "exchange/u_VCardExchange.h"
#include "session/u_ContactsSession.h"
#include "support/u_ExchangeError.h"
#include "support/u_OrvFileLib.h"

#include <QCoreApplication>
#include <QTextStream>

namespace {

// Opens database in session; a database the program refuses, or one that
// does not open, raises EExchangeError. Column mismatches are no error here.
void openContacts(TContactsSession& session, const QString& database) {
    QString refusal;
    QObject::connect(&session, &TContactsSession::openRefused,
                     [&refusal](const QString& message) { refusal = message; });
    if (!session.OpenFile(database)) {
        throw EExchangeError(refusal.isEmpty()
                                 ? QCoreApplication::translate("VCardCommandLine",
                                                               "The database could not be opened.")
                                 : refusal);
    }
}

// Raises the failure of a background save, after waiting for them.
void finishSaves(TContactsSession& session, const QString& saveError) {
    session.FinishSaves();
    if (!saveError.isEmpty()) {
        throw EExchangeError(saveError);
    }
}

}  // namespace

int RunVCardCommand(bool exportCards, const QString& database, const QString& file,
                    QTextStream& out, QTextStream& err, TDuplicateAction duplicates,
                    bool convertToUnicode) {
    try {
        TContactsSession session(RunningVersionText());
        openContacts(session, database);
        if (convertToUnicode) {
            session.SetUnicodeQuestion([](const TUnstorableText&) { return true; });
        }
        QString saveError;
        QObject::connect(
            &session, &TContactsSession::saveFailed,
            [&saveError](const QString&, const QString& message) { saveError = message; });
        if (exportCards) {
            // The identities given here are saved with the database, so
            // that the cards are known again when they come back.
            session.EnsureIdentities();
            TVCardExchange exchange(session.Quib1(), session.Columns().lstDBColsIndexFromProgram,
                                    session.IdentityColumn());
            const int count = exchange.ExportToFile(file, TVCardVersion::V4_0);
            finishSaves(session, saveError);
            out << QCoreApplication::translate("VCardCommandLine",
                                               "Exported %1 contacts from %2 to %3.")
                       .arg(count)
                       .arg(database, file)
                << '\n';
            return 0;
        }
        TVCardExchange exchange(session.Quib1(), session.Columns().lstDBColsIndexFromProgram);
        const TImportCheck check = CheckImport(session, exchange.ReadFile(file));
        const TImportOutcome outcome = StoreImport(session, check, duplicates);
        finishSaves(session, saveError);
        out << QCoreApplication::translate("VCardCommandLine",
                                           "Imported %1 contacts from %2 into %3.")
                   .arg(outcome.added)
                   .arg(file, database)
            << '\n';
        if (check.count.total() > 0) {
            out << QCoreApplication::translate(
                       "VCardCommandLine",
                       "Already in the database or repeated in the file: %1; updated: %2, "
                       "skipped: %3.")
                       .arg(check.count.total())
                       .arg(outcome.updated)
                       .arg(outcome.skipped)
                << '\n';
        }
        return 0;
    } catch (const EExchangeError& e) {
        err << database << ": " << e.message() << '\n';
    } catch (const std::exception& e) {
        // Engine errors (EQuibError) carry the engine's message.
        err << database << ": " << QString::fromUtf8(e.what()) << '\n';
    }
    return 1;
}
