#include "app/AppTestSupport.h"
#include "app/Pellum.h"
#include "app/u_frmCommon.h"
#include "app/u_frmMain.h"
#include "query/u_frameMainDBSort.h"
#include "session/QUIBLib_TLB.h"
#include "session/u_ContactSchema.h"
#include "session/u_ContactsSession.h"
#include "support/u_ColumnWidths.h"
#include "support/u_ResourceStrings.h"
#include "testsupport/TestSupport.h"
#include "views/u_NavigationLabel.h"
#include "views/u_dlgFind.h"
#include "views/u_frameMainGrid.h"
#include "views/u_frameMainIDE.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

namespace cs = ContactSchema;

// The table view and Find driven through the real main window and its
// commands, found by their object names.
class TestTableAndFindInMain : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void showGridBothWays();
    void cellEditsAreSavedAndShownOnTheCard();
    void newRecordInTheTable();
    void deleteRecordInTheTable();
    void lastRecordCannotBeDeletedInTheTable();
    void refreshWithoutRecordsGoesBackToTheCard();
    void moveSelectsTheGridRow();
    void findDialogIsNonModalAndFindsOnTheCard();
    void findNextInTheTable();
    void findDialogMovesOffTheFoundField();
    void findAsksBeforeReplacingCardEdits();
    void findInAnotherView();
    void findOnAFilteredCardKeepsToTheShownRecords();
    void deleteInTheTableKeepsTheCursorOnARecord();
    void sortBuilderKeepsTheCardOnTheCurrentRecord();
    void tableEditsSurviveTheWayThroughTheSortBuilder();
    void showGridThenTypingStoresInTheCurrentRecord();
    void navigationTextKeepsTheRecordNumbersWhole();
    void headingClickSortsAsTheSortBuilder();
    void enterMovesToTheCellBelow();
    void columnWidthsAreRememberedPerLayout();
    void recordKeys_data();
    void recordKeys();

  private:
    TfrmMain& main() { return *program_->frmMain; }
    TfrmCommon& common() { return *program_->frmCommon; }
    void trigger(const char* name) { common().action(QString::fromLatin1(name))->trigger(); }
    QAction* action(const char* name) { return common().action(QString::fromLatin1(name)); }
    TframeMainGrid& grid() { return *main().frameMainGrid(); }
    QString stored(int r, int field);

    std::unique_ptr<QTemporaryDir> dir_;
    QString path_;
    std::unique_ptr<MessageRecorder> messages_;
    std::unique_ptr<TProgram> program_;
};

void TestTableAndFindInMain::init() {
    apptest::ClearSettings();
    dir_ = std::make_unique<QTemporaryDir>();
    path_ = dir_->filePath(QStringLiteral("three.tbr"));
    apptest::MakeDatabase(path_, 3);
    messages_ = std::make_unique<MessageRecorder>();
    program_ = StartProgram({path_}, false);
    main().show();
    QVERIFY(QTest::qWaitForWindowExposed(&main()));
    QCOMPARE(main().Session().Quib1().RowsCount(), 3);
}

void TestTableAndFindInMain::cleanup() {
    program_.reset();
    messages_.reset();
    dir_.reset();
}

QString TestTableAndFindInMain::stored(int r, int field) {
    // The saves asked for so far are written in the background.
    main().Session().FinishSaves();
    TQuib quib;
    quib.SetDatabaseName(path_);
    if (!quib.Open())
        return QStringLiteral("<not opened>");
    return quib.GetData(r, field);  // the test database is in program order
}

