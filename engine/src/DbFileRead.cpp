#include "DbFile.h"

#include <bit>
#include <climits>
#include <cstring>
#include <string_view>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "DbFileSource.h"
#include "Errors.h"
#include "Table.h"
#include "Utf8.h"
#include "Version.h"

namespace quib {
namespace {

// The piece a text is copied by; the source's tail covers what such a copy
// loads past the end of the file.
constexpr std::size_t kChunk = 32;
static_assert(DbFileSource::kTail >= kChunk);
// The most bytes a text with a length of at most one byte takes.
constexpr std::size_t kShortTextMax = 1 + 1 + 255 + 1;

// Reads the primitive encodings of the file, never past its end, asking
// the source for more bytes as it goes.
class Parser {
  public:
    explicit Parser(DbFileSource& source)
        : source_(source),
          base_(source.Data()),
          p_(base_),
          loaded_(base_ + source.Loaded()),
          end_(base_ + source.Expected()) {}

    // The bytes the file holds after the position, read or not.
    std::size_t Remaining() const { return static_cast<std::size_t>(end_ - p_); }
    char* Position() const { return p_; }
    void Seek(char* p) { p_ = p; }

    std::string_view Raw(std::size_t n) {
        need(n);
        const std::string_view s(p_, n);
        p_ += n;
        return s;
    }

    uint32_t Integer() {
        need(1);
        const auto n = static_cast<unsigned char>(*p_++);
        need(n);
        uint32_t value = 0;
        for (unsigned i = 0; i < n; ++i) {
            value = (value << 8) | static_cast<unsigned char>(*p_++);
        }
        return value;
    }

    // A count of records each of which needs at least minBytes bytes.
    int32_t Count(std::size_t minBytes) {
        const uint32_t n = Integer();
        if (n > INT32_MAX || static_cast<uint64_t>(n) * minBytes > Remaining()) {
            RaiseError(errors::kUnexpectedEof);
        }
        return static_cast<int32_t>(n);
    }

    // A text: its length, its bytes and the byte after them. A NUL inside
    // the bytes ends the text.
    std::string_view Text() {
        const uint32_t length = Integer();
        need(static_cast<std::size_t>(length) + 1);
        std::string_view s(p_, length);
        p_ += static_cast<std::size_t>(length) + 1;
        const std::size_t nul = s.find('\0');
        return nul == std::string_view::npos ? s : s.substr(0, nul);
    }

    // Reads count texts and moves them down to start (at most where the
    // first begins), back to back, the end of each (from start) going to
    // ends; returns where the last one ends. A NUL inside the bytes ends a
    // text. Sets startsInside when a text starts with a byte that can only
    // continue a UTF-8 character (10xxxxxx).
    char* MoveTexts(char* const start, int32_t count, uint32_t* ends, bool& startsInside) {
        unsigned inside = 0;
        char* out = start;
        int32_t i = 0;
#if defined(__SSE2__)
        if (p_ - out >= static_cast<std::ptrdiff_t>(kChunk)) {
            // Most texts are shorter than 256 bytes (a length of one byte or
            // none) and lie well inside what is read: they need no check on
            // the way. The position is kept in a local, which the stores of
            // the texts cannot change, so that finding the next text waits
            // for nothing but this one's length. Every text moves down by
            // at least its length and terminator, so the distance to out
            // only grows.
            char* p = p_;
            const char* const loaded = loaded_;
            for (; i < count; ++i) {
                const auto lengthBytes = static_cast<unsigned char>(p[0]);
                if (lengthBytes > 1 || static_cast<std::size_t>(loaded - p) < kShortTextMax) {
                    break;
                }
                if (lengthBytes == 0) {  // an empty text: its length and its end
                    p += 2;
                } else {
                    const std::size_t length = static_cast<unsigned char>(p[1]);
                    char* text = p + 2;
                    inside |= (static_cast<unsigned char>(text[0]) & 0xC0) == 0x80 ? 1 : 0;
                    p += length + 3;
                    out = moveChunks(out, text, static_cast<uint32_t>(length));
                }
                ends[i] = static_cast<uint32_t>(out - start);
            }
            p_ = p;
        }
#endif
        for (; i < count; ++i) {
            char* const at = out;
            out = moveText(out);
            inside |= out != at && (static_cast<unsigned char>(at[0]) & 0xC0) == 0x80 ? 1 : 0;
            ends[i] = static_cast<uint32_t>(out - start);
        }
        startsInside = inside != 0;
        return out;
    }

