// Column maps and the one matching rule of database and program columns.
#include "session/u_ColumnMap.h"

#include <QTest>

class TestColumnMap : public QObject {
    Q_OBJECT

  private slots:
    void entriesOutsideTheMapAreMissing() {
        const TColumnMap map({3, kMissingColumn, 0});
        QCOMPARE(map.size(), 3);
        QCOMPARE(map[0], 3);
        QVERIFY(map.isMissing(1));
        QVERIFY(map.isMissing(-1));
        QVERIFY(map.isMissing(3));
        QCOMPARE(TColumnMap::AllMissing(2), TColumnMap({kMissingColumn, kMissingColumn}));
        QCOMPARE(TColumnMap::Identity(3), TColumnMap({0, 1, 2}));
        TColumnMap changed = map;
        changed.set(1, 7);
        changed.set(9, 7);  // outside: ignored
        QCOMPARE(changed, TColumnMap({3, 7, 0}));
    }

    void matching_data() {
        QTest::addColumn<QStringList>("database");
        QTest::addColumn<QStringList>("program");
        QTest::addColumn<QList<int>>("fromProgram");
        QTest::addColumn<QList<int>>("fromDB");
        QTest::addColumn<QStringList>("unsupported");
        QTest::addColumn<QList<int>>("missing");
        QTest::newRow("same order")
            << QStringList{"a", "b"} << QStringList{"a", "b"} << QList<int>{0, 1}
            << QList<int>{0, 1} << QStringList{} << QList<int>{};
        QTest::newRow("reversed") << QStringList{"b", "a"} << QStringList{"a", "b"}
                                  << QList<int>{1, 0} << QList<int>{1, 0} << QStringList{}
                                  << QList<int>{};
        QTest::newRow("both sides lack one")
            << QStringList{"a", "x", "c"} << QStringList{"a", "b", "c"} << QList<int>{0, -1, 2}
            << QList<int>{0, -1, 2} << QStringList{"x"} << QList<int>{1};
        QTest::newRow("case counts") << QStringList{"A"} << QStringList{"a"} << QList<int>{-1}
                                     << QList<int>{-1} << QStringList{"A"} << QList<int>{0};
        QTest::newRow("no database columns")
            << QStringList{} << QStringList{"a", "b"} << QList<int>{-1, -1} << QList<int>{}
            << QStringList{} << QList<int>{0, 1};
        // A name twice in the database: both point at the field, the field at the last.
        QTest::newRow("twice") << QStringList{"a", "a"} << QStringList{"a"} << QList<int>{1}
                               << QList<int>{0, 0} << QStringList{} << QList<int>{};
    }

    void matching() {
        QFETCH(QStringList, database);
        QFETCH(QStringList, program);
        QFETCH(QList<int>, fromProgram);
        QFETCH(QList<int>, fromDB);
        QFETCH(QStringList, unsupported);
        QFETCH(QList<int>, missing);
        const TColumnMatch match = MatchColumns(database, program);
        QCOMPARE(match.fromProgram,
                 TColumnMap(std::vector<int>(fromProgram.begin(), fromProgram.end())));
        QCOMPARE(match.fromDB, TColumnMap(std::vector<int>(fromDB.begin(), fromDB.end())));
        QCOMPARE(match.unsupported, unsupported);
        QCOMPARE(match.missing, missing);
        // The two directions agree wherever both name a partner.
        for (int i = 0; i < match.fromProgram.size(); ++i) {
            if (!match.fromProgram.isMissing(i)) {
                QCOMPARE(match.fromDB[match.fromProgram[i]], i);
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestColumnMap)
#include "test_ColumnMap.moc"
