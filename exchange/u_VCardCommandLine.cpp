#include "exchange/u_VCardCommandLine.h"

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

}  // namespace

int RunVCardCommand(bool exportCards, const QString& database, const QString& file,
                    QTextStream& out, QTextStream& err, bool convertToUnicode) {
    try {
        TContactsSession session(RunningVersionText());
        openContacts(session, database);
        if (convertToUnicode) {
            session.SetUnicodeQuestion([](const TUnstorableText&) { return true; });
        }
        TVCardExchange exchange(session.Quib1(), session.Columns().lstDBColsIndexFromProgram);
        if (exportCards) {
            const int count = exchange.ExportToFile(file, TVCardVersion::V4_0);
            out << QCoreApplication::translate("VCardCommandLine",
                                               "Exported %1 contacts from %2 to %3.")
                       .arg(count)
                       .arg(database, file)
                << '\n';
            return 0;
        }
        QString saveError;
        QObject::connect(
            &session, &TContactsSession::saveFailed,
            [&saveError](const QString&, const QString& message) { saveError = message; });
        const int count = session.ImportRecords(exchange.ReadFile(file));
        session.FinishSaves();
        if (!saveError.isEmpty()) {
            throw EExchangeError(saveError);
        }
        out << QCoreApplication::translate("VCardCommandLine",
                                           "Imported %1 contacts from %2 into %3.")
                   .arg(count)
                   .arg(file, database)
            << '\n';
        return 0;
    } catch (const EExchangeError& e) {
        err << database << ": " << e.message() << '\n';
    } catch (const std::exception& e) {
        // Engine errors (EQuibError) carry the engine's message.
        err << database << ": " << QString::fromUtf8(e.what()) << '\n';
    }
    return 1;
}
