// Two-way sync against a real Radicale on 127.0.0.1 and a real second
// client (vdirsyncer): first syncs both ways, changes, deletes and conflicts
// on each side, properties the program has no column for, an interrupted
// sync, refused and broken answers, and a server without sync tokens.
#include "ExchangeFixtures.h"
#include "SyncFixtures.h"

#include "session/u_ContactSchema.h"
#include "sync/u_CardDavSync.h"
#include "sync/u_DatabaseReplica.h"
#include "sync/u_SyncCommandLine.h"
#include "sync/u_SyncError.h"
#include "sync/u_SyncState.h"

#include <QTest>
#include <QTextStream>

#include <algorithm>
#include <optional>

using namespace syncfixtures;
using namespace ContactSchema;

namespace {

using TContacts = QMap<QString, QStringList>;  // UID -> 32 cells

TContacts contactsOf(const QString& db) {
    TContacts contacts;
    TDatabaseReplica replica(db);
    for (const TSyncRecord& record : replica.Records()) {
        contacts.insert(record.uid, record.cells);
    }
    return contacts;
}

void makeDatabase(const QString& path, const QList<QStringList>& rows) {
    fixtures::WriteDatabase(path, DBLayouts().back(), rows);
}

void pointAt(const QString& db, const QUrl& book) {
    TSyncState state = TSyncState::Load(TSyncState::FileFor(db));
    state.account.url = book.toString();
    state.account.user = kUser;
    state.Save(TSyncState::FileFor(db));
}

struct TRun {
    std::optional<TSyncSummary> summary;
    QString error;
    int status = 0;
    qint64 requests = 0;
};

TRun sync(const QString& db, const QString& password = kPassword, const TDavLimits& limits = {},
          const TCardDavSync::TProgress& progress = {}) {
    TRun run;
    TDatabaseReplica replica(db);
    TCardDavSync sync(replica, TSyncState::FileFor(db), {kUser, password}, limits);
    sync.SetProgress(progress);
    try {
        run.summary = sync.Run();
    } catch (const ESyncError& e) {
        run.error = e.message();
        run.status = e.status();
    }
    run.requests = sync.Client().RequestsSent();
    return run;
}

QString summaryOf(const TRun& run) {
    return run.summary ? run.summary->Text() : QStringLiteral("failed: ") + run.error;
}

QStringList withCell(QStringList cells, int field, const QString& value) {
    cells[field] = value;
    return cells;
}

// The card of the second client with the property name set to line: the
// lines of that property are replaced by line, before the card's end.
QByteArray withProperty(const QByteArray& card, const QByteArray& name, const QByteArray& line) {
    QList<QByteArray> kept;
    for (const QByteArray& l : card.split('\n')) {
        const QByteArray t = l.trimmed();
        if (t.startsWith(name + ':') || t.startsWith(name + ';')) {
            continue;
        }
        if (t == "END:VCARD") {
            kept << line + "\r";
        }
        kept << l;
    }
    return kept.join('\n');
}

}  // namespace

class TestSyncRadicale : public QObject {
    Q_OBJECT

    TRadicale radicale_;
    QTemporaryDir dir_;
    int books_ = 0;

    // A new, empty address book on the server.
    QUrl newBook(QString* name = nullptr) {
        const QString book = QStringLiteral("book%1").arg(++books_);
        QString why;
        if (!radicale_.MakeBook(book, why)) {
            qWarning("%s", qPrintable(why));
        }
        if (name != nullptr) {
            *name = book;
        }
        return radicale_.BookUrl(book);
    }

    QString path(const QString& name) const { return dir_.filePath(name); }

    // A database of rows synced up to a new address book.
    QString syncedDatabase(const QString& name, const QList<QStringList>& rows, QUrl& book) {
        const QString db = path(name);
        makeDatabase(db, rows);
        book = newBook();
        pointAt(db, book);
        const TRun run = sync(db);
        if (!run.summary) {
            qWarning("%s", qPrintable(run.error));
        }
        return db;
    }

  private slots:
    void initTestCase() {
        if (TRadicale::Program().isEmpty() || TSecondClient::Program().isEmpty()) {
            QSKIP("radicale or vdirsyncer is not installed: scripts/install-deps installs them");
        }
        QString why;
        QVERIFY2(radicale_.Start(why), qPrintable(why));
    }

