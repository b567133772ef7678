#include "app/u_EditCommands.h"

#include "session/u_ContactsSession.h"
#include "session/u_QuibReader.h"
#include "support/u_CommandBoundary.h"
#include "views/u_FindCommand.h"
#include "views/u_MainWindowInterface.h"
#include "views/u_dlgFind.h"

#include <QApplication>
#include <QWidget>

namespace {

// Runs a standard edit slot (cut, copy, paste) of the focused control, when
// it has one: a table or a button has none.
void runOnFocusedEditor(const char* slot) {
    QWidget* focused = QApplication::focusWidget();
    if (focused != nullptr &&
        focused->metaObject()->indexOfMethod(QByteArray(slot) + QByteArrayLiteral("()")) >= 0) {
        QMetaObject::invokeMethod(focused, slot);
    }
}

}  // namespace

TEditCommands::TEditCommands(ICommandHost& host) : TCommandUnit(host) {
    host.Register("actEditCut", [] { runOnFocusedEditor("cut"); });
    host.Register("actEditCopy", [] { runOnFocusedEditor("copy"); });
    host.Register("actEditPaste", [] { runOnFocusedEditor("paste"); });
    host.Register("actEditFindBasic", [this] {
        TdlgFind& dialog = FindDialog();
        dialog.show();
        dialog.raise();
        dialog.activateWindow();
    });
    host.Register("actEditFindBasicNext", [this] { runBasicFind(); });
}

TdlgFind& TEditCommands::FindDialog() {
    if (dlgFind_ == nullptr) {
        dlgFind_ = new TdlgFind(host().Main().Widget());
        // The dialog's Find Next runs outside any action: through the boundary.
        QObject::connect(dlgFind_, &TdlgFind::findNext, dlgFind_,
                         [this] { RunGuarded([this] { runBasicFind(); }); });
        host().AddCloseStep([this] { dlgFind_->close(); });
    }
    return *dlgFind_;
}

void TEditCommands::runBasicFind() {
    IMainWindow& main = host().Main();
    FindCommand::View view = FindCommand::View::Other;
    if (main.CurrentView() == TView::Card) {
        view = FindCommand::View::Card;
    } else if (main.CurrentView() == TView::Table) {
        view = FindCommand::View::Table;
    }
    TContactsSession& session = host().Session();
    FindCommand::Context context{session.Quib1(),
                                 main.Card(),
                                 main.Grid(),
                                 session.Columns().lstDBColsIndexFromProgram,
                                 view,
                                 [this] { return host().ConfirmSaveChanges(); },
                                 main.Widget(),
                                 [&session](int record) { session.MoveTo(record); },
                                 session.IsFiltered() ? session.ShownRecords() : QVector<int>()};
    const std::optional<QRect> found = FindCommand::Run(context, FindDialog().request());
    // The dialog stays open over the window: it must not hide what it found.
    if (found && dlgFind_->isVisible())
        dlgFind_->moveClearOf(*found);
}
