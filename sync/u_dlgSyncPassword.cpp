#include "sync/u_dlgSyncPassword.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

TdlgSyncPassword::TdlgSyncPassword(const QString& user, const QString& url, const QString& why,
                                   QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("dlgSyncPassword"));
    setWindowTitle(tr("Sync Password"));
    auto* text = new QLabel(tr("The password of %1 at %2:").arg(user, url), this);
    text->setObjectName(QStringLiteral("lblSyncPasswordFor"));
    text->setWordWrap(true);
    password_ = new QLineEdit(this);
    password_->setObjectName(QStringLiteral("edtSyncPassword"));
    password_->setEchoMode(QLineEdit::Password);
    text->setBuddy(password_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(password_);
    if (!why.isEmpty()) {
        auto* note = new QLabel(tr("No password is kept in the secret store (%1).").arg(why), this);
        note->setObjectName(QStringLiteral("lblSyncPasswordWhy"));
        note->setWordWrap(true);
        layout->addWidget(note);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("btnSyncPasswordButtons"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    setMinimumWidth(360);
}

QString TdlgSyncPassword::Password() const {
    return password_->text();
}
