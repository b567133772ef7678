#include "print/u_TemplateRenderer.h"

#include <QTest>

#include <map>

// A small catalogue: three columns, the second stored in database column 5.
class TestTemplateRenderer : public QObject {
    Q_OBJECT

  private slots:
    void plainText_data();
    void plainText();
    void formatMarks_data();
    void formatMarks();
    void sizeMarksTakeTwoDigitsOnly_data();
    void sizeMarksTakeTwoDigitsOnly();
    void fieldValueIsScannedForFormatsOnly();
    void valueHoldingItsOwnFieldTagPrintsOnce();
    void missingColumnPrintsNothing();
    void blockEndsWithTwoLineBreaks();
    void marksCountFromTheStartOfTheReport();
    void lineBreaksCountAsOneCharacter();
    void literalTextKeepsBrackets();

  private:
    std::map<std::pair<int, int>, QString> cells_{
        {{0, 0}, QStringLiteral("Smith")},       {{0, 5}, QStringLiteral("John")},
        {{1, 0}, QStringLiteral("see [B]here")}, {{2, 0}, QStringLiteral("[FIELD:SurName]")},
        {{3, 0}, QStringLiteral("x[note]y")},
    };
    TTemplateRenderer renderer() {
        return TTemplateRenderer(
            {QStringLiteral("SurName"), QStringLiteral("FirstName"), QStringLiteral("Notes")},
            TColumnMap({0, 5, kMissingColumn}), [this](int row, int column) {
                const auto it = cells_.find({row, column});
                return it == cells_.end() ? QString() : it->second;
            });
    }
};

void TestTemplateRenderer::plainText_data() {
    QTest::addColumn<QString>("templ");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("text");
    QTest::newRow("no markup") << "Hello" << 0 << "Hello";
    QTest::newRow("field") << "Name: [FIELD:SurName]" << 0 << "Name: Smith";
    QTest::newRow("two fields") << "[FIELD:FirstName] [FIELD:SurName]" << 0 << "John Smith";
    QTest::newRow("format tags vanish") << "[B]a[I]b[/B]c[/I]" << 0 << "abc";
    QTest::newRow("unknown tag") << "x[note]y" << 0 << "xy";
    QTest::newRow("unterminated [") << "x[y" << 0 << "xy";
    QTest::newRow("unterminated [ twice") << "a[b[c" << 0 << "abc";
    QTest::newRow("lower-case prefix") << "[field:SurName]!" << 0 << "!";
    QTest::newRow("names are case-sensitive") << "[FIELD:surname]!" << 0 << "!";
    QTest::newRow("unknown field removed") << "a[FIELD:Nope]b" << 0 << "ab";
    QTest::newRow("empty field name") << "a[FIELD:]b" << 0 << "ab";
    QTest::newRow("field without ]") << "a[FIELD:SurName" << 0 << "aFIELD:SurName";
    QTest::newRow("numbered tag of old templates") << "[0] [27]" << 0 << " ";
    QTest::newRow("empty tag") << "a[]b" << 0 << "ab";
    QTest::newRow("stray ]") << "a]b" << 0 << "a]b";
    QTest::newRow("value with unknown tag") << "[FIELD:SurName]" << 3 << "xy";
    QTest::newRow("value with format tag") << "[FIELD:SurName]" << 1 << "see here";
    QTest::newRow("missing row reads empty") << "<[FIELD:SurName]>" << 9 << "<>";
}

void TestTemplateRenderer::plainText() {
    QFETCH(QString, templ);
    QFETCH(int, row);
    QFETCH(QString, text);
    TTemplateRenderer r = renderer();
    r.RenderText(templ, row);
    QCOMPARE(r.Text(), text);
}

void TestTemplateRenderer::formatMarks_data() {
    QTest::addColumn<QString>("templ");
    QTest::addColumn<QList<int>>("bStart");
    QTest::addColumn<QList<int>>("bEnd");
    QTest::addColumn<QList<int>>("iStart");
    QTest::addColumn<QList<int>>("iEnd");
    QTest::addColumn<QList<int>>("cStart");
    QTest::addColumn<QList<int>>("cEnd");
    using L = QList<int>;
    QTest::newRow("bold label") << "[B]Name: [/B][FIELD:SurName]" << L{0} << L{6} << L{} << L{}
                                << L{} << L{};
    QTest::newRow("repeated open and close ignored")
        << "[B]a[B]b[/B]c[/B]d" << L{0} << L{2} << L{} << L{} << L{} << L{};
    QTest::newRow("stray close ignored") << "a[/B]b" << L{} << L{} << L{} << L{} << L{} << L{};
    QTest::newRow("overlapping") << "[B]a[I]b[/B]c[/I]" << L{0} << L{2} << L{1} << L{3} << L{}
                                 << L{};
    QTest::newRow("left open") << "[I]ab" << L{} << L{} << L{0} << L{} << L{} << L{};
    QTest::newRow("centre") << "ab[C]cd[/C]" << L{} << L{} << L{} << L{} << L{2} << L{4};
    QTest::newRow("two ranges") << "[B]a[/B]b[B]c[/B]" << L{0, 2} << L{1, 3} << L{} << L{} << L{}
                                << L{};
    QTest::newRow("value opens bold")
        << "[FIELD:SurName]" << L{4} << L{} << L{} << L{} << L{} << L{};
}

