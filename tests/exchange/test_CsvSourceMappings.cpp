// The mapping of CSV files by their header line: the ready mappings against
// the header lines of the programs they are for, the program's own names and
// titles in both languages, and files shaped like other programs' exports
// imported into the right columns without a hand on the mapping.
#include "ExchangeFixtures.h"
#include "ShapedExports.h"

#include "exchange/u_CsvExporter.h"
#include "exchange/u_CsvImporter.h"
#include "exchange/u_CsvSourceMappings.h"
#include "session/u_ContactSchema.h"

#include <QCoreApplication>
#include <QTest>
#include <QTranslator>

using namespace fixtures;
using namespace ContactSchema;
using CsvSourceMappings::MatchHeadings;

namespace {

// The fields as the names of their columns, "-" for none, to read failures.
QStringList fieldNames(const QList<int>& fields) {
    QStringList names;
    for (const int field : fields) {
        names << (field < 0 ? QStringLiteral("-") : ColumnNames().value(field));
    }
    return names;
}

QStringList identityNames() {
    return ColumnNames();
}

QStringList czechTitles(bool full) {
    QTranslator czech;
    if (!czech.load(QStringLiteral(PELLUM_CZECH_MODULE))) {
        qFatal("the Czech language module cannot be loaded");
    }
    QCoreApplication::installTranslator(&czech);
    const QStringList titles = full ? ColumnTitlesFull() : ColumnTitles();
    QCoreApplication::removeTranslator(&czech);
    return titles;
}

}  // namespace

class TestCsvSourceMappings : public QObject {
    Q_OBJECT

  private:
    TImportScratch scratch_;

  private slots:
    void initTestCase() { QVERIFY(scratch_.isValid()); }

    void headerLines_data() {
        QTest::addColumn<QStringList>("headings");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QStringList>("unmatched");
        QTest::addColumn<QString>("source");
        const QString program = QStringLiteral("Orvane Contacts");
        QTest::newRow("column names")
            << ColumnNames() << identityNames() << QStringList{} << program;
        QTest::newRow("full titles")
            << ColumnTitlesFullEnglish() << identityNames() << QStringList{} << program;
        // A short title two fields share fills the home one, then the work one.
        QTest::newRow("short titles")
            << ColumnTitlesEnglish() << identityNames() << QStringList{} << program;
        QTest::newRow("letter case and spaces")
            << QStringList{" first  NAME ", "LASTNAME", "e-mail1-value", "home_tel"}
            << QStringList{"FirstName", "SurName", "Home_Email", "Home_Tel"} << QStringList{}
            << QStringLiteral("Google Contacts");
        QTest::newRow("a single-line field is filled once")
            << QStringList{"SurName", "Surname", "FirstName"}
            << QStringList{"SurName", "-", "FirstName"} << QStringList{"Surname"} << program;
        QTest::newRow("e-mails fill home, then work, then nothing")
            << QStringList{"E-mail 1 - Value", "E-mail 2 - Value", "E-mail 3 - Value"}
            << QStringList{"Home_Email", "Work_Email", "-"} << QStringList{"E-mail 3 - Value"}
            << QStringLiteral("Google Contacts");
        QTest::newRow("phones join one multi-line field")
            << QStringList{"Phone 1 - Type", "Phone 1 - Value", "Phone 2 - Type", "Phone 2 - Value",
                           "Phone 3 - Value"}
            << QStringList{"-", "Home_Tel", "-", "Home_Tel", "Home_Tel"}
            << QStringList{"Phone 1 - Type", "Phone 2 - Type"} << QStringLiteral("Google Contacts");
        QTest::newRow("nothing matches")
            << QStringList{"Jméno a příjmení", "", "Telefonní číslo"} << QStringList{"-", "-", "-"}
            << QStringList{"Jméno a příjmení", "Telefonní číslo"} << QString();
        QTest::newRow("Thunderbird")
            << QStringList{"First Name",      "Last Name",    "Display Name",   "Primary Email",
                           "Secondary Email", "Work Phone",   "Home Phone",     "Mobile Number",
                           "Fax Number",      "Home Address", "Home Address 2", "Home ZipCode",
                           "Web Page 1",      "Web Page 2",   "Organization",   "Birth Year"}
            << QStringList{"FirstName",
                           "SurName",
                           "-",
                           "Home_Email",
                           "Work_Email",
                           "Work_Tel",
                           "Home_Tel",
                           "Home_Tel",
                           "Home_Fax",
                           "Home_Address",
                           "Home_Address",
                           "Home_PSC",
                           "Work_WWW",
                           "Home_WWW",
                           "Work_Company",
                           "-"}
            << QStringList{"Display Name", "Birth Year"}
            << QStringLiteral("Thunderbird address book");
        QTest::newRow("Outlook")
            << QStringList{"Title",          "First Name",       "Last Name",
                           "Company",        "Business Street",  "Business City",
                           "Home Street",    "Home Postal Code", "Home Country/Region",
                           "Business Phone", "Business Fax",     "Mobile Phone",
                           "E-mail Address", "E-mail 2 Address", "Personal Web Page",
                           "Web Page"}
            << QStringList{"-",
                           "FirstName",
                           "SurName",
                           "Work_Company",
                           "Work_Address",
                           "Work_Town",
                           "Home_Address",
                           "Home_PSC",
                           "Home_Country",
                           "Work_Tel",
                           "Work_Fax",
                           "Home_Tel",
                           "Home_Email",
                           "Work_Email",
                           "Home_WWW",
                           "Work_WWW"}
            << QStringList{"Title"} << QStringLiteral("Microsoft Outlook");
        QTest::newRow("Google since 2024")
            << QStringList{"First Name",        "Middle Name",        "Last Name",
                           "Organization Name", "Organization Title", "Address 1 - Street",
                           "Address 2 - City",  "Website 1 - Value"}
            << QStringList{"FirstName",    "-",         "SurName", "Work_Company", "Work_Position",
                           "Home_Address", "Work_Town", "Home_WWW"}
            << QStringList{"Middle Name"} << QStringLiteral("Google Contacts");
    }
    void headerLines() {
        QFETCH(QStringList, headings);
        QFETCH(QStringList, fields);
        QFETCH(QStringList, unmatched);
        QFETCH(QString, source);
        const CsvSourceMappings::TMatch match = MatchHeadings(headings);
        QCOMPARE(fieldNames(match.fields), fields);
        QCOMPARE(match.unmatched, unmatched);
        QCOMPARE(match.source, source);
        QCOMPARE(match.matched, fields.size() - fields.count(QStringLiteral("-")));
    }

