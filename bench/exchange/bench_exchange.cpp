// CSV export and import of 10,000 and 100,000 contacts, each beside the
// sqlite3 shell exporting (.mode csv / .once) and importing (.import) the
// same data in the same run (goal: at most sqlite3's time), and the vCard
// export and import of the same contacts (goal: within twice the CSV
// figures; bench_vcard holds the vCard goals against abook).
#include "exchange/u_BatchImport.h"
#include "exchange/u_CsvExporter.h"
#include "exchange/u_CsvImporter.h"
#include "exchange/u_VCardExchange.h"
#include "session/QUIBLib_TLB.h"
#include "session/u_ContactSchema.h"
#include "session/u_ContactsDB.h"
#include "session/u_ContactsSession.h"
#include "session/u_DBConverter.h"
#include "support/u_OrvFileLib.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>
#include <map>
#include <memory>

namespace {

const QStringList& columns() {
    return DBLayouts().back().columns;
}

QStringList identityMap() {
    QStringList map;
    for (int i = 0; i < columns().size(); ++i) {
        map << QString::number(i);
    }
    return map;
}

QString contactValue(int row, int col) {
    static const QStringList words{"Dvořák", "Nováková",         "Smith",    "Žitná 14", "Praha",
                                   "Brno",   "+420 222 333 444", "a, \"b\"", "",         "Věra"};
    if (col % 5 == 4) {
        return QString();
    }
    return words[(row + col) % words.size()] + QString::number(row);
}

std::string quoted(const QString& path) {
    std::string out(1, '\'');
    out += path.toStdString();
    out += '\'';
    return out;
}

// Paths and files shared by all benchmarks, made once.
struct Fixture {
    int contacts;
    QTemporaryDir dir;
    QString database = dir.filePath("contacts.tbr");
    QString emptyDatabase = dir.filePath("empty.tbr");
    QString csv = dir.filePath("contacts.csv");
    QString vcf = dir.filePath("contacts.vcf");
    QString sqliteDb = dir.filePath("contacts.sqlite");
    QString sqliteEmpty = dir.filePath("empty.sqlite");

    explicit Fixture(int count) : contacts(count) {
        TQuib db;
        db.SetDatabaseName(database);
        TDBConverter::CreateDatabase(db, DBLayouts().back());
        for (int r = 0; r < contacts; ++r) {
            db.NewRow(r);
            for (int c = 0; c < columns().size(); ++c) {
                db.SetData(r, c, contactValue(r, c));
            }
        }
        db.Save();
        TCsvExporter(db, columns(), TColumnMap::Identity(static_cast<int>(columns().size())))
            .ExportToFile(csv, QList<bool>(columns().size(), true));
        TVCardExchange(db, TColumnMap::Identity(static_cast<int>(columns().size())))
            .ExportToFile(vcf, TVCardVersion::V4_0);
        // Imports go into a Unicode database, as File > New makes it.
        WriteContactsDatabase(emptyDatabase, RunningVersionText(), {}, quib::TextEncoding::Utf8);
        // sqlite3 takes the header line as the new table's column names.
        run("sqlite3 " + quoted(sqliteDb) + " '.mode csv' '.import " + csv.toStdString() +
            " contacts'");
        run("sqlite3 " + quoted(sqliteEmpty) + " '.mode csv' '.import " + csv.toStdString() +
            " contacts' 'DELETE FROM contacts;' 'VACUUM;'");
    }

