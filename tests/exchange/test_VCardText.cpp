// The text rules of vCard files: escaping, folding, quoted-printable and the
// parts of a property line.
#include "exchange/u_VCardProperty.h"
#include "exchange/u_VCardText.h"

#include <QRandomGenerator>
#include <QTest>

class TestVCardText : public QObject {
    Q_OBJECT

  private slots:
    void escape_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("escaped");
        QTest::newRow("plain") << "Novák"
                               << "Novák";
        QTest::newRow("specials") << "a\\b,c;d"
                                  << "a\\\\b\\,c\\;d";
        QTest::newRow("LF") << "a\nb"
                            << "a\\nb";
        QTest::newRow("CR LF is one break") << "a\r\nb"
                                            << "a\\nb";
        QTest::newRow("CR alone") << "a\rb"
                                  << "a\\nb";
        QTest::newRow("colon stays") << "a:b"
                                     << "a:b";
    }
    void escape() {
        QFETCH(QString, value);
        QFETCH(QString, escaped);
        QCOMPARE(VCardText::Escape(value), escaped);
        QCOMPARE(VCardText::Unescape(escaped),
                 QString(value).replace(QStringLiteral("\r\n"), "\n").replace(u'\r', u'\n'));
    }

    void unescapeIsLenient() {
        QCOMPARE(VCardText::Unescape(u"a\\Nb\\:c\\"), QStringLiteral("a\nb:c\\"));
    }

    void splitUnescape() {
        QCOMPARE(VCardText::SplitUnescape(u";;Žitná 14\\; byt 3;Praha;;12000;", u';'),
                 (QStringList{"", "", "Žitná 14; byt 3", "Praha", "", "12000", ""}));
        QCOMPARE(VCardText::SplitUnescape(u"a\\\\;b", u';'), (QStringList{"a\\", "b"}));
    }

    // Folded lines are at most 75 octets, never split a UTF-8 sequence and
    // join back to the line.
    void folding() {
        QRandomGenerator random(75);
        const QString alphabet = QStringLiteral("aŽ€\U0001F600 ");
        for (int round = 0; round < 500; ++round) {
            QString text;
            for (int n = random.bounded(300); n > 0; --n) {
                text += alphabet.mid(random.bounded(alphabet.size()), 1);
            }
            const QByteArray line = "NOTE:" + text.toUtf8();
            QByteArray out;
            VCardText::AppendFolded(out, line);
            QVERIFY(out.endsWith("\r\n"));
            QByteArray joined;
            const QList<QByteArray> physical = out.chopped(2).split('\n');
            for (int i = 0; i < physical.size(); ++i) {
                QByteArray part = physical[i];
                if (part.endsWith('\r')) {
                    part.chop(1);
                }
                QVERIFY(part.size() <= 75);
                QVERIFY(QString::fromUtf8(part).toUtf8() == part);  // whole sequences
                if (i > 0) {
                    QVERIFY(part.startsWith(' '));
                    part.remove(0, 1);
                }
                joined += part;
            }
            QCOMPARE(joined, line);
        }
    }

    void quotedPrintable() {
        QCOMPARE(VCardText::DecodeQuotedPrintable("Dvo=C5=99=c3=a1k"), QString("Dvořák").toUtf8());
        QCOMPARE(VCardText::DecodeQuotedPrintable("a=ZZ=4"), QByteArray("a=ZZ=4"));
        QCOMPARE(VCardText::DecodeQuotedPrintable("="), QByteArray("="));
    }

    void property_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("types");
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<int>("rank");
        QTest::newRow("plain") << QByteArray("FN:Jan Novák") << true << QByteArray("FN")
                               << QByteArray() << QByteArray("Jan Novák") << 101;
        QTest::newRow("group and type list")
            << QByteArray("item1.email;type=INTERNET,work:a@b.cz") << true << QByteArray("EMAIL")
            << QByteArray("internet work") << QByteArray("a@b.cz") << 101;
        QTest::newRow("2.1 bare parameters")
            << QByteArray("TEL;WORK;VOICE;PREF:+420 1") << true << QByteArray("TEL")
            << QByteArray("work voice pref") << QByteArray("+420 1") << 1;
        QTest::newRow("4.0 quoted list and PREF")
            << QByteArray("TEL;VALUE=uri;TYPE=\"voice,home\";PREF=2:tel:+1") << true
            << QByteArray("TEL") << QByteArray("voice home") << QByteArray("tel:+1") << 2;
        QTest::newRow("repeated TYPE")
            << QByteArray("TEL;TYPE=WORK;TYPE=FAX:1") << true << QByteArray("TEL")
            << QByteArray("work fax") << QByteArray("1") << 101;
        QTest::newRow("colon in quoted parameter")
            << QByteArray("X-A;LABEL=\"a:b\":v") << true << QByteArray("X-A") << QByteArray()
            << QByteArray("v") << 101;
        QTest::newRow("no colon") << QByteArray("hello world") << false << QByteArray()
                                  << QByteArray() << QByteArray() << 0;
        QTest::newRow("open quote") << QByteArray("TEL;TYPE=\"work:1") << false << QByteArray()
                                    << QByteArray() << QByteArray() << 0;
        QTest::newRow("empty parameter")
            << QByteArray("TEL;;X:1") << false << QByteArray() << QByteArray() << QByteArray() << 0;
        QTest::newRow("no name") << QByteArray(":x") << false << QByteArray() << QByteArray()
                                 << QByteArray() << 0;
    }
    void property() {
        QFETCH(QByteArray, line);
        QFETCH(bool, ok);
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, types);
        QFETCH(QByteArray, value);
        QFETCH(int, rank);
        TVCardProperty p;
        QCOMPARE(p.Parse(line), ok);
        if (!ok) {
            return;
        }
        QCOMPARE(p.name, name);
        QCOMPARE(p.Types().join(' '), types);
        QCOMPARE(p.value.toByteArray(), value);
        QCOMPARE(p.PrefRank(), rank);
    }

    void encodings() {
        TVCardProperty p;
        QVERIFY(p.Parse("N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:x"));
        QVERIFY(p.IsQuotedPrintable());
        QCOMPARE(p.Param("CHARSET"), QByteArray("UTF-8"));
        QVERIFY(p.Parse("NOTE;QUOTED-PRINTABLE:x"));
        QVERIFY(p.IsQuotedPrintable());
        QVERIFY(p.Parse("PHOTO;ENCODING=b;TYPE=JPEG:AAAA"));
        QVERIFY(p.IsBinary());
        QVERIFY(p.Parse("PHOTO;BASE64:AAAA"));
        QVERIFY(p.IsBinary());
    }
};

QTEST_MAIN(TestVCardText)
#include "test_VCardText.moc"