void TestTableAndFindInMain::showGridBothWays() {
    QVERIFY(action("actShowAsTable")->isEnabled());
    trigger("actShowAsTable");
    QCOMPARE(main().CurrentView(), TView::Table);
    QVERIFY(grid().isVisible());
    QVERIFY(action("actShowAsTable")->isChecked());
    QCOMPARE(grid().rowCount(), 3);
    QCOMPARE(grid().rowNumber(2), QStringLiteral("3"));
    QCOMPARE(grid().cellText(2, cs::SurName), QStringLiteral("Row 3"));
    QCOMPARE(grid().headingText(cs::Notes), QStringLiteral("Notes"));
    QCOMPARE(main().NavigationLabel()->text(), u'[' + path_ + u']');
    for (const char* move :
         {"actDBMoveFirst", "actDBMovePrevious", "actDBMoveNext", "actDBMoveLast"})
        QVERIFY2(!action(move)->isEnabled(), move);

    trigger("actShowAsTable");
    QCOMPARE(main().CurrentView(), TView::Card);
    QVERIFY(!action("actShowAsTable")->isChecked());
    QCOMPARE(grid().rowCount(), 1);  // cleared
    QCOMPARE(grid().cellText(0, 0), QString());
    QVERIFY(main().NavigationLabel()->text().startsWith(QStringLiteral("1 / 3")));
}

void TestTableAndFindInMain::cellEditsAreSavedAndShownOnTheCard() {
    trigger("actShowAsTable");
    grid().selectCell(1, cs::Home_Town);
    grid().grid()->setFocus();
    QTest::keyClick(grid().grid(), Qt::Key_P);
    auto* editor = grid().grid()->findChild<QLineEdit*>();
    QVERIFY(editor);
    QTest::keyClick(editor, Qt::Key_Z);
    // The cell is stored when its edit ends, as one change.
    QCOMPARE(stored(1, cs::Home_Town), QString());
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(stored(1, cs::Home_Town), QStringLiteral("pz"));

    trigger("actShowAsTable");
    trigger("actDBMoveNext");
    QCOMPARE(main().Session().Quib1().RowIndex(), 1);
    QCOMPARE(main().frameMainIDE()->fieldText(cs::Home_Town), QStringLiteral("pz"));
}

void TestTableAndFindInMain::newRecordInTheTable() {
    trigger("actShowAsTable");
    grid().selectCell(0, cs::FirstName);
    trigger("actDBNewRow");
    QCOMPARE(main().Session().Quib1().RowsCount(), 4);
    QCOMPARE(grid().rowCount(), 4);
    QCOMPARE(grid().rowNumber(3), QStringLiteral("4"));
    QCOMPARE(grid().currentRow(), 3);
    // Typing into the new row stores into the new record.
    grid().grid()->setFocus();
    QTest::keyClick(grid().grid(), Qt::Key_N);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_COMPARE(stored(3, cs::FirstName), QStringLiteral("n"));
}

void TestTableAndFindInMain::deleteRecordInTheTable() {
    trigger("actShowAsTable");
    grid().selectCell(1, cs::SurName);
    trigger("actDBDeleteRow");
    QCOMPARE(main().Session().Quib1().RowsCount(), 2);
    QCOMPARE(grid().rowCount(), 2);
    QCOMPARE(grid().rowNumber(0), QStringLiteral("1"));
    QCOMPARE(grid().rowNumber(1), QStringLiteral("2"));
    QCOMPARE(grid().cellText(1, cs::SurName), QStringLiteral("Row 3"));
    QCOMPARE(main().Session().Quib1().GetData(1, 0), QStringLiteral("Row 3"));
}

void TestTableAndFindInMain::lastRecordCannotBeDeletedInTheTable() {
    trigger("actShowAsTable");
    grid().selectCell(0, cs::SurName);
    trigger("actDBDeleteRow");
    QVERIFY(action("actDBDeleteRow")->isEnabled());
    trigger("actDBDeleteRow");
    QCOMPARE(main().Session().Quib1().RowsCount(), 1);
    QVERIFY(!action("actDBDeleteRow")->isEnabled());
    trigger("actDBDeleteRow");
    QCOMPARE(main().Session().Quib1().RowsCount(), 1);
    QCOMPARE(grid().rowCount(), 1);
    QCOMPARE(grid().cellText(0, cs::SurName), QStringLiteral("Row 3"));
}

