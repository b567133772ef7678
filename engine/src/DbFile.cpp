#include "DbFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <memory>
#include <mutex>

#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>
#include <string_view>
#include <vector>

#include "Errors.h"
#include "Fd.h"
#include "FileTarget.h"
#include "Table.h"
#include "Version.h"

namespace quib {

namespace {

int64_t g_failAfterBytes = -1;

// Writes an integer of the file format at p; returns where it ends.
inline char* putInteger(char* p, uint32_t value) {
    if (value < 0x100) {
        p[0] = 1;
        p[1] = static_cast<char>(value);
        return p + 2;
    }
    const int n = value < 0x10000 ? 2 : value < 0x1000000 ? 3 : 4;
    *p++ = static_cast<char>(n);
    for (int shift = 8 * (n - 1); shift >= 0; shift -= 8) {
        *p++ = static_cast<char>(value >> shift);
    }
    return p;
}
constexpr std::size_t kMaxInteger = 5;

// Collects the file's bytes and hands them to the descriptor in large
// blocks; any failure of the descriptor is remembered.
class Writer {
  public:
    static constexpr std::size_t kBlock = 4 << 20;

    explicit Writer(int fd) : fd_(fd), buffer_(std::make_unique_for_overwrite<char[]>(kBlock)) {}

    // Room for n <= kBlock bytes at the position, flushing first when the
    // block has less; Advance tells how far it was filled.
    char* Room(std::size_t n) {
        if (kBlock - used_ < n) {
            Flush();
        }
        return buffer_.get() + used_;
    }
    void Advance(const char* to) { used_ = static_cast<std::size_t>(to - buffer_.get()); }

    void Integer(uint32_t value) { Advance(putInteger(Room(kMaxInteger), value)); }
    void Bytes(const char* data, std::size_t n) {
        while (n > 0) {
            const std::size_t chunk = std::min(n, kBlock);
            char* p = Room(chunk);
            std::memcpy(p, data, chunk);
            Advance(p + chunk);
            data += chunk;
            n -= chunk;
        }
    }
    void Text(std::string_view text) {
        Integer(static_cast<uint32_t>(text.size()));
        Bytes(text.data(), text.size());
        Bytes("", 1);
    }

    void Flush() {
        const char* p = buffer_.get();
        std::size_t left = used_;
        while (left > 0 && ok_) {
            std::size_t chunk = left;
            if (g_failAfterBytes >= 0) {
                const int64_t allowed = g_failAfterBytes - written_;
                if (allowed <= 0) {
                    ok_ = false;
                    break;
                }
                chunk = std::min<std::size_t>(chunk, static_cast<std::size_t>(allowed));
            }
            const ssize_t n = ::write(fd_, p, chunk);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                ok_ = false;
                break;
            }
            p += n;
            left -= static_cast<std::size_t>(n);
            written_ += n;
        }
        used_ = 0;
    }
    bool Ok() const { return ok_; }

  private:
    int fd_;
    std::unique_ptr<char[]> buffer_;
    std::size_t used_ = 0;
    int64_t written_ = 0;
    bool ok_ = true;
};

// A record's texts, each with its length and terminator: straight into the
// block when they fit in one, text by text otherwise.
void writeTexts(Writer& w, RowRef record) {
    const uint64_t bound =
        static_cast<uint64_t>(record.Count()) * (kMaxInteger + 1) + record.TextBytes();
    if (bound > Writer::kBlock) {
        record.ForEachText([&](std::string_view t) { w.Text(t); });
        return;
    }
    char* p = w.Room(static_cast<std::size_t>(bound));
    record.ForEachText([&](std::string_view t) {
        p = putInteger(p, static_cast<uint32_t>(t.size()));
        std::memcpy(p, t.data(), t.size());
        p += t.size();
        *p++ = '\0';
    });
    w.Advance(p);
}

const char* versionOf(TextEncoding encoding) {
    return encoding == TextEncoding::Utf8 ? kUtf8FileVersion : kWindows1250FileVersion;
}

void writeTable(Writer& w, const TableImage& table) {
    const char* version = versionOf(table.encoding);
    w.Bytes(kDbFileSignature.data(), kDbFileSignature.size());
    w.Text(version);
    w.Text(version);
    w.Integer(static_cast<uint32_t>(table.headers.size()));
    w.Integer(static_cast<uint32_t>(table.rows));
    w.Integer(static_cast<uint32_t>(table.cols));
    for (const RowRef header : table.headers) {
        const int32_t texts = header.Count() - 1;
        const std::string count = std::to_string(texts);
        w.Integer(static_cast<uint32_t>(count.size() + header.TextBytes()));
        w.Integer(static_cast<uint32_t>(texts));
        writeTexts(w, header);
    }
    for (int32_t r = 0; r < table.rows; ++r) {
        const RowRef row = table.RowAt(r);
        w.Integer(static_cast<uint32_t>(row.TextBytes()));
        writeTexts(w, row);
    }
    w.Flush();
}

// The mode a new file gets: 0666 less the process's file mode mask. The mask
// is read from /proc where it can be, since setting it to read it would
// change it for a moment under every other thread.
mode_t newFileMode() {
    static const mode_t mode = [] {
        FILE* status = std::fopen("/proc/self/status", "re");
        unsigned mask = 0;
        bool found = false;
        if (status != nullptr) {
            char line[256];
            while (!found && std::fgets(line, sizeof line, status) != nullptr) {
                found = std::sscanf(line, "Umask: %o", &mask) == 1;
            }
            std::fclose(status);
        }
        if (!found) {
            const mode_t old = ::umask(022);
            ::umask(old);
            mask = old;
        }
        return static_cast<mode_t>(0666 & ~mask);
    }();
    return mode;
}

// A file too big for the process's size limit must fail its write (and the
// save report 10004) instead of ending the process. A handler the host set
// is left alone.
void ignoreFileSizeSignal() {
    static std::once_flag once;
    std::call_once(once, [] {
        struct sigaction old {};
        if (::sigaction(SIGXFSZ, nullptr, &old) == 0 && old.sa_handler == SIG_DFL &&
            (old.sa_flags & SA_SIGINFO) == 0) {
            ::signal(SIGXFSZ, SIG_IGN);
        }
    });
}

constexpr std::string_view kTempMarker = ".tmp-";
constexpr std::size_t kTempRandom = 6;

std::string tempPrefix(const std::filesystem::path& target) {
    // Built step by step: GCC 12 at -O3 misreads "." + string as overlapping.
    std::string name = ".";
    name += target.filename().string();
    name += kTempMarker;
    return name;
}

// Whether the old file may be replaced: only a regular file (a folder, a
// pipe, a device or a socket is never replaced by one), and not one nobody
// may write (or this user may not), which its owner protected.
bool mayReplace(const std::filesystem::path& target) {
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0) {
        return errno == ENOENT;
    }
    if (!S_ISREG(st.st_mode)) {
        return false;
    }
    return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0 &&
           ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) == 0;
}

}  // namespace

