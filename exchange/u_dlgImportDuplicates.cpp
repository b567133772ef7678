#include "exchange/u_dlgImportDuplicates.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

TDuplicateAnswerer& answerer() {
    static TDuplicateAnswerer instance;
    return instance;
}

}  // namespace

TdlgImportDuplicates::TdlgImportDuplicates(const QString& question, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("TdlgImportDuplicates"));
    setWindowTitle(tr("Contacts Already in the Database"));
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(question, this);
    text->setObjectName(QStringLiteral("lblQuestion"));
    text->setWordWrap(true);
    layout->addWidget(text);
    auto* ask = new QLabel(tr("What should the import do with them?"), this);
    ask->setWordWrap(true);
    layout->addWidget(ask);
    optAdd_ = new QRadioButton(tr("&Add them anyway"), this);
    optAdd_->setObjectName(QStringLiteral("optAdd"));
    optSkip_ = new QRadioButton(tr("&Skip them"), this);
    optSkip_->setObjectName(QStringLiteral("optSkip"));
    optUpdate_ = new QRadioButton(
        tr("&Update the existing contacts: fill their empty fields and add the other phone "
           "numbers and e-mail addresses"),
        this);
    optUpdate_->setObjectName(QStringLiteral("optUpdate"));
    for (QRadioButton* option : {optAdd_, optSkip_, optUpdate_}) {
        layout->addWidget(option);
    }
    // Leaving them out changes nothing that is there: the careful default.
    optSkip_->setChecked(true);
    layout->addStretch();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("&Import"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("&Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

TDuplicateAction TdlgImportDuplicates::Action() const {
    if (optAdd_->isChecked()) {
        return TDuplicateAction::Add;
    }
    return optUpdate_->isChecked() ? TDuplicateAction::Update : TDuplicateAction::Skip;
}

void TdlgImportDuplicates::SetAction(TDuplicateAction action) {
    switch (action) {
        case TDuplicateAction::Add:
            optAdd_->setChecked(true);
            break;
        case TDuplicateAction::Skip:
            optSkip_->setChecked(true);
            break;
        case TDuplicateAction::Update:
            optUpdate_->setChecked(true);
            break;
    }
}

std::optional<TDuplicateAction> AskDuplicateAction(const QString& question, QWidget* parent) {
    if (answerer()) {
        return answerer()(question);
    }
    TdlgImportDuplicates dialog(question, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.Action();
}

void SetDuplicateAnswerer(TDuplicateAnswerer answerer) {
    ::answerer() = std::move(answerer);
}
