#include "Row.h"

#include <cstring>
#include <limits>
#include <new>
#include <vector>

#include "quib/QuibError.h"

namespace quib {

std::size_t Row::wordsFor(int32_t count, uint64_t bytes) {
    // Offsets are 32-bit: a single row or header record beyond 4 GiB cannot be kept.
    if (bytes + static_cast<uint64_t>(count) >= std::numeric_limits<uint32_t>::max()) {
        throw std::bad_alloc();
    }
    return static_cast<std::size_t>(count) + 2 + (bytes + count + 3) / 4;
}

Row Row::FromTexts(const std::string_view* texts, int32_t count) {
    uint64_t bytes = 0;
    for (int32_t i = 0; i < count; ++i) {
        bytes += texts[i].size();
    }
    Row row;
    row.block_ = std::make_unique_for_overwrite<uint32_t[]>(wordsFor(count, bytes));
    row.block_[0] = static_cast<uint32_t>(count);
    char* out = row.chars();
    uint32_t offset = 0;
    for (int32_t i = 0; i < count; ++i) {
        row.block_[1 + i] = offset;
        std::memcpy(out + offset, texts[i].data(), texts[i].size());
        offset += static_cast<uint32_t>(texts[i].size());
        out[offset++] = '\0';
    }
    row.block_[1 + count] = offset;
    return row;
}

Row Row::Empty(int32_t count) {
    std::vector<std::string_view> texts(static_cast<std::size_t>(count));
    return FromTexts(texts.data(), count);
}

uint64_t Row::TextBytes() const {
    const int32_t count = Count();
    return count == 0 ? 0 : block_[1 + count] - static_cast<uint64_t>(count);
}

void Row::SetText(int32_t i, std::string_view text) {
    const std::string_view old = Text(i);
    if (old.size() == text.size()) {
        std::memcpy(chars() + block_[1 + i], text.data(), text.size());
        return;
    }
    const int32_t count = Count();
    std::vector<std::string_view> texts(static_cast<std::size_t>(count));
    for (int32_t k = 0; k < count; ++k) {
        texts[k] = k == i ? text : Text(k);
    }
    *this = FromTexts(texts.data(), count);
}

Row Row::Inserted(int32_t i, std::string_view text) const {
    const int32_t count = Count();
    std::vector<std::string_view> texts;
    texts.reserve(static_cast<std::size_t>(count) + 1);
    for (int32_t k = 0; k < count; ++k) {
        if (k == i) {
            texts.push_back(text);
        }
        texts.push_back(Text(k));
    }
    if (i == count) {
        texts.push_back(text);
    }
    return FromTexts(texts.data(), count + 1);
}

Row Row::Removed(int32_t i) const {
    const int32_t count = Count();
    std::vector<std::string_view> texts;
    texts.reserve(static_cast<std::size_t>(count));
    for (int32_t k = 0; k < count; ++k) {
        if (k != i) {
            texts.push_back(Text(k));
        }
    }
    return FromTexts(texts.data(), count - 1);
}

}  // namespace quib
