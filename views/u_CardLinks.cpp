#include "views/u_CardLinks.h"

QString WebAddressFor(const QString& fieldText) {
    const QString address = fieldText.trimmed();
    if (address.isEmpty())
        return {};
    if (address.contains(QLatin1String("http://")) || address.contains(QLatin1String("https://")))
        return address;
    return QLatin1String("http://") + address;
}

QString MailAddressFor(const QString& fieldText) {
    const QString address = fieldText.trimmed();
    if (address.isEmpty())
        return {};
    return QLatin1String("mailto:") + address;
}

QUrl DesktopUrlFor(const QString& address) {
    return QUrl(address, QUrl::TolerantMode);
}