    void firstSyncUpThenDownIntoAnEmptyDatabase() {
        const QString up = path(QStringLiteral("up.tbr"));
        makeDatabase(up, fixtures::GeneratedContacts(1000));
        QString bookName;
        const QUrl book = newBook(&bookName);
        pointAt(up, book);
        TRun run = sync(up);
        QCOMPARE(summaryOf(run),
                 QStringLiteral("Downloaded 0, uploaded 1000, deleted 0, conflicts 0."));
        QCOMPARE(radicale_.CardCount(bookName), 1000);

        const QString down = path(QStringLiteral("down.tbr"));
        makeDatabase(down, {});
        pointAt(down, book);
        run = sync(down);
        QCOMPARE(summaryOf(run),
                 QStringLiteral("Downloaded 1000, uploaded 0, deleted 0, conflicts 0."));
        const TContacts sent = contactsOf(up);
        const TContacts received = contactsOf(down);
        QCOMPARE(received.size(), 1000);
        QCOMPARE(received.keys(), sent.keys());
        for (auto it = sent.cbegin(); it != sent.cend(); ++it) {
            QCOMPARE(received.value(it.key()), it.value());
        }
        // Nothing changed since: both sides have nothing to do, and no card
        // travels.
        run = sync(up);
        QCOMPARE(summaryOf(run),
                 QStringLiteral("Downloaded 0, uploaded 0, deleted 0, conflicts 0."));
        QVERIFY2(run.requests <= 2, qPrintable(QString::number(run.requests)));
        QCOMPARE(summaryOf(sync(down)),
                 QStringLiteral("Downloaded 0, uploaded 0, deleted 0, conflicts 0."));
    }

    void aChangeAndADeleteOnEachSide() {
        QUrl book;
        const QString db =
            syncedDatabase(QStringLiteral("each.tbr"), fixtures::GeneratedContacts(6), book);
        TSecondClient other(book);
        QString why;
        QVERIFY2(other.Sync(why), qPrintable(why));
        TContacts before = contactsOf(db);
        QVERIFY(before.size() >= 4);
        const QStringList uids = before.keys();

        // Here: a new phone for the first, the second deleted.
        {
            // Closed before the sync opens the file: one replica holds it at a time.
            TDatabaseReplica here(db);
            TSyncChanges local;
            local.changed << TSyncRecord{uids[0],
                                         withCell(before[uids[0]], Home_Tel, "+420 111 222 333")};
            local.deleted << uids[1];
            here.Apply(local);
        }
        // There: a new title for the third, the fourth deleted.
        const QString third = other.FileOf(uids[2]);
        QVERIFY(!third.isEmpty());
        other.Write(third, withProperty(other.Cards()[third], "TITLE", "TITLE:Chief Gardener"));
        other.Remove(other.FileOf(uids[3]));
        QVERIFY2(other.Sync(why), qPrintable(why));

        QCOMPARE(summaryOf(sync(db)),
                 QStringLiteral("Downloaded 1, uploaded 1, deleted 2, conflicts 0."));
        const TContacts after = contactsOf(db);
        QCOMPARE(after.size(), before.size() - 2);
        QCOMPARE(after[uids[2]][Work_Position], QStringLiteral("Chief Gardener"));
        QVERIFY(!after.contains(uids[3]));
        QVERIFY2(other.Sync(why), qPrintable(why));
        QVERIFY(other.FileOf(uids[1]).isEmpty());
        QVERIFY(other.Cards()[other.FileOf(uids[0])].contains("+420 111 222 333"));
        QCOMPARE(other.Cards().size(), after.size());
    }

