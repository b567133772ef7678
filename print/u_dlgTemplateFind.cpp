#include "print/u_dlgTemplateFind.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TdlgTemplateFind::TdlgTemplateFind(Mode mode, QWidget* parent) : QDialog(parent), mode_(mode) {
    const bool replacing = mode == Mode::Replace;
    setObjectName(replacing ? QStringLiteral("dlgReplace") : QStringLiteral("dlgFind"));
    setWindowTitle(replacing ? tr("Replace") : tr("Find"));
    auto* fields = new QFormLayout;
    txtFind_ = new QLineEdit(this);
    txtFind_->setObjectName(QStringLiteral("txtFind"));
    fields->addRow(tr("Fi&nd what:"), txtFind_);
    if (replacing) {
        txtReplace_ = new QLineEdit(this);
        txtReplace_->setObjectName(QStringLiteral("txtReplace"));
        fields->addRow(tr("Re&place with:"), txtReplace_);
    }
    chkWholeWord_ = new QCheckBox(tr("Match &whole word only"), this);
    chkWholeWord_->setObjectName(QStringLiteral("chkWholeWord"));
    chkMatchCase_ = new QCheckBox(tr("Match &case"), this);
    chkMatchCase_->setObjectName(QStringLiteral("chkMatchCase"));
    fields->addRow(chkWholeWord_);
    fields->addRow(chkMatchCase_);

    auto* buttons = new QVBoxLayout;
    cmdFindNext_ = new QPushButton(tr("&Find Next"), this);
    cmdFindNext_->setObjectName(QStringLiteral("cmdFindNext"));
    cmdFindNext_->setDefault(true);
    buttons->addWidget(cmdFindNext_);
    connect(cmdFindNext_, &QPushButton::clicked, this, &TdlgTemplateFind::findNext);
    if (replacing) {
        cmdReplace_ = new QPushButton(tr("&Replace"), this);
        cmdReplace_->setObjectName(QStringLiteral("cmdReplace"));
        cmdReplaceAll_ = new QPushButton(tr("Replace &All"), this);
        cmdReplaceAll_->setObjectName(QStringLiteral("cmdReplaceAll"));
        buttons->addWidget(cmdReplace_);
        buttons->addWidget(cmdReplaceAll_);
        connect(cmdReplace_, &QPushButton::clicked, this, &TdlgTemplateFind::replaceNext);
        connect(cmdReplaceAll_, &QPushButton::clicked, this, &TdlgTemplateFind::replaceNext);
    }
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(cancel);
    buttons->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addLayout(buttons);
    connect(txtFind_, &QLineEdit::textChanged, this, &TdlgTemplateFind::updateButtons);
    updateButtons();
}

QString TdlgTemplateFind::findText() const {
    return txtFind_->text();
}

void TdlgTemplateFind::setFindText(const QString& text) {
    txtFind_->setText(text);
}

QString TdlgTemplateFind::replaceText() const {
    return txtReplace_ != nullptr ? txtReplace_->text() : QString();
}

void TdlgTemplateFind::setReplaceText(const QString& text) {
    if (txtReplace_ != nullptr) {
        txtReplace_->setText(text);
    }
}

bool TdlgTemplateFind::matchCase() const {
    return chkMatchCase_->isChecked();
}

void TdlgTemplateFind::setMatchCase(bool on) {
    chkMatchCase_->setChecked(on);
}

bool TdlgTemplateFind::wholeWord() const {
    return chkWholeWord_->isChecked();
}

void TdlgTemplateFind::setWholeWord(bool on) {
    chkWholeWord_->setChecked(on);
}

void TdlgTemplateFind::updateButtons() {
    const bool any = !txtFind_->text().isEmpty();
    for (QPushButton* b : {cmdFindNext_, cmdReplace_, cmdReplaceAll_}) {
        if (b != nullptr) {
            b->setEnabled(any);
        }
    }
}
