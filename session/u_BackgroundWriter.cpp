#include "session/u_BackgroundWriter.h"

#include <QCoreApplication>

#include <exception>
#include <utility>

TBackgroundWriter::TBackgroundWriter(QObject* parent)
    : QObject(parent),
      writeFunction_([](const quib::QuibSnapshot& snapshot, const std::string& path) {
          snapshot.SaveTo(path);
      }),
      thread_([this] { run(); }) {}

TBackgroundWriter::~TBackgroundWriter() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void TBackgroundWriter::Request(quib::QuibSnapshot snapshot, const QString& path, Check check) {
    {
        const std::lock_guard lock(mutex_);
        // Only the newest state matters: it replaces a write still waiting.
        // An overwrite the user asked for stays one.
        if (pending_ && pending_->path == path.toStdString() &&
            pending_->check == Check::Overwrite) {
            check = Check::Overwrite;
        }
        pending_ = TJob{std::move(snapshot), path.toStdString(), check};
    }
    wake_.notify_all();
    emit writeRequested(path);
}

void TBackgroundWriter::SetKnownFile(const QString& path, std::optional<TFileStamp> stamp) {
    const std::lock_guard lock(mutex_);
    knownPath_ = path.toStdString();
    knownStamp_ = stamp;
    lastProblem_.clear();
}

QString TBackgroundWriter::LastProblem() const {
    const std::lock_guard lock(mutex_);
    return lastProblem_;
}

QString TBackgroundWriter::ChangedOnDiskText() {
    return QCoreApplication::translate(
        "TBackgroundWriter", "The database was changed by another program since it was opened.");
}

void TBackgroundWriter::WaitUntilIdle() {
    {
        std::unique_lock lock(mutex_);
        idle_.wait(lock, [this] { return !pending_ && !writing_; });
    }
    deliverFailures();
}

bool TBackgroundWriter::Idle() const {
    const std::lock_guard lock(mutex_);
    return !pending_ && !writing_;
}

int TBackgroundWriter::WritesDone() const {
    const std::lock_guard lock(mutex_);
    return writesDone_;
}

void TBackgroundWriter::SetWriteFunction(TWriteFunction write) {
    const std::lock_guard lock(mutex_);
    writeFunction_ = std::move(write);
}

void TBackgroundWriter::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return pending_ || stopping_; });
        if (!pending_) {
            return;  // stopping, and nothing is left to write
        }
        TJob job = std::move(*pending_);
        pending_.reset();
        writing_ = true;
        lock.unlock();
        write(job);
        lock.lock();
        writing_ = false;
        ++writesDone_;
        if (!pending_) {
            idle_.notify_all();
        }
    }
}

bool TBackgroundWriter::fileIsKnown(const TJob& job) const {
    std::optional<TFileStamp> known;
    {
        const std::lock_guard lock(mutex_);
        if (job.check == Check::Overwrite || job.path != knownPath_ || !knownStamp_) {
            return true;
        }
        known = knownStamp_;
    }
    const std::optional<TFileStamp> now = TFileStamp::Of(job.path);
    // A file that is gone holds nothing to lose, and the engine refuses a
    // target that is no regular file with its own message.
    return !now || !now->regular || now == known;
}

void TBackgroundWriter::write(const TJob& job) {
    const QString path = QString::fromStdString(job.path);
    if (!fileIsKnown(job)) {
        fail({path, ChangedOnDiskText(), true});
        return;
    }
    TWriteFunction writeFunction;
    {
        const std::lock_guard lock(mutex_);
        writeFunction = writeFunction_;
    }
    QString message;
    try {
        writeFunction(job.snapshot, job.path);
        {
            // The file just written is the one the next write expects.
            const std::optional<TFileStamp> written = TFileStamp::Of(job.path);
            const std::lock_guard lock(mutex_);
            if (job.path == knownPath_) {
                knownStamp_ = written;
            }
            lastProblem_.clear();
        }
        QMetaObject::invokeMethod(
            this, [this, path] { emit writeSucceeded(path); }, Qt::QueuedConnection);
        return;
    } catch (const std::exception& e) {
        message = QString::fromUtf8(e.what());
    } catch (...) {
        message = QStringLiteral("Unknown error.");
    }
    fail({path, message, false});
}

void TBackgroundWriter::fail(TFailure failure) {
    {
        const std::lock_guard lock(mutex_);
        lastProblem_ = failure.message;
        failures_.push_back(std::move(failure));
    }
    // The owner's thread tells the user; this thread never shows anything.
    QMetaObject::invokeMethod(
        this, [this] { deliverFailures(); }, Qt::QueuedConnection);
}

void TBackgroundWriter::deliverFailures() {
    std::vector<TFailure> failures;
    {
        const std::lock_guard lock(mutex_);
        failures.swap(failures_);
    }
    for (const TFailure& failure : failures) {
        if (failure.changedOnDisk) {
            emit changedOnDisk(failure.path);
        } else {
            emit writeFailed(failure.path, failure.message);
        }
    }
}
