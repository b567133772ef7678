#pragma once

#include <QString>
#include <QStringView>

#include <functional>
#include <optional>
#include <string_view>

// The search behind Find and Find Next, free of any window: it walks the
// cells of the open database field by field and record by record from a
// starting position and reports the first cell that contains the text.
namespace BasicFind {

inline constexpr int FieldCount = 32;

enum class Direction { Down, Up };

// Text of the cell of record row and program field field.
using CellReader = std::function<QString(int row, int field)>;
// The same text into out, reusing its room (a search reads every cell).
using CellInto = std::function<void(int row, int field, QString& out)>;
// The same text as the database keeps it, UTF-8 without a copy, valid until
// the next call (the fastest way through every cell).
using CellView = std::function<std::string_view(int row, int field)>;
// Called once for every record the search enters (to show that it runs).
using RecordTick = std::function<void()>;

// Without match case both letter case and accents are ignored: "dvorak"
// finds "Dvořák". With it the text must be there exactly as typed.
struct Request {
    QString pattern;
    Direction direction = Direction::Down;
    bool matchCase = false;
};

// Where a search starts: the field there is never examined in that record.
struct Position {
    int record = 0;
    int field = 0;
};

// A run of characters of the searched text itself (not of its folded form,
// which may be shorter where accents are written as combining marks).
struct Span {
    int position = 0;  // 0-based character position
    int length = 0;
};

struct Hit {
    int record = 0;
    int field = 0;
    int position = 0;  // 0-based character position of the found text
    int length = 0;    // its length in the cell's characters
};

// The start used when the current view gives none (focus outside the card's
// fields): record 0, and the first field (down) or the last one (up).
Position DefaultStart(Direction direction);

// Where request.pattern first occurs in text, by the request's match case.
std::optional<Span> FindInText(QStringView text, const Request& request);

// The first cell after start (in direction) holding request.pattern. Never
// wraps past the first or last record; an empty pattern is never found.
std::optional<Hit> Find(const CellInto& cell, int rowsCount, Position start, const Request& request,
                        const RecordTick& tick = {});
std::optional<Hit> Find(const CellReader& cell, int rowsCount, Position start,
                        const Request& request);
std::optional<Hit> Find(const CellView& cell, int rowsCount, Position start, const Request& request,
                        const RecordTick& tick = {});

}  // namespace BasicFind
