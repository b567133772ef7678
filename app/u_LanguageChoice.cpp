#include "app/u_LanguageChoice.h"

#include <QFileInfo>
#include <QSettings>
#include <QUrl>

#include <array>

namespace {

constexpr auto kOrganisation = "Borland";
constexpr auto kApplication = "Locales";
constexpr auto kDefaultValue = "Default";
constexpr int kCodeLength = 4;

struct ChoiceStore {
    QSettings::Scope scope;
    const char* application;
    const char* group;  // nullptr: the file's top level
};

// Looked at in this order; the first that exists is the one read.
constexpr std::array kStores{
    ChoiceStore{QSettings::UserScope, kApplication, nullptr},
    ChoiceStore{QSettings::SystemScope, kApplication, nullptr},
    ChoiceStore{QSettings::UserScope, "Delphi", "Locales"},
};

bool storeExists(QSettings& settings) {
    return QFileInfo::exists(settings.fileName()) && !settings.allKeys().isEmpty();
}

}  // namespace

QString LanguageChoiceValueName(const QString& executablePath) {
    return QString::fromLatin1(QUrl::toPercentEncoding(executablePath));
}

bool SaveLanguageChoice(const QString& executablePath, const QString& code) {
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, kOrganisation, kApplication);
    settings.setValue(LanguageChoiceValueName(executablePath), code);
    settings.sync();
    return settings.status() == QSettings::NoError && settings.isWritable();
}

QString ReadLanguageChoice(const QString& executablePath) {
    for (const auto& store : kStores) {
        QSettings settings(QSettings::NativeFormat, store.scope, kOrganisation, store.application);
        // Each store is read on its own; the machine's comes after the user's.
        settings.setFallbacksEnabled(false);
        if (store.group != nullptr) {
            settings.beginGroup(store.group);
        }
        if (!storeExists(settings)) {
            continue;
        }
        QString code = settings.value(LanguageChoiceValueName(executablePath)).toString();
        if (code.isEmpty()) {
            code = settings.value(kDefaultValue).toString();
        }
        return code.left(kCodeLength);
    }
    return {};
}
