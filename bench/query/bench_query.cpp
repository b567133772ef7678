// Queries and sorts on a 100,000-contact database: RowMatchesQuery over every
// row with five conditions (one "--every--"), find by query with every
// contact matching (time and extra memory), and the sort builder's "&Sort"
// with three keys followed by the refresh.
//
// Basic find of a text only the last contact holds (in its last field), from
// the first contact, through the program's cell reader (the database's UTF-8
// without a copy, as Find reads it): every cell is read.
//
// Goals: RowMatchesQuery under 150 ms, find by query under 1 s and 100 MB,
// "&Sort" under 1 s, basic find in the last record under 200 ms.

#include <benchmark/benchmark.h>

#include "ContactData.h"

#include "query/u_SortList.h"
#include "query/u_frameMainDBQuery.h"
#include "query/u_frameMainQuery.h"
#include "session/QUIBLib_TLB.h"
#include "session/u_ContactSchema.h"
#include "session/u_ContactsDB.h"
#include "session/u_ContactsSession.h"
#include "views/u_BasicFind.h"
#include "views/u_frameMainGrid.h"

#include <QApplication>
#include <QTemporaryDir>

#include <malloc.h>

#include <memory>

namespace cs = ContactSchema;

namespace {

constexpr int kContacts = 100000;
const QString kLastContactNote = QStringLiteral("Poslední kontakt: Žluťoučký kůň");

// Bytes of the heap in use. The fixture frees far more than a query takes,
// so the resident size would not show what the query keeps.
double HeapInUse() {
    return static_cast<double>(mallinfo2().uordblks);
}

// One database on disk, open on one control, for the whole run.
struct Fixture {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("contacts.tbr"));
    TQuib quib;
    TColumnCatalogue catalogue{cs::ColumnNames(), cs::ColumnTitles(), cs::ColumnTitlesFull(),
                               TColumnMap::Identity(cs::ColumnCount),
                               TColumnMap::Identity(cs::ColumnCount)};

