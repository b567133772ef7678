#include "views/u_FilterBar.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

TFilterBar::TFilterBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pnlFilterBar"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    edit_ = new QLineEdit(this);
    edit_->setObjectName(QStringLiteral("edtFilter"));
    edit_->setClearButtonEnabled(true);
    edit_->installEventFilter(this);
    count_ = new QLabel(this);
    count_->setObjectName(QStringLiteral("lblFilterCount"));
    count_->hide();
    layout->addWidget(edit_);
    layout->addWidget(count_);
    // textChanged also follows the clear button, which textEdited misses;
    // setText blocks the signals.
    connect(edit_, &QLineEdit::textChanged, this, &TFilterBar::filterEdited);
    connect(edit_, &QLineEdit::textChanged, this, &TFilterBar::fitWidth);
    retranslate();
}

QString TFilterBar::text() const {
    return edit_->text();
}

void TFilterBar::setText(const QString& text) {
    if (edit_->text() != text) {
        const QSignalBlocker blocker(edit_);
        edit_->setText(text);
    }
}

void TFilterBar::showCount(bool filtered, int shown, int total) {
    filtered_ = filtered;
    shown_ = shown;
    total_ = total;
    count_->setText(countText());
    count_->setVisible(filtered);
}

QString TFilterBar::countText() const {
    if (!filtered_) {
        return {};
    }
    return QCoreApplication::translate("TFilterBar", "%1 of %2").arg(shown_).arg(total_);
}

void TFilterBar::focusFilter() {
    edit_->setFocus(Qt::ShortcutFocusReason);
    edit_->selectAll();
}

void TFilterBar::retranslate() {
    edit_->setPlaceholderText(QCoreApplication::translate("TFilterBar", "Filter"));
    fitWidth();
    edit_->setToolTip(QCoreApplication::translate(
        "TFilterBar", "Show only the contacts that contain the text (Ctrl+K; Esc shows all)"));
    count_->setText(countText());
}

bool TFilterBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit_) {
        if (event->type() == QEvent::FocusIn) {
            fitWidth();
            emit filterFocused();
        } else if (event->type() == QEvent::FocusOut) {
            fitWidth();
        } else if (event->type() == QEvent::KeyPress &&
                   static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
                   !edit_->text().isEmpty()) {
            edit_->clear();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// Idle, the box is as wide as its placeholder, so that the navigation text
// keeps the database's name at the default size; typing in it, it asks for
// room for a name but takes only what the bar has left, never lying over
// the count or the navigation text.
void TFilterBar::fitWidth() {
    const QFontMetrics metrics = edit_->fontMetrics();
    const bool inUse = edit_->hasFocus() || !edit_->text().isEmpty();
    const int idle = metrics.horizontalAdvance(edit_->placeholderText()) + 10;
    // The frame's margins, and the clear button's room while in use.
    const int wanted = metrics.horizontalAdvance(QLatin1Char('x')) * 12 + 28;
    edit_->setMinimumWidth(idle);
    edit_->setMaximumWidth(inUse ? std::max(idle, wanted) : idle);
    edit_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}
