// --export-vcard and --import-vcard against real files: counts, exit codes,
// and a refused file that leaves the database as it was.
#include "ExchangeFixtures.h"

#include "app/u_SampleDatabase.h"
#include "exchange/u_VCardCommandLine.h"
#include "session/u_ContactSchema.h"
#include "session/u_ContactsDB.h"
#include "support/u_OrvFileLib.h"

#include <QFile>
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

Run run(bool exportCards, const QString& db, const QString& file,
        TDuplicateAction duplicates = TDuplicateAction::Add, bool convert = false) {
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    const int code =
        RunVCardCommand(exportCards, db, file, outStream, errStream, duplicates, convert);
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

    void everyLetterOfACardComesBack() {
        QTemporaryDir dir;
        const QString vcf = dir.filePath(QStringLiteral("people.vcf"));
        WriteFile(vcf,
                  "BEGIN:VCARD\r\nVERSION:4.0\r\nFN:Søren Kierkegaard\r\n"
                  "N:Kierkegaard;Søren;;;\r\nNOTE:Иван 王\r\nEND:VCARD\r\n"
                  "BEGIN:VCARD\r\nVERSION:4.0\r\nFN:Ελένη Παπαδοπούλου\r\n"
                  "N:Παπαδοπούλου;Ελένη;;;\r\nNOTE:👩‍💻 Emoji "
                  "Test\r\nEND:VCARD\r\n");
        // Into a new (Unicode) database: every character back.
        const QString unicode = dir.filePath(QStringLiteral("new.tbr"));
        WriteContactsDatabase(unicode, RunningVersionText(), {});
        Run r = run(false, unicode, vcf);
        QCOMPARE(r.code, 0);
        QVERIFY(r.out.startsWith(QStringLiteral("Imported 2 contacts")));
        auto db = OpenDatabase(unicode);
        QCOMPARE(db->GetData(0, ContactSchema::FirstName), QStringLiteral("Søren"));
        QCOMPARE(db->GetData(0, ContactSchema::Notes), QStringLiteral("Иван 王"));
        QCOMPARE(db->GetData(1, ContactSchema::SurName), QStringLiteral("Παπαδοπούλου"));
        QCOMPARE(db->GetData(1, ContactSchema::Notes), QStringLiteral("👩‍💻 Emoji Test"));

        // Into a Central European one: refused, unchanged, no "success".
        const QString old = dir.filePath(QStringLiteral("old.tbr"));
        WriteDatabase(old, DBLayouts().back(), {QStringList{"Dvořák"}});
        const QByteArray before = ReadFile(old);
        r = run(false, old, vcf);
        QCOMPARE(r.code, 1);
        QVERIFY(r.out.isEmpty());
        QVERIFY2(r.err.contains(QStringLiteral("\"ø\" in the field")), qPrintable(r.err));
        QCOMPARE(ReadFile(old), before);
        QVERIFY(!QFile::exists(old + QStringLiteral(".bak")));

        // Unless converting is allowed: converted, backed up, imported.
        r = run(false, old, vcf, TDuplicateAction::Add, true);
        QCOMPARE(r.code, 0);
        QCOMPARE(ReadFile(old + QStringLiteral(".bak")), before);
        db = OpenDatabase(old);
        QCOMPARE(db->Encoding(), quib::TextEncoding::Utf8);
        QCOMPARE(db->GetData(0, ContactSchema::SurName), QStringLiteral("Dvořák"));
        QCOMPARE(db->GetData(1, ContactSchema::Notes), QStringLiteral("Иван 王"));
        QCOMPARE(db->RowsCount(), 3);
    }

    // Every card carries its contact's identity; the cards that come back
    // are known by it and by the duplicate rule.
    void reimportedCardsAreDuplicates_data() {
        QTest::addColumn<int>("action");
        QTest::addColumn<int>("added");
        QTest::newRow("add") << int(TDuplicateAction::Add) << SampleContactCount();
        QTest::newRow("skip") << int(TDuplicateAction::Skip) << 0;
        QTest::newRow("update") << int(TDuplicateAction::Update) << 0;
    }
    void reimportedCardsAreDuplicates() {
        QFETCH(int, action);
        QFETCH(int, added);
        QTemporaryDir dir;
        const QString sample = dir.filePath(QStringLiteral("sample.tbr"));
        MakeSampleDatabase(sample);
        const QString vcf = dir.filePath(QStringLiteral("sample.vcf"));
        QCOMPARE(run(true, sample, vcf).code, 0);
        QFile cards(vcf);
        QVERIFY(cards.open(QIODevice::ReadOnly));
        const QByteArray bytes = cards.readAll();
        QCOMPARE(bytes.count("\r\nUID:"), SampleContactCount());
        const QList<QStringList> before = ReadRows(*OpenDatabase(sample));

        const Run r = run(false, sample, vcf, TDuplicateAction(action));
        QCOMPARE(r.code, 0);
        QVERIFY2(r.out.startsWith(QStringLiteral("Imported %1 contacts").arg(added)),
                 qPrintable(r.out));
        QVERIFY2(r.out.contains(QStringLiteral("Already in the database or repeated in the "
                                               "file: %1;")
                                    .arg(SampleContactCount())),
                 qPrintable(r.out));
        const QList<QStringList> after = ReadRows(*OpenDatabase(sample));
        QCOMPARE(after.size(), before.size() + added);
        // Updating from the same cards changes nothing.
        QCOMPARE(after.mid(0, before.size()), before);
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
