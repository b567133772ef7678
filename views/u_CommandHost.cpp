#include "views/u_CommandHost.h"

#include "views/u_MainWindowInterface.h"

bool ConfirmLeavingCard(ICommandHost& host) {
    return host.Main().CurrentView() != TView::Card || host.ConfirmSaveChanges();
}