void TestTableAndFindInMain::refreshWithoutRecordsGoesBackToTheCard() {
    trigger("actShowAsTable");
    TContactsSession& session = main().Session();
    while (session.State().rows > 0)
        session.DeleteRecord(0);
    session.RefreshData();
    QCOMPARE(main().CurrentView(), TView::Card);
    QVERIFY(!action("actShowAsTable")->isChecked());
    QVERIFY(!action("actShowAsTable")->isEnabled());
}

void TestTableAndFindInMain::moveSelectsTheGridRow() {
    trigger("actDBMoveNext");
    trigger("actShowAsTable");
    QCOMPARE(grid().currentRow(), 1);  // the record the card showed
    main().Session().MoveTo(2);
    QCOMPARE(grid().currentRow(), 2);
    main().Session().MoveFirst();
    QCOMPARE(grid().currentRow(), 0);
}

void TestTableAndFindInMain::findDialogIsNonModalAndFindsOnTheCard() {
    QVERIFY(action("actEditFindBasic")->shortcut() == QKeySequence(QStringLiteral("Ctrl+F")));
    QVERIFY(action("actEditFindBasicNext")->shortcut() == QKeySequence(Qt::Key_F3));
    trigger("actEditFindBasic");
    auto* dlg = main().findChild<TdlgFind*>(QStringLiteral("dlgFind"));
    QVERIFY(dlg);
    QVERIFY(dlg->isVisible());
    QVERIFY(!dlg->isModal());
    dlg->setFindText(QStringLiteral("row 3"));
    dlg->findChild<QPushButton*>(QStringLiteral("cmdFindNext"))->click();
    QVERIFY(messages_->texts().isEmpty());
    QCOMPARE(main().Session().Quib1().RowIndex(), 2);
    auto* surname = qobject_cast<QLineEdit*>(main().frameMainIDE()->fieldEdit(cs::SurName));
    QCOMPARE(surname->selectedText(), QStringLiteral("Row 3"));
    // F3 repeats it: nothing after Surname of the last record.
    trigger("actEditFindBasicNext");
    QCOMPARE(messages_->texts(), QStringList{LoadResString(res::StringNotFound)});
    QCOMPARE(main().Session().Quib1().RowIndex(), 2);
    dlg->setDirection(BasicFind::Direction::Up);
    dlg->setFindText(QStringLiteral("Row"));
    trigger("actEditFindBasicNext");
    QCOMPARE(main().Session().Quib1().RowIndex(), 1);
}

void TestTableAndFindInMain::findNextInTheTable() {
    trigger("actShowAsTable");
    grid().selectCell(0, cs::SurName);
    trigger("actEditFindBasic");
    auto* dlg = main().findChild<TdlgFind*>(QStringLiteral("dlgFind"));
    dlg->setFindText(QStringLiteral("Row"));
    trigger("actEditFindBasicNext");
    QCOMPARE(grid().currentRow(), 1);
    QCOMPARE(grid().currentField(), static_cast<int>(cs::SurName));
    trigger("actEditFindBasicNext");
    QCOMPARE(grid().currentRow(), 2);
    trigger("actEditFindBasicNext");
    QCOMPARE(messages_->texts(), QStringList{LoadResString(res::StringNotFound)});
}

