#include "app/u_frmCommon.h"

#include "ui_u_frmCommon.h"

#include "app/QUIBLib_TLB.h"
#include "app/u_Application.h"
#include "app/u_ContactsDB.h"
#include "app/u_HelpRouter.h"
#include "app/u_OptionsCommand.h"
#include "app/u_RecentFiles.h"
#include "app/u_Settings.h"
#include "app/u_frmHelp.h"
#include "app/u_frmMain.h"
#include "exchange/u_frmDBImportExport.h"
#include "exchange/u_frmExportToCSV.h"
#include "exchange/u_frmImportFromCSV.h"
#include "print/u_frameMainPrintRows.h"
#include "query/u_frameMainDBQuery.h"
#include "query/u_frameMainDBSort.h"
#include "support/u_MessageBox.h"
#include "support/u_ProductInfo.h"
#include "support/u_ResourceStrings.h"
#include "views/u_ContactSchema.h"
#include "views/u_FindCommand.h"
#include "views/u_dlgFind.h"
#include "views/u_frameMainGrid.h"
#include "views/u_frameMainIDE.h"

#include <QApplication>
#include <QFileDialog>
#include <QMenu>
#include <QStyle>

#include <algorithm>
#include <utility>

TfrmCommon::TfrmCommon(TfrmMain& main, const QStringList& commandLineDatabases, QWidget* parent)
    : QWidget(parent),
      ui(std::make_unique<Ui::TfrmCommon>()),
      main_(main),
      commandLineDatabases_(commandLineDatabases),
      helpRouter_(std::make_unique<THelpRouter>()) {
    ui->setupUi(this);
    RunFileDialog = [](QFileDialog& dialog) { return dialog.exec() == QDialog::Accepted; };
    RunDialog = [](QDialog& dialog) { dialog.exec(); };
    connectActions();
    assignImages();
    main_.AttachCommands(*this);
    ApplySettings(QStringLiteral("StartUp"));
}

TfrmCommon::~TfrmCommon() {
    if (main_.Common == this) {
        main_.Common = nullptr;
    }
}

QAction* TfrmCommon::action(const QString& name) const {
    return findChild<QAction*>(name, Qt::FindDirectChildrenOnly);
}

