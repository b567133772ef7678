#include "app/u_frmCommon.h"

#include "ui_u_frmCommon.h"

#include "app/u_ActionImages.h"
#include "app/u_DatabaseCommands.h"
#include "app/u_EditCommands.h"
#include "app/u_FilterCommands.h"
#include "app/u_HelpCommands.h"
#include "app/u_OptionsCommands.h"
#include "app/u_UndoCommands.h"
#include "app/u_ViewCommands.h"
#include "exchange/u_ExchangeCommands.h"
#include "print/u_PrintCommands.h"
#include "print/u_frameMainPrintRows.h"
#include "query/u_QueryCommands.h"
#include "query/u_frameMainQuery.h"
#include "session/u_ContactsSession.h"
#include "session/u_QuibReader.h"
#include "support/u_CommandBoundary.h"
#include "support/u_MessageBox.h"
#include "support/u_RecentFiles.h"
#include "support/u_ResourceStrings.h"
#include "sync/u_SyncCommands.h"
#include "views/u_MainWindowInterface.h"
#include "views/u_frameMainIDE.h"

#include <QDialog>
#include <QFileInfo>
#include <QMenu>

TfrmCommon::TfrmCommon(IMainWindow& main, TContactsSession& session,
                       const QStringList& commandLineDatabases, QWidget* parent)
    : QWidget(parent),
      ui(std::make_unique<Ui::TfrmCommon>()),
      main_(main),
      session_(session),
      commandLineDatabases_(commandLineDatabases) {
    ui->setupUi(this);
    DialogRunner = [](QDialog& dialog) { dialog.exec(); };
    createUnits();
    assignImages();
    main_.AttachCommands(*this);
    // Until a database is opened the commands are those of no database;
    // the steps of the print wizard and the sort builder are not shown.
    applyStates(CommandStates(TSessionState{}, main_.CurrentView(), TCommandMode::RefreshData));
    EnableCommand(TCommand::PrintCancel, false);
    EnableCommand(TCommand::SortCancel, false);
    // A menu style chosen in the options takes effect at once.
    connect(&SettingsNotifier(), &TSettingsNotifier::changed, this, [this](TSetting setting) {
        if (setting == TSetting::MenuStyle) {
            RunGuarded([this] { applyMenuStyle(); });
        }
    });
    ApplySettings(TSettingsOccasion::StartUp);
}

TfrmCommon::~TfrmCommon() = default;

void TfrmCommon::createUnits() {
    // Each area's commands in a unit of its own; a new area adds its unit here.
    auto add = [this](auto unit) {
        auto* raw = unit.get();
        units_.push_back(std::move(unit));
        return raw;
    };
    database_ = add(std::make_unique<TDatabaseCommands>(*this));
    views_ = add(std::make_unique<TViewCommands>(*this));
    edit_ = add(std::make_unique<TEditCommands>(*this));
    add(std::make_unique<TFilterCommands>(*this));
    add(std::make_unique<TUndoCommands>(*this));
    help_ = add(std::make_unique<THelpCommands>(*this));
    query_ = add(std::make_unique<TQueryCommands>(*this));
    print_ = add(std::make_unique<TPrintCommands>(*this));
    // The print wizard's rows step chooses rows with a query builder of its own.
    auto* rowsQuery = new TframeMainQuery(print_->Rows().tsRowsQuery());
    rowsQuery->setObjectName(QStringLiteral("frameMainPrintRowsQuery"));
    rowsQuery->SetDatabase(&session_.Quib1());
    rowsQuery->SetColumns(&session_.Columns());
    print_->SetRowsQueryBuilder(rowsQuery);
    add(std::make_unique<TExchangeCommands>(*this));
    sync_ = add(std::make_unique<TSyncCommands>(*this));
    database_->BeforeClosing = [this] { DatabaseClosing(); };
    add(std::make_unique<TOptionsCommands>(
        *this, [this] { ApplySettings(TSettingsOccasion::Manual); },
        [this](const QString& title) { return database_->ExecuteOpenDialog(title); }));
}

QAction* TfrmCommon::action(const QString& name) const {
    return findChild<QAction*>(name, Qt::FindDirectChildrenOnly);
}

void TfrmCommon::Register(const char* actionName, std::function<void()> handler) {
    QAction* act = action(QLatin1String(actionName));
    if (act == nullptr) {
        throw std::logic_error(std::string("no action ") + actionName);
    }
    // A cell being edited is stored before a command runs, like any finished
    // cell edit; the edit commands work on the cell's editor itself.
    static const QStringList onTheEditor = {"actEditUndo", "actEditRedo", "actEditCut",
                                            "actEditCopy", "actEditPaste"};
    if (!onTheEditor.contains(QLatin1String(actionName))) {
        handler = [this, run = std::move(handler)] {
            main_.FinishCellEdit();
            run();
        };
    }
    ConnectCommand(act, this, std::move(handler));
}

void TfrmCommon::assignImages() {
    // The shared images of menus and tool bars.
    for (const TActionImage& image : ActionImages()) {
        QAction* act = action(QLatin1String(image.action));
        if (act == nullptr) {
            throw std::logic_error(std::string("no action ") + image.action);
        }
        act->setIcon(ActionIcon(QLatin1String(image.themeName)));
    }
}

// --- Settings --------------------------------------------------------------------

