#pragma once

#include "views/u_CommandStates.h"

#include <QString>
#include <QStringList>

class QMenu;
class QWidget;
class ICommandHost;
class TFilterBar;
class TframeMainGrid;
class TframeMainIDE;

// The main window as the commands see it: the views in its client area, the
// navigation text, the recent-file entries and the menu style. The main
// window implements it; command units and the command holder reach the
// window only through it.
class IMainWindow {
  public:
    virtual ~IMainWindow() = default;

    // Places the holder's commands in the menus, the tool bars and the
    // navigation bar, and routes the window's requests to them.
    virtual void AttachCommands(ICommandHost& commands) = 0;

    // Owner of the commands' dialogs and message boxes.
    virtual QWidget* Widget() = 0;

    virtual TView CurrentView() const = 0;
    // Hides the view in front, makes view current and shows it.
    virtual void ShowView(TView view) = 0;
    // The frame of a view (query/ and print/ cast it to their frame class).
    virtual QWidget* ViewFrame(TView view) const = 0;
    virtual TframeMainIDE& Card() const = 0;
    virtual TframeMainGrid& Grid() const = 0;
    // The navigation bar's filter box (find as you type).
    virtual TFilterBar& FilterBar() const = 0;

    virtual void SetNavigationText(const QString& text) = 0;
    virtual QMenu* RecentFilesMenu() const = 0;
    // Rebuilds the four recent-file entries from the paths (most recent first).
    virtual void ShowRecentFiles(const QStringList& paths) = 0;

    // "New style" (owner-drawn menus in the menu tool bar) or "Classic style".
    virtual bool MenuOwnerDraw() const = 0;
    virtual void SetMenuOwnerDraw(bool ownerDraw) = 0;

    // Stores the edits of the view in front through the session (record
    // Save): the card's fields, or the table's cell being edited.
    virtual void StoreViewEdits() = 0;
    // The texts of the card's 32 fields, in program order.
    virtual QStringList CardFields() const = 0;
    // Ends a cell edit in progress in the table: its text is stored.
    virtual void FinishCellEdit() = 0;

  protected:
    IMainWindow() = default;
    IMainWindow(const IMainWindow&) = default;
    IMainWindow& operator=(const IMainWindow&) = default;
};
