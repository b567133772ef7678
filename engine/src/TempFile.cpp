#include "TempFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <string_view>

#include "Errors.h"
#include "FileTarget.h"

namespace quib {

namespace {

constexpr std::string_view kTempMarker = ".tmp-";
constexpr std::size_t kTempRandom = 6;

std::string tempPrefix(const std::filesystem::path& target) {
    // Built step by step: GCC 12 at -O3 misreads "." + string as overlapping.
    std::string name = ".";
    name += target.filename().string();
    name += kTempMarker;
    return name;
}

// Six letters or digits, as mkostemp would choose.
std::string randomPart() {
    static constexpr std::string_view kLetters =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    unsigned char bytes[kTempRandom];
    if (::getrandom(bytes, sizeof bytes, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof bytes)) {
        static unsigned counter = 0;
        const auto seed = static_cast<unsigned>(std::time(nullptr)) ^
                          (static_cast<unsigned>(::getpid()) << 8) ^ (++counter * 2654435761u);
        for (std::size_t i = 0; i < sizeof bytes; ++i) {
            bytes[i] = static_cast<unsigned char>(seed >> (4 * i));
        }
    }
    std::string part;
    for (const unsigned char b : bytes) {
        part += kLetters[b % kLetters.size()];
    }
    return part;
}

// Whether an unnamed file can be given a name later: through /proc, which
// links it without any privilege.
bool canNameUnnamedFiles() {
    static const bool can = ::access("/proc/self/fd", X_OK) == 0;
    return can;
}

}  // namespace

int TempFile::create(const std::filesystem::path& dir, const std::filesystem::path& target,
                     std::string& name) {
    int fd = -1;
    if (canNameUnnamedFiles()) {
        fd = ::open(dir.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    }
    if (fd < 0) {
        // No unnamed files here (an older kernel, a file system without
        // them): named from the start.
        std::string tmpl = (dir / (tempPrefix(target) + "XXXXXX")).string();
        fd = ::mkostemp(tmpl.data(), O_CLOEXEC);
        if (fd >= 0) {
            name = tmpl;
        }
    }
    if (fd < 0) {
        RaiseError(errors::kOpenWrite);
    }
    // Held until the file is renamed or removed: a save cleaning up the
    // leftovers of killed saves leaves a locked file alone.
    ::flock(fd, LOCK_EX | LOCK_NB);
    return fd;
}

TempFile::TempFile(const std::filesystem::path& target)
    : target_(target), dir_(FolderOf(target)), fd_(create(dir_, target_, name_)) {}

TempFile::~TempFile() {
    if (!renamed_ && !name_.empty()) {
        ::unlink(name_.c_str());
    }
}

bool TempFile::giveName() {
    if (!name_.empty()) {
        return true;
    }
    const std::string from = "/proc/self/fd/" + std::to_string(fd_.get());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = (dir_ / (tempPrefix(target_) + randomPart())).string();
        if (::linkat(AT_FDCWD, from.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            name_ = name;
            return true;
        }
        if (errno != EEXIST) {
            return false;
        }
    }
    return false;
}

bool TempFile::ReplaceTarget() {
    if (!giveName() || ::rename(name_.c_str(), target_.c_str()) != 0) {
        return false;
    }
    renamed_ = true;
    return true;
}

// The mask is read from /proc where it can be, since setting it to read it
// would change it for a moment under every other thread.
mode_t NewFileMode() {
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

}  // namespace quib