  private:
    char* moveText(char* out) {
        const uint32_t length = Integer();
        need(static_cast<std::size_t>(length) + 1);
        const char* text = p_;
        p_ += static_cast<std::size_t>(length) + 1;
#if defined(__SSE2__)
        if (text - out >= static_cast<std::ptrdiff_t>(kChunk)) {
            return moveChunks(out, text, length);
        }
#endif
        const void* nul = std::memchr(text, '\0', length);
        const std::size_t n = nul == nullptr
                                  ? length
                                  : static_cast<std::size_t>(static_cast<const char*>(nul) - text);
        std::memmove(out, text, n);
        return out + n;
    }

#if defined(__SSE2__)
    // Copies a text 32 bytes at a time without a call or a branch per text
    // length, looking for a NUL on the way. The text starts at least 32
    // bytes above out, so every store lands on bytes already loaded; the
    // last one may load up to 31 bytes past the text (the buffer's tail
    // covers the file's end) and store them past out's text, where the next
    // text, the block's ends or nothing goes.
    static char* moveChunks(char* out, const char* text, uint32_t length) {
        const __m128i zero = _mm_setzero_si128();
        for (uint32_t done = 0;; done += kChunk) {
            const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + done));
            const __m128i high =
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + done + kChunk / 2));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + done), low);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + done + kChunk / 2), high);
            uint32_t nuls = mask32(_mm_cmpeq_epi8(low, zero), _mm_cmpeq_epi8(high, zero));
            const uint32_t left = length - done;
            if (left < kChunk) {
                nuls &= (uint32_t{1} << left) - 1;
            }
            if (nuls != 0 || left <= kChunk) {
                const uint32_t n =
                    nuls != 0 ? done + static_cast<uint32_t>(std::countr_zero(nuls)) : length;
                return out + n;
            }
        }
    }

    static uint32_t mask32(__m128i low, __m128i high) {
        return static_cast<uint32_t>(_mm_movemask_epi8(low)) |
               (static_cast<uint32_t>(_mm_movemask_epi8(high)) << 16);
    }

    // Checks the first `valid` bytes of a chunk of a text as UTF-8 made of
    // ASCII and two-byte characters, what Central European text holds:
    // every continuation byte (80..BF) follows a lead byte (C2..DF), every
    // lead byte is followed by one. pending tells that the chunk before
    // ended in a lead byte; last that the text ends in this chunk. A chunk
    // with other bytes is left to the check after the record. Without a
    // branch on the bytes: whether a text holds letters beyond ASCII is
    // random, and a wrong guess costs more than the few operations.
#endif

    void need(std::size_t n) {
        if (n > static_cast<std::size_t>(loaded_ - p_)) {
            readMore(n);
        }
    }
    void readMore(std::size_t n) {
        source_.ReadUpTo(static_cast<std::size_t>(p_ - base_) + n);
        loaded_ = base_ + source_.Loaded();
        if (n > static_cast<std::size_t>(loaded_ - p_)) {
            RaiseError(errors::kUnexpectedEof);
        }
    }

    DbFileSource& source_;
    char* const base_;
    char* p_;
    const char* loaded_;
    const char* end_;
};

// The least bytes a record can take: an integer is at least 1 byte, a text 2.
constexpr std::size_t kMinText = 2;
constexpr std::size_t kMinHeader = 1 + 1 + kMinText;

// Rows of at most this many texts are built in place, their ends gathered
// on the way; wider records get a block of their own.
constexpr int32_t kInPlaceTexts = 65535;

// Whether the texts of a record, which lie back to back, are UTF-8: their
// bytes as a whole, and no text starting inside a character (so none ends
// inside one either).
bool textsAreUtf8(RowRef record) {
    if (record.Count() == 0) {
        return true;
    }
    if (!IsValidUtf8(record.Text(0).data(), static_cast<std::size_t>(record.TextBytes()))) {
        return false;
    }
    bool whole = true;
    record.ForEachText([&](std::string_view t) {
        whole = whole && (t.empty() || (static_cast<unsigned char>(t[0]) & 0xC0) != 0x80);
    });
    return whole;
}

// Reads count texts and turns the record they belong to into a block.
//
// The blocks are built one after another from the start of the buffer: out
// is where the next one goes, at most where its record starts. Every text
// loses its length and terminator on the way (2 bytes at least), which is
// the room its end takes in the block (2 bytes), so the texts move down
// one by one, each ending before the next one's length begins, and the
// header and the ends are written after them, over bytes already read. A
// record whose header and ends do not fit there (32-bit ends, a header
// longer than the stored length it replaces, before the distance has grown)
// is copied into a block of its own, and so is a record of more texts than
// are built in place, filled in a second pass.
class BlockBuilder {
  public:
    explicit BlockBuilder(TextEncoding encoding) : encoding_(encoding) {}

    Row Read(Parser& in, char*& out, int32_t count) {
        if (count > kInPlaceTexts) {
            Row row = ownBlock(in, count);
            if (encoding_ == TextEncoding::Utf8 && !textsAreUtf8(row)) {
                RaiseError(errors::kUnexpectedEof);  // a damaged file
            }
            return row;
        }
        return inPlace(in, out, count);
    }

