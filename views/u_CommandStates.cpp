#include "views/u_CommandStates.h"

#include <QString>

namespace {

struct ModeWord {
    const char* word;
    TCommandMode mode;
};

constexpr ModeWord kModeWords[] = {
    {"RefreshData", TCommandMode::RefreshData},     {"print", TCommandMode::print},
    {"print_cancel", TCommandMode::print_cancel},   {"DBQuery", TCommandMode::DBQuery},
    {"DBQueryResult", TCommandMode::DBQueryResult}, {"DBQueryClose", TCommandMode::DBQueryClose},
    {"sort_cancel", TCommandMode::sort_cancel},
};

// The commands a print or query view locks.
constexpr TCommand kLockedByPrintAndQuery[] = {
    TCommand::MoveFirst,      TCommand::MovePrevious,    TCommand::MoveNext,
    TCommand::MoveLast,       TCommand::NewRow,          TCommand::SaveRow,
    TCommand::DeleteRow,      TCommand::DBCreate,        TCommand::DBOpen,
    TCommand::RecentFiles,    TCommand::ImportExportTBR, TCommand::ImportFromCSV,
    TCommand::ExportToCSV,    TCommand::ImportFromVCard, TCommand::ExportToVCard,
    TCommand::DBSave,         TCommand::DBSaveAs,        TCommand::DBReload,
    TCommand::DBPrint,        TCommand::FindBasic,       TCommand::FindBasicNext,
    TCommand::FindQuery,      TCommand::ShowAsTable,     TCommand::SortShow,
    TCommand::FindDuplicates,
};

// The commands that need an open database.
constexpr TCommand kNeedOpen[] = {
    TCommand::ImportFromCSV,  TCommand::ExportToCSV, TCommand::ImportFromVCard,
    TCommand::ExportToVCard,  TCommand::DBSave,      TCommand::DBSaveAs,
    TCommand::DBReload,       TCommand::DBPrint,     TCommand::FindBasic,
    TCommand::FindBasicNext,  TCommand::FindQuery,   TCommand::CardFields,
    TCommand::FindDuplicates,
};

void set(TCommandStates& states, TCommand command, bool enabled) {
    states.enabled[static_cast<std::size_t>(command)] = enabled;
}

TCommandStates normalStates(const TSessionState& s, TView view) {
    TCommandStates states;
    const bool table = view == TView::Table;
    const int n = s.rows;
    // The moves go among the records shown (all of them without a filter).
    const int shown = s.shownRows;
    const int i = s.shownIndex;
    set(states, TCommand::MoveFirst, i > 0 && !table);
    set(states, TCommand::MovePrevious, i > 0 && !table);
    set(states, TCommand::MoveNext, i < shown - 1 && !table);
    set(states, TCommand::MoveLast, i < shown - 1 && !table);
    set(states, TCommand::NewRow, s.open);
    set(states, TCommand::SaveRow, n > 0 && s.open);
    // The last remaining record cannot be deleted, nor one the filter hides.
    set(states, TCommand::DeleteRow, n > 1 && i >= 0);
    for (TCommand always : {TCommand::DBCreate, TCommand::DBOpen, TCommand::RecentFiles,
                            TCommand::ImportExportTBR, TCommand::SortShow}) {
        set(states, always, true);
    }
    for (TCommand command : kNeedOpen) {
        set(states, command, s.open);
    }
    states.noDatabaseText = !s.open;
    // An empty table cannot be shown: back to the card.
    states.leaveTable = n <= 0 && table;
    set(states, TCommand::ShowAsTable, n > 0);
    states.showAsTableChecked = table && !states.leaveTable;
    return states;
}

}  // namespace

std::optional<TCommandMode> CommandModeFromWord(QStringView word) {
    for (const ModeWord& m : kModeWords) {
        if (word == QLatin1String(m.word)) {
            return m.mode;
        }
    }
    return std::nullopt;
}

const char* CommandActionName(TCommand command) {
    switch (command) {
        case TCommand::MoveFirst:
            return "actDBMoveFirst";
        case TCommand::MovePrevious:
            return "actDBMovePrevious";
        case TCommand::MoveNext:
            return "actDBMoveNext";
        case TCommand::MoveLast:
            return "actDBMoveLast";
        case TCommand::NewRow:
            return "actDBNewRow";
        case TCommand::SaveRow:
            return "actDBSaveRow";
        case TCommand::DeleteRow:
            return "actDBDeleteRow";
        case TCommand::DBCreate:
            return "actDBCreate";
        case TCommand::DBOpen:
            return "actDBOpen";
        case TCommand::ImportExportTBR:
            return "actDBImportExportTBR";
        case TCommand::ImportFromCSV:
            return "actDBImportFromCSV";
        case TCommand::ExportToCSV:
            return "actDBExportToCSV";
        case TCommand::ImportFromVCard:
            return "actDBImportFromVCard";
        case TCommand::ExportToVCard:
            return "actDBExportToVCard";
        case TCommand::DBSave:
            return "actDBSave";
        case TCommand::DBSaveAs:
            return "actDBSaveAs";
        case TCommand::DBReload:
            return "actDBReload";
        case TCommand::DBPrint:
            return "actDBPrint";
        case TCommand::FindBasic:
            return "actEditFindBasic";
        case TCommand::FindBasicNext:
            return "actEditFindBasicNext";
        case TCommand::FindQuery:
            return "actEditFindQuery";
        case TCommand::ShowAsTable:
            return "actShowAsTable";
        case TCommand::PrintCancel:
            return "actDBPrintCancel";
        case TCommand::SortShow:
            return "actDBSortShow";
        case TCommand::SortCancel:
            return "actDBSortCancel";
        case TCommand::FindDuplicates:
            return "actFindDuplicates";
        case TCommand::RecentFiles:
        case TCommand::CardFields:
            return nullptr;
    }
    return nullptr;
}

TCommandStates CommandStates(const TSessionState& state, TView view, TCommandMode mode) {
    TCommandStates states;
    switch (mode) {
        case TCommandMode::print:
        case TCommandMode::DBQuery:
            set(states, TCommand::PrintCancel, mode == TCommandMode::print);
            for (TCommand command : kLockedByPrintAndQuery) {
                set(states, command, false);
            }
            break;
        case TCommandMode::print_cancel:
            set(states, TCommand::PrintCancel, false);
            break;
        case TCommandMode::sort_cancel:
            set(states, TCommand::SortCancel, false);
            break;
        case TCommandMode::RefreshData:
        case TCommandMode::DBQueryResult:
        case TCommandMode::DBQueryClose:
            states = normalStates(state, view);
            break;
    }
    return states;
}
