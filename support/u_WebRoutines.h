#pragma once

#include <QString>

#include <QtGlobal>

// The program's contacts with the web: the version check, opening web pages
// after the user's consent, and the redirect links in the program's texts.
// The user-facing texts of this unit are Czech.

// Where and how the program talks to the web. The defaults are the maker's
// servers; the environment variable PELLUM_UPDATE_SERVER replaces the web
// server's base address (a local test server), and tests set all fields.
struct TWebSettings {
    QString ServerBase;        // version file server, no trailing "/"
    QString RedirectBase;      // redirect service address, no trailing "/"
    int ReadTimeoutMs = 5000;  // longest silence of the server
    int DeadlineMs = 15000;    // the whole download, however slowly it trickles
    qint64 MaxBytes = 256 * 1024;
    bool UseSystemProxy = true;  // false: always connect directly
};
TWebSettings& WebSettings();

// Downloads address by HTTP GET. True when the request completed with status
// 200 within the limits of WebSettings(); Body gets the response body as
// lines joined with CR LF, whatever the outcome. Redirects are not followed.
bool HttpGetText(const QString& Address, QString& Body);

// The address of the version file for the running program.
QString VersionFileAddress();

// Asks for consent, downloads the version file and tells the user whether a
// newer version exists; every outcome is shown in one message box. A version
// file that is not well-formed XML raises std::runtime_error.
void CheckForNewVersion();

// Replaces the redirect tokens "{RedirTo:target}" and
// "{RedirTo:target:language}" by addresses on the redirect service, then
// "%AppName%" and "%AppVersion%" by the program's name and version.
QString ExpandRedirLinks(const QString& Text);

// The same token scan with the tail the link label uses: "{App.ID}" and
// "{App.Version}" stand for the program's name and version.
QString ExpandLinkLabelAddress(const QString& Address);

// Opens Address (tokens expanded) in the browser, asking first when AskFirst.
// True when the page was handed to the browser or the user declined.
bool OpenWebPage(const QString& Address, bool AskFirst);

// The product web site, after the user's consent.
void VisitProductWebSite();

// The Czech texts of the web routines, for tests and callers that compare.
namespace webtext {
extern const QString AskConnect;
extern const QString DownloadFailed;
extern const QString BadFormat;
extern const QString NewerFormat;
extern const QString OlderFormat;
extern const QString NoMatchingVersion;
extern const QString UpToDate;
extern const QString NewerAvailable;
extern const QString AskOpenBrowser;
}  // namespace webtext
