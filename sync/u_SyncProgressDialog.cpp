#include "sync/u_SyncProgressDialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <limits>

namespace {

// The bar counts in int: larger counts are scaled down.
int scaled(qint64 value, qint64 total) {
    constexpr qint64 kMax = std::numeric_limits<int>::max();
    return static_cast<int>(total <= kMax ? value : value / (total / kMax + 1));
}

bool isUserInput(QEvent::Type type) {
    switch (type) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::Drop:
        case QEvent::Close:
            return true;
        default:
            return false;
    }
}

}  // namespace

TSyncProgressDialog::TSyncProgressDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("dlgSyncProgress"));
    setWindowTitle(tr("Sync"));
    setWindowModality(Qt::WindowModal);
    setMinimumWidth(360);
    stage_ = new QLabel(this);
    stage_->setObjectName(QStringLiteral("lblSyncStage"));
    stage_->setWordWrap(true);
    bar_ = new QProgressBar(this);
    bar_->setObjectName(QStringLiteral("barSync"));
    bar_->setRange(0, 0);  // a busy bar until the count is known
    cancel_ = new QPushButton(tr("Cancel"), this);
    cancel_->setObjectName(QStringLiteral("btnSyncCancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(stage_);
    layout->addWidget(bar_);
    layout->addLayout(buttons);
    connect(cancel_, &QPushButton::clicked, this, &TSyncProgressDialog::cancel);
    showTimer_.setSingleShot(true);
    connect(&showTimer_, &QTimer::timeout, this, [this] {
        if (!cancelled_) {
            show();
        }
    });
    showTimer_.start(kShowAfterMs);
    qApp->installEventFilter(this);
}

TSyncProgressDialog::~TSyncProgressDialog() {
    qApp->removeEventFilter(this);
}

void TSyncProgressDialog::Show(const QString& stage, qint64 done, qint64 total) {
    stage_->setText(total > 0 ? tr("%1 (%2 of %3)").arg(stage).arg(done).arg(total) : stage);
    const int top = scaled(total, total);
    if (bar_->maximum() != top) {
        bar_->setRange(0, top);
    }
    bar_->setValue(scaled(qMin(done, total), total));
}

void TSyncProgressDialog::cancel() {
    if (cancelled_) {
        return;
    }
    cancelled_ = true;
    cancel_->setEnabled(false);
    stage_->setText(tr("Stopping the sync; what was done is kept…"));
    emit cancelRequested();
}

bool TSyncProgressDialog::isBlocked(const QObject* watched) const {
    if (!watched->isWidgetType()) {
        return false;
    }
    // The program's windows as they were when the sync started; a modal
    // window shown since (a message box) takes its input as always.
    const QWidget* window = static_cast<const QWidget*>(watched)->window();
    return window != this && !window->isModal();
}

bool TSyncProgressDialog::eventFilter(QObject* watched, QEvent* event) {
    // Input meant for the other windows is dropped while the sync runs, and
    // they are not closed meanwhile.
    if (isUserInput(event->type()) && isBlocked(watched)) {
        if (event->type() == QEvent::Close) {
            event->ignore();
        }
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TSyncProgressDialog::closeEvent(QCloseEvent* event) {
    // Closing the window asks the sync to stop; it goes when the sync ends.
    event->ignore();
    cancel();
}

void TSyncProgressDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        cancel();
        return;
    }
    QDialog::keyPressEvent(event);
}
