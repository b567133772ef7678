// The program asked to end by a signal (a logout, a shutdown, kill) while its
// background writer saves: the last save reaches the disk and nothing is
// left beside the database; a second signal ends it at once.

#include "session/QUIBLib_TLB.h"
#include "session/u_ContactSchema.h"
#include "session/u_ContactsDB.h"
#include "session/u_ContactsSession.h"
#include "support/u_OrvFileLib.h"
#include "support/u_ProductInfo.h"
#include "testsupport/WriteFaults.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <signal.h>

namespace {

// The surname of the first record of the file at path, read by another engine.
QString StoredSurname(const QString& path) {
    TQuib quib;
    quib.SetDatabaseName(path);
    if (!quib.Open() || quib.RowsCount() < 1) {
        return QStringLiteral("<no record>");
    }
    return quib.GetData(0, 0);
}

// A database of about 5 MB whose first surname is "Original".
void MakeLargeDatabase(const QString& path) {
    TQuib quib;
    quib.SetDatabaseName(path);
    quib.Create();
    WriteContactsHeaders(quib, product::MinDatabaseVersion, RunningVersionText(),
                         ContactSchema::ColumnNames());
    for (int r = 0; r < 15000; ++r) {
        quib.NewRow(r);
        for (int c = 0; c < ContactSchema::ColumnCount; ++c) {
            quib.SetData(r, c, QStringLiteral("Text %1 of %2").arg(c).arg(r));
        }
    }
    quib.SetData(0, 0, QStringLiteral("Original"));
    quib.Save();
}

// Whether the process has a handler of its own for sig (its signal mask in
// /proc), so that a signal sent now is the program's to handle.
bool CatchesSignal(qint64 pid, int sig) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) {
        return false;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("SigCgt:")) {
            bool ok = false;
            const qulonglong mask = line.mid(7).trimmed().toULongLong(&ok, 16);
            return ok && (mask & (1ULL << (sig - 1))) != 0;
        }
    }
    return false;
}

// A child saving through the session's background writer.
class SavingChild {
  public:
    explicit SavingChild(const QString& database, bool slow = false) {
        QStringList args{database};
        if (slow) {
            args << QStringLiteral("--slow");
        }
        process_.start(QStringLiteral(SIGNAL_SAVE_CHILD), args);
    }
    ~SavingChild() {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(30000);
        }
    }

    bool WaitFor(const QByteArray& line) {
        while (!process_.canReadLine()) {
            if (!process_.waitForReadyRead(30000)) {
                return false;
            }
        }
        return process_.readLine().trimmed() == line;
    }
    // Asks for a save of surname and waits until the child asked its writer.
    bool Save(const QString& surname, int nth) {
        process_.write(surname.toUtf8() + '\n');
        return WaitFor(QByteArrayLiteral("asked ") + QByteArray::number(nth));
    }
    void Signal(int sig) { ::kill(static_cast<pid_t>(process_.processId()), sig); }
    bool WaitForEnd() { return process_.waitForFinished(60000); }
    QProcess& Process() { return process_; }

  private:
    QProcess process_;
};

}  // namespace

class TestSignalHandler : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir dir_;

    // How long one save of the large database takes here.
    qint64 measureSave(const QString& path) {
        TQuib quib;
        quib.SetDatabaseName(path);
        if (!quib.Open()) {
            return 0;
        }
        QElapsedTimer timer;
        timer.start();
        quib.Save();
        return timer.elapsed();
    }

  private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    // SIGTERM at random moments after a save was asked for, most of them
    // while the file is being written: every time the newest text is on the
    // disk and no temporary file stays.
    void sigtermAfterASaveKeepsIt() {
        const QString path = dir_.filePath(QStringLiteral("large.tbr"));
        MakeLargeDatabase(path);
        const qint64 saveMs = std::max<qint64>(20, measureSave(path));
        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator random(seed);
        int duringWrite = 0;
        for (int round = 1; round <= 20; ++round) {
            const QString at = QStringLiteral("seed %1, round %2").arg(seed).arg(round);
            SavingChild child(path);
            QVERIFY2(child.WaitFor("ready"), qPrintable(at));
            const QString text = QStringLiteral("Edit %1").arg(round);
            QVERIFY2(child.Save(text, 1), qPrintable(at));
            const int delay = static_cast<int>(random.bounded(saveMs * 3 / 2));
            duringWrite += delay < saveMs ? 1 : 0;
            QThread::msleep(delay);
            child.Signal(SIGTERM);
            QVERIFY2(child.WaitForEnd(), qPrintable(at));
            QCOMPARE(child.Process().exitStatus(), QProcess::NormalExit);
            QCOMPARE(child.Process().exitCode(), 128 + SIGTERM);
            QCOMPARE(StoredSurname(path), text);
            QCOMPARE(FolderEntries(path), QStringList{QStringLiteral("large.tbr")});
        }
        qInfo(
            "20 programs ended by SIGTERM up to %lld ms after a save (one save takes %lld ms), "
            "%d while it was being written; none lost it (seed %u)",
            saveMs * 3 / 2, saveMs, duringWrite, seed);
    }

    void hangUpAndInterruptToo_data() {
        QTest::addColumn<int>("sig");
        QTest::newRow("SIGHUP") << int(SIGHUP);
        QTest::newRow("SIGINT") << int(SIGINT);
    }
    void hangUpAndInterruptToo() {
        QFETCH(int, sig);
        const QString path = dir_.filePath(QStringLiteral("small%1.tbr").arg(sig));
        TContactsSession(RunningVersionText()).Create(path);
        SavingChild child(path, true);
        QVERIFY(child.WaitFor("ready"));
        QVERIFY(child.Save(QStringLiteral("Hung up"), 1));
        child.Signal(sig);
        QVERIFY(child.WaitForEnd());
        QCOMPARE(child.Process().exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.Process().exitCode(), 128 + sig);
        QCOMPARE(StoredSurname(path), QStringLiteral("Hung up"));
    }

    // A user who asks twice does not wait for the save.
    void secondSignalEndsAtOnce() {
        const QString path = dir_.filePath(QStringLiteral("twice.tbr"));
        TContactsSession(RunningVersionText()).Create(path);
        const QByteArray before = [&] {
            QFile f(path);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();
        SavingChild child(path, true);  // each write waits two seconds first
        QVERIFY(child.WaitFor("ready"));
        QVERIFY(child.Save(QStringLiteral("Not waited for"), 1));
        child.Signal(SIGTERM);
        QThread::msleep(300);
        child.Signal(SIGTERM);
        QVERIFY(child.WaitForEnd());
        QCOMPARE(child.Process().exitStatus(), QProcess::CrashExit);
        QCOMPARE(child.Process().exitCode(), SIGTERM);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);
    }

    // The program itself ends in order on SIGTERM.
    void programEndsInOrder() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("program.tbr"));
        TContactsSession(RunningVersionText()).Create(path);
        QProcess program;
        program.start(QStringLiteral(PELLUM_PROGRAM), {path});
        QVERIFY(program.waitForStarted(30000));
        QTRY_VERIFY_WITH_TIMEOUT(CatchesSignal(program.processId(), SIGTERM), 30000);
        ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
        QVERIFY(program.waitForFinished(60000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 128 + SIGTERM);
        QCOMPARE(FolderEntries(path), QStringList{QStringLiteral("program.tbr")});
    }
};

QTEST_MAIN(TestSignalHandler)
#include "test_SignalHandler.moc"
