// The INI text of query files: names without regard to case, the first of
// two equal names, trimmed values, comments, line ends, the encodings, and
// saves that never damage the old file.

#include "query/u_IniFile.h"
#include "support/u_TextEncoding.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

}  // namespace

class TestIniFile : public QObject {
    Q_OBJECT

  private slots:
    void namesIgnoreCase();
    void firstDuplicateWins();
    void valuesAreTrimmedAndKeptWhole();
    void commentsAndStrayLinesAreSkipped();
    void lineEnds_data();
    void lineEnds();
    void encodings_data();
    void encodings();
    void writesCrLfInOrderAsMarkedUtf8();
    void writesPlainAsciiWithoutMark();
    void writeReplacesExistingKeys();
    void saveAndLoad();
    void failedSaveKeepsOldFile();
    void unreadableAndHugeFiles();
};

void TestIniFile::namesIgnoreCase() {
    const TIniFile ini = TIniFile::FromBytes("[query]\nOPERATOR=or\n");
    QCOMPARE(ini.ReadString(QStringLiteral("Query"), QStringLiteral("Operator"), QString()),
             QStringLiteral("or"));
    QVERIFY(ini.ValueExists(QStringLiteral("QUERY"), QStringLiteral("operator")));
    QVERIFY(!ini.ValueExists(QStringLiteral("Query"), QStringLiteral("Count")));
    QCOMPARE(ini.ReadString(QStringLiteral("Query"), QStringLiteral("Count"), QStringLiteral("0")),
             QStringLiteral("0"));
    QCOMPARE(
        ini.ReadString(QStringLiteral("Other"), QStringLiteral("Operator"), QStringLiteral("d")),
        QStringLiteral("d"));
}

void TestIniFile::firstDuplicateWins() {
    const TIniFile ini = TIniFile::FromBytes(
        "[Query]\nCount=1\ncount=2\n[Other]\nx=1\n[QUERY]\nCount=3\nText1=hidden\n");
    QCOMPARE(ini.ReadString(QStringLiteral("Query"), QStringLiteral("Count"), QString()),
             QStringLiteral("1"));
    // The repeated section is hidden by the first one.
    QVERIFY(!ini.ValueExists(QStringLiteral("Query"), QStringLiteral("Text1")));
    QCOMPARE(ini.ReadString(QStringLiteral("Other"), QStringLiteral("x"), QString()),
             QStringLiteral("1"));
}

void TestIniFile::valuesAreTrimmedAndKeptWhole() {
    const TIniFile ini =
        TIniFile::FromBytes("[Query]\n  Text1 =   a, b = c ;d  \nText2=\"quoted\"\nText3=\n");
    QCOMPARE(ini.ReadString(QStringLiteral("Query"), QStringLiteral("Text1"), QString()),
             QStringLiteral("a, b = c ;d"));
    QCOMPARE(ini.ReadString(QStringLiteral("Query"), QStringLiteral("Text2"), QString()),
             QStringLiteral("\"quoted\""));
    QVERIFY(ini.ValueExists(QStringLiteral("Query"), QStringLiteral("Text3")));
    QCOMPARE(ini.ReadString(QStringLiteral("Query"), QStringLiteral("Text3"), QStringLiteral("d")),
             QString());
}

void TestIniFile::commentsAndStrayLinesAreSkipped() {
    const TIniFile ini = TIniFile::FromBytes(
        "Before=1\n; a comment\n[Query]\n;Count=5\nno equals sign\n=novalue\nCount=2\n");
    QVERIFY(!ini.ValueExists(QStringLiteral("Query"), QStringLiteral("Before")));
    QCOMPARE(ini.ReadString(QStringLiteral("Query"), QStringLiteral("Count"), QString()),
             QStringLiteral("2"));
}

void TestIniFile::lineEnds_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("LF") << QByteArray("[Query]\nCount=2\nText1=a\n");
    QTest::newRow("CR LF") << QByteArray("[Query]\r\nCount=2\r\nText1=a\r\n");
    QTest::newRow("mixed, no last end") << QByteArray("[Query]\r\nCount=2\nText1=a");
}

void TestIniFile::lineEnds() {
    QFETCH(QByteArray, bytes);
    const TIniFile ini = TIniFile::FromBytes(bytes);
    QCOMPARE(ini.ReadString(QStringLiteral("Query"), QStringLiteral("Count"), QString()),
             QStringLiteral("2"));
    QCOMPARE(ini.ReadString(QStringLiteral("Query"), QStringLiteral("Text1"), QString()),
             QStringLiteral("a"));
}

void TestIniFile::encodings_data() {
    QTest::addColumn<QByteArray>("bytes");
    const QString dvorak = QStringLiteral("Dvořák");
    QTest::newRow("UTF-8") << QByteArray("[Query]\nText1=") + dvorak.toUtf8() + "\n";
    QTest::newRow("UTF-8 with BOM")
        << QByteArray("\xEF\xBB\xBF[Query]\nText1=") + dvorak.toUtf8() + "\n";
    QTest::newRow("Windows-1250") << QByteArray("[Query]\r\nText1=") + EncodeWindows1250(dvorak) +
                                         "\r\n";
}

void TestIniFile::encodings() {
    QFETCH(QByteArray, bytes);
    const TIniFile ini = TIniFile::FromBytes(bytes);
    QCOMPARE(ini.ReadString(QStringLiteral("Query"), QStringLiteral("Text1"), QString()),
             QStringLiteral("Dvořák"));
}

