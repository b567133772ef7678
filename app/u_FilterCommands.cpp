#include "app/u_FilterCommands.h"

#include "session/u_ContactsSession.h"
#include "session/u_QuibReader.h"
#include "support/u_BusyCursor.h"
#include "support/u_CommandBoundary.h"
#include "views/u_FilterBar.h"
#include "views/u_MainWindowInterface.h"
#include "views/u_frameMainGrid.h"

#include <QAction>

TFilterCommands::TFilterCommands(ICommandHost& host) : TCommandUnit(host) {
    host.Register("actEditFilter", [this] { this->host().Main().FilterBar().focusFilter(); });
    TFilterBar& bar = host.Main().FilterBar();
    QObject::connect(&bar, &TFilterBar::filterEdited, this,
                     [this](const QString& text) { RunGuarded([&] { applyText(text); }); });
    QObject::connect(&bar, &TFilterBar::filterFocused, this,
                     [this] { RunGuarded([this] { prepare(); }); });
    TContactsSession& session = host.Session();
    QObject::connect(&session, &TContactsSession::filterChanged, this, [this] {
        this->host().Main().FilterBar().setText(this->host().Session().FilterText());
        showCount();
    });
    QObject::connect(&session, &TContactsSession::recordsChanged, this, [this] { showCount(); });
    QObject::connect(&session, &TContactsSession::refreshData, this, [this] { showCount(); });
}

void TFilterCommands::applyText(const QString& text) {
    TContactsSession& session = host().Session();
    if (!session.IsOpen()) {
        host().Main().FilterBar().setText(QString());
        return;
    }
    // The card shows another record next: its edits need the user's word.
    if (!ConfirmLeavingCard(host())) {
        host().Main().FilterBar().setText(session.FilterText());
        return;
    }
    IMainWindow& main = host().Main();
    if (main.CurrentView() == TView::Table) {
        main.FinishCellEdit();
    }
    session.SetFilterText(text);
    if (main.CurrentView() == TView::Table) {
        refillTable();
    }
}

void TFilterCommands::prepare() {
    TContactsSession& session = host().Session();
    if (session.IsOpen()) {
        const TBusyCursor busy;
        session.PrepareFilter();
    }
}

void TFilterCommands::refillTable() {
    TframeMainGrid& grid = host().Main().Grid();
    const int record = host().Session().Quib1().RowIndex();
    const int row = grid.rowOfRecord(record);
    if (row >= 0) {
        grid.selectCell(row, std::max(0, grid.currentField()));
    }
}

void TFilterCommands::showCount() {
    const TContactsSession& session = host().Session();
    const TSessionState state = session.State();
    host().Main().FilterBar().showCount(session.IsFiltered(), state.shownRows, state.rows);
}
