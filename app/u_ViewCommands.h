#pragma once

#include "views/u_CommandHost.h"

// Switching between the card and the table view (Show Grid) and the table
// view's work commands (fill and clear the grid).
class TViewCommands : public TCommandUnit {
  public:
    explicit TViewCommands(ICommandHost& host);

    // Show Grid: card -> table or table -> card.
    void ShowAsTable();

  private:
    void gridFill();
};
