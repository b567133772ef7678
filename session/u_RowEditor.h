#pragma once

#include "session/u_ChangeStep.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>
#include <string>
#include <vector>

class TQuib;

// One key of a sort: a database column (kMissingColumn or any other column
// the table lacks is skipped, as the engine skips it) and its direction.
struct TSortKey {
    int column = 0;
    bool ascending = true;
    bool operator==(const TSortKey&) const = default;
};

// Changes the physical rows of an engine so that each change can be taken
// back exactly: every row edit it makes keeps the texts the database no
// longer holds, so that replacing the row again with them, or inserting
// them where they were, restores the rows byte for byte and in their
// physical order. The engine must have no filter active (row positions are
// physical rows).
//
// Every cell it writes is written by writeRow, or with its whole row by
// appendCells (a row after the last).
class TRowEditor {
  public:
    explicit TRowEditor(TQuib& quib) : quib_(quib) {}

    // Every cell of row (one per database column).
    QStringList ReadRow(int row) const;

    // Writes texts (one per database column) into row; the edit holds the
    // row's old texts. Only cells that differ are written.
    TRowEdit Replace(int row, const QStringList& texts);
    // Inserts count rows before row (at the end when row is the row count);
    // row i gets rowTexts(i), one text per database column. afterRow, when
    // given, is told the rows made so far after each one. Whatever either
    // throws takes the rows made out again and travels on.
    using TRowTexts = std::function<QStringList(int i)>;
    using TRowsMade = std::function<void(int made)>;
    TRowEdit Insert(int row, int count, const TRowTexts& rowTexts, const TRowsMade& afterRow = {});
    // Appends count rows after the last, row i's UTF-8 texts set by
    // rowCells(i, cells), one per database column (cells comes with every
    // text empty), for texts that need no conversion on their way in.
    // afterRow and a throw as for Insert.
    using TRowCells = std::function<void(int i, std::vector<std::string>& cells)>;
    TRowEdit Append(int count, const TRowCells& rowCells, const TRowsMade& afterRow = {});
    // Removes count rows from row on; the edit holds their texts.
    TRowEdit Remove(int row, int count);

    // Replaces the engine's sort records by keys (as the sort builder always
    // has: the old records are deleted from the last, so that rows already
    // in their order do not move) and sorts. Returns the new order: entry p
    // is the row, counted before the sort, now at position p.
    QVector<int> Sort(const QVector<TSortKey>& keys);
    // Moves the row at each position p to position target[p] (target is a
    // permutation of the positions). The engine is left without sort records.
    void MoveRows(const QVector<int>& target);

  private:
    void writeRow(int row, const QStringList& texts);
    // Appends a row holding texts, through cells (room kept between rows).
    void appendRow(const QStringList& texts, std::vector<std::string>& cells);
    void appendCells(const std::vector<std::string>& cells);
    void insertRows(int row, int count, const TRowTexts& rowTexts, const TRowsMade& afterRow);
    TPackedRows removeRows(int row, int count);
    // A column after the others whose cell in each row is a number of the
    // row (fixed-width decimal, so that text order is number order).
    int addMarkColumn(const std::function<int(int row)>& mark);
    QVector<int> readMarkColumn(int column) const;

    TQuib& quib_;
};
