// What the program asks when a save cannot go as usual: another program
// changed the database, another one has it open, or the last save failed and
// the window is being closed. Real windows, real files, real write faults.

#include "app/Pellum.h"
#include "app/u_frmCommon.h"
#include "app/u_frmMain.h"
#include "session/QUIBLib_TLB.h"
#include "session/u_BackgroundWriter.h"
#include "session/u_ContactsSession.h"
#include "support/u_FileChooser.h"
#include "support/u_MessageBox.h"
#include "views/u_frameMainIDE.h"

#include "AppTestSupport.h"
#include "testsupport/TestSupport.h"
#include "testsupport/WriteFaults.h"

#include <QAction>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

QString StoredCity(const QString& path) {
    TQuib quib;
    quib.SetDatabaseName(path);
    return quib.Open() && quib.RowsCount() > 0 ? quib.GetData(0, 4) : QStringLiteral("<none>");
}

// Another program that knows no lock writes city into the first record.
void WriteCityAsAnotherProgram(const QString& path, const QString& city) {
    TQuib quib;
    quib.SetDatabaseName(path);
    QVERIFY(quib.Open());
    quib.SetData(0, 4, city);
    quib.Save();
}

const QString kChangedText = QStringLiteral(
    "The database was changed by another program since it was opened.\n\rDatabase File Name: ");
const QStringList kChoices{QStringLiteral("Reload it (your unsaved change is lost)"),
                           QStringLiteral("Save over it"), QStringLiteral("Save As...")};

}  // namespace

