#include "sync/u_SyncStatusLabel.h"

#include <QEvent>
#include <QLocale>

TSyncStatusLabel::TSyncStatusLabel(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("lblStatusSync"));
    setFrameShape(QFrame::StyledPanel);
    hide();
}

void TSyncStatusLabel::Show(bool hasBook, const QDateTime& lastSync, const QString& problem) {
    hasBook_ = hasBook;
    lastSync_ = lastSync;
    problem_ = problem;
    refresh();
}

void TSyncStatusLabel::SetSyncing(bool syncing) {
    syncing_ = syncing;
    refresh();
}

void TSyncStatusLabel::refresh() {
    setVisible(hasBook_);
    const QString last =
        lastSync_.isValid()
            ? tr("Last sync: %1")
                  .arg(QLocale().toString(lastSync_.toLocalTime(), QLocale::ShortFormat))
            : tr("Not synced yet");
    setText(syncing_ ? tr("Syncing…") : last);
    setToolTip(problem_.isEmpty() ? last : tr("The last sync failed: %1").arg(problem_));
}

void TSyncStatusLabel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        refresh();
    }
    QLabel::changeEvent(event);
}
