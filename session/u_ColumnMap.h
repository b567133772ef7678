#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

// The entry of a column map that stands for "no such column": a program field
// the open database lacks, or a database column the program does not support.
// The engine answers column -1 with an empty text and refuses to write it.
inline constexpr int kMissingColumn = -1;

// One direction of the column map between program fields and database
// columns: entry i is the index on the other side, or kMissingColumn.
class TColumnMap {
  public:
    TColumnMap() = default;
    explicit TColumnMap(std::vector<int> entries) : entries_(std::move(entries)) {}

    // 0, 1, ..., count - 1: a database laid out in program order.
    static TColumnMap Identity(int count);
    static TColumnMap AllMissing(int count);

    int size() const { return static_cast<int>(entries_.size()); }
    bool empty() const { return entries_.empty(); }
    // Entry i; kMissingColumn also for an index outside the map.
    int at(int i) const;
    int operator[](int i) const { return at(i); }
    bool isMissing(int i) const { return at(i) == kMissingColumn; }
    void set(int i, int value);
    void append(int value) { entries_.push_back(value); }
    void clear() { entries_.clear(); }
    const std::vector<int>& entries() const { return entries_; }

    bool operator==(const TColumnMap&) const = default;

  private:
    std::vector<int> entries_;
};

// The result of matching a database's column names against the program's.
struct TColumnMatch {
    TColumnMap fromProgram;   // program field -> database column
    TColumnMap fromDB;        // database column -> program field
    QStringList unsupported;  // database column names the program lacks, in database order
    QList<int> missing;       // program fields the database lacks, in program order
};

// Matches by exact, case-sensitive name; the first equal name wins. The one
// rule for opening a database and for converting between layouts.
TColumnMatch MatchColumns(const QStringList& databaseColumns, const QStringList& programColumns);
