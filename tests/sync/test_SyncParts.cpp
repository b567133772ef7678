// The parts of the sync that need no server: the decision rule, the allowed
// addresses, the multistatus reader, the state file, the merge of a contact
// into a server's card and the database as a replica.
#include "ExchangeFixtures.h"

#include "session/u_ContactSchema.h"
#include "sync/u_DatabaseReplica.h"
#include "sync/u_DavUrl.h"
#include "sync/u_MultiStatus.h"
#include "sync/u_SyncCard.h"
#include "sync/u_SyncError.h"
#include "sync/u_SyncPlan.h"
#include "sync/u_SyncState.h"

#include <QSet>
#include <QTest>

using namespace ContactSchema;
using S = TSyncSide;
using A = TSyncAction;

Q_DECLARE_METATYPE(TSyncSide)
Q_DECLARE_METATYPE(TSyncAction)

namespace {

const QByteArray kSyncAnswer =
    "<?xml version='1.0' encoding='utf-8'?>\n"
    "<d:multistatus xmlns:d=\"DAV:\"><d:sync-token>tok-2</d:sync-token>"
    "<d:response><d:href>/b/a.vcf</d:href><d:propstat><d:prop><d:getetag>\"e1\"</d:getetag>"
    "</d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat>"
    "<d:propstat><d:prop><d:displayname/></d:prop><d:status>HTTP/1.1 404 Not Found</d:status>"
    "</d:propstat></d:response>"
    "<d:response><d:href>/b/gone.vcf</d:href><d:status>HTTP/1.1 404 Not Found</d:status>"
    "</d:response></d:multistatus>";

QStringList cellsWith(std::initializer_list<std::pair<int, QString>> values) {
    QStringList cells(ColumnCount);
    for (const auto& [field, value] : values) {
        cells[field] = value;
    }
    return cells;
}

}  // namespace

class TestSyncParts : public QObject {
    Q_OBJECT

  private slots:
    void decisionRule_data() {
        QTest::addColumn<TSyncSide>("here");
        QTest::addColumn<TSyncSide>("there");
        QTest::addColumn<TSyncAction>("action");
        QTest::newRow("unchanged both") << S::Unchanged << S::Unchanged << A::Nothing;
        QTest::newRow("changed there") << S::Unchanged << S::Changed << A::Download;
        QTest::newRow("new there") << S::Absent << S::New << A::Add;
        QTest::newRow("deleted there") << S::Unchanged << S::Deleted << A::DeleteHere;
        QTest::newRow("changed here") << S::Changed << S::Unchanged << A::Upload;
        QTest::newRow("new here") << S::New << S::Absent << A::UploadNew;
        QTest::newRow("deleted here") << S::Deleted << S::Unchanged << A::DeleteThere;
        QTest::newRow("changed both") << S::Changed << S::Changed << A::Reconcile;
        QTest::newRow("new both") << S::New << S::New << A::Reconcile;
        QTest::newRow("changed here, deleted there") << S::Changed << S::Deleted << A::Recreate;
        QTest::newRow("deleted here, changed there") << S::Deleted << S::Changed << A::Restore;
        QTest::newRow("deleted both") << S::Deleted << S::Deleted << A::Forget;
    }
    void decisionRule() {
        QFETCH(TSyncSide, here);
        QFETCH(TSyncSide, there);
        QFETCH(TSyncAction, action);
        QCOMPARE(DecideSync(here, there), action);
    }

