// The vCards written: their exact shape, identities as UID, both forms of
// the cells giving the same bytes, and exports that fail or are cancelled,
// which keep the old file.
#include "ExchangeFixtures.h"

#include "exchange/u_ExchangeCancelled.h"
#include "exchange/u_VCardExchange.h"
#include "exchange/u_VCardWriter.h"
#include "session/u_ContactsSession.h"
#include "support/u_ExchangeError.h"

#include <QDir>
#include <QTest>

#include <string>
#include <vector>

using namespace fixtures;

class TestVCardExport : public QObject {
    Q_OBJECT

  private:
    TImportScratch scratch_;

    QString path(const QString& name) const { return scratch_.path(name); }
    std::unique_ptr<TContactsSession> database(const QList<QStringList>& rows = {}) {
        return scratch_.database(rows);
    }

  private slots:
    void initTestCase() { QVERIFY(scratch_.isValid()); }

    void exportedCardShape() {
        auto db = database({ContactRow({{0, "Dvořák"},
                                        {1, "Antonín"},
                                        {3, "Žitná 14\nbyt 3"},
                                        {4, "Praha"},
                                        {5, "Praha 2"},
                                        {6, "120 00"},
                                        {7, "ČR"},
                                        {8, "+420 1\n+420 2"},
                                        {12, "123"},
                                        {15, "Nakladatelství; s.r.o."},
                                        {16, "Hudba"},
                                        {31, "Řádek, druhý\\"}})});
        const QByteArray cards =
            TVCardExchange(db->Quib1(), IdentityColumnMap()).BuildVCards(TVCardVersion::V4_0);
        QCOMPARE(cards, QString("BEGIN:VCARD\r\n"
                                "VERSION:4.0\r\n"
                                "N:Dvořák;Antonín;;;\r\n"
                                "FN:Antonín Dvořák\r\n"
                                "ORG:Nakladatelství\\; s.r.o.;Hudba\r\n"
                                "ADR;TYPE=home:;Praha 2;Žitná 14\\nbyt 3;Praha;;120 00;ČR\r\n"
                                "TEL;TYPE=home,voice:+420 1\r\n"
                                "TEL;TYPE=home,voice:+420 2\r\n"
                                "IMPP;TYPE=home:icq:123\r\n"
                                "NOTE:Řádek\\, druhý\\\\\r\n"
                                "END:VCARD\r\n")
                            .toUtf8());
        QVERIFY(TVCardExchange(db->Quib1(), IdentityColumnMap())
                    .BuildVCards(TVCardVersion::V3_0)
                    .startsWith("BEGIN:VCARD\r\nVERSION:3.0\r\n"));
    }

    // The identity goes out as UID and comes back as the 33rd cell; a card
    // without one gives 32 cells.
    void identitiesTravelAsUid() {
        QStringList cells = ContactRow({{0, "Dvořák"}});
        cells << QStringLiteral("6f1c7e2a-0b9d-4c1e-9a53-3d2f1e0c9b8a");
        QByteArray card;
        TVCardWriter(TVCardVersion::V4_0).AppendCard(card, cells);
        QVERIFY(card.startsWith(
            "BEGIN:VCARD\r\nVERSION:4.0\r\nUID:6f1c7e2a-0b9d-4c1e-9a53-3d2f1e0c9b8a\r\n"));
        QCOMPARE(ReadVCards(card), QList<QStringList>{cells});
        const QByteArray other =
            "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Dvořák;;;;\r\n"
            "UID:urn:uuid:abc\r\nUID:second\r\nEND:VCARD\r\n"
            "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Čapek;;;;\r\nEND:VCARD\r\n";
        const QList<QStringList> back = ReadVCards(other);
        QCOMPARE(back.size(), 2);
        QCOMPARE(back[0].size(), 33);
        QCOMPARE(back[0][32], QStringLiteral("urn:uuid:abc"));
        QCOMPARE(back[1].size(), 32);

        // From a database with identities, each card carries its record's.
        auto db = database({ContactRow({{0, "A"}}), ContactRow({{0, "B"}})});
        QVERIFY(db->EnsureIdentities());
        const QByteArray cards =
            TVCardExchange(db->Quib1(), IdentityColumnMap(), db->IdentityColumn())
                .BuildVCards(TVCardVersion::V4_0);
        for (const int record : {0, 1}) {
            QVERIFY(!db->IdentityOf(record).isEmpty());
            QCOMPARE(cards.count("\r\nUID:" + db->IdentityOf(record).toUtf8() + "\r\n"), 1);
        }
    }

