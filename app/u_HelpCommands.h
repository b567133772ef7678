#pragma once

#include "views/u_CommandHost.h"

#include <memory>

class THelpRouter;

// The Help menu's commands: Help Topics, Topic Search, How To Use Help, What
// Is New, help by context (F1 over a menu), Check for Updates, Product Web
// Site and About, and the hidden command that raises a test error.
class THelpCommands : public TCommandUnit {
  public:
    explicit THelpCommands(ICommandHost& host);
    ~THelpCommands() override;

    THelpRouter& HelpRouter() const { return *helpRouter_; }
    void ShowHelpContext(int context);

  private:
    std::unique_ptr<THelpRouter> helpRouter_;
};
