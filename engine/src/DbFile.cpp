#include "DbFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

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
#include "Table.h"
#include "Version.h"

namespace quib {

namespace {

int64_t g_failAfterBytes = -1;

void appendInteger(std::string& out, uint32_t value) {
    unsigned char bytes[4];
    int n = 0;
    do {
        bytes[n++] = static_cast<unsigned char>(value & 0xFF);
        value >>= 8;
    } while (value != 0);
    out.push_back(static_cast<char>(n));
    while (n > 0) {
        out.push_back(static_cast<char>(bytes[--n]));
    }
}

void appendText(std::string& out, std::string_view text) {
    appendInteger(out, static_cast<uint32_t>(text.size()));
    out.append(text);
    out.push_back('\0');
}

// Collects the file's bytes and hands them to the descriptor in large
// blocks; any failure of the descriptor is remembered.
class Writer {
  public:
    explicit Writer(int fd) : fd_(fd) { buffer_.reserve(kBlock + 4096); }

    std::string& Buffer() { return buffer_; }
    void MaybeFlush() {
        if (buffer_.size() >= kBlock) {
            Flush();
        }
    }
    void Flush() {
        const char* p = buffer_.data();
        std::size_t left = buffer_.size();
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
        buffer_.clear();
    }
    bool Ok() const { return ok_; }

  private:
    static constexpr std::size_t kBlock = 1 << 20;
    int fd_;
    std::string buffer_;
    int64_t written_ = 0;
    bool ok_ = true;
};

std::string decimal(int32_t n) {
    return std::to_string(n);
}

void writeTable(Writer& w, const TableImage& table) {
    std::string& out = w.Buffer();
    out.append(kDbFileSignature);
    appendText(out, kEngineFileVersion);
    appendText(out, kEngineFileVersion);
    appendInteger(out, static_cast<uint32_t>(table.headers.size()));
    appendInteger(out, static_cast<uint32_t>(table.rows));
    appendInteger(out, static_cast<uint32_t>(table.cols));
    const auto appendAll = [&](RowRef record) {
        record.ForEachText([&](std::string_view t) { appendText(out, t); });
    };
    for (const RowRef header : table.headers) {
        const int32_t texts = header.Count() - 1;
        const std::string count = decimal(texts);
        appendInteger(out, static_cast<uint32_t>(count.size() + header.TextBytes()));
        appendInteger(out, static_cast<uint32_t>(texts));
        appendAll(header);
        w.MaybeFlush();
    }
    for (int32_t r = 0; r < table.rows; ++r) {
        const RowRef row = table.RowAt(r);
        appendInteger(out, static_cast<uint32_t>(row.TextBytes()));
        appendAll(row);
        w.MaybeFlush();
    }
    w.Flush();
}

// The file a save replaces: through symbolic links, the file they point to.
// False for a chain of links that does not end (a loop).
bool targetOf(const std::string& path, std::filesystem::path& target) {
    std::error_code ec;
    target = path;
    for (int hops = 0; hops < 40; ++hops) {
        if (!std::filesystem::is_symlink(target, ec)) {
            return true;
        }
        const std::filesystem::path link = std::filesystem::read_symlink(target, ec);
        if (ec) {
            return false;
        }
        target = link.is_absolute() ? link : target.parent_path() / link;
    }
    return false;
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

// Whether the old file may be replaced: a file nobody may write (or this
// user may not) was protected by its owner.
bool mayReplace(const std::filesystem::path& target) {
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0) {
        return errno == ENOENT;
    }
    if (S_ISDIR(st.st_mode)) {
        return false;
    }
    return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0 &&
           ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) == 0;
}

}  // namespace

void WriteDatabaseFile(const std::string& path, const TableImage& table) {
    std::filesystem::path target;
    if (!targetOf(path, target) || target.filename().empty() || !mayReplace(target)) {
        RaiseError(errors::kOpenWrite);
    }
    ignoreFileSizeSignal();
    std::filesystem::path dir = target.parent_path();
    if (dir.empty()) {
        dir = ".";
    }
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
    if (!targetOf(path, target) || target.filename().empty()) {
        return;
    }
    std::filesystem::path dir = target.parent_path();
    if (dir.empty()) {
        dir = ".";
    }
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