    // The card of a contact's QStrings and the card of its UTF-8 cells are
    // the same bytes: escapes, line breaks, folding, names and identities.
    void bothCellFormsWriteTheSameBytes() {
        QList<QStringList> contacts = SampleContacts() + GeneratedContacts(200);
        contacts << ContactRow({{15, "Jen firma"}}) << ContactRow({{1, "Jen jméno"}})
                 << ContactRow({{31, QString(200, u'ž') + "\r\n;,\\\n\r"}, {8, "\r\n\r\n1\r2\n"}});
        QStringList withUid = ContactRow({{0, "Dvořák"}});
        withUid << QStringLiteral("urn:uuid:1");
        contacts << withUid;
        for (const TVCardVersion version : {TVCardVersion::V3_0, TVCardVersion::V4_0}) {
            const TVCardWriter writer(version);
            for (const QStringList& cells : contacts) {
                std::vector<std::string> texts;
                for (const QString& cell : cells)
                    texts.push_back(cell.toStdString());
                const TVCardWriter::Utf8Cells views(texts.begin(), texts.end());
                QByteArray fromStrings;
                QByteArray fromUtf8;
                writer.AppendCard(fromStrings, cells);
                writer.AppendCard(fromUtf8, views);
                QCOMPARE(fromUtf8, fromStrings);
            }
        }
    }

    void companyOnlyGivesTheFormattedName() {
        auto db = database({ContactRow({{15, "Hanácká pekárna"}})});
        const QByteArray cards =
            TVCardExchange(db->Quib1(), IdentityColumnMap()).BuildVCards(TVCardVersion::V4_0);
        QVERIFY(cards.contains(QString("\r\nFN:Hanácká pekárna\r\n").toUtf8()));
        QCOMPARE(ReadVCards(cards), QList<QStringList>{ContactRow({{15, "Hanácká pekárna"}})});
    }

    void exportFailuresKeepTheOldFile() {
        auto db = database(GeneratedContacts(3000));
        QDir folder(path(QStringLiteral("faults")));
        const QByteArray old("BEGIN:VCARD\r\nEND:VCARD\r\n");
        const QString vcf = WriteOldFile(folder, QStringLiteral("out.vcf"), old);
        const qint64 size = TVCardExchange(db->Quib1(), IdentityColumnMap())
                                .BuildVCards(TVCardVersion::V4_0)
                                .size();
        QList<TWriteFaults> faults;
        for (qint64 n = 0; n < size; n += 97'003) {
            faults << TWriteFaults{n, false};
        }
        faults << TWriteFaults{size - 1, false} << TWriteFaults{-1, true}
               << TWriteFaults{-1, false, true};
        for (const TWriteFaults& fault : faults) {
            TVCardExchange exchange(db->Quib1(), IdentityColumnMap());
            exchange.SetWriteFaults(fault);
            QVERIFY_THROWS_EXCEPTION(EExchangeError,
                                     exchange.ExportToFile(vcf, TVCardVersion::V4_0));
            QCOMPARE(ReadFile(vcf), old);
            QCOMPARE(folder.entryList(QDir::Files | QDir::Hidden), QStringList{"out.vcf"});
        }
    }

    void cancelledExportKeepsTheOldFile() {
        auto db = database(GeneratedContacts(1000));
        QDir folder(path(QStringLiteral("cancel")));
        const QByteArray old("BEGIN:VCARD\r\nEND:VCARD\r\n");
        const QString vcf = WriteOldFile(folder, QStringLiteral("out.vcf"), old);
        TVCardExchange exchange(db->Quib1(), IdentityColumnMap());
        exchange.SetProgress([](qint64 done, qint64) { return done < 768; });
        QVERIFY_THROWS_EXCEPTION(EExchangeCancelled,
                                 exchange.ExportToFile(vcf, TVCardVersion::V4_0));
        QCOMPARE(ReadFile(vcf), old);
        QCOMPARE(folder.entryList(QDir::Files | QDir::Hidden), QStringList{"out.vcf"});
    }

    void exportChosenRows() {
        auto db =
            database({ContactRow({{0, "A"}}), ContactRow({{0, "B"}}), ContactRow({{0, "C"}})});
        const QString vcf = path("chosen.vcf");
        QCOMPARE(TVCardExchange(db->Quib1(), IdentityColumnMap())
                     .ExportToFile(vcf, TVCardVersion::V4_0, {2, 0}),
                 2);
        QCOMPARE(ReadVCards(ReadFile(vcf)),
                 (QList<QStringList>{ContactRow({{0, "C"}}), ContactRow({{0, "A"}})}));
    }
};

QTEST_MAIN(TestVCardExport)
#include "test_VCardExport.moc"
