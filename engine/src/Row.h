#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

namespace quib {

// An ordered list of texts kept in one block: a short header holding the
// text count, then the texts back to back, each followed by a NUL. Rows of
// the table and header records are both kept this way, so a table of n rows
// costs at most n allocations whatever its width.
//
// A block is either owned (allocated for this row and freed with it) or
// borrowed: built in place inside the buffer a file was read into, which the
// table keeps alive. Texts hold no NUL bytes; text i is found by stepping
// over the i texts before it.
//
// The header is LEB128-like: byte 0 holds the owned flag (bit 0), the low 6
// bits of the count (bits 1-6) and a continuation flag (bit 7); each further
// byte holds 7 more bits of the count and its own continuation flag.
class RowRef {
  public:
    RowRef() = default;
    explicit RowRef(const char* block) : block_(block) {}

    int32_t Count() const;
    // Precondition: 0 <= i < Count().
    std::string_view Text(int32_t i) const;
    // Sum of the byte lengths of the texts, terminators not counted.
    uint64_t TextBytes() const;
    // Calls f(text) for every text in order.
    template <typename F>
    void ForEachText(F f) const {
        const int32_t count = Count();
        const char* p = first();
        for (int32_t i = 0; i < count; ++i) {
            const std::size_t n = std::strlen(p);
            f(std::string_view(p, n));
            p += n + 1;
        }
    }
    const char* Block() const { return block_; }
    // Where text 0 starts.
    const char* FirstText() const { return first(); }

    // Bytes the header of a block of count texts takes.
    static std::size_t HeaderSize(int32_t count);
    // Writes that header at the start of a block.
    static void WriteHeader(char* block, int32_t count, bool owned);

  protected:
    const char* first() const;
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

    // A row of count empty texts.
    static Row Empty(int32_t count);
    // A row holding the given texts in order (each ends at its first NUL).
    static Row FromTexts(const std::string_view* texts, int32_t count);
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
    // New rows with a text replaced, inserted or removed; this row is left
    // unchanged.
    Row Replaced(int32_t i, std::string_view text) const;
    // Precondition: 0 <= i <= Count().
    Row Inserted(int32_t i, std::string_view text) const;
    // Precondition: 0 <= i < Count().
    Row Removed(int32_t i) const;
};

}  // namespace quib
