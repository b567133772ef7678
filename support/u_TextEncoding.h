#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The single-byte code page of the program's files (Windows-1250, Central
// European) and the choice between it and UTF-8 for files that come from
// other programs. The code page table is the engine's (quib/CodePage.h).

// Appends text as Windows-1250 bytes to out; a character without a
// Windows-1250 form becomes "?".
void AppendWindows1250(QByteArray& out, QStringView text);
QByteArray EncodeWindows1250(QStringView text);
// The first character of text that has no Windows-1250 form (one code
// point; a lone surrogate counts as such); the empty text when none.
QString FirstNonWindows1250(QStringView text);

// Decodes UTF-8 into out, reusing its room: a reader of many texts
// allocates nothing once out has grown. A malformed sequence becomes U+FFFD.
void Utf8Into(QByteArrayView utf8, QString& out);

// Every byte has a character: the five bytes Windows-1250 leaves unassigned
// become the control characters of the same value.
QString DecodeWindows1250(QByteArrayView bytes);

enum class TextEncoding { Windows1250, Utf8, Utf16LE, Utf16BE };

// Checks piece by piece that bytes are valid UTF-8 and notes whether any byte
// is not ASCII, so that a file can be judged without holding it whole.
class TUtf8Validator {
  public:
    void Feed(QByteArrayView bytes);
    // Valid so far and no sequence left open at the end.
    bool Valid() const noexcept { return !broken_ && pending_ == 0; }
    bool Broken() const noexcept { return broken_; }
    bool SawNonAscii() const noexcept { return nonAscii_; }
    // Whether some character read is one Windows-1250 has above ASCII (a
    // letter such as "ř", a sign such as "€"). The bytes of a Windows-1250
    // text of Czech letters, where they happen to form UTF-8, only ever
    // give characters it lacks ("Čš" gives "Ț", "ěšť" gives "욝").
    bool SawWindows1250Character() const noexcept { return codePageCharacter_; }

  private:
    void endSequence();

    bool broken_ = false;
    bool nonAscii_ = false;
    bool codePageCharacter_ = false;
    int pending_ = 0;              // continuation bytes still expected
    char32_t codePoint_ = 0;       // the character being read
    unsigned char lowest_ = 0x80;  // the range the next continuation byte must fall in
    unsigned char highest_ = 0xBF;
};

// Whether bytes without a byte-order mark are taken for UTF-8: valid UTF-8
// with some character that Windows-1250 has above ASCII. Anything else,
// plain ASCII included, reads as Windows-1250 (the same text then).
bool LooksLikeUtf8(const TUtf8Validator& validator);

// The encoding a byte-order mark at the start of bytes names, and the mark's
// length; 0 when there is none.
qsizetype ByteOrderMark(QByteArrayView bytes, TextEncoding& encoding);

// The encoding of a byte-order mark at the start of bytes; else UTF-8 when
// they look like UTF-8 (LooksLikeUtf8); Windows-1250 otherwise.
TextEncoding DetectTextEncoding(QByteArrayView bytes);

// Decodes bytes by DetectTextEncoding, dropping a byte-order mark.
QString DecodeDetected(QByteArrayView bytes);
