#include "sync/u_CardDavSync.h"

#include "sync/u_CardDavServer.h"

#include "session/u_ContactSchema.h"
#include "sync/u_DavUrl.h"
#include "sync/u_SyncCard.h"
#include "sync/u_SyncError.h"
#include "sync/u_SyncPlan.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QHash>
#include <QSet>
#include <QUuid>

namespace {

// A round ends with cards the server changed meanwhile (a failed If-Match);
// they are taken up by another round, a few times at most.
constexpr int kMaxRounds = 3;

QString newUid() {
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

// A file name for the card of uid in the address book.
QString cardName(const QString& uid) {
    QString name;
    for (const QChar c : uid) {
        const bool plain = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
                           (c >= u'0' && c <= u'9') || c == u'-' || c == u'_' || c == u'.' ||
                           c == u'@';
        name += plain ? c : u'-';
    }
    if (name.isEmpty() || name.size() > 120 || name.startsWith(u'.')) {
        name = QString::fromLatin1(
            QCryptographicHash::hash(uid.toUtf8(), QCryptographicHash::Sha1).toHex());
    }
    return name + QStringLiteral(".vcf");
}

// A strong ETag, or nothing: a weak one cannot guard a conditional request.
QByteArray strongEtag(const QByteArray& etag) {
    const QByteArray trimmed = etag.trimmed();
    return trimmed.startsWith("W/") ? QByteArray() : trimmed;
}

struct TServerCard {
    QString path;
    QByteArray etag;
    QByteArray card;
    QStringList cells;
};

struct TUpload {
    QString uid;
    QString path;
    QByteArray etag;      // If-Match when not empty
    QByteArray base;      // the server's card to write into; empty: a new card
    bool create = false;  // If-None-Match: * (there must be no card yet)
};

struct TRemoval {
    QString uid;
    QString path;
    QByteArray etag;
};

}  // namespace

// One pass: the server's changes, the local step, the uploads.
struct TCardDavSync::TRound {
    TRound(TDavClient& client, TSyncState& state, TSyncSummary& summary, ISyncReplica& replica,
           const QString& stateFile, const TProgress& progress)
        : client(client),
          state(state),
          summary(summary),
          replica(replica),
          stateFile(stateFile),
          progress(progress),
          server(client, DavUrl::Collection(state.account.url)) {}

    void report(const QString& stage, qint64 done = 0, qint64 total = 0) const {
        if (progress) {
            progress(stage, done, total);
        }
    }

    void listServer();
    void fetchCards();
    void plan();
    void reconcile(const QString& uid, const QStringList& local, const TServerCard& card);
    void applyHere();
    void upload();
    bool Run();

    TDavClient& client;
    TSyncState& state;
    TSyncSummary& summary;
    ISyncReplica& replica;
    const QString& stateFile;
    const TProgress& progress;
    TCardDavServer server;

