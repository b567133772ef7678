#include "app/u_UndoCommands.h"

#include "app/u_Language.h"
#include "app/u_LanguageModule.h"
#include "session/u_ContactsSession.h"
#include "views/u_MainWindowInterface.h"
#include "views/u_frameMainGrid.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace {

// The text control among the focus widget and its parent (an editor may
// give its focus to an inner widget), or nullptr.
QWidget* focusedTextControl() {
    QWidget* focus = QApplication::focusWidget();
    for (QWidget* w : {focus, focus != nullptr ? focus->parentWidget() : nullptr}) {
        if (qobject_cast<QLineEdit*>(w) || qobject_cast<QPlainTextEdit*>(w) ||
            qobject_cast<QTextEdit*>(w)) {
            return w;
        }
    }
    return nullptr;
}

// Whether the control has its own typing to undo (or redo).
bool controlCan(const QWidget* w, bool redo) {
    if (const auto* line = qobject_cast<const QLineEdit*>(w)) {
        return !line->isReadOnly() && (redo ? line->isRedoAvailable() : line->isUndoAvailable());
    }
    const QTextDocument* document = nullptr;
    if (const auto* plain = qobject_cast<const QPlainTextEdit*>(w)) {
        document = plain->isReadOnly() ? nullptr : plain->document();
    } else if (const auto* text = qobject_cast<const QTextEdit*>(w)) {
        document = text->isReadOnly() ? nullptr : text->document();
    }
    return document != nullptr &&
           (redo ? document->isRedoAvailable() : document->isUndoAvailable());
}

void controlRun(QWidget* w, bool redo) {
    if (auto* line = qobject_cast<QLineEdit*>(w)) {
        redo ? line->redo() : line->undo();
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) {
        redo ? plain->redo() : plain->undo();
    } else if (auto* text = qobject_cast<QTextEdit*>(w)) {
        redo ? text->redo() : text->undo();
    }
}

bool isUndoKey(const QKeySequence& keys) {
    return keys == QKeySequence(Qt::CTRL | Qt::Key_Z) ||
           keys == QKeySequence(Qt::ALT | Qt::Key_Backspace);
}

bool isRedoKey(const QKeySequence& keys) {
    return keys == QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z) ||
           keys == QKeySequence(Qt::CTRL | Qt::Key_Y);
}

// Numbers as the program's language writes them ("2,000", "2 000").
QString number(int value) {
    const TLanguageModule* module = CurrentLanguageModule();
    const QLocale locale = module != nullptr ? QLocale(module->Language())
                                             : QLocale(QLocale::English, QLocale::UnitedStates);
    return locale.toString(value);
}

}  // namespace

QString StepCaption(const TStepName& step, const QStringList& fieldTitles) {
    switch (step.kind) {
        case TStepKind::EditField:
            return QCoreApplication::translate("TUndoCommands", "Edit of %1")
                .arg(fieldTitles.value(step.field));
        case TStepKind::SaveRecord:
            return QCoreApplication::translate("TUndoCommands", "Save Record");
        case TStepKind::NewRecord:
            return QCoreApplication::translate("TUndoCommands", "New Record");
        case TStepKind::DeleteRecord:
            return QCoreApplication::translate("TUndoCommands", "Delete Record");
        case TStepKind::Import:
            return step.count == 1
                       ? QCoreApplication::translate("TUndoCommands", "Import of 1 Record")
                       : QCoreApplication::translate("TUndoCommands", "Import of %1 Records")
                             .arg(number(step.count));
        case TStepKind::Sort:
            return QCoreApplication::translate("TUndoCommands", "Sort");
        case TStepKind::Sync:
            return QCoreApplication::translate("TUndoCommands", "Sync");
        case TStepKind::Merge:
            return QCoreApplication::translate("TUndoCommands", "Merge of %1 Records")
                .arg(number(step.count));
    }
    return QString();
}

