#pragma once

#include "sync/u_DavClient.h"
#include "sync/u_SyncReplica.h"
#include "sync/u_SyncState.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

// What a sync did.
struct TSyncSummary {
    int downloaded = 0;    // records added or changed from the server
    int uploaded = 0;      // cards stored on the server
    int deleted = 0;       // records and cards deleted
    int conflicts = 0;     // contacts changed on both sides
    QStringList warnings;  // cards that were passed over, and why

    // "Downloaded 12, uploaded 3, deleted 1, conflicts 0."
    QString Text() const;
};

// Two-way sync of a local replica with the CardDAV address book of its
// state file's account. The server's changes since the last sync (its
// sync-collection report with the stored token, or its cards' ETags) are
// downloaded and applied to the replica in one step; then the records
// changed since the last sync (their hash differs from the stored one) are
// uploaded, each PUT conditional on the card's ETag (If-Match) or on there
// being none (If-None-Match: *), and what was deleted on one side is
// deleted on the other. A contact changed on both sides keeps the server's
// card; the local version becomes a new contact marked "(conflict, local
// copy)" in its notes. The state file is written after the local step and
// after the uploads, also when they stop early, so that both sides stay
// consistent: the local side changes only in that one step, and every card
// the server took is recorded.
class TCardDavSync {
  public:
    TCardDavSync(ISyncReplica& replica, const QString& stateFile,
                 const TDavCredentials& credentials, const TDavLimits& limits = {});
    ~TCardDavSync();

    // Told what the sync is doing; done and total count cards (total 0:
    // not known). It may call Cancel.
    using TProgress = std::function<void(const QString& stage, qint64 done, qint64 total)>;
    void SetProgress(TProgress progress) { progress_ = std::move(progress); }

    // Runs the sync. Raises ESyncError (ESyncCancelled after Cancel).
    TSyncSummary Run();
    void Cancel();

    // The marker a conflict's local copy gets in its notes.
    static QString ConflictMarker();

    const TDavClient& Client() const { return *client_; }

  private:
    struct TRound;
    bool round(TSyncState& state, TSyncSummary& summary);

    ISyncReplica& replica_;
    QString stateFile_;
    std::unique_ptr<TDavClient> client_;
    TProgress progress_;
};
