#include "app/u_frmMain.h"

#include "ui_u_frmMain.h"

#include "app/u_MainWindowBars.h"
#include "app/u_MenuStyle.h"
#include "app/u_SaveStatus.h"
#include "app/u_WindowTitle.h"
#include "app/u_frmSplash.h"
#include "print/u_frameMainPrintPreview.h"
#include "print/u_frameMainPrintRows.h"
#include "print/u_frameMainPrintTemplate.h"
#include "query/u_frameMainDBQuery.h"
#include "query/u_frameMainDBSort.h"
#include "session/u_BackgroundWriter.h"
#include "session/u_ContactsSession.h"
#include "session/u_QuibReader.h"
#include "support/u_CommandBoundary.h"
#include "support/u_MessageBox.h"
#include "support/u_ProductInfo.h"
#include "support/u_RecentFiles.h"
#include "support/u_ResourceStrings.h"
#include "views/u_CommandHost.h"
#include "views/u_FilterBar.h"
#include "views/u_RecordKeys.h"
#include "views/u_frameMainGrid.h"
#include "views/u_frameMainIDE.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
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

// Once shown, the frame the window system drew is known: a frame wider or
// taller than the screen is made to fit, and moved inside it.
void TfrmMain::fitFrameOnScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr || isMaximized() || isFullScreen()) {
        return;
    }
    const QRect available = screen->availableGeometry();
    const QRect frame = frameGeometry();
    if (available.contains(frame)) {
        return;
    }
    const QSize chrome = frame.size() - size();
    resize(size().boundedTo(available.size() - chrome).expandedTo(minimumSize()));
    QRect fitted(frame.topLeft(), size() + chrome);
    fitted.moveRight(std::min(fitted.right(), available.right()));
    fitted.moveBottom(std::min(fitted.bottom(), available.bottom()));
    fitted.moveTop(std::max(fitted.top(), available.top()));
    fitted.moveLeft(std::max(fitted.left(), available.left()));
    move(fitted.topLeft());
}

TfrmMain::~TfrmMain() {
    // The session may outlive the window briefly: no more signals here.
    session_.SetRecordWriter(nullptr);
    session_.disconnect(this);
}

void TfrmMain::createViews() {
    QLayout* client = ui->pnlClient->layout();
    // While no database is open, a line in place of the card's empty fields
    // says how to get one.
    lblNoDatabase_ = new QLabel(ui->pnlClient);
    lblNoDatabase_->setObjectName(QStringLiteral("lblNoDatabase"));
    lblNoDatabase_->setWordWrap(true);
    lblNoDatabase_->setMargin(12);
    lblNoDatabase_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblNoDatabase_->hide();
    client->addWidget(lblNoDatabase_);
    frameMainIDE_ = new TframeMainIDE(ui->pnlClient);
    // Find as you type, on the navigation bar before the table's button: a
    // line of its own would cost the card its room at the default size.
    filterBar_ = new TFilterBar(ui->pnlDBNavBar);
    ui->layDBNavBar->insertWidget(ui->layDBNavBar->indexOf(ui->tbutDBNavShowAsTable), filterBar_);
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
    // A finished cell edit is stored (and the file saved) at once.
    connect(frameMainGrid_, &TframeMainGrid::cellEdited, this,
            [this](int record, int field, const QString& text) {
                RunGuarded([&] { session_.StoreField(record, field, text); });
            });
    connect(frameMainGrid_, &TframeMainGrid::deleteKeyPressed, this, [this] {
        if (commands_ != nullptr) {
            commands_->action(QStringLiteral("actDBDeleteRow"))->trigger();
        }
    });
    connect(&session_, &TContactsSession::refreshData, this, &TfrmMain::Quib1RefreshData);
    connect(&session_, &TContactsSession::afterMove, this, &TfrmMain::Quib1AfterMove);
    connect(&session_, &TContactsSession::recordsChanged, this, &TfrmMain::followRecords);
    connect(&session_, &TContactsSession::openRefused, this,
            [this](const QString& message) { showOpenProblem(true, message); });
    connect(&session_, &TContactsSession::openWarning, this,
            [this](const QString& message) { showOpenProblem(false, message); });
    connect(&session_, &TContactsSession::saveFailed, this, &TfrmMain::showFailedSave);
    connect(&session_, &TContactsSession::recordChangedChanged, this, &TfrmMain::updateWindowTitle);
    session_.SetRecordWriter([this] { StoreViewEdits(); });
    session_.SetUnicodeQuestion([this](const TUnstorableText& text) {
        return ShowMessage(MsgType::Confirmation, UnicodeConversionQuestion(text.character),
                           MsgButtons::YesNo, this) == MsgResult::Yes;
    });
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
    // Whether the last change is on the disk yet, never covered by a hint.
    lblStatusSave_ = new TSaveStatus(session_.Writer(), ui->sbMain);
    ui->sbMain->addPermanentWidget(lblStatusSave_);
    retranslate();
}

