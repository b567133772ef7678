#include "print/u_frameMainPrintRows.h"

#include "session/u_ColumnMap.h"
#include "session/u_QuibReader.h"
#include "support/u_ToolBarCaptions.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include <memory>

TframeMainPrintRows::TframeMainPrintRows(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("frameMainPrintRows"));
    setProperty("helpContext", 31);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    tbPrintRows_ = new QToolBar(this);
    tbPrintRows_->setObjectName(QStringLiteral("tbPrintRows"));
    tbPrintRows_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    ShowCaptionAccelerators(*tbPrintRows_);
    layout->addWidget(tbPrintRows_);
    tabRows_ = new QTabWidget(this);
    tabRows_->setObjectName(QStringLiteral("tabRows"));
    layout->addWidget(tabRows_, 1);
    buildRowsPage();
    buildQueryPage();
    // The step first shows the query page; later runs keep the page last shown.
    tabRows_->setCurrentWidget(tsRowsQuery_);
    connect(tabRows_, &QTabWidget::currentChanged, this,
            [this](int) { emit queryPageShown(IsQueryPageShown()); });
}

void TframeMainPrintRows::buildRowsPage() {
    tsRows_ = new QWidget(tabRows_);
    tsRows_->setObjectName(QStringLiteral("tsRows"));
    auto* layout = new QVBoxLayout(tsRows_);
    lstRows_ = new QListWidget(tsRows_);
    lstRows_->setObjectName(QStringLiteral("lstRows"));
    lstRows_->setUniformItemSizes(true);
    layout->addWidget(lstRows_, 1);
    auto* buttons = new QHBoxLayout;
    cmdSelectAll_ = new QPushButton(tr("&Select All"), tsRows_);
    cmdSelectAll_->setObjectName(QStringLiteral("cmdSelectAll"));
    cmdUnselectAll_ = new QPushButton(tr("&Unselect All"), tsRows_);
    cmdUnselectAll_->setObjectName(QStringLiteral("cmdUnselectAll"));
    buttons->addWidget(cmdSelectAll_);
    buttons->addWidget(cmdUnselectAll_);
    buttons->addStretch();
    layout->addLayout(buttons);
    connect(cmdSelectAll_, &QPushButton::clicked, this, [this] { SetAllRows(true); });
    connect(cmdUnselectAll_, &QPushButton::clicked, this, [this] { SetAllRows(false); });
    tabRows_->addTab(tsRows_, tr("Ro&ws"));
}

void TframeMainPrintRows::buildQueryPage() {
    tsRowsQuery_ = new QWidget(tabRows_);
    tsRowsQuery_->setObjectName(QStringLiteral("tsRowsQuery"));
    queryLayout_ = new QVBoxLayout(tsRowsQuery_);
    tbRowsQuery_ = new QToolBar(tsRowsQuery_);
    tbRowsQuery_->setObjectName(QStringLiteral("tbRowsQuery"));
    tbRowsQuery_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    ShowCaptionAccelerators(*tbRowsQuery_);
    queryLayout_->addWidget(tbRowsQuery_);
    queryLayout_->addStretch(1);
    tabRows_->addTab(tsRowsQuery_, tr("&Query"));
}

void TframeMainPrintRows::setQueryWidget(QWidget* query) {
    if (query_ != nullptr) {
        queryLayout_->removeWidget(query_);
        query_->deleteLater();
    }
    query_ = query;
    if (query_ != nullptr) {
        // The query builder takes the room the placeholder stretch held.
        std::unique_ptr<QLayoutItem> stretch(queryLayout_->takeAt(queryLayout_->count() - 1));
        query_->setParent(tsRowsQuery_);
        queryLayout_->addWidget(query_, 1);
        query_->show();
    }
}

void TframeMainPrintRows::FillRows(const TQuibReader& quib, const TColumnMap& fromProgram) {
    const int surname = fromProgram.at(0);
    const int firstName = fromProgram.at(1);
    lstRows_->setUpdatesEnabled(false);
    lstRows_->clear();
    const int rows = quib.RowsCount();
    for (int r = 0; r < rows; ++r) {
        const QString text = (surname >= 0 ? quib.GetData(r, surname) : QString()) + u' ' +
                             (firstName >= 0 ? quib.GetData(r, firstName) : QString());
        auto* item = new QListWidgetItem(text, lstRows_);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    if (rows > 0) {
        lstRows_->setCurrentRow(0);
    }
    lstRows_->setUpdatesEnabled(true);
}

void TframeMainPrintRows::SetAllRows(bool ticked) {
    // The list is hidden while the marks change, so it repaints once.
    lstRows_->hide();
    for (int r = 0; r < lstRows_->count(); ++r) {
        lstRows_->item(r)->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
    }
    lstRows_->show();
}

void TframeMainPrintRows::SetRowTicked(int row, bool ticked) {
    if (QListWidgetItem* item = lstRows_->item(row)) {
        item->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
    }
}

bool TframeMainPrintRows::IsRowTicked(int row) const {
    const QListWidgetItem* item = lstRows_->item(row);
    return item != nullptr && item->checkState() == Qt::Checked;
}

QList<bool> TframeMainPrintRows::TickedRows() const {
    QList<bool> ticked;
    ticked.reserve(lstRows_->count());
    for (int r = 0; r < lstRows_->count(); ++r) {
        ticked.append(lstRows_->item(r)->checkState() == Qt::Checked);
    }
    return ticked;
}

bool TframeMainPrintRows::IsQueryPageShown() const {
    return tabRows_->currentWidget() == tsRowsQuery_;
}

void TframeMainPrintRows::ShowRowsPage() {
    tabRows_->setCurrentWidget(tsRows_);
}

void TframeMainPrintRows::ShowQueryPage() {
    tabRows_->setCurrentWidget(tsRowsQuery_);
}
