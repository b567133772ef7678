#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <unicode/ucol.h>

namespace quib {

// The collation rows are sorted by: the rules of the user's language (from
// LC_ALL, LC_COLLATE or LANG, the first one set; the root rules when none
// names a language), at a strength that ignores letter case but not accents.
// Texts are Windows-1250. Build one per sort.
class Collation {
  public:
    Collation();
    ~Collation();
    Collation(const Collation&) = delete;
    Collation& operator=(const Collation&) = delete;

    // The ICU locale name taken from the environment, "" for the root rules.
    static std::string UserLocaleName();

    // Appends the sort key of a Windows-1250 text to keys. Two texts compare
    // as their keys do byte for byte (unsigned), shorter first on a tie.
    void AppendSortKey(std::string_view cp1250, std::string& keys);

    // Compares two Windows-1250 texts directly: -1, 0 or 1.
    int Compare(std::string_view a, std::string_view b);

  private:
    void toUtf16(std::string_view cp1250, std::vector<char16_t>& out) const;

    struct Closer {
        void operator()(UCollator* c) const { ucol_close(c); }
    };
    std::unique_ptr<UCollator, Closer> collator_;
    std::vector<char16_t> a_, b_;
    std::vector<uint8_t> key_;
};

}  // namespace quib
