#include "print/u_PrintCommands.h"

#include "session/u_ContactsSession.h"
#include "views/u_MainWindowInterface.h"

TPrintCommands::TPrintCommands(ICommandHost& host) : TCommandUnit(host) {
    host.Register("actDBPrint", [this] { print(); });
    host.Register("actDBPrintCancel", [this] { cancel(); });
}

void TPrintCommands::print() {
    if (!ConfirmLeavingCard(host())) {
        return;
    }
    host().Main().ShowView(TView::PrintRows);
    host().Main().SetNavigationText(u'[' + host().Session().DatabaseName() + u']');
    host().UpdateCommandStates(TCommandMode::print);
}

void TPrintCommands::cancel() {
    host().Main().ShowView(TView::Card);
    host().UpdateCommandStates(TCommandMode::print_cancel);
    host().Session().RefreshData();
}
