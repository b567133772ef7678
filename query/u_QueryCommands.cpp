#include "query/u_QueryCommands.h"

#include "query/u_RowsQuery.h"
#include "query/u_frameMainDBQuery.h"
#include "query/u_frameMainDBSort.h"
#include "query/u_frameMainQuery.h"
#include "session/u_ContactsSession.h"
#include "session/u_QuibReader.h"
#include "support/u_MessageBox.h"
#include "views/u_MainWindowInterface.h"
#include "views/u_frameMainGrid.h"

#include <QAction>
#include <QCoreApplication>

TQueryCommands::TQueryCommands(ICommandHost& host) : TCommandUnit(host) {
    // The hits follow the records they stand for.
    QObject::connect(&host.Session(), &TContactsSession::recordsChanged, &receiver_,
                     [this](const TRecordChange& change) { FollowRecordChange(hits_, change); });
    host.Register("actEditFindQuery", [this] { showQuery(); });
    host.Register("actDBFindQueryProcess", [this] { processQuery(); });
    host.Register("actDBFindQueryClose", [this] { closeQuery(); });
    host.Register("actDBPrintRowsQuery", [this] { printRowsQuery(); });
    host.Register("actDBSortShow", [this] { showSort(); });
    host.Register("actDBSortProcess", [this] { processSort(); });
    host.Register("actDBSortCancel", [this] { cancelSort(); });
    bindViews();
}

TframeMainDBQuery& TQueryCommands::queryView() const {
    return *static_cast<TframeMainDBQuery*>(host().Main().ViewFrame(TView::Query));
}

TframeMainDBSort& TQueryCommands::sortView() const {
    return *static_cast<TframeMainDBSort*>(host().Main().ViewFrame(TView::Sort));
}

void TQueryCommands::bindViews() {
    TContactsSession& session = host().Session();
    TframeMainQuery& builder = queryView().QueryBuilder();
    builder.SetDatabase(&session.Quib1());
    builder.SetColumns(&session.Columns());
    queryView().SetCommands(host().action(QStringLiteral("actDBFindQueryProcess")),
                            host().action(QStringLiteral("actDBFindQueryClose")));
    sortView().SetColumns(&session.Columns());
    sortView().SetCommands(host().action(QStringLiteral("actDBSortProcess")),
                           host().action(QStringLiteral("actDBSortCancel")));
}

// --- Find by query -----------------------------------------------------------

void TQueryCommands::showQuery() {
    if (!ConfirmLeavingCard(host())) {
        return;
    }
    ViewBeforeQuery = host().Main().CurrentView();
    host().Main().ShowView(TView::Query);
    host().UpdateCommandStates(TCommandMode::DBQuery);
}

void TQueryCommands::processQuery() {
    const TContactsSession& session = host().Session();
    IMainWindow& main = host().Main();
    hits_ = queryView().ProcessQuery(main.Grid(), session.Columns().lstDBColsTitleFull,
                                     session.Columns().lstDBColsIndexFromProgram);
    if (hits_.isEmpty()) {
        ShowMessage(MsgType::Information,
                    QCoreApplication::translate("TQueryCommands", "No records found."),
                    MsgButtons::Ok, main.Widget());
        return;
    }
    main.ShowView(TView::Table);
    host().UpdateCommandStates(TCommandMode::DBQueryResult);
}

QList<int> TQueryCommands::QueryResult() const {
    const IMainWindow& main = host().Main();
    // A refill of the table, or another view, ends the result.
    if (main.CurrentView() != TView::Table || !main.Grid().showsRecords()) {
        return {};
    }
    return hits_;
}

void TQueryCommands::closeQuery() {
    host().Main().ShowView(ViewBeforeQuery);
    host().UpdateCommandStates(TCommandMode::DBQueryClose);
}

void TQueryCommands::printRowsQuery() {
    TickRowsByQuery(host().Main().ViewFrame(TView::PrintRows));
}

// --- Sort builder ------------------------------------------------------------

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
        host().EnableCommand(TCommand::SortCancel, true);
    }
    if (fromTable) {
        main.Grid().GridClear();
        main.Grid().ClearSortIndicator();
    }
    // The record commands stay available beside the sort builder and write
    // the card's fields: the card must show the current record, also after
    // cell edits in the table or moves made meanwhile.
    host().Session().RefreshData();
}

void TQueryCommands::processSort() {
    // The rows move under the card: its unsaved edits are saved or given up
    // first, and Cancel sorts nothing.
    if (!host().ConfirmSaveChanges()) {
        return;
    }
    host().Session().Sort(sortView().SortKeys());
    host().Main().ShowView(TView::Card);
    host().Session().RefreshData();
    host().UpdateCommandStates(TCommandMode::RefreshData);
}

void TQueryCommands::cancelSort() {
    host().Main().ShowView(TView::Card);
    host().UpdateCommandStates(TCommandMode::sort_cancel);
    host().Session().RefreshData();
}
