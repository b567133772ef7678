#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quib {

// An ordered list of records of N text fields addressed by name: the engine's
// filter records ("column", "compar", "casesensitive", "text") and sort
// records ("column", "order"). Field names match byte for byte.
template <std::size_t N>
class RecordList {
  public:
    using Record = std::array<std::string, N>;

    explicit RecordList(std::array<std::string_view, N> fieldNames) : names_(fieldNames) {}

    int32_t Count() const { return static_cast<int32_t>(records_.size()); }
    const Record& At(int32_t i) const { return records_[static_cast<std::size_t>(i)]; }
    const std::vector<Record>& All() const { return records_; }

    // Position of the named field, or -1 for an unknown name.
    int FieldIndex(std::string_view name) const {
        for (std::size_t f = 0; f < N; ++f) {
            if (names_[f] == name) {
                return static_cast<int>(f);
            }
        }
        return -1;
    }

    bool Insert(int32_t before) {
        if (before < 0 || before > Count()) {
            return false;
        }
        records_.insert(records_.begin() + before, Record{});
        return true;
    }
    bool Remove(int32_t i) {
        if (i < 0 || i >= Count()) {
            return false;
        }
        records_.erase(records_.begin() + i);
        return true;
    }
    bool Set(int32_t i, std::string_view field, std::string_view data) {
        const int f = FieldIndex(field);
        if (i < 0 || i >= Count() || f < 0) {
            return false;
        }
        records_[static_cast<std::size_t>(i)][static_cast<std::size_t>(f)] = std::string(data);
        return true;
    }
    std::string Get(int32_t i, std::string_view field) const {
        const int f = FieldIndex(field);
        if (i < 0 || i >= Count() || f < 0) {
            return {};
        }
        return At(i)[static_cast<std::size_t>(f)];
    }

  private:
    std::array<std::string_view, N> names_;
    std::vector<Record> records_;
};

namespace filter {
inline constexpr std::size_t kColumn = 0, kCompar = 1, kCaseSensitive = 2, kText = 3;
}
namespace sort {
inline constexpr std::size_t kColumn = 0, kOrder = 1;
}

using FilterList = RecordList<4>;
using SortList = RecordList<2>;

inline FilterList MakeFilterList() {
    return FilterList({"column", "compar", "casesensitive", "text"});
}
inline SortList MakeSortList() {
    return SortList({"column", "order"});
}

}  // namespace quib
