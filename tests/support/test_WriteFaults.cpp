// The settings store and the error log on a disk that fills up at any byte:
// the failure is reported and the old file stays byte for byte, with no
// half-written entry or temporary file left behind.

#include "support/u_AtomicFileWriter.h"
#include "support/u_ResourceStrings.h"
#include "support/u_Settings.h"
#include "support/u_SimpleExceptionLog.h"
#include "testsupport/WriteFaults.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <stdexcept>

class TestWriteFaults : public QObject {
    Q_OBJECT

  private slots:
    void atomicWriter_failsAtAnyByteAndAtTheRename();
    void atomicWriter_reportsTheSystemsReason();
    void atomicWriter_refusesSpecialFiles_data();
    void atomicWriter_refusesSpecialFiles();
    void atomicWriter_writesThroughALink();
    void settings_diskFullKeepsOldFile();
    void errorLog_diskFullLeavesNoHalfEntry();
};

void TestWriteFaults::atomicWriter_failsAtAnyByteAndAtTheRename() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("data.txt"));
    QString reason;
    QVERIFY(WriteFileAtomically(path, "old", reason));
    const QByteArray bytes(3000, 'x');
    const QString broken = CheckFailedWrites(path, 0, bytes.size(), [&] {
        reason.clear();
        return WriteFileAtomically(path, bytes, reason) || reason.isEmpty();
    });
    QVERIFY2(broken.isEmpty(), qPrintable(broken));

    for (const TWriteFaults faults : {TWriteFaults{0, false}, TWriteFaults{2999, false},
                                      TWriteFaults{-1, true}, TWriteFaults{-1, false, true}}) {
        TAtomicFileWriter file(path, faults);
        QVERIFY(file.IsOpen());
        QVERIFY(!(file.Write(bytes) && file.Commit()));
        QVERIFY(!file.ErrorString().isEmpty());
        QVERIFY(!file.Write("more"));
        QCOMPARE(FileBytes(path), QByteArray("old"));
        QCOMPARE(FolderEntries(path), QStringList{QStringLiteral("data.txt")});
    }

    QVERIFY(!WriteFileAtomically(dir.path(), bytes, reason));
    QVERIFY(QFileInfo(dir.path()).isDir());
    QVERIFY(WriteFileAtomically(path, bytes, reason));
    QCOMPARE(FileBytes(path), bytes);
}

// The message names what the system said, not "Unknown error": a full disk,
// a flush to the disk that failed, a size limit.
void TestWriteFaults::atomicWriter_reportsTheSystemsReason() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("data.txt"));
    const QByteArray bytes(3000, 'x');
    const auto reason = [&](const TWriteFaults& faults) {
        TAtomicFileWriter file(path, faults);
        return file.Write(bytes) && file.Commit() ? QString() : file.ErrorString();
    };
    QCOMPARE(reason(TWriteFaults{100, false}), QStringLiteral("No space left on device"));
    QCOMPARE(reason(TWriteFaults{-1, false, true}), QStringLiteral("Input/output error"));
    QCOMPARE(reason(TWriteFaults{-1, true}), QStringLiteral("Input/output error"));
    {
        const TFileSizeLimit limit(1000);
        QCOMPARE(reason(TWriteFaults{}), QStringLiteral("File too large"));
    }
    QVERIFY(!QFileInfo::exists(path));
    QCOMPARE(reason(TWriteFaults{}), QString());
    QCOMPARE(FileBytes(path), bytes);
    const QString nowhere = dir.filePath(QStringLiteral("missing/data.txt"));
    TAtomicFileWriter missing(nowhere);
    QVERIFY(!missing.IsOpen());
    QCOMPARE(missing.ErrorString(), QStringLiteral("No such file or directory"));
}

// Only a regular file is replaced: a FIFO, a socket, a device (reached
// through a link in the test's folder; the device itself is never opened
// for writing), a folder and a loop of links are refused before anything is
// made, and stay what they were.
void TestWriteFaults::atomicWriter_refusesSpecialFiles_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");
    QTest::newRow("FIFO") << "fifo"
                          << "Not a regular file";
    QTest::newRow("socket") << "socket"
                            << "Not a regular file";
    QTest::newRow("device through a link") << "device"
                                           << "Not a regular file";
    QTest::newRow("folder") << "folder"
                            << "Is a directory";
    QTest::newRow("loop of links") << "loop"
                                   << "Too many levels of symbolic links";
    QTest::newRow("link to a link to a FIFO") << "fifo chain"
                                              << "Not a regular file";
}

