#include "app/Pellum.h"
#include "app/u_Language.h"
#include "app/u_frmCommon.h"
#include "app/u_frmMain.h"
#include "print/u_PrintCommands.h"
#include "print/u_TemplateEditor.h"
#include "print/u_frameMainPrintRows.h"
#include "print/u_frameMainPrintTemplate.h"
#include "session/u_ContactsSession.h"
#include "support/u_FileChooser.h"
#include "support/u_Settings.h"
#include "views/u_NavigationLabel.h"
#include "views/u_frameMainGrid.h"
#include "views/u_frameMainIDE.h"

#include "AppTestSupport.h"
#include "testsupport/TestSupport.h"
#include "testsupport/WidgetLayout.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <memory>

namespace {

// The views of the main window as the user reaches them, each entered from
// the card by its command.
enum class Road {
    Card,
    Table,
    Sort,
    Query,
    QueryResult,
    PrintRows,
    PrintRowsList,
    PrintTemplate,
    PrintTemplateUser,
    PrintPreview
};

}  // namespace

Q_DECLARE_METATYPE(Road)

// The keyboard roads through the real windows: the tool bars of the views
// answer the Alt+letter their captions show, entering a view puts the
// keyboard on its first control, the "New style" menu opens with Alt, the
// template editor's menu opens from the keyboard, and no two things a view
// shows share an accelerator, in English and in Czech.
class TestKeyboardRoads : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();
    void toolBarKeysRunTheirCommands_data();
    void toolBarKeysRunTheirCommands();
    void altLetterIsNoTyping();
    void enteringAViewFocusesItsFirstControl_data();
    void enteringAViewFocusesItsFirstControl();
    void newStyleMenuOpensWithAlt();
    void templateMenuOpensFromTheKeyboard_data();
    void templateMenuOpensFromTheKeyboard();
    void viewsHaveDistinctAccelerators_data();
    void viewsHaveDistinctAccelerators();
    void filterNarrowsTheCardAndTheTable_data();
    void filterNarrowsTheCardAndTheTable();
    void filterAsksFirstAboutCardEdits();

  private:
    void start(bool inCzech = false);
    void go(Road road);
    TfrmMain& main() { return *program_->frmMain; }
    QAction* action(const QString& name) { return program_->frmCommon->action(name); }

    std::unique_ptr<MessageRecorder> messages_;
    std::unique_ptr<TProgram> program_;
};

void TestKeyboardRoads::init() {
    apptest::ClearSettings();
    apptest::MakeDatabase(QDir::current().filePath(QStringLiteral("Pellum.tbr")), 5);
    messages_ = std::make_unique<MessageRecorder>();
}

void TestKeyboardRoads::cleanup() {
    UnloadLanguageModule();
    program_.reset();
    messages_.reset();
}

// The program in the language given: a module is loaded before the windows
// are made, as the program does at its start.
void TestKeyboardRoads::start(bool inCzech) {
    if (inCzech) {
        QVERIFY(LoadLanguageModuleOfCode(QStringLiteral("CSY"),
                                         QStringLiteral(PELLUM_MODULE_DIR "/pellum")));
    }
    program_ = StartProgram({}, false);
    main().show();
    QApplication::setActiveWindow(&main());
    QVERIFY(QTest::qWaitForWindowActive(&main()));
}

void TestKeyboardRoads::go(Road road) {
    const auto run = [this](const char* name) { action(QLatin1String(name))->trigger(); };
    switch (road) {
        case Road::Card:
            break;
        case Road::Table:
            run("actShowAsTable");
            break;
        case Road::Sort:
            run("actDBSortShow");
            break;
        case Road::Query:
            run("actEditFindQuery");
            break;
        case Road::QueryResult:
            run("actEditFindQuery");
            run("actDBFindQueryProcess");
            break;
        case Road::PrintRows:
            run("actDBPrint");
            break;
        case Road::PrintRowsList:
            run("actDBPrint");
            program_->frmCommon->PrintCommands().Rows().ShowRowsPage();
            break;
        case Road::PrintTemplate:
            run("actDBPrint");
            run("actDBPrintShowStepTemplate");
            program_->frmCommon->PrintCommands().Template().ShowBasicPage();
            break;
        case Road::PrintTemplateUser:
            run("actDBPrint");
            run("actDBPrintShowStepTemplate");
            program_->frmCommon->PrintCommands().Template().ShowUserPage();
            break;
        case Road::PrintPreview:
            run("actDBPrint");
            run("actDBPrintShowStepTemplate");
            run("actDBPrintShowStepPreview");
            break;
    }
    QApplication::processEvents();
}

