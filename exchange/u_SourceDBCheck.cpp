#include "exchange/u_SourceDBCheck.h"

#include "app/QUIBLib_TLB.h"
#include "app/u_ContactsDB.h"
#include "support/u_ProductInfo.h"
#include "support/u_ResourceStrings.h"

TSourceDBCheck CheckSourceDatabase(const TQuib& quib, const QString& programVersion) {
    TSourceDBCheck check;
    const QString name = HeaderValue(quib, QStringLiteral("ProgramName"));
    if (name != product::Name) {
        check.error = LoadResString(res::NotDatabaseForProgram);
        return check;
    }
    // The product name shows even when the version is refused.
    check.versionText = name;
    const QString minVersion = HeaderValue(quib, QStringLiteral("ProgramMinVersion"));
    if (quib.CompareVersion(minVersion, programVersion) > 0) {
        check.error = ReplaceFirst(LoadResString(res::RequiresNewerProgram),
                                   QStringLiteral("%%REQUIRED_VERSION%%"), minVersion);
        return check;
    }
    check.accepted = true;
    check.versionText = name + QLatin1Char(' ') + minVersion;
    return check;
}
