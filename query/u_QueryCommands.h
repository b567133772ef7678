#pragma once

#include "views/u_CommandHost.h"

class TframeMainDBQuery;
class TframeMainDBSort;

// Find by query and the sort builder as commands of the main window: the
// query view (actEditFindQuery), processing and closing it, ticking the rows
// of the print wizard by its query, and the sort builder with "&Sort" and
// "&Cancel". The unit hands the builders the open database and its column
// catalogue once; both stay live for the program's run.
class TQueryCommands : public TCommandUnit {
  public:
    explicit TQueryCommands(ICommandHost& host);

    // The view that was in front when the query view was opened.
    TView ViewBeforeQuery = TView::Card;

  private:
    TframeMainDBQuery& queryView() const;
    TframeMainDBSort& sortView() const;
    void bindViews();

    void showQuery();
    void processQuery();
    void closeQuery();
    void printRowsQuery();
    void showSort();
    void processSort();
    void cancelSort();
};
