#include "exchange/u_ExchangeCommands.h"

#include "exchange/u_ContactExport.h"
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
    using ContactExport::TFormat;
    host.Register("actExportContactToVCard",
                  [this] { exportRecords(TScope::Contact, TFormat::VCard); });
    host.Register("actExportContactToCSV",
                  [this] { exportRecords(TScope::Contact, TFormat::Csv); });
    host.Register("actExportShownToVCard",
                  [this] { exportRecords(TScope::Shown, TFormat::VCard); });
    host.Register("actExportShownToCSV", [this] { exportRecords(TScope::Shown, TFormat::Csv); });
    host.AddStatesStep([this] { updateContextExports(); });
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

bool TExchangeCommands::ensureIdentities() {
    // Every card carries its contact's identity: records without one get it
    // now.
    try {
        host().Session().EnsureIdentities();
        return true;
    } catch (const std::exception& e) {
        ShowMessage(MsgType::Error, QString::fromUtf8(e.what()), MsgButtons::Ok,
                    host().Main().Widget());
        return false;
    }
}

void TExchangeCommands::exportToVCard() {
    TContactsSession& session = host().Session();
    if (!session.IsOpen()) {
        return;
    }
    if (!ensureIdentities()) {
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

// --- Exports of the context menu ---------------------------------------------------

QList<int> TExchangeCommands::recordsOf(TScope scope) const {
    const TContactsSession& session = host().Session();
    const IMainWindow& main = host().Main();
    if (!session.IsOpen()) {
        return {};
    }
    if (main.CurrentView() == TView::Table) {
        // The table's rows carry their records: the whole table, the
        // filter's or a query's results, in the table's order.
        const TframeMainGrid& grid = main.Grid();
        if (scope == TScope::Contact) {
            const int record = grid.currentRecord();
            return record >= 0 ? QList<int>{record} : QList<int>();
        }
        QList<int> records;
        records.reserve(grid.rowCount());
        for (int row = 0; row < grid.rowCount(); ++row) {
            if (const int record = grid.recordOfRow(row); record >= 0) {
                records << record;
            }
        }
        return records;
    }
    if (main.CurrentView() == TView::Card) {
        if (scope == TScope::Contact) {
            // The card's record, unless the filter hides every record.
            const TSessionState state = session.State();
            return state.rowIndex >= 0 && state.rowIndex < state.rows && state.shownIndex >= 0
                       ? QList<int>{state.rowIndex}
                       : QList<int>();
        }
        return session.ShownRecords();
    }
    return {};
}

bool TExchangeCommands::hasRecords(TScope scope) const {
    const IMainWindow& main = host().Main();
    if (host().Session().IsOpen() && main.CurrentView() == TView::Table) {
        // A table without records holds the one empty row of its clear state.
        const TframeMainGrid& grid = main.Grid();
        return scope == TScope::Contact ? grid.currentRecord() >= 0
                                        : grid.rowCount() > 0 && grid.recordOfRow(0) >= 0;
    }
    // Asked at every change of the command states: the card's shown records
    // are counted, not listed.
    if (host().Session().IsOpen() && main.CurrentView() == TView::Card && scope == TScope::Shown) {
        return host().Session().State().shownRows > 0;
    }
    return !recordsOf(scope).isEmpty();
}

void TExchangeCommands::updateContextExports() {
    const std::pair<const char*, TScope> commands[] = {
        {"actExportContactToVCard", TScope::Contact},
        {"actExportContactToCSV", TScope::Contact},
        {"actExportShownToVCard", TScope::Shown},
        {"actExportShownToCSV", TScope::Shown},
    };
    const bool contact = hasRecords(TScope::Contact);
    const bool shown = hasRecords(TScope::Shown);
    for (const auto& [name, scope] : commands) {
        host().action(QLatin1String(name))->setEnabled(scope == TScope::Contact ? contact : shown);
    }
}

void TExchangeCommands::exportRecords(TScope scope, ContactExport::TFormat format) {
    using ContactExport::TFormat;
    TContactsSession& session = host().Session();
    // The file holds what the database holds: the card's edits are stored
    // first, if the user wants them.
    if (!session.IsOpen() || !ConfirmLeavingCard(host())) {
        return;
    }
    const QList<int> records = recordsOf(scope);
    if (records.isEmpty()) {
        return;
    }
    const bool vCard = format == TFormat::VCard;
    TFileChoice choice;
    choice.mode = TFileChoice::Mode::Save;
    choice.objectName = QStringLiteral("dlgExport");
    const char* title = nullptr;
    if (scope == TScope::Contact) {
        title = vCard ? QT_TRANSLATE_NOOP("TExchangeCommands", "Export Contact as vCard")
                      : QT_TRANSLATE_NOOP("TExchangeCommands", "Export Contact as CSV");
    } else {
        title = vCard ? QT_TRANSLATE_NOOP("TExchangeCommands", "Export Shown Contacts as vCard")
                      : QT_TRANSLATE_NOOP("TExchangeCommands", "Export Shown Contacts as CSV");
    }
    choice.title = QCoreApplication::translate("TExchangeCommands", title);
    choice.nameFilters = {
        vCard ? QCoreApplication::translate("TExchangeCommands", "vCard files (*.vcf)")
              : QCoreApplication::translate("TExchangeCommands", "CSV files (*.csv)"),
        QCoreApplication::translate("TExchangeCommands", "All files (*)")};
    choice.defaultSuffix = ContactExport::Suffix(format);
    choice.preset = scope == TScope::Contact
                        ? ContactExport::ContactFileName(session, records.front(), format)
                        : ContactExport::ContactsFileName(session, format);
    const QString file = ChooseFile(choice, host().Main().Widget());
    if (file.isEmpty()) {
        return;
    }
    if (vCard && !ensureIdentities()) {
        return;
    }
    int written = 0;
    try {
        TExchangeProgressDialog progress(TExchangeProgressDialog::TWork::Export,
                                         host().Main().Widget());
        written = ContactExport::Write(session, records, format, file, progress.Report());
    } catch (const EExchangeCancelled&) {
        return;  // the old file is as it was
    } catch (const EExchangeError& e) {
        ShowMessage(MsgType::Error, e.message(), MsgButtons::Ok, host().Main().Widget());
        return;
    }
    ShowMessage(
        MsgType::Information,
        QCoreApplication::translate("TExchangeCommands", "Contacts exported: %1.").arg(written),
        MsgButtons::Ok, host().Main().Widget());
}
