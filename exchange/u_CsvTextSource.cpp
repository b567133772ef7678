#include "exchange/u_CsvTextSource.h"

#include "support/u_ExchangeError.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

constexpr qint64 kPieceBytes = 64 * 1024;
constexpr QChar kCtrlZ = u'\x1A';

QString tr(const char* text) {
    return QCoreApplication::translate("TCsvTextSource", text);
}

}  // namespace

TCsvTextSource::TCsvTextSource(const QString& fileName) : fileName_(fileName), file_(fileName) {
    open();
    detectEncoding();
    Rewind();
}

TCsvTextSource::TCsvTextSource(const QString& fileName, TextEncoding encoding, qint64 from,
                               qint64 to)
    : fileName_(fileName), file_(fileName), encoding_(encoding), start_(from), limit_(to) {
    open();
    Rewind();
}

void TCsvTextSource::open() {
    const QString& fileName = fileName_;
    if (fileName.isEmpty()) {
        throw EExchangeError(tr("No source CSV file has been chosen."));
    }
    // A device or pipe has no end to read up to.
    const QFileInfo info(fileName);
    if (info.exists() && !info.isFile()) {
        throw EExchangeError(tr("\"%1\" is not a file that can be imported.").arg(fileName));
    }
    if (!file_.open(QIODevice::ReadOnly)) {
        throw EExchangeError(
            tr("The file \"%1\" cannot be opened: %2").arg(fileName, file_.errorString()));
    }
}

QByteArray TCsvTextSource::readBytes() {
    qint64 wanted = kPieceBytes;
    if (limit_ >= 0) {
        wanted = qBound<qint64>(0, limit_ - file_.pos(), kPieceBytes);
        if (wanted == 0) {
            return QByteArray();
        }
    }
    QByteArray bytes = file_.read(wanted);
    if (file_.error() != QFileDevice::NoError) {
        throw EExchangeError(
            tr("The file \"%1\" cannot be read: %2").arg(fileName_, file_.errorString()));
    }
    return bytes;
}

void TCsvTextSource::detectEncoding() {
    const QByteArray start = readBytes();
    start_ = ByteOrderMark(start, encoding_);
    if (start_ > 0) {
        return;
    }
    // Judged over the whole file, piece by piece: one broken sequence
    // anywhere makes it Windows-1250, and so does UTF-8 that gives no
    // character Windows-1250 has, as a file this program wrote may happen
    // to be ("Čš").
    TUtf8Validator validator;
    for (QByteArray bytes = start; !bytes.isEmpty() && !validator.Broken(); bytes = readBytes()) {
        validator.Feed(bytes);
    }
    encoding_ = LooksLikeUtf8(validator) ? TextEncoding::Utf8 : TextEncoding::Windows1250;
}

void TCsvTextSource::Rewind() {
    if (!file_.seek(start_)) {
        throw EExchangeError(
            tr("The file \"%1\" cannot be read: %2").arg(fileName_, file_.errorString()));
    }
    bytesRead_ = 0;
    ended_ = false;
    endedAtCtrlZ_ = false;
    switch (encoding_) {
        case TextEncoding::Utf8:
            decoder_.emplace(QStringDecoder::Utf8);
            break;
        case TextEncoding::Utf16LE:
            decoder_.emplace(QStringDecoder::Utf16LE);
            break;
        case TextEncoding::Utf16BE:
            decoder_.emplace(QStringDecoder::Utf16BE);
            break;
        case TextEncoding::Windows1250:
            decoder_.reset();
            break;
    }
}

void TCsvTextSource::checkUtf16End() const {
    if (encoding_ != TextEncoding::Utf16LE && encoding_ != TextEncoding::Utf16BE) {
        return;
    }
    if (bytesRead_ % 2 != 0 || decoder_->hasError()) {
        throw EExchangeError(tr("The file \"%1\" starts with a UTF-16 byte-order mark but is "
                                "not valid UTF-16 text.")
                                 .arg(fileName_));
    }
}

bool TCsvTextSource::ReadPiece(QString& piece) {
    while (!ended_) {
        const QByteArray bytes = readBytes();
        if (bytes.isEmpty()) {
            ended_ = true;
            checkUtf16End();
            break;
        }
        bytesRead_ += bytes.size();
        piece = decoder_ ? decoder_->decode(bytes) : DecodeWindows1250(bytes);
        const qsizetype end = piece.indexOf(kCtrlZ);
        if (end >= 0) {
            piece.truncate(end);
            ended_ = true;
            endedAtCtrlZ_ = true;
        }
        if (!piece.isEmpty()) {
            return true;
        }
    }
    piece.clear();
    return false;
}
