#include "support/u_OrvFileLib.h"
#include "support/u_VersionFile.h"
#include "support/u_WebRoutines.h"

#include <QtTest>

#include <stdexcept>

class TestVersionFile : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void choose_data();
    void choose();
    void choose_equalNumbersKeepTheFirst();
    void choose_notWellFormedRaises();
    void newerVersionMessage_data();
    void newerVersionMessage();
};

void TestVersionFile::initTestCase() {
    App.ID = QStringLiteral("Pellum");
    App.Version = QStringLiteral("2.7.0.27");
    WebSettings().RedirectBase = QStringLiteral("https://redirect.test/go");
}

void TestVersionFile::choose_data() {
    QTest::addColumn<QString>("xml");
    QTest::addColumn<QString>("running");
    QTest::addColumn<int>("verdict");
    QTest::addColumn<QString>("number");

    const auto v = [](TVersionVerdict verdict) { return static_cast<int>(verdict); };
    const QString newer = QStringLiteral(
        "<Version><Number>2.8</Number><ProformURL>https://h.test/</ProformURL></Version>");
    QTest::newRow("no engine bounds") << "<Versions>" + newer + "</Versions>"
                                      << "2.7.0.27" << v(TVersionVerdict::NewerAvailable) << "2.8";
    QTest::newRow("root min 2") << "<Versions><CheckEngineMinVersion>2</CheckEngineMinVersion>" +
                                       newer + "</Versions>"
                                << "2.7" << v(TVersionVerdict::NewerFormat) << "";
    QTest::newRow("root max 0") << "<Versions><CheckEngineMaxVersion>0</CheckEngineMaxVersion>" +
                                       newer + "</Versions>"
                                << "2.7" << v(TVersionVerdict::OlderFormat) << "";
    QTest::newRow("root bounds not numbers")
        << "<Versions><CheckEngineMinVersion>x</CheckEngineMinVersion><CheckEngineMaxVersion>y"
           "</CheckEngineMaxVersion>" +
               newer + "</Versions>"
        << "2.7" << v(TVersionVerdict::NewerAvailable) << "2.8";
    QTest::newRow("type 200 ignored")
        << "<Versions><Version><VersionType>200</VersionType><Number>9</Number></Version>"
           "</Versions>"
        << "2.7" << v(TVersionVerdict::NoMatch) << "";
    QTest::newRow("type not a number counts")
        << "<Versions><Version><VersionType>final</VersionType><Number>2.6</Number></Version>"
           "</Versions>"
        << "2.7" << v(TVersionVerdict::UpToDate) << "2.6";
    QTest::newRow("version engine min 2 ignored")
        << "<Versions><Version><CheckEngineMinVersion>2</CheckEngineMinVersion><Number>9"
           "</Number></Version></Versions>"
        << "2.7" << v(TVersionVerdict::NoMatch) << "";
    QTest::newRow("version engine max 0 ignored")
        << "<Versions><Version><CheckEngineMaxVersion>0</CheckEngineMaxVersion><Number>9"
           "</Number></Version></Versions>"
        << "2.7" << v(TVersionVerdict::NoMatch) << "";
    QTest::newRow("equal to running") << "<Versions><Version><Number>2.7.0.27</Number></Version>"
                                         "</Versions>"
                                      << "2.7.0.27" << v(TVersionVerdict::UpToDate) << "2.7.0.27";
    QTest::newRow("shorter number compares equal")
        << "<Versions><Version><Number>2.7</Number></Version></Versions>"
        << "2.7.0.27" << v(TVersionVerdict::UpToDate) << "2.7";
    QTest::newRow("newest of several")
        << "<Versions><Version><Number>2.9</Number><ProformURL>https://a.test/</ProformURL>"
           "</Version><Version><Number>2.10</Number><ProformURL>https://b.test/</ProformURL>"
           "</Version><Version><Number>2.8</Number></Version></Versions>"
        << "2.7" << v(TVersionVerdict::NewerAvailable) << "2.10";
    QTest::newRow("value names ignore case, first counts")
        << "<Versions><Version><nUMBER>3.0</nUMBER><Number>1.0</Number><proformurl>"
           "https://a.test/</proformurl></Version></Versions>"
        << "2.7" << v(TVersionVerdict::NewerAvailable) << "3.0";
    QTest::newRow("Version name is exact")
        << "<Versions><version><Number>9</Number></version></Versions>"
        << "2.7" << v(TVersionVerdict::NoMatch) << "";
    QTest::newRow("root name is exact") << "<versions>" + newer + "</versions>"
                                        << "2.7" << v(TVersionVerdict::BadFormat) << "";
    QTest::newRow("other children ignored")
        << "<Versions><News>x</News>" + newer + "<Other><Number>9</Number></Other></Versions>"
        << "2.7" << v(TVersionVerdict::NewerAvailable) << "2.8";
    QTest::newRow("redirect token page")
        << "<Versions><Version><Number>2.8</Number><ProformURL>{RedirTo:download}</ProformURL>"
           "</Version></Versions>"
        << "2.7" << v(TVersionVerdict::NewerAvailable) << "2.8";
    QTest::newRow("javascript page")
        << "<Versions><Version><Number>2.8</Number><ProformURL>javascript:alert(1)</ProformURL>"
           "</Version></Versions>"
        << "2.7" << v(TVersionVerdict::BadFormat) << "2.8";
    QTest::newRow("no page") << "<Versions><Version><Number>2.8</Number></Version></Versions>"
                             << "2.7" << v(TVersionVerdict::BadFormat) << "2.8";
    QTest::newRow("dtd") << "<!DOCTYPE Versions><Versions>" + newer + "</Versions>"
                         << "2.7" << v(TVersionVerdict::BadFormat) << "";
    QTest::newRow("values trimmed")
        << "<Versions><Version>\n <Number> 2.8 </Number>\n <ProformURL>\n  https://h.test/\n "
           "</ProformURL></Version></Versions>"
        << "2.7" << v(TVersionVerdict::NewerAvailable) << "2.8";
}

