// Find by query and the sort builder through the real main window and its
// commands, on real database and query files.

#include "GridFixture.h"
#include "app/AppTestSupport.h"
#include "app/Pellum.h"
#include "app/u_frmCommon.h"
#include "app/u_frmMain.h"
#include "query/u_QueryCommands.h"
#include "query/u_frameMainDBQuery.h"
#include "query/u_frameMainDBSort.h"
#include "query/u_frameMainQuery.h"
#include "session/QUIBLib_TLB.h"
#include "session/u_ContactSchema.h"
#include "session/u_ContactsSession.h"
#include "support/u_FileChooser.h"
#include "testsupport/TestSupport.h"
#include "views/u_frameMainGrid.h"
#include "views/u_frameMainIDE.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

using gridfixture::Record;
namespace cs = ContactSchema;

class TestQueryInMain : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void queryViewOpensAndCloses();
    void queryAndPrintModesDisableSortDatabase();
    void processShowsTheHitsInTheTable();
    void noRecordsFoundKeepsTheQueryView();
    void closeReturnsToTheTable();
    void typingIntoAHitWritesItsRecord();
    void newRecordAmongTheHits();
    void deleteTheSecondHit();
    void theHitsAreRecordsThatFollowTheChanges();
    void sortBuilderSortsTheDatabase();
    void sortAsksAboutCardEditsFirst();
    void cancelAndShowAgainSortNothing();
    void queryFileSurvivesARestart();

  private:
    TfrmMain& main() { return *program_->frmMain; }
    TfrmCommon& common() { return *program_->frmCommon; }
    QAction* action(const char* name) { return common().action(QString::fromLatin1(name)); }
    void trigger(const char* name) { action(name)->trigger(); }
    TframeMainQuery& builder() { return main().frameMainDBQuery()->QueryBuilder(); }
    TframeMainGrid& grid() { return main().Grid(); }
    const TQuibReader& quib() { return main().Session().Quib1(); }
    template <typename T>
    T* child(QWidget* parent, const QString& name) {
        return parent->findChild<T*>(name);
    }
    void start();
    void setCondition(int row, int field, const QString& text);
    void processBrown();
    void typeIntoCell(int row, int field, const QString& text);
    QStringList surnames();
    // The file once the saves asked for so far are written in the background.
    QString stored(int record, int field) {
        if (program_)
            program_->session->FinishSaves();
        return gridfixture::StoredValue(path_, record, field);
    }

    std::unique_ptr<QTemporaryDir> dir_;
    QString path_;
    std::unique_ptr<MessageRecorder> messages_;
    std::unique_ptr<TProgram> program_;
};

void TestQueryInMain::init() {
    apptest::ClearSettings();
    FileChooserTest::Reset();
    dir_ = std::make_unique<QTemporaryDir>();
    path_ = dir_->filePath(QStringLiteral("six.tbr"));
    const char* data[][3] = {{"Adams", "F1", "Praha"},   {"Brown", "F2", "Brno"},
                             {"Clark", "F3", "Praha"},   {"Davis", "F4", "Olomouc"},
                             {"Brownlee", "F5", "Zlin"}, {"Adams", "F6", "Zlin"}};
    QList<QStringList> rows;
    for (const auto& d : data) {
        rows.append(Record({{cs::SurName, QLatin1String(d[0])},
                            {cs::FirstName, QLatin1String(d[1])},
                            {cs::Home_Town, QLatin1String(d[2])}}));
    }
    gridfixture::WriteContacts(path_, cs::ColumnNames(), rows);
    messages_ = std::make_unique<MessageRecorder>();
    start();
}

void TestQueryInMain::start() {
    program_ = StartProgram({path_}, false);
    main().show();
    QVERIFY(QTest::qWaitForWindowExposed(&main()));
    QCOMPARE(quib().RowsCount(), 6);
}

void TestQueryInMain::cleanup() {
    program_.reset();
    messages_.reset();
    FileChooserTest::Reset();
    dir_.reset();
}

