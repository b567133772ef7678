#pragma once

#include "views/u_CommandHost.h"

#include <QList>

// The data exchange commands of the File menu: database import and export
// between layouts, CSV import and export, vCard import and export; and the
// Tools menu's search for duplicates, which imports leave behind.
class TExchangeCommands : public TCommandUnit {
  public:
    explicit TExchangeCommands(ICommandHost& host);

  private:
    void importExportTBR();
    void importFromCSV();
    void exportToCSV();
    void importFromVCard();
    void exportToVCard();
    void findDuplicates();
};
