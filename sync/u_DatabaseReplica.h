#pragma once

#include "session/u_ColumnMap.h"
#include "sync/u_SyncReplica.h"

#include <QString>

#include <memory>

class TQuib;

// The contacts of a database file as the local side of a sync, through the
// engine: records are keyed by the column "UID", which is added (and filled
// for the records that lack a UID) and saved before the first record is
// handed out. Apply changes the rows and saves the file once; a failure
// leaves the file as it was. Raises ESyncError for a file that cannot be
// opened or is no contacts database.
class TDatabaseReplica : public ISyncReplica {
  public:
    static constexpr const char* kUidColumn = "UID";

    explicit TDatabaseReplica(const QString& fileName);
    ~TDatabaseReplica() override;

    QList<TSyncRecord> Records() override;
    void Apply(const TSyncChanges& changes) override;

  private:
    void open();
    void ensureUids();
    void save();
    void setCells(int row, const QStringList& cells);

    QString fileName_;
    std::unique_ptr<TQuib> quib_;
    TColumnMap columns_;
    int uidColumn_ = kMissingColumn;
};
