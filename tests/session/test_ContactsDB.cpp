#include "session/QUIBLib_TLB.h"
#include "session/u_ContactSchema.h"
#include "session/u_ContactsDB.h"

#include <QTemporaryDir>
#include <QTest>

// The contacts rules on real database files written and read by the engine.
class TestContactsDB : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir dir;
    const QString version = QStringLiteral("2.7.1.0");

    QString path(const QString& name) const { return dir.filePath(name); }

    // Writes a database with the given identification values and columns.
    void writeDatabase(const QString& file, const QString& programName, const QString& minVersion,
                       const QStringList& columns, bool withMinVersion = true) {
        TQuib q;
        q.SetDatabaseName(file);
        q.Create();
        WriteContactsHeaders(q, minVersion, QStringLiteral("2.5.0"), columns);
        const int name = q.GetHeaderIndexFromName(QStringLiteral("ProgramName"));
        q.SetHeaderText(name, 0, programName);
        if (!withMinVersion) {
            q.DeleteHeader(q.GetHeaderIndexFromName(QStringLiteral("ProgramMinVersion")));
        }
        q.NewRow(0);
        q.Save();
    }

    // Opens file and runs the check from inside the engine's compatibility
    // event, as the main window does.
    CompatibilityCheck check(const QString& file) {
        TQuib q;
        CompatibilityCheck result;
        q.OnCheckCompatibility = [&](int16_t& Cancel) {
            result = CheckContactsDatabase(q, version, ContactSchema::ColumnNames(),
                                           ContactSchema::ColumnTitlesFull());
            Cancel = result.accepted ? 0 : 1;
        };
        q.SetDatabaseName(file);
        const bool opened = q.Open();
        if (opened != result.accepted) {
            qFatal("Open and the check disagree");
        }
        return result;
    }

  private slots:
    void newDatabaseHoldsHeadersInReverseOrder() {
        TQuib q;
        q.SetDatabaseName(path("new.tbr"));
        q.Create();
        WriteContactsHeaders(q, QStringLiteral("2.5.1"), version, ContactSchema::ColumnNames());
        q.Save();
        q.Close();
        QVERIFY(q.Open());

        const QStringList expected = {"DBColsName",        "ProgramName",      "ProgramAktVersion",
                                      "ProgramMinVersion", "ProgramCopyright", "ProgramWWW",
                                      "ProgramEmail"};
        QCOMPARE(q.HeadersCount(), expected.size());
        for (int h = 0; h < expected.size(); ++h) {
            QCOMPARE(q.GetHeaderName(h), expected[h]);
            QCOMPARE(q.HeaderTextsCount(h), h == 0 ? 32 : 1);
        }
        QCOMPARE(q.ColsCount(), 32);
        for (int k = 0; k < 32; ++k) {
            QCOMPARE(q.GetHeaderText(0, k), ContactSchema::ColumnNames()[k]);
        }
        QCOMPARE(HeaderValue(q, "ProgramName"), QStringLiteral("Orvane Contacts"));
        QCOMPARE(HeaderValue(q, "ProgramMinVersion"), QStringLiteral("2.5.1"));
        QCOMPARE(HeaderValue(q, "ProgramAktVersion"), version);
    }

    void anotherProductIsRefused() {
        writeDatabase(path("other.tbr"), "Other Contacts", "2.5.1", ContactSchema::ColumnNames());
        const CompatibilityCheck c = check(path("other.tbr"));
        QVERIFY(!c.accepted);
        QCOMPARE(c.error, QStringLiteral("The file isn't database for this program."));
    }

    void databaseForNewerProgramIsRefusedWithItsVersion() {
        writeDatabase(path("newer.tbr"), "Orvane Contacts", "2.7.1.1",
                      ContactSchema::ColumnNames());
        const CompatibilityCheck c = check(path("newer.tbr"));
        QVERIFY(!c.accepted);
        QCOMPARE(c.error,
                 QStringLiteral("The database require newer version of this program (2.7.1.1)."));
    }

    void minimumVersionEqualToProgramOrAbsentOpens() {
        writeDatabase(path("equal.tbr"), "Orvane Contacts", version, ContactSchema::ColumnNames());
        QVERIFY(check(path("equal.tbr")).accepted);
        writeDatabase(path("nomin.tbr"), "Orvane Contacts", "", ContactSchema::ColumnNames(),
                      false);
        const CompatibilityCheck c = check(path("nomin.tbr"));
        QVERIFY(c.accepted);
        QVERIFY(c.warning.isEmpty());
    }

    void reorderedColumnsMapBothWays() {
        QStringList columns = ContactSchema::ColumnNames();
        std::reverse(columns.begin(), columns.end());
        columns.move(3, 10);
        writeDatabase(path("reordered.tbr"), "Orvane Contacts", "2.5.1", columns);
        const CompatibilityCheck c = check(path("reordered.tbr"));
        QVERIFY(c.accepted);
        QVERIFY(c.warning.isEmpty());
        QCOMPARE(c.indexFromProgram.size(), 32);
        QCOMPARE(c.indexFromDB.size(), 32);
        for (int i = 0; i < 32; ++i) {
            const int k = c.indexFromProgram[i];
            QCOMPARE(columns[k], ContactSchema::ColumnNames()[i]);
            QCOMPARE(c.indexFromDB[k], i);
        }
    }

    void missingColumnsAreListedInProgramOrder() {
        QStringList columns = ContactSchema::ColumnNames();
        for (const char* gone : {"Work_DIC", "Home_Nick", "Work_ICO", "Work_Position"}) {
            columns.removeOne(QString::fromLatin1(gone));
        }
        writeDatabase(path("old.tbr"), "Orvane Contacts", "2.5.1", columns);
        const CompatibilityCheck c = check(path("old.tbr"));
        QVERIFY(c.accepted);
        const QString lines =
            "Nick (home) [Home_Nick]\n\rPosition (work) [Work_Position]\n\r"
            "ICO (work) [Work_ICO]\n\rDIC (work) [Work_DIC]\n\r";
        const QString expected =
            "Warning: Problems with synchronizating fields (cols) in this database file with "
            "fields (cols) supported by this program. Use File | Import / Export command in main "
            "program window to convert it to current version.\n\r\n\r"
            "Database File Name: " +
            path("old.tbr") +
            "\n\rDatabase Version: 2.5.0\n\rProgram Version: 2.7.1.0\n\r\n\r"
            "Database doesn't contain followed fields (cols) which this program supports. "
            "Changes in this fields will not be saved:\n\r" +
            lines + "\n\r";
        QCOMPARE(c.warning, expected);
        QCOMPARE(c.indexFromProgram[ContactSchema::Home_Nick], kMissingColumn);
        QCOMPARE(c.indexFromProgram[ContactSchema::FirstName], 1);
        QCOMPARE(c.indexFromProgram[ContactSchema::Home_Address], 2);
    }

    void unknownColumnIsUnsupported() {
        QStringList columns = ContactSchema::ColumnNames();
        columns.insert(5, QStringLiteral("Home_Birthday"));
        writeDatabase(path("extra.tbr"), "Orvane Contacts", "2.5.1", columns);
        const CompatibilityCheck c = check(path("extra.tbr"));
        QVERIFY(c.accepted);
        QCOMPARE(c.indexFromDB[5], kMissingColumn);
        QCOMPARE(c.indexFromProgram[ContactSchema::Home_City], 6);
        QVERIFY(c.warning.contains(
            "This fields will not be displayed and you will not be able to change them:\n\r"
            "Home_Birthday\n\r\n\r"));
        QVERIFY(!c.warning.contains("doesn't contain"));
    }
};

QTEST_MAIN(TestContactsDB)
#include "test_ContactsDB.moc"
