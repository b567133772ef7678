#include "app/Pellum.h"
#include "app/u_frmCommon.h"
#include "app/u_frmMain.h"
#include "query/u_QueryCommands.h"
#include "session/QUIBLib_TLB.h"
#include "session/u_ContactsSession.h"
#include "support/u_Settings.h"
#include "views/u_frameMainGrid.h"
#include "views/u_frameMainIDE.h"

#include "AppTestSupport.h"
#include "testsupport/TestSupport.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTemporaryDir>
#include <QtTest>

#include <map>

namespace {

// The commands whose state UpdateCommandStates decides.
const QStringList kCommands{
    "actDBMoveFirst",   "actDBMovePrevious",    "actDBMoveNext",      "actDBMoveLast",
    "actDBNewRow",      "actDBSaveRow",         "actDBDeleteRow",     "actDBCreate",
    "actDBOpen",        "actDBImportExportTBR", "actDBImportFromCSV", "actDBExportToCSV",
    "actDBSave",        "actDBSaveAs",          "actDBReload",        "actDBPrint",
    "actEditFindBasic", "actEditFindBasicNext", "actEditFindQuery",   "actShowAsTable",
    "actDBPrintCancel", "actDBSortCancel"};

}  // namespace

class TestCommandStates : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir dir_;
    std::unique_ptr<MessageRecorder> messages_;
    std::unique_ptr<TProgram> program_;

    TfrmMain& main() { return *program_->frmMain; }
    TfrmCommon& common() { return *program_->frmCommon; }
    bool enabled(const QString& name) { return common().action(name)->isEnabled(); }

    void start(int rows) {
        const QString path = dir_.filePath(QStringLiteral("db%1.tbr").arg(rows));
        apptest::MakeDatabase(path, rows);
        program_ = StartProgram({path}, false);
        QCOMPARE(main().Session().Quib1().RowsCount(), rows);
    }

    void startWithoutDatabase() {
        program_ = StartProgram({dir_.filePath(QStringLiteral("missing.tbr"))}, false);
        QCOMPARE(main().Session().Quib1().DatabaseName(), QString());
    }

    std::map<QString, bool> snapshot() {
        std::map<QString, bool> states;
        for (const QString& name : kCommands) {
            states[name] = enabled(name);
        }
        states[QStringLiteral("recent")] = main().RecentFilesMenu()->isEnabled();
        states[QStringLiteral("grid checked")] = common().action("actShowAsTable")->isChecked();
        return states;
    }

    void expect(const std::map<QString, bool>& wanted) {
        // The states the holder keeps are what the actions show: commands
        // ask the holder, never an action.
        for (int c = 0; c < kCommandCount; ++c) {
            const auto command = static_cast<TCommand>(c);
            const char* name = CommandActionName(command);
            const bool shown = name != nullptr ? enabled(QLatin1String(name))
                               : command == TCommand::RecentFiles
                                   ? main().RecentFilesMenu()->isEnabled()
                                   : main().Card().fieldEdit(0)->isEnabled();
            if (common().IsEnabled(command) != shown) {
                QFAIL(qPrintable(QStringLiteral("the holder keeps command %1 as %2")
                                     .arg(c)
                                     .arg(shown ? "disabled" : "enabled")));
            }
        }
        for (const auto& [name, state] : wanted) {
            const bool actual = name == QLatin1String("recent")
                                    ? main().RecentFilesMenu()->isEnabled()
                                    : enabled(name);
            if (actual != state) {
                QFAIL(qPrintable(
                    QStringLiteral("%1 is %2").arg(name, actual ? "enabled" : "disabled")));
            }
        }
    }

  private slots:
    void init() {
        apptest::ClearSettings();
        messages_ = std::make_unique<MessageRecorder>();
    }
    void cleanup() {
        program_.reset();
        messages_.reset();
    }

    void noDatabase() {
        startWithoutDatabase();
        expect({{"actDBMoveFirst", false},
                {"actDBMovePrevious", false},
                {"actDBMoveNext", false},
                {"actDBMoveLast", false},
                {"actDBNewRow", false},
                {"actDBSaveRow", false},
                {"actDBDeleteRow", false},
                {"actDBCreate", true},
                {"actDBOpen", true},
                {"recent", true},
                {"actDBImportExportTBR", true},
                {"actDBImportFromCSV", false},
                {"actDBExportToCSV", false},
                {"actDBSave", false},
                {"actDBSaveAs", false},
                {"actDBReload", false},
                {"actDBPrint", false},
                {"actEditFindBasic", false},
                {"actEditFindBasicNext", false},
                {"actEditFindQuery", false},
                {"actShowAsTable", false}});
        QCOMPARE(main().NavigationLabel()->text(), QStringLiteral("No database"));
        for (int i = 0; i < main().FieldEditsCount(); ++i) {
            QVERIFY(!main().FieldEdit(i)->isEnabled());
        }
        QCOMPARE(main().NavigationLabel()->objectName(), QStringLiteral("lblDBNavBar_Text"));
    }

    void oneRecord() {
        start(1);
        expect({{"actDBMoveFirst", false},
                {"actDBMovePrevious", false},
                {"actDBMoveNext", false},
                {"actDBMoveLast", false},
                {"actDBNewRow", true},
                {"actDBSaveRow", true},
                {"actDBDeleteRow", false},
                {"actDBSave", true},
                {"actDBReload", true},
                {"actDBImportFromCSV", true},
                {"actDBExportToCSV", true},
                {"actDBPrint", true},
                {"actEditFindBasic", true},
                {"actEditFindQuery", true},
                {"actShowAsTable", true}});
        for (int i = 0; i < main().FieldEditsCount(); ++i) {
            QVERIFY(main().FieldEdit(i)->isEnabled());
        }
        QCOMPARE(main().NavigationLabel()->text(),
                 QStringLiteral("1 / 1 [%1]").arg(main().Session().Quib1().DatabaseName()));
    }

    void severalRecords() {
        start(3);
        expect({{"actDBMoveFirst", false},
                {"actDBMovePrevious", false},
                {"actDBMoveNext", true},
                {"actDBMoveLast", true},
                {"actDBDeleteRow", true}});
        common().action("actDBMoveNext")->trigger();
        QCOMPARE(main().Session().Quib1().RowIndex(), 1);
        expect({{"actDBMoveFirst", true},
                {"actDBMovePrevious", true},
                {"actDBMoveNext", true},
                {"actDBMoveLast", true}});
        QCOMPARE(main().frameMainIDE()->fieldText(0), QStringLiteral("Row 2"));
        common().action("actDBMoveLast")->trigger();
        expect({{"actDBMoveFirst", true},
                {"actDBMovePrevious", true},
                {"actDBMoveNext", false},
                {"actDBMoveLast", false}});
        QCOMPARE(main().NavigationLabel()->text(),
                 QStringLiteral("3 / 3 [%1]").arg(main().Session().Quib1().DatabaseName()));
    }

    void emptyDatabase() {
        start(0);
        expect({{"actDBNewRow", true},
                {"actDBSaveRow", false},
                {"actDBDeleteRow", false},
                {"actShowAsTable", false},
                {"actDBSave", true}});
        QCOMPARE(main().NavigationLabel()->text(),
                 QStringLiteral("0 / 0 [%1]").arg(main().Session().Quib1().DatabaseName()));
    }

    void tableVisible() {
        start(3);
        common().action("actShowAsTable")->trigger();
        QVERIFY(main().IsTableShown());
        QVERIFY(main().frameMainGrid()->isVisibleTo(&main()));
        QVERIFY(!main().frameMainIDE()->isVisibleTo(&main()));
        expect({{"actDBMoveFirst", false},
                {"actDBMovePrevious", false},
                {"actDBMoveNext", false},
                {"actDBMoveLast", false},
                {"actShowAsTable", true},
                {"actDBNewRow", true}});
        QVERIFY(common().action("actShowAsTable")->isChecked());
        QCOMPARE(main().NavigationLabel()->text(),
                 u'[' + main().Session().Quib1().DatabaseName() + u']');
        // Back to the card.
        common().action("actShowAsTable")->trigger();
        QVERIFY(!main().IsTableShown());
        QVERIFY(!common().action("actShowAsTable")->isChecked());
        expect({{"actDBMoveNext", true}});
    }

    void emptiedTableGoesBackToCard() {
        start(1);
        common().action("actShowAsTable")->trigger();
        QVERIFY(main().IsTableShown());
        main().Session().DeleteRecord(0);
        common().UpdateCommandStates(TCommandMode::RefreshData);
        QVERIFY(!main().IsTableShown());
        QCOMPARE(main().CurrentView(), TView::Card);
        QVERIFY(!enabled("actShowAsTable"));
        QVERIFY(!common().action("actShowAsTable")->isChecked());
    }

    void printMode() {
        start(3);
        common().action("actDBPrint")->trigger();
        QCOMPARE(main().ViewFrame(main().CurrentView())->objectName(),
                 QStringLiteral("frameMainPrintRows"));
        QCOMPARE(main().NavigationLabel()->text(),
                 u'[' + main().Session().Quib1().DatabaseName() + u']');
        expect({{"actDBPrintCancel", true},
                {"actDBMoveFirst", false},
                {"actDBMoveNext", false},
                {"actDBMoveLast", false},
                {"actDBNewRow", false},
                {"actDBSaveRow", false},
                {"actDBDeleteRow", false},
                {"actDBCreate", false},
                {"actDBOpen", false},
                {"recent", false},
                {"actDBImportExportTBR", false},
                {"actDBImportFromCSV", false},
                {"actDBExportToCSV", false},
                {"actDBSave", false},
                {"actDBSaveAs", false},
                {"actDBReload", false},
                {"actDBPrint", false},
                {"actEditFindBasic", false},
                {"actEditFindBasicNext", false},
                {"actEditFindQuery", false},
                {"actShowAsTable", false}});
        common().action("actDBPrintCancel")->trigger();
        QCOMPARE(main().CurrentView(), TView::Card);
        expect({{"actDBPrintCancel", false},
                {"actDBOpen", true},
                {"recent", true},
                {"actDBMoveNext", true},
                {"actDBPrint", true}});
    }

    void queryModes() {
        start(3);
        common().action("actShowAsTable")->trigger();
        common().action("actEditFindQuery")->trigger();
        QCOMPARE(main().ViewFrame(main().CurrentView())->objectName(),
                 QStringLiteral("frameMainDBQuery"));
        QCOMPARE(common().QueryCommands().ViewBeforeQuery, TView::Table);
        expect({{"actDBPrintCancel", false},
                {"actDBOpen", false},
                {"actShowAsTable", false},
                {"actEditFindQuery", false},
                {"recent", false}});
        common().action("actDBFindQueryClose")->trigger();
        QVERIFY(main().IsTableShown());
        expect({{"actDBOpen", true},
                {"actShowAsTable", true},
                {"actEditFindQuery", true},
                {"recent", true}});
        common().UpdateCommandStates(TCommandMode::DBQuery);
        common().UpdateCommandStates(TCommandMode::DBQueryResult);
        expect({{"actDBOpen", true}, {"actDBMoveNext", false}});
    }

    void sortBuilder() {
        start(3);
        QVERIFY(!enabled("actDBSortCancel"));
        common().action("actDBSortShow")->trigger();
        QCOMPARE(main().ViewFrame(main().CurrentView())->objectName(),
                 QStringLiteral("frameMainDBSort"));
        QVERIFY(enabled("actDBSortCancel"));
        QVERIFY(enabled("actDBOpen"));  // other commands stay available
        common().action("actDBSortCancel")->trigger();
        QCOMPARE(main().CurrentView(), TView::Card);
        QVERIFY(!enabled("actDBSortCancel"));
        common().action("actDBSortShow")->trigger();
        common().action("actDBSortShow")->trigger();
        QCOMPARE(main().CurrentView(), TView::Card);
    }

    void otherModesChangeNothing_data() {
        QTest::addColumn<QString>("mode");
        QTest::newRow("empty") << "";
        QTest::newRow("unknown") << "Refresh";
        QTest::newRow("wrong case") << "refreshdata";
    }

    void otherModesChangeNothing() {
        QFETCH(QString, mode);
        start(3);
        common().UpdateCommandStates(TCommandMode::print);
        const auto before = snapshot();
        const std::optional<TCommandMode> parsed = CommandModeFromWord(mode);
        QVERIFY(!parsed);
        if (parsed) {
            common().UpdateCommandStates(*parsed);
        }
        QVERIFY(before == snapshot());
    }

    void cancelAtSavePromptKeepsRecord() {
        start(3);
        main().frameMainIDE()->setFieldText(0, QStringLiteral("Edited"));
        QVERIFY(main().Session().RecordChanged());
        messages_->queueAnswer(MsgResult::Cancel);
        common().action("actDBMoveNext")->trigger();
        QCOMPARE(main().Session().Quib1().RowIndex(), 0);
        QCOMPARE(main().frameMainIDE()->fieldText(0), QStringLiteral("Edited"));
        QCOMPARE(
            messages_->texts(),
            QStringList{QStringLiteral("Current record was changed. Save it before continue?")});
        messages_->queueAnswer(MsgResult::No);
        common().action("actDBMoveNext")->trigger();
        QCOMPARE(main().Session().Quib1().RowIndex(), 1);
        QVERIFY(!main().Session().RecordChanged());
    }

    void everyCommandExistsWithItsTexts_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<QString>("shortcut");
        QTest::newRow("actDBCreate") << "actDBCreate"
                                     << "&New..."
                                     << "Create new database"
                                     << "Ctrl+N";
        QTest::newRow("actDBOpen") << "actDBOpen"
                                   << "&Open..."
                                   << "Open an existing database"
                                   << "Ctrl+O";
        QTest::newRow("actDBSave") << "actDBSave"
                                   << "&Save"
                                   << "Save current database"
                                   << "Ctrl+S";
        QTest::newRow("actDBSaveAs") << "actDBSaveAs"
                                     << "Save &As..."
                                     << ""
                                     << "";
        QTest::newRow("actDBReload") << "actDBReload"
                                     << "&Reload"
                                     << "Reload current database"
                                     << "";
        QTest::newRow("actDBImportExportTBR") << "actDBImportExportTBR"
                                              << "Import from / Export to &TBR..."
                                              << ""
                                              << "";
        QTest::newRow("actDBImportFromCSV") << "actDBImportFromCSV"
                                            << "Import from &CSV..."
                                            << ""
                                            << "";
        QTest::newRow("actDBExportToCSV") << "actDBExportToCSV"
                                          << "&Export to CSV..."
                                          << ""
                                          << "";
        QTest::newRow("actDBPrint") << "actDBPrint"
                                    << "&Print..."
                                    << ""
                                    << "Ctrl+P";
        QTest::newRow("actDBPrintSetup") << "actDBPrintSetup"
                                         << "Pr&int Setup..."
                                         << ""
                                         << "";
        QTest::newRow("actDBMoveFirst") << "actDBMoveFirst"
                                        << "&First"
                                        << ""
                                        << "Ctrl+Home";
        QTest::newRow("actDBMovePrevious") << "actDBMovePrevious"
                                           << "&Previous"
                                           << ""
                                           << "Ctrl+PgUp";
        QTest::newRow("actDBMoveNext") << "actDBMoveNext"
                                       << "&Next"
                                       << ""
                                       << "Ctrl+PgDown";
        QTest::newRow("actDBMoveLast") << "actDBMoveLast"
                                       << "&Last"
                                       << ""
                                       << "Ctrl+End";
        QTest::newRow("actDBNewRow") << "actDBNewRow"
                                     << "N&ew"
                                     << ""
                                     << "Ctrl+Shift+N";
        QTest::newRow("actDBSaveRow") << "actDBSaveRow"
                                      << "&Save"
                                      << ""
                                      << "";
        QTest::newRow("actDBDeleteRow") << "actDBDeleteRow"
                                        << "&Delete"
                                        << ""
                                        << "Ctrl+Del";
        QTest::newRow("actShowAsTable") << "actShowAsTable"
                                        << "Show &Grid"
                                        << "Show database as a table"
                                        << "";
        QTest::newRow("actEditUndo") << "actEditUndo"
                                     << "&Undo"
                                     << ""
                                     << "Alt+Backspace";
        QTest::newRow("actEditCut") << "actEditCut"
                                    << "Cu&t"
                                    << ""
                                    << "Ctrl+X";
        QTest::newRow("actEditCopy") << "actEditCopy"
                                     << "&Copy"
                                     << ""
                                     << "Ctrl+C";
        QTest::newRow("actEditPaste") << "actEditPaste"
                                      << "&Paste"
                                      << ""
                                      << "Ctrl+V";
        QTest::newRow("actEditFindBasic") << "actEditFindBasic"
                                          << "&Find..."
                                          << ""
                                          << "Ctrl+F";
        QTest::newRow("actEditFindBasicNext") << "actEditFindBasicNext"
                                              << "Find &Next"
                                              << ""
                                              << "F3";
        QTest::newRow("actEditFindQuery") << "actEditFindQuery"
                                          << "&Query..."
                                          << ""
                                          << "Ctrl+Alt+F";
        QTest::newRow("actDBSortShow") << "actDBSortShow"
                                       << "&Sort database..."
                                       << ""
                                       << "";
        QTest::newRow("actOptions") << "actOptions"
                                    << "&Options..."
                                    << ""
                                    << "";
        QTest::newRow("actHelpContents") << "actHelpContents"
                                         << "&Help Topics"
                                         << ""
                                         << "";
        QTest::newRow("actHelpTopicSearch") << "actHelpTopicSearch"
                                            << "&Topic Search"
                                            << ""
                                            << "";
        QTest::newRow("actHelpHowToUse") << "actHelpHowToUse"
                                         << "How To Use Help"
                                         << ""
                                         << "";
        QTest::newRow("actHelpWhatIsNew") << "actHelpWhatIsNew"
                                          << "&What Is New?"
                                          << ""
                                          << "";
        QTest::newRow("actHelpUpdate") << "actHelpUpdate"
                                       << "&Check for Updates..."
                                       << ""
                                       << "";
        QTest::newRow("actHelpVisitWWW") << "actHelpVisitWWW"
                                         << "&Product Web Site..."
                                         << ""
                                         << "";
        QTest::newRow("actAbout") << "actAbout"
                                  << "&About..."
                                  << ""
                                  << "Ctrl+Alt+A";
    }

    void everyCommandExistsWithItsTexts() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, hint);
        QFETCH(QString, shortcut);
        start(1);
        QAction* act = common().action(name);
        QVERIFY(act != nullptr);
        QCOMPARE(act->text(), caption);
        if (!hint.isEmpty()) {
            QCOMPARE(act->statusTip(), hint);
        }
        QCOMPARE(act->shortcut().toString(QKeySequence::PortableText), shortcut);
        QVERIFY(!act->property("category").toString().isEmpty());
        const bool hidden = name == QLatin1String("actHelpTopicSearch") ||
                            name == QLatin1String("actHelpWhatIsNew");
        QCOMPARE(act->isVisible(), !hidden);
    }
};

QTEST_MAIN(TestCommandStates)
#include "test_CommandStates.moc"
