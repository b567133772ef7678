// Find by query on a real database: the hits shown in the table view's grid
// with their own record numbers, edits of a hit, record New and Delete in
// the hits, and basic find among them.

#include "GridFixture.h"
#include "testsupport/TestSupport.h"

#include "query/u_frameMainDBQuery.h"
#include "query/u_frameMainQuery.h"
#include "session/u_ContactSchema.h"
#include "session/u_ContactsSession.h"
#include "session/u_RecordChange.h"
#include "views/u_FindCommand.h"
#include "views/u_frameMainGrid.h"
#include "views/u_frameMainIDE.h"

#include <QAction>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include <memory>

using gridfixture::Record;
namespace cs = ContactSchema;

namespace {

TQueryRow Cond(uint8_t item, int compar, const QString& text) {
    TQueryRow row;
    row.item = item;
    row.compar = compar;
    row.text = text;
    return row;
}

constexpr uint8_t Col(int field) {
    return static_cast<uint8_t>(TQuery::ItemFirstColumn + field);
}

}  // namespace

class TestFrameMainDBQuery : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void toolBarCarriesTheCommands();
    void hitsKeepTheirRecordNumbers();
    void emptyQueryListsEveryContact();
    void noHitLeavesGridEmpty();
    void editingAHitWritesItsRecord();
    void newRowInHitsIsTheAppendedRecord();
    void deletingAHitDeletesItsRecord();
    void findLandsOnTheHitsRecord();
    void databaseIsLeftAsItWas();

  private:
    void queryTwoAndFive();
    int process() { return static_cast<int>(view_->ProcessQuery(*grid_, titles_, map_).size()); }
    QString stored(int record, int field) const {
        return gridfixture::StoredValue(path_, record, field);
    }
    void typeIntoCurrentCell(const QString& text);

    std::unique_ptr<QTemporaryDir> dir_;
    QString path_;
    std::unique_ptr<TQuib> quib_;
    QStringList titles_ = cs::ColumnTitlesFull();
    TColumnMap map_;
    TColumnCatalogue catalogue_;
    std::unique_ptr<TframeMainDBQuery> view_;
    std::unique_ptr<TframeMainGrid> grid_;
};

void TestFrameMainDBQuery::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    path_ = dir_->filePath(QStringLiteral("c.tbr"));
    QList<QStringList> rows;
    const char* surnames[] = {"Adams", "Brown", "Clark", "Davis", "Brownlee", "Evans"};
    for (int i = 0; i < 6; ++i) {
        rows.append(Record({{cs::SurName, QLatin1String(surnames[i])},
                            {cs::FirstName, QStringLiteral("F%1").arg(i + 1)},
                            {cs::Notes, QStringLiteral("note %1").arg(i + 1)}}));
    }
    gridfixture::WriteContacts(path_, cs::ColumnNames(), rows);
    quib_ = gridfixture::OpenContacts(path_, &map_);
    view_ = std::make_unique<TframeMainDBQuery>();
    catalogue_.lstDBColsName = cs::ColumnNames();
    catalogue_.lstDBColsTitleFull = titles_;
    catalogue_.lstDBColsIndexFromProgram = map_;
    view_->QueryBuilder().SetColumns(&catalogue_);
    view_->QueryBuilder().SetDatabase(quib_.get());
    view_->resize(800, 500);
    grid_ = std::make_unique<TframeMainGrid>();
    grid_->resize(800, 500);
    grid_->show();
    // The main window's part: a finished cell edit is stored and saved.
    connect(grid_.get(), &TframeMainGrid::cellEdited, this,
            [this](int record, int field, const QString& text) {
                QVERIFY(quib_->SetData(record, map_[field], text));
                QVERIFY(quib_->Save());
            });
}

void TestFrameMainDBQuery::cleanup() {
    grid_.reset();
    view_.reset();
    quib_.reset();
    dir_.reset();
}

