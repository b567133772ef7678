// Query files written and read back, files as the older program and people
// write them, bad counts, and saves that fail without harming the old file.

#include "query/u_IniFile.h"
#include "query/u_QueryFile.h"
#include "session/u_ContactSchema.h"
#include "support/u_AtomicFileWriter.h"
#include "support/u_TextEncoding.h"
#include "testsupport/WriteFaults.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace cs = ContactSchema;

namespace {

uint8_t Col(int field) {
    return static_cast<uint8_t>(TQuery::ItemFirstColumn + field);
}

TQueryRow Cond(uint8_t item, int compar, const QString& text, bool caseSensitive = false) {
    TQueryRow row;
    row.item = item;
    row.compar = compar;
    row.text = text;
    row.caseSensitive = caseSensitive;
    return row;
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

// Every text of one and of two Czech letters, capitals and small ones.
QStringList CzechTexts() {
    const QString letters = QStringLiteral("ÁČĎÉĚÍŇÓŘŠŤÚŮÝŽáčďéěíňóřšťúůýž");
    QStringList texts;
    for (const QChar a : letters) {
        texts << QString(a);
        for (const QChar b : letters)
            texts << QString(a) + b;
    }
    return texts;
}

QString ReadText(const QByteArray& bytes, const QStringList& names) {
    TQuery read;
    QString error;
    if (!QueryFile::FromIni(TIniFile::FromBytes(bytes), names, read, error))
        return QStringLiteral("<not read: %1>").arg(error);
    return read.row(0).text;
}

}  // namespace

class TestQueryFile : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void writesTheDocumentedLayout();
    void roundTripKeepsEveryField();
    void textLosesOuterBlanksAndLineBreaks();
    void czechTextsReadBackAsWritten();
    void readsWhatPeopleWrite_data();
    void readsWhatPeopleWrite();
    void countIsOneByteAndAtMostFifty_data();
    void countIsOneByteAndAtMostFifty();
    void badCountLeavesTheQuery();
    void unknownKeywordsFallBack();
    void savedGapIsNotSavedAgain();
    void failedSaveKeepsOldFile();
    void diskFullAtAnyByteKeepsOldFile();

  private:
    std::unique_ptr<QTemporaryDir> dir_;
    QStringList names_ = cs::ColumnNames();
};

void TestQueryFile::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

void TestQueryFile::writesTheDocumentedLayout() {
    TQuery q;
    q.setRow(0, Cond(Col(cs::SurName), TQuery::Contain, QStringLiteral("smi")));
    const QString path = dir_->filePath(QStringLiteral("q.tbq"));
    QString error;
    QVERIFY(QueryFile::Write(path, q, names_, error));
    QCOMPARE(ReadAll(path), QByteArray("[Query]\r\nOperator=and\r\nCount=1\r\nItem1=SurName\r\n"
                                       "Compar1=contain\r\nCaseSensitive1=false\r\nText1=smi\r\n"));
}

void TestQueryFile::roundTripKeepsEveryField() {
    TQuery q;
    q.setOp(TQuery::Or);
    q.setRow(0, Cond(Col(cs::SurName), TQuery::Contain, QStringLiteral("Dvořák"), true));
    q.setRow(1, Cond(TQuery::ItemEvery, TQuery::DoesNotContain, QStringLiteral("x = y, z")));
    q.setRow(2, Cond(TQuery::ItemAtLeastOne, TQuery::Is, QStringLiteral("a;b")));
    q.setRow(3, Cond(Col(cs::Notes), TQuery::IsNot, QString(), true));
    q.setRow(4, Cond(TQuery::ItemAny, TQuery::Contain, QStringLiteral("any text")));
    const QString path = dir_->filePath(QStringLiteral("q.tbq"));
    QString error;
    QVERIFY(QueryFile::Write(path, q, names_, error));
    TQuery read;
    QVERIFY(QueryFile::Read(path, names_, read, error));
    QCOMPARE(read.DefinedCount(), 5);
    QCOMPARE(read.op(), TQuery::Or);
    for (int i = 0; i < TQuery::RowCount; ++i)
        QCOMPARE(read.row(i), q.row(i));
}

