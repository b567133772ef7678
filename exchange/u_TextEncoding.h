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

// Every byte has a character: the five bytes Windows-1250 leaves unassigned
// become the control characters of the same value.
QString DecodeWindows1250(QByteArrayView bytes);

enum class TextEncoding { Windows1250, Utf8 };

// UTF-8 when bytes start with the UTF-8 byte-order mark, or when they are
// valid UTF-8 and hold at least one non-ASCII byte; Windows-1250 otherwise.
TextEncoding DetectTextEncoding(QByteArrayView bytes);

// Decodes bytes by DetectTextEncoding, dropping a UTF-8 byte-order mark.
QString DecodeDetected(QByteArrayView bytes);
