#pragma once

#include <QApplication>
#include <QCursor>

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
