#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "Fd.h"

namespace quib {

// The bytes of a database file in one buffer of the file's size, with a
// tail after them that a copy by pieces may load from (never
// use). A regular file is read in pieces as the reader asks for them, so
// that each piece is still in the cache when it is parsed; one of
// kAheadBytes or more is read by a thread of its own while the reader
// parses what came before, the reader waiting only when it catches up.
// Bytes the file gains after it was opened are not read. Anything else (a
// pipe, a file that tells no size) is read whole at once, the buffer
// growing by half again as needed.
class DbFileSource {
  public:
    static constexpr std::size_t kTail = 32;
    static constexpr std::size_t kAheadBytes = 1 << 20;

    // Raises QuibError kOpenRead when path cannot be opened or read.
    explicit DbFileSource(const std::string& path);
    ~DbFileSource();
    DbFileSource(const DbFileSource&) = delete;
    DbFileSource& operator=(const DbFileSource&) = delete;

    char* Data() const { return data_; }
    // The bytes that may be used, a load of up to kTail bytes past them
    // included: while a thread reads ahead, the last kTail bytes it read
    // are not counted until it has read more or the file has ended.
    std::size_t Loaded() const;
    // The bytes the file holds as far as is known: its size when opened.
    std::size_t Expected() const { return expected_; }

    // Reads on until at least want bytes (and a piece beyond, while the
    // file has them) are in the buffer, or the file ends.
    void ReadUpTo(std::size_t want);

    // Hands the buffer to whoever keeps the blocks built in it; the source
    // goes on reading into it (until StopReading or its end) and must not
    // outlive the new owner's copy.
    std::unique_ptr<char[]> TakeBuffer() { return std::move(owned_); }
    // Ends the reading ahead, if any, before the buffer may go.
    void StopReading();

  private:
    void readWhole();
    // One read into the buffer, at most upTo bytes in all; false at the end.
    bool readSome(std::size_t upTo);
    void ended();
    // The thread's work: reads the whole file in pieces, telling each.
    void readAhead();

    Fd fd_;
    std::unique_ptr<char[]> owned_;
    char* data_ = nullptr;
    std::size_t capacity_ = 0;
    std::size_t used_ = 0;
    std::size_t expected_ = 0;
    bool ended_ = false;

    // Reading ahead: what the thread has read so far (used_ is its own),
    // whether it ended or failed, guarded by mutex_.
    std::thread ahead_;
    mutable std::mutex mutex_;
    std::condition_variable read_;
    std::size_t told_ = 0;
    bool toldEnded_ = false;
    bool failed_ = false;
    std::atomic<bool> stop_ = false;
};

}  // namespace quib
