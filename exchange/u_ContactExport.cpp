#include "exchange/u_ContactExport.h"

#include "exchange/u_CsvExporter.h"
#include "exchange/u_VCardExchange.h"
#include "exchange/u_frmExportToVCard.h"
#include "session/u_ContactSchema.h"
#include "session/u_ContactsSession.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace cs = ContactSchema;

namespace ContactExport {

namespace {

// A contact's name as a file name: no folder separators or characters
// other systems refuse, no blanks or dots at the ends.
QString fileNamePart(QString name) {
    static const QString refused = QStringLiteral("/\\:*?\"<>|");
    for (QChar& c : name) {
        if (refused.contains(c) || c.category() == QChar::Other_Control) {
            c = u'_';
        }
    }
    name = name.simplified();
    while (name.startsWith(u'.') || name.endsWith(u'.')) {
        name = (name.startsWith(u'.') ? name.mid(1) : name.chopped(1)).trimmed();
    }
    return name;
}

}  // namespace

QString Suffix(TFormat format) {
    return format == TFormat::VCard ? QStringLiteral("vcf") : QStringLiteral("csv");
}

QString ContactFileName(const TContactsSession& session, int record, TFormat format) {
    QString name = fileNamePart(QStringList{session.FieldText(record, cs::FirstName),
                                            session.FieldText(record, cs::SurName)}
                                    .join(u' '));
    if (name.isEmpty()) {
        name = fileNamePart(session.FieldText(record, cs::Work_Company));
    }
    if (name.isEmpty()) {
        name = QCoreApplication::translate("ContactExport", "Contact");
    }
    const QString database = session.DatabaseName();
    const QString folder =
        database.isEmpty() ? QDir::currentPath() : QFileInfo(database).absolutePath();
    return QDir(folder).filePath(name + u'.' + Suffix(format));
}

QString ContactsFileName(const TContactsSession& session, TFormat format) {
    return format == TFormat::VCard ? TfrmExportToVCard::DefaultFileName(session.DatabaseName())
                                    : TCsvExporter::DefaultFileName(session.DatabaseName());
}

int Write(const TContactsSession& session, const QList<int>& records, TFormat format,
          const QString& fileName, TExchangeProgress::TReport report) {
    const TColumnCatalogue& columns = session.Columns();
    if (format == TFormat::VCard) {
        TVCardExchange exchange(session.Quib1(), columns.lstDBColsIndexFromProgram,
                                session.IdentityColumn());
        exchange.SetProgress(std::move(report));
        // No records would mean every record to the exchange.
        return records.isEmpty() ? 0
                                 : exchange.ExportToFile(fileName, TVCardVersion::V4_0, records);
    }
    TCsvExporter exporter(session.Quib1(), columns.lstDBColsName,
                          columns.lstDBColsIndexFromProgram);
    exporter.SetEncoding(session.Quib1().IsUnicode() ? TCsvExporter::TEncoding::Utf8
                                                     : TCsvExporter::TEncoding::Windows1250);
    exporter.SetRows(records);
    exporter.SetProgress(std::move(report));
    exporter.ExportToFile(fileName, QList<bool>(columns.lstDBColsName.size(), true));
    return static_cast<int>(records.size());
}

}  // namespace ContactExport
