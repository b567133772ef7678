// The engine's file and cell benchmarks on a 100,000-row, 32-column contact
// database. Each file benchmark also times plain buffered file I/O of the same
// bytes and reports both, with their ratio, on one line.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
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
    std::string db;
    std::size_t bytes = 0;
    std::unique_ptr<quib::CQuibCtrl> loaded;

    Fixture() {
        std::string tmpl = (fs::temp_directory_path() / "quib-bench-XXXXXX").string();
        dir = ::mkdtemp(tmpl.data());
        db = (dir / "contacts.tbr").string();
        loaded = std::make_unique<quib::CQuibCtrl>();
        quibbench::LoadContacts(*loaded, quibbench::MakeContacts(kRows));
        loaded->SetDatabaseName(db);
        loaded->Save();
        bytes = fs::file_size(db);
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

struct Ratio {
    double engine = 0, plain = 0, plainSync = 0;
    void Report(benchmark::State& state, std::size_t bytes) {
        const double n = static_cast<double>(state.iterations());
        state.counters["engine_ms"] = engine / n * 1e3;
        state.counters["plain_ms"] = plain / n * 1e3;
        state.counters["ratio"] = engine / plain;
        if (plainSync > 0) {
            state.counters["plain_fsync_ms"] = plainSync / n * 1e3;
            state.counters["ratio_fsync"] = engine / plainSync;
        }
        state.SetBytesProcessed(static_cast<int64_t>(n * static_cast<double>(bytes)));
    }
};

void BM_Open(benchmark::State& state) {
    Fixture& f = Data();
    quib::CQuibCtrl q;
    q.SetDatabaseName(f.db);
    std::vector<char> buffer;
    Ratio r;
    for (auto _ : state) {
        auto t = Clock::now();
        q.Open();
        r.engine += Seconds(t);
        state.PauseTiming();
        t = Clock::now();
        PlainRead(f.db, buffer);
        r.plain += Seconds(t);
        q.Close();
        state.ResumeTiming();
    }
    r.Report(state, f.bytes);
}
BENCHMARK(BM_Open)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Save(benchmark::State& state) {
    Fixture& f = Data();
    std::vector<char> bytes;
    PlainRead(f.db, bytes);
    bytes.resize(f.bytes);
    const std::string plainPath = (f.dir / "plain.bin").string();
    Ratio r;
    for (auto _ : state) {
        auto t = Clock::now();
        f.loaded->Save();
        r.engine += Seconds(t);
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
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond)->UseRealTime();

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

// Every cell of the table once per iteration; the rate is cells per second.
void BM_GetDataEveryCell(benchmark::State& state) {
    quib::CQuibCtrl& q = *Data().loaded;
    const int32_t rows = q.RowsCount();
    const int32_t cols = q.ColsCount();
    for (auto _ : state) {
        for (int32_t r = 0; r < rows; ++r) {
            for (int32_t c = 0; c < cols; ++c) {
                benchmark::DoNotOptimize(q.GetData(r, c));
            }
        }
    }
    const double cells = static_cast<double>(rows) * cols;
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * cells));
    state.counters["ns_per_cell"] = benchmark::Counter(
        cells * static_cast<double>(state.iterations()),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert,
        benchmark::Counter::OneK::kIs1000);
}
BENCHMARK(BM_GetDataEveryCell)->Unit(benchmark::kMillisecond);

// One cell at scattered positions: the cost a host pays per field it shows.
void BM_GetDataOneCell(benchmark::State& state) {
    quib::CQuibCtrl& q = *Data().loaded;
    uint32_t x = 12345;
    for (auto _ : state) {
        x = x * 1664525u + 1013904223u;
        benchmark::DoNotOptimize(q.GetData(static_cast<int32_t>(x % kRows),
                                           static_cast<int32_t>((x >> 20) % 32)));
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
    state.counters["ns_per_cell"] = benchmark::Counter(
        cells * static_cast<double>(state.iterations()),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert,
        benchmark::Counter::OneK::kIs1000);
}
BENCHMARK(BM_CopyStringEveryCell)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
