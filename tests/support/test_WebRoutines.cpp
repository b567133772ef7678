#include "TestHttpServer.h"
#include "testsupport/TestSupport.h"

#include "support/u_MessageBox.h"
#include "support/u_OrvFileLib.h"
#include "support/u_WebRoutines.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <stdexcept>

namespace {

const QString kRedirect = QStringLiteral("https://redirect.test/go");

QByteArray versionsXml(const QByteArray& inner) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Versions>\n" + inner + "</Versions>\n";
}

QByteArray version(const QByteArray& number, const QByteArray& type = "300",
                   const QByteArray& url = "https://www.orvane.example/download") {
    return "<Version><VersionType>" + type + "</VersionType><Number>" + number +
           "</Number><NumberSuffix>beta</NumberSuffix><TimeStampString>01.02.2027"
           "</TimeStampString><ProformURL>" +
           url + "</ProformURL></Version>\n";
}

// Answers the real message boxes shown while it lives with the buttons given,
// in order, and records the text each box shows.
class RealBoxAnswerer {
  public:
    explicit RealBoxAnswerer(QList<QMessageBox::StandardButton> answers) : answers_(answers) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { answerOpenBox(); });
        timer_.start(20);
    }
    const QStringList& shownTexts() const { return shown_; }

  private:
    void answerOpenBox() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || answers_.isEmpty()) {
            return;
        }
        shown_ << box->text();
        // A box without the wanted button (an error) is closed with OK.
        QAbstractButton* button = box->button(answers_.takeFirst());
        (button != nullptr ? button : box->button(QMessageBox::Ok))->click();
    }

    QTimer timer_;
    QList<QMessageBox::StandardButton> answers_;
    QStringList shown_;
};

}  // namespace

class TestWebRoutines : public QObject {
    Q_OBJECT

  public slots:
    void openUrl(const QUrl& url) { opened_ << url.toString(); }

  private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void check_data();
    void check();
    void check_declinedAsksNothingOfTheServer();
    void check_newerVersionShowsBothVersions();
    void check_notWellFormedRaises();
    void check_pathIsLowerCase();
    void check_boxesBreakEachLineOnce_data();
    void check_boxesBreakEachLineOnce();
    void messageDisplayText_data();
    void messageDisplayText();

    void httpGetText_joinsLinesWithCrLf();
    void openWebPage_asksFirst();
    void openWebPage_declinedOpensNothing();
    void visitProductWebSite_opensRedirect();

    void expandRedirLinks_data();
    void expandRedirLinks();
    void expandLinkLabelAddress_data();
    void expandLinkLabelAddress();

  private:
    TestHttpServer server_;
    QStringList opened_;
};

void TestWebRoutines::initTestCase() {
    App.ID = QStringLiteral("Pellum");
    App.Version = QStringLiteral("2.7.1.0");
    TWebSettings& web = WebSettings();
    web.ServerBase = server_.BaseAddress();
    web.RedirectBase = kRedirect;
    web.ReadTimeoutMs = 400;
    web.DeadlineMs = 1500;
    web.UseSystemProxy = false;
    for (const char* scheme : {"http", "https", "file", "mailto"}) {
        QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "openUrl");
    }
}

void TestWebRoutines::cleanupTestCase() {
    for (const char* scheme : {"http", "https", "file", "mailto"}) {
        QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }
}

void TestWebRoutines::init() {
    opened_.clear();
    server_.SetMode(TestHttpServer::Mode::Answer);
}

