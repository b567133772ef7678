// Saving replaces the file whole or not at all.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "EngineTestSupport.h"

using quib::CQuibCtrl;
using namespace quibtest;
namespace fs = std::filesystem;

namespace {

std::vector<std::string> Listing(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) {
        names.push_back(e.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

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
