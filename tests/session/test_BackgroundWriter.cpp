// Saving in the background: the session takes a picture of the table on each
// change and a thread of its own writes it, on real files.

#include "session/QUIBLib_TLB.h"
#include "session/u_BackgroundWriter.h"
#include "session/u_ContactSchema.h"
#include "session/u_ContactsDB.h"
#include "session/u_ContactsSession.h"
#include "support/u_OrvFileLib.h"
#include "support/u_ProductInfo.h"
#include "testsupport/TestSupport.h"
#include "testsupport/WriteFaults.h"

#include <quib/QuibSnapshot.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <signal.h>

#include <chrono>
#include <future>
#include <memory>
#include <thread>

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

}  // namespace

class TestBackgroundWriter : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<MessageRecorder> messages_;
    std::unique_ptr<TContactsSession> session_;
    QString path_;
    // The failed saves the session announced: path and the engine's message.
    QList<std::pair<QString, QString>> failures_;

    // Stores text as the first record's surname, which saves the file.
    void edit(const QString& text) {
        QVERIFY(session_->StoreField(0, ContactSchema::SurName, text));
    }

  private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        messages_ = std::make_unique<MessageRecorder>();
        session_ = std::make_unique<TContactsSession>(RunningVersionText());
        failures_.clear();
        connect(session_.get(), &TContactsSession::saveFailed, this,
                [this](const QString& path, const QString& message) {
                    failures_.append({path, message});
                });
        path_ = dir_->filePath(QStringLiteral("contacts.tbr"));
        session_->Create(path_);
        QVERIFY(session_->IsOpen());
    }

    void cleanup() {
        session_.reset();
        messages_.reset();
        dir_.reset();
    }

    void burstOfEditsEndsInOneFileWithTheLastState() {
        for (int i = 1; i <= 100; ++i) {
            edit(QStringLiteral("Edit %1").arg(i));
        }
        session_->FinishSaves();
        QCOMPARE(StoredSurname(path_), QStringLiteral("Edit 100"));
        QVERIFY(session_->Writer().WritesDone() >= 1);
        QVERIFY(session_->Writer().WritesDone() <= 100);
        QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), QStringList{"contacts.tbr"});
        QVERIFY(failures_.isEmpty());
        QVERIFY(messages_->messages().empty());
    }

    void savesDuringAWriteMergeIntoOneMore() {
        // The first write waits until the burst is over.
        std::promise<void> release;
        std::shared_future<void> released = release.get_future().share();
        session_->Writer().SetWriteFunction(
            [released](const quib::QuibSnapshot& snapshot, const std::string& path) {
                released.wait();
                snapshot.SaveTo(path);
            });
        edit(QStringLiteral("first"));
        QTRY_VERIFY(!session_->Writer().Idle());
        for (int i = 1; i <= 100; ++i) {
            edit(QStringLiteral("Edit %1").arg(i));
        }
        release.set_value();
        session_->FinishSaves();
        QVERIFY(session_->Writer().WritesDone() <= 2);
        QCOMPARE(StoredSurname(path_), QStringLiteral("Edit 100"));
    }

    void saveReturnsBeforeTheFileIsWritten() {
        std::promise<void> release;
        std::shared_future<void> released = release.get_future().share();
        session_->Writer().SetWriteFunction(
            [released](const quib::QuibSnapshot& snapshot, const std::string& path) {
                released.wait();
                snapshot.SaveTo(path);
            });
        edit(QStringLiteral("typed"));
        // The keystroke is done; the file still holds the old state.
        QCOMPARE(StoredSurname(path_), QString());
        QCOMPARE(session_->FieldText(ContactSchema::SurName), QStringLiteral("typed"));
        release.set_value();
        session_->FinishSaves();
        QCOMPARE(StoredSurname(path_), QStringLiteral("typed"));
    }

    void failedWritesAreReportedAndTheNextSaveRetries_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("engineMessage");
        QTest::newRow("file replaced by a folder") << "folder"
                                                   << "Error when opening database file to write.";
        QTest::newRow("disk full after some bytes")
            << "size limit"
            << "Error when writing database file. The database file was not changed.";
    }

    void failedWritesAreReportedAndTheNextSaveRetries() {
        QFETCH(QString, fault);
        QFETCH(QString, engineMessage);
        edit(QStringLiteral("kept"));
        session_->FinishSaves();
        const qint64 size = QFileInfo(path_).size();
        {
            std::unique_ptr<TFileSizeLimit> limit;
            if (fault == QLatin1String("folder")) {
                QVERIFY(QFile::remove(path_));
                QVERIFY(QDir().mkdir(path_));
            } else {
                limit = std::make_unique<TFileSizeLimit>(size / 2);
            }
            edit(QStringLiteral("lost for now"));
            // Announced at once, without waiting; the session shows no window.
            QTRY_COMPARE(failures_.size(), 1);
        }
        QCOMPARE(failures_.front().first, path_);
        QVERIFY2(failures_.front().second.contains(engineMessage),
                 qPrintable(failures_.front().second));
        QVERIFY(messages_->messages().empty());
        if (fault == QLatin1String("folder")) {
            QVERIFY(QDir().rmdir(path_));
        } else {
            QCOMPARE(StoredSurname(path_), QStringLiteral("kept"));  // the old file is whole
        }
        // The next save writes the newest state.
        edit(QStringLiteral("saved again"));
        session_->FinishSaves();
        QCOMPARE(StoredSurname(path_), QStringLiteral("saved again"));
        QCOMPARE(failures_.size(), 1);
        QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), QStringList{"contacts.tbr"});
    }

    void failureDuringAWaitIsReportedByTheWait() {
        QVERIFY(QFile::remove(path_));
        QVERIFY(QDir().mkdir(path_));
        edit(QStringLiteral("x"));
        session_->FinishSaves();
        // No event loop ran: the wait itself announced it.
        QCOMPARE(failures_.size(), 1);
        QCoreApplication::processEvents();
        QCOMPARE(failures_.size(), 1);
    }

    // The program killed at any moment of its background saves leaves the
    // old file or a newer one, each whole.
    void killedDuringWritesLeavesAWholeFile() {
        const QString path = dir_->filePath(QStringLiteral("large.tbr"));
        MakeLargeDatabase(path);
        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator random(seed);
        int unchanged = 0;
        int changed = 0;
        QString before = QStringLiteral("Original");
        for (int round = 0; round < 20; ++round) {
            QProcess child;
            child.start(QStringLiteral(SESSION_SAVE_CHILD), {path});
            QVERIFY(child.waitForReadyRead(30000));
            QCOMPARE(child.readLine().trimmed(), QByteArray("ready"));
            QThread::msleep(random.bounded(20, 400));
            ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
            QVERIFY(child.waitForFinished(30000));

            TQuib quib;
            quib.SetDatabaseName(path);
            const QString at = QStringLiteral("seed %1, round %2").arg(seed).arg(round);
            QVERIFY2(quib.Open(), qPrintable(at));
            QCOMPARE(quib.RowsCount(), 15000);
            QCOMPARE(quib.GetData(14999, 31), QStringLiteral("Text 31 of 14999"));
            const QString surname = quib.GetData(0, 0);
            QVERIFY2(surname == QLatin1String("Original") || surname.startsWith(u"Edit "),
                     qPrintable(at + QStringLiteral(": ") + surname));
            ++(surname == before ? unchanged : changed);
            before = surname;
        }
        qInfo("killed programs: %d left the file as it was, %d a newer one (seed %u)", unchanged,
              changed, seed);
    }

    void endingTheSessionWaitsForThePendingWrite() {
        session_->Writer().SetWriteFunction(
            [](const quib::QuibSnapshot& snapshot, const std::string& path) {
                std::this_thread::sleep_for(std::chrono::milliseconds(300));
                snapshot.SaveTo(path);
            });
        edit(QStringLiteral("one"));
        edit(QStringLiteral("two"));
        session_.reset();
        QCOMPARE(StoredSurname(path_), QStringLiteral("two"));
    }

    void fileCommandsWaitForTheWriter() {
        session_->Writer().SetWriteFunction(
            [](const quib::QuibSnapshot& snapshot, const std::string& path) {
                std::this_thread::sleep_for(std::chrono::milliseconds(200));
                snapshot.SaveTo(path);
            });
        edit(QStringLiteral("before reload"));
        QVERIFY(session_->Reload());
        QCOMPARE(session_->FieldText(ContactSchema::SurName), QStringLiteral("before reload"));
        edit(QStringLiteral("before save as"));
        const QString other = dir_->filePath(QStringLiteral("other.tbr"));
        session_->SaveAs(other);
        QCOMPARE(StoredSurname(path_), QStringLiteral("before save as"));
        QCOMPARE(StoredSurname(other), QStringLiteral("before save as"));
    }
};

QTEST_MAIN(TestBackgroundWriter)
#include "test_BackgroundWriter.moc"
