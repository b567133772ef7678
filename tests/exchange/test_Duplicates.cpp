// When two contacts are the same person, the groups of them among many, how
// an import meets the database, and what merging and updating make of their
// fields.
#include "exchange/u_ContactMerge.h"
#include "exchange/u_DuplicateRule.h"
#include "exchange/u_ImportDuplicates.h"
#include "session/u_ContactSchema.h"

#include <QTest>

#include <initializer_list>
#include <utility>

using namespace ContactSchema;

namespace {

using TCells = std::initializer_list<std::pair<int, const char*>>;

QStringList contact(TCells cells) {
    QStringList c(ColumnCount);
    for (const auto& [field, value] : cells) {
        c[field] = QString::fromUtf8(value);
    }
    return c;
}

const QStringList& dvorak() {
    static const QStringList c =
        contact({{SurName, "Dvořák"}, {FirstName, "Antonín"}, {Home_Tel, "+420 777 123 456"}});
    return c;
}

}  // namespace

using TKind = TImportMatch::TKind;

class TestDuplicates : public QObject {
    Q_OBJECT

  private slots:
    void samePerson_data() {
        QTest::addColumn<QStringList>("a");
        QTest::addColumn<QStringList>("b");
        QTest::addColumn<bool>("same");
        QTest::newRow("name the other way round, phone written differently")
            << dvorak()
            << contact({{SurName, "Antonín"}, {FirstName, "Dvořák"}, {Work_Tel, "777123456"}})
            << true;
        QTest::newRow("whole name in the surname, capitals")
            << dvorak() << contact({{SurName, "ANTONÍN DVOŘÁK"}, {Home_Tel, "777 123 456"}})
            << true;
        QTest::newRow("accents left out")
            << dvorak()
            << contact({{SurName, "Dvorak"}, {FirstName, "antonin"}, {Home_Tel, "777-123-456"}})
            << true;
        QTest::newRow("the number on a later line")
            << contact({{SurName, "Dvořák"},
                        {FirstName, "Antonín"},
                        {Home_Tel, "222 333 444\n00420 777 123 456"}})
            << dvorak() << true;
        QTest::newRow("letters without a decomposition")
            << contact({{SurName, "Wałęsa"}, {FirstName, "Lech"}, {Home_Email, "lech@example.pl"}})
            << contact({{SurName, "WALESA"},
                        {FirstName, "Lech"},
                        {Work_Email, "lech@example.pl"},
                        {Home_Email, "l@example.pl"}})
            << true;
        QTest::newRow("e-mail in other letter case")
            << contact(
                   {{SurName, "Dvořák"}, {FirstName, "Antonín"}, {Home_Email, "Antonin@Dvorak.CZ"}})
            << contact(
                   {{SurName, "Dvořák"}, {FirstName, "Antonín"}, {Work_Email, "antonin@dvorak.cz"}})
            << true;
        QTest::newRow("two addresses in one e-mail field")
            << contact({{SurName, "Novák"},
                        {FirstName, "Jan"},
                        {Home_Email, "jan@novak.cz, <J.Novak@firma.cz>"}})
            << contact({{SurName, "Novák"},
                        {FirstName, "Jan"},
                        {Work_Email, "mailto:j.novak@firma.cz"}})
            << true;
        QTest::newRow("the same e-mail addresses, whatever the names")
            << contact({{SurName, "Novák"}, {FirstName, "Jan"}, {Home_Email, "jan@novak.cz"}})
            << contact({{SurName, "Honza"}, {Work_Email, "JAN@novak.cz"}}) << true;
        QTest::newRow("one shared e-mail address but other names")
            << contact({{SurName, "Novák"},
                        {FirstName, "Jan"},
                        {Home_Email, "info@firma.cz"},
                        {Work_Email, "jan@firma.cz"}})
            << contact({{SurName, "Svoboda"}, {FirstName, "Petr"}, {Work_Email, "info@firma.cz"}})
            << false;
        QTest::newRow("a shared surname and a company phone")
            << contact({{SurName, "Novák"}, {FirstName, "Jan"}, {Work_Tel, "+420 222 000 111"}})
            << contact({{SurName, "Novák"}, {FirstName, "Petr"}, {Work_Tel, "222 000 111"}})
            << false;
        QTest::newRow("a company phone alone")
            << contact({{SurName, "Dvořák"}, {FirstName, "Antonín"}, {Work_Tel, "222000111"}})
            << contact({{SurName, "Smetana"}, {FirstName, "Bedřich"}, {Work_Tel, "222000111"}})
            << false;
        QTest::newRow("the same name and other numbers")
            << dvorak()
            << contact({{SurName, "Dvořák"}, {FirstName, "Antonín"}, {Home_Tel, "603 000 000"}})
            << false;
        QTest::newRow("the same name alone")
            << contact({{SurName, "Novák"}, {FirstName, "Jan"}})
            << contact({{SurName, "Novák"}, {FirstName, "Jan"}}) << false;
        QTest::newRow("no name and a shared phone")
            << contact({{Home_Tel, "777123456"}}) << contact({{Work_Tel, "777123456"}}) << false;
        QTest::newRow("a shared fax")
            << contact({{SurName, "Novák"}, {FirstName, "Jan"}, {Work_Fax, "222000111"}})
            << contact({{SurName, "Novák"}, {FirstName, "Jan"}, {Work_Fax, "222000111"}}) << false;
        QTest::newRow("one name is part of the other")
            << contact({{SurName, "Novák"}, {FirstName, "Jan"}, {Home_Tel, "777123456"}})
            << contact({{SurName, "Novák"}, {FirstName, "Jan Petr"}, {Home_Tel, "777123456"}})
            << false;
    }
    void samePerson() {
        QFETCH(QStringList, a);
        QFETCH(QStringList, b);
        QFETCH(bool, same);
        QCOMPARE(DuplicateRule::IsSamePerson(a, b), same);
        QCOMPARE(DuplicateRule::IsSamePerson(b, a), same);
        // The index finds what the rule says, no more.
        TDuplicateIndex index;
        index.Add(7, a);
        QCOMPARE(index.Find(b), same ? QList<int>{7} : QList<int>{});
    }