void WriteDatabaseFile(const std::string& path, const TableImage& table) {
    std::filesystem::path target;
    if (!FileTargetOf(path, target) || target.filename().empty() || !mayReplace(target)) {
        RaiseError(errors::kOpenWrite);
    }
    ignoreFileSizeSignal();
    // What killed saves of this file left behind goes before a new one is made.
    RemoveStaleTempFiles(target.string());
    const std::filesystem::path dir = FolderOf(target);
    std::string tmpl = (dir / (tempPrefix(target) + "XXXXXX")).string();
    Fd fd(::mkostemp(tmpl.data(), O_CLOEXEC));
    if (fd.get() < 0) {
        RaiseError(errors::kOpenWrite);
    }
    // Held until the file is renamed or removed: a reader cleaning up the
    // leftovers of killed saves leaves a locked file alone.
    ::flock(fd.get(), LOCK_EX | LOCK_NB);
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0) {
        ::fchmod(fd.get(), old.st_mode & 07777);
        [[maybe_unused]] const int owned = ::fchown(fd.get(), old.st_uid, old.st_gid);
    } else {
        ::fchmod(fd.get(), newFileMode());
    }

    bool ok = false;
    try {
        Writer w(fd.get());
        writeTable(w, table);
        ok = w.Ok() && g_failAfterBytes != -2 && ::fsync(fd.get()) == 0;
    } catch (...) {
        ::unlink(tmpl.c_str());
        throw;
    }
    if (!ok || ::rename(tmpl.c_str(), target.c_str()) != 0) {
        ::unlink(tmpl.c_str());
        RaiseError(errors::kWriteFailed);
    }
    const int raw = fd.release();
    ::close(raw);  // the data reached the disk with fsync already
    // Make the rename itself durable; a failure here cannot undo the save.
    Fd dirFd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dirFd.get() >= 0) {
        ::fsync(dirFd.get());
    }
}

void RemoveStaleTempFiles(const std::string& path, int64_t olderThanSeconds) {
    std::filesystem::path target;
    if (!FileTargetOf(path, target) || target.filename().empty()) {
        return;
    }
    const std::filesystem::path dir = FolderOf(target);
    const std::string prefix = tempPrefix(target);
    std::error_code ec;
    std::filesystem::directory_iterator it(dir, ec);
    const std::time_t now = std::time(nullptr);
    for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() != prefix.size() + kTempRandom ||
            name.compare(0, prefix.size(), prefix) != 0) {
            continue;
        }
        Fd fd(::open(it->path().c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK));
        struct stat st {};
        if (fd.get() < 0 || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode) ||
            now - st.st_mtime < olderThanSeconds) {
            continue;
        }
        // A save still running holds the lock on its file.
        if (::flock(fd.get(), LOCK_EX | LOCK_NB) == 0) {
            ::unlink(it->path().c_str());
        }
    }
}

void SetWriteFaultForTesting(int64_t failAfterBytes) {
    g_failAfterBytes = failAfterBytes;
}

}  // namespace quib
