#include "print/u_RtfCodePage.h"
#include "print/u_RtfReader.h"
#include "print/u_RtfWriter.h"

#include <QTest>

#include <cctype>
#include <string>

namespace {

rtf::Document Doc(std::initializer_list<rtf::Paragraph> paragraphs) {
    return rtf::Document{paragraphs};
}

rtf::Run R(std::u16string text, rtf::CharFormat format = {}) {
    return rtf::Run{std::move(text), format};
}

QString Plain(const rtf::ReadResult& r) {
    return QString::fromStdU16String(rtf::PlainText(r.document));
}

rtf::ReadResult Read(const std::string& bytes) {
    return rtf::Read(bytes);
}

}  // namespace

class TestRtf : public QObject {
    Q_OBJECT

  private slots:
    void writeThenReadKeepsTextAndFormats();
    void writesWindows1250Header();
    void czechLettersAsWindows1250Escapes();
    void charactersOutsideWindows1250AsUnicode();
    void readsText_data();
    void readsText();
    void readsFormats();
    void readsAlignment();
    void fontCharsetChoosesCodePage();
    void skipsPicturesObjectsAndFields();
    void notRtf();
    void refusesFilesOver16MiB();
    void refusesDeepNesting();
    void hugeBinCountIsBoundedByTheInput();
    void hugeUcCountIsBoundedByTheInput();
    void truncatedFilesReadWithoutHarm_data();
    void truncatedFilesReadWithoutHarm();
    void codePages();
};

void TestRtf::writeThenReadKeepsTextAndFormats() {
    rtf::CharFormat bold{true, false, false, 0};
    rtf::CharFormat italicBig{false, true, false, 28};
    rtf::CharFormat underline{false, false, true, 0};
    rtf::CharFormat all{true, true, true, 16};
    const rtf::Document doc = Doc({
        rtf::Paragraph{rtf::Align::Center, {R(u"Title", bold)}},
        rtf::Paragraph{rtf::Align::Left,
                       {R(u"a\tb"), R(u"big", italicBig), R(u"u", underline), R(u"plain")}},
        rtf::Paragraph{rtf::Align::Right, {R(u"line\u2028break", all), R(u"{\\}[B]")}},
        rtf::Paragraph{rtf::Align::Justify, {}},
        rtf::Paragraph{rtf::Align::Left, {R(u"last")}},
    });
    const rtf::ReadResult back = rtf::Read(rtf::Write(doc));
    QCOMPARE(back.status, rtf::ReadStatus::Ok);
    QVERIFY(back.document == doc);
}

void TestRtf::writesWindows1250Header() {
    const std::string out = rtf::Write(Doc({rtf::Paragraph{rtf::Align::Left, {R(u"x")}}}));
    QVERIFY(out.starts_with("{\\rtf1\\ansi\\ansicpg1250"));
    QVERIFY(out.ends_with("}\n"));
}

void TestRtf::czechLettersAsWindows1250Escapes() {
    const std::u16string czech = u"Příliš žluťoučký kůň úpěl ďábelské ódy ŘŠČŽÝÁÍÉŮÚŤĎŇĚ";
    const std::string out = rtf::Write(Doc({rtf::Paragraph{rtf::Align::Left, {R(czech)}}}));
    QVERIFY(out.find("\\'f8") != std::string::npos);  // ř
    for (std::size_t at = out.find("\\u"); at != std::string::npos; at = out.find("\\u", at + 1)) {
        QVERIFY(!std::isdigit(static_cast<unsigned char>(out[at + 2])) && out[at + 2] != '-');
    }
    const rtf::ReadResult back = rtf::Read(out);
    QCOMPARE(Plain(back), QString::fromStdU16String(czech));
}

void TestRtf::charactersOutsideWindows1250AsUnicode() {
    const std::u16string text = u"Ωμέγα € ß 日本";
    const std::string out = rtf::Write(Doc({rtf::Paragraph{rtf::Align::Left, {R(text)}}}));
    QVERIFY(out.find("\\u937?") != std::string::npos);
    QCOMPARE(Plain(rtf::Read(out)), QString::fromStdU16String(text));
}

