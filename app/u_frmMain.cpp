#include "app/u_frmMain.h"

#include "ui_u_frmMain.h"

#include "app/QUIBLib_TLB.h"
#include "app/u_MainWindowBars.h"
#include "app/u_MenuStyle.h"
#include "app/u_RecentFiles.h"
#include "app/u_frmSplash.h"
#include "print/u_frameMainPrintPreview.h"
#include "print/u_frameMainPrintRows.h"
#include "print/u_frameMainPrintTemplate.h"
#include "query/u_frameMainDBQuery.h"
#include "query/u_frameMainDBSort.h"
#include "session/u_ContactsSession.h"
#include "support/u_CommandBoundary.h"
#include "support/u_ProductInfo.h"
#include "views/u_CommandHost.h"
#include "views/u_frameMainGrid.h"
#include "views/u_frameMainIDE.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QShortcut>
#include <QStyle>

TfrmMain::TfrmMain(TContactsSession& session, QWidget* parent)
    : QMainWindow(parent),
      ui(std::make_unique<Ui::TfrmMain>()),
      session_(session),
      newStyle_(std::make_unique<TNewStyleMenuStyle>()) {
    ui->setupUi(this);
    session_.SetMessageParent(this);
    createViews();
    connectSession();
    createStatusPanels();
    RegisterFields();
    setWindowTitle(product::Name);
    connectViewToggles();
    ui->lblDBNavBar_Text->installEventFilter(this);
    placeOnScreen();
}

// The designed size, made smaller where the screen is smaller (a scale factor
// of 2 leaves 640 x 450 of a 1280 x 900 screen), centred, and never above or
// left of the screen's corner, where the menu would be out of reach.
void TfrmMain::placeOnScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    const QRect available = screen->availableGeometry();
    // The frame is not known before the window shows: leave room for a title bar.
    const int titleBar = style()->pixelMetric(QStyle::PM_TitleBarHeight);
    const QSize room(available.width(), available.height() - titleBar);
    resize(size().boundedTo(room).expandedTo(minimumSize()));
    QRect frame(QPoint(), QSize(width(), height() + titleBar));
    frame.moveCenter(available.center());
    frame.moveTop(std::max(frame.top(), available.top()));
    frame.moveLeft(std::max(frame.left(), available.left()));
    move(frame.topLeft());
}

TfrmMain::~TfrmMain() {
    // The session may outlive the window briefly: no more messages or signals here.
    session_.SetMessageParent(nullptr);
    session_.SetRecordWriter(nullptr);
    session_.disconnect(this);
}

void TfrmMain::createViews() {
    QLayout* client = ui->pnlClient->layout();
    frameMainIDE_ = new TframeMainIDE(ui->pnlClient);
    frameMainGrid_ = new TframeMainGrid(ui->pnlClient);
    frameMainDBSort_ = new TframeMainDBSort(ui->pnlClient);
    frameMainDBQuery_ = new TframeMainDBQuery(ui->pnlClient);
    frameMainPrintRows_ = new TframeMainPrintRows(ui->pnlClient);
    frameMainPrintTemplate_ = new TframeMainPrintTemplate(ui->pnlClient);
    frameMainPrintPreview_ = new TframeMainPrintPreview(ui->pnlClient);
    for (TView view : {TView::Card, TView::Table, TView::Sort, TView::Query, TView::PrintRows,
                       TView::PrintTemplate, TView::PrintPreview}) {
        client->addWidget(ViewFrame(view));
        ViewFrame(view)->setVisible(view == TView::Card);
    }
}

void TfrmMain::connectSession() {
    connect(frameMainIDE_, &TframeMainIDE::fieldTextChanged, this,
            [this] { session_.SetRecordChanged(true); });
    // Every change of a cell's text is stored and the file saved at once.
    connect(frameMainGrid_, &TframeMainGrid::editTextChanged, this,
            [this] { RunGuarded([this] { session_.SaveRow(); }); });
    connect(&session_, &TContactsSession::refreshData, this, &TfrmMain::Quib1RefreshData);
    session_.SetRecordWriter([this] { return Quib1SaveRow(); });
    connect(&session_, &TContactsSession::afterMove, this, &TfrmMain::Quib1AfterMove);
}

