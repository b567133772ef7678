#include "query/u_PagedRows.h"

#include <QCoreApplication>
#include <QEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStatusTipEvent>
#include <QWidget>

#include <algorithm>

namespace PagedRows {

int LayOut(QScrollBar* bar, const QWidget* panel, int top, int rowHeight, int rowCount) {
    const int height = panel->height();
    const int visible = std::clamp((height - top) / rowHeight, 1, rowCount);
    const int barWidth = bar->sizeHint().width();
    bar->setGeometry(panel->width() - barWidth, 0, barWidth, height);
    const QSignalBlocker block(bar);
    bar->setRange(1, rowCount + 1 - visible);
    bar->setPageStep(visible);
    return visible;
}

void ShowHint(QScrollBar* bar, const QString& hint) {
    bar->setToolTip(hint);
    bar->setStatusTip(hint);
    QStatusTipEvent tip(hint);
    QCoreApplication::sendEvent(bar, &tip);
}

bool PageByWheel(QObject* watched, QEvent* event, QScrollBar* bar) {
    if (event->type() != QEvent::Wheel || !watched->property("tag").isValid() ||
        static_cast<QWidget*>(watched)->hasFocus()) {
        return false;
    }
    QCoreApplication::sendEvent(bar, event);
    return true;
}

}  // namespace PagedRows
