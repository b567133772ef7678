#pragma once

#include "views/u_CommandHost.h"

#include <QList>
#include <QObject>
#include <QVector>

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

    // The records the last find by query listed, in table order, while the
    // table shows them; they follow the changes of the database (deleted
    // ones go, numbers move, appended and restored ones join).
    QList<int> QueryResult() const;

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

    QVector<int> hits_;
    QObject receiver_;  // ends the connection to the session with the unit
};
