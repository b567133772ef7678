#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <functional>

// Where the bytes of a file come from, piece by piece: read(to, max) puts
// up to max bytes at to and returns how many, 0 at the end.
using TVCardByteSource = std::function<qsizetype(char* to, qsizetype max)>;

// What is read at once; a line longer than this makes the buffer grow, up
// to the bound of a line.
inline constexpr qsizetype kVCardPieceBytes = 1024 * 1024;

// Hands out the logical lines of a vCard file: physical lines joined with their
// continuation lines. The bytes are read piece by piece; the buffer keeps
// the physical line a logical one begins with (lines that join it are
// copied), so that it holds at most a line and a piece.
class TVCardLines {
  public:
    explicit TVCardLines(TVCardByteSource source) : source_(std::move(source)) {}

    // The next logical line and the number of the physical line it began
    // on; false at the end. The line stays valid until the next call.
    bool Next(QByteArrayView& line, int& lineNumber);

  private:
    bool fetch();
    // Reads another piece, keeping the bytes from keep_ on; false at the end.
    bool refill();
    QByteArrayView pending() const {
        return QByteArrayView(buffer_).sliced(pendingAt_, pendingSize_);
    }
    bool quotedPrintable(QByteArrayView line);
    void append(QByteArray& line, QByteArrayView piece, int lineNumber) const;

    TVCardByteSource source_;
    QByteArray buffer_;
    qsizetype size_ = 0;  // bytes of buffer_ in use
    qsizetype pos_ = 0;   // where the next physical line begins
    qsizetype keep_ = 0;  // the first byte still shown
    bool ended_ = false;
    int number_ = 0;
    qsizetype pendingAt_ = 0;
    qsizetype pendingSize_ = 0;
    int pendingNumber_ = 0;
    bool havePending_ = false;
    // Where the current logical line's colon is, found once.
    qsizetype colon_ = -1;
    qsizetype scanned_ = 0;
    bool quoted_ = false;
    QByteArray joined_;  // a line made of several physical lines
};