void TestQueryInMain::setCondition(int row, int field, const QString& text) {
    auto* item = child<QComboBox>(&builder(), QStringLiteral("txtQueryItem%1").arg(row));
    item->setCurrentIndex(TQuery::ItemFirstColumn + field);
    child<QLineEdit>(&builder(), QStringLiteral("txtQueryText%1").arg(row))->setText(text);
}

void TestQueryInMain::processBrown() {
    trigger("actEditFindQuery");
    setCondition(1, cs::SurName, QStringLiteral("brown"));
    trigger("actDBFindQueryProcess");
    QCOMPARE(main().CurrentView(), TView::Table);
    QCOMPARE(grid().rowCount(), 2);
}

void TestQueryInMain::typeIntoCell(int row, int field, const QString& text) {
    grid().selectCell(row, field);
    grid().grid()->setFocus();
    QTest::keyClicks(grid().grid(), text.left(1));
    auto* editor = grid().grid()->findChild<QLineEdit*>();
    QVERIFY(editor);
    QTest::keyClicks(editor, text.mid(1));
    // The cell is stored when its edit ends.
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_VERIFY(!grid().isEditing());
}

QStringList TestQueryInMain::surnames() {
    QStringList names;
    for (int r = 0; r < quib().RowsCount(); ++r)
        names.append(quib().GetData(r, cs::SurName) + u'/' + quib().GetData(r, cs::Home_Town));
    return names;
}

void TestQueryInMain::queryViewOpensAndCloses() {
    QAction* query = action("actEditFindQuery");
    QCOMPARE(query->shortcut(), QKeySequence(QStringLiteral("Ctrl+Alt+F")));
    QCOMPARE(query->text(), QStringLiteral("&Query..."));
    QCOMPARE(query->toolTip(), QStringLiteral("Database Query"));
    QCOMPARE(action("actDBFindQueryProcess")->text(), QStringLiteral("&Process Query"));
    QCOMPARE(action("actDBFindQueryClose")->text(), QStringLiteral("&Close Query"));
    auto* bar = child<QToolBar>(main().frameMainDBQuery(), QStringLiteral("tbDBQuery"));
    QCOMPARE(bar->actions(),
             (QList<QAction*>{action("actDBFindQueryProcess"), action("actDBFindQueryClose")}));

    trigger("actEditFindQuery");
    QCOMPARE(main().CurrentView(), TView::Query);
    QVERIFY(main().frameMainDBQuery()->isVisible());
    QCOMPARE(common().QueryCommands().ViewBeforeQuery, TView::Card);
    for (const char* locked :
         {"actDBMoveNext", "actDBNewRow", "actDBDeleteRow", "actDBOpen", "actDBPrint",
          "actEditFindBasic", "actEditFindQuery", "actShowAsTable", "actDBSortShow"})
        QVERIFY2(!action(locked)->isEnabled(), locked);
    // The item lists name the catalogue's columns.
    auto* item = child<QComboBox>(&builder(), QStringLiteral("txtQueryItem1"));
    QCOMPARE(item->itemText(TQuery::ItemFirstColumn + int(cs::Notes)), QStringLiteral("Notes"));

    trigger("actDBFindQueryClose");
    QCOMPARE(main().CurrentView(), TView::Card);
    for (const char* open : {"actDBMoveNext", "actDBNewRow", "actEditFindQuery", "actDBSortShow"})
        QVERIFY2(action(open)->isEnabled(), open);
}

void TestQueryInMain::queryAndPrintModesDisableSortDatabase() {
    QVERIFY(action("actDBSortShow")->isEnabled());
    trigger("actDBPrint");
    QVERIFY(!action("actDBSortShow")->isEnabled());
    trigger("actDBPrintCancel");
    QVERIFY(action("actDBSortShow")->isEnabled());
    trigger("actEditFindQuery");
    QVERIFY(!action("actDBSortShow")->isEnabled());
    // A disabled command does nothing.
    trigger("actDBSortShow");
    QCOMPARE(main().CurrentView(), TView::Query);
}

