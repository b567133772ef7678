#pragma once

#include <string>

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

// The text rules of vCard files (RFC 6350, 2426 and 2.1) shared by the
// writer and the reader.
namespace VCardText {

// Escapes a value: backslash, comma and semicolon get a backslash, and every
// line break (CR LF, LF or a CR alone) becomes "\n".
QString Escape(QStringView value);

// Undoes Escape: "\n" and "\N" become LF, a backslash before any other
// character stands for that character, a backslash at the end stays.
QString Unescape(QStringView value);

// Splits an escaped value at the separators that are not escaped and
// unescapes each part.
QStringList SplitUnescape(QStringView value, QChar separator);

// Appends line with its CR LF to out, folded so that no physical line is
// longer than 75 octets: a continuation line starts with one space, and a
// UTF-8 sequence is never split.
void AppendFolded(QByteArray& out, QByteArrayView line);
void AppendFolded(std::string& out, QByteArrayView line);

// Decodes quoted-printable bytes ("=C3=A1" stands for two bytes). An "="
// that is not followed by two hex digits stays as it is.
QByteArray DecodeQuotedPrintable(QByteArrayView bytes);

}  // namespace VCardText