void TestRtf::readsText_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::newRow("minimal") << QByteArray("{\\rtf1 Hello}") << "Hello";
    QTest::newRow("par") << QByteArray("{\\rtf1 a\\par b\\par}") << "a\nb";
    QTest::newRow("par then empty par") << QByteArray("{\\rtf1 a\\par\\par}") << "a\n";
    QTest::newRow("line and tab") << QByteArray("{\\rtf1 a\\line b\\tab c}")
                                  << QString("a\u2028b\tc");
    QTest::newRow("raw line ends ignored") << QByteArray("{\\rtf1 a\r\nb}") << "ab";
    QTest::newRow("escaped braces") << QByteArray("{\\rtf1 \\{x\\}\\\\}") << "{x}\\";
    QTest::newRow("1250 escape") << QByteArray("{\\rtf1\\ansi\\ansicpg1250 \\'e8\\'f8}") << "čř";
    QTest::newRow("1252 escape") << QByteArray("{\\rtf1\\ansi\\ansicpg1252 \\'e8\\'f8}") << "èø";
    QTest::newRow("default ansi is 1252") << QByteArray("{\\rtf1\\ansi \\'e8}") << "è";
    QTest::newRow("unicode skips one") << QByteArray("{\\rtf1 \\u345?x}") << "řx";
    QTest::newRow("unicode negative") << QByteArray("{\\rtf1 \\u-3913?}") << QString(QChar(0xF0B7));
    QTest::newRow("uc2 skips two") << QByteArray("{\\rtf1\\uc2 \\u345\\'f8\\'f8x}") << "řx";
    QTest::newRow("uc0 skips none") << QByteArray("{\\rtf1\\uc0 \\u345 x}") << "řx";
    QTest::newRow("uc in group") << QByteArray("{\\rtf1 {\\uc3 a}\\u345?b}") << "ařb";
    QTest::newRow("ignorable destination")
        << QByteArray("{\\rtf1 {\\*\\generator Riched20;}a}") << "a";
    QTest::newRow("colour and style tables")
        << QByteArray("{\\rtf1{\\colortbl;\\red0;}{\\stylesheet{Normal;}}{\\info{\\title t}}a}")
        << "a";
    QTest::newRow("named characters") << QByteArray("{\\rtf1 \\emdash\\endash\\bullet\\~}")
                                      << QString::fromUtf16(u"\u2014\u2013\u2022\u00A0");
    QTest::newRow("text after document ignored") << QByteArray("{\\rtf1 a}b") << "a";
    QTest::newRow("empty") << QByteArray("{\\rtf1}") << "";
    QTest::newRow("unknown words ignored")
        << QByteArray("{\\rtf1\\viewkind4\\lang1029\\sl240 a}") << "a";
    QTest::newRow("long word") << QByteArray("{\\rtf1\\") + QByteArray(100, 'x') + " a}"
                               << "a";
    QTest::newRow("numbers saturate") << QByteArray("{\\rtf1\\fs99999999999999999999 a}") << "a";
    QTest::newRow("control characters dropped")
        << QByteArray("{\\rtf1 a\\u1?\\u13?b\\u8232?c}") << QString::fromUtf16(u"ab\u2028c");
}

void TestRtf::readsText() {
    QFETCH(QByteArray, rtf);
    const rtf::ReadResult r = rtf::Read(rtf.toStdString());
    QCOMPARE(r.status, rtf::ReadStatus::Ok);
    QTEST(Plain(r), "text");
}

void TestRtf::readsFormats() {
    const rtf::ReadResult r = Read("{\\rtf1 \\b a\\b0 b{\\i c}\\ul d\\ulnone e\\fs32 f\\plain g}");
    QCOMPARE(r.document.paragraphs.size(), std::size_t{1});
    const std::vector<rtf::Run>& runs = r.document.paragraphs[0].runs;
    QCOMPARE(runs.size(), std::size_t{7});
    QVERIFY(runs[0].format.bold && runs[0].text == u"a");
    QVERIFY(!runs[1].format.bold);
    QVERIFY(runs[2].format.italic);
    QVERIFY(runs[3].format.underline);
    QVERIFY(!runs[4].format.underline);
    QCOMPARE(runs[5].format.halfPoints, 32);
    QVERIFY(runs[6].format == rtf::CharFormat{});
}

void TestRtf::readsAlignment() {
    const rtf::ReadResult r = Read("{\\rtf1\\pard\\qc a\\par\\pard b\\par\\qr c\\par\\qj d}");
    const auto& p = r.document.paragraphs;
    QCOMPARE(p.size(), std::size_t{4});
    QCOMPARE(p[0].align, rtf::Align::Center);
    QCOMPARE(p[1].align, rtf::Align::Left);
    QCOMPARE(p[2].align, rtf::Align::Right);
    QCOMPARE(p[3].align, rtf::Align::Justify);
}

void TestRtf::fontCharsetChoosesCodePage() {
    const rtf::ReadResult r = Read(
        "{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fswiss\\fcharset0 "
        "Arial;}{\\f1\\fnil\\fcharset238 Arial CE;}}"
        "\\f0 \\'e8{\\f1 \\'e8}\\'e8}");
    QCOMPARE(Plain(r), QStringLiteral("èčè"));
}

void TestRtf::skipsPicturesObjectsAndFields() {
    const rtf::ReadResult r = Read(
        "{\\rtf1 a{\\pict\\pngblip 89504e47{\\b x}}b{\\object\\objemb{\\*\\objdata 0102}}c"
        "{\\field{\\*\\fldinst HYPERLINK \"http://127.0.0.1/\"}{\\fldrslt link}}d}");
    QCOMPARE(Plain(r), QStringLiteral("abcd"));
}

