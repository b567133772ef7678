#include "support/u_AtomicFileWriter.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

constexpr qsizetype kBufferBytes = 256 * 1024;

QString tr(const char* text) {
    return QCoreApplication::translate("TAtomicFileWriter", text);
}

}  // namespace

TWriteFaults& DefaultWriteFaults() {
    static TWriteFaults faults;
    return faults;
}

TAtomicFileWriter::TAtomicFileWriter(const QString& fileName, const TWriteFaults& faults)
    : faults_(faults), file_(fileName) {
    // A folder of that name is never replaced by a file.
    if (QFileInfo(fileName).isDir()) {
        error_ = tr("Is a directory");
        return;
    }
    // Unbuffered: a write that fails at the device must fail here. Bytes left
    // in the device's own buffer would go out in commit(), which renames the
    // file even when that last flush fails.
    open_ = file_.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    if (!open_) {
        error_ = file_.errorString();
        return;
    }
    buffer_.reserve(kBufferBytes);
}

// An uncommitted QSaveFile removes its temporary file when destroyed.
TAtomicFileWriter::~TAtomicFileWriter() = default;

bool TAtomicFileWriter::fail(const QString& reason) {
    if (open_) {
        file_.cancelWriting();
        open_ = false;
    }
    error_ = reason;
    return false;
}

bool TAtomicFileWriter::flushBuffer() {
    const QByteArrayView bytes(buffer_);
    if (faults_.failAfterBytes >= 0 && written_ + bytes.size() > faults_.failAfterBytes) {
        // Let the part up to the fault reach the temporary file, as a full
        // disk would.
        const qint64 part = faults_.failAfterBytes - written_;
        file_.write(bytes.first(part).data(), part);
        return fail(tr("No space left on device"));
    }
    if (file_.write(bytes.data(), bytes.size()) != bytes.size()) {
        return fail(file_.errorString());
    }
    written_ += bytes.size();
    buffer_.clear();
    return true;
}

bool TAtomicFileWriter::Write(QByteArrayView bytes) {
    if (!open_) {
        return false;
    }
    buffer_.append(bytes);
    return buffer_.size() < kBufferBytes || flushBuffer();
}

bool TAtomicFileWriter::Commit() {
    if (!open_ || !flushBuffer()) {
        return false;
    }
    if (faults_.failCommit) {
        return fail(tr("Input/output error"));
    }
    if (!file_.commit()) {
        open_ = false;
        error_ = file_.errorString();
        return false;
    }
    open_ = false;
    return true;
}

bool WriteFileAtomically(const QString& fileName, QByteArrayView bytes, QString& reason) {
    TAtomicFileWriter file(fileName);
    if (file.Write(bytes) && file.Commit()) {
        return true;
    }
    reason = file.ErrorString();
    return false;
}
