#include "sync/u_MultiStatus.h"

#include "sync/u_SyncError.h"

#include <QCoreApplication>
#include <QXmlStreamReader>

namespace {

constexpr int kMaxDepth = 64;
constexpr qsizetype kMaxResponses = 1'000'000;

QString keyOf(const QXmlStreamReader& xml) {
    return xml.namespaceUri().toString() + xml.name().toString();
}

class TParser {
  public:
    explicit TParser(QByteArrayView bytes) : xml_(bytes.toByteArray()) {}

    TMultiStatus Run();

  private:
    [[noreturn]] void fail(const QString& reason) const;
    // The next start or end element. Text between elements fails unless
    // allowText (inside an element that is skipped). Fails on a DTD, on a
    // read error and at the end.
    QXmlStreamReader::TokenType next(bool allowText = false);
    bool isDav(QStringView name) const {
        return xml_.namespaceUri() == kDavNs && xml_.name() == name;
    }
    void skipElement();
    QString readText();
    void readResponse(TMultiStatus& result);
    void readPropstat(TDavResponse& response);
    void readProp(QHash<QString, TDavProperty>& properties);
    TDavProperty readProperty();
    int readStatus();

    QXmlStreamReader xml_;
    int depth_ = 0;
};

void TParser::fail(const QString& reason) const {
    throw ESyncError(
        QCoreApplication::translate(
            "MultiStatus", "The server's answer is not a valid WebDAV multistatus (line %1): %2")
            .arg(xml_.lineNumber())
            .arg(reason));
}

QXmlStreamReader::TokenType TParser::next(bool allowText) {
    while (true) {
        const QXmlStreamReader::TokenType token = xml_.readNext();
        switch (token) {
            case QXmlStreamReader::StartElement:
                if (++depth_ > kMaxDepth) {
                    fail(QCoreApplication::translate("MultiStatus", "elements nest too deeply."));
                }
                return token;
            case QXmlStreamReader::EndElement:
                --depth_;
                return token;
            case QXmlStreamReader::DTD:
                fail(QCoreApplication::translate("MultiStatus",
                                                 "a document type declaration is not accepted."));
            case QXmlStreamReader::EntityReference:
                fail(QCoreApplication::translate("MultiStatus", "an undeclared entity is used."));
            case QXmlStreamReader::Invalid:
                fail(xml_.errorString());
            case QXmlStreamReader::EndDocument:
                fail(QCoreApplication::translate("MultiStatus", "the document ends too early."));
            case QXmlStreamReader::Characters:
                if (!allowText && !xml_.isWhitespace()) {
                    fail(QCoreApplication::translate("MultiStatus",
                                                     "text stands where elements were expected."));
                }
                break;
            default:
                break;  // declarations, comments, processing instructions
        }
    }
}

void TParser::skipElement() {
    const int depth = depth_;
    while (depth_ >= depth) {
        next(true);
    }
}

QString TParser::readText() {
    QString text;
    const int depth = depth_;
    while (true) {
        const QXmlStreamReader::TokenType token = xml_.readNext();
        if (token == QXmlStreamReader::Characters) {
            text += xml_.text();
            continue;
        }
        if (token == QXmlStreamReader::EndElement && depth_ == depth) {
            --depth_;
            return text;
        }
        if (token == QXmlStreamReader::StartElement) {
            fail(QCoreApplication::translate("MultiStatus",
                                             "the element <%1> stands where text was expected.")
                     .arg(xml_.name()));
        }
        if (token == QXmlStreamReader::Invalid || token == QXmlStreamReader::DTD ||
            token == QXmlStreamReader::EntityReference || token == QXmlStreamReader::EndDocument) {
            fail(xml_.hasError()
                     ? xml_.errorString()
                     : QCoreApplication::translate("MultiStatus", "the text is not well-formed."));
        }
    }
}

int TParser::readStatus() {
    const QString line = readText();
    const int code = StatusLineCode(line);
    if (code == 0) {
        fail(QCoreApplication::translate("MultiStatus", "\"%1\" is not an HTTP status line.")
                 .arg(line.left(80)));
    }
    return code;
}

TDavProperty TParser::readProperty() {
    TDavProperty property;
    const int depth = depth_;
    while (true) {
        const QXmlStreamReader::TokenType token = xml_.readNext();
        switch (token) {
            case QXmlStreamReader::Characters:
                if (depth_ == depth) {
                    property.text += xml_.text();
                }
                break;
            case QXmlStreamReader::StartElement:
                if (++depth_ > kMaxDepth) {
                    fail(QCoreApplication::translate("MultiStatus", "elements nest too deeply."));
                }
                if (depth_ == depth + 1) {
                    property.children << keyOf(xml_);
                    if (isDav(u"href")) {
                        property.hrefs << readText().trimmed();
                    }
                }
                break;
            case QXmlStreamReader::EndElement:
                if (depth_-- == depth) {
                    return property;
                }
                break;
            case QXmlStreamReader::DTD:
            case QXmlStreamReader::EntityReference:
            case QXmlStreamReader::Invalid:
            case QXmlStreamReader::EndDocument:
                fail(xml_.hasError() ? xml_.errorString()
                                     : QCoreApplication::translate(
                                           "MultiStatus", "a property is not well-formed."));
            default:
                break;
        }
    }
}

void TParser::readProp(QHash<QString, TDavProperty>& properties) {
    while (next() == QXmlStreamReader::StartElement) {
        const QString key = keyOf(xml_);
        properties.insert(key, readProperty());
    }
}

void TParser::readPropstat(TDavResponse& response) {
    QHash<QString, TDavProperty> properties;
    int status = 0;
    while (next() == QXmlStreamReader::StartElement) {
        if (isDav(u"prop")) {
            readProp(properties);
        } else if (isDav(u"status")) {
            status = readStatus();
        } else {
            skipElement();
        }
    }
    if (status == 0) {
        fail(QCoreApplication::translate("MultiStatus", "a propstat has no status."));
    }
    if (status >= 200 && status < 300) {
        response.properties.insert(properties);
    }
}

void TParser::readResponse(TMultiStatus& result) {
    QStringList hrefs;
    TDavResponse response;
    bool propstat = false;
    while (next() == QXmlStreamReader::StartElement) {
        if (isDav(u"href")) {
            hrefs << readText().trimmed();
        } else if (isDav(u"status")) {
            response.status = readStatus();
        } else if (isDav(u"propstat")) {
            readPropstat(response);
            propstat = true;
        } else {
            skipElement();
        }
    }
    if (hrefs.isEmpty() || hrefs.first().isEmpty()) {
        fail(QCoreApplication::translate("MultiStatus", "a response has no href."));
    }
    if (response.status == 0 && !propstat) {
        fail(QCoreApplication::translate(
                 "MultiStatus", "the response for \"%1\" has neither a status nor properties.")
                 .arg(hrefs.first()));
    }
    for (const QString& href : hrefs) {
        if (result.responses.size() >= kMaxResponses) {
            fail(QCoreApplication::translate("MultiStatus",
                                             "the answer holds more than %1 responses.")
                     .arg(kMaxResponses));
        }
        response.href = href;
        result.responses << response;
    }
}

TMultiStatus TParser::Run() {
    TMultiStatus result;
    if (next() != QXmlStreamReader::StartElement || !isDav(u"multistatus")) {
        fail(QCoreApplication::translate("MultiStatus", "the document is no DAV:multistatus."));
    }
    while (next() == QXmlStreamReader::StartElement) {
        if (isDav(u"response")) {
            readResponse(result);
        } else if (isDav(u"sync-token")) {
            result.syncToken = readText().trimmed();
        } else {
            skipElement();
        }
    }
    // After the root only comments and white space may follow.
    while (!xml_.atEnd()) {
        const QXmlStreamReader::TokenType token = xml_.readNext();
        if (token == QXmlStreamReader::Invalid || token == QXmlStreamReader::StartElement ||
            (token == QXmlStreamReader::Characters && !xml_.isWhitespace())) {
            fail(xml_.hasError()
                     ? xml_.errorString()
                     : QCoreApplication::translate("MultiStatus", "content follows the document."));
        }
    }
    return result;
}

}  // namespace

TMultiStatus ParseMultiStatus(QByteArrayView xml) {
    return TParser(xml).Run();
}

int StatusLineCode(QStringView line) {
    const QList<QStringView> parts = line.trimmed().split(u' ', Qt::SkipEmptyParts);
    if (parts.size() < 2 || !parts[0].startsWith(QLatin1String("HTTP/"))) {
        return 0;
    }
    bool ok = false;
    const int code = parts[1].toInt(&ok);
    return ok && code >= 100 && code <= 599 && parts[1].size() == 3 ? code : 0;
}
