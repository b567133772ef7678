#include "sync/u_dlgSyncSettings.h"

#include "ui_u_dlgSyncSettings.h"

#include "support/u_BusyCursor.h"
#include "support/u_MessageBox.h"
#include "sync/u_CardDavServer.h"
#include "sync/u_DavClient.h"
#include "sync/u_DavUrl.h"
#include "sync/u_SyncError.h"
#include "sync/u_SyncPassword.h"

#include <QFileInfo>
#include <QListWidgetItem>
#include <QLocale>
#include <QPushButton>
#include <QScopeGuard>

TdlgSyncSettings::TdlgSyncSettings(const QString& database, const TSyncAccount& account,
                                   const QDateTime& lastSync, QWidget* parent)
    : QDialog(parent),
      ui(std::make_unique<Ui::TdlgSyncSettings>()),
      database_(database),
      lastSync_(lastSync) {
    ui->setupUi(this);
    setObjectName(QStringLiteral("dlgSyncSettings"));
    ui->edtSyncUrl->setText(account.url);
    ui->edtSyncUser->setText(account.user);
    ui->chkSyncAtOpen->setChecked(account.syncAtOpen);
    ui->chkSyncAtClose->setChecked(account.syncAtClose);
    ui->chkSyncEvery->setChecked(account.everyMinutes > 0);
    if (account.everyMinutes > 0) {
        ui->spnSyncMinutes->setValue(account.everyMinutes);
    }
    ui->spnSyncMinutes->setMaximum(TSyncState::kMaxEveryMinutes);
    followEvery();
    showLastSync();
    connect(ui->chkSyncEvery, &QCheckBox::toggled, this, &TdlgSyncSettings::followEvery);
    connect(ui->btnSyncFind, &QPushButton::clicked, this, &TdlgSyncSettings::FindAddressBooks);
    connect(ui->lstSyncBooks, &QListWidget::currentItemChanged, this,
            &TdlgSyncSettings::chooseListed);
    connect(ui->btnSyncButtons, &QDialogButtonBox::accepted, this, &TdlgSyncSettings::accept);
    connect(ui->btnSyncButtons, &QDialogButtonBox::rejected, this, &TdlgSyncSettings::reject);
}

TdlgSyncSettings::~TdlgSyncSettings() = default;

TSyncAccount TdlgSyncSettings::Account() const {
    TSyncAccount account;
    account.url = ui->edtSyncUrl->text().trimmed();
    account.user = ui->edtSyncUser->text().trimmed();
    account.syncAtOpen = ui->chkSyncAtOpen->isChecked();
    account.syncAtClose = ui->chkSyncAtClose->isChecked();
    account.everyMinutes = ui->chkSyncEvery->isChecked() ? ui->spnSyncMinutes->value() : 0;
    return account;
}

QString TdlgSyncSettings::Password() const {
    return ui->edtSyncPassword->text();
}

bool TdlgSyncSettings::KeepPassword() const {
    return ui->chkSyncKeepPassword->isChecked();
}

void TdlgSyncSettings::followEvery() {
    ui->spnSyncMinutes->setEnabled(ui->chkSyncEvery->isChecked());
}

void TdlgSyncSettings::showLastSync() {
    ui->lblSyncDatabase->setText(tr("Database: %1").arg(QFileInfo(database_).fileName()));
    ui->lblSyncDatabase->setToolTip(database_);
    ui->lblSyncLast->setText(
        lastSync_.isValid()
            ? tr("Last successful sync: %1")
                  .arg(QLocale().toString(lastSync_.toLocalTime(), QLocale::ShortFormat))
            : tr("Not synced yet."));
}

void TdlgSyncSettings::FindAddressBooks() {
    const QString typed = ui->edtSyncUrl->text().trimmed();
    if (typed.isEmpty()) {
        ShowMessage(MsgType::Information, tr("Type the address of your server first."),
                    MsgButtons::Ok, this);
        ui->edtSyncUrl->setFocus();
        return;
    }
    TDavCredentials credentials{ui->edtSyncUser->text().trimmed(), Password()};
    if (!credentials.user.isEmpty() && credentials.password.isEmpty()) {
        // A password kept before for this account.
        QString why;
        SyncPassword::Read(Account(), credentials.password, why);
    }
    QList<TAddressBook> books;
    try {
        const TBusyCursor busy;
        // Nothing else in the dialog while the server is asked.
        setEnabled(false);
        const auto enableAgain = qScopeGuard([this] { setEnabled(true); });
        TDavLimits limits;
        limits.silenceMs = 20'000;
        TDavClient client(credentials, limits);
        books = TCardDavServer::Discover(client, DavUrl::Collection(typed));
    } catch (const ESyncError& e) {
        ShowMessage(MsgType::Error, tr("No address books were found: %1").arg(e.message()),
                    MsgButtons::Ok, this);
        return;
    }
    ui->lstSyncBooks->clear();
    for (const TAddressBook& book : books) {
        const QString address = book.url.toString();
        const QString caption = book.displayName.isEmpty()
                                    ? address
                                    : book.displayName + QStringLiteral(" — ") + address;
        auto* item = new QListWidgetItem(caption, ui->lstSyncBooks);
        item->setData(Qt::UserRole, address);
        item->setToolTip(address);
    }
    if (books.size() == 1) {
        ui->lstSyncBooks->setCurrentRow(0);
    } else {
        ui->lstSyncBooks->setFocus();
    }
}

void TdlgSyncSettings::chooseListed() {
    const QListWidgetItem* item = ui->lstSyncBooks->currentItem();
    if (item != nullptr) {
        ui->edtSyncUrl->setText(item->data(Qt::UserRole).toString());
    }
}

void TdlgSyncSettings::accept() {
    const QString typed = ui->edtSyncUrl->text().trimmed();
    if (!typed.isEmpty()) {
        const QString refusal = DavUrl::Refusal(DavUrl::Collection(typed));
        if (!refusal.isEmpty()) {
            ShowMessage(MsgType::Error, refusal, MsgButtons::Ok, this);
            ui->edtSyncUrl->setFocus();
            return;
        }
    }
    QDialog::accept();
}

void TdlgSyncSettings::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        showLastSync();
    }
    QDialog::changeEvent(event);
}