void TfrmMain::createStatusPanels() {
    lblStatusReady_ = new QLabel(ui->sbMain);
    lblStatusReady_->setObjectName(QStringLiteral("lblStatusReady"));
    lblStatusReady_->setFixedWidth(50);
    lblStatusWWW_ = new QLabel(product::WebAddress, ui->sbMain);
    lblStatusWWW_->setObjectName(QStringLiteral("lblStatusWWW"));
    lblStatusWWW_->setFixedWidth(220);
    lblStatusWWW_->setAlignment(Qt::AlignCenter);
    lblStatusWWW_->setFrameShape(QFrame::StyledPanel);
    lblStatusReady_->setFrameShape(QFrame::StyledPanel);
    // Normal (not permanent) panels: a hint shown by the status bar covers
    // them, and an empty hint brings them back.
    ui->sbMain->addWidget(lblStatusReady_);
    ui->sbMain->addWidget(lblStatusWWW_);
    retranslate();
}

void TfrmMain::retranslate() {
    lblStatusReady_->setText(tr("Ready"));
}

void TfrmMain::RegisterFields() {
    const int count = std::min<int>(TframeMainIDE::FieldCount, MaxFields);
    for (int i = 0; i < count; ++i) {
        FieldEdits[i] = frameMainIDE_->fieldEdit(i);
        FieldLabels[i] = frameMainIDE_->fieldLabel(i);
    }
    fieldEditsCount_ = count;
    fieldLabelsCount_ = count;
}

// --- Views and bars ------------------------------------------------------------

QWidget* TfrmMain::ViewFrame(TView view) const {
    switch (view) {
        case TView::Card:
            return frameMainIDE_;
        case TView::Table:
            return frameMainGrid_;
        case TView::Sort:
            return frameMainDBSort_;
        case TView::Query:
            return frameMainDBQuery_;
        case TView::PrintRows:
            return frameMainPrintRows_;
        case TView::PrintTemplate:
            return frameMainPrintTemplate_;
        case TView::PrintPreview:
            return frameMainPrintPreview_;
    }
    return frameMainIDE_;
}

void TfrmMain::ShowView(TView view) {
    ViewFrame(currentView_)->hide();
    currentView_ = view;
    QWidget* frame = ViewFrame(currentView_);
    frame->show();
    // The keyboard goes to the view's first control (a view names it as its
    // focus proxy), so typing works without a click.
    if (!startingUp_ && frame->focusProxy() != nullptr && frame->focusProxy()->isEnabled()) {
        frame->setFocus(Qt::OtherFocusReason);
    }
}

QLabel* TfrmMain::NavigationLabel() const {
    return ui->lblDBNavBar_Text;
}

void TfrmMain::SetNavigationText(const QString& text) {
    // The label shortens a long path; the tooltip keeps the whole text.
    ui->lblDBNavBar_Text->setText(text);
    ui->lblDBNavBar_Text->setToolTip(text);
}

QMenu* TfrmMain::RecentFilesMenu() const {
    return ui->mnuFileRecentFiles;
}

QAction* TfrmMain::RecentFileEntry(int index) const {
    const std::array entries{ui->mnuFileRecentFile1, ui->mnuFileRecentFile2, ui->mnuFileRecentFile3,
                             ui->mnuFileRecentFile4};
    return index >= 0 && index < RecentFiles::Count ? entries[index] : nullptr;
}

void TfrmMain::ShowRecentFiles(const QStringList& paths) {
    recentFilesShown_ = true;
    for (int i = 0; i < RecentFiles::Count; ++i) {
        const QString path = i < paths.size() ? paths[i] : QString();
        QAction* entry = RecentFileEntry(i);
        entry->setStatusTip(path);
        entry->setToolTip(path);
        entry->setText(RecentFiles::Caption(i, path));
        entry->setVisible(!path.isEmpty());
    }
}

void TfrmMain::SetSplash(std::unique_ptr<TfrmSplash> splash) {
    splash_ = std::move(splash);
}

