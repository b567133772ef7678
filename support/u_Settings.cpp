#include "support/u_Settings.h"

#include "support/u_ResourceStrings.h"

#include <QCoreApplication>
#include <QSettings>

#include <stdexcept>

namespace {

constexpr auto kOrganisation = "Orvane";
constexpr auto kApplication = "Orvane Contacts";
constexpr auto kGroup = "2.5";

QString readValue(const QString& name) {
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, kOrganisation, kApplication);
    settings.beginGroup(kGroup);
    return settings.value(name).toString();
}

}  // namespace

QString ReadSettingString(const QString& name, const QString& def) {
    const QString value = readValue(name);
    return value.isEmpty() ? def : value;
}

int ReadSettingInteger(const QString& name, int def) {
    const QString value = readValue(name);
    if (value.isEmpty()) {
        return def;
    }
    bool ok = false;
    const int result = value.trimmed().toInt(&ok, 10);
    if (!ok) {
        throw std::runtime_error(
            QCoreApplication::translate("Settings", "'%1' is not a valid integer value")
                .arg(value)
                .toStdString());
    }
    return result;
}

void WriteSettingString(const QString& name, const QString& value) {
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, kOrganisation, kApplication);
    settings.beginGroup(kGroup);
    settings.setValue(name, value);
    settings.endGroup();
    settings.sync();
    if (settings.status() != QSettings::NoError || !settings.isWritable()) {
        throw std::runtime_error(LoadResString(res::RegistryWriteFailed).toStdString());
    }
}

namespace {

struct SettingSpec {
    TSetting setting;
    const char* name;
    bool integer;
    int integerDefault;
    int textDefaultResource;  // 0: the empty text
};

// clang-format off
constexpr SettingSpec kSettings[] = {
    {TSetting::StartUpDatabase,     "StartUpDatabase",     false, 0, res::DefaultStartUpDatabase},
    {TSetting::MenuStyle,           "MenuStyle",           true,  1, 0},
    {TSetting::ActiveTab,           "ActiveTab",           true,  0, 0},
    {TSetting::DefaultUserTemplate, "DefaultUserTemplate", false, 0, res::DefaultUserTemplate},
    {TSetting::DefaultPrintStyle,   "DefaultPrintStyle",   true,  0, 0},
    {TSetting::RecentFile1,         "RecentFile1",         false, 0, 0},
    {TSetting::RecentFile2,         "RecentFile2",         false, 0, 0},
    {TSetting::RecentFile3,         "RecentFile3",         false, 0, 0},
    {TSetting::RecentFile4,         "RecentFile4",         false, 0, 0},
    {TSetting::TableColumnWidths,   "TableColumnWidths",   false, 0, 0},
};
// clang-format on

const SettingSpec& entryOf(TSetting setting) {
    for (const SettingSpec& s : kSettings) {
        if (s.setting == setting) {
            return s;
        }
    }
    throw std::logic_error("unknown setting");
}

QString textDefault(const SettingSpec& s) {
    if (s.integer) {
        return QString::number(s.integerDefault);
    }
    return s.textDefaultResource != 0 ? LoadResString(s.textDefaultResource) : QString();
}

}  // namespace

QString SettingName(TSetting setting) {
    return QString::fromLatin1(entryOf(setting).name);
}

bool SettingIsInteger(TSetting setting) {
    return entryOf(setting).integer;
}

QString SettingText(TSetting setting) {
    const SettingSpec& s = entryOf(setting);
    return ReadSettingString(QString::fromLatin1(s.name), textDefault(s));
}

int SettingInteger(TSetting setting) {
    const SettingSpec& s = entryOf(setting);
    return ReadSettingInteger(QString::fromLatin1(s.name), s.integerDefault);
}

void WriteSetting(TSetting setting, const QString& value) {
    WriteSettingString(SettingName(setting), value);
    emit SettingsNotifier().changed(setting);
}

void WriteSetting(TSetting setting, int value) {
    WriteSetting(setting, QString::number(value));
}

TSettingsNotifier& SettingsNotifier() {
    static TSettingsNotifier notifier;
    return notifier;
}
