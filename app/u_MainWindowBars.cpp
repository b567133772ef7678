#include "app/u_MainWindowBars.h"

#include "ui_u_frmMain.h"

#include "support/u_RecentFiles.h"
#include "support/u_ToolBarCaptions.h"
#include "views/u_CommandHost.h"

#include <QMainWindow>
#include <QMenu>
#include <QToolButton>

namespace MainWindowBars {

void BuildMenus(Ui::TfrmMain& ui, const ICommandHost& commands) {
    auto act = [&commands](const char* name) { return commands.action(QLatin1String(name)); };
    QMenu* file = ui.mnuFile;
    file->addActions({act("actDBCreate"), act("actDBOpen"), act("actDBSave"), act("actDBSaveAs")});
    file->addSeparator();
    ui.mnuFileImportExport->addActions({act("actDBImportExportTBR"), act("actDBImportFromCSV"),
                                        act("actDBExportToCSV"), act("actDBImportFromVCard"),
                                        act("actDBExportToVCard")});
    file->addMenu(ui.mnuFileImportExport);
    file->addSeparator();
    file->addActions({act("actDBSyncNow"), act("actDBSyncSettings")});
    file->addSeparator();
    file->addActions({act("actDBPrint"), act("actDBPrintSetup")});
    file->addSeparator();
    ui.mnuFileRecentFiles->addActions({ui.mnuFileRecentFile1, ui.mnuFileRecentFile2,
                                       ui.mnuFileRecentFile3, ui.mnuFileRecentFile4});
    file->addMenu(ui.mnuFileRecentFiles);
    file->addSeparator();
    file->addAction(ui.mnuFileExit);

    QMenu* edit = ui.mnuEdit;
    edit->addActions({act("actEditUndo"), act("actEditRedo")});
    edit->addSeparator();
    edit->addActions({act("actEditCut"), act("actEditCopy"), act("actEditPaste")});
    edit->addSeparator();
    edit->addActions({act("actEditFindBasic"), act("actEditFindBasicNext"), act("actEditFilter")});
    edit->addSeparator();
    edit->addAction(act("actEditFindQuery"));

    ui.mnuView->addActions({ui.mnuViewToolbar, ui.mnuViewNavBar});
    ui.mnuView->addSeparator();
    ui.mnuView->addAction(ui.mnuViewStatusBar);

    QMenu* record = ui.mnuRecord;
    record->addActions({act("actDBMoveFirst"), act("actDBMovePrevious"), act("actDBMoveNext"),
                        act("actDBMoveLast")});
    record->addSeparator();
    record->addActions({act("actDBNewRow"), act("actDBSaveRow"), act("actDBDeleteRow")});

    QMenu* tools = ui.mnuTools;
    tools->addAction(act("actShowAsTable"));
    tools->addSeparator();
    tools->addActions({act("actDBSortShow"), act("actFindDuplicates")});
    tools->addSeparator();
    ui.mnuToolsLanguage->addActions({ui.mnuToolsLanguageCzech, ui.mnuToolsLanguageEnglish});
    tools->addMenu(ui.mnuToolsLanguage);
    tools->addSeparator();
    tools->addAction(act("actOptions"));

    QMenu* help = ui.mnuHelp;
    help->addActions({act("actHelpContents"), act("actHelpTopicSearch"), act("actHelpWhatIsNew")});
    help->addSeparator();
    help->addActions({act("actHelpUpdate"), act("actHelpVisitWWW")});
    help->addSeparator();
    help->addAction(act("actAbout"));
}

QMenu* BuildToolBars(Ui::TfrmMain& ui, const ICommandHost& commands, QMainWindow& window) {
    auto act = [&commands](const char* name) { return commands.action(QLatin1String(name)); };
    QToolBar* bar = ui.tbMain;
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
    auto* recentPopup = new QMenu(&window);
    recentPopup->setObjectName(QStringLiteral("mnuRecentFilesPopup"));
    QObject::connect(recentPopup, &QMenu::aboutToShow, recentPopup,
                     [&ui, recentPopup] { FillRecentPopup(ui, *recentPopup); });
    if (auto* open = qobject_cast<QToolButton*>(bar->widgetForAction(act("actDBOpen")))) {
        open->setMenu(recentPopup);
        open->setPopupMode(QToolButton::MenuButtonPopup);
    }

    // The menu tool bar of the "New style": one flat caption button per menu,
    // its letter underlined and opening the menu with Alt, as on the menu bar.
    ShowCaptionAccelerators(*ui.tbMainMenu);
    ui.tbMainMenu->setStyleSheet(
        QStringLiteral("QToolButton::menu-indicator { image: none; width: 0px; }"));
    for (QAction* top : ui.mnuMain->actions()) {
        ui.tbMainMenu->addAction(top);
        if (auto* button = qobject_cast<QToolButton*>(ui.tbMainMenu->widgetForAction(top))) {
            button->setPopupMode(QToolButton::InstantPopup);
            button->setAutoRaise(true);
        }
    }
    return recentPopup;
}

QMenu* BuildContactsMenu(const ICommandHost& commands, QWidget& window) {
    auto act = [&commands](const char* name) { return commands.action(QLatin1String(name)); };
    auto* menu = new QMenu(&window);
    menu->setObjectName(QStringLiteral("pmnuContacts"));
    menu->addActions({act("actExportContactToVCard"), act("actExportContactToCSV")});
    menu->addSeparator();
    menu->addActions({act("actExportShownToVCard"), act("actExportShownToCSV")});
    return menu;
}

void FillRecentPopup(Ui::TfrmMain& ui, QMenu& popup) {
    // A fresh copy each time: hint, caption, visibility and click of the menu entries.
    popup.clear();
    const std::array entries{ui.mnuFileRecentFile1, ui.mnuFileRecentFile2, ui.mnuFileRecentFile3,
                             ui.mnuFileRecentFile4};
    for (QAction* entry : entries) {
        QAction* copy = popup.addAction(entry->text());
        copy->setStatusTip(entry->statusTip());
        copy->setToolTip(entry->toolTip());
        copy->setVisible(entry->isVisible());
        copy->setEnabled(entry->isEnabled());
        QObject::connect(copy, &QAction::triggered, entry, &QAction::trigger);
    }
}

void BuildNavigationBar(Ui::TfrmMain& ui, const ICommandHost& commands) {
    const std::pair<QToolButton*, const char*> buttons[] = {
        {ui.tbutDBNavFirst, "actDBMoveFirst"},     {ui.tbutDBNavPrevious, "actDBMovePrevious"},
        {ui.tbutDBNavNewRow, "actDBNewRow"},       {ui.tbutDBNavSaveRow, "actDBSaveRow"},
        {ui.tbutDBNavDeleteRow, "actDBDeleteRow"}, {ui.tbutDBNavNext, "actDBMoveNext"},
        {ui.tbutDBNavLast, "actDBMoveLast"},       {ui.tbutDBNavShowAsTable, "actShowAsTable"},
    };
    for (const auto& [button, name] : buttons) {
        button->setDefaultAction(commands.action(QLatin1String(name)));
    }
}

}  // namespace MainWindowBars