void TestWriteFaults::atomicWriter_refusesSpecialFiles() {
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("target"));
    const QByteArray native = QFile::encodeName(path);
    int listening = -1;
    if (kind == QLatin1String("fifo")) {
        QCOMPARE(mkfifo(native.constData(), 0600), 0);
    } else if (kind == QLatin1String("fifo chain")) {
        QCOMPARE(mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("fifo"))).constData(), 0600),
                 0);
        QVERIFY(QFile::link(QStringLiteral("fifo"), dir.filePath(QStringLiteral("middle"))));
        QVERIFY(QFile::link(QStringLiteral("middle"), path));
    } else if (kind == QLatin1String("socket")) {
        listening = socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        QVERIFY(size_t(native.size()) < sizeof address.sun_path);
        std::memcpy(address.sun_path, native.constData(), size_t(native.size()));
        QCOMPARE(bind(listening, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    } else if (kind == QLatin1String("device")) {
        // A null device of the test's own: the system's is never at stake.
        if (mknod(QFile::encodeName(dir.filePath(QStringLiteral("null"))).constData(),
                  S_IFCHR | 0600, makedev(1, 3)) != 0) {
            QSKIP("only the super-user can make a device node");
        }
        QVERIFY(QFile::link(QStringLiteral("null"), path));
    } else if (kind == QLatin1String("folder")) {
        QVERIFY(QDir().mkdir(path));
    } else {
        QVERIFY(QFile::link(QStringLiteral("other"), path));
        QVERIFY(QFile::link(QStringLiteral("target"), dir.filePath(QStringLiteral("other"))));
    }
    struct stat before {};
    QCOMPARE(lstat(native.constData(), &before), 0);
    struct stat target {};
    const bool reachesAFile = stat(native.constData(), &target) == 0;
    const QStringList entries = FolderEntries(path);

    TAtomicFileWriter file(path);
    QVERIFY(!file.IsOpen());
    QCOMPARE(file.ErrorString(), reason);
    QVERIFY(!file.Write("bytes"));
    QVERIFY(!file.Commit());
    QString why;
    QVERIFY(!WriteFileAtomically(path, "bytes", why));
    QCOMPARE(why, reason);

    struct stat after {};
    QCOMPARE(lstat(native.constData(), &after), 0);
    QCOMPARE(after.st_mode, before.st_mode);
    QCOMPARE(after.st_ino, before.st_ino);
    QCOMPARE(FolderEntries(path), entries);
    // What the name leads to is untouched too (the device stays a device).
    struct stat targetAfter {};
    QCOMPARE(stat(native.constData(), &targetAfter) == 0, reachesAFile);
    if (reachesAFile) {
        QCOMPARE(targetAfter.st_mode, target.st_mode);
        QCOMPARE(targetAfter.st_ino, target.st_ino);
    }
    if (listening >= 0) {
        close(listening);
    }
}

// A link to a file replaces the file it points to and stays a link, with the
// file's mode kept.
void TestWriteFaults::atomicWriter_writesThroughALink() {
    QTemporaryDir dir;
    const QString real = dir.filePath(QStringLiteral("real.txt"));
    const QString link = dir.filePath(QStringLiteral("link.txt"));
    QString reason;
    QVERIFY(WriteFileAtomically(real, "old", reason));
    QVERIFY(QFile::setPermissions(real, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    QVERIFY(QFile::link(QStringLiteral("real.txt"), link));
    QVERIFY2(WriteFileAtomically(link, "new", reason), qPrintable(reason));
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(FileBytes(real), QByteArray("new"));
    struct stat st {};
    QCOMPARE(stat(QFile::encodeName(real).constData(), &st), 0);
    QCOMPARE(st.st_mode & 07777, mode_t(0640));
    QCOMPARE(FolderEntries(real), (QStringList{"link.txt", "real.txt"}));
    // A file its owner made read-only is not replaced.
    QVERIFY(QFile::setPermissions(real, QFile::ReadOwner | QFile::ReadUser));
    QVERIFY(!WriteFileAtomically(real, "newer", reason));
    QCOMPARE(reason, QStringLiteral("Permission denied"));
    QCOMPARE(FileBytes(real), QByteArray("new"));
}

void TestWriteFaults::settings_diskFullKeepsOldFile() {
    const QString name = SettingName(TSetting::StartUpDatabase);
    const QString newValue = QStringLiteral("/home/jana/Kontakty/Přátelé a rodina %1.tbr");
    WriteSettingString(name, newValue.arg(1));
    const QString file =
        QSettings(QSettings::NativeFormat, QSettings::UserScope, "Orvane", "Orvane Contacts")
            .fileName();
    const qint64 newSize = QFileInfo(file).size();
    WriteSettingString(name, QStringLiteral("old.tbr"));
    const QByteArray oldBytes = FileBytes(file);

    const QString broken = CheckFailedWrites(file, 0, newSize, [&] {
        try {
            WriteSettingString(name, newValue.arg(2));
        } catch (const std::runtime_error& e) {
            return QString::fromUtf8(e.what()) != LoadResString(res::RegistryWriteFailed);
        }
        return true;
    });
    QVERIFY2(broken.isEmpty(), qPrintable(broken));
    QCOMPARE(FileBytes(file), oldBytes);

    WriteSettingString(name, newValue.arg(3));
    QVERIFY(FileBytes(file).contains("3.tbr"));
}

void TestWriteFaults::errorLog_diskFullLeavesNoHalfEntry() {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("pellum.Error.log"));
    TSimpleExceptionLog log(file);
    QVERIFY(log.Write(QStringLiteral("first report")));
    const QString report = QStringLiteral("Přístup odepřen\nat TfrmMain::actSave\n");
    const qint64 entry =
        TSimpleExceptionLog::Entry(report, false, QDateTime::currentDateTime(), 100).size();

    const QString broken =
        CheckFailedWrites(file, QFileInfo(file).size(), entry, [&] { return log.Write(report); });
    QVERIFY2(broken.isEmpty(), qPrintable(broken));

    QVERIFY(log.Write(report));
    QCOMPARE(QFileInfo(file).size(),
             TSimpleExceptionLog::Entry(QStringLiteral("first report"), true,
                                        QDateTime::currentDateTime(), 100)
                     .size() +
                 entry);
}

QTEST_GUILESS_MAIN(TestWriteFaults)
#include "test_WriteFaults.moc"
