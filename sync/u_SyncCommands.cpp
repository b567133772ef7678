#include "sync/u_SyncCommands.h"

#include "session/u_ContactsSession.h"
#include "support/u_MessageBox.h"
#include "sync/u_CardDavSync.h"
#include "sync/u_DatabaseReplica.h"
#include "sync/u_SyncAccounts.h"
#include "sync/u_SyncError.h"
#include "sync/u_SyncPassword.h"
#include "sync/u_SyncProgressDialog.h"
#include "sync/u_SyncStatusLabel.h"
#include "sync/u_dlgSyncPassword.h"
#include "sync/u_dlgSyncSettings.h"
#include "views/u_MainWindowInterface.h"
#include "views/u_frameMainGrid.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QMainWindow>
#include <QStatusBar>

namespace {

// How long a summary or a note stays in the status bar.
constexpr int kStatusMessageMs = 15'000;
// The summary lists this many of the cards that were passed over.
constexpr int kWarningsShown = 10;

QStatusBar* statusBarOf(QWidget* window) {
    auto* main = qobject_cast<QMainWindow*>(window);
    return main != nullptr ? main->statusBar() : nullptr;
}

}  // namespace

struct TSyncCommands::TOutcome {
    enum class TKind { Done, Cancelled, Failed };
    TKind kind = TKind::Failed;
    TSyncSummary summary;
    QString error;
};

TSyncCommands::TSyncCommands(ICommandHost& host) : TCommandUnit(host) {
    host.Register("actDBSyncSettings", [this] { EditSettings(); });
    host.Register("actDBSyncNow", [this] { Sync(TSyncMoment::Now); });
    host.AddStatesStep([this] { followDatabase(); });
    // The main window runs the close steps while the database is still open.
    host.AddCloseStep([this] { Closing(); });
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] { Sync(TSyncMoment::Timer); });
    if (QStatusBar* bar = statusBarOf(host.Main().Widget())) {
        status_ = new TSyncStatusLabel(bar);
        bar->addPermanentWidget(status_);
    }
    updateActions();
}

TSyncCommands::~TSyncCommands() = default;

// --- The open database ------------------------------------------------------------

TSyncState TSyncCommands::stateOfOpen() const {
    try {
        return TSyncState::Load(TSyncState::FileFor(database_));
    } catch (const ESyncError&) {
        return {};  // Sync Now tells what is wrong with the file
    }
}

void TSyncCommands::followDatabase() {
    updateActions();
    const TContactsSession& session = host().Session();
    const QString name = session.IsOpen() ? session.DatabaseName() : QString();
    if (name == database_) {
        return;
    }
    database_ = name;
    const TSyncState state = name.isEmpty() ? TSyncState() : stateOfOpen();
    failedTimed_ = false;
    follow(state.account);
    if (status_ != nullptr) {
        status_->Show(!account_.url.isEmpty(), state.lastSync, {});
    }
    if (!name.isEmpty() && account_.syncAtOpen && !account_.url.isEmpty()) {
        // Once the open is over and the window shows the database.
        QTimer::singleShot(0, &timer_, [this, name] {
            if (database_ == name) {
                Sync(TSyncMoment::AtOpen);
            }
        });
    }
}

