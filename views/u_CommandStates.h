#pragma once

#include "session/u_ContactsSession.h"

#include <QStringView>

#include <array>
#include <optional>

// The views of the main window's client area; exactly one is in front.
enum class TView { Card, Table, Sort, Query, PrintRows, PrintTemplate, PrintPreview };

// What a command state update is for. The names follow the mode words the
// views pass ("RefreshData", "print", "print_cancel", "DBQuery",
// "DBQueryResult", "DBQueryClose", "sort_cancel").
enum class TCommandMode {
    RefreshData,
    print,
    print_cancel,
    DBQuery,
    DBQueryResult,
    DBQueryClose,
    sort_cancel
};

// The mode of a mode word; none for any other word (which changes nothing).
std::optional<TCommandMode> CommandModeFromWord(QStringView word);

// The commands whose enabled state the rules decide. RecentFiles is the
// "Recent Files" submenu, CardFields every field of the card.
enum class TCommand {
    MoveFirst,
    MovePrevious,
    MoveNext,
    MoveLast,
    NewRow,
    SaveRow,
    DeleteRow,
    DBCreate,
    DBOpen,
    RecentFiles,
    ImportExportTBR,
    ImportFromCSV,
    ExportToCSV,
    ImportFromVCard,
    ExportToVCard,
    DBSave,
    DBSaveAs,
    DBReload,
    DBPrint,
    FindBasic,
    FindBasicNext,
    FindQuery,
    ShowAsTable,
    PrintCancel,
    SortShow,
    SortCancel,
    FindDuplicates,
    CardFields,
};
inline constexpr int kCommandCount = static_cast<int>(TCommand::CardFields) + 1;

// The action of a command ("actDBMoveFirst", ...); nullptr for RecentFiles and
// CardFields, which are no actions.
const char* CommandActionName(TCommand command);

// What an update decides. A command without a value keeps its state.
struct TCommandStates {
    std::array<std::optional<bool>, kCommandCount> enabled{};
    std::optional<bool> showAsTableChecked;
    // The navigation text becomes "No database".
    bool noDatabaseText = false;
    // The table is in front with no record: Show Grid runs once, back to the card.
    bool leaveTable = false;

    std::optional<bool> operator[](TCommand command) const {
        return enabled[static_cast<std::size_t>(command)];
    }
};

// The one rule that enables and disables commands, for the session's state,
// the view in front and the mode of the update.
TCommandStates CommandStates(const TSessionState& state, TView view, TCommandMode mode);
