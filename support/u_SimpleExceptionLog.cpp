#include "support/u_SimpleExceptionLog.h"

#include "support/u_OrvFileLib.h"
#include "support/u_StringRoutines.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include <cerrno>

namespace {

QString& fixedLogFileName() {
    static QString name;
    return name;
}

QString programLogName() {
    const QString id = App.ID.isEmpty() ? QStringLiteral("pellum") : App.ID;
    return id + QStringLiteral(".Error.log");
}

// The number of bytes written: all of them, or fewer when the write failed.
qsizetype writeAll(int fd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        done += n;
    }
    return done;
}

// Cuts what a failed append left after the earlier entries, so that the log
// stays a sequence of whole entries; but only when nothing else was appended
// meanwhile, as another program's entry is not ours to cut.
void removePartialEntry(int fd, off_t sizeBefore, qsizetype written) {
    struct stat now {};
    if (written > 0 && ::fstat(fd, &now) == 0 && now.st_size == sizeBefore + written) {
        while (::ftruncate(fd, sizeBefore) != 0 && errno == EINTR) {
        }
    }
}

// Created readable by the user only; appended, so two programs writing at
// once each add whole entries. Only the user's own regular file is a log: a
// symbolic link put in its place would make the program append to whatever
// it points to, and a FIFO or device is no file to keep entries in (opening
// one does not wait).
int openForAppend(const QString& fileName) {
    const QByteArray path = QFile::encodeName(fileName);
    const int fd =
        ::open(path.constData(),
               O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
    struct stat st {};
    if (fd >= 0 && (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid())) {
        ::close(fd);
        return -1;
    }
    return fd;
}

void makeStateFolder(const QString& logFile) {
    const QString dir = QFileInfo(logFile).absolutePath();
    if (!QFileInfo(dir).isDir() && QDir().mkpath(dir)) {
        QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
}

}  // namespace

int LogWidth(int Width) {
    if (Width == 0) {
        return 100;
    }
    return std::max(Width, 20);
}

TSimpleExceptionLog::TSimpleExceptionLog() : fileName_(ErrorLogFileName()), mayFallBack_(true) {}

TSimpleExceptionLog::TSimpleExceptionLog(QString FileName) : fileName_(std::move(FileName)) {}

QString TSimpleExceptionLog::Stamp(const QDateTime& Time, int Width) {
    const int w = LogWidth(Width);
    const QString rule = QString(w, u'=') + QStringLiteral("\r\n");
    return rule + QStringLiteral("= ") + DateTimeToStr(Time).leftJustified(w - 4) +
           QStringLiteral(" [ASC Time Order :o)] =\r\n") + rule;
}

QByteArray TSimpleExceptionLog::Entry(const QString& Report, bool FileWasEmpty,
                                      const QDateTime& Time, int Width) {
    QString entry = FileWasEmpty ? QString() : QStringLiteral("\r\n");
    entry += Stamp(Time, Width);
    QString text = Report;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    for (QString line : text.split(u'\n')) {
        while (!line.isEmpty() && line.back() == u' ') {
            line.chop(1);
        }
        entry += line + QStringLiteral("\r\n");
    }
    return entry.toUtf8();
}

bool TSimpleExceptionLog::Write(const QString& Report, int Width) {
    int fd = openForAppend(fileName_);
    if (fd < 0 && mayFallBack_ && fileName_ != StateLogFileName()) {
        fileName_ = StateLogFileName();
        makeStateFolder(fileName_);
        fd = openForAppend(fileName_);
    }
    if (fd < 0) {
        return false;
    }
    struct stat st {};
    const bool sized = ::fstat(fd, &st) == 0;
    fileWasEmpty_ = sized && st.st_size == 0;
    // One write, so that entries of two programs never interleave.
    const QByteArray entry = Entry(Report, fileWasEmpty_, QDateTime::currentDateTime(), Width);
    const qsizetype written = writeAll(fd, entry);
    if (written < entry.size() && sized) {
        // A full disk must not leave half an entry after the earlier ones.
        removePartialEntry(fd, st.st_size, written);
    }
    ::close(fd);
    return written == entry.size();
}

QString TSimpleExceptionLog::StateLogFileName() {
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || QDir::isRelativePath(state)) {
        state = QDir::homePath() + QStringLiteral("/.local/state");
    }
    return state + QStringLiteral("/Orvane/") + programLogName();
}

QString TSimpleExceptionLog::ErrorLogFileName() {
    if (!fixedLogFileName().isEmpty()) {
        return fixedLogFileName();
    }
    const QString beside = App.Path + u'/' + programLogName();
    const QFileInfo folder(App.Path);
    const QFileInfo file(beside);
    if (!App.Path.isEmpty() && folder.isDir() && folder.isWritable() &&
        (!file.exists() || file.isWritable())) {
        return beside;
    }
    const QString state = StateLogFileName();
    makeStateFolder(state);
    return state;
}

void TSimpleExceptionLog::SetErrorLogFileName(const QString& FileName) {
    fixedLogFileName() = FileName;
}