void TestTableAndFindInMain::findDialogMovesOffTheFoundField() {
    trigger("actEditFindBasic");
    auto* dlg = main().findChild<TdlgFind*>(QStringLiteral("dlgFind"));
    QVERIFY(QTest::qWaitForWindowExposed(dlg));
    const QRect screen = dlg->screen()->availableGeometry();
    QWidget* surname = main().frameMainIDE()->fieldEdit(cs::SurName);
    const QRect field(surname->mapToGlobal(QPoint(0, 0)), surname->size());
    dlg->move(field.topLeft());
    QVERIFY(dlg->frameGeometry().intersects(field));
    dlg->setFindText(QStringLiteral("row 2"));
    dlg->findChild<QPushButton*>(QStringLiteral("cmdFindNext"))->click();
    QCOMPARE(main().Session().Quib1().RowIndex(), 1);
    QVERIFY(!dlg->frameGeometry().intersects(field));
    QVERIFY(screen.contains(dlg->frameGeometry()));
    // The next hit is in the same field of the next record: it stays.
    const QPoint placed = dlg->pos();
    dlg->setFindText(QStringLiteral("row"));
    trigger("actEditFindBasicNext");
    QCOMPARE(main().Session().Quib1().RowIndex(), 2);
    QCOMPARE(dlg->pos(), placed);

    // In the table, off the found cell.
    trigger("actShowAsTable");
    grid().selectCell(0, cs::SurName);
    QTableView* table = grid().grid();
    const auto currentCell = [table] {
        const QRect local = table->visualRect(table->currentIndex());
        return QRect(table->viewport()->mapToGlobal(local.topLeft()), local.size());
    };
    // Row 2's Surname is one row lower.
    const QRect next = currentCell().translated(0, currentCell().height());
    dlg->move(next.topLeft() - QPoint(10, 10));
    QVERIFY(dlg->frameGeometry().intersects(next));
    trigger("actEditFindBasicNext");
    QCOMPARE(grid().currentRow(), 1);
    const QRect found = currentCell();
    QVERIFY(!dlg->frameGeometry().intersects(found));
    QVERIFY(screen.contains(dlg->frameGeometry()));
}

void TestTableAndFindInMain::findAsksBeforeReplacingCardEdits() {
    main().frameMainIDE()->fieldEdit(cs::Notes)->setFocus();
    auto* notes = qobject_cast<QPlainTextEdit*>(main().frameMainIDE()->fieldEdit(cs::Notes));
    QTest::keyClicks(notes, QStringLiteral("typed"));
    QVERIFY(main().Session().RecordChanged());
    trigger("actEditFindBasic");
    main().findChild<TdlgFind*>(QStringLiteral("dlgFind"))->setFindText(QStringLiteral("Row 2"));
    messages_->queueAnswer(MsgResult::Cancel);
    trigger("actEditFindBasicNext");
    QCOMPARE(messages_->texts(), QStringList{LoadResString(res::RecordChangedSave)});
    QCOMPARE(main().Session().Quib1().RowIndex(), 0);
    QCOMPARE(notes->toPlainText(), QStringLiteral("typed"));
    QVERIFY(main().Session().RecordChanged());
}

void TestTableAndFindInMain::findInAnotherView() {
    trigger("actDBSortShow");
    QVERIFY(main().CurrentView() != TView::Card);
    QVERIFY(!main().IsTableShown());
    trigger("actEditFindBasic");
    main().findChild<TdlgFind*>(QStringLiteral("dlgFind"))->setFindText(QStringLiteral("Row 2"));
    trigger("actEditFindBasicNext");
    QCOMPARE(messages_->texts(),
             (QStringList{LoadResString(res::FindNoFrame), LoadResString(res::FindNoResultFrame)}));
    QCOMPARE(main().Session().Quib1().RowIndex(), 0);
}

void TestTableAndFindInMain::findOnAFilteredCardKeepsToTheShownRecords() {
    TContactsSession& session = main().Session();
    QVERIFY(session.StoreField(0, cs::Notes, QStringLiteral("odd")));
    QVERIFY(session.StoreField(2, cs::Notes, QStringLiteral("odd")));
    main().Session().MoveFirst();
    auto* box = main().findChild<QLineEdit*>(QStringLiteral("edtFilter"));
    QTest::keyClicks(box, QStringLiteral("odd"));
    QCOMPARE(session.ShownRecords(), (QVector<int>{0, 2}));
    trigger("actEditFindBasic");
    auto* dlg = main().findChild<TdlgFind*>(QStringLiteral("dlgFind"));
    // Down from the first record: the hidden "Row 2" is passed over.
    dlg->setFindText(QStringLiteral("row"));
    trigger("actEditFindBasicNext");
    QVERIFY(messages_->texts().isEmpty());
    QCOMPARE(session.Quib1().RowIndex(), 2);
    QCOMPARE(session.State().shownIndex, 1);
    dlg->setFindText(QStringLiteral("row 2"));
    dlg->setDirection(BasicFind::Direction::Up);
    trigger("actEditFindBasicNext");
    QCOMPARE(messages_->texts(), QStringList{LoadResString(res::StringNotFound)});
    QCOMPARE(session.Quib1().RowIndex(), 2);
}

