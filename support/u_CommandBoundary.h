#pragma once

#include <QMetaObject>

#include <functional>

class QAction;
class QObject;

// The command boundary: a command's handler runs inside it, and whatever the
// handler throws is handed to ReportException there, so that no exception
// crosses Qt's signal dispatch.

// Runs handler; reports what it throws (an EExchangeError, an expected
// failure, as a plain error message). Never throws itself.
void RunGuarded(const std::function<void()>& handler) noexcept;

// Runs handler through RunGuarded each time action is triggered (while
// context lives).
QMetaObject::Connection ConnectCommand(QAction* action, const QObject* context,
                                       std::function<void()> handler);
