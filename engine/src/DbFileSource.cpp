#include "DbFileSource.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "Errors.h"

namespace quib {
namespace {

// What is read ahead of the parser: small enough to stay in the cache
// until it is parsed, large enough to keep the calls few.
constexpr std::size_t kPiece = 512 * 1024;

}  // namespace

DbFileSource::DbFileSource(const std::string& path)
    : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
    struct stat st {};
    if (fd_.get() < 0 || ::fstat(fd_.get(), &st) != 0 || S_ISDIR(st.st_mode)) {
        RaiseError(errors::kOpenRead);
    }
    const bool sized = S_ISREG(st.st_mode) && st.st_size > 0;
    capacity_ = sized ? static_cast<std::size_t>(st.st_size) : 4096;
    owned_ = std::make_unique_for_overwrite<char[]>(capacity_ + kTail);
    data_ = owned_.get();
    if (sized) {
        expected_ = static_cast<std::size_t>(st.st_size);
        if (expected_ >= kAheadBytes) {
            ahead_ = std::thread([this] { readAhead(); });
        }
    } else {
        readWhole();
    }
}

DbFileSource::~DbFileSource() {
    StopReading();
}

void DbFileSource::StopReading() {
    if (ahead_.joinable()) {
        stop_ = true;
        ahead_.join();
    }
}

void DbFileSource::readAhead() {
    bool failed = false;
    try {
        while (!stop_) {
            const std::size_t goal = std::min(expected_, used_ + kPiece);
            const bool more = readSome(goal) && used_ < expected_;
            if (!more) {
                ended();
            }
            const std::lock_guard lock(mutex_);
            told_ = used_;
            toldEnded_ = !more;
            read_.notify_all();
            if (!more) {
                return;
            }
        }
    } catch (...) {
        failed = true;
    }
    const std::lock_guard lock(mutex_);
    failed_ = failed;
    toldEnded_ = true;
    read_.notify_all();
}

std::size_t DbFileSource::Loaded() const {
    if (!ahead_.joinable()) {
        return used_;
    }
    const std::lock_guard lock(mutex_);
    return toldEnded_ ? told_ : (told_ > kTail ? told_ - kTail : 0);
}

void DbFileSource::ReadUpTo(std::size_t want) {
    if (ahead_.joinable()) {
        std::unique_lock lock(mutex_);
        read_.wait(lock, [&] { return toldEnded_ || told_ >= want + kTail; });
        if (failed_) {
            RaiseError(errors::kOpenRead);
        }
        return;
    }
    const std::size_t goal = std::min(expected_, want + kPiece);
    while (!ended_ && used_ < want) {
        if (!readSome(goal) || used_ == expected_) {
            ended();
        }
    }
}

void DbFileSource::readWhole() {
    for (;;) {
        if (used_ == capacity_) {
            const std::size_t bigger = capacity_ + capacity_ / 2;
            auto grown = std::make_unique_for_overwrite<char[]>(bigger + kTail);
            std::memcpy(grown.get(), data_, used_);
            owned_ = std::move(grown);
            data_ = owned_.get();
            capacity_ = bigger;
        }
        if (!readSome(capacity_)) {
            break;
        }
    }
    expected_ = used_;
    ended();
}

bool DbFileSource::readSome(std::size_t upTo) {
    for (;;) {
        const ssize_t n = ::read(fd_.get(), data_ + used_, upTo - used_);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            RaiseError(errors::kOpenRead);
        }
        used_ += static_cast<std::size_t>(n);
        return n > 0;
    }
}

void DbFileSource::ended() {
    ended_ = true;
    std::memset(data_ + used_, 0, kTail);
}

}  // namespace quib
