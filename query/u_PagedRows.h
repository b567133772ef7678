#pragma once

class QEvent;
class QObject;
class QScrollBar;
class QString;
class QWidget;

// What the query and sort builders share: a panel of widget rows that shows
// a window of a fixed number of rows, paged by a scroll bar at its right.
namespace PagedRows {

// Puts bar at the right edge of panel and sets its range for the rows that
// fit below top; returns how many rows fit (1 to rowCount). The bar's value
// may drop to the new maximum without a signal: the caller refreshes.
int LayOut(QScrollBar* bar, const QWidget* panel, int top, int rowHeight, int rowCount);

// Shows hint as the bar's tooltip and in the main window's status line.
void ShowHint(QScrollBar* bar, const QString& hint);

// The wheel over a row's control (one with a "tag" property) that has no
// focus pages the rows instead of changing the control; true when it did.
bool PageByWheel(QObject* watched, QEvent* event, QScrollBar* bar);

}  // namespace PagedRows
