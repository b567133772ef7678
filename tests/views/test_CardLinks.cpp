#include "views/u_CardLinks.h"

#include <QTest>

class TestCardLinks : public QObject {
    Q_OBJECT

  private slots:
    void webAddress_data();
    void webAddress();
    void mailAddress_data();
    void mailAddress();
    void desktopUrl_data();
    void desktopUrl();
};

void TestCardLinks::webAddress_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("address");
    QTest::newRow("plain host") << "www.orvane.cz"
                                << "http://www.orvane.cz";
    QTest::newRow("blanks around") << "  www.orvane.cz \t"
                                   << "http://www.orvane.cz";
    QTest::newRow("http kept") << "http://orvane.cz/a"
                               << "http://orvane.cz/a";
    QTest::newRow("https kept") << "https://orvane.cz"
                                << "https://orvane.cz";
    QTest::newRow("https inside kept") << "see https://orvane.cz"
                                       << "see https://orvane.cz";
    QTest::newRow("upper-case scheme is not a scheme") << "HTTP://orvane.cz"
                                                       << "http://HTTP://orvane.cz";
    QTest::newRow("other scheme gets http") << "ftp://orvane.cz"
                                            << "http://ftp://orvane.cz";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("blanks only") << "   "
                                 << "";
    QTest::newRow("line breaks only") << "\n\r\n"
                                      << "";
}

void TestCardLinks::webAddress() {
    QFETCH(QString, field);
    QFETCH(QString, address);
    QCOMPARE(WebAddressFor(field), address);
}

void TestCardLinks::mailAddress_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("address");
    QTest::newRow("address") << "jan@orvane.cz"
                             << "mailto:jan@orvane.cz";
    QTest::newRow("blanks around") << " jan@orvane.cz  "
                                   << "mailto:jan@orvane.cz";
    QTest::newRow("mailto doubled") << "mailto:jan@orvane.cz"
                                    << "mailto:mailto:jan@orvane.cz";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("blanks only") << "  \t "
                                 << "";
}

void TestCardLinks::mailAddress() {
    QFETCH(QString, field);
    QFETCH(QString, address);
    QCOMPARE(MailAddressFor(field), address);
}

void TestCardLinks::desktopUrl_data() {
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("scheme");
    QTest::addColumn<QString>("text");
    QTest::newRow("http") << "http://www.orvane.cz"
                          << "http"
                          << "http://www.orvane.cz";
    QTest::newRow("https path") << "https://orvane.cz/a/b?c=d"
                                << "https"
                                << "https://orvane.cz/a/b?c=d";
    QTest::newRow("mailto") << "mailto:jan@orvane.cz"
                            << "mailto"
                            << "mailto:jan@orvane.cz";
    QTest::newRow("space encoded") << "http://orvane.cz/a b"
                                   << "http"
                                   << "http://orvane.cz/a%20b";
}

void TestCardLinks::desktopUrl() {
    QFETCH(QString, address);
    QFETCH(QString, scheme);
    QFETCH(QString, text);
    const QUrl url = DesktopUrlFor(address);
    QVERIFY(url.isValid());
    QCOMPARE(url.scheme(), scheme);
    QCOMPARE(QString::fromLatin1(url.toEncoded()), text);
}

QTEST_GUILESS_MAIN(TestCardLinks)
#include "test_CardLinks.moc"