void TestWebRoutines::check_data() {
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QByteArray>("headers");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("lastMessage");
    QTest::addColumn<QString>("opened");

    const int answer = static_cast<int>(TestHttpServer::Mode::Answer);
    const QString download = QStringLiteral("https://www.orvane.example/download");
    QTest::newRow("newer") << 200 << versionsXml(version("2.9.0")) << QByteArray() << answer
                           << QString() << download;
    QTest::newRow("same") << 200 << versionsXml(version("2.7.1.0")) << QByteArray() << answer
                          << webtext::UpToDate << QString();
    QTest::newRow("older") << 200 << versionsXml(version("2.6")) << QByteArray() << answer
                           << webtext::UpToDate << QString();
    QTest::newRow("type below level") << 200 << versionsXml(version("9.0", "200")) << QByteArray()
                                      << answer << webtext::NoMatchingVersion << QString();
    QTest::newRow("type above level") << 200 << versionsXml(version("9.0", "400")) << QByteArray()
                                      << answer << QString() << download;
    QTest::newRow("404") << 404 << QByteArray("missing") << QByteArray() << answer
                         << webtext::DownloadFailed << QString();
    QTest::newRow("500") << 500 << versionsXml(version("9.0")) << QByteArray() << answer
                         << webtext::DownloadFailed << QString();
    QTest::newRow("no answer") << 200 << QByteArray() << QByteArray()
                               << static_cast<int>(TestHttpServer::Mode::Silent)
                               << webtext::DownloadFailed << QString();
    QTest::newRow("trickle past the deadline")
        << 200 << QByteArray() << QByteArray() << static_cast<int>(TestHttpServer::Mode::Trickle)
        << webtext::DownloadFailed << QString();
    QTest::newRow("oversized") << 200 << versionsXml(version("9.0") + QByteArray(300 * 1024, ' '))
                               << QByteArray() << answer << webtext::DownloadFailed << QString();
    QTest::newRow("redirect") << 302 << versionsXml(version("9.0"))
                              << QByteArray("Location: /elsewhere.xml\r\n") << answer
                              << webtext::DownloadFailed << QString();
    QTest::newRow("html page")
        << 200
        << QByteArray(
               "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Not found"
               "</title></head><body><p>Sorry<br></body></html>")
        << QByteArray() << answer << webtext::BadFormat << QString();
    QTest::newRow("entity expansion")
        << 200
        << QByteArray(
               "<?xml version=\"1.0\"?>\n<!DOCTYPE Versions [\n<!ENTITY a \"aaaaaaaaaa\">\n"
               "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">\n"
               "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">\n"
               "<!ENTITY ext SYSTEM \"file:///etc/passwd\">\n]>\n"
               "<Versions><Version><Number>9.0</Number><NumberSuffix>&c;&ext;"
               "</NumberSuffix></Version></Versions>")
        << QByteArray() << answer << webtext::BadFormat << QString();
    QTest::newRow("file page") << 200 << versionsXml(version("9.0", "300", "file:///etc/passwd"))
                               << QByteArray() << answer << webtext::BadFormat << QString();
    QTest::newRow("newer format")
        << 200 << versionsXml("<CheckEngineMinVersion>2</CheckEngineMinVersion>" + version("9.0"))
        << QByteArray() << answer << webtext::NewerFormat << QString();
    QTest::newRow("older format")
        << 200 << versionsXml("<CheckEngineMaxVersion>0</CheckEngineMaxVersion>" + version("9.0"))
        << QByteArray() << answer << webtext::OlderFormat << QString();
    QTest::newRow("wrong root") << 200 << QByteArray("<Version><Number>9.0</Number></Version>")
                                << QByteArray() << answer << webtext::BadFormat << QString();
}

void TestWebRoutines::check() {
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(QByteArray, headers);
    QFETCH(int, mode);
    QFETCH(QString, lastMessage);
    QFETCH(QString, opened);
    server_.SetReply(status, body, headers);
    server_.SetMode(static_cast<TestHttpServer::Mode>(mode));
    MessageRecorder messages;
    CheckForNewVersion();
    QVERIFY(messages.messages().size() >= 2);
    QCOMPARE(messages.messages().front().text, webtext::AskConnect);
    if (!lastMessage.isEmpty()) {
        QCOMPARE(messages.messages().size(), size_t(2));
        QCOMPARE(messages.messages().back().text, lastMessage);
        QVERIFY(messages.messages().back().type != MsgType::Confirmation);
    } else {
        QCOMPARE(messages.messages().back().type, MsgType::Confirmation);
    }
    QCOMPARE(opened_, opened.isEmpty() ? QStringList() : QStringList{opened});
}

void TestWebRoutines::check_declinedAsksNothingOfTheServer() {
    const qsizetype before = server_.Paths().size();
    MessageRecorder messages;
    messages.queueAnswer(MsgResult::No);
    CheckForNewVersion();
    QCOMPARE(messages.texts(), QStringList{webtext::AskConnect});
    QCOMPARE(server_.Paths().size(), before);
}

