#include "Sorter.h"

#include <cctype>
#include <string_view>

#include "Table.h"
#include "Version.h"

namespace quib {
namespace {

int compareCells(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const int ca = std::tolower(static_cast<unsigned char>(a[i]));
        const int cb = std::tolower(static_cast<unsigned char>(b[i]));
        if (ca != cb) {
            return ca < cb ? -1 : 1;
        }
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return compareCells(a, b) == 0;
}

// Whether physical row a precedes physical row b under the records.
bool precedes(const Table& table, const SortList& sorts, int32_t a, int32_t b) {
    for (const auto& record : sorts.All()) {
        const int32_t col = ReadDecimal(record[sort::kColumn]);
        if (col < 0 || col >= table.Cols()) {
            continue;
        }
        const int c = compareCells(table.Cell(a, col), table.Cell(b, col));
        if (c == 0) {
            continue;
        }
        const std::string& order = record[sort::kOrder];
        return (c < 0 && equalsIgnoringCase(order, "asc")) ||
               (c > 0 && equalsIgnoringCase(order, "desc"));
    }
    return false;
}

}  // namespace

void SortRows(Table& table, const SortList& sorts) {
    if (sorts.Count() == 0) {
        return;
    }
    const int32_t n = table.Rows();
    for (int32_t i = 0; i + 1 < n; ++i) {
        int32_t best = i;
        for (int32_t j = i + 1; j < n; ++j) {
            if (precedes(table, sorts, j, best)) {
                best = j;
            }
        }
        if (best != i) {
            table.SwapRows(i, best);
        }
    }
}

}  // namespace quib
