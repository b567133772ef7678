#pragma once

#include "session/u_ColumnMap.h"

#include <QFrame>
#include <QStringList>
#include <QVector>

class QAction;
class QToolBar;
class TframeMainGrid;
class TframeMainQuery;

// The find-by-query view: "&Process Query" and "&Close Query" above a query
// builder. Processing lists the contacts that match the query in the table
// view's grid; the query and its file name stay for the next visit.
class TframeMainDBQuery : public QFrame {
    Q_OBJECT

  public:
    explicit TframeMainDBQuery(QWidget* parent = nullptr);
    ~TframeMainDBQuery() override;
    TframeMainDBQuery(const TframeMainDBQuery&) = delete;
    TframeMainDBQuery& operator=(const TframeMainDBQuery&) = delete;

    TframeMainQuery& QueryBuilder() const { return *frameMainQuery_; }

    // The toolbar's commands, which the command holder owns.
    void SetCommands(QAction* process, QAction* close);

    // Shows every contact that matches the query in grid, numbered with its
    // table row + 1, and makes the first cell current; returns the matches'
    // records (with none the grid is left empty). The database's rows, order
    // and cursor are not touched.
    QVector<int> ProcessQuery(TframeMainGrid& grid, const QStringList& titlesFull,
                              const TColumnMap& indexFromProgram) const;

  private:
    QToolBar* tbDBQuery_ = nullptr;
    TframeMainQuery* frameMainQuery_ = nullptr;
};