    static void run(const std::string& command) {
        if (std::system((command + " >/dev/null 2>&1").c_str()) != 0) {
            std::fprintf(stderr, "failed: %s\n", command.c_str());
            std::exit(1);
        }
    }
};

Fixture& fixture(const benchmark::State& state) {
    static std::map<int, std::unique_ptr<Fixture>> made;
    const int count = static_cast<int>(state.range(0));
    std::unique_ptr<Fixture>& f = made[count];
    if (!f) {
        f = std::make_unique<Fixture>(count);
    }
    return *f;
}

void BM_ExportCsv(benchmark::State& state) {
    Fixture& f = fixture(state);
    TQuib db;
    db.SetDatabaseName(f.database);
    db.Open();
    const TCsvExporter exporter(db, columns(),
                                TColumnMap::Identity(static_cast<int>(columns().size())));
    const QString out = f.dir.filePath("export.csv");
    const QList<bool> ticked(columns().size(), true);
    for (auto _ : state) {
        exporter.ExportToFile(out, ticked);
    }
    state.SetItemsProcessed(state.iterations() * f.contacts);
}
BENCHMARK(BM_ExportCsv)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_Sqlite3ExportCsv(benchmark::State& state) {
    Fixture& f = fixture(state);
    const std::string out = f.dir.filePath("export-sqlite.csv").toStdString();
    const std::string command = "sqlite3 " + quoted(f.sqliteDb) +
                                " '.headers on' '.mode csv' '.once " + out +
                                "' 'SELECT * FROM contacts;'";
    for (auto _ : state) {
        Fixture::run(command);
    }
    state.SetItemsProcessed(state.iterations() * f.contacts);
}
BENCHMARK(BM_Sqlite3ExportCsv)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Imports into an open empty database as the program does: the session
// appends the records as one step and the file is written.
void BM_ImportCsv(benchmark::State& state) {
    Fixture& f = fixture(state);
    const QList<int> fields = TCsvImporter::MappingFields(identityMap());
    const QString target = f.dir.filePath("import.tbr");
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(target);
        QFile::copy(f.emptyDatabase, target);
        auto session = std::make_unique<TContactsSession>(RunningVersionText());
        session->OpenFile(target);
        state.ResumeTiming();
        ImportBatch(*session, TCsvImporter().Read(f.csv, true, fields));
        session->FinishSaves();
    }
    state.SetItemsProcessed(state.iterations() * f.contacts);
}
BENCHMARK(BM_ImportCsv)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_Sqlite3ImportCsv(benchmark::State& state) {
    Fixture& f = fixture(state);
    const QString target = f.dir.filePath("import.sqlite");
    const std::string command = "sqlite3 " + quoted(target) + " '.mode csv' '.import --skip 1 " +
                                f.csv.toStdString() + " contacts'";
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(target);
        QFile::copy(f.sqliteEmpty, target);
        state.ResumeTiming();
        Fixture::run(command);
    }
    state.SetItemsProcessed(state.iterations() * f.contacts);
}
BENCHMARK(BM_Sqlite3ImportCsv)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ExportVCard(benchmark::State& state) {
    Fixture& f = fixture(state);
    TQuib db;
    db.SetDatabaseName(f.database);
    db.Open();
    const TVCardExchange exchange(db, TColumnMap::Identity(static_cast<int>(columns().size())));
    const QString out = f.dir.filePath("export.vcf");
    for (auto _ : state) {
        exchange.ExportToFile(out, TVCardVersion::V4_0);
    }
    state.SetItemsProcessed(state.iterations() * f.contacts);
}
BENCHMARK(BM_ExportVCard)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Like BM_ImportCsv.
void BM_ImportVCard(benchmark::State& state) {
    Fixture& f = fixture(state);
    const QString target = f.dir.filePath("import-vcard.tbr");
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(target);
        QFile::copy(f.emptyDatabase, target);
        auto session = std::make_unique<TContactsSession>(RunningVersionText());
        session->OpenFile(target);
        state.ResumeTiming();
        const TVCardExchange exchange(session->Quib1(),
                                      session->Columns().lstDBColsIndexFromProgram);
        ImportBatch(*session, exchange.ReadFile(f.vcf));
        session->FinishSaves();
    }
    state.SetItemsProcessed(state.iterations() * f.contacts);
}
BENCHMARK(BM_ImportVCard)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
