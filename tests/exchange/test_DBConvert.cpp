// Conversion of database files between the column layouts, through the real
// engine and real files.
#include "ExchangeFixtures.h"

#include "session/u_ContactSchema.h"
#include "session/u_DBConverter.h"
#include "support/u_ExchangeError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace fixtures;

namespace {

const TDBLayout& layout250() {
    return DBLayouts()[0];
}
const TDBLayout& layout251() {
    return DBLayouts()[1];
}
const TDBLayout& layout270() {
    return DBLayouts()[2];
}

// A row whose every value names its column, so misplaced values show.
QStringList namedRow(const TDBLayout& layout, const QString& tag) {
    QStringList row;
    for (const QString& name : layout.columns) {
        row << name + QLatin1Char(':') + tag;
    }
    return row;
}

const QStringList kNewIn270{"Home_Nick", "Home_ICQ", "Work_Position",
                            "Work_ICO",  "Work_DIC", "Work_ICQ"};

}  // namespace

class TestDBConvert : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir dir_;
    QString path(const QString& name) const { return dir_.filePath(name); }

    struct Converter {
        TQuib source;
        TQuib dest;
        TDBConverter converter{source, dest};
    };

    static bool yes() { return true; }

  private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    void layoutsAreAsPublished() {
        QCOMPARE(DBLayouts().size(), std::size_t(3));
        QCOMPARE(layout250().columns.size(), 26);
        QCOMPARE(layout251().columns.size(), 28);
        QCOMPARE(layout270().columns.size(), 32);
        QCOMPARE(layout250().version, QStringLiteral("2.5.0"));
        QCOMPARE(layout251().version, QStringLiteral("2.5.1"));
        QCOMPARE(layout270().version, QStringLiteral("2.7.0"));
        QCOMPARE(layout270().text,
                 QStringLiteral("Orvane Contacts 2.7.0 [2.7.0.27 (07.04.2004) - current version]"));
        QCOMPARE(layout251().columns.indexOf("Home_ICQ"),
                 layout251().columns.indexOf("Home_Email") + 1);
        QCOMPARE(layout251().columns.indexOf("Work_ICQ"),
                 layout251().columns.indexOf("Work_Email") + 1);
        QStringList older = layout270().columns;
        for (const QString& name : kNewIn270) {
            older.removeOne(name);
        }
        QCOMPARE(older, layout250().columns);
    }

    void buildColumnMap() {
        QCOMPARE(TDBConverter::BuildColumnMap({"b", "x", "a", "b"}, {"a", "b", "b"}),
                 TColumnMap({1, -1, 0, 1}));
        QCOMPARE(TDBConverter::BuildColumnMap({}, {"a"}), TColumnMap());
    }

    void destinationHasTheHeadersOfANewDatabase() {
        const QString src = path("headers-src.tbr");
        const QString dst = path("headers-dst.tbr");
        WriteDatabase(src, layout270(), {});
        Converter c;
        // Central European, for the older programs the layout is meant for.
        c.converter.SetTextEncoding(quib::TextEncoding::Windows1250);
        QCOMPARE(c.converter.Convert(src, dst, layout251(), yes), TDBConverter::Result::Written);
        auto db = OpenDatabase(dst);
        QVERIFY(db);
        const QStringList names{"DBColsName",        "ProgramName",      "ProgramAktVersion",
                                "ProgramMinVersion", "ProgramCopyright", "ProgramWWW",
                                "ProgramEmail"};
        QCOMPARE(db->HeadersCount(), names.size());
        for (int h = 0; h < names.size(); ++h) {
            QCOMPARE(db->GetHeaderName(h), names[h]);
            if (h > 0) {
                QCOMPARE(db->HeaderTextsCount(h), 1);
            }
        }
        QCOMPARE(db->GetHeaderText(1, 0), QStringLiteral("Orvane Contacts"));
        QCOMPARE(db->GetHeaderText(2, 0), QStringLiteral("2.5.1"));
        QCOMPARE(db->GetHeaderText(3, 0), QStringLiteral("2.5.1"));
        QCOMPARE(TDBConverter::DatabaseColumns(*db), layout251().columns);
        QCOMPARE(db->ColsCount(), 28);
        QCOMPARE(db->Encoding(), quib::TextEncoding::Windows1250);
        // Unicode (the default) needs the first program that reads it.
        Converter unicode;
        QCOMPARE(unicode.converter.Convert(src, dst, layout251(), yes),
                 TDBConverter::Result::Written);
        db = OpenDatabase(dst);
        QCOMPARE(db->Encoding(), quib::TextEncoding::Utf8);
        QCOMPARE(db->GetHeaderText(2, 0), QStringLiteral("2.5.1"));
        QCOMPARE(db->GetHeaderText(3, 0), QStringLiteral("2.8.0"));
    }

    void from270To250DropsTheNewColumnsAndBackLeavesThemEmpty() {
        const QString src = path("a270.tbr");
        const QString mid = path("a250.tbr");
        const QString back = path("a270back.tbr");
        WriteDatabase(src, layout270(), {namedRow(layout270(), "1"), namedRow(layout270(), "2")});
        {
            Converter c;
            c.converter.Convert(src, mid, layout250(), yes);
        }
        auto old = OpenDatabase(mid);
        QCOMPARE(old->ColsCount(), 26);
        QCOMPARE(ReadRows(*old),
                 (QList<QStringList>{namedRow(layout250(), "1"), namedRow(layout250(), "2")}));
        {
            Converter c;
            c.converter.Convert(mid, back, layout270(), yes);
        }
        auto again = OpenDatabase(back);
        QCOMPARE(again->RowsCount(), 2);
        for (const QString& name : layout270().columns) {
            const QString expected =
                kNewIn270.contains(name) ? QString() : name + QStringLiteral(":2");
            QCOMPARE(ValueByName(*again, 1, name), expected);
        }
    }

    void from250To270KeepsEveryValueUnderItsName() {
        const QString src = path("b250.tbr");
        const QString dst = path("b270.tbr");
        WriteDatabase(src, layout250(), {namedRow(layout250(), "x")});
        Converter c;
        c.converter.Convert(src, dst, layout270(), yes);
        auto db = OpenDatabase(dst);
        for (const QString& name : layout250().columns) {
            QCOMPARE(ValueByName(*db, 0, name), name + QStringLiteral(":x"));
        }
        QCOMPARE(c.converter.ColumnMap().size(), 26);
        QCOMPARE(c.converter.ColumnMap()[2], 3);  // Home_Address
    }

    // The identities are no column of a layout, yet go with the records
    // into every layout.
    void identitiesAreKeptInEveryLayout() {
        const TDBLayout withIdentities{
            QStringLiteral("ids"), QStringLiteral("2.7.0"), {"SurName", "UID", "Notes"}};
        const QString src = path("ids.tbr");
        WriteDatabase(src, withIdentities,
                      {{"Smith", "id-1", "a note"}, {"Dvořák", "id-2", QString()}});
        for (const TDBLayout& layout : DBLayouts()) {
            const QString dst = path("ids-" + layout.version + ".tbr");
            Converter c;
            c.converter.Convert(src, dst, layout, yes);
            auto db = OpenDatabase(dst);
            QCOMPARE(db->ColsCount(), layout.columns.size() + 1);
            QCOMPARE(ValueByName(*db, 0, QStringLiteral("UID")), QStringLiteral("id-1"));
            QCOMPARE(ValueByName(*db, 1, QStringLiteral("UID")), QStringLiteral("id-2"));
            QCOMPARE(ValueByName(*db, 1, QStringLiteral("SurName")), QStringLiteral("Dvořák"));
        }
        // Without identities in the source, the layout is all there is.
        const QString plain = path("plain.tbr");
        WriteDatabase(plain, layout250(), {namedRow(layout250(), "x")});
        Converter c;
        c.converter.Convert(plain, path("plain270.tbr"), layout270(), yes);
        QCOMPARE(OpenDatabase(path("plain270.tbr"))->ColsCount(), 32);
    }

    void unknownSourceColumnIsNotCopied() {
        const TDBLayout odd{
            QStringLiteral("odd"), QStringLiteral("2.7.0"), {"SurName", "Home_Fishing", "Notes"}};
        const QString src = path("odd.tbr");
        const QString dst = path("odd270.tbr");
        WriteDatabase(src, odd, {{"Smith", "trout", "a note"}});
        Converter c;
        c.converter.Convert(src, dst, layout270(), yes);
        QCOMPARE(c.converter.ColumnMap(), TColumnMap({0, kMissingColumn, 31}));
        auto db = OpenDatabase(dst);
        QStringList expected(32);
        expected[0] = QStringLiteral("Smith");
        expected[31] = QStringLiteral("a note");
        QCOMPARE(ReadRows(*db), QList<QStringList>{expected});
    }

    void inPlaceMakesABackupAndAsks() {
        const QString file = path("inplace.tbr");
        WriteDatabase(file, layout250(), {namedRow(layout250(), "p")});
        const QByteArray original = ReadFile(file);
        QFile::remove(TDBConverter::BackupFileName(file));
        WriteFile(file + ".bak", "an earlier backup");
        int asked = 0;
        Converter c;
        const auto result = c.converter.Convert(file, file, layout270(), [&] {
            ++asked;
            // The backup exists before the question.
            return ReadFile(file + ".bak") == original;
        });
        QCOMPARE(result, TDBConverter::Result::Written);
        QCOMPARE(asked, 1);
        QCOMPARE(ReadFile(path("inplace.tbr.bak")), original);
        auto db = OpenDatabase(file);
        QCOMPARE(TDBConverter::DatabaseColumns(*db), layout270().columns);
        QCOMPARE(ValueByName(*db, 0, "Notes"), QStringLiteral("Notes:p"));
    }

    void sameFile_data() {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<bool>("same");
        const QString abs = QDir::current().absoluteFilePath("x.tbr");
        QTest::newRow("equal texts") << "x.tbr"
                                     << "x.tbr" << true;
        QTest::newRow("relative and absolute") << "x.tbr" << abs << true;
        QTest::newRow("dot segment") << "./x.tbr" << abs << true;
        QTest::newRow("other file") << "x.tbr"
                                    << "y.tbr" << false;
        QTest::newRow("case differs") << "x.tbr"
                                      << "X.tbr" << false;
        QTest::newRow("one empty") << ""
                                   << "x.tbr" << false;
        QTest::newRow("both empty") << ""
                                    << "" << true;
    }

    void sameFile() {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(bool, same);
        QCOMPARE(TDBConverter::SameFile(a, b), same);
    }

    void inPlaceUnderTwoSpellingsMakesTheBackup() {
        const QString file = path("spelled.tbr");
        WriteDatabase(file, layout250(), {namedRow(layout250(), "s")});
        const QByteArray original = ReadFile(file);
        const QString otherSpelling = dir_.path() + "/./spelled.tbr";
        Converter c;
        QCOMPARE(c.converter.Convert(file, otherSpelling, layout270(), yes),
                 TDBConverter::Result::Written);
        QVERIFY(c.converter.BackupMade());
        QCOMPARE(ReadFile(file + ".bak"), original);
        auto db = OpenDatabase(file);
        QCOMPARE(ValueByName(*db, 0, "Notes"), QStringLiteral("Notes:s"));
    }

    void failedWriteLeavesTheDestinationAndNoTemporaryFile() {
        QTemporaryDir folder;
        const QString source = folder.filePath("source.tbr");
        WriteDatabase(source, layout270(), {namedRow(layout270(), "f")});
        // A folder in the destination's place cannot be replaced by a file.
        const QString dest = folder.filePath("dest.tbr");
        QVERIFY(QDir().mkdir(dest));
        Converter c;
        QVERIFY_THROWS_EXCEPTION(EExchangeError,
                                 c.converter.Convert(source, dest, layout251(), yes));
        QVERIFY(!c.converter.BackupMade());
        QVERIFY(QFileInfo(dest).isDir());
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"source.tbr"});
    }

    void replacingKeepsPermissionsAndLinks() {
        QTemporaryDir folder;
        const QString source = folder.filePath("source.tbr");
        const QString dest = folder.filePath("dest.tbr");
        const QString link = folder.filePath("link.tbr");
        WriteDatabase(source, layout270(), {namedRow(layout270(), "k")});
        WriteDatabase(dest, layout250(), {});
        const auto permissions = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
        QVERIFY(QFile::setPermissions(dest, permissions));
        QVERIFY(QFile::link(dest, link));
        Converter c;
        QCOMPARE(c.converter.Convert(source, link, layout251(), yes),
                 TDBConverter::Result::Written);
        QVERIFY(QFileInfo(link).isSymLink());
        // Owner, group and others (the user bits mirror the owner's).
        QCOMPARE(QFile::permissions(dest) & 0xF0FF, permissions);
        auto db = OpenDatabase(dest);
        QCOMPARE(TDBConverter::DatabaseColumns(*db), layout251().columns);
    }

    void declinedOverwriteWritesNothingButKeepsTheBackup() {
        const QString file = path("declined.tbr");
        WriteDatabase(file, layout250(), {namedRow(layout250(), "d")});
        const QByteArray original = ReadFile(file);
        Converter c;
        const auto result = c.converter.Convert(file, file, layout270(), [] { return false; });
        QCOMPARE(result, TDBConverter::Result::Declined);
        QCOMPARE(ReadFile(file), original);
        QCOMPARE(ReadFile(file + ".bak"), original);
        QCOMPARE(c.source.RowsCount(), 0);  // left closed
    }

    void newDestinationIsNotQuestioned() {
        const QString src = path("q-src.tbr");
        WriteDatabase(src, layout270(), {});
        int asked = 0;
        Converter c;
        c.converter.Convert(src, path("q-new.tbr"), layout270(), [&] {
            ++asked;
            return true;
        });
        QCOMPARE(asked, 0);
        QVERIFY(!QFile::exists(src + ".bak"));
    }

    void missingSourceIsAFailure() {
        const QString dst = path("never.tbr");
        Converter c;
        QVERIFY_THROWS_EXCEPTION(EExchangeError,
                                 c.converter.Convert(path("gone.tbr"), dst, layout270(), yes));
        QVERIFY(!QFile::exists(dst));
        // Converting a missing file in place fails at its backup.
        QVERIFY_THROWS_EXCEPTION(
            EExchangeError,
            c.converter.Convert(path("gone.tbr"), path("gone.tbr"), layout270(), yes));
        QVERIFY(!QFile::exists(path("gone.tbr")));
        QVERIFY_THROWS_EXCEPTION(EExchangeError,
                                 c.converter.Convert(QString(), dst, layout270(), yes));
    }

    void sourceThatIsNoDatabaseIsAFailure() {
        const QString src = path("text.tbr");
        WriteFile(src, "this is not a database");
        Converter c;
        QVERIFY_THROWS_EXCEPTION(EExchangeError,
                                 c.converter.Convert(src, path("t2.tbr"), layout270(), yes));
        QVERIFY(!QFile::exists(path("t2.tbr")));
    }

    void refusedSourceIsAFailure() {
        const QString src = path("refused.tbr");
        WriteDatabase(src, layout270(), {namedRow(layout270(), "r")});
        Converter c;
        c.source.OnCheckCompatibility = [](int16_t& cancel) { cancel = 1; };
        QVERIFY_THROWS_EXCEPTION(EExchangeError,
                                 c.converter.Convert(src, path("r2.tbr"), layout270(), yes));
        QVERIFY(!QFile::exists(path("r2.tbr")));
    }

    void unwritableDestinationIsAFailure() {
        const QString src = path("w-src.tbr");
        WriteDatabase(src, layout270(), {namedRow(layout270(), "w")});
        Converter c;
        QVERIFY_THROWS_EXCEPTION(
            EExchangeError,
            c.converter.Convert(src, path("no/such/folder/x.tbr"), layout270(), yes));
    }
};

QTEST_MAIN(TestDBConvert)
#include "test_DBConvert.moc"
