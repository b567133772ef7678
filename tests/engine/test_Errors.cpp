// File errors: codes, messages, and the state they leave.

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

#include "EngineTestSupport.h"

using quib::CQuibCtrl;
using quib::QuibError;
using namespace quibtest;
namespace fs = std::filesystem;

namespace {

struct Raised {
    uint32_t code = 0;
    int32_t id = 0;
    std::string message;
};

template <typename F>
Raised Catch(F f) {
    try {
        f();
    } catch (const QuibError& e) {
        return {e.code(), e.id(), e.what()};
    }
    ADD_FAILURE() << "no error raised";
    return {};
}

TEST(Errors, MissingFile) {
    TempDir dir;
    CQuibCtrl q;
    FillTable(q, 2, 2);
    q.NewHeader(0);
    q.MoveFirst();
    RecordingListener l;
    q.SetListener(&l);
    q.SetDatabaseName(dir.file("missing.tbr"));
    Raised r = Catch([&] { q.Open(); });
    EXPECT_EQ(r.code, 0x800A004Bu);
    EXPECT_EQ(r.id, 10001);
    EXPECT_EQ(r.message, "Error when opening database file to read.");
    EXPECT_EQ(l.events, std::vector<std::string>{"BeforeOpen"});
    EXPECT_EQ(q.RowsCountTotal(), 0);
    EXPECT_EQ(q.ColsCount(), 0);
    EXPECT_EQ(q.HeadersCount(), 0);
    EXPECT_EQ(q.RowIndex(), -1);
}

TEST(Errors, OpenDirectoryOrEmptyName) {
    TempDir dir;
    CQuibCtrl q;
    q.SetDatabaseName(dir.path().string());
    Raised r = Catch([&] { q.Open(); });
    EXPECT_EQ(r.code, 0x800A004Bu);
    EXPECT_TRUE(r.id == 10001 || r.id == 10002) << r.id;
    q.SetDatabaseName("");
    r = Catch([&] { q.Open(); });
    EXPECT_EQ(r.id, 10001);
}

TEST(Errors, SaveIntoMissingFolder) {
    TempDir dir;
    CQuibCtrl q;
    FillTable(q, 1, 1);
    RecordingListener l;
    q.SetListener(&l);
    q.SetDatabaseName(dir.file("no/such/folder/db.tbr"));
    Raised r = Catch([&] { q.Save(); });
    EXPECT_EQ(r.code, 0x800A004Bu);
    EXPECT_EQ(r.id, 10000);
    EXPECT_EQ(r.message, "Error when opening database file to write.");
    EXPECT_EQ(l.events, std::vector<std::string>{"BeforeSave"});
    EXPECT_EQ(q.RowsCountTotal(), 1);
    EXPECT_TRUE(Listing(dir.path()).empty());
}

TEST(Errors, SaveBelowARegularFile) {
    // Not even root can create a file below a regular file.
    TempDir dir;
    WriteBytes(dir.file("plain"), Raw("x"));
    CQuibCtrl q;
    q.SetDatabaseName(dir.file("plain/db.tbr"));
    Raised r = Catch([&] { q.Create(); });
    EXPECT_EQ(r.id, 10000);
    EXPECT_EQ(ReadBytes(dir.file("plain")), Raw("x"));
    EXPECT_EQ(Listing(dir.path()), std::vector<std::string>{"plain"});
}

TEST(Errors, SaveIntoProcFails) {
    CQuibCtrl q;
    FillTable(q, 1, 1);
    q.SetDatabaseName("/proc/quib-test.tbr");
    Raised r = Catch([&] { q.Save(); });
    EXPECT_EQ(r.code, 0x800A004Bu);
    EXPECT_TRUE(r.id == 10000 || r.id == 10004) << r.id;
}

TEST(Errors, SaveOverDirectoryLeavesIt) {
    TempDir dir;
    fs::create_directory(dir.path() / "db.tbr");
    CQuibCtrl q;
    FillTable(q, 1, 1);
    q.SetDatabaseName(dir.file("db.tbr"));
    Raised r = Catch([&] { q.Save(); });
    EXPECT_EQ(r.code, 0x800A004Bu);
    EXPECT_TRUE(fs::is_directory(dir.path() / "db.tbr"));
    EXPECT_EQ(Listing(dir.path()), std::vector<std::string>{"db.tbr"});
}

TEST(Errors, SaveIntoReadOnlyFolderKeepsOldFile) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root writes into read-only folders";
    }
    TempDir dir;
    const std::string path = dir.file("db.tbr");
    CQuibCtrl q;
    FillTable(q, 1, 1);
    q.SetDatabaseName(path);
    ASSERT_TRUE(q.Save());
    const Bytes old = ReadBytes(path);
    fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
    q.SetData(0, 0, "new");
    Raised r = Catch([&] { q.Save(); });
    fs::permissions(dir.path(), fs::perms::owner_all);
    EXPECT_EQ(r.code, 0x800A004Bu);
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(Listing(dir.path()), std::vector<std::string>{"db.tbr"});
}

TEST(Errors, SaveErrorSkipsAfterSave) {
    CQuibCtrl q;
    RecordingListener l;
    q.SetListener(&l);
    q.SetDatabaseName("");
    Raised r = Catch([&] { q.Save(); });
    EXPECT_EQ(r.id, 10000);
    EXPECT_EQ(l.events, std::vector<std::string>{"BeforeSave"});
}

TEST(Errors, CreateErrorStillEmptiesTable) {
    CQuibCtrl q;
    FillTable(q, 2, 2);
    q.SetDatabaseName("/nonexistent-quib-folder/x.tbr");
    Raised r = Catch([&] { q.Create(); });
    EXPECT_EQ(r.id, 10000);
    EXPECT_EQ(q.RowsCountTotal(), 0);
}

TEST(Errors, MessageTable) {
    // The messages a host shows, by identifier.
    TempDir dir;
    CQuibCtrl q;
    q.SetDatabaseName(dir.file("e.tbr"));
    WriteBytes(dir.file("e.tbr"), Raw("Quib"));
    Raised r = Catch([&] { q.Open(); });
    EXPECT_EQ(r.message, "Unexpected end of file. The database file is corrupted.");
    EXPECT_EQ(r.id, 10002);
}

}  // namespace
