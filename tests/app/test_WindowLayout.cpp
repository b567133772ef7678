#include "app/Pellum.h"
#include "app/u_Language.h"
#include "app/u_frmCommon.h"
#include "app/u_frmMain.h"
#include "app/u_frmSplash.h"
#include "print/u_PrintCommands.h"
#include "print/u_frameMainPrintRows.h"
#include "print/u_frameMainPrintTemplate.h"
#include "support/u_frmAbout.h"
#include "views/u_CardMemo.h"
#include "views/u_frameMainIDE.h"

#include "AppTestSupport.h"
#include "testsupport/TestSupport.h"
#include "testsupport/WidgetLayout.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <QToolBar>

#include <memory>

namespace {

// Field indexes of the card (program column order).
constexpr int Home_Town = 4;
constexpr int Home_Country = 7;
constexpr int Home_Phone = 8;
constexpr int Home_Fax = 9;
constexpr int Work_Company = 15;
constexpr int Work_Country = 22;

// The width a line edit needs to show text whole: the text, the style's
// frame and margins, and the cursor.
int neededWidth(const QLineEdit& edit, const QString& text) {
    return edit.fontMetrics().horizontalAdvance(text) + 2 * 2 + 2 * 2 + 2;
}

// Runs the tests at a scale factor or font resolution when the environment
// asks for them (the second run of this test, see CMakeLists.txt).
bool scaled() {
    return qEnvironmentVariableIsSet("QT_SCALE_FACTOR") || qEnvironmentVariableIsSet("QT_FONT_DPI");
}

}  // namespace

// What the user sees of the windows: the card shows ordinary values whole at
// the default size in both languages, a small window scrolls the card, no
// view cuts or piles its controls, and the window opens inside the screen,
// also with larger fonts and at scale factor 2.
class TestWindowLayout : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();
    void cardShowsOrdinaryValuesWhole_data();
    void cardShowsOrdinaryValuesWhole();
    void oneLineFieldsGrowWithTheirLines();
    void smallWindowScrollsTheCard();
    void viewsShowTheirControlsWhole_data();
    void viewsShowTheirControlsWhole();
    void windowOpensInsideTheScreen();
    void splashAndAboutShowTheirTextsWhole_data();
    void splashAndAboutShowTheirTextsWhole();

  private:
    void start(bool inCzech);
    TfrmMain& main() { return *program_->frmMain; }
    QLineEdit* line(int field) { return qobject_cast<QLineEdit*>(main().Card().fieldEdit(field)); }
    void run(const char* name) { program_->frmCommon->action(QLatin1String(name))->trigger(); }

    std::unique_ptr<MessageRecorder> messages_;
    std::unique_ptr<TProgram> program_;
};

void TestWindowLayout::init() {
    apptest::ClearSettings();
    apptest::MakeDatabase(QDir::current().filePath(QStringLiteral("Pellum.tbr")), 3);
    messages_ = std::make_unique<MessageRecorder>();
}

void TestWindowLayout::cleanup() {
    UnloadLanguageModule();
    program_.reset();
    messages_.reset();
}

// The program in the language given: a module is loaded before the windows
// are made, as the program does at its start.
void TestWindowLayout::start(bool inCzech) {
    if (inCzech) {
        QVERIFY(LoadLanguageModuleOfCode(QStringLiteral("CSY"),
                                         QStringLiteral(PELLUM_MODULE_DIR "/pellum")));
    }
    program_ = StartProgram({}, false);
    main().show();
    QVERIFY(QTest::qWaitForWindowExposed(&main()));
}

void TestWindowLayout::cardShowsOrdinaryValuesWhole_data() {
    QTest::addColumn<bool>("inCzech");
    QTest::newRow("en") << false;
    QTest::newRow("cs") << true;
}

