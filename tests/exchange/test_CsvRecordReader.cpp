// The record reader of the CSV import: fields in and out of quotes, line
// breaks inside quoted values, the three kinds of line end, what is reported
// as malformed, and that the text's split into pieces never matters.
#include "exchange/u_CsvRecordReader.h"
#include "exchange/u_CsvText.h"

#include <QRandomGenerator>

#include <QTest>
#include <memory>

namespace {

// A source handing text out in pieces of at most pieceSize characters.
TCsvRecordReader::PieceSource pieces(const QString& text, qsizetype pieceSize) {
    auto pos = std::make_shared<qsizetype>(0);
    return [text, pieceSize, pos](QString& piece) {
        if (*pos >= text.size()) {
            return false;
        }
        piece = text.mid(*pos, pieceSize);
        *pos += piece.size();
        return true;
    };
}

// Every record's fields, an empty line as the one entry "<empty>".
QList<QStringList> readAll(const QString& text, qsizetype pieceSize = 1 << 20,
                           qsizetype limit = 1000) {
    TCsvRecordReader reader(pieces(text, pieceSize));
    QList<QStringList> records;
    QStringList fields;
    while (reader.ReadRecord(fields, limit)) {
        records << (reader.RecordIsEmptyLine() ? QStringList{"<empty>"} : fields);
    }
    return records;
}

using Records = QList<QStringList>;

}  // namespace

class TestCsvRecordReader : public QObject {
    Q_OBJECT