    void keys() {
        const DuplicateRule::TKeys keys =
            DuplicateRule::Keys(contact({{SurName, "Nováková-Dvořáková"},
                                         {FirstName, "Šárka"},
                                         {Home_Tel, "+420 777 123 456\n\n777123456, 603 111 222"},
                                         {Work_Tel, "ext. 12"},
                                         {Home_Email, "B@x.cz; a@x.cz"},
                                         {Work_Email, "not an address"}}));
        QCOMPARE(keys.name, QStringLiteral("dvorakova novakova sarka"));
        QCOMPARE(keys.phones, (QStringList{"12", "603111222", "777123456"}));
        QCOMPARE(keys.emails, (QStringList{"a@x.cz", "b@x.cz"}));
        QCOMPARE(DuplicateRule::FoldText(u"ŽLUŤOUČKÝ kůň Łódź"),
                 QStringLiteral("zlutoucky kun lodz"));
        QCOMPARE(DuplicateRule::PhoneKey(u"+420 (777) 123-456"), QStringLiteral("777123456"));
    }

    void indexFindsEveryMatchAscending() {
        TDuplicateIndex index;
        index.Add(5, dvorak());
        index.Add(
            2, contact({{SurName, "Dvořák"}, {FirstName, "Antonín"}, {Work_Tel, "777 123 456"}}));
        index.Add(3, contact({{SurName, "Smetana"}, {Home_Tel, "777 123 456"}}));
        index.Add(9,
                  contact({{SurName, "Dvořák"}, {FirstName, "Antonín"}, {Home_Email, "a@d.cz"}}));
        const QStringList probe =
            contact({{SurName, "Antonín Dvořák"}, {Home_Tel, "777123456"}, {Work_Email, "A@D.cz"}});
        QCOMPARE(index.Find(probe), (QList<int>{2, 5, 9}));

        // Contacts given at once are found as well as those added later.
        TDuplicateIndex atOnce(
            {contact({{SurName, "Smetana"}}), dvorak(),
             contact({{FirstName, "Antonín"}, {SurName, "Dvořák"}, {Work_Email, "a@d.cz"}})});
        atOnce.Add(3, contact({{SurName, "Dvořák Antonín"}, {Work_Tel, "777123456"}}));
        QCOMPARE(atOnce.Find(probe), (QList<int>{1, 2, 3}));
        QCOMPARE(atOnce.Find(contact({{SurName, "Smetana"}})), QList<int>{});
    }

