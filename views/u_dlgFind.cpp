#include "views/u_dlgFind.h"

#include "ui_u_dlgFind.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

namespace {

// start moved the least so that length fits in [low, low + room).
int clampInto(int start, int length, int low, int room) {
    return std::max(low, std::min(start, low + room - length));
}

}  // namespace

QPoint FindDialogPlace(const QRect& frame, const QRect& field, const QRect& screen) {
    const int x = clampInto(frame.x(), frame.width(), screen.x(), screen.width());
    const int y = clampInto(frame.y(), frame.height(), screen.y(), screen.height());
    if (!frame.intersects(field))
        return frame.topLeft();
    const int screenBottom = screen.y() + screen.height();
    const int screenRight = screen.x() + screen.width();
    const int below = field.y() + field.height();
    if (below + frame.height() <= screenBottom)
        return QPoint(x, std::max(below, screen.y()));
    const int above = field.y() - frame.height();
    if (above >= screen.y())
        return QPoint(x, std::min(above, screenBottom - frame.height()));
    const int right = field.x() + field.width();
    if (right + frame.width() <= screenRight)
        return QPoint(std::max(right, screen.x()), y);
    const int left = field.x() - frame.width();
    if (left >= screen.x())
        return QPoint(std::min(left, screenRight - frame.width()), y);
    // No room clear of the field: at least the whole dialog on the screen.
    return QPoint(x, y);
}

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

void TdlgFind::moveClearOf(const QRect& field) {
    const QScreen* shown = QGuiApplication::screenAt(field.center());
    if (shown == nullptr)
        shown = screen();
    if (shown == nullptr)
        return;
    const QRect frame = frameGeometry();
    const QPoint place = FindDialogPlace(frame, field, shown->availableGeometry());
    // A window's position is that of its frame.
    if (place != frame.topLeft())
        move(place);
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
