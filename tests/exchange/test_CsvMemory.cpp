// The CSV import streams its file: a file of a million short lines is
// imported with at most three times its size beyond what the same rows take
// when appended directly.
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Measure {
    long base = 0;
    long peak = 0;
    int rows = 0;
};

Measure probe(const QStringList& args) {
    QProcess process;
    process.start(QStringLiteral(CSV_MEMORY_PROBE), args);
    if (!process.waitForFinished(280'000) || process.exitCode() != 0) {
        return {};
    }
    const QStringList words = QString::fromLatin1(process.readAllStandardOutput()).split(u' ');
    return {words.value(0).toLong(), words.value(1).toLong(), words.value(2).toInt()};
}

}  // namespace

class TestCsvMemory : public QObject {
    Q_OBJECT

  private slots:
    void millionLinesStayWithinThreeTimesTheFile() {
        QTemporaryDir dir;
        const int lines = 1'000'000;
        const QString csv = dir.filePath(QStringLiteral("big.csv"));
        QVERIFY(QProcess::execute(QStringLiteral(CSV_MEMORY_PROBE),
                                  {QStringLiteral("write"), csv, QString::number(lines)}) == 0);
        const long fileKb = QFileInfo(csv).size() / 1024;
        const Measure imported =
            probe({QStringLiteral("import"), csv, dir.filePath(QStringLiteral("a.tbr"))});
        const Measure direct = probe({QStringLiteral("direct"), QString::number(lines),
                                      dir.filePath(QStringLiteral("b.tbr"))});
        QCOMPARE(imported.rows, lines);
        QCOMPARE(direct.rows, lines);
        const long importKb = imported.peak - imported.base;
        const long databaseKb = direct.peak - direct.base;
        qInfo(
            "file %ld KiB, import peak %+ld KiB, database alone %+ld KiB, import beyond the "
            "database %.2f x the file",
            fileKb, importKb, databaseKb, double(importKb - databaseKb) / double(fileKb));
        QVERIFY(importKb - databaseKb <= 3 * fileKb);
    }
};

QTEST_MAIN(TestCsvMemory)
#include "test_CsvMemory.moc"
