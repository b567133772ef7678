#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <unicode/ucol.h>

#include "quib/TextEncoding.h"

namespace quib {

// The collation rows are sorted by: the rules of the user's language (from
// LC_ALL, LC_COLLATE or LANG, the first one set; the root rules when none
// names a language), at a strength that ignores letter case but not accents.
// Texts are in the encoding given (Windows-1250 unless told); both collate
// their Unicode text, so a text sorts the same in either. Build one per sort.
class Collation {
  public:
    explicit Collation(TextEncoding encoding = TextEncoding::Windows1250);
    ~Collation();
    Collation(const Collation&) = delete;
    Collation& operator=(const Collation&) = delete;

    // The ICU locale name taken from the environment, "" for the root rules.
    static std::string UserLocaleName();

    // Appends the sort key of a text to keys. Two texts compare as their
    // keys do byte for byte (unsigned), shorter first on a tie.
    void AppendSortKey(std::string_view text, std::string& keys);

    // Compares two texts directly: -1, 0 or 1.
    int Compare(std::string_view a, std::string_view b);

  private:
    void toUtf16(std::string_view text, std::vector<char16_t>& out) const;

    TextEncoding encoding_;
    struct Closer {
        void operator()(UCollator* c) const { ucol_close(c); }
    };
    std::unique_ptr<UCollator, Closer> collator_;
    std::vector<char16_t> a_, b_;
    std::vector<uint8_t> key_;
};

}  // namespace quib
