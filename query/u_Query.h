#pragma once

#include <QString>

#include <array>
#include <cstdint>

// One condition of a query: which columns it looks at, how it compares and
// the text it looks for.
struct TQueryRow {
    // 0 "--any--", 1 "--every--", 2 "--at least one--", 3 + k column k of
    // the column catalogue.
    uint8_t item = 0;
    // 0 contain, 1 doesn't contain, 2 is, 3 isn't.
    int compar = 0;
    bool caseSensitive = false;
    QString text;

    bool operator==(const TQueryRow&) const = default;
};

// A query: up to 50 conditions joined by one operator. Only the rows before
// the first row with item "--any--" and an empty text are conditions (the
// defined count); the rows below keep their values but take no part.
class TQuery {
  public:
    static constexpr int RowCount = 50;

    enum Item : uint8_t { ItemAny = 0, ItemEvery = 1, ItemAtLeastOne = 2, ItemFirstColumn = 3 };
    enum Compar : int { Contain = 0, DoesNotContain = 1, Is = 2, IsNot = 3 };
    enum Operator : int { And = 0, Or = 1 };

    TQuery() = default;

    // Every row empty, operator "and".
    void Clear();

    int op() const { return op_; }
    void setOp(int op) { op_ = op == Or ? Or : And; }

    // Rows are counted from 0 here (row 0 is the frame's row 1). Out of range
    // reads give an empty row and writes change nothing.
    const TQueryRow& row(int index) const;
    // Stores a row; the text loses its line breaks (see SingleLineText).
    void setRow(int index, TQueryRow row);

    int DefinedCount() const;

    // A condition's text is one INI value: a CR or LF in it would start a new
    // line of the query file, so each becomes a blank.
    static QString SingleLineText(QString text);

    bool operator==(const TQuery&) const = default;

  private:
    int op_ = And;
    std::array<TQueryRow, RowCount> rows_{};
};
