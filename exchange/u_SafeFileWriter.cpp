#include "exchange/u_SafeFileWriter.h"

#include "support/u_ExchangeError.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("TSafeFileWriter", text);
}

}  // namespace

TSafeFileWriter::TSafeFileWriter(const QString& fileName, const TWriteFaults& faults)
    : fileName_(CheckedName(fileName)), file_(fileName, faults) {
    if (!file_.IsOpen()) {
        // A file that is there but may not be replaced (a FIFO, a device, a
        // loop of links) cannot be written; a missing one cannot be created.
        const QFileInfo info(fileName);
        if (info.exists() || info.isSymLink()) {
            fail();
        }
        throw EExchangeError(
            tr("The file \"%1\" cannot be created: %2").arg(fileName, file_.ErrorString()));
    }
}

// Before anything is created: a blank name would make a temporary file in
// the working folder.
const QString& TSafeFileWriter::CheckedName(const QString& fileName) {
    if (fileName.trimmed().isEmpty()) {
        throw EExchangeError(tr("No destination file has been given."));
    }
    return fileName;
}

void TSafeFileWriter::fail() {
    throw EExchangeError(
        tr("The file \"%1\" cannot be written: %2").arg(fileName_, file_.ErrorString()));
}

void TSafeFileWriter::Write(QByteArrayView bytes) {
    if (!file_.Write(bytes)) {
        fail();
    }
}

void TSafeFileWriter::Commit() {
    if (!file_.Commit()) {
        fail();
    }
}
