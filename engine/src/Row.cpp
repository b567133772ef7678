#include "Row.h"

#include <limits>
#include <new>
#include <vector>

namespace quib {

// --- RowRef -------------------------------------------------------------

int32_t RowRef::Count() const {
    if (block_ == nullptr) {
        return 0;
    }
    auto byte = static_cast<unsigned char>(block_[0]);
    uint32_t count = (byte >> 1) & 0x3F;
    unsigned shift = 6;
    for (const char* p = block_ + 1; (byte & 0x80) != 0; ++p, shift += 7) {
        byte = static_cast<unsigned char>(*p);
        count |= static_cast<uint32_t>(byte & 0x7F) << shift;
    }
    return static_cast<int32_t>(count);
}

const char* RowRef::first() const {
    if (block_ == nullptr) {
        return nullptr;
    }
    const char* p = block_;
    while ((static_cast<unsigned char>(*p) & 0x80) != 0) {
        ++p;
    }
    return p + 1;
}

std::string_view RowRef::Text(int32_t i) const {
    const char* p = first();
    for (; i > 0; --i) {
        p += std::strlen(p) + 1;
    }
    return std::string_view(p);
}

uint64_t RowRef::TextBytes() const {
    uint64_t bytes = 0;
    ForEachText([&](std::string_view t) { bytes += t.size(); });
    return bytes;
}

std::size_t RowRef::HeaderSize(int32_t count) {
    std::size_t size = 1;
    for (auto rest = static_cast<uint32_t>(count) >> 6; rest != 0; rest >>= 7) {
        ++size;
    }
    return size;
}

void RowRef::WriteHeader(char* block, int32_t count, bool owned) {
    auto rest = static_cast<uint32_t>(count);
    unsigned char byte = static_cast<unsigned char>(((rest & 0x3F) << 1) | (owned ? 1 : 0));
    rest >>= 6;
    for (char* p = block;; ++p) {
        if (rest != 0) {
            byte |= 0x80;
        }
        *p = static_cast<char>(byte);
        if (rest == 0) {
            break;
        }
        byte = static_cast<unsigned char>(rest & 0x7F);
        rest >>= 7;
    }
}

// --- Row ----------------------------------------------------------------

Row::~Row() {
    if (Owned()) {
        delete[] block_;
    }
}

Row& Row::operator=(Row&& other) noexcept {
    if (this != &other) {
        if (Owned()) {
            delete[] block_;
        }
        block_ = other.block_;
        other.block_ = nullptr;
    }
    return *this;
}

Row Row::Borrowed(const char* block) {
    Row row;
    row.block_ = block;
    return row;
}

Row Row::FromTexts(const std::string_view* texts, int32_t count) {
    uint64_t bytes = RowRef::HeaderSize(count);
    for (int32_t i = 0; i < count; ++i) {
        const std::size_t nul = texts[i].find('\0');
        bytes += (nul == std::string_view::npos ? texts[i].size() : nul) + 1;
    }
    if (bytes > std::numeric_limits<std::size_t>::max() / 2) {
        throw std::bad_alloc();
    }
    char* block = new char[static_cast<std::size_t>(bytes)];
    WriteHeader(block, count, true);
    char* out = block + HeaderSize(count);
    for (int32_t i = 0; i < count; ++i) {
        std::string_view t = texts[i];
        t = t.substr(0, t.find('\0'));
        if (!t.empty()) {  // an empty view may hold a null pointer
            std::memcpy(out, t.data(), t.size());
        }
        out += t.size();
        *out++ = '\0';
    }
    return Borrowed(block);  // marked owned by its header
}

Row Row::Empty(int32_t count) {
    const std::size_t header = HeaderSize(count);
    char* block = new char[header + static_cast<std::size_t>(count)];
    WriteHeader(block, count, true);
    std::memset(block + header, 0, static_cast<std::size_t>(count));
    return Borrowed(block);
}

Row Row::CopyOf(RowRef source) {
    std::vector<std::string_view> texts;
    texts.reserve(static_cast<std::size_t>(source.Count()));
    source.ForEachText([&](std::string_view t) { texts.push_back(t); });
    return FromTexts(texts.data(), static_cast<int32_t>(texts.size()));
}

bool Row::Overwrite(int32_t i, std::string_view text) {
    const std::string_view old = Text(i);
    if (old.size() != text.size() || text.find('\0') != std::string_view::npos) {
        return false;
    }
    if (!text.empty()) {
        // The block is this row's own storage (owned, or borrowed from the
        // table's file buffer); only the const view of it is shared.
        std::memcpy(const_cast<char*>(old.data()), text.data(), text.size());
    }
    return true;
}

namespace {

std::vector<std::string_view> textsOf(RowRef row) {
    std::vector<std::string_view> texts;
    texts.reserve(static_cast<std::size_t>(row.Count()) + 1);
    row.ForEachText([&](std::string_view t) { texts.push_back(t); });
    return texts;
}

}  // namespace

Row Row::Replaced(int32_t i, std::string_view text) const {
    std::vector<std::string_view> texts = textsOf(*this);
    texts[static_cast<std::size_t>(i)] = text;
    return FromTexts(texts.data(), static_cast<int32_t>(texts.size()));
}

Row Row::Inserted(int32_t i, std::string_view text) const {
    std::vector<std::string_view> texts = textsOf(*this);
    texts.insert(texts.begin() + i, text);
    return FromTexts(texts.data(), static_cast<int32_t>(texts.size()));
}

Row Row::Removed(int32_t i) const {
    std::vector<std::string_view> texts = textsOf(*this);
    texts.erase(texts.begin() + i);
    return FromTexts(texts.data(), static_cast<int32_t>(texts.size()));
}

}  // namespace quib
