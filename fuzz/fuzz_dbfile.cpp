// Feeds arbitrary bytes to the database file reader, as they are and, when
// they start like a database file, once more as the other text encoding
// (versions 0.1 and 0.2 swapped), so that every input reaches both readers.
// Whatever it reads must be consistent, valid UTF-8 at the surface, survive
// a save and a second read unchanged, and survive a conversion to the other
// encoding and back; anything it refuses must be refused with one of the
// reader's own errors and leave the table empty.

#include <quib/QuibCtrl.h>

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace {

using quib::TextEncoding;

// The input lives in an anonymous memory file that the engine opens by path.
struct Input {
    int fd = ::memfd_create("quib-fuzz", 0);
    std::string path = "/proc/self/fd/" + std::to_string(fd);
};

// Saved tables go into one private folder, removed at exit.
struct SaveFolder {
    std::filesystem::path path;
    SaveFolder() {
        // A memory file system keeps the save's flush to disk cheap.
        const std::filesystem::path base = std::filesystem::is_directory("/dev/shm")
                                               ? std::filesystem::path("/dev/shm")
                                               : std::filesystem::temp_directory_path();
        std::string tmpl = (base / "quib-fuzz-XXXXXX").string();
        if (::mkdtemp(tmpl.data()) == nullptr) {
            std::abort();
        }
        path = tmpl;
    }
    ~SaveFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    std::string file(const char* name) const { return (path / name).string(); }
};

void Check(bool ok) {
    if (!ok) {
        std::abort();
    }
}

bool KnownReadError(const quib::QuibError& e) {
    switch (e.id()) {
        case quib::errors::kUnexpectedEof:
        case quib::errors::kBadFormat:
        case quib::errors::kTooNew:
            return true;
        default:
            return false;
    }
}

// Well-formed UTF-8, checked independently of the engine: shortest forms,
// no surrogates, nothing above U+10FFFF.
bool ValidUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        std::size_t n = 0;
        uint32_t cp = 0;
        if (b < 0x80) {
            ++i;
            continue;
        } else if (b >= 0xC2 && b <= 0xDF) {
            n = 1, cp = b & 0x1F;
        } else if (b >= 0xE0 && b <= 0xEF) {
            n = 2, cp = b & 0x0F;
        } else if (b >= 0xF0 && b <= 0xF4) {
            n = 3, cp = b & 0x07;
        } else {
            return false;
        }
        if (i + n >= s.size()) {
            return false;  // cut off
        }
        for (std::size_t k = 1; k <= n; ++k) {
            const auto c = static_cast<unsigned char>(s[i + k]);
            if ((c & 0xC0) != 0x80) {
                return false;
            }
            cp = (cp << 6) | (c & 0x3F);
        }
        if ((n == 2 && cp < 0x800) || (n == 3 && (cp < 0x10000 || cp > 0x10FFFF)) ||
            (cp >= 0xD800 && cp <= 0xDFFF)) {
            return false;
        }
        i += n + 1;
    }
    return true;
}

struct Picture {
    int32_t rows, cols, headers;
    TextEncoding encoding;
    std::vector<std::string> texts;
};

Picture Take(const quib::CQuibCtrl& q) {
    Picture s{q.RowsCountTotal(), q.ColsCount(), q.HeadersCount(), q.Encoding(), {}};
    for (int32_t h = 0; h < s.headers; ++h) {
        s.texts.push_back(q.GetHeaderName(h));
        const int32_t n = q.HeaderTextsCount(h);
        Check(n >= 0);
        for (int32_t t = 0; t < n; ++t) {
            s.texts.push_back(q.GetHeaderText(h, t));
        }
    }
    std::string into;
    for (int32_t r = 0; r < s.rows; ++r) {
        for (int32_t c = 0; c < s.cols; ++c) {
            s.texts.push_back(q.GetData(r, c));
            q.GetDataInto(r, c, into);
            Check(into == s.texts.back());
            Check(q.DataView(r, c) == s.texts.back());
        }
    }
    for (const std::string& t : s.texts) {
        Check(ValidUtf8(t));
        Check(t.find('\0') == std::string::npos);
    }
    return s;
}

bool SameTexts(const Picture& a, const Picture& b) {
    return a.rows == b.rows && a.cols == b.cols && a.headers == b.headers && a.texts == b.texts;
}
bool Same(const Picture& a, const Picture& b) {
    return SameTexts(a, b) && a.encoding == b.encoding;
}

std::vector<char> FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Picture Reopened(const std::string& path) {
    quib::CQuibCtrl again;
    again.SetDatabaseName(path);
    Check(again.Open());
    return Take(again);
}

