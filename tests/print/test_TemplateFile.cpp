#include "print/u_NumberedTags.h"
#include "print/u_TemplateFile.h"
#include "session/u_ContactSchema.h"
#include "support/u_AtomicFileWriter.h"
#include "testsupport/WriteFaults.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray ReadBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QTextCharFormat FormatAt(QTextDocument& document, int position) {
    QTextCursor c(&document);
    c.setPosition(position + 1);
    return c.charFormat();
}

}  // namespace

class TestTemplateFile : public QObject {
    Q_OBJECT

  private slots:
    void saveThenReadKeepsTextAndFormats();
    void czechLettersRoundTrip();
    void plainTextFiles_data();
    void plainTextFiles();
    void missingFileIsMissing();
    void unreadableFileFails();
    void oversizedFileIsRefused();
    void deeplyNestedFileIsRefusedAndDocumentKept();
    void failedSaveKeepsOldFile();
    void diskFullAtAnyByteKeepsOldFile();
    void saveUnderNameWithoutExtension();
    void numberedTagsInText_data();
    void numberedTagsInText();
    void numberedTagsInDocumentKeepFormats();

  private:
    QTemporaryDir dir_;
};

void TestTemplateFile::saveThenReadKeepsTextAndFormats() {
    QTextDocument doc;
    QTextCursor c(&doc);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    c.insertText(QStringLiteral("Name: "), bold);
    c.insertText(QStringLiteral("[FIELD:SurName]"), QTextCharFormat());
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    c.insertBlock(centred);
    QTextCharFormat big;
    big.setFontPointSize(14);
    big.setFontItalic(true);
    c.insertText(QStringLiteral("[P+02]big"), big);
    const QString path = dir_.filePath(QStringLiteral("t.txt"));
    QString reason;
    QVERIFY(WriteTemplateFile(path, doc, reason));
    QVERIFY(ReadBytes(path).startsWith("{\\rtf1\\ansi\\ansicpg1250"));

    QTextDocument back;
    QCOMPARE(ReadTemplateFile(path, back, reason), TemplateReadStatus::Ok);
    QCOMPARE(back.toPlainText(), doc.toPlainText());
    QCOMPARE(FormatAt(back, 0).fontWeight(), int(QFont::Bold));
    QCOMPARE(FormatAt(back, 6).fontWeight(), int(QFont::Normal));
    QCOMPARE(back.lastBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask,
             Qt::AlignHCenter);
    QCOMPARE(FormatAt(back, back.lastBlock().position()).fontPointSize(), 14.0);
    QVERIFY(FormatAt(back, back.lastBlock().position()).fontItalic());
}

void TestTemplateFile::czechLettersRoundTrip() {
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("Příliš žluťoučký kůň\núpěl ďábelské ódy Ωμέγα"));
    const QString path = dir_.filePath(QStringLiteral("cz.txt"));
    QString reason;
    QVERIFY(WriteTemplateFile(path, doc, reason));
    QTextDocument back;
    QCOMPARE(ReadTemplateFile(path, back, reason), TemplateReadStatus::Ok);
    QCOMPARE(back.toPlainText(), doc.toPlainText());
}

void TestTemplateFile::plainTextFiles_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("ascii") << QByteArray("[B]Name[/B]\r\n[FIELD:SurName]")
                           << "[B]Name[/B]\n[FIELD:SurName]";
    QTest::newRow("utf-8") << QByteArray("Dvořák") << "Dvořák";
    QTest::newRow("utf-8 with bom") << QByteArray("\xEF\xBB\xBFŽ") << "Ž";
    QTest::newRow("windows-1250") << QByteArray("Dvo\xF8\xE1k \x8A") << "Dvořák Š";
    QTest::newRow("empty") << QByteArray() << "";
}

void TestTemplateFile::plainTextFiles() {
    QFETCH(QByteArray, bytes);
    const QString path = dir_.filePath(QStringLiteral("plain.txt"));
    WriteBytes(path, bytes);
    QTextDocument doc;
    QString reason;
    QCOMPARE(ReadTemplateFile(path, doc, reason), TemplateReadStatus::Ok);
    QTEST(doc.toPlainText(), "text");
}

void TestTemplateFile::missingFileIsMissing() {
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("kept"));
    QString reason;
    QCOMPARE(ReadTemplateFile(dir_.filePath(QStringLiteral("none.txt")), doc, reason),
             TemplateReadStatus::Missing);
    QVERIFY(!reason.isEmpty());
    QCOMPARE(doc.toPlainText(), QStringLiteral("kept"));
}

void TestTemplateFile::unreadableFileFails() {
    QTextDocument doc;
    QString reason;
    // A folder exists but cannot be read as a file.
    QCOMPARE(ReadTemplateFile(dir_.path(), doc, reason), TemplateReadStatus::Failed);
    QVERIFY(!reason.isEmpty());
}

void TestTemplateFile::oversizedFileIsRefused() {
    const QString path = dir_.filePath(QStringLiteral("big.txt"));
    WriteBytes(path, QByteArray(16 * 1024 * 1024 + 1, 'a'));
    QTextDocument doc;
    QString reason;
    QCOMPARE(ReadTemplateFile(path, doc, reason), TemplateReadStatus::Failed);
    QVERIFY(reason.contains(u"16 MiB"));
}

