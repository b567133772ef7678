#include "views/u_frameMainGrid.h"

#include "session/u_QuibReader.h"
#include "session/u_RecordChange.h"
#include "support/u_ColumnWidths.h"
#include "support/u_CommandBoundary.h"
#include "views/u_GridCellDelegate.h"
#include "views/u_GridModel.h"
#include "views/u_RecordKeys.h"

#include "ui_u_frameMainGrid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QTimer>
#include <QVector>

#include <algorithm>
#include <numeric>
#include <utility>

TframeMainGrid::TframeMainGrid(QWidget* parent)
    : QFrame(parent), ui(std::make_unique<Ui::TframeMainGrid>()) {
    ui->setupUi(this);
    model_ = new TGridModel(this);
    delegate_ = new TGridCellDelegate(this);
    QTableView* sg = ui->sgMain;
    sg->setModel(model_);
    sg->setItemDelegate(delegate_);
    sg->setShowGrid(true);
    sg->setSortingEnabled(false);
    sg->setTabKeyNavigation(true);
    sg->setSelectionMode(QAbstractItemView::SingleSelection);
    sg->setSelectionBehavior(QAbstractItemView::SelectItems);
    sg->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                        QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    sg->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    QHeaderView* rows = sg->verticalHeader();
    rows->setMinimumSectionSize(1);
    // The designed 15 pixels, taller where the font would not fit them.
    rows->setDefaultSectionSize(std::max(DefaultRowHeight, sg->fontMetrics().height()));
    rows->setSectionResizeMode(QHeaderView::Interactive);
    sg->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    sg->horizontalHeader()->setHighlightSections(false);
    connect(model_, &TGridModel::cellEdited, this, &TframeMainGrid::cellEdited);
    connect(delegate_, &TGridCellDelegate::enterPressed, this, &TframeMainGrid::moveDown,
            Qt::QueuedConnection);
    QHeaderView* headings = sg->horizontalHeader();
    headings->setSectionsClickable(true);
    connect(headings, &QHeaderView::sectionClicked, this, [this](int field) {
        // Sorting is for the whole table, not for the hits of a query.
        if (field >= 0 && field < model_->columnCount() && wholeTable_ && !widthsLayout_.isEmpty())
            emit headingClicked(field);
    });
    storeWidthsTimer_ = new QTimer(this);
    storeWidthsTimer_->setSingleShot(true);
    storeWidthsTimer_->setInterval(400);
    connect(storeWidthsTimer_, &QTimer::timeout, this, &TframeMainGrid::storeWidths);
    connect(headings, &QHeaderView::sectionResized, this, [this] {
        if (!applyingWidths_ && !widthsLayout_.isEmpty())
            storeWidthsTimer_->start();
    });
    sg->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(sg, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { openContextMenu(at); });
    // A row heading opens the menu for its row; the column headings sort
    // and have none.
    rows->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(rows, &QWidget::customContextMenuRequested, this, [this, rows](const QPoint& at) {
        const int row = rows->logicalIndexAt(at);
        if (contextMenu_ == nullptr || isEditing() || row < 0)
            return;
        selectRow(row);
        contextMenu_->popup(rows->mapToGlobal(at));
    });
    headings->setContextMenuPolicy(Qt::PreventContextMenu);
    sg->installEventFilter(this);
    setFocusProxy(sg);  // entering the table puts the keyboard on its current cell
    GridClear();
}

TframeMainGrid::~TframeMainGrid() = default;

QTableView* TframeMainGrid::grid() const {
    return ui->sgMain;
}

void TframeMainGrid::GridClear() {
    if (storeWidthsTimer_ != nullptr && storeWidthsTimer_->isActive()) {
        storeWidthsTimer_->stop();
        storeWidths();
    }
    widthsLayout_.clear();
    model_->reset({QString()}, {QString()}, {QStringList{QString()}});
}

