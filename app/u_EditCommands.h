#pragma once

#include "views/u_CommandHost.h"

class TdlgFind;

// The Edit menu: Cut, Copy and Paste on the focused text control, and the
// basic Find and Find Next (Undo and Redo are TUndoCommands').
class TEditCommands : public TCommandUnit {
  public:
    explicit TEditCommands(ICommandHost& host);

    // The find dialog, created on first use and kept for Find Next.
    TdlgFind& FindDialog();

  private:
    void runBasicFind();

    TdlgFind* dlgFind_ = nullptr;  // owned by the main window
};