void TestQueryFile::textLosesOuterBlanksAndLineBreaks() {
    TQuery q;
    TQueryRow row = Cond(Col(cs::SurName), TQuery::Contain, QStringLiteral("  a  "));
    q.setRow(0, row);
    // A text given with line breaks (pasted) stays on its line.
    q.setRow(1,
             Cond(Col(cs::FirstName), TQuery::Contain, QStringLiteral("x\r\n[Query]\r\nCount=50")));
    const QString path = dir_->filePath(QStringLiteral("q.tbq"));
    QString error;
    QVERIFY(QueryFile::Write(path, q, names_, error));
    TQuery read;
    QVERIFY(QueryFile::Read(path, names_, read, error));
    QCOMPARE(read.DefinedCount(), 2);
    QCOMPARE(read.row(0).text, QStringLiteral("a"));
    QCOMPARE(read.row(1).text, QStringLiteral("x  [Query]  Count=50"));
}

// A file this program writes reads back as written, and so does the older
// program's Windows-1250 file of the same query, also where its bytes
// happen to form UTF-8 ("Čš" is the UTF-8 of "Ț").
void TestQueryFile::czechTextsReadBackAsWritten() {
    const QStringList texts = CzechTexts();
    QCOMPARE(texts.size(), 30 + 30 * 30);
    int validUtf8 = 0;
    for (const QString& text : texts) {
        TQuery q;
        q.setRow(0, Cond(Col(cs::SurName), TQuery::Contain, text));
        const QByteArray written = QueryFile::ToIni(q, names_).ToBytes();
        QCOMPARE(ReadText(written, names_), text);
        const QByteArray older =
            "[Query]\r\nCount=1\r\nItem1=SurName\r\nText1=" + EncodeWindows1250(text) + "\r\n";
        QCOMPARE(ReadText(older, names_), text);
        TUtf8Validator validator;
        validator.Feed(older);
        validUtf8 += validator.Valid() ? 1 : 0;
    }
    QVERIFY(validUtf8 > 50);  // the texts that were read wrongly before
    // The same through real files.
    const QString path = dir_->filePath(QStringLiteral("czech.tbq"));
    for (const QString& text :
         {QStringLiteral("Čš"), QStringLiteral("ěšť"), QStringLiteral("ÉŠ")}) {
        TQuery q;
        q.setRow(0, Cond(Col(cs::SurName), TQuery::Contain, text));
        QString error;
        QVERIFY(QueryFile::Write(path, q, names_, error));
        TQuery read;
        QVERIFY(QueryFile::Read(path, names_, read, error));
        QCOMPARE(read.row(0).text, text);
    }
}

void TestQueryFile::readsWhatPeopleWrite_data() {
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray dvorakUtf8 = QStringLiteral("Dvořák").toUtf8();
    const QByteArray dvorak1250 = EncodeWindows1250(QStringLiteral("Dvořák"));
    const QByteArray body =
        "Operator=or\nCount=2\nItem1=SurName\nCompar1=is\n"
        "CaseSensitive1=true\nText1=@\nItem2=every\nCompar2=isnot\n"
        "CaseSensitive2=false\nText2=x\n";
    QByteArray lf = "[Query]\n" + body;
    QTest::newRow("LF UTF-8") << QByteArray(lf).replace("@", dvorakUtf8);
    QByteArray crlf = QByteArray(lf).replace("\n", "\r\n");
    QTest::newRow("CR LF Windows-1250") << QByteArray(crlf).replace("@", dvorak1250);
    QTest::newRow("UTF-8 with BOM") << "\xEF\xBB\xBF" + QByteArray(crlf).replace("@", dvorakUtf8);
    QTest::newRow("mixed-case keys")
        << QByteArray(
               "[QUERY]\r\noperator=or\r\nCOUNT=2\r\nitem1=SurName\r\ncompar1=is\r\n"
               "caseSENSITIVE1=true\r\nTEXT1=@\r\nItem2=every\r\nCOMPAR2=isnot\r\n"
               "text2=x\r\n")
               .replace("@", dvorak1250);
    QTest::newRow("keys in another order")
        << QByteArray(
               "; written by hand\n[Query]\nText2=x\nItem2=every\nCompar2=isnot\n"
               "Text1=@\nCompar1=is\nCaseSensitive1=true\nItem1=SurName\nCount=2\n"
               "Operator=or\n")
               .replace("@", dvorakUtf8);
}

