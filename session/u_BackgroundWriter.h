#pragma once

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
class TBackgroundWriter : public QObject {
    Q_OBJECT

  public:
    // How one picture is written to one path; raises on failure.
    using TWriteFunction = std::function<void(const quib::QuibSnapshot&, const std::string&)>;

    explicit TBackgroundWriter(QObject* parent = nullptr);
    // Finishes the writes asked for before it goes (never drops one).
    ~TBackgroundWriter() override;
    TBackgroundWriter(const TBackgroundWriter&) = delete;
    TBackgroundWriter& operator=(const TBackgroundWriter&) = delete;

    // Asks for snapshot to be written to path.
    void Request(quib::QuibSnapshot snapshot, const QString& path);
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
    // A write was asked for (emitted by Request, on the owner's thread).
    void writeRequested(const QString& path);
    // A write reached the disk (on the owner's thread, shortly after).
    void writeSucceeded(const QString& path);

  private:
    struct TJob {
        quib::QuibSnapshot snapshot;
        std::string path;
    };
    struct TFailure {
        QString path;
        QString message;
    };

    void run();
    void write(const TJob& job);
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
    std::thread thread_;  // last: it starts once everything above exists
};
