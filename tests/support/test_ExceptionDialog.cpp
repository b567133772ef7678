#include "testsupport/TestSupport.h"

#include "support/u_CrashHandler.h"
#include "support/u_ErrorReport.h"
#include "support/u_ExceptionDialog.h"
#include "support/u_LinkLabel.h"
#include "support/u_OrvFileLib.h"
#include "support/u_ReportText.h"
#include "support/u_SimpleExceptionLog.h"
#include "support/u_StackTrace.h"
#include "support/u_SystemInfo.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrlQuery>
#include <QtTest>

#include <dlfcn.h>

#include <stdexcept>
#include <thread>

// Functions the tests look for by name in stacks; kept out of line.
[[gnu::noinline]] void throwFromNamedFunction(const char* message) {
    throw std::runtime_error(message);
}

[[gnu::noinline]] void crashWithSegmentationFault() {
    volatile int* volatile nowhere = nullptr;
    *nowhere = 42;
}

namespace {

QString readAll(const QString& file) {
    QFile f(file);
    f.open(QIODevice::ReadOnly);
    return QString::fromUtf8(f.readAll());
}

std::exception_ptr thrown(const char* message) {
    try {
        throwFromNamedFunction(message);
    } catch (...) {
        return std::current_exception();
    }
    return {};
}

TExceptionDialog* openDialog() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* d = qobject_cast<TExceptionDialog*>(w); d != nullptr && d->isVisible()) {
            return d;
        }
    }
    return nullptr;
}

}  // namespace

class TestExceptionDialog : public QObject {
    Q_OBJECT

  public slots:
    void openUrl(const QUrl& url) { opened_ << url; }

  private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void message_data();
    void message();
    void headerLines();
    void headerLines_thread();
    void activeControls();
    void stack_recordedAtThrow();
    void systemAndModules();
    void reportText_startsWithRequest();
    void mailUrl_isWellFormed();
    void mailUrl_bodyIsBounded();

    void dialog_collapsedAndExpanded();
    void dialog_detailsBuiltAfterShowAndLogged();
    void dialog_copyWithButtonAndCtrlC();
    void dialog_sendEmail();
    void dialog_detailsLink();

    void handle_showsReportAndWritesLog();
    void handle_secondErrorGetsPlainBox();
    void handle_terminate();
    void handle_threadErrorShownOnUserInterfaceThread();

    void recorder_readsReportsWithoutModalLoop();
    void reportException_endsInTheReport();
    void crash_leavesLogEntry();
    void crash_neverWritesThroughALink();
    void terminate_leavesLogEntry();

  private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString log_;
    QList<QUrl> opened_;
};

void TestExceptionDialog::initTestCase() {
    FillAppInfo(QCoreApplication::applicationFilePath());
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Orvane Contacts"));
    QDesktopServices::setUrlHandler(QStringLiteral("mailto"), this, "openUrl");
}

void TestExceptionDialog::cleanupTestCase() {
    QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
}

void TestExceptionDialog::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    log_ = dir_->filePath(QStringLiteral("test.Error.log"));
    TSimpleExceptionLog::SetErrorLogFileName(log_);
    opened_.clear();
}

void TestExceptionDialog::cleanup() {
    TSimpleExceptionLog::SetErrorLogFileName({});
    SetTerminateRoutine({});
}

void TestExceptionDialog::message_data() {
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");
    QTest::newRow("no stop") << "Disk full"
                             << "Disk full.";
    QTest::newRow("stop") << "Disk full."
                          << "Disk full.";
    QTest::newRow("line breaks") << "one\ntwo"
                                 << "one\r\ntwo.";
    QTest::newRow("crlf kept") << "one\r\ntwo."
                               << "one\r\ntwo.";
}

void TestExceptionDialog::message() {
    QFETCH(QString, message);
    QFETCH(QString, shown);
    QCOMPARE(ReportMessage(message), shown);
}

