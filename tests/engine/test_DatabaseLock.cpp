// The advisory lock on a database: one holder at a time, across processes
// and across the saves that replace the file.

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include "EngineTestSupport.h"
#include "quib/DatabaseLock.h"

using quib::CQuibCtrl;
using quib::DatabaseLock;
using Result = quib::DatabaseLock::Result;
using namespace quibtest;
namespace fs = std::filesystem;

namespace {

// Runs body in a child process; its exit code.
template <typename Body>
int InChild(Body body) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::_exit(body());
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(DatabaseLock, OneHolderAtATime) {
    TempDir dir;
    const std::string db = dir.file("db.tbr");
    EXPECT_EQ(DatabaseLock::LockFileOf(db), dir.file(".db.tbr.lock"));
    DatabaseLock a;
    EXPECT_FALSE(a.Locked());
    ASSERT_EQ(a.TryLock(db), Result::Acquired);
    EXPECT_TRUE(a.Locked());
    EXPECT_TRUE(fs::exists(dir.file(".db.tbr.lock")));
    EXPECT_EQ(a.TryLock(db), Result::Acquired);  // asked again: still ours
    DatabaseLock b;
    EXPECT_EQ(b.TryLock(db), Result::HeldByAnother);
    EXPECT_FALSE(b.Locked());
    EXPECT_EQ(InChild([&] {
                  DatabaseLock c;
                  return c.TryLock(db) == Result::HeldByAnother ? 0 : 1;
              }),
              0);
    a.Unlock();
    EXPECT_FALSE(fs::exists(dir.file(".db.tbr.lock")));
    EXPECT_EQ(b.TryLock(db), Result::Acquired);
    EXPECT_EQ(a.TryLock(db), Result::HeldByAnother);
}

TEST(DatabaseLock, HoldsAcrossSavesThatReplaceTheFile) {
    TempDir dir;
    const std::string db = dir.file("db.tbr");
    CQuibCtrl q;
    FillTable(q, 3, 2);
    q.SetDatabaseName(db);
    ASSERT_TRUE(q.Save());
    DatabaseLock holder;
    ASSERT_EQ(holder.TryLock(db), Result::Acquired);
    for (int i = 0; i < 3; ++i) {
        struct stat before {};
        ASSERT_EQ(::stat(db.c_str(), &before), 0);
        q.SetData(0, 0, "save " + std::to_string(i));
        ASSERT_TRUE(q.Save());
        struct stat after {};
        ASSERT_EQ(::stat(db.c_str(), &after), 0);
        EXPECT_NE(before.st_ino, after.st_ino);  // a new file every time
        EXPECT_EQ(InChild([&] {
                      DatabaseLock other;
                      return other.TryLock(db) == Result::HeldByAnother ? 0 : 1;
                  }),
                  0);
    }
    EXPECT_EQ(Listing(dir.path()), (std::vector<std::string>{".db.tbr.lock", "db.tbr"}));
}

TEST(DatabaseLock, LinksLockTheFileTheyPointTo) {
    TempDir dir;
    fs::create_directory(dir.path() / "real");
    fs::create_symlink("real/db.tbr", dir.path() / "link.tbr");
    EXPECT_EQ(DatabaseLock::LockFileOf(dir.file("link.tbr")), dir.file("real/.db.tbr.lock"));
    DatabaseLock a;
    ASSERT_EQ(a.TryLock(dir.file("link.tbr")), Result::Acquired);
    DatabaseLock b;
    EXPECT_EQ(b.TryLock(dir.file("real/db.tbr")), Result::HeldByAnother);
}

TEST(DatabaseLock, UnavailableWhereNoLockFileCanBe) {
    TempDir dir;
    fs::create_symlink("loop-b", dir.path() / "loop-a");
    fs::create_symlink("loop-a", dir.path() / "loop-b");
    ASSERT_EQ(::mkfifo(dir.file(".fifo.tbr.lock").c_str(), 0600), 0);
    fs::create_directory(dir.path() / ".folder.tbr.lock");
    for (const std::string& path :
         {std::string(), dir.file("sub") + "/", dir.file("missing/db.tbr"), dir.file("loop-a"),
          dir.file("fifo.tbr"), dir.file("folder.tbr")}) {
        SCOPED_TRACE(path);
        DatabaseLock lock;
        EXPECT_EQ(lock.TryLock(path), Result::Unavailable);
        EXPECT_FALSE(lock.Locked());
    }
    struct stat st {};
    ASSERT_EQ(::stat(dir.file(".fifo.tbr.lock").c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

TEST(DatabaseLock, LockOfAHolderThatDiedIsFree) {
    TempDir dir;
    const std::string db = dir.file("db.tbr");
    WriteBytes(dir.file(".db.tbr.lock"), Raw(""));  // left by one that never unlocked
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t pid = ::fork();
    if (pid == 0) {
        DatabaseLock lock;
        const char c = lock.TryLock(db) == Result::Acquired ? 'y' : 'n';
        [[maybe_unused]] const ssize_t w = ::write(ready[1], &c, 1);
        ::pause();
        ::_exit(0);
    }
    char c = 0;
    ASSERT_EQ(::read(ready[0], &c, 1), 1);
    EXPECT_EQ(c, 'y');
    DatabaseLock mine;
    EXPECT_EQ(mine.TryLock(db), Result::HeldByAnother);
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    EXPECT_EQ(mine.TryLock(db), Result::Acquired);
    ::close(ready[0]);
    ::close(ready[1]);
}

TEST(DatabaseLock, MovesAndSwitchesDatabases) {
    TempDir dir;
    DatabaseLock a;
    ASSERT_EQ(a.TryLock(dir.file("one.tbr")), Result::Acquired);
    DatabaseLock b(std::move(a));
    EXPECT_FALSE(a.Locked());  // NOLINT(bugprone-use-after-move): moved from on purpose
    EXPECT_TRUE(b.Locked());
    DatabaseLock other;
    EXPECT_EQ(other.TryLock(dir.file("one.tbr")), Result::HeldByAnother);
    ASSERT_EQ(b.TryLock(dir.file("two.tbr")), Result::Acquired);  // lets go of one
    EXPECT_EQ(other.TryLock(dir.file("one.tbr")), Result::Acquired);
    DatabaseLock c;
    c = std::move(b);
    EXPECT_TRUE(c.Locked());
    EXPECT_EQ(DatabaseLock().TryLock(dir.file("two.tbr")), Result::HeldByAnother);
}

// Processes that take and give back the lock as fast as they can, each
// counting itself in while it holds it: never two at once, although every
// unlock removes the lock file that the others are opening.
TEST(DatabaseLock, NeverTwoHoldersUnderContention) {
    TempDir dir;
    const std::string db = dir.file("db.tbr");
    auto* shared = static_cast<std::atomic<int>*>(::mmap(nullptr, 2 * sizeof(std::atomic<int>),
                                                         PROT_READ | PROT_WRITE,
                                                         MAP_SHARED | MAP_ANONYMOUS, -1, 0));
    ASSERT_NE(shared, MAP_FAILED);
    std::atomic<int>& holders = shared[0];
    std::atomic<int>& overlaps = shared[1];
    holders = 0;
    overlaps = 0;
    std::vector<pid_t> children;
    for (int p = 0; p < 3; ++p) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(700);
            int held = 0;
            while (std::chrono::steady_clock::now() < until) {
                DatabaseLock lock;
                if (lock.TryLock(db) == Result::Acquired) {
                    if (holders.fetch_add(1) != 0) {
                        overlaps.fetch_add(1);
                    }
                    std::this_thread::sleep_for(std::chrono::microseconds(50));
                    holders.fetch_sub(1);
                    ++held;
                }
            }
            ::_exit(held > 0 ? 0 : 1);
        }
        children.push_back(pid);
    }
    int succeeded = 0;
    for (const pid_t pid : children) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        succeeded += WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 1 : 0;
    }
    EXPECT_EQ(overlaps.load(), 0);
    EXPECT_GE(succeeded, 1);
    ::munmap(shared, 2 * sizeof(std::atomic<int>));
    EXPECT_TRUE(Listing(dir.path()).empty());
}

}  // namespace