void TfrmMain::retranslate() {
    lblStatusReady_->setText(tr("Ready"));
    lblStatusSave_->retranslate();
    filterBar_->retranslate();
    lblNoDatabase_->setText(
        tr("No database is open. Use File | New to create one or File | Open to open one."));
}

void TfrmMain::updateWindowTitle() {
    setWindowTitle(MainWindowTitle(session_.DatabaseName(), session_.RecordChanged()));
}

void TfrmMain::RegisterFields() {
    const int count = std::min<int>(TframeMainIDE::FieldCount, MaxFields);
    for (int i = 0; i < count; ++i) {
        FieldEdits[i] = frameMainIDE_->fieldEdit(i);
        FieldLabels[i] = frameMainIDE_->fieldLabel(i);
        FieldEdits[i]->installEventFilter(this);
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
    showNoDatabaseLine();
    // The filter narrows the card and the table; the other views have rows
    // of their own.
    filterBar_->setVisible(view == TView::Card || view == TView::Table);
    // The keyboard goes to the view's first control (a view names it as its
    // focus proxy), so typing works without a click.
    if (!startingUp_ && frame->isVisible() && frame->focusProxy() != nullptr &&
        frame->focusProxy()->isEnabled()) {
        frame->setFocus(Qt::OtherFocusReason);
    }
}

void TfrmMain::showNoDatabaseLine() {
    const bool line = currentView_ == TView::Card && !session_.IsOpen();
    lblNoDatabase_->setVisible(line);
    frameMainIDE_->setVisible(currentView_ == TView::Card && !line);
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
    QMenu* contacts = MainWindowBars::BuildContactsMenu(commands, *this);
    frameMainIDE_->SetContextMenu(contacts);
    frameMainGrid_->SetContextMenu(contacts);
    // F1 over an open menu shows the help of that menu.
    for (QMenu* menu : ui->mnuMain->findChildren<QMenu*>()) {
        menu->installEventFilter(this);
    }
    // Shortcuts work whichever menu style hides the menu bar.
    addActions(commands.action(QStringLiteral("actDBCreate"))
                   ->parent()
                   ->findChildren<QAction*>(QString(), Qt::FindDirectChildrenOnly));
    for (int i = 0; i < RecentFiles::Count; ++i) {
        connect(RecentFileEntry(i), &QAction::triggered, this,
                [this, i] { RunGuarded([this, i] { commands_->OpenRecentFile(i); }); });
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
        fitFrameOnScreen();
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
    // A cell being edited is stored like any finished cell edit.
    RunGuarded([this] { FinishCellEdit(); });
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
    // The program ends with every saved character in the file; a change
    // that could not be saved is never dropped without the user's word.
    closing_ = true;
    RunGuarded([this] { session_.FinishSaves(); });
    closing_ = false;
    if (!confirmLosingUnsaved()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

bool TfrmMain::confirmLosingUnsaved() {
    const QString reason = session_.UnsavedReason();
    if (reason.isEmpty()) {
        return true;
    }
    const QString text =
        tr("The last change could not be saved: %1\n\rClose anyway and lose it?").arg(reason);
    return ShowMessage(MsgType::Warning, text, MsgButtons::YesNo, this) == MsgResult::Yes;
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
    } else if (event->type() == QEvent::ShortcutOverride &&
               frameMainIDE_->fieldIndexOf(qobject_cast<QWidget*>(watched)) >= 0 &&
               IsRecordKey(*static_cast<const QKeyEvent*>(event))) {
        // Left unaccepted: the Record menu's command takes the key, not the field.
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
    // The refresh ends with the card's edits gone.
    setWindowTitle(MainWindowTitle(database, false));
    showNoDatabaseLine();
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
    showNavigation(database);
}

void TfrmMain::showNavigation(const QString& database) {
    // The print steps and the query view show texts of their own there.
    const bool navigationShown = currentView_ == TView::Card || currentView_ == TView::Sort;
    if (!database.isEmpty() && navigationShown) {
        // Counted among the records shown (the filter's, else all).
        const TSessionState state = session_.State();
        SetNavigationText(QStringLiteral("%1 / %2 [%3]")
                              .arg(state.shownIndex + 1)
                              .arg(state.shownRows)
                              .arg(database));
    }
}

void TfrmMain::followRecords(const TRecordChange& change) {
    if (IsTableShown()) {
        frameMainGrid_->FollowChange(change);
    } else if (!session_.RecordChanged() || change.Touches(session_.Quib1().RowIndex())) {
        // The card shows the current record as it now is.
        session_.RefreshData();
        return;
    } else {
        // Unsaved edits of a record the change left alone stay on the card.
        showNavigation(session_.DatabaseName());
    }
    if (commands_ != nullptr) {
        commands_->UpdateCommandStates(TCommandMode::RefreshData);
    }
}

void TfrmMain::StoreViewEdits() {
    if (IsTableShown()) {
        // A finished cell edit is stored already; the file is written again.
        FinishCellEdit();
        session_.Save();
        return;
    }
    session_.StoreRecord(CardFields());
}

QStringList TfrmMain::CardFields() const {
    QStringList fields;
    for (int i = 0; i < fieldEditsCount_; ++i) {
        fields << frameMainIDE_->fieldText(i);
    }
    return fields;
}

void TfrmMain::FinishCellEdit() {
    frameMainGrid_->FinishEdit();
}

void TfrmMain::Quib1AfterMove() {
    if (currentView_ == TView::Card) {
        if (fieldEditsCount_ > 0) {
            FieldEdits[0]->setEnabled(true);
            // A move the filter made while the user types in its box
            // leaves the keyboard there.
            if (!startingUp_ && !filterBar_->edit()->hasFocus()) {
                FieldEdits[0]->setFocus();
            }
        }
    } else if (IsTableShown()) {
        frameMainGrid_->selectRow(frameMainGrid_->rowOfRecord(session_.Quib1().RowIndex()));
    }
}

// --- Problems the session reports ------------------------------------------------

void TfrmMain::showOpenProblem(bool refused, const QString& message) {
    ShowMessage(refused ? MsgType::Error : MsgType::Warning, message, MsgButtons::Ok, this);
}

void TfrmMain::showFailedSave(const QString& path, const QString& message) {
    // While the window closes, the question about closing tells it.
    if (closing_) {
        return;
    }
    // The edits are still in memory: the next save writes them again.
    QString text = tr("The database could not be saved: %1\n\rDatabase File Name: %%DB_FILENAME%%"
                      "\n\r\n\rYour changes are kept; the next save of a record tries again.")
                       .arg(message);
    text = ReplaceFirst(text, QStringLiteral("%%DB_FILENAME%%"), path);
    ShowMessage(MsgType::Error, text, MsgButtons::Ok, this);
}