void TSyncCommands::follow(const TSyncAccount& account) {
    account_ = account;
    if (!database_.isEmpty() && !account.url.isEmpty() && account.everyMinutes > 0) {
        timer_.start(account.everyMinutes * 60'000);
    } else {
        timer_.stop();
    }
}

void TSyncCommands::updateActions() {
    // Like Reload: an open database, and no print or query view in front.
    const bool enabled = host().IsEnabled(TCommand::DBReload) && !syncing_;
    for (const char* name : {"actDBSyncSettings", "actDBSyncNow"}) {
        if (QAction* act = host().action(QLatin1String(name))) {
            act->setEnabled(enabled);
        }
    }
}

bool TSyncCommands::mayRunNow(TSyncMoment moment) const {
    if (moment == TSyncMoment::Now || moment == TSyncMoment::AtClose) {
        return true;
    }
    // A sync of its own accord never comes between the user and an edit,
    // a dialog, a menu, the print wizard or a query.
    return QApplication::activeModalWidget() == nullptr &&
           QApplication::activePopupWidget() == nullptr && host().IsEnabled(TCommand::DBReload) &&
           !host().Session().RecordChanged() && !host().Main().Grid().isEditing();
}

void TSyncCommands::Closing() {
    if (account_.syncAtClose && !account_.url.isEmpty()) {
        Sync(TSyncMoment::AtClose);
    }
}

// --- Settings ---------------------------------------------------------------------

void TSyncCommands::EditSettings() {
    TContactsSession& session = host().Session();
    if (!session.IsOpen() || syncing_) {
        return;
    }
    const QString database = session.DatabaseName();
    TSyncState state;
    try {
        state = TSyncState::Load(TSyncState::FileFor(database));
    } catch (const ESyncError& e) {
        ShowMessage(MsgType::Error, e.message(), MsgButtons::Ok, host().Main().Widget());
        return;
    }
    TdlgSyncSettings dialog(database, state.account, state.lastSync, host().Main().Widget());
    host().RunDialog(dialog);
    if (dialog.result() == QDialog::Accepted) {
        storeSettings(database, state.account, dialog);
    }
}

void TSyncCommands::storeSettings(const QString& database, const TSyncAccount& before,
                                  const TdlgSyncSettings& dialog) {
    QWidget* window = host().Main().Widget();
    TSyncAccount stored;
    try {
        SyncAccounts::Store(database, dialog.Account());
        stored = SyncAccounts::Read(database);
    } catch (const ESyncError& e) {
        ShowMessage(MsgType::Error, e.message(), MsgButtons::Ok, window);
        return;
    }
    QString why;
    const bool otherKey = SyncPassword::KeyOf(before) != SyncPassword::KeyOf(stored);
    if (!dialog.KeepPassword()) {
        SyncPassword::Forget(stored, why);
    } else if (!dialog.Password().isEmpty() && !stored.user.isEmpty() &&
               !SyncPassword::Store(stored, dialog.Password(), why)) {
        ShowMessage(MsgType::Warning,
                    QCoreApplication::translate(
                        "TSyncCommands",
                        "The password could not be kept in the secret store: %1\n\rIt will be "
                        "asked for at each sync.")
                        .arg(why),
                    MsgButtons::Ok, window);
    }
    if (otherKey && !before.url.isEmpty()) {
        SyncPassword::Forget(before, why);  // the old account's password
    }
    if (database == database_) {
        follow(stored);
        if (status_ != nullptr) {
            status_->Show(!stored.url.isEmpty(), stateOfOpen().lastSync, {});
        }
    }
}

// --- Sync -------------------------------------------------------------------------

bool TSyncCommands::credentials(const TSyncAccount& account, TDavCredentials& credentials) {
    credentials = {account.user, {}};
    if (account.user.isEmpty()) {
        return true;
    }
    QString why;
    if (SyncPassword::Read(account, credentials.password, why)) {
        return true;
    }
    TdlgSyncPassword dialog(account.user, account.url, why, host().Main().Widget());
    host().RunDialog(dialog);
    if (dialog.result() != QDialog::Accepted) {
        return false;
    }
    credentials.password = dialog.Password();
    return true;
}

void TSyncCommands::Sync(TSyncMoment moment) {
    TContactsSession& session = host().Session();
    if (syncing_ || !session.IsOpen()) {
        return;
    }
    const QString database = session.DatabaseName();
    if (!mayRunNow(moment)) {
        QTimer::singleShot(kRetryMs, &timer_, [this, database, moment] {
            if (database_ == database && !syncing_) {
                Sync(moment);
            }
        });
        return;
    }
    if (moment == TSyncMoment::Now && !host().ConfirmSaveChanges()) {
        return;
    }
    TSyncAccount account;
    try {
        account = SyncAccounts::Read(database);
    } catch (const ESyncError& e) {
        report({TOutcome::TKind::Failed, {}, e.message()}, moment);
        return;
    }
    if (account.url.isEmpty()) {
        if (moment != TSyncMoment::Now) {
            return;
        }
        // Sync Now without an address book: the settings first.
        EditSettings();
        account = account_;
        if (account.url.isEmpty() || database_ != database) {
            return;
        }
    }
    report(run(database, account), moment);
}

TSyncCommands::TOutcome TSyncCommands::run(const QString& database, const TSyncAccount& account) {
    TOutcome outcome;
    TDavCredentials credentials;
    if (!this->credentials(account, credentials)) {
        outcome.kind = TOutcome::TKind::Cancelled;
        return outcome;
    }
    syncing_ = true;
    updateActions();
    if (status_ != nullptr) {
        status_->SetSyncing(true);
    }
    {
        TSyncProgressDialog progress(host().Main().Widget());
        try {
            TDatabaseReplica replica(host().Session());
            TCardDavSync sync(replica, TSyncState::FileFor(database), credentials, Limits);
            QObject::connect(&progress, &TSyncProgressDialog::cancelRequested, &progress,
                             [&sync] { sync.Cancel(); });
            sync.SetProgress([&progress](const QString& stage, qint64 done, qint64 total) {
                progress.Show(stage, done, total);
            });
            outcome.summary = sync.Run();
            outcome.kind = TOutcome::TKind::Done;
        } catch (const ESyncCancelled&) {
            outcome.kind = TOutcome::TKind::Cancelled;
        } catch (const ESyncError& e) {
            outcome.error = e.message();
        } catch (const std::exception& e) {
            outcome.error = QString::fromUtf8(e.what());
        }
        progress.hide();
    }
    syncing_ = false;
    if (status_ != nullptr) {
        status_->SetSyncing(false);
    }
    updateActions();
    return outcome;
}

void TSyncCommands::report(const TOutcome& outcome, TSyncMoment moment) {
    QWidget* window = host().Main().Widget();
    QStatusBar* bar = statusBarOf(window);
    const TSyncState state = stateOfOpen();
    switch (outcome.kind) {
        case TOutcome::TKind::Done: {
            failedTimed_ = false;
            QString text = outcome.summary.Text();
            if (!outcome.summary.warnings.isEmpty()) {
                text +=
                    QStringLiteral("\n\r\n\r") +
                    outcome.summary.warnings.mid(0, kWarningsShown).join(QStringLiteral("\n\r"));
            }
            if (status_ != nullptr) {
                status_->Show(true, state.lastSync, {});
            }
            if (moment == TSyncMoment::Now) {
                ShowMessage(MsgType::Information, text, MsgButtons::Ok, window);
            } else if (bar != nullptr) {
                bar->showMessage(outcome.summary.Text(), kStatusMessageMs);
            }
            break;
        }
        case TOutcome::TKind::Cancelled:
            if (bar != nullptr) {
                bar->showMessage(
                    QCoreApplication::translate(
                        "TSyncCommands",
                        "The sync was cancelled; what was done on both sides is kept."),
                    kStatusMessageMs);
            }
            break;
        case TOutcome::TKind::Failed: {
            if (status_ != nullptr) {
                status_->Show(!account_.url.isEmpty(), state.lastSync, outcome.error);
            }
            // A timed sync that keeps failing says so once.
            const bool quiet = moment == TSyncMoment::Timer && failedTimed_;
            failedTimed_ = moment == TSyncMoment::Timer;
            if (!quiet) {
                ShowMessage(MsgType::Error,
                            QCoreApplication::translate(
                                "TSyncCommands",
                                "The database could not be synced with its address book.\n\r\n\r%1")
                                .arg(outcome.error),
                            MsgButtons::Ok, window);
            } else if (bar != nullptr) {
                bar->showMessage(outcome.error, kStatusMessageMs);
            }
            break;
        }
    }
    if (database_ == host().Session().DatabaseName()) {
        follow(state.account);  // the next timed sync counts from now
    }
}
