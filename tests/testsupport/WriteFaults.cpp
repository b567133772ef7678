#include "testsupport/WriteFaults.h"

#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>

#include <algorithm>
#include <csignal>

TFileSizeLimit::TFileSizeLimit(qint64 bytes) {
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    previous_ = limit.rlim_cur;
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    limit.rlim_cur = static_cast<rlim_t>(bytes);
    setrlimit(RLIMIT_FSIZE, &limit);
}

TFileSizeLimit::~TFileSizeLimit() {
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = static_cast<rlim_t>(previous_);
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, previousHandler_);
}

QStringList FolderEntries(const QString& file) {
    return QFileInfo(file).dir().entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                           QDir::Name);
}

QByteArray FileBytes(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString CheckFailedWrites(const QString& file, qint64 base, qint64 bytes,
                          const std::function<bool()>& write) {
    const QByteArray oldBytes = FileBytes(file);
    const QStringList oldEntries = FolderEntries(file);
    const qint64 step = std::max<qint64>(1, bytes / 200);
    QList<qint64> limits;
    for (qint64 n = 0; n < bytes; n += step) {
        limits << n;
    }
    if (bytes > 0 && limits.last() != bytes - 1) {
        limits << bytes - 1;
    }
    for (const qint64 n : limits) {
        bool written = false;
        {
            const TFileSizeLimit limit(base + n);
            written = write();
        }
        const QString at = QStringLiteral(" after %1 bytes").arg(n);
        if (written) {
            return QStringLiteral("success reported") + at;
        }
        if (FileBytes(file) != oldBytes) {
            return QStringLiteral("old file changed") + at;
        }
        if (FolderEntries(file) != oldEntries) {
            return QStringLiteral("folder changed") + at + QStringLiteral(": ") +
                   FolderEntries(file).join(u' ');
        }
    }
    return {};
}