    bool hasTokens = false;
    TMemberChanges changes;
    QHash<QString, QString> uidOfPath;  // from the state
    QSet<QString> removedPaths;         // gone from the server
    QHash<QString, TServerCard> cards;  // fetched, by UID
    QHash<QString, QStringList> local;  // the records, by UID
    TSyncChanges here;                  // the local step
    QHash<QString, TServerCard> taken;  // cards whose record the local step writes
    QSet<QString> forgotten;            // entries to drop
    QList<TUpload> uploads;
    QList<TRemoval> removals;
    bool postponed = false;
    bool retrying = false;  // new cards under names of their own, after a clash
};

void TCardDavSync::TRound::listServer() {
    report(QCoreApplication::translate("TCardDavSync", "Looking for changes on the server..."));
    // With a stored token the report is tried at once; a server that has no
    // such report is then asked for its cards' ETags.
    const bool known = !state.token.isEmpty();
    hasTokens = known || !server.CheckAddressBook(true).isEmpty();
    if (known) {
        server.CheckAddressBook(false);
    }
    changes = server.Changes(state.token, hasTokens);
    for (auto it = state.entries.cbegin(); it != state.entries.cend(); ++it) {
        uidOfPath.insert(it->path, it.key());
    }
    if (changes.complete) {
        for (auto it = state.entries.cbegin(); it != state.entries.cend(); ++it) {
            if (!changes.present.contains(it->path)) {
                removedPaths.insert(it->path);
            }
        }
    } else {
        for (const QString& path : changes.removed) {
            if (uidOfPath.contains(path)) {
                removedPaths.insert(path);
            }
        }
    }
}

void TCardDavSync::TRound::fetchCards() {
    QStringList paths;
    for (auto it = changes.present.cbegin(); it != changes.present.cend(); ++it) {
        const QString uid = uidOfPath.value(it.key());
        const QByteArray known = uid.isEmpty() ? QByteArray() : state.entries[uid].etag;
        if (known.isEmpty() || known != it.value()) {
            paths << it.key();
        }
    }
    paths.sort();
    qint64 done = 0;
    report(QCoreApplication::translate("TCardDavSync", "Downloading cards..."), 0, paths.size());
    server.Fetch(
        paths,
        [&](const TFetchedCard& fetched) {
            report(QCoreApplication::translate("TCardDavSync", "Downloading cards..."), ++done,
                   paths.size());
            TServerCard card{fetched.path, fetched.etag, fetched.card, {}};
            try {
                card.cells = SyncCard::Cells(fetched.card);
            } catch (const ESyncError& e) {
                summary.warnings << QCoreApplication::translate(
                                        "TCardDavSync", "The card \"%1\" was passed over: %2")
                                        .arg(fetched.path, e.message());
                return;
            }
            // The card's UID names the contact; a card without one keeps the
            // UID it was given here, or gets a new one.
            QString uid = SyncCard::Uid(fetched.card);
            if (uid.isEmpty() || cards.contains(uid)) {
                uid = uidOfPath.value(fetched.path);
            }
            if (uid.isEmpty() || cards.contains(uid)) {
                uid = newUid();
            }
            cards.insert(uid, std::move(card));
        },
        [&](const QString& path) {
            if (uidOfPath.contains(path)) {
                removedPaths.insert(path);
            }
        });
}

void TCardDavSync::TRound::reconcile(const QString& uid, const QStringList& mine,
                                     const TServerCard& card) {
    if (SyncCard::SameContact(mine, card.cells)) {
        taken.insert(uid, card);  // the same on both sides: only recorded
        return;
    }
    // The server's card goes into the record, the local version into a new
    // contact that is uploaded like any new one.
    here.changed.append({uid, card.cells});
    taken.insert(uid, card);
    QStringList copy = mine;
    QString& notes = copy[ContactSchema::Notes];
    notes += (notes.isEmpty() ? QString() : QStringLiteral("\n")) + TCardDavSync::ConflictMarker();
    here.added.append({newUid(), copy});
    ++summary.conflicts;
}

void TCardDavSync::TRound::plan() {
    QSet<QString> uids;
    for (auto it = state.entries.cbegin(); it != state.entries.cend(); ++it) {
        uids.insert(it.key());
    }
    for (auto it = local.cbegin(); it != local.cend(); ++it) {
        uids.insert(it.key());
    }
    for (auto it = cards.cbegin(); it != cards.cend(); ++it) {
        uids.insert(it.key());
    }
    for (const QString& uid : uids) {
        const auto entry = state.entries.constFind(uid);
        const bool known = entry != state.entries.cend();
        const auto record = local.constFind(uid);
        const bool present = record != local.cend();
        const auto card = cards.constFind(uid);
        const bool fetched = card != cards.cend();
        TSyncSide here_ = TSyncSide::Absent;
        if (known) {
            here_ = !present                             ? TSyncSide::Deleted
                    : RecordHash(*record) != entry->hash ? TSyncSide::Changed
                                                         : TSyncSide::Unchanged;
        } else if (present) {
            here_ = TSyncSide::New;
        }
        TSyncSide there = known ? TSyncSide::Unchanged : TSyncSide::Absent;
        if (fetched) {
            there = known ? TSyncSide::Changed : TSyncSide::New;
        } else if (known && removedPaths.contains(entry->path)) {
            there = TSyncSide::Deleted;
        }
        switch (DecideSync(here_, there)) {
            case TSyncAction::Nothing:
                break;
            case TSyncAction::Download:
                here.changed.append({uid, card->cells});
                taken.insert(uid, *card);
                ++summary.downloaded;
                break;
            case TSyncAction::Add:
            case TSyncAction::Restore:
                here.added.append({uid, card->cells});
                taken.insert(uid, *card);
                ++summary.downloaded;
                break;
            case TSyncAction::DeleteHere:
                here.deleted.append(uid);
                forgotten.insert(uid);
                ++summary.deleted;
                break;
            case TSyncAction::Upload:
                uploads.append({uid, entry->path, entry->etag, entry->card, false});
                break;
            case TSyncAction::UploadNew:
                uploads.append({uid, server.NewCardPath(cardName(uid)), {}, {}, true});
                break;
            case TSyncAction::Recreate:
                uploads.append({uid, entry->path, {}, entry->card, true});
                break;
            case TSyncAction::DeleteThere:
                removals.append({uid, entry->path, entry->etag});
                break;
            case TSyncAction::Forget:
                forgotten.insert(uid);
                break;
            case TSyncAction::Reconcile:
                reconcile(uid, *record, *card);
                break;
        }
    }
}

void TCardDavSync::TRound::applyHere() {
    if (!here.IsEmpty()) {
        report(QCoreApplication::translate("TCardDavSync", "Saving the contacts..."));
        replica.Apply(here);
        // The records the step wrote as the replica keeps them: the hashes
        // are of what it holds. The others are as they were read.
        QStringList written;
        for (const TSyncRecord& record : std::as_const(here.added)) {
            written << record.uid;
        }
        for (const TSyncRecord& record : std::as_const(here.changed)) {
            written << record.uid;
        }
        for (const QString& uid : std::as_const(here.deleted)) {
            local.remove(uid);
        }
        for (const TSyncRecord& record : replica.RecordsOf(written)) {
            local.insert(record.uid, record.cells);
        }
    }
    for (auto it = taken.cbegin(); it != taken.cend(); ++it) {
        const auto record = local.constFind(it.key());
        if (record == local.cend()) {
            continue;
        }
        state.entries.insert(it.key(),
                             {it->path, strongEtag(it->etag), RecordHash(*record), it->card});
    }
    for (const QString& uid : forgotten) {
        state.entries.remove(uid);
    }
    // The conflicts' local copies are new records: they go up with the rest.
    for (const TSyncRecord& copy : here.added) {
        if (!taken.contains(copy.uid)) {
            uploads.append({copy.uid, server.NewCardPath(cardName(copy.uid)), {}, {}, true});
        }
    }
    if (hasTokens) {
        state.token = changes.syncToken;
    }
    // What the local step did is recorded before anything goes up; without
    // one, the state is written after the uploads.
    if (here.IsEmpty()) {
        return;
    }
    state.Save(stateFile);
}

void TCardDavSync::TRound::upload() {
    QList<TDavRequest> requests;
    QList<QByteArray> bodies;
    QList<QStringList> cellsOf;
    for (const TUpload& u : uploads) {
        const QStringList cells = local.value(u.uid);
        QByteArray card;
        try {
            card = u.base.isEmpty() ? SyncCard::NewCard(cells, u.uid)
                                    : SyncCard::MergedCard(u.base, cells, u.uid);
        } catch (const ESyncError&) {
            card = SyncCard::NewCard(cells, u.uid);  // the stored card is unreadable
        }
        requests << server.PutRequest(u.path, card, u.etag, u.create);
        bodies << card;
        cellsOf << cells;
    }
    for (const TRemoval& r : removals) {
        requests << server.DeleteRequest(r.path, r.etag);
    }
    if (requests.isEmpty()) {
        return;
    }
    qint64 done = 0;
    QList<TUpload> retries;
    const auto take = [&](qsizetype index, const TDavReply& reply) {
        report(QCoreApplication::translate("TCardDavSync", "Uploading changes..."), ++done,
               requests.size());
        if (index < uploads.size()) {
            const TUpload& u = uploads[index];
            if (reply.Ok()) {
                state.entries.insert(u.uid, {u.path, strongEtag(reply.etag),
                                             RecordHash(cellsOf[index]), bodies[index]});
                ++summary.uploaded;
            } else if (reply.status == 412 && u.create && u.base.isEmpty() && !retrying) {
                retries.append(u);  // another card has that name
            } else if (reply.status == 412) {
                postponed = true;  // changed on the server meanwhile
            } else {
                ThrowServerAnswer(
                    QCoreApplication::translate("TCardDavSync", "storing the card \"%1\"")
                        .arg(u.path),
                    reply);
            }
            return;
        }
        const TRemoval& r = removals[index - uploads.size()];
        if (reply.Ok() || reply.status == 404 || reply.status == 410) {
            state.entries.remove(r.uid);
            ++summary.deleted;
        } else if (reply.status == 412) {
            postponed = true;
        } else {
            ThrowServerAnswer(
                QCoreApplication::translate("TCardDavSync", "deleting the card \"%1\"").arg(r.path),
                reply);
        }
    };
    try {
        report(QCoreApplication::translate("TCardDavSync", "Uploading changes..."), 0,
               requests.size());
        client.SendAll(requests, take);
        if (!retries.isEmpty()) {
            uploads.clear();
            removals.clear();
            for (TUpload u : retries) {
                u.path = server.NewCardPath(cardName(newUid()));
                uploads << u;
            }
            retrying = true;
            upload();
        }
    } catch (...) {
        // Every card the server took is recorded before the failure is told.
        state.Save(stateFile);
        throw;
    }
}

bool TCardDavSync::TRound::Run() {
    listServer();
    const QList<TSyncRecord> records = replica.Records();
    for (const TSyncRecord& record : records) {
        local.insert(record.uid, record.cells);
    }
    fetchCards();
    plan();
    applyHere();
    upload();
    return postponed;
}

TCardDavSync::TCardDavSync(ISyncReplica& replica, const QString& stateFile,
                           const TDavCredentials& credentials, const TDavLimits& limits)
    : replica_(replica),
      stateFile_(stateFile),
      client_(std::make_unique<TDavClient>(credentials, limits)) {}

TCardDavSync::~TCardDavSync() = default;

QString TCardDavSync::ConflictMarker() {
    return QCoreApplication::translate("TCardDavSync", "(conflict, local copy)");
}

void TCardDavSync::Cancel() {
    client_->Cancel();
}

bool TCardDavSync::round(TSyncState& state, TSyncSummary& summary) {
    TRound pass(*client_, state, summary, replica_, stateFile_, progress_);
    return pass.Run();
}

TSyncSummary TCardDavSync::Run() {
    TSyncState state = TSyncState::Load(stateFile_);
    if (state.account.url.trimmed().isEmpty()) {
        throw ESyncError(QCoreApplication::translate(
            "TCardDavSync",
            "No address book is set for this database; choose one in the sync "
            "settings."));
    }
    DavUrl::Check(DavUrl::Collection(state.account.url));
    state.Bind();
    TSyncSummary summary;
    for (int pass = 0; pass < kMaxRounds; ++pass) {
        if (!round(state, summary)) {
            break;
        }
    }
    state.lastSync = QDateTime::currentDateTimeUtc();
    state.Save(stateFile_);
    return summary;
}

QString TSyncSummary::Text() const {
    return QCoreApplication::translate("TCardDavSync",
                                       "Downloaded %1, uploaded %2, deleted %3, conflicts %4.")
        .arg(downloaded)
        .arg(uploaded)
        .arg(deleted)
        .arg(conflicts);
}
