#include "session/u_BackgroundWriter.h"

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

void TBackgroundWriter::Request(quib::QuibSnapshot snapshot, const QString& path) {
    {
        const std::lock_guard lock(mutex_);
        // Only the newest state matters: it replaces a write still waiting.
        pending_ = TJob{std::move(snapshot), path.toStdString()};
    }
    wake_.notify_all();
    emit writeRequested(path);
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

void TBackgroundWriter::write(const TJob& job) {
    TWriteFunction writeFunction;
    {
        const std::lock_guard lock(mutex_);
        writeFunction = writeFunction_;
    }
    QString message;
    try {
        writeFunction(job.snapshot, job.path);
        QMetaObject::invokeMethod(
            this, [this, path = QString::fromStdString(job.path)] { emit writeSucceeded(path); },
            Qt::QueuedConnection);
        return;
    } catch (const std::exception& e) {
        message = QString::fromUtf8(e.what());
    } catch (...) {
        message = QStringLiteral("Unknown error.");
    }
    {
        const std::lock_guard lock(mutex_);
        failures_.push_back({QString::fromStdString(job.path), message});
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
        emit writeFailed(failure.path, failure.message);
    }
}
