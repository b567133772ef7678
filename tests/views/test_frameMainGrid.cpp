#include "GridFixture.h"

#include "session/u_ContactSchema.h"
#include "session/u_RecordChange.h"
#include "views/u_frameMainGrid.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using gridfixture::Record;
namespace cs = ContactSchema;

class TestFrameMainGrid : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void emptyGridHasOneEmptyCell();
    void threeRecordsGiveThreeNumberedRows();
    void gridLooksLikeAGrid();
    void tabMovesBetweenCells();
    void missingColumnShowsHeadingAndEmptyCells();
    void missingColumnEditsAreNotStored();
    void aFinishedCellEditIsStoredOnce();
    void escapeKeepsTheOldText();
    void deleteKeyAsksToDeleteTheRecord();
    void openingAnEditorSavesNothing();
    void editingAMultiLineCellKeepsItsLineBreaks();
    void rowNumberNotPositionNamesTheRecord();
    void deleteRowNumberedTwoOfThree();
    void deleteLastRow();
    void newRecordRowIsNumberedAndCurrent();
    void noCurrentCellStoresNothing();
    void refillReplacesEverything();
    void contextMenuOpensOnACellAndFromTheKeyboard();

  private:
    QString writeThree(const QStringList& columns = cs::ColumnNames());
    void show();

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<TframeMainGrid> grid_;
    std::unique_ptr<TQuib> quib_;
    TColumnMap map_;
    QString path_;
    // What the grid handed on, stored and saved as the session does.
    QStringList stored_;
};

void TestFrameMainGrid::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    grid_ = std::make_unique<TframeMainGrid>();
    grid_->resize(800, 400);
}

void TestFrameMainGrid::cleanup() {
    grid_.reset();
    quib_.reset();
    dir_.reset();
}

QString TestFrameMainGrid::writeThree(const QStringList& columns) {
    path_ = dir_->filePath(QStringLiteral("contacts.tbr"));
    gridfixture::WriteContacts(
        path_, columns,
        {Record({{cs::SurName, QString::fromUtf8("Novák")}, {cs::FirstName, "Jan"}}),
         Record({{cs::SurName, QString::fromUtf8("Dvořák")}, {cs::Home_Nick, "Dva"}}),
         Record({{cs::SurName, QString::fromUtf8("Černá")}, {cs::Notes, "line 1\r\nline 2"}})});
    quib_ = gridfixture::OpenContacts(path_, &map_);
    grid_->GridFill(*quib_, cs::ColumnTitlesFull(), map_);
    stored_.clear();
    connect(grid_.get(), &TframeMainGrid::cellEdited, this,
            [this](int record, int field, const QString& text) {
                QVERIFY(quib_->SetData(record, map_[field], text));
                QVERIFY(quib_->Save());
                stored_ << text;
            });
    return path_;
}

void TestFrameMainGrid::show() {
    grid_->show();
    QVERIFY(QTest::qWaitForWindowExposed(grid_.get()));
    grid_->activateWindow();
    grid_->grid()->setFocus();
}

void TestFrameMainGrid::emptyGridHasOneEmptyCell() {
    QCOMPARE(grid_->rowCount(), 1);
    QCOMPARE(grid_->columnCount(), 1);
    QCOMPARE(grid_->rowNumber(0), QString());
    QCOMPARE(grid_->headingText(0), QString());
    QCOMPARE(grid_->cellText(0, 0), QString());
    writeThree();
    grid_->GridClear();
    QCOMPARE(grid_->rowCount(), 1);
    QCOMPARE(grid_->columnCount(), 1);
    QCOMPARE(grid_->cellText(0, 0), QString());
}

