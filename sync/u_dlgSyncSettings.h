#pragma once

#include "sync/u_SyncState.h"

#include <QDateTime>
#include <QDialog>
#include <QString>

#include <memory>

namespace Ui {
class TdlgSyncSettings;
}

// The sync settings of one database: the address book (typed, or chosen
// among those found on a server), the user name and password, and the
// moments of the sync. The dialog only edits: whoever runs it stores what
// it gives (SyncAccounts::Store, SyncPassword::Store).
class TdlgSyncSettings : public QDialog {
    Q_OBJECT

  public:
    TdlgSyncSettings(const QString& database, const TSyncAccount& account,
                     const QDateTime& lastSync, QWidget* parent = nullptr);
    ~TdlgSyncSettings() override;

    // The settings as the dialog shows them; the address as typed.
    TSyncAccount Account() const;
    // The password typed; empty when the user typed none (a kept one stays).
    QString Password() const;
    bool KeepPassword() const;

    // Looks for the address books of the user on the server the address
    // names and lists them; a single one is chosen at once. Problems are
    // told in a message.
    void FindAddressBooks();

  public slots:
    void accept() override;

  protected:
    void changeEvent(QEvent* event) override;

  private:
    void chooseListed();
    void showLastSync();
    void followEvery();

    std::unique_ptr<Ui::TdlgSyncSettings> ui;
    QString database_;
    QDateTime lastSync_;
};
