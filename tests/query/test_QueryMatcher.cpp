// Matching of query conditions against the rows of a real contacts
// database: every comparison with and without match case on the four kinds
// of item, "and" and "or", empty texts and a column the database lacks.

#include "GridFixture.h"

#include "query/u_Query.h"
#include "query/u_QueryMatcher.h"
#include "session/u_ContactSchema.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

using gridfixture::Record;
namespace cs = ContactSchema;

Q_DECLARE_METATYPE(TQuery)

namespace {

constexpr uint8_t Col(int field) {
    return static_cast<uint8_t>(TQuery::ItemFirstColumn + field);
}

TQueryRow Cond(uint8_t item, int compar, const QString& text, bool caseSensitive = false) {
    TQueryRow row;
    row.item = item;
    row.compar = compar;
    row.text = text;
    row.caseSensitive = caseSensitive;
    return row;
}

TQuery Make(std::initializer_list<TQueryRow> rows, int op = TQuery::And) {
    TQuery q;
    q.setOp(op);
    int i = 0;
    for (const TQueryRow& r : rows)
        q.setRow(i++, r);
    return q;
}

QList<QStringList> Contacts() {
    return {
        Record({{cs::SurName, QStringLiteral("Novák")},
                {cs::FirstName, QStringLiteral("Jan")},
                {cs::Home_Town, QStringLiteral("Praha")}}),
        Record({{cs::SurName, QStringLiteral("Dvořák")},
                {cs::FirstName, QStringLiteral("Antonín")},
                {cs::Home_Town, QStringLiteral("Brno")},
                {cs::Notes, QStringLiteral("x note")}}),
        Record({{cs::SurName, QStringLiteral("SMITH")},
                {cs::FirstName, QStringLiteral("John")},
                {cs::Home_Town, QStringLiteral("London")}}),
        Record({{cs::SurName, QStringLiteral("Smithson")},
                {cs::FirstName, QStringLiteral("Anna")},
                {cs::Home_Town, QStringLiteral("Brno")},
                {cs::Notes, QStringLiteral("vip")}}),
        Record({}),
    };
}

}  // namespace

class TestQueryMatcher : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();

    void definedCountStopsAtFirstEmptyAny();
    void lineBreaksInTextBecomeBlanks();

    void matches_data();
    void matches();
    void missingColumn_data();
    void missingColumn();
    void orDecidesAtFirstMatchAndAndAtFirstFailure();
    void itemBeyondCatalogueReadsEmpty();

  private:
    QTemporaryDir dir_;
    std::unique_ptr<TQuib> full_;
    TColumnMap fullMap_;
    std::unique_ptr<TQuib> lacking_;
    TColumnMap lackingMap_;
};

void TestQueryMatcher::initTestCase() {
    QVERIFY(dir_.isValid());
    const QString full = dir_.filePath(QStringLiteral("full.tbr"));
    gridfixture::WriteContacts(full, cs::ColumnNames(), Contacts());
    full_ = gridfixture::OpenContacts(full, &fullMap_);
    QStringList withoutNotes = cs::ColumnNames();
    withoutNotes.removeAll(QStringLiteral("Notes"));
    const QString lacking = dir_.filePath(QStringLiteral("lacking.tbr"));
    gridfixture::WriteContacts(lacking, withoutNotes, Contacts());
    lacking_ = gridfixture::OpenContacts(lacking, &lackingMap_);
    QVERIFY(lackingMap_.isMissing(cs::Notes));
}

void TestQueryMatcher::definedCountStopsAtFirstEmptyAny() {
    TQuery q;
    QCOMPARE(q.DefinedCount(), 0);
    q.setRow(0, Cond(Col(cs::SurName), TQuery::Contain, QStringLiteral("a")));
    QCOMPARE(q.DefinedCount(), 1);
    // Row 2 "--any--" with an empty text ends the conditions.
    q.setRow(2, Cond(Col(cs::Home_Town), TQuery::Contain, QStringLiteral("b")));
    QCOMPARE(q.DefinedCount(), 1);
    for (int i = 0; i < TQuery::RowCount; ++i)
        q.setRow(i, Cond(TQuery::ItemAny, TQuery::Contain, QStringLiteral("x")));
    QCOMPARE(q.DefinedCount(), TQuery::RowCount);
    // "--any--" with a text is a condition; an item with an empty text too.
    q.setRow(3, Cond(Col(cs::SurName), TQuery::Contain, QString()));
    QCOMPARE(q.DefinedCount(), TQuery::RowCount);
}

