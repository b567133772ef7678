#pragma once

#include "views/u_CommandHost.h"

// The print wizard as a view of the main window: Print opens its first step,
// Cancel Print leaves it. The wizard's steps register here as well.
class TPrintCommands : public TCommandUnit {
  public:
    explicit TPrintCommands(ICommandHost& host);

  private:
    void print();
    void cancel();
};
