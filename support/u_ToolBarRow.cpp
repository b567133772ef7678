#include "support/u_ToolBarRow.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QResizeEvent>
#include <QToolBar>
#include <QVBoxLayout>

TToolBarRow::TToolBarRow(QWidget* parent) : QWidget(parent) {
    layout_ = new QVBoxLayout(this);
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(0);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void TToolBarRow::addToolBar(QToolBar* bar) {
    bar->setParent(this);
    bars_.append(bar);
    lines_.clear();
    arrange(width() > 0 ? width() : QWIDGETSIZE_MAX);
}

void TToolBarRow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    arrange(event->size().width());
}

bool TToolBarRow::event(QEvent* event) {
    // A tool bar that changed (a new caption, another language) may now need
    // another line.
    if (event->type() == QEvent::LayoutRequest && width() > 0) {
        arrange(width());
    }
    return QWidget::event(event);
}

void TToolBarRow::arrange(int width) {
    QList<int> lines;
    int used = 0;
    for (const QToolBar* bar : bars_) {
        const int wanted = bar->sizeHint().width();
        if (lines.isEmpty() || used + wanted > width) {
            lines.append(1);
            used = wanted;
        } else {
            ++lines.back();
            used += wanted;
        }
    }
    if (lines == lines_) {
        return;
    }
    lines_ = lines;
    while (QLayoutItem* item = layout_->takeAt(0)) {
        delete item;  // a line's layout; the tool bars stay
    }
    qsizetype next = 0;
    for (int count : lines_) {
        auto* line = new QHBoxLayout;
        line->setSpacing(0);
        for (int i = 0; i < count; ++i) {
            line->addWidget(bars_[next++]);
        }
        line->addStretch(1);
        layout_->addLayout(line);
    }
    updateGeometry();  // another height for the layout around
}