void TestWebRoutines::check_newerVersionShowsBothVersions() {
    server_.SetReply(200,
                     versionsXml(version("2.9.0") + version("2.8.0", "300", "https://x.test/")));
    MessageRecorder messages;
    messages.queueAnswer(MsgResult::Yes);
    messages.queueAnswer(MsgResult::No);
    CheckForNewVersion();
    const QString text = messages.messages().back().text;
    QVERIFY2(text.startsWith(QStringLiteral("Na Internetu je k dispozici novější verze programu."
                                            "\n\r\n\rVaše verze: ") +
                             RunningVersionText() + QStringLiteral(" (")),
             qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral(")\n\rNejnovější verze: 2.9.0 beta (01.02.2027)\n\r\n\r"
                                          "Přejete si zobrazit")),
             qPrintable(text));
    QVERIFY(opened_.isEmpty());
}

void TestWebRoutines::check_notWellFormedRaises() {
    server_.SetReply(200, "<Versions><Version><Number>9.0</Number></Versions>");
    MessageRecorder messages;
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, CheckForNewVersion());
    QCOMPARE(messages.texts(), QStringList{webtext::AskConnect});
}

void TestWebRoutines::check_pathIsLowerCase() {
    server_.SetReply(200, versionsXml(version("2.7.1.0")));
    MessageRecorder messages;
    CheckForNewVersion();
    QCOMPARE(server_.Paths().back(), QStringLiteral("/!public/appdata/pellum/version.xml"));
}

void TestWebRoutines::check_boxesBreakEachLineOnce_data() {
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("newer version")
        << versionsXml(version("2.9.0"))
        << QStringList{QStringLiteral("Na Internetu je k dispozici novější verze programu."),
                       QString(),
                       QStringLiteral("Vaše verze: ") + RunningVersionText() + u' ',
                       QStringLiteral("Nejnovější verze: 2.9.0 beta (01.02.2027)"),
                       QString(),
                       QStringLiteral("Přejete si zobrazit stránku pro stáhnutí nové verze?")};
    QTest::newRow("no matching version")
        << versionsXml(version("9.0", "200"))
        << QStringList{QStringLiteral("Operaci zjištění nejnovější verze programu se nepodařilo "
                                      "se najít informace o žádné verzi vyhovující zadání."),
                       QStringLiteral("Toto může nastat, pokud jste například zvolili ")};
}

void TestWebRoutines::check_boxesBreakEachLineOnce() {
    // The real boxes, not the recorder: the text they show has one line break
    // for each LF CR pair of the message.
    QFETCH(QByteArray, body);
    QFETCH(QStringList, lines);
    server_.SetReply(200, body);
    RealBoxAnswerer boxes({QMessageBox::Yes, QMessageBox::No});
    CheckForNewVersion();
    QCOMPARE(boxes.shownTexts().size(), 2);
    const QString text = boxes.shownTexts().back();
    QVERIFY2(!text.contains(u'\r'), qPrintable(text));
    const QStringList shown = text.split(u'\n');
    QCOMPARE(shown.size(), lines.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QVERIFY2(lines[i].isEmpty() ? shown[i].isEmpty() : shown[i].startsWith(lines[i]),
                 qPrintable(shown[i]));
    }
    QVERIFY(opened_.isEmpty());
}

void TestWebRoutines::messageDisplayText_data() {
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");
    QTest::newRow("LF CR") << "a\n\rb"
                           << "a\nb";
    QTest::newRow("two LF CR") << "a\n\r\n\rb"
                               << "a\n\nb";
    QTest::newRow("CR LF") << "a\r\nb"
                           << "a\nb";
    QTest::newRow("two CR LF") << "a\r\n\r\nb"
                               << "a\n\nb";
    QTest::newRow("LF") << "a\nb"
                        << "a\nb";
    QTest::newRow("two LF") << "a\n\nb"
                            << "a\n\nb";
    QTest::newRow("CR") << "a\rb"
                        << "a\nb";
    QTest::newRow("at the end") << "a\n\r"
                                << "a\n";
    QTest::newRow("none") << "abc"
                          << "abc";
    QTest::newRow("empty") << ""
                           << "";
}

void TestWebRoutines::messageDisplayText() {
    QFETCH(QString, message);
    QFETCH(QString, shown);
    QCOMPARE(MessageDisplayText(message), shown);
}

