#include "query/u_frameMainDBSort.h"

#include "query/u_PagedRows.h"
#include "session/u_ContactsSession.h"
#include "support/u_ToolBarCaptions.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Widget row geometry inside the row panel, in pixels.
constexpr int kTop = 2;
constexpr int kRowControlHeight = 22;
constexpr int kNumberLeft = 2;
constexpr int kNumberWidth = 30;
constexpr int kItemLeft = 36;
constexpr int kOrderWidth = 90;
constexpr int kGap = 7;  // between the lists and the scroll bar
constexpr int kMinItemWidth = 80;

}  // namespace

TframeMainDBSort::TframeMainDBSort(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("frameMainDBSort"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    tbSort_ = new QToolBar(this);
    tbSort_->setObjectName(QStringLiteral("tbSort"));
    tbSort_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    ShowCaptionAccelerators(*tbSort_);
    headerModel_ = new QStandardItemModel(0, 2, this);
    hdrSort_ = new QHeaderView(Qt::Horizontal, this);
    hdrSort_->setObjectName(QStringLiteral("hdrSort"));
    hdrSort_->setModel(headerModel_);
    hdrSort_->setSectionResizeMode(QHeaderView::Fixed);
    hdrSort_->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    hdrSort_->setStretchLastSection(false);
    hdrSort_->setFixedHeight(hdrSort_->fontMetrics().height() + 10);
    pnlSortRows_ = new QWidget(this);
    pnlSortRows_->setObjectName(QStringLiteral("pnlSortRows"));
    pnlSortRows_->installEventFilter(this);
    sbSort_ = new QScrollBar(Qt::Vertical, pnlSortRows_);
    sbSort_->setObjectName(QStringLiteral("sbSort"));
    sbSort_->setRange(1, 1);
    connect(sbSort_, &QScrollBar::valueChanged, this, [this] {
        sbSortChange();
        ScrollHintChanged();
    });
    layout->addWidget(tbSort_);
    layout->addWidget(hdrSort_);
    layout->addWidget(pnlSortRows_, 1);

    sortList_.Clear();
    rows_.push_back(CreateWidgetRow(1));
    // Entering the view puts the keyboard on the first key's column.
    setFocusProxy(rows_.front().item);
    Retranslate();
    initialised_ = true;
    FrameResize();
}

TframeMainDBSort::~TframeMainDBSort() = default;

void TframeMainDBSort::SetCommands(QAction* sort, QAction* cancel) {
    tbSort_->clear();
    tbSort_->addAction(sort);
    tbSort_->addAction(cancel);
}

TframeMainDBSort::WidgetRow TframeMainDBSort::CreateWidgetRow(int n) {
    WidgetRow row;
    const QString number = QString::number(n);
    row.number = new QLabel(pnlSortRows_);
    row.number->setObjectName(QStringLiteral("lblSortNumber") + number);
    row.number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    row.item = new QComboBox(pnlSortRows_);
    row.item->setObjectName(QStringLiteral("txtSortItem") + number);
    row.order = new QComboBox(pnlSortRows_);
    row.order->setObjectName(QStringLiteral("txtSortOrder") + number);
    for (QWidget* w : {static_cast<QWidget*>(row.number), static_cast<QWidget*>(row.item),
                       static_cast<QWidget*>(row.order)}) {
        w->setProperty("tag", n);
        w->installEventFilter(this);  // the wheel pages the rows
    }
    FillItemList(row.item);
    FillOrderList(row.order);
    const auto store = [this, n] { StoreWidgetRow(n); };
    connect(row.item, &QComboBox::currentIndexChanged, this, store);
    connect(row.order, &QComboBox::currentIndexChanged, this, store);
    return row;
}

void TframeMainDBSort::FillItemList(QComboBox* item) const {
    const int current = std::max(0, item->currentIndex());
    const QSignalBlocker block(item);
    item->clear();
    if (catalogue_)
        item->addItems(catalogue_->lstDBColsTitleFull);
    item->setCurrentIndex(std::min(current, item->count() - 1));
}

void TframeMainDBSort::FillOrderList(QComboBox* order) const {
    const QSignalBlocker block(order);
    if (order->count() == 0)
        order->addItems({QStringLiteral("-"), QStringLiteral("ASC"), QStringLiteral("DESC")});
    if (order->currentIndex() < 0)
        order->setCurrentIndex(0);
}

void TframeMainDBSort::SetColumns(const TColumnCatalogue* catalogue) {
    catalogue_ = catalogue;
    ColumnTitlesChanged();
}

void TframeMainDBSort::ColumnTitlesChanged() {
    for (const WidgetRow& row : rows_)
        FillItemList(row.item);
    sbSortChange();
}

void TframeMainDBSort::SetSortList(const TSortList& list) {
    sortList_ = list;
    sbSortChange();
}

QVector<TSortKey> TframeMainDBSort::SortKeys() const {
    return catalogue_ ? sortList_.Keys(catalogue_->lstDBColsIndexFromProgram) : QVector<TSortKey>();
}

int TframeMainDBSort::ScrollPosition() const {
    return sbSort_->value();
}

// --- Layout and refresh ----------------------------------------------------

int TframeMainDBSort::LaidOutRowHeight() const {
    const int controls = rows_.empty() ? 0 : rows_.front().item->minimumSizeHint().height();
    return std::max(RowHeight, controls + (RowHeight - kRowControlHeight));
}

void TframeMainDBSort::FrameResize() {
    if (!initialised_)
        return;
    const int visible =
        PagedRows::LayOut(sbSort_, pnlSortRows_, kTop, LaidOutRowHeight(), TSortList::RowCount);
    while (static_cast<int>(rows_.size()) < visible) {
        rows_.push_back(CreateWidgetRow(static_cast<int>(rows_.size()) + 1));
        const WidgetRow& row = rows_.back();
        row.number->show();
        row.item->show();
        row.order->show();
    }
    while (static_cast<int>(rows_.size()) > visible) {
        const WidgetRow row = rows_.back();
        rows_.pop_back();
        delete row.number;
        delete row.item;
        delete row.order;
    }
    for (int j = 1; j <= static_cast<int>(rows_.size()); ++j)
        PlaceWidgetRow(rows_[j - 1], j);
    // "Item" reaches over the numbers and the item lists to the order lists,
    // "Order" from there to the scroll bar.
    const int orderLeft = rows_.front().order->x();
    hdrSort_->resizeSection(0, orderLeft);
    hdrSort_->resizeSection(1, std::max(0, sbSort_->x() - orderLeft));
    sbSortChange();
}

void TframeMainDBSort::PlaceWidgetRow(const WidgetRow& row, int j) const {
    const int y = kTop + (j - 1) * LaidOutRowHeight();
    const int controlHeight = LaidOutRowHeight() - (RowHeight - kRowControlHeight);
    const int orderLeft =
        std::max(kItemLeft + kMinItemWidth + kGap, sbSort_->x() - kGap - kOrderWidth);
    row.number->setGeometry(kNumberLeft, y, kNumberWidth, controlHeight);
    row.order->setGeometry(orderLeft, y, kOrderWidth, controlHeight);
    row.item->setGeometry(kItemLeft, y, orderLeft - kGap - kItemLeft, controlHeight);
}

void TframeMainDBSort::sbSortChange() {
    if (refreshing_)
        return;
    refreshing_ = true;
    const int defined = sortList_.DefinedCount();
    const int s = sbSort_->value();
    for (int j = 1; j <= static_cast<int>(rows_.size()); ++j) {
        const WidgetRow& w = rows_[j - 1];
        const int n = s + j - 1;
        const TSortList::Row& row = sortList_.row(n - 1);
        w.number->setText(QString::number(n) + QLatin1Char('.'));
        w.item->setCurrentIndex(row.item < w.item->count() ? row.item : 0);
        w.order->setCurrentIndex(row.order);
        // The keys and the first free row can be edited.
        const bool enabled = n <= defined + 1;
        w.number->setEnabled(enabled);
        w.item->setEnabled(enabled);
        w.order->setEnabled(enabled);
    }
    refreshing_ = false;
}

void TframeMainDBSort::StoreWidgetRow(int j) {
    if (refreshing_ || j < 1 || j > static_cast<int>(rows_.size()))
        return;
    const WidgetRow& w = rows_[j - 1];
    TSortList::Row row;
    row.item = static_cast<uint8_t>(std::clamp(w.item->currentIndex(), 0, 255));
    row.order = std::max(0, w.order->currentIndex());
    sortList_.setRow(sbSort_->value() + j - 2, row);
    sbSortChange();
}

void TframeMainDBSort::ScrollHintChanged() {
    const int s = sbSort_->value();
    PagedRows::ShowHint(sbSort_, tr("Sort Rows: %1 - %2").arg(s).arg(s + VisibleRows() - 1));
}

bool TframeMainDBSort::eventFilter(QObject* watched, QEvent* event) {
    if (watched == pnlSortRows_ && event->type() == QEvent::Resize) {
        FrameResize();
    } else if (PagedRows::PageByWheel(watched, event, sbSort_)) {
        return true;
    }
    return QFrame::eventFilter(watched, event);
}

void TframeMainDBSort::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        Retranslate();
    QFrame::changeEvent(event);
}

void TframeMainDBSort::Retranslate() {
    headerModel_->setHorizontalHeaderLabels({tr("Item"), tr("Order")});
}
