#pragma once

#include <string>

namespace quib {

// An advisory lock on a database file, so that two programs do not both
// write it: the one that holds the lock may change the file; another that
// finds it held should open the file read-only, or refuse, and say so.
// The engine itself takes no lock; a host (and the quib tool, for each
// command that writes) takes one for as long as it may save.
//
// The lock is an exclusive flock(2) on a separate file beside the database,
// ".NAME.lock" (NAME the database's file name; through symbolic links, beside
// the file they point to). Not the database file itself: every save replaces
// that file by renaming a new one over it, and a lock on the old file would
// be left on a file nobody opens any more. The lock file is never renamed,
// so the lock holds across any number of saves. It is removed on Unlock (a
// holder that dies leaves it behind, unlocked and harmless); a lock taken on
// a lock file that was removed in the meantime is noticed and taken again.
//
// Advisory: it keeps out only programs that ask for it. Held per object:
// a second DatabaseLock on the same file, in this process or another, finds
// it held. Not thread-safe; the lock is released when the object goes.
class DatabaseLock {
  public:
    enum class Result {
        Acquired,       // this object holds the lock now
        HeldByAnother,  // another holder has it; nothing changed
        Unavailable,    // no lock file can be made or locked there (a
                        // read-only folder, a name without a file part, a
                        // loop of links, a file system without locks)
    };

    DatabaseLock() = default;
    ~DatabaseLock();
    DatabaseLock(const DatabaseLock&) = delete;
    DatabaseLock& operator=(const DatabaseLock&) = delete;
    DatabaseLock(DatabaseLock&& other) noexcept;
    DatabaseLock& operator=(DatabaseLock&& other) noexcept;

    // Takes the lock of the database at databasePath without waiting. A
    // lock this object held on another database is released first; asking
    // again for the one it holds gives Acquired.
    Result TryLock(const std::string& databasePath);
    // Releases the lock (and removes the lock file); nothing when none is held.
    void Unlock();
    bool Locked() const { return fd_ >= 0; }

    // The lock file of a database: ".NAME.lock" beside it, through links;
    // empty for a name without a file part or a loop of links.
    static std::string LockFileOf(const std::string& databasePath);

  private:
    int fd_ = -1;
    std::string databasePath_;
    std::string lockPath_;
};

}  // namespace quib
