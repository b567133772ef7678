#include "support/u_ColumnWidths.h"
#include "support/u_Settings.h"

#include "AppTestSupport.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <stdexcept>

class TestSettings : public QObject {
    Q_OBJECT

  private slots:
    void init() { apptest::ClearSettings(); }

    void typedSettingsTable_data() {
        QTest::addColumn<int>("setting");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("integer");
        QTest::addColumn<QString>("fallback");
        const auto row = [](TSetting s, const char* name, bool integer, const char* fallback) {
            QTest::newRow(name) << static_cast<int>(s) << QString(name) << integer
                                << QString(fallback);
        };
        row(TSetting::StartUpDatabase, "StartUpDatabase", false, "Pellum.tbr");
        row(TSetting::MenuStyle, "MenuStyle", true, "1");
        row(TSetting::ActiveTab, "ActiveTab", true, "0");
        row(TSetting::DefaultUserTemplate, "DefaultUserTemplate", false,
            "Pellum_DefaultTemplate.txt");
        row(TSetting::DefaultPrintStyle, "DefaultPrintStyle", true, "0");
        row(TSetting::RecentFile1, "RecentFile1", false, "");
        row(TSetting::RecentFile4, "RecentFile4", false, "");
        row(TSetting::TableColumnWidths, "TableColumnWidths", false, "");
    }

    void typedSettingsTable() {
        QFETCH(int, setting);
        QFETCH(QString, name);
        QFETCH(bool, integer);
        QFETCH(QString, fallback);
        const auto s = static_cast<TSetting>(setting);
        QCOMPARE(SettingName(s), name);
        QCOMPARE(SettingIsInteger(s), integer);
        QCOMPARE(SettingText(s), fallback);
        if (integer) {
            QCOMPARE(SettingInteger(s), fallback.toInt());
        }
        QList<TSetting> changed;
        const auto connection = QObject::connect(&SettingsNotifier(), &TSettingsNotifier::changed,
                                                 [&](TSetting c) { changed << c; });
        WriteSetting(s, integer ? QStringLiteral("3") : QStringLiteral("x.tbr"));
        QObject::disconnect(connection);
        QCOMPARE(changed, QList<TSetting>{s});
        // Stored by its value name, as text.
        QCOMPARE(ReadSettingString(name, QString()),
                 integer ? QStringLiteral("3") : QStringLiteral("x.tbr"));
        if (integer) {
            QCOMPARE(SettingInteger(s), 3);
            WriteSetting(s, QStringLiteral("three"));
            QVERIFY_THROWS_EXCEPTION(std::runtime_error, SettingInteger(s));
        }
    }

    // The table's column widths: per layout, the newest layouts kept, and a
    // damaged stored text read as far as it is good.
    void columnWidthsPerLayout() {
        QCOMPARE(ColumnWidths::Stored(QStringLiteral("0,1")), QList<int>());
        ColumnWidths::Store(QStringLiteral("0,1"), {120, 80});
        ColumnWidths::Store(QStringLiteral("1,0"), {50, 60});
        QCOMPARE(ColumnWidths::Stored(QStringLiteral("0,1")), (QList<int>{120, 80}));
        QCOMPARE(ColumnWidths::Stored(QStringLiteral("1,0")), (QList<int>{50, 60}));
        ColumnWidths::Store(QStringLiteral("0,1"), {130, 80});
        QCOMPARE(ColumnWidths::Stored(QStringLiteral("0,1")), (QList<int>{130, 80}));
        for (int i = 0; i < ColumnWidths::MaxLayouts; ++i)
            ColumnWidths::Store(QString::number(i + 10), {i});
        QCOMPARE(ColumnWidths::Stored(QStringLiteral("0,1")), QList<int>());
        QCOMPARE(ColumnWidths::Stored(QStringLiteral("10")), QList<int>{0});
        const auto parsed =
            ColumnWidths::Parse(QStringLiteral("a\t1,2\nnotab\nb\tx,3\nc\t-4\nd\t99999\ne\t7"));
        QCOMPARE(parsed.size(), 2);
        QCOMPARE(parsed[0].first, QStringLiteral("a"));
        QCOMPARE(parsed[1].second, QList<int>{7});
        QCOMPARE(ColumnWidths::Parse(ColumnWidths::Format(parsed)), parsed);
    }

