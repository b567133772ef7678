#include "support/u_LinkLabel.h"
#include "support/u_OrvFileLib.h"
#include "support/u_WebRoutines.h"

#include <QDesktopServices>
#include <QSignalSpy>
#include <QtTest>

class TestLinkLabel : public QObject {
    Q_OBJECT

  public slots:
    void openUrl(const QUrl& url) { opened_ << url.toString(); }

  private slots:
    void initTestCase();
    void cleanupTestCase();
    void init() { opened_.clear(); }
    void markup_data();
    void markup();
    void markup_collectsLinks();
    void click_linkRaisesLinkClick();
    void click_webLinkOpensExpandedAddress_data();
    void click_webLinkOpensExpandedAddress();
    void click_webLinkHandledIsNotOpened();
    void click_mailOpensMailto();
    void click_mouseOnLink();
    void click_unknownHrefDoesNothing();

  private:
    QStringList opened_;
};

void TestLinkLabel::initTestCase() {
    App.ID = QStringLiteral("Pellum");
    App.Version = QStringLiteral("2.7.1.0");
    WebSettings().RedirectBase = QStringLiteral("https://redirect.test/go");
    for (const char* scheme : {"http", "https", "mailto"}) {
        QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "openUrl");
    }
}

void TestLinkLabel::cleanupTestCase() {
    for (const char* scheme : {"http", "https", "mailto"}) {
        QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }
}

void TestLinkLabel::markup_data() {
    QTest::addColumn<QString>("markup");
    QTest::addColumn<QString>("html");
    QTest::newRow("plain") << "a & b"
                           << "<p>a &amp; b</p>";
    QTest::newRow("bold") << "<b>x</b> y"
                          << "<p><b>x</b> y</p>";
    QTest::newRow("paragraph") << "one<p>two"
                               << "<p>one</p><p>two</p>";
    QTest::newRow("break") << "one<br>two"
                           << "<p>one<br>two</p>";
    QTest::newRow("line ends are spaces") << "one\r\ntwo"
                                          << "<p>one  two</p>";
    QTest::newRow("unknown tag escaped") << "<i>x</i> <script>"
                                         << "<p>&lt;i&gt;x&lt;/i&gt; &lt;script&gt;</p>";
    QTest::newRow("link") << "see <link=Details>the details</link>."
                          << "<p>see <a href=\"orvlink:0\">the details</a>.</p>";
    QTest::newRow("link text escaped") << "<link=x><b>&</link>"
                                       << "<p><a href=\"orvlink:0\">&lt;b&gt;&amp;</a></p>";
    QTest::newRow("url with =") << "<url=https://a.test/?a=1&b=2>site</url>"
                                << "<p><a href=\"orvlink:0\">site</a></p>";
    QTest::newRow("url with :") << "<url:https://a.test/>site</url>"
                                << "<p><a href=\"orvlink:0\">site</a></p>";
    QTest::newRow("mail") << "<mail>a@b.test</mail>"
                          << "<p><a href=\"orvlink:0\">a@b.test</a></p>";
    QTest::newRow("unclosed link is text") << "<link=x>text"
                                           << "<p>&lt;link=x&gt;text</p>";
    QTest::newRow("tags ignore case") << "<B>x</B><BR>"
                                      << "<p><b>x</b><br></p>";
    QTest::newRow("quote in address cannot leave the href")
        << "<url=\"><script>>x</url>"
        << "<p><a href=\"orvlink:0\">&lt;script&gt;&gt;x</a></p>";
}

void TestLinkLabel::markup() {
    QFETCH(QString, markup);
    QFETCH(QString, html);
    std::vector<TLinkTarget> links;
    QCOMPARE(LinkMarkupToRichText(markup, links), html);
}

void TestLinkLabel::markup_collectsLinks() {
    std::vector<TLinkTarget> links;
    LinkMarkupToRichText(QStringLiteral("<link=A>a</link> <url=https://u.test/>u</url> "
                                        "<mail> m@x.test </mail>"),
                         links);
    QCOMPARE(links.size(), size_t(3));
    QCOMPARE(links[0].Kind, TLinkKind::Link);
    QCOMPARE(links[0].Param, QStringLiteral("A"));
    QCOMPARE(links[0].Text, QStringLiteral("a"));
    QCOMPARE(links[1].Kind, TLinkKind::Url);
    QCOMPARE(links[1].Param, QStringLiteral("https://u.test/"));
    QCOMPARE(links[2].Kind, TLinkKind::Mail);
    QCOMPARE(links[2].Param, QStringLiteral("m@x.test"));
}