void TestQueryMatcher::lineBreaksInTextBecomeBlanks() {
    TQuery q;
    q.setRow(0, Cond(Col(cs::SurName), TQuery::Contain, QStringLiteral("a\r\nb\nc\rd")));
    QCOMPARE(q.row(0).text, QStringLiteral("a  b c d"));
}

void TestQueryMatcher::matches_data() {
    QTest::addColumn<TQuery>("query");
    QTest::addColumn<QList<int>>("expected");
    using Q = TQuery;
    const QString smith = QStringLiteral("smith");
    const QList<int> all{0, 1, 2, 3, 4};

    QTest::newRow("empty query") << Make({}) << all;
    // A named column.
    QTest::newRow("column contain")
        << Make({Cond(Col(cs::SurName), Q::Contain, smith)}) << QList<int>{2, 3};
    QTest::newRow("column contain case")
        << Make({Cond(Col(cs::SurName), Q::Contain, smith, true)}) << QList<int>{};
    QTest::newRow("column contain case upper")
        << Make({Cond(Col(cs::SurName), Q::Contain, QStringLiteral("SMITH"), true)})
        << QList<int>{2};
    QTest::newRow("column doesn't contain")
        << Make({Cond(Col(cs::SurName), Q::DoesNotContain, smith)}) << QList<int>{0, 1, 4};
    QTest::newRow("column doesn't contain case")
        << Make({Cond(Col(cs::SurName), Q::DoesNotContain, QStringLiteral("Smith"), true)})
        << QList<int>{0, 1, 2, 4};
    QTest::newRow("column is") << Make({Cond(Col(cs::SurName), Q::Is, smith)}) << QList<int>{2};
    QTest::newRow("column is case")
        << Make({Cond(Col(cs::SurName), Q::Is, smith, true)}) << QList<int>{};
    QTest::newRow("column isn't") << Make({Cond(Col(cs::SurName), Q::IsNot, smith)})
                                  << QList<int>{0, 1, 3, 4};
    QTest::newRow("column isn't case")
        << Make({Cond(Col(cs::SurName), Q::IsNot, smith, true)}) << all;
    QTest::newRow("accented letters ignore case")
        << Make({Cond(Col(cs::SurName), Q::Is, QStringLiteral("DVOŘÁK"))}) << QList<int>{1};
    QTest::newRow("accented letters with case")
        << Make({Cond(Col(cs::SurName), Q::Is, QStringLiteral("DVOŘÁK"), true)}) << QList<int>{};
    // Cells shorter than the needle are decided without comparing, also
    // when another condition compares the same cell.
    const QString longer = QStringLiteral("a text longer than any cell of these contacts");
    QTest::newRow("longer needle doesn't contain")
        << Make({Cond(Q::ItemEvery, Q::DoesNotContain, longer)}) << all;
    QTest::newRow("longer needle contain")
        << Make({Cond(Q::ItemAtLeastOne, Q::Contain, longer)}) << QList<int>{};
    QTest::newRow("longer needle is")
        << Make({Cond(Col(cs::SurName), Q::Is, longer)}) << QList<int>{};
    QTest::newRow("longer needle isn't") << Make({Cond(Col(cs::SurName), Q::IsNot, longer)}) << all;
    QTest::newRow("longer and shorter needles on one cell")
        << Make({Cond(Col(cs::SurName), Q::DoesNotContain, longer),
                 Cond(Col(cs::SurName), Q::Contain, QStringLiteral("SMITH"))})
        << QList<int>{2, 3};
    // An empty needle occurs in no value.
    QTest::newRow("empty contain")
        << Make({Cond(Col(cs::SurName), Q::Contain, QString())}) << QList<int>{};
    QTest::newRow("empty doesn't contain")
        << Make({Cond(Col(cs::SurName), Q::DoesNotContain, QString())}) << all;
    QTest::newRow("empty is") << Make({Cond(Col(cs::SurName), Q::Is, QString())}) << QList<int>{4};
    QTest::newRow("empty isn't") << Make({Cond(Col(cs::SurName), Q::IsNot, QString())})
                                 << QList<int>{0, 1, 2, 3};
    // "--every--": all columns must pass.
    QTest::newRow("every contain empty")
        << Make({Cond(Q::ItemEvery, Q::Contain, QString())}) << QList<int>{};
    QTest::newRow("every doesn't contain")
        << Make({Cond(Q::ItemEvery, Q::DoesNotContain, QStringLiteral("X"))})
        << QList<int>{0, 2, 3, 4};
    QTest::newRow("every doesn't contain case")
        << Make({Cond(Q::ItemEvery, Q::DoesNotContain, QStringLiteral("X"), true)}) << all;
    QTest::newRow("every is empty")
        << Make({Cond(Q::ItemEvery, Q::Is, QString())}) << QList<int>{4};
    QTest::newRow("every isn't empty")
        << Make({Cond(Q::ItemEvery, Q::IsNot, QString())}) << QList<int>{};
    QTest::newRow("every contain")
        << Make({Cond(Q::ItemEvery, Q::Contain, QStringLiteral("a"))}) << QList<int>{};
    // "--at least one--": one column suffices.
    QTest::newRow("at least one contain")
        << Make({Cond(Q::ItemAtLeastOne, Q::Contain, QStringLiteral("brno"))}) << QList<int>{1, 3};
    QTest::newRow("at least one contain case")
        << Make({Cond(Q::ItemAtLeastOne, Q::Contain, QStringLiteral("brno"), true)})
        << QList<int>{};
    QTest::newRow("at least one contain case exact")
        << Make({Cond(Q::ItemAtLeastOne, Q::Contain, QStringLiteral("Brno"), true)})
        << QList<int>{1, 3};
    QTest::newRow("at least one doesn't contain")
        << Make({Cond(Q::ItemAtLeastOne, Q::DoesNotContain, QStringLiteral("brno"))}) << all;
    QTest::newRow("at least one is")
        << Make({Cond(Q::ItemAtLeastOne, Q::Is, QStringLiteral("PRAHA"))}) << QList<int>{0};
    QTest::newRow("at least one is case")
        << Make({Cond(Q::ItemAtLeastOne, Q::Is, QStringLiteral("PRAHA"), true)}) << QList<int>{};
    QTest::newRow("at least one isn't")
        << Make({Cond(Q::ItemAtLeastOne, Q::IsNot, QString())}) << QList<int>{0, 1, 2, 3};
    // "--any--" with a text looks in any column.
    QTest::newRow("any with text contain")
        << Make({Cond(Q::ItemAny, Q::Contain, QStringLiteral("brno"))}) << QList<int>{1, 3};
    QTest::newRow("any with text contain case")
        << Make({Cond(Q::ItemAny, Q::Contain, QStringLiteral("brno"), true)}) << QList<int>{};
    QTest::newRow("any with text is")
        << Make({Cond(Q::ItemAny, Q::Is, QStringLiteral("vip"))}) << QList<int>{3};
    QTest::newRow("any with text doesn't contain")
        << Make({Cond(Q::ItemAny, Q::DoesNotContain, QStringLiteral("brno"))}) << all;
    // Operators.
    QTest::newRow("and") << Make({Cond(Col(cs::SurName), Q::Contain, smith),
                                  Cond(Col(cs::Home_Town), Q::Contain, QStringLiteral("brno"))})
                         << QList<int>{3};
    QTest::newRow("or") << Make({Cond(Col(cs::SurName), Q::Contain, QStringLiteral("novák")),
                                 Cond(Col(cs::Home_Town), Q::Is, QStringLiteral("London"))},
                                Q::Or)
                        << QList<int>{0, 2};
    // A later "--any--" row does not inherit the earlier row's outcome.
    QTest::newRow("or then any") << Make({Cond(Col(cs::SurName), Q::Contain,
                                               QStringLiteral("novák")),
                                          Cond(Q::ItemAny, Q::Contain, QStringLiteral("brno"))},
                                         Q::Or)
                                 << QList<int>{0, 1, 3};
    QTest::newRow("and then any") << Make({Cond(Col(cs::Home_Town), Q::Contain,
                                                QStringLiteral("brno")),
                                           Cond(Q::ItemAny, Q::Is, QStringLiteral("vip"))})
                                  << QList<int>{3};
    // Conditions below an empty "--any--" row take no part.
    TQuery gap = Make({Cond(Col(cs::SurName), Q::Contain, smith)});
    gap.setRow(2, Cond(Col(cs::Home_Town), Q::Contain, QStringLiteral("london")));
    QTest::newRow("rows below the gap") << gap << QList<int>{2, 3};
}

