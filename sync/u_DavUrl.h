#pragma once

#include <QString>
#include <QUrl>

// The addresses a sync may talk to and how the server's hrefs are compared.
namespace DavUrl {

// True for http://127.0.0.1, http://localhost and http://[::1] (any port).
bool IsLoopback(const QUrl& url);

// Why url may not be used (the message for the user), or the empty text when
// it may: only https: addresses, and http: only to this machine; no user
// name or password inside the address.
QString Refusal(const QUrl& url);

// Raises ESyncError with Refusal(url) when it is not empty.
void Check(const QUrl& url);

// The address as the user typed it, trimmed, with a trailing "/" so that it
// names a collection.
QUrl Collection(const QString& text);

// The path, fully decoded, that names the resource href (an absolute path or
// a whole address, as servers write them) on the server of base. Two hrefs
// name the same resource when their keys are equal.
QString PathKey(const QUrl& base, const QString& href);

// The address of the decoded path on the server of base.
QUrl AtPath(const QUrl& base, const QString& decodedPath);

// The encoded path of url, as written in a request's <href>.
QByteArray EncodedPath(const QUrl& url);

// Same scheme, host and port.
bool SameOrigin(const QUrl& a, const QUrl& b);

}  // namespace DavUrl