void TestKeyboardRoads::toolBarKeysRunTheirCommands_data() {
    QTest::addColumn<bool>("inCzech");
    QTest::addColumn<Road>("road");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("command");
    const struct {
        const char* name;
        Road road;
        int english;
        int czech;
        const char* command;
    } rows[] = {
        {"query: process", Road::Query, Qt::Key_P, Qt::Key_P, "actDBFindQueryProcess"},
        {"query: close", Road::Query, Qt::Key_C, Qt::Key_D, "actDBFindQueryClose"},
        {"query: new query", Road::Query, Qt::Key_U, Qt::Key_T, "actQueryNew"},
        {"sort: sort", Road::Sort, Qt::Key_S, Qt::Key_E, "actDBSortProcess"},
        {"sort: cancel", Road::Sort, Qt::Key_C, Qt::Key_U, "actDBSortCancel"},
        {"rows: next step", Road::PrintRows, Qt::Key_N, Qt::Key_K, "actDBPrintShowStepTemplate"},
        {"rows: cancel", Road::PrintRows, Qt::Key_C, Qt::Key_U, "actDBPrintCancel"},
        {"rows: process query", Road::PrintRows, Qt::Key_P, Qt::Key_P, "actDBPrintRowsQuery"},
        {"template: next step", Road::PrintTemplate, Qt::Key_N, Qt::Key_K,
         "actDBPrintShowStepPreview"},
        {"template: cancel", Road::PrintTemplate, Qt::Key_C, Qt::Key_U, "actDBPrintCancel"},
        {"preview: cancel", Road::PrintPreview, Qt::Key_C, Qt::Key_U, "actDBPrintCancel"},
    };
    for (const auto& row : rows) {
        QTest::addRow("en %s", row.name)
            << false << row.road << row.english << QString::fromLatin1(row.command);
        QTest::addRow("cs %s", row.name)
            << true << row.road << row.czech << QString::fromLatin1(row.command);
    }
}

void TestKeyboardRoads::toolBarKeysRunTheirCommands() {
    QFETCH(bool, inCzech);
    QFETCH(Road, road);
    QFETCH(int, key);
    QFETCH(QString, command);
    start(inCzech);
    go(road);
    // The query builder's own commands live on the builder, not the holder.
    QAction* target = action(command);
    if (target == nullptr) {
        target = main().ViewFrame(TView::Query)->findChild<QAction*>(command);
    }
    QVERIFY(target != nullptr);
    QVERIFY(target->isEnabled());
    QSignalSpy triggered(target, &QAction::triggered);
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &main(),
                    static_cast<Qt::Key>(key), Qt::AltModifier);
    // A tool button shows its press for a moment before it runs the command.
    QTRY_COMPARE(triggered.count(), 1);
}

void TestKeyboardRoads::altLetterIsNoTyping() {
    start();
    go(Road::Query);
    auto* text =
        main().ViewFrame(TView::Query)->findChild<QLineEdit*>(QStringLiteral("txtQueryText1"));
    text->setFocus();
    QSignalSpy processed(action(QStringLiteral("actDBFindQueryProcess")), &QAction::triggered);
    QTest::keyClick(text, Qt::Key_P, Qt::AltModifier);
    QTRY_COMPARE(processed.count(), 1);
    QCOMPARE(text->text(), QString());
}

void TestKeyboardRoads::enteringAViewFocusesItsFirstControl_data() {
    QTest::addColumn<Road>("road");
    QTest::addColumn<QString>("first");
    QTest::newRow("sort builder") << Road::Sort << QStringLiteral("txtSortItem1");
    QTest::newRow("query view") << Road::Query << QStringLiteral("txtQueryItem1");
    QTest::newRow("table") << Road::Table << QStringLiteral("sgMain");
    QTest::newRow("query result") << Road::QueryResult << QStringLiteral("sgMain");
}

void TestKeyboardRoads::enteringAViewFocusesItsFirstControl() {
    QFETCH(Road, road);
    QFETCH(QString, first);
    start();
    main().Card().fieldEdit(5)->setFocus();
    go(road);
    QWidget* focus = main().focusWidget();
    QVERIFY(focus != nullptr);
    QCOMPARE(focus->objectName(), first);
    QVERIFY(main().ViewFrame(main().CurrentView())->isAncestorOf(focus));
    // Typing goes there at once: a letter in the sort's list chooses a column.
    if (auto* list = qobject_cast<QComboBox*>(focus)) {
        const int before = list->currentIndex();
        QTest::keyClick(focus, Qt::Key_End);
        QVERIFY(list->currentIndex() != before);
    }
}

