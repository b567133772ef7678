#pragma once

#include <cstdint>
#include <string_view>

namespace quib {

// Reads a decimal integer the way the file format's texts are read: leading
// blanks, an optional sign, digits; the first other character ends it; no
// digits give 0. Saturates instead of overflowing.
int32_t ReadDecimal(std::string_view text);

// Compares two version texts component by component (components end at "."
// or ","): 1 when First is greater, -1 when smaller, 0 when equal; when all
// compared components are equal and exactly one text has components left, -1.
int32_t CompareVersionTexts(std::string_view first, std::string_view second);

}  // namespace quib
