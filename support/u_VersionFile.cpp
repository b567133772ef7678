#include "support/u_VersionFile.h"

#include "support/u_StringRoutines.h"
#include "support/u_WebRoutines.h"

#include <QUrl>
#include <QXmlStreamReader>

#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

namespace {

// An element of the version file: its name, its own text and its children.
struct XmlNode {
    QString Name;
    QString Text;
    std::vector<std::unique_ptr<XmlNode>> Children;
};

[[noreturn]] void raiseXmlError(const QXmlStreamReader& reader) {
    throw std::runtime_error(QStringLiteral("The version file is not well-formed XML: %1 (line %2, "
                                            "column %3).")
                                 .arg(reader.errorString())
                                 .arg(reader.lineNumber())
                                 .arg(reader.columnNumber())
                                 .toStdString());
}

// The document's root element; nothing when the document has a DTD, which
// is refused before any of its entities could be expanded.
std::optional<std::unique_ptr<XmlNode>> readTree(const QString& xml) {
    QXmlStreamReader reader(xml);
    auto root = std::make_unique<XmlNode>();
    std::vector<XmlNode*> open;  // the elements not yet closed, innermost last
    bool seenRoot = false;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
            case QXmlStreamReader::DTD:
                return std::nullopt;
            case QXmlStreamReader::StartElement: {
                XmlNode* node = root.get();
                if (seenRoot) {
                    open.back()->Children.push_back(std::make_unique<XmlNode>());
                    node = open.back()->Children.back().get();
                }
                seenRoot = true;
                node->Name = reader.name().toString();
                open.push_back(node);
                break;
            }
            case QXmlStreamReader::EndElement:
                open.pop_back();
                break;
            case QXmlStreamReader::Characters:
                if (!open.empty()) {
                    open.back()->Text += reader.text();
                }
                break;
            default:
                break;
        }
    }
    if (reader.hasError()) {
        raiseXmlError(reader);
    }
    return root;
}

// The text of the first child named name, letter case ignored; empty when
// there is none.
QString childText(const XmlNode& parent, const QString& name) {
    for (const auto& child : parent.Children) {
        if (child->Name.compare(name, Qt::CaseInsensitive) == 0) {
            return child->Text.trimmed();
        }
    }
    return {};
}

int64_t childInteger(const XmlNode& parent, const QString& name, int64_t fallback) {
    return ParseInt64(childText(parent, name), true, fallback);
}

bool engineFits(const XmlNode& node) {
    return childInteger(node, QStringLiteral("CheckEngineMinVersion"), 0) <= CheckEngineVersion &&
           childInteger(node, QStringLiteral("CheckEngineMaxVersion"), 1) >= CheckEngineVersion;
}

bool qualifies(const XmlNode& node) {
    return node.Name == QLatin1String("Version") && engineFits(node) &&
           childInteger(node, QStringLiteral("VersionType"), NotificationLevel) >=
               NotificationLevel;
}

TPublishedVersion versionOf(const XmlNode& node) {
    return {childText(node, QStringLiteral("Number")),
            childText(node, QStringLiteral("NumberSuffix")),
            childText(node, QStringLiteral("TimeStampString")),
            childText(node, QStringLiteral("ProformURL"))};
}

// The newest qualifying version; on equal numbers the earlier one stays.
std::optional<TPublishedVersion> newestOf(const XmlNode& root) {
    std::optional<TPublishedVersion> newest;
    for (const auto& child : root.Children) {
        if (!qualifies(*child)) {
            continue;
        }
        TPublishedVersion candidate = versionOf(*child);
        if (!newest || CompareVersions(newest->Number, candidate.Number) < 0) {
            newest = std::move(candidate);
        }
    }
    return newest;
}

bool isWebAddress(const QString& address) {
    const QUrl url(ExpandRedirLinks(address), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    return url.isValid() && !url.host().isEmpty() &&
           (scheme == QLatin1String("http") || scheme == QLatin1String("https"));
}

}  // namespace

TVersionChoice ChooseVersion(const QString& Xml, const QString& RunningVersion) {
    const auto root = readTree(Xml);
    if (!root || (*root)->Name != QLatin1String("Versions")) {
        return {TVersionVerdict::BadFormat, {}};
    }
    const XmlNode& versions = **root;
    if (childInteger(versions, QStringLiteral("CheckEngineMinVersion"), 0) > CheckEngineVersion) {
        return {TVersionVerdict::NewerFormat, {}};
    }
    if (childInteger(versions, QStringLiteral("CheckEngineMaxVersion"), 1) < CheckEngineVersion) {
        return {TVersionVerdict::OlderFormat, {}};
    }
    const auto newest = newestOf(versions);
    if (!newest) {
        return {TVersionVerdict::NoMatch, {}};
    }
    if (CompareVersions(RunningVersion, newest->Number) >= 0) {
        return {TVersionVerdict::UpToDate, *newest};
    }
    if (!isWebAddress(newest->ProformURL)) {
        return {TVersionVerdict::BadFormat, *newest};
    }
    return {TVersionVerdict::NewerAvailable, *newest};
}

QString NewerVersionMessage(const TPublishedVersion& Newest, const QString& RunningVersion,
                            const QString& RunningLinkTimeText) {
    const QString suffix = Newest.NumberSuffix.isEmpty() ? QString() : u' ' + Newest.NumberSuffix;
    QString message = webtext::NewerAvailable;
    message.replace(QStringLiteral("%RunningVersion%"),
                    RunningVersion + QStringLiteral(" (") + RunningLinkTimeText + u')');
    message.replace(QStringLiteral("%NewestVersion%"),
                    Newest.Number + suffix + QStringLiteral(" (") + Newest.TimeStampString + u')');
    return message;
}
