// vCard import and export against real files and databases: the round trip
// of generated contacts, the shapes phones and mail programs write, and
// hostile or broken files, which change nothing. The cards written are
// tested in test_VCardExport.
#include "ExchangeFixtures.h"

#include "app/u_SampleDatabase.h"
#include "exchange/u_ExchangeCancelled.h"
#include "exchange/u_VCardExchange.h"
#include "exchange/u_VCardReader.h"
#include "session/u_ContactSchema.h"
#include "support/u_ExchangeError.h"
#include "support/u_TextEncoding.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

using namespace fixtures;

class TestVCard : public QObject {
    Q_OBJECT

  private:
    TImportScratch scratch_;

    QString path(const QString& name) const { return scratch_.path(name); }
    std::unique_ptr<TContactsSession> database(const QList<QStringList>& rows = {}) {
        return scratch_.database(rows);
    }
    QString file(const QByteArray& bytes) { return scratch_.inputFile(bytes, "vcf"); }

    void roundTrip(TVCardVersion version) {
        QList<QStringList> contacts = SampleContacts();
        const QString sample = path(QStringLiteral("sample%1.tbr").arg(int(version)));
        MakeSampleDatabase(sample);
        contacts += ReadRows(*OpenDatabase(sample));
        // Enough contacts that the file is read in several pieces.
        contacts += GeneratedContacts(3000);
        auto source = database(contacts);
        const QString vcf = path(QStringLiteral("roundtrip.vcf"));
        QCOMPARE(TVCardExchange(source->Quib1(), IdentityColumnMap()).ExportToFile(vcf, version),
                 contacts.size());
        QVERIFY(QFileInfo(vcf).size() > 1024 * 1024);
        auto dest = database();
        QCOMPARE(ImportVCards(*dest, vcf), contacts.size());
        QCOMPARE(Writes(*dest), 1);
        const QList<QStringList> back = ReadRows(*dest);
        QCOMPARE(back.size(), contacts.size());
        for (int r = 0; r < contacts.size(); ++r) {
            QCOMPARE(back[r], contacts[r]);
        }
    }

  private slots:
    void initTestCase() { QVERIFY(scratch_.isValid()); }

    void roundTripVersion4() { roundTrip(TVCardVersion::V4_0); }
    void roundTripVersion3() { roundTrip(TVCardVersion::V3_0); }

