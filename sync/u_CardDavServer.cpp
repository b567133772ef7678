#include "sync/u_CardDavServer.h"

#include "sync/u_DavUrl.h"
#include "sync/u_MultiStatus.h"
#include "sync/u_SyncError.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <algorithm>

namespace {

const QByteArray kXml = "application/xml; charset=utf-8";
const QString kAddressBookType = kCardDavNs + QStringLiteral("addressbook");
const QString kCollectionType = kDavNs + QStringLiteral("collection");
constexpr int kMaxSyncRounds = 10'000;

QByteArray escaped(const QString& text) {
    return text.toHtmlEscaped().toUtf8();
}

QByteArray propfindBody(const QByteArray& props) {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
           "<d:propfind xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:carddav\"><d:prop>" +
           props + "</d:prop></d:propfind>";
}

TDavRequest propfind(const QUrl& url, const char* depth, const QByteArray& props) {
    return {"PROPFIND", url, propfindBody(props), kXml, {{"Depth", depth}}};
}

// The start of a server's text, one line, markup removed.
QString serverText(const QByteArray& body) {
    QString text = QString::fromUtf8(body.left(4096));
    static const QRegularExpression tags(QStringLiteral("<[^>]*>"));
    text.replace(tags, QStringLiteral(" "));
    text = text.simplified();
    return text.size() > 300 ? text.left(300) + QStringLiteral("...") : text;
}

TMultiStatus multiStatus(const QString& what, const TDavReply& reply) {
    if (reply.status != 207) {
        ThrowServerAnswer(what, reply);
    }
    return ParseMultiStatus(reply.body);
}

bool isCollection(const TDavResponse& r) {
    return r.properties.value(kDavNs + QStringLiteral("resourcetype"))
        .children.contains(kCollectionType);
}

bool isAddressBook(const TDavResponse& r) {
    return r.properties.value(kDavNs + QStringLiteral("resourcetype"))
        .children.contains(kAddressBookType);
}

// The server refused the token as too old or unknown (RFC 6578, 3.2).
bool tokenRefused(const TDavReply& reply) {
    return (reply.status == 403 || reply.status == 409 || reply.status == 400) &&
           reply.body.contains("valid-sync-token");
}

// The server has no sync-collection report.
bool reportUnsupported(const TDavReply& reply) {
    return reply.status == 501 || reply.status == 405 ||
           ((reply.status == 403 || reply.status == 400) && !tokenRefused(reply));
}

}  // namespace

void ThrowServerAnswer(const QString& what, const TDavReply& reply) {
    const QString text = serverText(reply.body);
    QString message;
    if (reply.status == 401) {
        message = QCoreApplication::translate(
                      "TCardDavServer",
                      "The server refused the user name or password (%1 %2) when asked for %3.")
                      .arg(reply.status)
                      .arg(reply.reason, what);
    } else {
        message = QCoreApplication::translate("TCardDavServer",
                                              "The server answered %1 %2 when asked for %3.")
                      .arg(reply.status)
                      .arg(reply.reason, what);
    }
    if (!text.isEmpty()) {
        message += u' ' + QCoreApplication::translate("TCardDavServer", "It said: %1").arg(text);
    }
    throw ESyncError(message, reply.status, text);
}

TCardDavServer::TCardDavServer(TDavClient& client, const QUrl& addressBook)
    : client_(client), url_(addressBook) {
    selfKey_ = PathKey(url_.toString());
}

QString TCardDavServer::PathKey(const QString& href) const {
    // The address book itself may be written with or without its final "/".
    QString key = DavUrl::PathKey(url_, href);
    if (key.endsWith(u'/') && key.size() > 1) {
        key.chop(1);
    }
    return key;
}

QUrl TCardDavServer::UrlOf(const QString& pathKey) const {
    return DavUrl::AtPath(url_, pathKey);
}

QString TCardDavServer::NewCardPath(const QString& name) const {
    QString path = url_.path(QUrl::FullyDecoded);
    if (!path.endsWith(u'/')) {
        path += u'/';
    }
    return path + name;
}

QString TCardDavServer::CheckAddressBook(bool askToken) {
    const TDavReply reply = client_.Send(propfind(
        url_, "0",
        askToken ? "<d:resourcetype/><d:displayname/><d:sync-token/>" : "<d:resourcetype/>"));
    const TMultiStatus status =
        multiStatus(QCoreApplication::translate("TCardDavServer", "the address book"), reply);
    for (const TDavResponse& r : status.responses) {
        if (PathKey(r.href) != selfKey_) {
            continue;
        }
        if (!isAddressBook(r)) {
            throw ESyncError(
                QCoreApplication::translate("TCardDavServer", "\"%1\" is not an address book.")
                    .arg(url_.toDisplayString()));
        }
        return r.Text(kDavNs + QStringLiteral("sync-token")).trimmed();
    }
    throw ESyncError(QCoreApplication::translate(
                         "TCardDavServer", "The server did not describe the address book \"%1\".")
                         .arg(url_.toDisplayString()));
}

