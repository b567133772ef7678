// The sort keys handed to the session of a real database: the definitions
// they make, and a file order equal to the literal selection sort run
// through the very same calls.

#include "GridFixture.h"

#include "query/u_SortList.h"
#include "session/u_ContactSchema.h"
#include "session/u_ContactsSession.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <utility>
#include <vector>

using gridfixture::Record;
namespace cs = ContactSchema;

namespace {

// The literal sort of the control: sort records of column and order, a
// selection sort over whole rows, run after every call that sorts.
struct ReferenceSorter {
    struct Def {
        QString column;
        QString order;
    };
    std::vector<QStringList> rows;
    std::vector<Def> defs;
    int cols = 0;

    bool precedes(const QStringList& a, const QStringList& b) const {
        for (const Def& d : defs) {
            const int col = d.column.trimmed().isEmpty() ? 0 : d.column.trimmed().toInt();
            if (col < 0 || col >= cols)
                continue;
            const int cmp = QString::compare(a[col], b[col], Qt::CaseInsensitive);
            if (cmp == 0)
                continue;
            const bool asc = d.order.compare(QLatin1String("asc"), Qt::CaseInsensitive) == 0;
            const bool desc = d.order.compare(QLatin1String("desc"), Qt::CaseInsensitive) == 0;
            return (cmp < 0 && asc) || (cmp > 0 && desc);
        }
        return false;
    }
    void sort() {
        const int n = static_cast<int>(rows.size());
        for (int i = 0; i + 1 < n; ++i) {
            int best = i;
            for (int j = i + 1; j < n; ++j) {
                if (precedes(rows[j], rows[best]))
                    best = j;
            }
            if (best != i)
                std::swap(rows[i], rows[best]);
        }
    }
    // The calls the session's sort makes, one by one.
    void apply(const std::vector<std::pair<QString, QString>>& keys) {
        while (!defs.empty()) {
            defs.pop_back();
            sort();
        }
        for (std::size_t i = 0; i < keys.size(); ++i) {
            defs.push_back({});
            defs[i].column = keys[i].first;
            sort();
            defs[i].order = keys[i].second;
            sort();
        }
        sort();
    }
};

QList<QStringList> Contacts() {
    const char* data[][3] = {{"Novak", "Praha", "a"},     {"adams", "Brno", "b"},
                             {"Bergman", "Olomouc", "c"}, {"novak", "Brno", "d"},
                             {"Zeman", "Praha", "e"},     {"Adams", "Zlin", "f"},
                             {"Kral", "Brno", "g"},       {"bergman", "Kolin", "h"},
                             {"NOVAK", "Brno", "i"},      {"Adams", "Zlin", "j"}};
    QList<QStringList> rows;
    for (const auto& d : data) {
        rows.append(Record({{cs::SurName, QLatin1String(d[0])},
                            {cs::Home_Town, QLatin1String(d[1])},
                            {cs::Home_Nick, QLatin1String(d[2])}}));
    }
    return rows;
}

TSortList Keys(std::initializer_list<TSortList::Row> rows) {
    TSortList list;
    int i = 0;
    for (const TSortList::Row& r : rows)
        list.setRow(i++, r);
    return list;
}

}  // namespace

class TestSortList : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void definedCountEndsAtFirstDash();
    void twoKeysMakeTwoDefinitions();
    void fileOrderEqualsLiteralSort();
    void sortingTwiceKeepsOnlySecondKeys();
    void noKeysLeaveTheOrder();
    void missingColumnIsSkipped();

  private:
    QStringList order(const TQuibReader& quib) const;
    // Sorts the database by the keys of list, as "&Sort" does.
    void sort(const TSortList& list, const TColumnMap& map) { session_->Sort(list.Keys(map)); }
    void sort(const TSortList& list) { sort(list, map_); }
    const TQuibReader& quib() const { return session_->Quib1(); }

    std::unique_ptr<QTemporaryDir> dir_;
    QString path_;
    std::unique_ptr<TContactsSession> session_;
    TColumnMap map_;
};

void TestSortList::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    path_ = dir_->filePath(QStringLiteral("c.tbr"));
    gridfixture::WriteContacts(path_, cs::ColumnNames(), Contacts());
    gridfixture::OpenContacts(path_, &map_);
    session_ = std::make_unique<TContactsSession>(QStringLiteral("9.9.9.9"));
    QVERIFY(session_->OpenFile(path_));
}