    void groups() {
        const QList<QStringList> contacts{
            dvorak(),                                                                         // 0
            contact({{SurName, "Novák"}, {FirstName, "Jan"}, {Home_Email, "jan@novak.cz"}}),  // 1
            contact({{SurName, "Antonín"},
                     {FirstName, "Dvořák"},
                     {Work_Tel, "777123456"},
                     {Work_Email, "ad@example.cz"}}),                                     // 2
            contact({{SurName, "Novák"}, {FirstName, "Petr"}, {Home_Tel, "777123456"}}),  // 3
            contact({{SurName, "Jan Novák"}, {Work_Email, "JAN@novak.cz"}}),              // 4
            // Through 2: the same e-mail addresses, another name.
            contact({{SurName, "Toník"}, {Home_Email, "ad@example.cz"}}),  // 5
            contact({{SurName, "Smetana"}}),                               // 6
        };
        QCOMPARE(FindDuplicateGroups(contacts), (QList<QList<int>>{{0, 2, 5}, {1, 4}}));
        QCOMPARE(FindDuplicateGroups({}), QList<QList<int>>{});
        QCOMPARE(FindDuplicateGroups({dvorak()}), QList<QList<int>>{});
    }

    void importMeetsTheDatabase() {
        const QList<QStringList> database{
            contact({{SurName, "Novák"}, {FirstName, "Jan"}, {Home_Email, "jan@novak.cz"}}),
            dvorak(),
        };
        const QList<QStringList> imported{
            contact({{SurName, "Dvořák"}, {FirstName, "Antonín"}, {Work_Tel, "777 123 456"}}),
            contact({{SurName, "Smetana"}, {FirstName, "Bedřich"}, {Home_Tel, "603 111 222"}}),
            contact({{SurName, "Bedřich Smetana"}, {Work_Tel, "+420 603 111 222"}}),
            contact({{SurName, "Dvořák"},
                     {FirstName, "Antonín"},
                     {Work_Tel, "777123456"},
                     {Home_Email, "ad@example.cz"}}),
            // The same person as import 3 by e-mail, and so as database row 1.
            contact({{SurName, "Toník"}, {Home_Email, "ad@example.cz"}}),
            contact({{SurName, "Novák"}, {FirstName, "Jan"}, {Home_Email, "JAN@NOVAK.CZ"}}),
            contact({{SurName, "Fibich"}, {FirstName, "Zdeněk"}}),
        };
        const QList<TImportMatch> matches = MatchImport(database, imported);
        QCOMPARE(matches, (QList<TImportMatch>{{TKind::InDatabase, 1},
                                               {TKind::New, -1},
                                               {TKind::InImport, 1},
                                               {TKind::InDatabase, 1},
                                               {TKind::InDatabase, 1},
                                               {TKind::InDatabase, 0},
                                               {TKind::New, -1}}));
        const TDuplicateCount count = CountDuplicates(matches);
        QCOMPARE(count.inDatabase, 4);
        QCOMPARE(count.inImport, 1);
        QCOMPARE(count.total(), 5);
    }

    // A card whose identity is in the database is its record whatever its
    // name; one without, or with another, goes by the rule.
    void identitiesComeFirst() {
        QStringList novak =
            contact({{SurName, "Novák"}, {FirstName, "Jan"}, {Home_Email, "jan@novak.cz"}});
        novak << QStringLiteral("uid-novak");
        QStringList withDvorak = dvorak();
        withDvorak << QStringLiteral("uid-dvorak");
        const QList<QStringList> database{novak, withDvorak};
        QStringList renamed = contact({{SurName, "Nováková"}, {FirstName, "Jana"}});
        renamed << QStringLiteral("uid-novak");
        QStringList stranger = contact({{SurName, "Fibich"}, {FirstName, "Zdeněk"}});
        stranger << QStringLiteral("uid-fibich");
        QStringList again = contact({{SurName, "Z. Fibich"}});
        again << QStringLiteral("uid-fibich");
        QStringList otherIdentity = dvorak();
        otherIdentity << QStringLiteral("uid-other");
        const QList<QStringList> imported{renamed, stranger, again, otherIdentity};
        QCOMPARE(MatchImport(database, imported), (QList<TImportMatch>{{TKind::InDatabase, 0},
                                                                       {TKind::New, -1},
                                                                       {TKind::InImport, 1},
                                                                       {TKind::InDatabase, 1}}));
        // Updated from a later card of its person, a new contact keeps the
        // identity it brought.
        const TImportPlan plan = PlanImport(database, imported, MatchImport(database, imported),
                                            TDuplicateAction::Update);
        QCOMPARE(plan.added.size(), 1);
        QCOMPARE(plan.added[0].value(ColumnCount), QStringLiteral("uid-fibich"));
        QCOMPARE(plan.added[0][SurName], QStringLiteral("Fibich"));
    }

