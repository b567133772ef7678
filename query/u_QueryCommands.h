#pragma once

#include "views/u_CommandHost.h"

// The query view and the sort builder as views of the main window: Query
// (actEditFindQuery) and closing it, Sort database and its Cancel. The query
// processing and the sort itself register here as well.
class TQueryCommands : public TCommandUnit {
  public:
    explicit TQueryCommands(ICommandHost& host);

    // The view that was in front when the query view was opened.
    TView ViewBeforeQuery = TView::Card;

  private:
    void showQuery();
    void closeQuery();
    void showSort();
    void cancelSort();
};
