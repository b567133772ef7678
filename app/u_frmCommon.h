#pragma once

#include "views/u_CommandHost.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QDialog;
class TDatabaseCommands;
class TEditCommands;
class THelpCommands;
class TPrintCommands;
class TQueryCommands;
class TSyncCommands;
class TViewCommands;

namespace Ui {
class TfrmCommon;
}

// The command holder: every command of the program is one of its actions;
// menus, tool buttons and other windows run a command by triggering its
// action, and a disabled action does nothing. The handlers live in command
// units by area (database, views, edit, help, query, print, exchange), each
// registered through ICommandHost::Register. The holder applies the settings,
// keeps the command states and the recent files, and asks the save-changes
// question.
//
// The holder is never shown.
class TfrmCommon : public QWidget, public ICommandHost {
    Q_OBJECT

  public:
    // Creates the command units, places the commands in the main window and
    // applies the settings for the occasion StartUp, which opens the start-up
    // database: the first of commandLineDatabases, or the setting
    // StartUpDatabase when there is none.
    TfrmCommon(IMainWindow& main, TContactsSession& session,
               const QStringList& commandLineDatabases, QWidget* parent = nullptr);
    ~TfrmCommon() override;
    TfrmCommon(const TfrmCommon&) = delete;
    TfrmCommon& operator=(const TfrmCommon&) = delete;

    Ui::TfrmCommon& form() const { return *ui; }

    // ICommandHost
    QAction* action(const QString& name) const override;
    void Register(const char* actionName, std::function<void()> handler) override;
    TContactsSession& Session() const override { return session_; }
    IMainWindow& Main() const override { return main_; }
    void UpdateCommandStates(TCommandMode mode) override;
    bool IsEnabled(TCommand command) const override;
    void EnableCommand(TCommand command, bool enabled) override;
    void AddStatesStep(std::function<void()> step) override;
    bool ConfirmSaveChanges() override;
    void RunDialog(QDialog& dialog) override;
    void UpdateRecentFiles() override;
    void OpenRecentFile(int index) override;
    QList<int> QueryResult() const override;
    void ShowHelpContext(int context) override;
    void AddCloseStep(std::function<void()> step) override;
    void CloseDialogs() override;
    void AddSettingsStep(std::function<void(TSettingsOccasion)> step) override;

    // Runs what the open database's closing brings (its sync), while it is
    // still open: before another one is opened or created.
    void DatabaseClosing();

    void ApplySettings(TSettingsOccasion occasion);
    void ApplyMainSettings(TSettingsOccasion occasion);

    // Shows a command's dialog modally until it closes. Tests replace it to
    // drive the dialog without a window loop.
    std::function<void(QDialog&)> DialogRunner;

    // The command units (tests and the main window reach their state here).
    TDatabaseCommands& DatabaseCommands() const { return *database_; }
    TQueryCommands& QueryCommands() const { return *query_; }
    TPrintCommands& PrintCommands() const { return *print_; }
    TEditCommands& EditCommands() const { return *edit_; }
    THelpCommands& HelpCommands() const { return *help_; }
    TSyncCommands& SyncCommands() const { return *sync_; }

  protected:
    void changeEvent(QEvent* event) override;

  private:
    void createUnits();
    void assignImages();
    void applyMenuStyle();
    void openStartUpDatabase();
    void applyStates(const TCommandStates& states);

    std::unique_ptr<Ui::TfrmCommon> ui;
    IMainWindow& main_;
    TContactsSession& session_;
    QStringList commandLineDatabases_;
    std::vector<std::unique_ptr<TCommandUnit>> units_;
    TDatabaseCommands* database_ = nullptr;
    TViewCommands* views_ = nullptr;
    TEditCommands* edit_ = nullptr;
    THelpCommands* help_ = nullptr;
    TQueryCommands* query_ = nullptr;
    TPrintCommands* print_ = nullptr;
    TSyncCommands* sync_ = nullptr;
    // The enabled state of each command as the updates decided it.
    std::array<bool, kCommandCount> enabled_{};
    std::vector<std::function<void()>> closeSteps_;
    std::vector<std::function<void()>> statesSteps_;
    std::vector<std::function<void(TSettingsOccasion)>> settingsSteps_;
};