void TestRtf::notRtf() {
    QCOMPARE(Read("Hello [FIELD:SurName]").status, rtf::ReadStatus::NotRtf);
    QCOMPARE(Read(" {\\rtf1 x}").status, rtf::ReadStatus::NotRtf);
    QCOMPARE(Read("").status, rtf::ReadStatus::NotRtf);
}

void TestRtf::refusesFilesOver16MiB() {
    std::string big = "{\\rtf1 ";
    big.resize(rtf::MaxFileSize + 1, 'a');
    const rtf::ReadResult r = rtf::Read(big);
    QCOMPARE(r.status, rtf::ReadStatus::TooLarge);
    QVERIFY(!r.message.empty());
    big.resize(rtf::MaxFileSize);
    QCOMPARE(rtf::Read(big).status, rtf::ReadStatus::Ok);
}

void TestRtf::refusesDeepNesting() {
    const std::string deep = "{\\rtf1 " + std::string(100000, '{') + "x";
    const rtf::ReadResult r = rtf::Read(deep);
    QCOMPARE(r.status, rtf::ReadStatus::TooDeep);
    QVERIFY(r.message.find("deeper") != std::string::npos);
    // Within the cap, nesting reads.
    const std::string fine = "{\\rtf1 " + std::string(50, '{') + "x" + std::string(51, '}');
    QCOMPARE(Plain(rtf::Read(fine)), QStringLiteral("x"));
}

void TestRtf::hugeBinCountIsBoundedByTheInput() {
    QCOMPARE(Plain(Read("{\\rtf1 a\\bin999999999 xyz")), QStringLiteral("a"));
    QCOMPARE(Plain(Read("{\\rtf1 a\\bin3 }{}b}")), QStringLiteral("ab"));
    QCOMPARE(Plain(Read("{\\rtf1 a\\bin-5 b}")), QStringLiteral("ab"));
    QCOMPARE(Plain(Read("{\\rtf1 {\\*\\x \\bin2 }}}b}")), QStringLiteral("b"));
}

void TestRtf::hugeUcCountIsBoundedByTheInput() {
    QCOMPARE(Plain(Read("{\\rtf1\\uc999999999 \\u345 abc}")), QStringLiteral("ř"));
    QCOMPARE(Plain(Read("{\\rtf1\\uc999999999 \\u345 abc}x}")), QStringLiteral("ř"));
}

void TestRtf::truncatedFilesReadWithoutHarm_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::newRow("no closing brace") << QByteArray("{\\rtf1 abc") << "abc";
    QTest::newRow("cut in control word") << QByteArray("{\\rtf1 abc\\pa") << "abc";
    QTest::newRow("cut after backslash") << QByteArray("{\\rtf1 abc\\") << "abc";
    QTest::newRow("cut in hex escape") << QByteArray("{\\rtf1 abc\\'e") << "abc";
    QTest::newRow("bad hex escape") << QByteArray("{\\rtf1 a\\'zzb}") << "azzb";
    QTest::newRow("cut in font table")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fcharset238 Ari") << "";
    QTest::newRow("cut in unicode") << QByteArray("{\\rtf1 a\\u34") << QStringLiteral("a\"");
    QTest::newRow("extra closing braces") << QByteArray("{\\rtf1 a}}}}") << "a";
}

void TestRtf::truncatedFilesReadWithoutHarm() {
    QFETCH(QByteArray, rtf);
    const rtf::ReadResult r = rtf::Read(rtf.toStdString());
    QCOMPARE(r.status, rtf::ReadStatus::Ok);
    QTEST(Plain(r), "text");
}

void TestRtf::codePages() {
    QCOMPARE(rtf::DecodeByte(rtf::CodePage::Windows1250, 0x8A), u'\u0160');
    QCOMPARE(rtf::DecodeByte(rtf::CodePage::Windows1252, 0x8A), u'\u0160');
    QCOMPARE(rtf::DecodeByte(rtf::CodePage::Windows1252, 0x80), u'\u20AC');
    QCOMPARE(rtf::DecodeByte(rtf::CodePage::Windows1252, 0xE8), u'\u00E8');
    QCOMPARE(rtf::DecodeByte(rtf::CodePage::Windows1250, 0xE8), u'\u010D');
    QCOMPARE(rtf::EncodeChar(rtf::CodePage::Windows1250, u'\u0159').value(), 0xF8);
    QVERIFY(!rtf::EncodeChar(rtf::CodePage::Windows1250, u'\u03A9').has_value());
    for (int b = 0; b < 256; ++b) {
        for (const auto page : {rtf::CodePage::Windows1250, rtf::CodePage::Windows1252}) {
            QCOMPARE(
                int(rtf::EncodeChar(page, rtf::DecodeByte(page, static_cast<uint8_t>(b))).value()),
                b);
        }
    }
}

QTEST_GUILESS_MAIN(TestRtf)
#include "test_Rtf.moc"
