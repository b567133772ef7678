#include "Sorter.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Collation.h"
#include "Table.h"
#include "Version.h"

namespace quib {
namespace {

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

// The sort keys of one column, indexed by the row's number before the sort.
class ColumnKeys {
  public:
    ColumnKeys(const Table& table, int32_t col, Collation& collation) {
        const int32_t n = table.Rows();
        offsets_.reserve(static_cast<std::size_t>(n) + 1);
        offsets_.push_back(0);
        for (int32_t r = 0; r < n; ++r) {
            collation.AppendSortKey(table.Cell(r, col), keys_);
            offsets_.push_back(keys_.size());
        }
    }
    std::string_view Key(int32_t row) const {
        const std::size_t b = offsets_[static_cast<std::size_t>(row)];
        return std::string_view(keys_).substr(b, offsets_[static_cast<std::size_t>(row) + 1] - b);
    }

  private:
    std::string keys_;
    std::vector<std::size_t> offsets_;
};

enum class Order { Asc, Desc, Other };

struct Criterion {
    std::size_t keys;  // index into the key columns
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
        if (criteria_.empty()) {
            return;
        }
        Collation collation;
        for (int32_t col : cols) {
            keys_.emplace_back(table, col, collation);
        }
    }

    bool Empty() const { return criteria_.empty(); }
    bool StrictWeakOrder() const {
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
            const ColumnKeys& k = keys_[c.keys];
            const int cmp = k.Key(a).compare(k.Key(b));
            if (cmp == 0) {
                continue;
            }
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
    std::vector<ColumnKeys> keys_;
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
// holding a minimal row, which is the one the selection sort's scan picks
// when precedence is a strict weak order. Positions already placed drop out.
class FirstMinimumTree {
  public:
    FirstMinimumTree(const Positions& pos, const Criteria& criteria)
        : pos_(pos), criteria_(criteria) {
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
        return criteria_.Precedes(pos_.At(b), pos_.At(a)) ? b : a;
    }
    void refresh(int32_t p) {
        for (int32_t node = (leaves_ + p) / 2; node >= 1; node /= 2) {
            tree_[static_cast<std::size_t>(node)] = winner(node);
        }
    }

    const Positions& pos_;
    const Criteria& criteria_;
    int32_t leaves_ = 1;
    std::vector<int32_t> tree_;
};

void treeSelectionSort(Positions& pos, const Criteria& criteria) {
    const int32_t n = pos.Size();
    FirstMinimumTree tree(pos, criteria);
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

}  // namespace quib
