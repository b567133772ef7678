#include "views/u_CardLinks.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace {

TCardLink refused(const QString& text) {
    return {QUrl(), text};
}

bool hasControlCharacter(const QString& text) {
    for (const QChar c : text) {
        if (c.category() == QChar::Other_Control) {
            return true;
        }
    }
    return false;
}

// The scheme the text starts with, in lower case; empty when it has none. A
// host with a port ("example.cz:8080/a") is no scheme.
QString schemeOf(const QString& text) {
    static const QRegularExpression scheme(
        QStringLiteral("^([A-Za-z][A-Za-z0-9+.-]*):(?!\\d+(?:[/?#]|$))"));
    const QRegularExpressionMatch match = scheme.match(text);
    return match.hasMatch() ? match.captured(1).toLower() : QString();
}

bool isWebScheme(const QString& scheme) {
    return scheme == QLatin1String("http") || scheme == QLatin1String("https");
}

}  // namespace

TCardLink WebLinkFor(const QString& fieldText) {
    const QString text = fieldText.trimmed();
    if (text.isEmpty()) {
        return {};
    }
    const QString refusal =
        QCoreApplication::translate("CardLinks",
                                    "\"%1\" is not a web address, so it is not opened. Only "
                                    "addresses of web pages (http:// or https:// and a host name) "
                                    "are opened.")
            .arg(text);
    if (hasControlCharacter(text)) {
        return refused(refusal);
    }
    const QString scheme = schemeOf(text);
    if (!scheme.isEmpty() && !isWebScheme(scheme)) {
        return refused(refusal);
    }
    // Tolerant, so that blanks and letters of a path are encoded, not refused.
    const QUrl url(scheme.isEmpty() ? QStringLiteral("http://") + text : text, QUrl::TolerantMode);
    if (!url.isValid() || !isWebScheme(url.scheme()) || url.host().isEmpty()) {
        return refused(refusal);
    }
    return {url, QString()};
}

TCardLink MailLinkFor(const QString& fieldText) {
    const QString text = fieldText.trimmed();
    if (text.isEmpty()) {
        return {};
    }
    // What follows the address is not the address: a "?" starts the header
    // fields of a mailto: link (attach=, body=, cc=), which the user did not
    // type as an address.
    qsizetype end = 0;
    while (end < text.size() && text[end] != u'?' && text[end].category() != QChar::Other_Control) {
        ++end;
    }
    const QString address = text.left(end).trimmed();
    QUrl url;
    url.setScheme(QStringLiteral("mailto"));
    url.setPath(address, QUrl::DecodedMode);
    if (address.isEmpty() || !url.isValid()) {
        return refused(QCoreApplication::translate(
                           "CardLinks", "\"%1\" is not an e-mail address, so no mail is written.")
                           .arg(text));
    }
    return {url, QString()};
}
