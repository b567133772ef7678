#include "app/u_WindowTitle.h"

#include "support/u_OrvFileLib.h"
#include "support/u_ProductInfo.h"

QString MainWindowTitle(const QString& databaseName, bool unsavedEdits) {
    if (databaseName.isEmpty())
        return product::Name;
    QString folder;
    QString name;
    SplitFilePath(databaseName, folder, name);
    if (name.isEmpty())
        name = databaseName;
    const QString title = name + QStringLiteral(" \u2014 ") + product::Name;
    return unsavedEdits ? QStringLiteral("* ") + title : title;
}
