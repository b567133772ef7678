#pragma once

#include "sync/u_SyncState.h"

#include <QString>

// The sync settings of a database: the account its sync state file holds.
// The settings dialog and the command line both store them here, so that
// both store them alike.
namespace SyncAccounts {

// The account of database; an empty one when it has no sync state yet.
// Raises ESyncError for a state file that cannot be read.
TSyncAccount Read(const QString& database);

// Makes account the sync settings of database: the address as the address
// of a collection (trimmed, with a trailing "/"), the rest as given; the
// entries and the token stay until a sync with another address book starts
// anew. Raises ESyncError, storing nothing, for an address that is not
// allowed (DavUrl::Refusal) or a state file that cannot be read or written.
void Store(const QString& database, TSyncAccount account);

}  // namespace SyncAccounts
