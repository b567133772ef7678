#include "app/u_DatabaseCommands.h"

#include "session/QUIBLib_TLB.h"
#include "session/u_ContactsSession.h"
#include "support/u_BusyCursor.h"
#include "support/u_FileChooser.h"
#include "support/u_ResourceStrings.h"
#include "views/u_MainWindowInterface.h"
#include "views/u_frameMainGrid.h"

#include <QAction>
#include <QCoreApplication>

TDatabaseCommands::TDatabaseCommands(ICommandHost& host) : TCommandUnit(host) {
    host.Register("actDBCreate", [this] { create(); });
    host.Register("actDBOpen", [this] { open(); });
    host.Register("actDBSave", [this] { SaveRow(); });
    host.Register("actDBSaveAs", [this] { saveAs(); });
    host.Register("actDBReload", [this] { reload(); });
    host.Register("actDBMoveFirst", [this] { moveAndRefresh(&TQuib::MoveFirst); });
    host.Register("actDBMovePrevious", [this] { moveAndRefresh(&TQuib::MovePrevious); });
    host.Register("actDBMoveNext", [this] { moveAndRefresh(&TQuib::MoveNext); });
    host.Register("actDBMoveLast", [this] { moveAndRefresh(&TQuib::MoveLast); });
    host.Register("actDBNewRow", [this] { newRow(); });
    host.Register("actDBSaveRow", [this] { SaveRow(); });
    host.Register("actDBDeleteRow", [this] { deleteRow(); });
}

bool TDatabaseCommands::tableShown() const {
    return host().Main().CurrentView() == TView::Table;
}

// --- File dialogs ----------------------------------------------------------------

namespace {

TFileChoice databaseChoice(TFileChoice::Mode mode, const QString& title, const QString& preset) {
    TFileChoice choice;
    choice.mode = mode;
    choice.objectName =
        mode == TFileChoice::Mode::Open ? QStringLiteral("dlgOpen") : QStringLiteral("dlgSave");
    choice.title = title;
    choice.nameFilters = {QCoreApplication::translate("TfrmCommon", "Database (*.tbr)"),
                          QCoreApplication::translate("TfrmCommon", "All files (*)")};
    choice.defaultSuffix = QStringLiteral("tbr");
    choice.preset = preset;
    return choice;
}

}  // namespace

QString TDatabaseCommands::ExecuteOpenDialog(const QString& title) {
    const QString path = ChooseFile(databaseChoice(TFileChoice::Mode::Open, title, dlgOpenFileName),
                                    host().Main().Widget());
    if (!path.isEmpty()) {
        dlgOpenFileName = path;
    }
    return path;
}

QString TDatabaseCommands::ExecuteSaveDialog(const QString& title) {
    const QString path = ChooseFile(databaseChoice(TFileChoice::Mode::Save, title, dlgSaveFileName),
                                    host().Main().Widget());
    if (!path.isEmpty()) {
        dlgSaveFileName = path;
    }
    return path;
}

// --- Database commands -------------------------------------------------------------

void TDatabaseCommands::create() {
    if (!host().ConfirmSaveChanges()) {
        return;
    }
    const QString path = ExecuteSaveDialog(LoadResString(res::CreateDatabaseTitle));
    if (!path.isEmpty()) {
        host().Session().Create(path);
    }
}

void TDatabaseCommands::open() {
    if (!host().ConfirmSaveChanges()) {
        return;
    }
    const QString path = ExecuteOpenDialog(LoadResString(res::OpenDatabaseTitle));
    if (path.isEmpty()) {
        return;
    }
    host().Session().Quib1().SetDatabaseName(path);
    QAction* reloadAction = host().action(QStringLiteral("actDBReload"));
    reloadAction->setEnabled(true);
    reload();
}

void TDatabaseCommands::saveAs() {
    const QString path = ExecuteSaveDialog(LoadResString(res::SaveDatabaseAsTitle));
    if (path.isEmpty()) {
        return;
    }
    TContactsSession& session = host().Session();
    // The user chose to save: pending card edits go into the new file, and
    // the old file stays as it was.
    if (session.RecordChanged() && host().Main().CurrentView() == TView::Card &&
        session.Quib1().RowsCount() > 0) {
        host().Main().StoreCardFields();
    }
    session.SaveAs(path);
}

void TDatabaseCommands::reload() {
    const TBusyCursor busy;
    if (host().Session().Reload()) {
        host().UpdateRecentFiles();
    }
}

void TDatabaseCommands::SaveRow() {
    // A disabled record Save does nothing, also when the prompt runs it.
    if (host().action(QStringLiteral("actDBSaveRow"))->isEnabled()) {
        host().Session().SaveRow();
    }
}

// --- Records -----------------------------------------------------------------------

void TDatabaseCommands::moveAndRefresh(bool (TQuib::*move)()) {
    if (!host().ConfirmSaveChanges()) {
        return;
    }
    TQuib& quib = host().Session().Quib1();
    (quib.*move)();
    quib.RefreshData();
}

void TDatabaseCommands::newRow() {
    if (tableShown()) {
        gridNewRow();
        return;
    }
    // Moving to the new record refills the card: edits of the record being
    // left need the user's word first.
    if (!host().ConfirmSaveChanges()) {
        return;
    }
    TQuib& quib = host().Session().Quib1();
    quib.NewRow(quib.RowsCount());
    quib.MoveLast();
    quib.RefreshData();
}

void TDatabaseCommands::deleteRow() {
    if (tableShown()) {
        gridDeleteRow();
        return;
    }
    TQuib& quib = host().Session().Quib1();
    quib.DeleteRow(-1);
    if (quib.RowIndex() > quib.RowsCount() - 1) {
        quib.MoveLast();
    }
    quib.RefreshData();
}

void TDatabaseCommands::gridNewRow() {
    TQuib& quib = host().Session().Quib1();
    quib.NewRow(quib.RowsCount());
    // The grid may show only the hits of a query: the new row carries the
    // number of the record just appended, not its position.
    host().Main().Grid().appendRecordRow(quib.RowsCount() - 1);
    // Record Delete may have become possible.
    host().UpdateCommandStates(TCommandMode::RefreshData);
}

void TDatabaseCommands::gridDeleteRow() {
    TframeMainGrid& grid = host().Main().Grid();
    TQuib& quib = host().Session().Quib1();
    const int record = grid.currentRecord();
    // Without a current cell there is no record to delete (row -1 would
    // delete the control's current row instead).
    if (record < 0 || quib.RowsCount() <= 1) {
        return;
    }
    if (quib.DeleteRow(record)) {
        // The record named by the row's number goes from the grid, and the
        // numbers of later records drop with the database's rows.
        grid.removeRecordRow(record);
        // The cursor must stay on a record, as after Delete on the card; the
        // grid row is gone by now, so the move selects a row that exists.
        if (quib.RowIndex() > quib.RowsCount() - 1) {
            quib.MoveLast();
        }
    }
    // The last remaining record cannot be deleted: recompute the states now,
    // not only at the next refresh.
    host().UpdateCommandStates(TCommandMode::RefreshData);
}