void TestWindowLayout::cardShowsOrdinaryValuesWhole() {
    if (scaled()) {
        QSKIP("the default size is checked at the default resolution");
    }
    QFETCH(bool, inCzech);
    start(inCzech);
    QCOMPARE(main().size(), QSize(413, 552));
    const std::pair<int, QString> values[] = {
        {Work_Company, QStringLiteral("Stavby Novák s.r.o.")},
        {Home_Country, QStringLiteral("Česká republika")},
        {Work_Country, QStringLiteral("United Kingdom")},
        {Home_Town, QStringLiteral("Hradec Králové")},
    };
    for (const auto& [field, text] : values) {
        main().Card().setFieldText(field, text);
        main().Card().ShowField(field);
        QApplication::processEvents();
        QLineEdit* edit = line(field);
        QVERIFY2(edit->width() >= neededWidth(*edit, text),
                 qPrintable(QStringLiteral("%1: %2 < %3")
                                .arg(text)
                                .arg(edit->width())
                                .arg(neededWidth(*edit, text))));
        // The start of the value shows.
        QCOMPARE(edit->cursorPosition(), 0);
    }
    // A phone number stays on one line: no wrapping, and room for it.
    main().Card().setFieldText(Home_Phone, QStringLiteral("+420 600 100 200"));
    main().Card().ShowField(Home_Phone);
    QApplication::processEvents();
    auto* phone = qobject_cast<QPlainTextEdit*>(main().Card().fieldEdit(Home_Phone));
    QCOMPARE(phone->lineWrapMode(), QPlainTextEdit::NoWrap);
    QCOMPARE(phone->horizontalScrollBar()->maximum(), 0);
    // The labels leave the fields room, and nothing on the card is cut.
    const QStringList faults = widgetlayout::Faults(main().Card());
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
    // The card fits the default window: no scroll bar.
    auto* scroll = main().Card().findChild<QScrollArea*>(QStringLiteral("scrCard"));
    QCOMPARE(scroll->verticalScrollBar()->maximum(), 0);
    QCOMPARE(scroll->horizontalScrollBar()->maximum(), 0);
}

