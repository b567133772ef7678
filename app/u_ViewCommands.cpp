#include "app/u_ViewCommands.h"

#include "session/u_ContactsSession.h"
#include "session/u_QuibReader.h"
#include "support/u_CommandBoundary.h"
#include "views/u_MainWindowInterface.h"
#include "views/u_frameMainGrid.h"

#include <QAction>
#include <QTableView>

#include <algorithm>

TViewCommands::TViewCommands(ICommandHost& host) : TCommandUnit(host) {
    host.Register("actShowAsTable", [this] { ShowAsTable(); });
    host.Register("actDBGridFill", [this] { gridFill(); });
    host.Register("actDBGridClear", [this] { this->host().Main().Grid().GridClear(); });
    QObject::connect(&host.Main().Grid(), &TframeMainGrid::headingClicked, &signals_,
                     [this](int field) { RunGuarded([&] { SortByHeading(field); }); });
}

void TViewCommands::SortByHeading(int field) {
    TContactsSession& session = host().Session();
    const int column = session.ColumnOfField(field);
    if (column == kMissingColumn) {
        return;
    }
    TframeMainGrid& grid = host().Main().Grid();
    const bool ascending = !(grid.sortField() == field && grid.sortAscending());
    // As the sort builder: the rows move, so edits not yet stored go first.
    grid.FinishEdit();
    if (!host().ConfirmSaveChanges()) {
        return;
    }
    session.Sort({TSortKey{column, ascending}}, TContactsSession::TSortCursor::FollowRecord);
    grid.ShowSortIndicator(field, ascending);
    // The current record's row stays in sight.
    grid.selectRow(grid.rowOfRecord(std::max(0, session.Quib1().RowIndex())));
}

void TViewCommands::ShowAsTable() {
    IMainWindow& main = host().Main();
    QAction* showAsTable = host().action(QStringLiteral("actShowAsTable"));
    const bool tableShown = main.CurrentView() == TView::Table;
    // The table is filled from the file's records: card edits not yet
    // stored would be lost on the way.
    if (!tableShown && !ConfirmLeavingCard(host())) {
        // The action checked itself when triggered; the card stays.
        showAsTable->setChecked(false);
        return;
    }
    if (tableShown) {
        main.ShowView(TView::Card);
        showAsTable->setChecked(false);
        main.Grid().GridClear();
        main.Grid().ClearSortIndicator();
    } else {
        main.ShowView(TView::Table);
        showAsTable->setChecked(true);
    }
    host().Session().RefreshData();
    if (!tableShown) {
        // Typing goes on in the table, on the current record's row (the
        // focus the view took on the way may have made another cell current).
        const TQuibReader& quib = host().Session().Quib1();
        if (quib.RowsCount() > 0)
            main.Grid().selectCell(main.Grid().rowOfRecord(std::max(0, quib.RowIndex())), 0);
        main.Grid().grid()->setFocus(Qt::OtherFocusReason);
    }
}

void TViewCommands::gridFill() {
    const TContactsSession& session = host().Session();
    TframeMainGrid& grid = host().Main().Grid();
    grid.GridFill(session.Quib1(), session.Columns().lstDBColsTitleFull,
                  session.Columns().lstDBColsIndexFromProgram,
                  session.IsFiltered() ? std::optional(session.ShownRecords()) : std::nullopt);
    // Entering the table starts at the record the card showed.
    if (grid.currentRow() < 0 && session.Quib1().RowsCount() > 0) {
        grid.selectCell(grid.rowOfRecord(std::max(0, session.Quib1().RowIndex())), 0);
    }
}
