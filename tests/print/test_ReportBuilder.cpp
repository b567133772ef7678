#include "print/u_FormatMarks.h"
#include "print/u_ReportBuilder.h"
#include "print/u_TemplateRenderer.h"

#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <map>

namespace {

constexpr qreal kBase = 10.0;

QTextCharFormat FormatAt(QTextDocument& document, int position) {
    // The format of the character at position is the one left of position + 1.
    QTextCursor c(&document);
    c.setPosition(position + 1);
    return c.charFormat();
}

bool IsBold(QTextDocument& d, int p) {
    return FormatAt(d, p).fontWeight() == QFont::Bold;
}

qreal SizeAt(QTextDocument& d, int p) {
    const QTextCharFormat f = FormatAt(d, p);
    return f.hasProperty(QTextFormat::FontPointSize) ? f.fontPointSize()
                                                     : d.defaultFont().pointSizeF();
}

bool IsCentred(QTextDocument& d, int p) {
    return (d.findBlock(p).blockFormat().alignment() & Qt::AlignHorizontal_Mask) ==
           Qt::AlignHCenter;
}

}  // namespace

class TestReportBuilder : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void boldItalicUnderlineRuns();
    void centreTouchesWholeParagraphs();
    void openRangeEndsAtDocumentEnd();
    void marksBeyondTheDocumentAreClamped();
    void sizeMarksSetSizeUpToTheNextMark();
    void sizeNeverBelowOnePoint();
    void basicTemplate();
    void basicTemplateWithNothingTicked();
    void reportWithNoRowTicked();
    void reportHeadingPrintsPathLiterally_data();
    void reportHeadingPrintsPathLiterally();
    void reportBlocksPerTickedRow();
    void templateLeftOpenEndsWithItsBlock();
    void progressMovesPerEntry();

  private:
    QTextDocument doc_;
    std::map<std::pair<int, int>, QString> cells_;
    TTemplateRenderer renderer() {
        return TTemplateRenderer({QStringLiteral("SurName"), QStringLiteral("FirstName")},
                                 TColumnMap({0, 1}), [this](int row, int column) {
                                     const auto it = cells_.find({row, column});
                                     return it == cells_.end() ? QString() : it->second;
                                 });
    }
    void render(const QString& templ) {
        TTemplateRenderer r = renderer();
        r.RenderText(templ, 0);
        doc_.setPlainText(r.Text());
        ApplyFormatMarks(doc_, r.Marks());
    }
};

void TestReportBuilder::init() {
    doc_.clear();
    QFont font = doc_.defaultFont();
    font.setPointSizeF(kBase);
    doc_.setDefaultFont(font);
    cells_ = {{{0, 0}, QStringLiteral("Smith")},
              {{0, 1}, QStringLiteral("John")},
              {{1, 0}, QStringLiteral("Dvořák")},
              {{1, 1}, QStringLiteral("Žofie")},
              {{2, 0}, QStringLiteral("see [B]here")}};
}

void TestReportBuilder::boldItalicUnderlineRuns() {
    render(QStringLiteral("[B]Name: [/B][FIELD:SurName] [B]a[I]b[/B]c[/I] [U]u[/U]v"));
    QCOMPARE(doc_.toPlainText(), QStringLiteral("Name: Smith abc uv"));
    for (int p : {0, 4, 5}) {
        QVERIFY2(IsBold(doc_, p), qPrintable(QString::number(p)));
    }
    QVERIFY(!IsBold(doc_, 6));
    QVERIFY(IsBold(doc_, 12) && !FormatAt(doc_, 12).fontItalic());  // a
    QVERIFY(IsBold(doc_, 13) && FormatAt(doc_, 13).fontItalic());   // b
    QVERIFY(!IsBold(doc_, 14) && FormatAt(doc_, 14).fontItalic());  // c
    QVERIFY(FormatAt(doc_, 16).fontUnderline());                    // u
    QVERIFY(!FormatAt(doc_, 17).fontUnderline());                   // v
}