TMemberChanges TCardDavServer::syncCollection(QString token, bool& supported) {
    TMemberChanges changes;
    changes.complete = token.isEmpty();
    supported = true;
    for (int round = 0; round < kMaxSyncRounds; ++round) {
        const QByteArray body =
            "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
            "<d:sync-collection xmlns:d=\"DAV:\"><d:sync-token>" +
            escaped(token) +
            "</d:sync-token><d:sync-level>1</d:sync-level><d:prop><d:getetag/></d:prop>"
            "</d:sync-collection>";
        const TDavReply reply = client_.Send({"REPORT", url_, body, kXml, {}});
        if (reply.status != 207 && !token.isEmpty() && tokenRefused(reply)) {
            // Forgotten by the server: start again from a complete listing.
            return syncCollection(QString(), supported);
        }
        if (reply.status != 207 && reportUnsupported(reply)) {
            supported = false;
            return {};
        }
        const TMultiStatus status = multiStatus(
            QCoreApplication::translate("TCardDavServer", "the changes of the address book"),
            reply);
        bool truncated = false;
        for (const TDavResponse& r : status.responses) {
            const QString key = PathKey(r.href);
            if (key == selfKey_) {
                truncated = truncated || r.status == 507;
                continue;
            }
            if (r.status == 404) {
                changes.present.remove(key);
                changes.removed.insert(key);
            } else if (!isCollection(r) && r.Has(kDavNs + QStringLiteral("getetag"))) {
                changes.removed.remove(key);
                changes.present.insert(key, r.Text(kDavNs + QStringLiteral("getetag")).toUtf8());
            }
        }
        if (status.syncToken.isEmpty()) {
            throw ESyncError(QCoreApplication::translate(
                "TCardDavServer", "The server's list of changes carries no sync token."));
        }
        changes.syncToken = status.syncToken;
        if (!truncated) {
            return changes;
        }
        token = status.syncToken;  // the server sends the rest in further rounds
    }
    throw ESyncError(QCoreApplication::translate("TCardDavServer",
                                                 "The server's list of changes does not end."));
}

TMemberChanges TCardDavServer::etagListing() {
    const TDavReply reply = client_.Send(propfind(url_, "1", "<d:resourcetype/><d:getetag/>"));
    const TMultiStatus status = multiStatus(
        QCoreApplication::translate("TCardDavServer", "the cards of the address book"), reply);
    TMemberChanges changes;
    changes.complete = true;
    for (const TDavResponse& r : status.responses) {
        const QString key = PathKey(r.href);
        if (key == selfKey_ || isCollection(r) || !r.Has(kDavNs + QStringLiteral("getetag"))) {
            continue;
        }
        changes.present.insert(key, r.Text(kDavNs + QStringLiteral("getetag")).toUtf8());
    }
    return changes;
}

TMemberChanges TCardDavServer::Changes(const QString& token, bool hasTokens) {
    if (hasTokens) {
        bool supported = true;
        TMemberChanges changes = syncCollection(token, supported);
        if (supported) {
            return changes;
        }
    }
    return etagListing();
}

void TCardDavServer::Fetch(const QStringList& paths,
                           const std::function<void(const TFetchedCard&)>& take,
                           const std::function<void(const QString&)>& gone) {
    const qsizetype batchSize = std::max(1, client_.Limits().cardsPerReport);
    QList<TDavRequest> requests;
    for (qsizetype first = 0; first < paths.size(); first += batchSize) {
        QByteArray body =
            "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
            "<c:addressbook-multiget xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:carddav\">"
            "<d:prop><d:getetag/><c:address-data/></d:prop>";
        for (const QString& path : paths.mid(first, batchSize)) {
            body += "<d:href>" + escaped(QString::fromUtf8(DavUrl::EncodedPath(UrlOf(path)))) +
                    "</d:href>";
        }
        body += "</c:addressbook-multiget>";
        requests.append({"REPORT", url_, body, kXml, {{"Depth", "1"}}});
    }
    client_.SendAll(requests, [&](qsizetype, const TDavReply& reply) {
        const TMultiStatus status = multiStatus(
            QCoreApplication::translate("TCardDavServer", "cards of the address book"), reply);
        for (const TDavResponse& r : status.responses) {
            const QString key = PathKey(r.href);
            const QString dataKey = kCardDavNs + QStringLiteral("address-data");
            if (r.status == 404 || (r.status == 0 && !r.Has(dataKey))) {
                gone(key);
            } else if (r.Has(dataKey)) {
                take({key, r.Text(kDavNs + QStringLiteral("getetag")).toUtf8(),
                      r.Text(dataKey).toUtf8()});
            }
        }
    });
}

