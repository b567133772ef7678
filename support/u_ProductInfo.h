#pragma once

#include <QString>

// Facts about the product that the program writes into databases and shows
// on the splash window, the status bar and the about box.
namespace product {
inline const QString Name = QStringLiteral("Orvane Contacts");
inline const QString SupportEmail = QStringLiteral("contacts@orvane.example");
inline const QString WebAddress = QStringLiteral("www.orvane.example");
inline const QString Copyright = QStringLiteral("Copyright (C) 2001-2026 Orvane");
// The maker's web server that publishes the version-information file, and
// the redirect service that short links in the program's texts point at.
// Both are base addresses without a trailing "/".
inline const QString WebServerBase = QStringLiteral("https://www.orvane.example");
inline const QString RedirectBase = QStringLiteral("https://www.orvane.example/redir");
// The lowest program version that may open a database this program creates.
inline const QString MinDatabaseVersion = QStringLiteral("2.5.1");
// The same for a Unicode database: the first version that reads them.
inline const QString MinUnicodeDatabaseVersion = QStringLiteral("2.8.0");
}  // namespace product
