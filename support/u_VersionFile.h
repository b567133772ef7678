#pragma once

#include <QString>

// Reading the version-information file and choosing the version to offer,
// without any window or network, so the rules can be checked on their own.

inline constexpr int CheckEngineVersion = 1;
inline constexpr int NotificationLevel = 300;

struct TPublishedVersion {
    QString Number;
    QString NumberSuffix;
    QString TimeStampString;
    QString ProformURL;
};

enum class TVersionVerdict {
    BadFormat,       // not a version file (wrong root, a DTD, a page that is not http(s))
    NewerFormat,     // the file needs a newer check engine
    OlderFormat,     // the file is older than this check engine
    NoMatch,         // no published version qualifies
    UpToDate,        // the running program is not older than the newest
    NewerAvailable,  // Newest is newer than the running program
};

struct TVersionChoice {
    TVersionVerdict Verdict = TVersionVerdict::BadFormat;
    TPublishedVersion Newest;
};

// Reads Xml and compares its newest qualifying version with RunningVersion.
// A document that is not well-formed raises std::runtime_error with the XML
// reader's message; a document with a DTD is a bad format (no entity of it
// is ever expanded). A newer version whose page, after redirect tokens are
// expanded, is not an http or https address is a bad format too.
TVersionChoice ChooseVersion(const QString& Xml, const QString& RunningVersion);

// The "newer version" question with both versions filled in.
QString NewerVersionMessage(const TPublishedVersion& Newest, const QString& RunningVersion,
                            const QString& RunningLinkTimeText);