void TfrmCommon::connectActions() {
    const std::pair<QAction*, void (TfrmCommon::*)()> handlers[] = {
        {ui->actDBCreate, &TfrmCommon::actDBCreateExecute},
        {ui->actDBOpen, &TfrmCommon::actDBOpenExecute},
        {ui->actDBSave, &TfrmCommon::actDBSaveExecute},
        {ui->actDBSaveAs, &TfrmCommon::actDBSaveAsExecute},
        {ui->actDBReload, &TfrmCommon::actDBReloadExecute},
        {ui->actDBImportExportTBR, &TfrmCommon::actDBImportExportTBRExecute},
        {ui->actDBImportFromCSV, &TfrmCommon::actDBImportFromCSVExecute},
        {ui->actDBExportToCSV, &TfrmCommon::actDBExportToCSVExecute},
        {ui->actDBPrint, &TfrmCommon::actDBPrintExecute},
        {ui->actDBPrintSetup, &TfrmCommon::actDBPrintSetupExecute},
        {ui->actDBMoveFirst, &TfrmCommon::actDBMoveFirstExecute},
        {ui->actDBMovePrevious, &TfrmCommon::actDBMovePreviousExecute},
        {ui->actDBMoveNext, &TfrmCommon::actDBMoveNextExecute},
        {ui->actDBMoveLast, &TfrmCommon::actDBMoveLastExecute},
        {ui->actDBNewRow, &TfrmCommon::actDBNewRowExecute},
        {ui->actDBSaveRow, &TfrmCommon::actDBSaveRowExecute},
        {ui->actDBDeleteRow, &TfrmCommon::actDBDeleteRowExecute},
        {ui->actShowAsTable, &TfrmCommon::actShowAsTableExecute},
        {ui->actEditUndo, &TfrmCommon::actEditUndoExecute},
        {ui->actEditCut, &TfrmCommon::actEditCutExecute},
        {ui->actEditCopy, &TfrmCommon::actEditCopyExecute},
        {ui->actEditPaste, &TfrmCommon::actEditPasteExecute},
        {ui->actEditFindBasic, &TfrmCommon::actEditFindBasicExecute},
        {ui->actEditFindBasicNext, &TfrmCommon::actEditFindBasicNextExecute},
        {ui->actEditFindQuery, &TfrmCommon::actEditFindQueryExecute},
        {ui->actDBSortShow, &TfrmCommon::actDBSortShowExecute},
        {ui->actOptions, &TfrmCommon::actOptionsExecute},
        {ui->actHelpContents, &TfrmCommon::actHelpContentsExecute},
        {ui->actHelpTopicSearch, &TfrmCommon::actHelpTopicSearchExecute},
        {ui->actHelpHowToUse, &TfrmCommon::actHelpHowToUseExecute},
        {ui->actHelpWhatIsNew, &TfrmCommon::actHelpWhatIsNewExecute},
        {ui->actHelpUpdate, &TfrmCommon::actHelpUpdateExecute},
        {ui->actHelpVisitWWW, &TfrmCommon::actHelpVisitWWWExecute},
        {ui->actAbout, &TfrmCommon::actAboutExecute},
        {ui->actDBGridFill, &TfrmCommon::actDBGridFillExecute},
        {ui->actDBGridClear, &TfrmCommon::actDBGridClearExecute},
        {ui->actDBFindQueryProcess, &TfrmCommon::actDBFindQueryProcessExecute},
        {ui->actDBFindQueryClose, &TfrmCommon::actDBFindQueryCloseExecute},
        {ui->actDBPrintRowsQuery, &TfrmCommon::actDBPrintRowsQueryExecute},
        {ui->actDBSortProcess, &TfrmCommon::actDBSortProcessExecute},
        {ui->actDBSortCancel, &TfrmCommon::actDBSortCancelExecute},
        {ui->actDBPrintShowStepRows, &TfrmCommon::actDBPrintShowStepRowsExecute},
        {ui->actDBPrintShowStepTemplate, &TfrmCommon::actDBPrintShowStepTemplateExecute},
        {ui->actDBPrintShowStepPreview, &TfrmCommon::actDBPrintShowStepPreviewExecute},
        {ui->actDBPrintShowStepPrint, &TfrmCommon::actDBPrintShowStepPrintExecute},
        {ui->actDBPrintCancel, &TfrmCommon::actDBPrintCancelExecute},
        {ui->actDBPrintPrepareReport, &TfrmCommon::actDBPrintPrepareReportExecute},
    };
    for (const auto& [act, handler] : handlers) {
        connect(act, &QAction::triggered, this, handler);
    }
}

void TfrmCommon::assignImages() {
    // The shared images of menus and tool bars.
    const std::pair<QAction*, QStyle::StandardPixmap> images[] = {
        {ui->actDBCreate, QStyle::SP_FileIcon},
        {ui->actDBOpen, QStyle::SP_DialogOpenButton},
        {ui->actDBSave, QStyle::SP_DialogSaveButton},
        {ui->actDBReload, QStyle::SP_BrowserReload},
        {ui->actDBPrint, QStyle::SP_FileDialogDetailedView},
        {ui->actDBMoveFirst, QStyle::SP_MediaSkipBackward},
        {ui->actDBMovePrevious, QStyle::SP_MediaSeekBackward},
        {ui->actDBMoveNext, QStyle::SP_MediaSeekForward},
        {ui->actDBMoveLast, QStyle::SP_MediaSkipForward},
        {ui->actDBNewRow, QStyle::SP_FileDialogNewFolder},
        {ui->actDBSaveRow, QStyle::SP_DialogApplyButton},
        {ui->actDBDeleteRow, QStyle::SP_TrashIcon},
        {ui->actEditFindBasic, QStyle::SP_FileDialogContentsView},
        {ui->actEditFindQuery, QStyle::SP_FileDialogInfoView},
        {ui->actDBSortShow, QStyle::SP_ArrowDown},
        {ui->actEditCut, QStyle::SP_DialogDiscardButton},
        {ui->actEditCopy, QStyle::SP_FileLinkIcon},
        {ui->actEditPaste, QStyle::SP_DialogResetButton},
        {ui->actEditUndo, QStyle::SP_ArrowBack},
        {ui->actOptions, QStyle::SP_ComputerIcon},
        {ui->actHelpContents, QStyle::SP_DialogHelpButton},
        {ui->actAbout, QStyle::SP_MessageBoxInformation},
    };
    for (const auto& [act, pixmap] : images) {
        act->setIcon(style()->standardIcon(pixmap));
    }
}

