#pragma once

#include "views/u_CommandHost.h"

#include <QObject>

// Switching between the card and the table view (Show Grid), the table
// view's work commands (fill and clear the grid) and its heading clicks,
// which sort the database by the column clicked (again: descending).
class TViewCommands : public TCommandUnit {
  public:
    explicit TViewCommands(ICommandHost& host);

    // Show Grid: card -> table or table -> card.
    void ShowAsTable();

    // The sort of a heading click: by field, ascending unless the table is
    // sorted ascending by that field already. One undo step, as the sort
    // builder's.
    void SortByHeading(int field);

  private:
    void gridFill();

    QObject signals_;  // the grid's signals reach the unit while it lives
};
