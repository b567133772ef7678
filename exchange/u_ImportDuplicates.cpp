#include "exchange/u_ImportDuplicates.h"

#include "exchange/u_ContactMerge.h"
#include "exchange/u_DuplicateRule.h"
#include "session/u_ContactSchema.h"

#include <QHash>
#include <QMap>

std::optional<TDuplicateAction> ParseDuplicateAction(QStringView word) {
    if (word == u"add") {
        return TDuplicateAction::Add;
    }
    if (word == u"skip") {
        return TDuplicateAction::Skip;
    }
    if (word == u"update") {
        return TDuplicateAction::Update;
    }
    return std::nullopt;
}

namespace {

QString identityOf(const QStringList& contact) {
    return contact.value(ContactSchema::ColumnCount).trimmed();
}

// The first contact of each identity.
QHash<QString, int> identities(const QList<QStringList>& contacts) {
    QHash<QString, int> found;
    for (qsizetype i = 0; i < contacts.size(); ++i) {
        const QString identity = identityOf(contacts[i]);
        if (!identity.isEmpty() && !found.contains(identity)) {
            found.insert(identity, static_cast<int>(i));
        }
    }
    return found;
}

}  // namespace

QList<TImportMatch> MatchImport(const QList<QStringList>& database,
                                const QList<QStringList>& imported) {
    using TKind = TImportMatch::TKind;
    const TDuplicateIndex inDatabase(database);
    const QHash<QString, int> databaseIdentities = identities(database);
    TDuplicateIndex inImport;
    QHash<QString, int> importIdentities;
    QList<TImportMatch> matches;
    matches.reserve(imported.size());
    for (qsizetype i = 0; i < imported.size(); ++i) {
        const DuplicateRule::TKeys keys = DuplicateRule::Keys(imported[i]);
        const QString identity = identityOf(imported[i]);
        TImportMatch match;
        QList<int> earlier;
        if (const int row = databaseIdentities.value(identity, -1); row >= 0) {
            match = {TKind::InDatabase, row};
        } else if (const QList<int> rows = inDatabase.Find(keys); !rows.isEmpty()) {
            match = {TKind::InDatabase, rows.front()};
        } else if (const int before = importIdentities.value(identity, -1); before >= 0) {
            earlier = {before};
        } else {
            earlier = inImport.Find(keys);
        }
        if (!earlier.isEmpty()) {
            const TImportMatch& first = matches[earlier.front()];
            // Point at the person's first contact, in the database or not.
            match =
                first.kind == TKind::New ? TImportMatch{TKind::InImport, earlier.front()} : first;
        }
        matches << match;
        if (!identity.isEmpty() && !importIdentities.contains(identity)) {
            importIdentities.insert(identity, static_cast<int>(i));
        }
        inImport.Add(static_cast<int>(i), keys);
    }
    return matches;
}

TDuplicateCount CountDuplicates(const QList<TImportMatch>& matches) {
    TDuplicateCount count;
    for (const TImportMatch& match : matches) {
        count.inDatabase += match.kind == TImportMatch::TKind::InDatabase ? 1 : 0;
        count.inImport += match.kind == TImportMatch::TKind::InImport ? 1 : 0;
    }
    return count;
}

TImportPlan PlanImport(const QList<QStringList>& database, const QList<QStringList>& imported,
                       const QList<TImportMatch>& matches, TDuplicateAction action) {
    using TKind = TImportMatch::TKind;
    TImportPlan plan;
    if (action == TDuplicateAction::Add) {
        plan.added = imported;
        return plan;
    }
    QHash<int, qsizetype> addedAt;  // imported New contact -> its place in added
    QMap<int, QStringList> rows;    // database row -> its cells as updated so far
    for (qsizetype i = 0; i < imported.size() && i < matches.size(); ++i) {
        const TImportMatch& match = matches[i];
        if (match.kind == TKind::New) {
            addedAt.insert(static_cast<int>(i), plan.added.size());
            plan.added << imported[i];
        } else if (action == TDuplicateAction::Update && match.kind == TKind::InImport) {
            QStringList& first = plan.added[addedAt.value(match.index)];
            const QString identity = first.value(ContactSchema::ColumnCount);
            first = ContactMerge::Update(first, imported[i]);
            if (!identity.isEmpty()) {
                first << identity;  // the contact keeps the identity it brought
            }
        } else if (action == TDuplicateAction::Update) {
            auto it = rows.find(match.index);
            if (it == rows.end()) {
                it = rows.insert(match.index, database.value(match.index));
            }
            *it = ContactMerge::Update(*it, imported[i]);
        }
    }
    for (auto it = rows.cbegin(); it != rows.cend(); ++it) {
        QStringList before = database.value(it.key());
        before.resize(it->size());
        if (*it != before) {
            plan.updated.append({it.key(), *it});
        }
    }
    return plan;
}
