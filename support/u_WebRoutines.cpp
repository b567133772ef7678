#include "support/u_WebRoutines.h"

#include "support/u_MessageBox.h"
#include "support/u_OrvFileLib.h"
#include "support/u_ProductInfo.h"
#include "support/u_StringRoutines.h"
#include "support/u_VersionFile.h"

#include <QDesktopServices>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

namespace webtext {
const QString AskConnect = QStringLiteral(
    "Operace zjištění nejnovější verze programu vyžaduje připojení k Internetu. Při této operaci "
    "nejsou odesílány žádné údaje identifikující Vaši osobu. Opravdu si přejete pokračovat?");
const QString DownloadFailed =
    QStringLiteral("Informace o nejnovější verzi programu se nepodařilo stáhnout.");
const QString BadFormat =
    QStringLiteral("Soubor s informacemi o nejnovější verzi programu nemá očekávaný formát.");
const QString NewerFormat = QStringLiteral(
    "Soubor s informace o nejnovější verzi programu je v novějším formátu, než který je "
    "podporován.");
const QString OlderFormat = QStringLiteral(
    "Soubor s informace o nejnovější verzi programu je ve starším formátu, než tato verze "
    "programu podporuje. Proveďte, prosím, kontrolu ručně návštěvou webové stránky produktu.");
const QString NoMatchingVersion = QStringLiteral(
    "Operaci zjištění nejnovější verze programu se nepodařilo se najít informace o žádné verzi "
    "vyhovující zadání.\n\rToto může nastat, pokud jste například zvolili upozorňování na Finální "
    "verze, ale produkt je zatím pouze ve stádiu BETA.Hodnot můžete upravovat v okně Nastavení.");
const QString UpToDate = QStringLiteral("Máte nejnovější verzi produktu.");
const QString NewerAvailable = QStringLiteral(
    "Na Internetu je k dispozici novější verze programu.\n\r\n\rVaše verze: "
    "%RunningVersion%\n\rNejnovější verze: %NewestVersion%\n\r\n\rPřejete si zobrazit stránku "
    "pro stáhnutí nové verze?");
const QString AskOpenBrowser = QStringLiteral(
    "Zvolili jste funkci, která potřebuje otevřít stránku ve Vašem internetovém prohlížeči. "
    "Opravdu si přejete pokračovat?");
}  // namespace webtext

TWebSettings& WebSettings() {
    static TWebSettings settings = [] {
        TWebSettings s;
        const QString server = qEnvironmentVariable("PELLUM_UPDATE_SERVER");
        s.ServerBase = server.isEmpty() ? product::WebServerBase : server;
        while (s.ServerBase.endsWith(u'/')) {
            s.ServerBase.chop(1);
        }
        s.RedirectBase = product::RedirectBase;
        return s;
    }();
    return settings;
}

// --- Download ------------------------------------------------------------------

