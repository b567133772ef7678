#include "sync/u_SyncState.h"

#include "support/u_AtomicFileWriter.h"
#include "sync/u_SyncError.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <charconv>
#include <iterator>

namespace {

const QByteArray kSignature = "ORVANE-CONTACTS-SYNC 1";

// Every value is written as "=" and its percent-encoded bytes, so that no
// value holds a space or a line break and the empty value is "=".
QByteArray encoded(const QByteArray& value) {
    return '=' + value.toPercentEncoding();
}

QByteArray encoded(const QString& value) {
    return encoded(value.toUtf8());
}

class TReader {
  public:
    TReader(QByteArrayView bytes, const QString& fileName) : bytes_(bytes), fileName_(fileName) {}

    [[noreturn]] void fail() const {
        throw ESyncError(
            QCoreApplication::translate(
                "TSyncState",
                "The sync state file \"%1\" is damaged (line %2). Delete it to sync the database "
                "anew; nothing is lost, cards that differ become conflicts.")
                .arg(fileName_)
                .arg(line_));
    }

    bool atEnd() const { return pos_ >= bytes_.size(); }

    // The next line's words.
    QList<QByteArrayView> line() {
        const qsizetype end = bytes_.indexOf('\n', pos_);
        if (end < 0) {
            fail();
        }
        ++line_;
        const QByteArrayView text = bytes_.sliced(pos_, end - pos_);
        pos_ = end + 1;
        QList<QByteArrayView> words;
        qsizetype start = 0;
        for (qsizetype i = 0; i <= text.size(); ++i) {
            if (i == text.size() || text[i] == ' ') {
                words << text.sliced(start, i - start);
                start = i + 1;
            }
        }
        return words;
    }

    QByteArray value(QByteArrayView word) const {
        if (!word.startsWith('=')) {
            fail();
        }
        for (const char c : word.sliced(1)) {
            const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                               (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' ||
                               c == '~' || c == '%';
            if (!plain) {
                fail();
            }
        }
        return QByteArray::fromPercentEncoding(word.sliced(1).toByteArray());
    }

    // A line "key =value".
    QByteArray field(QByteArrayView key) {
        const QList<QByteArrayView> words = line();
        if (words.size() != 2 || words[0] != key) {
            fail();
        }
        return value(words[1]);
    }

    qint64 number(QByteArrayView word, qint64 max) const {
        bool ok = false;
        const qint64 n = word.toLongLong(&ok);
        if (!ok || n < 0 || n > max || word.startsWith('+') || word.startsWith('-')) {
            fail();
        }
        return n;
    }

    bool flag(QByteArrayView key) {
        const QByteArray v = field(key);
        if (v != "0" && v != "1") {
            fail();
        }
        return v == "1";
    }

    QByteArray bytes(qsizetype count) {
        if (count > bytes_.size() - pos_ || count + 1 > bytes_.size() - pos_ ||
            bytes_[pos_ + count] != '\n') {
            fail();
        }
        const QByteArray result = bytes_.sliced(pos_, count).toByteArray();
        line_ += static_cast<int>(std::count(result.begin(), result.end(), '\n')) + 1;
        pos_ += count + 1;
        return result;
    }

  private:
    QByteArrayView bytes_;
    QString fileName_;
    qsizetype pos_ = 0;
    int line_ = 0;
};

}  // namespace

QString TSyncState::FileFor(const QString& database) {
    return database + QStringLiteral(".sync");
}

TSyncState TSyncState::Parse(QByteArrayView bytes, const QString& fileName) {
    TReader in(bytes, fileName);
    if (in.line() != QList<QByteArrayView>{"ORVANE-CONTACTS-SYNC", "1"}) {
        in.fail();
    }
    TSyncState state;
    state.account.url = QString::fromUtf8(in.field("url"));
    state.account.user = QString::fromUtf8(in.field("user"));
    state.account.syncAtOpen = in.flag("at-open");
    state.account.syncAtClose = in.flag("at-close");
    state.account.everyMinutes = static_cast<int>(in.number(in.field("every"), kMaxEveryMinutes));
    state.boundUrl = QString::fromUtf8(in.field("bound"));
    state.token = QString::fromUtf8(in.field("token"));
    const QByteArray last = in.field("last-sync");
    if (!last.isEmpty()) {
        state.lastSync = QDateTime::fromString(QString::fromLatin1(last), Qt::ISODateWithMs);
        if (!state.lastSync.isValid()) {
            in.fail();
        }
        state.lastSync = state.lastSync.toUTC();
    }
    while (true) {
        const QList<QByteArrayView> words = in.line();
        if (words.size() == 2 && words[0] == "end") {
            if (in.number(words[1], kMaxEntries) != state.entries.size() || !in.atEnd()) {
                in.fail();
            }
            return state;
        }
        if (words.size() != 6 || words[0] != "card" || state.entries.size() >= kMaxEntries) {
            in.fail();
        }
        const QString uid = QString::fromUtf8(in.value(words[1]));
        TSyncEntry entry;
        entry.path = QString::fromUtf8(in.value(words[2]));
        entry.etag = in.value(words[3]);
        entry.hash = in.value(words[4]);
        entry.card = in.bytes(in.number(words[5], kMaxCardBytes));
        if (uid.isEmpty() || entry.path.isEmpty() || state.entries.contains(uid)) {
            in.fail();
        }
        state.entries.insert(uid, std::move(entry));
    }
}

TSyncState TSyncState::Load(const QString& fileName) {
    const QFileInfo info(fileName);
    if (!info.exists()) {
        return {};
    }
    if (!info.isFile()) {
        throw ESyncError(QCoreApplication::translate(
                             "TSyncState", "\"%1\" is not a file; the sync state cannot be read.")
                             .arg(fileName));
    }
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        throw ESyncError(QCoreApplication::translate(
                             "TSyncState", "The sync state file \"%1\" cannot be opened: %2")
                             .arg(fileName, file.errorString()));
    }
    // Never more than the limit, even when the file grows meanwhile.
    const QByteArray bytes = file.read(kMaxFileBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        throw ESyncError(QCoreApplication::translate(
                             "TSyncState", "The sync state file \"%1\" cannot be read: %2")
                             .arg(fileName, file.errorString()));
    }
    if (bytes.size() > kMaxFileBytes) {
        throw ESyncError(QCoreApplication::translate(
                             "TSyncState", "The sync state file \"%1\" is larger than 1 GiB.")
                             .arg(fileName));
    }
    return Parse(bytes, fileName);
}

