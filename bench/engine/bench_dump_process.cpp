// `quib dump` of 100,000 contacts, run as a whole process with its output
// written to a file, beside `iconv -f CP1250 -t UTF-8` of the same database
// file (the least a program turning those bytes into UTF-8 text does), in
// one run, best of 3 runs each. Goals: the dump of the Windows-1250 file at
// most 1.5 times iconv; the dump of the same contacts in a UTF-8 file
// within 1.2 times the Windows-1250 dump. Prints the times and ratios.

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "ContactData.h"
#include "ProcessTimes.h"
#include "quib/QuibCtrl.h"

namespace {

namespace fs = std::filesystem;
using quibbench::BestOfThree;
using quibbench::Times;

void Print(const char* what, const Times& t, const Times& base, const char* goal) {
    std::printf("  %-22s %8.1f ms %8.1f ms", what, t.wall * 1e3, t.cpu * 1e3);
    if (goal != nullptr) {
        std::printf("  %5.2f x %5.2f x  (goal: %s)", t.wall / base.wall, t.cpu / base.cpu, goal);
    }
    std::printf("\n");
}

}  // namespace

int main() {
    std::string tmpl = (fs::temp_directory_path() / "quib-bench-dump-XXXXXX").string();
    const fs::path dir = ::mkdtemp(tmpl.data());
    const std::string cp1250 = (dir / "contacts.tbr").string();
    const std::string utf8 = (dir / "contacts-utf8.tbr").string();
    constexpr int kRows = 100000;
    {
        quib::CQuibCtrl q;
        quibbench::LoadContacts(q, quibbench::MakeContacts(kRows, 7));
        q.SetDatabaseName(cp1250);
        q.Save();
        q.SetEncoding(quib::TextEncoding::Utf8);
        q.SetDatabaseName(utf8);
        q.Save();
    }
    const std::string out = (dir / "out.txt").string();
    const std::string locale = "C.UTF-8";
    const Times iconv = BestOfThree({"iconv", "-f", "CP1250", "-t", "UTF-8", cp1250}, locale, out);
    const Times dump = BestOfThree({QUIB_TOOL, "dump", cp1250}, locale, out);
    const Times dumpUtf8 = BestOfThree({QUIB_TOOL, "dump", utf8}, locale, out);
    std::printf("dump of %d contacts (%ju bytes in Windows-1250, %ju in UTF-8), best of 3 runs:\n",
                kRows, static_cast<uintmax_t>(fs::file_size(cp1250)),
                static_cast<uintmax_t>(fs::file_size(utf8)));
    std::printf("                             wall        CPU    ratio (wall, CPU)\n");
    Print("iconv CP1250 -> UTF-8", iconv, iconv, nullptr);
    Print("quib dump, 0.1 file", dump, iconv, "at most 1.5 x iconv");
    Print("quib dump, 0.2 file", dumpUtf8, dump, "within 1.2 x the 0.1 dump");
    std::error_code ec;
    fs::remove_all(dir, ec);
    return iconv.wall < 0 || dump.wall < 0 || dumpUtf8.wall < 0 ? 1 : 0;
}