TDavRequest TCardDavServer::PutRequest(const QString& path, const QByteArray& card,
                                       const QByteArray& etag, bool create) const {
    TDavRequest request{"PUT", UrlOf(path), card, "text/vcard; charset=utf-8", {}};
    if (!etag.isEmpty()) {
        request.headers.append(qMakePair(QByteArray("If-Match"), etag));
    } else if (create) {
        request.headers.append(qMakePair(QByteArray("If-None-Match"), QByteArray("*")));
    }
    return request;
}

TDavRequest TCardDavServer::DeleteRequest(const QString& path, const QByteArray& etag) const {
    TDavRequest request{"DELETE", UrlOf(path), {}, {}, {}};
    if (!etag.isEmpty()) {
        request.headers.append(qMakePair(QByteArray("If-Match"), etag));
    }
    return request;
}

// Discovery ---------------------------------------------------------------

namespace {

QList<TAddressBook> listBooks(TDavClient& client, const QUrl& home) {
    const TDavReply reply = client.Send(propfind(home, "1", "<d:resourcetype/><d:displayname/>"));
    const TMultiStatus status =
        multiStatus(QCoreApplication::translate("TCardDavServer", "the address books"), reply);
    QList<TAddressBook> books;
    for (const TDavResponse& r : status.responses) {
        if (isAddressBook(r)) {
            const QUrl url = DavUrl::AtPath(home, DavUrl::PathKey(home, r.href));
            QString name = r.Text(kDavNs + QStringLiteral("displayname")).trimmed();
            books.append(TAddressBook{url, name.isEmpty() ? url.path() : name});
        }
    }
    return books;
}

struct TFound {
    bool addressBook = false;
    QString displayName;
    QStringList principal;
    QStringList homes;
};

TFound describe(TDavClient& client, const QUrl& url, bool required) {
    const TDavReply reply =
        client.Send(propfind(url, "0",
                             "<d:resourcetype/><d:displayname/><d:current-user-principal/>"
                             "<c:addressbook-home-set/>"));
    TFound found;
    if (reply.status != 207) {
        if (required || reply.status == 401) {
            ThrowServerAnswer(QCoreApplication::translate("TCardDavServer", "the address books"),
                              reply);
        }
        return found;
    }
    for (const TDavResponse& r : ParseMultiStatus(reply.body).responses) {
        found.addressBook = found.addressBook || isAddressBook(r);
        if (found.displayName.isEmpty()) {
            found.displayName = r.Text(kDavNs + QStringLiteral("displayname")).trimmed();
        }
        found.principal
            << r.properties.value(kDavNs + QStringLiteral("current-user-principal")).hrefs;
        found.homes
            << r.properties.value(kCardDavNs + QStringLiteral("addressbook-home-set")).hrefs;
    }
    return found;
}

}  // namespace

QList<TAddressBook> TCardDavServer::Discover(TDavClient& client, const QUrl& start) {
    DavUrl::Check(start);
    TFound found = describe(client, start, false);
    if (found.addressBook) {
        return {{start, found.displayName.isEmpty() ? start.path() : found.displayName}};
    }
    if (found.principal.isEmpty() && found.homes.isEmpty()) {
        found =
            describe(client, start.resolved(QUrl(QStringLiteral("/.well-known/carddav"))), true);
    }
    QStringList homes = found.homes;
    if (homes.isEmpty() && !found.principal.isEmpty()) {
        const QUrl principal = DavUrl::AtPath(start, DavUrl::PathKey(start, found.principal[0]));
        homes = describe(client, principal, true).homes;
    }
    QList<TAddressBook> books;
    for (const QString& home : homes) {
        books << listBooks(client, DavUrl::AtPath(start, DavUrl::PathKey(start, home)));
    }
    if (books.isEmpty()) {
        throw ESyncError(
            QCoreApplication::translate("TCardDavServer", "No address book was found at \"%1\".")
                .arg(start.toDisplayString()));
    }
    std::sort(books.begin(), books.end(), [](const TAddressBook& a, const TAddressBook& b) {
        return a.displayName.localeAwareCompare(b.displayName) < 0;
    });
    return books;
}