namespace {

QNetworkProxy proxyFor(const QUrl& url) {
    if (!WebSettings().UseSystemProxy) {
        return QNetworkProxy(QNetworkProxy::NoProxy);
    }
    const QList<QNetworkProxy> proxies =
        QNetworkProxyFactory::systemProxyForQuery(QNetworkProxyQuery(url));
    return proxies.isEmpty() ? QNetworkProxy(QNetworkProxy::NoProxy) : proxies.first();
}

QString joinLines(const QByteArray& body) {
    QString text = QString::fromUtf8(body);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text.split(u'\n').join(QStringLiteral("\r\n"));
}

// Waits for reply within the limits; true when it completed in them. The
// body read so far is appended to body.
bool waitWithinLimits(QNetworkReply& reply, QByteArray& body) {
    const TWebSettings& limits = WebSettings();
    QEventLoop loop;
    bool tooBig = false;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &reply, &QNetworkReply::abort);
    QObject::connect(&reply, &QNetworkReply::readyRead, &loop, [&] {
        body += reply.read(limits.MaxBytes + 1 - body.size());
        if (body.size() > limits.MaxBytes) {
            tooBig = true;
            reply.abort();
        }
    });
    QObject::connect(&reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    deadline.start(limits.DeadlineMs);
    if (!reply.isFinished()) {
        // The user cannot start another command while the check runs.
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    if (!tooBig) {
        body += reply.read(limits.MaxBytes + 1 - body.size());
        tooBig = body.size() > limits.MaxBytes;
    }
    return !tooBig && deadline.isActive() && reply.error() == QNetworkReply::NoError;
}

}  // namespace

bool HttpGetText(const QString& Address, QString& Body) {
    const QUrl url(Address);
    QNetworkAccessManager manager;
    manager.setProxy(proxyFor(url));
    QNetworkRequest request(url);
    request.setTransferTimeout(WebSettings().ReadTimeoutMs);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    std::unique_ptr<QNetworkReply> reply(manager.get(request));
    QByteArray body;
    const bool completed = waitWithinLimits(*reply, body);
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    Body = joinLines(body);
    return completed && status == 200;
}

QString VersionFileAddress() {
    return WebSettings().ServerBase + QStringLiteral("/!public/appdata/") + App.ID.toLower() +
           QStringLiteral("/version.xml");
}

// --- Version check ---------------------------------------------------------------

namespace {

void showError(const QString& text) {
    ShowMessage(MsgType::Error, text, MsgButtons::Ok);
}

void offerNewerVersion(const TPublishedVersion& newest) {
    const QString running = RunningVersionText();
    const QString linkTime = FormatDateTime(QStringLiteral("dd.mm.yyyy hh:nn"), RunningLinkTime());
    if (ShowMessage(MsgType::Confirmation, NewerVersionMessage(newest, running, linkTime),
                    MsgButtons::YesNo) == MsgResult::Yes) {
        OpenWebPage(newest.ProformURL, false);
    }
}

}  // namespace

void CheckForNewVersion() {
    if (ShowMessage(MsgType::Confirmation, webtext::AskConnect, MsgButtons::YesNo) !=
        MsgResult::Yes) {
        return;
    }
    QString body;
    if (!HttpGetText(VersionFileAddress(), body)) {
        showError(webtext::DownloadFailed);
        return;
    }
    const TVersionChoice choice = ChooseVersion(body, RunningVersionText());
    switch (choice.Verdict) {
        case TVersionVerdict::BadFormat:
            return showError(webtext::BadFormat);
        case TVersionVerdict::NewerFormat:
            return showError(webtext::NewerFormat);
        case TVersionVerdict::OlderFormat:
            return showError(webtext::OlderFormat);
        case TVersionVerdict::NoMatch:
            return showError(webtext::NoMatchingVersion);
        case TVersionVerdict::UpToDate:
            ShowMessage(MsgType::Information, webtext::UpToDate, MsgButtons::Ok);
            return;
        case TVersionVerdict::NewerAvailable:
            return offerNewerVersion(choice.Newest);
    }
}

// --- Redirect links ----------------------------------------------------------------

namespace {

// Reads the token that starts at from: up to the next ":" or "}", or, when it
// starts with "{", up to and including the next "}". end is the position
// after the token (the text's size when nothing ends it).
QString readToken(const QString& text, qsizetype from, qsizetype& end) {
    if (from < text.size() && text[from] == u'{') {
        const qsizetype close = text.indexOf(u'}', from);
        end = close < 0 ? text.size() : close + 1;
        return text.mid(from, end - from);
    }
    end = from;
    while (end < text.size() && text[end] != u':' && text[end] != u'}') {
        ++end;
    }
    return text.mid(from, end - from);
}

QString expandAppPlaceholders(QString text) {
    text.replace(QStringLiteral("%AppName%"), App.ID);
    text.replace(QStringLiteral("%AppVersion%"), App.Version);
    return text;
}

// A query value: placeholders first, so that encoding does not hide them.
QString encoded(const QString& value) {
    return QString::fromLatin1(QUrl::toPercentEncoding(expandAppPlaceholders(value)));
}

QString redirectAddress(const QString& target, const QString& language, const QString& tail) {
    QString address = WebSettings().RedirectBase + u'?';
    if (!language.isEmpty()) {
        address += QStringLiteral("lang=") + encoded(language) + u'&';
    }
    return address + QStringLiteral("to=") + encoded(target) + u'&' + tail;
}

QString replaceRedirTokens(QString text, const QString& tail) {
    qsizetype at = text.indexOf(u'{');
    while (at >= 0) {
        qsizetype end = 0;
        if (readToken(text, at + 1, end) != QLatin1String("RedirTo")) {
            at = text.indexOf(u'{', at + 1);
            continue;
        }
        QString target;
        QString language;
        if (end < text.size() && text[end] == u':') {
            target = readToken(text, end + 1, end);
            if (end < text.size() && text[end] == u':') {
                language = readToken(text, end + 1, end);
            }
        }
        const qsizetype close = text.indexOf(u'}', end);
        if (close < 0) {
            at = text.indexOf(u'{', at + 1);
            continue;
        }
        // The address holds no "{", so the scan goes on from the same place.
        text.replace(text.mid(at, close - at + 1), redirectAddress(target, language, tail));
        at = text.indexOf(u'{', at);
    }
    return text;
}

QString redirectTail() {
    return QStringLiteral("from=") + encoded(App.ID) + QStringLiteral("&version=") +
           encoded(App.Version);
}

}  // namespace

QString ExpandRedirLinks(const QString& Text) {
    return expandAppPlaceholders(replaceRedirTokens(Text, redirectTail()));
}

QString ExpandLinkLabelAddress(const QString& Address) {
    QString text = replaceRedirTokens(Address, redirectTail());
    text.replace(QStringLiteral("{App.ID}"), App.ID);
    text.replace(QStringLiteral("{App.Version}"), App.Version);
    return text;
}

// --- Web pages -----------------------------------------------------------------------

bool OpenWebPage(const QString& Address, bool AskFirst) {
    if (AskFirst && ShowMessage(MsgType::Confirmation, webtext::AskOpenBrowser,
                                MsgButtons::YesNo) != MsgResult::Yes) {
        return true;
    }
    return QDesktopServices::openUrl(QUrl(ExpandRedirLinks(Address)));
}

void VisitProductWebSite() {
    OpenWebPage(QStringLiteral("{RedirTo:%AppName%}"), true);
}