void TestLinkLabel::click_linkRaisesLinkClick() {
    TOrvLinkLabel label;
    label.SetCaption(QStringLiteral("<url=https://a.test/>a</url> <link=Details>Show</link>"));
    QSignalSpy spy(&label, &TOrvLinkLabel::LinkClick);
    emit label.linkActivated(LinkHref(1));
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy[0][0].toInt(), 1);
    QCOMPARE(spy[0][1].toString(), QStringLiteral("Show"));
    QCOMPARE(spy[0][2].toString(), QStringLiteral("Details"));
    QVERIFY(opened_.isEmpty());
}

void TestLinkLabel::click_webLinkOpensExpandedAddress_data() {
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("opened");
    QTest::newRow("plain address") << "https://www.orvane.example/a"
                                   << "https://www.orvane.example/a";
    QTest::newRow("redirect token") << "{RedirTo:x}"
                                    << "https://redirect.test/go?to=x&from=Pellum&version=2.7.1.0";
}

void TestLinkLabel::click_webLinkOpensExpandedAddress() {
    QFETCH(QString, address);
    QFETCH(QString, opened);
    TOrvLinkLabel label;
    label.SetCaption(QStringLiteral("<url=%1>site</url>").arg(address));
    label.ClickHref(LinkHref(0));
    QCOMPARE(opened_, QStringList{opened});
}

void TestLinkLabel::click_webLinkHandledIsNotOpened() {
    TOrvLinkLabel label;
    label.SetCaption(QStringLiteral("<url={RedirTo:y}>site</url>"));
    QString offered;
    label.OnWebLinkClick = [&](int number, const QString& text, const QString& address) {
        offered = QStringLiteral("%1 %2 %3").arg(number).arg(text, address);
        return true;
    };
    label.ClickHref(LinkHref(0));
    QCOMPARE(offered,
             QStringLiteral("0 site https://redirect.test/go?to=y&from=Pellum&version=2.7.1.0"));
    QVERIFY(opened_.isEmpty());
    label.OnWebLinkClick = [](int, const QString&, const QString&) { return false; };
    label.ClickHref(LinkHref(0));
    QCOMPARE(opened_.size(), 1);
}

void TestLinkLabel::click_mailOpensMailto() {
    TOrvLinkLabel label;
    label.SetCaption(QStringLiteral("Write to <mail>contacts@orvane.example</mail>"));
    label.ClickHref(LinkHref(0));
    QCOMPARE(opened_, QStringList{QStringLiteral("mailto:contacts@orvane.example")});
}

void TestLinkLabel::click_mouseOnLink() {
    TOrvLinkLabel label;
    label.SetCaption(QStringLiteral("<link=Only>XXXXXXXXXXXXXXXXXXXXXXXXXXXXXX</link>"));
    label.resize(400, 60);
    label.show();
    QVERIFY(QTest::qWaitForWindowExposed(&label));
    QSignalSpy spy(&label, &TOrvLinkLabel::LinkClick);
    // The link fills the start of the first line.
    const QPoint onLink(label.contentsRect().left() + 20,
                        label.contentsRect().top() + label.fontMetrics().height() / 2 + 1);
    for (int y = 0; y < label.height() && spy.isEmpty(); y += 2) {
        QTest::mouseClick(&label, Qt::LeftButton, {}, QPoint(onLink.x(), y));
    }
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy[0][2].toString(), QStringLiteral("Only"));
}

void TestLinkLabel::click_unknownHrefDoesNothing() {
    TOrvLinkLabel label;
    label.SetCaption(QStringLiteral("<link=A>a</link>"));
    QSignalSpy spy(&label, &TOrvLinkLabel::LinkClick);
    label.ClickHref(QStringLiteral("orvlink:5"));
    label.ClickHref(QStringLiteral("https://evil.test/"));
    QCOMPARE(spy.size(), 0);
    QVERIFY(opened_.isEmpty());
}

QTEST_MAIN(TestLinkLabel)
#include "test_LinkLabel.moc"