void TfrmMain::AttachCommands(ICommandHost& commands) {
    commands_ = &commands;
    // The holder goes first when the program ends: forget it then.
    if (const auto* holder = dynamic_cast<const QObject*>(&commands)) {
        connect(holder, &QObject::destroyed, this, [this] { commands_ = nullptr; });
    }
    MainWindowBars::BuildMenus(*ui, commands);
    recentPopup_ = MainWindowBars::BuildToolBars(*ui, commands, *this);
    MainWindowBars::BuildNavigationBar(*ui, commands);
    // F1 over an open menu shows the help of that menu.
    for (QMenu* menu : ui->mnuMain->findChildren<QMenu*>()) {
        menu->installEventFilter(this);
    }
    // Shortcuts work whichever menu style hides the menu bar.
    addActions(commands.action(QStringLiteral("actDBCreate"))
                   ->parent()
                   ->findChildren<QAction*>(QString(), Qt::FindDirectChildrenOnly));
    for (int i = 0; i < RecentFiles::Count; ++i) {
        QAction* entry = RecentFileEntry(i);
        connect(entry, &QAction::triggered, this,
                [this, entry] { RunGuarded([this, entry] { commands_->OpenRecentFile(entry); }); });
    }
    connect(ui->mnuFileExit, &QAction::triggered, this, &QWidget::close);
    // F1 anywhere in the window opens the help contents (over a menu: its topic).
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, [this] {
        if (commands_ != nullptr) {
            commands_->action(QStringLiteral("actHelpContents"))->trigger();
        }
    });
    updateBarEdges();
}

void TfrmMain::connectViewToggles() {
    connect(ui->mnuViewToolbar, &QAction::toggled, ui->tbMain, &QWidget::setVisible);
    connect(ui->mnuViewNavBar, &QAction::toggled, ui->pnlDBNavBar, &QWidget::setVisible);
    connect(ui->mnuViewStatusBar, &QAction::toggled, this, [this](bool on) {
        ui->sbMain->setVisible(on);
        updateBarEdges();
    });
}

void TfrmMain::updateBarEdges() {
    // The navigation bar has a bottom line while the status bar shows; the main
    // tool bar a top line while the classic menu bar sits above it.
    ui->pnlDBNavBar->setStyleSheet(
        ui->mnuViewStatusBar->isChecked()
            ? QStringLiteral("QFrame#pnlDBNavBar { border-bottom: 1px solid palette(mid); }")
            : QString());
    ui->tbMain->setStyleSheet(
        menuOwnerDraw_ ? QString()
                       : QStringLiteral("QToolBar#tbMain { border-top: 1px solid palette(mid); }"));
}

void TfrmMain::SetMenuOwnerDraw(bool ownerDraw) {
    menuOwnerDraw_ = ownerDraw;
    for (QAction* top : ui->mnuMain->actions()) {
        QMenu* menu = top->menu();
        if (menu == nullptr) {
            continue;
        }
        menu->setProperty("menuTag", 1);
        menu->setStyle(ownerDraw ? newStyle_.get() : nullptr);
        for (QMenu* sub : menu->findChildren<QMenu*>()) {
            sub->setProperty("menuTag", 2);
            sub->setStyle(ownerDraw ? newStyle_.get() : nullptr);
        }
    }
    ui->mnuMain->setVisible(!ownerDraw);
    ui->tbMainMenu->setVisible(ownerDraw);
    updateBarEdges();
}

// --- Events --------------------------------------------------------------------

void TfrmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!firstShowDone_) {
        firstShowDone_ = true;
        RunGuarded([this] { FormShow(); });
    }
}

void TfrmMain::FormShow() {
    for (int i = 0; i < fieldEditsCount_; ++i) {
        frameMainIDE_->setFieldText(i, QString());
    }
    const QStringList& titles = session_.Columns().lstDBColsTitle;
    for (int i = 0; i < fieldLabelsCount_ && i < titles.size(); ++i) {
        FieldLabels[i]->setText(titles[i] + u':');
    }
    frameMainIDE_->alignLabelColumns();
    session_.RefreshData();
    if (splash_) {
        splash_->close();
        splash_.reset();
    }
    startingUp_ = false;
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    // Unsaved card edits are never dropped without the user's word.
    bool confirmed = true;
    RunGuarded([&] { confirmed = commands_ == nullptr || commands_->ConfirmSaveChanges(); });
    if (!confirmed) {
        event->ignore();
        return;
    }
    if (commands_ != nullptr) {
        commands_->CloseDialogs();
    }
    // The program ends with every saved character in the file; a failed
    // background write is reported while the window is still there.
    RunGuarded([this] { session_.FinishSaves(); });
    QMainWindow::closeEvent(event);
}

