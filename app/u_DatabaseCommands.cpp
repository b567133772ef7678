#include "app/u_DatabaseCommands.h"

#include "session/u_BackgroundWriter.h"
#include "session/u_ContactsSession.h"
#include "session/u_QuibReader.h"
#include "support/u_BusyCursor.h"
#include "support/u_CommandBoundary.h"
#include "support/u_FileChooser.h"
#include "support/u_MessageBox.h"
#include "support/u_ResourceStrings.h"
#include "views/u_CommandStates.h"
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
    host.Register("actDBMoveFirst", [this] { move(&TContactsSession::MoveFirst); });
    host.Register("actDBMovePrevious", [this] { move(&TContactsSession::MovePrevious); });
    host.Register("actDBMoveNext", [this] { move(&TContactsSession::MoveNext); });
    host.Register("actDBMoveLast", [this] { move(&TContactsSession::MoveLast); });
    host.Register("actDBNewRow", [this] { newRow(); });
    host.Register("actDBSaveRow", [this] { SaveRow(); });
    host.Register("actDBDeleteRow", [this] { deleteRow(); });
    QObject::connect(&host.Session(), &TContactsSession::changedOnDisk, &receiver_,
                     [this](const QString& path) { askAboutChangedFile(path); });
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

bool TDatabaseCommands::ConfirmDroppingUnsaved(TReplacing replacing) {
    TContactsSession& session = host().Session();
    if (!session.IsOpen()) {
        return true;
    }
    // A save still running may yet fail: its outcome decides.
    session.FinishSaves();
    const QString reason = session.UnsavedReason();
    if (reason.isEmpty()) {
        return true;
    }
    const char* question = replacing == TReplacing::FileAgain
                               ? QT_TRANSLATE_NOOP("TfrmCommon",
                                                   "The last change could not be saved: %1\n\rRead "
                                                   "the file again anyway and lose it?")
                               : QT_TRANSLATE_NOOP("TfrmCommon",
                                                   "The last change could not be saved: %1\n\rOpen "
                                                   "another database anyway and lose it?");
    const QString text = QCoreApplication::translate("TfrmCommon", question).arg(reason);
    return ShowMessage(MsgType::Warning, text, MsgButtons::YesNo, host().Main().Widget()) ==
           MsgResult::Yes;
}

void TDatabaseCommands::create() {
    if (!host().ConfirmSaveChanges() || !ConfirmDroppingUnsaved(TReplacing::OtherDatabase)) {
        return;
    }
    const QString path = ExecuteSaveDialog(LoadResString(res::CreateDatabaseTitle));
    if (!path.isEmpty()) {
        closing();
        host().Session().Create(path);
    }
}

void TDatabaseCommands::open() {
    if (!host().ConfirmSaveChanges() || !ConfirmDroppingUnsaved(TReplacing::OtherDatabase)) {
        return;
    }
    const QString path = ExecuteOpenDialog(LoadResString(res::OpenDatabaseTitle));
    if (!path.isEmpty()) {
        OpenDatabase(path);
    }
}

void TDatabaseCommands::OpenDatabase(const QString& path) {
    closing();
    const TBusyCursor busy;
    if (host().Session().OpenFile(path)) {
        host().UpdateRecentFiles();
    }
}

void TDatabaseCommands::closing() {
    if (BeforeClosing && host().Session().IsOpen()) {
        BeforeClosing();
    }
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
        session.State().rows > 0) {
        session.SaveAs(path, host().Main().CardFields());
    } else {
        session.SaveAs(path);
    }
}

void TDatabaseCommands::reload() {
    if (!ConfirmDroppingUnsaved(TReplacing::FileAgain)) {
        return;
    }
    const TBusyCursor busy;
    if (host().Session().Reload()) {
        host().UpdateRecentFiles();
    }
}

void TDatabaseCommands::SaveRow() {
    // A disabled record Save does nothing, also when the prompt runs it.
    if (host().IsEnabled(TCommand::SaveRow)) {
        host().Main().StoreViewEdits();
    }
}

void TDatabaseCommands::askAboutChangedFile(const QString& path) {
    // Runs from the event loop as well as from inside a command.
    RunGuarded([&] {
        const QString text =
            TBackgroundWriter::ChangedOnDiskText() + QStringLiteral("\n\r") +
            QCoreApplication::translate("TfrmCommon", "Database File Name: %1").arg(path);
        const QStringList choices{
            QCoreApplication::translate("TfrmCommon", "Reload it (your unsaved change is lost)"),
            QCoreApplication::translate("TfrmCommon", "Save over it"),
            QCoreApplication::translate("TfrmCommon", "Save As...")};
        // Save As loses nothing: it is the one Enter chooses.
        const int choice = ShowChoice(MsgType::Warning, text, choices, 2, host().Main().Widget());
        TContactsSession& session = host().Session();
        using Answer = TContactsSession::TDiskChangeAnswer;
        if (choice == 0) {
            session.AnswerChangedOnDisk(Answer::Reload);
        } else if (choice == 1) {
            session.AnswerChangedOnDisk(Answer::SaveOver);
        } else if (choice == 2) {
            const QString target = ExecuteSaveDialog(LoadResString(res::SaveDatabaseAsTitle));
            // Cancelled: the change stays unsaved, and the session says so.
            if (!target.isEmpty()) {
                session.AnswerChangedOnDisk(Answer::SaveAs, target);
            }
        }
    });
}

// --- Records -----------------------------------------------------------------------

void TDatabaseCommands::move(bool (TContactsSession::*move)()) {
    if (!host().ConfirmSaveChanges()) {
        return;
    }
    (host().Session().*move)();
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
    TContactsSession& session = host().Session();
    session.AppendRecord();
    session.MoveLast();
}

void TDatabaseCommands::deleteRow() {
    if (tableShown()) {
        gridDeleteRow();
        return;
    }
    TContactsSession& session = host().Session();
    session.DeleteRecord(session.State().rowIndex);
}

void TDatabaseCommands::gridNewRow() {
    // The grid shows the appended record, also among the hits of a query.
    const int record = host().Session().AppendRecord();
    TframeMainGrid& grid = host().Main().Grid();
    grid.selectRow(grid.rowOfRecord(record));
}

void TDatabaseCommands::gridDeleteRow() {
    const int record = host().Main().Grid().currentRecord();
    // Without a current cell there is no record to delete (row -1 would be
    // the control's current row instead); the last one is never deleted.
    if (record < 0 || host().Session().State().rows <= 1) {
        return;
    }
    // The grid follows: the record's row goes and the numbers of later
    // records drop with the database's rows.
    host().Session().DeleteRecord(record);
}