QStringList TestSortList::order(const TQuibReader& quib) const {
    QStringList ids;
    for (int r = 0; r < quib.RowsCount(); ++r)
        ids.append(quib.GetData(r, map_[cs::Home_Nick]));
    return ids;
}

void TestSortList::definedCountEndsAtFirstDash() {
    TSortList list;
    QCOMPARE(list.DefinedCount(), 0);
    list.setRow(0, {cs::SurName, TSortList::Asc});
    list.setRow(2, {cs::Home_Town, TSortList::Desc});
    QCOMPARE(list.DefinedCount(), 1);
    list.setRow(1, {cs::FirstName, TSortList::Desc});
    QCOMPARE(list.DefinedCount(), 3);
}

void TestSortList::twoKeysMakeTwoDefinitions() {
    sort(Keys({{cs::SurName, TSortList::Asc}, {cs::Home_Town, TSortList::Desc}}));
    QCOMPARE(quib().SortsCount(), 2);
    QCOMPARE(quib().GetSortData(0, QStringLiteral("column")), QString::number(map_[cs::SurName]));
    QCOMPARE(quib().GetSortData(0, QStringLiteral("order")), QStringLiteral("asc"));
    QCOMPARE(quib().GetSortData(1, QStringLiteral("column")), QString::number(map_[cs::Home_Town]));
    QCOMPARE(quib().GetSortData(1, QStringLiteral("order")), QStringLiteral("desc"));
}

void TestSortList::fileOrderEqualsLiteralSort() {
    ReferenceSorter ref;
    for (const QStringList& r : Contacts())
        ref.rows.push_back(r);
    ref.cols = cs::ColumnCount;
    const auto col = [this](int field) { return QString::number(map_[field]); };

    // First keys, then other keys over them: the old definitions matter.
    sort(Keys({{cs::Home_Town, TSortList::Desc}, {cs::SurName, TSortList::Asc}}));
    ref.apply(
        {{col(cs::Home_Town), QStringLiteral("desc")}, {col(cs::SurName), QStringLiteral("asc")}});
    sort(Keys({{cs::SurName, TSortList::Asc},
               {cs::Home_Town, TSortList::Desc},
               {cs::Home_Nick, TSortList::Asc}}));
    ref.apply({{col(cs::SurName), QStringLiteral("asc")},
               {col(cs::Home_Town), QStringLiteral("desc")},
               {col(cs::Home_Nick), QStringLiteral("asc")}});
    session_->FinishSaves();

    QStringList expected;
    for (const QStringList& r : ref.rows)
        expected.append(r[cs::Home_Nick]);
    auto reopened = gridfixture::OpenContacts(path_);
    QCOMPARE(order(*reopened), expected);
    QCOMPARE(expected, (QStringList{"f", "j", "b", "c", "h", "g", "a", "d", "i", "e"}));
}

void TestSortList::sortingTwiceKeepsOnlySecondKeys() {
    sort(Keys({{cs::SurName, TSortList::Asc}, {cs::Home_Town, TSortList::Desc}}));
    sort(Keys({{cs::Home_Nick, TSortList::Desc}}));
    QCOMPARE(quib().SortsCount(), 1);
    QCOMPARE(quib().GetSortData(0, QStringLiteral("column")), QString::number(map_[cs::Home_Nick]));
    QCOMPARE(quib().GetSortData(0, QStringLiteral("order")), QStringLiteral("desc"));
    QCOMPARE(order(quib()), (QStringList{"j", "i", "h", "g", "f", "e", "d", "c", "b", "a"}));
}

void TestSortList::noKeysLeaveTheOrder() {
    sort(Keys({{cs::SurName, TSortList::Asc}, {cs::Home_Town, TSortList::Desc}}));
    const QStringList sorted = order(quib());
    sort(TSortList());
    QCOMPARE(quib().SortsCount(), 0);
    QCOMPARE(order(quib()), sorted);
}

void TestSortList::missingColumnIsSkipped() {
    TColumnMap map = map_;
    map.set(cs::SurName, kMissingColumn);
    const QStringList before = order(quib());
    sort(Keys({{cs::SurName, TSortList::Asc}}), map);
    QCOMPARE(quib().GetSortData(0, QStringLiteral("column")), QStringLiteral("-1"));
    QCOMPARE(order(quib()), before);
}

QTEST_GUILESS_MAIN(TestSortList)
#include "test_SortList.moc"
