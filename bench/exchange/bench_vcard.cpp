// vCard export and import of 10,000 and 100,000 generated contacts, each
// beside abook (Debian package abook) doing the same work on the same cards
// in the same run, one process per run: abook reads the program's vCard file
// into its own format (import) and writes that file out as vCard (export).
// The program imports as it does for the user: into an open empty database,
// as one step, the file written. Peak memory: a fresh process importing the
// 100,000 cards beside abook's peak for the same file.
//
// Goals: import and export each at most abook's time (ratio <= 1), the
// import's peak memory at most 1.5 times abook's.
//
// BM_VCardRoundTripMillion (run once): 1,000,000 contacts exported to vCard
// and imported into an empty database, compared cell for cell; it fails
// (skips with an error) on the first difference.

#include <benchmark/benchmark.h>

#include "ContactData.h"

#include "exchange/u_BatchImport.h"
#include "exchange/u_VCardExchange.h"
#include "session/QUIBLib_TLB.h"
#include "session/u_ContactSchema.h"
#include "session/u_ContactsDB.h"
#include "session/u_ContactsSession.h"
#include "support/u_OrvFileLib.h"
#include "support/u_ProductInfo.h"

#include <quib/QuibCtrl.h>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace cs = ContactSchema;

QTemporaryDir& Folder() {
    static QTemporaryDir dir;
    return dir;
}

// An empty contacts database, as New writes it.
QString EmptyDatabase() {
    static const QString path = [] {
        const QString p = Folder().filePath(QStringLiteral("empty.tbr"));
        WriteContactsDatabase(p, RunningVersionText(), {}, quib::TextEncoding::Utf8);
        return p;
    }();
    return path;
}

// A database of count generated contacts, made once per count.
QString Database(int count) {
    static std::map<int, QString> made;
    auto it = made.find(count);
    if (it != made.end())
        return it->second;
    const QString path = Folder().filePath(QStringLiteral("contacts-%1.tbr").arg(count));
    QFile::copy(EmptyDatabase(), path);
    quib::CQuibCtrl quib;
    quib.SetDatabaseName(path.toStdString());
    quib.Open();
    const auto contacts = quibbench::MakeContacts(count);
    for (const auto& contact : contacts)
        quib.AppendRow(contact);
    quib.Save();
    return made.emplace(count, path).first->second;
}

// The cards of the database of count contacts, made once per count.
QString Cards(int count) {
    static std::map<int, QString> made;
    auto it = made.find(count);
    if (it != made.end())
        return it->second;
    const QString path = Folder().filePath(QStringLiteral("contacts-%1.vcf").arg(count));
    TQuib quib;
    quib.SetDatabaseName(Database(count));
    quib.Open();
    TVCardExchange(quib, TColumnMap::Identity(cs::ColumnCount))
        .ExportToFile(path, TVCardVersion::V4_0);
    return made.emplace(count, path).first->second;
}

struct ProcessRun {
    double seconds = -1;
    double peakMiB = -1;
};

// Runs a program to its end: its wall time and peak memory.
ProcessRun Run(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return {};
    // The peak is sampled from the running program: the peak the kernel
    // keeps for a child counts this process's memory, which the child
    // shared until it started its program.
    const std::string status = "/proc/" + std::to_string(pid) + "/status";
    long peakKb = 0;
    int code = 0;
    for (;;) {
        const pid_t done = waitpid(pid, &code, WNOHANG);
        if (done == pid)
            break;
        if (done < 0)
            return {};
        if (std::FILE* f = std::fopen(status.c_str(), "r")) {
            char line[256];
            while (std::fgets(line, sizeof line, f)) {
                long kb = 0;
                if (std::sscanf(line, "VmHWM: %ld", &kb) == 1 && kb > peakKb)
                    peakKb = kb;
            }
            std::fclose(f);
        }
        usleep(2000);
    }
    if (!WIFEXITED(code) || WEXITSTATUS(code) != 0) {
        std::fprintf(stderr, "%s failed (status %d)\n", args[0].c_str(), code);
        return {};
    }
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
    return {wall.count(), peakKb / 1024.0};
}

// abook's own file of the cards of count contacts.
QString AbookFile(int count) {
    static std::map<int, QString> made;
    auto it = made.find(count);
    if (it != made.end())
        return it->second;
    const QString path = Folder().filePath(QStringLiteral("contacts-%1.abook").arg(count));
    Run({"/usr/bin/abook", "--convert", "--informat", "vcard", "--infile",
         Cards(count).toStdString(), "--outformat", "abook", "--outfile", path.toStdString()});
    return made.emplace(count, path).first->second;
}

void ImportInto(const QString& target, const QString& cards) {
    QFile::remove(target);
    QFile::copy(EmptyDatabase(), target);
    TContactsSession session(RunningVersionText());
    session.OpenFile(target);
    const TVCardExchange exchange(session.Quib1(), session.Columns().lstDBColsIndexFromProgram);
    ImportBatch(session, exchange.ReadFile(cards));
    session.FinishSaves();
}

