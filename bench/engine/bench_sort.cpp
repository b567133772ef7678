// Sorting and the view: the engine's sort of Czech contacts by surname
// ascending and town descending, beside the literal selection sort and
// beside std::stable_sort on precomputed sort keys (the practical limit);
// SetData with the view rebuilt after it, without and with filters.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <numeric>
#include <string>
#include <vector>

#include "CodePage.h"
#include "Collation.h"
#include "ContactData.h"
#include "Sorter.h"
#include "quib/QuibCtrl.h"

namespace {

namespace fs = std::filesystem;

// Unsorted contact databases by row count, saved once per run.
class SortData {
  public:
    static SortData& Get() {
        static SortData data;
        return data;
    }
    const std::string& File(int rows,
                            quib::TextEncoding encoding = quib::TextEncoding::Windows1250) {
        const int key = encoding == quib::TextEncoding::Utf8 ? -rows : rows;
        auto it = files_.find(key);
        if (it == files_.end()) {
            quib::CQuibCtrl q;
            q.SetEncoding(encoding);
            quibbench::LoadContacts(q, quibbench::MakeContacts(rows, 7));
            const std::string path = (dir_ / ("contacts-" + std::to_string(key) + ".tbr")).string();
            q.SetDatabaseName(path);
            q.Save();
            it = files_.emplace(key, path).first;
        }
        return it->second;
    }
    ~SortData() {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }

  private:
    SortData() {
        setenv("LC_ALL", "cs_CZ.UTF-8", 1);
        std::string tmpl = (fs::temp_directory_path() / "quib-bench-sort-XXXXXX").string();
        dir_ = ::mkdtemp(tmpl.data());
    }
    fs::path dir_;
    std::map<int, std::string> files_;
};

void AddSort(quib::CQuibCtrl& q, int column, const char* order) {
    const int32_t s = q.SortsCount();
    q.NewSort(s);
    q.SetSortData(s, "column", std::to_string(column));
    q.SetSortData(s, "order", order);
}

// Surname ascending, town descending; literal makes the engine take the
// literal selection sort through its testing seam.
void RunEngineSort(benchmark::State& state, bool literal,
                   quib::TextEncoding encoding = quib::TextEncoding::Windows1250) {
    const int rows = static_cast<int>(state.range(0));
    const std::string& file = SortData::Get().File(rows, encoding);
    quib::CQuibCtrl q;
    AddSort(q, quibbench::kColSurName, "asc");
    AddSort(q, quibbench::kColTown, "desc");
    q.SetDatabaseName(file);
    quib::SetLiteralSortForTesting(literal);
    for (auto _ : state) {
        state.PauseTiming();
        q.Open();
        state.ResumeTiming();
        q.Sort();
    }
    quib::SetLiteralSortForTesting(false);
    state.SetItemsProcessed(state.iterations() * rows);
}

void BM_SortEngine(benchmark::State& state) {
    RunEngineSort(state, false);
}
BENCHMARK(BM_SortEngine)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The same contacts in a UTF-8 table: goal within 1.2 times BM_SortEngine.
void BM_SortEngineUtf8(benchmark::State& state) {
    RunEngineSort(state, false, quib::TextEncoding::Utf8);
}
BENCHMARK(BM_SortEngineUtf8)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_SortLiteralSelection(benchmark::State& state) {
    RunEngineSort(state, true);
}
BENCHMARK(BM_SortLiteralSelection)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(2);

// The selection sort exactly as described, collating the two cells at every
// comparison: what sorting cost before the engine precomputed anything.
void BM_SelectionSortCollatingEachComparison(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    SortData::Get();  // sets the Czech locale
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<std::vector<std::string>> table;
        for (const auto& row : quibbench::MakeContacts(rows, 7)) {
            table.push_back({quib::Utf8ToCp1250(row[quibbench::kColSurName]),
                             quib::Utf8ToCp1250(row[quibbench::kColTown])});
        }
        state.ResumeTiming();
        quib::Collation collation;
        auto precedes = [&](const std::vector<std::string>& a, const std::vector<std::string>& b) {
            const int s = collation.Compare(a[0], b[0]);
            if (s != 0) {
                return s < 0;
            }
            return collation.Compare(a[1], b[1]) > 0;
        };
        for (std::size_t i = 0; i + 1 < table.size(); ++i) {
            std::size_t best = i;
            for (std::size_t j = i + 1; j < table.size(); ++j) {
                if (precedes(table[j], table[best])) {
                    best = j;
                }
            }
            if (best != i) {
                std::swap(table[i], table[best]);
            }
        }
        benchmark::DoNotOptimize(table.data());
    }
}
BENCHMARK(BM_SelectionSortCollatingEachComparison)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// The limit: the same rows' sort keys, then std::stable_sort of row indexes
// by them and moving the rows into the new order. With keys_in_time the key
// computation (which any collating sort must do) is timed too.
void RunStableSort(benchmark::State& state, bool keysInTime) {
    const int rows = static_cast<int>(state.range(0));
    SortData::Get();  // sets the Czech locale
    std::vector<std::vector<std::string>> table;
    for (const auto& row : quibbench::MakeContacts(rows, 7)) {
        std::vector<std::string> cp;
        for (const auto& cell : row) {
            cp.push_back(quib::Utf8ToCp1250(cell));
        }
        table.push_back(std::move(cp));
    }
    auto computeKeys = [&](std::vector<std::string>& surname, std::vector<std::string>& town) {
        quib::Collation collation;
        surname.assign(static_cast<std::size_t>(rows), {});
        town.assign(static_cast<std::size_t>(rows), {});
        for (int r = 0; r < rows; ++r) {
            collation.AppendSortKey(table[static_cast<std::size_t>(r)][quibbench::kColSurName],
                                    surname[static_cast<std::size_t>(r)]);
            collation.AppendSortKey(table[static_cast<std::size_t>(r)][quibbench::kColTown],
                                    town[static_cast<std::size_t>(r)]);
        }
    };
    std::vector<std::string> surname, town;
    computeKeys(surname, town);
    for (auto _ : state) {
        if (keysInTime) {
            computeKeys(surname, town);
        }
        std::vector<int32_t> order(static_cast<std::size_t>(rows));
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), [&](int32_t a, int32_t b) {
            const int c =
                surname[static_cast<std::size_t>(a)].compare(surname[static_cast<std::size_t>(b)]);
            if (c != 0) {
                return c < 0;
            }
            return town[static_cast<std::size_t>(a)] > town[static_cast<std::size_t>(b)];
        });
        std::vector<std::vector<std::string>> sorted;
        sorted.reserve(table.size());
        for (int32_t r : order) {
            sorted.push_back(std::move(table[static_cast<std::size_t>(r)]));
        }
        table.swap(sorted);
        benchmark::DoNotOptimize(table.data());
        state.PauseTiming();
        // Back to an unsorted start for the next round.
        table.clear();
        for (const auto& row : quibbench::MakeContacts(rows, 7)) {
            std::vector<std::string> cp;
            for (const auto& cell : row) {
                cp.push_back(quib::Utf8ToCp1250(cell));
            }
            table.push_back(std::move(cp));
        }
        if (!keysInTime) {
            computeKeys(surname, town);
        }
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * rows);
}

