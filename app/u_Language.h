#pragma once

#include <QLocale>
#include <QString>

class TLanguageModule;

// The program's language modules: at most one is in use at a time; without
// one the built-in English texts are shown.

// The module in use, nullptr for the built-in texts.
const TLanguageModule* CurrentLanguageModule();

// Loads the module of a locale id (see LanguageModuleFiles for where it is
// looked for; executablePath empty means the running program) and makes it
// the source of all texts, releasing the previous module. Windows that are
// open are told of the change. False, with the current texts kept, when no
// module file loads.
bool LoadLanguageModule(int localeId, const QString& executablePath = {});
// The same for a language code ("CSY", "CS").
bool LoadLanguageModuleOfCode(const QString& code, const QString& executablePath = {});

// Back to the built-in texts.
void UnloadLanguageModule();

// Re-reads the texts of every open window from the current language at once;
// controls are updated in place and keep their contents.
void ReloadFormTexts();

// Start-up, before any window exists: the module of the recorded choice, else
// of the locale's language (its three-letter, then two-letter name). Returns
// whether a choice was recorded: then it wins over the locale rule that the
// main window applies.
bool LoadStartUpLanguage(const QString& executablePath = {},
                         const QLocale& locale = QLocale::system());

// The running program's executable (the argument default above).
QString LanguageExecutablePath(const QString& executablePath = {});
