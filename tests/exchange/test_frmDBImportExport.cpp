// The database import/export dialog offscreen: start-up state, the check of
// the source, converting the open database in place, and failures.
#include "ExchangeFixtures.h"
#include "support/u_FileChooser.h"
#include "testsupport/TestSupport.h"

#include "exchange/u_frmDBImportExport.h"
#include "session/u_ContactSchema.h"
#include "session/u_DBConverter.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace fixtures;

namespace {

const QString kProgramVersion = QStringLiteral("2.8.0.0");

}  // namespace

class TestFrmDBImportExport : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir dir_;
    TQuib main_;
    int reloads_ = 0;

    QString path(const QString& name) const { return dir_.filePath(name); }

    std::unique_ptr<TfrmDBImportExport> dialog() {
        auto d =
            std::make_unique<TfrmDBImportExport>(main_, kProgramVersion, [this] { ++reloads_; });
        d->show();
        return d;
    }
    template <typename T>
    static T* child(QWidget& w, const char* name) {
        T* c = w.findChild<T*>(QString::fromLatin1(name));
        if (!c) {
            qFatal("no control %s", name);
        }
        return c;
    }
    static void click(QWidget& w, const char* name) { child<QPushButton>(w, name)->click(); }

    // A database whose identification says it needs program minVersion.
    void writeNeedingVersion(const QString& file, const QString& minVersion) {
        WriteDatabase(file, DBLayouts().back(), {});
        auto db = OpenDatabase(file);
        QVERIFY(db->SetHeaderText(db->GetHeaderIndexFromName("ProgramMinVersion"), 0, minVersion));
        QVERIFY(db->Save());
    }

  private slots:
    void init() {
        FileChooserTest::Reset();
        QVERIFY(dir_.isValid());
        reloads_ = 0;
        main_.SetDatabaseName(QString());
    }

    void showStartsReadyToConvertTheOpenDatabase() {
        MessageRecorder messages;
        const QString file = path("open250.tbr");
        WriteDatabase(file, DBLayouts().front(), {});
        main_.SetDatabaseName(file);
        auto d = dialog();
        QCOMPARE(d->windowTitle(), QStringLiteral("Import / Export"));
        QCOMPARE(child<QLineEdit>(*d, "txtSourceFile")->text(), file);
        QCOMPARE(child<QLineEdit>(*d, "txtDestFile")->text(), file);
        QVERIFY(child<QLineEdit>(*d, "txtSourceFile")->isReadOnly());
        QCOMPARE(child<QLabel>(*d, "lblSourceDBVersion")->text(),
                 QStringLiteral("Orvane Contacts 2.5.0"));
        auto* versions = child<QComboBox>(*d, "lstDestDBVersion");
        QCOMPARE(versions->count(), 3);
        QCOMPARE(versions->currentIndex(), 2);
        QCOMPARE(versions->itemText(0), DBLayouts()[0].text);
        QVERIFY(child<QPushButton>(*d, "cmdSave")->isEnabled());
        QVERIFY(child<QPushButton>(*d, "cmdSave")->isDefault());
        QCOMPARE(child<QPushButton>(*d, "cmdSourceBrowse")->text(), QStringLiteral("&Browse..."));
        QCOMPARE(child<QPushButton>(*d, "cmdDestBrowse")->text(), QStringLiteral("B&rowse..."));
        QVERIFY(messages.texts().isEmpty());
    }

    void withoutADatabaseSaveIsDisabled() {
        MessageRecorder messages;
        auto d = dialog();
        QVERIFY(child<QLineEdit>(*d, "txtSourceFile")->text().isEmpty());
        QVERIFY(!child<QPushButton>(*d, "cmdSave")->isEnabled());
        FileChooserTest::QueueAnswer(path("dest-only.tbr"));
        click(*d, "cmdDestBrowse");
        QVERIFY(!child<QPushButton>(*d, "cmdSave")->isEnabled());
        QVERIFY(messages.texts().isEmpty());
    }

    void convertsTheOpenDatabaseInPlace() {
        MessageRecorder messages;
        const QString file = path("inplace250.tbr");
        QStringList row(26);
        row[0] = QStringLiteral("Dvořák");
        WriteDatabase(file, DBLayouts().front(), {row});
        const QByteArray original = ReadFile(file);
        main_.SetDatabaseName(file);
        auto d = dialog();
        click(*d, "cmdSave");
        QVERIFY2(messages.texts().size() == 2, qPrintable(messages.texts().join(" | ")));
        QCOMPARE(messages.texts(),
                 (QStringList{"Destination file already exists. Are you sure to overwrite it?",
                              "Import / Export was successful."}));
        QCOMPARE(messages.messages().front().type, MsgType::Confirmation);
        QCOMPARE(ReadFile(file + ".bak"), original);
        QCOMPARE(reloads_, 1);
        // Converted to Unicode (the default), the file needs 2.8.0.
        QCOMPARE(child<QLabel>(*d, "lblSourceDBVersion")->text(),
                 QStringLiteral("Orvane Contacts 2.8.0"));
        auto db = OpenDatabase(file);
        QCOMPARE(TDBConverter::DatabaseColumns(*db), DBLayouts().back().columns);
        QCOMPARE(ValueByName(*db, 0, "SurName"), QStringLiteral("Dvořák"));
        QVERIFY(d->isVisible());
    }

    void answeringNoWritesNothing() {
        MessageRecorder messages;
        messages.queueAnswer(MsgResult::No);
        const QString file = path("no250.tbr");
        WriteDatabase(file, DBLayouts().front(), {});
        const QByteArray original = ReadFile(file);
        main_.SetDatabaseName(file);
        auto d = dialog();
        click(*d, "cmdSave");
        QCOMPARE(messages.texts(),
                 QStringList{"Destination file already exists. Are you sure to overwrite it?"});
        QCOMPARE(ReadFile(file), original);
        QVERIFY(QFile::exists(file + ".bak"));
        QCOMPARE(reloads_, 0);
    }

    void copyToAnotherFileInTheChosenLayout() {
        MessageRecorder messages;
        const QString src = path("other270.tbr");
        WriteDatabase(src, DBLayouts().back(), {ProgramColumns()});
        auto d = dialog();
        FileChooserTest::QueueAnswer(src);
        FileChooserTest::QueueAnswer(path("other251.tbr"));
        click(*d, "cmdSourceBrowse");
        click(*d, "cmdDestBrowse");
        QCOMPARE(child<QLabel>(*d, "lblSourceDBVersion")->text(),
                 QStringLiteral("Orvane Contacts 2.7.0"));
        child<QComboBox>(*d, "lstDestDBVersion")->setCurrentIndex(1);
        // The stored text: Unicode unless Central European is chosen.
        auto* encoding = child<QComboBox>(*d, "lstDestTextEncoding");
        QCOMPARE(encoding->count(), 2);
        QCOMPARE(encoding->currentText(), QStringLiteral("Unicode (UTF-8)"));
        QCOMPARE(encoding->itemText(1), QStringLiteral("Central European (Windows-1250)"));
        QCOMPARE(child<QLabel>(*d, "lblDestTextEncodingCaption")->text(),
                 QStringLiteral("Stored text:"));
        click(*d, "cmdSave");
        QCOMPARE(messages.texts(), QStringList{"Import / Export was successful."});
        QCOMPARE(reloads_, 0);  // the main window's database was not involved
        QCOMPARE(OpenDatabase(path("other251.tbr"))->Encoding(), quib::TextEncoding::Utf8);
        messages.clear();
        encoding->setCurrentIndex(1);
        messages.queueAnswer(MsgResult::Yes);  // the file exists now
        click(*d, "cmdSave");
        QCOMPARE(OpenDatabase(path("other251.tbr"))->Encoding(), quib::TextEncoding::Windows1250);
        messages.clear();
        QVERIFY(!QFile::exists(src + ".bak"));
        auto db = OpenDatabase(path("other251.tbr"));
        QCOMPARE(TDBConverter::DatabaseColumns(*db), DBLayouts()[1].columns);
        QCOMPARE(ValueByName(*db, 0, "Work_ICQ"), QStringLiteral("Work_ICQ"));
        QCOMPARE(db->GetHeaderText(db->GetHeaderIndexFromName("ProgramAktVersion"), 0),
                 QStringLiteral("2.5.1"));
    }

    void sourceOfAnotherProgramIsRefused() {
        MessageRecorder messages;
        const QString src = path("alien.tbr");
        WriteDatabase(src, DBLayouts().back(), {});
        {
            auto db = OpenDatabase(src);
            QVERIFY(db->SetHeaderText(db->GetHeaderIndexFromName("ProgramName"), 0, "Other"));
            QVERIFY(db->Save());
        }
        main_.SetDatabaseName(path("missing-main.tbr"));
        auto d = dialog();
        messages.clear();
        FileChooserTest::QueueAnswer(src);
        click(*d, "cmdSourceBrowse");
        QCOMPARE(messages.texts(), QStringList{"The file isn't database for this program."});
        QVERIFY(child<QLineEdit>(*d, "txtSourceFile")->text().isEmpty());
        QVERIFY(!child<QPushButton>(*d, "cmdSave")->isEnabled());
    }

    void sourceNeedingANewerProgramIsRefused() {
        MessageRecorder messages;
        const QString src = path("newer.tbr");
        writeNeedingVersion(src, "3.0.0");
        auto d = dialog();
        FileChooserTest::QueueAnswer(src);
        click(*d, "cmdSourceBrowse");
        QCOMPARE(messages.texts(),
                 QStringList{"The database require newer version of this program (3.0.0)."});
        QVERIFY(child<QLineEdit>(*d, "txtSourceFile")->text().isEmpty());
        QCOMPARE(child<QLabel>(*d, "lblSourceDBVersion")->text(),
                 QStringLiteral("Orvane Contacts"));
    }

    void sourceRemovedBeforeSavingIsAFailure() {
        MessageRecorder messages;
        const QString src = path("vanishing.tbr");
        WriteDatabase(src, DBLayouts().back(), {});
        main_.SetDatabaseName(src);
        auto d = dialog();
        FileChooserTest::QueueAnswer(path("vanished-copy.tbr"));
        click(*d, "cmdDestBrowse");
        QVERIFY(QFile::remove(src));
        click(*d, "cmdSave");
        QCOMPARE(messages.messages().size(), std::size_t(1));
        QCOMPARE(messages.messages().front().type, MsgType::Error);
        QVERIFY(!messages.texts().contains("Import / Export was successful."));
        QVERIFY(!QFile::exists(path("vanished-copy.tbr")));
        QCOMPARE(reloads_, 0);
    }
};

QTEST_MAIN(TestFrmDBImportExport)
#include "test_frmDBImportExport.moc"