// --- Settings --------------------------------------------------------------------

namespace {

// Runs one settings step; a failure (such as a stored integer that is not a
// number) is shown and the remaining steps still run, so that a damaged
// setting never keeps the program from starting.
template <typename Step>
void runReportingErrors(Step&& step) {
    try {
        step();
    } catch (...) {
        TPellumApplication::HandleException(std::current_exception());
    }
}

}  // namespace

void TfrmCommon::ApplySettings(const QString& occasion) {
    ApplyMainSettings(occasion);
    runReportingErrors([&] {
        main_.frameMainIDE->ApplyCardSettings(occasion,
                                              ReadSettingInteger(QStringLiteral("ActiveTab"), 0));
    });
    for (const auto& step : SettingsSteps) {
        runReportingErrors([&] { step(occasion); });
    }
}

void TfrmCommon::ApplyMainSettings(const QString& occasion) {
    runReportingErrors([&] {
        const bool ownerDraw = ReadSettingInteger(QStringLiteral("MenuStyle"), 1) == 0;
        if (ownerDraw != main_.MenuOwnerDraw()) {
            main_.SetMenuOwnerDraw(ownerDraw);
        }
    });
    if (occasion == QLatin1String("StartUp")) {
        openStartUpDatabase();
    }
}

void TfrmCommon::openStartUpDatabase() {
    const QString database = !commandLineDatabases_.isEmpty()
                                 ? commandLineDatabases_.first()
                                 : ReadSettingString(QStringLiteral("StartUpDatabase"),
                                                     LoadResString(res::DefaultStartUpDatabase));
    main_.Quib1->SetDatabaseName(database);
    ui->actDBReload->setEnabled(true);
    // A failed open leaves the program running without a database.
    runReportingErrors([&] { ui->actDBReload->trigger(); });
    dlgOpenFileName = main_.Quib1->DatabaseName();
    dlgSaveFileName = main_.Quib1->DatabaseName();
}

// --- Command states -----------------------------------------------------------

void TfrmCommon::setEnabled(std::initializer_list<const char*> names, bool enabled) {
    for (const char* name : names) {
        if (QAction* act = action(QLatin1String(name))) {
            act->setEnabled(enabled);
        }
    }
}

void TfrmCommon::UpdateCommandStates(const QString& mode) {
    if (mode == QLatin1String("print") || mode == QLatin1String("DBQuery")) {
        ui->actDBPrintCancel->setEnabled(mode == QLatin1String("print"));
        setEnabled(
            {"actDBMoveFirst",   "actDBMovePrevious",    "actDBMoveNext",      "actDBMoveLast",
             "actDBNewRow",      "actDBSaveRow",         "actDBDeleteRow",     "actDBCreate",
             "actDBOpen",        "actDBImportExportTBR", "actDBImportFromCSV", "actDBExportToCSV",
             "actDBSave",        "actDBSaveAs",          "actDBReload",        "actDBPrint",
             "actEditFindBasic", "actEditFindBasicNext", "actEditFindQuery",   "actShowAsTable"},
            false);
        main_.RecentFilesMenu()->setEnabled(false);
    } else if (mode == QLatin1String("print_cancel")) {
        ui->actDBPrintCancel->setEnabled(false);
    } else if (mode == QLatin1String("sort_cancel")) {
        ui->actDBSortCancel->setEnabled(false);
    } else if (mode == QLatin1String("RefreshData") || mode == QLatin1String("DBQueryResult") ||
               mode == QLatin1String("DBQueryClose")) {
        applyNormalStates();
    }
}

