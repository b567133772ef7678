#pragma once

#include <QString>
#include <QStringList>

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
