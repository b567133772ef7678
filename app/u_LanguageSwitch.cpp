#include "app/u_LanguageSwitch.h"

#include "app/u_Language.h"
#include "app/u_LanguageChoice.h"
#include "app/u_LanguageModule.h"
#include "support/u_MessageBox.h"
#include "support/u_ResourceStrings.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QProcess>
#include <QWidget>

TLanguageSwitch::TLanguageSwitch(QWidget& mainWindow, QAction& czech, QAction& english)
    : ExecutablePath(LanguageExecutablePath()),
      StartProgram([](const QString& program) { return QProcess::startDetached(program, {}); }),
      Quit([] { QCoreApplication::exit(0); }),
      Beep([] { QApplication::beep(); }),
      mainWindow_(mainWindow),
      czech_(czech),
      english_(english),
      group_(std::make_unique<QActionGroup>(nullptr)) {
    czech_.setCheckable(true);
    english_.setCheckable(true);
    group_->addAction(&czech_);
    group_->addAction(&english_);
    group_->setExclusive(true);
    connect(&czech_, &QAction::triggered, this, [this] { SwitchLanguage(LocaleId::Czech); });
    connect(&english_, &QAction::triggered, this, [this] { SwitchLanguage(LocaleId::English); });
    UpdateCheckMarks();
}

TLanguageSwitch::~TLanguageSwitch() = default;

void TLanguageSwitch::UpdateCheckMarks() {
    const TLanguageModule* module = CurrentLanguageModule();
    const bool czech = module != nullptr && module->Language().startsWith(QLatin1String("cs"));
    czech_.setChecked(czech);
    english_.setChecked(!czech);
}

void TLanguageSwitch::SwitchLanguage(int localeId) {
    if (mainWindow_.isVisible()) {
        switchFromMenu(localeId);
    } else if (LoadLanguageModule(localeId, ExecutablePath)) {
        ReloadFormTexts();
    }
    // A click checks its entry at once; the marks show what is in use.
    UpdateCheckMarks();
}

void TLanguageSwitch::ApplyStartUpLocale(int userLocaleId) {
    const bool recorded = !ReadLanguageChoice(ExecutablePath).isEmpty();
    if (!recorded && (userLocaleId == LocaleId::Czech || userLocaleId == LocaleId::English)) {
        SwitchLanguage(userLocaleId);
    }
    UpdateCheckMarks();
}

void TLanguageSwitch::switchFromMenu(int localeId) {
    Beep();
    if (ShowMessage(MsgType::Confirmation, LoadResString(res::ConfirmSwitchLanguage),
                    MsgButtons::YesNo, &mainWindow_) != MsgResult::Yes) {
        return;
    }
    if (!LoadLanguageModule(localeId, ExecutablePath)) {
        return;
    }
    if (!SaveLanguageChoice(ExecutablePath, LanguageCodeOfLocaleId(localeId))) {
        // Restarting now would come back in the old language.
        ShowMessage(MsgType::Error, LoadResString(res::RegistryWriteFailed), MsgButtons::Ok,
                    &mainWindow_);
        return;
    }
    Beep();
    if (ShowMessage(MsgType::Confirmation, LoadResString(res::LanguageChangedRestart),
                    MsgButtons::YesNo, &mainWindow_) == MsgResult::Yes) {
        restart();
    }
}

void TLanguageSwitch::restart() {
    if (ConfirmSaveChanges && !ConfirmSaveChanges()) {
        return;
    }
    if (!StartProgram(ExecutablePath)) {
        ShowMessage(MsgType::Error,
                    tr("The program could not be started again. It keeps running in the new "
                       "language; start it again yourself to see every window in it."),
                    MsgButtons::Ok, &mainWindow_);
        return;
    }
    Quit();
}