void TestKeyboardRoads::newStyleMenuOpensWithAlt() {
    WriteSettingString(QStringLiteral("MenuStyle"), QStringLiteral("0"));
    start();
    QVERIFY(main().MenuOwnerDraw());
    auto* bar = main().findChild<QToolBar*>(QStringLiteral("tbMainMenu"));
    auto* file = main().findChild<QMenu*>(QStringLiteral("mnuFile"));
    auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(file->menuAction()));
    // The button shows the underlined letter of its menu.
    QCOMPARE(button->text(), QStringLiteral("&File"));
    auto* surname = qobject_cast<QLineEdit*>(main().Card().fieldEdit(0));
    surname->setFocus();
    surname->setText(QStringLiteral("Row"));
    bool opened = false;
    QTimer::singleShot(0, this, [&] {
        QTRY_VERIFY(file->isVisible());
        opened = true;
        file->close();
    });
    QTest::keyClick(surname, Qt::Key_F, Qt::AltModifier);
    QTRY_VERIFY(opened);
    QCOMPARE(surname->text(), QStringLiteral("Row"));
    // In Czech its letter follows the language.
    QVERIFY(LoadLanguageModuleOfCode(QStringLiteral("CSY"),
                                     QStringLiteral(PELLUM_MODULE_DIR "/pellum")));
    ReloadFormTexts();
    QCOMPARE(button->text(), file->title());
    QVERIFY(button->text().contains(u'&'));
}

void TestKeyboardRoads::templateMenuOpensFromTheKeyboard_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Menu") << int(Qt::Key_Menu) << int(Qt::NoModifier);
    QTest::newRow("Shift+F10") << int(Qt::Key_F10) << int(Qt::ShiftModifier);
}

void TestKeyboardRoads::templateMenuOpensFromTheKeyboard() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    start();
    go(Road::PrintTemplateUser);
    TTemplateEditor& editor = *program_->frmCommon->PrintCommands().Template().editor();
    editor.rtbTemplateUser()->setFocus();
    QVERIFY(editor.contextMenu() != nullptr);
    QTest::keyClick(editor.rtbTemplateUser(), static_cast<Qt::Key>(key),
                    static_cast<Qt::KeyboardModifiers>(modifiers));
    QTRY_VERIFY(editor.contextMenu()->isVisible());
    editor.contextMenu()->close();
    // Outside the template step there is no menu to open.
    action(QStringLiteral("actDBPrintCancel"))->trigger();
    QVERIFY(editor.contextMenu() == nullptr);
}

void TestKeyboardRoads::viewsHaveDistinctAccelerators_data() {
    QTest::addColumn<bool>("inCzech");
    QTest::addColumn<Road>("road");
    const std::pair<const char*, Road> roads[] = {
        {"card", Road::Card},
        {"table", Road::Table},
        {"sort", Road::Sort},
        {"query", Road::Query},
        {"print rows: query page", Road::PrintRows},
        {"print rows: rows page", Road::PrintRowsList},
        {"print template: basic page", Road::PrintTemplate},
        {"print template: user page", Road::PrintTemplateUser},
        {"print preview", Road::PrintPreview},
    };
    for (const auto& [name, road] : roads) {
        QTest::addRow("en %s", name) << false << road;
        QTest::addRow("cs %s", name) << true << road;
    }
}

void TestKeyboardRoads::viewsHaveDistinctAccelerators() {
    QFETCH(bool, inCzech);
    QFETCH(Road, road);
    start(inCzech);
    go(road);
    const QStringList clashes = widgetlayout::AcceleratorClashes(main());
    QVERIFY2(clashes.isEmpty(), qPrintable(clashes.join(u'\n')));
}

// Find as you type, from Ctrl+K to Escape, on the card and in the table.
void TestKeyboardRoads::filterNarrowsTheCardAndTheTable_data() {
    QTest::addColumn<Road>("road");
    QTest::addColumn<bool>("inCzech");
    QTest::newRow("card") << Road::Card << false;
    QTest::newRow("table") << Road::Table << false;
    QTest::newRow("card, Czech") << Road::Card << true;
    QTest::newRow("table, Czech") << Road::Table << true;
}

