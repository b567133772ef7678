#include "app/u_CommandLine.h"
#include "app/u_SampleDatabase.h"
#include "session/QUIBLib_TLB.h"
#include "support/u_OrvFileLib.h"

#include "session/u_ContactSchema.h"
#include "session/u_ContactsSession.h"

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct ProgramRun {
    int code = -1;
    QProcess::ExitStatus status = QProcess::CrashExit;
    QString err;
    QString out;
};

// The program itself, run as a user runs it; fileSizeLimit as "ulimit -f".
ProgramRun RunProgram(const QStringList& args, qint64 fileSizeLimit = -1) {
    QProcess program;
    if (fileSizeLimit >= 0) {
        program.setChildProcessModifier([fileSizeLimit] {
            rlimit limit{};
            getrlimit(RLIMIT_FSIZE, &limit);
            limit.rlim_cur = static_cast<rlim_t>(fileSizeLimit);
            setrlimit(RLIMIT_FSIZE, &limit);
        });
    }
    program.start(QStringLiteral(PELLUM_PROGRAM), args);
    if (!program.waitForFinished(60000)) {
        program.kill();
        program.waitForFinished();
    }
    return {program.exitCode(), program.exitStatus(),
            QString::fromLocal8Bit(program.readAllStandardError()),
            QString::fromLocal8Bit(program.readAllStandardOutput())};
}

}  // namespace

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
        QVERIFY(!line.ConvertToUnicode);
        // Converting to Unicode is allowed only with the import.
        line = ParseCommandLine({"--import-vcard", "a.tbr", "a.vcf", "--convert-to-unicode"});
        QVERIFY(line.ImportVCard && line.ConvertToUnicode && line.Error.isEmpty());
        QCOMPARE(
            ParseCommandLine({"--export-vcard", "a.tbr", "a.vcf", "--convert-to-unicode"}).Error,
            QStringLiteral("--convert-to-unicode goes with --import-vcard."));
        QVERIFY(!ParseCommandLine({"--convert-to-unicode", "a.tbr"}).Error.isEmpty());
    }

    void duplicatesOptionGoesWithTheImport_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("action");
        const int add = int(TDuplicateAction::Add);
        QTest::newRow("not given")
            << QStringList{"--import-vcard", "a.tbr", "a.vcf"} << true << add;
        QTest::newRow("between the command and its database")
            << QStringList{"--import-vcard", "--duplicates=skip", "a.tbr", "a.vcf"} << true
            << int(TDuplicateAction::Skip);
        QTest::newRow("after the files")
            << QStringList{"--import-vcard", "a.tbr", "a.vcf", "--duplicates=update"} << true
            << int(TDuplicateAction::Update);
        QTest::newRow("add") << QStringList{"--duplicates=add", "--import-vcard", "a.tbr", "a.vcf"}
                             << true << add;
        QTest::newRow("an unknown word")
            << QStringList{"--import-vcard", "--duplicates=merge", "a.tbr", "a.vcf"} << false
            << add;
        QTest::newRow("no word") << QStringList{"--import-vcard", "--duplicates=", "a.tbr", "a.vcf"}
                                 << false << add;
        QTest::newRow("with the export")
            << QStringList{"--export-vcard", "--duplicates=skip", "a.tbr", "a.vcf"} << false << add;
        QTest::newRow("without a command")
            << QStringList{"--duplicates=skip", "a.tbr"} << false << add;
    }
    void duplicatesOptionGoesWithTheImport() {
        QFETCH(QStringList, args);
        QFETCH(bool, valid);
        QFETCH(int, action);
        const TCommandLine line = ParseCommandLine(args);
        QCOMPARE(line.Error.isEmpty(), valid);
        if (valid) {
            QCOMPARE(int(line.Duplicates), action);
            QCOMPARE(line.VCardDatabase, QStringLiteral("a.tbr"));
            QCOMPARE(line.VCardFile, QStringLiteral("a.vcf"));
        }
    }

    // A window-less command takes exactly its own arguments.
    void extraArgumentsAreAnError_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("export and a third file")
            << QStringList{"--export-vcard", "a.tbr", "a.vcf", "extra"};
        QTest::newRow("import and a database")
            << QStringList{"b.tbr", "--import-vcard", "a.tbr", "a.vcf"};
        QTest::newRow("export and an unknown option")
            << QStringList{"--export-vcard", "a.tbr", "a.vcf", "--force"};
        QTest::newRow("sample and a second file") << QStringList{"--make-sample", "s.tbr", "t.tbr"};
        QTest::newRow("two commands")
            << QStringList{"--make-sample", "s.tbr", "--export-vcard", "a.tbr", "a.vcf"};
    }
    void extraArgumentsAreAnError() {
        QFETCH(QStringList, args);
        QVERIFY(!ParseCommandLine(args).Error.isEmpty());
    }

    // What the README promises: 2 for a wrong command line, 1 with a message
    // for a file that cannot be written, never a silent end.
    void programExitCodes() {
        QTemporaryDir dir;
        const QString db = dir.filePath(QStringLiteral("sample.tbr"));
        MakeSampleDatabase(db);
        const QString vcf = dir.filePath(QStringLiteral("out.vcf"));
        ProgramRun run = RunProgram({"--export-vcard", db, vcf, "extra"});
        QCOMPARE(run.status, QProcess::NormalExit);
        QCOMPARE(run.code, 2);
        QVERIFY2(run.err.contains(QStringLiteral("extra")), qPrintable(run.err));
        QVERIFY(!QFileInfo::exists(vcf));

        // A file size limit below the file: the write fails with the
        // system's reason instead of SIGXFSZ ending the program.
        run = RunProgram({"--export-vcard", db, vcf}, 1000);
        QCOMPARE(run.status, QProcess::NormalExit);
        QCOMPARE(run.code, 1);
        QVERIFY2(run.err.contains(QStringLiteral("File too large")), qPrintable(run.err));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("sample.tbr")});

        run = RunProgram({"--export-vcard", db, vcf});
        QCOMPARE(run.code, 0);
        QVERIFY(QFileInfo(vcf).size() > 1000);

        // An unknown answer to the duplicates is a wrong command line, and
        // the cards that are back are skipped when asked.
        run = RunProgram({"--import-vcard", "--duplicates=merge", db, vcf});
        QCOMPARE(run.code, 2);
        QVERIFY2(run.err.contains(QStringLiteral("--duplicates=merge")), qPrintable(run.err));
        run = RunProgram({"--import-vcard", "--duplicates=skip", db, vcf});
        QCOMPARE(run.code, 0);
        QVERIFY2(run.out.startsWith(QStringLiteral("Imported 0 contacts")), qPrintable(run.out));
    }

    // A FIFO, or a device through a link, is not replaced by a file.
    void programRefusesSpecialFiles() {
        QTemporaryDir dir;
        const QString db = dir.filePath(QStringLiteral("sample.tbr"));
        MakeSampleDatabase(db);
        const QString fifo = dir.filePath(QStringLiteral("cards.fifo"));
        QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        // A device node of the test's own (the null device's numbers), reached
        // through a link.
        const QString node = dir.filePath(QStringLiteral("null.dev"));
        QCOMPARE(mknod(QFile::encodeName(node).constData(), S_IFCHR | 0600, makedev(1, 3)), 0);
        const QString device = dir.filePath(QStringLiteral("null.vcf"));
        QVERIFY(QFile::link(node, device));
        struct stat null {};
        QCOMPARE(stat(QFile::encodeName(node).constData(), &null), 0);
        for (const QString& target : {fifo, device}) {
            const ProgramRun run = RunProgram({"--export-vcard", db, target});
            QCOMPARE(run.status, QProcess::NormalExit);
            QCOMPARE(run.code, 1);
            QVERIFY2(run.err.contains(QStringLiteral("cannot be written: Not a regular file")),
                     qPrintable(run.err));
        }
        struct stat st {};
        QCOMPARE(lstat(QFile::encodeName(fifo).constData(), &st), 0);
        QVERIFY(S_ISFIFO(st.st_mode));
        QVERIFY(QFileInfo(device).isSymLink());
        QCOMPARE(stat(QFile::encodeName(node).constData(), &st), 0);
        QVERIFY(S_ISCHR(st.st_mode));
        QCOMPARE(st.st_rdev, null.st_rdev);
        QCOMPARE(
            QDir(dir.path())
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
            (QStringList{"cards.fifo", "null.dev", "null.vcf", "sample.tbr"}));
    }

    // Two imports into one database at once: each one either adds all its
    // contacts or is refused with a message; none is lost while both say 0.
    void twoImportsIntoOneDatabase() {
        QTemporaryDir dir;
        const QString db = dir.filePath(QStringLiteral("sample.tbr"));
        MakeSampleDatabase(db);
        const QString vcf = dir.filePath(QStringLiteral("cards.vcf"));
        QCOMPARE(RunProgram({"--export-vcard", db, vcf}).code, 0);
        const auto records = [&db] {
            TQuib quib;
            quib.SetDatabaseName(db);
            return quib.Open() ? quib.RowsCount() : -1;
        };
        const int cards = records();
        int expected = cards;
        int refused = 0;
        for (int round = 0; round < 6; ++round) {
            QProcess first;
            QProcess second;
            first.start(QStringLiteral(PELLUM_PROGRAM), {"--import-vcard", db, vcf});
            second.start(QStringLiteral(PELLUM_PROGRAM), {"--import-vcard", db, vcf});
            for (QProcess* run : {&first, &second}) {
                QVERIFY(run->waitForFinished(60000));
                const QString err = QString::fromLocal8Bit(run->readAllStandardError());
                if (run->exitCode() == 0) {
                    expected += cards;
                } else {
                    QCOMPARE(run->exitCode(), 1);
                    QVERIFY2(err.contains(QStringLiteral("in use by another program")),
                             qPrintable(err));
                    ++refused;
                }
            }
            QCOMPARE(records(), expected);
        }
        qInfo("imports refused while another one ran: %d of 12", refused);
        // A database open in a session here: the import is refused at once.
        TContactsSession holder(RunningVersionText());
        QVERIFY(holder.OpenFile(db));
        const ProgramRun run = RunProgram({"--import-vcard", db, vcf});
        QCOMPARE(run.code, 1);
        QVERIFY2(run.err.contains(QStringLiteral("in use by another program")),
                 qPrintable(run.err));
        QCOMPARE(records(), expected);
    }

    void helpAndVersionTexts() {
        QVERIFY(CommandLineHelpText(QStringLiteral("pellum"))
                    .contains(QStringLiteral("--make-sample")));
        QVERIFY(CommandLineHelpText(QStringLiteral("pellum"))
                    .contains(QStringLiteral("--convert-to-unicode")));
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
        // The sample is a Unicode database, as every new one.
        QCOMPARE(quib.Encoding(), quib::TextEncoding::Utf8);
        QCOMPARE(header("ProgramMinVersion"), QStringLiteral("2.8.0"));
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