void TframeMainGrid::ShowSortIndicator(int field, bool ascending) {
    sortField_ = field;
    sortAscending_ = ascending;
    QHeaderView* headings = ui->sgMain->horizontalHeader();
    headings->setSortIndicatorShown(true);
    headings->setSortIndicator(field, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void TframeMainGrid::ClearSortIndicator() {
    sortField_ = -1;
    QHeaderView* headings = ui->sgMain->horizontalHeader();
    headings->setSortIndicatorShown(false);
    headings->setSortIndicator(-1, Qt::AscendingOrder);
}

void TframeMainGrid::applyStoredWidths() {
    const QList<int> widths = ColumnWidths::Stored(widthsLayout_);
    if (widths.size() != model_->columnCount())
        return;
    applyingWidths_ = true;
    for (int c = 0; c < widths.size(); ++c) {
        if (widths[c] > 0)
            ui->sgMain->setColumnWidth(c, widths[c]);
    }
    applyingWidths_ = false;
}

void TframeMainGrid::storeWidths() {
    if (widthsLayout_.isEmpty())
        return;
    QList<int> widths;
    for (int c = 0; c < model_->columnCount(); ++c)
        widths << ui->sgMain->columnWidth(c);
    // Widths are a comfort: a settings store that cannot be written is told
    // like any other failure, and the table goes on.
    RunGuarded([&] { ColumnWidths::Store(widthsLayout_, widths); });
}

void TframeMainGrid::moveDown() {
    if (currentRow() >= 0 && currentRow() + 1 < rowCount())
        selectRow(currentRow() + 1);
}

void TframeMainGrid::GridFill(const TQuibReader& quib, const QStringList& titlesFull,
                              const TColumnMap& indexFromProgram,
                              std::optional<QVector<int>> shown) {
    // A refill (every refresh while the table is shown) keeps the current
    // cell where it was.
    const int previousRow = currentRow();
    const int previousField = currentField();
    GridClear();
    const int rows = shown ? static_cast<int>(shown->size()) : std::max(0, quib.RowsCount());
    const int fields = indexFromProgram.size();
    QStringList headings;
    headings.reserve(fields);
    for (int i = 0; i < fields; ++i)
        headings.append(i < titlesFull.size() ? titlesFull[i] : QString());

    // The cells stay in the database: the view reads the ones it shows
    // (a copy cost about 210 MB and 1.4 s at 100,000 contacts).
    QVector<int> columns(fields);
    for (int i = 0; i < fields; ++i)
        columns[i] = indexFromProgram[i];
    QVector<int> records(rows);
    if (shown) {
        records = std::move(*shown);
    } else {
        std::iota(records.begin(), records.end(), 0);
    }
    QStringList layout;
    for (int column : columns)
        layout << QString::number(column);
    if (rows > 0) {
        model_->resetToRecords(quib, std::move(headings), std::move(columns), std::move(records));
        wholeTable_ = true;
    } else {
        model_->reset(std::move(headings), {}, {});
    }
    widthsLayout_ = layout.join(u',');
    applyStoredWidths();
    // A refill keeps the arrow of the sort.
    if (sortField_ >= 0 && sortField_ < fields)
        ShowSortIndicator(sortField_, sortAscending_);
    if (previousRow >= 0 && rows > 0 && fields > 0)
        selectCell(std::min(previousRow, rows - 1), std::min(previousField, fields - 1));
}

void TframeMainGrid::ShowRecords(const TQuibReader& quib, const QStringList& titlesFull,
                                 const TColumnMap& indexFromProgram, QVector<int> records) {
    const int fields = indexFromProgram.size();
    QVector<int> columns(fields);
    QStringList headings;
    headings.reserve(fields);
    for (int i = 0; i < fields; ++i) {
        columns[i] = indexFromProgram[i];
        headings.append(i < titlesFull.size() ? titlesFull[i] : QString());
    }
    if (records.isEmpty()) {
        // Nothing to show: the empty state of one empty row, as after a clear.
        GridClear();
        return;
    }
    QStringList layout;
    for (int column : columns)
        layout << QString::number(column);
    model_->resetToRecords(quib, std::move(headings), std::move(columns), std::move(records));
    wholeTable_ = false;
    widthsLayout_ = layout.join(u',');
    applyStoredWidths();
}

bool TframeMainGrid::showsRecords() const {
    return model_->readsRecords() && !wholeTable_;
}

int TframeMainGrid::rowCount() const {
    return model_->rowCount();
}

int TframeMainGrid::columnCount() const {
    return model_->columnCount();
}

QString TframeMainGrid::rowNumber(int row) const {
    return model_->rowNumber(row);
}

QString TframeMainGrid::cellText(int row, int field) const {
    return model_->cell(row, field);
}

QString TframeMainGrid::headingText(int field) const {
    return model_->headerData(field, Qt::Horizontal, Qt::DisplayRole).toString();
}

int TframeMainGrid::rowOfRecord(int record) const {
    if (model_->readsRecords())
        return model_->rowOfRecord(record);
    const QString number = QString::number(record + 1);
    // Numbers usually equal positions; look there first.
    if (model_->rowNumber(record) == number)
        return record;
    for (int row = 0; row < model_->rowCount(); ++row) {
        if (model_->rowNumber(row) == number)
            return row;
    }
    return record;
}

void TframeMainGrid::FollowChange(const TRecordChange& change) {
    const int row = currentRow();
    const int field = std::max(0, currentField());
    model_->followChange(change);
    if (change.kind != TRecordChange::Kind::Cells && row >= 0 && model_->rowCount() > 0)
        selectCell(std::clamp(row, 0, model_->rowCount() - 1), field);
}

void TframeMainGrid::selectRow(int row) {
    selectCell(row, std::max(0, currentField()));
}

void TframeMainGrid::selectCell(int row, int field) {
    const QModelIndex index = model_->index(row, field);
    if (!index.isValid())
        return;
    ui->sgMain->setCurrentIndex(index);
    ui->sgMain->scrollTo(index);
}

int TframeMainGrid::currentRow() const {
    const QModelIndex index = ui->sgMain->currentIndex();
    return index.isValid() ? index.row() : -1;
}

int TframeMainGrid::currentField() const {
    const QModelIndex index = ui->sgMain->currentIndex();
    return index.isValid() ? index.column() : -1;
}

int TframeMainGrid::currentRecord() const {
    return recordOfRow(currentRow());
}

int TframeMainGrid::recordOfRow(int row) const {
    bool ok = false;
    const int number = model_->rowNumber(row).toInt(&ok);
    return ok && number > 0 ? number - 1 : -1;
}

QString TframeMainGrid::currentCellText() const {
    return model_->cell(currentRow(), currentField());
}

void TframeMainGrid::openContextMenu(std::optional<QPoint> at) {
    // A cell being edited has the editor's own menu.
    if (contextMenu_ == nullptr || isEditing())
        return;
    QTableView* sg = ui->sgMain;
    if (at) {
        // The menu is about the row clicked, as its record keys would be.
        const QModelIndex index = sg->indexAt(*at);
        if (index.isValid())
            selectCell(index.row(), index.column());
    } else {
        const QRect cell = sg->visualRect(sg->currentIndex());
        at = cell.isValid() ? cell.bottomLeft() : QPoint();
    }
    contextMenu_->popup(sg->viewport()->mapToGlobal(*at));
}

QWidget* TframeMainGrid::openEditor() const {
    // Cells are edited where the current cell is; the grid has no other
    // widgets in its cells.
    return ui->sgMain->indexWidget(ui->sgMain->currentIndex());
}

bool TframeMainGrid::isEditing() const {
    return openEditor() != nullptr;
}

void TframeMainGrid::FinishEdit() {
    if (QWidget* editor = openEditor()) {
        emit delegate_->commitData(editor);
        emit delegate_->closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void TframeMainGrid::CancelEdit() {
    if (QWidget* editor = openEditor())
        emit delegate_->closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
}

bool TframeMainGrid::eventFilter(QObject* watched, QEvent* event) {
    // Delete in the grid (not in a cell being edited) deletes the record.
    if (watched == ui->sgMain && event->type() == QEvent::KeyPress && !isEditing()) {
        const auto* key = static_cast<const QKeyEvent*>(event);
        if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::NoModifier) {
            emit deleteKeyPressed();
            return true;
        }
        // Enter goes on to the cell below, as after an edit.
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            (key->modifiers() & ~Qt::KeypadModifier) == 0) {
            moveDown();
            return true;
        }
        if (IsContextMenuKey(*key) && contextMenu_ != nullptr) {
            openContextMenu(std::nullopt);
            return true;
        }
        // The record keys move between rows, keeping the column.
        const int row = RowForRecordKey(*key, currentRow(), rowCount());
        if (row >= 0) {
            selectRow(row);
            return true;
        }
    }
    // The record keys are the window's, not the grid's own moves.
    if (watched == ui->sgMain && event->type() == QEvent::ShortcutOverride && !isEditing() &&
        IsRecordKey(*static_cast<const QKeyEvent*>(event)) &&
        RowForRecordKey(*static_cast<const QKeyEvent*>(event), 0, 1) < 0)
        return true;
    return QFrame::eventFilter(watched, event);
}
