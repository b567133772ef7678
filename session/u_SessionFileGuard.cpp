// Guarding the file against other programs: the lock of the open database
// and the writes held back because another program changed the file (see
// the class comment).

#include "session/u_ContactsSession.h"

#include "session/QUIBLib_TLB.h"
#include "session/u_BackgroundWriter.h"
#include "session/u_FileStamp.h"

#include <quib/QuibError.h>

#include <utility>

QString TContactsSession::UnsavedReason() const {
    return writer_->LastProblem();
}

void TContactsSession::knowFile() {
    writer_->SetKnownFile(DatabaseName(), TFileStamp::Of(DatabaseName().toStdString()));
}

void TContactsSession::heldBackWrite(const QString& path) {
    // The answer being given covers every write held back meanwhile.
    if (askingAboutDisk_) {
        return;
    }
    if (path != DatabaseName()) {
        emit saveFailed(path, TBackgroundWriter::ChangedOnDiskText());
        return;
    }
    struct TAsking {
        bool& flag;
        explicit TAsking(bool& f) : flag(f) { flag = true; }
        ~TAsking() { flag = false; }
        TAsking(const TAsking&) = delete;
        TAsking& operator=(const TAsking&) = delete;
    };
    diskChangeAnswered_ = false;
    {
        const TAsking asking(askingAboutDisk_);
        emit changedOnDisk(path);
    }
    if (!diskChangeAnswered_) {
        emit saveFailed(path, TBackgroundWriter::ChangedOnDiskText());
    }
}

void TContactsSession::AnswerChangedOnDisk(TDiskChangeAnswer answer, const QString& saveAsPath) {
    diskChangeAnswered_ = true;
    switch (answer) {
        case TDiskChangeAnswer::Reload:
            Reload();
            return;
        case TDiskChangeAnswer::SaveOver:
            // Written before the answer returns: the user waits for it.
            writer_->Request(quib_->TakeSnapshot(), DatabaseName(),
                             TBackgroundWriter::Check::Overwrite);
            FinishSaves();
            return;
        case TDiskChangeAnswer::SaveAs:
            SaveAs(saveAsPath);
            return;
    }
}

// --- The lock of the open database ----------------------------------------------

namespace {

QString inUseText(const QString& path, bool opening) {
    const QString text = opening ? TContactsSession::tr(
                                       "The database is in use by another program or by another "
                                       "window of this program, so it was not opened.\n\r"
                                       "Database File Name: %1\n\r\n\r"
                                       "Close it there, then open it again.")
                                 : TContactsSession::tr(
                                       "The database is in use by another program or by another "
                                       "window of this program, so it was not written.\n\r"
                                       "Database File Name: %1");
    return text.arg(path);
}

}  // namespace

bool TContactsSession::holdsLockOf(const QString& path) const {
    return lock_.Locked() && quib::DatabaseLock::LockFileOf(path.toStdString()) ==
                                 quib::DatabaseLock::LockFileOf(lockedPath_.toStdString());
}

std::optional<quib::DatabaseLock> TContactsSession::lockForWriting(const QString& path) const {
    if (holdsLockOf(path)) {
        return std::nullopt;
    }
    quib::DatabaseLock lock;
    // Where no lock can be taken (a read-only folder) the write itself
    // tells what is wrong.
    if (lock.TryLock(path.toStdString()) == quib::DatabaseLock::Result::HeldByAnother) {
        throw EQuibError(quib::errors::kFileCode, inUseText(path, false).toStdString());
    }
    return lock;
}

void TContactsSession::keepLock(std::optional<quib::DatabaseLock> lock, const QString& path) {
    if (lock) {
        // The lock of the file left behind goes with the assignment.
        lock_ = std::move(*lock);
        lockedPath_ = path;
    }
}

void TContactsSession::releaseLock() {
    lock_.Unlock();
    lockedPath_.clear();
}

bool TContactsSession::lockForOpening(const QString& path) {
    if (holdsLockOf(path)) {
        return true;
    }
    quib::DatabaseLock lock;
    if (lock.TryLock(path.toStdString()) == quib::DatabaseLock::Result::HeldByAnother) {
        emit openRefused(inUseText(path, true));
        return false;
    }
    keepLock(std::move(lock), path);
    return true;
}
