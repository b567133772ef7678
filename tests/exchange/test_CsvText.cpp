// Quoting of comma-separated text and the Windows-1250 / UTF-8 / UTF-16 text
// handling beneath the CSV export and import.
#include "exchange/u_CsvText.h"
#include "support/u_TextEncoding.h"

#include <QTest>

class TestCsvText : public QObject {
    Q_OBJECT

  private slots:
    void quoteCsvValue_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("quoted");
        QTest::newRow("plain") << "abc"
                               << "\"abc\"";
        QTest::newRow("inner quote") << "a\"b"
                                     << "\"a\"\"b\"";
        QTest::newRow("empty") << ""
                               << "\"\"";
        QTest::newRow("only quotes") << "\"\""
                                     << "\"\"\"\"\"\"";
        QTest::newRow("comma and spaces kept") << " a, b "
                                               << "\" a, b \"";
        QTest::newRow("line break kept") << "a\r\nb"
                                         << "\"a\r\nb\"";
    }
    void quoteCsvValue() {
        QFETCH(QString, value);
        QFETCH(QString, quoted);
        QCOMPARE(QuoteCsvValue(value), quoted);
    }

    void windows1250RoundTripsEveryByte() {
        QByteArray all;
        for (int b = 0; b < 256; ++b) {
            all += static_cast<char>(b);
        }
        const QString text = DecodeWindows1250(all);
        QCOMPARE(text.size(), 256);
        QCOMPARE(EncodeWindows1250(text), all);
    }

    void windows1250Letters_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("ascii") << "Smith, John" << QByteArray("Smith, John");
        QTest::newRow("Czech") << "Dvořák Žluťoučký"
                               << QByteArray("Dvo\xF8\xE1k \x8Elu\x9Dou\xE8k\xFD");
        QTest::newRow("Slovak and Polish") << "ľĽĺŁą" << QByteArray("\xBE\xBC\xE5\xA3\xB9");
        QTest::newRow("typography") << "€„“–" << QByteArray("\x80\x84\x93\x96");
        QTest::newRow("no form becomes ?") << "a漢b" << QByteArray("a?b");
        QTest::newRow("astral character is one ?") << "a\U0001F600b" << QByteArray("a?b");
    }
    void windows1250Letters() {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(EncodeWindows1250(text), bytes);
        if (!bytes.contains('?')) {
            QCOMPARE(DecodeWindows1250(bytes), text);
        }
    }

    void detectEncoding_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("utf8");
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("ascii") << QByteArray("a,b\r\n") << false;
        QTest::newRow("BOM and ascii") << QByteArray(
                                              "\xEF\xBB\xBF"
                                              "a,b")
                                       << true;
        QTest::newRow("valid UTF-8 letters") << QString("Dvořák").toUtf8() << true;
        QTest::newRow("Windows-1250 letters") << QByteArray("Dvo\xF8\xE1k") << false;
        QTest::newRow("broken UTF-8 sequence") << QByteArray("a\xC5") << false;
        // Windows-1250 whose bytes form UTF-8, of characters Windows-1250
        // lacks: "Čš" is "Ț", "ěšť" is "욝", "ÉŠ" is "Ɋ" in UTF-8.
        QTest::newRow("Windows-1250 Čš") << QByteArray("\xC8\x9A") << false;
        QTest::newRow("Windows-1250 ěšť") << QByteArray("\xEC\x9A\x9D") << false;
        QTest::newRow("Windows-1250 ÉŠ") << QByteArray("Jan \xC9\x8A,x\r\n") << false;
        QTest::newRow("UTF-8 of a sign") << QString("100 €").toUtf8() << true;
        QTest::newRow("UTF-8 with a smiley and a letter") << QString("Věra 😀").toUtf8() << true;
        // Nothing the program could keep: read as Windows-1250.
        QTest::newRow("UTF-8 of CJK only") << QString("東京").toUtf8() << false;
    }
    void detectEncoding() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, utf8);
        QCOMPARE(DetectTextEncoding(bytes) == TextEncoding::Utf8, utf8);
    }

    // Every text of one and of two Czech letters in Windows-1250, alone or
    // among ASCII, reads back as Windows-1250.
    void windows1250CzechIsNeverTakenForUtf8() {
        const QString letters = QStringLiteral("ÁČĎÉĚÍŇÓŘŠŤÚŮÝŽáčďéěíňóřšťúůýž");
        QStringList texts;
        for (const QChar a : letters) {
            texts << QString(a);
            for (const QChar b : letters) {
                texts << QString(a) + b;
            }
        }
        int validUtf8 = 0;
        for (const QString& text : texts) {
            for (const QString& line : {text, QStringLiteral("\"%1\",\"x\"\r\n").arg(text)}) {
                const QByteArray bytes = EncodeWindows1250(line);
                QCOMPARE(DetectTextEncoding(bytes), TextEncoding::Windows1250);
                QCOMPARE(DecodeDetected(bytes), line);
                TUtf8Validator validator;
                validator.Feed(bytes);
                validUtf8 += validator.Valid() ? 1 : 0;
            }
        }
        QVERIFY(validUtf8 > 100);  // the ones read wrongly before
    }

    void utf8Validator_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<bool>("nonAscii");
        QTest::addColumn<bool>("windows1250");  // some character Windows-1250 has
        QTest::newRow("empty") << QByteArray() << true << false << false;
        QTest::newRow("ascii") << QByteArray("abc") << true << false << false;
        QTest::newRow("Czech") << QString("Žluťoučký").toUtf8() << true << true << true;
        QTest::newRow("four bytes") << QString("a\U0001F600").toUtf8() << true << true << false;
        QTest::newRow("euro") << QString("€").toUtf8() << true << true << true;
        QTest::newRow("no-break space") << QString("a\u00A0b").toUtf8() << true << true << true;
        QTest::newRow("C1 control") << QByteArray("\xC2\x81") << true << true << false;
        QTest::newRow("Windows-1250 Čš") << QByteArray("\xC8\x9A") << true << true << false;
        QTest::newRow("cut at the end") << QByteArray("a\xC5") << false << true << false;
        QTest::newRow("lone continuation") << QByteArray("a\x80") << false << true << false;
        QTest::newRow("overlong slash") << QByteArray("\xC0\xAF") << false << true << false;
        QTest::newRow("overlong three") << QByteArray("\xE0\x80\xAF") << false << true << false;
        QTest::newRow("surrogate") << QByteArray("\xED\xA0\x80") << false << true << false;
        QTest::newRow("beyond U+10FFFF")
            << QByteArray("\xF4\x90\x80\x80") << false << true << false;
        QTest::newRow("Windows-1250") << QByteArray("Dvo\xF8\xE1k") << false << true << false;
    }
    void utf8Validator() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, valid);
        QFETCH(bool, nonAscii);
        QFETCH(bool, windows1250);
        // Fed whole and split at every byte, the verdict is the same.
        for (qsizetype cut = 0; cut <= bytes.size(); ++cut) {
            TUtf8Validator validator;
            validator.Feed(QByteArrayView(bytes).first(cut));
            validator.Feed(QByteArrayView(bytes).sliced(cut));
            QCOMPARE(validator.Valid(), valid);
            if (valid) {
                QCOMPARE(validator.SawNonAscii(), nonAscii);
                QCOMPARE(validator.SawWindows1250Character(), windows1250);
                QCOMPARE(LooksLikeUtf8(validator), windows1250);
            }
        }
    }

    void byteOrderMarks() {
        TextEncoding encoding = TextEncoding::Windows1250;
        QCOMPARE(ByteOrderMark(QByteArray("\xFF\xFE"
                                          "a"),
                               encoding),
                 2);
        QCOMPARE(encoding, TextEncoding::Utf16LE);
        QCOMPARE(ByteOrderMark(QByteArray("\xFE\xFF"), encoding), 2);
        QCOMPARE(encoding, TextEncoding::Utf16BE);
        QCOMPARE(ByteOrderMark(QByteArray("\xEF\xBB\xBFx"), encoding), 3);
        QCOMPARE(encoding, TextEncoding::Utf8);
        QCOMPARE(ByteOrderMark(QByteArray("ab"), encoding), 0);
    }

    void decodeDetectedDropsTheMark() {
        QCOMPARE(DecodeDetected(QByteArray("\xEF\xBB\xBF") + QString("Věra").toUtf8()),
                 QStringLiteral("Věra"));
        QCOMPARE(DecodeDetected(QByteArray("V\xECra")), QStringLiteral("Věra"));
    }
};

QTEST_MAIN(TestCsvText)
#include "test_CsvText.moc"
