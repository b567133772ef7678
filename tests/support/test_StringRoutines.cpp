#include "support/u_OrvFileLib.h"
#include "support/u_StringRoutines.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QtTest>

#include <limits>
#include <stdexcept>

class TestStringRoutines : public QObject {
    Q_OBJECT

  private slots:
    void splitFilePath_data();
    void splitFilePath();
    void splitFileExt_data();
    void splitFileExt();
    void nextToken_walksAllTokens();
    void nextToken_withoutSeparatorReturnsRest();
    void nextToken_longSeparator();
    void parseInt64_accepts_data();
    void parseInt64_accepts();
    void parseInt64_rejects_data();
    void parseInt64_rejects();
    void parseInt64_errorMessageNamesText();
    void parseInt64_defaultOnRejection();
    void compareVersions_data();
    void compareVersions();
    void compareWithRunningVersion();
    void fileVersionText_otherFileIsEmpty();
    void fileVersionText_runningProgram();
    void fileLinkTime_runningProgramIsBuildTime();
    void fileLinkTime_missingFileRaises();
    void formatDateTime_data();
    void formatDateTime();
    void fillAppInfo_withoutExtension();
};

void TestStringRoutines::splitFilePath_data() {
    QTest::addColumn<QString>("full");
    QTest::addColumn<QString>("dir");
    QTest::addColumn<QString>("name");
    QTest::newRow("unix") << "/home/jan/Pellum.tbr"
                          << "/home/jan"
                          << "Pellum.tbr";
    QTest::newRow("windows") << "C:\\Data\\Pellum.tbr"
                             << "C:\\Data"
                             << "Pellum.tbr";
    QTest::newRow("mixed, last wins") << "C:\\a/b\\c.tbr"
                                      << "C:\\a/b"
                                      << "c.tbr";
    QTest::newRow("no separator") << "Pellum.tbr"
                                  << ""
                                  << "Pellum.tbr";
    QTest::newRow("trailing separator") << "/home/jan/"
                                        << "/home/jan"
                                        << "";
    QTest::newRow("trailing backslash") << "C:\\Data\\"
                                        << "C:\\Data"
                                        << "";
    QTest::newRow("root file") << "/x"
                               << ""
                               << "x";
    QTest::newRow("empty") << ""
                           << ""
                           << "";
}

void TestStringRoutines::splitFilePath() {
    QFETCH(QString, full);
    QFETCH(QString, dir);
    QFETCH(QString, name);
    QString d = QStringLiteral("junk");
    QString n = QStringLiteral("junk");
    SplitFilePath(full, d, n);
    QCOMPARE(d, dir);
    QCOMPARE(n, name);
}

void TestStringRoutines::splitFileExt_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("ext");
    QTest::newRow("one dot") << "Pellum.tbr"
                             << "Pellum"
                             << "tbr";
    QTest::newRow("two dots split at the second") << "a.b.c"
                                                  << "a.b"
                                                  << "c";
    QTest::newRow("no dot: empty base, whole ext") << "pellum"
                                                   << ""
                                                   << "pellum";
    QTest::newRow("trailing dot") << "name."
                                  << "name"
                                  << "";
    QTest::newRow("leading dot") << ".config"
                                 << ""
                                 << "config";
}

void TestStringRoutines::splitFileExt() {
    QFETCH(QString, file);
    QFETCH(QString, base);
    QFETCH(QString, ext);
    QString b;
    QString e;
    SplitFileExt(file, b, e);
    QCOMPARE(b, base);
    QCOMPARE(e, ext);
}

void TestStringRoutines::nextToken_walksAllTokens() {
    const QString s = QStringLiteral("2.7.10");
    qsizetype pos = 1;
    QString token;
    QVERIFY(NextToken(s, QStringLiteral("."), pos, token));
    QCOMPARE(token, QStringLiteral("2"));
    QCOMPARE(pos, 3);
    QVERIFY(NextToken(s, QStringLiteral("."), pos, token));
    QCOMPARE(token, QStringLiteral("7"));
    QVERIFY(!NextToken(s, QStringLiteral("."), pos, token));
    QCOMPARE(token, QStringLiteral("10"));
    QCOMPARE(pos, s.size() + 1);
    // Past the end: empty token, still no separator.
    QVERIFY(!NextToken(s, QStringLiteral("."), pos, token));
    QCOMPARE(token, QString());
}

