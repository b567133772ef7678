// The table view on a 10,000-contact database: a whole fill of the grid,
// which every refresh of the table does, and one typed character in a cell,
// which stores the cell and saves the whole file.

#include <benchmark/benchmark.h>

#include "ContactData.h"

#include "session/QUIBLib_TLB.h"
#include "session/u_ContactSchema.h"
#include "session/u_ContactsDB.h"
#include "views/u_frameMainGrid.h"

#include <QApplication>
#include <QTableView>
#include <QTemporaryDir>

#include <memory>

namespace {

constexpr int kContacts = 10000;

// One database on disk, open on one engine, for the whole run.
struct Fixture {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("contacts.tbr"));
    TQuib quib;
    QStringList titles = ContactSchema::ColumnTitlesFull();
    TColumnMap map = TColumnMap::Identity(ContactSchema::ColumnCount);

    Fixture() {
        quib.SetDatabaseName(path);
        quib.Create();
        WriteContactsHeaders(quib, QStringLiteral("2.5.1"), QStringLiteral("2.7.0.0"),
                             ContactSchema::ColumnNames());
        const auto contacts = quibbench::MakeContacts(kContacts);
        for (int r = 0; r < kContacts; ++r) {
            quib.NewRow(r);
            for (int c = 0; c < quibbench::kContactColumns; ++c)
                quib.SetData(r, c, QString::fromStdString(contacts[r][c]));
        }
        quib.Save();
        quib.MoveFirst();
    }
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

void BM_GridFill(benchmark::State& state) {
    Fixture& f = Shared();
    TframeMainGrid grid;
    grid.resize(1000, 700);
    grid.show();
    for (auto _ : state) {
        grid.GridFill(f.quib, f.titles, f.map);
        QApplication::processEvents();  // lay out and paint what is visible
    }
    state.counters["rows"] = grid.rowCount();
}
BENCHMARK(BM_GridFill)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// A finished cell edit: the grid hands it on, the cell is stored and the
// file written at once (the program writes it in the background).
void BM_CellEdit(benchmark::State& state) {
    Fixture& f = Shared();
    TframeMainGrid grid;
    grid.GridFill(f.quib, f.titles, f.map);
    QObject::connect(&grid, &TframeMainGrid::cellEdited,
                     [&f](int record, int field, const QString& text) {
                         f.quib.SetData(record, f.map[field], text);
                         f.quib.Save();
                     });
    grid.selectCell(kContacts / 2, ContactSchema::Home_Town);
    const QModelIndex cell = grid.grid()->currentIndex();
    QString text = grid.currentCellText();
    for (auto _ : state) {
        text += QLatin1Char('x');
        if (text.size() > 40)
            text.clear();
        grid.grid()->model()->setData(cell, text);
    }
}
BENCHMARK(BM_CellEdit)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
