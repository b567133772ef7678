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
    TCsvTextSource(const TCsvTextSource&) = delete;
    TCsvTextSource& operator=(const TCsvTextSource&) = delete;

    // The next piece of text (never empty); false at the end. Raises
    // EExchangeError when the file cannot be read or a UTF-16 file is broken.
    bool ReadPiece(QString& piece);
    // Starts again at the beginning of the text.
    void Rewind();

    TextEncoding Encoding() const noexcept { return encoding_; }

  private:
    void detectEncoding();
    QByteArray readBytes();
    void checkUtf16End() const;

    QString fileName_;
    QFile file_;
    TextEncoding encoding_ = TextEncoding::Windows1250;
    qint64 markSize_ = 0;
    qint64 bytesRead_ = 0;
    std::optional<QStringDecoder> decoder_;
    bool ended_ = false;
};
