#include "sync/u_SyncAccounts.h"

#include "sync/u_DavUrl.h"

namespace SyncAccounts {

TSyncAccount Read(const QString& database) {
    return TSyncState::Load(TSyncState::FileFor(database)).account;
}

void Store(const QString& database, TSyncAccount account) {
    if (!account.url.trimmed().isEmpty()) {
        const QUrl url = DavUrl::Collection(account.url);
        DavUrl::Check(url);
        account.url = url.toString();
    } else {
        account.url.clear();
    }
    const QString file = TSyncState::FileFor(database);
    TSyncState state = TSyncState::Load(file);
    if (state.account == account) {
        return;
    }
    state.account = account;
    state.Save(file);
}

}  // namespace SyncAccounts