void TestExceptionDialog::headerLines() {
    TErrorFacts facts = FactsOf(thrown("Boom"));
    const QStringList lines = ReportHeaderLines(facts);
    QCOMPARE(lines.size(), 7);
    QCOMPARE(lines[0], QStringLiteral("Application title: Orvane Contacts"));
    QCOMPARE(lines[1], QStringLiteral("Application executable: test_ExceptionDialog"));
    QCOMPARE(lines[2], QStringLiteral("Application version: %1 - %1").arg(RunningVersionText()));
    QCOMPARE(lines[3], QStringLiteral("Error description: Boom."));
    QCOMPARE(lines[4], QStringLiteral("Exception class: std::runtime_error"));
    QVERIFY2(QRegularExpression(QStringLiteral("^Exception address: [0-9A-F]{16}$"))
                 .match(lines[5])
                 .hasMatch(),
             qPrintable(lines[5]));
    QVERIFY(lines[5] != QStringLiteral("Exception address: 0000000000000000"));
    QCOMPARE(lines[6], QString(100, u'-'));
}

void TestExceptionDialog::headerLines_thread() {
    TErrorFacts facts = FactsOf(thrown("Boom"));
    facts.ThreadName = QStringLiteral("printer");
    QCOMPARE(ReportHeaderLines(facts)[5], QStringLiteral("Thread: printer"));
}

void TestExceptionDialog::activeControls() {
    QVERIFY(ActiveControlLines(nullptr).isEmpty());
    QWidget window;
    window.setObjectName(QStringLiteral("frmMain"));
    QWidget panel(&window);
    panel.setObjectName(QStringLiteral("pnlTop"));
    QLineEdit edit(&panel);
    edit.setObjectName(QStringLiteral("txtName"));
    QCOMPARE(ActiveControlLines(&edit),
             (QStringList{"Active Controls hiearchy:", "QLineEdit \"txtName\"",
                          "QWidget \"pnlTop\"", "QWidget \"frmMain\"", QString(100, u'-')}));
}

void TestExceptionDialog::stack_recordedAtThrow() {
    thrown("x");
    const TStackTrace stack = LastThrowStack();
    QVERIFY(!stack.Frames.empty());
    QVERIFY(stack.Time.secsTo(QDateTime::currentDateTime()) < 60);
    const QStringList lines = StackLines(stack.Frames);
    QVERIFY2(lines.first().contains(QStringLiteral("throwFromNamedFunction(char const*)")),
             qPrintable(lines.join(u'\n')));
    QVERIFY(
        QRegularExpression(QStringLiteral("^\\[[0-9A-F]{16}\\] ")).match(lines.first()).hasMatch());
}

void TestExceptionDialog::systemAndModules() {
    const QStringList system = SystemLines();
    QCOMPARE(system.size(), 3);
    QVERIFY2(QRegularExpression(
                 QStringLiteral("^System   : .+, Version: \\d+\\.\\d+, Build: [0-9A-F]+, \".*\"$"))
                 .match(system[0])
                 .hasMatch(),
             qPrintable(system[0]));
    QVERIFY(system[1].startsWith(QStringLiteral("Processor: ")));
    QVERIFY2(QRegularExpression(QStringLiteral("^Display  : \\d+x\\d+ pixels, \\d+ bpp$"))
                 .match(system[2])
                 .hasMatch(),
             qPrintable(system[2]));
    // The engine library, as the program has it loaded.
    QVERIFY(dlopen("libquib.so.1", RTLD_NOW) != nullptr);
    const QStringList modules = ModuleLines();
    QCOMPARE(modules.first(), QStringLiteral("List of loaded modules:"));
    const QString all = modules.join(u'\n');
    QVERIFY(all.contains(QCoreApplication::applicationFilePath()));
    QVERIFY(all.contains(QStringLiteral("libquib.so")));
    QVERIFY(all.contains(QStringLiteral("(no version info)")));
    QVERIFY2(all.contains(RunningVersionText() + QStringLiteral(" - ")), qPrintable(all));
    QVERIFY(all.contains(QStringLiteral("Quib table-database engine")));
    QCOMPARE(ParseKernelRelease(QStringLiteral("6.1.0-18-amd64")).Minor, 1);
    QCOMPARE(ParseKernelRelease(QStringLiteral("5.15.12")).Build, 12);
    QCOMPARE(
        InfoValue(QStringLiteral("A=1\nPRETTY_NAME=\"Deb 12\"\n"), QStringLiteral("PRETTY_NAME")),
        QStringLiteral("Deb 12"));
    QCOMPARE(InfoValue(QStringLiteral("cpu MHz\t\t: 2096.015\n"), QStringLiteral("cpu MHz")),
             QStringLiteral("2096.015"));
}