void TestTemplateRenderer::formatMarks() {
    QFETCH(QString, templ);
    TTemplateRenderer r = renderer();
    r.RenderText(templ, templ == u"[FIELD:SurName]" ? 1 : 0);
    const TFormatMarks& m = r.Marks();
    QTEST(m.lstFormat_B_start, "bStart");
    QTEST(m.lstFormat_B_end, "bEnd");
    QTEST(m.lstFormat_I_start, "iStart");
    QTEST(m.lstFormat_I_end, "iEnd");
    QTEST(m.lstFormat_C_start, "cStart");
    QTEST(m.lstFormat_C_end, "cEnd");
    QVERIFY(m.lstFormat_U_start.isEmpty() && m.lstFormat_U_end.isEmpty());
}

void TestTemplateRenderer::sizeMarksTakeTwoDigitsOnly_data() {
    QTest::addColumn<QString>("templ");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("starts");
    QTest::addColumn<QStringList>("sizes");
    QTest::newRow("plus and minus") << "[P+03]a[P-01]b"
                                    << "ab" << QList<int>{0, 1} << QStringList{"+03", "-01"};
    QTest::newRow("zero") << "x[P+00]"
                          << "x" << QList<int>{1} << QStringList{"+00"};
    QTest::newRow("one digit") << "[P+2]word"
                               << "word" << QList<int>{} << QStringList{};
    QTest::newRow("three digits") << "[P+002]word"
                                  << "word" << QList<int>{} << QStringList{};
    QTest::newRow("no sign") << "[P02]word"
                             << "word" << QList<int>{} << QStringList{};
    QTest::newRow("letters") << "[P+ab]word"
                             << "word" << QList<int>{} << QStringList{};
    QTest::newRow("lower-case p") << "[p+02]word"
                                  << "word" << QList<int>{} << QStringList{};
}

void TestTemplateRenderer::sizeMarksTakeTwoDigitsOnly() {
    QFETCH(QString, templ);
    TTemplateRenderer r = renderer();
    r.RenderText(templ, 0);
    QTEST(r.Text(), "text");
    QTEST(r.Marks().lstFormat_FontSize_start, "starts");
    QTEST(r.Marks().lstFormat_FontSize_size, "sizes");
}

void TestTemplateRenderer::fieldValueIsScannedForFormatsOnly() {
    TTemplateRenderer r = renderer();
    r.RenderBlock(u"[FIELD:SurName][P+00][/B][/C][/I][/U]", 1);
    r.RenderBlock(u"[FIELD:SurName][P+00][/B][/C][/I][/U]", 0);
    QCOMPARE(r.Text(), QStringLiteral("see here\n\nSmith\n\n"));
    // The value's bold ends with its block; the next contact stays plain.
    QCOMPARE(r.Marks().lstFormat_B_start, QList<int>{4});
    QCOMPARE(r.Marks().lstFormat_B_end, QList<int>{8});
}

void TestTemplateRenderer::valueHoldingItsOwnFieldTagPrintsOnce() {
    TTemplateRenderer r = renderer();
    r.RenderText(u"<[FIELD:SurName]>", 2);
    QCOMPARE(r.Text(), QStringLiteral("<[FIELD:SurName]>"));
}

void TestTemplateRenderer::missingColumnPrintsNothing() {
    TTemplateRenderer r = renderer();
    r.RenderText(u"<[FIELD:Notes]>", 0);
    QCOMPARE(r.Text(), QStringLiteral("<>"));
}

void TestTemplateRenderer::blockEndsWithTwoLineBreaks() {
    TTemplateRenderer r = renderer();
    r.RenderBlock(u"a", 0);
    r.RenderBlock(u"b\n", 0);
    QCOMPARE(r.Text(), QStringLiteral("a\n\nb\n\n\n"));
}

void TestTemplateRenderer::marksCountFromTheStartOfTheReport() {
    TTemplateRenderer r = renderer();
    r.RenderBlock(u"abc", 0);
    r.RenderBlock(u"[U]x[/U]", 0);
    QCOMPARE(r.Marks().lstFormat_U_start, QList<int>{5});
    QCOMPARE(r.Marks().lstFormat_U_end, QList<int>{6});
    r.Reset();
    QVERIFY(r.Text().isEmpty());
    QVERIFY(r.Marks().lstFormat_U_start.isEmpty());
}

void TestTemplateRenderer::lineBreaksCountAsOneCharacter() {
    cells_[{4, 0}] = QStringLiteral("one\r\ntwo\rthree");
    TTemplateRenderer r = renderer();
    r.RenderText(u"[FIELD:SurName][B]x\r\n[/B]", 4);
    QCOMPARE(r.Text(), QStringLiteral("one\ntwo\nthreex\n"));
    QCOMPARE(r.Marks().lstFormat_B_start, QList<int>{13});
    QCOMPARE(r.Marks().lstFormat_B_end, QList<int>{15});
}

void TestTemplateRenderer::literalTextKeepsBrackets() {
    TTemplateRenderer r = renderer();
    r.AppendLiteral(u"/home/u/Contacts [old]/[I]/a.tbr");
    QCOMPARE(r.Text(), QStringLiteral("/home/u/Contacts [old]/[I]/a.tbr"));
    QVERIFY(r.Marks().lstFormat_I_start.isEmpty());
}

QTEST_GUILESS_MAIN(TestTemplateRenderer)
#include "test_TemplateRenderer.moc"
