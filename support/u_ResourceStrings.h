#pragma once

#include <QString>

// The program's numbered message strings. The number is the text's identity:
// callers ask for a text by its number, and a translation replaces the text
// without changing the number.
namespace res {
inline constexpr int NoDatabase = 64992;
inline constexpr int RegistryWriteFailed = 64997;
inline constexpr int DefaultStartUpDatabase = 65003;
inline constexpr int DefaultUserTemplate = 65004;
inline constexpr int OpenDatabaseTitle = 65017;
inline constexpr int CreateDatabaseTitle = 65018;
inline constexpr int SaveDatabaseAsTitle = 65019;
inline constexpr int RecordChangedSave = 65020;
inline constexpr int FindNoFrame = 65022;
inline constexpr int FindNoResultFrame = 65023;
inline constexpr int StringNotFound = 65026;
inline constexpr int SelectStartUpDatabase = 65029;
inline constexpr int SelectDefaultUserTemplate = 65030;
inline constexpr int NotDatabaseForProgram = 65047;
inline constexpr int RequiresNewerProgram = 65048;
inline constexpr int ConfirmSwitchLanguage = 65049;
inline constexpr int LanguageChangedRestart = 65050;
inline constexpr int UnsupportedColumns = 65051;
inline constexpr int MissingColumns = 65052;
inline constexpr int ColumnSyncWarning = 65053;
inline constexpr int ColumnSyncDetails = 65054;
}  // namespace res

// The text of message number id in the current language; the empty text for
// an unknown number.
QString LoadResString(int id);

// Replaces the first occurrence of placeholder in text with value.
QString ReplaceFirst(const QString& text, const QString& placeholder, const QString& value);