void BM_ExportVCard(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    TQuib quib;
    quib.SetDatabaseName(Database(count));
    quib.Open();
    const TVCardExchange exchange(quib, TColumnMap::Identity(cs::ColumnCount));
    const QString out = Folder().filePath(QStringLiteral("export.vcf"));
    for (auto _ : state)
        exchange.ExportToFile(out, TVCardVersion::V4_0);
    state.counters["file_MB"] = QFileInfo(out).size() / 1e6;
}
BENCHMARK(BM_ExportVCard)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_AbookExportVCard(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const std::string in = AbookFile(count).toStdString();
    const std::string out = Folder().filePath(QStringLiteral("abook-export.vcf")).toStdString();
    for (auto _ : state) {
        // abook writes only a file that is not there yet.
        std::remove(out.c_str());
        const auto start = std::chrono::steady_clock::now();
        const ProcessRun run = Run({"/usr/bin/abook", "--convert", "--informat", "abook",
                                    "--infile", in, "--outformat", "vcard", "--outfile", out});
        if (run.seconds < 0) {
            state.SkipWithError("abook failed");
            return;
        }
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
}
BENCHMARK(BM_AbookExportVCard)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime();

void BM_ImportVCard(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const QString cards = Cards(count);
    const QString target = Folder().filePath(QStringLiteral("import.tbr"));
    for (auto _ : state)
        ImportInto(target, cards);
    state.counters["file_MB"] = QFileInfo(cards).size() / 1e6;
}
BENCHMARK(BM_ImportVCard)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_AbookImportVCard(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const std::string in = Cards(count).toStdString();
    const std::string out = Folder().filePath(QStringLiteral("abook-import")).toStdString();
    double peak = 0;
    for (auto _ : state) {
        // abook writes only a file that is not there yet.
        std::remove(out.c_str());
        const auto start = std::chrono::steady_clock::now();
        const ProcessRun run = Run({"/usr/bin/abook", "--convert", "--informat", "vcard",
                                    "--infile", in, "--outformat", "abook", "--outfile", out});
        if (run.seconds < 0) {
            state.SkipWithError("abook failed");
            return;
        }
        peak = run.peakMiB;
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    state.counters["peak_MiB"] = peak;
}
BENCHMARK(BM_AbookImportVCard)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime();

// Peak memory of a fresh process of this program importing the cards of
// 100,000 contacts, beside abook's peak for the same file.
void BM_ImportVCardPeakMemory(benchmark::State& state) {
    const QString cards = Cards(100000);
    const QString target = Folder().filePath(QStringLiteral("import-memory.tbr"));
    ProcessRun ours;
    ProcessRun abook;
    for (auto _ : state) {
        ours = Run({QCoreApplication::applicationFilePath().toStdString(), "--import",
                    cards.toStdString(), target.toStdString()});
        const std::string out = Folder().filePath(QStringLiteral("abook-memory")).toStdString();
        std::remove(out.c_str());
        abook = Run({"/usr/bin/abook", "--convert", "--informat", "vcard", "--infile",
                     cards.toStdString(), "--outformat", "abook", "--outfile", out});
    }
    if (ours.peakMiB < 0 || abook.peakMiB < 0) {
        state.SkipWithError("an import failed");
        return;
    }
    state.counters["peak_MiB"] = ours.peakMiB;
    state.counters["abook_peak_MiB"] = abook.peakMiB;
    state.counters["ratio"] = ours.peakMiB / abook.peakMiB;
}
BENCHMARK(BM_ImportVCardPeakMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

// 1,000,000 contacts out to vCard and back into an empty database.
void BM_VCardRoundTripMillion(benchmark::State& state) {
    constexpr int kMillion = 1000000;
    const QString source = Database(kMillion);
    const QString cards = Cards(kMillion);
    const QString target = Folder().filePath(QStringLiteral("million.tbr"));
    for (auto _ : state)
        ImportInto(target, cards);
    quib::CQuibCtrl before;
    before.SetDatabaseName(source.toStdString());
    before.Open();
    quib::CQuibCtrl after;
    after.SetDatabaseName(target.toStdString());
    after.Open();
    state.counters["file_MB"] = QFileInfo(cards).size() / 1e6;
    state.counters["rows"] = after.RowsCountTotal();
    if (after.RowsCountTotal() != kMillion) {
        state.SkipWithError("not every contact came back");
        return;
    }
    std::string a;
    std::string b;
    for (int r = 0; r < kMillion; ++r) {
        for (int c = 0; c < cs::ColumnCount; ++c) {
            before.GetDataInto(r, c, a);
            after.GetDataInto(r, c, b);
            if (a != b) {
                std::fprintf(stderr, "contact %d, column %d: \"%s\" came back as \"%s\"\n", r, c,
                             a.c_str(), b.c_str());
                state.SkipWithError("a cell came back changed");
                return;
            }
        }
    }
}
BENCHMARK(BM_VCardRoundTripMillion)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc == 4 && std::strcmp(argv[1], "--import") == 0) {
        ImportInto(QString::fromLocal8Bit(argv[3]), QString::fromLocal8Bit(argv[2]));
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
