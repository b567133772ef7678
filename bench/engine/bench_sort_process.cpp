// `quib sort` of 100,000 contacts by surname ascending and home town
// descending, run as a whole process, beside GNU sort of the same rows as
// tab-separated text (`sort -t TAB -k1,1 -k5,5r`) under the Czech locale, in
// one run. Prints both times and their ratio (goal: at most 1).

#include <unistd.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ContactData.h"
#include "ProcessTimes.h"
#include "quib/QuibCtrl.h"

namespace {

namespace fs = std::filesystem;
using quibbench::BestOfThree;
using quibbench::Times;

}  // namespace

int main() {
    std::string locale = "cs_CZ.UTF-8";
    if (std::setlocale(LC_ALL, locale.c_str()) == nullptr) {
        std::printf("note: the locale cs_CZ.UTF-8 is not generated here; using C.UTF-8\n");
        locale = "C.UTF-8";
    }
    std::setlocale(LC_ALL, "C");
    std::string tmpl = (fs::temp_directory_path() / "quib-bench-process-XXXXXX").string();
    const fs::path dir = ::mkdtemp(tmpl.data());
    const std::string db = (dir / "contacts.tbr").string();
    const std::string tsv = (dir / "contacts.tsv").string();
    constexpr int kRows = 100000;
    {
        const auto contacts = quibbench::MakeContacts(kRows, 7);
        quib::CQuibCtrl q;
        quibbench::LoadContacts(q, contacts);
        q.SetDatabaseName(db);
        q.Save();
        std::ofstream out(tsv, std::ios::binary);
        for (const auto& row : contacts) {
            for (std::size_t c = 0; c < row.size(); ++c) {
                out << (c > 0 ? "\t" : "") << row[c];
            }
            out << '\n';
        }
    }
    const Times quib = BestOfThree(
        {QUIB_TOOL, "sort", db, "-o", (dir / "out.tbr").string(), "0:asc", "4:desc"}, locale);
    const Times gnu = BestOfThree(
        {"sort", "-t\t", "-k1,1", "-k5,5r", tsv, "-o", (dir / "out.tsv").string()}, locale);
    std::printf("sort of %d contacts by two keys (%s), best of 3 runs:\n", kRows, locale.c_str());
    std::printf("               wall        CPU\n");
    std::printf("  quib sort    %8.1f ms %8.1f ms  (%ju bytes, saved with fsync)\n",
                quib.wall * 1e3, quib.cpu * 1e3, static_cast<uintmax_t>(fs::file_size(db)));
    std::printf("  GNU sort     %8.1f ms %8.1f ms  (%ju bytes)\n", gnu.wall * 1e3, gnu.cpu * 1e3,
                static_cast<uintmax_t>(fs::file_size(tsv)));
    std::printf("  ratio        %8.2f x  %8.2f x   (goal: at most 1)\n", quib.wall / gnu.wall,
                quib.cpu / gnu.cpu);
    std::error_code ec;
    fs::remove_all(dir, ec);
    return quib.wall < 0 || gnu.wall < 0 ? 1 : 0;
}
