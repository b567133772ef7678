#pragma once

#include "query/u_SortList.h"

#include <QFrame>
#include <QStringList>

#include <vector>

class QAction;
class QComboBox;
class QHeaderView;
class QLabel;
class QScrollBar;
class QStandardItemModel;
class QToolBar;
struct TColumnCatalogue;

// The sort builder: up to 50 sort keys of a catalogue column and an order,
// shown a window of rows at a time and paged by a scroll bar, that "&Sort"
// hands to the session. The keys live as long as the frame, so the
// next visit shows the previous ones.
class TframeMainDBSort : public QFrame {
    Q_OBJECT

  public:
    static constexpr int RowHeight = 24;
    // The designed row height, taller where the font needs it (the lists
    // and text fields never cut their text).
    int LaidOutRowHeight() const;

    explicit TframeMainDBSort(QWidget* parent = nullptr);
    ~TframeMainDBSort() override;
    TframeMainDBSort(const TframeMainDBSort&) = delete;
    TframeMainDBSort& operator=(const TframeMainDBSort&) = delete;

    // The column catalogue: full titles (item lists) and the program ->
    // database column map, read where they live; it must outlive the frame.
    void SetColumns(const TColumnCatalogue* catalogue);
    // Fills the item lists again from the catalogue's titles (a new language).
    void ColumnTitlesChanged();
    // The toolbar's commands ("&Sort", "&Cancel"), which the command holder owns.
    void SetCommands(QAction* sort, QAction* cancel);

    const TSortList& SortList() const { return sortList_; }
    void SetSortList(const TSortList& list);

    // The keys as the session sorts by them (database columns).
    QVector<TSortKey> SortKeys() const;

    void FrameResize();
    void sbSortChange();

    int VisibleRows() const { return static_cast<int>(rows_.size()); }
    int ScrollPosition() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    struct WidgetRow {
        QLabel* number = nullptr;
        QComboBox* item = nullptr;
        QComboBox* order = nullptr;
    };

    WidgetRow CreateWidgetRow(int n);
    void FillItemList(QComboBox* item) const;
    void FillOrderList(QComboBox* order) const;
    void PlaceWidgetRow(const WidgetRow& row, int j) const;
    void StoreWidgetRow(int j);
    void ScrollHintChanged();
    void Retranslate();

    TSortList sortList_;
    const TColumnCatalogue* catalogue_ = nullptr;

    QToolBar* tbSort_ = nullptr;
    QHeaderView* hdrSort_ = nullptr;
    QStandardItemModel* headerModel_ = nullptr;
    QWidget* pnlSortRows_ = nullptr;
    QScrollBar* sbSort_ = nullptr;
    std::vector<WidgetRow> rows_;
    bool initialised_ = false;
    bool refreshing_ = false;
};
