#pragma once

#include <QLabel>

class TBackgroundWriter;

// The status bar's save panel: "Saving..." while a save has not reached the
// disk, then the time of the last save; empty before the first save.
class TSaveStatus : public QLabel {
    Q_OBJECT

  public:
    TSaveStatus(TBackgroundWriter& writer, QWidget* parent);

    // Texts again in the language now chosen.
    void retranslate();

  private:
    void showState();

    TBackgroundWriter& writer_;
    enum class TState { None, Saving, Saved, Failed } state_ = TState::None;
    QString savedAt_;
};