void TestReportBuilder::centreTouchesWholeParagraphs() {
    render(QStringLiteral("top\nab[C]cd[/C]\nnext\n[C]x\ny\n[/C]last"));
    QVERIFY(!IsCentred(doc_, 0));
    QVERIFY(IsCentred(doc_, 4));    // "abcd" as a whole
    QVERIFY(!IsCentred(doc_, 9));   // "next"
    QVERIFY(IsCentred(doc_, 14));   // "x"
    QVERIFY(IsCentred(doc_, 16));   // "y"
    QVERIFY(!IsCentred(doc_, 18));  // "last": the range ended at its start
}

void TestReportBuilder::openRangeEndsAtDocumentEnd() {
    TFormatMarks marks;
    marks.lstFormat_I_start = {2};
    doc_.setPlainText(QStringLiteral("abcdef"));
    ApplyFormatMarks(doc_, marks);
    QVERIFY(!FormatAt(doc_, 1).fontItalic());
    QVERIFY(FormatAt(doc_, 2).fontItalic());
    QVERIFY(FormatAt(doc_, 5).fontItalic());
}

void TestReportBuilder::marksBeyondTheDocumentAreClamped() {
    TFormatMarks marks;
    marks.lstFormat_B_start = {1, 500};
    marks.lstFormat_B_end = {900};
    marks.lstFormat_C_start = {-4};
    marks.lstFormat_C_end = {1000};
    marks.lstFormat_FontSize_start = {0, 3, 7000};
    marks.lstFormat_FontSize_size = {QStringLiteral("+01")};  // fewer sizes than starts
    doc_.setPlainText(QStringLiteral("abc"));
    ApplyFormatMarks(doc_, marks);
    QVERIFY(!IsBold(doc_, 0));
    QVERIFY(IsBold(doc_, 2));
    QVERIFY(IsCentred(doc_, 0));
    QCOMPARE(doc_.toPlainText(), QStringLiteral("abc"));
}

void TestReportBuilder::sizeMarksSetSizeUpToTheNextMark() {
    render(QStringLiteral("[P+03]a[P-01]b[P+00]c"));
    QCOMPARE(SizeAt(doc_, 0), kBase + 3);
    QCOMPARE(SizeAt(doc_, 1), kBase - 1);
    QCOMPARE(SizeAt(doc_, 2), kBase);
    // The last mark is not applied: text after it keeps the base size.
    render(QStringLiteral("x[P+05]y"));
    QCOMPARE(SizeAt(doc_, 1), kBase);
}

void TestReportBuilder::sizeNeverBelowOnePoint() {
    render(QStringLiteral("[P-99]tiny[P+00]"));
    QCOMPARE(SizeAt(doc_, 0), 1.0);
}

void TestReportBuilder::basicTemplate() {
    const QString t = BasicTemplate(
        {QStringLiteral("Surname"), QStringLiteral("Firstname"), QStringLiteral("Notes")},
        {QStringLiteral("SurName"), QStringLiteral("FirstName"), QStringLiteral("Notes")},
        {true, false, true});
    QCOMPARE(t, QStringLiteral("[B]Surname: [/B][FIELD:SurName]\n[B]Notes: [/B][FIELD:Notes]\n"));
}

void TestReportBuilder::basicTemplateWithNothingTicked() {
    QCOMPARE(BasicTemplate({QStringLiteral("Surname")}, {QStringLiteral("SurName")}, {false}),
             QString());
}

void TestReportBuilder::reportWithNoRowTicked() {
    TTemplateRenderer r = renderer();
    TReportContent content{QStringLiteral("Orvane Contacts"),
                           QStringLiteral("/tmp/a.tbr"),
                           QStringLiteral("[FIELD:SurName]"),
                           {false, false, false},
                           {QStringLiteral("end")}};
    BuildReport(doc_, r, content);
    QCOMPARE(doc_.toPlainText(), QStringLiteral("Orvane Contacts\n/tmp/a.tbr\n\n\nend\n"));
    QVERIFY(IsBold(doc_, 0) && IsCentred(doc_, 0) && SizeAt(doc_, 0) == kBase + 2);
    QVERIFY(IsBold(doc_, 16) && IsCentred(doc_, 16) && SizeAt(doc_, 16) == kBase + 2);
    const int end = static_cast<int>(doc_.toPlainText().indexOf(u"end"));
    QVERIFY(!IsBold(doc_, end) && !IsCentred(doc_, end) && SizeAt(doc_, end) == kBase);
}

