// The query builder on screen (offscreen): its widget rows and their names,
// which rows can be edited, paging, storing what the user chose, query files
// through the file commands, and two builders that do not share anything.

#include "GridFixture.h"
#include "testsupport/TestSupport.h"

#include "query/u_frameMainQuery.h"
#include "session/u_ContactSchema.h"
#include "session/u_ContactsSession.h"
#include "support/u_FileChooser.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include <memory>

using gridfixture::Record;
namespace cs = ContactSchema;

namespace {

TQueryRow Cond(uint8_t item, int compar, const QString& text, bool caseSensitive = false) {
    TQueryRow row;
    row.item = item;
    row.compar = compar;
    row.text = text;
    row.caseSensitive = caseSensitive;
    return row;
}

constexpr uint8_t Col(int field) {
    return static_cast<uint8_t>(TQuery::ItemFirstColumn + field);
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

}  // namespace

class TestFrameMainQuery : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void startsEmptyWithNamedRowOne();
    void rowCountFollowsHeight();
    void toolBarAndHeader();
    void oneConditionEnablesTwoRows();
    void userChoicesAreStored();
    void scrollingShowsLaterRowsAndHint();
    void saveAsWritesFileAndRemembersName();
    void saveFailureIsReported();
    void openReplacesQuery();
    void badFileKeepsQueryAndName();
    void openedGapDisablesRowsBelow();
    void newQueryForgetsEverything();
    void matchesRowsOfTheDatabase();
    void twoBuildersAreIndependent();

  private:
    TframeMainQuery& frame() { return *frame_; }
    template <typename T>
    T* child(const QString& name) {
        return frame_->findChild<T*>(name);
    }
    void answerFileDialog(const QString& path);
    QString lastDialogTitle() const;

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<TframeMainQuery> frame_;
    TColumnCatalogue catalogue_;
    QStringList& titles_ = catalogue_.lstDBColsTitleFull;
};

void TestFrameMainQuery::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    catalogue_.lstDBColsName = cs::ColumnNames();
    catalogue_.lstDBColsTitleFull = cs::ColumnTitlesFull();
    catalogue_.lstDBColsIndexFromProgram = TColumnMap::Identity(cs::ColumnCount);
    FileChooserTest::Reset();
    frame_ = std::make_unique<TframeMainQuery>();
    frame_->SetColumns(&catalogue_);
    frame_->resize(800, 400);
    frame_->show();
    QVERIFY(QTest::qWaitForWindowExposed(frame_.get()));
}

void TestFrameMainQuery::cleanup() {
    FileChooserTest::Reset();
    frame_.reset();
    dir_.reset();
}

void TestFrameMainQuery::answerFileDialog(const QString& path) {
    // The empty text stands for Cancel.
    FileChooserTest::QueueAnswer(path);
}

QString TestFrameMainQuery::lastDialogTitle() const {
    const auto& asked = FileChooserTest::Asked();
    return asked.empty() ? QString() : asked.back().title;
}

void TestFrameMainQuery::startsEmptyWithNamedRowOne() {
    QCOMPARE(frame().Query().DefinedCount(), 0);
    QCOMPARE(frame().Query().op(), TQuery::And);
    QVERIFY(frame().FileName().isEmpty());
    auto* item = child<QComboBox>(QStringLiteral("txtQueryItem1"));
    QVERIFY(item);
    QCOMPARE(item->count(), 3 + cs::ColumnCount);
    QCOMPARE(item->itemText(0), QStringLiteral("--any--"));
    QCOMPARE(item->itemText(1), QStringLiteral("--every--"));
    QCOMPARE(item->itemText(2), QStringLiteral("--at least one--"));
    QCOMPARE(item->itemText(3), QStringLiteral("Surname"));
    QCOMPARE(item->itemText(3 + cs::Notes), titles_[cs::Notes]);
    auto* compar = child<QComboBox>(QStringLiteral("txtQueryCompar1"));
    QCOMPARE(compar->count(), 4);
    QCOMPARE(compar->itemText(1), QStringLiteral("doesn't contain"));
    QCOMPARE(compar->itemText(3), QStringLiteral("isn't"));
    QCOMPARE(child<QCheckBox>(QStringLiteral("cbQueryCaseSensitive1"))->toolTip(),
             QStringLiteral("Case Sensitive"));
    QCOMPARE(child<QLabel>(QStringLiteral("lblQueryNumber1"))->text(), QStringLiteral("1."));
    QVERIFY(child<QLineEdit>(QStringLiteral("txtQueryText1")));
    auto* op = child<QComboBox>(QStringLiteral("txtQueryOperator"));
    QCOMPARE(op->currentText(), QStringLiteral("and"));
    QCOMPARE(op->itemText(1), QStringLiteral("or"));
}

