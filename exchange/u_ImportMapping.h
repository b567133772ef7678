#pragma once

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <utility>

// The ordered mapping of a CSV import: entry i says which program column
// receives field i of every line. The titles (what the user sees) and the
// targets (program column index as decimal text, "-1" for a field that is not
// imported) always have the same length and order.
class TImportMapping {
  public:
    const QStringList& Titles() const noexcept { return lstDBColumns_; }
    const QStringList& Targets() const noexcept { return lstDBColumnsHidden_; }
    int Count() const noexcept { return static_cast<int>(lstDBColumns_.size()); }

    // Appends the choice addIndex of the add list, whose entry 0 is the
    // do-not-import choice and entry k the program column k - 1. A negative
    // addIndex (nothing chosen) does nothing.
    void Add(int addIndex, const QString& title);
    // Appends every program column in order (not the do-not-import choice).
    void AddAll(const QStringList& columnTitles);

    // Each move takes the selected entry s and returns the selection
    // afterwards: the moved entry's new position, or s when nothing moved.
    int MoveFirst(int s);
    int MovePrevious(int s);
    int MoveNext(int s);
    int MoveLast(int s);

    // Removes entry s when it exists.
    void Delete(int s);
    void DeleteAll();

  private:
    int move(int from, int to);

    QStringList lstDBColumns_;
    QStringList lstDBColumnsHidden_;
};

// How the fields of each record reach their columns: field i goes to
// targets[i] (-1: nowhere; fields beyond the targets are ignored). A column
// that several fields go to keeps the later one, or, when it is one of the
// joined columns, all that are not empty, one per line, each different value
// once.
class TFieldRouting {
  public:
    TFieldRouting(QList<int> targets, const QSet<int>& joined);

    // Each column that a field of the record reaches, with its value, in the
    // order the columns first appear in the targets.
    using TCells = QList<std::pair<int, QString>>;
    TCells Route(const QStringList& fields) const;

  private:
    QList<int> targets_;
    QList<int> slotOf_;   // per field: its column's slot, -1 for no column
    QList<int> columns_;  // per slot: the column
    QList<bool> joined_;  // per slot: several fields are joined
};
