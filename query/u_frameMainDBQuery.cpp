#include "query/u_frameMainDBQuery.h"

#include "query/u_frameMainQuery.h"
#include "support/u_ToolBarCaptions.h"
#include "views/u_frameMainGrid.h"

#include <QAction>
#include <QToolBar>
#include <QVBoxLayout>

#include <utility>

TframeMainDBQuery::TframeMainDBQuery(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("frameMainDBQuery"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    tbDBQuery_ = new QToolBar(this);
    tbDBQuery_->setObjectName(QStringLiteral("tbDBQuery"));
    tbDBQuery_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    ShowCaptionAccelerators(*tbDBQuery_);
    frameMainQuery_ = new TframeMainQuery(this);
    layout->addWidget(tbDBQuery_);
    layout->addWidget(frameMainQuery_, 1);
    setFocusProxy(frameMainQuery_);
}

TframeMainDBQuery::~TframeMainDBQuery() = default;

void TframeMainDBQuery::SetCommands(QAction* process, QAction* close) {
    tbDBQuery_->clear();
    tbDBQuery_->addAction(process);
    tbDBQuery_->addAction(close);
}

QVector<int> TframeMainDBQuery::ProcessQuery(TframeMainGrid& grid, const QStringList& titlesFull,
                                             const TColumnMap& indexFromProgram) const {
    QVector<int> hits = frameMainQuery_->MatchingRows();
    grid.GridClear();
    if (hits.isEmpty())
        return hits;
    // The grid reads the database the query builder reads.
    grid.ShowRecords(*frameMainQuery_->Database(), titlesFull, indexFromProgram, hits);
    grid.selectCell(0, 0);
    return hits;
}