void TestQueryInMain::processShowsTheHitsInTheTable() {
    processBrown();
    QCOMPARE(grid().rowNumber(0), QStringLiteral("2"));
    QCOMPARE(grid().rowNumber(1), QStringLiteral("5"));
    QCOMPARE(grid().cellText(1, cs::SurName), QStringLiteral("Brownlee"));
    QCOMPARE(grid().currentRow(), 0);
    QCOMPARE(grid().currentField(), 0);
    QVERIFY(action("actShowAsTable")->isChecked());
    QVERIFY(action("actDBNewRow")->isEnabled());
    QVERIFY(action("actEditFindQuery")->isEnabled());
    QVERIFY(messages_->texts().isEmpty());
    // The database keeps its rows and cursor.
    QCOMPARE(quib().RowsCount(), 6);
    QCOMPARE(quib().RowIndex(), 0);
}

void TestQueryInMain::noRecordsFoundKeepsTheQueryView() {
    trigger("actEditFindQuery");
    setCondition(1, cs::SurName, QStringLiteral("nobody"));
    trigger("actDBFindQueryProcess");
    QCOMPARE(messages_->texts(), QStringList{QStringLiteral("No records found.")});
    QCOMPARE(messages_->messages().front().type, MsgType::Information);
    QCOMPARE(main().CurrentView(), TView::Query);
    QCOMPARE(builder().Query().row(0).text, QStringLiteral("nobody"));
    QVERIFY(!action("actDBNewRow")->isEnabled());
}

void TestQueryInMain::closeReturnsToTheTable() {
    trigger("actShowAsTable");
    trigger("actEditFindQuery");
    QCOMPARE(common().QueryCommands().ViewBeforeQuery, TView::Table);
    trigger("actDBFindQueryClose");
    QCOMPARE(main().CurrentView(), TView::Table);
    // The query stays for the next visit.
    setCondition(1, cs::SurName, QStringLiteral("clark"));
    trigger("actEditFindQuery");
    trigger("actDBFindQueryClose");
    trigger("actEditFindQuery");
    QCOMPARE(builder().Query().row(0).text, QStringLiteral("clark"));
}

void TestQueryInMain::typingIntoAHitWritesItsRecord() {
    processBrown();
    typeIntoCell(1, cs::FirstName, QStringLiteral("Zed"));
    QCOMPARE(stored(4, cs::FirstName), QStringLiteral("Zed"));
    QCOMPARE(stored(1, cs::FirstName), QStringLiteral("F2"));
    QCOMPARE(stored(3, cs::FirstName), QStringLiteral("F4"));
}

void TestQueryInMain::newRecordAmongTheHits() {
    processBrown();
    trigger("actDBNewRow");
    QCOMPARE(quib().RowsCount(), 7);
    QCOMPARE(grid().rowCount(), 3);
    QCOMPARE(grid().rowNumber(2), QStringLiteral("7"));
    typeIntoCell(2, cs::SurName, QStringLiteral("Newman"));
    QCOMPARE(stored(6, cs::SurName), QStringLiteral("Newman"));
    // The record in the grid's third position of a whole table stays as it was.
    QCOMPARE(stored(2, cs::SurName), QStringLiteral("Clark"));
}

void TestQueryInMain::deleteTheSecondHit() {
    processBrown();
    grid().selectCell(1, cs::SurName);
    trigger("actDBDeleteRow");
    QCOMPARE(quib().RowsCount(), 5);
    QCOMPARE(grid().rowCount(), 1);
    QCOMPARE(grid().rowNumber(0), QStringLiteral("2"));
    QCOMPARE(grid().cellText(0, cs::SurName), QStringLiteral("Brown"));
    // Delete saved the file.
    QCOMPARE(stored(4, cs::SurName), QStringLiteral("Adams"));
    QCOMPARE(stored(1, cs::SurName), QStringLiteral("Brown"));
}