void TestFrameMainQuery::rowCountFollowsHeight() {
    auto* panel = child<QWidget>(QStringLiteral("pnlQueryRows"));
    const int expected = std::clamp((panel->height() - 2) / TframeMainQuery::RowHeight, 1, 50);
    QCOMPARE(frame().VisibleRows(), expected);
    auto* sb = child<QScrollBar>(QStringLiteral("sbQuery"));
    QCOMPARE(sb->minimum(), 1);
    QCOMPARE(sb->maximum(), 51 - expected);
    QCOMPARE(sb->pageStep(), expected);
    const QString last = QString::number(expected);
    auto* text = child<QLineEdit>(QStringLiteral("txtQueryText") + last);
    QVERIFY(text);
    QCOMPARE(text->property("tag").toInt(), expected);
    // Text fields end 7 pixels left of the scroll bar.
    QCOMPARE(text->geometry().right() + 1, sb->x() - 7);
    QVERIFY(!child<QLineEdit>(QStringLiteral("txtQueryText") + QString::number(expected + 1)));

    frame_->resize(800, 2000);
    QCOMPARE(frame().VisibleRows(), 50);
    QCOMPARE(sb->maximum(), 1);
    QVERIFY(child<QComboBox>(QStringLiteral("txtQueryItem50")));
    frame_->resize(800, 150);
    QVERIFY(frame().VisibleRows() < expected);
    QVERIFY(!child<QComboBox>(QStringLiteral("txtQueryItem") + last));
    frame_->resize(800, 10);
    QCOMPARE(frame().VisibleRows(), 1);
}

void TestFrameMainQuery::toolBarAndHeader() {
    auto* bar = child<QToolBar>(QStringLiteral("tbQuery"));
    QVERIFY(bar);
    const QList<QAction*> actions = bar->actions();
    QVERIFY(actions.contains(frame().actQueryNew));
    QVERIFY(actions.contains(frame().actQueryOpen));
    QVERIFY(actions.contains(frame().actQuerySaveAs));
    QVERIFY(!actions.contains(frame().actQuerySave));
    QCOMPARE(frame().actQueryNew->text(), QStringLiteral("New q&uery"));
    QCOMPARE(frame().actQueryNew->toolTip(), QStringLiteral("Clear actual query"));
    QCOMPARE(frame().actQueryOpen->text(), QStringLiteral("&Open query..."));
    QCOMPARE(frame().actQueryOpen->toolTip(), QStringLiteral("Open existing query from a file"));
    QCOMPARE(frame().actQuerySave->text(), QStringLiteral("&Save query"));
    QCOMPARE(frame().actQuerySave->toolTip(), QStringLiteral("Save current query to a file"));
    QCOMPARE(frame().actQuerySaveAs->text(), QStringLiteral("Save &as query..."));
    QCOMPARE(frame().actQuerySaveAs->toolTip(), QStringLiteral("Save current query to a new file"));
    auto* header = child<QHeaderView>(QStringLiteral("hdrQuery"));
    QVERIFY(header);
    QStringList labels;
    for (int i = 0; i < header->count(); ++i)
        labels.append(header->model()->headerData(i, Qt::Horizontal).toString());
    QCOMPARE(labels, (QStringList{"", "Item", "Compar", "C", "Text"}));
    QCOMPARE(header->sectionSize(4),
             child<QLineEdit>(QStringLiteral("txtQueryText1"))->width() + 11);
}