void TfrmCommon::applyNormalStates() {
    TQuib& quib = *main_.Quib1;
    const bool open = !quib.DatabaseName().isEmpty();
    const int n = quib.RowsCount();
    const int i = quib.RowIndex();
    const bool table = main_.IsTableShown();

    setEnabled({"actDBMoveFirst", "actDBMovePrevious"}, i > 0 && !table);
    setEnabled({"actDBMoveNext", "actDBMoveLast"}, i < n - 1 && !table);
    setEnabled({"actDBNewRow"}, open);
    setEnabled({"actDBSaveRow"}, n > 0 && open);
    setEnabled({"actDBDeleteRow"}, n > 1);
    setEnabled({"actDBCreate", "actDBOpen", "actDBImportExportTBR"}, true);
    main_.RecentFilesMenu()->setEnabled(true);
    setEnabled({"actDBImportFromCSV", "actDBExportToCSV", "actDBSave", "actDBSaveAs", "actDBReload",
                "actDBPrint", "actEditFindBasic", "actEditFindBasicNext", "actEditFindQuery"},
               open);
    if (!open) {
        main_.SetNavigationText(LoadResString(res::NoDatabase));
    }
    main_.frameMainIDE->setFieldsEnabled(open);
    if (n <= 0 && main_.IsTableShown()) {
        // An empty table cannot be shown: back to the card.
        actShowAsTableExecute();
    }
    ui->actShowAsTable->setEnabled(n > 0);
    ui->actShowAsTable->setChecked(main_.IsTableShown());
}

// --- Save prompt and recent files ------------------------------------------------

bool TfrmCommon::confirmLeavingCard() {
    // The card is refilled from the record when it comes back: edits not yet
    // stored would be lost on the way.
    return main_.CurrentView != main_.frameMainIDE || ConfirmSaveChanges();
}

bool TfrmCommon::ConfirmSaveChanges() {
    if (!main_.RecordChanged) {
        return true;
    }
    switch (ShowMessage(MsgType::Confirmation, LoadResString(res::RecordChangedSave),
                        MsgButtons::YesNoCancel, &main_)) {
        case MsgResult::Yes:
            ui->actDBSaveRow->trigger();
            return true;
        case MsgResult::No:
            return true;
        default:
            return false;
    }
}

void TfrmCommon::UpdateRecentFiles() {
    const QStringList entries =
        RecentFiles::Promote(RecentFiles::Read(), main_.Quib1->DatabaseName());
    RecentFiles::Write(entries);
    main_.ShowRecentFiles(entries);
}

void TfrmCommon::OpenRecentFile(const QAction* entry) {
    if (entry == nullptr || entry->statusTip().isEmpty() || !ConfirmSaveChanges()) {
        return;
    }
    main_.Quib1->SetDatabaseName(entry->statusTip());
    ui->actDBReload->setEnabled(true);
    ui->actDBReload->trigger();
}

// --- File dialogs --------------------------------------------------------------

namespace {

void prepareDatabaseDialog(QFileDialog& dialog, const QString& title, const QString& fileName) {
    dialog.setWindowTitle(title);
    dialog.setDefaultSuffix(QStringLiteral("tbr"));
    dialog.setNameFilters({QCoreApplication::translate("TfrmCommon", "Database (*.tbr)"),
                           QCoreApplication::translate("TfrmCommon", "All files (*)")});
    if (!fileName.isEmpty()) {
        dialog.selectFile(fileName);
    }
}

}  // namespace

