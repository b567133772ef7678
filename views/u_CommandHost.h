#pragma once

#include "support/u_Settings.h"
#include "views/u_CommandStates.h"

#include <QList>
#include <QString>

#include <functional>

class QAction;
class QDialog;
class IMainWindow;
class TContactsSession;

// The command holder as a command unit sees it. A command unit is a class of
// its own in the folder of its area (query/, print/, exchange/, app/ ...); the
// holder creates it with the host, and the unit registers a handler for each
// of its actions:
//
//     TSortCommands::TSortCommands(ICommandHost& host) : host_(host) {
//         host.Register("actDBSortProcess", [this] { process(); });
//     }
//
// The actions themselves (captions, shortcuts, images) are the holder's.
// Every handler runs inside the command boundary: what it throws is reported
// and goes no further.
class ICommandHost {
  public:
    virtual ~ICommandHost() = default;

    // The action with the given objectName (nullptr when there is none).
    virtual QAction* action(const QString& name) const = 0;
    // Runs handler through the command boundary each time the action runs.
    virtual void Register(const char* actionName, std::function<void()> handler) = 0;

    // The open database and the main window.
    virtual TContactsSession& Session() const = 0;
    virtual IMainWindow& Main() const = 0;

    // Enables and disables the commands for the view in front and mode.
    virtual void UpdateCommandStates(TCommandMode mode) = 0;
    // Whether a command is enabled, as the last updates decided.
    virtual bool IsEnabled(TCommand command) const = 0;
    // Enables or disables one command outside an update (the sort builder's
    // "&Cancel" when it is shown).
    virtual void EnableCommand(TCommand command, bool enabled) = 0;
    // A step of the unit, run after every update of the command states.
    virtual void AddStatesStep(std::function<void()> step) = 0;
    // Asks whether to save a changed record; false means the user cancelled.
    virtual bool ConfirmSaveChanges() = 0;
    // Shows a command's dialog modally until it closes (tests drive it instead).
    virtual void RunDialog(QDialog& dialog) = 0;

    // After a successful open: moves the database to the top of the recent
    // files and rebuilds their menu entries.
    virtual void UpdateRecentFiles() = 0;
    // Opens recent file index (0 is the most recent), asking first about
    // unsaved card edits.
    virtual void OpenRecentFile(int index) = 0;
    // The records the table lists as the result of a find by query, in
    // table order; empty when it shows none.
    virtual QList<int> QueryResult() const = 0;
    virtual void ShowHelpContext(int context) = 0;

    // Closes a non-modal window of the unit when the main window closes.
    virtual void AddCloseStep(std::function<void()> step) = 0;
    // Closes the non-modal windows of every unit.
    virtual void CloseDialogs() = 0;
    // A settings step of the unit, run by ApplySettings after the card's.
    virtual void AddSettingsStep(std::function<void(TSettingsOccasion)> step) = 0;

  protected:
    ICommandHost() = default;
    ICommandHost(const ICommandHost&) = default;
    ICommandHost& operator=(const ICommandHost&) = default;
};

// Asks about unsaved card edits when the card is the view being left (it is
// refilled from the record when it comes back); false means the user cancelled.
bool ConfirmLeavingCard(ICommandHost& host);

// The base of the command units the holder owns.
class TCommandUnit {
  public:
    explicit TCommandUnit(ICommandHost& host) : host_(host) {}
    virtual ~TCommandUnit() = default;
    TCommandUnit(const TCommandUnit&) = delete;
    TCommandUnit& operator=(const TCommandUnit&) = delete;

  protected:
    ICommandHost& host() const { return host_; }

  private:
    ICommandHost& host_;
};
