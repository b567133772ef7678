#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

namespace quib {

// An ordered list of texts kept in one block, each text found in O(1):
// rows of the table and header records are both kept this way, so a table
// of n rows costs at most n allocations whatever its width.
//
// A block holds the texts back to back (no terminators), then a short
// header, then the end of every text counted from the first text's start,
// as 16-bit numbers, or 32-bit ones once the texts take 64 KiB or more. The
// handle points at the header; text i lies between the ends of texts i - 1
// and i, the texts start the last end before the handle:
//
//     [capacity: u64, owned blocks only][texts][header][ends: u16 or u32 each]
//                                              ^ handle
//
// The header is LEB128-like: byte 0 holds the owned flag (bit 0), the wide
// flag (bit 1: 32-bit ends), the low 5 bits of the count (bits 2-6) and a
// continuation flag (bit 7); each further byte holds 7 more bits of the
// count and its own continuation flag.
//
// A block is either owned (allocated for this row, sometimes with spare
// room after its ends to grow into, and freed with it) or borrowed: built
// in place inside the buffer a file was read into, which the table keeps
// alive. Texts hold any bytes; the encoding is the table's business.
class RowRef {
  public:
    RowRef() = default;
    explicit RowRef(const char* block) : block_(block) {}

    int32_t Count() const { return block_ == nullptr ? 0 : static_cast<int32_t>(parse().count); }
    // Precondition: 0 <= i < Count().
    std::string_view Text(int32_t i) const {
        const Layout l = parse();
        const uint32_t begin = l.Begin(static_cast<uint32_t>(i));
        return {l.texts + begin, l.End(static_cast<uint32_t>(i)) - begin};
    }
    // Text i of a block known to hold count >= 1 texts behind a header of
    // headerBytes (HeaderSize(count)): the header is not decoded.
    std::string_view TextOf(int32_t i, int32_t count, std::size_t headerBytes) const {
        const Layout l{nullptr, block_ + headerBytes, static_cast<uint32_t>(count),
                       0,       (block_[0] & 2) != 0, false};
        const uint32_t total = l.End(static_cast<uint32_t>(count - 1));
        const uint32_t begin = l.Begin(static_cast<uint32_t>(i));
        return {block_ - total + begin, l.End(static_cast<uint32_t>(i)) - begin};
    }
    // Sum of the byte lengths of the texts.
    uint64_t TextBytes() const { return block_ == nullptr ? 0 : parse().total; }
    // Calls f(text) for every text in order.
    template <typename F>
    void ForEachText(F f) const {
        if (block_ == nullptr) {
            return;
        }
        const Layout l = parse();
        uint32_t begin = 0;
        for (uint32_t i = 0; i < l.count; ++i) {
            const uint32_t end = l.End(i);
            f(std::string_view(l.texts + begin, end - begin));
            begin = end;
        }
    }
    const char* Block() const { return block_; }

    // Whether texts of this many bytes in all need 32-bit ends.
    static bool NeedsWideEnds(uint64_t textBytes) { return textBytes > 0xFFFF; }
    // Bytes the header of a block of count texts takes.
    static std::size_t HeaderSize(int32_t count);
    // Bytes the header and the ends of a block take.
    static std::size_t IndexSize(int32_t count, bool wide) {
        return HeaderSize(count) + static_cast<std::size_t>(count) * (wide ? 4 : 2);
    }
    // Writes a block's header at the handle's position and returns where
    // its ends go.
    static char* WriteHeader(char* at, int32_t count, bool owned, bool wide);
    static void WriteEnd(char* ends, uint32_t i, bool wide, uint32_t end) {
        if (wide) {
            std::memcpy(ends + 4 * static_cast<std::size_t>(i), &end, 4);
        } else {
            const auto narrow = static_cast<uint16_t>(end);
            std::memcpy(ends + 2 * static_cast<std::size_t>(i), &narrow, 2);
        }
    }

    // Where a block's parts lie, for readers that walk many texts.
    struct Layout {
        const char* texts;
        const char* ends;
        uint32_t count;
        uint32_t total;
        bool wide;
        bool owned;

        uint32_t End(uint32_t i) const {
            if (wide) {
                uint32_t e;
                std::memcpy(&e, ends + 4 * static_cast<std::size_t>(i), 4);
                return e;
            }
            uint16_t e;
            std::memcpy(&e, ends + 2 * static_cast<std::size_t>(i), 2);
            return e;
        }
        uint32_t Begin(uint32_t i) const { return i == 0 ? 0 : End(i - 1); }
        // One past the block's last byte (its last end).
        const char* BlockEnd() const {
            return ends + static_cast<std::size_t>(count) * (wide ? 4 : 2);
        }
    };
    // Precondition: a block.
    Layout Parts() const { return parse(); }

