#include "PrintFixture.h"

#include "session/u_ContactSchema.h"
#include "session/u_ContactsDB.h"

#include <QDir>
#include <QProcess>

#include <algorithm>
#include <stdexcept>

PrintDatabase::PrintDatabase(const QList<QStringList>& rows, const QString& folder)
    : names(ContactSchema::ColumnNames()),
      titlesFull(ContactSchema::ColumnTitlesFull()),
      names_2_5_2(ContactSchema::ColumnNames_2_5_2()) {
    QDir(dir.path()).mkpath(folder);
    path = dir.filePath(folder + QStringLiteral("/contacts.tbr"));
    QStringList stored = names;
    std::reverse(stored.begin(), stored.end());
    {
        TQuib writer;
        writer.SetDatabaseName(path);
        writer.Create();
        WriteContactsHeaders(writer, QStringLiteral("2.5.1"), QStringLiteral("2.7.0.0"), stored);
        for (int r = 0; r < rows.size(); ++r) {
            writer.NewRow(r);
            for (int k = 0; k < stored.size(); ++k) {
                const int field = static_cast<int>(names.indexOf(stored[k]));
                if (field < rows[r].size()) {
                    writer.SetData(r, k, rows[r][field]);
                }
            }
        }
        if (!writer.Save()) {
            throw std::runtime_error("test database could not be saved");
        }
    }
    quib = std::make_unique<TQuib>();
    TQuib* q = quib.get();
    quib->OnCheckCompatibility = [this, q](int16_t& Cancel) {
        const CompatibilityCheck check =
            CheckContactsDatabase(*q, QStringLiteral("2.7.0.0"), names, titlesFull);
        Cancel = check.accepted ? 0 : 1;
        indexFromProgram = check.indexFromProgram;
    };
    quib->SetDatabaseName(path);
    if (!quib->Open()) {
        throw std::runtime_error("test database could not be opened");
    }
    quib->OnCheckCompatibility = nullptr;
}

QStringList Contact(const QString& surname, const QString& firstName, const QString& town) {
    QStringList record(ContactSchema::ColumnCount);
    record[ContactSchema::SurName] = surname;
    record[ContactSchema::FirstName] = firstName;
    record[ContactSchema::Home_Town] = town;
    return record;
}

QList<QStringList> CzechContacts() {
    return {
        Contact(QStringLiteral("Dvořák"), QStringLiteral("Antonín"), QStringLiteral("Nelahozeves")),
        Contact(QStringLiteral("Šťastná"), QStringLiteral("Žofie"), QStringLiteral("Čáslav")),
        Contact(QStringLiteral("Smith"), QStringLiteral("John"), QStringLiteral("Leeds"))};
}

QString PdfText(const QString& pdfPath) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"),
            {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdfPath, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        return QString();
    }
    // Fonts join letters such as "fi" into one glyph; compatibility
    // normalisation splits them again.
    return QString::fromUtf8(p.readAllStandardOutput()).normalized(QString::NormalizationForm_KC);
}