void TestStringRoutines::nextToken_withoutSeparatorReturnsRest() {
    qsizetype pos = 3;
    QString token;
    QVERIFY(!NextToken(QStringLiteral("abcdef"), QStringLiteral(","), pos, token));
    QCOMPARE(token, QStringLiteral("cdef"));
    QCOMPARE(pos, 7);
}

void TestStringRoutines::nextToken_longSeparator() {
    qsizetype pos = 1;
    QString token;
    QVERIFY(NextToken(QStringLiteral("a<->b"), QStringLiteral("<->"), pos, token));
    QCOMPARE(token, QStringLiteral("a"));
    QCOMPARE(pos, 5);
}

void TestStringRoutines::parseInt64_accepts_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("value");
    QTest::newRow("decimal") << "42" << qint64(42);
    QTest::newRow("negative after spaces") << "   -17" << qint64(-17);
    QTest::newRow("plus sign") << "+5" << qint64(5);
    QTest::newRow("dollar hex") << "$1F" << qint64(31);
    QTest::newRow("x hex") << "x1f" << qint64(31);
    QTest::newRow("X hex") << "XFF" << qint64(255);
    QTest::newRow("0x hex") << "0x10" << qint64(16);
    QTest::newRow("0X hex") << "0XaB" << qint64(171);
    QTest::newRow("negative hex") << "-$10" << qint64(-16);
    QTest::newRow("max") << "9223372036854775807" << std::numeric_limits<qint64>::max();
    QTest::newRow("min") << "-9223372036854775808" << std::numeric_limits<qint64>::min();
    QTest::newRow("full hex pattern") << "$FFFFFFFFFFFFFFFF" << qint64(-1);
    QTest::newRow("leading zeros") << "007" << qint64(7);
}

void TestStringRoutines::parseInt64_accepts() {
    QFETCH(QString, text);
    QFETCH(qint64, value);
    QCOMPARE(ParseInt64(text), value);
}

void TestStringRoutines::parseInt64_rejects_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << "";
    QTest::newRow("only spaces") << "   ";
    QTest::newRow("trailing space") << "12 ";
    QTest::newRow("decimal point") << "1.5";
    QTest::newRow("letters") << "12a";
    QTest::newRow("sign only") << "-";
    QTest::newRow("prefix only") << "0x";
    QTest::newRow("dollar only") << "$";
    QTest::newRow("bad hex digit") << "$1G";
    QTest::newRow("too big") << "9223372036854775808";
    QTest::newRow("too small") << "-9223372036854775809";
    QTest::newRow("hex too long") << "$1FFFFFFFFFFFFFFFF";
    QTest::newRow("double sign") << "--1";
    QTest::newRow("tab before") << "\t1";
}

void TestStringRoutines::parseInt64_rejects() {
    QFETCH(QString, text);
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, ParseInt64(text));
    QCOMPARE(ParseInt64(text, true, 99), qint64(99));
}

void TestStringRoutines::parseInt64_errorMessageNamesText() {
    try {
        ParseInt64(QStringLiteral("1.5"));
        QFAIL("no error raised");
    } catch (const std::runtime_error& e) {
        QCOMPARE(QString::fromUtf8(e.what()),
                 QStringLiteral("Given string (1.5) is not a valid integer or hex number."));
    }
}

void TestStringRoutines::parseInt64_defaultOnRejection() {
    QCOMPARE(ParseInt64(QStringLiteral("x"), true, -3), qint64(-3));
    QCOMPARE(ParseInt64(QStringLiteral("12"), true, -3), qint64(12));
}

void TestStringRoutines::compareVersions_data() {
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<int>("sign");
    QTest::newRow("2.10 after 2.9") << "2.10"
                                    << "2.9" << 1;
    QTest::newRow("2.9 before 2.10") << "2.9"
                                     << "2.10" << -1;
    QTest::newRow("2.7 equals 2.7.1 (shorter ends)") << "2.7"
                                                     << "2.7.1" << 0;
    QTest::newRow("2.7 equals 2.7.0.27") << "2.7"
                                         << "2.7.0.27" << 0;
    QTest::newRow("empty texts equal") << ""
                                       << "" << 0;
    QTest::newRow("empty against 1") << ""
                                     << "1" << -1;
    QTest::newRow("same") << "2.5.1"
                          << "2.5.1" << 0;
    QTest::newRow("1.02 before 1.2 by text") << "1.02"
                                             << "1.2" << -1;
    QTest::newRow("2a before 2b") << "1.2a"
                                  << "1.2b" << -1;
    QTest::newRow("case-insensitive") << "1.B"
                                      << "1.b" << 0;
    QTest::newRow("major decides") << "3.0"
                                   << "2.99.99" << 1;
    QTest::newRow("running newer than minimum") << "2.7.1.0"
                                                << "2.5.1" << 1;
}

