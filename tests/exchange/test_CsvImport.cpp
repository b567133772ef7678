// The CSV import against real files and a real database: what is appended,
// how fields meet the mapping, encodings, and that a bad file appends nothing.
#include "ExchangeFixtures.h"

#include "app/u_SampleDatabase.h"
#include "exchange/u_CsvExporter.h"
#include "exchange/u_CsvImporter.h"
#include "exchange/u_CsvText.h"
#include "exchange/u_CsvTextSource.h"
#include "exchange/u_ExchangeCancelled.h"
#include "session/u_ContactSchema.h"
#include "support/u_ExchangeError.h"
#include "support/u_TextEncoding.h"

#include <QTemporaryDir>
#include <QTest>

#include <limits>

using namespace fixtures;

class TestCsvImport : public QObject {
    Q_OBJECT

  private:
    TImportScratch scratch_;

    QString path(const QString& name) const { return scratch_.path(name); }
    std::unique_ptr<TContactsSession> database(const QList<QStringList>& rows = {}) {
        return scratch_.database(rows);
    }
    QString csvFile(const QByteArray& bytes) { return scratch_.inputFile(bytes, "csv"); }

    static QList<int> columns(std::initializer_list<int> targets) { return QList<int>(targets); }
    static QList<int> allColumns() {
        QList<int> t;
        for (int i = 0; i < 32; ++i) {
            t << i;
        }
        return t;
    }

    static QStringList row(std::initializer_list<std::pair<int, QString>> cells) {
        QStringList r(32);
        for (const auto& [c, v] : cells) {
            r[c] = v;
        }
        return r;
    }

  private slots:
    void initTestCase() { QVERIFY(scratch_.isValid()); }

    void appendsRowsAtTheEndAndSavesOnce() {
        auto db = database({row({{0, "Existing"}})});
        const QString file = csvFile("Smith,John\r\nDoe,Jane\r\n");
        const int added = ImportCsv(*db, file, false, columns({0, 1}));
        QCOMPARE(added, 2);
        QCOMPARE(ReadRows(*db),
                 (QList<QStringList>{row({{0, "Existing"}}), row({{0, "Smith"}, {1, "John"}}),
                                     row({{0, "Doe"}, {1, "Jane"}})}));
        QCOMPARE(Writes(*db), 1);
    }

    void headerRowIsSkipped() {
        auto db = database();
        const QString file = csvFile("\"SurName\",\"FirstName\"\r\n\"Smith\",\"John\"\r\n");
        ImportCsv(*db, file, true, columns({0, 1}));
        QCOMPARE(ReadRows(*db), QList<QStringList>{row({{0, "Smith"}, {1, "John"}})});
    }

    void headerOnlyFileAppendsNothing() {
        auto db = database();
        const QString file = csvFile("\"SurName\",\"FirstName\"\r\n");
        QCOMPARE(ImportCsv(*db, file, true, columns({0, 1})), 0);
        QCOMPARE(db->Quib1().RowsCount(), 0);
        QCOMPARE(Writes(*db), 0);
    }

    void emptyLinesAreSkipped() {
        auto db = database();
        const QString file = csvFile("a\r\n\r\n\nb\n\r\n");
        QCOMPARE(ImportCsv(*db, file, false, columns({0})), 2);
        QCOMPARE(ReadRows(*db), (QList<QStringList>{row({{0, "a"}}), row({{0, "b"}})}));
    }

    void doNotImportEntryConsumesItsField() {
        auto db = database();
        const QString file = csvFile("skip me,Smith,John\n");
        ImportCsv(*db, file, false, columns({-1, 0, 1}));
        QCOMPARE(ReadRows(*db), QList<QStringList>{row({{0, "Smith"}, {1, "John"}})});
    }

    void extraFieldsAreIgnoredAndMissingStayEmpty() {
        auto db = database();
        // The bad quote lies beyond the mapping and is never read.
        const QString file = csvFile("a,b,c,\"d\"x\nx,y,\n");
        ImportCsv(*db, file, false, columns({3, 4, 5}));
        QCOMPARE(ReadRows(*db), (QList<QStringList>{row({{3, "a"}, {4, "b"}, {5, "c"}}),
                                                    row({{3, "x"}, {4, "y"}})}));
    }

    void emptyMappingAppendsEmptyRows() {
        auto db = database();
        const QString file = csvFile("a,b\nc,d\n");
        QCOMPARE(ImportCsv(*db, file, false, {}), 2);
        QCOMPARE(ReadRows(*db), (QList<QStringList>{row({}), row({})}));
        QCOMPARE(Writes(*db), 1);
    }

