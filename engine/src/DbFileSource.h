#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "Fd.h"

namespace quib {

// The bytes of a database file in one buffer of the file's size, with a
// tail after them that a copy by pieces may load from (never
// use). A regular file is read in pieces as the reader asks for them, so
// that each piece is still in the cache when it is parsed; bytes the file
// gains after it was opened are not read. Anything else (a pipe, a file
// that tells no size) is read whole at once, the buffer growing by half
// again as needed.
class DbFileSource {
  public:
    static constexpr std::size_t kTail = 32;

    // Raises QuibError kOpenRead when path cannot be opened or read.
    explicit DbFileSource(const std::string& path);
    DbFileSource(const DbFileSource&) = delete;
    DbFileSource& operator=(const DbFileSource&) = delete;

    char* Data() const { return data_; }
    std::size_t Loaded() const { return used_; }
    // The bytes the file holds as far as is known: its size when opened.
    std::size_t Expected() const { return expected_; }

    // Reads on until at least want bytes (and a piece beyond, while the
    // file has them) are in the buffer, or the file ends.
    void ReadUpTo(std::size_t want);

    // Hands the buffer to whoever keeps the blocks built in it; the source
    // goes on reading into it and must not outlive the new owner's copy.
    std::unique_ptr<char[]> TakeBuffer() { return std::move(owned_); }

  private:
    void readWhole();
    // One read into the buffer, at most upTo bytes in all; false at the end.
    bool readSome(std::size_t upTo);
    void ended();

    Fd fd_;
    std::unique_ptr<char[]> owned_;
    char* data_ = nullptr;
    std::size_t capacity_ = 0;
    std::size_t used_ = 0;
    std::size_t expected_ = 0;
    bool ended_ = false;
};

}  // namespace quib