void TestFrameMainQuery::oneConditionEnablesTwoRows() {
    TQuery q;
    q.setRow(0, Cond(Col(cs::SurName), TQuery::Contain, QStringLiteral("a")));
    frame().SetQuery(q);
    QVERIFY(child<QComboBox>(QStringLiteral("txtQueryItem1"))->isEnabled());
    QVERIFY(child<QLineEdit>(QStringLiteral("txtQueryText2"))->isEnabled());
    QVERIFY(!child<QComboBox>(QStringLiteral("txtQueryItem3"))->isEnabled());
    QVERIFY(!child<QCheckBox>(QStringLiteral("cbQueryCaseSensitive3"))->isEnabled());
}

void TestFrameMainQuery::userChoicesAreStored() {
    child<QComboBox>(QStringLiteral("txtQueryItem1"))->setCurrentIndex(Col(cs::Home_Town));
    QVERIFY(child<QComboBox>(QStringLiteral("txtQueryItem2"))->isEnabled());
    child<QComboBox>(QStringLiteral("txtQueryCompar1"))->setCurrentIndex(TQuery::Is);
    QTest::mouseClick(child<QCheckBox>(QStringLiteral("cbQueryCaseSensitive1")), Qt::LeftButton);
    auto* text = child<QLineEdit>(QStringLiteral("txtQueryText1"));
    text->setFocus();
    QTest::keyClicks(text, QStringLiteral("Brno"));
    QCOMPARE(frame().Query().row(0),
             Cond(Col(cs::Home_Town), TQuery::Is, QStringLiteral("Brno"), true));
    // Row 2 gets a condition too; row 3 opens up.
    QVERIFY(!child<QComboBox>(QStringLiteral("txtQueryItem3"))->isEnabled());
    child<QComboBox>(QStringLiteral("txtQueryItem2"))->setCurrentIndex(TQuery::ItemEvery);
    QCOMPARE(frame().Query().DefinedCount(), 2);
    QVERIFY(child<QComboBox>(QStringLiteral("txtQueryItem3"))->isEnabled());
    child<QComboBox>(QStringLiteral("txtQueryOperator"))->setCurrentIndex(1);
    QCOMPARE(frame().Query().op(), TQuery::Or);
    // A pasted line break becomes a blank.
    text->setText(QStringLiteral("a\nb"));
    QCOMPARE(frame().Query().row(0).text.contains(QLatin1Char('\n')), false);
}

void TestFrameMainQuery::scrollingShowsLaterRowsAndHint() {
    TQuery q;
    for (int i = 0; i < 10; ++i)
        q.setRow(i, Cond(Col(cs::SurName), TQuery::Contain, QString::number(i + 1)));
    frame().SetQuery(q);
    auto* sb = child<QScrollBar>(QStringLiteral("sbQuery"));
    sb->setValue(3);
    QCOMPARE(child<QLabel>(QStringLiteral("lblQueryNumber1"))->text(), QStringLiteral("3."));
    QCOMPARE(child<QLineEdit>(QStringLiteral("txtQueryText1"))->text(), QStringLiteral("3"));
    const int v = frame().VisibleRows();
    QCOMPARE(sb->toolTip(), QStringLiteral("Query Rows: 3 - %1").arg(3 + v - 1));
    // A change in a scrolled row goes to the row it shows.
    child<QLineEdit>(QStringLiteral("txtQueryText2"))->setText(QStringLiteral("four"));
    QCOMPARE(frame().Query().row(3).text, QStringLiteral("four"));
    sb->setValue(sb->maximum());
    QCOMPARE(child<QLabel>(QStringLiteral("lblQueryNumber") + QString::number(v))->text(),
             QStringLiteral("50."));
    // Rows past the first free one cannot be edited.
    QVERIFY(!child<QLineEdit>(QStringLiteral("txtQueryText") + QString::number(v))->isEnabled());
}