void BM_StableSortPrecomputedKeys(benchmark::State& state) {
    RunStableSort(state, false);
}
BENCHMARK(BM_StableSortPrecomputedKeys)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_StableSortWithKeyComputation(benchmark::State& state) {
    RunStableSort(state, true);
}
BENCHMARK(BM_StableSortWithKeyComputation)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// SetData of one cell, which rebuilds the view, on 100,000 rows; the
// argument is the number of active filter records (0: no filter).
void BM_SetDataWithView(benchmark::State& state) {
    const int filters = static_cast<int>(state.range(0));
    quib::CQuibCtrl q;
    q.SetDatabaseName(SortData::Get().File(100000));
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
        q.SetFilterData(1, "compar", "contain");
        q.SetFilterData(1, "casesensitive", "false");
        q.SetFilterData(1, "text", "K");
    }
    q.SetFilterActive(filters > 0);
    state.counters["rows_in_view"] = q.RowsCount();
    int i = 0;
    for (auto _ : state) {
        q.SetData(i % 1000, 31, (i & 1) ? "Volat večer." : "Volat ráno.");
        ++i;
    }
}
BENCHMARK(BM_SetDataWithView)->Arg(0)->Arg(2)->Unit(benchmark::kMicrosecond);

// A full pass of two filter records over 100,000 rows, as switching the
// filter on, changing a record, or inserting and deleting rows cost.
void BM_FilterPass(benchmark::State& state) {
    quib::CQuibCtrl q;
    q.SetDatabaseName(SortData::Get().File(100000));
    q.Open();
    q.NewFilter(0);
    q.SetFilterData(0, "column", std::to_string(quibbench::kColTown));
    q.SetFilterData(0, "compar", "isnot");
    q.SetFilterData(0, "text", "Brno");
    q.NewFilter(1);
    q.SetFilterData(1, "column", std::to_string(quibbench::kColSurName));
    q.SetFilterData(1, "compar", "contain");
    q.SetFilterData(1, "casesensitive", "false");
    q.SetFilterData(1, "text", "K");
    for (auto _ : state) {
        q.SetFilterActive(true);
        benchmark::DoNotOptimize(q.RowsCount());
    }
}
BENCHMARK(BM_FilterPass)->Unit(benchmark::kMillisecond);

}  // namespace
