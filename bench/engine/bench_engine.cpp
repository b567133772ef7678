// The engine's file and cell benchmarks on a 100,000-row, 32-column contact
// database, in Windows-1250 (version 0.1) and in UTF-8 (version 0.2). Each
// file benchmark also times plain file I/O of the same bytes in the same run
// and reports both, with their ratio, on one line. Goals:
// - open to the first contact (Open and its 32 cells) at most 2 times a plain
//   read of the file (ratio);
// - Save at most 1.5 times a plain write + fsync of the same bytes
//   (ratio_fsync) and at most 1.5 times `dd bs=1M conv=fsync` of the file
//   (ratio_dd); the save of a sorted table (the write part of `quib sort -o`)
//   at most 2 times dd (ratio_dd);
// - open and save of the UTF-8 file within 1.2 times those of the
//   Windows-1250 one (compare the two lines);
// - GetData of every cell at most 1.5 times copying the same texts out of
//   plain strings (ratio_copy; BM_CopyStringEveryCell alone is the same
//   copy in a run of its own).

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <malloc.h>
#include <chrono>
#include <ctime>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "ContactData.h"
#include "quib/QuibCtrl.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kRows = 100000;

// One folder and one saved database for the whole run.
struct Fixture {
    fs::path dir;
    std::string db;      // Windows-1250, version 0.1
    std::string dbUtf8;  // the same contacts in UTF-8, version 0.2
    std::size_t bytes = 0;
    std::unique_ptr<quib::CQuibCtrl> loaded;

