#include "Version.h"

#include <limits>

namespace quib {

int32_t ReadDecimal(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int64_t value = 0;
    constexpr int64_t limit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > limit) {
            value = limit;
        }
    }
    if (negative) {
        value = -value;
    }
    if (value > std::numeric_limits<int32_t>::max()) {
        value = std::numeric_limits<int32_t>::max();
    }
    return static_cast<int32_t>(value);
}

namespace {

// Takes the next component of text from pos; false when the text has ended.
bool nextComponent(std::string_view text, std::size_t& pos, bool& ended, int32_t& value) {
    if (ended) {
        return false;
    }
    const std::size_t end = text.find_first_of(".,", pos);
    const std::size_t stop = end == std::string_view::npos ? text.size() : end;
    value = ReadDecimal(text.substr(pos, stop - pos));
    if (end == std::string_view::npos) {
        ended = true;
    } else {
        pos = end + 1;
    }
    return true;
}

}  // namespace

int32_t CompareVersionTexts(std::string_view first, std::string_view second) {
    // An empty text has no components at all.
    bool firstEnded = first.empty();
    bool secondEnded = second.empty();
    std::size_t p1 = 0;
    std::size_t p2 = 0;
    for (;;) {
        if (firstEnded || secondEnded) {
            return firstEnded && secondEnded ? 0 : -1;
        }
        int32_t a = 0;
        int32_t b = 0;
        nextComponent(first, p1, firstEnded, a);
        nextComponent(second, p2, secondEnded, b);
        if (a != b) {
            return a > b ? 1 : -1;
        }
    }
}

}  // namespace quib
