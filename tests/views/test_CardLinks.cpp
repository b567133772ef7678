// What the card's "Go" buttons open: web pages and mail addresses as typed,
// and nothing else, whatever an imported field holds.
#include "views/u_CardLinks.h"

#include <QTest>

class TestCardLinks : public QObject {
    Q_OBJECT

  private slots:
    void webAddress_data();
    void webAddress();
    void mailAddress_data();
    void mailAddress();
};

namespace {

// Rows of: the field, what is opened (encoded), whether it is refused.
void addColumns() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("opened");
    QTest::addColumn<bool>("refused");
}

void opens(const char* name, const QString& field, const QString& opened) {
    QTest::newRow(name) << field << opened << false;
}

void refuses(const char* name, const QString& field) {
    QTest::newRow(name) << field << QString() << true;
}

void nothing(const char* name, const QString& field) {
    QTest::newRow(name) << field << QString() << false;
}

// A refusal names the text it refuses.
void check(const QString& field, const TCardLink& link) {
    QFETCH(QString, opened);
    QFETCH(bool, refused);
    QCOMPARE(link.url.isValid() ? QString::fromLatin1(link.url.toEncoded()) : QString(), opened);
    QCOMPARE(!link.refusal.isEmpty(), refused);
    QCOMPARE(link.IsEmpty(), opened.isEmpty() && !refused);
    if (refused) {
        QVERIFY2(link.refusal.contains(u'"' + field.trimmed() + u'"'), qPrintable(link.refusal));
    }
}

}  // namespace

void TestCardLinks::webAddress_data() {
    addColumns();
    opens("plain host", "www.orvane.cz", "http://www.orvane.cz");
    opens("blanks around", "  www.orvane.cz \t", "http://www.orvane.cz");
    opens("bare domain", "www.example.cz", "http://www.example.cz");
    opens("host and port", "example.cz:8080/a", "http://example.cz:8080/a");
    opens("localhost and port", "localhost:8080", "http://localhost:8080");
    opens("http kept", "http://orvane.cz/a", "http://orvane.cz/a");
    opens("https kept", "https://orvane.cz", "https://orvane.cz");
    opens("https path and query", "https://orvane.cz/a/b?c=d", "https://orvane.cz/a/b?c=d");
    opens("upper-case scheme", "HTTP://orvane.cz", "http://orvane.cz");
    opens("mixed-case https", "HtTpS://Orvane.cz/A", "https://orvane.cz/A");
    opens("space in the path encoded", "http://orvane.cz/a b", "http://orvane.cz/a%20b");
    opens("letters in the path encoded", "orvane.cz/kontakty/příjmení",
          "http://orvane.cz/kontakty/p%C5%99%C3%ADjmen%C3%AD");
    opens("an http address in the query is only a query", "www.example.cz?http://",
          "http://www.example.cz?http://");
    opens("address and port", "http://127.0.0.1:8000/x", "http://127.0.0.1:8000/x");
    refuses("file with http in the query", "file:///home/u/x.desktop?http://");
    refuses("smb with http in the fragment", "smb://host/share#http://");
    refuses("javascript", "javascript:alert(1)");
    refuses("javascript in capitals", "JavaScript:alert(document.cookie)");
    refuses("data", "data:text/html,<script>alert(1)</script>");
    refuses("file without slashes", "file:/etc/passwd");
    refuses("other scheme", "ftp://orvane.cz");
    refuses("mailto in a web field", "mailto:jan@orvane.cz");
    refuses("drive letter", "C:\\Users\\jan\\x.exe");
    refuses("http without host", "http://");
    refuses("https without host", "https:///etc/passwd");
    refuses("http with one slash", "http:/orvane.cz");
    refuses("text before the scheme", "see https://orvane.cz");
    refuses("blank inside the host", "http://orva ne.cz");
    refuses("line break inside", "www.orvane.cz\nfile:///etc/passwd");
    refuses("network path", "//host/share");
    nothing("empty", "");
    nothing("blanks only", "   ");
    nothing("line breaks only", "\n\r\n");
}

void TestCardLinks::webAddress() {
    QFETCH(QString, field);
    check(field, WebLinkFor(field));
}

void TestCardLinks::mailAddress_data() {
    addColumns();
    opens("address", "jan@orvane.cz", "mailto:jan@orvane.cz");
    opens("blanks around", " jan@orvane.cz  ", "mailto:jan@orvane.cz");
    opens("mailto doubled", "mailto:jan@orvane.cz", "mailto:mailto:jan@orvane.cz");
    opens("attach dropped", "a@b?attach=/home/u/.ssh/id_rsa", "mailto:a@b");
    opens("copy and body dropped", "jan@orvane.cz?cc=x@y&body=hello", "mailto:jan@orvane.cz");
    opens("a second line dropped", "jan@orvane.cz\nbcc: all@orvane.cz", "mailto:jan@orvane.cz");
    opens("a typed percent stays a percent", "a%3Fattach=x@b", "mailto:a%253Fattach=x@b");
    opens("a hash stays in the address", "a#b@orvane.cz", "mailto:a%23b@orvane.cz");
    opens("blank encoded", "Jan Novak@orvane.cz", "mailto:Jan%20Novak@orvane.cz");
    opens("letters encoded", "jiří@orvane.cz", "mailto:ji%C5%99%C3%AD@orvane.cz");
    refuses("nothing before the query", "?attach=/etc/passwd");
    refuses("blanks before the query", "  ?to=x@y");
    nothing("empty", "");
    nothing("blanks only", "  \t ");
}

void TestCardLinks::mailAddress() {
    QFETCH(QString, field);
    check(field, MailLinkFor(field));
}

QTEST_GUILESS_MAIN(TestCardLinks)
#include "test_CardLinks.moc"
