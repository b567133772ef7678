#pragma once

#include "query/u_Query.h"
#include "session/u_ColumnMap.h"

#include <QFrame>
#include <QString>
#include <QStringList>
#include <QVector>

#include <memory>
#include <vector>

class QAction;
class QCheckBox;
class QComboBox;
class QHeaderView;
class QLabel;
class QLineEdit;
class QScrollBar;
class QStandardItemModel;
class QToolBar;
class TQuibReader;
class TToolBarRow;
struct TColumnCatalogue;
class TQueryMatcher;

// The query builder: edits one query of up to 50 conditions joined by "and"
// or "or", shown a window of condition rows at a time and paged by a scroll
// bar; reads and writes the query as a query file, and tells whether a table
// row of the database satisfies the query.
//
// Every instance has its own query and file name. The database and the
// column catalogue are given from outside: the catalogue's lists are read
// where they live, so a new database's column map or a new language's titles
// are seen without being handed over again.
class TframeMainQuery : public QFrame {
    Q_OBJECT

  public:
    static constexpr int RowHeight = 24;
    // The designed row height, taller where the font needs it (the lists
    // and text fields never cut their text).
    int LaidOutRowHeight() const;

    explicit TframeMainQuery(QWidget* parent = nullptr);
    ~TframeMainQuery() override;
    TframeMainQuery(const TframeMainQuery&) = delete;
    TframeMainQuery& operator=(const TframeMainQuery&) = delete;

    // The database whose rows RowMatchesQuery reads (nullptr: none).
    void SetDatabase(const TQuibReader* quib) { quib_ = quib; }
    const TQuibReader* Database() const { return quib_; }
    // The column catalogue: column names (query files), full titles (item
    // lists) and the program -> database column map. It must outlive the
    // frame.
    void SetColumns(const TColumnCatalogue* catalogue);
    // Fills the item lists again from the catalogue's titles (a new language).
    void ColumnTitlesChanged();

    const TQuery& Query() const { return query_; }
    // Replaces the query (the scroll position goes back to the first row).
    void SetQuery(const TQuery& query);
    QString FileName() const { return fileName_; }

    // Whether table row row of the database satisfies the query; an empty
    // query matches every row, and without a database no row matches.
    bool RowMatchesQuery(int row) const;
    // Every matching row of the database, in table order.
    QVector<int> MatchingRows() const;

    // Lays out the widget rows for the frame's size (also run on resize).
    void FrameResize();
    // Shows the query rows in the widget rows (the scroll bar's change).
    void sbQueryChange();

    void actQueryNewExecute();
    void actQueryOpenExecute();
    void actQuerySaveExecute();
    void actQuerySaveAsExecute();

    QAction* actQueryNew = nullptr;
    QAction* actQueryOpen = nullptr;
    QAction* actQuerySave = nullptr;
    QAction* actQuerySaveAs = nullptr;

    // The number of widget rows shown and the scroll position (from 1).
    int VisibleRows() const { return static_cast<int>(rows_.size()); }
    int ScrollPosition() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    struct WidgetRow {
        QLabel* number = nullptr;
        QComboBox* item = nullptr;
        QComboBox* compar = nullptr;
        QCheckBox* caseSensitive = nullptr;
        QLineEdit* text = nullptr;
    };

    void CreateToolBar();
    void CreateHeader();
    WidgetRow CreateWidgetRow(int n);
    void ConnectWidgetRow(const WidgetRow& row, int j);
    void FillItemList(QComboBox* item) const;
    void FillComparList(QComboBox* compar) const;
    void PlaceWidgetRow(const WidgetRow& row, int j) const;
    void StoreWidgetRow(int j);
    void txtQueryOperatorChange();
    void ScrollHintChanged();
    void Retranslate();
    // Query rows changed: the prepared matcher no longer fits.
    void QueryChanged();
    const TQueryMatcher& Matcher() const;
    QString ChooseQueryFile(bool save);
    QStringList ColumnNames() const;

    TQuery query_;
    QString fileName_;
    const TQuibReader* quib_ = nullptr;
    const TColumnCatalogue* catalogue_ = nullptr;
    mutable std::unique_ptr<TQueryMatcher> matcher_;
    mutable TColumnMap matcherMap_;  // the map matcher_ was made with

    QToolBar* tbQuery_ = nullptr;
    TToolBarRow* barsQuery_ = nullptr;
    QComboBox* txtQueryOperator_ = nullptr;
    QLabel* lblQueryOperator_ = nullptr;
    QHeaderView* hdrQuery_ = nullptr;
    QStandardItemModel* headerModel_ = nullptr;
    QWidget* pnlQueryRows_ = nullptr;
    QScrollBar* sbQuery_ = nullptr;
    std::vector<WidgetRow> rows_;
    bool initialised_ = false;
    bool refreshing_ = false;
};
