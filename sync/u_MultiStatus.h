#pragma once

#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// The XML namespaces of WebDAV and CardDAV.
inline const QString kDavNs = QStringLiteral("DAV:");
inline const QString kCardDavNs = QStringLiteral("urn:ietf:params:xml:ns:carddav");

// One property of a WebDAV response, as far as a sync reads it.
struct TDavProperty {
    QString text;          // the element's own text (an ETag, a token, a name, a card)
    QStringList hrefs;     // its DAV:href children (a principal, home sets)
    QStringList children;  // its child elements as namespace + name (resource types)
};

// One DAV:response of a multistatus.
struct TDavResponse {
    QString href;
    // The status of the response as a whole (a removed member's 404), or 0
    // when its properties came in propstat elements.
    int status = 0;
    // The properties reported with status 200, by namespace + name
    // ("DAV:getetag").
    QHash<QString, TDavProperty> properties;

    bool Has(const QString& key) const { return properties.contains(key); }
    QString Text(const QString& key) const { return properties.value(key).text; }
};

struct TMultiStatus {
    QList<TDavResponse> responses;
    QString syncToken;  // the DAV:sync-token of a sync-collection report
};

// Reads the body of a 207 Multi-Status answer strictly: well-formed XML
// without a document type declaration, the root DAV:multistatus, every
// response with an href and a status or propstat, status lines of the form
// "HTTP/1.1 200 OK". Bounded: elements nest at most 64 deep, a body holds at
// most 1,000,000 responses. Raises ESyncError naming the line that is wrong.
TMultiStatus ParseMultiStatus(QByteArrayView xml);

// The code of an HTTP status line ("HTTP/1.1 404 Not Found" -> 404), or 0
// when it is not one.
int StatusLineCode(QStringView line);