    // The Czech titles are known in any language, and they are the Czech
    // module's: a file written by the program in Czech maps back.
    void czechTitlesOfTheLanguageModule() {
        QCOMPARE(fieldNames(MatchHeadings(czechTitles(true)).fields), identityNames());
        QCOMPARE(fieldNames(MatchHeadings(czechTitles(false)).fields), identityNames());
    }

    // A file the program writes with a header of titles, in English or in
    // Czech, comes back into the same columns by its header alone.
    void exportWithTitlesMapsBack() {
        const QList<QStringList> contacts = SampleContacts() + GeneratedContacts(50);
        auto source = scratch_.database(contacts);
        for (const QStringList& header : {ColumnTitlesFullEnglish(), czechTitles(true)}) {
            const QString file = scratch_.path(QStringLiteral("titles-%1.csv").arg(header[0]));
            TCsvExporter exporter(source->Quib1(), ProgramColumns(), IdentityColumnMap());
            exporter.SetHeaderTexts(header);
            exporter.ExportToFile(file, QList<bool>(ColumnCount, true));
            const CsvSourceMappings::TMatch match =
                MatchHeadings(TCsvImporter::ReadFirstRecord(file).fields);
            QCOMPARE(fieldNames(match.fields), identityNames());
            QStringList hidden;
            for (const int field : match.fields) {
                hidden << QString::number(field);
            }
            auto dest = scratch_.database();
            ImportCsv(*dest, file, true, TCsvImporter::MappingFields(hidden));
            QCOMPARE(ReadRows(*dest), contacts);
        }
    }

    // Titles of another language module count while it is loaded.
    void titlesOfTheCurrentLanguage() {
        class Other : public QTranslator {
          public:
            QString translate(const char* context, const char* source, const char*,
                              int) const override {
                return QByteArray(context) == "ContactSchema" && QByteArray(source) == "Notes"
                           ? QStringLiteral("Anmerkungen")
                           : QString();
            }
            bool isEmpty() const override { return false; }
        } other;
        QCoreApplication::installTranslator(&other);
        const QList<int> fields = MatchHeadings({QStringLiteral("Anmerkungen")}).fields;
        QCoreApplication::removeTranslator(&other);
        QCOMPARE(fields, QList<int>{Notes});
    }

    void everyReadyMappingNamesRealFields() {
        for (const CsvSourceMappings::TSource& source : CsvSourceMappings::OtherSources()) {
            QVERIFY(!source.headings.empty());
            for (const CsvSourceMappings::THeading& heading : source.headings) {
                QVERIFY2(heading.field >= 0 && heading.field < ColumnCount,
                         qPrintable(heading.text));
                QVERIFY(heading.alternative >= -1 && heading.alternative < ColumnCount);
            }
        }
    }

    // Each shaped export lands in the right columns with the mapping the
    // header line gives, read and stored as the dialog does it.
    void shapedExportsImportIntoTheirColumns() {
        for (const TShapedExport& shaped : ShapedExports()) {
            const QString file = scratch_.inputFile(shaped.bytes, QStringLiteral("csv"));
            const CsvSourceMappings::TMatch match =
                MatchHeadings(TCsvImporter::ReadFirstRecord(file).fields);
            QCOMPARE(match.source, shaped.source);
            QStringList hidden;
            for (const int field : match.fields) {
                hidden << QString::number(field);
            }
            auto db = scratch_.database();
            ImportCsv(*db, file, true, TCsvImporter::MappingFields(hidden));
            QCOMPARE(ReadRows(*db), shaped.contacts);
        }
    }
};

QTEST_MAIN(TestCsvSourceMappings)
#include "test_CsvSourceMappings.moc"