  private slots:
    void records_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Records>("records");
        QTest::newRow("doubled quote inside quotes") << "\"a\"\"b\",c" << Records{{"a\"b", "c"}};
        QTest::newRow("two quotes alone") << "\"\"" << Records{{""}};
        QTest::newRow("empty quoted then x") << "\"\",x" << Records{{"", "x"}};
        QTest::newRow("quote inside unquoted field") << "ab\"c,d" << Records{{"ab\"c", "d"}};
        QTest::newRow("trailing comma") << "a,b," << Records{{"a", "b"}};
        QTest::newRow("empty middle field") << "a,,b" << Records{{"a", "", "b"}};
        QTest::newRow("only a comma") << "," << Records{{""}};
        QTest::newRow("two commas") << ",," << Records{{"", ""}};
        QTest::newRow("spaces belong to the field") << " a , b " << Records{{" a ", " b "}};
        QTest::newRow("comma inside quotes") << "\"a,b\",c" << Records{{"a,b", "c"}};
        QTest::newRow("quoted last field") << "x,\"y\"" << Records{{"x", "y"}};
        QTest::newRow("doubled quote at the end") << "\"abc\"\"\"" << Records{{"abc\""}};
        QTest::newRow("Czech letters")
            << "Dvořák,\"Žluťoučký kůň\"" << Records{{"Dvořák", "Žluťoučký kůň"}};
        QTest::newRow("empty text") << "" << Records{};
        QTest::newRow("LF") << "a\nb\n" << Records{{"a"}, {"b"}};
        QTest::newRow("CR LF") << "a\r\nb\r\n" << Records{{"a"}, {"b"}};
        QTest::newRow("CR alone ends a line") << "a,b\rc,d\r" << Records{{"a", "b"}, {"c", "d"}};
        QTest::newRow("CR CR LF") << "a\r\r\nb" << Records{{"a"}, {"<empty>"}, {"b"}};
        QTest::newRow("empty lines")
            << "a\n\r\n\rb" << Records{{"a"}, {"<empty>"}, {"<empty>"}, {"b"}};
        QTest::newRow("LF inside quotes kept") << "\"a\nb\",c\nd" << Records{{"a\nb", "c"}, {"d"}};
        QTest::newRow("CR LF inside quotes kept")
            << "\"a\r\nb\"\r\nc" << Records{{"a\r\nb"}, {"c"}};
        QTest::newRow("CR inside quotes kept") << "\"a\rb\"\rc" << Records{{"a\rb"}, {"c"}};
        QTest::newRow("quoted value of line breaks only") << "\"\n\n\",x" << Records{{"\n\n", "x"}};
        QTest::newRow("comma then line end in quotes") << "\"a,\nb,\"" << Records{{"a,\nb,"}};
    }
    void records() {
        QFETCH(QString, text);
        QFETCH(Records, records);
        // However the text is cut into pieces, the records are the same.
        for (const qsizetype size :
             {qsizetype(1), qsizetype(2), qsizetype(3), qsizetype(1 << 20)}) {
            QCOMPARE(readAll(text, size), records);
        }
    }

    void malformed_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("found");
        QTest::newRow("closing quote followed by x") << "\"abc\"x,1" << 1 << 5 << "x";
        QTest::newRow("closing quote followed by space") << "\"a\" ,b" << 1 << 3 << " ";
        QTest::newRow("on the third line") << "a\r\nb\r\nc,\"d\"e" << 3 << 5 << "e";
        QTest::newRow("after a line break in quotes") << "\"a\nbc\"d" << 2 << 3 << "d";
        QTest::newRow("after CR-only lines") << "a\rb\r\"c\"x" << 3 << 3 << "x";
    }
    void malformed() {
        QFETCH(QString, text);
        QFETCH(int, line);
        QFETCH(int, position);
        QFETCH(QString, found);
        for (const qsizetype size : {qsizetype(1), qsizetype(1 << 20)}) {
            try {
                readAll(text, size);
                QFAIL("no error raised");
            } catch (const ECsvNotWellformed& e) {
                QCOMPARE(e.line(), line);
                QCOMPARE(e.position(), position);
                QCOMPARE(QString(e.found()), found);
                QCOMPARE(e.message(),
                         QStringLiteral("Source CSV file is not wellformed (position %1). "
                                        "Excepting \",\" (comma), but \"%2\" found. (line %3)")
                             .arg(position)
                             .arg(found)
                             .arg(line));
            }
        }
    }

    void unterminated_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("line");
        QTest::newRow("first line") << "\"abc" << 1;
        QTest::newRow("opened on line 2, runs to the end") << "a,b\n\"c\nd\ne,f\n" << 2;
        QTest::newRow("after a doubled quote") << "x\r\n\"a\"\"" << 2;
        QTest::newRow("a quote alone") << "\"" << 1;
    }
    void unterminated() {
        QFETCH(QString, text);
        QFETCH(int, line);
        try {
            readAll(text);
            QFAIL("no error raised");
        } catch (const ECsvUnterminated& e) {
            QCOMPARE(e.line(), line);
            QCOMPARE(e.message(), QStringLiteral("Source CSV file is not wellformed: the quoted "
                                                 "value that begins on line %1 has no closing "
                                                 "quote.")
                                      .arg(line));
        }
    }

    void fieldsBeyondTheLimitArePassedOver() {
        TCsvRecordReader reader(pieces("a,\"b\nc\",\"d\"x,e\nf,g\n", 4));
        QStringList fields;
        QVERIFY(reader.ReadRecord(fields, 1));
        QCOMPARE(fields, QStringList{"a"});
        QCOMPARE(reader.FieldCount(), 4);
        QCOMPARE(reader.RecordLine(), 1);
        QVERIFY(reader.ReadRecord(fields, 1));
        QCOMPARE(fields, QStringList{"f"});
        QCOMPARE(reader.RecordLine(), 3);
        QVERIFY(!reader.ReadRecord(fields, 1));
    }

    // Random values made of the characters that matter to the format, quoted
    // and joined as the export writes them, read back unchanged.
    void quotedRecordsReadBackUnchanged() {
        QRandomGenerator random(20261208);
        const QString alphabet = QStringLiteral("\",a ř\r\n");
        for (int round = 0; round < 2000; ++round) {
            Records records;
            QString text;
            for (int r = 1 + random.bounded(3); r > 0; --r) {
                QStringList values;
                QStringList quoted;
                for (int v = 1 + random.bounded(5); v > 0; --v) {
                    QString value;
                    for (int c = random.bounded(6); c > 0; --c) {
                        value += alphabet[random.bounded(alphabet.size())];
                    }
                    values << value;
                    quoted << QuoteCsvValue(value);
                }
                records << values;
                text += quoted.join(u',') + QStringLiteral("\r\n");
            }
            QCOMPARE(readAll(text, 1 + random.bounded(8)), records);
        }
    }

    // Any text either reads to its end or is reported as malformed; nothing
    // reads outside it.
    void arbitraryTextEndsOrIsReported() {
        QRandomGenerator random(8122026);
        const QString alphabet = QStringLiteral("\",a\r\n");
        for (int round = 0; round < 20000; ++round) {
            QString text;
            for (int c = random.bounded(14); c > 0; --c) {
                text += alphabet[random.bounded(alphabet.size())];
            }
            try {
                const Records records = readAll(text, 1 + random.bounded(4));
                QVERIFY(records.size() <= text.size());
            } catch (const ECsvNotWellformed& e) {
                QVERIFY(e.position() >= 1 && e.position() < text.size());
            } catch (const ECsvUnterminated& e) {
                QVERIFY(e.line() >= 1);
            }
        }
    }
};

QTEST_MAIN(TestCsvRecordReader)
#include "test_CsvRecordReader.moc"
