#pragma once

#include "views/u_CommandHost.h"

#include <QString>

#include <functional>

// The Options command (actOptions): creates the Options dialog on the main
// window, shows it modally and frees it when it closes.
class TOptionsCommands : public TCommandUnit {
  public:
    // applySettings: the holder's ApplySettings with the occasion Manual;
    // chooseDatabase: the holder's open dialog with a title (it keeps the
    // chosen path as its preset).
    TOptionsCommands(ICommandHost& host, std::function<void()> applySettings,
                     std::function<QString(const QString& title)> chooseDatabase);

  private:
    void showOptions();

    std::function<void()> applySettings_;
    std::function<QString(const QString& title)> chooseDatabase_;
};
