#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class QAction;
class QDialog;
class QFileDialog;
class TfrmMain;
class THelpRouter;
class TQuib;
class TdlgFind;

namespace Ui {
class TfrmCommon;
}

// The command holder: every command of the program is one of its actions;
// menus, tool buttons and other windows run a command by triggering its
// action, and a disabled action does nothing. It also carries the open and
// save dialogs, the settings application and the command states.
//
// The holder is never shown.
class TfrmCommon : public QWidget {
    Q_OBJECT

  public:
    // Attaches the commands to the main window and applies the settings for
    // the occasion "StartUp", which opens the start-up database: the first of
    // commandLineDatabases, or the setting StartUpDatabase when there is none.
    TfrmCommon(TfrmMain& main, const QStringList& commandLineDatabases, QWidget* parent = nullptr);
    ~TfrmCommon() override;
    TfrmCommon(const TfrmCommon&) = delete;
    TfrmCommon& operator=(const TfrmCommon&) = delete;

    Ui::TfrmCommon& form() const { return *ui; }
    TfrmMain& main() const { return main_; }
    // The action with the given objectName (nullptr when there is none).
    QAction* action(const QString& name) const;

    // "StartUp" (once) or "Manual" (after the options changed).
    void ApplySettings(const QString& occasion);
    void ApplyMainSettings(const QString& occasion);
    // Further settings steps of other windows, run by ApplySettings after the
    // card's (the print template adds its step here).
    std::vector<std::function<void(const QString& occasion)>> SettingsSteps;

    // Enables and disables the commands for a mode word: "RefreshData",
    // "print", "print_cancel", "DBQuery", "DBQueryResult", "DBQueryClose",
    // "sort_cancel". Other words change nothing.
    void UpdateCommandStates(const QString& mode);

    // Asks whether to save a changed record; false means the user cancelled.
    bool ConfirmSaveChanges();

    // After a successful open: moves the database to the top of the recent
    // files and rebuilds their menu entries.
    void UpdateRecentFiles();
    // Opens the file an entry of the recent-file menu stands for.
    void OpenRecentFile(const QAction* entry);

    // The open and save dialogs ("tbr" files). They return the chosen path, or
    // the empty text when the user cancelled. Their file name is preset to the
    // open database's.
    QString ExecuteOpenDialog(const QString& title);
    QString ExecuteSaveDialog(const QString& title);
    QString dlgOpenFileName;
    QString dlgSaveFileName;
    // Runs a prepared file dialog; true when the user accepted it. Tests
    // replace it to answer without a window.
    std::function<bool(QFileDialog&)> RunFileDialog;
    // Shows a command's dialog modally until it closes. Tests replace it to
    // drive the dialog without a window loop.
    std::function<void(QDialog&)> RunDialog;

    // The view that was current when the query view was opened.
    QWidget* ViewBeforeQuery = nullptr;

    THelpRouter& HelpRouter() const { return *helpRouter_; }

    // Closes the non-modal windows of the commands (help, find, replace) when
    // the main window closes. Windows of later commands add their closing here.
    void CloseDialogs();
    std::vector<std::function<void()>> CloseDialogSteps;
    void ShowHelpContext(int context);

  public slots:
    // Database file commands
    void actDBCreateExecute();
    void actDBOpenExecute();
    void actDBSaveExecute();
    void actDBSaveAsExecute();
    void actDBReloadExecute();
    void actDBImportExportTBRExecute();
    void actDBImportFromCSVExecute();
    void actDBExportToCSVExecute();
    void actDBPrintExecute();
    void actDBPrintSetupExecute();
    // Records
    void actDBMoveFirstExecute();
    void actDBMovePreviousExecute();
    void actDBMoveNextExecute();
    void actDBMoveLastExecute();
    void actDBNewRowExecute();
    void actDBSaveRowExecute();
    void actDBDeleteRowExecute();
    // Views and tools
    void actShowAsTableExecute();
    void actDBSortShowExecute();
    void actOptionsExecute();
    // Edit
    void actEditUndoExecute();
    void actEditCutExecute();
    void actEditCopyExecute();
    void actEditPasteExecute();
    void actEditFindBasicExecute();
    void actEditFindBasicNextExecute();
    void actEditFindQueryExecute();
    // Help
    void actHelpContentsExecute();
    void actHelpTopicSearchExecute();
    void actHelpHowToUseExecute();
    void actHelpWhatIsNewExecute();
    void actHelpUpdateExecute();
    void actHelpVisitWWWExecute();
    void actAboutExecute();
    // Work actions of the table view, the query view, the sort builder and
    // the print wizard
    void actDBGridFillExecute();
    void actDBGridClearExecute();
    void actDBFindQueryProcessExecute();
    void actDBFindQueryCloseExecute();
    void actDBPrintRowsQueryExecute();
    void actDBSortProcessExecute();
    void actDBSortCancelExecute();
    void actDBPrintShowStepRowsExecute();
    void actDBPrintShowStepTemplateExecute();
    void actDBPrintShowStepPreviewExecute();
    void actDBPrintShowStepPrintExecute();
    void actDBPrintCancelExecute();
    void actDBPrintPrepareReportExecute();

  protected:
    void changeEvent(QEvent* event) override;

  private:
    void connectActions();
    void assignImages();
    void setEnabled(std::initializer_list<const char*> names, bool enabled);
    void applyNormalStates();
    void openStartUpDatabase();
    void runReload();
    void createContactsDatabase();
    // Asks about unsaved card edits when the card is the view being left.
    bool confirmLeavingCard();
    void moveAndRefresh(bool (TQuib::*move)());
    // The table view's variants of record New and record Delete.
    void gridNewRow();
    void gridDeleteRow();
    // The find dialog, created on first use and kept for Find Next.
    TdlgFind& findDialog();
    void runBasicFind();

    std::unique_ptr<Ui::TfrmCommon> ui;
    TfrmMain& main_;
    QStringList commandLineDatabases_;
    std::unique_ptr<THelpRouter> helpRouter_;
    TdlgFind* dlgFind_ = nullptr;  // owned by the main window
};