    void sameColumnTwiceKeepsTheLaterField() {
        auto db = database();
        ImportCsv(*db, csvFile("first,second\n"), false, columns({0, 0}));
        QCOMPARE(db->Quib1().GetData(0, 0), QStringLiteral("second"));
    }

    // Of several fields for a multi-line column, each non-empty and different
    // one is kept, one per line; a single-line column keeps the later field.
    void multiLineColumnJoinsItsFields_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QList<int>>("targets");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("phones") << QByteArray("Smith,777 1,,777 2,777 1\n")
                                << QList<int>{0, 8, 8, 8, 8}
                                << row({{0, "Smith"}, {8, "777 1\n777 2"}});
        QTest::newRow("address lines and a later single-line field")
            << QByteArray("Main St 1,flat 2,first,second\n") << QList<int>{3, 3, 0, 0}
            << row({{0, "second"}, {3, "Main St 1\nflat 2"}});
        QTest::newRow("all empty") << QByteArray(",,x\n") << QList<int>{8, 8, 0} << row({{0, "x"}});
        QTest::newRow("the line ends before the second")
            << QByteArray("a\n") << QList<int>{31, 31} << row({{31, "a"}});
    }
    void multiLineColumnJoinsItsFields() {
        QFETCH(QByteArray, line);
        QFETCH(QList<int>, targets);
        QFETCH(QStringList, expected);
        auto db = database();
        ImportCsv(*db, csvFile(line), false, targets);
        QCOMPARE(ReadRows(*db), QList<QStringList>{expected});
    }

    void multiLineFieldsAreTheCardsMultiLineFields() {
        QCOMPARE(TCsvImporter::MultiLineFields(), (QSet<int>{3, 8, 9, 12, 13, 18, 25, 26, 29, 31}));
    }

    void malformedLineAppendsNothing() {
        auto db = database({row({{0, "Existing"}})});
        const QString file = csvFile("a,b\r\nc,d\r\n\"e\"x,f\r\ng,h\r\n");
        try {
            ImportCsv(*db, file, false, columns({0, 1}));
            QFAIL("no error raised");
        } catch (const ECsvNotWellformed& e) {
            QCOMPARE(e.line(), 3);
            QCOMPARE(e.position(), 3);
            QCOMPARE(e.message(),
                     QStringLiteral("Source CSV file is not wellformed (position 3). Excepting "
                                    "\",\" (comma), but \"x\" found. (line 3)"));
        }
        QCOMPARE(ReadRows(*db), QList<QStringList>{row({{0, "Existing"}})});
        QCOMPARE(Writes(*db), 0);
    }

    void missingFileOrNoNameAppendsNothing() {
        auto db = database();
        QVERIFY_THROWS_EXCEPTION(EExchangeError, ImportCsv(*db, path(QStringLiteral("missing.csv")),
                                                           false, allColumns()));
        QVERIFY_THROWS_EXCEPTION(EExchangeError, ImportCsv(*db, QString(), false, allColumns()));
        QVERIFY_THROWS_EXCEPTION(EExchangeError,
                                 ImportCsv(*db, scratch_.folder(), false, allColumns()));
        // A device never ends: refused before reading.
        QVERIFY_THROWS_EXCEPTION(EExchangeError,
                                 ImportCsv(*db, QStringLiteral("/dev/zero"), false, allColumns()));
        QCOMPARE(db->Quib1().RowsCount(), 0);
        QCOMPARE(Writes(*db), 0);
    }

    void lineEndsAndCtrlZ() {
        auto db = database();
        const QString file = csvFile(
            "a\rb,c\r\nd\n\x1A"
            "e,f\n");
        ImportCsv(*db, file, false, columns({0, 1}));
        QCOMPARE(ReadRows(*db),
                 (QList<QStringList>{row({{0, "a"}}), row({{0, "b"}, {1, "c"}}), row({{0, "d"}})}));
    }

    // Older Mac programs end lines with CR alone.
    void crOnlyLineEnds() {
        auto db = database();
        const QString file = csvFile("\"SurName\",\"FirstName\"\r\"Smith\",\"John\"\rDoe,Jane\r");
        QCOMPARE(ImportCsv(*db, file, true, columns({0, 1})), 2);
        QCOMPARE(ReadRows(*db), (QList<QStringList>{row({{0, "Smith"}, {1, "John"}}),
                                                    row({{0, "Doe"}, {1, "Jane"}})}));
    }

    void quotedValuesSpanLines() {
        auto db = database();
        const QString file = csvFile(
            "\"SurName\",\"Notes\"\r\n"
            "\"Smith\",\"first line\r\nsecond, \"\"quoted\"\"\"\r\n"
            "\"Doe\",\"a\nb\"\r\n");
        QCOMPARE(ImportCsv(*db, file, true, columns({0, 31})), 2);
        QCOMPARE(ReadRows(*db),
                 (QList<QStringList>{row({{0, "Smith"}, {31, "first line\r\nsecond, \"quoted\""}}),
                                     row({{0, "Doe"}, {31, "a\nb"}})}));
    }

    void unterminatedQuoteAppendsNothing() {
        auto db = database({row({{0, "Existing"}})});
        const QString file = csvFile("a,b\r\nc,\"d\r\ne,f\r\n");
        try {
            ImportCsv(*db, file, false, columns({0, 1}));
            QFAIL("no error raised");
        } catch (const ECsvUnterminated& e) {
            QCOMPARE(e.line(), 2);
        }
        QCOMPARE(ReadRows(*db), QList<QStringList>{row({{0, "Existing"}})});
        QCOMPARE(Writes(*db), 0);
    }

    void utf16Files_data() {
        QTest::addColumn<QByteArray>("bytes");
        const QString text = QStringLiteral("\"Jméno\"\r\nDvořák,\"Žitná\r\n14\"\r\n");
        QByteArray le("\xFF\xFE");
        QByteArray be("\xFE\xFF");
        for (const QChar ch : text) {
            le += static_cast<char>(ch.unicode() & 0xFF);
            le += static_cast<char>(ch.unicode() >> 8);
            be += static_cast<char>(ch.unicode() >> 8);
            be += static_cast<char>(ch.unicode() & 0xFF);
        }
        QTest::newRow("UTF-16 LE") << le;
        QTest::newRow("UTF-16 BE") << be;
    }
    void utf16Files() {
        QFETCH(QByteArray, bytes);
        auto db = database();
        QCOMPARE(ImportCsv(*db, csvFile(bytes), true, columns({0, 3})), 1);
        QCOMPARE(ReadRows(*db), QList<QStringList>{row({{0, "Dvořák"}, {3, "Žitná\r\n14"}})});
    }

    void brokenUtf16IsRefused_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("odd length") << QByteArray(
            "\xFF\xFE"
            "a\0b",
            5);
    }
    void brokenUtf16IsRefused() {
        QFETCH(QByteArray, bytes);
        auto db = database();
        try {
            ImportCsv(*db, csvFile(bytes), false, columns({0}));
            QFAIL("no error raised");
        } catch (const EExchangeError& e) {
            QVERIFY2(e.message().contains(QStringLiteral("not valid UTF-16")),
                     qPrintable(e.message()));
        }
        QCOMPARE(db->Quib1().RowsCount(), 0);
    }

    void encodingsGiveTheSameContacts_data() {
        QTest::addColumn<QByteArray>("bytes");
        const QString text =
            QStringLiteral("Dvořák,Antonín,\"Žitná 14\"\r\nŠťastná,Věra,Ľubovoľná\r\n");
        QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBF") + text.toUtf8();
        QTest::newRow("UTF-8 without BOM") << text.toUtf8();
        QTest::newRow("Windows-1250") << QByteArray(
            "Dvo\xF8\xE1k,Anton\xEDn,\"\x8Eitn\xE1 14\"\r\n"
            "\x8A\x9D"
            "astn\xE1,V\xECra,\xBCubovo\xBEn\xE1\r\n");
    }
    void encodingsGiveTheSameContacts() {
        QFETCH(QByteArray, bytes);
        auto db = database();
        ImportCsv(*db, csvFile(bytes), false, columns({0, 1, 3}));
        QCOMPARE(ReadRows(*db),
                 (QList<QStringList>{row({{0, "Dvořák"}, {1, "Antonín"}, {3, "Žitná 14"}}),
                                     row({{0, "Šťastná"}, {1, "Věra"}, {3, "Ľubovoľná"}})}));
    }

    // Sample contacts and generated ones with line breaks, commas and quotes
    // in every multi-line field come back cell for cell.
    void exportThenImportRoundTrip() {
        QList<QStringList> contacts = SampleContacts();
        const QString sample = path(QStringLiteral("sample.tbr"));
        MakeSampleDatabase(sample);
        contacts += ReadRows(*OpenDatabase(sample));
        contacts += GeneratedContacts(1000);
        auto source = database(contacts);
        const QString file = path(QStringLiteral("roundtrip.csv"));
        TCsvExporter(source->Quib1(), ProgramColumns(), IdentityColumnMap())
            .ExportToFile(file, QList<bool>(32, true));
        auto dest = database();
        QCOMPARE(ImportCsv(*dest, file, true, allColumns()), contacts.size());
        QCOMPARE(dest->Quib1().RowsCount(), contacts.size());
        QCOMPARE(ReadRows(*dest), contacts);
    }

    // A CSV file this program wrote reads back as written: every text of one
    // and of two Czech letters, written alone in Windows-1250 as the export
    // writes it, also where its bytes happen to form UTF-8 ("Čš" would read
    // as "Ț").
    void czechLettersExportedReadBackAsWritten() {
        const QString letters = QStringLiteral("ÁČĎÉĚÍŇÓŘŠŤÚŮÝŽáčďéěíňóřšťúůýž");
        QStringList texts;
        for (const QChar a : letters) {
            texts << QString(a);
            for (const QChar b : letters) {
                texts << QString(a) + b;
            }
        }
        auto source = database({row({})});
        QList<bool> surnameOnly(32, false);
        surnameOnly[0] = true;
        const QString file = path(QStringLiteral("czech.csv"));
        for (const QString& text : texts) {
            QVERIFY(source->StoreField(0, 0, text));
            const QByteArray csv =
                TCsvExporter(source->Quib1(), ProgramColumns(), IdentityColumnMap())
                    .BuildCsv(surnameOnly);
            WriteFile(file, csv);
            TCsvTextSource read(file);
            QString all;
            for (QString piece; read.ReadPiece(piece);) {
                all += piece;
            }
            QCOMPARE(all, QStringLiteral("\"SurName\"\r\n\"%1\"\r\n").arg(text));
        }
        // Through the export and the import themselves.
        for (const QString& text :
             {QStringLiteral("Čš"), QStringLiteral("ěšť"), QStringLiteral("ÉŠ")}) {
            QVERIFY(source->StoreField(0, 0, text));
            TCsvExporter(source->Quib1(), ProgramColumns(), IdentityColumnMap())
                .ExportToFile(file, surnameOnly);
            auto dest = database();
            QCOMPARE(ImportCsv(*dest, file, true, columns({0})), 1);
            QCOMPARE(ReadRows(*dest), QList<QStringList>{row({{0, text}})});
        }
    }

    // A CSV file of count contacts, one field each.
    QString manyContacts(int count) {
        QByteArray bytes;
        for (int i = 0; i < count; ++i) {
            bytes += "Contact " + QByteArray::number(i) + "\r\n";
        }
        return csvFile(bytes);
    }

    void progressReachesTheEnd() {
        auto db = database();
        QList<std::pair<qint64, qint64>> told;
        const auto report = [&told](qint64 done, qint64 total) {
            told.append({done, total});
            return true;
        };
        QCOMPARE(ImportCsv(*db, manyContacts(1000), false, columns({0}), report), 1000);
        QVERIFY(told.size() > 3);
        // The check of the file knows no total yet; the rows appended do.
        QCOMPARE(told.first(), (std::pair<qint64, qint64>{0, 0}));
        QCOMPARE(told.last(), (std::pair<qint64, qint64>{1000, 1000}));
        for (qsizetype i = 1; i < told.size(); ++i) {
            QVERIFY(told[i].second != told[i - 1].second || told[i].first >= told[i - 1].first);
        }
        QCOMPARE(db->Quib1().RowsCount(), 1000);
    }

    void cancelLeavesTheDatabaseAsItWas_data() {
        QTest::addColumn<bool>("whileChecking");
        QTest::newRow("while appending") << false;
        QTest::newRow("while checking the file") << true;
    }
    void cancelLeavesTheDatabaseAsItWas() {
        QFETCH(bool, whileChecking);
        auto db = database({row({{0, "Existing"}}), row({{0, "Second"}})});
        const QByteArray fileBefore = ReadFile(scratch_.lastDatabase);
        const QList<QStringList> rowsBefore = ReadRows(*db);
        int appendedWhenStopped = 0;
        const auto report = [&](qint64 done, qint64 total) {
            const bool appending = total > 0;
            if (appending != whileChecking && done >= 512) {
                appendedWhenStopped = db->Quib1().RowsCount() - 2;
                return false;
            }
            return true;
        };
        QVERIFY_THROWS_EXCEPTION(EExchangeCancelled,
                                 ImportCsv(*db, manyContacts(2000), false, columns({0}), report));
        QCOMPARE(appendedWhenStopped, whileChecking ? 0 : 512);
        QCOMPARE(ReadRows(*db), rowsBefore);
        QCOMPARE(Writes(*db), 0);
        QCOMPARE(ReadFile(scratch_.lastDatabase), fileBefore);
    }

    // A large file is read as two halves at once: whatever it holds, the
    // records (or the error) are those of one pass over it.
    void largeFilesReadAsInOnePass_data() {
        QTest::addColumn<QByteArray>("bytes");
        QByteArray csv = "Surname,First,Notes\r\n";
        for (int i = 0; csv.size() < 3 * TCsvImporter::kSplitBytes; ++i) {
            csv += "Dvořák " + QByteArray::number(i) + ",\"Jan, \"\"Honza\"\"\",\"line 1\r\nline " +
                   QByteArray::number(i) + "\"\r\n";
        }
        const qsizetype middle = csv.size() / 2;
        const qsizetype early = csv.indexOf("\r\nDvořák", middle / 2) + 2;
        const qsizetype late = csv.indexOf("\r\nDvořák", middle + middle / 2) + 2;
        QTest::newRow("CR LF") << csv;
        QTest::newRow("LF") << QByteArray(csv).replace("\r\n", "\n");
        QTest::newRow("CR, never split") << QByteArray(csv).replace("\r\n", "\r");
        QTest::newRow("byte-order mark") << "\xEF\xBB\xBF" + csv;
        QTest::newRow("Windows-1250") << EncodeWindows1250(QString::fromUtf8(csv));
        // A quoted value of many lines around the middle: the first line end
        // after it lies inside quotes.
        QByteArray lines;
        for (int i = 0; i < 4000; ++i) {
            lines += "a quoted line of the long note\r\n";
        }
        const qsizetype at = csv.lastIndexOf("\r\nDvořák", middle - lines.size() / 2) + 2;
        QTest::newRow("quoted lines around the middle")
            << csv.left(at) + "Long,,\"" + lines + "end\"\r\n" + csv.mid(at);
        // A double quote inside an unquoted field makes the line end
        // after the middle that seems outside quotes lie inside them.
        QTest::newRow("stray quote in the first half")
            << csv.left(early) + "5\" floppy,x,y\r\n" + csv.mid(early);
        QTest::newRow("Ctrl+Z in the first half") << csv.left(early) + "\x1A" + csv.mid(early);
        QTest::newRow("Ctrl+Z in the second half") << csv.left(late) + "\x1A" + csv.mid(late);
        QTest::newRow("malformed in the second half")
            << csv.left(late) + "\"e\"x,f\r\n" + csv.mid(late);
        QTest::newRow("malformed in the first half")
            << csv.left(early) + "\"e\"x,f\r\n" + csv.mid(early);
        QTest::newRow("unterminated at the end") << csv + "\"open";
    }
    void largeFilesReadAsInOnePass() {
        QFETCH(QByteArray, bytes);
        const QString file = csvFile(bytes);
        const auto read = [&file](qint64 splitBytes, qint64& told) {
            TCsvImporter importer;
            importer.SetSplitBytes(splitBytes);
            importer.SetProgress([&told](qint64 done, qint64) {
                told = done;
                return true;
            });
            return importer.Read(file, true, columns({0, 1, 31}));
        };
        qint64 toldOnce = 0;
        TRecordBatch once;
        QString error;
        try {
            once = read(std::numeric_limits<qint64>::max(), toldOnce);
        } catch (const EExchangeError& e) {
            error = e.message();
        }
        qint64 told = 0;
        try {
            const TRecordBatch halves = read(TCsvImporter::kSplitBytes, told);
            QVERIFY2(error.isEmpty(), qPrintable(error));
            QCOMPARE(halves.RowCount(), once.RowCount());
            QCOMPARE(told, toldOnce);
            for (int r = 0; r < once.RowCount(); ++r) {
                QCOMPARE(halves.Row(r, 32), once.Row(r, 32));
            }
        } catch (const EExchangeError& e) {
            QCOMPARE(e.message(), error);
        }
    }

    // Stopped through its progress while either half is read, the reading
    // ends with nothing read.
    void stoppedWhileReadingHalves() {
        QByteArray csv;
        for (int i = 0; csv.size() < 3 * TCsvImporter::kSplitBytes; ++i) {
            csv += "Contact " + QByteArray::number(i) + ",x\r\n";
        }
        const QString file = csvFile(csv);
        const int records = static_cast<int>(csv.count('\n'));
        // Progress is told every kEvery records.
        const qint64 last = records / TExchangeProgress::kEvery * TExchangeProgress::kEvery;
        for (const qint64 stopAt : {TExchangeProgress::kEvery, last}) {
            TCsvImporter importer;
            qint64 told = 0;
            importer.SetProgress([&told, stopAt](qint64 done, qint64) {
                told = done;
                return done < stopAt;
            });
            QVERIFY_THROWS_EXCEPTION(EExchangeCancelled, importer.Read(file, false, columns({0})));
            QCOMPARE(told, stopAt);
        }
    }

    void mappingFieldsAreProgramColumns() {
        // The session translates them through the open database's column map.
        QCOMPARE(TCsvImporter::MappingFields({"3", "-1", "2", "0", "31", "x", "32"}),
                 columns({3, -1, 2, 0, 31, -1, -1}));
    }

    void fieldOfAMissingColumnIsDropped() {
        // A database without Home_Nick (program field 2): its fields go nowhere.
        QStringList names = ProgramColumns();
        names.removeAt(2);
        const QString file = path(QStringLiteral("nonick.tbr"));
        TDBLayout layout = DBLayouts().back();
        layout.columns = names;
        WriteDatabase(file, layout, {});
        TContactsSession session(QStringLiteral("9.9.9.9"));
        QVERIFY(session.OpenFile(file));
        QCOMPARE(ImportCsv(session, csvFile("Smith,Smithy,Street 1\n"), false, columns({0, 2, 3})),
                 1);
        // Home_Address (field 3) lives in database column 2.
        QCOMPARE(ReadRows(session).value(0).mid(0, 3),
                 (QStringList{"Smith", QString(), "Street 1"}));
    }

    void firstRecord() {
        const QString file = csvFile("\"SurName\",\"First\r\nName\",\r\nx,y\r\n");
        const TCsvImporter::TFirstRecord first = TCsvImporter::ReadFirstRecord(file);
        QCOMPARE(first.fields, (QStringList{"SurName", "First\r\nName"}));
        QVERIFY(!first.more);
        QCOMPARE(TCsvImporter::ReadFirstRecord(csvFile("")).fields, QStringList{});
        QVERIFY_THROWS_EXCEPTION(
            EExchangeError, TCsvImporter::ReadFirstRecord(path(QStringLiteral("missing.csv"))));
    }

    // The start of a file: the first record, then the records that are not
    // empty lines, no more than asked for; a bad record later ends them.
    void head() {
        const QString file = csvFile("h1,h2\r\n\r\na,\"b\r\nc\"\r\nd\r\ne\r\n\"f\"x\r\n");
        TCsvImporter::THead head = TCsvImporter::ReadHead(file, 2);
        QCOMPARE(head.first.fields, (QStringList{"h1", "h2"}));
        QVERIFY(!head.firstIsEmptyLine);
        QCOMPARE(head.following, (QList<QStringList>{{"a", "b\r\nc"}, {"d"}}));
        QVERIFY(head.error.isEmpty());
        head = TCsvImporter::ReadHead(file, 20);
        QCOMPARE(head.following, (QList<QStringList>{{"a", "b\r\nc"}, {"d"}, {"e"}}));
        QCOMPARE(head.error, QStringLiteral("Source CSV file is not wellformed (position 3). "
                                            "Excepting \",\" (comma), but \"x\" found. (line 7)"));
        head = TCsvImporter::ReadHead(csvFile("\r\nx\r\n"), 20);
        QVERIFY(head.firstIsEmptyLine);
        QCOMPARE(head.following, QList<QStringList>{{"x"}});
        QVERIFY_THROWS_EXCEPTION(ECsvNotWellformed,
                                 TCsvImporter::ReadHead(csvFile("\"a\"b\n"), 20));
    }

    // A first line of millions of commas shows its first thousand fields.
    void firstRecordIsCutToTheLimit() {
        const QString file = csvFile(QByteArray(3'000'000, ',') + "\nx\n");
        const TCsvImporter::TFirstRecord first = TCsvImporter::ReadFirstRecord(file);
        QCOMPARE(first.fields.size(), TCsvImporter::kPreviewFieldLimit);
        QVERIFY(first.more);
    }
};

QTEST_MAIN(TestCsvImport)
#include "test_CsvImport.moc"
