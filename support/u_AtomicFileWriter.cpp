#include "support/u_AtomicFileWriter.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <mutex>

namespace {

constexpr qsizetype kBufferBytes = 256 * 1024;
constexpr int kMaxLinkHops = 40;
constexpr int kNameAttempts = 100;

QString tr(const char* text) {
    return QCoreApplication::translate("TAtomicFileWriter", text);
}

// A file too big for the process's size limit must fail its write with a
// message instead of ending the process. A handler someone set is left alone.
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

QByteArray folderOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0) {
        return QByteArrayLiteral(".");
    }
    return slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}

QByteArray nameOf(const QByteArray& path) {
    return path.mid(path.lastIndexOf('/') + 1);
}

// The file a write replaces: through symbolic links, the file they point to.
// False with errno ELOOP for a chain of links that does not end.
bool followLinks(QByteArray& path) {
    for (int hops = 0; hops < kMaxLinkHops; ++hops) {
        struct stat st {};
        if (::lstat(path.constData(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            return true;
        }
        QByteArray link(static_cast<qsizetype>(st.st_size > 0 ? st.st_size : 4096) + 1, '\0');
        const ssize_t n = ::readlink(path.constData(), link.data(), link.size());
        if (n < 0) {
            return false;
        }
        link.truncate(n);
        path = link.startsWith('/') ? link : folderOf(path) + '/' + link;
    }
    errno = ELOOP;
    return false;
}

QByteArray randomSuffix() {
    static constexpr char kLetters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QByteArray suffix(6, '\0');
    for (char& c : suffix) {
        c = kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters - 1))];
    }
    return suffix;
}

}  // namespace

TWriteFaults& DefaultWriteFaults() {
    static TWriteFaults faults;
    return faults;
}

TAtomicFileWriter::TAtomicFileWriter(const QString& fileName, const TWriteFaults& faults)
    : faults_(faults) {
    ignoreFileSizeSignal();
    if (prepareTarget(fileName) && createTemporary()) {
        buffer_.reserve(kBufferBytes);
    }
}

// An uncommitted file is removed.
TAtomicFileWriter::~TAtomicFileWriter() {
    discard();
}

// Only a regular file is replaced: a FIFO or a device would be swapped for a
// file of the same name, and a folder never is. A file nobody may write (or
// this user may not) was protected by its owner.
bool TAtomicFileWriter::prepareTarget(const QString& fileName) {
    target_ = QFile::encodeName(fileName);
    if (target_.isEmpty()) {
        return failWithErrno(ENOENT);
    }
    if (!followLinks(target_)) {
        return failWithErrno(errno);
    }
    struct stat st {};
    if (::stat(target_.constData(), &st) != 0) {
        return errno == ENOENT || failWithErrno(errno);
    }
    if (S_ISDIR(st.st_mode)) {
        return fail(tr("Is a directory"));
    }
    if (!S_ISREG(st.st_mode)) {
        return fail(tr("Not a regular file"));
    }
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ||
        ::faccessat(AT_FDCWD, target_.constData(), W_OK, AT_EACCESS) != 0) {
        return failWithErrno(EACCES);
    }
    return true;
}

// Beside the target, so that the rename stays on one file system. Made with
// 0666 less the file mode mask, then given the old file's mode and owner.
bool TAtomicFileWriter::createTemporary() {
    const QByteArray prefix = folderOf(target_) + "/." + nameOf(target_) + ".tmp-";
    for (int attempt = 0; attempt < kNameAttempts && fd_ < 0; ++attempt) {
        temporary_ = prefix + randomSuffix();
        fd_ = ::open(temporary_.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                     0666);
        if (fd_ < 0 && errno != EEXIST) {
            temporary_.clear();
            return failWithErrno(errno);
        }
    }
    if (fd_ < 0) {
        temporary_.clear();
        return failWithErrno(EEXIST);
    }
    // Held until the file is renamed or removed: a clean-up of the leftovers
    // of killed writes leaves a locked file alone.
    ::flock(fd_, LOCK_EX | LOCK_NB);
    struct stat old {};
    if (::stat(target_.constData(), &old) == 0) {
        ::fchmod(fd_, old.st_mode & 07777);
        [[maybe_unused]] const int owned = ::fchown(fd_, old.st_uid, old.st_gid);
    }
    return true;
}

void TAtomicFileWriter::discard() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temporary_.isEmpty()) {
        ::unlink(temporary_.constData());
        temporary_.clear();
    }
}

bool TAtomicFileWriter::fail(const QString& reason) {
    discard();
    error_ = reason;
    return false;
}

bool TAtomicFileWriter::failWithErrno(int error) {
    return fail(qt_error_string(error));
}

bool TAtomicFileWriter::flushBuffer() {
    QByteArrayView bytes(buffer_);
    bool faulted = false;
    if (faults_.failAfterBytes >= 0 && written_ + bytes.size() > faults_.failAfterBytes) {
        // The part up to the fault reaches the temporary file, as on a full
        // disk.
        bytes = bytes.first(faults_.failAfterBytes - written_);
        faulted = true;
    }
    const qint64 start = written_;
    while (!bytes.isEmpty()) {
        const ssize_t n = ::write(fd_, bytes.data(), static_cast<size_t>(bytes.size()));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return failWithErrno(n < 0 ? errno : ENOSPC);
        }
        bytes = bytes.sliced(n);
        written_ += n;
    }
    // The disk starts on what was written while the rest is made, so that
    // the sync at the end waits for little. Only a start: the sync checks.
    if (written_ > start) {
        ::sync_file_range(fd_, start, written_ - start, SYNC_FILE_RANGE_WRITE);
    }
    // Emptied, its room kept for the next piece.
    buffer_.resize(0);
    return !faulted || failWithErrno(ENOSPC);
}

bool TAtomicFileWriter::Write(QByteArrayView bytes) {
    if (fd_ < 0) {
        return false;
    }
    buffer_.append(bytes);
    return buffer_.size() < kBufferBytes || flushBuffer();
}

// The data must be on the disk before the rename makes it the file: a failed
// sync (an I/O error, a full disk found late) fails the write.
bool TAtomicFileWriter::syncAndClose() {
    if (faults_.failSync) {
        return failWithErrno(EIO);
    }
    int synced = ::fsync(fd_);
    while (synced != 0 && errno == EINTR) {
        synced = ::fsync(fd_);
    }
    if (synced != 0) {
        return failWithErrno(errno);
    }
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 && errno != EINTR) {
        return failWithErrno(errno);
    }
    return true;
}

bool TAtomicFileWriter::Commit() {
    if (fd_ < 0 || !flushBuffer() || !syncAndClose()) {
        return false;
    }
    if (faults_.failCommit) {
        return failWithErrno(EIO);
    }
    if (::rename(temporary_.constData(), target_.constData()) != 0) {
        return failWithErrno(errno);
    }
    temporary_.clear();
    // Makes the rename itself durable; a failure here cannot undo the write.
    const int dir = ::open(folderOf(target_).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

bool WriteFileAtomically(const QString& fileName, QByteArrayView bytes, QString& reason) {
    TAtomicFileWriter file(fileName);
    if (file.Write(bytes) && file.Commit()) {
        return true;
    }
    reason = file.ErrorString();
    return false;
}