void TestFrameMainDBQuery::queryTwoAndFive() {
    TQuery q;
    q.setRow(0, Cond(Col(cs::SurName), TQuery::Contain, QStringLiteral("brown")));
    view_->QueryBuilder().SetQuery(q);
}

void TestFrameMainDBQuery::typeIntoCurrentCell(const QString& text) {
    // What the grid's editor does for a finished cell edit.
    QTableView* table = grid_->grid();
    QVERIFY(table->model()->setData(table->currentIndex(), text));
}

void TestFrameMainDBQuery::toolBarCarriesTheCommands() {
    QAction process(QStringLiteral("&Process Query"));
    QAction close(QStringLiteral("&Close Query"));
    view_->SetCommands(&process, &close);
    auto* bar = view_->findChild<QToolBar*>(QStringLiteral("tbDBQuery"));
    QVERIFY(bar);
    QCOMPARE(bar->actions(), (QList<QAction*>{&process, &close}));
    QVERIFY(view_->findChild<TframeMainQuery*>(QStringLiteral("frameMainQuery")));
}

void TestFrameMainDBQuery::hitsKeepTheirRecordNumbers() {
    queryTwoAndFive();
    QCOMPARE(process(), 2);
    QCOMPARE(grid_->rowCount(), 2);
    QCOMPARE(grid_->columnCount(), cs::ColumnCount);
    QCOMPARE(grid_->rowNumber(0), QStringLiteral("2"));
    QCOMPARE(grid_->rowNumber(1), QStringLiteral("5"));
    QCOMPARE(grid_->cellText(0, cs::SurName), QStringLiteral("Brown"));
    QCOMPARE(grid_->cellText(1, cs::SurName), QStringLiteral("Brownlee"));
    // The last catalogue column is shown like every other.
    QCOMPARE(grid_->headingText(cs::Notes), titles_[cs::Notes]);
    QCOMPARE(grid_->cellText(1, cs::Notes), QStringLiteral("note 5"));
    QCOMPARE(grid_->currentRow(), 0);
    QCOMPARE(grid_->currentField(), 0);
    QVERIFY(grid_->showsRecords());
}

void TestFrameMainDBQuery::emptyQueryListsEveryContact() {
    QCOMPARE(process(), 6);
    for (int r = 0; r < 6; ++r)
        QCOMPARE(grid_->rowNumber(r), QString::number(r + 1));
}

void TestFrameMainDBQuery::noHitLeavesGridEmpty() {
    TQuery q;
    q.setRow(0, Cond(Col(cs::SurName), TQuery::Is, QStringLiteral("nobody")));
    view_->QueryBuilder().SetQuery(q);
    QCOMPARE(process(), 0);
    QCOMPARE(grid_->rowCount(), 1);
    QCOMPARE(grid_->rowNumber(0), QString());
    // The conditions stay as they were.
    QCOMPARE(view_->QueryBuilder().Query().row(0).text, QStringLiteral("nobody"));
}

void TestFrameMainDBQuery::editingAHitWritesItsRecord() {
    queryTwoAndFive();
    process();
    grid_->selectCell(1, cs::FirstName);
    typeIntoCurrentCell(QStringLiteral("Edited"));
    QCOMPARE(stored(4, cs::FirstName), QStringLiteral("Edited"));
    QCOMPARE(stored(1, cs::FirstName), QStringLiteral("F2"));
    QCOMPARE(stored(3, cs::FirstName), QStringLiteral("F4"));
    QCOMPARE(grid_->cellText(1, cs::FirstName), QStringLiteral("Edited"));
}

