#include "app/Pellum.h"
#include "app/u_frmCommon.h"
#include "app/u_frmMain.h"
#include "exchange/u_VCardReader.h"
#include "session/QUIBLib_TLB.h"
#include "support/u_FileChooser.h"
#include "views/u_frameMainGrid.h"

#include "AppTestSupport.h"
#include "testsupport/TestSupport.h"

#include <QAction>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

// The vCard commands of File > Import / Export through the real main window:
// where they stand, when they may run, and that export and import work on
// the main window's database.
class TestVCardCommands : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<MessageRecorder> messages_;
    std::unique_ptr<TProgram> program_;
    QStringList dialogsRun_;

    TfrmMain& main() { return *program_->frmMain; }
    TfrmCommon& common() { return *program_->frmCommon; }
    QAction* act(const char* name) { return common().action(QLatin1String(name)); }
    QString path(const QString& name) { return dir_->filePath(name); }

    void start(const QStringList& databases) {
        program_ = StartProgram(databases, false);
        main().show();
        messages_->clear();
    }
    // Runs the command's dialog through drive instead of a window loop.
    void driveDialogs(std::function<void(QDialog&)> drive) {
        common().DialogRunner = apptest::DialogDriver(dialogsRun_, std::move(drive));
    }
    template <typename T>
    static T* control(QDialog& dialog, const char* name) {
        return apptest::DialogControl<T>(dialog, name);
    }
    static QList<QStringList> cards(const QString& file) {
        QFile f(file);
        QList<QStringList> read;
        if (f.open(QIODevice::ReadOnly)) {
            TVCardReader::Read(f.readAll(), [&read](const QStringList& c) { read << c; });
        }
        return read;
    }
    // Saves a picture of widget when the test is asked for pictures.
    static void picture(QWidget& widget, const char* name) {
        const QString folder = qEnvironmentVariable("ORVANE_TEST_PICTURES");
        if (!folder.isEmpty()) {
            widget.grab().save(folder + u'/' + QLatin1String(name) + QStringLiteral(".png"));
        }
    }

  private slots:
    void init() {
        apptest::ClearSettings();
        dir_ = std::make_unique<QTemporaryDir>();
        messages_ = std::make_unique<MessageRecorder>();
        dialogsRun_.clear();
        FileChooserTest::Reset();
    }
    void cleanup() {
        program_.reset();
        messages_.reset();
        dir_.reset();
        FileChooserTest::Reset();
    }

    void commandsFollowTheCSVOnes() {
        const QString file = path(QStringLiteral("db.tbr"));
        apptest::MakeDatabase(file, 2);
        start({file});
        QMenu* importExport = nullptr;
        for (QMenu* menu : main().findChildren<QMenu*>()) {
            if (menu->actions().contains(act("actDBImportFromCSV"))) {
                importExport = menu;
            }
        }
        QVERIFY(importExport);
        const QList<QAction*> actions = importExport->actions();
        const qsizetype csv = actions.indexOf(act("actDBExportToCSV"));
        QCOMPARE(actions.indexOf(act("actDBImportFromVCard")), csv + 1);
        QCOMPARE(actions.indexOf(act("actDBExportToVCard")), csv + 2);
        QCOMPARE(act("actDBImportFromVCard")->text(), QStringLiteral("Import from &vCard..."));
        QCOMPARE(act("actDBExportToVCard")->text(), QStringLiteral("E&xport to vCard..."));
        QCOMPARE(act("actDBImportFromVCard")->statusTip(),
                 QStringLiteral("Import contacts from vCard file"));
        QCOMPARE(act("actDBExportToVCard")->statusTip(),
                 QStringLiteral("Export contacts to vCard file"));
        QVERIFY(act("actDBImportFromVCard")->isEnabled());
        QVERIFY(act("actDBExportToVCard")->isEnabled());
        common().UpdateCommandStates(TCommandMode::print);
        QVERIFY(!act("actDBImportFromVCard")->isEnabled());
        QVERIFY(!act("actDBExportToVCard")->isEnabled());
    }

    void disabledWithoutADatabase() {
        start({path(QStringLiteral("missing.tbr"))});
        QVERIFY(!act("actDBImportFromVCard")->isEnabled());
        QVERIFY(!act("actDBExportToVCard")->isEnabled());
        // Run directly, they still do nothing.
        driveDialogs([](QDialog&) {});
        for (const char* name : {"actDBImportFromVCard", "actDBExportToVCard"}) {
            act(name)->setEnabled(true);
            act(name)->trigger();
        }
        QVERIFY(dialogsRun_.isEmpty());
        QCOMPARE(FileChooserTest::Asked().size(), std::size_t(0));
    }

    void exportWritesEveryRecord() {
        const QString file = path(QStringLiteral("Pellum.tbr"));
        MakeSampleDatabase(file);
        start({file});
        const QString vcf = path(QStringLiteral("Pellum.vcf"));
        driveDialogs([&](QDialog& dialog) {
            picture(main(), "main-window");
            picture(dialog, "export-to-vcard");
            QCOMPARE(control<QLineEdit>(dialog, "txtFileName")->text(), vcf);
            QVERIFY(!control<QRadioButton>(dialog, "rbQueryResult")->isEnabled());
            control<QRadioButton>(dialog, "rbVersion30")->click();
            control<QPushButton>(dialog, "cmdOK")->click();
        });
        act("actDBExportToVCard")->trigger();
        QCOMPARE(dialogsRun_, QStringList{QStringLiteral("frmExportToVCard")});
        QCOMPARE(messages_->texts(),
                 QStringList{"Export has been successful. Would you like to close the window?"});
        const QList<QStringList> written = cards(vcf);
        QCOMPARE(written.size(), SampleContactCount());
        QCOMPARE(written[0][0], QStringLiteral("Novák"));
        QCOMPARE(written[0][31],
                 QStringLiteral("Potkali jsme se na konferenci.\nOzvat se v září."));
    }

    // The table listing every record is no query result: only "All records".
    void wholeTableIsNoQueryResult() {
        const QString file = path(QStringLiteral("db.tbr"));
        apptest::MakeDatabase(file, 4);
        start({file});
        act("actShowAsTable")->trigger();
        const QString vcf = path(QStringLiteral("all.vcf"));
        driveDialogs([&](QDialog& dialog) {
            QVERIFY(!control<QRadioButton>(dialog, "rbQueryResult")->isEnabled());
            control<QLineEdit>(dialog, "txtFileName")->setText(vcf);
            control<QPushButton>(dialog, "cmdOK")->click();
        });
        act("actDBExportToVCard")->trigger();
        QCOMPARE(cards(vcf).size(), 4);
    }

    void importAppendsAndSaves() {
        const QString file = path(QStringLiteral("db.tbr"));
        apptest::MakeDatabase(file, 2);
        start({file});
        act("actShowAsTable")->trigger();
        const QString vcf = path(QStringLiteral("phone.vcf"));
        {
            QFile f(vcf);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(
                "BEGIN:VCARD\r\nVERSION:2.1\r\n"
                "N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:Dvo=C5=99=C3=A1k;Anton=C3=ADn\r\n"
                "TEL;CELL:+420 602 111 222\r\nEND:VCARD\r\n"
                "BEGIN:VCARD\r\nVERSION:3.0\r\nN:\xC4\x8C\x61pek;Karel;;;\r\nEND:VCARD\r\n");
        }
        FileChooserTest::QueueAnswer(vcf);
        act("actDBImportFromVCard")->trigger();
        QCOMPARE(FileChooserTest::Asked().front().objectName, QStringLiteral("dlgOpen"));
        QCOMPARE(messages_->texts(), QStringList{"Contacts imported: 2."});
        QCOMPARE(main().Session().Quib1().RowsCount(), 4);
        QCOMPARE(main().frameMainGrid()->rowCount(), 4);
        picture(main(), "after-import");
        main().Session().FinishSaves();  // the save is written in the background
        TQuib check;
        check.SetDatabaseName(file);
        QVERIFY(check.Open());
        QCOMPARE(check.RowsCount(), 4);
        QCOMPARE(check.GetData(2, 0), QStringLiteral("Dvořák"));
        QCOMPARE(check.GetData(2, 8), QStringLiteral("+420 602 111 222"));
        QCOMPARE(check.GetData(3, 0), QStringLiteral("Čapek"));
    }

    void badFileChangesNothing() {
        const QString file = path(QStringLiteral("db.tbr"));
        apptest::MakeDatabase(file, 2);
        start({file});
        QFile original(file);
        QVERIFY(original.open(QIODevice::ReadOnly));
        const QByteArray before = original.readAll();
        original.close();
        const QString vcf = path(QStringLiteral("bad.vcf"));
        {
            QFile f(vcf);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("BEGIN:VCARD\r\nN:A;B\r\nBEGIN:VCARD\r\nthis is no property\r\n");
        }
        FileChooserTest::QueueAnswer(vcf);
        act("actDBImportFromVCard")->trigger();
        QCOMPARE(messages_->texts(),
                 QStringList{"Line 4 of the vCard file is not a vCard property."});
        QCOMPARE(messages_->messages().front().type, MsgType::Error);
        QCOMPARE(main().Session().Quib1().RowsCount(), 2);
        QVERIFY(original.open(QIODevice::ReadOnly));
        QCOMPARE(original.readAll(), before);
        // Cancelling the chooser does nothing.
        messages_->clear();
        FileChooserTest::QueueAnswer(QString());
        act("actDBImportFromVCard")->trigger();
        QVERIFY(messages_->texts().isEmpty());
    }
};

QTEST_MAIN(TestVCardCommands)
#include "test_VCardCommands.moc"
