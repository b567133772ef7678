#include "print/u_PrintCommands.h"

#include "print/u_ReportPrintJob.h"
#include "print/u_TemplateEditor.h"
#include "print/u_dlgTemplateFind.h"
#include "print/u_frameMainPrintPreview.h"
#include "print/u_frameMainPrintRows.h"
#include "print/u_frameMainPrintTemplate.h"
#include "session/u_ContactSchema.h"
#include "session/u_ContactsSession.h"
#include "support/u_BusyCursor.h"
#include "views/u_MainWindowInterface.h"

#include <QAction>
#include <QShortcut>
#include <QTextEdit>
#include <QToolBar>

#include <stdexcept>

namespace {

// The editor's commands whose keys the database commands also carry.
constexpr const char* kSharedKeyActions[] = {"actFileNew", "actFileOpen", "actFileSave",
                                             "actEditFind", "actEditFindNext"};

}  // namespace

TPrintCommands::TPrintCommands(ICommandHost& host)
    : TCommandUnit(host), job_(std::make_unique<TReportPrintJob>()) {
    host.Register("actDBPrint", [this] { print(); });
    host.Register("actDBPrintShowStepRows", [this] { showStepRows(); });
    host.Register("actDBPrintShowStepTemplate", [this] { showStepTemplate(); });
    host.Register("actDBPrintShowStepPreview", [this] { showStepPreview(); });
    host.Register("actDBPrintShowStepPrint", [this] { showStepPrint(); });
    host.Register("actDBPrintSetup", [this] { setup(); });
    host.Register("actDBPrintCancel", [this] { cancel(); });
    host.Register("actDBPrintPrepareReport", [this] { prepareReport(); });
    host.AddSettingsStep([this](TSettingsOccasion occasion) { applySettings(occasion); });
    host.AddCloseStep([this] {
        for (TdlgTemplateFind* dialog :
             {Template().editor()->findDialog(), Template().editor()->replaceDialog()}) {
            if (dialog != nullptr) {
                dialog->close();
            }
        }
    });

    Template().SetCatalogue(ContactSchema::ColumnNames(),
                            host.Session().Columns().lstDBColsTitleFull,
                            ContactSchema::ColumnNames_2_5_2());
    Template().editor()->HandOver = [this](const QString& databaseAction) {
        if (QAction* a = this->host().action(databaseAction)) {
            a->trigger();  // does nothing while the command is unavailable
        }
    };
    QAction* rowsQuery = host.action(QStringLiteral("actDBPrintRowsQuery"));
    // "&Process Query" is available only while the "&Query" page is shown.
    QObject::connect(&Rows(), &TframeMainPrintRows::queryPageShown, rowsQuery,
                     &QAction::setEnabled);
    rowsQuery->setEnabled(Rows().IsQueryPageShown());
    fillStepToolBars();
    createSharedKeys();
}

TPrintCommands::~TPrintCommands() = default;

TframeMainPrintRows& TPrintCommands::Rows() const {
    return *static_cast<TframeMainPrintRows*>(host().Main().ViewFrame(TView::PrintRows));
}

TframeMainPrintTemplate& TPrintCommands::Template() const {
    return *static_cast<TframeMainPrintTemplate*>(host().Main().ViewFrame(TView::PrintTemplate));
}

TframeMainPrintPreview& TPrintCommands::Preview() const {
    return *static_cast<TframeMainPrintPreview*>(host().Main().ViewFrame(TView::PrintPreview));
}

void TPrintCommands::SetRowsQueryBuilder(QWidget* builder) {
    Rows().setQueryWidget(builder);
}

void TPrintCommands::fillStepToolBars() {
    const auto fill = [this](QToolBar* bar, std::initializer_list<const char*> names) {
        for (const char* name : names) {
            bar->addAction(host().action(QString::fromLatin1(name)));
        }
    };
    fill(Rows().tbPrintRows(), {"actDBPrintShowStepTemplate", "actDBPrintCancel"});
    fill(Rows().tbRowsQuery(), {"actDBPrintRowsQuery"});
    fill(Template().tbPrintTemplate(), {"actDBPrintShowStepPreview", "actDBPrintCancel"});
    fill(Preview().tbPrintPreview(),
         {"actDBPrintShowStepPrint", "actDBPrintSetup", "actDBPrintCancel"});
}

