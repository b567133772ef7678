// quib: a command-line tool over the Quib engine, for people who script their
// address books and for tests. Links only against the engine.

#include <quib/DatabaseLock.h>
#include <quib/QuibCtrl.h>

#include <array>
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
  info FILE        Print the text encoding, the counts and every header record
                   (name and texts).
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
  create FILE [--cp1250]
                   Write an empty database (replacing FILE): a Unicode one
                   (UTF-8, file version 0.2), or with --cp1250 one of the old
                   kind (Windows-1250, version 0.1) that older programs read.
  convert FILE --to utf8|cp1250
                   Convert the texts of FILE in place to UTF-8 (file version
                   0.2) or to Windows-1250 (version 0.1). Converting to
                   Windows-1250 is refused, before anything is written, when a
                   text has no Windows-1250 form; the message names its row
                   and column. The file is replaced whole or not at all.
  sort FILE [-o OUT] COLUMN:ORDER...
                   Add one sort record per argument (COLUMN a decimal column
                   number below the column count, ORDER asc or desc in any
                   letter case), sort the rows and save them to OUT, or to
                   FILE when no OUT is given. A malformed record writes
                   nothing. Cells collate by the language named in LC_ALL,
                   LC_COLLATE or LANG, ignoring letter case but not accents.
  --help           Show this text.

Files of both text encodings are read. The commands that write a file
(create, convert, sort) hold the database's lock (.FILE.lock beside it) while
they run, and refuse a file another program holds.

Exit codes: 0 success, 1 the engine reported an error (code and message are
printed), the file is locked by another program, a conversion was refused or
the output could not be written, 2 wrong command line.
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

// Appends text with tab, LF, CR and backslash written as \t, \n, \r and
// \\: the runs between them in one piece each.
void AppendEscaped(std::string& out, std::string_view text) {
    // The characters escaped: one look-up a byte instead of four comparisons.
    static constexpr auto kEscaped = [] {
        std::array<bool, 256> escaped{};
        for (const unsigned char c : {'\t', '\n', '\r', '\\'}) {
            escaped[c] = true;
        }
        return escaped;
    }();
    std::size_t from = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (!kEscaped[static_cast<unsigned char>(c)]) {
            continue;
        }
        out.append(text.data() + from, i - from);
        const char escaped[2] = {'\\', c == '\t' ? 't' : c == '\n' ? 'n' : c == '\r' ? 'r' : '\\'};
        out.append(escaped, 2);
        from = i + 1;
    }
    out.append(text.data() + from, text.size() - from);
}

std::string Escape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    AppendEscaped(out, text);
    return out;
}

// Standard output in large pieces; false once a write failed.
class Output {
  public:
    Output() { buffer_.reserve(kPiece + 4096); }
    std::string& Buffer() { return buffer_; }
    bool MaybeFlush() { return buffer_.size() < kPiece || Flush(); }
    bool Flush() {
        const bool ok = std::fwrite(buffer_.data(), 1, buffer_.size(), stdout) == buffer_.size();
        buffer_.clear();
        return ok;
    }

  private:
    static constexpr std::size_t kPiece = 1 << 20;
    std::string buffer_;
};

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

const char* EncodingName(quib::TextEncoding encoding) {
    return encoding == quib::TextEncoding::Utf8 ? "UTF-8 (file version 0.2)"
                                                : "Windows-1250 (file version 0.1)";
}

