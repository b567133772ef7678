// Damaged and foreign files: the exact error, an empty table afterwards, and
// no allocation beyond what the file could hold.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <new>

#include "EngineTestSupport.h"

using quib::CQuibCtrl;
using quib::QuibError;
using namespace quibtest;
namespace errors = quib::errors;

// The replacement operators below pair operator new with free() on purpose;
// GCC cannot see that they replace the global ones.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

// Allocation accounting for this test program: the largest single request
// and the sum of requests while tracking is on.
namespace {
bool g_track = false;
size_t g_largest = 0;
size_t g_total = 0;
}  // namespace

void* operator new(std::size_t n) {
    if (g_track) {
        g_largest = std::max(g_largest, n);
        g_total += n;
    }
    if (void* p = std::malloc(n == 0 ? 1 : n)) {
        return p;
    }
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

struct OpenResult {
    bool raised = false;
    uint32_t code = 0;
    int32_t id = 0;
    std::string message;
    bool result = false;
};

class CorruptFiles : public ::testing::Test {
  protected:
    TempDir dir;
    std::string path = dir.file("bad.tbr");
    CQuibCtrl q;

    OpenResult OpenBytes(const Bytes& bytes) {
        WriteBytes(path, bytes);
        q.SetDatabaseName(path);
        OpenResult r;
        g_largest = 0;
        g_total = 0;
        g_track = true;
        try {
            r.result = q.Open();
        } catch (const QuibError& e) {
            r.raised = true;
            r.code = e.code();
            r.id = e.id();
            r.message = e.what();
        }
        g_track = false;
        // Whatever the file claims, the reader allocates in proportion to
        // its size (plus a fixed allowance for its own buffers).
        EXPECT_LE(g_largest, 64 * 1024 + 16 * bytes.size());
        EXPECT_LE(g_total, 256 * 1024 + 64 * bytes.size());
        return r;
    }

    void ExpectEmptyTable() {
        EXPECT_EQ(q.RowsCountTotal(), 0);
        EXPECT_EQ(q.RowsCount(), 0);
        EXPECT_EQ(q.ColsCount(), 0);
        EXPECT_EQ(q.HeadersCount(), 0);
        EXPECT_EQ(q.RowIndex(), -1);
    }

    void ExpectEof(const Bytes& bytes, const std::string& what) {
        OpenResult r = OpenBytes(bytes);
        EXPECT_TRUE(r.raised) << what;
        EXPECT_EQ(r.code, errors::kFileCode) << what;
        EXPECT_EQ(r.id, errors::kUnexpectedEof) << what;
        EXPECT_EQ(r.message, "Unexpected end of file. The database file is corrupted.") << what;
        ExpectEmptyTable();
    }
};

const Bytes kGood = Concat({FileStart(1, 2, 2), HeaderRecord("ver", {"1.0"}),
                            RowRecord({"Nov\xE1k", "Jan"}), RowRecord({"", "x"})});

TEST_F(CorruptFiles, EmptyFileIsUnexpectedEnd) {
    ExpectEof({}, "empty file");
}

TEST_F(CorruptFiles, LowerCaseSignatureIsBadFormat) {
    Bytes b = kGood;
    b[0] = 'q';
    OpenResult r = OpenBytes(b);
    ASSERT_TRUE(r.raised);
    EXPECT_EQ(r.code, 0x800A2775u);
    EXPECT_EQ(r.id, 10101);
    EXPECT_EQ(r.message, "File has bad format. File hasn't Orvane Datababase file format.");
    ExpectEmptyTable();
    r = OpenBytes(Concat({Raw("quib"), Bytes(kGood.begin() + 4, kGood.end())}));
    EXPECT_EQ(r.id, 10101);
}

TEST_F(CorruptFiles, ForeignFileIsBadFormat) {
    OpenResult r = OpenBytes(Raw("PK\x03\x04 this is a zip"));
    EXPECT_EQ(r.id, errors::kBadFormat);
}

TEST_F(CorruptFiles, CutInsideSignatureIsUnexpectedEnd) {
    ExpectEof(Raw("Qui"), "three signature bytes");
    ExpectEof(Raw("Q"), "one byte");
}

TEST_F(CorruptFiles, TooNewRequiredVersions) {
    for (const std::string v : {"0.3", "1", "0.10", "1.0", "0.1.0.0.1x"}) {
        SCOPED_TRACE(v);
        OpenResult r = OpenBytes(Concat({FileStart(0, 0, 0, v)}));
        if (v == "0.1.0.0.1x") {
            // Longer than "0.1" with equal leading components compares as -1.
            EXPECT_FALSE(r.raised);
            continue;
        }
        ASSERT_TRUE(r.raised);
        EXPECT_EQ(r.code, 0x800A2776u);
        EXPECT_EQ(r.id, 10102);
        EXPECT_EQ(r.message,
                  "File is newer than this program supports. File require newer database system.");
        ExpectEmptyTable();
    }
}

TEST_F(CorruptFiles, AcceptedRequiredVersions) {
    for (const std::string v : {"0.1", "0.0.9", "0.1.5", "", "0", "0,1"}) {
        SCOPED_TRACE(v);
        OpenResult r = OpenBytes(Concat({FileStart(1, 2, 2, v), HeaderRecord("ver", {"1.0"}),
                                         RowRecord({"a", "b"}), RowRecord({"c", "d"})}));
        EXPECT_FALSE(r.raised) << r.message;
        EXPECT_TRUE(r.result);
        EXPECT_EQ(q.RowsCountTotal(), 2);
    }
}

TEST_F(CorruptFiles, WriterVersionIsNotChecked) {
    OpenResult r = OpenBytes(FileStart(0, 0, 0, "0.1", "99.0"));
    EXPECT_FALSE(r.raised);
    EXPECT_TRUE(r.result);
}

TEST_F(CorruptFiles, EveryCutOfAGoodFileIsUnexpectedEnd) {
    for (size_t cut = 0; cut < kGood.size(); ++cut) {
        ExpectEof(Bytes(kGood.begin(), kGood.begin() + static_cast<long>(cut)),
                  "cut at " + std::to_string(cut));
    }
    OpenResult r = OpenBytes(kGood);
    EXPECT_TRUE(r.result);
    EXPECT_EQ(q.GetData(0, 0), "Novák");
    EXPECT_EQ(q.GetData(1, 1), "x");
}

TEST_F(CorruptFiles, CutInsideRowsLeavesTableEmptyAfterLoadedTable) {
    OpenResult r = OpenBytes(kGood);
    ASSERT_TRUE(r.result);
    ASSERT_EQ(q.RowsCountTotal(), 2);
    ExpectEof(Bytes(kGood.begin(), kGood.end() - 3), "cut in last row");
}

// A file large enough to be read ahead by a thread reads, and fails, as a
// small one does: whole, cut anywhere, or with a broken text near its end.
TEST_F(CorruptFiles, LargeFilesReadAheadReadAsSmallOnes) {
    for (const std::string required : {"0.1", "0.2"}) {
        const uint32_t rows = 50000;
        Bytes good = Concat({FileStart(1, rows, 2, required), HeaderRecord("ver", {"1.0"})});
        for (uint32_t r = 0; r < rows; ++r) {
            const Bytes row =
                RowRecord({"Dvo\xC5\x99\xC3\xA1k " + std::to_string(r), std::string(r % 50, 'x')});
            good.insert(good.end(), row.begin(), row.end());
        }
        ASSERT_GT(good.size(), 2u << 20) << required;
        OpenResult r = OpenBytes(good);
        ASSERT_TRUE(r.result) << required;
        ASSERT_EQ(q.RowsCountTotal(), static_cast<int32_t>(rows));
        EXPECT_EQ(q.DataView(static_cast<int32_t>(rows) - 1, 1), std::string((rows - 1) % 50, 'x'));
        if (required == "0.2") {
            EXPECT_EQ(q.DataView(static_cast<int32_t>(rows) / 2, 0),
                      "Dvořák " + std::to_string(rows / 2));
        }
        for (const std::size_t cut :
             {std::size_t{100}, good.size() / 2, good.size() - 3, good.size() - 1}) {
            ExpectEof(Bytes(good.begin(), good.begin() + static_cast<long>(cut)),
                      required + " cut at " + std::to_string(cut));
        }
        if (required == "0.2") {
            // A lone continuation byte in the last row's first text.
            Bytes broken = good;
            const std::size_t at = broken.size() - 60;
            broken[at] = 0x80;
            const OpenResult b = OpenBytes(broken);
            EXPECT_TRUE(b.raised);
            ExpectEmptyTable();
        }
    }
}

TEST_F(CorruptFiles, HugeCountsFailAtOnce) {
    ExpectEof(FileStart(0x7FFFFFFF, 0, 0), "huge header count");
    ExpectEof(FileStart(0, 0xFFFFFFFF, 1), "huge row count");
    ExpectEof(Concat({FileStart(0, 0x10000000, 0x10000000), RowRecord({})}), "huge table");
    ExpectEof(FileStart(0, 1, 0x7FFFFFFF), "huge column count");
}

TEST_F(CorruptFiles, HugeTextLengthsFailAtOnce) {
    ExpectEof(Concat({Raw("Quib"), EncInt(0xFFFFFFFF)}), "huge version text");
    ExpectEof(Concat({FileStart(1, 0, 0), EncInt(5), EncInt(0x7FFFFFFF)}), "huge text count");
    ExpectEof(Concat({FileStart(0, 1, 1), EncInt(1), EncInt(0x7FFFFFFF), Raw("abc")}),
              "huge cell length");
}

TEST_F(CorruptFiles, HugeStoredLengthsAllocateNothing) {
    // A stored length only sizes storage: the reader may reject it or size
    // the record by its texts, but never allocate what it claims.
    OpenResult r = OpenBytes(Concat({FileStart(1, 1, 1), EncInt(0xFFFFFFFF), EncInt(0),
                                     EncText("n"), EncInt(0xFFFFFFFF), EncText("a")}));
    if (r.raised) {
        EXPECT_EQ(r.id, errors::kUnexpectedEof);
        ExpectEmptyTable();
    } else {
        EXPECT_EQ(q.GetHeaderName(0), "n");
        EXPECT_EQ(q.GetData(0, 0), "a");
    }
}

TEST_F(CorruptFiles, ZeroColumnsWithManyRowsIsStillBounded) {
    // A row of zero columns is only a stored length (at least one byte), so
    // a row count beyond the remaining bytes cannot be satisfied.
    ExpectEof(Concat({FileStart(0, 1000000, 0), Bytes(10, 0x00)}), "rows without columns");
}

TEST_F(CorruptFiles, HugeColumnCountWithoutRowsAllocatesNothing) {
    // With no rows the column count takes no bytes, so it is valid; the
    // reader must not size anything by it.
    OpenResult r = OpenBytes(Concat({FileStart(1, 0, 0x7FFFFFF0), HeaderRecord("h", {"t"})}));
    ASSERT_FALSE(r.raised) << r.message;
    EXPECT_EQ(q.ColsCount(), 0x7FFFFFF0);
    EXPECT_EQ(q.GetHeaderText(0, 0), "t");
}

TEST_F(CorruptFiles, LongIntegerKeepsLowBits) {
    // Nine value bytes: only the low 32 bits count, here 2 rows.
    Bytes count = {0x09, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x02};
    Bytes file = Concat({Raw("Quib"), EncText("0.1"), EncText("0.1"), EncInt(0), count, EncInt(1),
                         RowRecord({"a"}), RowRecord({"b"})});
    OpenResult r = OpenBytes(file);
    EXPECT_FALSE(r.raised) << r.message;
    EXPECT_EQ(q.RowsCountTotal(), 2);
}

TEST_F(CorruptFiles, IntegerCutInsideValueBytes) {
    ExpectEof(Concat({Raw("Quib"), {0x02, 0x00}}), "integer cut");
    ExpectEof(Concat({Raw("Quib"), {0xFF, 0x00, 0x00}}), "long integer cut");
}

TEST_F(CorruptFiles, FailedOpenKeepsFilterAndSortRecords) {
    q.NewFilter(0);
    q.NewSort(0);
    q.SetFilterActive(true);
    ExpectEof({}, "empty");
    EXPECT_EQ(q.FiltersCount(), 1);
    EXPECT_EQ(q.SortsCount(), 1);
    EXPECT_TRUE(q.FilterActive());
}

TEST_F(CorruptFiles, NulByteInsideTextIsHandled) {
    // A NUL inside a text's bytes cannot come from the writer; reading it
    // must neither crash nor leak past the cell.
    Bytes file =
        Concat({FileStart(0, 1, 2), EncInt(3), EncInt(3), {'a', 0x00, 'b', 0x00}, EncText("z")});
    OpenResult r = OpenBytes(file);
    if (!r.raised) {
        EXPECT_EQ(q.GetData(0, 1), "z");
        EXPECT_LE(q.GetData(0, 0).size(), 3u);
    }
}

}  // namespace
