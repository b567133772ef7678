#include "query/u_frameMainQuery.h"

#include "query/u_PagedRows.h"
#include "query/u_QueryFile.h"
#include "query/u_QueryMatcher.h"
#include "session/u_ContactsSession.h"
#include "support/u_FileChooser.h"
#include "support/u_MessageBox.h"
#include "support/u_ToolBarCaptions.h"
#include "support/u_ToolBarRow.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>

namespace {

// Widget row geometry inside the row panel, in pixels.
constexpr int kTop = 2;
constexpr int kRowControlHeight = 22;
constexpr int kNumberLeft = 2;
constexpr int kNumberWidth = 30;
constexpr int kItemLeft = 36;
constexpr int kItemWidth = 160;
constexpr int kComparLeft = 200;
constexpr int kComparWidth = 120;
constexpr int kCaseLeft = 326;
constexpr int kCaseWidth = 20;
constexpr int kTextLeft = 350;
constexpr int kGap = 7;  // between the text fields and the scroll bar
constexpr int kMinTextWidth = 40;

// Left edges and widths of a row's lists, check box and text field when the
// text field ends at right. Below the designed width the lists narrow so
// that the text field keeps room.
struct RowColumns {
    int item = kItemWidth;
    int comparLeft = kComparLeft;
    int compar = kComparWidth;
    int caseLeft = kCaseLeft;
    int textLeft = kTextLeft;
};

RowColumns ColumnsFor(int right) {
    RowColumns c;
    const int designed = kTextLeft + 200;
    if (right >= designed)
        return c;
    const int room = right - kItemLeft;
    c.item = std::clamp(room * 3 / 10, 90, kItemWidth);
    c.compar = std::clamp(room * 22 / 100, 80, kComparWidth);
    c.comparLeft = kItemLeft + c.item + (kComparLeft - kItemLeft - kItemWidth);
    c.caseLeft = c.comparLeft + c.compar + (kCaseLeft - kComparLeft - kComparWidth);
    c.textLeft = c.caseLeft + (kTextLeft - kCaseLeft);
    return c;
}

}  // namespace