void TestKeyboardRoads::filterNarrowsTheCardAndTheTable() {
    QFETCH(Road, road);
    QFETCH(bool, inCzech);
    start(inCzech);
    go(road);
    QTest::keyClick(&main(), Qt::Key_K, Qt::ControlModifier);
    auto* box = main().findChild<QLineEdit*>(QStringLiteral("edtFilter"));
    auto* count = main().findChild<QLabel*>(QStringLiteral("lblFilterCount"));
    QVERIFY(box != nullptr && count != nullptr);
    QVERIFY(box->hasFocus());
    QVERIFY(box->isVisible());
    const QString of = inCzech ? QStringLiteral(" z ") : QStringLiteral(" of ");
    TContactsSession& session = main().Session();

    // Every keystroke asks again: "r", "ro", ... "row 4".
    QTest::keyClicks(box, QStringLiteral("ROW 4"));
    // The moves the filter makes leave the keyboard in the box.
    QVERIFY(box->hasFocus());
    QVERIFY(count->isVisible());
    // Nothing of the bar lies over another part of it.
    const QRect boxArea(box->mapTo(&main(), QPoint(0, 0)), box->size());
    const QRect countArea(count->mapTo(&main(), QPoint(0, 0)), count->size());
    QVERIFY(!boxArea.intersects(countArea));
    const QRect labelArea(main().NavigationLabel()->mapTo(&main(), QPoint(0, 0)),
                          main().NavigationLabel()->size());
    QVERIFY(!boxArea.intersects(labelArea));
    QVERIFY(box->width() >= box->minimumWidth());
    auto* showTable = main().findChild<QWidget*>(QStringLiteral("tbutDBNavShowAsTable"));
    QVERIFY(showTable != nullptr);
    const QRect showTableArea(showTable->mapTo(&main(), QPoint(0, 0)), showTable->size());
    QVERIFY(!countArea.intersects(showTableArea));
    QVERIFY(showTable->width() >= showTable->sizeHint().width());
    QVERIFY(main().rect().contains(showTableArea));
    QCOMPARE(count->text(), u'1' + of + u'5');
    QCOMPARE(session.Quib1().RowIndex(), 3);
    if (road == Road::Table) {
        QCOMPARE(main().Grid().rowCount(), 1);
        QCOMPARE(main().Grid().rowNumber(0), QStringLiteral("4"));
        QCOMPARE(main().Grid().currentRecord(), 3);
    } else {
        QVERIFY2(main().NavigationLabel()->text().startsWith(QStringLiteral("1 / 1 [")),
                 qPrintable(main().NavigationLabel()->text()));
        // Beside the box in use the numbers still show whole.
        auto* label = qobject_cast<TNavigationLabel*>(main().NavigationLabel());
        QVERIFY(label != nullptr);
        QVERIFY2(label->shownText().startsWith(QStringLiteral("1 / 1")),
                 qPrintable(label->shownText()));
        QVERIFY(label->fontMetrics().horizontalAdvance(QStringLiteral("1 / 1")) <=
                label->contentsRect().width());
        QCOMPARE(session.FieldText(0), QStringLiteral("Row 4"));
        QVERIFY(!action(QStringLiteral("actDBMoveNext"))->isEnabled());
    }
    // Back to "ROW ": every record holds it.
    QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(count->text(), u'5' + of + u'5');
    QCOMPARE(session.Quib1().RowIndex(), 3);
    QTest::keyClick(box, Qt::Key_Escape);
    QVERIFY(box->text().isEmpty());
    QVERIFY(!session.IsFiltered());
    QVERIFY(!count->isVisible());
    if (road == Road::Table) {
        QCOMPARE(main().Grid().rowCount(), 5);
    } else {
        QVERIFY(main().NavigationLabel()->text().startsWith(QStringLiteral("4 / 5 [")));
    }
}

void TestKeyboardRoads::filterAsksFirstAboutCardEdits() {
    start();
    auto* field = qobject_cast<QLineEdit*>(main().FieldEdit(1));
    QVERIFY(field != nullptr);
    QTest::keyClicks(field, QStringLiteral("Jana"));
    QVERIFY(main().Session().RecordChanged());
    auto* box = main().findChild<QLineEdit*>(QStringLiteral("edtFilter"));
    // Cancel: the filter is not set and the typing stays on the card.
    messages_->queueAnswer(MsgResult::Cancel);
    QTest::keyClicks(box, QStringLiteral("3"));
    QCOMPARE(messages_->messages().size(), std::size_t(1));
    QVERIFY(box->text().isEmpty());
    QVERIFY(!main().Session().IsFiltered());
    QCOMPARE(field->text(), QStringLiteral("Jana"));
    // Yes: the card is saved first, then filtered.
    messages_->queueAnswer(MsgResult::Yes);
    QTest::keyClicks(box, QStringLiteral("3"));
    QVERIFY(main().Session().IsFiltered());
    QCOMPARE(main().Session().FieldText(0, 1), QStringLiteral("Jana"));
    QCOMPARE(main().Session().Quib1().RowIndex(), 2);
}

QTEST_MAIN(TestKeyboardRoads)
#include "test_KeyboardRoads.moc"