QString TfrmCommon::ExecuteOpenDialog(const QString& title) {
    QFileDialog dialog(&main_);
    dialog.setObjectName(QStringLiteral("dlgOpen"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    prepareDatabaseDialog(dialog, title, dlgOpenFileName);
    if (!RunFileDialog(dialog) || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    dlgOpenFileName = dialog.selectedFiles().first();
    return dlgOpenFileName;
}

QString TfrmCommon::ExecuteSaveDialog(const QString& title) {
    QFileDialog dialog(&main_);
    dialog.setObjectName(QStringLiteral("dlgSave"));
    // Asks before overwriting; the folder must exist (a file dialog only
    // offers existing folders) and there is no read-only choice.
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    prepareDatabaseDialog(dialog, title, dlgSaveFileName);
    if (!RunFileDialog(dialog) || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    dlgSaveFileName = dialog.selectedFiles().first();
    return dlgSaveFileName;
}

// --- Database commands ---------------------------------------------------------

void TfrmCommon::actDBCreateExecute() {
    if (!ConfirmSaveChanges()) {
        return;
    }
    const QString path = ExecuteSaveDialog(LoadResString(res::CreateDatabaseTitle));
    if (path.isEmpty()) {
        return;
    }
    TQuib& quib = *main_.Quib1;
    quib.SetDatabaseName(path);
    try {
        createContactsDatabase();
    } catch (...) {
        // A database that could not be written is not open: the program
        // goes to the no-database state, as after a failed open.
        quib.SetDatabaseName(QString());
        quib.MoveFirst();
        quib.RefreshData();
        throw;
    }
    quib.MoveFirst();
    quib.RefreshData();
}

void TfrmCommon::createContactsDatabase() {
    TQuib& quib = *main_.Quib1;
    TframeMainIDE& card = *main_.frameMainIDE;
    quib.Create();
    WriteContactsHeaders(quib, product::MinDatabaseVersion, main_.ProgramVersion,
                         card.lstDBColsName);
    // A new database holds every column in program order.
    card.lstDBColsIndexFromDB = ContactSchema::IdentityColumnMap();
    card.lstDBColsIndexFromProgram = card.lstDBColsIndexFromDB;
    quib.NewRow(0);
    quib.Save();
}

void TfrmCommon::actDBOpenExecute() {
    if (!ConfirmSaveChanges()) {
        return;
    }
    const QString path = ExecuteOpenDialog(LoadResString(res::OpenDatabaseTitle));
    if (path.isEmpty()) {
        return;
    }
    main_.Quib1->SetDatabaseName(path);
    ui->actDBReload->setEnabled(true);
    ui->actDBReload->trigger();
}

void TfrmCommon::actDBSaveExecute() {
    ui->actDBSaveRow->trigger();
}

void TfrmCommon::actDBSaveAsExecute() {
    const QString path = ExecuteSaveDialog(LoadResString(res::SaveDatabaseAsTitle));
    if (path.isEmpty()) {
        return;
    }
    TQuib& quib = *main_.Quib1;
    // The user chose to save: pending card edits go into the new file, and
    // the old file stays as it was.
    if (main_.RecordChanged && main_.CurrentView == main_.frameMainIDE && quib.RowsCount() > 0) {
        main_.StoreCardFields();
    }
    const QString previous = quib.DatabaseName();
    quib.SetDatabaseName(path);
    try {
        quib.Save();
    } catch (...) {
        // Nothing was written under the new name: go on editing the old file.
        quib.SetDatabaseName(previous);
        throw;
    }
    quib.RefreshData();
}

void TfrmCommon::actDBReloadExecute() {
    runReload();
}

void TfrmCommon::runReload() {
    TQuib& quib = *main_.Quib1;
    bool ok = false;
    // The clean-up runs in every case, also when Open raises; the error then
    // travels on to the application's error handling.
    auto cleanUp = [&] {
        if (!ok) {
            quib.SetDatabaseName(QString());
        }
        quib.MoveFirst();
        quib.RefreshData();
    };
    try {
        ok = quib.Open();
    } catch (...) {
        cleanUp();
        throw;
    }
    cleanUp();
    if (ok) {
        UpdateRecentFiles();
    }
}

void TfrmCommon::actDBImportExportTBRExecute() {
    // A conversion that involves the open database reloads it, as Reload
    // does: pending card edits would be lost without the user's word.
    if (!ConfirmSaveChanges()) {
        return;
    }
    TfrmDBImportExport dialog(
        *main_.Quib1, main_.ProgramVersion, [this] { ui->actDBReload->trigger(); }, &main_);
    RunDialog(dialog);
}

void TfrmCommon::actDBImportFromCSVExecute() {
    TQuib& quib = *main_.Quib1;
    if (quib.DatabaseName().isEmpty()) {
        return;
    }
    const TframeMainIDE& card = *main_.frameMainIDE;
    const int rowsBefore = quib.RowsCount();
    TfrmImportFromCSV dialog(quib, card.lstDBColsTitleFull, card.lstDBColsIndexFromProgram, &main_);
    RunDialog(dialog);
    // The table shows the appended records only after a refill.
    if (quib.RowsCount() != rowsBefore && main_.IsTableShown()) {
        quib.RefreshData();
    }
}

void TfrmCommon::actDBExportToCSVExecute() {
    const TQuib& quib = *main_.Quib1;
    if (quib.DatabaseName().isEmpty()) {
        return;
    }
    const TframeMainIDE& card = *main_.frameMainIDE;
    TfrmExportToCSV dialog(quib, card.lstDBColsName, card.lstDBColsTitleFull,
                           card.lstDBColsIndexFromProgram, &main_);
    RunDialog(dialog);
}

void TfrmCommon::actDBPrintExecute() {
    if (!confirmLeavingCard()) {
        return;
    }
    main_.ShowView(main_.frameMainPrintRows);
    main_.SetNavigationText(u'[' + main_.Quib1->DatabaseName() + u']');
    UpdateCommandStates(QStringLiteral("print"));
}

void TfrmCommon::actDBPrintSetupExecute() {}

// --- Records ---------------------------------------------------------------------

void TfrmCommon::moveAndRefresh(bool (TQuib::*move)()) {
    if (!ConfirmSaveChanges()) {
        return;
    }
    (main_.Quib1->*move)();
    main_.Quib1->RefreshData();
}

void TfrmCommon::actDBMoveFirstExecute() {
    moveAndRefresh(&TQuib::MoveFirst);
}
void TfrmCommon::actDBMovePreviousExecute() {
    moveAndRefresh(&TQuib::MovePrevious);
}
void TfrmCommon::actDBMoveNextExecute() {
    moveAndRefresh(&TQuib::MoveNext);
}
void TfrmCommon::actDBMoveLastExecute() {
    moveAndRefresh(&TQuib::MoveLast);
}

void TfrmCommon::actDBNewRowExecute() {
    if (main_.IsTableShown()) {
        gridNewRow();
        return;
    }
    // Moving to the new record refills the card: edits of the record being
    // left need the user's word first.
    if (!ConfirmSaveChanges()) {
        return;
    }
    TQuib& quib = *main_.Quib1;
    quib.NewRow(quib.RowsCount());
    quib.MoveLast();
    quib.RefreshData();
}

void TfrmCommon::actDBSaveRowExecute() {
    main_.Quib1->SaveRow();
}

void TfrmCommon::actDBDeleteRowExecute() {
    if (main_.IsTableShown()) {
        gridDeleteRow();
        return;
    }
    TQuib& quib = *main_.Quib1;
    quib.DeleteRow(-1);
    if (quib.RowIndex() > quib.RowsCount() - 1) {
        quib.MoveLast();
    }
    quib.RefreshData();
}

// --- Views -----------------------------------------------------------------------

void TfrmCommon::actShowAsTableExecute() {
    // The table is filled from the file's records: card edits not yet
    // stored would be lost on the way.
    if (!main_.IsTableShown() && !confirmLeavingCard()) {
        // The action checked itself when triggered; the card stays.
        ui->actShowAsTable->setChecked(false);
        return;
    }
    if (main_.IsTableShown()) {
        main_.ShowView(main_.frameMainIDE);
        ui->actShowAsTable->setChecked(false);
        ui->actDBGridClear->trigger();
    } else {
        main_.ShowView(main_.frameMainGrid);
        ui->actShowAsTable->setChecked(true);
    }
    main_.Quib1->RefreshData();
}

void TfrmCommon::actDBSortShowExecute() {
    const bool sortShown = main_.CurrentView == main_.frameMainDBSort;
    if (!sortShown && !confirmLeavingCard()) {
        return;
    }
    const bool fromTable = main_.IsTableShown();
    if (sortShown) {
        main_.ShowView(main_.frameMainIDE);
    } else {
        main_.ShowView(main_.frameMainDBSort);
        ui->actDBSortCancel->setEnabled(true);
    }
    if (fromTable) {
        ui->actDBGridClear->trigger();
    }
    // The record commands stay available beside the sort builder and write
    // the card's fields: the card must show the current record, also after
    // cell edits in the table or moves made meanwhile.
    main_.Quib1->RefreshData();
}

void TfrmCommon::actOptionsExecute() {
    RunOptionsDialog(*this);
}

// --- Edit ------------------------------------------------------------------------

namespace {

// Runs a standard edit slot (undo, cut, copy, paste) of the focused text control.
void runOnFocusedEditor(const char* slot) {
    if (QWidget* focused = QApplication::focusWidget()) {
        QMetaObject::invokeMethod(focused, slot);
    }
}

}  // namespace

void TfrmCommon::actEditUndoExecute() {
    runOnFocusedEditor("undo");
}
void TfrmCommon::actEditCutExecute() {
    runOnFocusedEditor("cut");
}
void TfrmCommon::actEditCopyExecute() {
    runOnFocusedEditor("copy");
}
void TfrmCommon::actEditPasteExecute() {
    runOnFocusedEditor("paste");
}

void TfrmCommon::actEditFindBasicExecute() {
    TdlgFind& dialog = findDialog();
    dialog.show();
    dialog.raise();
    dialog.activateWindow();
}

void TfrmCommon::actEditFindBasicNextExecute() {
    runBasicFind();
}

TdlgFind& TfrmCommon::findDialog() {
    if (dlgFind_ == nullptr) {
        dlgFind_ = new TdlgFind(&main_);
        connect(dlgFind_, &TdlgFind::findNext, this, &TfrmCommon::runBasicFind);
        CloseDialogSteps.push_back([this] { dlgFind_->close(); });
    }
    return *dlgFind_;
}

void TfrmCommon::runBasicFind() {
    FindCommand::View view = FindCommand::View::Other;
    if (main_.CurrentView == main_.frameMainIDE) {
        view = FindCommand::View::Card;
    } else if (main_.IsTableShown()) {
        view = FindCommand::View::Table;
    }
    FindCommand::Context context{*main_.Quib1,
                                 *main_.frameMainIDE,
                                 *main_.frameMainGrid,
                                 view,
                                 [this] { return ConfirmSaveChanges(); },
                                 &main_};
    FindCommand::Run(context, findDialog().request());
}

void TfrmCommon::actEditFindQueryExecute() {
    if (!confirmLeavingCard()) {
        return;
    }
    ViewBeforeQuery = main_.CurrentView;
    main_.ShowView(main_.frameMainDBQuery);
    UpdateCommandStates(QStringLiteral("DBQuery"));
}

// --- Help ------------------------------------------------------------------------

void TfrmCommon::ShowHelpContext(int context) {
    helpRouter_->ShowContext(context);
}

void TfrmCommon::actHelpContentsExecute() {
    helpRouter_->ShowContents();
}
void TfrmCommon::actHelpTopicSearchExecute() {
    helpRouter_->ShowKeywordSearch(QString());
}
void TfrmCommon::actHelpHowToUseExecute() {
    helpRouter_->ShowHelpOnHelp();
}
void TfrmCommon::actHelpWhatIsNewExecute() {
    helpRouter_->ShowTopic(QStringLiteral("what_is_new"));
}
void TfrmCommon::actHelpUpdateExecute() {}
void TfrmCommon::actHelpVisitWWWExecute() {}
void TfrmCommon::actAboutExecute() {}

// --- Work actions ----------------------------------------------------------------

void TfrmCommon::actDBGridFillExecute() {
    const TframeMainIDE& card = *main_.frameMainIDE;
    TframeMainGrid& grid = *main_.frameMainGrid;
    grid.GridFill(*main_.Quib1, card.lstDBColsTitleFull, card.lstDBColsIndexFromProgram);
    // Entering the table starts at the record the card showed.
    if (grid.currentRow() < 0 && main_.Quib1->RowsCount() > 0) {
        grid.selectCell(grid.rowOfRecord(std::max(0, main_.Quib1->RowIndex())), 0);
    }
}

void TfrmCommon::actDBGridClearExecute() {
    main_.frameMainGrid->GridClear();
}

void TfrmCommon::gridNewRow() {
    TQuib& quib = *main_.Quib1;
    quib.NewRow(quib.RowsCount());
    main_.frameMainGrid->appendRecordRow();
    // Record Delete may have become possible.
    UpdateCommandStates(QStringLiteral("RefreshData"));
}

void TfrmCommon::gridDeleteRow() {
    TframeMainGrid& grid = *main_.frameMainGrid;
    const int record = grid.currentRecord();
    // Without a current cell there is no record to delete (row -1 would
    // delete the control's current row instead).
    if (record < 0 || main_.Quib1->RowsCount() <= 1) {
        return;
    }
    if (main_.Quib1->DeleteRow(record)) {
        grid.removeCurrentRow();
        // The cursor must stay on a record, as after Delete on the card; the
        // grid row is gone by now, so the move selects a row that exists.
        if (main_.Quib1->RowIndex() > main_.Quib1->RowsCount() - 1) {
            main_.Quib1->MoveLast();
        }
    }
    // The last remaining record cannot be deleted: recompute the states now,
    // not only at the next refresh.
    UpdateCommandStates(QStringLiteral("RefreshData"));
}
void TfrmCommon::actDBFindQueryProcessExecute() {}

void TfrmCommon::actDBFindQueryCloseExecute() {
    main_.ShowView(ViewBeforeQuery != nullptr ? ViewBeforeQuery : main_.frameMainIDE);
    UpdateCommandStates(QStringLiteral("DBQueryClose"));
}

void TfrmCommon::actDBPrintRowsQueryExecute() {}
void TfrmCommon::actDBSortProcessExecute() {}

void TfrmCommon::actDBSortCancelExecute() {
    main_.ShowView(main_.frameMainIDE);
    UpdateCommandStates(QStringLiteral("sort_cancel"));
    main_.Quib1->RefreshData();
}

void TfrmCommon::actDBPrintShowStepRowsExecute() {}
void TfrmCommon::actDBPrintShowStepTemplateExecute() {}
void TfrmCommon::actDBPrintShowStepPreviewExecute() {}
void TfrmCommon::actDBPrintShowStepPrintExecute() {}

void TfrmCommon::actDBPrintCancelExecute() {
    main_.ShowView(main_.frameMainIDE);
    UpdateCommandStates(QStringLiteral("print_cancel"));
    main_.Quib1->RefreshData();
}

void TfrmCommon::actDBPrintPrepareReportExecute() {}

void TfrmCommon::CloseDialogs() {
    if (THelpRouter* router = helpRouter_.get(); router != nullptr && router->window() != nullptr) {
        router->window()->close();
    }
    for (const auto& close : CloseDialogSteps) {
        close();
    }
}

void TfrmCommon::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
    }
    QWidget::changeEvent(event);
}