void TfrmCommon::ApplySettings(TSettingsOccasion occasion) {
    // Each step runs inside the boundary: a failure (such as a stored integer
    // that is not a number) is reported and the remaining steps still run, so
    // that a damaged setting never keeps the program from starting.
    ApplyMainSettings(occasion);
    RunGuarded(
        [&] { main_.Card().ApplyCardSettings(occasion, SettingInteger(TSetting::ActiveTab)); });
    for (const auto& step : settingsSteps_) {
        RunGuarded([&] { step(occasion); });
    }
}

void TfrmCommon::ApplyMainSettings(TSettingsOccasion occasion) {
    RunGuarded([this] { applyMenuStyle(); });
    if (occasion == TSettingsOccasion::StartUp) {
        openStartUpDatabase();
    }
}

void TfrmCommon::applyMenuStyle() {
    const bool ownerDraw = SettingInteger(TSetting::MenuStyle) == 0;
    if (ownerDraw != main_.MenuOwnerDraw()) {
        main_.SetMenuOwnerDraw(ownerDraw);
    }
}

void TfrmCommon::openStartUpDatabase() {
    const bool fromCommandLine = !commandLineDatabases_.isEmpty();
    const QString database =
        fromCommandLine ? commandLineDatabases_.first() : SettingText(TSetting::StartUpDatabase);
    if (!fromCommandLine && !QFileInfo::exists(database)) {
        // The first start of a new installation: no database yet is no
        // error; the program starts without one and says how to get one.
        session_.RefreshData();
    } else {
        // A failed open leaves the program running without a database.
        RunGuarded([&] { database_->OpenDatabase(database); });
    }
    database_->dlgOpenFileName = session_.DatabaseName();
    database_->dlgSaveFileName = session_.DatabaseName();
}

void TfrmCommon::AddSettingsStep(std::function<void(TSettingsOccasion)> step) {
    settingsSteps_.push_back(std::move(step));
}

// --- Command states -----------------------------------------------------------

void TfrmCommon::EnableCommand(TCommand command, bool enabled) {
    enabled_[static_cast<std::size_t>(command)] = enabled;
    if (command == TCommand::RecentFiles) {
        main_.RecentFilesMenu()->setEnabled(enabled);
    } else if (command == TCommand::CardFields) {
        main_.Card().setFieldsEnabled(enabled);
    } else if (QAction* act = action(QLatin1String(CommandActionName(command)))) {
        act->setEnabled(enabled);
    }
}

void TfrmCommon::applyStates(const TCommandStates& states) {
    for (int c = 0; c < kCommandCount; ++c) {
        if (const std::optional<bool> enabled = states[static_cast<TCommand>(c)]) {
            EnableCommand(static_cast<TCommand>(c), *enabled);
        }
    }
}

void TfrmCommon::UpdateCommandStates(TCommandMode mode) {
    const TCommandStates states = CommandStates(session_.State(), main_.CurrentView(), mode);
    applyStates(states);
    if (states.noDatabaseText) {
        main_.SetNavigationText(LoadResString(res::NoDatabase));
    }
    if (states.leaveTable) {
        views_->ShowAsTable();
    }
    if (states.showAsTableChecked) {
        ui->actShowAsTable->setChecked(main_.CurrentView() == TView::Table);
    }
    for (const auto& step : statesSteps_) {
        step();
    }
}

void TfrmCommon::AddStatesStep(std::function<void()> step) {
    statesSteps_.push_back(std::move(step));
}

bool TfrmCommon::IsEnabled(TCommand command) const {
    return enabled_[static_cast<std::size_t>(command)];
}

// --- Save prompt, dialogs and recent files -----------------------------------------

bool TfrmCommon::ConfirmSaveChanges() {
    if (!session_.RecordChanged()) {
        return true;
    }
    switch (ShowMessage(MsgType::Confirmation, LoadResString(res::RecordChangedSave),
                        MsgButtons::YesNoCancel, main_.Widget())) {
        case MsgResult::Yes:
            // A failed save stops the command that asked.
            database_->SaveRow();
            return true;
        case MsgResult::No:
            return true;
        default:
            return false;
    }
}

void TfrmCommon::RunDialog(QDialog& dialog) {
    DialogRunner(dialog);
}

void TfrmCommon::UpdateRecentFiles() {
    const QStringList entries = RecentFiles::Promote(RecentFiles::Read(), session_.DatabaseName());
    RecentFiles::Write(entries);
    main_.ShowRecentFiles(entries);
}

void TfrmCommon::OpenRecentFile(int index) {
    // The list lives in the settings; the menu entries only show it.
    const QStringList paths = RecentFiles::Read();
    if (index < 0 || index >= paths.size() || paths[index].isEmpty() || !ConfirmSaveChanges() ||
        !database_->ConfirmDroppingUnsaved(TDatabaseCommands::TReplacing::OtherDatabase)) {
        return;
    }
    database_->OpenDatabase(paths[index]);
}

QList<int> TfrmCommon::QueryResult() const {
    return query_->QueryResult();
}

void TfrmCommon::ShowHelpContext(int context) {
    help_->ShowHelpContext(context);
}

void TfrmCommon::AddCloseStep(std::function<void()> step) {
    closeSteps_.push_back(std::move(step));
}

void TfrmCommon::CloseDialogs() {
    for (const auto& close : closeSteps_) {
        close();
    }
}

void TfrmCommon::DatabaseClosing() {
    if (session_.IsOpen()) {
        RunGuarded([this] { sync_->Closing(); });
    }
}

void TfrmCommon::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
    }
    QWidget::changeEvent(event);
}