    Fixture() {
        quib.SetDatabaseName(path);
        quib.Create();
        WriteContactsHeaders(quib, QStringLiteral("2.5.1"), QStringLiteral("2.7.0.0"),
                             catalogue.lstDBColsName);
        const auto contacts = quibbench::MakeContacts(kContacts);
        for (int r = 0; r < kContacts; ++r) {
            quib.NewRow(r);
            for (int c = 0; c < quibbench::kContactColumns; ++c) {
                if (!contacts[r][c].empty())
                    quib.SetData(r, c, QString::fromStdString(contacts[r][c]));
            }
        }
        quib.SetData(kContacts - 1, cs::Notes, kLastContactNote);
        quib.Save();
        quib.MoveFirst();
    }
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

TQueryRow Cond(uint8_t item, int compar, const QString& text) {
    TQueryRow row;
    row.item = item;
    row.compar = compar;
    row.text = text;
    return row;
}

// Five conditions joined by "and" that every contact passes, so that every
// condition is tested on every row; the "--every--" one reads all 32 cells.
TQuery FiveConditions() {
    const auto col = [](int field) {
        return static_cast<uint8_t>(TQuery::ItemFirstColumn + field);
    };
    TQuery q;
    q.setRow(0, Cond(col(cs::SurName), TQuery::DoesNotContain, QStringLiteral("Qx")));
    q.setRow(1, Cond(col(cs::FirstName), TQuery::DoesNotContain, QStringLiteral("Qx")));
    q.setRow(2, Cond(TQuery::ItemEvery, TQuery::DoesNotContain, QStringLiteral("Žluťoučký kůň")));
    q.setRow(3, Cond(col(cs::Home_Town), TQuery::IsNot, QStringLiteral("Atlantis")));
    q.setRow(4, Cond(col(cs::Notes), TQuery::DoesNotContain, QStringLiteral("Qx")));
    return q;
}

void BM_RowMatchesQuery(benchmark::State& state) {
    Fixture& f = Shared();
    TframeMainQuery builder;
    builder.SetColumns(&f.catalogue);
    builder.SetDatabase(&f.quib);
    builder.SetQuery(FiveConditions());
    int matches = 0;
    for (auto _ : state) {
        matches = 0;
        for (int r = 0; r < kContacts; ++r)
            matches += builder.RowMatchesQuery(r) ? 1 : 0;
    }
    state.counters["matches"] = matches;
}
BENCHMARK(BM_RowMatchesQuery)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The floor under any query: every cell of every contact read once.
void BM_ReadEveryCell(benchmark::State& state) {
    Fixture& f = Shared();
    qsizetype chars = 0;
    for (auto _ : state) {
        chars = 0;
        for (int r = 0; r < kContacts; ++r) {
            for (int c = 0; c < quibbench::kContactColumns; ++c)
                chars += f.quib.GetData(r, c).size();
        }
    }
    state.counters["chars"] = static_cast<double>(chars);
}
BENCHMARK(BM_ReadEveryCell)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_BasicFindInLastRecord(benchmark::State& state) {
    Fixture& f = Shared();
    const TColumnMap& map = f.catalogue.lstDBColsIndexFromProgram;
    const BasicFind::CellView cell = [&](int row, int field) {
        return f.quib.DataView(row, map[field]);
    };
    const BasicFind::Request request{QStringLiteral("žluťoučký KŮŇ"), BasicFind::Direction::Down,
                                     false};
    int found = -1;
    for (auto _ : state) {
        const auto hit = BasicFind::Find(cell, f.quib.RowsCount(), {0, 0}, request);
        found = hit ? hit->record : -1;
    }
    state.counters["found"] = found;
}
BENCHMARK(BM_BasicFindInLastRecord)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_FindQueryProcess(benchmark::State& state) {
    Fixture& f = Shared();
    TframeMainDBQuery view;
    view.QueryBuilder().SetColumns(&f.catalogue);
    view.QueryBuilder().SetDatabase(&f.quib);
    view.QueryBuilder().SetQuery(FiveConditions());
    double extra = 0;
    int hits = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto grid = std::make_unique<TframeMainGrid>();
        grid->resize(1000, 700);
        grid->show();
        QApplication::processEvents();
        const double before = HeapInUse();
        state.ResumeTiming();
        hits = static_cast<int>(view.ProcessQuery(*grid, f.catalogue.lstDBColsTitleFull,
                                                  f.catalogue.lstDBColsIndexFromProgram)
                                    .size());
        QApplication::processEvents();  // lay out and paint what is visible
        state.PauseTiming();
        extra = std::max(extra, HeapInUse() - before);
        grid.reset();
        state.ResumeTiming();
    }
    state.counters["hits"] = hits;
    state.counters["extra_MB"] = extra / (1024.0 * 1024.0);
}
BENCHMARK(BM_FindQueryProcess)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_SortBuilderSort(benchmark::State& state) {
    Fixture& f = Shared();
    TSortList keys;
    keys.setRow(0, {static_cast<uint8_t>(cs::SurName), TSortList::Asc});
    keys.setRow(1, {static_cast<uint8_t>(cs::Home_Town), TSortList::Desc});
    keys.setRow(2, {static_cast<uint8_t>(cs::FirstName), TSortList::Asc});
    // As the program sorts: through the session, which keeps the new order
    // for undo and saves the file in the background.
    TContactsSession session(QStringLiteral("2.7.0.0"));
    for (auto _ : state) {
        // Every run starts from the file's order, with the previous run's
        // three sort definitions still on the control.
        state.PauseTiming();
        session.OpenFile(f.path);
        state.ResumeTiming();
        session.Sort(keys.Keys(f.catalogue.lstDBColsIndexFromProgram));
        session.RefreshData();
    }
    session.FinishSaves();
    state.counters["sorts"] = session.Quib1().SortsCount();
}
BENCHMARK(BM_SortBuilderSort)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
