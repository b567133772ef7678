#pragma once

#include <QString>
#include <QUrl>

// The addresses the card's "Go" buttons hand to the desktop. A field's text
// may come from anyone (an imported vCard), so only what it says is opened:
// a web page, or a mail to the address typed.

// What a "Go" button does with a field: open url, tell refusal, or nothing
// at all (a field of blanks).
struct TCardLink {
    QUrl url;         // valid when there is something to open
    QString refusal;  // why the text is not opened; empty unless refused

    bool IsEmpty() const { return !url.isValid() && refusal.isEmpty(); }
};

// A web page: the trimmed text when it is an http: or https: address with a
// host (the scheme in any letter case); a text without a scheme
// ("www.example.cz", "example.cz:8080/a") gets "http://" in front. Any other
// scheme (file:, smb:, javascript:, ...) and an address without a host are
// refused.
TCardLink WebLinkFor(const QString& fieldText);

// A mail: "mailto:" and the trimmed text up to its first "?" or line break,
// encoded as one address, so that header fields such as "?attach=" or
// "&cc=" never reach the mail program. Refused when no address remains.
TCardLink MailLinkFor(const QString& fieldText);