void TestQueryMatcher::matches() {
    QFETCH(TQuery, query);
    QFETCH(QList<int>, expected);
    const TQueryMatcher matcher(query, fullMap_);
    QCOMPARE(QList<int>(matcher.MatchingRows(*full_)), expected);
    // Row by row gives the same answers as the whole walk.
    for (int r = 0; r < full_->RowsCount(); ++r)
        QCOMPARE(matcher.Matches(*full_, r), expected.contains(r));
}

void TestQueryMatcher::missingColumn_data() {
    QTest::addColumn<TQuery>("query");
    QTest::addColumn<QList<int>>("expected");
    using Q = TQuery;
    const QList<int> all{0, 1, 2, 3, 4};
    QTest::newRow("contain") << Make({Cond(Col(cs::Notes), Q::Contain, QStringLiteral("vip"))})
                             << QList<int>{};
    QTest::newRow("doesn't contain")
        << Make({Cond(Col(cs::Notes), Q::DoesNotContain, QStringLiteral("vip"))}) << all;
    QTest::newRow("is empty") << Make({Cond(Col(cs::Notes), Q::Is, QString())}) << all;
    QTest::newRow("every is empty")
        << Make({Cond(Q::ItemEvery, Q::Is, QString())}) << QList<int>{4};
    QTest::newRow("at least one") << Make(
                                         {Cond(Q::ItemAtLeastOne, Q::Contain, QStringLiteral("x"))})
                                  << QList<int>{};
}

