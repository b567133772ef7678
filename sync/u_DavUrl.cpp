#include "sync/u_DavUrl.h"

#include "sync/u_SyncError.h"

#include <QCoreApplication>
#include <QHostAddress>

namespace {}  // namespace

namespace DavUrl {

bool IsLoopback(const QUrl& url) {
    const QString host = url.host().toLower();
    if (host == QLatin1String("localhost")) {
        return true;
    }
    const QHostAddress address(host);
    return address == QHostAddress(QHostAddress::LocalHost) ||
           address == QHostAddress(QHostAddress::LocalHostIPv6);
}

QString Refusal(const QUrl& url) {
    if (!url.isValid() || url.host().isEmpty()) {
        return QCoreApplication::translate("DavUrl", "\"%1\" is not a server address.")
            .arg(url.toDisplayString());
    }
    if (!url.userInfo().isEmpty()) {
        return QCoreApplication::translate(
                   "DavUrl",
                   "The address \"%1\" holds a user name or password; give them in their own "
                   "fields.")
            .arg(url.toDisplayString(QUrl::RemoveUserInfo));
    }
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("https")) {
        return {};
    }
    if (scheme == QLatin1String("http") && IsLoopback(url)) {
        return {};
    }
    return QCoreApplication::translate(
               "DavUrl",
               "The address \"%1\" is not allowed: contacts are synced only over https: "
               "(http: only with this computer, 127.0.0.1 or localhost).")
        .arg(url.toDisplayString());
}

void Check(const QUrl& url) {
    const QString refusal = Refusal(url);
    if (!refusal.isEmpty()) {
        throw ESyncError(refusal);
    }
}

QUrl Collection(const QString& text) {
    QString typed = text.trimmed();
    if (!typed.isEmpty() && !typed.contains(QLatin1String("://"))) {
        typed.prepend(QLatin1String("https://"));  // a bare host name: the safe scheme
    }
    QUrl url(typed, QUrl::TolerantMode);
    if (!url.path().endsWith(u'/')) {
        url.setPath(url.path() + u'/');
    }
    return url.adjusted(QUrl::RemoveQuery | QUrl::RemoveFragment);
}

QString PathKey(const QUrl& base, const QString& href) {
    const QUrl resolved = base.resolved(QUrl(href.trimmed(), QUrl::TolerantMode));
    return resolved.path(QUrl::FullyDecoded);
}

QUrl AtPath(const QUrl& base, const QString& decodedPath) {
    QUrl url = base.adjusted(QUrl::RemoveQuery | QUrl::RemoveFragment);
    url.setPath(decodedPath, QUrl::DecodedMode);
    return url;
}

QByteArray EncodedPath(const QUrl& url) {
    return url.path(QUrl::FullyEncoded).toUtf8();
}

bool SameOrigin(const QUrl& a, const QUrl& b) {
    return a.scheme().compare(b.scheme(), Qt::CaseInsensitive) == 0 &&
           a.host().compare(b.host(), Qt::CaseInsensitive) == 0 &&
           a.port(a.scheme() == QLatin1String("https") ? 443 : 80) ==
               b.port(b.scheme() == QLatin1String("https") ? 443 : 80);
}

}  // namespace DavUrl
