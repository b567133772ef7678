#include "sync/u_SyncCommandLine.h"

#include "sync/u_CardDavSync.h"
#include "sync/u_DatabaseReplica.h"
#include "sync/u_DavUrl.h"
#include "sync/u_SyncAccounts.h"
#include "sync/u_SyncError.h"
#include "sync/u_SyncPassword.h"
#include "sync/u_SyncState.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>

int RunSyncCommand(const QString& database, const QString& url, const QString& user,
                   QTextStream& out, QTextStream& err) {
    const QString stateFile = TSyncState::FileFor(database);
    try {
        if (!QFileInfo(database).isFile()) {
            err << database << ": "
                << QCoreApplication::translate("SyncCommandLine",
                                               "There is no database of that name.")
                << '\n';
            return 1;
        }
        TSyncAccount account = SyncAccounts::Read(database);
        if (!url.isEmpty()) {
            const QString refusal = DavUrl::Refusal(DavUrl::Collection(url));
            if (!refusal.isEmpty()) {
                err << refusal << '\n';
                return 2;
            }
            account.url = url;
            account.user = user;
        } else if (!user.isEmpty()) {
            account.user = user;
        }
        SyncAccounts::Store(database, account);
        account = SyncAccounts::Read(database);
        if (account.url.isEmpty()) {
            err << database << ": "
                << QCoreApplication::translate(
                       "SyncCommandLine",
                       "No address book is set for this database; give it with --url.")
                << '\n';
            return 2;
        }
        TDavCredentials credentials{account.user, {}};
        if (!credentials.user.isEmpty()) {
            QString why;
            if (!SyncPassword::Read(account, credentials.password, why)) {
                err << database << ": "
                    << QCoreApplication::translate(
                           "SyncCommandLine",
                           "No password for %1: set %2 or keep it in the secret store (%3).")
                           .arg(credentials.user, QLatin1String(SyncPassword::kEnvironmentVariable),
                                why)
                    << '\n';
                return 1;
            }
        }
        TDatabaseReplica replica(database);
        TCardDavSync sync(replica, stateFile, credentials);
        const TSyncSummary summary = sync.Run();
        for (const QString& warning : summary.warnings) {
            err << database << ": " << warning << '\n';
        }
        out << summary.Text() << '\n';
        return 0;
    } catch (const ESyncError& e) {
        err << database << ": " << e.message() << '\n';
    } catch (const std::exception& e) {
        err << database << ": " << QString::fromUtf8(e.what()) << '\n';
    }
    return 1;
}