void TestExceptionDialog::reportText_startsWithRequest() {
    const QString text = ReportText(QStringLiteral("details"));
    QVERIFY(text.startsWith(QStringLiteral(
        "[PLEASE ADD YOUR DESCRIPTION WHAT CAUSED THE ERROR HERE]\r\n[Please include")));
    QVERIFY(text.endsWith(QStringLiteral("helpfulness.]\r\n\r\n\r\ndetails")));
}

void TestExceptionDialog::mailUrl_isWellFormed() {
    const QString report = QStringLiteral("a & b # c %20 d\r\n? e=f + g");
    const QUrl url = ReportMailUrl(QStringLiteral("contacts@orvane.example"),
                                   QStringLiteral("Orvane Contacts"), report);
    QVERIFY(url.isValid());
    QCOMPARE(url.scheme(), QStringLiteral("mailto"));
    QCOMPARE(url.path(), QStringLiteral("contacts@orvane.example"));
    QVERIFY(!url.hasFragment());
    const QUrlQuery query(url);
    QCOMPARE(query.queryItems().size(), 2);
    QCOMPARE(query.queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded),
             QStringLiteral("[AUTO SEND ERROR] Orvane Contacts"));
    const QString body = query.queryItemValue(QStringLiteral("body"), QUrl::FullyDecoded);
    QVERIFY2(body.endsWith(report), qPrintable(body));
    QVERIFY(body.contains(QStringLiteral("clipboard")));
    QVERIFY(url.toEncoded().contains("%0D%0A"));
}

void TestExceptionDialog::mailUrl_bodyIsBounded() {
    const QString report(100000, u'x');
    const QUrl url = ReportMailUrl(QStringLiteral("a@b.test"), QStringLiteral("T"), report, 1500);
    const QString body = QUrlQuery(url).queryItemValue(QStringLiteral("body"), QUrl::FullyDecoded);
    QVERIFY(body.size() < 1800);
    QVERIFY(body.endsWith(QStringLiteral("[...]")));
}

void TestExceptionDialog::dialog_collapsedAndExpanded() {
    TExceptionDialog dialog;
    dialog.SetError(FactsOf(thrown("Boom")), LastThrowStack(), nullptr);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* details = dialog.findChild<QPushButton*>(QStringLiteral("DetailsBtn"));
    auto* memo = dialog.findChild<QPlainTextEdit*>(QStringLiteral("DetailsMemo"));
    QVERIFY(!dialog.DetailsShown());
    QCOMPARE(details->text(), QStringLiteral("&Details >>"));
    QCOMPARE(dialog.height(), dialog.CollapsedHeight());
    QCOMPARE(dialog.maximumHeight(), dialog.CollapsedHeight());
    QVERIFY(!memo->isVisible());
    QVERIFY(!memo->isEnabled());
    QTRY_VERIFY(dialog.DetailsBuilt());
    QVERIFY(details->isEnabled());
    QTest::mouseClick(details, Qt::LeftButton);
    QVERIFY(dialog.DetailsShown());
    QCOMPARE(details->text(), QStringLiteral("<< &Details"));
    QVERIFY(memo->isVisible() && memo->isEnabled());
    QVERIFY(dialog.height() >= dialog.CollapsedHeight() + 100);
    QCOMPARE(dialog.minimumHeight(), dialog.CollapsedHeight() + 100);
    const int expanded = dialog.CollapsedHeight() + 137;
    dialog.resize(dialog.width(), expanded);
    QTest::mouseClick(details, Qt::LeftButton);
    QCOMPARE(details->text(), QStringLiteral("&Details >>"));
    QCOMPARE(dialog.height(), dialog.CollapsedHeight());
    QTest::mouseClick(details, Qt::LeftButton);
    QCOMPARE(dialog.height(), expanded);  // the expanded height is remembered
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Orvane Contacts - Application Error"));
}

