// Finding duplicate contacts. Goals: the groups of likely duplicates among
// 100,000 contacts in under 2 s, reading them from an open database
// included (Tools | Find Duplicates); 10,000 imported contacts matched with
// 100,000 in the database in under 1 s (the question before an import).
#include "session/QUIBLib_TLB.h"
#include "session/u_DBConverter.h"
#include "exchange/u_DuplicateFinder.h"
#include "exchange/u_DuplicateRule.h"
#include "exchange/u_ImportDuplicates.h"
#include "session/u_ContactSchema.h"
#include "session/u_ContactsSession.h"
#include "support/u_OrvFileLib.h"

#include <benchmark/benchmark.h>

#include <QRandomGenerator>
#include <QTemporaryDir>

#include <array>

namespace {

using namespace ContactSchema;

constexpr int kContacts = 100'000;
constexpr int kImported = 10'000;

const std::array<const char*, 40> kSurnames = {
    "Novák",   "Svoboda", "Novotný", "Dvořák",   "Černý",    "Procházka", "Kučera",   "Veselý",
    "Horák",   "Němec",   "Marek",   "Pospíšil", "Pokorný",  "Hájek",     "Král",     "Jelínek",
    "Růžička", "Beneš",   "Fiala",   "Sedláček", "Doležal",  "Zeman",     "Kolář",    "Navrátil",
    "Čermák",  "Urban",   "Vaněk",   "Blažek",   "Kříž",     "Kovář",     "Bartoš",   "Vlček",
    "Polák",   "Musil",   "Šimek",   "Chalupa",  "Štěpánek", "Žák",       "Řezníček", "Ševčík"};
const std::array<const char*, 24> kNames = {
    "Jan",   "Petr",  "Jiří",   "Pavel",  "Martin", "Tomáš", "Jaroslav", "Josef",
    "Marie", "Jana",  "Eva",    "Hana",   "Anna",   "Lenka", "Kateřina", "Lucie",
    "Věra",  "Alena", "Zdeněk", "Michal", "Ondřej", "Šárka", "Radek",    "Ivana"};

QString digits(QRandomGenerator& random, int count) {
    QString s;
    for (int i = 0; i < count; ++i) {
        s += QChar(u'0' + random.bounded(10));
    }
    return s;
}

// Contacts with common Czech names (many share one), phones and e-mail
// addresses; every fiftieth repeats an earlier one written differently.
QList<QStringList> makeContacts(int count, quint32 seed) {
    QRandomGenerator random(seed);
    QList<QStringList> contacts;
    contacts.reserve(count);
    for (int r = 0; r < count; ++r) {
        if (r > 0 && r % 50 == 0) {
            QStringList copy = contacts[random.bounded(r)];
            std::swap(copy[SurName], copy[FirstName]);
            copy[Work_Tel] = copy[Home_Tel].remove(u' ').remove(QStringLiteral("+420"));
            copy[Home_Tel].clear();
            copy[Home_Email] = copy[Home_Email].toUpper();
            contacts << copy;
            continue;
        }
        QStringList c(ColumnCount);
        c[SurName] = QString::fromUtf8(kSurnames[random.bounded(int(kSurnames.size()))]);
        c[FirstName] = QString::fromUtf8(kNames[random.bounded(int(kNames.size()))]);
        c[Home_Address] = QStringLiteral("Masarykova %1").arg(1 + random.bounded(120));
        c[Home_Town] = QStringLiteral("Praha");
        c[Home_Tel] = QStringLiteral("+420 ") + digits(random, 3) + u' ' + digits(random, 3) +
                      u' ' + digits(random, 3);
        if (random.bounded(3) == 0) {
            c[Home_Tel] += u'\n' + digits(random, 9);
        }
        c[Home_Email] = QStringLiteral("kontakt%1@example.cz").arg(r);
        c[Work_Company] = QStringLiteral("Firma %1").arg(random.bounded(500));
        // Colleagues share the company's phone.
        c[Work_Tel] = QStringLiteral("222 %1").arg(100000 + random.bounded(500));
        if (random.bounded(2) == 0) {
            c[Work_Email] = QStringLiteral("prace%1@firma.cz").arg(r);
        }
        c[Notes] = QStringLiteral("Poznámka %1").arg(r);
        contacts << c;
    }
    return contacts;
}

struct Fixture {
    QTemporaryDir dir;
    QString database = dir.filePath(QStringLiteral("contacts.tbr"));
    QList<QStringList> contacts = makeContacts(kContacts, 2026);
    QList<QStringList> imported = makeContacts(kImported, 7);

    Fixture() {
        TQuib db;
        db.SetDatabaseName(database);
        TDBConverter::CreateDatabase(db, DBLayouts().back());
        for (int r = 0; r < contacts.size(); ++r) {
            db.NewRow(r);
            for (int c = 0; c < ColumnCount; ++c) {
                if (!contacts[r][c].isEmpty()) {
                    db.SetData(r, c, contacts[r][c]);
                }
            }
        }
        db.Save();
        // Some of the imported contacts are in the database already.
        for (int i = 0; i < imported.size(); i += 10) {
            imported[i] = contacts[(i * 7) % kContacts];
        }
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void BM_FindDuplicateGroups(benchmark::State& state) {
    const Fixture& f = fixture();
    qsizetype groups = 0;
    for (auto _ : state) {
        groups = FindDuplicateGroups(f.contacts).size();
    }
    state.counters["groups"] = static_cast<double>(groups);
    state.SetItemsProcessed(state.iterations() * kContacts);
}
BENCHMARK(BM_FindDuplicateGroups)->Unit(benchmark::kMillisecond);

// What Tools | Find Duplicates does: every contact of the open database
// read through the session, then grouped.
void BM_FindDuplicatesInDatabase(benchmark::State& state) {
    const Fixture& f = fixture();
    TContactsSession session(RunningVersionText());
    if (!session.OpenFile(f.database)) {
        state.SkipWithError("the database does not open");
        return;
    }
    TDuplicateFinder finder(session);
    for (auto _ : state) {
        finder.Refresh();
        benchmark::DoNotOptimize(finder.Groups().size());
    }
    state.counters["groups"] = static_cast<double>(finder.Groups().size());
    state.SetItemsProcessed(state.iterations() * kContacts);
}
BENCHMARK(BM_FindDuplicatesInDatabase)->Unit(benchmark::kMillisecond);

void BM_MatchImport(benchmark::State& state) {
    const Fixture& f = fixture();
    TDuplicateCount count;
    for (auto _ : state) {
        count = CountDuplicates(MatchImport(f.contacts, f.imported));
    }
    state.counters["inDatabase"] = count.inDatabase;
    state.counters["inImport"] = count.inImport;
    state.SetItemsProcessed(state.iterations() * (kContacts + kImported));
}
BENCHMARK(BM_MatchImport)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
