#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>

// Where and when a database syncs: kept in its sync state file, so that the
// address book travels with the database and a new address book starts a
// new state. The password is never kept here.
struct TSyncAccount {
    QString url;  // the address book
    QString user;
    bool syncAtOpen = false;
    bool syncAtClose = false;
    int everyMinutes = 0;  // 0: not on a timer

    bool operator==(const TSyncAccount&) const = default;
};

// What the last sync knew of one contact.
struct TSyncEntry {
    QString path;     // the card's path on the server (decoded)
    QByteArray etag;  // its ETag when last seen; empty when the server sent none
    QByteArray hash;  // RecordHash of the record when last synced
    QByteArray card;  // the server's card as last seen or uploaded

    bool operator==(const TSyncEntry&) const = default;
};

// The sync state of a database, the file NAME.tbr.sync beside it: the
// account, the address book the entries belong to, the server's sync token,
// the time of the last complete sync and, per UID, the entry.
struct TSyncState {
    static constexpr qint64 kMaxFileBytes = 1024LL * 1024 * 1024;
    static constexpr qsizetype kMaxCardBytes = 16 * 1024 * 1024;
    static constexpr qsizetype kMaxEntries = 2'000'000;
    static constexpr int kMaxEveryMinutes = 7 * 24 * 60;

    TSyncAccount account;
    QString boundUrl;  // the address book of token and entries
    QString token;
    QDateTime lastSync;  // UTC; invalid before the first complete sync
    QHash<QString, TSyncEntry> entries;

    // The state file of database: its name with ".sync" appended.
    static QString FileFor(const QString& database);

    // Reads fileName; a missing file is an empty state. Raises ESyncError for
    // a file that cannot be read, is not a plain file, is larger than 1 GiB
    // or is not a sync state (with the line that is wrong).
    static TSyncState Load(const QString& fileName);
    static TSyncState Parse(QByteArrayView bytes, const QString& fileName);

    // Replaces fileName as a whole (a temporary file renamed over it).
    // Raises ESyncError when it cannot be written; the old file then stays.
    void Save(const QString& fileName) const;
    QByteArray Serialize() const;

    // Makes account.url the address book of the state: entries and token of
    // another address book are forgotten.
    void Bind();

    bool operator==(const TSyncState&) const = default;
};

// The hash of a record's 32 cells, to tell whether it changed since the
// last sync.
QByteArray RecordHash(const QStringList& cells);
