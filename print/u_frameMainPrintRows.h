#pragma once

#include <QFrame>
#include <QList>
#include <QStringList>

class TColumnMap;
class QListWidget;
class QPushButton;
class QTabWidget;
class QToolBar;
class QVBoxLayout;
class TQuibReader;

// Print wizard, step 1: the contacts to print. The "Ro&ws" page lists every
// contact of the table with a tick; the "&Query" page holds a query builder
// that ticks the rows matching its query. The step's commands live in the
// command holder; their buttons go on the step's tool bar.
class TframeMainPrintRows : public QFrame {
    Q_OBJECT

  public:
    explicit TframeMainPrintRows(QWidget* parent = nullptr);

    QToolBar* tbPrintRows() const { return tbPrintRows_; }
    QTabWidget* tabRows() const { return tabRows_; }
    QWidget* tsRows() const { return tsRows_; }
    QWidget* tsRowsQuery() const { return tsRowsQuery_; }
    QListWidget* lstRows() const { return lstRows_; }
    QPushButton* cmdSelectAll() const { return cmdSelectAll_; }
    QPushButton* cmdUnselectAll() const { return cmdUnselectAll_; }
    // The tool bar of the "&Query" page, for "&Process Query".
    QToolBar* tbRowsQuery() const { return tbRowsQuery_; }

    // Puts the query builder on the "&Query" page; the page owns it.
    void setQueryWidget(QWidget* query);
    QWidget* queryWidget() const { return query_; }

    // One ticked entry per table row: the values of the first two catalogue
    // columns (surname and first name) joined by one space. The first entry
    // is selected.
    void FillRows(const TQuibReader& quib, const TColumnMap& fromProgram);

    // Ticks or unticks every entry ("&Select All", "&Unselect All").
    void SetAllRows(bool ticked);
    void SetRowTicked(int row, bool ticked);
    bool IsRowTicked(int row) const;
    // Entry i ticked: table row i is printed.
    QList<bool> TickedRows() const;

    bool IsQueryPageShown() const;
    void ShowRowsPage();
    void ShowQueryPage();

  signals:
    // The "&Query" page was shown (true) or left (false).
    void queryPageShown(bool shown);

  private:
    void buildRowsPage();
    void buildQueryPage();

    QToolBar* tbPrintRows_ = nullptr;
    QTabWidget* tabRows_ = nullptr;
    QWidget* tsRows_ = nullptr;
    QWidget* tsRowsQuery_ = nullptr;
    QVBoxLayout* queryLayout_ = nullptr;
    QListWidget* lstRows_ = nullptr;
    QPushButton* cmdSelectAll_ = nullptr;
    QPushButton* cmdUnselectAll_ = nullptr;
    QToolBar* tbRowsQuery_ = nullptr;
    QWidget* query_ = nullptr;
};
