#include "app/Pellum.h"
#include "app/u_DatabaseCommands.h"
#include "app/u_Options.h"
#include "app/u_frmCommon.h"
#include "app/u_frmMain.h"
#include "app/u_frmOptions.h"
#include "support/u_FileChooser.h"
#include "support/u_ResourceStrings.h"
#include "support/u_Settings.h"

#include "AppTestSupport.h"
#include "testsupport/TestSupport.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The settings as stored, read without the program's store.
QString stored(const QString& name) {
    QSettings raw(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Orvane"),
                  QStringLiteral("Orvane Contacts"));
    return raw.value(QStringLiteral("2.5/") + name).toString();
}

bool storedHas(const QString& name) {
    QSettings raw(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Orvane"),
                  QStringLiteral("Orvane Contacts"));
    return raw.contains(QStringLiteral("2.5/") + name);
}

// A plain file where the settings folder belongs makes every write fail.
QString blockSettings() {
    const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    const QString folder = config + QStringLiteral("/Orvane");
    QDir(folder).removeRecursively();
    QDir().mkpath(config);
    QFile blocker(folder);
    if (blocker.open(QIODevice::WriteOnly)) {
        blocker.write("blocked");
    }
    return folder;
}

// The dialog's controls by their names.
struct Controls {
    explicit Controls(QDialog& d)
        : tabOptions(d.findChild<QTabWidget*>("tabOptions")),
          tsGeneral(d.findChild<QWidget*>("tsGeneral")),
          tsPrint(d.findChild<QWidget*>("tsPrint")),
          txtGeneralStartupDatabase(d.findChild<QLineEdit*>("txtGeneralStartupDatabase")),
          cmdGeneralStartupDatabaseBrowse(
              d.findChild<QPushButton*>("cmdGeneralStartupDatabaseBrowse")),
          rbGeneralActiveTabHome(d.findChild<QRadioButton*>("rbGeneralActiveTabHome")),
          rbGeneralActiveTabWork(d.findChild<QRadioButton*>("rbGeneralActiveTabWork")),
          rbGeneralMenuStyleNew(d.findChild<QRadioButton*>("rbGeneralMenuStyleNew")),
          rbGeneralMenuStyleClassic(d.findChild<QRadioButton*>("rbGeneralMenuStyleClassic")),
          txtPrintDefaultUserTemplate(d.findChild<QLineEdit*>("txtPrintDefaultUserTemplate")),
          cmdPrintDefaultUserTemplateBrowse(
              d.findChild<QPushButton*>("cmdPrintDefaultUserTemplateBrowse")),
          rbPrintDefaultPrintStyleBasic(
              d.findChild<QRadioButton*>("rbPrintDefaultPrintStyleBasic")),
          rbPrintDefaultPrintStyleUser(d.findChild<QRadioButton*>("rbPrintDefaultPrintStyleUser")),
          cmdOK(d.findChild<QPushButton*>("cmdOK")),
          cmdCancel(d.findChild<QPushButton*>("cmdCancel")),
          cmdApply(d.findChild<QPushButton*>("cmdApply")) {}
    QTabWidget* tabOptions;
    QWidget* tsGeneral;
    QWidget* tsPrint;
    QLineEdit* txtGeneralStartupDatabase;
    QPushButton* cmdGeneralStartupDatabaseBrowse;
    QRadioButton* rbGeneralActiveTabHome;
    QRadioButton* rbGeneralActiveTabWork;
    QRadioButton* rbGeneralMenuStyleNew;
    QRadioButton* rbGeneralMenuStyleClassic;
    QLineEdit* txtPrintDefaultUserTemplate;
    QPushButton* cmdPrintDefaultUserTemplateBrowse;
    QRadioButton* rbPrintDefaultPrintStyleBasic;
    QRadioButton* rbPrintDefaultPrintStyleUser;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
    QPushButton* cmdApply;
};

}  // namespace