void TestQueryFile::readsWhatPeopleWrite() {
    QFETCH(QByteArray, bytes);
    const QString path = dir_->filePath(QStringLiteral("q.tbq"));
    WriteAll(path, bytes);
    TQuery read;
    QString error;
    QVERIFY2(QueryFile::Read(path, names_, read, error), qPrintable(error));
    QCOMPARE(read.op(), TQuery::Or);
    QCOMPARE(read.DefinedCount(), 2);
    QCOMPARE(read.row(0), Cond(Col(cs::SurName), TQuery::Is, QStringLiteral("Dvořák"), true));
    QCOMPARE(read.row(1), Cond(TQuery::ItemEvery, TQuery::IsNot, QStringLiteral("x")));
}

void TestQueryFile::countIsOneByteAndAtMostFifty_data() {
    QTest::addColumn<QString>("count");
    QTest::addColumn<int>("rows");
    QTest::newRow("missing") << QString() << 0;
    QTest::newRow("3") << QStringLiteral("3") << 3;
    QTest::newRow("60") << QStringLiteral("60") << 50;
    QTest::newRow("300") << QStringLiteral("300") << 44;
    QTest::newRow("-1") << QStringLiteral("-1") << 50;
    QTest::newRow("256") << QStringLiteral("256") << 0;
}

void TestQueryFile::countIsOneByteAndAtMostFifty() {
    QFETCH(QString, count);
    QFETCH(int, rows);
    QByteArray bytes = "[Query]\n";
    if (!count.isEmpty())
        bytes += "Count=" + count.toLatin1() + "\n";
    for (int n = 1; n <= 60; ++n)
        bytes += "Item" + QByteArray::number(n) + "=every\nText" + QByteArray::number(n) + "=t\n";
    const QString path = dir_->filePath(QStringLiteral("q.tbq"));
    WriteAll(path, bytes);
    TQuery read;
    QString error;
    QVERIFY(QueryFile::Read(path, names_, read, error));
    QCOMPARE(read.DefinedCount(), rows);
}

void TestQueryFile::badCountLeavesTheQuery() {
    const QString path = dir_->filePath(QStringLiteral("q.tbq"));
    WriteAll(path, "[Query]\nOperator=or\nCount=two\nItem1=every\nText1=x\n");
    TQuery kept;
    kept.setRow(0, Cond(Col(cs::SurName), TQuery::Contain, QStringLiteral("keep")));
    const TQuery before = kept;
    QString error;
    QVERIFY(!QueryFile::Read(path, names_, kept, error));
    QCOMPARE(error, QStringLiteral("'two' is not a valid integer value"));
    QVERIFY(kept == before);
}

void TestQueryFile::unknownKeywordsFallBack() {
    const QString path = dir_->filePath(QStringLiteral("q.tbq"));
    WriteAll(path,
             "[Query]\nOperator=OR\nCount=4\nItem1=surname\nCompar1=Is\nCaseSensitive1=TRUE\n"
             "Text1=a\nItem2=Every\nText2=b\nItem3=Home_Town\nCompar3=doesnotcontain\nText3=c\n"
             "Text4=d\n");
    TQuery read;
    QString error;
    QVERIFY(QueryFile::Read(path, names_, read, error));
    QCOMPARE(read.op(), TQuery::And);
    QCOMPARE(read.DefinedCount(), 4);
    QCOMPARE(read.row(0), Cond(TQuery::ItemAny, TQuery::Contain, QStringLiteral("a")));
    QCOMPARE(read.row(1), Cond(TQuery::ItemAny, TQuery::Contain, QStringLiteral("b")));
    QCOMPARE(read.row(2), Cond(Col(cs::Home_Town), TQuery::DoesNotContain, QStringLiteral("c")));
    QCOMPARE(read.row(3), Cond(TQuery::ItemAny, TQuery::Contain, QStringLiteral("d")));
}