void TestReportBuilder::reportHeadingPrintsPathLiterally_data() {
    QTest::addColumn<QString>("path");
    QTest::newRow("brackets") << "/home/u/Contacts [old]/a.tbr";
    QTest::newRow("italic tag") << "/data/[I]/a.tbr";
    QTest::newRow("field tag") << "/data/[FIELD:SurName]/a.tbr";
    QTest::newRow("unclosed") << "/data/[x/a.tbr";
}

void TestReportBuilder::reportHeadingPrintsPathLiterally() {
    QFETCH(QString, path);
    TTemplateRenderer r = renderer();
    BuildReport(
        doc_, r,
        TReportContent{QStringLiteral("T"), path, QStringLiteral("[FIELD:SurName]"), {true}, {}});
    QCOMPARE(doc_.toPlainText(), QStringLiteral("T\n") + path + QStringLiteral("\n\n\nSmith\n\n"));
    QVERIFY(r.Marks().lstFormat_I_start.isEmpty());
    QVERIFY(!FormatAt(doc_, static_cast<int>(doc_.toPlainText().indexOf(u"Smith"))).fontItalic());
}

void TestReportBuilder::reportBlocksPerTickedRow() {
    TTemplateRenderer r = renderer();
    BuildReport(doc_, r,
                TReportContent{QStringLiteral("T"),
                               QStringLiteral("db"),
                               QStringLiteral("[B]Name: [/B][FIELD:FirstName] [FIELD:SurName]\n"),
                               {true, true, false},
                               ReportClosingLines()});
    const QString text = doc_.toPlainText();
    QVERIFY(text.startsWith(QStringLiteral(
        "T\ndb\n\n\nName: John Smith\n\n\nName: Žofie Dvořák\n\n\nOrvane Contacts\n")));
    QVERIFY(!text.contains(u"see"));
    const int second = static_cast<int>(text.indexOf(u"Name: Ž"));
    QVERIFY(IsBold(doc_, second) && !IsBold(doc_, second + 6));
}

void TestReportBuilder::templateLeftOpenEndsWithItsBlock() {
    TTemplateRenderer r = renderer();
    BuildReport(doc_, r,
                TReportContent{QStringLiteral("T"),
                               QStringLiteral("db"),
                               QStringLiteral("[U][C][FIELD:SurName]"),
                               {false, true, true},
                               {QStringLiteral("end")}});
    const QString text = doc_.toPlainText();
    const int first = static_cast<int>(text.indexOf(u"Dvořák"));
    const int second = static_cast<int>(text.indexOf(u"see here"));
    QVERIFY(FormatAt(doc_, first).fontUnderline() && IsCentred(doc_, first));
    QVERIFY(FormatAt(doc_, second).fontUnderline() && IsBold(doc_, second + 4));
    const int end = static_cast<int>(text.indexOf(u"end"));
    QVERIFY(!FormatAt(doc_, end).fontUnderline() && !IsBold(doc_, end) && !IsCentred(doc_, end));
}

void TestReportBuilder::progressMovesPerEntry() {
    TTemplateRenderer r = renderer();
    QList<std::pair<int, int>> steps;
    RenderReport(
        r,
        TReportContent{
            QStringLiteral("T"), QStringLiteral("db"), QString(), {true, false, true, true}, {}},
        [&](int value, int maximum) {
            steps.append({value, maximum});
        });
    QCOMPARE(steps.size(), 5);
    QCOMPARE(steps.first(), std::make_pair(0, 3));
    QCOMPARE(steps.last(), std::make_pair(3, 3));
}

QTEST_MAIN(TestReportBuilder)
#include "test_ReportBuilder.moc"