void TestTableAndFindInMain::deleteInTheTableKeepsTheCursorOnARecord() {
    trigger("actDBMoveLast");
    trigger("actShowAsTable");
    grid().selectCell(0, cs::SurName);
    trigger("actDBDeleteRow");
    QCOMPARE(main().Session().Quib1().RowsCount(), 2);
    QVERIFY(main().Session().Quib1().RowIndex() <= 1);
    QCOMPARE(grid().rowCount(), 2);
    trigger("actShowAsTable");
    QVERIFY(main().NavigationLabel()->text().startsWith(QStringLiteral("2 / 2")));
    QCOMPARE(main().frameMainIDE()->fieldText(cs::SurName), QStringLiteral("Row 3"));
}

void TestTableAndFindInMain::sortBuilderKeepsTheCardOnTheCurrentRecord() {
    trigger("actDBSortShow");
    QCOMPARE(main().CurrentView(), TView::Sort);
    // The record commands stay available beside the sort builder.
    trigger("actDBMoveNext");
    trigger("actDBSaveRow");
    QCOMPARE(stored(0, cs::SurName), QStringLiteral("Row 1"));
    QCOMPARE(stored(1, cs::SurName), QStringLiteral("Row 2"));
    QVERIFY(main().NavigationLabel()->text().startsWith(QStringLiteral("2 / 3")));
    trigger("actDBSortShow");
    QCOMPARE(main().CurrentView(), TView::Card);
    QCOMPARE(main().frameMainIDE()->fieldText(cs::SurName), QStringLiteral("Row 2"));
}

void TestTableAndFindInMain::tableEditsSurviveTheWayThroughTheSortBuilder() {
    trigger("actShowAsTable");
    grid().selectCell(0, cs::Home_Town);
    grid().grid()->setFocus();
    QTest::keyClick(grid().grid(), Qt::Key_T);
    // A command that runs meanwhile ends the cell's edit: it is stored first.
    trigger("actDBSortShow");
    QCOMPARE(stored(0, cs::Home_Town), QStringLiteral("t"));
    trigger("actDBSaveRow");
    QCOMPARE(stored(0, cs::Home_Town), QStringLiteral("t"));
    trigger("actDBSortShow");
    QVERIFY(!action("actShowAsTable")->isChecked());
    QCOMPARE(main().frameMainIDE()->fieldText(cs::Home_Town), QStringLiteral("t"));
    QVERIFY(action("actDBMoveNext")->isEnabled());
}

void TestTableAndFindInMain::showGridThenTypingStoresInTheCurrentRecord() {
    trigger("actDBMoveNext");
    QCOMPARE(main().Session().Quib1().RowIndex(), 1);
    main().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main()));
    trigger("actShowAsTable");
    // The grid has the keyboard: a key typed now goes into record 2's first column.
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(grid().grid()));
    QCOMPARE(grid().currentRow(), 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_K);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_COMPARE(stored(1, cs::SurName), QStringLiteral("k"));
    QCOMPARE(stored(0, cs::SurName), QStringLiteral("Row 1"));
}