void TestWindowLayout::oneLineFieldsGrowWithTheirLines() {
    start(false);
    auto* fax = qobject_cast<TCardMemo*>(main().Card().fieldEdit(Home_Fax));
    QVERIFY(fax != nullptr);
    // One line: no scroll bar that would look like a number spinner.
    main().Card().setFieldText(Home_Fax, QStringLiteral("+420 600 100 201"));
    QCOMPARE(fax->shownLines(), 1);
    QCOMPARE(fax->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    const int oneLine = fax->height();
    // A second number on its own line shows as a second line.
    main().Card().setFieldText(Home_Fax, QStringLiteral("+420 600 100 201\n+420 600 100 202"));
    QCOMPARE(fax->shownLines(), 2);
    QVERIFY(fax->height() > oneLine);
    QCOMPARE(fax->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    // Past three lines the scroll bar comes back.
    main().Card().setFieldText(Home_Fax, QStringLiteral("1\n2\n3\n4"));
    QCOMPARE(fax->shownLines(), 3);
    QCOMPARE(fax->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
}

void TestWindowLayout::smallWindowScrollsTheCard() {
    start(true);
    main().resize(main().minimumSize());
    QApplication::processEvents();
    auto* scroll = main().Card().findChild<QScrollArea*>(QStringLiteral("scrCard"));
    QVERIFY(scroll->verticalScrollBar()->maximum() > 0);
    // The fields keep their sizes inside the scrolled card.
    const QStringList faults = widgetlayout::Faults(*scroll->widget());
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
    // A field found further down is scrolled into view.
    main().Card().ShowField(TframeMainIDE::FieldCount - 1);
    QApplication::processEvents();
    QWidget* notes = main().Card().fieldEdit(TframeMainIDE::FieldCount - 1);
    const QRect shown(notes->mapTo(scroll->viewport(), QPoint(0, 0)), QSize(1, 1));
    QVERIFY(scroll->viewport()->rect().contains(shown));
}

void TestWindowLayout::viewsShowTheirControlsWhole_data() {
    QTest::addColumn<bool>("inCzech");
    QTest::addColumn<QStringList>("commands");
    QTest::addColumn<int>("page");
    const struct {
        const char* name;
        QStringList commands;
        int page;  // of the print step's page control, -1: as it is
    } views[] = {
        {"card", {}, -1},
        {"table", {QStringLiteral("actShowAsTable")}, -1},
        {"sort", {QStringLiteral("actDBSortShow")}, -1},
        {"query", {QStringLiteral("actEditFindQuery")}, -1},
        {"print rows: rows page", {QStringLiteral("actDBPrint")}, 0},
        {"print rows: query page", {QStringLiteral("actDBPrint")}, 1},
        {"print template: basic page",
         {QStringLiteral("actDBPrint"), QStringLiteral("actDBPrintShowStepTemplate")},
         0},
        {"print template: user page",
         {QStringLiteral("actDBPrint"), QStringLiteral("actDBPrintShowStepTemplate")},
         1},
        {"print preview",
         {QStringLiteral("actDBPrint"), QStringLiteral("actDBPrintShowStepTemplate"),
          QStringLiteral("actDBPrintShowStepPreview")},
         -1},
    };
    for (const auto& view : views) {
        QTest::addRow("en %s", view.name) << false << view.commands << view.page;
        QTest::addRow("cs %s", view.name) << true << view.commands << view.page;
    }
}

void TestWindowLayout::viewsShowTheirControlsWhole() {
    QFETCH(bool, inCzech);
    QFETCH(QStringList, commands);
    QFETCH(int, page);
    start(inCzech);
    for (const QString& command : commands) {
        program_->frmCommon->action(command)->trigger();
    }
    if (page >= 0) {
        const auto tabs = main().ViewFrame(main().CurrentView())->findChildren<QTabWidget*>();
        QVERIFY(!tabs.isEmpty());
        tabs.front()->setCurrentIndex(page);
    }
    // A tool bar row that wraps tells the layout around its height a moment later.
    QTest::qWait(100);
    QWidget* view = main().ViewFrame(main().CurrentView());
    QStringList faults = widgetlayout::Faults(*view);
    // Every button of a view's tool bars shows, none behind the "»" extension.
    for (const QToolBar* bar : view->findChildren<QToolBar*>()) {
        if (!bar->isVisibleTo(view)) {
            continue;
        }
        for (QAction* action : bar->actions()) {
            const QWidget* button = bar->widgetForAction(action);
            if (action->isVisible() && button != nullptr && !button->isVisibleTo(bar)) {
                faults << bar->objectName() + QStringLiteral(": hidden: ") + action->text();
            }
        }
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

void TestWindowLayout::windowOpensInsideTheScreen() {
    start(false);
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY2(available.contains(main().frameGeometry()),
             qPrintable(QStringLiteral("%1,%2 %3x%4 outside %5x%6")
                            .arg(main().frameGeometry().x())
                            .arg(main().frameGeometry().y())
                            .arg(main().frameGeometry().width())
                            .arg(main().frameGeometry().height())
                            .arg(available.width())
                            .arg(available.height())));
    QVERIFY(main().width() >= main().minimumWidth());
}

void TestWindowLayout::splashAndAboutShowTheirTextsWhole_data() {
    QTest::addColumn<bool>("inCzech");
    QTest::newRow("en") << false;
    QTest::newRow("cs") << true;
}

void TestWindowLayout::splashAndAboutShowTheirTextsWhole() {
    QFETCH(bool, inCzech);
    start(inCzech);
    TfrmSplash splash(QStringLiteral("2.7.1.0"));
    splash.show();
    QVERIFY(QTest::qWaitForWindowExposed(&splash));
    QStringList faults = widgetlayout::Faults(splash);
    TfrmAbout about(&main());
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    faults << widgetlayout::Faults(about);
    // Every file name and version of the version table shows whole.
    auto* grid = about.findChild<QTableWidget*>(QStringLiteral("gridVersions"));
    for (int r = 0; r < grid->rowCount(); ++r) {
        for (int c = 0; c < 2; ++c) {
            const QString text = grid->item(r, c)->text();
            if (grid->fontMetrics().horizontalAdvance(text) + 4 > grid->columnWidth(c)) {
                faults << QStringLiteral("version table: cut: ") + text;
            }
        }
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

QTEST_MAIN(TestWindowLayout)
#include "test_WindowLayout.moc"
