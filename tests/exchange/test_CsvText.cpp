// Quoting and field reading of comma-separated text, line splitting and the
// Windows-1250 / UTF-8 text handling beneath the CSV export and import.
#include "exchange/u_CsvLineReader.h"
#include "exchange/u_CsvText.h"
#include "exchange/u_TextEncoding.h"

#include <QRandomGenerator>
#include <QTest>

class TestCsvText : public QObject {
    Q_OBJECT

  private:
    // Splits a line the way the import does: fields while Pos is in the line.
    static QStringList splitAll(const QString& line) {
        QStringList fields;
        int pos = 1;
        QString field;
        while (pos <= line.size()) {
            ReadCsvField(line, pos, field);
            fields << field;
        }
        return fields;
    }

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

    void readCsvField_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<int>("errorPosition");  // 0: no error
        QTest::addColumn<QString>("errorChar");
        const QStringList none;
        QTest::newRow("doubled quote inside quotes")
            << "\"a\"\"b\",c" << QStringList{"a\"b", "c"} << 0 << "";
        QTest::newRow("two quotes alone") << "\"\"" << QStringList{""} << 0 << "";
        QTest::newRow("empty quoted then x") << "\"\",x" << QStringList{"", "x"} << 0 << "";
        QTest::newRow("quote inside unquoted field")
            << "ab\"c,d" << QStringList{"ab\"c", "d"} << 0 << "";
        QTest::newRow("closing quote followed by x") << "\"abc\"x,1" << none << 5 << "x";
        QTest::newRow("closing quote followed by space") << "\"a\" ,b" << none << 3 << " ";
        QTest::newRow("no closing quote") << "\"abc" << QStringList{"abc"} << 0 << "";
        QTest::newRow("trailing comma") << "a,b," << QStringList{"a", "b"} << 0 << "";
        QTest::newRow("empty middle field") << "a,,b" << QStringList{"a", "", "b"} << 0 << "";
        QTest::newRow("empty line") << "" << none << 0 << "";
        QTest::newRow("only a comma") << "," << QStringList{""} << 0 << "";
        QTest::newRow("two commas") << ",," << QStringList{"", ""} << 0 << "";
        QTest::newRow("spaces belong to the field")
            << " a , b " << QStringList{" a ", " b "} << 0 << "";
        QTest::newRow("comma inside quotes") << "\"a,b\",c" << QStringList{"a,b", "c"} << 0 << "";
        QTest::newRow("quoted last field") << "x,\"y\"" << QStringList{"x", "y"} << 0 << "";
        QTest::newRow("doubled quote at the end")
            << "\"abc\"\"\"" << QStringList{"abc\""} << 0 << "";
        QTest::newRow("unclosed after doubled quote") << "\"a\"\"" << QStringList{"a\""} << 0 << "";
        QTest::newRow("Czech letters")
            << "Dvořák,\"Žluťoučký kůň\"" << QStringList{"Dvořák", "Žluťoučký kůň"} << 0 << "";
    }
    void readCsvField() {
        QFETCH(QString, line);
        QFETCH(QStringList, fields);
        QFETCH(int, errorPosition);
        QFETCH(QString, errorChar);
        if (errorPosition == 0) {
            QCOMPARE(splitAll(line), fields);
            return;
        }
        try {
            splitAll(line);
            QFAIL("no error raised");
        } catch (const ECsvNotWellformed& e) {
            QCOMPARE(e.position(), errorPosition);
            QCOMPARE(QString(e.found()), errorChar);
            QCOMPARE(e.message(), QStringLiteral("Source CSV file is not wellformed (position %1). "
                                                 "Excepting \",\" (comma), but \"%2\" found.")
                                      .arg(errorPosition)
                                      .arg(errorChar));
        }
    }

    void readCsvFieldAdvancesPastTheComma() {
        int pos = 1;
        QString field;
        ReadCsvField(u"\"ab\",cd", pos, field);
        QCOMPARE(field, QStringLiteral("ab"));
        QCOMPARE(pos, 6);
        ReadCsvField(u"\"ab\",cd", pos, field);
        QCOMPARE(field, QStringLiteral("cd"));
        QCOMPARE(pos, 8);
    }

    void readCsvFieldOutsideTheLineReadsNothing() {
        int pos = 0;
        QString field = QStringLiteral("old");
        ReadCsvField(u"abc", pos, field);
        QVERIFY(field.isEmpty());
        QCOMPARE(pos, 4);
    }

    void malformedMessageNamesTheLine() {
        const ECsvNotWellformed e(5, u'x', 3);
        QVERIFY(e.message().endsWith(QStringLiteral("(line 3)")));
        QCOMPARE(e.line(), 3);
    }

    void lineReader_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty") << "" << QStringList{};
        QTest::newRow("one line without end") << "a" << QStringList{"a"};
        QTest::newRow("LF") << "a\nb\n" << QStringList{"a", "b"};
        QTest::newRow("CR LF") << "a\r\nb\r\n" << QStringList{"a", "b"};
        QTest::newRow("lone CR dropped") << "a\rb\n" << QStringList{"ab"};
        QTest::newRow("CR at the end") << "a\r" << QStringList{"a"};
        QTest::newRow("CR CR LF") << "a\r\r\nb" << QStringList{"a", "b"};
        QTest::newRow("empty line kept") << "a\n\nb" << QStringList{"a", "", "b"};
        QTest::newRow("Ctrl+Z ends the file") << "a\nb\x1A"
                                                 "c\nd\n"
                                              << QStringList{"a", "b"};
        QTest::newRow("Ctrl+Z first") << "\x1A"
                                         "abc"
                                      << QStringList{};
        QTest::newRow("only line ends") << "\r\n\n" << QStringList{"", ""};
    }
    void lineReader() {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        TCsvLineReader reader(text);
        QStringList got;
        QString line;
        while (reader.ReadLine(line)) {
            got << line;
            QCOMPARE(reader.LineNumber(), got.size());
        }
        QCOMPARE(got, lines);
        QVERIFY(!reader.ReadLine(line));
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
    }
    void detectEncoding() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, utf8);
        QCOMPARE(DetectTextEncoding(bytes) == TextEncoding::Utf8, utf8);
    }

    // Random values made of the characters that matter to the format: quoted
    // and joined as the export writes them, they read back unchanged.
    void quotedValuesReadBackUnchanged() {
        QRandomGenerator random(20261208);
        const QString alphabet = QStringLiteral("\",a ř");
        for (int round = 0; round < 5000; ++round) {
            QStringList values;
            const int count = 1 + random.bounded(6);
            for (int v = 0; v < count; ++v) {
                QString value;
                const int length = random.bounded(6);
                for (int c = 0; c < length; ++c) {
                    value += alphabet[random.bounded(alphabet.size())];
                }
                values << value;
            }
            QStringList quoted;
            for (const QString& value : values) {
                quoted << QuoteCsvValue(value);
            }
            QCOMPARE(splitAll(quoted.join(u',')), values);
        }
    }

    // Any line either reads to its end, every field moving forward, or is
    // reported as malformed; nothing reads outside it.
    void arbitraryLinesEndOrAreReported() {
        QRandomGenerator random(8122026);
        const QString alphabet = QStringLiteral("\",a\r");
        for (int round = 0; round < 20000; ++round) {
            QString line;
            const int length = random.bounded(12);
            for (int c = 0; c < length; ++c) {
                line += alphabet[random.bounded(alphabet.size())];
            }
            int pos = 1;
            QString field;
            try {
                while (pos <= line.size()) {
                    const int before = pos;
                    ReadCsvField(line, pos, field);
                    QVERIFY(pos > before);
                    QVERIFY(field.size() <= line.size());
                }
            } catch (const ECsvNotWellformed& e) {
                QVERIFY(e.position() >= 1 && e.position() < line.size());
            }
        }
    }

    void decodeDetectedDropsTheMark() {
        QCOMPARE(DecodeDetected(QByteArray("\xEF\xBB\xBF") + QString("Věra").toUtf8()),
                 QStringLiteral("Věra"));
        QCOMPARE(DecodeDetected(QByteArray("V\xECra")), QStringLiteral("Věra"));
    }
};

QTEST_MAIN(TestCsvText)
#include "test_CsvText.moc"
