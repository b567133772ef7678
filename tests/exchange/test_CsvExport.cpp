// The CSV export against real databases: header and data lines, quoting,
// chosen columns, the current view, exact bytes and write failures.
#include "ExchangeFixtures.h"

#include "exchange/u_CsvExporter.h"
#include "exchange/u_ExchangeCancelled.h"
#include "session/u_ContactSchema.h"
#include "support/u_ExchangeError.h"
#include "testsupport/WriteFaults.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <sys/sysmacros.h>

using namespace fixtures;

class TestCsvExport : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir dir_;

    QString path(const QString& name) const { return dir_.filePath(name); }

    std::unique_ptr<TQuib> database(const QList<QStringList>& rows,
                                    const TDBLayout& layout = DBLayouts().back()) {
        static int n = 0;
        const QString file = path(QStringLiteral("db%1.tbr").arg(++n));
        WriteDatabase(file, layout, rows);
        return OpenDatabase(file);
    }

    static QList<bool> allTicked() { return QList<bool>(32, true); }

    static QStringList lines(const QByteArray& csv) {
        QStringList out = QString::fromLatin1(csv).split(QStringLiteral("\r\n"));
        if (!out.isEmpty() && out.last().isEmpty()) {
            out.removeLast();
        }
        return out;
    }

    static QString quotedList(const QStringList& values) {
        QStringList q;
        for (const QString& v : values) {
            q << QLatin1Char('"') + v + QLatin1Char('"');
        }
        return q.join(QLatin1Char(','));
    }

  private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    void allColumnsTickedGiveMatchingHeaderAndData() {
        QStringList row(32);
        for (int c = 0; c < 32; ++c) {
            row[c] = QStringLiteral("v%1").arg(c);
        }
        auto db = database({row, row});
        const TCsvExporter exporter(*db, ProgramColumns(), IdentityColumnMap());
        const QStringList got = lines(exporter.BuildCsv(allTicked()));
        QCOMPARE(got.size(), 3);
        QCOMPARE(got[0], quotedList(ProgramColumns()));
        QCOMPARE(got[1], quotedList(row));
        QCOMPARE(got[2], got[1]);
    }

    void someColumnsUntickedNamedInHeaderToo() {
        QStringList row(32);
        row[0] = QStringLiteral("Dvořák");
        row[1] = QStringLiteral("Antonín");
        row[31] = QStringLiteral("note");
        auto db = database({row});
        QList<bool> ticked(32, false);
        ticked[0] = ticked[31] = true;
        const TCsvExporter exporter(*db, ProgramColumns(), IdentityColumnMap());
        const QByteArray csv = exporter.BuildCsv(ticked);
        QCOMPARE(csv, QByteArray("\"SurName\",\"Notes\"\r\n\"Dvo\xF8\xE1k\",\"note\"\r\n"));
    }

    // The header line may name the columns by texts of the caller's, such as
    // their titles; the data lines stay as they are.
    void headerOfOtherTexts() {
        QStringList row(32);
        row[0] = QStringLiteral("Dvořák");
        row[31] = QStringLiteral("note");
        auto db = database({row});
        QList<bool> ticked(32, false);
        ticked[0] = ticked[31] = true;
        TCsvExporter exporter(*db, ProgramColumns(), IdentityColumnMap());
        QStringList titles = ContactSchema::ColumnTitlesFullEnglish();
        titles[0] = QStringLiteral("Příjmení, \"rodné\"");
        exporter.SetHeaderTexts(titles);
        QCOMPARE(exporter.BuildCsv(ticked),
                 QByteArray("\"P\xF8\xEDjmen\xED, \"\"rodn\xE9\"\"\",\"Notes\"\r\n"
                            "\"Dvo\xF8\xE1k\",\"note\"\r\n"));
    }

    void utf8KeepsEveryLetterAfterAByteOrderMark() {
        QStringList row(32);
        row[0] = QStringLiteral("Søren Ωmega");
        row[1] = QStringLiteral("Иван 王 👩‍💻");
        const QString file = path(QStringLiteral("unicode.tbr"));
        WriteDatabase(file, DBLayouts().back(), {row}, quib::TextEncoding::Utf8);
        const auto db = OpenDatabase(file);
        QList<bool> ticked(32, false);
        ticked[0] = ticked[1] = true;
        TCsvExporter exporter(*db, ProgramColumns(), IdentityColumnMap());
        exporter.SetEncoding(TCsvExporter::TEncoding::Utf8);
        QCOMPARE(exporter.BuildCsv(ticked),
                 QByteArray("\xEF\xBB\xBF\"SurName\",\"FirstName\"\r\n\"") + row[0].toUtf8() +
                     "\",\"" + row[1].toUtf8() + "\"\r\n");
        // Windows-1250 refuses, naming the contact and the field, and
        // leaves an earlier file as it was.
        exporter.SetEncoding(TCsvExporter::TEncoding::Windows1250);
        const QString csv = path(QStringLiteral("unicode.csv"));
        WriteFile(csv, "old");
        try {
            exporter.ExportToFile(csv, ticked);
            QFAIL("written");
        } catch (const EExchangeError& e) {
            QVERIFY2(
                e.message().contains(QStringLiteral("\"ø\" in contact 1 (Иван 王 👩‍💻 "
                                                    "Søren Ωmega), field \"SurName\"")),
                qPrintable(e.message()));
        }
        QCOMPARE(ReadFile(csv), QByteArray("old"));
        // Czech letters are written in Windows-1250.
        row[0] = QStringLiteral("Dvořák");
        row[1] = QString();
        const QString czech = path(QStringLiteral("czech.tbr"));
        WriteDatabase(czech, DBLayouts().back(), {row}, quib::TextEncoding::Utf8);
        const auto cz = OpenDatabase(czech);
        TCsvExporter czechExporter(*cz, ProgramColumns(), IdentityColumnMap());
        QVERIFY(czechExporter.BuildCsv(ticked).endsWith("\"Dvo\xF8\xE1k\",\"\"\r\n"));
    }

    void allColumnsUntickedGiveEmptyLines() {
        auto db = database({QStringList{"a"}, QStringList{"b"}});
        const TCsvExporter exporter(*db, ProgramColumns(), IdentityColumnMap());
        QCOMPARE(exporter.BuildCsv(QList<bool>(32, false)), QByteArray("\r\n\r\n\r\n"));
    }

    void quotesEmptyValuesAndLineBreaks() {
        QStringList row(32);
        row[0] = QStringLiteral("a\"b");
        row[1] = QString();
        row[31] = QStringLiteral("first line\r\nsecond, line");
        auto db = database({row});
        QList<bool> ticked(32, false);
        ticked[0] = ticked[1] = ticked[31] = true;
        const TCsvExporter exporter(*db, ProgramColumns(), IdentityColumnMap());
        const QByteArray csv = exporter.BuildCsv(ticked);
        QCOMPARE(csv, QByteArray("\"SurName\",\"FirstName\",\"Notes\"\r\n"
                                 "\"a\"\"b\",\"\",\"first line\r\nsecond, line\"\r\n"));
    }

    void databaseWithoutRowsGivesHeaderOnly() {
        auto db = database({});
        const TCsvExporter exporter(*db, ProgramColumns(), IdentityColumnMap());
        const QByteArray csv = exporter.BuildCsv(allTicked());
        QCOMPARE(lines(csv), QStringList{quotedList(ProgramColumns())});
        QVERIFY(csv.endsWith("\"Notes\"\r\n"));
    }

    void missingColumnGivesEmptyValue() {
        // A 2.5.0 database lacks Home_Nick: its map entry is -1.
        const TDBLayout& old = DBLayouts().front();
        QStringList row(old.columns.size());
        row[0] = QStringLiteral("Smith");
        row[1] = QStringLiteral("John");
        auto db = database({row}, old);
        TColumnMap map;
        for (const QString& name : ProgramColumns()) {
            map.append(static_cast<int>(old.columns.indexOf(name)));
        }
        QList<bool> ticked(32, false);
        ticked[0] = ticked[1] = ticked[2] = true;
        const TCsvExporter exporter(*db, ProgramColumns(), map);
        QCOMPARE(lines(exporter.BuildCsv(ticked)).value(1),
                 QStringLiteral("\"Smith\",\"John\",\"\""));
    }

    void exportsOnlyTheRowsOfTheCurrentView() {
        auto db = database(
            {QStringList{"Keep", "1"}, QStringList{"Drop", "2"}, QStringList{"Keep", "3"}});
        QVERIFY(db->NewFilter(0));
        QVERIFY(db->SetFilterData(0, "column", "0"));
        QVERIFY(db->SetFilterData(0, "compar", "is"));
        QVERIFY(db->SetFilterData(0, "text", "Keep"));
        db->SetFilterActive(true);
        QList<bool> ticked(32, false);
        ticked[1] = true;
        const TCsvExporter exporter(*db, ProgramColumns(), IdentityColumnMap());
        QCOMPARE(exporter.BuildCsv(ticked), QByteArray("\"FirstName\"\r\n\"1\"\r\n\"3\"\r\n"));
    }

    void writesExactBytesToTheFile() {
        QStringList row(32);
        row[0] = QStringLiteral("Nováková");
        row[1] = QStringLiteral("Věra");
        auto db = database({row});
        QList<bool> ticked(32, false);
        ticked[0] = ticked[1] = true;
        const QString file = path(QStringLiteral("out.csv"));
        WriteFile(file, QByteArray(5000, 'x'));  // replaced, not appended to
        TCsvExporter(*db, ProgramColumns(), IdentityColumnMap()).ExportToFile(file, ticked);
        QCOMPARE(ReadFile(file), QByteArray("\"SurName\",\"FirstName\"\r\n"
                                            "\"Nov\xE1kov\xE1\",\"V\xECra\"\r\n"));
    }

    void unwritableDestinationIsAnError() {
        auto db = database({QStringList{"a"}});
        const TCsvExporter exporter(*db, ProgramColumns(), IdentityColumnMap());
        QVERIFY_THROWS_EXCEPTION(
            EExchangeError,
            exporter.ExportToFile(path(QStringLiteral("no/such/folder/out.csv")), allTicked()));
        QVERIFY_THROWS_EXCEPTION(EExchangeError, exporter.ExportToFile(QString(), allTicked()));
        // A folder in the file's place.
        QVERIFY(QDir(dir_.path()).mkdir(QStringLiteral("taken.csv")));
        QVERIFY_THROWS_EXCEPTION(
            EExchangeError, exporter.ExportToFile(path(QStringLiteral("taken.csv")), allTicked()));
    }

    // A FIFO, a device (through a link in the test's folder) and a loop of
    // links are not replaced by a file: the export says it cannot write them.
    void specialDestinationsAreRefused() {
        auto db = database({QStringList{"a"}});
        const TCsvExporter exporter(*db, ProgramColumns(), IdentityColumnMap());
        QDir folder(path(QStringLiteral("special")));
        QVERIFY(folder.mkpath(QStringLiteral(".")));
        const QString fifo = folder.filePath(QStringLiteral("out.fifo"));
        QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        // A device node of the test's own (the null device's numbers), reached
        // through a link.
        const QString node = folder.filePath(QStringLiteral("null.dev"));
        QCOMPARE(mknod(QFile::encodeName(node).constData(), S_IFCHR | 0600, makedev(1, 3)), 0);
        const QString device = folder.filePath(QStringLiteral("null.csv"));
        QVERIFY(QFile::link(node, device));
        const QString loop = folder.filePath(QStringLiteral("loop.csv"));
        QVERIFY(QFile::link(QStringLiteral("loop.csv"), loop));
        const QStringList entries =
            folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        for (const QString& target : {fifo, device, loop}) {
            try {
                exporter.ExportToFile(target, allTicked());
                QFAIL(qPrintable(target));
            } catch (const EExchangeError& e) {
                QVERIFY2(e.message().startsWith(
                             QStringLiteral("The file \"%1\" cannot be written: ").arg(target)),
                         qPrintable(e.message()));
            }
        }
        struct stat st {};
        QCOMPARE(lstat(QFile::encodeName(fifo).constData(), &st), 0);
        QVERIFY(S_ISFIFO(st.st_mode));
        QCOMPARE(stat(QFile::encodeName(node).constData(), &st), 0);
        QVERIFY(S_ISCHR(st.st_mode));
        QCOMPARE(
            folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
            entries);
    }

    // A write that fails after any number of bytes, or on the final flush and
    // rename, keeps the old file byte for byte, leaves no temporary file and
    // reports the failure.
    void failedWritesKeepTheOldFile() {
        auto db = database(GeneratedContacts(3000));
        QDir folder(path(QStringLiteral("faults")));
        const QByteArray old("\"old\"\r\n");
        const QString file = WriteOldFile(folder, QStringLiteral("out.csv"), old);
        const qint64 size =
            TCsvExporter(*db, ProgramColumns(), IdentityColumnMap()).BuildCsv(allTicked()).size();
        QVERIFY(size > 3 * 256 * 1024);  // several pieces are written
        QList<TWriteFaults> faults;
        for (qint64 n = 0; n < size; n += 40'009) {
            faults << TWriteFaults{n, false};
        }
        faults << TWriteFaults{size - 1, false} << TWriteFaults{256 * 1024, false}
               << TWriteFaults{-1, true} << TWriteFaults{-1, false, true};
        for (const TWriteFaults& fault : faults) {
            TCsvExporter exporter(*db, ProgramColumns(), IdentityColumnMap());
            exporter.SetWriteFaults(fault);
            try {
                exporter.ExportToFile(file, allTicked());
                QFAIL(qPrintable(
                    QStringLiteral("no error after %1 bytes").arg(fault.failAfterBytes)));
            } catch (const EExchangeError& e) {
                // With the system's reason: a full disk or a failed flush.
                const QString reason = fault.failAfterBytes >= 0
                                           ? QStringLiteral("No space left on device")
                                           : QStringLiteral("Input/output error");
                QCOMPARE(e.message(),
                         QStringLiteral("The file \"%1\" cannot be written: %2").arg(file, reason));
            }
            QCOMPARE(ReadFile(file), old);
            QCOMPARE(folder.entryList(QDir::Files | QDir::Hidden), QStringList{"out.csv"});
        }
        // Without a fault the same export goes through.
        TCsvExporter(*db, ProgramColumns(), IdentityColumnMap()).ExportToFile(file, allTicked());
        QCOMPARE(QFileInfo(file).size(), size);
        QCOMPARE(folder.entryList(QDir::Files | QDir::Hidden), QStringList{"out.csv"});
    }

    // The same with the disk itself refusing more bytes: a small export that
    // fits in one piece once replaced the old file with an empty one.
    void fullDiskKeepsTheOldFile() {
        auto db = database(GeneratedContacts(20));
        QDir folder(path(QStringLiteral("full")));
        const QString file = WriteOldFile(folder, QStringLiteral("out.csv"), "\"old\"\r\n");
        const qint64 size =
            TCsvExporter(*db, ProgramColumns(), IdentityColumnMap()).BuildCsv(allTicked()).size();
        const QString broken = CheckFailedWrites(file, 0, size, [&] {
            try {
                TCsvExporter(*db, ProgramColumns(), IdentityColumnMap())
                    .ExportToFile(file, allTicked());
            } catch (const EExchangeError&) {
                return false;
            }
            return true;
        });
        QVERIFY2(broken.isEmpty(), qPrintable(broken));
    }

    void progressReachesTheEnd() {
        auto db = database(GeneratedContacts(1000));
        QList<std::pair<qint64, qint64>> told;
        TCsvExporter exporter(*db, ProgramColumns(), IdentityColumnMap());
        exporter.SetProgress([&told](qint64 done, qint64 total) {
            told.append({done, total});
            return true;
        });
        exporter.ExportToFile(path(QStringLiteral("progress.csv")), allTicked());
        QVERIFY(told.size() > 3);
        QCOMPARE(told.first(), (std::pair<qint64, qint64>{0, 1000}));
        QCOMPARE(told.last(), (std::pair<qint64, qint64>{1000, 1000}));
        QCOMPARE(ReadFile(path(QStringLiteral("progress.csv"))),
                 TCsvExporter(*db, ProgramColumns(), IdentityColumnMap()).BuildCsv(allTicked()));
    }

    // Stopped part-way, or when every row is written: the old file stays
    // byte for byte and no temporary file is left.
    void cancelKeepsTheOldFile_data() {
        QTest::addColumn<qint64>("stopAt");
        QTest::newRow("after some rows") << qint64{1024};
        QTest::newRow("at the end") << qint64{3000};
    }
    void cancelKeepsTheOldFile() {
        QFETCH(qint64, stopAt);
        auto db = database(GeneratedContacts(3000));
        QDir folder(path(QStringLiteral("cancel%1").arg(stopAt)));
        const QByteArray old("\"old\"\r\n");
        const QString file = WriteOldFile(folder, QStringLiteral("out.csv"), old);
        TCsvExporter exporter(*db, ProgramColumns(), IdentityColumnMap());
        qint64 stoppedAt = -1;
        exporter.SetProgress([&](qint64 done, qint64) {
            if (done < stopAt) {
                return true;
            }
            stoppedAt = done;
            return false;
        });
        QVERIFY_THROWS_EXCEPTION(EExchangeCancelled, exporter.ExportToFile(file, allTicked()));
        QCOMPARE(stoppedAt, stopAt);
        QCOMPARE(ReadFile(file), old);
        QCOMPARE(folder.entryList(QDir::Files | QDir::Hidden), QStringList{"out.csv"});
    }

    void defaultFileName_data() {
        QTest::addColumn<QString>("database");
        QTest::addColumn<QString>("csv");
        QTest::newRow("extension replaced") << "/home/u/Pellum.tbr"
                                            << "/home/u/Pellum.csv";
        QTest::newRow("no extension") << "/home/u/contacts"
                                      << "/home/u/contacts.csv";
        QTest::newRow("dot in folder only") << "/home/u.v/contacts"
                                            << "/home/u.v/contacts.csv";
        QTest::newRow("two dots") << "/a/b.c.tbr"
                                  << "/a/b.c.csv";
        QTest::newRow("no database") << ""
                                     << "";
    }
    void defaultFileName() {
        QFETCH(QString, database);
        QFETCH(QString, csv);
        QCOMPARE(TCsvExporter::DefaultFileName(database), csv);
    }
};

QTEST_MAIN(TestCsvExport)
#include "test_CsvExport.moc"
