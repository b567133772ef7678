#include "DbFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>
#include <string_view>
#include <vector>

#include "Errors.h"
#include "Table.h"
#include "Version.h"

namespace quib {
namespace {

constexpr std::string_view kSignature = "Quib";

// Closes a file descriptor when it goes out of scope.
class Fd {
  public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    int release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

  private:
    int fd_;
};

std::vector<char> readWholeFile(const std::string& path) {
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat st {};
    if (fd.get() < 0 || ::fstat(fd.get(), &st) != 0 || S_ISDIR(st.st_mode)) {
        RaiseError(errors::kOpenRead);
    }
    std::vector<char> data;
    data.reserve(st.st_size > 0 ? static_cast<std::size_t>(st.st_size) : 4096);
    std::size_t used = 0;
    for (;;) {
        if (used == data.size()) {
            data.resize(data.size() < 4096 ? 4096 : data.size() + data.size() / 2);
        }
        const ssize_t n = ::read(fd.get(), data.data() + used, data.size() - used);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            RaiseError(errors::kOpenRead);
        }
        if (n == 0) {
            break;
        }
        used += static_cast<std::size_t>(n);
    }
    data.resize(used);
    return data;
}

// Reads the primitive encodings of the file, never past its end.
class Parser {
  public:
    Parser(const char* begin, const char* end) : p_(begin), end_(end) {}

    std::size_t Remaining() const { return static_cast<std::size_t>(end_ - p_); }

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

  private:
    void need(std::size_t n) const {
        if (n > Remaining()) {
            RaiseError(errors::kUnexpectedEof);
        }
    }

    const char* p_;
    const char* end_;
};

// The least bytes a record can take: an integer is at least 1 byte, a text 2.
constexpr std::size_t kMinText = 2;
constexpr std::size_t kMinHeader = 1 + 1 + kMinText;

void readHeaders(Parser& in, Table& table, int32_t count) {
    std::vector<std::string_view> texts;
    for (int32_t h = 0; h < count; ++h) {
        in.Integer();  // stored length: the record is sized by its texts instead
        const int32_t textCount = in.Count(kMinText);
        if (textCount == INT32_MAX) {
            RaiseError(errors::kUnexpectedEof);
        }
        texts.resize(static_cast<std::size_t>(textCount) + 1);
        for (auto& t : texts) {
            t = in.Text();
        }
        table.AppendHeader(Row::FromTexts(texts.data(), textCount + 1));
    }
}

void readRows(Parser& in, Table& table, int32_t rows, int32_t cols) {
    // Without rows the column count is bounded by nothing in the file, so
    // nothing may be sized by it.
    if (rows == 0) {
        return;
    }
    std::vector<std::string_view> cells(static_cast<std::size_t>(cols));
    for (int32_t r = 0; r < rows; ++r) {
        in.Integer();  // stored length
        for (auto& c : cells) {
            c = in.Text();
        }
        table.SetLoadedRow(r, Row::FromTexts(cells.data(), cols));
    }
}

}  // namespace

bool ReadDatabaseFile(const std::string& path, Table& table, const std::function<bool()>& proceed) {
    table.Clear();
    try {
        const std::vector<char> data = readWholeFile(path);
        Parser in(data.data(), data.data() + data.size());
        if (in.Raw(kSignature.size()) != kSignature) {
            RaiseError(errors::kBadFormat);
        }
        in.Text();  // the writer's version is not checked
        const std::string_view required = in.Text();
        if (CompareVersionTexts(required, kEngineFileVersion) > 0) {
            RaiseError(errors::kTooNew);
        }
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
        table.BeginLoad(cols, rows);
        readHeaders(in, table, headers);
        if (!proceed()) {
            table.Clear();
            return false;
        }
        readRows(in, table, rows, cols);
        return true;
    } catch (const std::bad_alloc&) {
        table.Clear();
        RaiseError(errors::kOutOfMemory);
    } catch (...) {
        table.Clear();
        throw;
    }
}

// ---------------------------------------------------------------------------
// Writing

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

void writeTable(Writer& w, const Table& table) {
    std::string& out = w.Buffer();
    out.append(kSignature);
    appendText(out, kEngineFileVersion);
    appendText(out, kEngineFileVersion);
    appendInteger(out, static_cast<uint32_t>(table.Headers()));
    appendInteger(out, static_cast<uint32_t>(table.Rows()));
    appendInteger(out, static_cast<uint32_t>(table.Cols()));
    for (int32_t h = 0; h < table.Headers(); ++h) {
        const Row& header = table.Header(h);
        const int32_t texts = header.Count() - 1;
        const std::string count = decimal(texts);
        appendInteger(out, static_cast<uint32_t>(count.size() + header.TextBytes()));
        appendInteger(out, static_cast<uint32_t>(texts));
        for (int32_t t = 0; t < header.Count(); ++t) {
            appendText(out, header.Text(t));
        }
        w.MaybeFlush();
    }
    for (int32_t r = 0; r < table.Rows(); ++r) {
        const Row& row = table.RowAt(r);
        appendInteger(out, static_cast<uint32_t>(row.TextBytes()));
        for (int32_t c = 0; c < row.Count(); ++c) {
            appendText(out, row.Text(c));
        }
        w.MaybeFlush();
    }
    w.Flush();
}

// The file a save replaces: through symbolic links, the file they point to.
std::filesystem::path targetOf(const std::string& path) {
    std::error_code ec;
    std::filesystem::path target(path);
    for (int hops = 0; hops < 40 && std::filesystem::is_symlink(target, ec); ++hops) {
        const std::filesystem::path link = std::filesystem::read_symlink(target, ec);
        if (ec) {
            break;
        }
        target = link.is_absolute() ? link : target.parent_path() / link;
    }
    return target;
}

mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

void WriteDatabaseFile(const std::string& path, const Table& table) {
    const std::filesystem::path target = targetOf(path);
    std::filesystem::path dir = target.parent_path();
    if (dir.empty()) {
        dir = ".";
    }
    std::string tmpl = (dir / ("." + target.filename().string() + ".tmp-XXXXXX")).string();
    Fd fd(::mkostemp(tmpl.data(), O_CLOEXEC));
    if (fd.get() < 0 || target.filename().empty()) {
        RaiseError(errors::kOpenWrite);
    }
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0) {
        if (S_ISDIR(old.st_mode)) {
            ::unlink(tmpl.c_str());
            RaiseError(errors::kOpenWrite);
        }
        ::fchmod(fd.get(), old.st_mode & 07777);
        [[maybe_unused]] const int owned = ::fchown(fd.get(), old.st_uid, old.st_gid);
    } else {
        ::fchmod(fd.get(), newFileMode());
    }

    bool ok = false;
    try {
        Writer w(fd.get());
        writeTable(w, table);
        ok = w.Ok() && ::fsync(fd.get()) == 0;
    } catch (...) {
        ::unlink(tmpl.c_str());
        throw;
    }
    const int raw = fd.release();
    ok = (::close(raw) == 0) && ok;
    if (!ok || ::rename(tmpl.c_str(), target.c_str()) != 0) {
        ::unlink(tmpl.c_str());
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
