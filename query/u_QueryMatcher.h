#pragma once

#include "query/u_Query.h"
#include "session/u_ColumnMap.h"

#include <QString>
#include <QVector>

#include <optional>
#include <vector>

class TQuibReader;

// A query made ready to test many rows: the conditions' texts are
// lower-cased once and their columns resolved to database columns, so that
// testing a row only reads and compares cells.
class TQueryMatcher {
  public:
    // indexFromProgram: catalogue column k -> database column
    // (kMissingColumn when the database lacks it).
    TQueryMatcher(const TQuery& query, const TColumnMap& indexFromProgram);

    // Whether table row row of quib satisfies the query. A query without
    // conditions matches every row.
    bool Matches(const TQuibReader& quib, int row) const;

    // The rows of quib (0 .. RowsCount - 1) that match, in order.
    QVector<int> MatchingRows(const TQuibReader& quib) const;

    // The lower-casing of a needle that ignores case. Cells are compared
    // with it character by character without regard to case, so no cell is
    // copied to be lower-cased.
    static QString Fold(const QString& text) { return text.toLower(); }

  private:
    enum class Scope { One, Every, AtLeastOne };
    struct Condition {
        Scope scope = Scope::One;
        int slot = -1;  // catalogue column for Scope::One, -1 when none
        int compar = TQuery::Contain;
        Qt::CaseSensitivity sensitivity = Qt::CaseInsensitive;
        QString needle;
        // The needle folded letter by letter, for comparing with folded
        // cells exactly; unset when it cannot be folded so (or case counts).
        std::optional<QString> folded;
    };

    bool ConditionHolds(const Condition& c, const TQuibReader& quib, int row) const;
    bool Passes(const Condition& c, const TQuibReader& quib, int row, int slot) const;
    // The cell of catalogue column slot in the row, read once per row.
    const QString& Cell(const TQuibReader& quib, int row, int slot) const;
    // The same cell folded letter by letter (once per row) into folded:
    // Cannot when it holds letters beyond the basic plane, Shorter (and
    // maybe not folded) when it is shorter than minLength folded.
    enum class FoldResult { Folded, Shorter, Cannot };
    FoldResult FoldedCell(const TQuibReader& quib, int row, int slot, qsizetype minLength,
                          QStringView& folded) const;

    int op_ = TQuery::And;
    std::vector<Condition> conditions_;
    QVector<int> columns_;  // catalogue column -> database column, -1 missing

    // Cells of the row being tested, so that conditions on the same column do
    // not read it twice.
    mutable QVector<QString> cells_;
    mutable QVector<bool> read_;
    // The folded cells of the row being tested.
    static constexpr qsizetype kNotFolded = -2;
    static constexpr qsizetype kCannotFold = -1;
    struct Slot {
        std::vector<char16_t> folded;
        QString foldedText;  // folding a cell already read
        qsizetype foldedLength = kNotFolded;
        qsizetype bytes = -1;  // the cell's UTF-8 bytes, -1 until seen
    };
    mutable std::vector<Slot> slots_;
};
