#include "View.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "SurfaceText.h"
#include "Table.h"
#include "Version.h"

namespace quib {
namespace {

char upperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

enum class Compar { Contain, DoesNotContain, Is, IsNot, Pass };

// A filter record read once per pass: its column, operator and pattern in
// the table's encoding (upper-cased already when the record folds case).
// Cells and pattern are compared byte for byte, folding a-z only, which
// gives the same answer for a text in Windows-1250 as in UTF-8. A pattern
// the table cannot hold occurs in none of its cells.
struct Condition {
    int32_t col;
    Compar compar;
    bool fold;
    bool impossible = false;
    std::string pattern;

    Condition(const FilterList::Record& record, TextEncoding encoding) {
        const std::string& c = record[filter::kCompar];
        compar = c == "contain"          ? Compar::Contain
                 : c == "doesnotcontain" ? Compar::DoesNotContain
                 : c == "is"             ? Compar::Is
                 : c == "isnot"          ? Compar::IsNot
                                         : Compar::Pass;
        col = ReadDecimal(record[filter::kColumn]);
        fold = record[filter::kCaseSensitive] != "true";
        impossible = !CanStore(encoding, record[filter::kText], nullptr);
        ToStored(encoding, record[filter::kText], pattern);
        if (fold) {
            std::transform(pattern.begin(), pattern.end(), pattern.begin(), upperAscii);
        }
    }

    bool Passes(const Table& table, int32_t r) const {
        if (compar == Compar::Pass) {
            return true;
        }
        // A column outside the table compares as the empty text.
        std::string_view cell;
        if (col >= 0 && col < table.Cols()) {
            cell = table.Cell(r, col);
        }
        if (compar == Compar::Is || compar == Compar::IsNot) {
            return (compar == Compar::Is) == (!impossible && equal(cell));
        }
        return (compar == Compar::Contain) == (!impossible && contains(cell));
    }

  private:
    bool equal(std::string_view cell) const {
        if (!fold) {
            return cell == pattern;
        }
        return cell.size() == pattern.size() &&
               std::equal(cell.begin(), cell.end(), pattern.begin(),
                          [](char a, char b) { return upperAscii(a) == b; });
    }
    bool contains(std::string_view cell) const {
        if (!fold) {
            return cell.find(pattern) != std::string_view::npos;
        }
        return std::search(cell.begin(), cell.end(), pattern.begin(), pattern.end(),
                           [](char a, char b) { return upperAscii(a) == b; }) != cell.end() ||
               pattern.empty();
    }
};

}  // namespace

bool PassesFilter(const Table& table, int32_t r, const FilterList::Record& record) {
    return Condition(record, table.Encoding()).Passes(table, r);
}

void View::Rebuild(const Table& table, const FilterList& filters, bool active) {
    if (!active || filters.Count() == 0) {
        identity_ = true;
        identitySize_ = table.Rows();
        rows_.clear();
        return;
    }
    identity_ = false;
    rows_.clear();
    std::vector<Condition> conditions;
    conditions.reserve(static_cast<std::size_t>(filters.Count()));
    for (const auto& record : filters.All()) {
        // Records that pass every row need not be tested.
        Condition c(record, table.Encoding());
        if (c.compar != Compar::Pass) {
            conditions.push_back(std::move(c));
        }
    }
    for (int32_t r = 0; r < table.Rows(); ++r) {
        const bool passes = std::all_of(conditions.begin(), conditions.end(),
                                        [&](const Condition& c) { return c.Passes(table, r); });
        if (passes) {
            rows_.push_back(r);
        }
    }
}

bool View::passes(const Table& table, const FilterList& filters, int32_t physical) const {
    for (const auto& record : filters.All()) {
        if (!Condition(record, table.Encoding()).Passes(table, physical)) {
            return false;
        }
    }
    return true;
}

void View::RowChanged(const Table& table, const FilterList& filters, bool active,
                      int32_t physical) {
    if (!active || filters.Count() == 0 || identity_) {
        Rebuild(table, filters, active);
        return;
    }
    const bool pass = passes(table, filters, physical);
    const auto it = std::lower_bound(rows_.begin(), rows_.end(), physical);
    const bool shown = it != rows_.end() && *it == physical;
    if (pass && !shown) {
        rows_.insert(it, physical);
    } else if (!pass && shown) {
        rows_.erase(it);
    }
}

void View::RowInserted(const Table& table, const FilterList& filters, bool active,
                       int32_t physical) {
    if (!active || filters.Count() == 0 || identity_) {
        Rebuild(table, filters, active);
        return;
    }
    // Rows from the insertion point on moved up by one.
    auto it = std::lower_bound(rows_.begin(), rows_.end(), physical);
    for (auto later = it; later != rows_.end(); ++later) {
        ++*later;
    }
    if (passes(table, filters, physical)) {
        rows_.insert(it, physical);
    }
}

void View::RowRemoved(const Table& table, const FilterList& filters, bool active,
                      int32_t physical) {
    if (!active || filters.Count() == 0 || identity_) {
        Rebuild(table, filters, active);
        return;
    }
    auto it = std::lower_bound(rows_.begin(), rows_.end(), physical);
    if (it != rows_.end() && *it == physical) {
        it = rows_.erase(it);
    }
    for (; it != rows_.end(); ++it) {
        --*it;
    }
}

void View::Clear() {
    identity_ = true;
    identitySize_ = 0;
    rows_.clear();
}

}  // namespace quib
