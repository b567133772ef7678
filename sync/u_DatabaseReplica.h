#pragma once

#include "sync/u_SyncReplica.h"

#include <QString>

#include <memory>

class TContactsSession;

// The contacts of a database as the local side of a sync, through the
// session: records are known by their identities (the column "UID"), which
// the database gets, saved, before the first record is handed out. Apply is
// one step of the session's undo stack, saved before it returns; a failure
// leaves the contacts as they were. Raises ESyncError for a database that
// cannot be opened or saved or is no contacts database.
class TDatabaseReplica : public ISyncReplica {
  public:
    // The database open in session, which outlives the replica.
    explicit TDatabaseReplica(TContactsSession& session);
    // The database file fileName, opened in a session of the replica's own.
    explicit TDatabaseReplica(const QString& fileName);
    ~TDatabaseReplica() override;

    QList<TSyncRecord> Records() override;
    QList<TSyncRecord> RecordsOf(const QStringList& uids) override;
    void Apply(const TSyncChanges& changes) override;

  private:
    // Waits for the session's saves; raises when one failed.
    void finishSaves();
    TSyncRecord recordAt(int row) const;

    std::unique_ptr<TContactsSession> own_;
    TContactsSession& session_;
};