    void aConflictKeepsBothVersions() {
        QUrl book;
        const QString db =
            syncedDatabase(QStringLiteral("conflict.tbr"), fixtures::GeneratedContacts(6), book);
        TSecondClient other(book);
        QString why;
        QVERIFY2(other.Sync(why), qPrintable(why));
        const TContacts before = contactsOf(db);
        const QString uid = before.firstKey();
        // A replica of its own, closed before the sync opens the file.
        TDatabaseReplica(db).Apply(
            {{}, {TSyncRecord{uid, withCell(before[uid], Work_Position, "Local title")}}, {}});
        const QString file = other.FileOf(uid);
        other.Write(file, withProperty(other.Cards()[file], "TITLE", "TITLE:Server title"));
        QVERIFY2(other.Sync(why), qPrintable(why));

        QCOMPARE(summaryOf(sync(db)),
                 QStringLiteral("Downloaded 0, uploaded 1, deleted 0, conflicts 1."));
        const TContacts after = contactsOf(db);
        QCOMPARE(after.size(), before.size() + 1);
        QCOMPARE(after[uid][Work_Position], QStringLiteral("Server title"));
        const auto copy = std::find_if(after.cbegin(), after.cend(), [](const QStringList& cells) {
            return cells[Work_Position] == QLatin1String("Local title");
        });
        QVERIFY(copy != after.cend());
        QVERIFY(copy->at(Notes).endsWith(TCardDavSync::ConflictMarker()));
        QCOMPARE(copy->at(SurName), before[uid][SurName]);
        // The copy reached the server too: nothing is lost anywhere.
        QVERIFY2(other.Sync(why), qPrintable(why));
        QCOMPARE(other.Cards().size(), after.size());
        QVERIFY(!other.FileOf(copy.key()).isEmpty());
        QCOMPARE(summaryOf(sync(db)),
                 QStringLiteral("Downloaded 0, uploaded 0, deleted 0, conflicts 0."));
    }

    void aPhotoAndBirthdaySurviveAnEditHere() {
        const QString db = path(QStringLiteral("photo.tbr"));
        makeDatabase(db, {});
        const QUrl book = newBook();
        pointAt(db, book);
        TSecondClient other(book);
        const QByteArray photo =
            "iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR42mP8z8BQDwAEhQGAhKmMIQAAAABJRU"
            "5ErkJggg==";
        other.Write(QStringLiteral("vera.vcf"),
                    "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:vera-1\r\nN:Nováková;Věra;;;\r\n"
                    "FN:Věra Nováková\r\nBDAY:1984-05-17\r\nCATEGORIES:Family,Garden\r\n"
                    "PHOTO;ENCODING=b;TYPE=PNG:" +
                        photo +
                        "\r\n"
                        "TEL;TYPE=cell:+420 777 000 111\r\nEND:VCARD\r\n");
        QString why;
        QVERIFY2(other.Sync(why), qPrintable(why));
        QCOMPARE(summaryOf(sync(db)),
                 QStringLiteral("Downloaded 1, uploaded 0, deleted 0, conflicts 0."));
        TContacts contacts = contactsOf(db);
        QCOMPARE(contacts.keys(), QStringList{"vera-1"});
        QCOMPARE(contacts["vera-1"][FirstName], QStringLiteral("Věra"));

        // A replica of its own, closed before the sync opens the file.
        TDatabaseReplica(db).Apply(
            {{},
             {TSyncRecord{"vera-1", withCell(contacts["vera-1"], Work_Email, "vera@example.org")}},
             {}});
        QCOMPARE(summaryOf(sync(db)),
                 QStringLiteral("Downloaded 0, uploaded 1, deleted 0, conflicts 0."));
        QVERIFY2(other.Sync(why), qPrintable(why));
        const QByteArray card = other.Cards()[other.FileOf("vera-1")];
        QVERIFY2(card.contains("BDAY:1984-05-17"), card.constData());
        QVERIFY2(card.contains(photo.left(40)), card.constData());
        QVERIFY2(card.contains("CATEGORIES:Family,Garden"), card.constData());
        QVERIFY2(card.contains("vera@example.org"), card.constData());
        // The phone kept its own type: its group did not change.
        QVERIFY2(card.contains("TEL;TYPE=cell:+420 777 000 111"), card.constData());
    }