class TestSaveProblems : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<MessageRecorder> messages_;
    std::unique_ptr<TProgram> program_;
    QString file_;
    // The choice boxes shown (text and captions) and the answers to give.
    QList<std::pair<QString, QStringList>> choices_;
    QList<int> choiceAnswers_;

    TfrmMain& main() { return *program_->frmMain; }
    TContactsSession& session() { return *program_->session; }
    QAction* act(const char* name) { return program_->frmCommon->action(QLatin1String(name)); }

    void start() {
        program_ = StartProgram({file_}, false);
        main().show();
        QVERIFY(QTest::qWaitForWindowExposed(&main()));
    }

    // Types city into the card and saves the record, as the user does.
    void saveCity(const QString& city) {
        main().frameMainIDE()->setFieldText(4, city);
        act("actDBSave")->trigger();
    }

    // Saves city on a full disk (the file can grow no more); the reason the
    // change is not on disk.
    QString saveOnAFullDisk(const QString& city) {
        const TFileSizeLimit full(QFileInfo(file_).size() / 2);
        saveCity(city);
        session().FinishSaves();
        return session().UnsavedReason();
    }

  private slots:
    void init() {
        apptest::ClearSettings();
        dir_ = std::make_unique<QTemporaryDir>();
        messages_ = std::make_unique<MessageRecorder>();
        choices_.clear();
        choiceAnswers_.clear();
        SetChoiceAnswerer([this](MsgType, const QString& text, const QStringList& choices) {
            choices_.append({text, choices});
            return choiceAnswers_.isEmpty() ? -1 : choiceAnswers_.takeFirst();
        });
        file_ = dir_->filePath(QStringLiteral("db.tbr"));
        apptest::MakeDatabase(file_, 2);
    }

    void cleanup() {
        FileChooserTest::Reset();
        program_.reset();
        SetChoiceAnswerer({});
        messages_.reset();
        dir_.reset();
    }

    // --- Another program changed the file -------------------------------------

    void aChangedFileAsksBeforeTheSave_data() {
        QTest::addColumn<int>("choice");
        QTest::addColumn<QString>("onDisk");    // the city in the file then
        QTest::addColumn<QString>("onCard");    // and on the card
        QTest::addColumn<QString>("openFile");  // the database open then
        QTest::newRow("reload") << 0 << "Theirs"
                                << "Theirs"
                                << "db.tbr";
        QTest::newRow("save over it") << 1 << "Mine"
                                      << "Mine"
                                      << "db.tbr";
        QTest::newRow("save as") << 2 << "Theirs"
                                 << "Mine"
                                 << "copy.tbr";
    }

    void aChangedFileAsksBeforeTheSave() {
        QFETCH(int, choice);
        QFETCH(QString, onDisk);
        QFETCH(QString, onCard);
        QFETCH(QString, openFile);
        start();
        WriteCityAsAnotherProgram(file_, QStringLiteral("Theirs"));
        choiceAnswers_ << choice;
        const QString copy = dir_->filePath(QStringLiteral("copy.tbr"));
        FileChooserTest::QueueAnswer(copy);
        saveCity(QStringLiteral("Mine"));
        // The question comes from the event loop once the writer looked.
        QTRY_COMPARE(choices_.size(), 1);
        QCOMPARE(choices_[0].first, kChangedText + file_);
        QCOMPARE(choices_[0].second, kChoices);
        session().FinishSaves();
        QCOMPARE(StoredCity(file_), onDisk);
        QCOMPARE(main().frameMainIDE()->fieldText(4), onCard);
        QCOMPARE(session().DatabaseName(), dir_->filePath(openFile));
        QCOMPARE(FileChooserTest::PendingAnswers(), choice == 2 ? 0 : 1);
        QVERIFY2(messages_->messages().empty(), qPrintable(messages_->texts().join(u'|')));
        QVERIFY(session().UnsavedReason().isEmpty());
        QVERIFY(main().close());
    }

    void aChangedFileLeftUnansweredKeepsTheChange() {
        start();
        WriteCityAsAnotherProgram(file_, QStringLiteral("Theirs"));
        // Save As, then the file dialog cancelled.
        choiceAnswers_ << 2;
        FileChooserTest::QueueAnswer(QString());
        saveCity(QStringLiteral("Mine"));
        session().FinishSaves();
        QCOMPARE(choices_.size(), 1);
        QCOMPARE(StoredCity(file_), QStringLiteral("Theirs"));
        QCOMPARE(messages_->messages().size(), 1u);
        QVERIFY(messages_->texts()[0].startsWith(
            QStringLiteral("The database could not be saved: The database was changed by another "
                           "program since it was opened.")));
        // Closing now asks; No keeps the window and the change.
        messages_->clear();
        messages_->queueAnswer(MsgResult::No);
        QVERIFY(!main().close());
        QVERIFY(main().isVisible());
        QCOMPARE(messages_->texts(),
                 QStringList{QStringLiteral("The last change could not be saved: The database was "
                                            "changed by another program since it was opened.\n\r"
                                            "Close anyway and lose it?")});
    }

    // --- Another program has the file open --------------------------------------

    void aDatabaseInUseIsRefused() {
        auto other = std::make_unique<TContactsSession>(RunningVersionText());
        QVERIFY(other->OpenFile(file_));
        start();
        QCOMPARE(session().DatabaseName(), QString());
        QCOMPARE(messages_->messages().size(), 1u);
        QCOMPARE(messages_->messages()[0].type, MsgType::Error);
        QCOMPARE(messages_->texts()[0],
                 QStringLiteral("The database is in use by another program or by another window "
                                "of this program, so it was not opened.\n\rDatabase File Name: %1"
                                "\n\r\n\rClose it there, then open it again.")
                     .arg(file_));
        // Once the other one lets it go, it opens.
        other.reset();
        messages_->clear();
        QVERIFY(session().OpenFile(file_));
        QVERIFY(session().IsOpen());
    }

    // --- Closing after a failed save -----------------------------------------------

    void closingAfterAFailedSaveAsks_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closed");
        QTest::newRow("yes: close and lose it") << int(MsgResult::Yes) << true;
        QTest::newRow("no: stay open") << int(MsgResult::No) << false;
    }

    void closingAfterAFailedSaveAsks() {
        QFETCH(int, answer);
        QFETCH(bool, closed);
        start();
        const QString message = saveOnAFullDisk(QStringLiteral("Olomouc"));
        QVERIFY(!message.isEmpty());
        QCOMPARE(messages_->messages().size(), 1u);  // the failed save, told at once
        messages_->clear();
        messages_->queueAnswer(MsgResult(answer));
        QCOMPARE(main().close(), closed);
        QCOMPARE(main().isVisible(), !closed);
        QCOMPARE(messages_->texts(),
                 QStringList{QStringLiteral("The last change could not be saved: %1\n\r"
                                            "Close anyway and lose it?")
                                 .arg(message)});
        QCOMPARE(messages_->messages()[0].buttons, MsgButtons::YesNo);
        QCOMPARE(StoredCity(file_), QString());
        if (!closed) {
            // The disk has room again: the next save writes it, and closing
            // asks nothing more.
            messages_->clear();
            saveCity(QStringLiteral("Olomouc"));
            session().FinishSaves();
            QCOMPARE(StoredCity(file_), QStringLiteral("Olomouc"));
            QVERIFY(main().close());
            QVERIFY(messages_->messages().empty());
        }
    }

    // Reload and Open would drop the change as closing would: they ask too.
    void replacingTheDatabaseAfterAFailedSaveAsks_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("question");
        const QString again = QStringLiteral("Read the file again anyway and lose it?");
        const QString other = QStringLiteral("Open another database anyway and lose it?");
        QTest::newRow("reload, no") << "actDBReload" << int(MsgResult::No) << again;
        QTest::newRow("reload, yes") << "actDBReload" << int(MsgResult::Yes) << again;
        QTest::newRow("open, no") << "actDBOpen" << int(MsgResult::No) << other;
        QTest::newRow("open, yes") << "actDBOpen" << int(MsgResult::Yes) << other;
        QTest::newRow("new, no") << "actDBCreate" << int(MsgResult::No) << other;
    }

    void replacingTheDatabaseAfterAFailedSaveAsks() {
        QFETCH(QString, command);
        QFETCH(int, answer);
        QFETCH(QString, question);
        start();
        const QString message = saveOnAFullDisk(QStringLiteral("Olomouc"));
        QVERIFY(!message.isEmpty());
        messages_->clear();
        FileChooserTest::Reset();
        FileChooserTest::QueueAnswer(QString());  // a file dialog, if any, is cancelled
        messages_->queueAnswer(MsgResult(answer));
        act(command.toLatin1().constData())->trigger();
        QCOMPARE(messages_->texts(),
                 QStringList{QStringLiteral("The last change could not be saved: %1\n\r%2")
                                 .arg(message, question)});
        const bool dropped = answer == int(MsgResult::Yes);
        if (command == QLatin1String("actDBReload")) {
            // Yes reads the file, which never got the change; No keeps it.
            QCOMPARE(session().FieldText(0, 4), dropped ? QString() : QStringLiteral("Olomouc"));
        } else {
            // The file dialog comes only after a Yes.
            QCOMPARE(FileChooserTest::Asked().size(), std::size_t(dropped ? 1 : 0));
            QCOMPARE(session().FieldText(0, 4), QStringLiteral("Olomouc"));
        }
    }

    void aSaveThatFailsWhileClosingIsAskedAboutOnce() {
        start();
        const TFileSizeLimit full(QFileInfo(file_).size() / 2);
        saveCity(QStringLiteral("Olomouc"));
        messages_->queueAnswer(MsgResult::No);
        QVERIFY(!main().close());
        QCOMPARE(messages_->messages().size(), 1u);
        QVERIFY(messages_->texts()[0].startsWith(
            QStringLiteral("The last change could not be saved: ")));
        QVERIFY(messages_->texts()[0].endsWith(QStringLiteral("Close anyway and lose it?")));
    }
};

QTEST_MAIN(TestSaveProblems)
#include "test_SaveProblems.moc"
