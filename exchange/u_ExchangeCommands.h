#pragma once

#include "exchange/u_ContactExport.h"
#include "views/u_CommandHost.h"

#include <QList>

// The data exchange commands of the File menu: database import and export
// between layouts, CSV import and export, vCard import and export; and the
// Tools menu's search for duplicates, which imports leave behind; and the
// exports of the card's and the table's context menu, which write the
// current contact or the contacts shown without a dialog.
class TExchangeCommands : public TCommandUnit {
  public:
    explicit TExchangeCommands(ICommandHost& host);

  private:
    void importExportTBR();
    void importFromCSV();
    void exportToCSV();
    void importFromVCard();
    void exportToVCard();
    // Gives every record an identity before vCards are written; false (the
    // error shown) when that fails.
    bool ensureIdentities();
    void findDuplicates();

    // The current contact, or every contact the view in front shows.
    enum class TScope { Contact, Shown };
    // The records of scope in the view in front (the card or the table), in
    // its order; none in the other views or without a database.
    QList<int> recordsOf(TScope scope) const;
    // Whether scope has a record, cheaper than recordsOf.
    bool hasRecords(TScope scope) const;
    void exportRecords(TScope scope, ContactExport::TFormat format);
    void updateContextExports();
};
