#include "app/u_frmMain.h"

#include "ui_u_frmMain.h"

#include "app/QUIBLib_TLB.h"
#include "app/u_ContactsDB.h"
#include "app/u_MenuStyle.h"
#include "app/u_RecentFiles.h"
#include "app/u_frmCommon.h"
#include "app/u_frmSplash.h"
#include "print/u_frameMainPrintPreview.h"
#include "print/u_frameMainPrintRows.h"
#include "print/u_frameMainPrintTemplate.h"
#include "query/u_frameMainDBQuery.h"
#include "query/u_frameMainDBSort.h"
#include "support/u_MessageBox.h"
#include "support/u_OrvFileLib.h"
#include "support/u_ProductInfo.h"
#include "views/u_frameMainGrid.h"
#include "views/u_frameMainIDE.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QShortcut>
#include <QToolButton>

TfrmMain::TfrmMain(QWidget* parent)
    : QMainWindow(parent),
      ui(std::make_unique<Ui::TfrmMain>()),
      newStyle_(std::make_unique<TNewStyleMenuStyle>()) {
    StartingUp = true;
    ui->setupUi(this);
    ProgramVersion = FileVersionText(QCoreApplication::applicationFilePath());
    if (ProgramVersion.isEmpty()) {
        // Tests and other hosts of the program library run the same build.
        ProgramVersion = RunningVersionText();
    }
    Quib1 = new TQuib(this);
    Quib1->setObjectName(QStringLiteral("Quib1"));
    Quib1->OnRefreshData = [this] { Quib1RefreshData(); };
    Quib1->OnAfterMove = [this] { Quib1AfterMove(); };
    Quib1->OnSaveRow = [this] { Quib1SaveRow(); };
    Quib1->OnCheckCompatibility = [this](int16_t& Cancel) { Quib1CheckCompatibility(Cancel); };

    createViews();
    createStatusPanels();
    RegisterFields();
    setWindowTitle(product::Name);
    CurrentView = frameMainIDE;
    connectViewToggles();
    ui->lblDBNavBar_Text->installEventFilter(this);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

TfrmMain::~TfrmMain() {
    // The handlers point into this window; the control may outlive it briefly.
    Quib1->OnRefreshData = nullptr;
    Quib1->OnAfterMove = nullptr;
    Quib1->OnSaveRow = nullptr;
    Quib1->OnCheckCompatibility = nullptr;
}

void TfrmMain::createViews() {
    QLayout* client = ui->pnlClient->layout();
    frameMainIDE = new TframeMainIDE(ui->pnlClient);
    frameMainGrid = new TframeMainGrid(ui->pnlClient);
    frameMainDBSort = new TframeMainDBSort(ui->pnlClient);
    frameMainDBQuery = new TframeMainDBQuery(ui->pnlClient);
    frameMainPrintRows = new TframeMainPrintRows(ui->pnlClient);
    frameMainPrintTemplate = new TframeMainPrintTemplate(ui->pnlClient);
    frameMainPrintPreview = new TframeMainPrintPreview(ui->pnlClient);
    const QList<QWidget*> views{frameMainIDE,         frameMainGrid,      frameMainDBSort,
                                frameMainDBQuery,     frameMainPrintRows, frameMainPrintTemplate,
                                frameMainPrintPreview};
    for (QWidget* view : views) {
        client->addWidget(view);
        view->setVisible(view == frameMainIDE);
    }
    connect(frameMainIDE, &TframeMainIDE::fieldTextChanged, this, [this] { RecordChanged = true; });
    // Every change of a cell's text is stored and the file saved at once.
    connect(frameMainGrid, &TframeMainGrid::editTextChanged, this, [this] { Quib1->SaveRow(); });
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
    FieldEditsCount = 0;
    FieldLabelsCount = 0;
    const int count = std::min<int>(TframeMainIDE::FieldCount, MaxFields);
    for (int i = 0; i < count; ++i) {
        FieldEdits[i] = frameMainIDE->fieldEdit(i);
        FieldLabels[i] = frameMainIDE->fieldLabel(i);
    }
    FieldEditsCount = count;
    FieldLabelsCount = count;
}

void TfrmMain::ShowView(QWidget* view) {
    if (view == nullptr) {
        return;
    }
    if (CurrentView != nullptr) {
        CurrentView->hide();
    }
    CurrentView = view;
    CurrentView->show();
}

bool TfrmMain::IsTableShown() const {
    return CurrentView == frameMainGrid;
}

QLabel* TfrmMain::NavigationLabel() const {
    return ui->lblDBNavBar_Text;
}

void TfrmMain::SetNavigationText(const QString& text) {
    ui->lblDBNavBar_Text->setText(text);
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

// --- Commands in menus and bars ----------------------------------------------

void TfrmMain::AttachCommands(TfrmCommon& common) {
    Common = &common;
    buildMenus(common);
    buildToolBars(common);
    buildNavigationBar(common);
    // Shortcuts work whichever menu style hides the menu bar.
    addActions(common.findChildren<QAction*>());
    for (int i = 0; i < RecentFiles::Count; ++i) {
        QAction* entry = RecentFileEntry(i);
        connect(entry, &QAction::triggered, &common,
                [&common, entry] { common.OpenRecentFile(entry); });
    }
    connect(ui->mnuFileExit, &QAction::triggered, this, &QWidget::close);
    // F1 anywhere in the window opens the help contents (over a menu: its topic).
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, &common,
            [&common] { common.action(QStringLiteral("actHelpContents"))->trigger(); });
    updateBarEdges();
}

void TfrmMain::buildMenus(TfrmCommon& common) {
    auto act = [&common](const char* name) { return common.action(QLatin1String(name)); };
    QMenu* file = ui->mnuFile;
    file->addActions({act("actDBCreate"), act("actDBOpen"), act("actDBSave"), act("actDBSaveAs")});
    file->addSeparator();
    ui->mnuFileImportExport->addActions(
        {act("actDBImportExportTBR"), act("actDBImportFromCSV"), act("actDBExportToCSV")});
    file->addMenu(ui->mnuFileImportExport);
    file->addSeparator();
    file->addActions({act("actDBPrint"), act("actDBPrintSetup")});
    file->addSeparator();
    ui->mnuFileRecentFiles->addActions({ui->mnuFileRecentFile1, ui->mnuFileRecentFile2,
                                        ui->mnuFileRecentFile3, ui->mnuFileRecentFile4});
    file->addMenu(ui->mnuFileRecentFiles);
    file->addSeparator();
    file->addAction(ui->mnuFileExit);

    QMenu* edit = ui->mnuEdit;
    edit->addAction(act("actEditUndo"));
    edit->addSeparator();
    edit->addActions({act("actEditCut"), act("actEditCopy"), act("actEditPaste")});
    edit->addSeparator();
    edit->addActions({act("actEditFindBasic"), act("actEditFindBasicNext")});
    edit->addSeparator();
    edit->addAction(act("actEditFindQuery"));

    ui->mnuView->addActions({ui->mnuViewToolbar, ui->mnuViewNavBar});
    ui->mnuView->addSeparator();
    ui->mnuView->addAction(ui->mnuViewStatusBar);

    QMenu* record = ui->mnuRecord;
    record->addActions({act("actDBMoveFirst"), act("actDBMovePrevious"), act("actDBMoveNext"),
                        act("actDBMoveLast")});
    record->addSeparator();
    record->addActions({act("actDBNewRow"), act("actDBSaveRow"), act("actDBDeleteRow")});

    QMenu* tools = ui->mnuTools;
    tools->addAction(act("actShowAsTable"));
    tools->addSeparator();
    tools->addAction(act("actDBSortShow"));
    tools->addSeparator();
    ui->mnuToolsLanguage->addActions({ui->mnuToolsLanguageCzech, ui->mnuToolsLanguageEnglish});
    tools->addMenu(ui->mnuToolsLanguage);
    tools->addSeparator();
    tools->addAction(act("actOptions"));

    QMenu* help = ui->mnuHelp;
    help->addActions({act("actHelpContents"), act("actHelpTopicSearch"), act("actHelpWhatIsNew")});
    help->addSeparator();
    help->addActions({act("actHelpUpdate"), act("actHelpVisitWWW")});
    help->addSeparator();
    help->addAction(act("actAbout"));

    // F1 over an open menu shows the help of that menu.
    for (QMenu* menu : ui->mnuMain->findChildren<QMenu*>()) {
        menu->installEventFilter(this);
    }
}

void TfrmMain::buildToolBars(TfrmCommon& common) {
    auto act = [&common](const char* name) { return common.action(QLatin1String(name)); };
    QToolBar* bar = ui->tbMain;
    bar->addActions({act("actDBCreate"), act("actDBOpen"), act("actDBSave")});
    bar->addSeparator();
    bar->addActions({act("actDBPrint"), act("actEditFindBasic")});
    bar->addSeparator();
    bar->addAction(act("actEditFindQuery"));
    bar->addSeparator();
    bar->addAction(act("actDBSortShow"));
    bar->addSeparator();
    bar->addActions({act("actEditCut"), act("actEditCopy"), act("actEditPaste")});
    bar->addSeparator();
    bar->addAction(act("actEditUndo"));
    bar->addSeparator();
    bar->addAction(act("actOptions"));

    // The Open button's drop-down lists the recent files.
    recentPopup_ = new QMenu(this);
    recentPopup_->setObjectName(QStringLiteral("mnuRecentFilesPopup"));
    connect(recentPopup_, &QMenu::aboutToShow, this, &TfrmMain::fillRecentPopup);
    if (auto* open = qobject_cast<QToolButton*>(bar->widgetForAction(act("actDBOpen")))) {
        open->setMenu(recentPopup_);
        open->setPopupMode(QToolButton::MenuButtonPopup);
    }

    // The menu tool bar of the "New style": one flat caption button per menu.
    ui->tbMainMenu->setStyleSheet(
        QStringLiteral("QToolButton::menu-indicator { image: none; width: 0px; }"));
    for (QAction* top : ui->mnuMain->actions()) {
        ui->tbMainMenu->addAction(top);
        if (auto* button = qobject_cast<QToolButton*>(ui->tbMainMenu->widgetForAction(top))) {
            button->setPopupMode(QToolButton::InstantPopup);
            button->setAutoRaise(true);
        }
    }
}

void TfrmMain::fillRecentPopup() {
    // A fresh copy each time: hint, caption, visibility and click of the menu entries.
    recentPopup_->clear();
    for (int i = 0; i < RecentFiles::Count; ++i) {
        QAction* entry = RecentFileEntry(i);
        QAction* copy = recentPopup_->addAction(entry->text());
        copy->setStatusTip(entry->statusTip());
        copy->setToolTip(entry->toolTip());
        copy->setVisible(entry->isVisible());
        copy->setEnabled(entry->isEnabled());
        connect(copy, &QAction::triggered, entry, &QAction::trigger);
    }
}

void TfrmMain::buildNavigationBar(TfrmCommon& common) {
    const std::pair<QToolButton*, const char*> buttons[] = {
        {ui->tbutDBNavFirst, "actDBMoveFirst"},     {ui->tbutDBNavPrevious, "actDBMovePrevious"},
        {ui->tbutDBNavNewRow, "actDBNewRow"},       {ui->tbutDBNavSaveRow, "actDBSaveRow"},
        {ui->tbutDBNavDeleteRow, "actDBDeleteRow"}, {ui->tbutDBNavNext, "actDBMoveNext"},
        {ui->tbutDBNavLast, "actDBMoveLast"},       {ui->tbutDBNavShowAsTable, "actShowAsTable"},
    };
    for (const auto& [button, name] : buttons) {
        button->setDefaultAction(common.action(QLatin1String(name)));
    }
}

// --- Bars and menu style -------------------------------------------------------

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
        FormShow();
    }
}

