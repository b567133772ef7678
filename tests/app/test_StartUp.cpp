#include "app/Pellum.h"
#include "app/u_Application.h"
#include "app/u_DatabaseCommands.h"
#include "app/u_HelpCommands.h"
#include "app/u_HelpRouter.h"
#include "app/u_MenuStyle.h"
#include "app/u_frmCommon.h"
#include "app/u_frmHelp.h"
#include "app/u_frmMain.h"
#include "app/u_frmSplash.h"
#include "session/QUIBLib_TLB.h"
#include "support/u_RecentFiles.h"
#include "support/u_Settings.h"
#include "support/u_SimpleExceptionLog.h"
#include "views/u_frameMainIDE.h"

#include "AppTestSupport.h"
#include "testsupport/TestSupport.h"

#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>
#include "support/u_FileChooser.h"

#include <set>
#include <stdexcept>

namespace {

// An object whose event handler fails.
class TThrower : public QObject {
  public:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::User) {
            throw std::runtime_error("Handler failed.");
        }
        return QObject::event(e);
    }
};

int distinctColours(const QImage& image) {
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3) {
        for (int x = 0; x < image.width(); x += 3) {
            colours.insert(image.pixel(x, y));
        }
    }
    return static_cast<int>(colours.size());
}

}  // namespace

