#include "exchange/u_ExchangeCommands.h"

#include "app/QUIBLib_TLB.h"
#include "exchange/u_frmDBImportExport.h"
#include "exchange/u_frmExportToCSV.h"
#include "exchange/u_frmImportFromCSV.h"
#include "session/u_ContactsSession.h"
#include "views/u_MainWindowInterface.h"

#include <QAction>

TExchangeCommands::TExchangeCommands(ICommandHost& host) : TCommandUnit(host) {
    host.Register("actDBImportExportTBR", [this] { importExportTBR(); });
    host.Register("actDBImportFromCSV", [this] { importFromCSV(); });
    host.Register("actDBExportToCSV", [this] { exportToCSV(); });
}

void TExchangeCommands::importExportTBR() {
    // A conversion that involves the open database reloads it, as Reload
    // does: pending card edits would be lost without the user's word.
    if (!host().ConfirmSaveChanges()) {
        return;
    }
    TContactsSession& session = host().Session();
    TfrmDBImportExport dialog(
        session.Quib1(), session.ProgramVersion(),
        [this] { host().action(QStringLiteral("actDBReload"))->trigger(); },
        host().Main().Widget());
    host().RunDialog(dialog);
}

void TExchangeCommands::importFromCSV() {
    TContactsSession& session = host().Session();
    if (!session.IsOpen()) {
        return;
    }
    const int rowsBefore = session.Quib1().RowsCount();
    TfrmImportFromCSV dialog(session.Quib1(), session.Columns().lstDBColsTitleFull,
                             session.Columns().lstDBColsIndexFromProgram, host().Main().Widget());
    host().RunDialog(dialog);
    // The table shows the appended records only after a refill.
    if (session.Quib1().RowsCount() != rowsBefore && host().Main().CurrentView() == TView::Table) {
        session.RefreshData();
    }
}

void TExchangeCommands::exportToCSV() {
    const TContactsSession& session = host().Session();
    if (!session.IsOpen()) {
        return;
    }
    TfrmExportToCSV dialog(session.Quib1(), session.Columns().lstDBColsName,
                           session.Columns().lstDBColsTitleFull,
                           session.Columns().lstDBColsIndexFromProgram, host().Main().Widget());
    host().RunDialog(dialog);
}
