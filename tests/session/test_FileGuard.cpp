// One file, two writers: the session holds the lock of its database, and a
// save never goes over a file another program changed unseen. Real files,
// real second sessions and real second programs.

#include "session/QUIBLib_TLB.h"
#include "session/u_BackgroundWriter.h"
#include "session/u_ContactSchema.h"
#include "session/u_ContactsSession.h"
#include "support/u_OrvFileLib.h"
#include "testsupport/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <quib/QuibSnapshot.h>

#include <future>
#include <memory>

namespace {

using Answer = TContactsSession::TDiskChangeAnswer;

QString StoredSurname(const QString& path) {
    TQuib quib;
    quib.SetDatabaseName(path);
    if (!quib.Open() || quib.RowsCount() < 1) {
        return QStringLiteral("<no record>");
    }
    return quib.GetData(0, 0);
}

// Another program that knows no lock writes surname into the file.
void RewriteByAnotherProgram(const QString& path, const QString& surname) {
    TQuib quib;
    quib.SetDatabaseName(path);
    QVERIFY(quib.Open());
    quib.SetData(0, 0, surname);
    quib.Save();
}

// The same, but changing the bytes in place: same file, same size.
void RewriteInPlace(const QString& path) {
    // Past the coarse clock of the file system, so the time differs.
    QThread::msleep(30);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QByteArray bytes = file.readAll();
    const qsizetype at = bytes.lastIndexOf("Mine");
    QVERIFY(at >= 0);
    bytes.replace(at, 4, "Them");
    QVERIFY(file.seek(0));
    QCOMPARE(file.write(bytes), bytes.size());
}

}  // namespace