void TestFrameMainQuery::saveAsWritesFileAndRemembersName() {
    TQuery q;
    q.setRow(0, Cond(Col(cs::SurName), TQuery::Contain, QStringLiteral("smi")));
    frame().SetQuery(q);
    const QString path = dir_->filePath(QStringLiteral("mine.tbq"));
    answerFileDialog(QString());
    frame().actQuerySaveAs->trigger();
    QCOMPARE(lastDialogTitle(), QStringLiteral("Save Query"));
    QCOMPARE(FileChooserTest::Asked().back().defaultSuffix, QStringLiteral("tbq"));
    QCOMPARE(FileChooserTest::Asked().back().nameFilters.first(),
             QStringLiteral("Orvane Query Definition (*.tbq)"));
    QVERIFY(frame().FileName().isEmpty());
    QVERIFY(!QFile::exists(path));

    answerFileDialog(path);
    frame().actQuerySaveAs->trigger();
    QCOMPARE(frame().FileName(), path);
    QCOMPARE(ReadAll(path), QByteArray("[Query]\r\nOperator=and\r\nCount=1\r\nItem1=SurName\r\n"
                                       "Compar1=contain\r\nCaseSensitive1=false\r\nText1=smi\r\n"));
    // Save writes to the remembered file without asking.
    child<QLineEdit>(QStringLiteral("txtQueryText1"))->setText(QStringLiteral("nov"));
    const std::size_t asked = FileChooserTest::Asked().size();
    frame().actQuerySave->trigger();
    QCOMPARE(FileChooserTest::Asked().size(), asked);
    QVERIFY(ReadAll(path).contains("Text1=nov\r\n"));
}

void TestFrameMainQuery::saveFailureIsReported() {
    MessageRecorder messages;
    const QString folder = dir_->filePath(QStringLiteral("folder.tbq"));
    QVERIFY(QDir().mkdir(folder));
    answerFileDialog(folder);
    frame().actQuerySaveAs->trigger();
    QCOMPARE(messages.texts(),
             QStringList{QStringLiteral("Unable to write to %1\n\rIs a directory").arg(folder)});
    QCOMPARE(messages.messages().front().type, MsgType::Error);
}

void TestFrameMainQuery::openReplacesQuery() {
    const QString path = dir_->filePath(QStringLiteral("q.tbq"));
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(
            "[Query]\r\nOperator=or\r\nCount=2\r\nItem1=Home_Town\r\nCompar1=is\r\n"
            "Text1=Brno\r\nItem2=atleastone\r\nText2=x\r\n");
    }
    answerFileDialog(path);
    frame().actQueryOpen->trigger();
    QCOMPARE(lastDialogTitle(), QStringLiteral("Open Query"));
    QCOMPARE(frame().FileName(), path);
    QCOMPARE(frame().Query().op(), TQuery::Or);
    QCOMPARE(frame().Query().DefinedCount(), 2);
    QCOMPARE(child<QComboBox>(QStringLiteral("txtQueryOperator"))->currentIndex(), 1);
    QCOMPARE(child<QComboBox>(QStringLiteral("txtQueryItem1"))->currentText(),
             titles_[cs::Home_Town]);
    QCOMPARE(child<QComboBox>(QStringLiteral("txtQueryCompar1"))->currentText(),
             QStringLiteral("is"));
    QCOMPARE(child<QLineEdit>(QStringLiteral("txtQueryText2"))->text(), QStringLiteral("x"));
    QCOMPARE(frame().ScrollPosition(), 1);
    QCOMPARE(QApplication::focusWidget(), child<QComboBox>(QStringLiteral("txtQueryItem1")));
}

void TestFrameMainQuery::badFileKeepsQueryAndName() {
    TQuery q;
    q.setRow(0, Cond(Col(cs::SurName), TQuery::Contain, QStringLiteral("keep")));
    frame().SetQuery(q);
    const QString good = dir_->filePath(QStringLiteral("good.tbq"));
    answerFileDialog(good);
    frame().actQuerySaveAs->trigger();
    const QString bad = dir_->filePath(QStringLiteral("bad.tbq"));
    {
        QFile f(bad);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[Query]\nOperator=or\nCount=lots\nItem1=every\nText1=x\n");
    }
    MessageRecorder messages;
    answerFileDialog(bad);
    frame().actQueryOpen->trigger();
    QCOMPARE(messages.texts(), QStringList{QStringLiteral("'lots' is not a valid integer value")});
    QVERIFY(frame().Query() == q);
    QCOMPARE(frame().FileName(), good);
    QCOMPARE(child<QLineEdit>(QStringLiteral("txtQueryText1"))->text(), QStringLiteral("keep"));
    // A file that cannot be read at all changes nothing either.
    messages.clear();
    const QString folder = dir_->filePath(QStringLiteral("folder.tbq"));
    QVERIFY(QDir().mkdir(folder));
    answerFileDialog(folder);
    frame().actQueryOpen->trigger();
    QCOMPARE(messages.texts().size(), 1);
    QVERIFY(frame().Query() == q);
    QCOMPARE(frame().FileName(), good);
}