void TestWebRoutines::httpGetText_joinsLinesWithCrLf() {
    server_.SetReply(200, "one\ntwo\r\nthree");
    QString body;
    QVERIFY(HttpGetText(server_.BaseAddress() + QStringLiteral("/a"), body));
    QCOMPARE(body, QStringLiteral("one\r\ntwo\r\nthree"));
    server_.SetReply(404, "gone");
    QVERIFY(!HttpGetText(server_.BaseAddress() + QStringLiteral("/b"), body));
    QCOMPARE(body, QStringLiteral("gone"));
}

void TestWebRoutines::openWebPage_asksFirst() {
    MessageRecorder messages;
    QVERIFY(OpenWebPage(QStringLiteral("https://www.orvane.example/page"), true));
    QCOMPARE(messages.texts(), QStringList{webtext::AskOpenBrowser});
    QCOMPARE(opened_, QStringList{QStringLiteral("https://www.orvane.example/page")});
}

void TestWebRoutines::openWebPage_declinedOpensNothing() {
    MessageRecorder messages;
    messages.queueAnswer(MsgResult::No);
    QVERIFY(OpenWebPage(QStringLiteral("https://www.orvane.example/page"), true));
    QVERIFY(opened_.isEmpty());
}

void TestWebRoutines::visitProductWebSite_opensRedirect() {
    MessageRecorder messages;
    VisitProductWebSite();
    QCOMPARE(messages.texts(), QStringList{webtext::AskOpenBrowser});
    QCOMPARE(opened_,
             QStringList{kRedirect + QStringLiteral("?to=Pellum&from=Pellum&version=2.7.1.0")});
}

void TestWebRoutines::expandRedirLinks_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expanded");
    const QString tail = QStringLiteral("from=Pellum&version=2.7.1.0");
    QTest::newRow("target and language")
        << "{RedirTo:abc:en}" << kRedirect + "?lang=en&to=abc&" + tail;
    QTest::newRow("target") << "see {RedirTo:x} now"
                            << "see " + kRedirect + "?to=x&" + tail + " now";
    QTest::newRow("no target") << "{RedirTo}" << kRedirect + "?to=&" + tail;
    QTest::newRow("every occurrence")
        << "{RedirTo:a} {RedirTo:a}"
        << kRedirect + "?to=a&" + tail + " " + kRedirect + "?to=a&" + tail;
    QTest::newRow("two tokens") << "{RedirTo:a}{RedirTo:b:cz}"
                                << kRedirect + "?to=a&" + tail + kRedirect + "?lang=cz&to=b&" +
                                       tail;
    QTest::newRow("values encoded")
        << "{RedirTo:a b&c=d#e}" << kRedirect + "?to=a%20b%26c%3Dd%23e&" + tail;
    QTest::newRow("placeholder target")
        << "{RedirTo:%AppName%}" << kRedirect + "?to=Pellum&" + tail;
    QTest::newRow("other brace") << "a { b } c"
                                 << "a { b } c";
    QTest::newRow("other token") << "{Other:x}"
                                 << "{Other:x}";
    QTest::newRow("not closed") << "{RedirTo:x"
                                << "{RedirTo:x";
    QTest::newRow("brace before token") << "{{RedirTo:x}"
                                        << "{" + kRedirect + "?to=x&" + tail;
    QTest::newRow("lower case word") << "{redirto:x}"
                                     << "{redirto:x}";
    QTest::newRow("placeholders") << "%AppName% %AppVersion% %AppName%"
                                  << "Pellum 2.7.1.0 Pellum";
    QTest::newRow("empty") << ""
                           << "";
}

void TestWebRoutines::expandRedirLinks() {
    QFETCH(QString, text);
    QFETCH(QString, expanded);
    QCOMPARE(ExpandRedirLinks(text), expanded);
}

void TestWebRoutines::expandLinkLabelAddress_data() {
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("expanded");
    QTest::newRow("no token") << "https://www.orvane.example/a?b=c"
                              << "https://www.orvane.example/a?b=c";
    QTest::newRow("token") << "{RedirTo:x}" << kRedirect + "?to=x&from=Pellum&version=2.7.1.0";
    QTest::newRow("fields") << "https://h.test/{App.ID}/{App.Version}"
                            << "https://h.test/Pellum/2.7.1.0";
}

void TestWebRoutines::expandLinkLabelAddress() {
    QFETCH(QString, address);
    QFETCH(QString, expanded);
    QCOMPARE(ExpandLinkLabelAddress(address), expanded);
}

QTEST_MAIN(TestWebRoutines)
#include "test_WebRoutines.moc"