class TestFileGuard : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<MessageRecorder> messages_;
    QString path_;

    QString file(const QString& name) const { return dir_->filePath(name); }

    std::unique_ptr<TContactsSession> openSession(const QString& path) {
        auto session = std::make_unique<TContactsSession>(RunningVersionText());
        session->OpenFile(path);
        return session;
    }

  private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        messages_ = std::make_unique<MessageRecorder>();
        path_ = file(QStringLiteral("contacts.tbr"));
        TContactsSession maker(RunningVersionText());
        maker.Create(path_);
        QVERIFY(maker.StoreField(0, ContactSchema::SurName, QStringLiteral("Original")));
    }

    void cleanup() {
        messages_.reset();
        dir_.reset();
    }

    // --- The lock ---------------------------------------------------------------

    void aSecondSessionIsRefusedWhileTheFirstHasTheFile() {
        auto first = openSession(path_);
        QVERIFY(first->IsOpen());
        TContactsSession second(RunningVersionText());
        QStringList refusals;
        connect(&second, &TContactsSession::openRefused,
                [&refusals](const QString& message) { refusals << message; });
        QVERIFY(!second.OpenFile(path_));
        QVERIFY(!second.IsOpen());
        QCOMPARE(refusals.size(), 1);
        QVERIFY2(refusals[0].contains(QStringLiteral("in use by another program")),
                 qPrintable(refusals[0]));
        QVERIFY(refusals[0].contains(path_));
        // Reload of the first one keeps its lock.
        QVERIFY(first->Reload());
        QVERIFY(!second.OpenFile(path_));
        first.reset();
        QVERIFY(second.OpenFile(path_));
        QVERIFY(messages_->messages().empty());
    }

    void aClosedOrFailedOpenLetsTheFileGo() {
        auto first = openSession(path_);
        // Opening another file, or none that opens, gives this one up.
        const QString other = file(QStringLiteral("other.tbr"));
        QVERIFY(QFile::copy(path_, other));
        QVERIFY(first->OpenFile(other));
        QVERIFY(openSession(path_)->IsOpen());
        QVERIFY_THROWS_EXCEPTION(EQuibError, first->OpenFile(file(QStringLiteral("missing.tbr"))));
        QVERIFY(!first->IsOpen());
        QVERIFY(openSession(other)->IsOpen());
    }

    void createAndSaveAsRefuseAFileAnotherHolds() {
        auto holder = openSession(path_);
        const QByteArray before = [&] {
            QFile f(path_);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();
        TContactsSession other(RunningVersionText());
        QVERIFY_THROWS_EXCEPTION(EQuibError, other.Create(path_));
        QVERIFY(!other.IsOpen());
        const QString own = file(QStringLiteral("own.tbr"));
        other.Create(own);
        QVERIFY(other.StoreField(0, ContactSchema::SurName, QStringLiteral("Other")));
        try {
            other.SaveAs(path_);
            QFAIL("Save As wrote a file another session holds");
        } catch (const EQuibError& e) {
            QVERIFY2(QString::fromUtf8(e.what()).contains(QStringLiteral("in use")), e.what());
        }
        // Nothing was written; the session goes on with its own file, locked.
        QCOMPARE(other.DatabaseName(), own);
        QFile f(path_);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);
        QVERIFY(!openSession(own)->IsOpen());
    }

    void saveAsTakesTheLockAlong() {
        auto session = openSession(path_);
        const QString renamed = file(QStringLiteral("renamed.tbr"));
        session->SaveAs(renamed);
        QVERIFY(openSession(path_)->IsOpen());
        QVERIFY(!openSession(renamed)->IsOpen());
        // Saving under its own name again keeps the lock it has.
        session->SaveAs(renamed);
        QVERIFY(!openSession(renamed)->IsOpen());
    }

    // Two programs at once on one file: the second is refused at open and
    // the first one's change is on disk. Each program waits at a barrier (its
    // input) with the file open, so the two overlap every time.
    void twoProgramsOnOneFile() {
        for (int round = 0; round < 5; ++round) {
            QProcess first;
            QProcess second;
            first.start(QStringLiteral(SESSION_SAVE_CHILD), {"--hold", path_, "First"});
            QVERIFY(first.waitForReadyRead(30000));
            QCOMPARE(first.readLine().trimmed(), QByteArray("ready"));
            second.start(QStringLiteral(SESSION_SAVE_CHILD), {"--hold", path_, "Second"});
            QVERIFY(second.waitForFinished(30000));
            QCOMPARE(second.exitCode(), 1);
            const QByteArray said = second.readAllStandardOutput();
            QVERIFY2(said.startsWith("refused") && said.contains("in use by another program"),
                     said.constData());
            first.write("go\n");
            first.closeWriteChannel();
            QVERIFY(first.waitForFinished(30000));
            QCOMPARE(first.exitCode(), 0);
            QCOMPARE(StoredSurname(path_), QStringLiteral("First"));
            RewriteByAnotherProgram(path_, QStringLiteral("Original"));
        }
        // A program that holds the file keeps this process's session out too.
        QProcess holder;
        holder.start(QStringLiteral(SESSION_SAVE_CHILD), {"--hold", path_, "Holder"});
        QVERIFY(holder.waitForReadyRead(30000));
        QVERIFY(!openSession(path_)->IsOpen());
        holder.write("go\n");
        holder.closeWriteChannel();
        QVERIFY(holder.waitForFinished(30000));
        QVERIFY(openSession(path_)->IsOpen());
    }

    // --- Changed on disk -----------------------------------------------------

    void aFileChangedUnderTheSessionIsNeverOverwrittenSilently_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("saved anew by another program") << "replaced";
        QTest::newRow("bytes changed in place") << "in place";
    }

    void aFileChangedUnderTheSessionIsNeverOverwrittenSilently() {
        QFETCH(QString, how);
        auto session = openSession(path_);
        QVERIFY(session->StoreField(0, ContactSchema::SurName, QStringLiteral("Mine")));
        session->FinishSaves();
        QVERIFY(session->UnsavedReason().isEmpty());
        if (how == QLatin1String("replaced")) {
            RewriteByAnotherProgram(path_, QStringLiteral("Them"));
        } else {
            RewriteInPlace(path_);
        }
        QStringList asked;
        QList<std::pair<QString, QString>> failures;
        connect(session.get(), &TContactsSession::changedOnDisk,
                [&asked](const QString& path) { asked << path; });
        connect(session.get(), &TContactsSession::saveFailed,
                [&failures](const QString& path, const QString& message) {
                    failures.append({path, message});
                });
        QVERIFY(session->StoreField(0, ContactSchema::SurName, QStringLiteral("Mine again")));
        session->FinishSaves();
        QCOMPARE(asked, QStringList{path_});
        // Nobody answered: the save failed, the change stays in memory.
        QCOMPARE(failures.size(), 1);
        QCOMPARE(failures[0].second, TBackgroundWriter::ChangedOnDiskText());
        QCOMPARE(session->UnsavedReason(), TBackgroundWriter::ChangedOnDiskText());
        QCOMPARE(StoredSurname(path_), QStringLiteral("Them"));
        QCOMPARE(session->FieldText(ContactSchema::SurName), QStringLiteral("Mine again"));
        // Every later save is held back as well, until someone answers.
        QVERIFY(session->StoreField(0, ContactSchema::SurName, QStringLiteral("Third")));
        session->FinishSaves();
        QCOMPARE(asked.size(), 2);
        QCOMPARE(StoredSurname(path_), QStringLiteral("Them"));
        QCOMPARE(QDir(dir_->path()).entryList(QDir::Files),
                 QStringList{QStringLiteral("contacts.tbr")});
    }

    void theAnswersToAChangedFile_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("onDisk");      // the file afterwards
        QTest::addColumn<QString>("inSession");   // what the session shows
        QTest::addColumn<QString>("saveAsFile");  // what Save As wrote
        QTest::newRow("reload") << int(Answer::Reload) << "Them"
                                << "Them"
                                << "";
        QTest::newRow("save over it") << int(Answer::SaveOver) << "Mine"
                                      << "Mine"
                                      << "";
        QTest::newRow("save as") << int(Answer::SaveAs) << "Them"
                                 << "Mine"
                                 << "Mine";
    }

    void theAnswersToAChangedFile() {
        QFETCH(int, answer);
        QFETCH(QString, onDisk);
        QFETCH(QString, inSession);
        QFETCH(QString, saveAsFile);
        auto session = openSession(path_);
        RewriteByAnotherProgram(path_, QStringLiteral("Them"));
        const QString copy = file(QStringLiteral("copy.tbr"));
        int asked = 0;
        connect(session.get(), &TContactsSession::changedOnDisk, [&](const QString&) {
            ++asked;
            session->AnswerChangedOnDisk(Answer(answer), copy);
        });
        int failures = 0;
        connect(session.get(), &TContactsSession::saveFailed,
                [&failures](const QString&, const QString&) { ++failures; });
        QVERIFY(session->StoreField(0, ContactSchema::SurName, QStringLiteral("Mine")));
        session->FinishSaves();
        QCOMPARE(asked, 1);
        QCOMPARE(failures, 0);
        QVERIFY(session->UnsavedReason().isEmpty());
        QCOMPARE(StoredSurname(path_), onDisk);
        QCOMPARE(session->FieldText(ContactSchema::SurName), inSession);
        if (!saveAsFile.isEmpty()) {
            QCOMPARE(session->DatabaseName(), copy);
            QCOMPARE(StoredSurname(copy), saveAsFile);
        } else {
            QCOMPARE(session->DatabaseName(), path_);
        }
        // The file the session has now is its own: the next save asks nothing.
        QVERIFY(session->StoreField(0, ContactSchema::SurName, QStringLiteral("Next")));
        session->FinishSaves();
        QCOMPARE(asked, 1);
        QCOMPARE(StoredSurname(session->DatabaseName()), QStringLiteral("Next"));
    }

    void ownSavesAreNeverTakenForAnotherProgram() {
        auto session = openSession(path_);
        int asked = 0;
        connect(session.get(), &TContactsSession::changedOnDisk, [&asked] { ++asked; });
        for (int i = 0; i < 200; ++i) {
            QVERIFY(
                session->StoreField(0, ContactSchema::SurName, QStringLiteral("Edit %1").arg(i)));
            if (i % 7 == 0) {
                session->FinishSaves();
            }
            if (i % 50 == 0) {
                QVERIFY(session->Reload());
            }
        }
        session->FinishSaves();
        QCOMPARE(asked, 0);
        QCOMPARE(StoredSurname(path_), QStringLiteral("Edit 199"));
    }

    void aChangeWhileWritesWaitIsCaughtByTheNextWrite() {
        auto session = openSession(path_);
        std::promise<void> release;
        std::shared_future<void> released = release.get_future().share();
        session->Writer().SetWriteFunction(
            [released](const quib::QuibSnapshot& snapshot, const std::string& path) {
                released.wait();
                snapshot.SaveTo(path);
            });
        int asked = 0;
        connect(session.get(), &TContactsSession::changedOnDisk, [&asked] { ++asked; });
        QVERIFY(session->StoreField(0, ContactSchema::SurName, QStringLiteral("Held")));
        QTRY_VERIFY(!session->Writer().Idle());
        QVERIFY(session->StoreField(0, ContactSchema::SurName, QStringLiteral("Waiting")));
        release.set_value();
        // The held write is done (the waiting one may be done too: the
        // writer goes on at once, however busy the machine is).
        QTRY_VERIFY(session->Writer().WritesDone() >= 1);
        session->FinishSaves();
        RewriteByAnotherProgram(path_, QStringLiteral("Them"));
        QVERIFY(session->StoreField(0, ContactSchema::SurName, QStringLiteral("Late")));
        session->FinishSaves();
        QCOMPARE(asked, 1);
        QCOMPARE(StoredSurname(path_), QStringLiteral("Them"));
    }

    void aFileThatIsGoneIsWrittenAgain() {
        auto session = openSession(path_);
        QVERIFY(QFile::remove(path_));
        int asked = 0;
        connect(session.get(), &TContactsSession::changedOnDisk, [&asked] { ++asked; });
        QVERIFY(session->StoreField(0, ContactSchema::SurName, QStringLiteral("Back")));
        session->FinishSaves();
        QCOMPARE(asked, 0);
        QCOMPARE(StoredSurname(path_), QStringLiteral("Back"));
    }
};

QTEST_MAIN(TestFileGuard)
#include "test_FileGuard.moc"
