#include "app/u_CommandLine.h"
#include "app/u_SampleDatabase.h"
#include "session/QUIBLib_TLB.h"
#include "support/u_OrvFileLib.h"

#include "session/u_ContactSchema.h"

#include <QTemporaryDir>
#include <QtTest>

class TestCommandLine : public QObject {
    Q_OBJECT

  private slots:
    void parse_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QStringList>("databases");
        QTest::addColumn<bool>("help");
        QTest::addColumn<bool>("version");
        QTest::newRow("nothing") << QStringList{} << QStringList{} << false << false;
        QTest::newRow("one database")
            << QStringList{"a.tbr"} << QStringList{"a.tbr"} << false << false;
        QTest::newRow("two databases")
            << QStringList{"a.tbr", "b.tbr"} << QStringList{"a.tbr", "b.tbr"} << false << false;
        QTest::newRow("options are not databases") << QStringList{"-x", "--style=fusion", "a.tbr"}
                                                   << QStringList{"a.tbr"} << false << false;
        QTest::newRow("help") << QStringList{"--help"} << QStringList{} << true << false;
        QTest::newRow("short help")
            << QStringList{"-h", "a.tbr"} << QStringList{"a.tbr"} << true << false;
        QTest::newRow("version") << QStringList{"--version"} << QStringList{} << false << true;
        QTest::newRow("after -- all are files")
            << QStringList{"--", "-odd.tbr"} << QStringList{"-odd.tbr"} << false << false;
    }

    void parse() {
        QFETCH(QStringList, args);
        QFETCH(QStringList, databases);
        QFETCH(bool, help);
        QFETCH(bool, version);
        const TCommandLine line = ParseCommandLine(args);
        QCOMPARE(line.Databases, databases);
        QCOMPARE(line.ShowHelp, help);
        QCOMPARE(line.ShowVersion, version);
        QVERIFY(line.Error.isEmpty());
    }

    void makeSampleNeedsFile() {
        QVERIFY(!ParseCommandLine({"--make-sample"}).Error.isEmpty());
        const TCommandLine line = ParseCommandLine({"--make-sample", "s.tbr"});
        QVERIFY(line.MakeSample);
        QCOMPARE(line.SampleFile, QStringLiteral("s.tbr"));
        QVERIFY(line.Databases.isEmpty());
    }

    void vCardCommandsNeedDatabaseAndFile() {
        QVERIFY(!ParseCommandLine({"--export-vcard", "a.tbr"}).Error.isEmpty());
        QVERIFY(!ParseCommandLine({"--import-vcard"}).Error.isEmpty());
        TCommandLine line = ParseCommandLine({"--export-vcard", "a.tbr", "a.vcf"});
        QVERIFY(line.ExportVCard && !line.ImportVCard && line.Error.isEmpty());
        QCOMPARE(line.VCardDatabase, QStringLiteral("a.tbr"));
        QCOMPARE(line.VCardFile, QStringLiteral("a.vcf"));
        QVERIFY(line.Databases.isEmpty());
        line = ParseCommandLine({"--import-vcard", "a.tbr", "-"});
        QVERIFY(line.ImportVCard && !line.ExportVCard);
        QCOMPARE(line.VCardFile, QStringLiteral("-"));
    }

    void helpAndVersionTexts() {
        QVERIFY(CommandLineHelpText(QStringLiteral("pellum"))
                    .contains(QStringLiteral("--make-sample")));
        QVERIFY(CommandLineVersionText(QStringLiteral("pellum")).contains(RunningVersionText()));
    }

    void sampleDatabaseIsAContactsDatabase() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Pellum.tbr"));
        MakeSampleDatabase(path);
        TQuib quib;
        quib.SetDatabaseName(path);
        QVERIFY(quib.Open());
        // Headers in the order the New command leaves them.
        const QStringList headers{"DBColsName",        "ProgramName",      "ProgramAktVersion",
                                  "ProgramMinVersion", "ProgramCopyright", "ProgramWWW",
                                  "ProgramEmail"};
        QCOMPARE(quib.HeadersCount(), headers.size());
        for (int h = 0; h < headers.size(); ++h) {
            QCOMPARE(quib.GetHeaderName(h), headers[h]);
        }
        auto header = [&](const char* name) {
            return quib.GetHeaderText(quib.GetHeaderIndexFromName(QLatin1String(name)), 0);
        };
        QCOMPARE(header("ProgramName"), QStringLiteral("Orvane Contacts"));
        QCOMPARE(header("ProgramMinVersion"), QStringLiteral("2.5.1"));
        QCOMPARE(header("ProgramAktVersion"), RunningVersionText());
        const QStringList names = ContactSchema::ColumnNames();
        QCOMPARE(quib.HeaderTextsCount(0), 32);
        for (int k = 0; k < 32; ++k) {
            QCOMPARE(quib.GetHeaderText(0, k), names[k]);
        }
        QCOMPARE(quib.ColsCount(), 32);
        QCOMPARE(quib.RowsCount(), SampleContactCount());
        QVERIFY(SampleContactCount() >= 30);
        QCOMPARE(quib.GetData(0, 0), QStringLiteral("Novák"));
        bool english = false;
        for (int r = 0; r < quib.RowsCount(); ++r) {
            QVERIFY(!quib.GetData(r, 0).isEmpty());
            QVERIFY(quib.GetData(r, 6).size() <= 6);      // zip codes fit their field
            QVERIFY(quib.GetData(r, 11).contains(u'@'));  // cells land in their columns
            QVERIFY(!quib.GetData(r, 15).isEmpty());
            QVERIFY(quib.GetData(r, 28).contains(u'@'));
            english = english || quib.GetData(r, 0) == QLatin1String("Smith");
        }
        QVERIFY(english);
    }
};

QTEST_MAIN(TestCommandLine)
#include "test_CommandLine.moc"
