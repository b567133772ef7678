#include "support/u_StringRoutines.h"

#include "support/u_OrvFileLib.h"

#include "BuildInfo.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <limits>
#include <optional>
#include <stdexcept>

bool NextToken(const QString& S, const QString& Sep, qsizetype& Pos, QString& Token) {
    const qsizetype from = std::max<qsizetype>(Pos, 1) - 1;
    const qsizetype at = Sep.isEmpty() ? -1 : S.indexOf(Sep, from);
    if (at < 0) {
        Token = from < S.size() ? S.mid(from) : QString();
        Pos = S.size() + 1;
        return false;
    }
    Token = S.mid(from, at - from);
    Pos = at + Sep.size() + 1;
    return true;
}

namespace {

int digitValue(QChar c, int base) {
    const char16_t u = c.unicode();
    int v = -1;
    if (u >= u'0' && u <= u'9') {
        v = u - u'0';
    } else if (u >= u'a' && u <= u'f') {
        v = u - u'a' + 10;
    } else if (u >= u'A' && u <= u'F') {
        v = u - u'A' + 10;
    }
    return v < base ? v : -1;
}

// The digits of S from i to the end as an unsigned magnitude; nothing when a
// character is not a digit, there are none, or the value passes limit.
std::optional<uint64_t> parseMagnitude(const QString& S, qsizetype i, int base, uint64_t limit) {
    if (i >= S.size()) {
        return std::nullopt;
    }
    uint64_t value = 0;
    for (; i < S.size(); ++i) {
        const int d = digitValue(S[i], base);
        if (d < 0 || value > (limit - static_cast<uint64_t>(d)) / static_cast<uint64_t>(base)) {
            return std::nullopt;
        }
        value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(d);
    }
    return value;
}

std::optional<int64_t> tryParseInt64(const QString& S) {
    qsizetype i = 0;
    while (i < S.size() && S[i] == u' ') {
        ++i;
    }
    bool negative = false;
    if (i < S.size() && (S[i] == u'-' || S[i] == u'+')) {
        negative = S[i] == u'-';
        ++i;
    }
    int base = 10;
    if (i < S.size() && (S[i] == u'$' || S[i] == u'x' || S[i] == u'X')) {
        base = 16;
        i += 1;
    } else if (i + 1 < S.size() && S[i] == u'0' && (S[i + 1] == u'x' || S[i + 1] == u'X')) {
        base = 16;
        i += 2;
    }
    constexpr uint64_t kMaxPositive = std::numeric_limits<int64_t>::max();
    // Hexadecimal texts may spell the full 64-bit pattern ($FFFFFFFFFFFFFFFF is -1).
    const uint64_t limit =
        base == 16 ? std::numeric_limits<uint64_t>::max() : kMaxPositive + (negative ? 1 : 0);
    const auto magnitude = parseMagnitude(S, i, base, limit);
    if (!magnitude) {
        return std::nullopt;
    }
    const auto bits = negative ? (~*magnitude + 1) : *magnitude;
    return static_cast<int64_t>(bits);
}

}  // namespace

int64_t ParseInt64(const QString& S, bool UseDefault, int64_t Default) {
    if (const auto value = tryParseInt64(S)) {
        return *value;
    }
    if (UseDefault) {
        return Default;
    }
    QString message =
        QStringLiteral("Given string (%OrigStr%) is not a valid integer or hex number.");
    message.replace(QStringLiteral("%OrigStr%"), S);
    throw std::runtime_error(message.toStdString());
}

int CompareVersions(const QString& A, const QString& B) {
    qsizetype posA = 1;
    qsizetype posB = 1;
    const QString sep = QStringLiteral(".");
    // Each round consumes one component of both texts, so the loop ends.
    for (;;) {
        QString tokenA;
        QString tokenB;
        const bool moreA = NextToken(A, sep, posA, tokenA);
        const bool moreB = NextToken(B, sep, posB, tokenB);
        const int64_t a = ParseInt64(tokenA, true, 0);
        const int64_t b = ParseInt64(tokenB, true, 0);
        if (a != b) {
            return a < b ? -1 : 1;
        }
        if (!moreA || !moreB) {
            const int byText = QString::compare(tokenA, tokenB, Qt::CaseInsensitive);
            return byText < 0 ? -1 : (byText > 0 ? 1 : 0);
        }
    }
}

int CompareWithRunningVersion(const QString& V) {
    return CompareVersions(RunningVersionText(), V);
}

namespace {

QDateTime fromEpochSeconds(qint64 seconds) {
    // The stamp is shown as it is, without conversion to the local zone.
    return QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC);
}

bool isRunningExecutable(const QFileInfo& file) {
    return QCoreApplication::instance() != nullptr &&
           file.canonicalFilePath() ==
               QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath();
}

}  // namespace

QDateTime FileLinkTime(const QString& FileName) {
    const QFileInfo file(FileName);
    if (!file.exists() || !file.isReadable()) {
        throw std::runtime_error(
            QStringLiteral("Cannot read the file \"%1\".").arg(FileName).toStdString());
    }
    if (isRunningExecutable(file)) {
        return RunningLinkTime();
    }
    return fromEpochSeconds(file.lastModified().toSecsSinceEpoch());
}

QDateTime RunningLinkTime() {
    return fromEpochSeconds(ORVANE_BUILD_EPOCH);
}

namespace {

// Length of the run of character c at position i of format.
qsizetype runLength(const QString& format, qsizetype i) {
    qsizetype n = 1;
    while (i + n < format.size() && format[i + n].toLower() == format[i].toLower()) {
        ++n;
    }
    return n;
}

QString number(int value, qsizetype width) {
    return QString::number(value).rightJustified(width >= 2 ? 2 : 1, u'0');
}

QString formatRun(QChar letter, qsizetype n, const QDateTime& v) {
    const QDate d = v.date();
    const QTime t = v.time();
    switch (letter.toLower().unicode()) {
        case u'd':
            return number(d.day(), n);
        case u'm':
            return number(d.month(), n);
        case u'y':
            return n >= 3 ? QString::number(d.year()).rightJustified(4, u'0')
                          : number(d.year() % 100, 2);
        case u'h':
            return number(t.hour(), n);
        case u'n':
            return number(t.minute(), n);
        case u's':
            return number(t.second(), n);
        default:
            return QString(n, letter);
    }
}

}  // namespace

QString FormatDateTime(const QString& Format, const QDateTime& Value) {
    QString out;
    for (qsizetype i = 0; i < Format.size();) {
        const QChar c = Format[i];
        if (c == u'"' || c == u'\'') {
            const qsizetype end = Format.indexOf(c, i + 1);
            const qsizetype stop = end < 0 ? Format.size() : end;
            out += Format.mid(i + 1, stop - i - 1);
            i = stop + 1;
            continue;
        }
        if (QStringLiteral("dmyhnsDMYHNS").contains(c)) {
            const qsizetype n = runLength(Format, i);
            out += formatRun(c, n, Value);
            i += n;
            continue;
        }
        out += c;
        ++i;
    }
    return out;
}

QString DateToStr(const QDate& Value) {
    return FormatDateTime(QString::fromLatin1(ShortDateFormat), QDateTime(Value, QTime(0, 0)));
}

QString TimeToStr(const QTime& Value) {
    return FormatDateTime(QString::fromLatin1(LongTimeFormat), QDateTime(QDate(2000, 1, 1), Value));
}

QString DateTimeToStr(const QDateTime& Value) {
    return DateToStr(Value.date()) + u' ' + TimeToStr(Value.time());
}