    void anInterruptedUploadIsCompletedByTheNextSync() {
        const QString db = path(QStringLiteral("interrupted-up.tbr"));
        makeDatabase(db, fixtures::GeneratedContacts(120));
        QString bookName;
        const QUrl book = newBook(&bookName);
        pointAt(db, book);
        contactsOf(db);  // the UIDs are given before the sync
        const QByteArray before = fixtures::ReadFile(db);
        TDavLimits one;
        one.parallel = 1;
        TRun run = sync(db, kPassword, one, [this](const QString&, qint64 done, qint64) {
            if (done == 50) {
                radicale_.Kill();
            }
        });
        QVERIFY(!run.summary);
        QVERIFY2(run.error.contains(QLatin1String("cannot be reached")) ||
                     run.error.contains(QLatin1String("closed")),
                 qPrintable(run.error));
        QCOMPARE(fixtures::ReadFile(db), before);  // nothing half-applied here
        const int recorded =
            static_cast<int>(TSyncState::Load(TSyncState::FileFor(db)).entries.size());
        QVERIFY2(recorded >= 49 && recorded <= 51, qPrintable(QString::number(recorded)));
        QString why;
        QVERIFY2(radicale_.Start(why), qPrintable(why));
        run = sync(db);
        QVERIFY2(run.summary, qPrintable(run.error));
        QCOMPARE(run.summary->uploaded, 120 - recorded);
        QCOMPARE(radicale_.CardCount(bookName), 120);
        QCOMPARE(summaryOf(sync(db)),
                 QStringLiteral("Downloaded 0, uploaded 0, deleted 0, conflicts 0."));
    }

    void anInterruptedDownloadLeavesTheDatabaseAsItWas() {
        QUrl book;
        const QString source =
            syncedDatabase(QStringLiteral("source.tbr"), fixtures::GeneratedContacts(120), book);
        const QString db = path(QStringLiteral("interrupted-down.tbr"));
        makeDatabase(db, {});
        pointAt(db, book);
        contactsOf(db);
        const QByteArray before = fixtures::ReadFile(db);
        const QByteArray stateBefore = fixtures::ReadFile(TSyncState::FileFor(db));
        TDavLimits small;
        small.parallel = 1;
        small.cardsPerReport = 10;
        TRun run = sync(db, kPassword, small, [this](const QString&, qint64 done, qint64) {
            if (done == 30) {
                radicale_.Kill();
            }
        });
        QVERIFY(!run.summary);
        QCOMPARE(fixtures::ReadFile(db), before);
        QCOMPARE(fixtures::ReadFile(TSyncState::FileFor(db)), stateBefore);
        QString why;
        QVERIFY2(radicale_.Start(why), qPrintable(why));
        QCOMPARE(summaryOf(sync(db)),
                 QStringLiteral("Downloaded 120, uploaded 0, deleted 0, conflicts 0."));
        QCOMPARE(contactsOf(db), contactsOf(source));
    }