void TfrmMain::FormShow() {
    for (int i = 0; i < FieldEditsCount; ++i) {
        frameMainIDE->setFieldText(i, QString());
    }
    for (int i = 0; i < FieldLabelsCount && i < frameMainIDE->lstDBColsTitle.size(); ++i) {
        FieldLabels[i]->setText(frameMainIDE->lstDBColsTitle[i] + u':');
    }
    Quib1->RefreshData();
    if (splash_) {
        splash_->close();
        splash_.reset();
    }
    StartingUp = false;
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    // Unsaved card edits are never dropped without the user's word.
    if (Common != nullptr && !Common->ConfirmSaveChanges()) {
        event->ignore();
        return;
    }
    if (Common != nullptr) {
        Common->CloseDialogs();
    }
    QMainWindow::closeEvent(event);
}

void TfrmMain::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        // The form's design texts come back; the texts the program set stay.
        const QString navigation = ui->lblDBNavBar_Text->text();
        ui->retranslateUi(this);
        retranslate();
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
    } else if (event->type() == QEvent::KeyPress && Common != nullptr) {
        const auto* key = static_cast<QKeyEvent*>(event);
        auto* menu = qobject_cast<QMenu*>(watched);
        if (menu != nullptr && key->key() == Qt::Key_F1) {
            menu->close();
            // The highlighted command's own topic, else the menu's.
            const QAction* active = menu->activeAction();
            const QVariant context = active != nullptr && active->property("helpContext").isValid()
                                         ? active->property("helpContext")
                                         : menu->property("helpContext");
            Common->ShowHelpContext(context.toInt());
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// --- Quib1 events ----------------------------------------------------------------

void TfrmMain::Quib1RefreshData() {
    const QString database = Quib1->DatabaseName();
    if (IsTableShown()) {
        Common->action(QStringLiteral("actDBGridFill"))->trigger();
        SetNavigationText(u'[' + database + u']');
    } else {
        // The card is also filled while another view covers it: record Save
        // writes the card's fields into the current record, so they must
        // always be that record's.
        fillCard(database);
    }
    if (Common != nullptr) {
        Common->UpdateCommandStates(QStringLiteral("RefreshData"));
    }
    RecordChanged = false;
}

void TfrmMain::fillCard(const QString& database) {
    for (int i = 0; i < FieldEditsCount; ++i) {
        frameMainIDE->setFieldText(
            i, database.isEmpty() ? QString() : Quib1->GetData(-1, columnOfField(i)));
    }
    // The print steps and the query view show texts of their own there.
    const bool navigationShown = CurrentView == frameMainIDE || CurrentView == frameMainDBSort;
    if (!database.isEmpty() && navigationShown) {
        SetNavigationText(QStringLiteral("%1 / %2 [%3]")
                              .arg(Quib1->RowIndex() + 1)
                              .arg(Quib1->RowsCount())
                              .arg(database));
    }
}

void TfrmMain::Quib1SaveRow() {
    if (IsTableShown()) {
        frameMainGrid->storeCurrentCell(*Quib1, frameMainIDE->lstDBColsIndexFromProgram);
        Quib1->Save();
        return;
    }
    StoreCardFields();
    Quib1->Save();
    Quib1->RefreshData();
}

void TfrmMain::StoreCardFields() {
    for (int i = 0; i < FieldEditsCount; ++i) {
        Quib1->SetData(-1, columnOfField(i), frameMainIDE->fieldText(i));
    }
}

int TfrmMain::columnOfField(int i) const {
    // A field whose column the database lacks maps to column -1: the control
    // reads it as empty and refuses its edits quietly.
    const QStringList& map = frameMainIDE->lstDBColsIndexFromProgram;
    return i < map.size() ? map[i].toInt() : -1;
}

void TfrmMain::Quib1AfterMove() {
    if (CurrentView == frameMainIDE) {
        if (FieldEditsCount > 0) {
            FieldEdits[0]->setEnabled(true);
            if (!StartingUp) {
                FieldEdits[0]->setFocus();
            }
        }
    } else if (IsTableShown()) {
        frameMainGrid->selectRow(frameMainGrid->rowOfRecord(Quib1->RowIndex()));
    }
}

void TfrmMain::Quib1CheckCompatibility(int16_t& Cancel) {
    const CompatibilityCheck check = CheckContactsDatabase(
        *Quib1, ProgramVersion, frameMainIDE->lstDBColsName, frameMainIDE->lstDBColsTitleFull);
    if (!check.accepted) {
        ShowMessage(MsgType::Error, check.error, MsgButtons::Ok, this);
        Cancel = 1;
        return;
    }
    frameMainIDE->lstDBColsIndexFromProgram = check.indexFromProgram;
    frameMainIDE->lstDBColsIndexFromDB = check.indexFromDB;
    if (!check.warning.isEmpty()) {
        ShowMessage(MsgType::Warning, check.warning, MsgButtons::Ok, this);
    }
}