void TestExceptionDialog::dialog_detailsBuiltAfterShowAndLogged() {
    QWidget window;
    QLineEdit edit(&window);
    edit.setObjectName(QStringLiteral("txtFocused"));
    TExceptionDialog dialog;
    dialog.SetError(FactsOf(thrown("Boom")), LastThrowStack(), &edit);
    auto* memo = dialog.findChild<QPlainTextEdit*>(QStringLiteral("DetailsMemo"));
    QVERIFY(!memo->toPlainText().contains(QStringLiteral("System   :")));
    QVERIFY(!dialog.findChild<QPushButton*>(QStringLiteral("cmdCopyToClipboard"))->isEnabled());
    dialog.show();
    QTRY_VERIFY(dialog.DetailsBuilt());
    const QString text = memo->toPlainText();
    QVERIFY(text.contains(QStringLiteral("Stack list, generated ")));
    QVERIFY(text.contains(QStringLiteral("throwFromNamedFunction")));
    QVERIFY(text.contains(QStringLiteral("System   : ")));
    QVERIFY(text.contains(QStringLiteral("List of loaded modules:")));
    QVERIFY(text.contains(QStringLiteral("QLineEdit \"txtFocused\"")));
    QCOMPARE(dialog.LogFileName(), log_);
    const QString log = readAll(log_);
    QVERIFY(log.startsWith(QString(100, u'=')));
    QVERIFY(log.contains(QStringLiteral("Error description: Boom.\r\n")));
    QVERIFY(log.contains(QStringLiteral("[PLEASE ADD YOUR DESCRIPTION")));
    QVERIFY(dialog.findChild<QLabel*>(QStringLiteral("lblLogFile"))->text().contains(log_));
    QVERIFY(dialog.findChild<QPushButton*>(QStringLiteral("OkBtn"))->hasFocus() ||
            !dialog.isActiveWindow());
}

void TestExceptionDialog::dialog_copyWithButtonAndCtrlC() {
    TExceptionDialog dialog;
    dialog.SetError(FactsOf(thrown("Copy me")), LastThrowStack(), nullptr);
    dialog.show();
    QTRY_VERIFY(dialog.DetailsBuilt());
    QGuiApplication::clipboard()->clear();
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("cmdCopyToClipboard")),
                      Qt::LeftButton);
    QCOMPARE(QGuiApplication::clipboard()->text(), dialog.ReportText());
    QVERIFY(dialog.ReportText().contains(QStringLiteral("\r\nError description: Copy me.\r\n")));
    for (const char* name : {"DetailsMemo", "TextLabel", "OkBtn"}) {
        QGuiApplication::clipboard()->clear();
        auto* target = dialog.findChild<QWidget*>(QString::fromLatin1(name));
        QTest::keyClick(target, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), dialog.ReportText());
    }
}

void TestExceptionDialog::dialog_sendEmail() {
    TExceptionDialog dialog;
    dialog.SetError(FactsOf(thrown("Send & go #1")), LastThrowStack(), nullptr);
    dialog.show();
    QTRY_VERIFY(dialog.DetailsBuilt());
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("cmdSendEmail")),
                      Qt::LeftButton);
    QCOMPARE(opened_.size(), 1);
    QCOMPARE(opened_[0].path(), QStringLiteral("contacts@orvane.example"));
    const QString body =
        QUrlQuery(opened_[0]).queryItemValue(QStringLiteral("body"), QUrl::FullyDecoded);
    QVERIFY(body.contains(QStringLiteral("Error description: Send & go #1.")));
    QCOMPARE(QGuiApplication::clipboard()->text(), dialog.ReportText());
}