void TPrintCommands::createSharedKeys() {
    TTemplateEditor& editor = *Template().editor();
    for (const char* name : kSharedKeyActions) {
        QAction* own = editor.action(QString::fromLatin1(name));
        auto* key = new QShortcut(own->shortcut(), host().Main().Widget());
        key->setObjectName(QStringLiteral("key_") + own->objectName());
        key->setEnabled(false);
        QObject::connect(key, &QShortcut::activated, &editor, [own] { own->trigger(); });
        sharedKeys_.append(key);
    }
}

// --- Steps -----------------------------------------------------------------------

void TPrintCommands::print() {
    if (!ConfirmLeavingCard(host())) {
        return;
    }
    host().Main().SetNavigationText(u'[' + host().Session().DatabaseName() + u']');
    host().UpdateCommandStates(TCommandMode::print);
    showStepRows();
}

void TPrintCommands::showStepRows() {
    leaveTemplateStep();
    const TBusyCursor busy;  // a row per contact: long for a large database
    Rows().FillRows(host().Session().Quib1(), host().Session().Columns().lstDBColsIndexFromProgram);
    host().Main().ShowView(TView::PrintRows);
}

void TPrintCommands::showStepTemplate() {
    if (host().Main().CurrentView() != TView::PrintRows) {
        print();
        return;
    }
    Template().SetCatalogue(ContactSchema::ColumnNames(),
                            host().Session().Columns().lstDBColsTitleFull,
                            ContactSchema::ColumnNames_2_5_2());
    Template().FillColumns();
    host().Main().ShowView(TView::PrintTemplate);
    TTemplateEditor& editor = *Template().editor();
    editor.SetStepCurrent(true);
    editor.SetContextMenuPresent(true);
    for (QShortcut* key : sharedKeys_) {
        key->setEnabled(true);
    }
}

void TPrintCommands::leaveTemplateStep() {
    TTemplateEditor& editor = *Template().editor();
    editor.SetContextMenuPresent(false);
    editor.SetStepCurrent(false);
    for (QShortcut* key : sharedKeys_) {
        key->setEnabled(false);
    }
}

void TPrintCommands::showStepPreview() {
    if (host().Main().CurrentView() != TView::PrintTemplate) {
        print();
        return;
    }
    leaveTemplateStep();
    Preview().rtbTemplate()->setPlainText(Template().ChosenTemplate());
    host().Main().ShowView(TView::PrintPreview);
    host().action(QStringLiteral("actDBPrintPrepareReport"))->trigger();
}

void TPrintCommands::prepareReport() {
    const TBusyCursor busy;  // lays out every ticked contact
    const TContactsSession& session = host().Session();
    Preview().PrepareReport(session.Quib1(), ContactSchema::ColumnNames(),
                            session.Columns().lstDBColsIndexFromProgram, Rows().TickedRows());
}

void TPrintCommands::showStepPrint() {
    job_->Print(*Preview().report(), host().Session().DatabaseName(), host().Main().Widget());
}

void TPrintCommands::setup() {
    job_->Setup(host().Main().Widget());
}

void TPrintCommands::cancel() {
    leaveTemplateStep();
    host().Main().ShowView(TView::Card);
    host().UpdateCommandStates(TCommandMode::print_cancel);
    host().Session().RefreshData();
}

// --- Settings --------------------------------------------------------------------

void TPrintCommands::applySettings(TSettingsOccasion occasion) {
    if (occasion != TSettingsOccasion::StartUp) {
        return;
    }
    int style = 0;
    try {
        style = SettingInteger(TSetting::DefaultPrintStyle);
    } catch (const std::runtime_error&) {
        style = 0;  // a stored text that is no number names the first page
    }
    Template().ApplyTemplateSettings(occasion, SettingText(TSetting::DefaultUserTemplate), style);
}