  private:
    Row inPlace(Parser& in, char*& out, int32_t count) {
        ends_.resize(static_cast<std::size_t>(count));
        char* const start = out;
        bool startsInside = false;
        char* const end = in.MoveTexts(start, count, ends_.data(), startsInside);
        // The texts lie back to back in the buffer, which has room to read
        // a piece past them: checked as one run, and no text may start
        // inside a character (so none ends inside one either).
        if (encoding_ == TextEncoding::Utf8 &&
            (startsInside || !IsValidUtf8Readable(start, static_cast<std::size_t>(end - start)))) {
            RaiseError(errors::kUnexpectedEof);  // a damaged file
        }
        const auto bytes = static_cast<uint64_t>(end - start);
        if (bytes > UINT32_MAX) {
            throw std::bad_alloc();
        }
        const bool wide = RowRef::NeedsWideEnds(bytes);
        const std::size_t index = RowRef::IndexSize(count, wide);
        if (static_cast<std::size_t>(in.Position() - end) < index) {
            out = start;
            return Row::FromParts(start, ends_.data(), count);
        }
        char* e = RowRef::WriteHeader(end, count, false, wide);
        for (int32_t i = 0; i < count; ++i) {
            RowRef::WriteEnd(e, static_cast<uint32_t>(i), wide, ends_[static_cast<std::size_t>(i)]);
        }
        out = end + index;
        return Row::Borrowed(end);
    }

    static Row ownBlock(Parser& in, int32_t count) {
        char* texts = in.Position();
        uint64_t bytes = 0;
        for (int32_t i = 0; i < count; ++i) {
            bytes += in.Text().size();
        }
        in.Seek(texts);
        return Row::FromSequence(count, bytes, [&] { return in.Text(); });
    }

    TextEncoding encoding_;
    std::vector<uint32_t> ends_;
};

void readHeaders(Parser& in, char*& out, BlockBuilder& blocks, Table& table, int32_t count) {
    for (int32_t h = 0; h < count; ++h) {
        in.Integer();  // stored length: the record is sized by its texts instead
        const int32_t textCount = in.Count(kMinText);
        if (textCount == INT32_MAX) {
            RaiseError(errors::kUnexpectedEof);
        }
        table.AppendHeader(blocks.Read(in, out, textCount + 1));
    }
}

void readRows(Parser& in, char*& out, BlockBuilder& blocks, Table& table, int32_t rows,
              int32_t cols) {
    for (int32_t r = 0; r < rows; ++r) {
        in.Integer();  // stored length
        if (cols > 0) {
            table.SetLoadedRow(r, blocks.Read(in, out, cols));
        }
    }
}

// The encoding a file's required version tells: UTF-8 from version 0.2 on.
TextEncoding encodingOf(std::string_view required) {
    return CompareVersionTexts(required, kWindows1250FileVersion) > 0 ? TextEncoding::Utf8
                                                                      : TextEncoding::Windows1250;
}

}  // namespace

bool ReadDatabaseFile(const std::string& path, Table& table, const std::function<bool()>& proceed) {
    table.Clear();
    try {
        DbFileSource source(path);
        Parser in(source);
        if (in.Raw(kDbFileSignature.size()) != kDbFileSignature) {
            RaiseError(errors::kBadFormat);
        }
        in.Text();  // the writer's version is not checked
        const std::string_view required = in.Text();
        if (CompareVersionTexts(required, kEngineFileVersion) > 0) {
            RaiseError(errors::kTooNew);
        }
        const TextEncoding encoding = encodingOf(required);
        const int32_t headers = in.Count(kMinHeader);
        const uint32_t rowsRaw = in.Integer();
        const uint32_t colsRaw = in.Integer();
        if (rowsRaw > INT32_MAX || colsRaw > INT32_MAX) {
            RaiseError(errors::kUnexpectedEof);
        }
        const auto rows = static_cast<int32_t>(rowsRaw);
        const auto cols = static_cast<int32_t>(colsRaw);
        // Every row needs its stored length and a text per column.
        if (static_cast<uint64_t>(rows) * (1 + kMinText * static_cast<uint64_t>(cols)) >
            in.Remaining()) {
            RaiseError(errors::kUnexpectedEof);
        }
        table.BeginLoad(cols, rows, headers, source.TakeBuffer(), source.Expected());
        table.SetEncoding(encoding);
        BlockBuilder blocks(encoding);
        char* out = in.Position();  // where the first block goes
        readHeaders(in, out, blocks, table, headers);
        if (!proceed()) {
            source.StopReading();
            table.Clear();
            return false;
        }
        readRows(in, out, blocks, table, rows, cols);
        return true;
    } catch (const std::bad_alloc&) {
        table.Clear();
        RaiseError(errors::kOutOfMemory);
    } catch (...) {
        table.Clear();
        throw;
    }
}

}  // namespace quib
