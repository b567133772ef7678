#include "query/u_QueryCommands.h"

#include "session/u_ContactsSession.h"
#include "views/u_MainWindowInterface.h"
#include "views/u_frameMainGrid.h"

#include <QAction>

TQueryCommands::TQueryCommands(ICommandHost& host) : TCommandUnit(host) {
    host.Register("actEditFindQuery", [this] { showQuery(); });
    host.Register("actDBFindQueryClose", [this] { closeQuery(); });
    host.Register("actDBSortShow", [this] { showSort(); });
    host.Register("actDBSortCancel", [this] { cancelSort(); });
}

void TQueryCommands::showQuery() {
    if (!ConfirmLeavingCard(host())) {
        return;
    }
    ViewBeforeQuery = host().Main().CurrentView();
    host().Main().ShowView(TView::Query);
    host().UpdateCommandStates(TCommandMode::DBQuery);
}

void TQueryCommands::closeQuery() {
    host().Main().ShowView(ViewBeforeQuery);
    host().UpdateCommandStates(TCommandMode::DBQueryClose);
}

void TQueryCommands::showSort() {
    IMainWindow& main = host().Main();
    const bool sortShown = main.CurrentView() == TView::Sort;
    if (!sortShown && !ConfirmLeavingCard(host())) {
        return;
    }
    const bool fromTable = main.CurrentView() == TView::Table;
    if (sortShown) {
        main.ShowView(TView::Card);
    } else {
        main.ShowView(TView::Sort);
        host().action(QStringLiteral("actDBSortCancel"))->setEnabled(true);
    }
    if (fromTable) {
        main.Grid().GridClear();
    }
    // The record commands stay available beside the sort builder and write
    // the card's fields: the card must show the current record, also after
    // cell edits in the table or moves made meanwhile.
    host().Session().RefreshData();
}

void TQueryCommands::cancelSort() {
    host().Main().ShowView(TView::Card);
    host().UpdateCommandStates(TCommandMode::sort_cancel);
    host().Session().RefreshData();
}