    void plans() {
        const QList<QStringList> database{
            dvorak(),
            contact({{SurName, "Novák"}, {FirstName, "Jan"}, {Home_Email, "jan@novak.cz"}}),
        };
        const QList<QStringList> imported{
            contact({{SurName, "Smetana"}, {FirstName, "Bedřich"}, {Home_Tel, "603 111 222"}}),
            contact({{SurName, "Dvořák"},
                     {FirstName, "Antonín"},
                     {Home_Tel, "777123456\n222 333 444"},
                     {Home_Town, "Praha"}}),
            contact(
                {{SurName, "Bedřich Smetana"}, {Work_Tel, "603111222"}, {Home_Town, "Litomyšl"}}),
            // Nothing new about Jan Novák: his row does not change.
            contact({{SurName, "Novák"}, {FirstName, "Jan"}, {Work_Email, "Jan@Novak.cz"}}),
        };
        const QList<TImportMatch> matches = MatchImport(database, imported);

        TImportPlan plan = PlanImport(database, imported, matches, TDuplicateAction::Add);
        QCOMPARE(plan.added, imported);
        QVERIFY(plan.updated.isEmpty());

        plan = PlanImport(database, imported, matches, TDuplicateAction::Skip);
        QCOMPARE(plan.added, QList<QStringList>{imported[0]});
        QVERIFY(plan.updated.isEmpty());

        plan = PlanImport(database, imported, matches, TDuplicateAction::Update);
        QStringList smetana = imported[0];
        smetana[Home_Town] = QStringLiteral("Litomyšl");
        QCOMPARE(plan.added, QList<QStringList>{smetana});
        QStringList dvorakUpdated = dvorak();
        dvorakUpdated[Home_Tel] = QStringLiteral("+420 777 123 456\n222 333 444");
        dvorakUpdated[Home_Town] = QStringLiteral("Praha");
        QCOMPARE(plan.updated, (QList<std::pair<int, QStringList>>{{0, dvorakUpdated}}));
    }

    void actionWords() {
        QCOMPARE(ParseDuplicateAction(u"add"), std::optional(TDuplicateAction::Add));
        QCOMPARE(ParseDuplicateAction(u"skip"), std::optional(TDuplicateAction::Skip));
        QCOMPARE(ParseDuplicateAction(u"update"), std::optional(TDuplicateAction::Update));
        QCOMPARE(ParseDuplicateAction(u"Update"), std::nullopt);
        QCOMPARE(ParseDuplicateAction(u""), std::nullopt);
    }

    void merge_data() {
        QTest::addColumn<QStringList>("kept");
        QTest::addColumn<QList<QStringList>>("others");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("empty fields are filled")
            << contact({{SurName, "Dvořák"}})
            << QList<QStringList>{contact(
                   {{SurName, "Dvořák"}, {FirstName, "Antonín"}, {Home_Town, "Praha"}})}
            << contact({{SurName, "Dvořák"}, {FirstName, "Antonín"}, {Home_Town, "Praha"}});
        QTest::newRow("phones are joined, each number once")
            << contact({{Home_Tel, "+420 777 123 456"}})
            << QList<QStringList>{contact({{Home_Tel, "777123456\n222 333 444"}})}
            << contact({{Home_Tel, "+420 777 123 456\n222 333 444"}});
        QTest::newRow("a number held as the work phone")
            << contact({{Work_Tel, "777123456"}})
            << QList<QStringList>{contact({{Home_Tel, "+420 777 123 456"}})}
            << contact({{Work_Tel, "777123456"}});
        QTest::newRow("ICQ and hobbies are joined")
            << contact({{Home_ICQ, "123456"}, {Home_Hobby, "šachy"}})
            << QList<QStringList>{contact({{Home_ICQ, "654321"}, {Home_Hobby, "šachy\nvoda"}})}
            << contact({{Home_ICQ, "123456\n654321"}, {Home_Hobby, "šachy\nvoda"}});
        QTest::newRow("another value goes to the notes under its title")
            << contact({{Home_Town, "Praha"}, {Work_Company, "Orvane"}})
            << QList<QStringList>{contact({{Home_Town, "Brno"}, {Work_Company, " Orvane "}})}
            << contact(
                   {{Home_Town, "Praha"}, {Work_Company, "Orvane"}, {Notes, "Town (home): Brno"}});
        QTest::newRow("an address goes to the notes on one line")
            << contact({{Home_Address, "Žitná 14"}})
            << QList<QStringList>{contact({{Home_Address, "Husova 5\nbyt 3"}})}
            << contact({{Home_Address, "Žitná 14"}, {Notes, "Address (home): Husova 5, byt 3"}});
        QTest::newRow("e-mails: held in either field, else noted")
            << contact({{Home_Email, "a@x.cz"}, {Work_Email, "w@x.cz"}})
            << QList<QStringList>{contact({{Home_Email, "W@X.cz"}, {Work_Email, "b@x.cz"}})}
            << contact({{Home_Email, "a@x.cz"},
                        {Work_Email, "w@x.cz"},
                        {Notes, "E-mail (work): b@x.cz"}});
        QTest::newRow("notes are joined, the other's own before its fields")
            << contact({{Home_Town, "Praha"}, {Notes, "první\ndruhá"}})
            << QList<QStringList>{contact({{Home_Town, "Brno"}, {Notes, "druhá\ntřetí"}})}
            << contact({{Home_Town, "Praha"}, {Notes, "první\ndruhá\ntřetí\nTown (home): Brno"}});
        QTest::newRow("empty notes take the other's as they are")
            << contact({}) << QList<QStringList>{contact({{Notes, "a\n\nb"}})}
            << contact({{Notes, "a\n\nb"}});
        QTest::newRow("several others in turn")
            << contact({{SurName, "Dvořák"}})
            << QList<QStringList>{contact({{Home_Town, "Brno"}}),
                                  contact({{Home_Town, "Praha"}, {Home_PSC, "120 00"}}),
                                  contact({{Home_Town, "Praha"}})}
            << contact({{SurName, "Dvořák"},
                        {Home_Town, "Brno"},
                        {Home_PSC, "120 00"},
                        {Notes, "Town (home): Praha"}});
    }
    void merge() {
        QFETCH(QStringList, kept);
        QFETCH(QList<QStringList>, others);
        QFETCH(QStringList, expected);
        const QStringList merged = ContactMerge::Merge(kept, others);
        for (int field = 0; field < ColumnCount; ++field) {
            QVERIFY2(merged[field] == expected[field],
                     qPrintable(ColumnNames()[field] + ": " + merged[field]));
        }
        QCOMPARE(merged.size(), ColumnCount);
    }

