#pragma once

#include "sync/u_DavClient.h"
#include "sync/u_SyncState.h"
#include "views/u_CommandHost.h"

#include <QDateTime>
#include <QString>
#include <QTimer>

class TSyncStatusLabel;

// When a sync runs: File > Sync Now, or one of the moments the database's
// sync settings choose.
enum class TSyncMoment { Now, AtOpen, AtClose, Timer };

// The sync commands of the File menu (Sync Settings..., Sync Now) and the
// syncs at the moments the open database's settings choose: when it is
// opened, when it is closed (another one is opened or created, or the
// program ends: the main window's close step) and every so many minutes. A sync works on the open
// database through the session, on the user interface thread; while it
// waits for the server, a progress dialog with Cancel is the only window
// that takes input. Sync Now tells its summary in a message; the other
// moments tell theirs in the status bar, which shows the time of the last
// successful sync.
class TSyncCommands : public TCommandUnit {
  public:
    // A timed sync that cannot run at its moment (a record is being edited,
    // a dialog is open) tries again after this time.
    static constexpr int kRetryMs = 15'000;

    explicit TSyncCommands(ICommandHost& host);
    ~TSyncCommands() override;

    // Runs a sync of the open database now, when it has an address book;
    // Sync Now without one opens the settings first.
    void Sync(TSyncMoment moment);
    void EditSettings();
    bool Syncing() const { return syncing_; }
    // The open database closes (another one is opened or created, or the
    // program ends): it is synced when its settings say so.
    void Closing();

    // The timer of the timed syncs (not active when there are none).
    const QTimer& Timer() const { return timer_; }
    // The limits of every exchange with the server.
    TDavLimits Limits;

  private:
    struct TOutcome;
    TOutcome run(const QString& database, const TSyncAccount& account);
    void report(const TOutcome& outcome, TSyncMoment moment);
    bool mayRunNow(TSyncMoment moment) const;
    bool credentials(const TSyncAccount& account, TDavCredentials& credentials);
    void storeSettings(const QString& database, const TSyncAccount& before,
                       const class TdlgSyncSettings& dialog);
    // After every update of the command states: a database opened since the
    // last one is synced when its settings say so, and the timer follows.
    void followDatabase();
    void follow(const TSyncAccount& account);
    void updateActions();
    TSyncState stateOfOpen() const;

    QString database_;  // the open database as last seen
    TSyncAccount account_;
    TSyncStatusLabel* status_ = nullptr;
    QTimer timer_;
    bool syncing_ = false;
    bool failedTimed_ = false;  // the last timed sync failed (and said so)
};