void TestFrameMainGrid::threeRecordsGiveThreeNumberedRows() {
    writeThree();
    QCOMPARE(grid_->rowCount(), 3);
    QCOMPARE(grid_->columnCount(), 32);
    QCOMPARE(grid_->rowNumber(0), QStringLiteral("1"));
    QCOMPARE(grid_->rowNumber(1), QStringLiteral("2"));
    QCOMPARE(grid_->rowNumber(2), QStringLiteral("3"));
    QCOMPARE(grid_->headingText(cs::SurName), QStringLiteral("Surname"));
    QCOMPARE(grid_->headingText(cs::Work_Tel), QStringLiteral("Phone (work)"));
    QCOMPARE(grid_->headingText(cs::Notes), QStringLiteral("Notes"));
    QCOMPARE(grid_->cellText(0, cs::SurName), QString::fromUtf8("Novák"));
    QCOMPARE(grid_->cellText(0, cs::FirstName), QStringLiteral("Jan"));
    QCOMPARE(grid_->cellText(1, cs::Home_Nick), QStringLiteral("Dva"));
    QCOMPARE(grid_->cellText(2, cs::Notes), QStringLiteral("line 1\r\nline 2"));
    // What the user sees is what the model holds.
    QTableView* sg = grid_->grid();
    QCOMPARE(sg->model()->headerData(1, Qt::Vertical).toString(), QStringLiteral("2"));
    QCOMPARE(sg->model()->index(1, 0).data().toString(), QString::fromUtf8("Dvořák"));
}

void TestFrameMainGrid::gridLooksLikeAGrid() {
    QTableView* sg = grid_->findChild<QTableView*>(QStringLiteral("sgMain"));
    QVERIFY(sg);
    QCOMPARE(sg, grid_->grid());
    QVERIFY(sg->showGrid());
    QVERIFY(sg->tabKeyNavigation());
    QCOMPARE(sg->verticalHeader()->defaultSectionSize(), 15);
    QCOMPARE(sg->verticalHeader()->sectionResizeMode(0), QHeaderView::Interactive);
    QCOMPARE(sg->horizontalHeader()->sectionResizeMode(0), QHeaderView::Interactive);
    QVERIFY(!sg->isSortingEnabled());
    writeThree();
    QVERIFY(sg->model()->flags(sg->model()->index(0, 0)) & Qt::ItemIsEditable);
    QCOMPARE(sg->verticalHeader()->sectionSize(2), 15);
}

void TestFrameMainGrid::tabMovesBetweenCells() {
    writeThree();
    show();
    grid_->selectCell(0, cs::SurName);
    QTest::keyClick(grid_->grid(), Qt::Key_Tab);
    QCOMPARE(grid_->currentRow(), 0);
    QCOMPARE(grid_->currentField(), static_cast<int>(cs::FirstName));
    // Also out of an open editor, keeping what was typed.
    QTest::keyClick(grid_->grid(), Qt::Key_Q);
    QLineEdit* editor = grid_->grid()->findChild<QLineEdit*>();
    QVERIFY(editor);
    QTest::keyClick(editor, Qt::Key_Tab);
    QCOMPARE(grid_->currentField(), static_cast<int>(cs::Home_Nick));
    QCOMPARE(grid_->cellText(0, cs::FirstName), QStringLiteral("q"));
}

void TestFrameMainGrid::missingColumnShowsHeadingAndEmptyCells() {
    QStringList columns = cs::ColumnNames();
    columns.removeAll(QStringLiteral("Home_Nick"));
    writeThree(columns);
    QCOMPARE(map_[cs::Home_Nick], kMissingColumn);
    QCOMPARE(grid_->columnCount(), 32);
    QCOMPARE(grid_->headingText(cs::Home_Nick), QStringLiteral("Nick (home)"));
    for (int r = 0; r < 3; ++r)
        QCOMPARE(grid_->cellText(r, cs::Home_Nick), QString());
    // The columns after the missing one are still read from the right place.
    QCOMPARE(grid_->cellText(2, cs::Notes), QStringLiteral("line 1\r\nline 2"));
}

