#include "exchange/u_VCardLines.h"

#include "exchange/u_VCardReader.h"

#include <QCoreApplication>

#include <cstring>

bool TVCardLines::refill() {
    if (ended_) {
        return false;
    }
    if (keep_ > 0) {
        std::memmove(buffer_.data(), buffer_.constData() + keep_, size_ - keep_);
        size_ -= keep_;
        pos_ -= keep_;
        pendingAt_ -= keep_;
        keep_ = 0;
    }
    if (buffer_.size() - size_ < kVCardPieceBytes) {
        buffer_.resize(size_ + kVCardPieceBytes);
    }
    const qsizetype n = source_(buffer_.data() + size_, buffer_.size() - size_);
    if (n == 0) {
        ended_ = true;
        return false;
    }
    size_ += n;
    return true;
}

bool TVCardLines::fetch() {
    qsizetype end = pos_;
    for (;;) {
        // Read through a const pointer: indexing the buffer itself would
        // check for sharing at every byte. A refill may move the bytes.
        const char* const bytes = buffer_.constData();
        // CR and LF lie below every printable byte: most bytes are passed
        // with one comparison.
        while (end < size_ && (static_cast<unsigned char>(bytes[end]) > '\r' ||
                               (bytes[end] != '\r' && bytes[end] != '\n'))) {
            ++end;
        }
        // A CR at the end of what is read may be followed by an LF.
        if ((end < size_ - 1 || (end < size_ && buffer_[end] == '\n')) || ended_) {
            break;
        }
        if (end - pos_ > TVCardReader::kMaxLineBytes) {
            throw EVCardError(
                number_ + 1, QCoreApplication::translate(
                                 "TVCardReader", "Line %1 of the vCard file is longer than 16 MiB.")
                                 .arg(number_ + 1));
        }
        const qsizetype scanned = end - pos_;
        if (!refill()) {
            end = pos_ + scanned;
            break;
        }
        end = pos_ + scanned;
    }
    if (pos_ >= size_) {
        return false;
    }
    pendingAt_ = pos_;
    pendingSize_ = end - pos_;
    pendingNumber_ = ++number_;
    havePending_ = true;
    if (end < size_ && buffer_[end] == '\r') {
        ++end;
    }
    if (end < size_ && buffer_[end] == '\n') {
        ++end;
    }
    pos_ = end;
    return true;
}

bool TVCardLines::quotedPrintable(QByteArrayView line) {
    if (colon_ < 0) {
        colon_ = line.indexOf(':', scanned_);
        scanned_ = line.size();
        if (colon_ < 0) {
            return false;
        }
        quoted_ =
            QByteArrayView(line).first(colon_).toByteArray().toUpper().contains("QUOTED-PRINTABLE");
    }
    return quoted_;
}

void TVCardLines::append(QByteArray& line, QByteArrayView piece, int lineNumber) const {
    if (line.size() + piece.size() > TVCardReader::kMaxLineBytes) {
        throw EVCardError(lineNumber,
                          QCoreApplication::translate(
                              "TVCardReader", "Line %1 of the vCard file is longer than 16 MiB.")
                              .arg(lineNumber));
    }
    line.append(piece);
}

bool TVCardLines::Next(QByteArrayView& line, int& lineNumber) {
    // What the previous line showed is no longer needed.
    keep_ = havePending_ ? pendingAt_ : pos_;
    if (!havePending_ && !fetch()) {
        return false;
    }
    // Most lines stand alone: they are handed out where they lie. The first
    // physical line stays in the buffer while the next one is looked at; a
    // refill moves it with everything from keep_ on, so it is found there.
    const qsizetype firstSize = pendingSize_;
    keep_ = pendingAt_;
    lineNumber = pendingNumber_;
    havePending_ = false;
    colon_ = -1;
    scanned_ = 0;
    bool joined = false;
    while (fetch()) {
        const QByteArrayView next = pending();
        const bool folded = next.startsWith(' ') || next.startsWith('\t');
        if (!folded) {
            const QByteArrayView current =
                joined ? QByteArrayView(joined_) : QByteArrayView(buffer_).sliced(keep_, firstSize);
            if (!current.endsWith('=') || !quotedPrintable(current)) {
                break;
            }
        }
        if (!joined) {
            joined_.clear();
            append(joined_, QByteArrayView(buffer_).sliced(keep_, firstSize), lineNumber);
            joined = true;
        }
        if (folded) {
            append(joined_, next.sliced(1), lineNumber);
        } else {
            joined_.chop(1);  // a soft line break of quoted-printable text
            append(joined_, next, lineNumber);
        }
        havePending_ = false;
        keep_ = pos_;  // the lines so far are in joined_
    }
    line = joined ? QByteArrayView(joined_) : QByteArrayView(buffer_).sliced(keep_, firstSize);
    if (line.size() > TVCardReader::kMaxLineBytes) {
        throw EVCardError(lineNumber,
                          QCoreApplication::translate(
                              "TVCardReader", "Line %1 of the vCard file is longer than 16 MiB.")
                              .arg(lineNumber));
    }
    return true;
}
