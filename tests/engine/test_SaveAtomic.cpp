// Saving replaces the file whole or not at all.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "EngineTestSupport.h"

using quib::CQuibCtrl;
using namespace quibtest;
namespace fs = std::filesystem;

namespace {

TEST(SaveAtomic, KeepsPermissions) {
    TempDir dir;
    const std::string path = dir.file("db.tbr");
    CQuibCtrl q;
    FillTable(q, 2, 2);
    q.SetDatabaseName(path);
    ASSERT_TRUE(q.Save());
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    q.SetData(0, 0, "changed");
    ASSERT_TRUE(q.Save());
    EXPECT_EQ(fs::status(path).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(Listing(dir.path()), std::vector<std::string>{"db.tbr"});
}

TEST(SaveAtomic, NewFileGetsUsualPermissions) {
    TempDir dir;
    const std::string path = dir.file("db.tbr");
    const mode_t old = umask(022);
    CQuibCtrl q;
    q.SetDatabaseName(path);
    ASSERT_TRUE(q.Create());
    umask(old);
    const auto p = fs::status(path).permissions();
    EXPECT_EQ(p & fs::perms::owner_read, fs::perms::owner_read);
    EXPECT_EQ(p & fs::perms::owner_write, fs::perms::owner_write);
    EXPECT_EQ(p & fs::perms::group_read, fs::perms::group_read);
    EXPECT_EQ(p & fs::perms::others_write, fs::perms::none);
}

TEST(SaveAtomic, SymbolicLinkReplacesTarget) {
    TempDir dir;
    fs::create_directory(dir.path() / "real");
    const std::string target = dir.file("real/db.tbr");
    const std::string link = dir.file("link.tbr");
    CQuibCtrl q;
    FillTable(q, 1, 1);
    q.SetDatabaseName(target);
    ASSERT_TRUE(q.Save());
    fs::create_symlink(target, link);
    q.SetData(0, 0, "through the link");
    q.SetDatabaseName(link);
    ASSERT_TRUE(q.Save());
    EXPECT_TRUE(fs::is_symlink(link));
    CQuibCtrl r;
    r.SetDatabaseName(target);
    ASSERT_TRUE(r.Open());
    EXPECT_EQ(r.GetData(0, 0), "through the link");
    EXPECT_EQ(Listing(dir.path()), (std::vector<std::string>{"link.tbr", "real"}));
    EXPECT_EQ(Listing(dir.path() / "real"), std::vector<std::string>{"db.tbr"});
}

TEST(SaveAtomic, RelativeSymbolicLink) {
    TempDir dir;
    CQuibCtrl q;
    FillTable(q, 1, 1);
    q.SetDatabaseName(dir.file("target.tbr"));
    ASSERT_TRUE(q.Save());
    fs::create_symlink("target.tbr", dir.path() / "link.tbr");
    q.SetData(0, 0, "relative");
    q.SetDatabaseName(dir.file("link.tbr"));
    ASSERT_TRUE(q.Save());
    EXPECT_TRUE(fs::is_symlink(dir.path() / "link.tbr"));
    CQuibCtrl r;
    r.SetDatabaseName(dir.file("target.tbr"));
    ASSERT_TRUE(r.Open());
    EXPECT_EQ(r.GetData(0, 0), "relative");
}

TEST(SaveAtomic, SaveOverExistingReplacesContent) {
    TempDir dir;
    const std::string path = dir.file("db.tbr");
    WriteBytes(path, Raw(std::string(5000, 'z')));
    CQuibCtrl q;
    q.SetDatabaseName(path);
    ASSERT_TRUE(q.Save());
    EXPECT_EQ(ReadBytes(path).size(), 22u);
}

}  // namespace

#include "DbFile.h"

namespace {

// Turns the writer's failure seam off again however a test ends.
struct WriteFault {
    explicit WriteFault(int64_t after) { quib::SetWriteFaultForTesting(after); }
    ~WriteFault() { quib::SetWriteFaultForTesting(-1); }
    WriteFault(const WriteFault&) = delete;
    WriteFault& operator=(const WriteFault&) = delete;
};

TEST(SaveAtomic, InterruptedAtEveryByteLeavesOldFileWhole) {
    TempDir dir;
    const std::string path = dir.file("db.tbr");
    CQuibCtrl q;
    FillTable(q, 4, 3);
    q.NewHeader(0);
    q.SetHeaderName(0, "ProgramName");
    q.NewHeaderText(0, 0);
    q.SetHeaderText(0, 0, "Orvane Contacts");
    q.SetDatabaseName(path);
    ASSERT_TRUE(q.Save());
    const Bytes old = ReadBytes(path);

    q.SetData(2, 1, "a longer value than before");
    q.NewRow(0);
    const std::string newPath = dir.file("expected.tbr");
    q.SetDatabaseName(newPath);
    ASSERT_TRUE(q.Save());
    const Bytes fresh = ReadBytes(newPath);
    std::filesystem::remove(newPath);
    q.SetDatabaseName(path);

    RecordingListener l;
    q.SetListener(&l);
    for (int64_t n = 0; n < static_cast<int64_t>(fresh.size()); ++n) {
        SCOPED_TRACE("fail after " + std::to_string(n) + " bytes");
        l.clear();
        WriteFault fault(n);
        try {
            q.Save();
            ADD_FAILURE() << "a failed write reported success";
        } catch (const quib::QuibError& e) {
            EXPECT_EQ(e.code(), 0x800A004Bu);
            EXPECT_EQ(e.id(), 10004);
            EXPECT_STREQ(e.what(),
                         "Error when writing database file. The database file was not changed.");
        }
        ASSERT_EQ(ReadBytes(path), old);
        ASSERT_EQ(Listing(dir.path()), std::vector<std::string>{"db.tbr"});
        EXPECT_EQ(l.events, std::vector<std::string>{"BeforeSave"});
    }
    {
        // Failing after the whole file leaves nothing to fail on.
        WriteFault fault(static_cast<int64_t>(fresh.size()));
        EXPECT_TRUE(q.Save());
    }
    EXPECT_EQ(ReadBytes(path), fresh);
    EXPECT_EQ(Listing(dir.path()), std::vector<std::string>{"db.tbr"});
}

TEST(SaveAtomic, InterruptedCreateKeepsOldFile) {
    TempDir dir;
    const std::string path = dir.file("db.tbr");
    CQuibCtrl q;
    FillTable(q, 2, 2);
    q.SetDatabaseName(path);
    ASSERT_TRUE(q.Save());
    const Bytes old = ReadBytes(path);
    for (int64_t n = 0; n < 22; ++n) {
        WriteFault fault(n);
        EXPECT_THROW(q.Create(), quib::QuibError);
        ASSERT_EQ(ReadBytes(path), old);
    }
    EXPECT_EQ(Listing(dir.path()), std::vector<std::string>{"db.tbr"});
}

TEST(SaveAtomic, InterruptedFirstSaveLeavesNoFile) {
    TempDir dir;
    CQuibCtrl q;
    FillTable(q, 2, 2);
    q.SetDatabaseName(dir.file("db.tbr"));
    WriteFault fault(10);
    EXPECT_THROW(q.Save(), quib::QuibError);
    EXPECT_TRUE(Listing(dir.path()).empty());
}

TEST(SaveAtomic, LargeTableInterruptedAtManyPoints) {
    TempDir dir;
    const std::string path = dir.file("db.tbr");
    CQuibCtrl q;
    FillTable(q, 3000, 8);
    q.SetDatabaseName(path);
    ASSERT_TRUE(q.Save());
    const Bytes old = ReadBytes(path);
    q.SetData(0, 0, "changed");
    for (int64_t n = 1; n < static_cast<int64_t>(old.size()); n = n * 3 + 1) {
        WriteFault fault(n);
        EXPECT_THROW(q.Save(), quib::QuibError);
        ASSERT_EQ(ReadBytes(path), old);
    }
    EXPECT_EQ(Listing(dir.path()), std::vector<std::string>{"db.tbr"});
}

}  // namespace