void TestQueryInMain::theHitsAreRecordsThatFollowTheChanges() {
    processBrown();
    QCOMPARE(common().QueryResult(), (QList<int>{1, 4}));
    // A record before both goes: the hits keep their records.
    main().Session().DeleteRecord(0);
    QCOMPARE(common().QueryResult(), (QList<int>{0, 3}));
    QCOMPARE(grid().rowNumber(0), QStringLiteral("1"));
    QCOMPARE(grid().rowNumber(1), QStringLiteral("4"));
    QCOMPARE(grid().cellText(1, cs::SurName), QStringLiteral("Brownlee"));
    // Undone, it comes back among the hits, which are where they were.
    QVERIFY(main().Session().Undo());
    QCOMPARE(common().QueryResult(), (QList<int>{0, 1, 4}));
    QCOMPARE(grid().rowCount(), 3);
    QCOMPARE(grid().cellText(0, cs::SurName), QStringLiteral("Adams"));
    // The table refilled with every record is no query result.
    trigger("actShowAsTable");
    trigger("actShowAsTable");
    QVERIFY(main().IsTableShown());
    QCOMPARE(common().QueryResult(), QList<int>());
}

void TestQueryInMain::sortBuilderSortsTheDatabase() {
    QCOMPARE(action("actDBSortShow")->text(), QStringLiteral("&Sort database..."));
    trigger("actDBSortShow");
    QCOMPARE(main().CurrentView(), TView::Sort);
    QVERIFY(action("actDBSortCancel")->isEnabled());
    QWidget* sort = main().frameMainDBSort();
    child<QComboBox>(sort, QStringLiteral("txtSortItem1"))->setCurrentIndex(cs::SurName);
    child<QComboBox>(sort, QStringLiteral("txtSortOrder1"))->setCurrentIndex(TSortList::Asc);
    child<QComboBox>(sort, QStringLiteral("txtSortItem2"))->setCurrentIndex(cs::Home_Town);
    child<QComboBox>(sort, QStringLiteral("txtSortOrder2"))->setCurrentIndex(TSortList::Desc);
    trigger("actDBSortProcess");
    QCOMPARE(main().CurrentView(), TView::Card);
    QCOMPARE(quib().SortsCount(), 2);
    QCOMPARE(surnames(), (QStringList{"Adams/Zlin", "Adams/Praha", "Brown/Brno", "Brownlee/Zlin",
                                      "Clark/Praha", "Davis/Olomouc"}));
    // The card shows the record now at the cursor's position.
    QCOMPARE(main().Card().fieldText(cs::FirstName), QStringLiteral("F6"));
    trigger("actShowAsTable");
    QCOMPARE(grid().cellText(1, cs::FirstName), QStringLiteral("F1"));
    // The sort keys stay for the next visit; only the last keys are in force.
    trigger("actShowAsTable");
    trigger("actDBSortShow");
    QCOMPARE(child<QComboBox>(sort, QStringLiteral("txtSortOrder2"))->currentIndex(),
             static_cast<int>(TSortList::Desc));
    child<QComboBox>(sort, QStringLiteral("txtSortOrder2"))->setCurrentIndex(TSortList::None);
    trigger("actDBSortProcess");
    QCOMPARE(quib().SortsCount(), 1);
}

void TestQueryInMain::sortAsksAboutCardEditsFirst() {
    trigger("actDBSortShow");
    QWidget* sort = main().frameMainDBSort();
    child<QComboBox>(sort, QStringLiteral("txtSortOrder1"))->setCurrentIndex(TSortList::Desc);
    // An unsaved edit of the card (its fields keep the current record).
    main().Card().setFieldText(cs::Notes, QStringLiteral("unsaved"));
    QVERIFY(main().Session().RecordChanged());
    const QStringList before = surnames();
    messages_->queueAnswer(MsgResult::Cancel);
    trigger("actDBSortProcess");
    QCOMPARE(messages_->texts().size(), 1);
    QCOMPARE(messages_->messages().front().buttons, MsgButtons::YesNoCancel);
    QCOMPARE(surnames(), before);
    QCOMPARE(quib().SortsCount(), 0);
    QCOMPARE(main().CurrentView(), TView::Sort);
    // Yes saves the edit, then sorts.
    messages_->queueAnswer(MsgResult::Yes);
    trigger("actDBSortProcess");
    QCOMPARE(quib().SortsCount(), 1);
    // The edited record (F1) went where the sort put it, and so did its note.
    int edited = -1;
    for (int r = 0; r < quib().RowsCount(); ++r) {
        if (quib().GetData(r, cs::FirstName) == QLatin1String("F1"))
            edited = r;
    }
    QCOMPARE(stored(edited, cs::Notes), QStringLiteral("unsaved"));
    QCOMPARE(quib().GetData(0, cs::SurName), QStringLiteral("Davis"));
}