void TestFrameMainDBQuery::newRowInHitsIsTheAppendedRecord() {
    queryTwoAndFive();
    process();
    // Record New in the table: a record at the end, a grid row numbered with it.
    QVERIFY(quib_->NewRow(quib_->RowsCount()));
    grid_->FollowChange(TRecordChange::Inserted(quib_->RowsCount() - 1, 1));
    grid_->selectRow(grid_->rowOfRecord(quib_->RowsCount() - 1));
    QCOMPARE(grid_->rowCount(), 3);
    QCOMPARE(grid_->rowNumber(2), QStringLiteral("7"));
    QCOMPARE(grid_->currentRow(), 2);
    grid_->selectCell(2, cs::SurName);
    typeIntoCurrentCell(QStringLiteral("Newman"));
    QCOMPARE(stored(6, cs::SurName), QStringLiteral("Newman"));
    // Record 3 (the grid's third position) is untouched.
    QCOMPARE(stored(2, cs::SurName), QStringLiteral("Clark"));
}

void TestFrameMainDBQuery::deletingAHitDeletesItsRecord() {
    queryTwoAndFive();
    process();
    grid_->selectCell(1, cs::SurName);
    const int record = grid_->currentRecord();
    QCOMPARE(record, 4);
    QVERIFY(quib_->DeleteRow(record));
    QVERIFY(quib_->Save());
    grid_->FollowChange(TRecordChange::Removed(record, 1));
    QCOMPARE(quib_->RowsCount(), 5);
    QCOMPARE(stored(4, cs::SurName), QStringLiteral("Evans"));
    QCOMPARE(grid_->rowCount(), 1);
    QCOMPARE(grid_->rowNumber(0), QStringLiteral("2"));
    QCOMPARE(grid_->cellText(0, cs::SurName), QStringLiteral("Brown"));

    // Deleting a record before a hit renumbers the hit; one inserted (here
    // "Evans", now record 4 again) joins the hits.
    QVERIFY(quib_->NewRow(4));
    QVERIFY(quib_->SetData(4, map_[cs::SurName], QStringLiteral("Evans")));
    QVERIFY(quib_->DeleteRow(5));
    grid_->FollowChange(TRecordChange::Inserted(4, 1));
    grid_->selectCell(0, 0);
    QVERIFY(quib_->DeleteRow(grid_->currentRecord()));
    grid_->FollowChange(TRecordChange::Removed(1, 1));
    QCOMPARE(grid_->rowCount(), 1);
    QCOMPARE(grid_->rowNumber(0), QStringLiteral("4"));
    QCOMPARE(grid_->cellText(0, cs::SurName), QStringLiteral("Evans"));
}

void TestFrameMainDBQuery::findLandsOnTheHitsRecord() {
    MessageRecorder messages;
    queryTwoAndFive();
    process();
    TframeMainIDE card;
    FindCommand::Context context{*quib_, card,    *grid_, map_, FindCommand::View::Table,
                                 {},     nullptr, {},     {}};
    grid_->selectCell(0, cs::Notes);
    FindCommand::Run(context, {QStringLiteral("note"), BasicFind::Direction::Down, false});
    QVERIFY(messages.texts().isEmpty());
    QCOMPARE(grid_->currentRow(), 1);
    QCOMPARE(grid_->currentRecord(), 4);
    QCOMPARE(grid_->currentField(), cs::Notes);
    // Records outside the hits are not searched.
    FindCommand::Run(context, {QStringLiteral("Clark"), BasicFind::Direction::Up, false});
    QCOMPARE(messages.texts().size(), 1);
    QCOMPARE(grid_->currentRecord(), 4);
}

void TestFrameMainDBQuery::databaseIsLeftAsItWas() {
    quib_->MoveTo(3);
    queryTwoAndFive();
    process();
    QCOMPARE(quib_->RowIndex(), 3);
    QCOMPARE(quib_->RowsCount(), 6);
    QCOMPARE(quib_->FiltersCount(), 0);
    QCOMPARE(quib_->GetData(0, map_[cs::SurName]), QStringLiteral("Adams"));
}

QTEST_MAIN(TestFrameMainDBQuery)
#include "test_frameMainDBQuery.moc"