    void defaultsWithoutStoredValues() {
        QCOMPARE(ReadSettingString(QStringLiteral("StartUpDatabase"), QStringLiteral("Pellum.tbr")),
                 QStringLiteral("Pellum.tbr"));
        QCOMPARE(ReadSettingInteger(QStringLiteral("MenuStyle"), 1), 1);
        QCOMPARE(ReadSettingInteger(QStringLiteral("ActiveTab"), 0), 0);
        QCOMPARE(ReadSettingString(QStringLiteral("RecentFile1"), QString()), QString());
    }

    void emptyStoredValueGivesDefault() {
        WriteSettingString(QStringLiteral("StartUpDatabase"), QString());
        WriteSettingString(QStringLiteral("MenuStyle"), QString());
        QCOMPARE(ReadSettingString(QStringLiteral("StartUpDatabase"), QStringLiteral("x.tbr")),
                 QStringLiteral("x.tbr"));
        QCOMPARE(ReadSettingInteger(QStringLiteral("MenuStyle"), 1), 1);
    }

    void writtenValuesReadBackAsText() {
        WriteSettingString(QStringLiteral("StartUpDatabase"), QStringLiteral("/data/Adresář.tbr"));
        WriteSettingString(QStringLiteral("MenuStyle"), QStringLiteral("0"));
        QCOMPARE(ReadSettingString(QStringLiteral("StartUpDatabase"), QString()),
                 QStringLiteral("/data/Adresář.tbr"));
        QCOMPARE(ReadSettingInteger(QStringLiteral("MenuStyle"), 1), 0);
        QSettings raw(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Orvane"),
                      QStringLiteral("Orvane Contacts"));
        QCOMPARE(raw.value(QStringLiteral("2.5/MenuStyle")).toString(), QStringLiteral("0"));
    }

    void negativeIntegerIsRead() {
        WriteSettingString(QStringLiteral("ActiveTab"), QStringLiteral("-1"));
        QCOMPARE(ReadSettingInteger(QStringLiteral("ActiveTab"), 0), -1);
    }

    void nonNumericIntegerRaisesConversionError_data() {
        QTest::addColumn<QString>("stored");
        QTest::newRow("word") << "abc";
        QTest::newRow("decimal point") << "1.0";
        QTest::newRow("number and text") << "1x";
    }

    void nonNumericIntegerRaisesConversionError() {
        QFETCH(QString, stored);
        WriteSettingString(QStringLiteral("MenuStyle"), stored);
        try {
            ReadSettingInteger(QStringLiteral("MenuStyle"), 1);
            QFAIL("no conversion error");
        } catch (const std::runtime_error& e) {
            QVERIFY(QString::fromUtf8(e.what()).contains(stored));
        }
    }

    void failedWriteRaisesItsMessage() {
        // A plain file where the settings folder belongs makes every write fail.
        const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
        QVERIFY(!config.isEmpty());
        const QString folder = config + QStringLiteral("/Orvane");
        QDir(folder).removeRecursively();
        QDir().mkpath(config);
        {
            QFile blocker(folder);
            QVERIFY(blocker.open(QIODevice::WriteOnly));
        }
        try {
            WriteSettingString(QStringLiteral("MenuStyle"), QStringLiteral("0"));
            QFile::remove(folder);
            QFAIL("no error on a failed write");
        } catch (const std::runtime_error& e) {
            QCOMPARE(QString::fromUtf8(e.what()),
                     QStringLiteral("Could not write data to the Windows Registry."));
        }
        QFile::remove(folder);
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "test_Settings.moc"
