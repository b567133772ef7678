// --export-vcard and --import-vcard against real files: counts, exit codes,
// and a refused file that leaves the database as it was.
#include "ExchangeFixtures.h"

#include "app/u_SampleDatabase.h"
#include "session/u_ContactSchema.h"
#include "exchange/u_VCardCommandLine.h"

#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

using namespace fixtures;

namespace {

struct Run {
    int code;
    QString out;
    QString err;
};

Run run(bool exportCards, const QString& db, const QString& file) {
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    const int code = RunVCardCommand(exportCards, db, file, outStream, errStream);
    outStream.flush();
    errStream.flush();
    return {code, out, err};
}

}  // namespace

class TestVCardCommandLine : public QObject {
    Q_OBJECT

  private slots:
    void sampleGoesOutAndComesBack() {
        QTemporaryDir dir;
        const QString sample = dir.filePath(QStringLiteral("sample.tbr"));
        MakeSampleDatabase(sample);
        const QString vcf = dir.filePath(QStringLiteral("sample.vcf"));
        Run r = run(true, sample, vcf);
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, QStringLiteral("Exported %1 contacts from %2 to %3.\n")
                            .arg(SampleContactCount())
                            .arg(sample, vcf));
        QVERIFY(r.err.isEmpty());

        const QString empty = dir.filePath(QStringLiteral("empty.tbr"));
        WriteDatabase(empty, DBLayouts().back(), {});
        r = run(false, empty, vcf);
        QCOMPARE(r.code, 0);
        QVERIFY(r.out.startsWith(QStringLiteral("Imported %1 contacts").arg(SampleContactCount())));
        // Saved: a fresh engine reads them from the file.
        QCOMPARE(ReadRows(*OpenDatabase(empty)), ReadRows(*OpenDatabase(sample)));
    }

    void failuresExitWithOne() {
        QTemporaryDir dir;
        const QString db = dir.filePath(QStringLiteral("db.tbr"));
        WriteDatabase(db, DBLayouts().back(), {QStringList{"Existing"}});
        const QByteArray before = ReadFile(db);
        const QString bad = dir.filePath(QStringLiteral("bad.vcf"));
        WriteFile(bad, "BEGIN:VCARD\r\nFN:x\r\n");
        Run r = run(false, db, bad);
        QCOMPARE(r.code, 1);
        QVERIFY(r.err.contains(QStringLiteral("has no end")));
        QCOMPARE(ReadFile(db), before);

        r = run(true, dir.filePath(QStringLiteral("missing.tbr")), bad);
        QCOMPARE(r.code, 1);
        QVERIFY(!r.err.isEmpty());
        // A file that is not a contacts database.
        const QString other = dir.filePath(QStringLiteral("other.tbr"));
        WriteFile(other, "not a database");
        QCOMPARE(run(true, other, dir.filePath(QStringLiteral("o.vcf"))).code, 1);
        QCOMPARE(run(true, db, dir.filePath(QStringLiteral("no/such/folder.vcf"))).code, 1);
    }
};

QTEST_MAIN(TestVCardCommandLine)
#include "test_VCardCommandLine.moc"