int Info(const std::string& path) {
    quib::CQuibCtrl q;
    Open(q, path);
    std::cout << "File: " << path << "\n"
              << "Encoding: " << EncodingName(q.Encoding()) << "\n"
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
    Output out;
    std::string& line = out.Buffer();
    for (int32_t h = 0; h < q.HeadersCount(); ++h) {
        line += "H\t";
        AppendEscaped(line, q.GetHeaderName(h));
        for (int32_t t = 0; t < q.HeaderTextsCount(h); ++t) {
            line += '\t';
            AppendEscaped(line, q.GetHeaderText(h, t));
        }
        line += '\n';
        if (!out.MaybeFlush()) {
            return Finish();
        }
    }
    const int32_t cols = q.ColsCount();
    for (int32_t r = 0; r < q.RowsCount(); ++r) {
        line += 'R';
        for (int32_t c = 0; c < cols; ++c) {
            line += '\t';
            AppendEscaped(line, q.DataView(r, c));
        }
        line += '\n';
        if (!out.MaybeFlush()) {
            return Finish();
        }
    }
    out.Flush();
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

// Takes the lock of the database a command writes; false (with a message)
// when another program holds it. A folder where no lock can be taken does
// not stop the command: the save itself then tells what is wrong.
bool LockFor(quib::DatabaseLock& lock, const std::string& path) {
    if (lock.TryLock(path) == quib::DatabaseLock::Result::HeldByAnother) {
        std::cerr << "quib: " << path << " is in use by another program (it holds "
                  << quib::DatabaseLock::LockFileOf(path) << "); nothing was written\n";
        return false;
    }
    return true;
}

int Create(const std::string& path, const std::vector<std::string>& args) {
    bool cp1250 = false;
    for (const std::string& a : args) {
        if (a != "--cp1250") {
            return Usage("unexpected argument '" + a + "'");
        }
        cp1250 = true;
    }
    quib::DatabaseLock lock;
    if (!LockFor(lock, path)) {
        return kExitEngineError;
    }
    quib::CQuibCtrl q;
    q.SetEncoding(cp1250 ? quib::TextEncoding::Windows1250 : quib::TextEncoding::Utf8);
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
    quib::DatabaseLock lock;
    if (!LockFor(lock, out)) {
        return kExitEngineError;
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

// "U+00F8" for a code point.
std::string CodePointName(char32_t cp) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(cp));
    return buffer;
}

// The UTF-8 of one code point.
std::string Character(char32_t cp) {
    std::string out;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return out;
}

// Where the first text lies that a Windows-1250 table cannot hold, said
// for a person ("row 3, column 1"), with the character in cp; empty when
// every text fits. Header records come first, as in the file.
std::string FirstTextWithoutWindows1250Form(const quib::CQuibCtrl& q, char32_t& cp) {
    quib::CQuibCtrl probe;
    probe.SetEncoding(quib::TextEncoding::Windows1250);
    for (int32_t h = 0; h < q.HeadersCount(); ++h) {
        const std::string name = q.GetHeaderName(h);
        const std::string where = "header record " + std::to_string(h) + " (" + Escape(name) + ")";
        if (!probe.CanStoreText(name, &cp)) {
            return where + ", its name";
        }
        for (int32_t t = 0; t < q.HeaderTextsCount(h); ++t) {
            if (!probe.CanStoreText(q.GetHeaderText(h, t), &cp)) {
                return where + ", text " + std::to_string(t);
            }
        }
    }
    std::string cell;
    for (int32_t r = 0; r < q.RowsCountTotal(); ++r) {
        for (int32_t c = 0; c < q.ColsCount(); ++c) {
            q.GetDataInto(r, c, cell);
            if (!probe.CanStoreText(cell, &cp)) {
                return "row " + std::to_string(r) + ", column " + std::to_string(c);
            }
        }
    }
    return {};
}

int Convert(const std::string& path, const std::vector<std::string>& args) {
    if (args.size() != 2 || args[0] != "--to" || (args[1] != "utf8" && args[1] != "cp1250")) {
        return Usage("convert needs --to utf8 or --to cp1250");
    }
    const quib::TextEncoding target =
        args[1] == "utf8" ? quib::TextEncoding::Utf8 : quib::TextEncoding::Windows1250;
    quib::DatabaseLock lock;
    if (!LockFor(lock, path)) {
        return kExitEngineError;
    }
    quib::CQuibCtrl q;
    Open(q, path);
    if (q.Encoding() == target) {
        std::cout << path << " is " << EncodingName(target) << " already; nothing to convert.\n";
        return Finish();
    }
    char32_t cp = 0;
    const std::string where = target == quib::TextEncoding::Windows1250
                                  ? FirstTextWithoutWindows1250Form(q, cp)
                                  : std::string();
    if (!where.empty() || !q.SetEncoding(target)) {
        std::cerr << "quib: cannot convert " << path << " to Windows-1250: " << where
                  << " (counting from 0) holds \"" << Character(cp) << "\" (" << CodePointName(cp)
                  << "), which Windows-1250 cannot store; the file was not changed\n";
        return kExitEngineError;
    }
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
                             command == "create" || command == "sort" || command == "convert"
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
    if (command == "create") {
        return Create(path, rest);
    }
    if (command == "convert") {
        return Convert(path, rest);
    }
    if (command == "sort") {
        return SortFile(path, rest);
    }
    if (command == "info" || command == "check") {
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