void TestTableAndFindInMain::navigationTextKeepsTheRecordNumbersWhole() {
    // A path much longer than the window is wide.
    QString folder = dir_->path();
    for (int i = 0; i < 12; ++i)
        folder += QStringLiteral("/a-rather-long-folder-name-%1").arg(i);
    QVERIFY(QDir().mkpath(folder));
    const QString deep = folder + QStringLiteral("/contacts.tbr");
    apptest::MakeDatabase(deep, 36);
    QVERIFY(main().Session().OpenFile(deep));
    QApplication::processEvents();

    auto* label = qobject_cast<TNavigationLabel*>(main().NavigationLabel());
    QVERIFY(label);
    const QString whole = QStringLiteral("1 / 36 [") + deep + u']';
    QCOMPARE(label->text(), whole);
    QCOMPARE(label->toolTip(), whole);
    const QString shown = label->shownText();
    QVERIFY2(shown.startsWith(QStringLiteral("1 / 36 [")), qPrintable(shown));
    QVERIFY2(shown.endsWith(QStringLiteral(".tbr]")), qPrintable(shown));
    qInfo("shown at width %d: %s", label->contentsRect().width(), qPrintable(shown));
    QVERIFY2(shown.contains(QChar(0x2026)), qPrintable(shown));
    QVERIFY(label->fontMetrics().horizontalAdvance(shown) <= label->contentsRect().width());
    // A short text is shown as it is.
    QCOMPARE(ElideNavigationText(QStringLiteral("2 / 3 [a.tbr]"), label->fontMetrics(), 1000),
             QStringLiteral("2 / 3 [a.tbr]"));
    // Too narrow even for the path's ends: the numbers alone, whole, and
    // the label keeps room for them.
    QCOMPARE(ElideNavigationText(whole, label->fontMetrics(), 10), QStringLiteral("1 / 36"));
    QVERIFY(label->minimumSizeHint().width() >=
            label->fontMetrics().horizontalAdvance(QStringLiteral("1 / 36")));
}

QTEST_MAIN(TestTableAndFindInMain)
#include "test_TableAndFindInMain.moc"

void TestTableAndFindInMain::headingClickSortsAsTheSortBuilder() {
    // Surnames Row 1 .. Row 3; towns in the other order.
    for (int r = 0; r < 3; ++r)
        main().Session().StoreField(r, cs::Home_Town, QStringLiteral("Town %1").arg(3 - r));
    trigger("actShowAsTable");
    QHeaderView* headings = grid().grid()->horizontalHeader();
    const auto click = [&](int field) {
        const int x = headings->sectionViewportPosition(field) + headings->sectionSize(field) / 2;
        QTest::mouseClick(headings->viewport(), Qt::LeftButton, {}, QPoint(x, 5));
    };
    grid().selectCell(0, cs::SurName);
    click(cs::Home_Town);
    QCOMPARE(stored(0, cs::Home_Town), QStringLiteral("Town 1"));
    QCOMPARE(stored(0, cs::SurName), QStringLiteral("Row 3"));
    // The cursor stays on its contact, now the last.
    QCOMPARE(main().Session().Quib1().RowIndex(), 2);
    QCOMPARE(grid().currentRow(), 2);
    QCOMPARE(grid().cellText(grid().currentRow(), cs::SurName), QStringLiteral("Row 1"));
    QCOMPARE(grid().cellText(0, cs::Home_Town), QStringLiteral("Town 1"));
    QVERIFY(headings->isSortIndicatorShown());
    QCOMPARE(headings->sortIndicatorSection(), int(cs::Home_Town));
    QCOMPARE(headings->sortIndicatorOrder(), Qt::AscendingOrder);
    // Again: descending.
    QTest::qWait(QApplication::doubleClickInterval() + 50);  // two clicks, not a double click
    click(cs::Home_Town);
    QCOMPARE(stored(0, cs::Home_Town), QStringLiteral("Town 3"));
    QCOMPARE(headings->sortIndicatorOrder(), Qt::DescendingOrder);
    QCOMPARE(grid().currentRow(), 0);
    QCOMPARE(grid().cellText(grid().currentRow(), cs::SurName), QStringLiteral("Row 1"));
    // One undo step, as the sort builder's; the cursor goes back with it.
    QVERIFY(main().Session().UndoStepName().has_value());
    QVERIFY(main().Session().Undo());
    QCOMPARE(stored(0, cs::Home_Town), QStringLiteral("Town 1"));
    QCOMPARE(main().Session().Quib1().RowIndex(), 2);
    // The order equals the sort builder's by the same column.
    const QStringList byHeading{stored(0, cs::SurName), stored(1, cs::SurName),
                                stored(2, cs::SurName)};
    QVERIFY(main().Session().Undo());
    main().Session().Sort({TSortKey{cs::Home_Town, true}});
    QCOMPARE((QStringList{stored(0, cs::SurName), stored(1, cs::SurName), stored(2, cs::SurName)}),
             byHeading);
    // Leaving the table takes the arrow away.
    trigger("actShowAsTable");
    QVERIFY(!headings->isSortIndicatorShown());
}

