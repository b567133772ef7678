#include "quib/DatabaseLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <utility>

#include "FileTarget.h"

namespace quib {

namespace {

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Opens the lock file (made when missing); -1 when it cannot be, or when the
// name is taken by something that is not a regular file.
int openLockFile(const std::string& path) {
    constexpr int kFlags = O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK;
    int fd = ::open(path.c_str(), O_RDWR | kFlags, 0666);
    if (fd < 0 && errno == EACCES) {
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    }
    struct stat st {};
    if (fd >= 0 && (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))) {
        ::close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

DatabaseLock::~DatabaseLock() {
    Unlock();
}

DatabaseLock::DatabaseLock(DatabaseLock&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)),
      databasePath_(std::move(other.databasePath_)),
      lockPath_(std::move(other.lockPath_)) {}

DatabaseLock& DatabaseLock::operator=(DatabaseLock&& other) noexcept {
    if (this != &other) {
        Unlock();
        fd_ = std::exchange(other.fd_, -1);
        databasePath_ = std::move(other.databasePath_);
        lockPath_ = std::move(other.lockPath_);
    }
    return *this;
}

std::string DatabaseLock::LockFileOf(const std::string& databasePath) {
    std::filesystem::path target;
    if (!FileTargetOf(databasePath, target) || target.filename().empty()) {
        return {};
    }
    std::string name = ".";
    name += target.filename().string();
    name += ".lock";
    return (FolderOf(target) / name).string();
}

DatabaseLock::Result DatabaseLock::TryLock(const std::string& databasePath) {
    if (Locked() && databasePath == databasePath_) {
        return Result::Acquired;
    }
    Unlock();
    const std::string lockPath = LockFileOf(databasePath);
    if (lockPath.empty()) {
        return Result::Unavailable;
    }
    // A holder that unlocks removes the file; one that we opened just before
    // is then locked in vain, and we try the new one.
    for (int attempt = 0; attempt < 10; ++attempt) {
        const int fd = openLockFile(lockPath);
        if (fd < 0) {
            return Result::Unavailable;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            ::close(fd);
            return error == EWOULDBLOCK ? Result::HeldByAnother : Result::Unavailable;
        }
        struct stat opened {};
        struct stat named {};
        if (::fstat(fd, &opened) == 0 && ::lstat(lockPath.c_str(), &named) == 0 &&
            sameFile(opened, named)) {
            fd_ = fd;
            databasePath_ = databasePath;
            lockPath_ = lockPath;
            return Result::Acquired;
        }
        ::close(fd);
    }
    return Result::Unavailable;
}

void DatabaseLock::Unlock() {
    if (fd_ < 0) {
        return;
    }
    // Removed while still locked, and only while the name is still ours.
    struct stat opened {};
    struct stat named {};
    if (::fstat(fd_, &opened) == 0 && ::lstat(lockPath_.c_str(), &named) == 0 &&
        sameFile(opened, named)) {
        ::unlink(lockPath_.c_str());
    }
    ::close(fd_);
    fd_ = -1;
    databasePath_.clear();
    lockPath_.clear();
}

}  // namespace quib
