#include "views/u_FilterBar.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

TFilterBar::TFilterBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pnlFilterBar"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 0, 2, 0);
    layout->setSpacing(4);
    edit_ = new QLineEdit(this);
    edit_->setObjectName(QStringLiteral("edtFilter"));
    edit_->setClearButtonEnabled(true);
    edit_->installEventFilter(this);
    count_ = new QLabel(this);
    count_->setObjectName(QStringLiteral("lblFilterCount"));
    count_->hide();
    // Room for a name; the record numbers beside it keep theirs.
    edit_->setFixedWidth(edit_->fontMetrics().horizontalAdvance(QStringLiteral("x")) * 12 + 16);
    layout->addWidget(edit_);
    layout->addWidget(count_);
    // textChanged also follows the clear button, which textEdited misses;
    // setText blocks the signals.
    connect(edit_, &QLineEdit::textChanged, this, &TFilterBar::filterEdited);
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
    edit_->setToolTip(QCoreApplication::translate(
        "TFilterBar", "Show only the contacts that contain the text (Ctrl+K; Esc shows all)"));
    count_->setText(countText());
}

bool TFilterBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit_) {
        if (event->type() == QEvent::FocusIn) {
            emit filterFocused();
        } else if (event->type() == QEvent::KeyPress &&
                   static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
                   !edit_->text().isEmpty()) {
            edit_->clear();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
