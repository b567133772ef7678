#include "Sorter.h"

#include <algorithm>
#include <numeric>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "Collation.h"
#include "Table.h"
#include "Version.h"

namespace quib {
namespace {

bool g_literalOnly = false;

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        x = (x >= 'A' && x <= 'Z') ? static_cast<char>(x - 'A' + 'a') : x;
        y = (y >= 'A' && y <= 'Z') ? static_cast<char>(y - 'A' + 'a') : y;
        if (x != y) {
            return false;
        }
    }
    return true;
}

// The collation rank of every row's cell in one column, indexed by the row's
// number before the sort: equal ranks for cells that collate equal, a smaller
// rank for a cell that collates first. Each distinct text gets its sort key
// computed once; contact data repeats surnames and towns a lot.
std::vector<int32_t> columnRanks(const Table& table, int32_t col, Collation& collation) {
    const int32_t n = table.Rows();
    std::unordered_map<std::string_view, int32_t> ids;
    ids.reserve(static_cast<std::size_t>(n));
    std::vector<int32_t> rowText(static_cast<std::size_t>(n));
    std::string keys;
    std::vector<std::size_t> offsets{0};
    for (int32_t r = 0; r < n; ++r) {
        const std::string_view cell = table.Cell(r, col);
        const auto [it, added] = ids.emplace(cell, static_cast<int32_t>(offsets.size() - 1));
        if (added) {
            collation.AppendSortKey(cell, keys);
            offsets.push_back(keys.size());
        }
        rowText[static_cast<std::size_t>(r)] = it->second;
    }
    const std::size_t distinct = offsets.size() - 1;
    const auto key = [&](int32_t t) {
        const std::size_t b = offsets[static_cast<std::size_t>(t)];
        return std::string_view(keys).substr(b, offsets[static_cast<std::size_t>(t) + 1] - b);
    };
    std::vector<int32_t> byKey(distinct);
    std::iota(byKey.begin(), byKey.end(), 0);
    std::sort(byKey.begin(), byKey.end(), [&](int32_t a, int32_t b) { return key(a) < key(b); });
    std::vector<int32_t> textRank(distinct);
    int32_t rank = 0;
    for (std::size_t i = 0; i < distinct; ++i) {
        if (i > 0 && key(byKey[i - 1]) != key(byKey[i])) {
            ++rank;
        }
        textRank[static_cast<std::size_t>(byKey[i])] = rank;
    }
    for (int32_t& t : rowText) {
        t = textRank[static_cast<std::size_t>(t)];
    }
    return rowText;
}

enum class Order { Asc, Desc, Other };

struct Criterion {
    std::size_t ranks;  // index into the ranked columns
    Order order;
};

// The records whose column exists, with their columns' sort keys.
class Criteria {
  public:
    Criteria(const Table& table, const SortList& sorts) {
        std::vector<int32_t> cols;
        for (const auto& record : sorts.All()) {
            const int32_t col = ReadDecimal(record[sort::kColumn]);
            if (col < 0 || col >= table.Cols()) {
                continue;
            }
            std::size_t k = 0;
            while (k < cols.size() && cols[k] != col) {
                ++k;
            }
            if (k == cols.size()) {
                cols.push_back(col);
            }
            const std::string& order = record[sort::kOrder];
            criteria_.push_back({k, equalsIgnoringAsciiCase(order, "asc")    ? Order::Asc
                                    : equalsIgnoringAsciiCase(order, "desc") ? Order::Desc
                                                                             : Order::Other});
        }
        // A trailing record whose order is neither asc nor desc only ever
        // answers "does not precede", exactly as running out of records does:
        // dropping it keeps the result and keeps the order a strict weak one
        // (the host leaves the last order empty while it builds its records).
        while (!criteria_.empty() && criteria_.back().order == Order::Other && !g_literalOnly) {
            criteria_.pop_back();
        }
        if (criteria_.empty()) {
            return;
        }
        Collation collation(table.Encoding());
        for (int32_t col : cols) {
            ranks_.push_back(columnRanks(table, col, collation));
        }
    }

    bool Empty() const { return criteria_.empty(); }
    bool StrictWeakOrder() const {
        if (g_literalOnly) {
            return false;
        }
        for (const Criterion& c : criteria_) {
            if (c.order == Order::Other) {
                return false;
            }
        }
        return true;
    }

    // Whether the row numbered a (before the sort) precedes the row b.
    bool Precedes(int32_t a, int32_t b) const {
        for (const Criterion& c : criteria_) {
            const std::vector<int32_t>& rank = ranks_[c.ranks];
            const int32_t ra = rank[static_cast<std::size_t>(a)];
            const int32_t rb = rank[static_cast<std::size_t>(b)];
            if (ra == rb) {
                continue;
            }
            const int cmp = ra < rb ? -1 : 1;
            switch (c.order) {
                case Order::Asc:
                    return cmp < 0;
                case Order::Desc:
                    return cmp > 0;
                case Order::Other:
                    return false;
            }
        }
        return false;
    }

  private:
    std::vector<Criterion> criteria_;
    std::vector<std::vector<int32_t>> ranks_;
};

