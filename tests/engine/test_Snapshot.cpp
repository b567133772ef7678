// Snapshots: an unchangeable picture of the table, written with the same
// atomic save from any thread while the engine goes on.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <random>
#include <thread>

#include "DbFile.h"
#include "EngineTestSupport.h"

using quib::CQuibCtrl;
using quib::QuibSnapshot;
using namespace quibtest;
namespace fs = std::filesystem;

namespace {

Bytes SavedBytes(CQuibCtrl& q, const std::string& path) {
    const std::string old = q.DatabaseName();
    q.SetDatabaseName(path);
    q.Save();
    q.SetDatabaseName(old);
    return ReadBytes(path);
}

void AddHeader(CQuibCtrl& q, const std::string& name, const std::string& text) {
    const int32_t h = q.HeadersCount();
    q.NewHeader(h);
    q.SetHeaderName(h, name);
    q.NewHeaderText(h, 0);
    q.SetHeaderText(h, 0, text);
}

TEST(Snapshot, WritesWhatSaveWrites) {
    TempDir dir;
    CQuibCtrl q;
    FillTable(q, 50, 4);
    AddHeader(q, "ver", "1.0");
    const QuibSnapshot s = q.TakeSnapshot();
    EXPECT_EQ(s.RowsCountTotal(), 50);
    EXPECT_EQ(s.ColsCount(), 4);
    EXPECT_EQ(s.HeadersCount(), 1);
    s.SaveTo(dir.file("snap.tbr"));
    EXPECT_EQ(ReadBytes(dir.file("snap.tbr")), SavedBytes(q, dir.file("save.tbr")));
}

TEST(Snapshot, EmptySnapshotWritesAnEmptyDatabase) {
    TempDir dir;
    QuibSnapshot().SaveTo(dir.file("empty.tbr"));
    EXPECT_EQ(ReadBytes(dir.file("empty.tbr")).size(), 22u);
    CQuibCtrl q;
    q.SetDatabaseName(dir.file("empty2.tbr"));
    ASSERT_TRUE(q.Create());
    EXPECT_EQ(q.TakeSnapshot().RowsCountTotal(), 0);
}

// Every kind of edit after the snapshot, on a table read from a file (whose
// rows live in the file's buffer) and on one built by edits.
TEST(Snapshot, EditsAfterwardsDoNotReachIt) {
    for (const bool fromFile : {true, false}) {
        SCOPED_TRACE(fromFile ? "read from a file" : "built by edits");
        TempDir dir;
        CQuibCtrl q;
        FillTable(q, 30, 3);
        AddHeader(q, "ver", "1.0");
        AddHeader(q, "name", "Contacts");
        const Bytes before = SavedBytes(q, dir.file("before.tbr"));
        if (fromFile) {
            q.SetDatabaseName(dir.file("before.tbr"));
            ASSERT_TRUE(q.Open());
        }
        const QuibSnapshot s = q.TakeSnapshot();
        q.SetData(0, 0, "r0cX");  // same length: in place without a snapshot
        q.SetData(1, 1, "a much longer text than before");
        q.SetData(2, 2, "");
        q.SetHeaderName(0, "VER");
        q.SetHeaderText(1, 0, "Kontakte");
        q.NewHeaderText(0, 1);
        q.DeleteHeaderText(1, 0);
        q.DeleteRow(5);
        q.NewRow(3);
        q.NewSort(0);
        q.SetSortData(0, "order", "desc");
        q.NewCol(1);
        q.DeleteCol(0);
        q.DeleteHeader(0);
        s.SaveTo(dir.file("snap.tbr"));
        EXPECT_EQ(ReadBytes(dir.file("snap.tbr")), before);
        EXPECT_EQ(q.RowsCountTotal(), 30);
        EXPECT_EQ(q.HeadersCount(), 1);
        ASSERT_TRUE(q.Close());
        s.SaveTo(dir.file("snap2.tbr"));
        EXPECT_EQ(ReadBytes(dir.file("snap2.tbr")), before);
    }
}

TEST(Snapshot, EditsInPlaceAgainOnceSnapshotsAreGone) {
    TempDir dir;
    CQuibCtrl q;
    FillTable(q, 3, 2);
    {
        const QuibSnapshot s = q.TakeSnapshot();
        q.SetData(0, 0, "aaaa");
    }
    q.SetData(0, 0, "bbbb");
    q.SetData(1, 1, "cccc");
    EXPECT_EQ(q.GetData(0, 0), "bbbb");
    EXPECT_EQ(q.GetData(1, 1), "cccc");
    EXPECT_EQ(q.GetData(2, 1), "r2c1");
}

TEST(Snapshot, OutlivesTheEngine) {
    TempDir dir;
    QuibSnapshot s;
    Bytes expected;
    {
        CQuibCtrl q;
        FillTable(q, 10, 2);
        expected = SavedBytes(q, dir.file("expected.tbr"));
        q.SetDatabaseName(dir.file("expected.tbr"));
        ASSERT_TRUE(q.Open());
        s = q.TakeSnapshot();
    }
    QuibSnapshot copy = s;
    s = QuibSnapshot();
    copy.SaveTo(dir.file("late.tbr"));
    EXPECT_EQ(ReadBytes(dir.file("late.tbr")), expected);
}

TEST(Snapshot, WrittenOnAnotherThreadWhileTheTableChanges) {
    TempDir dir;
    CQuibCtrl q;
    FillTable(q, 3000, 6);
    q.SetDatabaseName(dir.file("db.tbr"));
    ASSERT_TRUE(q.Save());
    ASSERT_TRUE(q.Open());
    std::mt19937 rng(1);
    for (int round = 0; round < 5; ++round) {
        const Bytes expected = SavedBytes(q, dir.file("expected.tbr"));
        QuibSnapshot s = q.TakeSnapshot();
        std::thread writer([s = std::move(s), &dir] { s.SaveTo(dir.file("db.tbr")); });
        for (int edit = 0; edit < 3000; ++edit) {
            const auto r = static_cast<int32_t>(rng() % q.RowsCount());
            const auto c = static_cast<int32_t>(rng() % 6);
            switch (rng() % 4) {
                case 0:
                    q.SetData(r, c, "same");
                    break;
                case 1:
                    q.SetData(r, c, std::string(rng() % 20, 'x'));
                    break;
                case 2:
                    q.DeleteRow(r);
                    break;
                default:
                    q.NewRow(r);
            }
        }
        writer.join();
        ASSERT_EQ(ReadBytes(dir.file("db.tbr")), expected) << "round " << round;
    }
}

TEST(Snapshot, DuringTheCompatibilityCheckIsEmpty) {
    TempDir dir;
    WriteBytes(dir.file("a.tbr"), Concat({FileStart(1, 2, 1), HeaderRecord("ver", {"1"}),
                                          RowRecord({"a"}), RowRecord({"b"})}));
    CQuibCtrl q;
    struct Taker : quib::QuibEvents {
        CQuibCtrl* q = nullptr;
        QuibSnapshot taken;
        void CheckCompatibility(int16_t&) override { taken = q->TakeSnapshot(); }
    } l;
    l.q = &q;
    q.SetListener(&l);
    q.SetDatabaseName(dir.file("a.tbr"));
    ASSERT_TRUE(q.Open());
    EXPECT_EQ(l.taken.RowsCountTotal(), 0);
    EXPECT_EQ(l.taken.HeadersCount(), 0);
    EXPECT_EQ(q.TakeSnapshot().RowsCountTotal(), 2);
}

TEST(Snapshot, WriteErrorsAreTheSaveErrors) {
    TempDir dir;
    CQuibCtrl q;
    FillTable(q, 20, 2);
    q.SetDatabaseName(dir.file("db.tbr"));
    ASSERT_TRUE(q.Save());
    const Bytes old = ReadBytes(dir.file("db.tbr"));
    q.SetData(0, 0, "changed");
    const QuibSnapshot s = q.TakeSnapshot();
    fs::permissions(dir.file("db.tbr"), fs::perms::owner_read);
    try {
        s.SaveTo(dir.file("db.tbr"));
        ADD_FAILURE() << "replaced a protected file";
    } catch (const quib::QuibError& e) {
        EXPECT_EQ(e.id(), 10000);
    }
    fs::permissions(dir.file("db.tbr"), fs::perms::owner_read | fs::perms::owner_write);
    for (const int64_t after : {int64_t{0}, int64_t{100}, int64_t{-2}}) {
        quib::SetWriteFaultForTesting(after);
        try {
            s.SaveTo(dir.file("db.tbr"));
            ADD_FAILURE() << "a failed write reported success";
        } catch (const quib::QuibError& e) {
            EXPECT_EQ(e.id(), 10004);
            EXPECT_EQ(e.code(), 0x800A004Bu);
        }
        quib::SetWriteFaultForTesting(-1);
        EXPECT_EQ(ReadBytes(dir.file("db.tbr")), old);
    }
    // The next write succeeds.
    s.SaveTo(dir.file("db.tbr"));
    EXPECT_NE(ReadBytes(dir.file("db.tbr")), old);
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir.path())) {
        names.push_back(e.path().filename().string());
    }
    EXPECT_EQ(names, std::vector<std::string>{"db.tbr"});
}

}  // namespace