    Fixture() {
        std::string tmpl = (fs::temp_directory_path() / "quib-bench-XXXXXX").string();
        dir = ::mkdtemp(tmpl.data());
        db = (dir / "contacts.tbr").string();
        dbUtf8 = (dir / "contacts-utf8.tbr").string();
        loaded = std::make_unique<quib::CQuibCtrl>();
        quibbench::LoadContacts(*loaded, quibbench::MakeContacts(kRows));
        loaded->SetDatabaseName(db);
        loaded->Save();
        bytes = fs::file_size(db);
        quib::CQuibCtrl unicode;
        unicode.SetDatabaseName(db);
        unicode.Open();
        unicode.SetEncoding(quib::TextEncoding::Utf8);
        unicode.SetDatabaseName(dbUtf8);
        unicode.Save();
    }
    ~Fixture() {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
};

Fixture& Data() {
    static Fixture f;
    return f;
}

// CPU time of the calling thread.
double ThreadSeconds() {
    timespec t{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

double Seconds(Clock::time_point from) {
    return std::chrono::duration<double>(Clock::now() - from).count();
}

// Reads the whole file through stdio's buffer, as a plain program would.
void PlainRead(const std::string& path, std::vector<char>& into) {
    FILE* f = std::fopen(path.c_str(), "rb");
    std::size_t used = 0;
    for (;;) {
        if (used == into.size()) {
            into.resize(into.empty() ? 65536 : into.size() * 2);
        }
        const std::size_t n = std::fread(into.data() + used, 1, into.size() - used, f);
        if (n == 0) {
            break;
        }
        used += n;
    }
    std::fclose(f);
    benchmark::DoNotOptimize(into.data());
}

// Writes bytes through stdio's buffer in 64 KiB pieces; with sync, flushes
// them to disk as the engine's save does.
void PlainWrite(const std::string& path, const std::vector<char>& bytes, bool sync) {
    FILE* f = std::fopen(path.c_str(), "wb");
    for (std::size_t at = 0; at < bytes.size(); at += 65536) {
        std::fwrite(bytes.data() + at, 1, std::min<std::size_t>(65536, bytes.size() - at), f);
    }
    std::fflush(f);
    if (sync) {
        ::fsync(::fileno(f));
    }
    std::fclose(f);
}

// Copies a file with dd in blocks of 1 MiB and an fsync at the end, as a
// process of its own: the bar a save is measured against.
void DdWithFsync(const std::string& from, const std::string& to) {
    std::string in = "if=" + from;
    std::string out = "of=" + to;
    std::vector<char*> argv = {const_cast<char*>("dd"),
                               in.data(),
                               out.data(),
                               const_cast<char*>("bs=1M"),
                               const_cast<char*>("conv=fsync"),
                               const_cast<char*>("status=none"),
                               nullptr};
    pid_t pid = 0;
    char* envp[] = {nullptr};
    if (posix_spawnp(&pid, "dd", nullptr, nullptr, argv.data(), envp) == 0) {
        int status = 0;
        ::waitpid(pid, &status, 0);
    }
}

struct Ratio {
    double engine = 0, plain = 0, plainSync = 0, dd = 0;
    void Report(benchmark::State& state, std::size_t bytes) {
        const double n = static_cast<double>(state.iterations());
        state.counters["engine_ms"] = engine / n * 1e3;
        state.counters["plain_ms"] = plain / n * 1e3;
        state.counters["ratio"] = engine / plain;
        if (plainSync > 0) {
            state.counters["plain_fsync_ms"] = plainSync / n * 1e3;
            state.counters["ratio_fsync"] = engine / plainSync;
        }
        if (dd > 0) {
            state.counters["dd_fsync_ms"] = dd / n * 1e3;
            state.counters["ratio_dd"] = engine / dd;
        }
        state.SetBytesProcessed(static_cast<int64_t>(n * static_cast<double>(bytes)));
    }
};

// Copies every text of the contacts out of its plain string: the limit for
// reading cells.
void CopyEveryCell(const std::vector<quibbench::ContactRow>& contacts) {
    for (const auto& row : contacts) {
        for (const auto& cell : row) {
            std::string copy = cell;
            benchmark::DoNotOptimize(copy);
        }
    }
}

// Per-cell times of the engine and of the plain copy, and their ratio.
void ReportCells(benchmark::State& state, double cellsPerIteration, double engine, double copying) {
    const double cells = cellsPerIteration * static_cast<double>(state.iterations());
    state.SetItemsProcessed(static_cast<int64_t>(cells));
    state.counters["ns_per_cell"] = engine / cells * 1e9;
    state.counters["copy_ns_per_cell"] = copying / cells * 1e9;
    state.counters["ratio_copy"] = engine / copying;
}

const std::string& FileOf(benchmark::State& state) {
    return state.range(0) == 0 ? Data().db : Data().dbUtf8;
}

// Arg 0: the Windows-1250 file, 1: the UTF-8 one.
void BM_Open(benchmark::State& state) {
    Fixture& f = Data();
    const std::string& file = FileOf(state);
    quib::CQuibCtrl q;
    q.SetDatabaseName(file);
    std::vector<char> buffer;
    Ratio r;
    for (auto _ : state) {
        auto t = Clock::now();
        q.Open();
        r.engine += Seconds(t);
        state.PauseTiming();
        t = Clock::now();
        PlainRead(file, buffer);
        r.plain += Seconds(t);
        q.Close();
        state.ResumeTiming();
    }
    r.Report(state, f.bytes);
}
BENCHMARK(BM_Open)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// Open and the 32 cells of the first contact, as a host shows it.
void BM_OpenToFirstContact(benchmark::State& state) {
    Fixture& f = Data();
    const std::string& file = FileOf(state);
    quib::CQuibCtrl q;
    q.SetDatabaseName(file);
    std::vector<char> buffer;
    Ratio r;
    for (auto _ : state) {
        auto t = Clock::now();
        q.Open();
        std::string shown;
        for (int32_t c = 0; c < q.ColsCount(); ++c) {
            shown += q.GetData(0, c);
        }
        benchmark::DoNotOptimize(shown.data());
        r.engine += Seconds(t);
        state.PauseTiming();
        t = Clock::now();
        PlainRead(file, buffer);
        r.plain += Seconds(t);
        q.Close();
        state.ResumeTiming();
    }
    r.Report(state, f.bytes);
}
BENCHMARK(BM_OpenToFirstContact)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// Arg 0: the Windows-1250 table, 1: the UTF-8 one, 2: the Windows-1250 one
// sorted by surname and town (its rows scattered in memory), written to a
// new file each time, as `quib sort -o` writes.
void BM_Save(benchmark::State& state) {
    Fixture& f = Data();
    quib::CQuibCtrl q;
    q.SetDatabaseName(state.range(0) == 1 ? f.dbUtf8 : f.db);
    q.Open();
    if (state.range(0) == 2) {
        q.NewSort(0);
        q.SetSortData(0, "column", std::to_string(quibbench::kColSurName));
        q.SetSortData(0, "order", "asc");
        q.NewSort(1);
        q.SetSortData(1, "column", std::to_string(quibbench::kColTown));
        q.SetSortData(1, "order", "desc");
    }
    const std::string target = (f.dir / "saved.tbr").string();
    q.SetDatabaseName(target);
    q.Save();
    std::vector<char> bytes;
    PlainRead(target, bytes);
    bytes.resize(fs::file_size(target));
    const std::string plainPath = (f.dir / "plain.bin").string();
    const std::string ddPath = (f.dir / "dd.bin").string();
    Ratio r;
    for (auto _ : state) {
        if (state.range(0) == 2) {
            state.PauseTiming();
            fs::remove(target);
            state.ResumeTiming();
        }
        auto t = Clock::now();
        q.Save();
        r.engine += Seconds(t);
        state.PauseTiming();
        t = Clock::now();
        PlainWrite(plainPath, bytes, false);
        r.plain += Seconds(t);
        t = Clock::now();
        PlainWrite(plainPath, bytes, true);
        r.plainSync += Seconds(t);
        t = Clock::now();
        DdWithFsync(target, ddPath);
        r.dd += Seconds(t);
        state.ResumeTiming();
    }
    r.Report(state, bytes.size());
}
BENCHMARK(BM_Save)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SetDataThenSave(benchmark::State& state) {
    Fixture& f = Data();
    std::vector<char> bytes;
    PlainRead(f.db, bytes);
    bytes.resize(f.bytes);
    const std::string plainPath = (f.dir / "plain.bin").string();
    Ratio r;
    int i = 0;
    for (auto _ : state) {
        auto t = Clock::now();
        f.loaded->SetData(i % kRows, 31, "Poznámka číslo " + std::to_string(i));
        f.loaded->Save();
        r.engine += Seconds(t);
        ++i;
        state.PauseTiming();
        t = Clock::now();
        PlainWrite(plainPath, bytes, false);
        r.plain += Seconds(t);
        t = Clock::now();
        PlainWrite(plainPath, bytes, true);
        r.plainSync += Seconds(t);
        state.ResumeTiming();
    }
    r.Report(state, f.bytes);
}
BENCHMARK(BM_SetDataThenSave)->Unit(benchmark::kMillisecond)->UseRealTime();

// Bytes the allocator has handed out and not got back.
double HeapInUse() {
    const struct mallinfo2 m = ::mallinfo2();
    return static_cast<double>(m.uordblks + m.hblkhd);
}

// What the loaded rows hold in memory (everything the engine allocated for
// the open and kept) as a multiple of the file's size.
void BM_OpenMemory(benchmark::State& state) {
    Fixture& f = Data();
    for (auto _ : state) {
        quib::CQuibCtrl q;
        q.SetDatabaseName(f.db);
        const double before = HeapInUse();
        q.Open();
        const double after = HeapInUse();
        state.counters["rows_x_file"] = (after - before) / static_cast<double>(f.bytes);
        state.counters["file_MB"] = static_cast<double>(f.bytes) / 1e6;
        state.counters["rows"] = q.RowsCountTotal();
    }
}
BENCHMARK(BM_OpenMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

// Taking a snapshot of 100,000 rows for a background save.
void BM_TakeSnapshot(benchmark::State& state) {
    quib::CQuibCtrl& q = *Data().loaded;
    for (auto _ : state) {
        quib::QuibSnapshot s = q.TakeSnapshot();
        benchmark::DoNotOptimize(s.RowsCountTotal());
    }
}
BENCHMARK(BM_TakeSnapshot)->Unit(benchmark::kMicrosecond);

// A keystroke with a background save pending: the edit of a cell right after
// a snapshot (the edited row gets a block of its own), then the snapshot
// dropped as the writer would after writing.
void BM_SetDataWhileSnapshotLives(benchmark::State& state) {
    quib::CQuibCtrl& q = *Data().loaded;
    int i = 0;
    for (auto _ : state) {
        quib::QuibSnapshot s = q.TakeSnapshot();
        q.SetData(i % kRows, 31, (i & 1) ? "Volat večer." : "Volat ráno.");
        ++i;
    }
}
BENCHMARK(BM_SetDataWhileSnapshotLives)->Unit(benchmark::kMicrosecond);

// Writing a snapshot, beside the engine's own Save of the same table.
void BM_SnapshotSaveTo(benchmark::State& state) {
    Fixture& f = Data();
    const std::string path = (f.dir / "snapshot.tbr").string();
    const quib::QuibSnapshot s = f.loaded->TakeSnapshot();
    for (auto _ : state) {
        s.SaveTo(path);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(f.bytes));
}
BENCHMARK(BM_SnapshotSaveTo)->Unit(benchmark::kMillisecond)->UseRealTime();

// 1,000 rows appended (each with a cell set) to 100,000 rows; the argument
// is the number of active filter records.
void BM_ThousandAppends(benchmark::State& state) {
    const int filters = static_cast<int>(state.range(0));
    quib::CQuibCtrl q;
    q.SetDatabaseName(Data().db);
    q.Open();
    if (filters > 0) {
        q.NewFilter(0);
        q.SetFilterData(0, "column", std::to_string(quibbench::kColTown));
        q.SetFilterData(0, "compar", "isnot");
        q.SetFilterData(0, "text", "Brno");
    }
    if (filters > 1) {
        q.NewFilter(1);
        q.SetFilterData(1, "column", std::to_string(quibbench::kColSurName));
        q.SetFilterData(1, "compar", "doesnotcontain");
        q.SetFilterData(1, "text", "Q");
    }
    q.SetFilterActive(filters > 0);
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i) {
            q.NewRow(q.RowsCount());
            q.SetData(q.RowsCount() - 1, quibbench::kColSurName, "Nový");
        }
        state.PauseTiming();
        for (int i = 0; i < 1000; ++i) {
            q.DeleteRow(q.RowsCount() - 1);
        }
        state.ResumeTiming();
    }
    state.counters["rows_in_view"] = q.RowsCount();
}
BENCHMARK(BM_ThousandAppends)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond);

// Every cell of the table once per iteration; the rate is cells per second.
// The same texts are copied out of plain strings in the same run (the
// limit, ratio_copy).
// Arg 0: the table built by edits, Windows-1250; 1: the same in UTF-8.
void BM_GetDataEveryCell(benchmark::State& state) {
    static const std::vector<quibbench::ContactRow> contacts = quibbench::MakeContacts(kRows);
    static quib::CQuibCtrl* const unicode = [] {
        auto* q = new quib::CQuibCtrl;  // lives for the whole run
        q->SetEncoding(quib::TextEncoding::Utf8);
        quibbench::LoadContacts(*q, contacts);
        return q;
    }();
    quib::CQuibCtrl& q = state.range(0) == 0 ? *Data().loaded : *unicode;
    const int32_t rows = q.RowsCount();
    const int32_t cols = q.ColsCount();
    // Both timed in CPU time of this thread, one after the other, so that a
    // busy machine slows both alike.
    double engine = 0;
    double copying = 0;
    for (auto _ : state) {
        double t = ThreadSeconds();
        for (int32_t r = 0; r < rows; ++r) {
            for (int32_t c = 0; c < cols; ++c) {
                benchmark::DoNotOptimize(q.GetData(r, c));
            }
        }
        engine += ThreadSeconds() - t;
        state.PauseTiming();
        t = ThreadSeconds();
        CopyEveryCell(contacts);
        copying += ThreadSeconds() - t;
        state.ResumeTiming();
    }
    ReportCells(state, static_cast<double>(rows) * cols, engine, copying);
}
BENCHMARK(BM_GetDataEveryCell)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Every cell of a table opened from its file (whose rows lie in the file's
// buffer, in order), in both encodings, through each of the ways to read a
// cell: GetData (a new string each), GetDataInto (one string reused) and
// DataView (no copy). The goal of GetData is the one above.
enum class Read { GetData, GetDataInto, DataView };

void ReadEveryCellOfFile(benchmark::State& state, const std::string& path, Read how) {
    static const std::vector<quibbench::ContactRow> contacts = quibbench::MakeContacts(kRows);
    quib::CQuibCtrl q;
    q.SetDatabaseName(path);
    q.Open();
    const int32_t rows = q.RowsCount();
    const int32_t cols = q.ColsCount();
    std::string out;
    double engine = 0;
    double copying = 0;
    for (auto _ : state) {
        double t = ThreadSeconds();
        for (int32_t r = 0; r < rows; ++r) {
            for (int32_t c = 0; c < cols; ++c) {
                switch (how) {
                    case Read::GetData:
                        benchmark::DoNotOptimize(q.GetData(r, c));
                        break;
                    case Read::GetDataInto:
                        q.GetDataInto(r, c, out);
                        benchmark::DoNotOptimize(out.data());
                        break;
                    case Read::DataView:
                        benchmark::DoNotOptimize(q.DataView(r, c).data());
                        break;
                }
            }
        }
        engine += ThreadSeconds() - t;
        state.PauseTiming();
        t = ThreadSeconds();
        CopyEveryCell(contacts);
        copying += ThreadSeconds() - t;
        state.ResumeTiming();
    }
    ReportCells(state, static_cast<double>(rows) * cols, engine, copying);
}

void BM_GetDataEveryCellOfFile1250(benchmark::State& state) {
    ReadEveryCellOfFile(state, Data().db, Read::GetData);
}
BENCHMARK(BM_GetDataEveryCellOfFile1250)->Unit(benchmark::kMillisecond);

void BM_GetDataEveryCellOfFileUtf8(benchmark::State& state) {
    ReadEveryCellOfFile(state, Data().dbUtf8, Read::GetData);
}
BENCHMARK(BM_GetDataEveryCellOfFileUtf8)->Unit(benchmark::kMillisecond);

void BM_GetDataIntoEveryCellOfFile1250(benchmark::State& state) {
    ReadEveryCellOfFile(state, Data().db, Read::GetDataInto);
}
BENCHMARK(BM_GetDataIntoEveryCellOfFile1250)->Unit(benchmark::kMillisecond);

void BM_GetDataIntoEveryCellOfFileUtf8(benchmark::State& state) {
    ReadEveryCellOfFile(state, Data().dbUtf8, Read::GetDataInto);
}
BENCHMARK(BM_GetDataIntoEveryCellOfFileUtf8)->Unit(benchmark::kMillisecond);

void BM_DataViewEveryCellOfFile1250(benchmark::State& state) {
    ReadEveryCellOfFile(state, Data().db, Read::DataView);
}
BENCHMARK(BM_DataViewEveryCellOfFile1250)->Unit(benchmark::kMillisecond);

void BM_DataViewEveryCellOfFileUtf8(benchmark::State& state) {
    ReadEveryCellOfFile(state, Data().dbUtf8, Read::DataView);
}
BENCHMARK(BM_DataViewEveryCellOfFileUtf8)->Unit(benchmark::kMillisecond);

// One cell at scattered positions: the cost a host pays per field it shows.
void BM_GetDataOneCell(benchmark::State& state) {
    quib::CQuibCtrl& q = *Data().loaded;
    uint32_t x = 12345;
    for (auto _ : state) {
        x = x * 1664525u + 1013904223u;
        benchmark::DoNotOptimize(
            q.GetData(static_cast<int32_t>(x % kRows), static_cast<int32_t>((x >> 20) % 32)));
    }
}
BENCHMARK(BM_GetDataOneCell);

// The limit for GetData: copying the same texts out of plain strings.
void BM_CopyStringEveryCell(benchmark::State& state) {
    static const std::vector<quibbench::ContactRow> contacts = quibbench::MakeContacts(kRows);
    for (auto _ : state) {
        for (const auto& row : contacts) {
            for (const auto& cell : row) {
                std::string copy = cell;
                benchmark::DoNotOptimize(copy);
            }
        }
    }
    const double cells = static_cast<double>(kRows) * quibbench::kContactColumns;
    state.counters["ns_per_cell"] =
        benchmark::Counter(cells * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert,
                           benchmark::Counter::OneK::kIs1000);
}
BENCHMARK(BM_CopyStringEveryCell)->Unit(benchmark::kMillisecond);

// The same scattered access on plain strings: two dependent cache misses
// (the row, then its cells) on a table far larger than the caches.
void BM_CopyStringOneCell(benchmark::State& state) {
    static const std::vector<quibbench::ContactRow> contacts = quibbench::MakeContacts(kRows);
    uint32_t x = 12345;
    for (auto _ : state) {
        x = x * 1664525u + 1013904223u;
        std::string copy = contacts[x % kRows][(x >> 20) % 32];
        benchmark::DoNotOptimize(copy);
    }
}
BENCHMARK(BM_CopyStringOneCell);

// One cell of the current row, as a host's card view reads it: the row is
// in the caches after its first field.
void BM_GetDataCurrentRowCell(benchmark::State& state) {
    quib::CQuibCtrl& q = *Data().loaded;
    int32_t c = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(q.GetData(777, c));
        c = (c + 1) & 31;
    }
}
BENCHMARK(BM_GetDataCurrentRowCell);

}  // namespace

BENCHMARK_MAIN();
