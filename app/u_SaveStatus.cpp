#include "app/u_SaveStatus.h"

#include "session/u_BackgroundWriter.h"

#include <QTime>

TSaveStatus::TSaveStatus(TBackgroundWriter& writer, QWidget* parent)
    : QLabel(parent), writer_(writer) {
    setObjectName(QStringLiteral("lblStatusSave"));
    setFrameShape(QFrame::StyledPanel);
    connect(&writer_, &TBackgroundWriter::writeRequested, this, [this] {
        state_ = TState::Saving;
        showState();
    });
    connect(&writer_, &TBackgroundWriter::writeSucceeded, this, [this] {
        // A later save may still be waiting: it is the one that counts.
        if (!writer_.Idle())
            return;
        state_ = TState::Saved;
        savedAt_ = QTime::currentTime().toString(QStringLiteral("HH:mm:ss"));
        showState();
    });
    connect(&writer_, &TBackgroundWriter::writeFailed, this, [this] {
        state_ = TState::Failed;
        showState();
    });
    showState();
}

void TSaveStatus::retranslate() {
    showState();
}

void TSaveStatus::showState() {
    // Before the first save there is nothing to tell: no empty panel shows.
    setVisible(state_ != TState::None);
    switch (state_) {
        case TState::None:
            setText(QString());
            break;
        case TState::Saving:
            setText(tr("Saving..."));
            break;
        case TState::Saved:
            setText(tr("Saved at %1").arg(savedAt_));
            break;
        case TState::Failed:
            setText(tr("Not saved"));
            break;
    }
}
