#include "app/u_ContactsDB.h"

#include "app/QUIBLib_TLB.h"
#include "support/u_ProductInfo.h"
#include "support/u_ResourceStrings.h"

void WriteContactsHeaders(TQuib& quib, const QString& minVersion, const QString& aktVersion,
                          const QStringList& columnNames) {
    const std::pair<QString, QString> identification[] = {
        {QStringLiteral("ProgramEmail"), product::SupportEmail},
        {QStringLiteral("ProgramWWW"), product::WebAddress},
        {QStringLiteral("ProgramCopyright"), product::Copyright},
        {QStringLiteral("ProgramMinVersion"), minVersion},
        {QStringLiteral("ProgramAktVersion"), aktVersion},
        {QStringLiteral("ProgramName"), product::Name},
    };
    quib.NewHeader(0);
    quib.NewHeaderText(0, 0);
    for (const auto& [name, value] : identification) {
        quib.SetHeaderName(0, name);
        quib.SetHeaderText(0, 0, value);
        quib.NewHeader(0);
        if (name != QLatin1String("ProgramName")) {
            quib.NewHeaderText(0, 0);
        }
    }
    quib.SetHeaderName(0, QStringLiteral("DBColsName"));
    for (int k = 0; k < columnNames.size(); ++k) {
        quib.NewCol(k);
        quib.NewHeaderText(0, k);
        quib.SetHeaderText(0, k, columnNames[k]);
    }
}

QString HeaderValue(const TQuib& quib, const QString& headerName) {
    return quib.GetHeaderText(quib.GetHeaderIndexFromName(headerName), 0);
}

namespace {

// Matches the database's column names against the program's and reports
// the columns on either side that have no partner.
void synchroniseColumns(const TQuib& quib, const QStringList& columnNames,
                        const QStringList& columnTitlesFull, CompatibilityCheck& check,
                        QString& unsupported, QString& missing) {
    check.indexFromProgram = QStringList(columnNames.size(), QStringLiteral("-1"));
    check.indexFromDB.clear();
    const int header = quib.GetHeaderIndexFromName(QStringLiteral("DBColsName"));
    const int count = quib.HeaderTextsCount(header);
    for (int k = 0; k < count; ++k) {
        const QString name = quib.GetHeaderText(header, k);
        const int i = columnNames.indexOf(name);
        if (i >= 0) {
            check.indexFromDB << QString::number(i);
            check.indexFromProgram[i] = QString::number(k);
        } else {
            check.indexFromDB << QStringLiteral("-1");
            unsupported += name + kMessageLineBreak;
        }
    }
    for (int i = 0; i < columnNames.size(); ++i) {
        if (check.indexFromProgram[i] == QLatin1String("-1")) {
            missing += columnTitlesFull.value(i) + QStringLiteral(" [") + columnNames[i] +
                       QStringLiteral("]") + kMessageLineBreak;
        }
    }
}

QString columnWarning(const TQuib& quib, const QString& programVersion, const QString& unsupported,
                      const QString& missing) {
    QString w;
    if (!unsupported.isEmpty()) {
        w += LoadResString(res::UnsupportedColumns) + kMessageLineBreak + unsupported +
             kMessageLineBreak;
    }
    if (!missing.isEmpty()) {
        w += LoadResString(res::MissingColumns) + kMessageLineBreak + missing + kMessageLineBreak;
    }
    if (w.isEmpty()) {
        return w;
    }
    w = LoadResString(res::ColumnSyncWarning) + LoadResString(res::ColumnSyncDetails) + w;
    w = ReplaceFirst(w, QStringLiteral("%%DB_FILENAME%%"), quib.DatabaseName());
    w = ReplaceFirst(w, QStringLiteral("%%DB_PROGRAMAKTVERSION%%"),
                     HeaderValue(quib, QStringLiteral("ProgramAktVersion")));
    return ReplaceFirst(w, QStringLiteral("%%PROGRAM_PROGRAMAKTVERSION%%"), programVersion);
}

}  // namespace

CompatibilityCheck CheckContactsDatabase(const TQuib& quib, const QString& programVersion,
                                         const QStringList& columnNames,
                                         const QStringList& columnTitlesFull) {
    CompatibilityCheck check;
    if (HeaderValue(quib, QStringLiteral("ProgramName")) != product::Name) {
        check.accepted = false;
        check.error = LoadResString(res::NotDatabaseForProgram);
        return check;
    }
    const QString minVersion = HeaderValue(quib, QStringLiteral("ProgramMinVersion"));
    if (quib.CompareVersion(minVersion, programVersion) > 0) {
        check.accepted = false;
        check.error = ReplaceFirst(LoadResString(res::RequiresNewerProgram),
                                   QStringLiteral("%%REQUIRED_VERSION%%"), minVersion);
        return check;
    }
    QString unsupported;
    QString missing;
    synchroniseColumns(quib, columnNames, columnTitlesFull, check, unsupported, missing);
    check.warning = columnWarning(quib, programVersion, unsupported, missing);
    return check;
}
