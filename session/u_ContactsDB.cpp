#include "session/u_ContactsDB.h"

#include "session/QUIBLib_TLB.h"
#include "session/u_ContactSchema.h"
#include "session/u_RecordIdentity.h"
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

QString MinDatabaseVersionFor(quib::TextEncoding encoding) {
    return encoding == quib::TextEncoding::Utf8 ? product::MinUnicodeDatabaseVersion
                                                : product::MinDatabaseVersion;
}

void WriteContactsDatabase(const QString& path, const QString& programVersion,
                           const QList<QStringList>& records, quib::TextEncoding encoding) {
    const QStringList names = ContactSchema::ColumnNames();
    TQuib quib;
    quib.SetDatabaseName(path);
    quib.SetEncoding(encoding);
    quib.Create();
    WriteContactsHeaders(quib, MinDatabaseVersionFor(encoding), programVersion, names);
    for (const QStringList& fields : records) {
        const int row = quib.RowsCount();
        quib.NewRow(row);
        for (int col = 0; col < fields.size() && col < names.size(); ++col) {
            quib.SetData(row, col, fields[col]);
        }
    }
    quib.Save();
}

QString HeaderValue(const TQuibReader& quib, const QString& headerName) {
    return quib.GetHeaderText(quib.GetHeaderIndexFromName(headerName), 0);
}

QStringList DatabaseColumns(const TQuibReader& quib) {
    const int header = quib.GetHeaderIndexFromName(QStringLiteral("DBColsName"));
    QStringList columns;
    const int count = header < 0 ? 0 : quib.HeaderTextsCount(header);
    for (int k = 0; k < count; ++k) {
        columns << quib.GetHeaderText(header, k);
    }
    return columns;
}

QString IdentificationError(const TQuibReader& quib, const QString& programVersion) {
    if (HeaderValue(quib, QStringLiteral("ProgramName")) != product::Name) {
        return LoadResString(res::NotDatabaseForProgram);
    }
    const QString minVersion = HeaderValue(quib, QStringLiteral("ProgramMinVersion"));
    if (quib.CompareVersion(minVersion, programVersion) > 0) {
        return ReplaceFirst(LoadResString(res::RequiresNewerProgram),
                            QStringLiteral("%%REQUIRED_VERSION%%"), minVersion);
    }
    return QString();
}

namespace {

QString columnLines(const TColumnMatch& match, const QStringList& columnNames,
                    const QStringList& columnTitlesFull, QString& missing) {
    QString unsupported;
    for (const QString& name : match.unsupported) {
        unsupported += name + kMessageLineBreak;
    }
    for (const int i : match.missing) {
        missing += columnTitlesFull.value(i) + QStringLiteral(" [") + columnNames.value(i) +
                   QStringLiteral("]") + kMessageLineBreak;
    }
    return unsupported;
}

QString columnWarning(const TQuibReader& quib, const QString& programVersion,
                      const QString& unsupported, const QString& missing) {
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

CompatibilityCheck CheckContactsDatabase(const TQuibReader& quib, const QString& programVersion,
                                         const QStringList& columnNames,
                                         const QStringList& columnTitlesFull) {
    CompatibilityCheck check;
    check.error = IdentificationError(quib, programVersion);
    if (!check.error.isEmpty()) {
        check.accepted = false;
        return check;
    }
    TColumnMatch match = MatchColumns(DatabaseColumns(quib), columnNames);
    // The identities are the program's own column, though no field.
    match.unsupported.removeAll(QLatin1String(kIdentityColumn));
    check.indexFromProgram = match.fromProgram;
    check.indexFromDB = match.fromDB;
    QString missing;
    const QString unsupported = columnLines(match, columnNames, columnTitlesFull, missing);
    check.warning = columnWarning(quib, programVersion, unsupported, missing);
    return check;
}