TframeMainQuery::TframeMainQuery(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("frameMainQuery"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    CreateToolBar();
    CreateHeader();
    pnlQueryRows_ = new QWidget(this);
    pnlQueryRows_->setObjectName(QStringLiteral("pnlQueryRows"));
    pnlQueryRows_->installEventFilter(this);
    sbQuery_ = new QScrollBar(Qt::Vertical, pnlQueryRows_);
    sbQuery_->setObjectName(QStringLiteral("sbQuery"));
    sbQuery_->setRange(1, 1);
    connect(sbQuery_, &QScrollBar::valueChanged, this, [this] {
        sbQueryChange();
        ScrollHintChanged();
    });
    layout->addWidget(barsQuery_);
    layout->addWidget(hdrQuery_);
    layout->addWidget(pnlQueryRows_, 1);

    // The design-time row 1; the query starts empty with "and".
    query_.Clear();
    rows_.push_back(CreateWidgetRow(1));
    // Entering the builder puts the keyboard on the first condition's item.
    setFocusProxy(rows_.front().item);
    Retranslate();
    initialised_ = true;
    FrameResize();
}

TframeMainQuery::~TframeMainQuery() = default;

void TframeMainQuery::CreateToolBar() {
    // The operator and the file commands side by side, or one above the other
    // where a line cannot show both.
    barsQuery_ = new TToolBarRow(this);
    barsQuery_->setObjectName(QStringLiteral("barsQuery"));
    auto* tbOperator = new QToolBar(barsQuery_);
    tbOperator->setObjectName(QStringLiteral("tbQueryOperator"));
    tbQuery_ = new QToolBar(barsQuery_);
    tbQuery_->setObjectName(QStringLiteral("tbQuery"));
    tbQuery_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    ShowCaptionAccelerators(*tbQuery_);
    lblQueryOperator_ = new QLabel(tbOperator);
    lblQueryOperator_->setObjectName(QStringLiteral("lblQueryOperator"));
    txtQueryOperator_ = new QComboBox(tbOperator);
    txtQueryOperator_->setObjectName(QStringLiteral("txtQueryOperator"));
    txtQueryOperator_->addItems({QString(), QString()});
    connect(txtQueryOperator_, &QComboBox::currentIndexChanged, this,
            [this] { txtQueryOperatorChange(); });
    tbOperator->addWidget(lblQueryOperator_);
    tbOperator->addWidget(txtQueryOperator_);
    tbOperator->addSeparator();
    barsQuery_->addToolBar(tbOperator);
    barsQuery_->addToolBar(tbQuery_);

    const auto makeAction = [this](const char* name, void (TframeMainQuery::*slot)()) {
        auto* action = new QAction(this);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    actQueryNew = makeAction("actQueryNew", &TframeMainQuery::actQueryNewExecute);
    actQueryOpen = makeAction("actQueryOpen", &TframeMainQuery::actQueryOpenExecute);
    actQuerySave = makeAction("actQuerySave", &TframeMainQuery::actQuerySaveExecute);
    actQuerySaveAs = makeAction("actQuerySaveAs", &TframeMainQuery::actQuerySaveAsExecute);
    // Save has no button: Save As names the file.
    tbQuery_->addAction(actQueryNew);
    tbQuery_->addAction(actQueryOpen);
    tbQuery_->addAction(actQuerySaveAs);
}

void TframeMainQuery::CreateHeader() {
    headerModel_ = new QStandardItemModel(0, 5, this);
    hdrQuery_ = new QHeaderView(Qt::Horizontal, this);
    hdrQuery_->setObjectName(QStringLiteral("hdrQuery"));
    hdrQuery_->setModel(headerModel_);
    hdrQuery_->setSectionResizeMode(QHeaderView::Fixed);
    hdrQuery_->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    hdrQuery_->setStretchLastSection(false);
    hdrQuery_->setFixedHeight(hdrQuery_->fontMetrics().height() + 10);
}

TframeMainQuery::WidgetRow TframeMainQuery::CreateWidgetRow(int n) {
    WidgetRow row;
    const QString number = QString::number(n);
    row.number = new QLabel(pnlQueryRows_);
    row.number->setObjectName(QStringLiteral("lblQueryNumber") + number);
    row.number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    row.item = new QComboBox(pnlQueryRows_);
    row.item->setObjectName(QStringLiteral("txtQueryItem") + number);
    row.compar = new QComboBox(pnlQueryRows_);
    row.compar->setObjectName(QStringLiteral("txtQueryCompar") + number);
    row.caseSensitive = new QCheckBox(pnlQueryRows_);
    row.caseSensitive->setObjectName(QStringLiteral("cbQueryCaseSensitive") + number);
    row.caseSensitive->setToolTip(tr("Case Sensitive"));
    row.text = new QLineEdit(pnlQueryRows_);
    row.text->setObjectName(QStringLiteral("txtQueryText") + number);
    for (QWidget* w : {static_cast<QWidget*>(row.number), static_cast<QWidget*>(row.item),
                       static_cast<QWidget*>(row.compar), static_cast<QWidget*>(row.caseSensitive),
                       static_cast<QWidget*>(row.text)}) {
        w->setProperty("tag", n);
        w->installEventFilter(this);  // the wheel pages the rows
    }
    FillItemList(row.item);
    FillComparList(row.compar);
    ConnectWidgetRow(row, n);
    return row;
}

void TframeMainQuery::ConnectWidgetRow(const WidgetRow& row, int j) {
    const auto store = [this, j] { StoreWidgetRow(j); };
    connect(row.item, &QComboBox::currentIndexChanged, this, store);
    connect(row.compar, &QComboBox::currentIndexChanged, this, store);
    connect(row.caseSensitive, &QCheckBox::toggled, this, store);
    connect(row.text, &QLineEdit::textChanged, this, store);
}

void TframeMainQuery::FillItemList(QComboBox* item) const {
    const int current = std::max(0, item->currentIndex());
    const QSignalBlocker block(item);
    item->clear();
    item->addItems({tr("--any--"), tr("--every--"), tr("--at least one--")});
    if (catalogue_)
        item->addItems(catalogue_->lstDBColsTitleFull);
    item->setCurrentIndex(std::min(current, item->count() - 1));
}

void TframeMainQuery::FillComparList(QComboBox* compar) const {
    const int current = std::max(0, compar->currentIndex());
    const QSignalBlocker block(compar);
    compar->clear();
    compar->addItems({tr("contain"), tr("doesn't contain"), tr("is"), tr("isn't")});
    compar->setCurrentIndex(current);
}

void TframeMainQuery::SetColumns(const TColumnCatalogue* catalogue) {
    catalogue_ = catalogue;
    matcher_.reset();
    ColumnTitlesChanged();
}

void TframeMainQuery::ColumnTitlesChanged() {
    for (const WidgetRow& row : rows_)
        FillItemList(row.item);
    sbQueryChange();
}

void TframeMainQuery::SetQuery(const TQuery& query) {
    query_ = query;
    QueryChanged();
    {
        const QSignalBlocker block(txtQueryOperator_);
        txtQueryOperator_->setCurrentIndex(query_.op());
    }
    if (sbQuery_->value() != 1)
        sbQuery_->setValue(1);  // refreshes
    else
        sbQueryChange();
}

int TframeMainQuery::ScrollPosition() const {
    return sbQuery_->value();
}

// --- Layout and refresh ----------------------------------------------------

int TframeMainQuery::LaidOutRowHeight() const {
    const int controls = rows_.empty() ? 0 : rows_.front().item->minimumSizeHint().height();
    return std::max(RowHeight, controls + (RowHeight - kRowControlHeight));
}

void TframeMainQuery::FrameResize() {
    if (!initialised_)
        return;
    const int visible =
        PagedRows::LayOut(sbQuery_, pnlQueryRows_, kTop, LaidOutRowHeight(), TQuery::RowCount);
    while (static_cast<int>(rows_.size()) < visible) {
        rows_.push_back(CreateWidgetRow(static_cast<int>(rows_.size()) + 1));
        const WidgetRow& row = rows_.back();
        for (QWidget* w :
             {static_cast<QWidget*>(row.number), static_cast<QWidget*>(row.item),
              static_cast<QWidget*>(row.compar), static_cast<QWidget*>(row.caseSensitive),
              static_cast<QWidget*>(row.text)})
            w->show();
    }
    while (static_cast<int>(rows_.size()) > visible) {
        const WidgetRow row = rows_.back();
        rows_.pop_back();
        delete row.number;
        delete row.item;
        delete row.compar;
        delete row.caseSensitive;
        delete row.text;
    }
    for (int j = 1; j <= static_cast<int>(rows_.size()); ++j)
        PlaceWidgetRow(rows_[j - 1], j);
    // The header's sections stand over the rows' parts; "Text" is 11 pixels
    // wider than the text fields.
    const WidgetRow& first = rows_.front();
    hdrQuery_->resizeSection(0, kItemLeft);
    hdrQuery_->resizeSection(1, first.compar->x() - kItemLeft);
    hdrQuery_->resizeSection(2, first.caseSensitive->x() - first.compar->x());
    hdrQuery_->resizeSection(3, first.text->x() - first.caseSensitive->x());
    hdrQuery_->resizeSection(4, first.text->width() + 11);
    sbQueryChange();
}

void TframeMainQuery::PlaceWidgetRow(const WidgetRow& row, int j) const {
    const int y = kTop + (j - 1) * LaidOutRowHeight();
    const int controlHeight = LaidOutRowHeight() - (RowHeight - kRowControlHeight);
    const int textRight = sbQuery_->x() - kGap;
    row.number->setGeometry(kNumberLeft, y, kNumberWidth, controlHeight);
    const RowColumns c = ColumnsFor(textRight);
    row.item->setGeometry(kItemLeft, y, c.item, controlHeight);
    row.compar->setGeometry(c.comparLeft, y, c.compar, controlHeight);
    row.caseSensitive->setGeometry(c.caseLeft, y, kCaseWidth, controlHeight);
    row.text->setGeometry(c.textLeft, y, std::max(kMinTextWidth, textRight - c.textLeft),
                          controlHeight);
}

void TframeMainQuery::sbQueryChange() {
    if (refreshing_)
        return;
    refreshing_ = true;
    const int defined = query_.DefinedCount();
    const int s = sbQuery_->value();
    for (int j = 1; j <= static_cast<int>(rows_.size()); ++j) {
        const WidgetRow& w = rows_[j - 1];
        const int n = s + j - 1;
        const TQueryRow& row = query_.row(n - 1);
        w.number->setText(QString::number(n) + QLatin1Char('.'));
        w.item->setCurrentIndex(row.item < w.item->count() ? row.item : 0);
        w.compar->setCurrentIndex(row.compar);
        w.caseSensitive->setChecked(row.caseSensitive);
        if (w.text->text() != row.text)
            w.text->setText(row.text);
        // The conditions and the first free row can be edited.
        const bool enabled = n <= defined + 1;
        for (QWidget* c : {static_cast<QWidget*>(w.number), static_cast<QWidget*>(w.item),
                           static_cast<QWidget*>(w.compar), static_cast<QWidget*>(w.caseSensitive),
                           static_cast<QWidget*>(w.text)})
            c->setEnabled(enabled);
    }
    refreshing_ = false;
}

void TframeMainQuery::StoreWidgetRow(int j) {
    if (refreshing_ || j < 1 || j > static_cast<int>(rows_.size()))
        return;
    const WidgetRow& w = rows_[j - 1];
    TQueryRow row;
    row.item = static_cast<uint8_t>(std::clamp(w.item->currentIndex(), 0, 255));
    row.compar = std::max(0, w.compar->currentIndex());
    row.caseSensitive = w.caseSensitive->isChecked();
    row.text = w.text->text();
    query_.setRow(sbQuery_->value() + j - 2, std::move(row));
    QueryChanged();
    sbQueryChange();
}

void TframeMainQuery::txtQueryOperatorChange() {
    query_.setOp(txtQueryOperator_->currentIndex() == TQuery::Or ? TQuery::Or : TQuery::And);
    QueryChanged();
}

void TframeMainQuery::ScrollHintChanged() {
    const int s = sbQuery_->value();
    PagedRows::ShowHint(sbQuery_, tr("Query Rows: %1 - %2").arg(s).arg(s + VisibleRows() - 1));
}

bool TframeMainQuery::eventFilter(QObject* watched, QEvent* event) {
    if (watched == pnlQueryRows_ && event->type() == QEvent::Resize) {
        FrameResize();
    } else if (PagedRows::PageByWheel(watched, event, sbQuery_)) {
        return true;
    }
    return QFrame::eventFilter(watched, event);
}

void TframeMainQuery::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        Retranslate();
    QFrame::changeEvent(event);
}

void TframeMainQuery::Retranslate() {
    lblQueryOperator_->setText(tr("Operator:") + QLatin1Char(' '));
    {
        const QSignalBlocker block(txtQueryOperator_);
        txtQueryOperator_->setItemText(0, tr("and"));
        txtQueryOperator_->setItemText(1, tr("or"));
        txtQueryOperator_->setCurrentIndex(query_.op());
    }
    actQueryNew->setText(tr("New q&uery"));
    actQueryNew->setToolTip(tr("Clear actual query"));
    actQueryNew->setStatusTip(actQueryNew->toolTip());
    actQueryOpen->setText(tr("&Open query..."));
    actQueryOpen->setToolTip(tr("Open existing query from a file"));
    actQueryOpen->setStatusTip(actQueryOpen->toolTip());
    actQuerySave->setText(tr("&Save query"));
    actQuerySave->setToolTip(tr("Save current query to a file"));
    actQuerySave->setStatusTip(actQuerySave->toolTip());
    actQuerySaveAs->setText(tr("Save &as query..."));
    actQuerySaveAs->setToolTip(tr("Save current query to a new file"));
    actQuerySaveAs->setStatusTip(actQuerySaveAs->toolTip());
    headerModel_->setHorizontalHeaderLabels(
        {QString(), tr("Item"), tr("Compar"), tr("C"), tr("Text")});
    for (const WidgetRow& row : rows_) {
        row.caseSensitive->setToolTip(tr("Case Sensitive"));
        FillItemList(row.item);
        FillComparList(row.compar);
    }
    sbQueryChange();
}

// --- Matching ---------------------------------------------------------------

void TframeMainQuery::QueryChanged() {
    matcher_.reset();
}

const TQueryMatcher& TframeMainQuery::Matcher() const {
    const TColumnMap map = catalogue_ ? catalogue_->lstDBColsIndexFromProgram : TColumnMap();
    // A new database brings a new column map.
    if (!matcher_ || map != matcherMap_) {
        matcher_ = std::make_unique<TQueryMatcher>(query_, map);
        matcherMap_ = map;
    }
    return *matcher_;
}

bool TframeMainQuery::RowMatchesQuery(int row) const {
    if (!quib_)
        return false;
    return Matcher().Matches(*quib_, row);
}

QVector<int> TframeMainQuery::MatchingRows() const {
    if (!quib_)
        return {};
    return Matcher().MatchingRows(*quib_);
}

// --- Query files ------------------------------------------------------------

QString TframeMainQuery::ChooseQueryFile(bool save) {
    TFileChoice choice;
    choice.mode = save ? TFileChoice::Mode::Save : TFileChoice::Mode::Open;
    choice.objectName = save ? QStringLiteral("dlgQuerySave") : QStringLiteral("dlgQueryOpen");
    choice.title = save ? tr("Save Query") : tr("Open Query");
    choice.nameFilters = {tr("Orvane Query Definition (*.tbq)"), tr("All files (*)")};
    choice.defaultSuffix = QStringLiteral("tbq");
    choice.preset = fileName_;
    return ChooseFile(choice, this);
}

QStringList TframeMainQuery::ColumnNames() const {
    return catalogue_ ? catalogue_->lstDBColsName : QStringList();
}

void TframeMainQuery::actQueryNewExecute() {
    SetQuery(TQuery());
    rows_.front().item->setFocus(Qt::OtherFocusReason);
    fileName_.clear();
}

void TframeMainQuery::actQueryOpenExecute() {
    const QString path = ChooseQueryFile(false);
    if (path.isEmpty())
        return;
    TQuery read;
    QString error;
    // The query on screen is replaced only by a file read whole.
    if (!QueryFile::Read(path, ColumnNames(), read, error)) {
        ShowMessage(MsgType::Error, error, MsgButtons::Ok, this);
        return;
    }
    fileName_ = path;
    SetQuery(read);
    rows_.front().item->setFocus(Qt::OtherFocusReason);
}

void TframeMainQuery::actQuerySaveExecute() {
    if (fileName_.isEmpty()) {
        actQuerySaveAsExecute();
        return;
    }
    QString error;
    if (!QueryFile::Write(fileName_, query_, ColumnNames(), error))
        ShowMessage(MsgType::Error, error, MsgButtons::Ok, this);
}

void TframeMainQuery::actQuerySaveAsExecute() {
    const QString path = ChooseQueryFile(true);
    if (path.isEmpty())
        return;
    fileName_ = path;
    actQuerySaveExecute();
}