    void refusedAndBrokenAnswersChangeNothing_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("status");
        QTest::newRow("wrong password") << "password"
                                        << "refused the user name or password" << 401;
        QTest::newRow("unreachable server") << "unreachable"
                                            << "cannot be reached" << 0;
        QTest::newRow("507 on upload") << "put-507"
                                       << "507 Insufficient Storage" << 507;
        QTest::newRow("malformed multistatus") << "malformed"
                                               << "not a valid WebDAV multistatus" << 0;
    }

    void refusedAndBrokenAnswersChangeNothing() {
        QFETCH(QString, fault);
        QFETCH(QString, message);
        QFETCH(int, status);
        // Synced through the faulty server, which spoils nothing yet.
        TFaultProxy proxy;
        QString why;
        QVERIFY2(proxy.Start(radicale_.Port(), QStringLiteral("pass"), why), qPrintable(why));
        const QString db = path(QStringLiteral("fault-%1.tbr").arg(fault));
        makeDatabase(db, fixtures::GeneratedContacts(5));
        const QUrl book = proxy.Url(newBook());
        pointAt(db, book);
        QCOMPARE(summaryOf(sync(db)),
                 QStringLiteral("Downloaded 0, uploaded 5, deleted 0, conflicts 0."));
        // A change waits here, so that a sync would upload it.
        const TContacts contacts = contactsOf(db);
        TDatabaseReplica(db).Apply(
            {{},
             {TSyncRecord{contacts.firstKey(), withCell(contacts.first(), SurName, "Nový")}},
             {}});
        QString password = kPassword;
        if (fault == QLatin1String("password")) {
            password = QStringLiteral("not the password");
        } else if (fault == QLatin1String("unreachable")) {
            proxy.Kill();
        } else {
            QVERIFY(proxy.SetMode(fault));
        }
        const QByteArray before = fixtures::ReadFile(db);
        const TSyncState stateBefore = TSyncState::Load(TSyncState::FileFor(db));
        const TRun run = sync(db, password);
        QVERIFY(!run.summary);
        QVERIFY2(run.error.contains(message), qPrintable(run.error));
        QCOMPARE(run.status, status);
        if (fault == QLatin1String("put-507")) {
            QVERIFY2(run.error.contains(QLatin1String("quota")), qPrintable(run.error));
        }
        QCOMPARE(fixtures::ReadFile(db), before);
        // The state may have learnt the server's newer token, nothing else.
        const TSyncState stateAfter = TSyncState::Load(TSyncState::FileFor(db));
        QVERIFY(stateAfter.entries == stateBefore.entries);
        QCOMPARE(stateAfter.account, stateBefore.account);
        QCOMPARE(stateAfter.lastSync, stateBefore.lastSync);
    }

    void aServerWithoutSyncTokensIsComparedByETags() {
        const QString db = path(QStringLiteral("etags.tbr"));
        makeDatabase(db, fixtures::GeneratedContacts(20));
        const QUrl book = newBook();
        TFaultProxy proxy;
        QString why;
        QVERIFY2(proxy.Start(radicale_.Port(), QStringLiteral("no-sync-token"), why),
                 qPrintable(why));
        pointAt(db, proxy.Url(book));
        QCOMPARE(summaryOf(sync(db)),
                 QStringLiteral("Downloaded 0, uploaded 20, deleted 0, conflicts 0."));
        QVERIFY(TSyncState::Load(TSyncState::FileFor(db)).token.isEmpty());

        TSecondClient other(book);
        QVERIFY2(other.Sync(why), qPrintable(why));
        const QStringList uids = contactsOf(db).keys();
        const QString file = other.FileOf(uids[0]);
        other.Write(file, withProperty(other.Cards()[file], "NICKNAME", "NICKNAME:Changed"));
        other.Remove(other.FileOf(uids[1]));
        QVERIFY2(other.Sync(why), qPrintable(why));

        const TRun run = sync(db);
        QCOMPARE(summaryOf(run),
                 QStringLiteral("Downloaded 1, uploaded 0, deleted 1, conflicts 0."));
        // The collection, its ETags and one multiget of the one changed card.
        QCOMPARE(run.requests, 3);
        const TContacts after = contactsOf(db);
        QCOMPARE(after[uids[0]][Home_Nick], QStringLiteral("Changed"));
        QVERIFY(!after.contains(uids[1]));
    }

    void theCommandLineSyncsAndStoresItsSettings() {
        const QString db = path(QStringLiteral("cli.tbr"));
        makeDatabase(db, fixtures::SampleContacts());
        const QUrl book = newBook();
        const auto run = [&](const QString& url, const QString& user, QString& out, QString& err) {
            QTextStream o(&out);
            QTextStream e(&err);
            const int code = RunSyncCommand(db, url, user, o, e);
            o.flush();
            e.flush();
            return code;
        };
        QString out;
        QString err;
        qputenv("PELLUM_SYNC_PASSWORD", kPassword.toUtf8());
        QCOMPARE(run(QString(), QString(), out, err), 2);  // no address book known yet
        QVERIFY(err.contains(QLatin1String("--url")));
        QCOMPARE(run(QStringLiteral("http://example.org/book/"), kUser, out, err), 2);
        out.clear();
        QCOMPARE(run(book.toString(), kUser, out, err), 0);
        QCOMPARE(out, QStringLiteral("Downloaded 0, uploaded %1, deleted 0, conflicts 0.\n")
                          .arg(fixtures::SampleContacts().size()));
        const TSyncState state = TSyncState::Load(TSyncState::FileFor(db));
        QCOMPARE(state.account.url, book.toString());
        QCOMPARE(state.account.user, kUser);
        out.clear();
        QCOMPARE(run(QString(), QString(), out, err), 0);  // the stored settings
        QCOMPARE(out, QStringLiteral("Downloaded 0, uploaded 0, deleted 0, conflicts 0.\n"));
        qputenv("PELLUM_SYNC_PASSWORD", "wrong");
        err.clear();
        QCOMPARE(run(QString(), QString(), out, err), 1);
        QVERIFY(err.contains(QLatin1String("401")));
        qunsetenv("PELLUM_SYNC_PASSWORD");
    }

    void cleanupTestCase() { radicale_.Stop(); }
};

QTEST_GUILESS_MAIN(TestSyncRadicale)
#include "test_SyncRadicale.moc"
