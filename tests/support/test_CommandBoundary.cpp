// The command boundary, the error report and the file chooser's test hook.
#include "support/u_CommandBoundary.h"
#include "support/u_ExchangeError.h"
#include "support/u_FileChooser.h"

#include "testsupport/TestSupport.h"

#include <QAction>
#include <QtTest>

#include <stdexcept>

class TestCommandBoundary : public QObject {
    Q_OBJECT

  private slots:
    void handlerErrorsEndInTheErrorReport() {
        MessageRecorder messages;
        QAction action;
        QObject context;
        int runs = 0;
        ConnectCommand(&action, &context, [&] {
            ++runs;
            throw std::runtime_error("Disk full.");
        });
        action.trigger();  // nothing leaves the trigger
        QCOMPARE(runs, 1);
        QCOMPARE(messages.texts(), QStringList{"Disk full."});
        QCOMPARE(messages.messages().front().type, MsgType::Error);
    }

    void expectedFailuresAreAPlainMessage() {
        MessageRecorder messages;
        RunGuarded([] { throw EExchangeError(QStringLiteral("\"\u00F8\" cannot be saved.")); });
        QCOMPARE(messages.texts(), QStringList{QStringLiteral("\"\u00F8\" cannot be saved.")});
        QCOMPARE(messages.messages().front().type, MsgType::Error);
    }

    void unknownErrorsAreReportedToo() {
        MessageRecorder messages;
        RunGuarded([] { throw 42; });
        QCOMPARE(messages.texts(), QStringList{"Unknown error."});
    }

    void aHandlerThatSucceedsReportsNothing() {
        MessageRecorder messages;
        bool ran = false;
        RunGuarded([&] { ran = true; });
        QVERIFY(ran);
        QVERIFY(messages.messages().empty());
    }

    void aDisabledActionRunsNothing() {
        QAction action;
        QObject context;
        int runs = 0;
        ConnectCommand(&action, &context, [&] { ++runs; });
        action.setEnabled(false);
        action.trigger();
        QCOMPARE(runs, 0);
    }

    void fileChooserAnswersFromTheQueue() {
        FileChooserTest::Reset();
        FileChooserTest::QueueAnswer(QStringLiteral("/tmp/a.tbr"));
        FileChooserTest::QueueAnswer(QString());
        TFileChoice choice;
        choice.mode = TFileChoice::Mode::Save;
        choice.objectName = QStringLiteral("dlgSave");
        choice.preset = QStringLiteral("old.tbr");
        QCOMPARE(ChooseFile(choice, nullptr), QStringLiteral("/tmp/a.tbr"));
        QCOMPARE(FileChooserTest::PendingAnswers(), 1);
        QCOMPARE(ChooseFile(choice, nullptr), QString());  // the user cancelled
        QCOMPARE(FileChooserTest::PendingAnswers(), 0);
        QCOMPARE(FileChooserTest::Asked().size(), std::size_t(2));
        QCOMPARE(FileChooserTest::Asked().front().objectName, QStringLiteral("dlgSave"));
        QCOMPARE(FileChooserTest::Asked().front().preset, QStringLiteral("old.tbr"));
        FileChooserTest::Reset();
        QVERIFY(FileChooserTest::Asked().empty());
    }
};

QTEST_MAIN(TestCommandBoundary)
#include "test_CommandBoundary.moc"
