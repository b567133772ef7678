#pragma once

#include <QString>
#include <QUrl>

// The addresses the card's "Go" buttons hand to the desktop. Both return an
// empty text when the field holds nothing but blanks, which means: open
// nothing.

// A web address: the trimmed text, with "http://" in front unless it already
// contains "http://" or "https://" somewhere (case-sensitive).
QString WebAddressFor(const QString& fieldText);

// A mail address: the trimmed text, always with "mailto:" in front.
QString MailAddressFor(const QString& fieldText);

// The address as a URL for the desktop. Tolerant parsing, so that what a user
// typed (spaces, non-ASCII characters) is encoded rather than refused.
QUrl DesktopUrlFor(const QString& address);
