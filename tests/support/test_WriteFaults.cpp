// The settings store and the error log on a disk that fills up at any byte:
// the failure is reported and the old file stays byte for byte, with no
// half-written entry or temporary file left behind.

#include "support/u_AtomicFileWriter.h"
#include "support/u_ResourceStrings.h"
#include "support/u_Settings.h"
#include "support/u_SimpleExceptionLog.h"
#include "testsupport/WriteFaults.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <stdexcept>

class TestWriteFaults : public QObject {
    Q_OBJECT

  private slots:
    void atomicWriter_failsAtAnyByteAndAtTheRename();
    void settings_diskFullKeepsOldFile();
    void errorLog_diskFullLeavesNoHalfEntry();
};

void TestWriteFaults::atomicWriter_failsAtAnyByteAndAtTheRename() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("data.txt"));
    QString reason;
    QVERIFY(WriteFileAtomically(path, "old", reason));
    const QByteArray bytes(3000, 'x');
    const QString broken = CheckFailedWrites(path, 0, bytes.size(), [&] {
        reason.clear();
        return WriteFileAtomically(path, bytes, reason) || reason.isEmpty();
    });
    QVERIFY2(broken.isEmpty(), qPrintable(broken));

    for (const TWriteFaults faults :
         {TWriteFaults{0, false}, TWriteFaults{2999, false}, TWriteFaults{-1, true}}) {
        TAtomicFileWriter file(path, faults);
        QVERIFY(file.IsOpen());
        QVERIFY(!(file.Write(bytes) && file.Commit()));
        QVERIFY(!file.ErrorString().isEmpty());
        QVERIFY(!file.Write("more"));
        QCOMPARE(FileBytes(path), QByteArray("old"));
        QCOMPARE(FolderEntries(path), QStringList{QStringLiteral("data.txt")});
    }

    QVERIFY(!WriteFileAtomically(dir.path(), bytes, reason));
    QVERIFY(QFileInfo(dir.path()).isDir());
    QVERIFY(WriteFileAtomically(path, bytes, reason));
    QCOMPARE(FileBytes(path), bytes);
}

void TestWriteFaults::settings_diskFullKeepsOldFile() {
    const QString name = SettingName(TSetting::StartUpDatabase);
    const QString newValue = QStringLiteral("/home/jana/Kontakty/Přátelé a rodina %1.tbr");
    WriteSettingString(name, newValue.arg(1));
    const QString file =
        QSettings(QSettings::NativeFormat, QSettings::UserScope, "Orvane", "Orvane Contacts")
            .fileName();
    const qint64 newSize = QFileInfo(file).size();
    WriteSettingString(name, QStringLiteral("old.tbr"));
    const QByteArray oldBytes = FileBytes(file);

    const QString broken = CheckFailedWrites(file, 0, newSize, [&] {
        try {
            WriteSettingString(name, newValue.arg(2));
        } catch (const std::runtime_error& e) {
            return QString::fromUtf8(e.what()) != LoadResString(res::RegistryWriteFailed);
        }
        return true;
    });
    QVERIFY2(broken.isEmpty(), qPrintable(broken));
    QCOMPARE(FileBytes(file), oldBytes);

    WriteSettingString(name, newValue.arg(3));
    QVERIFY(FileBytes(file).contains("3.tbr"));
}

void TestWriteFaults::errorLog_diskFullLeavesNoHalfEntry() {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("pellum.Error.log"));
    TSimpleExceptionLog log(file);
    QVERIFY(log.Write(QStringLiteral("first report")));
    const QString report = QStringLiteral("Přístup odepřen\nat TfrmMain::actSave\n");
    const qint64 entry =
        TSimpleExceptionLog::Entry(report, false, QDateTime::currentDateTime(), 100).size();

    const QString broken =
        CheckFailedWrites(file, QFileInfo(file).size(), entry, [&] { return log.Write(report); });
    QVERIFY2(broken.isEmpty(), qPrintable(broken));

    QVERIFY(log.Write(report));
    QCOMPARE(QFileInfo(file).size(),
             TSimpleExceptionLog::Entry(QStringLiteral("first report"), true,
                                        QDateTime::currentDateTime(), 100)
                     .size() +
                 entry);
}

QTEST_GUILESS_MAIN(TestWriteFaults)
#include "test_WriteFaults.moc"