void TestQueryMatcher::missingColumn() {
    QFETCH(TQuery, query);
    QFETCH(QList<int>, expected);
    QCOMPARE(QList<int>(TQueryMatcher(query, lackingMap_).MatchingRows(*lacking_)), expected);
}

void TestQueryMatcher::orDecidesAtFirstMatchAndAndAtFirstFailure() {
    const TQueryRow first = Cond(Col(cs::SurName), TQuery::Is, QStringLiteral("novák"));
    const TQueryRow never = Cond(Col(cs::Home_Town), TQuery::Is, QStringLiteral("nowhere"));
    const TQueryRow always = Cond(Col(cs::Home_Town), TQuery::IsNot, QStringLiteral("nowhere"));
    QVERIFY(TQueryMatcher(Make({first, never}, TQuery::Or), fullMap_).Matches(*full_, 0));
    QVERIFY(!TQueryMatcher(Make({never, always}, TQuery::And), fullMap_).Matches(*full_, 0));
    QVERIFY(TQueryMatcher(Make({never, always}, TQuery::Or), fullMap_).Matches(*full_, 0));
    // With "or" the last condition evaluated decides when none matched.
    QVERIFY(!TQueryMatcher(Make({never, never}, TQuery::Or), fullMap_).Matches(*full_, 0));
}

void TestQueryMatcher::itemBeyondCatalogueReadsEmpty() {
    const TQuery q = Make({Cond(200, TQuery::Is, QString())});
    QCOMPARE(QList<int>(TQueryMatcher(q, fullMap_).MatchingRows(*full_)),
             (QList<int>{0, 1, 2, 3, 4}));
    // A matcher without any column map reads nothing and fails on nothing.
    const TQuery every = Make({Cond(TQuery::ItemEvery, TQuery::Contain, QStringLiteral("a"))});
    QVERIFY(TQueryMatcher(every, TColumnMap()).Matches(*full_, 0));
}

QTEST_GUILESS_MAIN(TestQueryMatcher)
#include "test_QueryMatcher.moc"
