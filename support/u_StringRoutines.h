#pragma once

#include <QDateTime>
#include <QString>

#include <cstdint>

// Reads the token of S that starts at the 1-based position Pos and ends before
// the next Sep. Pos moves past the separator; without a further separator the
// token is the rest of S, Pos becomes S.size() + 1 and the result is false.
bool NextToken(const QString& S, const QString& Sep, qsizetype& Pos, QString& Token);

// A decimal number, or a hexadecimal one introduced by "$", "x", "X", "0x" or
// "0X", after optional leading spaces and an optional sign, with nothing after
// it and within the 64-bit range. Anything else gives Default when UseDefault
// is set and throws std::runtime_error otherwise.
int64_t ParseInt64(const QString& S, bool UseDefault = false, int64_t Default = 0);

// Orders two dotted versions by their components as numbers from the left;
// the comparison ends with the shorter one ("2.7" equals "2.7.0.27"). Only the
// sign of the result counts.
int CompareVersions(const QString& A, const QString& B);

// CompareVersions of the running program's version against V.
int CompareWithRunningVersion(const QString& V);

// The link time of a file as a date-time without any time-zone conversion.
// For the running program it is the build's time; for another file its last
// modification. Throws std::runtime_error when the file cannot be read.
QDateTime FileLinkTime(const QString& FileName);
QDateTime RunningLinkTime();

// The program-wide default date and time formats: date separator ".", time
// separator ":", dates "dd.mm.yyyy", times "hh:nn:ss".
inline constexpr auto ShortDateFormat = "dd.mm.yyyy";
inline constexpr auto LongTimeFormat = "hh:nn:ss";

// Formats with the classic pattern letters: d dd (day), m mm (month), yy yyyy
// (year), h hh (hour), n nn (minute), s ss (second), text in quotes kept.
QString FormatDateTime(const QString& Format, const QDateTime& Value);
QString DateToStr(const QDate& Value);
QString TimeToStr(const QTime& Value);
QString DateTimeToStr(const QDateTime& Value);
