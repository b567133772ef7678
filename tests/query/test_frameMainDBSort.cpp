// The sort builder on screen (offscreen): its rows and names, which rows can
// be edited, paging, and the keys it hands to a real database control.

#include "GridFixture.h"

#include "query/u_frameMainDBSort.h"
#include "session/u_ContactSchema.h"
#include "session/u_ContactsSession.h"

#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include <memory>

using gridfixture::Record;
namespace cs = ContactSchema;

class TestFrameMainDBSort : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void rowsListsAndHeader();
    void rowCountFollowsHeight();
    void keysAndFirstFreeRowAreEnabled();
    void scrollingAndHint();
    void sortHandsKeysToTheControl();
    void toolBarCarriesTheCommands();

  private:
    template <typename T>
    T* child(const QString& name) {
        return frame_->findChild<T*>(name);
    }
    QComboBox* item(int n) { return child<QComboBox>(QStringLiteral("txtSortItem%1").arg(n)); }
    QComboBox* order(int n) { return child<QComboBox>(QStringLiteral("txtSortOrder%1").arg(n)); }

    TColumnCatalogue catalogue_;
    std::unique_ptr<TframeMainDBSort> frame_;
};

void TestFrameMainDBSort::init() {
    catalogue_.lstDBColsName = cs::ColumnNames();
    catalogue_.lstDBColsTitleFull = cs::ColumnTitlesFull();
    catalogue_.lstDBColsIndexFromProgram = TColumnMap::Identity(cs::ColumnCount);
    frame_ = std::make_unique<TframeMainDBSort>();
    frame_->SetColumns(&catalogue_);
    frame_->resize(700, 400);
    frame_->show();
    QVERIFY(QTest::qWaitForWindowExposed(frame_.get()));
}

void TestFrameMainDBSort::cleanup() {
    frame_.reset();
}

