#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A contact as the sync sees it: its UID and its 32 cells in program column
// order.
struct TSyncRecord {
    QString uid;
    QStringList cells;

    bool operator==(const TSyncRecord&) const = default;
};

// What one sync changes in the local contacts.
struct TSyncChanges {
    QList<TSyncRecord> added;
    QList<TSyncRecord> changed;  // found by UID, every cell replaced
    QStringList deleted;         // UIDs

    bool IsEmpty() const { return added.isEmpty() && changed.isEmpty() && deleted.isEmpty(); }
};

// The local side of a sync: the open session, or a database file.
class ISyncReplica {
  public:
    virtual ~ISyncReplica() = default;

    // Every record. A record without a UID gets one here, which the replica
    // keeps from then on: the sync may upload the record under it.
    virtual QList<TSyncRecord> Records() = 0;

    // The records of uids that are there, after Records gave every record
    // its UID (a sync reads back what Apply wrote).
    virtual QList<TSyncRecord> RecordsOf(const QStringList& uids) {
        QList<TSyncRecord> found;
        for (TSyncRecord& record : Records()) {
            if (uids.contains(record.uid)) {
                found << std::move(record);
            }
        }
        return found;
    }

    // Applies changes as one step: all of them, or (raising) none.
    virtual void Apply(const TSyncChanges& changes) = 0;
};