    void allowedAddresses_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("allowed");
        QTest::newRow("https") << "https://dav.example.org/book/" << true;
        QTest::newRow("bare host is https") << "dav.example.org/book" << true;
        QTest::newRow("http loopback") << "http://127.0.0.1:5232/a/b/" << true;
        QTest::newRow("http localhost") << "http://localhost:5232/a/" << true;
        QTest::newRow("http elsewhere") << "http://dav.example.org/book/" << false;
        QTest::newRow("ftp") << "ftp://127.0.0.1/book/" << false;
        QTest::newRow("password inside") << "https://me:pw@dav.example.org/" << false;
    }
    void allowedAddresses() {
        QFETCH(QString, address);
        QFETCH(bool, allowed);
        QCOMPARE(DavUrl::Refusal(DavUrl::Collection(address)).isEmpty(), allowed);
    }

    void multistatusIsReadStrictly() {
        const TMultiStatus ok = ParseMultiStatus(kSyncAnswer);
        QCOMPARE(ok.syncToken, QStringLiteral("tok-2"));
        QCOMPARE(ok.responses.size(), 2);
        QCOMPARE(ok.responses[0].Text("DAV:getetag"), QStringLiteral("\"e1\""));
        QVERIFY(!ok.responses[0].Has("DAV:displayname"));  // reported 404
        QCOMPARE(ok.responses[1].status, 404);

        const QList<QByteArray> broken{
            kSyncAnswer.left(kSyncAnswer.size() / 2),
            "<!DOCTYPE d [<!ENTITY x \"y\">]>" + kSyncAnswer.mid(kSyncAnswer.indexOf('<', 5)),
            QByteArray(kSyncAnswer).replace("HTTP/1.1 200 OK", "fine"),
            QByteArray(kSyncAnswer).replace("<d:href>/b/a.vcf</d:href>", ""),
            QByteArray(kSyncAnswer).replace("multistatus", "status"),
            kSyncAnswer + "<d:more/>",
            QByteArray(kSyncAnswer).replace("<d:response>", "text<d:response>"),
        };
        for (const QByteArray& bytes : broken) {
            QVERIFY_THROWS_EXCEPTION(ESyncError, ParseMultiStatus(bytes));
        }
        QByteArray deep = "<d:multistatus xmlns:d=\"DAV:\">";
        for (int i = 0; i < 100; ++i) {
            deep += "<d:x>";
        }
        QVERIFY_THROWS_EXCEPTION(ESyncError, ParseMultiStatus(deep));
    }

    void stateFileRoundTripAndDamage() {
        TSyncState state;
        state.account = {QStringLiteral("https://dav.example.org/b/"), QStringLiteral("věra"), true,
                         false, 15};
        state.Bind();
        state.token = QStringLiteral("http://x/sync/1 2");
        state.lastSync = QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5), Qt::UTC);
        state.entries.insert(QStringLiteral("u 1"),
                             {QStringLiteral("/b/u 1.vcf"), "\"e\"", "abc", "BEGIN:VCARD\r\n\n"});
        state.entries.insert(QStringLiteral("u2"), {QStringLiteral("/b/u2.vcf"), {}, "d", {}});
        const QByteArray bytes = state.Serialize();
        QCOMPARE(TSyncState::Parse(bytes, "s"), state);
        const QList<QByteArray> damaged{
            bytes.left(bytes.size() - 3),
            QByteArray(bytes).replace("end 2", "end 3"),
            QByteArray(bytes).replace("every =15", "every =-1"),
            QByteArray(bytes).replace("user =", "user x"),
            QByteArray(bytes).replace("ORVANE-CONTACTS-SYNC 1", "ORVANE-CONTACTS-SYNC 2"),
            bytes + "card =a =b =c =d 1\n",
        };
        for (const QByteArray& d : damaged) {
            QVERIFY_THROWS_EXCEPTION(ESyncError, TSyncState::Parse(d, "s"));
        }
        // A new address book forgets the old one's entries.
        state.account.url = QStringLiteral("https://dav.example.org/other/");
        state.Bind();
        QVERIFY(state.entries.isEmpty() && state.token.isEmpty());
    }

    void recordHashesStayAsStateFilesHoldThem() {
        // The hash of "length:bytes" of each cell (UTF-8), as state files
        // written before keep it: a changed hash would make every record
        // count as changed here.
        QStringList cells(32);
        cells[0] = QStringLiteral("Nový");
        cells[2] = QStringLiteral("a\nb");
        QCOMPARE(RecordHash(cells), QByteArray("d741fd825a1edd9e35a571d7fe41158f"));
        cells[1] = QStringLiteral(":");
        QVERIFY(RecordHash(cells) != QByteArray("d741fd825a1edd9e35a571d7fe41158f"));
    }

    void anUploadRewritesOnlyWhatChanged() {
        const QByteArray server =
            "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:x-1\r\nN:Dvořák;Jan;;Ing.;\r\nFN:Jan Dvořák\r\n"
            "PHOTO;ENCODING=b;TYPE=JPEG:AAAA\r\n BBBB\r\nBDAY:1970-01-01\r\n"
            "EMAIL;TYPE=INTERNET:jan@example.org\r\nEMAIL;TYPE=INTERNET:second@example.org\r\n"
            "TEL;TYPE=CELL:+420 1\r\nNOTE:Hello\r\nX-OTHER:kept\r\nEND:VCARD\r\n";
        QStringList cells = SyncCard::Cells(server);
        QVERIFY(cells[Notes].startsWith(QLatin1String("Hello\n")));  // titles, second e-mail
        cells[Work_Position] = QStringLiteral("Ředitel");
        cells[Notes].replace(QLatin1String("Hello"), QLatin1String("Hi"));
        const QByteArray merged = SyncCard::MergedCard(server, cells, QStringLiteral("x-1"));
        for (const char* kept :
             {"PHOTO;ENCODING=b;TYPE=JPEG:AAAA\r\n BBBB\r\n", "BDAY:1970-01-01",
              "N:Dvořák;Jan;;Ing.;", "EMAIL;TYPE=INTERNET:second@example.org",
              "TEL;TYPE=CELL:+420 1", "X-OTHER:kept", "UID:x-1\r\n", "NOTE:Hi\r\n"}) {
            QVERIFY2(merged.contains(kept), kept);
        }
        QVERIFY(merged.contains("TITLE:Ředitel"));
        QVERIFY(SyncCard::SameContact(SyncCard::Cells(merged), cells));
        QCOMPARE(merged.count("NOTE"), 1);
        QCOMPARE(SyncCard::Uid(merged), QStringLiteral("x-1"));

        const QStringList fresh =
            cellsWith({{SurName, "Nováková"}, {Home_Tel, "1\n2"}, {Notes, "a;b,c\\d"}});
        const QByteArray card = SyncCard::NewCard(fresh, QStringLiteral("n-1"));
        QCOMPARE(SyncCard::Cells(card), fresh);
        QCOMPARE(SyncCard::Uid(card), QStringLiteral("n-1"));
        QVERIFY_THROWS_EXCEPTION(ESyncError, SyncCard::Cells("BEGIN:VCARD\r\nN:x\r\n"));
    }

    void aDatabaseGetsItsUidColumnOnce() {
        QTemporaryDir dir;
        const QString db = dir.filePath(QStringLiteral("r.tbr"));
        QList<QStringList> rows = fixtures::GeneratedContacts(3);
        fixtures::WriteDatabase(db, DBLayouts().back(), rows);
        QList<TSyncRecord> records = TDatabaseReplica(db).Records();
        QCOMPARE(records.size(), 3);
        QSet<QString> uids;
        for (const TSyncRecord& r : records) {
            uids.insert(r.uid);
        }
        QCOMPARE(uids.size(), 3);
        const auto quib = fixtures::OpenDatabase(db);
        QCOMPARE(fixtures::ValueByName(*quib, 0, QStringLiteral("UID")), records[0].uid);
        QCOMPARE(TDatabaseReplica(db).Records(), records);  // kept, not made anew

        {
            // One replica at a time holds the file.
            TDatabaseReplica replica(db);
            replica.Apply({{TSyncRecord{"new", records[0].cells}},
                           {TSyncRecord{records[1].uid, records[2].cells}},
                           {records[2].uid}});
        }
        const QList<TSyncRecord> after = TDatabaseReplica(db).Records();
        QCOMPARE(after.size(), 3);
        QCOMPARE(after[1].cells, records[2].cells);
        QCOMPARE(after[2].uid, QStringLiteral("new"));
    }
};

QTEST_GUILESS_MAIN(TestSyncParts)
#include "test_SyncParts.moc"
