#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

namespace quib {

// An ordered list of texts kept in one allocation: the text count, the
// offsets of the texts and the texts themselves, each followed by a NUL.
// Rows of the table and header records are both kept this way, so a table of
// n rows costs n allocations whatever its width.
//
// Texts hold no NUL bytes. Replacing a text by one of the same length
// overwrites it in place; every other change builds a new block.
class Row {
  public:
    Row() = default;
    // A row of count empty texts.
    static Row Empty(int32_t count);
    // A row holding the given texts in order.
    static Row FromTexts(const std::string_view* texts, int32_t count);

    int32_t Count() const { return block_ ? static_cast<int32_t>(block_[0]) : 0; }
    // Precondition: 0 <= i < Count().
    std::string_view Text(int32_t i) const {
        const uint32_t begin = block_[1 + i];
        const uint32_t end = block_[2 + i];
        return std::string_view(chars() + begin, end - begin - 1);
    }
    // Sum of the byte lengths of the texts, terminators not counted.
    uint64_t TextBytes() const;

    // Precondition: 0 <= i < Count().
    void SetText(int32_t i, std::string_view text);
    // Precondition: 0 <= i <= Count().
    void InsertText(int32_t i, std::string_view text) { *this = Inserted(i, text); }
    // Precondition: 0 <= i < Count().
    void RemoveText(int32_t i) { *this = Removed(i); }
    // New rows with a text inserted or removed; this row is left unchanged.
    Row Inserted(int32_t i, std::string_view text) const;
    Row Removed(int32_t i) const;

  private:
    static std::size_t wordsFor(int32_t count, uint64_t bytes);
    char* chars() const { return reinterpret_cast<char*>(block_.get() + Count() + 2); }

    // block_[0] = count, block_[1 .. count + 1] = offsets into the chars
    // (offset i + 1 minus offset i is the length of text i plus its NUL),
    // then the chars.
    std::unique_ptr<uint32_t[]> block_;
};

}  // namespace quib
