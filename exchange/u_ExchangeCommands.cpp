#include "exchange/u_ExchangeCommands.h"

#include "exchange/u_DuplicateImport.h"
#include "exchange/u_ExchangeCancelled.h"
#include "exchange/u_ExchangeProgressDialog.h"
#include "exchange/u_VCardExchange.h"
#include "exchange/u_dlgImportDuplicates.h"
#include "exchange/u_frmDBImportExport.h"
#include "exchange/u_frmExportToCSV.h"
#include "exchange/u_frmExportToVCard.h"
#include "exchange/u_frmFindDuplicates.h"
#include "exchange/u_frmImportFromCSV.h"
#include "session/u_ContactsSession.h"
#include "session/u_QuibReader.h"
#include "support/u_ExchangeError.h"
#include "support/u_FileChooser.h"
#include "support/u_MessageBox.h"
#include "views/u_MainWindowInterface.h"
#include "views/u_frameMainGrid.h"

#include <QAction>
#include <QCoreApplication>

TExchangeCommands::TExchangeCommands(ICommandHost& host) : TCommandUnit(host) {
    host.Register("actDBImportExportTBR", [this] { importExportTBR(); });
    host.Register("actDBImportFromCSV", [this] { importFromCSV(); });
    host.Register("actDBExportToCSV", [this] { exportToCSV(); });
    host.Register("actDBImportFromVCard", [this] { importFromVCard(); });
    host.Register("actDBExportToVCard", [this] { exportToVCard(); });
    host.Register("actFindDuplicates", [this] { findDuplicates(); });
}

void TExchangeCommands::importExportTBR() {
    // A conversion that involves the open database reloads it, as Reload
    // does: pending card edits would be lost without the user's word.
    if (!host().ConfirmSaveChanges()) {
        return;
    }
    TContactsSession& session = host().Session();
    // A conversion may read or replace the open file: its saves come first.
    session.FinishSaves();
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
    // The views follow the appended records through the session.
    TfrmImportFromCSV dialog(session, session.Columns().lstDBColsTitleFull, host().Main().Widget());
    host().RunDialog(dialog);
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

void TExchangeCommands::importFromVCard() {
    TContactsSession& session = host().Session();
    if (!session.IsOpen()) {
        return;
    }
    TFileChoice choice;
    choice.objectName = QStringLiteral("dlgOpen");
    choice.title = QCoreApplication::translate("TExchangeCommands", "Import from vCard");
    choice.nameFilters = {
        QCoreApplication::translate("TExchangeCommands", "vCard files (*.vcf *.vcard)"),
        QCoreApplication::translate("TExchangeCommands", "All files (*)")};
    choice.defaultSuffix = QStringLiteral("vcf");
    const QString file = ChooseFile(choice, host().Main().Widget());
    if (file.isEmpty()) {
        return;
    }
    TImportOutcome outcome;
    bool asked = false;
    try {
        TExchangeProgressDialog progress(TExchangeProgressDialog::TWork::Import,
                                         host().Main().Widget());
        TVCardExchange exchange(session.Quib1(), session.Columns().lstDBColsIndexFromProgram);
        exchange.SetProgress(progress.Report());
        // The whole file is read and met with the database before anything
        // is stored; the views follow the changes through the session.
        const TImportCheck check = CheckImport(session, exchange.ReadFile(file));
        TDuplicateAction action = TDuplicateAction::Add;
        if (check.count.total() > 0) {
            asked = true;
            const auto answer = AskDuplicateAction(
                DuplicateQuestionText(check.count, check.imported.size()), host().Main().Widget());
            if (!answer) {
                return;
            }
            action = *answer;
        }
        outcome = StoreImport(session, check, action, progress.Report());
    } catch (const EExchangeCancelled&) {
        return;  // nothing was appended
    } catch (const EExchangeError& e) {
        ShowMessage(MsgType::Error, e.message(), MsgButtons::Ok, host().Main().Widget());
        return;
    }
    ShowMessage(MsgType::Information,
                asked ? ImportOutcomeText(outcome)
                      : QCoreApplication::translate("TExchangeCommands", "Contacts imported: %1.")
                            .arg(outcome.added),
                MsgButtons::Ok, host().Main().Widget());
}

void TExchangeCommands::exportToVCard() {
    TContactsSession& session = host().Session();
    if (!session.IsOpen()) {
        return;
    }
    // Every card carries its contact's identity: records without one get it
    // now.
    try {
        session.EnsureIdentities();
    } catch (const std::exception& e) {
        ShowMessage(MsgType::Error, QString::fromUtf8(e.what()), MsgButtons::Ok,
                    host().Main().Widget());
        return;
    }
    // A query result in the table offers its contacts only.
    TfrmExportToVCard dialog(session.Quib1(), session.Columns().lstDBColsIndexFromProgram,
                             host().QueryResult(), host().Main().Widget());
    dialog.SetIdentityColumn(session.IdentityColumn());
    host().RunDialog(dialog);
}

void TExchangeCommands::findDuplicates() {
    TContactsSession& session = host().Session();
    // A merge changes and deletes records: the card's edits are stored first.
    if (!session.IsOpen() || !host().ConfirmSaveChanges()) {
        return;
    }
    TfrmFindDuplicates dialog(session, session.Columns().lstDBColsTitleFull,
                              host().Main().Widget());
    host().RunDialog(dialog);
}