class TestStartUp : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<MessageRecorder> messages_;

  private slots:
    void init() {
        apptest::ClearSettings();
        messages_ = std::make_unique<MessageRecorder>();
        QFile::remove(QStringLiteral("Pellum.tbr"));
    }
    void cleanup() { messages_.reset(); }

    void noSettingsOpensPellumTbrFromWorkingFolder() {
        MakeSampleDatabase(QDir::current().filePath(QStringLiteral("Pellum.tbr")));
        auto program = StartProgram({}, false);
        TfrmMain& main = *program->frmMain;
        QCOMPARE(main.Session().Quib1().DatabaseName(), QStringLiteral("Pellum.tbr"));
        QCOMPARE(main.Session().Quib1().RowsCount(), SampleContactCount());
        QCOMPARE(main.Session().Quib1().RowIndex(), 0);
        QCOMPARE(static_cast<const TQuib&>(main.Session().Quib1()).objectName(),
                 QStringLiteral("Quib1"));
        // Classic menu, Home page.
        QVERIFY(!main.MenuOwnerDraw());
        QVERIFY(main.menuBar()->isVisibleTo(&main));
        QVERIFY(!main.findChild<QToolBar*>(QStringLiteral("tbMainMenu"))->isVisibleTo(&main));
        QCOMPARE(main.menuBar()->actions().size(), 6);
        QCOMPARE(main.menuBar()->actions().first()->text(), QStringLiteral("&File"));
        QCOMPARE(main.frameMainIDE()->currentPage(), 0);
        QCOMPARE(main.frameMainIDE()->fieldText(0), QStringLiteral("Novák"));
        QCOMPARE(RecentFiles::Read().first(), QStringLiteral("Pellum.tbr"));
        QCOMPARE(program->frmCommon->DatabaseCommands().dlgOpenFileName,
                 QStringLiteral("Pellum.tbr"));
        QVERIFY(messages_->messages().empty());
        QCOMPARE(main.windowTitle(), QStringLiteral("Pellum.tbr \u2014 Orvane Contacts"));
    }

    // The title names the open database and marks edits of the card not yet
    // stored; the status bar tells whether the last save reached the disk.
    void titleAndSaveStateFollowTheDatabase() {
        MakeSampleDatabase(QDir::current().filePath(QStringLiteral("Pellum.tbr")));
        auto program = StartProgram({}, false);
        TfrmMain& main = *program->frmMain;
        main.show();
        const QString title = QStringLiteral("Pellum.tbr \u2014 Orvane Contacts");
        QCOMPARE(main.windowTitle(), title);
        auto* save = main.findChild<QLabel*>(QStringLiteral("lblStatusSave"));
        QVERIFY(save != nullptr);
        QCOMPARE(save->text(), QString());
        auto* surname = main.frameMainIDE()->fieldEdit(0);
        surname->setFocus();
        QTest::keyClicks(surname, QStringLiteral("x"));
        QCOMPARE(main.windowTitle(), QStringLiteral("* ") + title);
        program->frmCommon->action(QStringLiteral("actDBSaveRow"))->trigger();
        QCOMPARE(main.windowTitle(), title);
        QVERIFY(save->text() == QStringLiteral("Saving...") ||
                save->text().startsWith(QStringLiteral("Saved at ")));
        main.Session().FinishSaves();
        QTRY_VERIFY(save->text().startsWith(QStringLiteral("Saved at ")));
        QVERIFY(QRegularExpression(QStringLiteral("^Saved at \\d\\d:\\d\\d:\\d\\d$"))
                    .match(save->text())
                    .hasMatch());
        // Moving on drops the mark with the edits (after the question).
        QTest::keyClicks(surname, QStringLiteral("y"));
        QCOMPARE(main.windowTitle(), QStringLiteral("* ") + title);
        main.Session().RefreshData();
        QCOMPARE(main.windowTitle(), title);
        // Without a database the program's name alone.
        try {
            main.Session().OpenFile(QDir::current().filePath(QStringLiteral("missing.tbr")));
        } catch (const std::exception&) {
            // The missing file is the engine's error; the session has no database.
        }
        QCOMPARE(main.Session().DatabaseName(), QString());
        QCOMPARE(main.windowTitle(), QStringLiteral("Orvane Contacts"));
    }

    void argumentOpensThatFile() {
        MakeSampleDatabase(QDir::current().filePath(QStringLiteral("Pellum.tbr")));
        QTemporaryDir dir;
        const QString other = dir.filePath(QStringLiteral("Other.tbr"));
        apptest::MakeDatabase(other, 2);
        auto program = StartProgram({other}, false);
        QCOMPARE(program->frmMain->Session().Quib1().DatabaseName(), other);
        QCOMPARE(program->frmMain->Session().Quib1().RowsCount(), 2);
    }

    void startUpDatabaseSettingIsUsed() {
        QTemporaryDir dir;
        const QString stored = dir.filePath(QStringLiteral("Stored.tbr"));
        apptest::MakeDatabase(stored, 4);
        WriteSettingString(QStringLiteral("StartUpDatabase"), stored);
        auto program = StartProgram({}, false);
        QCOMPARE(program->frmMain->Session().Quib1().RowsCount(), 4);
    }

    // The first start of an installed program: no "Pellum.tbr" yet is no error.
    void missingStartUpDatabaseLeavesProgramRunning() {
        QTemporaryDir logs;
        TSimpleExceptionLog::SetErrorLogFileName(logs.filePath(QStringLiteral("pellum.Error.log")));
        auto program = StartProgram({}, false);
        TfrmMain& main = *program->frmMain;
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        QCOMPARE(main.Session().Quib1().DatabaseName(), QString());
        QVERIFY2(messages_->messages().empty(), qPrintable(messages_->texts().join(u'|')));
        QVERIFY(!QFile::exists(logs.filePath(QStringLiteral("pellum.Error.log"))));
        QCOMPARE(main.NavigationLabel()->text(), QStringLiteral("No database"));
        QVERIFY(main.NoDatabaseLine()->isVisible());
        QCOMPARE(main.NoDatabaseLine()->text(),
                 QStringLiteral("No database is open. Use File | New to create one or File | "
                                "Open to open one."));
        QCOMPARE(program->frmCommon->DatabaseCommands().dlgOpenFileName, QString());
        QVERIFY(!program->frmCommon->action(QStringLiteral("actDBSave"))->isEnabled());
        // File | New works from there.
        QTemporaryDir dir;
        const QString created = dir.filePath(QStringLiteral("First.tbr"));
        FileChooserTest::Reset();
        FileChooserTest::QueueAnswer(created);
        program->frmCommon->action(QStringLiteral("actDBCreate"))->trigger();
        FileChooserTest::Reset();
        QCOMPARE(main.Session().DatabaseName(), created);
        QCOMPARE(main.Session().Quib1().RowsCount(), 1);
        QVERIFY(!main.NoDatabaseLine()->isVisible());
        QVERIFY(QFile::exists(created));
        QVERIFY(messages_->messages().empty());
        TSimpleExceptionLog::SetErrorLogFileName({});
    }

    // Asked for by name, a missing database is reported as before.
    void missingDatabaseOnTheCommandLineIsReported() {
        auto program = StartProgram({QStringLiteral("missing.tbr")}, false);
        QCOMPARE(program->frmMain->Session().Quib1().DatabaseName(), QString());
        QCOMPARE(messages_->messages().size(), size_t(1));
        QCOMPARE(messages_->messages().front().type, MsgType::Error);
        QVERIFY(program->frmMain->NoDatabaseLine()->isVisibleTo(program->frmMain.get()));
    }

    void fileDialogsOfferDatabases() {
        MakeSampleDatabase(QDir::current().filePath(QStringLiteral("Pellum.tbr")));
        auto program = StartProgram({}, false);
        TDatabaseCommands& common = program->frmCommon->DatabaseCommands();
        QTemporaryDir dir;
        const QString chosen = dir.filePath(QStringLiteral("Chosen.tbr"));
        apptest::MakeDatabase(chosen, 1);
        FileChooserTest::Reset();
        FileChooserTest::QueueAnswer(chosen);
        FileChooserTest::QueueAnswer(chosen);
        FileChooserTest::QueueAnswer(QString());
        QCOMPARE(common.ExecuteOpenDialog(QStringLiteral("Open Database")), chosen);
        const TFileChoice open = FileChooserTest::Asked().at(0);
        QCOMPARE((QStringList{open.objectName, open.title, open.defaultSuffix,
                              open.nameFilters.join(u';'), open.preset}),
                 (QStringList{"dlgOpen", "Open Database", "tbr", "Database (*.tbr);All files (*)",
                              "Pellum.tbr"}));
        QVERIFY(open.mode == TFileChoice::Mode::Open);
        QCOMPARE(common.dlgOpenFileName, chosen);
        QCOMPARE(common.ExecuteSaveDialog(QStringLiteral("Save Database As")), chosen);
        QCOMPARE(FileChooserTest::Asked().at(1).objectName, QStringLiteral("dlgSave"));
        QVERIFY(FileChooserTest::Asked().at(1).mode == TFileChoice::Mode::Save);
        QVERIFY(FileChooserTest::Asked().at(1).confirmOverwrite);
        QCOMPARE(common.ExecuteOpenDialog(QStringLiteral("Open Database")), QString());
        QCOMPARE(common.dlgOpenFileName, chosen);
        FileChooserTest::Reset();
    }

    void languageChangeKeepsProgramTexts() {
        MakeSampleDatabase(QDir::current().filePath(QStringLiteral("Pellum.tbr")));
        auto program = StartProgram({}, false);
        TfrmMain& main = *program->frmMain;
        const QString navigation = main.NavigationLabel()->text();
        QEvent change(QEvent::LanguageChange);
        QApplication::sendEvent(&main, &change);
        QCOMPARE(main.NavigationLabel()->text(), navigation);
        QCOMPARE(main.RecentFileEntry(0)->text(), QStringLiteral("&1. Pellum.tbr"));
        QVERIFY(!main.RecentFileEntry(1)->isVisible());
    }

    void corruptStartUpDatabaseIsReportedAndClosed() {
        QFile garbage(QStringLiteral("Pellum.tbr"));
        QVERIFY(garbage.open(QIODevice::WriteOnly));
        garbage.write("this is not a database at all");
        garbage.close();
        auto program = StartProgram({}, false);
        TfrmMain& main = *program->frmMain;
        QCOMPARE(messages_->messages().size(), size_t(1));
        QCOMPARE(messages_->messages().front().type, MsgType::Error);
        QCOMPARE(main.Session().Quib1().DatabaseName(), QString());
        QCOMPARE(main.Session().Quib1().RowsCount(), 0);
        QCOMPARE(main.NavigationLabel()->text(), QStringLiteral("No database"));
        QVERIFY(!program->frmCommon->action(QStringLiteral("actDBNewRow"))->isEnabled());
        QCOMPARE(RecentFiles::Read(), (QStringList{"", "", "", ""}));
    }

    void badStoredIntegerIsReportedAndStartUpGoesOn() {
        MakeSampleDatabase(QDir::current().filePath(QStringLiteral("Pellum.tbr")));
        WriteSettingString(QStringLiteral("MenuStyle"), QStringLiteral("new"));
        WriteSettingString(QStringLiteral("ActiveTab"), QStringLiteral("x"));
        auto program = StartProgram({}, false);
        QCOMPARE(messages_->messages().size(), size_t(2));
        QCOMPARE(messages_->messages()[0].type, MsgType::Error);
        QVERIFY(messages_->texts()[0].contains(QStringLiteral("new")));
        QVERIFY(messages_->texts()[1].contains(QStringLiteral("x")));
        QVERIFY(!program->frmMain->MenuOwnerDraw());
        QCOMPARE(program->frmMain->Session().Quib1().DatabaseName(), QStringLiteral("Pellum.tbr"));
    }

    void closingMainWindowClosesHelp() {
        MakeSampleDatabase(QDir::current().filePath(QStringLiteral("Pellum.tbr")));
        auto program = StartProgram({}, false);
        program->frmMain->show();
        program->frmCommon->action(QStringLiteral("actHelpContents"))->trigger();
        QVERIFY(program->frmCommon->HelpCommands().HelpRouter().window()->isVisible());
        program->frmMain->close();
        QVERIFY(!program->frmCommon->HelpCommands().HelpRouter().window()->isVisible());
    }

    void newStyleMenu() {
        MakeSampleDatabase(QDir::current().filePath(QStringLiteral("Pellum.tbr")));
        WriteSettingString(QStringLiteral("MenuStyle"), QStringLiteral("0"));
        auto program = StartProgram({}, false);
        TfrmMain& main = *program->frmMain;
        QVERIFY(main.MenuOwnerDraw());
        QVERIFY(!main.menuBar()->isVisibleTo(&main));
        auto* menuBar = main.findChild<QToolBar*>(QStringLiteral("tbMainMenu"));
        QVERIFY(menuBar->isVisibleTo(&main));
        QCOMPARE(menuBar->actions().size(), 6);
        auto* file = main.findChild<QMenu*>(QStringLiteral("mnuFile"));
        auto* recent = main.findChild<QMenu*>(QStringLiteral("mnuFileRecentFiles"));
        QCOMPARE(file->property("menuTag").toInt(), 1);
        QCOMPARE(recent->property("menuTag").toInt(), 2);
        QVERIFY(qobject_cast<TNewStyleMenuStyle*>(file->style()) != nullptr);
        // Owner-drawn sizes: 200 wide first-level items, 30 high.
        file->ensurePolished();
        QVERIFY(file->sizeHint().width() >= TNewStyleMenuStyle::FirstLevelWidth);
        const QImage drawn = file->grab().toImage();
        QVERIFY(distinctColours(drawn) > 3);
        QCOMPARE(drawn.pixelColor(drawn.width() - 10, drawn.height() / 2), QColor(231, 228, 220));
        // The recent-file submenu holds one entry: a deeper first item, 30 + 20 high.
        recent->ensurePolished();
        QVERIFY(recent->sizeHint().height() >= 50);
        QVERIFY(recent->sizeHint().height() < 60);
        QVERIFY(recent->sizeHint().width() >= TNewStyleMenuStyle::DeeperWidth);
        QVERIFY(recent->sizeHint().width() < TNewStyleMenuStyle::FirstLevelWidth);

        // Back to classic through the options' "Manual" occasion; no reopen.
        WriteSettingString(QStringLiteral("MenuStyle"), QStringLiteral("1"));
        main.Session().MoveLast();
        program->frmCommon->ApplySettings(TSettingsOccasion::Manual);
        QVERIFY(!main.MenuOwnerDraw());
        QVERIFY(main.menuBar()->isVisibleTo(&main));
        QVERIFY(!menuBar->isVisibleTo(&main));
        QVERIFY(qobject_cast<TNewStyleMenuStyle*>(file->style()) == nullptr);
        QCOMPARE(main.Session().Quib1().RowIndex(), SampleContactCount() - 1);
    }

    void activeTabSelectsStartUpPage() {
        MakeSampleDatabase(QDir::current().filePath(QStringLiteral("Pellum.tbr")));
        WriteSettingString(QStringLiteral("ActiveTab"), QStringLiteral("1"));
        auto program = StartProgram({}, false);
        QCOMPARE(program->frmMain->frameMainIDE()->currentPage(), 1);
        // Only at start-up: a manual apply leaves the page alone.
        WriteSettingString(QStringLiteral("ActiveTab"), QStringLiteral("0"));
        program->frmCommon->ApplySettings(TSettingsOccasion::Manual);
        QCOMPARE(program->frmMain->frameMainIDE()->currentPage(), 1);
    }

    void sameMenuStyleDoesNotTouchMenu() {
        MakeSampleDatabase(QDir::current().filePath(QStringLiteral("Pellum.tbr")));
        auto program = StartProgram({}, false);
        auto* file = program->frmMain->findChild<QMenu*>(QStringLiteral("mnuFile"));
        file->setProperty("menuTag", 7);
        program->frmCommon->ApplySettings(TSettingsOccasion::Manual);
        QCOMPARE(file->property("menuTag").toInt(), 7);
    }

    void stripAccelerators() {
        QCOMPARE(StripAccelerators(QStringLiteral("&Open...")), QStringLiteral("Open..."));
        QCOMPARE(StripAccelerators(QStringLiteral("Save && &Close")),
                 QStringLiteral("Save & Close"));
        QCOMPARE(StripAccelerators(QStringLiteral("&")), QString());
    }

    void firstShowFinishesStartUp() {
        MakeSampleDatabase(QDir::current().filePath(QStringLiteral("Pellum.tbr")));
        auto program = StartProgram({}, true);
        TfrmMain& main = *program->frmMain;
        QVERIFY(main.StartingUp());
        QVERIFY(main.findChild<TfrmSplash*>() == nullptr);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        QVERIFY(!main.StartingUp());
        QCOMPARE(main.FieldLabel(0)->text(), QStringLiteral("Surname:"));
        QCOMPARE(main.FieldLabel(31)->text(), QStringLiteral("Notes:"));
        QCOMPARE(main.frameMainIDE()->fieldText(0), QStringLiteral("Novák"));
        QCOMPARE(main.NavigationLabel()->text(),
                 QStringLiteral("1 / %1 [Pellum.tbr]").arg(SampleContactCount()));
        for (QWidget* w : QApplication::topLevelWidgets()) {
            QVERIFY(qobject_cast<TfrmSplash*>(w) == nullptr || !w->isVisible());
        }
    }

    void mainWindowIsDrawn() {
        MakeSampleDatabase(QDir::current().filePath(QStringLiteral("Pellum.tbr")));
        auto program = StartProgram({}, false);
        TfrmMain& main = *program->frmMain;
        QCOMPARE(main.size(), QSize(413, 552));
        QCOMPARE(main.minimumSize(), QSize(332, 212));
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        const QImage shot = main.grab().toImage();
        QCOMPARE(shot.size(), main.size() * shot.devicePixelRatio());
        QVERIFY2(distinctColours(shot) > 20, "the main window looks blank");
    }

    void viewToggles() {
        MakeSampleDatabase(QDir::current().filePath(QStringLiteral("Pellum.tbr")));
        auto program = StartProgram({}, false);
        TfrmMain& main = *program->frmMain;
        main.show();
        auto* toolbar = main.findChild<QToolBar*>(QStringLiteral("tbMain"));
        auto* navbar = main.findChild<QWidget*>(QStringLiteral("pnlDBNavBar"));
        const std::pair<const char*, QWidget*> toggles[] = {{"mnuViewToolbar", toolbar},
                                                            {"mnuViewNavBar", navbar},
                                                            {"mnuViewStatusBar", main.statusBar()}};
        for (const auto& [name, bar] : toggles) {
            auto* act = main.findChild<QAction*>(QLatin1String(name));
            QVERIFY(act->isChecked());
            QVERIFY(bar->isVisible());
            act->trigger();
            QVERIFY(!act->isChecked());
            QVERIFY(!bar->isVisible());
            act->trigger();
            QVERIFY(bar->isVisible());
        }
    }

    void statusBarShowsHints() {
        MakeSampleDatabase(QDir::current().filePath(QStringLiteral("Pellum.tbr")));
        auto program = StartProgram({}, false);
        TfrmMain& main = *program->frmMain;
        main.show();
        auto* ready = main.findChild<QLabel*>(QStringLiteral("lblStatusReady"));
        QCOMPARE(ready->text(), QStringLiteral("Ready"));
        QStatusTipEvent hint(QStringLiteral("Open an existing database"));
        QApplication::sendEvent(&main, &hint);
        QCOMPARE(main.statusBar()->currentMessage(), QStringLiteral("Open an existing database"));
        QVERIFY(!ready->isVisible());
        QStatusTipEvent none{QString()};
        QApplication::sendEvent(&main, &none);
        QVERIFY(ready->isVisible());
    }

    void navigationTextTooltipFollowsText() {
        MakeSampleDatabase(QDir::current().filePath(QStringLiteral("Pellum.tbr")));
        auto program = StartProgram({}, false);
        QLabel* label = program->frmMain->NavigationLabel();
        QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), QPointF(2, 2), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(label, &move);
        QCOMPARE(label->toolTip(), label->text());
    }

    void helpPages() {
        MakeSampleDatabase(QDir::current().filePath(QStringLiteral("Pellum.tbr")));
        auto program = StartProgram({}, false);
        TfrmCommon& common = *program->frmCommon;
        common.action(QStringLiteral("actHelpContents"))->trigger();
        QVERIFY(common.HelpCommands().HelpRouter().window() != nullptr);
        QCOMPARE(common.HelpCommands().HelpRouter().window()->CurrentPage(),
                 QUrl("qrc:/help/index.html"));
        common.action(QStringLiteral("actHelpWhatIsNew"))->trigger();
        QCOMPARE(common.HelpCommands().HelpRouter().window()->CurrentPage(),
                 QUrl("qrc:/help/what_is_new.html"));
        common.action(QStringLiteral("actHelpHowToUse"))->trigger();
        QCOMPARE(common.HelpCommands().HelpRouter().window()->CurrentPage(),
                 QUrl("qrc:/help/how_to_use_help.html"));
        common.action(QStringLiteral("actHelpTopicSearch"))->trigger();
        QCOMPARE(common.HelpCommands().HelpRouter().window()->CurrentPage(),
                 QUrl("qrc:/help/search.html"));
        for (int context : {11, 12, 13, 14, 15, 16, 22, 31, 32, 33, 34, 41}) {
            const QString page = THelpRouter::PageOfContext(context);
            QVERIFY2(page != QLatin1String("index.html"), qPrintable(QString::number(context)));
            QVERIFY(QFile::exists(QStringLiteral(":/help/") + page));
        }
        QCOMPARE(THelpRouter::PageOfContext(999), QStringLiteral("index.html"));
        // F1 over an open menu shows that menu's topic.
        auto* edit = program->frmMain->findChild<QMenu*>(QStringLiteral("mnuEdit"));
        QCOMPARE(edit->property("helpContext").toInt(), 12);
        QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
        QApplication::sendEvent(edit, &f1);
        QCOMPARE(common.HelpCommands().HelpRouter().window()->CurrentPage(),
                 QUrl("qrc:/help/edit_menu.html"));
        QCOMPARE(common.action(QStringLiteral("actDBPrint"))->property("helpContext").toInt(), 31);
    }

    void exceptionInEventHandlerIsShown() {
        TThrower thrower;
        QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
        QCoreApplication::sendPostedEvents(&thrower, QEvent::User);
        QCOMPARE(messages_->texts(), QStringList{QStringLiteral("Handler failed.")});
        QCOMPARE(messages_->messages().front().type, MsgType::Error);
    }

    void editCommandsWorkOnFocusedField() {
        MakeSampleDatabase(QDir::current().filePath(QStringLiteral("Pellum.tbr")));
        auto program = StartProgram({}, false);
        TfrmMain& main = *program->frmMain;
        main.show();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        auto* field = main.FieldEdit(0);
        field->setFocus();
        QMetaObject::invokeMethod(field, "selectAll");
        program->frmCommon->action(QStringLiteral("actEditCut"))->trigger();
        QCOMPARE(main.frameMainIDE()->fieldText(0), QString());
        program->frmCommon->action(QStringLiteral("actEditPaste"))->trigger();
        QCOMPARE(main.frameMainIDE()->fieldText(0), QStringLiteral("Novák"));
        program->frmCommon->action(QStringLiteral("actEditUndo"))->trigger();
        QCOMPARE(main.frameMainIDE()->fieldText(0), QString());
    }
};

int main(int argc, char** argv) {
    TPellumApplication app(argc, argv);
    TestStartUp test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_StartUp.moc"