void TestFrameMainDBSort::rowsListsAndHeader() {
    QCOMPARE(frame_->SortList().DefinedCount(), 0);
    QVERIFY(child<QLabel>(QStringLiteral("lblSortNumber1")));
    QCOMPARE(child<QLabel>(QStringLiteral("lblSortNumber1"))->text(), QStringLiteral("1."));
    QCOMPARE(item(1)->count(), cs::ColumnCount);
    QCOMPARE(item(1)->itemText(0), QStringLiteral("Surname"));
    QCOMPARE(item(1)->currentIndex(), 0);
    QCOMPARE(order(1)->count(), 3);
    QCOMPARE(order(1)->itemText(0), QStringLiteral("-"));
    QCOMPARE(order(1)->itemText(1), QStringLiteral("ASC"));
    QCOMPARE(order(1)->itemText(2), QStringLiteral("DESC"));
    QCOMPARE(item(2)->property("tag").toInt(), 2);
    auto* header = child<QHeaderView>(QStringLiteral("hdrSort"));
    QCOMPARE(header->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Item"));
    QCOMPARE(header->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Order"));
    // The header's sections stand over their lists.
    QCOMPARE(header->sectionSize(0), order(1)->x());
    auto* sb = child<QScrollBar>(QStringLiteral("sbSort"));
    // The order lists end 7 pixels left of the scroll bar, the item lists 7
    // pixels left of the order lists.
    QCOMPARE(order(1)->geometry().right() + 1, sb->x() - 7);
    QCOMPARE(item(1)->geometry().right() + 1, order(1)->x() - 7);
}

void TestFrameMainDBSort::rowCountFollowsHeight() {
    auto* panel = child<QWidget>(QStringLiteral("pnlSortRows"));
    const int expected = std::clamp((panel->height() - 2) / TframeMainDBSort::RowHeight, 1, 50);
    QCOMPARE(frame_->VisibleRows(), expected);
    auto* sb = child<QScrollBar>(QStringLiteral("sbSort"));
    QCOMPARE(sb->maximum(), 51 - expected);
    QCOMPARE(sb->pageStep(), expected);
    QVERIFY(order(expected));
    QVERIFY(!order(expected + 1));
    frame_->resize(700, 2000);
    QCOMPARE(frame_->VisibleRows(), 50);
    frame_->resize(700, 100);
    QVERIFY(!order(expected));
}

void TestFrameMainDBSort::keysAndFirstFreeRowAreEnabled() {
    QVERIFY(item(1)->isEnabled());
    QVERIFY(!item(2)->isEnabled());
    item(1)->setCurrentIndex(cs::SurName);
    order(1)->setCurrentIndex(TSortList::Asc);
    QVERIFY(order(2)->isEnabled());
    QVERIFY(!order(3)->isEnabled());
    item(2)->setCurrentIndex(cs::Home_Town);
    order(2)->setCurrentIndex(TSortList::Desc);
    QCOMPARE(frame_->SortList().DefinedCount(), 2);
    QCOMPARE(frame_->SortList().row(1), (TSortList::Row{cs::Home_Town, TSortList::Desc}));
    // "-" in row 1 ends the keys; row 2 keeps its values.
    order(1)->setCurrentIndex(TSortList::None);
    QCOMPARE(frame_->SortList().DefinedCount(), 0);
    QVERIFY(!order(2)->isEnabled());
    QCOMPARE(order(2)->currentIndex(), static_cast<int>(TSortList::Desc));
}

void TestFrameMainDBSort::scrollingAndHint() {
    TSortList list;
    for (int i = 0; i < 5; ++i)
        list.setRow(i, {static_cast<uint8_t>(i), TSortList::Asc});
    frame_->SetSortList(list);
    auto* sb = child<QScrollBar>(QStringLiteral("sbSort"));
    sb->setValue(4);
    QCOMPARE(child<QLabel>(QStringLiteral("lblSortNumber1"))->text(), QStringLiteral("4."));
    QCOMPARE(item(1)->currentIndex(), 3);
    QCOMPARE(sb->toolTip(), QStringLiteral("Sort Rows: 4 - %1").arg(4 + frame_->VisibleRows() - 1));
    order(2)->setCurrentIndex(TSortList::Desc);
    QCOMPARE(frame_->SortList().row(4).order, static_cast<int>(TSortList::Desc));
}

void TestFrameMainDBSort::sortHandsKeysToTheControl() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("c.tbr"));
    gridfixture::WriteContacts(
        path, cs::ColumnNames(),
        {Record({{cs::SurName, QStringLiteral("B")}, {cs::Home_Town, QStringLiteral("x")}}),
         Record({{cs::SurName, QStringLiteral("A")}, {cs::Home_Town, QStringLiteral("x")}}),
         Record({{cs::SurName, QStringLiteral("B")}, {cs::Home_Town, QStringLiteral("y")}})});
    TColumnMap map;
    gridfixture::OpenContacts(path, &map);
    catalogue_.lstDBColsIndexFromProgram = map;
    TContactsSession session(QStringLiteral("9.9.9.9"));
    QVERIFY(session.OpenFile(path));
    item(1)->setCurrentIndex(cs::SurName);
    order(1)->setCurrentIndex(TSortList::Asc);
    item(2)->setCurrentIndex(cs::Home_Town);
    order(2)->setCurrentIndex(TSortList::Desc);
    // What "&Sort" does: the frame's keys to the session.
    session.Sort(frame_->SortKeys());
    const TQuibReader* quib = &session.Quib1();
    QCOMPARE(quib->SortsCount(), 2);
    QCOMPARE(quib->GetSortData(0, QStringLiteral("column")), QString::number(map[cs::SurName]));
    QCOMPARE(quib->GetSortData(1, QStringLiteral("order")), QStringLiteral("desc"));
    const int town = map[cs::Home_Town];
    QCOMPARE(quib->GetData(0, 0) + quib->GetData(0, town), QStringLiteral("Ax"));
    QCOMPARE(quib->GetData(1, 0) + quib->GetData(1, town), QStringLiteral("By"));
    QCOMPARE(quib->GetData(2, 0) + quib->GetData(2, town), QStringLiteral("Bx"));
    // The keys stay for the next visit.
    QCOMPARE(frame_->SortList().DefinedCount(), 2);
}

void TestFrameMainDBSort::toolBarCarriesTheCommands() {
    QAction sort(QStringLiteral("&Sort"));
    QAction cancel(QStringLiteral("&Cancel"));
    frame_->SetCommands(&sort, &cancel);
    QCOMPARE(child<QToolBar>(QStringLiteral("tbSort"))->actions(),
             (QList<QAction*>{&sort, &cancel}));
}

QTEST_MAIN(TestFrameMainDBSort)
#include "test_frameMainDBSort.moc"