void TestExceptionDialog::dialog_detailsLink() {
    TExceptionDialog dialog;
    dialog.SetError(FactsOf(thrown("Linked")), LastThrowStack(), nullptr);
    dialog.show();
    QTRY_VERIFY(dialog.DetailsBuilt());
    auto* help = dialog.findChild<TOrvLinkLabel*>(QStringLiteral("lblHelp"));
    QVERIFY(help->Caption().contains(
        QStringLiteral("(<link=SendEmail>contacts@orvane.example</link>)")));
    QGuiApplication::clipboard()->clear();
    help->ClickHref(LinkHref(0));  // "Details"
    QVERIFY(dialog.DetailsShown());
    QCOMPARE(QGuiApplication::clipboard()->text(), dialog.ReportText());
    help->ClickHref(LinkHref(1));  // the e-mail address
    QCOMPARE(opened_.size(), 1);
}

void TestExceptionDialog::handle_showsReportAndWritesLog() {
    QString seen;
    QTimer::singleShot(0, this, [&] {
        QTRY_VERIFY(openDialog() != nullptr && openDialog()->DetailsBuilt());
        seen = openDialog()->findChild<QPlainTextEdit*>(QStringLiteral("TextLabel"))->toPlainText();
        QVERIFY(ReportShowing());
        openDialog()->accept();
    });
    HandleAppException(thrown("Shown in the report"));
    QCOMPARE(seen, QStringLiteral("Shown in the report."));
    QVERIFY(!ReportShowing());
    QVERIFY(readAll(log_).contains(QStringLiteral("Error description: Shown in the report.")));
}

void TestExceptionDialog::handle_secondErrorGetsPlainBox() {
    // Only plain boxes are answered here; the report itself is shown.
    QStringList boxes;
    MsgType boxType = MsgType::Information;
    SetMessageAnswerer([&](MsgType type, const QString& text, MsgButtons) {
        boxes << text;
        boxType = type;
        return MsgResult::Ok;
    });
    QTimer::singleShot(0, this, [&] {
        QTRY_VERIFY(openDialog() != nullptr && openDialog()->DetailsBuilt());
        HandleAppException(thrown("Second"));
        openDialog()->accept();
    });
    HandleAppException(thrown("First"));
    SetMessageAnswerer({});
    QCOMPARE(boxes, QStringList{QStringLiteral("Second.")});
    QCOMPARE(boxType, MsgType::Error);
    QCOMPARE(readAll(log_).count(QStringLiteral("[ASC Time Order :o)]")), 1);
}

void TestExceptionDialog::handle_terminate() {
    bool ended = false;
    SetTerminateRoutine([&] { ended = true; });
    QTimer::singleShot(0, this, [&] {
        QTRY_VERIFY(openDialog() != nullptr);
        QTest::mouseClick(openDialog()->findChild<QPushButton*>(QStringLiteral("cmdTerminate")),
                          Qt::LeftButton);
    });
    HandleAppException(thrown("Fatal"));
    QVERIFY(ended);
}

void TestExceptionDialog::handle_threadErrorShownOnUserInterfaceThread() {
    std::thread worker([] {
        try {
            throwFromNamedFunction("On a thread");
        } catch (...) {
            HandleThreadException(std::current_exception(), QStringLiteral("printer thread"));
        }
    });
    worker.join();
    QString details;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        if (TExceptionDialog* d = openDialog(); d != nullptr && d->DetailsBuilt()) {
            details = d->findChild<QPlainTextEdit*>(QStringLiteral("DetailsMemo"))->toPlainText();
            d->accept();
        }
    });
    poll.start(20);
    QTRY_VERIFY(!details.isEmpty());
    QVERIFY(details.contains(QStringLiteral("Thread: printer thread")));
    QVERIFY(details.contains(QStringLiteral("Error description: On a thread.")));
    QVERIFY(details.contains(QStringLiteral("throwFromNamedFunction")));
}