void TestQueryFile::savedGapIsNotSavedAgain() {
    const QString path = dir_->filePath(QStringLiteral("q.tbq"));
    WriteAll(path,
             "[Query]\nCount=3\nItem1=SurName\nText1=a\nItem2=any\nText2=\n"
             "Item3=FirstName\nText3=c\n");
    TQuery read;
    QString error;
    QVERIFY(QueryFile::Read(path, names_, read, error));
    QCOMPARE(read.DefinedCount(), 1);
    QVERIFY(QueryFile::Write(path, read, names_, error));
    const QByteArray saved = ReadAll(path);
    QVERIFY(saved.contains("Count=1\r\n"));
    QVERIFY(!saved.contains("Item3"));
}

void TestQueryFile::failedSaveKeepsOldFile() {
    TQuery q;
    q.setRow(0, Cond(Col(cs::SurName), TQuery::Contain, QStringLiteral("new")));
    QString error;
    const QString folder = dir_->filePath(QStringLiteral("folder.tbq"));
    QVERIFY(QDir().mkdir(folder));
    QVERIFY(!QueryFile::Write(folder, q, names_, error));
    QCOMPARE(error, QStringLiteral("Unable to write to %1\n\rIs a directory").arg(folder));
    QVERIFY(QFileInfo(folder).isDir());

    const QString sub = dir_->filePath(QStringLiteral("locked"));
    QVERIFY(QDir().mkdir(sub));
    const QString old = sub + QStringLiteral("/old.tbq");
    const QByteArray oldBytes = "[Query]\r\nCount=1\r\nItem1=FirstName\r\nText1=old\r\n";
    WriteAll(old, oldBytes);
    QFile::setPermissions(sub, QFile::ReadOwner | QFile::ExeOwner);
    const bool saved = QueryFile::Write(old, q, names_, error);
    QFile::setPermissions(sub, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (saved)
        QSKIP("the folder's permissions do not hold for this user (root)");
    QCOMPARE(error, QStringLiteral("Unable to write to %1\n\rPermission denied").arg(old));
    QCOMPARE(ReadAll(old), oldBytes);
}

void TestQueryFile::diskFullAtAnyByteKeepsOldFile() {
    const QString path = dir_->filePath(QStringLiteral("people.tbq"));
    const QByteArray oldBytes = "[Query]\r\nCount=1\r\nItem1=FirstName\r\nText1=old\r\n";
    WriteAll(path, oldBytes);
    TQuery q;
    for (int n = 0; n < TQuery::RowCount; ++n)
        q.setRow(n, Cond(Col(cs::SurName), TQuery::Contain, QStringLiteral("Dvořák %1").arg(n)));
    QString error;
    const QString other = dir_->filePath(QStringLiteral("measure.tbq"));
    QVERIFY(QueryFile::Write(other, q, names_, error));
    const qint64 size = QFileInfo(other).size();
    QVERIFY(QFile::remove(other));

    const QString broken = CheckFailedWrites(path, 0, size, [&] {
        error.clear();
        const bool written = QueryFile::Write(path, q, names_, error);
        return written ||
               error != QStringLiteral("Unable to write to %1\n\rFile too large").arg(path);
    });
    QVERIFY2(broken.isEmpty(), qPrintable(broken));

    DefaultWriteFaults().failCommit = true;
    const bool renamed = QueryFile::Write(path, q, names_, error);
    DefaultWriteFaults() = {};
    QVERIFY(!renamed);
    QCOMPARE(ReadAll(path), oldBytes);
    QCOMPARE(FolderEntries(path), QStringList{QStringLiteral("people.tbq")});
    QVERIFY(QueryFile::Write(path, q, names_, error));
    QCOMPARE(QFileInfo(path).size(), size);
}

QTEST_GUILESS_MAIN(TestQueryFile)
#include "test_QueryFile.moc"
