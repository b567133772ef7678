#include "app/Pellum.h"
#include "app/u_frmCommon.h"
#include "app/u_frmMain.h"
#include "support/u_ExceptionDialog.h"
#include "support/u_LinkLabel.h"
#include "support/u_OrvFileLib.h"
#include "support/u_SimpleExceptionLog.h"
#include "support/u_WebRoutines.h"

#include "../support/TestHttpServer.h"
#include "AppTestSupport.h"
#include "testsupport/TestSupport.h"

#include <QAction>
#include <QDesktopServices>
#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

// The Help menu's web, about and error-report commands, run through the real
// main window.
class TestHelpCommands : public QObject {
    Q_OBJECT

  public slots:
    void openUrl(const QUrl& url) { opened_ << url.toString(); }

  private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<MessageRecorder> messages_;
    std::unique_ptr<TProgram> program_;
    QStringList opened_;
    TestHttpServer server_;

    TfrmMain& main() { return *program_->frmMain; }
    TfrmCommon& common() { return *program_->frmCommon; }
    QAction* act(const char* name) { return common().action(QLatin1String(name)); }

  private slots:
    void initTestCase() {
        FillAppInfo(QCoreApplication::applicationFilePath());
        TWebSettings& web = WebSettings();
        web.ServerBase = server_.BaseAddress();
        web.RedirectBase = QStringLiteral("https://redirect.test/go");
        web.ReadTimeoutMs = 400;
        web.DeadlineMs = 1500;
        web.UseSystemProxy = false;
        for (const char* scheme : {"https", "mailto"}) {
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "openUrl");
        }
    }
    void cleanupTestCase() {
        for (const char* scheme : {"https", "mailto"}) {
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
        }
    }
    void init() {
        apptest::ClearSettings();
        dir_ = std::make_unique<QTemporaryDir>();
        TSimpleExceptionLog::SetErrorLogFileName(dir_->filePath(QStringLiteral("t.Error.log")));
        opened_.clear();
        messages_ = std::make_unique<MessageRecorder>();
        program_ = StartProgram({dir_->filePath(QStringLiteral("missing.tbr"))}, false);
        main().show();
        messages_->clear();
    }
    void cleanup() {
        program_.reset();
        messages_.reset();
        TSimpleExceptionLog::SetErrorLogFileName({});
        SetReportRunner({});
    }

    void helpCommandsHaveTheirTexts() {
        QCOMPARE(act("actHelpUpdate")->text(), QStringLiteral("&Check for Updates..."));
        QCOMPARE(act("actHelpUpdate")->toolTip(), QStringLiteral("Check for the newest version"));
        QCOMPARE(act("actHelpVisitWWW")->text(), QStringLiteral("&Product Web Site..."));
        QCOMPARE(act("actHelpVisitWWW")->toolTip(), QStringLiteral("Show product web page"));
        QVERIFY(act("actHelpUpdate")->isEnabled());
        QVERIFY(act("actAbout")->isEnabled());
    }

    void checkForUpdatesAgainstTheServer() {
        server_.SetReply(200,
                         "<Versions><Version><Number>99.0</Number><ProformURL>"
                         "https://www.orvane.example/get</ProformURL></Version></Versions>");
        MessageRecorder& messages = *messages_;
        act("actHelpUpdate")->trigger();
        QCOMPARE(messages.texts().size(), 2);
        QCOMPARE(messages.texts()[0], webtext::AskConnect);
        QVERIFY(messages.texts()[1].startsWith(
            QStringLiteral("Na Internetu je k dispozici novější verze programu.")));
        QCOMPARE(opened_, QStringList{QStringLiteral("https://www.orvane.example/get")});
        QCOMPARE(server_.Paths().back(),
                 QStringLiteral("/!public/appdata/%1/version.xml").arg(App.ID.toLower()));
    }

    void productWebSiteAfterTheQuestion() {
        MessageRecorder& messages = *messages_;
        messages.queueAnswer(MsgResult::No);
        act("actHelpVisitWWW")->trigger();
        QVERIFY(opened_.isEmpty());
        act("actHelpVisitWWW")->trigger();
        QCOMPARE(messages.texts(), QStringList({webtext::AskOpenBrowser, webtext::AskOpenBrowser}));
        QCOMPARE(opened_.size(), 1);
        QVERIFY(opened_[0].startsWith(QStringLiteral("https://redirect.test/go?to=") + App.ID));
    }

    void aboutBoxThroughTheCommand() {
        QStringList seen;
        common().DialogRunner = [&](QDialog& dialog) {
            dialog.show();
            seen << dialog.objectName();
            seen << dialog.findChild<QLabel*>(QStringLiteral("lblProgramVersion"))->text();
            seen << dialog.findChild<QTableWidget*>(QStringLiteral("gridVersions"))
                        ->item(1, 0)
                        ->text();
            dialog.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
        };
        act("actAbout")->trigger();
        QCOMPARE(seen.size(), 3);
        QCOMPARE(seen[0], QStringLiteral("TfrmAbout"));
        QVERIFY(seen[1].startsWith(QStringLiteral("Version ") + RunningVersionText() + u' '));
        QCOMPARE(seen[2], App.ID);
    }

    void hiddenTestErrorShowsTheReportAndLogsIt() {
        QString details;
        QString shownMessage;
        bool built = false;
        SetReportRunner([&](TExceptionDialog& dialog) -> int {
            dialog.show();
            built = QTest::qWaitFor([&] { return dialog.DetailsBuilt(); }, 10000);
            dialog.SetDetailsShown(true);
            details = dialog.ReportText();
            shownMessage = dialog.Message();
            return static_cast<int>(QDialog::Accepted);
        });
        QVERIFY(QTest::qWaitForWindowExposed(&main()));
        QTest::keyClick(&main(), Qt::Key_F12,
                        Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
        QVERIFY(built);
        QCOMPARE(shownMessage,
                 QStringLiteral("Test error raised on purpose (Ctrl+Alt+Shift+F12)."));
        QVERIFY(details.contains(QStringLiteral("Exception class: std::runtime_error")));
        QVERIFY(details.contains(QStringLiteral("List of loaded modules:")));
        QFile log(TSimpleExceptionLog::ErrorLogFileName());
        QVERIFY(log.open(QIODevice::ReadOnly));
        QVERIFY(log.readAll().contains("Error description: Test error raised on purpose"));
    }
};

QTEST_MAIN(TestHelpCommands)
#include "test_HelpCommands.moc"
