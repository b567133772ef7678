#pragma once

#include <QStringList>

#include <memory>

class TfrmMain;
class TfrmCommon;
class TLanguageSwitch;

// The running program's two long-lived windows. The command holder goes
// before the main window whose menus carry its commands.
struct TProgram {
    std::unique_ptr<TfrmMain> frmMain;
    std::unique_ptr<TfrmCommon> frmCommon;
    std::unique_ptr<TLanguageSwitch> language;  // the Language menu

    TProgram();
    ~TProgram();
    TProgram(const TProgram&) = delete;
    TProgram& operator=(const TProgram&) = delete;
};

// The start-up sequence up to the message loop: application title, main
// window, splash window, command holder (which applies the settings and opens
// the start-up database: the first of databases, else the StartUpDatabase
// setting). The caller shows the main window; its first show closes the splash.
std::unique_ptr<TProgram> StartProgram(const QStringList& databases, bool showSplash = true);

// Registers the help pages and images of the program library.
void InitProgramResources();

// The whole program: command line, start-up and message loop.
int RunPellum(int argc, char** argv);
