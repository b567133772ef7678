// quib: a command-line tool over the Quib engine, for people who script their
// address books and for tests. Links only against the engine.

#include <quib/QuibCtrl.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr int kExitOk = 0;
constexpr int kExitEngineError = 1;
constexpr int kExitUsage = 2;

const char* const kHelp =
    R"(Usage: quib COMMAND FILE [ARGUMENTS]

Commands:
  info FILE        Print the counts and every header record (name and texts).
  dump FILE [--filter COLUMN:COMPAR:CASESENSITIVE:TEXT ...]
                   Print one line per header record ("H", name, texts), then
                   one line per row ("R", cells). Fields are separated by a
                   tab; tab, LF, CR and backslash inside a text are written as
                   \t, \n, \r and \\. Output is UTF-8. With --filter, only the
                   rows that pass every given filter record are printed
                   (COMPAR: contain, doesnotcontain, is, isnot; CASESENSITIVE
                   "true" compares as stored, anything else ignores the case
                   of a-z).
  check FILE       Open the file. Exit 0 when it opens; otherwise print the
                   engine's error code in hexadecimal and its message, exit 1.
  create FILE      Write an empty database (replacing FILE).
  sort FILE [-o OUT] COLUMN:ORDER...
                   Add one sort record per argument (COLUMN a decimal column
                   number below the column count, ORDER asc or desc in any
                   letter case), sort the rows and save them to OUT, or to
                   FILE when no OUT is given. A malformed record writes
                   nothing. Cells collate by the language named in LC_ALL,
                   LC_COLLATE or LANG, ignoring letter case but not accents.
  --help           Show this text.

Exit codes: 0 success, 1 the engine reported an error (code and message are
printed) or the output could not be written, 2 wrong command line.
)";

// Whether everything written to standard output so far reached it; checked
// (with a final flush) before a command reports success.
int Finish() {
    std::cout.flush();
    if (!std::cout || std::ferror(stdout) != 0 || std::fflush(stdout) != 0) {
        std::cerr << "quib: cannot write the output: " << std::strerror(errno != 0 ? errno : EIO)
                  << "\n";
        return kExitEngineError;
    }
    return kExitOk;
}

int Usage(const std::string& problem) {
    std::cerr << "quib: " << problem << "\n"
              << "Try 'quib --help'.\n";
    return kExitUsage;
}

std::string Escape(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\\':
                out += "\\\\";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string Hex(uint32_t code) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%08X", code);
    return buffer;
}

void PrintError(const quib::QuibError& e, std::ostream& out) {
    out << Hex(e.code()) << " " << e.what() << "\n";
}

void Open(quib::CQuibCtrl& q, const std::string& path) {
    q.SetDatabaseName(path);
    q.Open();
}

// Splits text at its first (parts - 1) colons; the last part keeps the rest.
bool SplitFields(const std::string& text, std::size_t parts, std::vector<std::string>& out) {
    out.clear();
    std::size_t start = 0;
    for (std::size_t i = 0; i + 1 < parts; ++i) {
        const std::size_t colon = text.find(':', start);
        if (colon == std::string::npos) {
            return false;
        }
        out.push_back(text.substr(start, colon - start));
        start = colon + 1;
    }
    out.push_back(text.substr(start));
    return true;
}

int Info(const std::string& path) {
    quib::CQuibCtrl q;
    Open(q, path);
    std::cout << "File: " << path << "\n"
              << "Columns: " << q.ColsCount() << "\n"
              << "Rows: " << q.RowsCountTotal() << "\n"
              << "Header records: " << q.HeadersCount() << "\n";
    for (int32_t h = 0; h < q.HeadersCount(); ++h) {
        const int32_t texts = q.HeaderTextsCount(h);
        std::cout << "Header " << h << ": " << Escape(q.GetHeaderName(h)) << " (" << texts
                  << (texts == 1 ? " text)" : " texts)") << "\n";
        for (int32_t t = 0; t < texts; ++t) {
            std::cout << "  " << t << ": " << Escape(q.GetHeaderText(h, t)) << "\n";
        }
    }
    return Finish();
}

int Dump(const std::string& path, const std::vector<std::string>& args) {
    quib::CQuibCtrl q;
    std::vector<std::string> fields;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "--filter") {
            return Usage("unexpected argument '" + args[i] + "'");
        }
        if (i + 1 >= args.size() || !SplitFields(args[i + 1], 4, fields)) {
            return Usage("--filter needs COLUMN:COMPAR:CASESENSITIVE:TEXT");
        }
        ++i;
        const int32_t f = q.FiltersCount();
        q.NewFilter(f);
        q.SetFilterData(f, "column", fields[0]);
        q.SetFilterData(f, "compar", fields[1]);
        q.SetFilterData(f, "casesensitive", fields[2]);
        q.SetFilterData(f, "text", fields[3]);
    }
    q.SetFilterActive(q.FiltersCount() > 0);
    Open(q, path);
    std::string line;
    for (int32_t h = 0; h < q.HeadersCount(); ++h) {
        line = "H\t" + Escape(q.GetHeaderName(h));
        for (int32_t t = 0; t < q.HeaderTextsCount(h); ++t) {
            line += '\t';
            line += Escape(q.GetHeaderText(h, t));
        }
        line += '\n';
        if (std::fwrite(line.data(), 1, line.size(), stdout) != line.size()) {
            return Finish();
        }
    }
    for (int32_t r = 0; r < q.RowsCount(); ++r) {
        line.assign(1, 'R');  // GCC 12 at -O3 misreads = "R" as overlapping
        for (int32_t c = 0; c < q.ColsCount(); ++c) {
            line += '\t';
            line += Escape(q.GetData(r, c));
        }
        line += '\n';
        if (std::fwrite(line.data(), 1, line.size(), stdout) != line.size()) {
            return Finish();
        }
    }
    return Finish();
}

