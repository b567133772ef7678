#include "views/u_dlgFind.h"

#include "ui_u_dlgFind.h"

#include <QEvent>

TdlgFind::TdlgFind(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::TdlgFind>()) {
    ui->setupUi(this);
    setModal(false);
    // Whole-word matching is not offered by the search.
    ui->chkWholeWord->setVisible(false);
    ui->optDown->setChecked(true);
    connect(ui->cmdFindNext, &QPushButton::clicked, this, &TdlgFind::cmdFindNextClick);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &QDialog::close);
    connect(ui->txtFindText, &QLineEdit::textChanged, this, &TdlgFind::updateFindNextEnabled);
    updateFindNextEnabled();
}

TdlgFind::~TdlgFind() = default;

QString TdlgFind::findText() const {
    return ui->txtFindText->text();
}

void TdlgFind::setFindText(const QString& text) {
    ui->txtFindText->setText(text);
}

BasicFind::Direction TdlgFind::direction() const {
    return ui->optUp->isChecked() ? BasicFind::Direction::Up : BasicFind::Direction::Down;
}

void TdlgFind::setDirection(BasicFind::Direction direction) {
    (direction == BasicFind::Direction::Up ? ui->optUp : ui->optDown)->setChecked(true);
}

bool TdlgFind::matchCase() const {
    return ui->chkMatchCase->isChecked();
}

void TdlgFind::setMatchCase(bool on) {
    ui->chkMatchCase->setChecked(on);
}

BasicFind::Request TdlgFind::request() const {
    return BasicFind::Request{findText(), direction(), matchCase()};
}

void TdlgFind::cmdFindNextClick() {
    emit findNext();
}

void TdlgFind::updateFindNextEnabled() {
    ui->cmdFindNext->setEnabled(!findText().isEmpty());
}

void TdlgFind::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
    QDialog::changeEvent(event);
}
