// What a save must never do: replace a file its owner protected, follow a
// loop of links, leave temporary files behind, or end the process when the
// file size limit is reached; and a save killed at any moment leaves the old
// or the new file whole.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <random>
#include <thread>

#include "EngineTestSupport.h"

using quib::CQuibCtrl;
using namespace quibtest;
namespace fs = std::filesystem;

namespace {

int SaveError(CQuibCtrl& q) {
    try {
        q.Save();
    } catch (const quib::QuibError& e) {
        return e.id();
    }
    return 0;
}

TEST(SaveSafety, ProtectedFileIsNotReplaced) {
    TempDir dir;
    const std::string path = dir.file("db.tbr");
    CQuibCtrl q;
    FillTable(q, 3, 2);
    q.SetDatabaseName(path);
    ASSERT_TRUE(q.Save());
    const Bytes old = ReadBytes(path);
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    q.SetData(0, 0, "changed");
    RecordingListener l;
    q.SetListener(&l);
    EXPECT_EQ(SaveError(q), 10000);
    EXPECT_EQ(l.events, std::vector<std::string>{"BeforeSave"});
    try {
        q.Create();
        ADD_FAILURE() << "Create replaced a protected file";
    } catch (const quib::QuibError& e) {
        EXPECT_EQ(e.code(), 0x800A004Bu);
        EXPECT_STREQ(e.what(), "Error when opening database file to write.");
    }
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(Listing(dir.path()), std::vector<std::string>{"db.tbr"});
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(SaveError(q), 0);
}

TEST(SaveSafety, LoopOfLinksIsRefused) {
    TempDir dir;
    fs::create_symlink("b.tbr", dir.path() / "a.tbr");
    fs::create_symlink("a.tbr", dir.path() / "b.tbr");
    CQuibCtrl q;
    FillTable(q, 1, 1);
    q.SetDatabaseName(dir.file("a.tbr"));
    EXPECT_EQ(SaveError(q), 10000);
    EXPECT_TRUE(fs::is_symlink(dir.path() / "a.tbr"));
    EXPECT_TRUE(fs::is_symlink(dir.path() / "b.tbr"));
    EXPECT_EQ(Listing(dir.path()), (std::vector<std::string>{"a.tbr", "b.tbr"}));
}

TEST(SaveSafety, NamesWithoutAFileLeaveNothing) {
    TempDir dir;
    fs::create_directory(dir.path() / "sub");
    const fs::path before = fs::current_path();
    fs::current_path(dir.path());
    for (const std::string& name :
         std::vector<std::string>{"", dir.file("sub") + "/", dir.file("sub"), "sub/"}) {
        SCOPED_TRACE("name [" + name + "]");
        CQuibCtrl q;
        q.SetDatabaseName(name);
        try {
            q.Create();
            ADD_FAILURE() << "created";
        } catch (const quib::QuibError& e) {
            EXPECT_EQ(e.id(), 10000);
        }
    }
    fs::current_path(before);
    EXPECT_EQ(Listing(dir.path()), std::vector<std::string>{"sub"});
    EXPECT_TRUE(Listing(dir.path() / "sub").empty());
}

// Ages a file by the given number of seconds.
void Age(const fs::path& file, int seconds) {
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    timespec times[2] = {{st.st_mtime - seconds, 0}, {st.st_mtime - seconds, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), times, 0), 0);
}

TEST(SaveSafety, OpenRemovesOnlyStaleUnlockedTemporaryFiles) {
    TempDir dir;
    const std::string path = dir.file("db.tbr");
    CQuibCtrl q;
    FillTable(q, 2, 2);
    q.SetDatabaseName(path);
    ASSERT_TRUE(q.Save());
    const std::vector<std::string> names = {
        ".db.tbr.tmp-aB3xY9",     // stale: removed
        ".db.tbr.tmp-fresh1",     // too young
        ".db.tbr.tmp-locked",     // a save still holds it
        ".db.tbr.tmp-toolong1",   // not our pattern
        ".other.tbr.tmp-aB3xY9",  // another database's
        "db.tbr.tmp-aB3xY9",      // not hidden: not ours
    };
    for (const auto& n : names) {
        WriteBytes(dir.file(n), Raw("partial"));
        if (n != ".db.tbr.tmp-fresh1") {
            Age(dir.path() / n, 120);
        }
    }
    const int locked = ::open(dir.file(".db.tbr.tmp-locked").c_str(), O_RDONLY);
    ASSERT_GE(locked, 0);
    ASSERT_EQ(::flock(locked, LOCK_EX), 0);
    fs::create_directory(dir.path() / ".db.tbr.tmp-folder");
    Age(dir.path() / ".db.tbr.tmp-folder", 120);

    ASSERT_TRUE(q.Open());
    ::close(locked);
    std::vector<std::string> expected = {".db.tbr.tmp-fresh1",    ".db.tbr.tmp-folder",
                                         ".db.tbr.tmp-locked",    ".db.tbr.tmp-toolong1",
                                         ".other.tbr.tmp-aB3xY9", "db.tbr",
                                         "db.tbr.tmp-aB3xY9"};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Listing(dir.path()), expected);
    EXPECT_EQ(q.RowsCountTotal(), 2);
}

