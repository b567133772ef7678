#pragma once

#include <QString>

// The user's language choice, recorded per executable: under the settings
// "Borland/Locales" (the key "Software\Borland\Locales" of the convention the
// program follows) a value named after the executable's full path holds the
// language code. The machine-wide file of the same name and the user's older
// "Borland/Delphi" file, group "Locales", are read when the user's own file
// does not exist.

// The value name for an executable: its full path with the characters a
// settings key cannot hold ("/", "\", "%" and the like) percent-encoded.
QString LanguageChoiceValueName(const QString& executablePath);

// Records code as the choice for the executable. False when it could not be
// written (the caller reports that).
bool SaveLanguageChoice(const QString& executablePath, const QString& code);

// The recorded code (at most four characters) from the first of the user's,
// the machine's and the user's older settings that exists: the value of the
// executable, else the file's "Default" value. Empty when none is recorded.
QString ReadLanguageChoice(const QString& executablePath);