    void update_data() {
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<QStringList>("imported");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("empty fields are filled, the others kept")
            << contact({{Home_Town, "Praha"}, {Notes, "moje"}})
            << contact({{Home_Town, "Brno"}, {Home_PSC, "120 00"}, {Notes, "jejich"}})
            << contact({{Home_Town, "Praha"}, {Home_PSC, "120 00"}, {Notes, "moje"}});
        QTest::newRow("phones and faxes it lacks become further lines")
            << contact({{Home_Tel, "777123456"}, {Work_Fax, "222 000 111"}})
            << contact({{Home_Tel, "+420 777 123 456\n603 111 222"},
                        {Work_Fax, "222 000 999"},
                        {Home_Fax, "222000111"}})
            << contact(
                   {{Home_Tel, "777123456\n603 111 222"}, {Work_Fax, "222 000 111\n222 000 999"}});
        QTest::newRow("an e-mail it lacks goes to the notes")
            << contact({{Home_Email, "a@x.cz"}}) << contact({{Home_Email, "b@x.cz"}})
            << contact({{Home_Email, "a@x.cz"}, {Notes, "E-mail (home): b@x.cz"}});
        QTest::newRow("an e-mail it holds in the other field")
            << contact({{Work_Email, "a@x.cz"}}) << contact({{Home_Email, "A@x.cz"}})
            << contact({{Work_Email, "a@x.cz"}});
        QTest::newRow("empty notes are filled before the e-mail line")
            << contact({{Home_Email, "a@x.cz"}})
            << contact({{Home_Email, "b@x.cz"}, {Notes, "z importu"}})
            << contact({{Home_Email, "a@x.cz"}, {Notes, "z importu\nE-mail (home): b@x.cz"}});
        QTest::newRow("hobbies are not joined")
            << contact({{Home_Hobby, "šachy"}}) << contact({{Home_Hobby, "voda"}})
            << contact({{Home_Hobby, "šachy"}});
    }
    void update() {
        QFETCH(QStringList, existing);
        QFETCH(QStringList, imported);
        QFETCH(QStringList, expected);
        const QStringList updated = ContactMerge::Update(existing, imported);
        for (int field = 0; field < ColumnCount; ++field) {
            QVERIFY2(updated[field] == expected[field],
                     qPrintable(ColumnNames()[field] + ": " + updated[field]));
        }
    }
};

QTEST_MAIN(TestDuplicates)
#include "test_Duplicates.moc"