void TestStringRoutines::compareVersions() {
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(int, sign);
    const int result = CompareVersions(a, b);
    QCOMPARE((result > 0) - (result < 0), sign);
}

void TestStringRoutines::compareWithRunningVersion() {
    QCOMPARE(CompareWithRunningVersion(RunningVersionText()), 0);
    QVERIFY(CompareWithRunningVersion(QStringLiteral("99.0")) < 0);
    QVERIFY(CompareWithRunningVersion(QStringLiteral("0.1")) > 0);
}

void TestStringRoutines::fileVersionText_otherFileIsEmpty() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("plain.txt"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("text");
    file.close();
    QCOMPARE(FileVersionText(path), QString());
    QCOMPARE(FileVersionText(dir.filePath(QStringLiteral("missing"))), QString());
    QCOMPARE(FileVersionText(QString()), QString());
}

void TestStringRoutines::fileVersionText_runningProgram() {
    const QString version = FileVersionText(QCoreApplication::applicationFilePath());
    QCOMPARE(version.count(u'.'), 3);
    QCOMPARE(version, RunningVersionText());
}

void TestStringRoutines::fileLinkTime_runningProgramIsBuildTime() {
    const QDateTime t = FileLinkTime(QCoreApplication::applicationFilePath());
    QCOMPARE(t, RunningLinkTime());
    QVERIFY(t.isValid());
    QVERIFY(t.date().year() >= 2020);
}

void TestStringRoutines::fileLinkTime_missingFileRaises() {
    QTemporaryDir dir;
    QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                             FileLinkTime(dir.filePath(QStringLiteral("missing.exe"))));
}

void TestStringRoutines::formatDateTime_data() {
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("text");
    QTest::newRow("date") << "dd.mm.yyyy"
                          << "05.03.2024";
    QTest::newRow("time") << "hh:nn:ss"
                          << "07:08:09";
    QTest::newRow("splash") << "dd.mm.yyyy hh:nn"
                            << "05.03.2024 07:08";
    QTest::newRow("short forms") << "d.m.yy h:n:s"
                                 << "5.3.24 7:8:9";
    QTest::newRow("quoted text") << "'day' d"
                                 << "day 5";
}

void TestStringRoutines::formatDateTime() {
    QFETCH(QString, format);
    QFETCH(QString, text);
    const QDateTime value(QDate(2024, 3, 5), QTime(7, 8, 9), Qt::UTC);
    QCOMPARE(FormatDateTime(format, value), text);
    QCOMPARE(DateTimeToStr(value), QStringLiteral("05.03.2024 07:08:09"));
    QCOMPARE(DateToStr(value.date()), QStringLiteral("05.03.2024"));
    QCOMPARE(TimeToStr(value.time()), QStringLiteral("07:08:09"));
}

void TestStringRoutines::fillAppInfo_withoutExtension() {
    FillAppInfo(QStringLiteral("/usr/bin/pellum"));
    QCOMPARE(App.Path, QStringLiteral("/usr/bin"));
    QCOMPARE(App.ID, QStringLiteral("pellum"));
    QCOMPARE(App.Ext, QString());
    QCOMPARE(App.Version, QString());
    FillAppInfo(QStringLiteral("C:\\Program Files\\Pellum.exe"));
    QCOMPARE(App.Path, QStringLiteral("C:\\Program Files"));
    QCOMPARE(App.ID, QStringLiteral("Pellum"));
    QCOMPARE(App.Ext, QStringLiteral("exe"));
    FillAppInfo(QCoreApplication::applicationFilePath());
    QCOMPARE(App.Version, RunningVersionText());
}

QTEST_GUILESS_MAIN(TestStringRoutines)
#include "test_StringRoutines.moc"