void TestTableAndFindInMain::enterMovesToTheCellBelow() {
    trigger("actShowAsTable");
    grid().selectCell(0, cs::Home_Town);
    grid().grid()->setFocus();
    QTest::keyClick(grid().grid(), Qt::Key_A);
    QVERIFY(grid().isEditing());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_B);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_COMPARE(grid().currentRow(), 1);
    QCOMPARE(grid().currentField(), int(cs::Home_Town));
    QCOMPARE(stored(0, cs::Home_Town), QStringLiteral("ab"));
    // Without an edit as well, and never beyond the last row.
    QTest::keyClick(grid().grid(), Qt::Key_Enter);
    QCOMPARE(grid().currentRow(), 2);
    QTest::keyClick(grid().grid(), Qt::Key_Return);
    QCOMPARE(grid().currentRow(), 2);
}

void TestTableAndFindInMain::columnWidthsAreRememberedPerLayout() {
    trigger("actShowAsTable");
    grid().grid()->setColumnWidth(cs::Home_Town, 211);
    const QString layout = grid().widthsLayout();
    QVERIFY(!layout.isEmpty());
    // Leaving the table stores what a drag has not stored yet.
    trigger("actShowAsTable");
    trigger("actShowAsTable");
    QCOMPARE(grid().grid()->columnWidth(cs::Home_Town), 211);
    // They are in the settings, for the next start of the program.
    QCOMPARE(ColumnWidths::Stored(layout).value(cs::Home_Town), 211);
    QCOMPARE(ColumnWidths::Stored(layout).size(), grid().columnCount());
}

void TestTableAndFindInMain::recordKeys_data() {
    QTest::addColumn<bool>("table");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    const int ctrl = Qt::ControlModifier;
    for (bool table : {false, true}) {
        const char* view = table ? "table" : "card";
        QTest::addRow("%s Ctrl+PgDn", view) << table << int(Qt::Key_PageDown) << ctrl << 0 << 1;
        QTest::addRow("%s Ctrl+PgUp", view) << table << int(Qt::Key_PageUp) << ctrl << 2 << 1;
        QTest::addRow("%s Ctrl+Home", view) << table << int(Qt::Key_Home) << ctrl << 2 << 0;
        QTest::addRow("%s Ctrl+End", view) << table << int(Qt::Key_End) << ctrl << 0 << 2;
        QTest::addRow("%s Ctrl+Shift+N", view)
            << table << int(Qt::Key_N) << int(ctrl | int(Qt::ShiftModifier)) << 0 << 3;
        QTest::addRow("%s Ctrl+Delete", view) << table << int(Qt::Key_Delete) << ctrl << 1 << 1;
    }
}

void TestTableAndFindInMain::recordKeys() {
    QFETCH(bool, table);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, from);
    QFETCH(int, to);
    main().Session().MoveTo(from);
    QWidget* target = nullptr;
    if (table) {
        trigger("actShowAsTable");
        grid().selectRow(from);
        target = grid().grid();
    } else {
        target = main().frameMainIDE()->fieldEdit(cs::Home_Town);
        main().frameMainIDE()->ShowField(cs::Home_Town);
    }
    target->setFocus();
    QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    if (table)
        QCOMPARE(grid().currentRow(), to);
    else
        QCOMPARE(main().Session().Quib1().RowIndex(), to);
    if (key == Qt::Key_N)
        QCOMPARE(main().Session().Quib1().RowsCount(), 4);
    if (key == Qt::Key_Delete) {
        QCOMPARE(main().Session().Quib1().RowsCount(), 2);
        QCOMPARE(stored(1, cs::SurName), QStringLiteral("Row 3"));
    }
}