  protected:
    // Precondition: a block.
    Layout parse() const {
        const auto* p = reinterpret_cast<const unsigned char*>(block_);
        unsigned byte = p[0];
        Layout l{nullptr, nullptr, (byte >> 2) & 0x1Fu, 0, (byte & 2) != 0, (byte & 1) != 0};
        ++p;
        if ((byte & 0x80) != 0) {
            // Two bytes up to 4095 texts: a table's rows all take the same way.
            byte = *p++;
            l.count |= static_cast<uint32_t>(byte & 0x7F) << 5;
            for (unsigned shift = 12; (byte & 0x80) != 0; shift += 7) {
                byte = *p++;
                l.count |= static_cast<uint32_t>(byte & 0x7F) << shift;
            }
        }
        l.ends = reinterpret_cast<const char*>(p);
        l.total = l.count == 0 ? 0 : l.End(l.count - 1);
        l.texts = block_ - l.total;
        return l;
    }

    const char* block_ = nullptr;
};

class Row : public RowRef {
  public:
    Row() = default;
    ~Row();
    Row(Row&& other) noexcept : RowRef(other.block_) { other.block_ = nullptr; }
    Row& operator=(Row&& other) noexcept;
    Row(const Row&) = delete;
    Row& operator=(const Row&) = delete;

    // A row of count empty texts, with slack spare bytes to grow into.
    static Row Empty(int32_t count, std::size_t slack = 0);
    // A row holding the given texts in order, with slack spare bytes.
    static Row FromTexts(const std::string_view* texts, int32_t count, std::size_t slack = 0);
    // An owned row of count texts lying back to back at texts, whose ends
    // (from texts) are given.
    static Row FromParts(const char* texts, const uint32_t* ends, int32_t count);
    // An owned row of count texts of textBytes in all, taken in order from
    // next() (called count times).
    template <typename Next>
    static Row FromSequence(int32_t count, uint64_t textBytes, Next next);
    // A row over a block built in place by the caller (see WriteHeader),
    // which must outlive the row.
    static Row Borrowed(const char* block);
    // An owned copy of any block.
    static Row CopyOf(RowRef source);

    // Lets go of a block known to be borrowed, without reading it.
    void ForgetBorrowed() { block_ = nullptr; }

    // Reads the block's first byte: a borrowed block's buffer must outlive
    // the row.
    bool Owned() const { return block_ != nullptr && (block_[0] & 1) != 0; }

    // Replaces text i by one of the same length in place; false (and
    // nothing changed) when the lengths differ.
    bool Overwrite(int32_t i, std::string_view text);
    // Replaces text i inside an owned block's own room, moving only the
    // texts after it; false (and nothing changed) when the block is
    // borrowed or has no room for the new text.
    bool ReplaceInPlace(int32_t i, std::string_view text);
    // New rows with a text replaced, inserted or removed; this row is left
    // unchanged.
    Row Replaced(int32_t i, std::string_view text, std::size_t slack = 0) const;
    // Precondition: 0 <= i <= Count().
    Row Inserted(int32_t i, std::string_view text) const;
    // Precondition: 0 <= i < Count().
    Row Removed(int32_t i) const;

    // Bytes an owned block of these texts takes besides its spare room.
    static uint64_t BlockBytes(int32_t count, uint64_t textBytes);

  private:
    // Room for the capacity of an owned block before its texts.
    static constexpr std::size_t kCapacityBytes = 8;
    // Allocates an owned block; returns where its texts go, and sets
    // block_ of row and the ends pointer.
    static char* allocate(Row& row, int32_t count, uint64_t textBytes, std::size_t slack,
                          char*& ends, bool& wide);
    char* allocation() const;
};

template <typename Next>
Row Row::FromSequence(int32_t count, uint64_t textBytes, Next next) {
    Row row;
    char* ends = nullptr;
    bool wide = false;
    char* out = allocate(row, count, textBytes, 0, ends, wide);
    const char* const texts = out;
    for (int32_t i = 0; i < count; ++i) {
        const std::string_view t = next();
        if (!t.empty()) {  // an empty view may hold a null pointer
            std::memcpy(out, t.data(), t.size());
        }
        out += t.size();
        WriteEnd(ends, static_cast<uint32_t>(i), wide, static_cast<uint32_t>(out - texts));
    }
    return row;
}

}  // namespace quib