// Letters beyond ASCII are written as UTF-8 behind a byte-order mark, which
// tells them apart from the older program's Windows-1250 files for good.
void TestIniFile::writesCrLfInOrderAsMarkedUtf8() {
    TIniFile ini;
    ini.WriteString(QStringLiteral("Query"), QStringLiteral("Operator"), QStringLiteral("and"));
    ini.WriteString(QStringLiteral("Query"), QStringLiteral("Count"), QStringLiteral("1"));
    ini.WriteString(QStringLiteral("Query"), QStringLiteral("Text1"), QStringLiteral("Dvořák"));
    QCOMPARE(ini.ToBytes(), QByteArray("\xEF\xBB\xBF[Query]\r\nOperator=and\r\nCount=1\r\nText1=") +
                                QStringLiteral("Dvořák").toUtf8() + "\r\n");
    // Also a character Windows-1250 lacks.
    ini.WriteString(QStringLiteral("Query"), QStringLiteral("Text1"), QStringLiteral("Dvořák 東"));
    const QByteArray bytes = ini.ToBytes();
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF[Query]\r\n"));
    QVERIFY(bytes.endsWith(QByteArray("Text1=") + QStringLiteral("Dvořák 東").toUtf8() + "\r\n"));
    QCOMPARE(TIniFile::FromBytes(bytes).ReadString(QStringLiteral("Query"), QStringLiteral("Text1"),
                                                   QString()),
             QStringLiteral("Dvořák 東"));
}

// A file of ASCII alone needs no mark: every reader, the older program's
// too, reads it the same.
void TestIniFile::writesPlainAsciiWithoutMark() {
    TIniFile ini;
    ini.WriteString(QStringLiteral("Query"), QStringLiteral("Text1"), QStringLiteral("Novak"));
    QCOMPARE(ini.ToBytes(), QByteArray("[Query]\r\nText1=Novak\r\n"));
}

void TestIniFile::writeReplacesExistingKeys() {
    TIniFile ini = TIniFile::FromBytes("[Query]\nCount=1\nText1=a\n");
    ini.WriteString(QStringLiteral("query"), QStringLiteral("COUNT"), QStringLiteral("2"));
    ini.WriteString(QStringLiteral("Other"), QStringLiteral("x"), QStringLiteral("y"));
    QCOMPARE(ini.ToBytes(), QByteArray("[Query]\r\nCount=2\r\nText1=a\r\n[Other]\r\nx=y\r\n"));
}

void TestIniFile::saveAndLoad() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.tbq"));
    TIniFile ini;
    ini.WriteString(QStringLiteral("Query"), QStringLiteral("Count"), QStringLiteral("7"));
    QString error;
    QVERIFY(ini.Save(path, error));
    TIniFile read;
    QVERIFY(TIniFile::Load(path, read, error));
    QCOMPARE(read.ReadString(QStringLiteral("Query"), QStringLiteral("Count"), QString()),
             QStringLiteral("7"));
    // Only the one file remains: no temporary file is left behind.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("a.tbq")});
}

void TestIniFile::failedSaveKeepsOldFile() {
    QTemporaryDir dir;
    TIniFile ini;
    ini.WriteString(QStringLiteral("Query"), QStringLiteral("Count"), QStringLiteral("7"));
    QString error;
    // A folder where the file should be.
    const QString folder = dir.filePath(QStringLiteral("folder.tbq"));
    QVERIFY(QDir().mkdir(folder));
    QVERIFY(!ini.Save(folder, error));
    QCOMPARE(error, QStringLiteral("Unable to write to %1\n\rIs a directory").arg(folder));
    QVERIFY(QFileInfo(folder).isDir());
    // A folder that does not exist.
    const QString nowhere = dir.filePath(QStringLiteral("missing/a.tbq"));
    QVERIFY(!ini.Save(nowhere, error));
    QCOMPARE(error,
             QStringLiteral("Unable to write to %1\n\rNo such file or directory").arg(nowhere));
    // A folder that cannot be written keeps the old file byte for byte.
    const QString sub = dir.filePath(QStringLiteral("locked"));
    QVERIFY(QDir().mkdir(sub));
    const QString old = sub + QStringLiteral("/old.tbq");
    const QByteArray oldBytes("[Query]\r\nCount=1\r\nText1=keep me\r\n");
    WriteAll(old, oldBytes);
    QFile::setPermissions(sub, QFile::ReadOwner | QFile::ExeOwner);
    const bool saved = ini.Save(old, error);
    QFile::setPermissions(sub, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (saved)
        QSKIP("the folder's permissions do not hold for this user (root)");
    QCOMPARE(ReadAll(old), oldBytes);
}

void TestIniFile::unreadableAndHugeFiles() {
    QTemporaryDir dir;
    TIniFile ini;
    QString error;
    const QString missing = dir.filePath(QStringLiteral("none.tbq"));
    QVERIFY(!TIniFile::Load(missing, ini, error));
    QCOMPARE(error, QStringLiteral("Unable to read %1").arg(missing));
    const QString huge = dir.filePath(QStringLiteral("huge.tbq"));
    {
        QFile f(huge);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QVERIFY(f.resize(TIniFile::MaxFileSize + 1));
    }
    QVERIFY(!TIniFile::Load(huge, ini, error));
    QCOMPARE(error, QStringLiteral("The file %1 is too large.").arg(huge));
}

QTEST_GUILESS_MAIN(TestIniFile)
#include "test_IniFile.moc"