void TestFrameMainGrid::missingColumnEditsAreNotStored() {
    QStringList columns = cs::ColumnNames();
    columns.removeAll(QStringLiteral("Home_Nick"));
    writeThree(columns);
    const QByteArray before = [&] {
        QFile f(path_);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    QSignalSpy edited(grid_.get(), &TframeMainGrid::cellEdited);
    grid_->selectCell(0, cs::Home_Nick);
    grid_->grid()->model()->setData(grid_->grid()->currentIndex(), QStringLiteral("x"));
    QCOMPARE(edited.count(), 0);
    // The cell keeps what was typed until the next fill.
    QCOMPARE(grid_->cellText(0, cs::Home_Nick), QStringLiteral("x"));
    QVERIFY(quib_->Save());
    QFile after(path_);
    QVERIFY(after.open(QIODevice::ReadOnly));
    QCOMPARE(after.readAll(), before);
}

void TestFrameMainGrid::aFinishedCellEditIsStoredOnce() {
    writeThree();
    show();
    grid_->selectCell(1, cs::Home_Town);
    QTest::keyClick(grid_->grid(), Qt::Key_A);
    QLineEdit* editor = grid_->grid()->findChild<QLineEdit*>();
    QVERIFY(editor);
    QTest::keyClick(editor, Qt::Key_B);
    // Typing stores nothing; the end of the edit stores the cell once.
    QVERIFY(stored_.isEmpty());
    QCOMPARE(gridfixture::StoredValue(path_, 1, cs::Home_Town), QString());
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(stored_, QStringList{"ab"});
    QCOMPARE(gridfixture::StoredValue(path_, 1, cs::Home_Town), QStringLiteral("ab"));
    QCOMPARE(grid_->cellText(1, cs::Home_Town), QStringLiteral("ab"));
    // Enter went on to the cell below.
    QTRY_COMPARE(grid_->currentRow(), 2);
    QCOMPARE(grid_->currentField(), int(cs::Home_Town));
    // A second edit of the same cell, finished by the program (a command that
    // runs meanwhile).
    grid_->selectCell(1, cs::Home_Town);
    grid_->grid()->edit(grid_->grid()->currentIndex());
    editor = grid_->grid()->findChild<QLineEdit*>();
    QVERIFY(editor);
    QTest::keyClick(editor, Qt::Key_End);
    QTest::keyClick(editor, Qt::Key_Backspace);
    QVERIFY(grid_->isEditing());
    grid_->FinishEdit();
    QVERIFY(!grid_->isEditing());
    QCOMPARE(stored_, (QStringList{"ab", "a"}));
    QCOMPARE(gridfixture::StoredValue(path_, 1, cs::Home_Town), QStringLiteral("a"));
    // The other records are untouched.
    QCOMPARE(gridfixture::StoredValue(path_, 0, cs::Home_Town), QString());
    QCOMPARE(gridfixture::StoredValue(path_, 2, cs::Home_Town), QString());
}

void TestFrameMainGrid::escapeKeepsTheOldText() {
    writeThree();
    show();
    grid_->selectCell(0, cs::FirstName);
    QTest::keyClick(grid_->grid(), Qt::Key_Z);
    QLineEdit* editor = grid_->grid()->findChild<QLineEdit*>();
    QVERIFY(editor);
    QCOMPARE(editor->text(), QStringLiteral("z"));
    QTest::keyClick(editor, Qt::Key_Escape);
    QVERIFY(!grid_->isEditing());
    QVERIFY(stored_.isEmpty());
    QCOMPARE(grid_->cellText(0, cs::FirstName), QStringLiteral("Jan"));
    // Cancelled by the program, the same.
    grid_->grid()->edit(grid_->grid()->currentIndex());
    editor = grid_->grid()->findChild<QLineEdit*>();
    QVERIFY(editor);
    editor->setText(QStringLiteral("Karel"));
    grid_->CancelEdit();
    QVERIFY(stored_.isEmpty());
    QCOMPARE(grid_->cellText(0, cs::FirstName), QStringLiteral("Jan"));
    QCOMPARE(gridfixture::StoredValue(path_, 0, cs::FirstName), QStringLiteral("Jan"));
}

void TestFrameMainGrid::deleteKeyAsksToDeleteTheRecord() {
    writeThree();
    show();
    QSignalSpy asked(grid_.get(), &TframeMainGrid::deleteKeyPressed);
    grid_->selectCell(1, cs::SurName);
    QTest::keyClick(grid_->grid(), Qt::Key_Delete);
    QCOMPARE(asked.count(), 1);
    // In a cell being edited, Delete deletes a character.
    grid_->grid()->edit(grid_->grid()->currentIndex());
    QLineEdit* editor = grid_->grid()->findChild<QLineEdit*>();
    QVERIFY(editor);
    QTest::keyClick(editor, Qt::Key_Home);
    QTest::keyClick(editor, Qt::Key_Delete);
    QCOMPARE(asked.count(), 1);
    QCOMPARE(editor->text(), QString::fromUtf8("vořák"));
}

void TestFrameMainGrid::openingAnEditorSavesNothing() {
    writeThree();
    show();
    grid_->selectCell(0, cs::SurName);
    grid_->grid()->edit(grid_->grid()->currentIndex());
    QLineEdit* editor = grid_->grid()->findChild<QLineEdit*>();
    QVERIFY(editor);
    QVERIFY(stored_.isEmpty());
    // Nor does closing it unchanged.
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_VERIFY(!grid_->isEditing());
    QVERIFY(stored_.isEmpty());
}

void TestFrameMainGrid::editingAMultiLineCellKeepsItsLineBreaks() {
    writeThree();
    show();
    grid_->selectCell(2, cs::Notes);
    grid_->grid()->edit(grid_->grid()->currentIndex());
    QLineEdit* editor = grid_->grid()->findChild<QLineEdit*>();
    QVERIFY(editor);
    QTest::keyClick(editor, Qt::Key_End);
    QTest::keyClick(editor, Qt::Key_X);
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(stored_, QStringList{"line 1\r\nline 2x"});
    QCOMPARE(grid_->cellText(2, cs::Notes), QStringLiteral("line 1\r\nline 2x"));
}

void TestFrameMainGrid::rowNumberNotPositionNamesTheRecord() {
    writeThree();
    // After a delete of the first record the numbers are 1, 2 again, and the
    // record of a row is found by its number.
    grid_->selectCell(0, cs::SurName);
    QVERIFY(quib_->DeleteRow(grid_->currentRecord()));
    grid_->FollowChange(TRecordChange::Removed(0, 1));
    grid_->selectCell(1, cs::Home_Town);
    QCOMPARE(grid_->currentRecord(), 1);
    grid_->grid()->model()->setData(grid_->grid()->currentIndex(), QStringLiteral("Brno"));
    QCOMPARE(stored_, QStringList{"Brno"});
    QCOMPARE(quib_->GetData(1, map_[cs::Home_Town]), QStringLiteral("Brno"));
    QCOMPARE(quib_->GetData(1, map_[cs::SurName]), QString::fromUtf8("Černá"));
}

void TestFrameMainGrid::deleteRowNumberedTwoOfThree() {
    writeThree();
    grid_->selectCell(1, cs::FirstName);
    QCOMPARE(grid_->currentRecord(), 1);
    QVERIFY(quib_->DeleteRow(grid_->currentRecord()));
    grid_->FollowChange(TRecordChange::Removed(1, 1));
    QCOMPARE(grid_->rowCount(), 2);
    QCOMPARE(grid_->rowNumber(0), QStringLiteral("1"));
    QCOMPARE(grid_->rowNumber(1), QStringLiteral("2"));
    QCOMPARE(grid_->cellText(0, cs::SurName), QString::fromUtf8("Novák"));
    QCOMPARE(grid_->cellText(1, cs::SurName), QString::fromUtf8("Černá"));
    QCOMPARE(grid_->cellText(1, cs::Notes), QStringLiteral("line 1\r\nline 2"));
    QCOMPARE(grid_->cellText(1, cs::Home_Nick), QString());
    QCOMPARE(grid_->currentRow(), 1);
    QCOMPARE(quib_->RowsCount(), 2);
}

void TestFrameMainGrid::deleteLastRow() {
    writeThree();
    grid_->selectCell(2, cs::SurName);
    QVERIFY(quib_->DeleteRow(2));
    grid_->FollowChange(TRecordChange::Removed(2, 1));
    QCOMPARE(grid_->rowCount(), 2);
    QCOMPARE(grid_->currentRow(), 1);
    QCOMPARE(grid_->cellText(1, cs::SurName), QString::fromUtf8("Dvořák"));
}

void TestFrameMainGrid::newRecordRowIsNumberedAndCurrent() {
    writeThree();
    grid_->selectCell(0, cs::Work_Company);
    QVERIFY(quib_->NewRow(3));
    grid_->FollowChange(TRecordChange::Inserted(3, 1));
    grid_->selectRow(grid_->rowOfRecord(3));
    QCOMPARE(grid_->rowCount(), 4);
    QCOMPARE(grid_->rowNumber(3), QStringLiteral("4"));
    QCOMPARE(grid_->currentRow(), 3);
    QCOMPARE(grid_->currentField(), static_cast<int>(cs::Work_Company));
    QCOMPARE(grid_->currentRecord(), 3);
    for (int i = 0; i < 32; ++i)
        QCOMPARE(grid_->cellText(3, i), QString());
}

void TestFrameMainGrid::noCurrentCellStoresNothing() {
    writeThree();
    quib_->MoveTo(2);
    grid_->grid()->setCurrentIndex({});
    QCOMPARE(grid_->currentRecord(), -1);
    grid_->FinishEdit();
    QVERIFY(stored_.isEmpty());
    QCOMPARE(quib_->GetData(-1, 0), QString::fromUtf8("Černá"));
}

void TestFrameMainGrid::refillReplacesEverything() {
    writeThree();
    grid_->selectCell(0, 0);
    QVERIFY(quib_->NewRow(3));
    grid_->FollowChange(TRecordChange::Inserted(3, 1));
    grid_->selectCell(3, cs::Notes);
    // The grid is not told of this one: a refill shows it.
    QVERIFY(quib_->DeleteRow(3));
    grid_->GridFill(*quib_, cs::ColumnTitlesFull(), map_);
    QCOMPARE(grid_->rowCount(), 3);
    QCOMPARE(grid_->rowNumber(2), QStringLiteral("3"));
    // The current cell stays, moved inside the smaller grid.
    QCOMPARE(grid_->currentRow(), 2);
    QCOMPARE(grid_->currentField(), static_cast<int>(cs::Notes));
    grid_->GridClear();
    grid_->GridFill(*quib_, cs::ColumnTitlesFull(), map_);
    QCOMPARE(grid_->currentRow(), -1);
}

QTEST_MAIN(TestFrameMainGrid)
#include "test_frameMainGrid.moc"

void TestFrameMainGrid::contextMenuOpensOnACellAndFromTheKeyboard() {
    writeThree();
    QMenu menu;
    grid_->SetContextMenu(&menu);
    grid_->show();
    QTableView* sg = grid_->grid();
    // A right-click makes the cell clicked current, then opens the menu.
    const QPoint at = sg->visualRect(sg->model()->index(2, 1)).center();
    QContextMenuEvent click(QContextMenuEvent::Mouse, at, sg->viewport()->mapToGlobal(at));
    QApplication::sendEvent(sg->viewport(), &click);
    QCOMPARE(grid_->currentRecord(), 2);
    QVERIFY(menu.isVisible());
    menu.close();
    for (const auto& [key, mods] :
         {std::pair{Qt::Key_Menu, Qt::NoModifier}, std::pair{Qt::Key_F10, Qt::ShiftModifier}}) {
        QTest::keyClick(sg, key, mods);
        QVERIFY(menu.isVisible());
        menu.close();
    }
    // A cell being edited keeps its editor's menu.
    sg->edit(sg->currentIndex());
    QVERIFY(grid_->isEditing());
    QApplication::sendEvent(sg->viewport(), &click);
    QVERIFY(!menu.isVisible());
    grid_->CancelEdit();
}
