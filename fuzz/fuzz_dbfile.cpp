// Feeds arbitrary bytes to the database file reader. Whatever it reads must
// be consistent and survive a save and a second read unchanged; anything it
// refuses must be refused with one of the reader's own errors and leave the
// table empty.

#include <quib/QuibCtrl.h>

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

// The input lives in an anonymous memory file that the engine opens by path.
struct Input {
    int fd = ::memfd_create("quib-fuzz", 0);
    std::string path = "/proc/self/fd/" + std::to_string(fd);
};

// Saved tables go into one private folder.
std::filesystem::path SaveFolder() {
    // A memory file system keeps the save's flush to disk cheap.
    const std::filesystem::path base = std::filesystem::is_directory("/dev/shm")
                                           ? std::filesystem::path("/dev/shm")
                                           : std::filesystem::temp_directory_path();
    std::string tmpl = (base / "quib-fuzz-XXXXXX").string();
    if (::mkdtemp(tmpl.data()) == nullptr) {
        std::abort();
    }
    return tmpl;
}

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

struct Snapshot {
    int32_t rows, cols, headers;
    std::vector<std::string> texts;
};

Snapshot Take(const quib::CQuibCtrl& q) {
    Snapshot s{q.RowsCountTotal(), q.ColsCount(), q.HeadersCount(), {}};
    for (int32_t h = 0; h < s.headers; ++h) {
        s.texts.push_back(q.GetHeaderName(h));
        const int32_t n = q.HeaderTextsCount(h);
        Check(n >= 0);
        for (int32_t t = 0; t < n; ++t) {
            s.texts.push_back(q.GetHeaderText(h, t));
        }
    }
    for (int32_t r = 0; r < s.rows; ++r) {
        for (int32_t c = 0; c < s.cols; ++c) {
            s.texts.push_back(q.GetData(r, c));
        }
    }
    return s;
}

bool Same(const Snapshot& a, const Snapshot& b) {
    return a.rows == b.rows && a.cols == b.cols && a.headers == b.headers && a.texts == b.texts;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Input input;
    static const std::filesystem::path folder = SaveFolder();
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
        return 0;
    }
    Check(q.RowIndex() == (q.RowsCountTotal() > 0 ? 0 : -1));
    const Snapshot first = Take(q);
    // A picture of the rows as read, which no later edit may reach.
    const quib::QuibSnapshot picture = q.TakeSnapshot();

    const std::string saved = (folder / "t.tbr").string();
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
        q.DeleteRow(q.RowsCountTotal() - 1);
    }
    if (q.HeadersCount() > 0) {
        q.SetHeaderName(0, "changed");
    }
    const std::string pictured = (folder / "p.tbr").string();
    picture.SaveTo(pictured);
    quib::CQuibCtrl fromPicture;
    fromPicture.SetDatabaseName(pictured);
    Check(fromPicture.Open());
    Check(Same(first, Take(fromPicture)));
    return 0;
}
