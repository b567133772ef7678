#pragma once

#include <QString>

class QTextStream;

// pellum --sync DB [--url URL] [--user NAME]: syncs the database DB with its
// address book without a window. A given URL and user name are stored as
// the database's sync settings first, as the sync settings dialog stores
// them. The password comes from PELLUM_SYNC_PASSWORD or the secret store.
// Prints the summary ("Downloaded 12, uploaded 3, deleted 1, conflicts 0.")
// on out, and returns 0; 1 when the sync failed (the reason on err; the
// database is changed in one step or not at all); 2 when the command line
// is wrong (no address book known, an address that is not allowed).
int RunSyncCommand(const QString& database, const QString& url, const QString& user,
                   QTextStream& out, QTextStream& err);
