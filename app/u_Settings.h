#pragma once

#include <QString>

// The per-user settings store: text values under one key (organisation
// "Orvane", application "Orvane Contacts", group "2.5"). Integers are kept as
// their decimal text.

// The named value, or def when it is missing or empty.
QString ReadSettingString(const QString& name, const QString& def);

// The named value as a decimal integer, or def when it is missing or empty.
// Throws std::runtime_error when the stored text is not a decimal number.
int ReadSettingInteger(const QString& name, int def);

// Stores the value. Throws std::runtime_error with the message "Could not
// write data to the Windows Registry." when the store cannot be written.
void WriteSettingString(const QString& name, const QString& value);