// Positions 0 .. n-1 of the rows being sorted, each holding a row number.
// The table's rows are swapped along with them.
class Positions {
  public:
    Positions(Table& table) : table_(table), rows_(static_cast<std::size_t>(table.Rows())) {
        for (std::size_t i = 0; i < rows_.size(); ++i) {
            rows_[i] = static_cast<int32_t>(i);
        }
    }
    int32_t Size() const { return static_cast<int32_t>(rows_.size()); }
    int32_t At(int32_t p) const { return rows_[static_cast<std::size_t>(p)]; }
    void Swap(int32_t i, int32_t j) {
        std::swap(rows_[static_cast<std::size_t>(i)], rows_[static_cast<std::size_t>(j)]);
        table_.SwapRows(i, j);
    }

  private:
    Table& table_;
    std::vector<int32_t> rows_;
};

void literalSelectionSort(Positions& pos, const Criteria& criteria) {
    const int32_t n = pos.Size();
    for (int32_t i = 0; i + 1 < n; ++i) {
        int32_t best = i;
        for (int32_t j = i + 1; j < n; ++j) {
            if (criteria.Precedes(pos.At(j), pos.At(best))) {
                best = j;
            }
        }
        if (best != i) {
            pos.Swap(i, best);
        }
    }
}

// A tournament tree over the positions whose root is the first position
// holding a row of minimal rank, which is the one the selection sort's scan
// picks when precedence is a strict weak order. Positions already placed
// drop out.
class FirstMinimumTree {
  public:
    FirstMinimumTree(const Positions& pos, const std::vector<int32_t>& rank)
        : pos_(pos), rank_(rank) {
        leaves_ = 1;
        while (leaves_ < pos.Size()) {
            leaves_ *= 2;
        }
        tree_.assign(static_cast<std::size_t>(2 * leaves_), kNone);
        for (int32_t p = 0; p < pos.Size(); ++p) {
            tree_[static_cast<std::size_t>(leaves_ + p)] = p;
        }
        for (int32_t node = leaves_ - 1; node >= 1; --node) {
            tree_[static_cast<std::size_t>(node)] = winner(node);
        }
    }

    int32_t First() const { return tree_[1]; }
    void Remove(int32_t p) {
        tree_[static_cast<std::size_t>(leaves_ + p)] = kNone;
        refresh(p);
    }
    // Position p now holds another row.
    void Changed(int32_t p) { refresh(p); }

  private:
    static constexpr int32_t kNone = -1;

    int32_t winner(int32_t node) const {
        const int32_t a = tree_[static_cast<std::size_t>(2 * node)];
        const int32_t b = tree_[static_cast<std::size_t>(2 * node + 1)];
        if (a == kNone) {
            return b;
        }
        if (b == kNone) {
            return a;
        }
        // a lies left of b: b wins only when its row strictly precedes.
        return rank_[static_cast<std::size_t>(pos_.At(b))] <
                       rank_[static_cast<std::size_t>(pos_.At(a))]
                   ? b
                   : a;
    }
    void refresh(int32_t p) {
        for (int32_t node = (leaves_ + p) / 2; node >= 1; node /= 2) {
            tree_[static_cast<std::size_t>(node)] = winner(node);
        }
    }

    const Positions& pos_;
    const std::vector<int32_t>& rank_;
    int32_t leaves_ = 1;
    std::vector<int32_t> tree_;
};

// One rank per row that orders rows exactly as the criteria do; valid when
// they form a strict weak order.
std::vector<int32_t> combinedRanks(int32_t n, const Criteria& criteria) {
    std::vector<int32_t> order(static_cast<std::size_t>(n));
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(),
              [&](int32_t a, int32_t b) { return criteria.Precedes(a, b); });
    std::vector<int32_t> rank(static_cast<std::size_t>(n));
    int32_t current = 0;
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (i > 0 && criteria.Precedes(order[i - 1], order[i])) {
            ++current;
        }
        rank[static_cast<std::size_t>(order[i])] = current;
    }
    return rank;
}

// Whether no row precedes the one before it; for a strict weak order the
// selection sort then moves nothing.
bool alreadyInOrder(int32_t n, const Criteria& criteria) {
    for (int32_t r = 1; r < n; ++r) {
        if (criteria.Precedes(r, r - 1)) {
            return false;
        }
    }
    return true;
}

void treeSelectionSort(Positions& pos, const Criteria& criteria) {
    const int32_t n = pos.Size();
    if (alreadyInOrder(n, criteria)) {
        return;
    }
    const std::vector<int32_t> rank = combinedRanks(n, criteria);
    FirstMinimumTree tree(pos, rank);
    for (int32_t i = 0; i + 1 < n; ++i) {
        const int32_t best = tree.First();
        if (best != i) {
            pos.Swap(i, best);
            tree.Changed(best);
        }
        tree.Remove(i);
    }
}

}  // namespace

void SortRows(Table& table, const SortList& sorts) {
    if (table.Rows() < 2) {
        return;
    }
    const Criteria criteria(table, sorts);
    if (criteria.Empty()) {
        return;
    }
    Positions pos(table);
    if (criteria.StrictWeakOrder()) {
        treeSelectionSort(pos, criteria);
    } else {
        literalSelectionSort(pos, criteria);
    }
}

void SetLiteralSortForTesting(bool literalOnly) {
    g_literalOnly = literalOnly;
}

}  // namespace quib
