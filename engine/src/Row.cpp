#include "Row.h"

#include <limits>
#include <new>

namespace quib {

// --- RowRef -------------------------------------------------------------

std::size_t RowRef::HeaderSize(int32_t count) {
    std::size_t size = 1;
    for (auto rest = static_cast<uint32_t>(count) >> 5; rest != 0; rest >>= 7) {
        ++size;
    }
    return size;
}

char* RowRef::WriteHeader(char* at, int32_t count, bool owned, bool wide) {
    auto rest = static_cast<uint32_t>(count);
    auto byte = static_cast<unsigned char>(((rest & 0x1F) << 2) | (wide ? 2 : 0) | (owned ? 1 : 0));
    rest >>= 5;
    for (char* p = at;; ++p) {
        if (rest != 0) {
            byte |= 0x80;
        }
        *p = static_cast<char>(byte);
        if (rest == 0) {
            return p + 1;
        }
        byte = static_cast<unsigned char>(rest & 0x7F);
        rest >>= 7;
    }
}

// --- Row ----------------------------------------------------------------

Row::~Row() {
    if (Owned()) {
        delete[] allocation();
    }
}

Row& Row::operator=(Row&& other) noexcept {
    if (this != &other) {
        if (Owned()) {
            delete[] allocation();
        }
        block_ = other.block_;
        other.block_ = nullptr;
    }
    return *this;
}

char* Row::allocation() const {
    return const_cast<char*>(parse().texts) - kCapacityBytes;
}

uint64_t Row::BlockBytes(int32_t count, uint64_t textBytes) {
    return kCapacityBytes + textBytes + IndexSize(count, NeedsWideEnds(textBytes));
}

char* Row::allocate(Row& row, int32_t count, uint64_t textBytes, std::size_t slack, char*& ends,
                    bool& wide) {
    if (textBytes > std::numeric_limits<uint32_t>::max()) {
        throw std::bad_alloc();  // the ends could not tell where the texts end
    }
    const uint64_t used = BlockBytes(count, textBytes);
    const uint64_t bytes = used + slack;
    if (bytes > std::numeric_limits<std::size_t>::max() / 2) {
        throw std::bad_alloc();
    }
    char* memory = new char[static_cast<std::size_t>(bytes)];
    const uint64_t capacity = bytes - kCapacityBytes;
    std::memcpy(memory, &capacity, kCapacityBytes);
    char* const texts = memory + kCapacityBytes;
    wide = NeedsWideEnds(textBytes);
    char* const handle = texts + textBytes;
    ends = WriteHeader(handle, count, true, wide);
    if (count > 0) {
        // The last end tells where the texts start; it is right from the
        // start, so that the block is whole even before they are copied.
        WriteEnd(ends, static_cast<uint32_t>(count - 1), wide, static_cast<uint32_t>(textBytes));
    }
    row.block_ = handle;
    return texts;
}

Row Row::Borrowed(const char* block) {
    Row row;
    row.block_ = block;
    return row;
}

Row Row::Empty(int32_t count, std::size_t slack) {
    Row row;
    char* ends = nullptr;
    bool wide = false;
    allocate(row, count, 0, slack, ends, wide);
    std::memset(ends, 0, static_cast<std::size_t>(count) * 2);
    return row;
}

Row Row::FromTexts(const std::string_view* texts, int32_t count, std::size_t slack) {
    uint64_t bytes = 0;
    for (int32_t i = 0; i < count; ++i) {
        bytes += texts[i].size();
    }
    Row row;
    char* ends = nullptr;
    bool wide = false;
    char* out = allocate(row, count, bytes, slack, ends, wide);
    const char* const start = out;
    for (int32_t i = 0; i < count; ++i) {
        const std::string_view t = texts[i];
        if (!t.empty()) {  // an empty view may hold a null pointer
            std::memcpy(out, t.data(), t.size());
        }
        out += t.size();
        WriteEnd(ends, static_cast<uint32_t>(i), wide, static_cast<uint32_t>(out - start));
    }
    return row;
}

Row Row::FromParts(const char* texts, const uint32_t* ends, int32_t count) {
    const uint64_t bytes = count == 0 ? 0 : ends[count - 1];
    Row row;
    char* out = nullptr;
    bool wide = false;
    char* const start = allocate(row, count, bytes, 0, out, wide);
    std::memcpy(start, texts, static_cast<std::size_t>(bytes));
    for (int32_t i = 0; i < count; ++i) {
        WriteEnd(out, static_cast<uint32_t>(i), wide, ends[i]);
    }
    return row;
}

Row Row::CopyOf(RowRef source) {
    if (source.Block() == nullptr) {
        return Row();
    }
    const Row& from = static_cast<const Row&>(source);
    const Layout l = from.parse();
    Row row;
    char* ends = nullptr;
    bool wide = false;
    char* texts = allocate(row, static_cast<int32_t>(l.count), l.total, 0, ends, wide);
    std::memcpy(texts, l.texts, l.total);
    std::memcpy(ends, l.ends, static_cast<std::size_t>(l.count) * (wide ? 4 : 2));
    return row;
}

bool Row::Overwrite(int32_t i, std::string_view text) {
    const std::string_view old = Text(i);
    if (old.size() != text.size()) {
        return false;
    }
    if (!text.empty()) {
        // The block is this row's own storage (owned, or borrowed from the
        // table's file buffer); only the const view of it is shared.
        std::memcpy(const_cast<char*>(old.data()), text.data(), text.size());
    }
    return true;
}

bool Row::ReplaceInPlace(int32_t i, std::string_view text) {
    if (!Owned()) {
        return false;
    }
    const Layout l = parse();
    const auto index = static_cast<uint32_t>(i);
    const uint32_t begin = l.Begin(index);
    const uint32_t end = l.End(index);
    const uint64_t total = uint64_t{l.total} - (end - begin) + text.size();
    if (NeedsWideEnds(total) != l.wide) {
        return false;
    }
    char* const texts = const_cast<char*>(l.texts);
    uint64_t capacity = 0;
    std::memcpy(&capacity, texts - kCapacityBytes, kCapacityBytes);
    const std::size_t indexBytes = IndexSize(static_cast<int32_t>(l.count), l.wide);
    if (total + indexBytes > capacity) {
        return false;
    }
    // The texts after this one, the header and the ends move as one piece.
    char* const tail = texts + end;
    const std::size_t tailBytes = static_cast<std::size_t>(block_ + indexBytes - tail);
    std::memmove(texts + begin + text.size(), tail, tailBytes);
    if (!text.empty()) {
        std::memcpy(texts + begin, text.data(), text.size());
    }
    const auto delta = static_cast<int64_t>(text.size()) - static_cast<int64_t>(end - begin);
    block_ += delta;
    Layout moved = l;
    moved.ends += delta;
    char* const ends = const_cast<char*>(moved.ends);
    for (uint32_t j = index; j < l.count; ++j) {
        WriteEnd(ends, j, l.wide, static_cast<uint32_t>(moved.End(j) + delta));
    }
    return true;
}

Row Row::Replaced(int32_t i, std::string_view text, std::size_t slack) const {
    const Layout l = parse();
    const auto at = static_cast<uint32_t>(i);
    const uint64_t bytes = uint64_t{l.total} - (l.End(at) - l.Begin(at)) + text.size();
    Row row;
    char* ends = nullptr;
    bool wide = false;
    char* out = allocate(row, static_cast<int32_t>(l.count), bytes, slack, ends, wide);
    // The texts before and after the replaced one are copied as two pieces.
    const uint32_t before = l.Begin(at);
    std::memcpy(out, l.texts, before);
    out += before;
    if (!text.empty()) {
        std::memcpy(out, text.data(), text.size());
    }
    out += text.size();
    const uint32_t after = l.total - l.End(at);
    std::memcpy(out, l.texts + l.End(at), after);
    const auto delta = static_cast<int64_t>(text.size()) - (l.End(at) - l.Begin(at));
    for (uint32_t j = 0; j < l.count; ++j) {
        const uint32_t e = l.End(j);
        WriteEnd(ends, j, wide, j < at ? e : static_cast<uint32_t>(e + delta));
    }
    return row;
}

Row Row::Inserted(int32_t i, std::string_view text) const {
    const int32_t count = Count();
    const auto at = static_cast<uint32_t>(i);
    int32_t next = 0;
    return FromSequence(count + 1, TextBytes() + text.size(), [&] {
        const auto k = static_cast<uint32_t>(next++);
        if (k == at) {
            return text;
        }
        return Text(static_cast<int32_t>(k < at ? k : k - 1));
    });
}

Row Row::Removed(int32_t i) const {
    const int32_t count = Count();
    int32_t next = 0;
    return FromSequence(count - 1, TextBytes() - Text(i).size(), [&] {
        if (next == i) {
            ++next;
        }
        return Text(next++);
    });
}

}  // namespace quib