void TestTemplateFile::deeplyNestedFileIsRefusedAndDocumentKept() {
    const QString path = dir_.filePath(QStringLiteral("deep.txt"));
    WriteBytes(path, "{\\rtf1 " + QByteArray(5000, '{'));
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("kept"));
    QString reason;
    QCOMPARE(ReadTemplateFile(path, doc, reason), TemplateReadStatus::Failed);
    QVERIFY(reason.contains(u"deeper"));
    QCOMPARE(doc.toPlainText(), QStringLiteral("kept"));
}

void TestTemplateFile::failedSaveKeepsOldFile() {
    // The folder cannot take the temporary file: the old template stays whole.
    const QString folder = dir_.filePath(QStringLiteral("ro"));
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/t.txt");
    WriteBytes(path, "old template");
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("new"));
    QString reason;
    const bool written = WriteTemplateFile(path, doc, reason);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (written) {
        QSKIP("running with rights that ignore folder permissions");
    }
    QVERIFY(!reason.isEmpty());
    QCOMPARE(ReadBytes(path), QByteArray("old template"));
}

void TestTemplateFile::diskFullAtAnyByteKeepsOldFile() {
    const QString folder = dir_.filePath(QStringLiteral("full"));
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/letter.txt");
    WriteBytes(path, "old template");
    QTextDocument doc;
    QTextCursor cursor(&doc);
    for (int n = 0; n < 20; ++n) {
        QTextCharFormat bold;
        bold.setFontWeight(n % 2 ? QFont::Bold : QFont::Normal);
        cursor.insertText(QStringLiteral("Vážený pane [FIELD:SurName] %1\n").arg(n), bold);
    }
    QString reason;
    const QString measure = dir_.filePath(QStringLiteral("measure.txt"));
    QVERIFY(WriteTemplateFile(measure, doc, reason));
    const qint64 size = QFileInfo(measure).size();

    const QString broken = CheckFailedWrites(path, 0, size, [&] {
        reason.clear();
        return WriteTemplateFile(path, doc, reason) || reason.isEmpty();
    });
    QVERIFY2(broken.isEmpty(), qPrintable(broken));

    DefaultWriteFaults().failCommit = true;
    const bool renamed = WriteTemplateFile(path, doc, reason);
    DefaultWriteFaults() = {};
    QVERIFY(!renamed);
    QCOMPARE(ReadBytes(path), QByteArray("old template"));
    QCOMPARE(FolderEntries(path), QStringList{QStringLiteral("letter.txt")});
    QVERIFY(WriteTemplateFile(path, doc, reason));
    QCOMPARE(ReadBytes(path), ReadBytes(measure));
}

void TestTemplateFile::saveUnderNameWithoutExtension() {
    const QString path = dir_.filePath(QStringLiteral("noext"));
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("[B]x[/B]"));
    QString reason;
    QVERIFY(WriteTemplateFile(path, doc, reason));
    QVERIFY(QFile::exists(path));
    QTextDocument back;
    QCOMPARE(ReadTemplateFile(path, back, reason), TemplateReadStatus::Ok);
    QCOMPARE(back.toPlainText(), QStringLiteral("[B]x[/B]"));
}

void TestTemplateFile::numberedTagsInText_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::newRow("first two") << "[0] [1]"
                               << "[FIELD:SurName] [FIELD:FirstName]";
    QTest::newRow("last") << "[27]"
                          << "[FIELD:Notes]";
    QTest::newRow("beyond") << "[28]"
                            << "[28]";
    QTest::newRow("repeated") << "[2][2]x[2]"
                              << "[FIELD:Home_Address][FIELD:Home_Address]x[FIELD:Home_Address]";
    QTest::newRow("two digits not one") << "[14][1]"
                                        << "[FIELD:Work_Company][FIELD:FirstName]";
    QTest::newRow("no tags") << "[B]x[/B]"
                             << "[B]x[/B]";
}

void TestTemplateFile::numberedTagsInText() {
    QFETCH(QString, before);
    QTEST(ConvertNumberedTags(before, ContactSchema::ColumnNames_2_5_2()), "after");
}

void TestTemplateFile::numberedTagsInDocumentKeepFormats() {
    QTextDocument doc;
    QTextCursor c(&doc);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    c.insertText(QStringLiteral("Name: "));
    c.insertText(QStringLiteral("[0]"), bold);
    c.insertText(QStringLiteral(" [27] [28]\n[1]"), QTextCharFormat());
    ConvertNumberedTags(doc, ContactSchema::ColumnNames_2_5_2());
    QCOMPARE(doc.toPlainText(),
             QStringLiteral("Name: [FIELD:SurName] [FIELD:Notes] [28]\n[FIELD:FirstName]"));
    QCOMPARE(FormatAt(doc, 8).fontWeight(), int(QFont::Bold));
}

QTEST_MAIN(TestTemplateFile)
#include "test_TemplateFile.moc"
