#pragma once

#include "support/u_TextEncoding.h"

#include <QFile>
#include <QString>
#include <QStringDecoder>

#include <optional>

// The decoded text of a CSV file, handed out in pieces so that a file of any
// size is read with a small buffer. The encoding is chosen once when the file
// is opened: a byte-order mark (UTF-8, UTF-16 LE or BE) names it; else a file
// whose bytes look like UTF-8 (LooksLikeUtf8) is UTF-8; any other is
// Windows-1250. A Ctrl+Z character (0x1A) ends the text.
class TCsvTextSource {
  public:
    // Opens fileName and judges its encoding. Raises EExchangeError when it
    // cannot be opened or read, or is not a plain file.
    explicit TCsvTextSource(const QString& fileName);
    // The text of the bytes from from up to to of fileName in encoding, as
    // judged for the whole file (a part of a file read on its own: from and
    // to lie where characters begin).
    TCsvTextSource(const QString& fileName, TextEncoding encoding, qint64 from, qint64 to);
    TCsvTextSource(const TCsvTextSource&) = delete;
    TCsvTextSource& operator=(const TCsvTextSource&) = delete;

    // The next piece of text (never empty); false at the end. Raises
    // EExchangeError when the file cannot be read or a UTF-16 file is broken.
    bool ReadPiece(QString& piece);
    // Starts again at the beginning of the text.
    void Rewind();

    TextEncoding Encoding() const noexcept { return encoding_; }
    // Where the text begins (after a byte-order mark) and the file's size.
    qint64 TextStart() const noexcept { return start_; }
    qint64 FileSize() const { return file_.size(); }
    // Whether a Ctrl+Z ended the text before the end of the bytes.
    bool EndedAtCtrlZ() const noexcept { return endedAtCtrlZ_; }

  private:
    void open();
    void detectEncoding();
    QByteArray readBytes();
    void checkUtf16End() const;

    QString fileName_;
    QFile file_;
    TextEncoding encoding_ = TextEncoding::Windows1250;
    qint64 start_ = 0;   // after the byte-order mark, or where the part begins
    qint64 limit_ = -1;  // where the part ends; -1: the file's end
    qint64 bytesRead_ = 0;
    std::optional<QStringDecoder> decoder_;
    bool ended_ = false;
    bool endedAtCtrlZ_ = false;
};
