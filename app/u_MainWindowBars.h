#pragma once

class QMainWindow;
class QMenu;
class QWidget;
class ICommandHost;

namespace Ui {
class TfrmMain;
}

// Where the holder's commands appear in the main window: the main menu, the
// main tool bar (with the recent-file drop-down of Open), the menu tool bar of
// the "New style" and the navigation bar.
namespace MainWindowBars {

void BuildMenus(Ui::TfrmMain& ui, const ICommandHost& commands);
// Returns the recent-file pop-up of the Open button (owned by window).
QMenu* BuildToolBars(Ui::TfrmMain& ui, const ICommandHost& commands, QMainWindow& window);
void BuildNavigationBar(Ui::TfrmMain& ui, const ICommandHost& commands);
// The context menu of the card and the table: the exports of the current
// contact and of the contacts shown (owned by window).
QMenu* BuildContactsMenu(const ICommandHost& commands, QWidget& window);
// Copies hint, caption, visibility and click of the four recent-file entries
// into the pop-up (each time it pops up).
void FillRecentPopup(Ui::TfrmMain& ui, QMenu& popup);

}  // namespace MainWindowBars