QByteArray TSyncState::Serialize() const {
    QByteArray out = kSignature + '\n';
    out += "url " + encoded(account.url) + '\n';
    out += "user " + encoded(account.user) + '\n';
    out += QByteArray("at-open =") + (account.syncAtOpen ? '1' : '0') + '\n';
    out += QByteArray("at-close =") + (account.syncAtClose ? '1' : '0') + '\n';
    out += "every =" + QByteArray::number(account.everyMinutes) + '\n';
    out += "bound " + encoded(boundUrl) + '\n';
    out += "token " + encoded(token) + '\n';
    out += "last-sync " +
           encoded(lastSync.isValid() ? lastSync.toUTC().toString(Qt::ISODateWithMs) : QString()) +
           '\n';
    // Sorted, so that the same state is always the same file.
    QStringList uids = entries.keys();
    uids.sort();
    for (const QString& uid : uids) {
        const TSyncEntry& e = entries[uid];
        out += "card " + encoded(uid) + ' ' + encoded(e.path) + ' ' + encoded(e.etag) + ' ' +
               encoded(e.hash) + ' ' + QByteArray::number(e.card.size()) + '\n';
        out += e.card + '\n';
    }
    out += "end " + QByteArray::number(entries.size()) + '\n';
    return out;
}

void TSyncState::Save(const QString& fileName) const {
    const QFileInfo info(fileName);
    if (info.exists() && !info.isFile()) {
        throw ESyncError(
            QCoreApplication::translate("TSyncState",
                                        "\"%1\" is not a file; the sync state cannot be written.")
                .arg(fileName));
    }
    QString reason;
    if (!WriteFileAtomically(fileName, Serialize(), reason)) {
        throw ESyncError(QCoreApplication::translate(
                             "TSyncState", "The sync state file \"%1\" cannot be written: %2")
                             .arg(fileName, reason));
    }
}

void TSyncState::Bind() {
    if (boundUrl != account.url) {
        boundUrl = account.url;
        token.clear();
        entries.clear();
        lastSync = QDateTime();
    }
}

QByteArray RecordHash(const QStringList& cells) {
    // One pass of the hash over "length:bytes" of each cell, gathered in
    // one buffer: a sync hashes every record, twice.
    QByteArray buffer;
    buffer.reserve(1024);
    char digits[24];
    for (const QString& cell : cells) {
        const QByteArray bytes = cell.isEmpty() ? QByteArray() : cell.toUtf8();
        const auto end = std::to_chars(std::begin(digits), std::end(digits), bytes.size()).ptr;
        buffer.append(digits, end - digits);
        buffer.append(':');
        buffer.append(bytes);
    }
    return QCryptographicHash::hash(buffer, QCryptographicHash::Sha256).toHex().left(32);
}