    void realWorldShapes_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QList<QStringList>>("contacts");
        QTest::newRow("2.1 quoted-printable Czech")
            << QByteArray(
                   "BEGIN:VCARD\r\n"
                   "VERSION:2.1\r\n"
                   "N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:Dvo=C5=99=C3=A1k;Anton=C3=ADn;;;\r\n"
                   "FN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:Anton=C3=ADn Dvo=C5=99=C3=A1k\r\n"
                   "TEL;CELL;PREF:+420 602 111 222\r\n"
                   "TEL;WORK;VOICE:+420 222 333 444\r\n"
                   "TEL;HOME;FAX:+420 222 333 445\r\n"
                   "ADR;HOME;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:;;=C5=BDitn=C3=A1 14;Praha;;"
                   "120 00;=C4=8Cesko\r\n"
                   "NOTE;ENCODING=QUOTED-PRINTABLE;CHARSET=UTF-8:Prvn=C3=AD =\r\n"
                   "=C5=99=C3=A1dek=0D=0Adruh=C3=BD\r\n"
                   "N;CHARSET=WINDOWS-1250;ENCODING=QUOTED-PRINTABLE:Druh=FD;Jm=E9no\r\n"
                   "END:VCARD\r\n")
            << QList<QStringList>{ContactRow({{0, "Dvořák"},
                                              {1, "Antonín"},
                                              {3, "Žitná 14"},
                                              {4, "Praha"},
                                              {6, "120 00"},
                                              {7, "Česko"},
                                              {8, "+420 602 111 222"},
                                              {9, "+420 222 333 445"},
                                              {25, "+420 222 333 444"},
                                              {31, "První řádek\ndruhý"}})};
        QTest::newRow("3.0 type lists, groups and PREF")
            << QString(
                   "BEGIN:VCARD\n"
                   "VERSION:3.0\n"
                   "N:Nováková;Věra;;;\n"
                   "FN:Věra Nováková\n"
                   "ORG:Šťastná kniha s.r.o.;Redakce\n"
                   "TITLE:Editorka\n"
                   "TEL;TYPE=WORK,VOICE:+420 111\n"
                   "TEL;TYPE=CELL:+420 602 000 001\n"
                   "TEL;TYPE=HOME;TYPE=PREF:+420 602 000 002\n"
                   "item1.EMAIL;TYPE=INTERNET:vera@example.cz\n"
                   "item1.X-ABLabel:_$!<Other>!$_\n"
                   "item2.EMAIL;TYPE=INTERNET,WORK:vera@kniha.cz\n"
                   "EMAIL;TYPE=INTERNET,HOME:vera.second@example.cz\n"
                   "item3.ADR;TYPE=WORK:;;Národní 10;Praha;;110 00;Česká republika\n"
                   "item3.X-ABADR:cz\n"
                   "URL;TYPE=WORK:https://kniha.cz\n"
                   "X-ICQ:123456\n"
                   "BDAY:1970-01-01\n"
                   "END:VCARD\n")
                   .toUtf8()
            << QList<QStringList>{ContactRow({{0, "Nováková"},
                                              {1, "Věra"},
                                              {8, "+420 602 000 002\n+420 602 000 001"},
                                              {11, "vera@example.cz"},
                                              {12, "123456"},
                                              {15, "Šťastná kniha s.r.o."},
                                              {16, "Redakce"},
                                              {17, "Editorka"},
                                              {18, "Národní 10"},
                                              {19, "Praha"},
                                              {21, "110 00"},
                                              {22, "Česká republika"},
                                              {25, "+420 111"},
                                              {27, "https://kniha.cz"},
                                              {28, "vera@kniha.cz"},
                                              {31, "E-mail (home): vera.second@example.cz"}})};
        QTest::newRow("4.0 PREF and a photo")
            << QString(
                   "BEGIN:VCARD\r\n"
                   "VERSION:4.0\r\n"
                   "FN:Jan Novák\r\n"
                   "N:Novák;Jan;;Ing.;\r\n"
                   "PHOTO:data:image/jpeg;base64,MIICajCCAdOgAwIBAgICBEUwDQYJKoZIhvcNAQEEBQAwd\r\n"
                   " zELMAkGA1UEBhMCVVMxLDAqBgNVBAoTI05ldHNjYXBlIENvbW11bmljYXRpb25zIENvcnBvcm\r\n"
                   " F0aW9uMRwwGgYDVQQLExNJbmZvcm1hdGlvbiBTeXN0\r\n"
                   "EMAIL;TYPE=work:a@example.cz\r\n"
                   "EMAIL;TYPE=work;PREF=1:b@example.cz\r\n"
                   "TEL;VALUE=uri;TYPE=\"voice,home\";PREF=1:tel:+420-600-1\r\n"
                   "TEL;VALUE=uri;TYPE=home:tel:+420-600-2\r\n"
                   "IMPP;PREF=1:xmpp:jan@example.cz\r\n"
                   "END:VCARD\r\n")
                   .toUtf8()
            << QList<QStringList>{
                   ContactRow({{0, "Novák"},
                               {1, "Jan"},
                               {8, "+420-600-1\n+420-600-2"},
                               {28, "b@example.cz"},
                               {31,
                                "Instant messaging: xmpp:jan@example.cz\nTitle: Ing.\n"
                                "E-mail (work): a@example.cz"}})};
        QTest::newRow("folded with a tab, LF and CR-only ends, blank lines, two cards")
            << QString(
                   "BEGIN:VCARD\rVERSION:3.0\rN:Černá;Lucie\rNOTE:Dlouhá pozn\r\támka\r"
                   "END:VCARD\r\r\n\n"
                   "BEGIN:VCARD\nVERSION:4.0\nFN:Hotel U Vltavy\nORG:Hotel U Vltavy\n"
                   "END:VCARD\n")
                   .toUtf8()
            << QList<QStringList>{ContactRow({{0, "Černá"}, {1, "Lucie"}, {31, "Dlouhá poznámka"}}),
                                  ContactRow({{15, "Hotel U Vltavy"}})};
        QTest::newRow("Windows-1250 bytes")
            << QByteArray(
                   "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Dvo\xF8\xE1k;Anton\xEDn\r\n"
                   "FN:Anton\xEDn Dvo\xF8\xE1k\r\nEND:VCARD\r\n")
            << QList<QStringList>{ContactRow({{0, "Dvořák"}, {1, "Antonín"}})};
        QTest::newRow("UTF-8 with BOM, a name only in FN, a nested card")
            << QByteArray("\xEF\xBB\xBF") +
                   QString(
                       "BEGIN:VCARD\r\nVERSION:2.1\r\nFN:Šimková\r\nAGENT:\r\n"
                       "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Agent;X\r\nEND:VCARD\r\n"
                       "END:VCARD\r\n")
                       .toUtf8()
            << QList<QStringList>{ContactRow({{0, "Šimková"}})};
    }
    void realWorldShapes() {
        QFETCH(QByteArray, bytes);
        QFETCH(QList<QStringList>, contacts);
        QCOMPARE(ReadVCards(bytes), contacts);
        auto db = database({ContactRow({{0, "Existing"}})});
        QCOMPARE(ImportVCards(*db, file(bytes)), contacts.size());
        QCOMPARE(ReadRows(*db), QList<QStringList>{ContactRow({{0, "Existing"}})} + contacts);
        QCOMPARE(Writes(*db), 1);
    }

    void brokenFilesChangeNothing_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("line");  // 0: no line named
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("czech");  // the message in Czech, where checked
        const QByteArray good = "BEGIN:VCARD\r\nVERSION:4.0\r\nFN:A\r\nEND:VCARD\r\n";
        QTest::newRow("card without end")
            << good + "BEGIN:VCARD\r\nFN:B\r\n"
            << 5 << "The card that begins on line 5 of the vCard file has no end."
            << "Vizitka, která začíná na řádku 5 souboru vCard, nemá konec.";
        QTest::newRow("not a property") << good + "BEGIN:VCARD\r\nhello world\r\nEND:VCARD\r\n"
                                        << 6 << "Line 6 of the vCard file is not a vCard property."
                                        << "Řádek 6 souboru vCard není vlastností vCard.";
        QTest::newRow("outside a card")
            << "FN:A\r\n" + good << 1 << "Line 1 of the vCard file lies outside a card."
            << "Řádek 1 souboru vCard leží mimo vizitku.";
        QTest::newRow("end without begin")
            << good + "END:VCARD\r\n"
            << 5 << "Line 5 of the vCard file ends a card that was not begun."
            << "Řádek 5 souboru vCard ukončuje vizitku, která nebyla zahájena.";
        QTest::newRow("a CSV file") << QByteArray("\"SurName\",\"FirstName\"\r\n") << 1
                                    << "Line 1 of the vCard file is not a vCard property."
                                    << "";
        QTest::newRow("empty file") << QByteArray() << 0 << "holds no vCard"
                                    << "";
        QTest::newRow("blank lines only") << QByteArray("\r\n \r\n\t\n") << 0 << "holds no vCard"
                                          << "";
        QByteArray manyLines = "BEGIN:VCARD\r\n";
        for (int i = 0; i < TVCardReader::kMaxCardLines + 1; ++i) {
            manyLines += "NOTE:x\r\n";
        }
        QTest::newRow("card of too many lines")
            << manyLines + "END:VCARD\r\n"
            << 1 << "The card that begins on line 1 of the vCard file is too large."
            << "Vizitka, která začíná na řádku 1 souboru vCard, je příliš velká.";
        QTest::newRow("line longer than 16 MiB")
            << "BEGIN:VCARD\r\nNOTE:" + QByteArray(TVCardReader::kMaxLineBytes / 2, 'x') + "\r\n " +
                   QByteArray(TVCardReader::kMaxLineBytes / 2, 'y') + "\r\nEND:VCARD\r\n"
            << 2 << "Line 2 of the vCard file is longer than 16 MiB."
            << "Řádek 2 souboru vCard je delší než 16 MiB.";
        // Not UTF-8, and with a byte Windows-1250 has no character for.
        QTest::newRow("card of no known encoding")
            << good + "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Dvo\xF8\xE1k\x81;A\r\nEND:VCARD\r\n" + good
            << 5
            << "The card that begins on line 5 of the vCard file is neither UTF-8 nor "
               "Windows-1250 text."
            << "";
    }

    // Each card is judged by its own bytes: one card of Windows-1250 (or one
    // broken byte) in a file of 2,000 UTF-8 cards garbles none of the others.
    void encodingIsDecidedPerCard() {
        const auto card = [](const QString& name, bool windows1250) {
            const QString text = QStringLiteral(
                                     "BEGIN:VCARD\r\nVERSION:3.0\r\nN:%1;Antonín\r\n"
                                     "END:VCARD\r\n")
                                     .arg(name);
            return windows1250 ? EncodeWindows1250(text) : text.toUtf8();
        };
        QByteArray bytes;
        for (int i = 0; i < 2000; ++i) {
            bytes += card(QStringLiteral("Dvořák"), i == 1000);
        }
        // A CHARSET parameter speaks for its value only.
        bytes +=
            "BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=windows-1250:\x8Akoda;Old\r\n"
            "NOTE:\xC5\xBDlu\xC5\xA5ou\xC4\x8Dk\xC3\xBD\r\nEND:VCARD\r\n"
            // Quoted-printable without a CHARSET follows its card: Windows-1250.
            "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Nov\xE1k;Jan\r\n"
            "NOTE;ENCODING=QUOTED-PRINTABLE:=8Akoda\r\nEND:VCARD\r\n";
        const QList<QStringList> cards = ReadVCards(bytes);
        QCOMPARE(cards.size(), 2002);
        for (int i = 0; i < 2000; ++i) {
            QCOMPARE(cards[i][0], QStringLiteral("Dvořák"));
            QCOMPARE(cards[i][1], QStringLiteral("Antonín"));
        }
        QCOMPARE(cards[2000][0], QStringLiteral("Škoda"));
        QCOMPARE(cards[2000][31], QStringLiteral("Žluťoučký"));
        QCOMPARE(cards[2001][0], QStringLiteral("Novák"));
        QCOMPARE(cards[2001][31], QStringLiteral("Škoda"));

        // In a file that is UTF-8 as a whole, a quoted-printable value
        // without CHARSET is judged by its own bytes.
        const QByteArray utf8File = QStringLiteral(
                                        "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Dvořák;Jan\r\n"
                                        "NOTE;ENCODING=QUOTED-PRINTABLE:=8Akoda =C5=BE\r\n"
                                        "X-ORVANE-HOBBY;ENCODING=QUOTED-PRINTABLE:=C5=A1achy\r\n"
                                        "END:VCARD\r\n")
                                        .toUtf8();
        const QList<QStringList> mixed = ReadVCards(utf8File);
        QCOMPARE(mixed.size(), 1);
        QCOMPARE(mixed[0][0], QStringLiteral("Dvořák"));
        QCOMPARE(mixed[0][31], QStringLiteral("Škoda Ĺľ"));
        QCOMPARE(mixed[0][13], QStringLiteral("šachy"));
        try {
            ReadVCards(
                "BEGIN:VCARD\r\nVERSION:2.1\r\nN:A\r\nEND:VCARD\r\n"
                "BEGIN:VCARD\r\nVERSION:2.1\r\nNOTE;ENCODING=QUOTED-PRINTABLE:=81=C5\r\n"
                "END:VCARD\r\n");
            QFAIL("no error raised");
        } catch (const EVCardError& e) {
            QCOMPARE(e.line(), 5);
        }
    }

    // A NUL would end the cell's text in the database: it is dropped and the
    // rest of the value kept.
    void nulInsideAValueIsDropped() {
        const char raw[] =
            "BEGIN:VCARD\r\nVERSION:4.0\r\nN:Dvo\0\xC5\x99\xC3\xA1k;Jan\r\n"
            "NOTE:first\0 and the rest\r\nEND:VCARD\r\n";
        const QByteArray bytes(raw, sizeof raw - 1);
        QCOMPARE(ReadVCards(bytes), QList<QStringList>{ContactRow(
                                        {{0, "Dvořák"}, {1, "Jan"}, {31, "first and the rest"}})});
        auto db = database();
        QCOMPARE(ImportVCards(*db, file(bytes)), 1);
        QCOMPARE(ReadRows(*db), QList<QStringList>{ContactRow(
                                    {{0, "Dvořák"}, {1, "Jan"}, {31, "first and the rest"}})});
    }
    void brokenFilesChangeNothing() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, line);
        QFETCH(QString, message);
        auto db = database({ContactRow({{0, "Existing"}})});
        try {
            ImportVCards(*db, file(bytes));
            QFAIL("no error raised");
        } catch (const EVCardError& e) {
            QCOMPARE(e.line(), line);
            QCOMPARE(e.message(), message);
        } catch (const EExchangeError& e) {
            QCOMPARE(line, 0);
            QVERIFY2(e.message().contains(message), qPrintable(e.message()));
        }
        QCOMPARE(ReadRows(*db), QList<QStringList>{ContactRow({{0, "Existing"}})});
        QCOMPARE(Writes(*db), 0);
        // The reader speaks the user's language.
        QFETCH(QString, czech);
        if (!czech.isEmpty()) {
            QTranslator module;
            QVERIFY(module.load(QStringLiteral(PELLUM_CZECH_MODULE)));
            QCoreApplication::installTranslator(&module);
            QString said;
            try {
                ImportVCards(*db, file(bytes));
            } catch (const EExchangeError& e) {
                said = e.message();
            }
            QCoreApplication::removeTranslator(&module);
            QCOMPARE(said, czech);
        }
    }

    // A file is read in pieces of 1 MiB: a line end, a fold or a character
    // cut by the end of a piece reads as it does in one piece, and a line
    // longer than a piece is read whole.
    void linesAcrossPieces_data() {
        QTest::addColumn<QByteArray>("encoding");
        QTest::addColumn<int>("shift");
        for (const char* encoding : {"UTF-8", "UTF-16LE"}) {
            for (int shift = -3; shift <= 3; ++shift)
                QTest::addRow("%s, %d", encoding, shift) << QByteArray(encoding) << shift;
        }
    }
    void linesAcrossPieces() {
        QFETCH(QByteArray, encoding);
        QFETCH(int, shift);
        constexpr qsizetype kPiece = 1024 * 1024;
        const QByteArray head = "BEGIN:VCARD\r\nVERSION:4.0\r\nFN:Věra\r\nNOTE:";
        // The note's line ends (or is folded) near the end of the first
        // piece, and a long second note goes past the end of the second.
        QByteArray note(kPiece - head.size() - 1 + shift, 'x');
        note.replace(note.size() - 8, 2, "\xC5\x99");  // "ř", cut where shift puts it
        const QByteArray longNote(kPiece + 100, 'y');
        const QByteArray folded = note.left(note.size() / 2) + "\r\n " + note.mid(note.size() / 2);
        for (const QByteArray& noteLine : {note, folded}) {
            const QByteArray card = head + noteLine + "\r\nTITLE:" + longNote +
                                    "\r\nEND:VCARD\r\nBEGIN:VCARD\r\nFN:Eva\r\nEND:VCARD\r\n";
            QByteArray bytes = card;
            if (encoding == "UTF-16LE") {
                const QString text = QString::fromUtf8(card);
                bytes = QByteArray("\xFF\xFE", 2) +
                        QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
            }
            QList<QStringList> read;
            QCOMPARE(
                TVCardReader::ReadFile(file(bytes), [&read](const QStringList& c) { read << c; }),
                2);
            QCOMPARE(read, ReadVCards(card));
            QCOMPARE(read[0][ContactSchema::Notes], QString::fromUtf8(note));
            QCOMPARE(read[0][ContactSchema::Work_Position].size(), longNote.size());
            QVERIFY(read[1].contains(QStringLiteral("Eva")));
        }
    }

    // A large file is read as two halves at once: whatever it holds, the
    // cards (or the error) are those of one pass over it.
    void largeFilesReadAsInOnePass_data() {
        QTest::addColumn<QByteArray>("bytes");
        auto source = database(GeneratedContacts(2500));
        const QByteArray cards =
            TVCardExchange(source->Quib1(), IdentityColumnMap()).BuildVCards(TVCardVersion::V3_0);
        QVERIFY(cards.size() > 2 * TVCardReader::kSplitBytes);
        const qsizetype middle = cards.size() / 2;
        QTest::newRow("CR LF") << cards;
        QTest::newRow("LF") << QByteArray(cards).replace("\r\n", "\n");
        QTest::newRow("CR, never split") << QByteArray(cards).replace("\r\n", "\r");
        QTest::newRow("byte-order mark") << "\xEF\xBB\xBF" + cards;
        QTest::newRow("Windows-1250") << EncodeWindows1250(QString::fromUtf8(cards));
        // A card nested in the card the middle falls in begins the first
        // line that looks like a card after the middle.
        const qsizetype outer = cards.lastIndexOf("BEGIN:VCARD", middle);
        const qsizetype outerEnd = cards.indexOf("END:VCARD", outer);
        QTest::newRow("nested card after the middle")
            << cards.left(outer) + "BEGIN:VCARD\r\nFN:Outer\r\nNOTE:" +
                   QByteArray(cards.indexOf("\n", middle) + 2000 - outer, 'x') +
                   "\r\nBEGIN:VCARD\r\nFN:Agent\r\nEND:VCARD\r\n" + cards.mid(outerEnd);
        const qsizetype late = cards.indexOf("BEGIN:VCARD", middle + middle / 2);
        QTest::newRow("broken line in the second half")
            << cards.left(late) + "BEGIN:VCARD\r\nhello\r\n" + cards.mid(late);
        QTest::newRow("card without end at the end") << cards + "BEGIN:VCARD\r\nFN:B\r\n";
        QTest::newRow("end without begin after the middle")
            << cards.left(late) + "END:VCARD\r\n" + cards.mid(late);
        const qsizetype early = cards.indexOf("BEGIN:VCARD", middle / 2);
        QTest::newRow("broken line in the first half")
            << cards.left(early) + "NOTE:outside\r\n" + cards.mid(early);
    }
    void largeFilesReadAsInOnePass() {
        QFETCH(QByteArray, bytes);
        QList<QStringList> expected;
        QString expectedError;
        int expectedLine = 0;
        try {
            TVCardReader::Read(bytes, [&expected](const QStringList& c) { expected << c; });
        } catch (const EVCardError& e) {
            expectedError = e.message();
            expectedLine = e.line();
        }
        int counted = 0;
        try {
            const TPackedRows read =
                TVCardReader::ReadFileInto(file(bytes), [&counted] { ++counted; });
            QVERIFY2(expectedError.isEmpty(), qPrintable(expectedError));
            QCOMPARE(read.RowCount(), expected.size());
            QCOMPARE(counted, expected.size());
            for (int r = 0; r < read.RowCount(); ++r) {
                QCOMPARE(read.Row(r, 33), expected[r] + QStringList(33 - expected[r].size()));
            }
        } catch (const EVCardError& e) {
            QCOMPARE(e.message(), expectedError);
            QCOMPARE(e.line(), expectedLine);
        }
    }

    // Stopped through its progress while either half is read, the reading
    // ends with nothing read.
    void stoppedWhileReadingHalves() {
        auto source = database(GeneratedContacts(2500));
        const QString vcf = path(QStringLiteral("halves.vcf"));
        TVCardExchange(source->Quib1(), IdentityColumnMap()).ExportToFile(vcf, TVCardVersion::V4_0);
        QVERIFY(QFileInfo(vcf).size() > 2 * TVCardReader::kSplitBytes);
        for (const int stopAt : {10, 2000}) {
            int counted = 0;
            QVERIFY_THROWS_EXCEPTION(EExchangeCancelled,
                                     TVCardReader::ReadFileInto(vcf, [&counted, stopAt] {
                                         if (++counted == stopAt) {
                                             throw EExchangeCancelled();
                                         }
                                     }));
            QCOMPARE(counted, stopAt);
        }
    }

    void filesThatCannotBeRead() {
        auto db = database();
        TVCardExchange exchange(db->Quib1(), IdentityColumnMap());
        QVERIFY_THROWS_EXCEPTION(EExchangeError, exchange.ReadFile(path("missing.vcf")));
        QVERIFY_THROWS_EXCEPTION(EExchangeError, exchange.ReadFile(QString()));
        QVERIFY_THROWS_EXCEPTION(EExchangeError, exchange.ReadFile(scratch_.folder()));
        QVERIFY_THROWS_EXCEPTION(EExchangeError, exchange.ReadFile(QStringLiteral("/dev/zero")));
        // A file is read piece by piece, bounded by its lines: 64 MiB
        // without a line break are refused at the first 16 MiB.
        QFile big(path("big.vcf"));
        QVERIFY(big.open(QIODevice::WriteOnly));
        QVERIFY(big.resize(64 * 1024 * 1024 + 1));
        big.close();
        try {
            exchange.ReadFile(big.fileName());
            QFAIL("no error raised");
        } catch (const EVCardError& e) {
            QCOMPARE(e.line(), 1);
            QVERIFY(e.message().contains(QStringLiteral("longer than 16 MiB")));
        }
        QCOMPARE(db->Quib1().RowsCount(), 0);
    }

    // Mutated and random files are read or refused, never anything else.
    void mutatedFilesAreReadOrRefused() {
        auto source = database(GeneratedContacts(20));
        const QByteArray good =
            TVCardExchange(source->Quib1(), IdentityColumnMap()).BuildVCards(TVCardVersion::V3_0);
        QRandomGenerator random(17);
        const QByteArray specials(":;=\\,\r\n \t\"\x80\xC5.");
        for (int round = 0; round < 3000; ++round) {
            QByteArray bytes = good;
            for (int n = 1 + random.bounded(8); n > 0; --n) {
                const qsizetype at = random.bounded(bytes.size());
                switch (random.bounded(3)) {
                    case 0:
                        bytes[at] = specials[random.bounded(specials.size())];
                        break;
                    case 1:
                        bytes.remove(at, random.bounded(40));
                        break;
                    default:
                        bytes.insert(at, bytes.mid(random.bounded(bytes.size()), 30));
                }
            }
            try {
                for (const QStringList& cells : ReadVCards(bytes)) {
                    QCOMPARE(cells.size(), 32);
                }
            } catch (const EVCardError& e) {
                QVERIFY(e.line() >= 1);
            }
        }
    }

    void progressOfExportAndImportReachesTheEnd() {
        auto source = database(GeneratedContacts(700));
        const QString vcf = path(QStringLiteral("progress.vcf"));
        QList<std::pair<qint64, qint64>> told;
        const auto record = [&told](qint64 done, qint64 total) {
            told.append({done, total});
            return true;
        };
        TVCardExchange exporter(source->Quib1(), IdentityColumnMap());
        exporter.SetProgress(record);
        QCOMPARE(exporter.ExportToFile(vcf, TVCardVersion::V4_0), 700);
        QCOMPARE(told.first(), (std::pair<qint64, qint64>{0, 700}));
        QCOMPARE(told.last(), (std::pair<qint64, qint64>{700, 700}));
        told.clear();
        auto dest = database();
        QCOMPARE(ImportVCards(*dest, vcf, record), 700);
        QCOMPARE(told.first(), (std::pair<qint64, qint64>{0, 0}));
        QCOMPARE(told.last(), (std::pair<qint64, qint64>{700, 700}));
    }

    void cancelledImportLeavesTheDatabaseAsItWas() {
        auto source = database(GeneratedContacts(1000));
        const QString vcf = path(QStringLiteral("cancel.vcf"));
        TVCardExchange(source->Quib1(), IdentityColumnMap()).ExportToFile(vcf, TVCardVersion::V4_0);
        auto db = database({ContactRow({{0, "Existing"}})});
        const QByteArray fileBefore = ReadFile(scratch_.lastDatabase);
        int appendedWhenStopped = 0;
        const auto report = [&](qint64 done, qint64 total) {
            if (total > 0 && done >= 512) {
                appendedWhenStopped = db->Quib1().RowsCount() - 1;
                return false;
            }
            return true;
        };
        QVERIFY_THROWS_EXCEPTION(EExchangeCancelled, ImportVCards(*db, vcf, report));
        QCOMPARE(appendedWhenStopped, 512);
        QCOMPARE(ReadRows(*db), QList<QStringList>{ContactRow({{0, "Existing"}})});
        QCOMPARE(Writes(*db), 0);
        QCOMPARE(ReadFile(scratch_.lastDatabase), fileBefore);
    }
};

QTEST_MAIN(TestVCard)
#include "test_VCard.moc"
