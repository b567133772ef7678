#include "support/u_OrvFileLib.h"
#include "support/u_SimpleExceptionLog.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestErrorLog : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();
    void stamp_isByteExact();
    void entry_firstAndSecond();
    void entry_trimsTrailingSpacesAndEndsLinesWithCrLf();
    void width_data();
    void width();
    void write_appendsAndKeepsFileToUser();
    void fileName_besideProgramWhenWritable();
    void fileName_stateFolderWhenProgramFolderMissing();
    void fileName_stateFolderWhenProgramFolderReadOnly();
    void write_fallsBackWhenLogBesideCannotOpen();
    void write_refusesWhatIsNotTheUsersFile_data();
    void write_refusesWhatIsNotTheUsersFile();
    void write_fallsBackWhenLogBesideIsALink();
    void stateFolder_defaultsToLocalState();

  private:
    std::unique_ptr<QTemporaryDir> dir_;
    TAppInfo savedApp_;
};

void TestErrorLog::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    savedApp_ = App;
    qputenv("XDG_STATE_HOME", dir_->filePath(QStringLiteral("state")).toUtf8());
    TSimpleExceptionLog::SetErrorLogFileName({});
}

void TestErrorLog::cleanup() {
    App = savedApp_;
    qunsetenv("XDG_STATE_HOME");
}

void TestErrorLog::stamp_isByteExact() {
    const QDateTime at(QDate(2026, 3, 7), QTime(9, 5, 4));
    const QString stamp = TSimpleExceptionLog::Stamp(at, 100);
    const QString rule = QString(100, u'=');
    const QString date = QStringLiteral("07.03.2026 09:05:04") + QString(96 - 19, u' ');
    QCOMPARE(stamp, rule + "\r\n= " + date + " [ASC Time Order :o)] =\r\n" + rule + "\r\n");
    QCOMPARE(stamp.split(QStringLiteral("\r\n"))[0].size(), 100);
    QCOMPARE(stamp.split(QStringLiteral("\r\n"))[1].size(), 2 + 96 + 23);
}

void TestErrorLog::entry_firstAndSecond() {
    const QDateTime at(QDate(2026, 12, 31), QTime(23, 59, 58));
    const QByteArray first = TSimpleExceptionLog::Entry(QStringLiteral("a\r\nb"), true, at, 100);
    const QByteArray second = TSimpleExceptionLog::Entry(QStringLiteral("a\r\nb"), false, at, 100);
    const QByteArray stamp = TSimpleExceptionLog::Stamp(at, 100).toUtf8();
    QCOMPARE(first, stamp + "a\r\nb\r\n");
    QCOMPARE(second, "\r\n" + stamp + "a\r\nb\r\n");
}

void TestErrorLog::entry_trimsTrailingSpacesAndEndsLinesWithCrLf() {
    const QDateTime at(QDate(2026, 1, 1), QTime(0, 0));
    const QByteArray entry =
        TSimpleExceptionLog::Entry(QStringLiteral("one   \ntwo \r\n  three\r\n"), true, at, 20);
    QVERIFY(entry.endsWith("one\r\ntwo\r\n  three\r\n\r\n"));
    QVERIFY(!entry.contains(" \r\n"));
}

void TestErrorLog::width_data() {
    QTest::addColumn<int>("given");
    QTest::addColumn<int>("used");
    QTest::newRow("zero") << 0 << 100;
    QTest::newRow("narrow") << 5 << 20;
    QTest::newRow("twenty") << 20 << 20;
    QTest::newRow("wide") << 120 << 120;
}

void TestErrorLog::width() {
    QFETCH(int, given);
    QFETCH(int, used);
    QCOMPARE(LogWidth(given), used);
    const QString stamp = TSimpleExceptionLog::Stamp(QDateTime::currentDateTime(), given);
    QCOMPARE(stamp.split(QStringLiteral("\r\n"))[0], QString(used, u'='));
}

void TestErrorLog::write_appendsAndKeepsFileToUser() {
    const QString file = dir_->filePath(QStringLiteral("x.Error.log"));
    TSimpleExceptionLog log(file);
    QVERIFY(log.Write(QStringLiteral("first")));
    QVERIFY(log.FileWasEmpty());
    QVERIFY(log.Write(QStringLiteral("second")));
    QVERIFY(!log.FileWasEmpty());
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray text = f.readAll();
    QVERIFY(text.startsWith(QByteArray(100, '=')));
    QVERIFY(text.contains("first\r\n\r\n" + QByteArray(100, '=')));
    QVERIFY(text.endsWith("second\r\n"));
    QCOMPARE(f.permissions() &
                 (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther),
             QFile::Permissions());
}

void TestErrorLog::fileName_besideProgramWhenWritable() {
    App.Path = dir_->path();
    App.ID = QStringLiteral("pellum");
    QCOMPARE(TSimpleExceptionLog::ErrorLogFileName(), dir_->filePath("pellum.Error.log"));
}

