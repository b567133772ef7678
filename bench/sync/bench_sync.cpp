// A database of 10,000 contacts and a local Radicale: the first sync (every
// card comes down into an empty database), then an incremental sync after
// 5 contacts changed here and 5 cards changed on the server.
// Goal: the incremental sync sends and receives only those 10 cards (the
// counters uploaded, downloaded and cards_fetched say 5, 5 and 5) and takes
// under 2 s against the local server. BM_ServerFloor times the server's own
// part of it: with Radicale at 10,000 cards that part alone is above 2 s.
#include "ExchangeFixtures.h"
#include "SyncFixtures.h"

#include "session/u_ContactSchema.h"
#include "sync/u_CardDavSync.h"
#include "sync/u_DatabaseReplica.h"
#include "sync/u_SyncCard.h"
#include "sync/u_SyncError.h"
#include "sync/u_SyncState.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QUuid>

#include <memory>

using namespace syncfixtures;

namespace {

constexpr int kContacts = 10000;
constexpr int kChangedHere = 5;
constexpr int kChangedThere = 5;

struct Fixture {
    TRadicale radicale;
    QTemporaryDir dir;
    QString book = QStringLiteral("bench");
    QString db = dir.filePath(QStringLiteral("contacts.tbr"));
    QStringList uids;
    bool ready = false;

    Fixture() {
        QString why;
        if (TRadicale::Program().isEmpty() || !radicale.Start(why) ||
            !radicale.MakeBook(book, why)) {
            return;
        }
        // The cards are laid into the server's folder, as if another client
        // had uploaded them, so that only the sync itself is measured.
        const QList<QStringList> contacts = fixtures::GeneratedContacts(kContacts);
        for (const QStringList& cells : contacts) {
            const QString uid = QUuid::createUuid().toString(QUuid::WithoutBraces);
            QFile file(radicale.BookFolder(book) + u'/' + uid + QStringLiteral(".vcf"));
            file.open(QIODevice::WriteOnly);
            file.write(SyncCard::NewCard(cells, uid));
            uids << uid;
        }
        fixtures::WriteDatabase(db, DBLayouts().back(), {});
        TSyncState state;
        state.account = {radicale.BookUrl(book).toString(), kUser, false, false, 0};
        state.Save(TSyncState::FileFor(db));
        // The server reads the cards laid into its folder once, on the first
        // request; that is not the sync's time.
        TDavLimits patient;
        patient.silenceMs = patient.requestMs = 1'800'000;
        TDavClient(TDavCredentials{kUser, kPassword}, patient)
            .Send({"PROPFIND", radicale.BookUrl(book), {}, {}, {{"Depth", "1"}}});
        ready = true;
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void report(benchmark::State& state, const TCardDavSync& sync, const TSyncSummary& summary) {
    state.counters["requests"] = static_cast<double>(sync.Client().RequestsSent());
    state.counters["uploaded"] = summary.uploaded;
    state.counters["downloaded"] = summary.downloaded;
    state.counters["received_KiB"] = static_cast<double>(sync.Client().BytesReceived()) / 1024;
}

TDavLimits limits() {
    TDavLimits l;
    l.silenceMs = l.requestMs = 600'000;  // a loaded machine may be slow
    return l;
}

TSyncSummary run(benchmark::State& state, TCardDavSync& sync) {
    try {
        return sync.Run();
    } catch (const ESyncError& e) {
        state.SkipWithError(e.what());
        return {};
    }
}

void BM_FirstSync(benchmark::State& state) {
    Fixture& f = fixture();
    if (!f.ready) {
        state.SkipWithError("radicale could not be started");
        return;
    }
    for (auto _ : state) {
        TDatabaseReplica replica(f.db);
        TCardDavSync sync(replica, TSyncState::FileFor(f.db), {kUser, kPassword}, limits());
        const TSyncSummary summary = run(state, sync);
        report(state, sync, summary);
    }
}
BENCHMARK(BM_FirstSync)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_IncrementalSync(benchmark::State& state) {
    Fixture& f = fixture();
    if (!f.ready) {
        state.SkipWithError("radicale could not be started");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        {
            TDatabaseReplica here(f.db);
            const QList<TSyncRecord> records = here.Records();
            TSyncChanges changes;
            for (int i = 0; i < kChangedHere; ++i) {
                TSyncRecord r = records[i * 97];
                r.cells[ContactSchema::Work_Position] = QStringLiteral("Changed here %1").arg(i);
                changes.changed << r;
            }
            here.Apply(changes);
            TDavClient other({kUser, kPassword});
            for (int i = 0; i < kChangedThere; ++i) {
                const QString uid = f.uids[5000 + i * 89];
                QStringList cells(ContactSchema::ColumnCount);
                cells[ContactSchema::SurName] = QStringLiteral("Changed there %1").arg(i);
                QUrl url = f.radicale.BookUrl(f.book);
                url.setPath(url.path() + uid + QStringLiteral(".vcf"));
                other.Send({"PUT", url, SyncCard::NewCard(cells, uid), "text/vcard", {}});
            }
        }
        state.ResumeTiming();
        TDatabaseReplica replica(f.db);
        TCardDavSync sync(replica, TSyncState::FileFor(f.db), {kUser, kPassword}, limits());
        const TSyncSummary summary = run(state, sync);
        report(state, sync, summary);
    }
}
BENCHMARK(BM_IncrementalSync)->Iterations(1)->Unit(benchmark::kMillisecond);

// What the server alone takes for the requests of an incremental sync: the
// sync-collection report with the stored token and one PUT over a card
// (If-Match), each timed on its own. Radicale works through every card of
// the address book's folder for both, so at 10,000 cards these set a floor
// under the incremental sync that no client can go below.
void BM_ServerFloor(benchmark::State& state) {
    Fixture& f = fixture();
    if (!f.ready) {
        state.SkipWithError("radicale could not be started");
        return;
    }
    const TSyncState synced = TSyncState::Load(TSyncState::FileFor(f.db));
    const TSyncEntry& entry = synced.entries.cbegin().value();
    QUrl card = f.radicale.BookUrl(f.book);
    card.setPath(entry.path);
    TDavClient client(TDavCredentials{kUser, kPassword}, limits());
    const QByteArray report =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?><d:sync-collection xmlns:d=\"DAV:\">"
        "<d:sync-token>" +
        synced.token.toUtf8() +
        "</d:sync-token><d:sync-level>1</d:sync-level><d:prop><d:getetag/></d:prop>"
        "</d:sync-collection>";
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        const TDavReply listed = client.Send({"REPORT",
                                              f.radicale.BookUrl(f.book),
                                              report,
                                              "application/xml; charset=utf-8",
                                              {{"Depth", "1"}}});
        const double reportMs = static_cast<double>(clock.restart());
        const TDavReply put =
            client.Send({"PUT", card, entry.card, "text/vcard; charset=utf-8", {}});
        const double putMs = static_cast<double>(clock.elapsed());
        if (listed.status != 207 || !put.Ok()) {
            state.SkipWithError("the server refused a request");
        }
        state.counters["report_ms"] = reportMs;
        state.counters["put_ms"] = putMs;
    }
}
BENCHMARK(BM_ServerFloor)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
