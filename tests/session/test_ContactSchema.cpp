#include "session/u_ColumnMap.h"
#include "session/u_ContactSchema.h"

#include <QTest>

class TestContactSchema : public QObject {
    Q_OBJECT

  private slots:
    void columnsInProgramOrder_data();
    void columnsInProgramOrder();
    void listsHaveOneEntryPerColumn();
    void fieldPositionsMatchNames();
    void olderLayoutIsTheOldOrderWithoutTheFourNewColumns();
    void identityMapCountsFromZero();
    void layoutsComeFromTheSchema();
};

void TestContactSchema::columnsInProgramOrder_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("titleFull");
    struct Row {
        const char* name;
        const char* title;
        const char* titleFull;
    };
    const Row rows[] = {
        {"SurName", "Surname", "Surname"},
        {"FirstName", "Firstname", "Firstname"},
        {"Home_Nick", "Nick", "Nick (home)"},
        {"Home_Address", "Address", "Address (home)"},
        {"Home_Town", "Town", "Town (home)"},
        {"Home_City", "City", "City (home)"},
        {"Home_PSC", "ZipCode", "ZipCode (home)"},
        {"Home_Country", "Country", "Country (home)"},
        {"Home_Tel", "Phone", "Phone (home)"},
        {"Home_Fax", "Fax", "Fax (home)"},
        {"Home_WWW", "Internet", "Internet (home)"},
        {"Home_Email", "E-mail", "E-mail (home)"},
        {"Home_ICQ", "ICQ", "ICQ (home)"},
        {"Home_Hobby", "Hobby", "Hobby (home)"},
        {"Home_Misc", "Misc", "Misc (home)"},
        {"Work_Company", "Company", "Company (work)"},
        {"Work_CompanyDesc", "Desc", "Desc (work)"},
        {"Work_Position", "Position", "Position (work)"},
        {"Work_Address", "Address", "Address (work)"},
        {"Work_Town", "Town", "Town (work)"},
        {"Work_City", "City", "City (work)"},
        {"Work_PSC", "ZipCode", "ZipCode (work)"},
        {"Work_Country", "Country", "Country (work)"},
        {"Work_ICO", "ICO", "ICO (work)"},
        {"Work_DIC", "DIC", "DIC (work)"},
        {"Work_Tel", "Phone", "Phone (work)"},
        {"Work_Fax", "Fax", "Fax (work)"},
        {"Work_WWW", "Internet", "Internet (work)"},
        {"Work_Email", "E-mail", "E-mail (work)"},
        {"Work_ICQ", "ICQ", "ICQ (work)"},
        {"Work_Misc", "Misc", "Misc (work)"},
        {"Notes", "Notes", "Notes"},
    };
    int index = 0;
    for (const Row& row : rows) {
        QTest::newRow(row.name) << index++ << QString(row.name) << QString(row.title)
                                << QString(row.titleFull);
    }
}

void TestContactSchema::columnsInProgramOrder() {
    QFETCH(int, index);
    QFETCH(QString, name);
    QFETCH(QString, title);
    QFETCH(QString, titleFull);
    QCOMPARE(ContactSchema::ColumnNames().at(index), name);
    QCOMPARE(ContactSchema::ColumnTitles().at(index), title);
    QCOMPARE(ContactSchema::ColumnTitlesFull().at(index), titleFull);
}

void TestContactSchema::listsHaveOneEntryPerColumn() {
    QCOMPARE(ContactSchema::ColumnCount, 32);
    QCOMPARE(ContactSchema::ColumnNames().size(), 32);
    QCOMPARE(ContactSchema::ColumnTitles().size(), 32);
    QCOMPARE(ContactSchema::ColumnTitlesFull().size(), 32);
    QCOMPARE(ContactSchema::ColumnNames().removeDuplicates(), 0);
}

void TestContactSchema::fieldPositionsMatchNames() {
    const QStringList names = ContactSchema::ColumnNames();
    QCOMPARE(names.at(ContactSchema::SurName), QString(ContactSchema::names::SurName));
    QCOMPARE(names.at(ContactSchema::Home_Nick), QString(ContactSchema::names::Home_Nick));
    QCOMPARE(names.at(ContactSchema::Home_Tel), QString(ContactSchema::names::Home_Tel));
    QCOMPARE(names.at(ContactSchema::Work_Position), QString(ContactSchema::names::Work_Position));
    QCOMPARE(names.at(ContactSchema::Work_DIC), QString(ContactSchema::names::Work_DIC));
    QCOMPARE(names.at(ContactSchema::Notes), QString(ContactSchema::names::Notes));
    QCOMPARE(int(ContactSchema::Notes), ContactSchema::ColumnCount - 1);
}

void TestContactSchema::olderLayoutIsTheOldOrderWithoutTheFourNewColumns() {
    const QStringList old = ContactSchema::ColumnNames_2_5_2();
    const QStringList expected = {"SurName",      "FirstName", "Home_Address", "Home_Town",
                                  "Home_City",    "Home_PSC",  "Home_Country", "Home_Tel",
                                  "Home_Fax",     "Home_WWW",  "Home_Email",   "Home_ICQ",
                                  "Home_Hobby",   "Home_Misc", "Work_Company", "Work_CompanyDesc",
                                  "Work_Address", "Work_Town", "Work_City",    "Work_PSC",
                                  "Work_Country", "Work_Tel",  "Work_Fax",     "Work_WWW",
                                  "Work_Email",   "Work_ICQ",  "Work_Misc",    "Notes"};
    QCOMPARE(old, expected);

    QStringList current = ContactSchema::ColumnNames();
    for (const char* added : {"Home_Nick", "Work_Position", "Work_ICO", "Work_DIC"})
        QVERIFY(current.removeOne(QString(added)));
    QCOMPARE(current, old);
}

void TestContactSchema::identityMapCountsFromZero() {
    const TColumnMap map = TColumnMap::Identity(ContactSchema::ColumnCount);
    QCOMPARE(map.size(), 32);
    QCOMPARE(map[0], 0);
    QCOMPARE(map[17], 17);
    QCOMPARE(map[31], 31);
    QCOMPARE(map[32], kMissingColumn);
}

void TestContactSchema::layoutsComeFromTheSchema() {
    const std::vector<TDBLayout>& layouts = DBLayouts();
    QCOMPARE(layouts.size(), std::size_t(3));
    QCOMPARE(layouts[2].version, QStringLiteral("2.7.0"));
    QCOMPARE(layouts[2].columns, ContactSchema::ColumnNames());
    QCOMPARE(layouts[1].version, QStringLiteral("2.5.1"));
    QCOMPARE(layouts[1].columns, ContactSchema::ColumnNames_2_5_2());
    // 2.5.1 added an ICQ number on both pages.
    QStringList older = layouts[1].columns;
    QVERIFY(older.removeOne(QStringLiteral("Home_ICQ")));
    QVERIFY(older.removeOne(QStringLiteral("Work_ICQ")));
    QCOMPARE(layouts[0].columns, older);
    QCOMPARE(layouts[0].columns.size(), 26);
}

QTEST_GUILESS_MAIN(TestContactSchema)
#include "test_ContactSchema.moc"
