#pragma once

#include "session/u_FileStamp.h"

#include <quib/QuibSnapshot.h>

#include <QObject>
#include <QString>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// Writes pictures of the open database to its file on a thread of its own, so
// that a keystroke that saves the file returns before the file is written.
// A write asked for while another one runs waits; a later request replaces
// the waiting one, so a burst of saves ends in one more write of the newest
// state. Every write is the engine's atomic save: a failed one leaves the old
// file whole and is announced through writeFailed on the owner's thread.
//
// Before each write the writer looks at the file on disk: when it is no
// longer the file the owner read or last wrote (SetKnownFile), another
// program changed it, and the write is held back and announced through
// changedOnDisk instead, unless it was asked for as an overwrite. A file
// that is gone, or that is no regular file, holds nothing to lose: the
// write goes ahead (and the engine refuses what it cannot replace). The look
// is taken by the writing thread just before it writes, so a change made
// while earlier writes waited is seen too; one made during a write itself
// is not (programs that take the lock cannot make one).
class TBackgroundWriter : public QObject {
    Q_OBJECT

  public:
    // How one picture is written to one path; raises on failure.
    using TWriteFunction = std::function<void(const quib::QuibSnapshot&, const std::string&)>;

    // Whether a write looks at the file on disk first.
    enum class Check {
        IfUnchanged,  // held back when another program changed the file
        Overwrite,    // written whatever is there (the user said so)
    };

    explicit TBackgroundWriter(QObject* parent = nullptr);
    // Finishes the writes asked for before it goes (never drops one).
    ~TBackgroundWriter() override;
    TBackgroundWriter(const TBackgroundWriter&) = delete;
    TBackgroundWriter& operator=(const TBackgroundWriter&) = delete;

    // Asks for snapshot to be written to path.
    void Request(quib::QuibSnapshot snapshot, const QString& path,
                 Check check = Check::IfUnchanged);
    // The file at path as the owner read or wrote it (none: nothing to
    // compare with, the next write goes ahead). Forgets the last problem.
    // Call it while the writer is idle.
    void SetKnownFile(const QString& path, std::optional<TFileStamp> stamp);
    // Why the newest write asked for is not on disk (its failure, or that
    // it was held back); empty when it was written or none was asked for.
    QString LastProblem() const;
    // The text of a write held back because another program changed the file.
    static QString ChangedOnDiskText();
    // Blocks until every write asked for is done, then announces the
    // failures not yet announced.
    void WaitUntilIdle();
    bool Idle() const;
    // Writes finished so far, failed ones included.
    int WritesDone() const;

    // Replaces how pictures are written (tests hold or slow a write this way).
    void SetWriteFunction(TWriteFunction write);

  signals:
    // A write failed; message is the engine's text. The file was not changed.
    void writeFailed(const QString& path, const QString& message);
    // A write to path was held back: another program changed the file since
    // it was read or written here. Nothing was written.
    void changedOnDisk(const QString& path);
    // A write was asked for (emitted by Request, on the owner's thread).
    void writeRequested(const QString& path);
    // A write reached the disk (on the owner's thread, shortly after).
    void writeSucceeded(const QString& path);

  private:
    struct TJob {
        quib::QuibSnapshot snapshot;
        std::string path;
        Check check = Check::IfUnchanged;
    };
    struct TFailure {
        QString path;
        QString message;
        bool changedOnDisk = false;
    };

    void run();
    void write(const TJob& job);
    // False when job must be held back (the file on disk is another one).
    bool fileIsKnown(const TJob& job) const;
    void fail(TFailure failure);
    void deliverFailures();

    mutable std::mutex mutex_;
    std::condition_variable wake_;  // the thread waits here for work or the end
    std::condition_variable idle_;  // WaitUntilIdle waits here
    std::optional<TJob> pending_;
    bool writing_ = false;
    bool stopping_ = false;
    int writesDone_ = 0;
    std::vector<TFailure> failures_;
    TWriteFunction writeFunction_;
    std::string knownPath_;
    std::optional<TFileStamp> knownStamp_;
    QString lastProblem_;
    std::thread thread_;  // last: it starts once everything above exists
};
