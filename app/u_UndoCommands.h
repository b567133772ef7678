#pragma once

#include "session/u_ChangeStep.h"
#include "views/u_CommandHost.h"

#include <QObject>
#include <QString>
#include <QStringList>

// Edit > Undo and Edit > Redo. Undo takes back, in this order: the typing in
// the focused text control that has its own undo (a card field, a table
// cell being edited, a query text), the unsaved typing on the card, then the
// last change of the database, which the session undoes and saves. Redo
// goes the other way. The menu items name what they would do ("&Undo Delete
// Record"). Ctrl+Z and Alt+Backspace undo, Ctrl+Shift+Z and Ctrl+Y redo, also
// in text controls that would keep those keys for themselves.
class TUndoCommands : public QObject, public TCommandUnit {
    Q_OBJECT

  public:
    explicit TUndoCommands(ICommandHost& host);
    ~TUndoCommands() override;

    // What Undo and Redo would do now, as their menu items say it.
    QString UndoCaption() const;
    QString RedoCaption() const;
    // Gives both menu items their captions for the present moment.
    void UpdateCaptions();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void undo();
    void redo();
    // Whether the database's steps may be undone now: not while the query
    // view or the print steps lock the record commands.
    bool databaseStepsReachable() const;
    // Unsaved typing on the card: fields that differ from the record.
    bool cardHasTyping() const;
};

// The menu name of a step ("Delete Record", "Import of 2,000 Records", "Edit
// of Surname"); fieldTitles are the full titles of the program fields.
QString StepCaption(const TStepName& step, const QStringList& fieldTitles);
