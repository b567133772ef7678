#include "View.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "Table.h"
#include "Version.h"

namespace quib {
namespace {

std::string upperAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return out;
}

}  // namespace

bool PassesFilter(const Table& table, int32_t r, const FilterList::Record& record) {
    const std::string& compar = record[filter::kCompar];
    const bool contain = compar == "contain";
    const bool notContain = compar == "doesnotcontain";
    const bool is = compar == "is";
    const bool isNot = compar == "isnot";
    if (!contain && !notContain && !is && !isNot) {
        return true;
    }
    // A column outside the table compares as the empty text.
    const int32_t col = ReadDecimal(record[filter::kColumn]);
    std::string_view cell;
    if (col >= 0 && col < table.Cols()) {
        cell = table.Cell(r, col);
    }
    std::string_view pattern = record[filter::kText];
    std::string foldedCell;
    std::string foldedPattern;
    if (record[filter::kCaseSensitive] != "true") {
        foldedCell = upperAscii(cell);
        foldedPattern = upperAscii(pattern);
        cell = foldedCell;
        pattern = foldedPattern;
    }
    if (contain || notContain) {
        const bool found = cell.find(pattern) != std::string_view::npos;
        return contain == found;
    }
    return is == (cell == pattern);
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
    for (int32_t r = 0; r < table.Rows(); ++r) {
        const bool passes = std::all_of(filters.All().begin(), filters.All().end(),
                                        [&](const auto& f) { return PassesFilter(table, r, f); });
        if (passes) {
            rows_.push_back(r);
        }
    }
}

void View::Clear() {
    identity_ = true;
    identitySize_ = 0;
    rows_.clear();
}

}  // namespace quib