class TestOptions : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<MessageRecorder> messages_;

  private slots:
    void init() {
        apptest::ClearSettings();
        messages_ = std::make_unique<MessageRecorder>();
    }
    void cleanup() { messages_.reset(); }

    void defaultsWithoutSettings() {
        TfrmOptions dialog({});
        Controls ui(dialog);
        ui.tabOptions->setCurrentIndex(1);
        dialog.show();
        QCOMPARE(ui.txtGeneralStartupDatabase->text(), QStringLiteral("Pellum.tbr"));
        QVERIFY(ui.rbGeneralActiveTabHome->isChecked());
        QVERIFY(!ui.rbGeneralActiveTabWork->isChecked());
        QVERIFY(ui.rbGeneralMenuStyleClassic->isChecked());
        QVERIFY(!ui.rbGeneralMenuStyleNew->isChecked());
        QCOMPARE(ui.txtPrintDefaultUserTemplate->text(),
                 QStringLiteral("Pellum_DefaultTemplate.txt"));
        QVERIFY(ui.rbPrintDefaultPrintStyleBasic->isChecked());
        QVERIFY(!ui.rbPrintDefaultPrintStyleUser->isChecked());
        QCOMPARE(ui.tabOptions->currentWidget(), ui.tsGeneral);
        // Captions and help contexts of the dialog and its pages.
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Options"));
        QCOMPARE(dialog.property("helpContext").toInt(), 41);
        QCOMPARE(ui.tsGeneral->property("helpContext").toInt(), 42);
        QCOMPARE(ui.tsPrint->property("helpContext").toInt(), 43);
        QCOMPARE(ui.tabOptions->tabText(0), QStringLiteral("&General"));
        QCOMPARE(ui.tabOptions->tabText(1), QStringLiteral("&Print"));
        QVERIFY(ui.cmdOK->isDefault());
        QCOMPARE(ui.cmdApply->text(), QStringLiteral("&Apply"));
    }

    void radioGroupsHoldTheStoredValues() {
        TfrmOptions dialog({});
        dialog.show();
        Controls ui(dialog);
        ui.rbGeneralActiveTabWork->click();
        ui.rbGeneralMenuStyleNew->click();
        ui.rbPrintDefaultPrintStyleUser->click();
        QVERIFY(!ui.rbGeneralActiveTabHome->isChecked());
        const TOptionsValues values = dialog.Values();
        QCOMPARE(values.ActiveTab, 1);
        QCOMPARE(values.MenuStyle, 0);
        QCOMPARE(values.DefaultPrintStyle, 1);
        // Clicking the checked button again keeps one button checked.
        ui.rbGeneralMenuStyleNew->click();
        QVERIFY(ui.rbGeneralMenuStyleNew->isChecked());
    }

    void applyWritesTheFiveValuesInOrder() {
        int applied = 0;
        TfrmOptions dialog([&applied] { ++applied; });
        dialog.show();
        Controls ui(dialog);
        ui.txtGeneralStartupDatabase->setText(QStringLiteral("/data/Friends.tbr"));
        ui.rbGeneralActiveTabWork->click();
        ui.rbGeneralMenuStyleNew->click();
        ui.txtPrintDefaultUserTemplate->setText(QStringLiteral("/data/Letter.txt"));
        ui.rbPrintDefaultPrintStyleUser->click();
        ui.cmdApply->click();
        QCOMPARE(applied, 1);
        QCOMPARE(stored(QStringLiteral("StartUpDatabase")), QStringLiteral("/data/Friends.tbr"));
        QCOMPARE(stored(QStringLiteral("ActiveTab")), QStringLiteral("1"));
        QCOMPARE(stored(QStringLiteral("MenuStyle")), QStringLiteral("0"));
        QCOMPARE(stored(QStringLiteral("DefaultUserTemplate")), QStringLiteral("/data/Letter.txt"));
        QCOMPARE(stored(QStringLiteral("DefaultPrintStyle")), QStringLiteral("1"));
        QVERIFY(dialog.isVisible());
        QVERIFY(messages_->messages().empty());
        // OK applies as well and closes.
        ui.rbGeneralActiveTabHome->click();
        ui.cmdOK->click();
        QCOMPARE(applied, 2);
        QCOMPARE(stored(QStringLiteral("ActiveTab")), QStringLiteral("0"));
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.isVisible());
    }

    void cancelStoresNothing() {
        int applied = 0;
        TfrmOptions dialog([&applied] { ++applied; });
        dialog.show();
        Controls(dialog).rbGeneralMenuStyleNew->click();
        Controls(dialog).cmdCancel->click();
        QCOMPARE(applied, 0);
        QVERIFY(!storedHas(QStringLiteral("MenuStyle")));
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }

    void emptyStartUpDatabaseReadsBackAsDefault() {
        WriteSettingString(QStringLiteral("StartUpDatabase"), QStringLiteral("/data/Old.tbr"));
        TfrmOptions dialog({});
        dialog.show();
        QCOMPARE(Controls(dialog).txtGeneralStartupDatabase->text(),
                 QStringLiteral("/data/Old.tbr"));
        Controls(dialog).txtGeneralStartupDatabase->clear();
        QVERIFY(dialog.cmdApplyClick());
        QCOMPARE(stored(QStringLiteral("StartUpDatabase")), QString());
        QVERIFY(storedHas(QStringLiteral("StartUpDatabase")));
        TfrmOptions again({});
        again.show();
        QCOMPARE(Controls(again).txtGeneralStartupDatabase->text(), QStringLiteral("Pellum.tbr"));
    }

    void damagedNumbersShowTheDefaults() {
        WriteSettingString(QStringLiteral("ActiveTab"), QStringLiteral("work"));
        WriteSettingString(QStringLiteral("MenuStyle"), QStringLiteral("x1"));
        WriteSettingString(QStringLiteral("DefaultPrintStyle"), QStringLiteral("7"));
        TfrmOptions dialog({});
        dialog.show();
        QVERIFY(Controls(dialog).rbGeneralActiveTabHome->isChecked());
        QVERIFY(Controls(dialog).rbGeneralMenuStyleClassic->isChecked());
        QVERIFY(Controls(dialog).rbPrintDefaultPrintStyleBasic->isChecked());
        QVERIFY(messages_->messages().empty());
        // Applying repairs them.
        QVERIFY(dialog.cmdApplyClick());
        QCOMPARE(stored(QStringLiteral("ActiveTab")), QStringLiteral("0"));
        QCOMPARE(ReadSettingInteger(QStringLiteral("MenuStyle"), 1), 1);
    }

    void failedWriteIsShownAndKeepsTheDialogOpen() {
        int applied = 0;
        TfrmOptions dialog([&applied] { ++applied; });
        dialog.show();
        const QString blocker = blockSettings();
        Controls(dialog).cmdOK->click();
        QFile::remove(blocker);
        QCOMPARE(messages_->messages().size(), size_t(1));
        QCOMPARE(messages_->messages().front().type, MsgType::Error);
        QCOMPARE(messages_->messages().front().text, LoadResString(res::RegistryWriteFailed));
        QCOMPARE(applied, 0);
        QVERIFY(dialog.isVisible());
        QVERIFY(dialog.result() != int(QDialog::Accepted));
    }

    void browseButtonsFillTheTextBoxes() {
        TfrmOptions dialog({});
        dialog.show();
        QStringList asked;
        dialog.ChooseStartUpDatabase = [&asked](const QString& title, const QString& current) {
            asked << title << current;
            return QStringLiteral("/data/Chosen.tbr");
        };
        dialog.ChooseTemplate = [&asked](const QString& title, const QString& current) {
            asked << title << current;
            return QString();  // cancelled
        };
        Controls(dialog).cmdGeneralStartupDatabaseBrowse->click();
        Controls(dialog).cmdPrintDefaultUserTemplateBrowse->click();
        QCOMPARE(asked,
                 (QStringList{"Select StartUp Database", "Pellum.tbr",
                              "Select Default User Template", "Pellum_DefaultTemplate.txt"}));
        QCOMPARE(Controls(dialog).txtGeneralStartupDatabase->text(),
                 QStringLiteral("/data/Chosen.tbr"));
        QCOMPARE(Controls(dialog).txtPrintDefaultUserTemplate->text(),
                 QStringLiteral("Pellum_DefaultTemplate.txt"));
    }

    void templateBrowseOffersTemplates() {
        TfrmOptions dialog({});
        dialog.show();
        FileChooserTest::Reset();
        FileChooserTest::QueueAnswer(QStringLiteral("/data/Letter.txt"));
        Controls(dialog).cmdPrintDefaultUserTemplateBrowse->click();
        QCOMPARE(Controls(dialog).txtPrintDefaultUserTemplate->text(),
                 QStringLiteral("/data/Letter.txt"));
        QCOMPARE(FileChooserTest::Asked().size(), size_t(1));
        const TFileChoice& asked = FileChooserTest::Asked().front();
        QCOMPARE(asked.title, QStringLiteral("Select Default User Template"));
        QCOMPARE(asked.nameFilters, QStringList{QStringLiteral("Template (*.txt)")});
        QCOMPARE(asked.preset, QStringLiteral("Pellum_DefaultTemplate.txt"));
        QVERIFY(asked.mode == TFileChoice::Mode::Open);
        FileChooserTest::Reset();
    }

    void newStyleChangesTheMenuAtOnceAndCancelKeepsIt() {
        auto program = StartProgram({}, false);
        messages_->clear();
        TfrmMain& main = *program->frmMain;
        TfrmCommon& common = *program->frmCommon;
        QVERIFY(!main.MenuOwnerDraw());
        bool ran = false;
        common.DialogRunner = [&](QDialog& shown) {
            auto& dialog = dynamic_cast<TfrmOptions&>(shown);
            ran = true;
            QCOMPARE(dialog.parentWidget(), &main);
            dialog.show();
            Controls(dialog).rbGeneralMenuStyleNew->click();
            Controls(dialog).cmdApply->click();
            QVERIFY(main.MenuOwnerDraw());
            Controls(dialog).cmdCancel->click();
        };
        common.action(QStringLiteral("actOptions"))->trigger();
        QVERIFY(ran);
        QVERIFY(main.MenuOwnerDraw());
        QCOMPARE(stored(QStringLiteral("MenuStyle")), QStringLiteral("0"));
    }

    void startUpDatabaseBrowseUsesTheOpenDialog() {
        auto program = StartProgram({}, false);
        messages_->clear();
        TfrmCommon& common = *program->frmCommon;
        QTemporaryDir dir;
        const QString chosen = dir.filePath(QStringLiteral("Chosen.tbr"));
        apptest::MakeDatabase(chosen, 1);
        FileChooserTest::Reset();
        FileChooserTest::QueueAnswer(chosen);
        QString shownText;
        common.DialogRunner = [&](QDialog& shown) {
            auto& dialog = dynamic_cast<TfrmOptions&>(shown);
            dialog.show();
            Controls(dialog).cmdGeneralStartupDatabaseBrowse->click();
            shownText = Controls(dialog).txtGeneralStartupDatabase->text();
            Controls(dialog).cmdCancel->click();
        };
        common.action(QStringLiteral("actOptions"))->trigger();
        QCOMPARE(FileChooserTest::Asked().size(), size_t(1));
        QCOMPARE(FileChooserTest::Asked().front().objectName, QStringLiteral("dlgOpen"));
        QCOMPARE(FileChooserTest::Asked().front().title, QStringLiteral("Select StartUp Database"));
        QCOMPARE(shownText, chosen);
        QCOMPARE(common.DatabaseCommands().dlgOpenFileName, chosen);
        FileChooserTest::Reset();
    }
};

QTEST_MAIN(TestOptions)
#include "test_Options.moc"
