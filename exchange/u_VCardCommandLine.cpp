#include "exchange/u_VCardCommandLine.h"

#include "exchange/u_VCardExchange.h"
#include "session/QUIBLib_TLB.h"
#include "session/u_ColumnMap.h"
#include "session/u_ContactSchema.h"
#include "session/u_DBConverter.h"
#include "session/u_SourceDBCheck.h"
#include "support/u_ExchangeError.h"
#include "support/u_OrvFileLib.h"

#include <QCoreApplication>
#include <QTextStream>

namespace {

// The database column of each program column, by the database's own
// column names.
TColumnMap columnMap(const TQuib& quib) {
    return MatchColumns(TDBConverter::DatabaseColumns(quib), ContactSchema::ColumnNames())
        .fromProgram;
}

void openContacts(TQuib& quib, const QString& database) {
    quib.SetDatabaseName(database);
    if (!quib.Open()) {
        throw EExchangeError(
            QCoreApplication::translate("VCardCommandLine", "The database could not be opened."));
    }
    const TSourceDBCheck check = CheckSourceDatabase(quib, RunningVersionText());
    if (!check.accepted) {
        throw EExchangeError(check.error);
    }
}

}  // namespace

int RunVCardCommand(bool exportCards, const QString& database, const QString& file,
                    QTextStream& out, QTextStream& err) {
    try {
        TQuib quib;
        openContacts(quib, database);
        TVCardExchange exchange(quib, columnMap(quib));
        if (exportCards) {
            const int count = exchange.ExportToFile(file, TVCardVersion::V4_0);
            out << QCoreApplication::translate("VCardCommandLine",
                                               "Exported %1 contacts from %2 to %3.")
                       .arg(count)
                       .arg(database, file)
                << '\n';
        } else {
            quib.OnSaveRow = [&quib] { quib.Save(); };
            const int count = exchange.Import(file);
            out << QCoreApplication::translate("VCardCommandLine",
                                               "Imported %1 contacts from %2 into %3.")
                       .arg(count)
                       .arg(file, database)
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