void TestVersionFile::choose() {
    QFETCH(QString, xml);
    QFETCH(QString, running);
    QFETCH(int, verdict);
    QFETCH(QString, number);
    const TVersionChoice choice = ChooseVersion(xml, running);
    QCOMPARE(static_cast<int>(choice.Verdict), verdict);
    QCOMPARE(choice.Newest.Number, number);
}

void TestVersionFile::choose_equalNumbersKeepTheFirst() {
    const TVersionChoice choice = ChooseVersion(
        QStringLiteral("<Versions><Version><Number>3.0</Number><NumberSuffix>first</NumberSuffix>"
                       "<TimeStampString>1</TimeStampString><ProformURL>https://one.test/"
                       "</ProformURL></Version><Version><Number>3.0.0</Number><NumberSuffix>"
                       "second</NumberSuffix><ProformURL>https://two.test/</ProformURL>"
                       "</Version></Versions>"),
        QStringLiteral("2.7"));
    QCOMPARE(choice.Verdict, TVersionVerdict::NewerAvailable);
    QCOMPARE(choice.Newest.NumberSuffix, QStringLiteral("first"));
    QCOMPARE(choice.Newest.TimeStampString, QStringLiteral("1"));
    QCOMPARE(choice.Newest.ProformURL, QStringLiteral("https://one.test/"));
}

void TestVersionFile::choose_notWellFormedRaises() {
    for (const char* xml : {"", "<Versions>", "<Versions></Version>", "not xml at all",
                            "<Versions>&undefined;</Versions>"}) {
        QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                                 ChooseVersion(QString::fromLatin1(xml), QStringLiteral("2.7")));
    }
}

void TestVersionFile::newerVersionMessage_data() {
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QString>("newest");
    QTest::newRow("with suffix") << "RC1"
                                 << "3.0 RC1 (05.05.2027)";
    QTest::newRow("without suffix") << ""
                                    << "3.0 (05.05.2027)";
}

void TestVersionFile::newerVersionMessage() {
    QFETCH(QString, suffix);
    QFETCH(QString, newest);
    const TPublishedVersion v{QStringLiteral("3.0"), suffix, QStringLiteral("05.05.2027"), {}};
    QCOMPARE(NewerVersionMessage(v, QStringLiteral("2.7.1.0"), QStringLiteral("01.12.2026 10:00")),
             QStringLiteral("Na Internetu je k dispozici novější verze programu.\n\r\n\rVaše "
                            "verze: 2.7.1.0 (01.12.2026 10:00)\n\rNejnovější verze: ") +
                 newest +
                 QStringLiteral("\n\r\n\rPřejete si zobrazit stránku pro stáhnutí nové verze?"));
}

QTEST_GUILESS_MAIN(TestVersionFile)
#include "test_VersionFile.moc"