TUndoCommands::TUndoCommands(ICommandHost& host) : TCommandUnit(host) {
    QAction* undoAction = host.action(QStringLiteral("actEditUndo"));
    QAction* redoAction = host.action(QStringLiteral("actEditRedo"));
    undoAction->setShortcuts(
        {QKeySequence(Qt::ALT | Qt::Key_Backspace), QKeySequence(Qt::CTRL | Qt::Key_Z)});
    redoAction->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    host.Register("actEditUndo", [this] { undo(); });
    host.Register("actEditRedo", [this] { redo(); });
    connect(&host.Session(), &TContactsSession::undoStackChanged, this,
            &TUndoCommands::UpdateCaptions);
    connect(qApp, &QApplication::focusChanged, this, &TUndoCommands::UpdateCaptions);
    // The Edit menu names the steps as they are when it opens.
    if (auto* edit = host.Main().Widget()->findChild<QMenu*>(QStringLiteral("mnuEdit"))) {
        connect(edit, &QMenu::aboutToShow, this, &TUndoCommands::UpdateCaptions);
    }
    // The view in front decides whether the database's steps are in reach.
    host.AddStatesStep([this] { UpdateCaptions(); });
    qApp->installEventFilter(this);
    UpdateCaptions();
}

TUndoCommands::~TUndoCommands() {
    qApp->removeEventFilter(this);
}

bool TUndoCommands::databaseStepsReachable() const {
    // The print steps and the query view lock the record commands.
    return host().IsEnabled(TCommand::NewRow);
}

bool TUndoCommands::cardHasTyping() const {
    const TContactsSession& session = host().Session();
    if (host().Main().CurrentView() != TView::Card || !session.RecordChanged() ||
        session.State().rowIndex < 0) {
        return false;
    }
    const QStringList fields = host().Main().CardFields();
    for (int i = 0; i < fields.size(); ++i) {
        if (fields[i] != session.FieldText(i)) {
            return true;
        }
    }
    return false;
}

QString TUndoCommands::UndoCaption() const {
    if (controlCan(focusedTextControl(), false) || cardHasTyping()) {
        return tr("&Undo %1").arg(tr("Typing"));
    }
    const TContactsSession& session = host().Session();
    if (const auto step = session.UndoStepName(); step && databaseStepsReachable()) {
        return tr("&Undo %1").arg(StepCaption(*step, session.Columns().lstDBColsTitleFull));
    }
    return tr("&Undo");
}

QString TUndoCommands::RedoCaption() const {
    if (controlCan(focusedTextControl(), true)) {
        return tr("&Redo %1").arg(tr("Typing"));
    }
    const TContactsSession& session = host().Session();
    if (const auto step = session.RedoStepName();
        step && databaseStepsReachable() && !cardHasTyping()) {
        return tr("&Redo %1").arg(StepCaption(*step, session.Columns().lstDBColsTitleFull));
    }
    return tr("&Redo");
}

void TUndoCommands::UpdateCaptions() {
    host().action(QStringLiteral("actEditUndo"))->setText(UndoCaption());
    host().action(QStringLiteral("actEditRedo"))->setText(RedoCaption());
}

void TUndoCommands::undo() {
    if (QWidget* control = focusedTextControl(); controlCan(control, false)) {
        controlRun(control, false);
    } else if (databaseStepsReachable()) {
        TContactsSession& session = host().Session();
        IMainWindow& main = host().Main();
        if (cardHasTyping()) {
            // The typing on the card is the newest change: it goes first.
            session.RefreshData();
        } else {
            // A cell being edited without typing to undo closes unchanged.
            main.Grid().CancelEdit();
            // Nothing typed on the card: it shows whatever the undo leaves.
            session.SetRecordChanged(false);
            session.Undo();
        }
    }
    UpdateCaptions();
}

void TUndoCommands::redo() {
    if (QWidget* control = focusedTextControl(); controlCan(control, true)) {
        controlRun(control, true);
    } else if (databaseStepsReachable() && !cardHasTyping()) {
        TContactsSession& session = host().Session();
        host().Main().Grid().CancelEdit();
        session.SetRecordChanged(false);
        session.Redo();
    }
    UpdateCaptions();
}

bool TUndoCommands::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::LanguageChange && watched == host().Main().Widget()) {
        // The menus got their design texts back.
        UpdateCaptions();
    } else if (event->type() == QEvent::KeyRelease && watched == QApplication::focusWidget() &&
               static_cast<QWidget*>(watched)->window() == host().Main().Widget()) {
        // Typing may have made something to undo.
        UpdateCaptions();
    } else if (event->type() == QEvent::ShortcutOverride) {
        // A text control would take these keys for its own undo, also with
        // nothing left to undo there: in the main window they are the
        // commands', which undo the control's typing first.
        const auto* key = static_cast<const QKeyEvent*>(event);
        const QKeySequence keys(key->keyCombination());
        auto* widget = qobject_cast<QWidget*>(watched);
        if ((isUndoKey(keys) || isRedoKey(keys)) && widget != nullptr &&
            widget->window() == host().Main().Widget()) {
            event->ignore();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
