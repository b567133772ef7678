#include "app/u_Language.h"

#include "app/u_LanguageChoice.h"
#include "app/u_LanguageModule.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

#include <memory>

namespace {

std::unique_ptr<TLanguageModule>& currentModule() {
    static std::unique_ptr<TLanguageModule> module;
    return module;
}

}  // namespace

QString LanguageExecutablePath(const QString& executablePath) {
    return executablePath.isEmpty() ? QCoreApplication::applicationFilePath() : executablePath;
}

const TLanguageModule* CurrentLanguageModule() {
    return currentModule().get();
}

bool LoadLanguageModuleOfCode(const QString& code, const QString& executablePath) {
    for (const QString& file : LanguageModuleFiles(LanguageExecutablePath(executablePath), code)) {
        if (auto module = TLanguageModule::Open(file)) {
            // The new module goes in before the old one leaves, so no text
            // falls back to English in between.
            module->Install();
            currentModule() = std::move(module);
            return true;
        }
    }
    return false;
}

bool LoadLanguageModule(int localeId, const QString& executablePath) {
    return LoadLanguageModuleOfCode(LanguageCodeOfLocaleId(localeId), executablePath);
}

void UnloadLanguageModule() {
    currentModule().reset();
}

void ReloadFormTexts() {
    // Every window re-reads its form texts on this event (and passes it on to
    // its child widgets); the program's own texts are set again there too.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        QEvent change(QEvent::LanguageChange);
        QCoreApplication::sendEvent(window, &change);
    }
}

bool LoadStartUpLanguage(const QString& executablePath, const QLocale& locale) {
    const QString path = LanguageExecutablePath(executablePath);
    const QString recorded = ReadLanguageChoice(path);
    if (!recorded.isEmpty() && LoadLanguageModuleOfCode(recorded, path)) {
        return true;
    }
    LoadLanguageModuleOfCode(LanguageCodeOfLocale(locale), path);
    return !recorded.isEmpty();
}
