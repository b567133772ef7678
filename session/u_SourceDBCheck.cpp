#include "session/u_SourceDBCheck.h"

#include "session/QUIBLib_TLB.h"
#include "session/u_ContactsDB.h"
#include "support/u_ProductInfo.h"

TSourceDBCheck CheckSourceDatabase(const TQuibReader& quib, const QString& programVersion) {
    TSourceDBCheck check;
    check.error = IdentificationError(quib, programVersion);
    const QString name = HeaderValue(quib, QStringLiteral("ProgramName"));
    if (name != product::Name) {
        return check;
    }
    // The product name shows even when the version is refused.
    check.versionText = name;
    if (!check.error.isEmpty()) {
        return check;
    }
    check.accepted = true;
    check.versionText =
        name + QLatin1Char(' ') + HeaderValue(quib, QStringLiteral("ProgramMinVersion"));
    return check;
}