// Pipes, devices and sockets (also behind a symbolic link) are never
// replaced by a regular file: the save is refused before anything is made.
TEST(SaveSafety, SpecialFilesAreRefused) {
    TempDir dir;
    ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0600), 0);
    fs::create_symlink("fifo", dir.path() / "link-to-fifo");
    std::vector<std::string> names = {"fifo", "link-to-fifo"};
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socketPath = dir.file("socket");
    if (sock >= 0 && socketPath.size() < sizeof address.sun_path) {
        std::strcpy(address.sun_path, socketPath.c_str());
        if (::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
            names.push_back("socket");
        }
    }
    // A device node of our own (the null device's numbers), where we may.
    if (::mknod(dir.file("device").c_str(), S_IFCHR | 0600, makedev(1, 3)) == 0) {
        names.push_back("device");
    }
    const std::vector<std::string> before = Listing(dir.path());
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        CQuibCtrl q;
        FillTable(q, 2, 2);
        q.SetDatabaseName(dir.file(name));
        RecordingListener l;
        q.SetListener(&l);
        EXPECT_EQ(SaveError(q), 10000);
        EXPECT_EQ(l.events, std::vector<std::string>{"BeforeSave"});
        EXPECT_THROW(q.Create(), quib::QuibError);
        try {
            q.TakeSnapshot().SaveTo(dir.file(name));
            ADD_FAILURE() << "a snapshot replaced it";
        } catch (const quib::QuibError& e) {
            EXPECT_EQ(e.id(), 10000);
        }
        EXPECT_EQ(Listing(dir.path()), before);
    }
    struct stat st {};
    ASSERT_EQ(::stat(dir.file("fifo").c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    EXPECT_TRUE(fs::is_symlink(dir.path() / "link-to-fifo"));
    if (sock >= 0) {
        ::close(sock);
    }
}

// Every save first removes what killed saves of the same file left, by the
// same rules as Open: our names only, old, unlocked, regular files.
TEST(SaveSafety, SaveRemovesOnlyStaleUnlockedTemporaryFiles) {
    TempDir dir;
    const std::string path = dir.file("db.tbr");
    CQuibCtrl q;
    FillTable(q, 2, 2);
    q.SetDatabaseName(path);
    const std::vector<std::string> names = {".db.tbr.tmp-aB3xY9",   ".db.tbr.tmp-Zz0011",
                                            ".db.tbr.tmp-fresh1",   ".db.tbr.tmp-locked",
                                            ".db.tbr.tmp-toolong1", ".other.tbr.tmp-aB3xY9"};
    for (const auto& n : names) {
        WriteBytes(dir.file(n), Raw("partial"));
        if (n != ".db.tbr.tmp-fresh1") {
            Age(dir.path() / n, 120);
        }
    }
    const int locked = ::open(dir.file(".db.tbr.tmp-locked").c_str(), O_RDONLY);
    ASSERT_GE(locked, 0);
    ASSERT_EQ(::flock(locked, LOCK_EX), 0);
    ASSERT_TRUE(q.Save());
    ::close(locked);
    EXPECT_EQ(Listing(dir.path()), (std::vector<std::string>{
                                       ".db.tbr.tmp-fresh1", ".db.tbr.tmp-locked",
                                       ".db.tbr.tmp-toolong1", ".other.tbr.tmp-aB3xY9", "db.tbr"}));
    // Also through a link, beside the file it points to.
    fs::create_directory(dir.path() / "real");
    WriteBytes(dir.file("real/.target.tbr.tmp-aB3xY9"), Raw("partial"));
    Age(dir.path() / "real/.target.tbr.tmp-aB3xY9", 120);
    fs::create_symlink("real/target.tbr", dir.path() / "link.tbr");
    q.SetDatabaseName(dir.file("link.tbr"));
    ASSERT_TRUE(q.Save());
    EXPECT_EQ(Listing(dir.path() / "real"), std::vector<std::string>{"target.tbr"});
}

// A child process that runs body and exits with its result; the parent
// gets the wait status.
template <typename Body>
int InChild(Body body) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        int code = 99;
        try {
            code = body();
        } catch (...) {
            code = 98;
        }
        ::_exit(code);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return status;
}