void TestFrameMainQuery::openedGapDisablesRowsBelow() {
    const QString path = dir_->filePath(QStringLiteral("gap.tbq"));
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(
            "[Query]\nCount=3\nItem1=SurName\nText1=a\nItem2=any\nText2=\n"
            "Item3=FirstName\nText3=c\n");
    }
    answerFileDialog(path);
    frame().actQueryOpen->trigger();
    QCOMPARE(frame().Query().DefinedCount(), 1);
    QVERIFY(child<QLineEdit>(QStringLiteral("txtQueryText2"))->isEnabled());
    QVERIFY(!child<QLineEdit>(QStringLiteral("txtQueryText3"))->isEnabled());
    QCOMPARE(child<QLineEdit>(QStringLiteral("txtQueryText3"))->text(), QStringLiteral("c"));
}

void TestFrameMainQuery::newQueryForgetsEverything() {
    TQuery q;
    q.setOp(TQuery::Or);
    q.setRow(0, Cond(Col(cs::SurName), TQuery::Contain, QStringLiteral("x")));
    frame().SetQuery(q);
    answerFileDialog(dir_->filePath(QStringLiteral("n.tbq")));
    frame().actQuerySaveAs->trigger();
    child<QScrollBar>(QStringLiteral("sbQuery"))->setValue(2);
    frame().actQueryNew->trigger();
    QVERIFY(frame().Query() == TQuery());
    QVERIFY(frame().FileName().isEmpty());
    QCOMPARE(frame().ScrollPosition(), 1);
    QCOMPARE(child<QComboBox>(QStringLiteral("txtQueryOperator"))->currentIndex(), 0);
    QCOMPARE(QApplication::focusWidget(), child<QComboBox>(QStringLiteral("txtQueryItem1")));
}

void TestFrameMainQuery::matchesRowsOfTheDatabase() {
    const QString path = dir_->filePath(QStringLiteral("c.tbr"));
    gridfixture::WriteContacts(path, cs::ColumnNames(),
                               {Record({{cs::SurName, QStringLiteral("Novák")}}),
                                Record({{cs::SurName, QStringLiteral("Smith")}}),
                                Record({{cs::SurName, QStringLiteral("Nováková")}})});
    TColumnMap map;
    auto quib = gridfixture::OpenContacts(path, &map);
    catalogue_.lstDBColsIndexFromProgram = map;
    QVERIFY(!frame().RowMatchesQuery(0));  // no database yet
    frame().SetDatabase(quib.get());
    QVERIFY(frame().RowMatchesQuery(1));  // empty query
    child<QComboBox>(QStringLiteral("txtQueryItem1"))->setCurrentIndex(Col(cs::SurName));
    child<QLineEdit>(QStringLiteral("txtQueryText1"))->setText(QStringLiteral("NOVÁK"));
    QCOMPARE(QList<int>(frame().MatchingRows()), (QList<int>{0, 2}));
    QVERIFY(!frame().RowMatchesQuery(1));
    // A new column map (another database) is seen at once.
    catalogue_.lstDBColsIndexFromProgram.set(cs::SurName, kMissingColumn);
    QCOMPARE(QList<int>(frame().MatchingRows()), QList<int>{});
}

void TestFrameMainQuery::twoBuildersAreIndependent() {
    TframeMainQuery other;
    other.SetColumns(&catalogue_);
    other.resize(600, 300);
    other.show();
    child<QComboBox>(QStringLiteral("txtQueryItem1"))->setCurrentIndex(TQuery::ItemEvery);
    answerFileDialog(dir_->filePath(QStringLiteral("one.tbq")));
    frame().actQuerySaveAs->trigger();
    QCOMPARE(other.Query().DefinedCount(), 0);
    QVERIFY(other.FileName().isEmpty());
    other.findChild<QLineEdit*>(QStringLiteral("txtQueryText1"))->setText(QStringLiteral("x"));
    QCOMPARE(frame().Query().row(0).text, QString());
    QCOMPARE(other.Query().row(0).text, QStringLiteral("x"));
}

QTEST_MAIN(TestFrameMainQuery)
#include "test_frameMainQuery.moc"
