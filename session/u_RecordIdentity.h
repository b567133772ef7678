#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The database column that holds each record's identity: a text that stays
// with the record through edits, sorts and copies to other programs (the UID
// of a vCard, the name of a card on a server). A database gets the column
// when identities are first needed; it is no field of the program.
inline constexpr const char* kIdentityColumn = "UID";

// A record known by its identity: its 32 fields in program order.
struct TIdentifiedRecord {
    QString identity;
    QStringList fields;

    bool operator==(const TIdentifiedRecord&) const = default;
};

// Changes that another copy of the contacts brings, by identity.
struct TIdentifiedChanges {
    QList<TIdentifiedRecord> added;    // appended at the end
    QList<TIdentifiedRecord> changed;  // found by identity, every field replaced
    QStringList removed;               // identities

    bool IsEmpty() const { return added.isEmpty() && changed.isEmpty() && removed.isEmpty(); }
    int Count() const { return static_cast<int>(added.size() + changed.size() + removed.size()); }
};