void TestQueryInMain::cancelAndShowAgainSortNothing() {
    const QStringList before = surnames();
    trigger("actDBSortShow");
    QWidget* sort = main().frameMainDBSort();
    child<QComboBox>(sort, QStringLiteral("txtSortOrder1"))->setCurrentIndex(TSortList::Desc);
    trigger("actDBSortCancel");
    QCOMPARE(main().CurrentView(), TView::Card);
    QVERIFY(!action("actDBSortCancel")->isEnabled());
    QCOMPARE(surnames(), before);
    QCOMPARE(quib().SortsCount(), 0);
    // "&Sort database..." while the builder is shown goes back without sorting.
    trigger("actDBSortShow");
    QVERIFY(action("actDBSortCancel")->isEnabled());
    trigger("actDBSortShow");
    QCOMPARE(main().CurrentView(), TView::Card);
    QCOMPARE(surnames(), before);
}

void TestQueryInMain::queryFileSurvivesARestart() {
    // Two conditions, saved as a query file.
    trigger("actEditFindQuery");
    setCondition(1, cs::Home_Town, QStringLiteral("zlin"));
    setCondition(2, cs::FirstName, QStringLiteral("f5"));
    const QString file = dir_->filePath(QStringLiteral("zlin.tbq"));
    FileChooserTest::QueueAnswer(file);
    builder().actQuerySaveAs->trigger();
    QVERIFY(QFile::exists(file));

    program_.reset();
    start();
    trigger("actEditFindQuery");
    QCOMPARE(builder().Query().DefinedCount(), 0);
    FileChooserTest::QueueAnswer(file);
    builder().actQueryOpen->trigger();
    QCOMPARE(builder().Query().DefinedCount(), 2);
    trigger("actDBFindQueryProcess");
    QCOMPARE(grid().rowCount(), 1);
    QCOMPARE(grid().rowNumber(0), QStringLiteral("5"));
    typeIntoCell(0, cs::Notes, QStringLiteral("hit"));
    QCOMPARE(stored(4, cs::Notes), QStringLiteral("hit"));

    // Then the whole database by surname and town from the sort builder.
    trigger("actShowAsTable");
    trigger("actDBSortShow");
    QWidget* sort = main().frameMainDBSort();
    child<QComboBox>(sort, QStringLiteral("txtSortOrder1"))->setCurrentIndex(TSortList::Asc);
    child<QComboBox>(sort, QStringLiteral("txtSortItem2"))->setCurrentIndex(cs::Home_Town);
    child<QComboBox>(sort, QStringLiteral("txtSortOrder2"))->setCurrentIndex(TSortList::Asc);
    trigger("actDBSortProcess");
    QCOMPARE(surnames().first(), QStringLiteral("Adams/Praha"));
    trigger("actDBMoveFirst");
    QCOMPARE(main().Card().fieldText(cs::Home_Town), QStringLiteral("Praha"));
    trigger("actShowAsTable");
    QCOMPARE(grid().cellText(3, cs::SurName), QStringLiteral("Brownlee"));
    QCOMPARE(grid().cellText(3, cs::Notes), QStringLiteral("hit"));
}

QTEST_MAIN(TestQueryInMain)
#include "test_QueryInMain.moc"
