#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QAction;
class QActionGroup;
class QWidget;

// The Language menu: "&Czech" and "&English" as a radio group whose check mark
// shows the language in use, the switch with its two questions, the recorded
// choice and the restart.
class TLanguageSwitch : public QObject {
    Q_OBJECT

  public:
    // mainWindow decides between the menu switch (visible) and the start-up
    // switch (not yet shown). The two entries become checkable.
    TLanguageSwitch(QWidget& mainWindow, QAction& czech, QAction& english);
    ~TLanguageSwitch() override;
    TLanguageSwitch(const TLanguageSwitch&) = delete;
    TLanguageSwitch& operator=(const TLanguageSwitch&) = delete;

    // The handler of both menu entries with the entry's locale id. While the
    // main window is not shown yet it loads the module and re-reads the texts
    // without asking; otherwise it asks, loads, records and offers the restart.
    void SwitchLanguage(int localeId);

    // Main-window creation: a user default locale of Czech (5) or British
    // English (2057) switches to that language, unless the user recorded a
    // choice, which wins. The check marks show the language in use either way.
    void ApplyStartUpLocale(int userLocaleId);

    // Checks the entry of the language in use (English for the built-in texts).
    void UpdateCheckMarks();

    // The running program's path: recorded with the choice and started again.
    QString ExecutablePath;
    // Asks about unsaved card edits before a restart; false keeps the program
    // running. Not set: nothing to ask.
    std::function<bool()> ConfirmSaveChanges;
    // Starts the program again (detached, no shell, no arguments); false when
    // it could not be started. Tests replace it.
    std::function<bool(const QString& program)> StartProgram;
    // Ends this instance once the new one runs. Tests replace it.
    std::function<void()> Quit;
    // The question beep before each question.
    std::function<void()> Beep;

  private:
    void switchFromMenu(int localeId);
    void restart();

    QWidget& mainWindow_;
    QAction& czech_;
    QAction& english_;
    std::unique_ptr<QActionGroup> group_;
};
