#include "query/u_RowsQuery.h"

#include "query/u_frameMainQuery.h"

#include <QListWidget>
#include <QTabWidget>
#include <QVector>

namespace {

// Brings the page of a page control that holds w to the front.
void ShowPageOf(QWidget* w) {
    for (QWidget* child = w; child; child = child->parentWidget()) {
        QWidget* parent = child->parentWidget();
        // A page's parent is the page control's stack, whose parent is the
        // page control.
        auto* tabs = parent ? qobject_cast<QTabWidget*>(parent->parentWidget()) : nullptr;
        if (tabs && tabs->indexOf(child) >= 0) {
            tabs->setCurrentWidget(child);
            return;
        }
    }
}

}  // namespace

bool TickRowsByQuery(QWidget* printRowsFrame) {
    if (!printRowsFrame)
        return false;
    const auto* builder = printRowsFrame->findChild<TframeMainQuery*>();
    auto* rows = printRowsFrame->findChild<QListWidget*>(QStringLiteral("lstRows"));
    if (!builder || !rows)
        return false;
    const QVector<int> hits = builder->MatchingRows();
    QVector<bool> ticked(rows->count(), false);
    for (int r : hits) {
        if (r >= 0 && r < ticked.size())
            ticked[r] = true;
    }
    for (int r = 0; r < rows->count(); ++r)
        rows->item(r)->setCheckState(ticked[r] ? Qt::Checked : Qt::Unchecked);
    ShowPageOf(rows);
    return true;
}
