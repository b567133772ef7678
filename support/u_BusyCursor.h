#pragma once

#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>

// Shows the busy cursor over the whole program while work runs on the user
// interface thread (opening, converting); the message routine shows the
// normal cursor over its boxes meanwhile.
class TBusyCursor {
  public:
    TBusyCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~TBusyCursor() { QApplication::restoreOverrideCursor(); }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;
};

// Shows the busy cursor once work has run longer than a moment, so that a
// quick search does not flicker it. The work calls Poll now and then (the
// user interface thread is busy: no timer can fire meanwhile).
class TBusyCursorAfter {
  public:
    static constexpr int kDefaultDelayMs = 200;

    explicit TBusyCursorAfter(int delayMs = kDefaultDelayMs) : delayMs_(delayMs) { clock_.start(); }
    ~TBusyCursorAfter() {
        if (shown_)
            QApplication::restoreOverrideCursor();
    }
    TBusyCursorAfter(const TBusyCursorAfter&) = delete;
    TBusyCursorAfter& operator=(const TBusyCursorAfter&) = delete;

    void Poll() {
        if (!shown_ && clock_.elapsed() >= delayMs_) {
            QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
            shown_ = true;
        }
    }
    bool Shown() const { return shown_; }

  private:
    QElapsedTimer clock_;
    int delayMs_;
    bool shown_ = false;
};
