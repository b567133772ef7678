#include "exchange/u_DuplicateFinder.h"

#include "exchange/u_ContactMerge.h"
#include "exchange/u_DuplicateImport.h"
#include "exchange/u_DuplicateRule.h"
#include "session/u_ContactSchema.h"
#include "session/u_ContactsSession.h"

#include <QCoreApplication>

using namespace ContactSchema;

TDuplicateFinder::TDuplicateFinder(TContactsSession& session) : session_(session) {}

void TDuplicateFinder::Refresh() {
    contacts_ = DatabaseContacts(session_);
    for (QStringList& contact : contacts_) {
        contact.resize(ColumnCount);  // identities play no part in merging
    }
    groups_ = FindDuplicateGroups(contacts_);
}

QStringList TDuplicateFinder::Contact(int record) const {
    return contacts_.value(record, QStringList(ColumnCount));
}

QString TDuplicateFinder::Caption(int group) const {
    const QList<int> records = groups_.value(group);
    if (records.isEmpty()) {
        return QString();
    }
    const QStringList first = Contact(records.front());
    QString name =
        QStringList{first[SurName].trimmed(), first[FirstName].trimmed()}.join(u' ').trimmed();
    for (const int field : {Work_Company, Home_Email, Work_Email}) {
        if (name.isEmpty()) {
            name = first[field].section(u'\n', 0, 0).trimmed();
        }
    }
    return QCoreApplication::translate("TDuplicateFinder", "%1 (%2 contacts)")
        .arg(name)
        .arg(records.size());
}

QList<int> TDuplicateFinder::FilledFields(int group) const {
    QList<int> fields;
    for (int field = 0; field < ColumnCount; ++field) {
        for (const int record : groups_.value(group)) {
            if (!Contact(record)[field].trimmed().isEmpty()) {
                fields << field;
                break;
            }
        }
    }
    return fields;
}

QStringList TDuplicateFinder::MergedContact(int group, int kept) const {
    QList<QStringList> others;
    for (const int record : groups_.value(group)) {
        if (record != kept) {
            others << Contact(record);
        }
    }
    return ContactMerge::Merge(Contact(kept), others);
}

bool TDuplicateFinder::Merge(int group, int kept) {
    const QList<int> records = groups_.value(group);
    if (!records.contains(kept)) {
        return false;
    }
    QList<int> others = records;
    others.removeAll(kept);
    const bool merged = session_.MergeRecords(kept, MergedContact(group, kept), others);
    Refresh();
    return merged;
}