void TfrmMain::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        // The form's design texts come back; the texts the program set stay.
        const QString navigation = ui->lblDBNavBar_Text->text();
        ui->retranslateUi(this);
        retranslate();
        session_.RetranslateTitles();
        ui->lblDBNavBar_Text->setText(navigation);
        if (recentFilesShown_) {
            ShowRecentFiles(RecentFiles::Read());
        }
    }
    QMainWindow::changeEvent(event);
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui->lblDBNavBar_Text && event->type() == QEvent::MouseMove) {
        if (ui->lblDBNavBar_Text->toolTip() != ui->lblDBNavBar_Text->text()) {
            ui->lblDBNavBar_Text->setToolTip(ui->lblDBNavBar_Text->text());
        }
    } else if (helpOverMenu(watched, event)) {
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

bool TfrmMain::helpOverMenu(QObject* watched, QEvent* event) {
    auto* menu = qobject_cast<QMenu*>(watched);
    if (commands_ == nullptr || menu == nullptr || event->type() != QEvent::KeyPress ||
        static_cast<const QKeyEvent*>(event)->key() != Qt::Key_F1) {
        return false;
    }
    menu->close();
    // The highlighted command's own topic, else the menu's.
    const QAction* active = menu->activeAction();
    const QVariant context = active != nullptr && active->property("helpContext").isValid()
                                 ? active->property("helpContext")
                                 : menu->property("helpContext");
    RunGuarded([&] { commands_->ShowHelpContext(context.toInt()); });
    return true;
}

// --- Quib1 events ----------------------------------------------------------------

void TfrmMain::Quib1RefreshData() {
    const QString database = session_.DatabaseName();
    if (IsTableShown() && commands_ != nullptr) {
        commands_->action(QStringLiteral("actDBGridFill"))->trigger();
        SetNavigationText(u'[' + database + u']');
    } else {
        // The card is also filled while another view covers it: record Save
        // writes the card's fields into the current record, so they must
        // always be that record's.
        fillCard(database);
    }
    if (commands_ != nullptr) {
        commands_->UpdateCommandStates(TCommandMode::RefreshData);
    }
}

void TfrmMain::fillCard(const QString& database) {
    for (int i = 0; i < fieldEditsCount_; ++i) {
        frameMainIDE_->setFieldText(i, database.isEmpty() ? QString() : session_.FieldText(i));
    }
    // The print steps and the query view show texts of their own there.
    const bool navigationShown = currentView_ == TView::Card || currentView_ == TView::Sort;
    if (!database.isEmpty() && navigationShown) {
        const TQuib& quib = session_.Quib1();
        SetNavigationText(QStringLiteral("%1 / %2 [%3]")
                              .arg(quib.RowIndex() + 1)
                              .arg(quib.RowsCount())
                              .arg(database));
    }
}

bool TfrmMain::Quib1SaveRow() {
    if (IsTableShown()) {
        // The cell of the table; the table keeps showing it, no refresh.
        frameMainGrid_->storeCurrentCell(session_.Quib1(),
                                         session_.Columns().lstDBColsIndexFromProgram);
        return false;
    }
    StoreCardFields();
    return true;
}

void TfrmMain::StoreCardFields() {
    for (int i = 0; i < fieldEditsCount_; ++i) {
        session_.SetFieldText(i, frameMainIDE_->fieldText(i));
    }
}

void TfrmMain::Quib1AfterMove() {
    if (currentView_ == TView::Card) {
        if (fieldEditsCount_ > 0) {
            FieldEdits[0]->setEnabled(true);
            if (!startingUp_) {
                FieldEdits[0]->setFocus();
            }
        }
    } else if (IsTableShown()) {
        frameMainGrid_->selectRow(frameMainGrid_->rowOfRecord(session_.Quib1().RowIndex()));
    }
}
