// The print wizard's "&Process Query" on a rows page laid out as the wizard
// names its parts: a check list "lstRows" on one page and a query builder on
// the page "tsRowsQuery".

#include "GridFixture.h"

#include "query/u_RowsQuery.h"
#include "query/u_frameMainQuery.h"
#include "session/u_ContactSchema.h"
#include "session/u_ContactsSession.h"

#include <QListWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

using gridfixture::Record;
namespace cs = ContactSchema;

class TestRowsQuery : public QObject {
    Q_OBJECT

  private slots:
    void ticksExactlyTheMatchingRows();
    void emptyQueryTicksEveryRow();
    void frameWithoutItsPartsIsLeftAlone();
};

namespace {

struct RowsStep {
    QWidget frame;
    QTabWidget* tabs = new QTabWidget(&frame);
    QWidget* rowsPage = new QWidget;
    QWidget* queryPage = new QWidget;
    QListWidget* lstRows = new QListWidget(rowsPage);
    TframeMainQuery* builder = new TframeMainQuery(queryPage);

    explicit RowsStep(int rows) {
        lstRows->setObjectName(QStringLiteral("lstRows"));
        queryPage->setObjectName(QStringLiteral("tsRowsQuery"));
        (new QVBoxLayout(&frame))->addWidget(tabs);
        tabs->addTab(rowsPage, QStringLiteral("&Rows"));
        tabs->addTab(queryPage, QStringLiteral("&Query"));
        for (int r = 0; r < rows; ++r) {
            auto* entry = new QListWidgetItem(QStringLiteral("row %1").arg(r), lstRows);
            entry->setFlags(entry->flags() | Qt::ItemIsUserCheckable);
            entry->setCheckState(r % 2 ? Qt::Checked : Qt::Unchecked);
        }
        tabs->setCurrentWidget(queryPage);
    }
    QList<bool> ticks() const {
        QList<bool> t;
        for (int r = 0; r < lstRows->count(); ++r)
            t.append(lstRows->item(r)->checkState() == Qt::Checked);
        return t;
    }
};

}  // namespace

void TestRowsQuery::ticksExactlyTheMatchingRows() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("c.tbr"));
    gridfixture::WriteContacts(path, cs::ColumnNames(),
                               {Record({{cs::SurName, QStringLiteral("Brown")}}),
                                Record({{cs::SurName, QStringLiteral("Clark")}}),
                                Record({{cs::SurName, QStringLiteral("Browning")}}),
                                Record({{cs::SurName, QStringLiteral("Davis")}})});
    TColumnCatalogue catalogue;
    catalogue.lstDBColsName = cs::ColumnNames();
    catalogue.lstDBColsTitleFull = cs::ColumnTitlesFull();
    auto quib = gridfixture::OpenContacts(path, &catalogue.lstDBColsIndexFromProgram);
    RowsStep step(4);
    step.builder->SetColumns(&catalogue);
    step.builder->SetDatabase(quib.get());
    TQuery q;
    TQueryRow cond;
    cond.item = static_cast<uint8_t>(TQuery::ItemFirstColumn + int(cs::SurName));
    cond.text = QStringLiteral("brown");
    q.setRow(0, cond);
    step.builder->SetQuery(q);
    QVERIFY(TickRowsByQuery(&step.frame));
    // Rows ticked by hand before are unticked when they do not match.
    QCOMPARE(step.ticks(), (QList<bool>{true, false, true, false}));
    QCOMPARE(step.tabs->currentWidget(), step.rowsPage);
}

void TestRowsQuery::emptyQueryTicksEveryRow() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("c.tbr"));
    gridfixture::WriteContacts(path, cs::ColumnNames(), {Record({}), Record({}), Record({})});
    TColumnCatalogue catalogue;
    auto quib = gridfixture::OpenContacts(path, &catalogue.lstDBColsIndexFromProgram);
    RowsStep step(3);
    step.builder->SetColumns(&catalogue);
    step.builder->SetDatabase(quib.get());
    QVERIFY(TickRowsByQuery(&step.frame));
    QCOMPARE(step.ticks(), (QList<bool>{true, true, true}));
}

void TestRowsQuery::frameWithoutItsPartsIsLeftAlone() {
    QVERIFY(!TickRowsByQuery(nullptr));
    QWidget empty;
    QVERIFY(!TickRowsByQuery(&empty));
    RowsStep step(2);
    step.lstRows->setObjectName(QStringLiteral("other"));
    QVERIFY(!TickRowsByQuery(&step.frame));
    QCOMPARE(step.ticks(), (QList<bool>{false, true}));
}

QTEST_MAIN(TestRowsQuery)
#include "test_RowsQuery.moc"
