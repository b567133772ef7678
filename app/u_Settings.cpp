#include "app/u_Settings.h"

#include "support/u_ResourceStrings.h"

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
            QStringLiteral("'%1' is not a valid integer value").arg(value).toStdString());
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
