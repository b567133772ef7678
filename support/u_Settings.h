#pragma once

#include <QObject>
#include <QString>

// The per-user settings store: text values under one key (organisation
// "Orvane", application "Orvane Contacts", group "2.5"). Integers are kept as
// their decimal text.

// The settings of the program. Each has one value name, type and default in
// the table of u_Settings.cpp; read and write them through that table.
enum class TSetting {
    StartUpDatabase,
    MenuStyle,
    ActiveTab,
    DefaultUserTemplate,
    DefaultPrintStyle,
    RecentFile1,
    RecentFile2,
    RecentFile3,
    RecentFile4,
    TableColumnWidths,  // the table's column widths, per database layout
};

// When settings are applied: once at start-up, or after the options changed.
enum class TSettingsOccasion { StartUp, Manual };

// The stored value name of a setting ("StartUpDatabase", ...).
QString SettingName(TSetting setting);
// Whether the setting holds an integer.
bool SettingIsInteger(TSetting setting);

// The setting's text, or its default when nothing (or an empty text) is stored.
QString SettingText(TSetting setting);
// The setting's integer, or its default when nothing is stored. Throws
// std::runtime_error when the stored text is not a decimal number.
int SettingInteger(TSetting setting);
// Stores the value and announces the change (SettingsNotifier). Throws as
// WriteSettingString.
void WriteSetting(TSetting setting, const QString& value);
void WriteSetting(TSetting setting, int value);

// Announces every change made through WriteSetting.
class TSettingsNotifier : public QObject {
    Q_OBJECT

  public:
    using QObject::QObject;

  signals:
    void changed(TSetting setting);
};
TSettingsNotifier& SettingsNotifier();

// The store by value name.
// The named value, or def when it is missing or empty.
QString ReadSettingString(const QString& name, const QString& def);

// The named value as a decimal integer, or def when it is missing or empty.
// Throws std::runtime_error when the stored text is not a decimal number.
int ReadSettingInteger(const QString& name, int def);

// Stores the value. Throws std::runtime_error with the message "Could not
// write data to the Windows Registry." when the store cannot be written.
void WriteSettingString(const QString& name, const QString& value);
