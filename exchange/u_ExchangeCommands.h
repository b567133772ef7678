#pragma once

#include "views/u_CommandHost.h"

// The data exchange commands of the File menu: database import and export
// between layouts, CSV import and CSV export.
class TExchangeCommands : public TCommandUnit {
  public:
    explicit TExchangeCommands(ICommandHost& host);

  private:
    void importExportTBR();
    void importFromCSV();
    void exportToCSV();
};
