#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class TContactsSession;

// The likely duplicates of the open database (DuplicateRule) and their
// merging, for the window that shows them. Each merge is one step of the
// session that can be undone; the groups are found again after it, since
// the records after a deleted one move up.
class TDuplicateFinder {
  public:
    explicit TDuplicateFinder(TContactsSession& session);

    // Finds the groups in the database as it is now.
    void Refresh();
    // The groups, each its record numbers ascending, in the order of their
    // first record.
    const QList<QList<int>>& Groups() const { return groups_; }
    // The 32 fields of a record of the database.
    QStringList Contact(int record) const;
    // What a group is called in the list: the name of its first contact
    // (or its company or e-mail address) and how many contacts it has.
    QString Caption(int group) const;
    // The fields the records of group fill, in program order: the columns
    // worth showing side by side.
    QList<int> FilledFields(int group) const;

    // What kept becomes when the other records of group are merged into it.
    QStringList MergedContact(int group, int kept) const;
    // Merges the other records of group into its record kept (one of the
    // group's) and finds the groups again. False when kept is not in the
    // group or the session refused.
    bool Merge(int group, int kept);

  private:
    TContactsSession& session_;
    QList<QStringList> contacts_;
    QList<QList<int>> groups_;
};
