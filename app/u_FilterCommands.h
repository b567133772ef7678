#pragma once

#include "views/u_CommandHost.h"

#include <QObject>
#include <QString>

// Find as you type: Edit > Filter (Ctrl+K) puts the keyboard into the
// navigation bar's filter box, and each edit there has the session show only
// the records holding the text, on the card and in the table. Unsaved card
// edits get the user's word first, as before any move. The box's count
// follows the records shown.
class TFilterCommands : public QObject, public TCommandUnit {
    Q_OBJECT

  public:
    explicit TFilterCommands(ICommandHost& host);

  private:
    void applyText(const QString& text);
    void prepare();
    void showCount();
    // The table follows the records shown, on the current record's row.
    void refillTable();
};