int Check(const std::string& path) {
    quib::CQuibCtrl q;
    try {
        Open(q, path);
    } catch (const quib::QuibError& e) {
        PrintError(e, std::cout);
        Finish();
        return kExitEngineError;
    }
    std::cout << "OK: " << q.RowsCountTotal() << " rows, " << q.ColsCount() << " columns, "
              << q.HeadersCount() << " header records\n";
    return Finish();
}

int Create(const std::string& path) {
    quib::CQuibCtrl q;
    q.SetDatabaseName(path);
    q.Create();
    return kExitOk;
}

bool EqualsIgnoringCase(const std::string& a, const char* b) {
    const std::size_t n = std::strlen(b);
    if (a.size() != n) {
        return false;
    }
    for (std::size_t i = 0; i < n; ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != b[i]) {
            return false;
        }
    }
    return true;
}

// COLUMN:ORDER with COLUMN decimal digits only and ORDER asc or desc in any
// letter case; the column's range is checked once the file is open.
bool ParseSortRecord(const std::string& text, long long& column, std::string& order) {
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos || colon == 0 || colon > 10) {
        return false;
    }
    column = 0;
    for (std::size_t i = 0; i < colon; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
        column = column * 10 + (text[i] - '0');
    }
    order = text.substr(colon + 1);
    return EqualsIgnoringCase(order, "asc") || EqualsIgnoringCase(order, "desc");
}

int SortFile(const std::string& path, const std::vector<std::string>& args) {
    std::string out = path;
    std::vector<std::pair<long long, std::string>> records;
    long long column = 0;
    std::string order;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o") {
            if (i + 1 >= args.size()) {
                return Usage("-o needs a file name");
            }
            out = args[++i];
        } else if (ParseSortRecord(args[i], column, order)) {
            records.emplace_back(column, order);
        } else {
            return Usage("sort record '" + args[i] +
                         "' is not COLUMN:ORDER (a column number, asc or desc)");
        }
    }
    if (records.empty()) {
        return Usage("sort needs at least one COLUMN:ORDER");
    }
    quib::CQuibCtrl q;
    Open(q, path);
    for (const auto& record : records) {
        if (record.first >= q.ColsCount()) {
            return Usage("sort column " + std::to_string(record.first) + " is not below the " +
                         std::to_string(q.ColsCount()) + " columns of the table");
        }
    }
    for (const auto& [col, ord] : records) {
        const int32_t s = q.SortsCount();
        q.NewSort(s);
        q.SetSortData(s, "column", std::to_string(col));
        q.SetSortData(s, "order", ord);
    }
    q.Sort();
    q.SetDatabaseName(out);
    q.Save();
    return kExitOk;
}

int Run(const std::vector<std::string>& argv) {
    if (argv.empty()) {
        return Usage("missing command");
    }
    const std::string& command = argv[0];
    if (command == "--help" || command == "-h" || command == "help") {
        std::cout << kHelp;
        return Finish();
    }
    if (argv.size() < 2) {
        return Usage(command == "info" || command == "dump" || command == "check" ||
                             command == "create" || command == "sort"
                         ? "missing FILE"
                         : "unknown command '" + command + "'");
    }
    const std::string& path = argv[1];
    const std::vector<std::string> rest(argv.begin() + 2, argv.end());
    const bool noArguments = rest.empty();
    if (command == "info" && noArguments) {
        return Info(path);
    }
    if (command == "dump") {
        return Dump(path, rest);
    }
    if (command == "check" && noArguments) {
        return Check(path);
    }
    if (command == "create" && noArguments) {
        return Create(path);
    }
    if (command == "sort") {
        return SortFile(path, rest);
    }
    if (command == "info" || command == "check" || command == "create") {
        return Usage("unexpected argument '" + rest[0] + "'");
    }
    return Usage("unknown command '" + command + "'");
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const quib::QuibError& e) {
        std::cerr << "quib: ";
        PrintError(e, std::cerr);
        return kExitEngineError;
    } catch (const std::exception& e) {
        std::cerr << "quib: " << e.what() << "\n";
        return kExitEngineError;
    }
}