TEST(SaveSafety, FileSizeLimitFailsTheWriteInsteadOfKilling) {
    TempDir dir;
    const std::string path = dir.file("db.tbr");
    CQuibCtrl q;
    FillTable(q, 2, 2);
    q.SetDatabaseName(path);
    ASSERT_TRUE(q.Save());
    const Bytes old = ReadBytes(path);
    FillTable(q, 20000, 10);  // about 1.3 MB
    const int status = InChild([&] {
        rlimit limit{256 * 1024, 256 * 1024};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        return SaveError(q) == 10004 ? 0 : 1;
    });
    ASSERT_TRUE(WIFEXITED(status)) << "killed by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(Listing(dir.path()), std::vector<std::string>{"db.tbr"});
}

// A table of about 5 MB whose first cell tells the versions apart.
void FiveMegabytes(CQuibCtrl& q, const std::string& mark) {
    FillTable(q, 40000, 12);
    q.SetData(0, 0, mark);
    for (int32_t r = 0; r < q.RowsCount(); r += 3) {
        q.SetData(r, 5, std::string(60, static_cast<char>('a' + r % 26)));
    }
}

TEST(SaveSafety, KilledSaveLeavesOldOrNewFileWhole) {
    TempDir dir;
    const std::string path = dir.file("db.tbr");
    CQuibCtrl q;
    FiveMegabytes(q, "old");
    q.SetDatabaseName(path);
    ASSERT_TRUE(q.Save());
    const Bytes oldBytes = ReadBytes(path);
    q.SetData(0, 0, "new");
    q.SetDatabaseName(dir.file("new.tbr"));
    ASSERT_TRUE(q.Save());
    const Bytes newBytes = ReadBytes(dir.file("new.tbr"));
    fs::remove(dir.file("new.tbr"));
    ASSERT_GT(newBytes.size(), 4u << 20);
    q.SetDatabaseName(path);

    // How long one save takes here, to spread the kills over it.
    const auto t0 = std::chrono::steady_clock::now();
    ASSERT_TRUE(q.Save());
    const auto saveMicros =
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - t0)
            .count();
    WriteBytes(path, oldBytes);

    const unsigned seed = std::random_device{}();
    std::mt19937 rng(seed);
    int oldSeen = 0;
    int newSeen = 0;
    for (int round = 0; round < 20; ++round) {
        SCOPED_TRACE("seed " + std::to_string(seed) + ", round " + std::to_string(round));
        const auto delay = std::chrono::microseconds(rng() % (2 * saveMicros + 1000));
        const pid_t pid = ::fork();
        if (pid == 0) {
            try {
                q.Save();
            } catch (...) {
                ::_exit(1);
            }
            ::_exit(0);
        }
        std::this_thread::sleep_for(delay);
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
        const Bytes now = ReadBytes(path);
        ASSERT_TRUE(now == oldBytes || now == newBytes) << "file of " << now.size() << " bytes";
        (now == oldBytes ? oldSeen : newSeen)++;
        // A killed save may leave its temporary file; once it is old, Open
        // removes it.
        for (const auto& name : Listing(dir.path())) {
            if (name != "db.tbr") {
                Age(dir.path() / name, 120);
            }
        }
        CQuibCtrl reader;
        reader.SetDatabaseName(path);
        ASSERT_TRUE(reader.Open());
        EXPECT_EQ(reader.GetData(0, 0), now == oldBytes ? "old" : "new");
        ASSERT_EQ(Listing(dir.path()), std::vector<std::string>{"db.tbr"});
        WriteBytes(path, oldBytes);
    }
    RecordProperty("old_seen", oldSeen);
    RecordProperty("new_seen", newSeen);
    std::printf("killed saves: %d left the old file, %d the new one (seed %u, save %lld us)\n",
                oldSeen, newSeen, seed, static_cast<long long>(saveMicros));
}

}  // namespace
