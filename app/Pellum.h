#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class TContactsSession;
class TfrmMain;
class TfrmCommon;
class TLanguageSwitch;

// The running program: the database session and the two long-lived windows.
// The command holder goes before the main window whose menus carry its
// commands, and the session after both.
struct TProgram {
    std::unique_ptr<TContactsSession> session;
    std::unique_ptr<TfrmMain> frmMain;
    std::unique_ptr<TfrmCommon> frmCommon;
    std::unique_ptr<TLanguageSwitch> language;  // the Language menu

    TProgram();
    ~TProgram();
    TProgram(const TProgram&) = delete;
    TProgram& operator=(const TProgram&) = delete;
};

// The program's version: the file version of the running executable, or of
// this build when the executable has none (tests and other hosts).
QString ProgramVersionText();

// The start-up sequence up to the message loop: application title, session,
// main window, splash window, command holder (which applies the settings and opens
// the start-up database: the first of databases, else the StartUpDatabase
// setting). The caller shows the main window; its first show closes the splash.
std::unique_ptr<TProgram> StartProgram(const QStringList& databases, bool showSplash = true);

// Registers the help pages and images of the program library.
void InitProgramResources();

// The whole program: command line, start-up and message loop.
int RunPellum(int argc, char** argv);
