#pragma once

#include "sync/u_DavClient.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QUrl>

#include <functional>

struct TAddressBook {
    QUrl url;
    QString displayName;
};

// What a server says of one address book's members.
struct TMemberChanges {
    // True when every member is listed (a first sync-collection, an ETag
    // listing): a member not listed is gone.
    bool complete = false;
    QHash<QString, QByteArray> present;  // path key -> ETag: new or changed (all when complete)
    QSet<QString> removed;               // path keys, when not complete
    QString syncToken;                   // empty when the server keeps no tokens
};

struct TFetchedCard {
    QString path;  // path key
    QByteArray etag;
    QByteArray card;  // the vCard's text, UTF-8
};

// Raises ESyncError for an answer that is not what was asked for: what the
// request was, the server's status, reason and the start of its text.
[[noreturn]] void ThrowServerAnswer(const QString& what, const TDavReply& reply);

// The CardDAV requests of a sync with one address book (RFC 6352 over
// WebDAV, RFC 4918, with sync-collection, RFC 6578).
class TCardDavServer {
  public:
    TCardDavServer(TDavClient& client, const QUrl& addressBook);

    // Finds the address books of the user from start: start itself when it is
    // one, else through current-user-principal (or /.well-known/carddav) and
    // addressbook-home-set. Raises ESyncError when there is none.
    static QList<TAddressBook> Discover(TDavClient& client, const QUrl& start);

    const QUrl& Url() const { return url_; }
    QString PathKey(const QString& href) const;
    QUrl UrlOf(const QString& pathKey) const;
    // The path key of a new card called name in the address book.
    QString NewCardPath(const QString& name) const;

    // Checks that the address is an address book; returns its sync token
    // when askToken (empty when the server keeps none). Servers may work
    // through all their cards to tell the token, so it is asked only when
    // no token is known yet.
    QString CheckAddressBook(bool askToken = true);

    // The members changed since token (all members for an empty token, or
    // when the server refuses the token) by sync-collection; the ETags of
    // all members when the server keeps no tokens (hasTokens false).
    TMemberChanges Changes(const QString& token, bool hasTokens);

    // The cards of paths by addressbook-multiget, the client's
    // cardsPerReport at a time; take gets each card, gone each path the
    // server no longer has.
    void Fetch(const QStringList& paths, const std::function<void(const TFetchedCard&)>& take,
               const std::function<void(const QString&)>& gone);

    // A PUT of card to path: over the card with etag (If-Match), or as a new
    // card (If-None-Match: *) when etag is empty and create is true.
    TDavRequest PutRequest(const QString& path, const QByteArray& card, const QByteArray& etag,
                           bool create) const;
    TDavRequest DeleteRequest(const QString& path, const QByteArray& etag) const;

  private:
    TMemberChanges syncCollection(QString token, bool& supported);
    TMemberChanges etagListing();

    TDavClient& client_;
    QUrl url_;
    QString selfKey_;
};