void TestExceptionDialog::recorder_readsReportsWithoutModalLoop() {
    MessageRecorder messages;
    HandleAppException(thrown("Recorded"));
    QCOMPARE(messages.texts(), QStringList{QStringLiteral("Recorded.")});
    QCOMPARE(messages.messages().front().type, MsgType::Error);
    QVERIFY(!QFile::exists(log_));  // the details were never built
}

void TestExceptionDialog::reportException_endsInTheReport() {
    MessageRecorder messages;
    try {
        throwFromNamedFunction("Through the entry point");
    } catch (const std::exception& e) {
        ReportException(e);
    }
    QCOMPARE(messages.texts(), QStringList{QStringLiteral("Through the entry point.")});
}

void TestExceptionDialog::crash_leavesLogEntry() {
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--crash-child"), log_});
    QVERIFY(child.waitForFinished(60000));
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);
    const QString log = readAll(log_);
    QVERIFY2(log.startsWith(QString(100, u'=') + QStringLiteral("\r\n= ")), qPrintable(log));
    QVERIFY(log.contains(QStringLiteral(" [ASC Time Order :o)] =\r\n")));
    QVERIFY(log.contains(QStringLiteral("signal 11 (SIGSEGV)")));
    QVERIFY2(log.contains(QStringLiteral("crashWithSegmentationFault")), qPrintable(log));
    QVERIFY(!log.contains(QStringLiteral("\n\r\n") + QString(100, u'=')));  // one entry only
}

// The crash handler opens the log as the error log does: a link put in its
// place is not followed, so the file it points to stays as it was.
void TestExceptionDialog::crash_neverWritesThroughALink() {
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("target.txt"));
    {
        QFile f(target);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("keep me");
    }
    const QString link = dir.filePath(QStringLiteral("pellum.Error.log"));
    QVERIFY(QFile::link(target, link));
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--crash-child"), link});
    QVERIFY(child.waitForFinished(60000));
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);
    QCOMPARE(readAll(target), QStringLiteral("keep me"));
    QVERIFY(QFileInfo(link).isSymLink());
}

void TestExceptionDialog::terminate_leavesLogEntry() {
    QFile::remove(log_);
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--throw-child"), log_});
    QVERIFY(child.waitForFinished(60000));
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);
    const QString log = readAll(log_);
    QVERIFY2(log.contains(QStringLiteral("Uncaught exception: Escaped")), qPrintable(log));
    QVERIFY(log.contains(QStringLiteral("Exception class: std::runtime_error")));
    QVERIFY(log.contains(QStringLiteral("throwFromNamedFunction")));
    QCOMPARE(log.count(QStringLiteral("[ASC Time Order :o)]")), 1);  // SIGABRT adds none
}

// Children started by the crash tests: they install the crash handler with
// the given log and then crash, or let an exception escape.
int runChild(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    FillAppInfo(QCoreApplication::applicationFilePath());
    TSimpleExceptionLog::SetErrorLogFileName(QString::fromLocal8Bit(argv[2]));
    InstallCrashHandler();
    if (qstrcmp(argv[1], "--crash-child") == 0) {
        crashWithSegmentationFault();
    } else {
        throwFromNamedFunction("Escaped");
    }
    return 0;
}

int main(int argc, char** argv) {
    if (argc == 3 &&
        (qstrcmp(argv[1], "--crash-child") == 0 || qstrcmp(argv[1], "--throw-child") == 0)) {
        return runChild(argc, argv);
    }
    QApplication app(argc, argv);
    TestExceptionDialog test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_ExceptionDialog.moc"
