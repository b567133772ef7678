#pragma once

#include "views/u_CommandHost.h"

#include <QObject>
#include <QString>

#include <functional>

class TContactsSession;

// The database and record commands: New, Open, Save, Save As, Reload, the
// four moves and record New, Save and Delete. It also asks what to do when
// another program changed the open database's file (Reload, Save over it,
// Save As).
class TDatabaseCommands : public TCommandUnit {
  public:
    explicit TDatabaseCommands(ICommandHost& host);

    // The open and save dialogs ("tbr" files). They return the chosen path, or
    // the empty text when the user cancelled; each starts at the last path it
    // gave (preset by the start-up open).
    QString ExecuteOpenDialog(const QString& title);
    QString ExecuteSaveDialog(const QString& title);
    QString dlgOpenFileName;
    QString dlgSaveFileName;
    // Runs before another database is opened or created, while the old one
    // is still open.
    std::function<void()> BeforeClosing;

    // Record Save as the save-changes prompt runs it: an error travels on to
    // the command that asked, which then stops.
    void SaveRow();
    // Opens the database at path; after a successful open it goes to the top
    // of the recent files.
    void OpenDatabase(const QString& path);
    // Before another database replaces the open one, or Reload reads the
    // file again: a change whose save failed is dropped only with the
    // user's word. True when nothing is lost or the user agrees.
    enum class TReplacing { OtherDatabase, FileAgain };
    bool ConfirmDroppingUnsaved(TReplacing replacing);

  private:
    void closing();
    void create();
    void open();
    void saveAs();
    void reload();
    void move(bool (TContactsSession::*move)());
    void newRow();
    void deleteRow();
    // The table view's variants of record New and record Delete.
    void gridNewRow();
    void gridDeleteRow();
    bool tableShown() const;
    // The session held a save back: another program changed path.
    void askAboutChangedFile(const QString& path);

    QObject receiver_;  // ends the connection to the session with the unit
};