// The table converted to the other encoding and back: from Windows-1250
// always possible and giving the same file again; from UTF-8 possible
// exactly when every text has a Windows-1250 form.
void CheckConversion(quib::CQuibCtrl& q, const Picture& first, const SaveFolder& folder) {
    const TextEncoding other =
        first.encoding == TextEncoding::Utf8 ? TextEncoding::Windows1250 : TextEncoding::Utf8;
    const std::string before = folder.file("before.tbr");
    q.SetDatabaseName(before);
    q.Save();
    bool storable = true;
    if (other == TextEncoding::Windows1250) {
        quib::CQuibCtrl probe;
        for (const std::string& t : first.texts) {
            storable = storable && probe.CanStoreText(t);
        }
    }
    const bool converted = q.SetEncoding(other);
    Check(converted == storable);
    if (!converted) {
        Check(Same(Take(q), first));
        return;
    }
    const Picture there = Take(q);
    Check(there.encoding == other && SameTexts(there, first));
    const std::string convertedPath = folder.file("converted.tbr");
    q.SetDatabaseName(convertedPath);
    q.Save();
    const Picture read = Reopened(convertedPath);
    Check(read.encoding == other && SameTexts(read, first));
    Check(q.SetEncoding(first.encoding));
    q.SetDatabaseName(folder.file("back.tbr"));
    q.Save();
    Check(FileBytes(folder.file("back.tbr")) == FileBytes(before));
}

void CheckFile(const uint8_t* data, size_t size) {
    static Input input;
    static const SaveFolder folder;
    Check(input.fd >= 0);
    Check(::ftruncate(input.fd, 0) == 0);
    Check(::pwrite(input.fd, data, size, 0) == static_cast<ssize_t>(size));

    quib::CQuibCtrl q;
    q.SetDatabaseName(input.path);
    try {
        if (!q.Open()) {
            std::abort();  // nobody declines the file here
        }
    } catch (const quib::QuibError& e) {
        Check(KnownReadError(e));
        Check(q.RowsCountTotal() == 0 && q.ColsCount() == 0 && q.HeadersCount() == 0);
        Check(q.RowIndex() == -1);
        Check(q.Encoding() == TextEncoding::Windows1250);  // the one before
        return;
    }
    Check(q.RowIndex() == (q.RowsCountTotal() > 0 ? 0 : -1));
    const Picture first = Take(q);
    // A picture of the rows as read, which no later edit may reach.
    const quib::QuibSnapshot picture = q.TakeSnapshot();
    Check(picture.Encoding() == first.encoding);

    const std::string saved = folder.file("t.tbr");
    q.SetDatabaseName(saved);
    q.Save();
    quib::CQuibCtrl again;
    again.SetDatabaseName(saved);
    Check(again.Open());
    Check(Same(first, Take(again)));

    // Sorting the read rows: the fast sort's result must be in order, so the
    // literal selection sort (forced by a record with another order that is
    // never consulted, followed by one more record, which changes no
    // result) then moves nothing; no row is lost.
    if (q.RowsCountTotal() > 1 && q.ColsCount() > 0) {
        for (quib::CQuibCtrl* e : {&q, &again}) {
            e->NewSort(0);
            e->SetSortData(0, "column", "0");
            e->SetSortData(0, "order", "asc");
            e->NewSort(1);
            e->SetSortData(1, "column", std::to_string(q.ColsCount() - 1));
            e->SetSortData(1, "order", "DESC");
        }
        again.NewSort(2);
        again.SetSortData(2, "order", "literal");
        again.NewSort(3);
        again.SetSortData(3, "order", "asc");
        Check(Same(Take(q), Take(again)));
        Check(q.RowsCountTotal() == first.rows);
    }
    if (q.RowsCountTotal() > 0 && q.ColsCount() > 0) {
        q.SetData(0, 0, q.GetData(0, 0) + "x");
        std::vector<std::string> last;
        for (int32_t c = 0; c < q.ColsCount(); ++c) {
            last.push_back(q.GetData(q.RowsCountTotal() - 1, c));
        }
        q.DeleteRow(q.RowsCountTotal() - 1);
        Check(q.AppendRow(last));
    }
    if (q.HeadersCount() > 0) {
        q.SetHeaderName(0, "changed");
    }
    const std::string pictured = folder.file("p.tbr");
    picture.SaveTo(pictured);
    Check(Same(first, Reopened(pictured)));

    quib::CQuibCtrl converting;
    converting.SetDatabaseName(saved);
    Check(converting.Open());
    CheckConversion(converting, first, folder);
}

// The same bytes with the two version texts of the other encoding, when
// they start with the usual "Quib", "0.1" or "0.2" twice; empty otherwise.
std::vector<uint8_t> OtherVariant(const uint8_t* data, size_t size) {
    const std::string_view v01(
        "Quib\x01\x03"
        "0.1\x00\x01\x03"
        "0.1\x00",
        16);
    const std::string_view v02(
        "Quib\x01\x03"
        "0.2\x00\x01\x03"
        "0.2\x00",
        16);
    const std::string_view start(reinterpret_cast<const char*>(data), size < 16 ? size : 16);
    if (start != v01 && start != v02) {
        return {};
    }
    std::vector<uint8_t> other(data, data + size);
    const std::string_view swapped = start == v01 ? v02 : v01;
    std::memcpy(other.data(), swapped.data(), swapped.size());
    return other;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CheckFile(data, size);
    const std::vector<uint8_t> other = OtherVariant(data, size);
    if (!other.empty()) {
        CheckFile(other.data(), other.size());
    }
    return 0;
}
