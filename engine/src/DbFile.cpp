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
#include "TempFile.h"
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
        if (ok_) {
            // Starts writing the block back to the disk without waiting, so
            // that the disk works while the next block is encoded.
            ::sync_file_range(fd_, synced_, written_ - synced_, SYNC_FILE_RANGE_WRITE);
            synced_ = written_;
        }
    }
    bool Ok() const { return ok_; }

  private:
    int fd_;
    std::unique_ptr<char[]> buffer_;
    std::size_t used_ = 0;
    int64_t written_ = 0;
    int64_t synced_ = 0;
    bool ok_ = true;
};

// Writes a record's texts, each with its length and terminator, at p, which
// has room for them and 16 bytes more. A text of up to 16 bytes is copied as
// 16 bytes, without a call, when the block has them (what lies after it is
// overwritten by what follows).
template <bool Wide>
char* putTexts(char* p, const RowRef::Layout& l) {
    const char* const blockEnd = l.BlockEnd();
    uint32_t begin = 0;
    for (uint32_t i = 0; i < l.count; ++i) {
        uint32_t end = 0;
        std::memcpy(&end, l.ends + (Wide ? 4 : 2) * static_cast<std::size_t>(i), Wide ? 4 : 2);
        const uint32_t n = end - begin;
        const char* text = l.texts + begin;
        p = putInteger(p, n);
        if (n <= 16 && blockEnd - text >= 16) {
            std::memcpy(p, text, 16);
        } else {
            std::memcpy(p, text, n);
        }
        p += n;
        *p++ = '\0';
        begin = end;
    }
    return p;
}

void writeTexts(Writer& w, RowRef record) {
    if (record.Block() == nullptr) {
        return;
    }
    const RowRef::Layout l = record.Parts();
    const uint64_t bound = uint64_t{l.count} * (kMaxInteger + 1) + l.total + 16;
    if (bound > Writer::kBlock) {
        record.ForEachText([&](std::string_view t) { w.Text(t); });
        return;
    }
    char* p = w.Room(static_cast<std::size_t>(bound));
    w.Advance(l.wide ? putTexts<true>(p, l) : putTexts<false>(p, l));
}

// Asks for the rows a few ahead of the one being written: their blocks lie
// anywhere once the rows were sorted or edited. The handle of the next but
// several is fetched, and the texts of the one after next, whose header the
// earlier fetch brought.
void prefetchRows(const TableImage& table, int32_t r) {
    if (r + 8 < table.rows) {
        __builtin_prefetch(table.RowAt(r + 8).Block());
    }
    if (r + 4 < table.rows) {
        const RowRef ahead = table.RowAt(r + 4);
        if (ahead.Block() != nullptr) {
            const RowRef::Layout l = ahead.Parts();
            for (const char* at = l.texts; at < ahead.Block(); at += 64) {
                __builtin_prefetch(at);
            }
        }
    }
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
        prefetchRows(table, r);
        const RowRef row = table.RowAt(r);
        w.Integer(static_cast<uint32_t>(row.TextBytes()));
        writeTexts(w, row);
    }
    w.Flush();
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
    TempFile temp(target);
    const int fd = temp.Descriptor();
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0) {
        ::fchmod(fd, old.st_mode & 07777);
        [[maybe_unused]] const int owned = ::fchown(fd, old.st_uid, old.st_gid);
    } else {
        ::fchmod(fd, NewFileMode());
    }
    Writer w(fd);
    writeTable(w, table);
    // The one sync of the data: the writeback of every block began as it
    // was written, so this mostly waits for the last one.
    if (!w.Ok() || g_failAfterBytes == -2 || ::fsync(fd) != 0 || !temp.ReplaceTarget()) {
        RaiseError(errors::kWriteFailed);
    }
    // Make the rename itself durable; a failure here cannot undo the save.
    Fd dirFd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dirFd.get() >= 0) {
        ::fsync(dirFd.get());
    }
}

void SetWriteFaultForTesting(int64_t failAfterBytes) {
    g_failAfterBytes = failAfterBytes;
}

}  // namespace quib
