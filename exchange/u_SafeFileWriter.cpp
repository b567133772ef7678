#include "exchange/u_SafeFileWriter.h"

#include "exchange/u_ExchangeError.h"

#include <QCoreApplication>

namespace {

constexpr qsizetype kBufferBytes = 256 * 1024;

QString tr(const char* text) {
    return QCoreApplication::translate("TSafeFileWriter", text);
}

}  // namespace

TSafeFileWriter::TSafeFileWriter(const QString& fileName, const TWriteFaults& faults)
    : fileName_(fileName), faults_(faults), file_(fileName) {
    if (fileName.trimmed().isEmpty()) {
        throw EExchangeError(tr("No destination file has been given."));
    }
    if (!file_.open(QIODevice::WriteOnly)) {
        throw EExchangeError(
            tr("The file \"%1\" cannot be created: %2").arg(fileName, file_.errorString()));
    }
    buffer_.reserve(kBufferBytes);
}

// An uncommitted QSaveFile removes its temporary file when destroyed.
TSafeFileWriter::~TSafeFileWriter() = default;

void TSafeFileWriter::fail(const QString& reason) {
    file_.cancelWriting();
    throw EExchangeError(tr("The file \"%1\" cannot be written: %2").arg(fileName_, reason));
}

void TSafeFileWriter::flushBuffer() {
    QByteArrayView bytes(buffer_);
    if (faults_.failAfterBytes >= 0 && written_ + bytes.size() > faults_.failAfterBytes) {
        // Let the part up to the fault reach the temporary file, as a full
        // disk would.
        const qint64 part = faults_.failAfterBytes - written_;
        file_.write(bytes.first(part).data(), part);
        fail(tr("No space left on device"));
    }
    if (file_.write(bytes.data(), bytes.size()) != bytes.size()) {
        fail(file_.errorString());
    }
    written_ += bytes.size();
    buffer_.clear();
}

void TSafeFileWriter::Write(QByteArrayView bytes) {
    buffer_.append(bytes);
    if (buffer_.size() >= kBufferBytes) {
        flushBuffer();
    }
}

void TSafeFileWriter::Commit() {
    flushBuffer();
    if (faults_.failCommit) {
        fail(tr("Input/output error"));
    }
    if (!file_.commit()) {
        fail(file_.errorString());
    }
}