void TestErrorLog::fileName_stateFolderWhenProgramFolderMissing() {
    App.Path = dir_->filePath(QStringLiteral("missing"));
    App.ID = QStringLiteral("pellum");
    const QString expected = dir_->filePath(QStringLiteral("state/Orvane/pellum.Error.log"));
    QCOMPARE(TSimpleExceptionLog::ErrorLogFileName(), expected);
    TSimpleExceptionLog log;
    QVERIFY(log.Write(QStringLiteral("report")));
    QVERIFY(QFile::exists(expected));
    QCOMPARE(QFile::permissions(QFileInfo(expected).absolutePath()) &
                 (QFile::ReadOther | QFile::WriteOther | QFile::ExeOther),
             QFile::Permissions());
}

void TestErrorLog::fileName_stateFolderWhenProgramFolderReadOnly() {
    if (geteuid() == 0) {
        QSKIP("the super-user writes into read-only folders");
    }
    const QString program = dir_->filePath(QStringLiteral("program"));
    QDir().mkpath(program);
    QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner);
    App.Path = program;
    App.ID = QStringLiteral("pellum");
    QCOMPARE(TSimpleExceptionLog::ErrorLogFileName(),
             dir_->filePath(QStringLiteral("state/Orvane/pellum.Error.log")));
    QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void TestErrorLog::write_fallsBackWhenLogBesideCannotOpen() {
    // A folder where the log file should be: it can never be opened as a file.
    App.Path = dir_->path();
    App.ID = QStringLiteral("pellum");
    QDir().mkpath(dir_->filePath(QStringLiteral("pellum.Error.log")));
    TSimpleExceptionLog log;
    QVERIFY(log.Write(QStringLiteral("report")));
    QCOMPARE(log.FileName(), dir_->filePath(QStringLiteral("state/Orvane/pellum.Error.log")));
}

// A link in the log's place (it could point at any file of the user), a
// FIFO or a device, or another user's file: nothing is written, nothing waits.
void TestErrorLog::write_refusesWhatIsNotTheUsersFile_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("link to a file") << "link";
    QTest::newRow("link to a device") << "device";
    QTest::newRow("FIFO") << "fifo";
    QTest::newRow("another user's file") << "other user";
}

void TestErrorLog::write_refusesWhatIsNotTheUsersFile() {
    QFETCH(QString, kind);
    const QString file = dir_->filePath(QStringLiteral("x.Error.log"));
    const QString other = dir_->filePath(QStringLiteral("other.txt"));
    {
        QFile f(other);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("keep me");
    }
    if (kind == QLatin1String("link")) {
        QVERIFY(QFile::link(other, file));
    } else if (kind == QLatin1String("device")) {
        // A null device of the test's own: the system's is never at stake.
        const QByteArray node = QFile::encodeName(dir_->filePath(QStringLiteral("null")));
        if (mknod(node.constData(), S_IFCHR | 0600, makedev(1, 3)) != 0) {
            QSKIP("only the super-user can make a device node");
        }
        QVERIFY(QFile::link(QString::fromUtf8(node), file));
    } else if (kind == QLatin1String("fifo")) {
        QCOMPARE(mkfifo(QFile::encodeName(file).constData(), 0600), 0);
    } else {
        QVERIFY(QFile::copy(other, file));
        if (chown(QFile::encodeName(file).constData(), geteuid() + 1, getegid()) != 0) {
            QSKIP("only the super-user can give a file to another user");
        }
    }
    TSimpleExceptionLog log(file);
    QVERIFY(!log.Write(QStringLiteral("report")));
    QFile f(other);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("keep me"));
    if (kind == QLatin1String("device")) {
        struct stat st {};
        QCOMPARE(stat(QFile::encodeName(file).constData(), &st), 0);
        QVERIFY(S_ISCHR(st.st_mode));
    }
    if (kind == QLatin1String("other user")) {
        QCOMPARE(QFileInfo(file).size(), qint64(7));
    }
}

// The program's own log goes to the state folder then.
void TestErrorLog::write_fallsBackWhenLogBesideIsALink() {
    App.Path = dir_->path();
    App.ID = QStringLiteral("pellum");
    const QString target = dir_->filePath(QStringLiteral("target.txt"));
    QVERIFY(QFile::link(target, dir_->filePath(QStringLiteral("pellum.Error.log"))));
    TSimpleExceptionLog log;
    QVERIFY(log.Write(QStringLiteral("report")));
    QCOMPARE(log.FileName(), dir_->filePath(QStringLiteral("state/Orvane/pellum.Error.log")));
    QVERIFY(!QFileInfo::exists(target));
}

void TestErrorLog::stateFolder_defaultsToLocalState() {
    qunsetenv("XDG_STATE_HOME");
    App.ID = QStringLiteral("pellum");
    QCOMPARE(TSimpleExceptionLog::StateLogFileName(),
             QDir::homePath() + QStringLiteral("/.local/state/Orvane/pellum.Error.log"));
    qputenv("XDG_STATE_HOME", "relative/path");
    QCOMPARE(TSimpleExceptionLog::StateLogFileName(),
             QDir::homePath() + QStringLiteral("/.local/state/Orvane/pellum.Error.log"));
}

QTEST_GUILESS_MAIN(TestErrorLog)
#include "test_ErrorLog.moc"
