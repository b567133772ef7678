#pragma once

#include <QList>
#include <QStringList>
#include <QStringView>

#include <optional>
#include <utility>

// What an import does with the contacts that are already in the database
// (by the rule of DuplicateRule) or that repeat one imported before them.
// Contacts are their 32 cells in program column order.
//
// The import reads its file whole, then: MatchImport, a question to the user
// when DuplicateCount is not 0, PlanImport with the answer, and the plan
// stored as one step.
enum class TDuplicateAction {
    Add,     // add them anyway
    Skip,    // leave them out
    Update,  // update the contacts they repeat (ContactMerge::Update)
};

// The word of the command line for an action: "add", "skip" or "update".
std::optional<TDuplicateAction> ParseDuplicateAction(QStringView word);

// How one imported contact meets the database and the contacts imported
// before it.
struct TImportMatch {
    enum class TKind {
        New,         // the first of its person
        InDatabase,  // index: the database row of its person (the first, if several)
        InImport,    // index: the imported contact of its person that is New
    };
    TKind kind = TKind::New;
    int index = -1;

    bool operator==(const TImportMatch&) const = default;
};

// Matches every imported contact: with the database first, then with the
// contacts imported before it; a contact that repeats one found in the
// database is in the database too. A contact on either side may carry its
// identity as a 33rd cell (a database record's UID, a card's UID): equal
// identities are the same person whatever the rest, and are looked for
// first. Takes time in proportion to the number of contacts on both sides.
QList<TImportMatch> MatchImport(const QList<QStringList>& database,
                                const QList<QStringList>& imported);

// How many imported contacts are in the database, and how many repeat an
// earlier imported one that is not.
struct TDuplicateCount {
    int inDatabase = 0;
    int inImport = 0;
    int total() const { return inDatabase + inImport; }
};
TDuplicateCount CountDuplicates(const QList<TImportMatch>& matches);

// What to store.
struct TImportPlan {
    QList<QStringList> added;                    // to append, in import order
    QList<std::pair<int, QStringList>> updated;  // database rows that change, ascending
};

// Add: every imported contact is added. Skip: only the New ones are added.
// Update: the New ones are added, each updated by the later ones that repeat
// it; the database rows are updated by the imported contacts found in them,
// in import order.
TImportPlan PlanImport(const QList<QStringList>& database, const QList<QStringList>& imported,
                       const QList<TImportMatch>& matches, TDuplicateAction action);
