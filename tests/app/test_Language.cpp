#include "app/Pellum.h"
#include "app/u_HelpRouter.h"
#include "app/u_Language.h"
#include "app/u_LanguageChoice.h"
#include "app/u_LanguageModule.h"
#include "app/u_LanguageSwitch.h"
#include "app/u_frmCommon.h"
#include "app/u_frmHelp.h"
#include "app/u_frmMain.h"
#include "support/u_ResourceStrings.h"
#include "views/u_frameMainIDE.h"

#include "AppTestSupport.h"
#include "testsupport/TestSupport.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The built modules, copied beside the test program under its own name.
const QString kBuiltModules = QStringLiteral(PELLUM_MODULE_DIR);

QString besideTest(const QString& suffix) {
    return QCoreApplication::applicationFilePath() + suffix;
}

void placeModule(const QString& built, const QString& suffix) {
    QFile::remove(besideTest(suffix));
    QVERIFY(QFile::copy(kBuiltModules + QStringLiteral("/pellum.") + built, besideTest(suffix)));
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

const QStringList kTestFiles{QStringLiteral(".CSY"),    QStringLiteral(".CS"),
                             QStringLiteral(".ENG"),    QStringLiteral(".EN"),
                             QStringLiteral(".CSY.qm"), QStringLiteral(".qm"),
                             QStringLiteral("_cs.qm"),  QStringLiteral(".CS.qm")};

}  // namespace

class TestLanguage : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<MessageRecorder> messages_;
    QTemporaryDir machine_;

    // A switch on a shown main window whose restart and beep are recorded.
    struct Recorded {
        QStringList started;
        int quits = 0;
        int beeps = 0;
        bool startSucceeds = true;
    };
    void recordSwitch(TLanguageSwitch& sw, Recorded& rec) {
        sw.StartProgram = [&rec](const QString& program) {
            rec.started << program;
            return rec.startSucceeds;
        };
        sw.Quit = [&rec] { ++rec.quits; };
        sw.Beep = [&rec] { ++rec.beeps; };
    }

    static QString exe() { return QCoreApplication::applicationFilePath(); }

  private slots:
    void initTestCase() {
        // The machine-wide choice lives in a folder of the test's own.
        QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, machine_.path());
    }

    void init() {
        apptest::ClearSettings();
        QDir(qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/Borland"))
            .removeRecursively();
        QFile::remove(qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/Borland"));
        QDir(machine_.path() + QStringLiteral("/Borland")).removeRecursively();
        for (const QString& suffix : kTestFiles) {
            QFile::remove(besideTest(suffix));
        }
        messages_ = std::make_unique<MessageRecorder>();
    }

    void cleanup() {
        UnloadLanguageModule();
        messages_.reset();
        for (const QString& suffix : kTestFiles) {
            QFile::remove(besideTest(suffix));
        }
    }

    void moduleFilesFollowTheExecutable_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QStringList>("files");
        QTest::newRow("three letters")
            << "/opt/o/bin/pellum"
            << "CSY"
            << QStringList{"/opt/o/bin/pellum.CSY", "/opt/o/bin/pellum.CS",
                           "/opt/o/share/pellum/pellum.CSY", "/opt/o/share/pellum/pellum.CS"};
        QTest::newRow("dotted folder, no extension")
            << "/home/a.b/pellum"
            << "ENG"
            << QStringList{"/home/a.b/pellum.ENG", "/home/a.b/pellum.EN",
                           "/home/share/pellum/pellum.ENG", "/home/share/pellum/pellum.EN"};
        QTest::newRow("at most four characters")
            << "/x/pellum"
            << "ABCDEF"
            << QStringList{"/x/pellum.ABCD", "/x/pellum.AB", "/share/pellum/pellum.ABCD",
                           "/share/pellum/pellum.AB"};
        QTest::newRow("two letters once")
            << "/x/pellum"
            << "CS" << QStringList{"/x/pellum.CS", "/share/pellum/pellum.CS"};
        QTest::newRow("no code") << "/x/pellum"
                                 << "" << QStringList{};
        QTest::newRow("no path") << ""
                                 << "CSY" << QStringList{};
    }
    void moduleFilesFollowTheExecutable() {
        QFETCH(QString, path);
        QFETCH(QString, code);
        QFETCH(QStringList, files);
        QCOMPARE(LanguageModuleFiles(path, code), files);
    }

    void languageCodes() {
        QCOMPARE(LanguageCodeOfLocaleId(LocaleId::Czech), QStringLiteral("CSY"));
        QCOMPARE(LanguageCodeOfLocaleId(LocaleId::English), QStringLiteral("ENG"));
        QCOMPARE(LanguageCodeOfLocaleId(1033), QStringLiteral("ENU"));
        QCOMPARE(LanguageCodeOfLocaleId(0), QString());
        QCOMPARE(LanguageCodeOfLocale(QLocale(QStringLiteral("cs_CZ"))), QStringLiteral("CSY"));
        QCOMPARE(LanguageCodeOfLocale(QLocale(QStringLiteral("en_GB"))), QStringLiteral("ENG"));
        QCOMPARE(LanguageCodeOfLocale(QLocale(QStringLiteral("en_US"))), QStringLiteral("ENU"));
        QCOMPARE(LanguageCodeOfLocale(QLocale(QStringLiteral("de_AT"))), QStringLiteral("DEU"));
        QCOMPARE(LanguageCodeOfLocale(QLocale(QStringLiteral("fr_FR"))), QStringLiteral("FR"));
        QCOMPARE(LanguageCodeOfLocale(QLocale::c()), QString());
        QCOMPARE(LocaleIdOfLocale(QLocale(QStringLiteral("cs_CZ"))), LocaleId::Czech);
        QCOMPARE(LocaleIdOfLocale(QLocale(QStringLiteral("en_GB"))), LocaleId::English);
        QCOMPARE(LocaleIdOfLocale(QLocale(QStringLiteral("en_US"))), 0);
    }

    void threeLettersThenTwo() {
        placeModule(QStringLiteral("CSY"), QStringLiteral(".CS"));
        QVERIFY(LoadLanguageModule(LocaleId::Czech));
        QVERIFY(CurrentLanguageModule()->Path().endsWith(QStringLiteral(".CS")));
        QCOMPARE(LoadResString(res::NoDatabase), QStringLiteral("Žádná databáze"));
        placeModule(QStringLiteral("CSY"), QStringLiteral(".CSY"));
        QVERIFY(LoadLanguageModule(LocaleId::Czech));
        QVERIFY(CurrentLanguageModule()->Path().endsWith(QStringLiteral(".CSY")));
        // Qt's own texts come in Czech with the module.
        QVERIFY(QCoreApplication::translate("QPlatformTheme", "Cancel") !=
                QStringLiteral("Cancel"));
        UnloadLanguageModule();
        QCOMPARE(LoadResString(res::NoDatabase), QStringLiteral("No database"));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
    }

    void helpPagesFollowTheLanguage() {
        InitProgramResources();
        THelpRouter router;
        router.ShowContext(41);
        QCOMPARE(router.window()->CurrentPage(), QUrl(QStringLiteral("qrc:/help/options.html")));
        placeModule(QStringLiteral("CSY"), QStringLiteral(".CSY"));
        QVERIFY(LoadLanguageModule(LocaleId::Czech));
        router.ShowContext(41);
        QCOMPARE(router.window()->CurrentPage(), QUrl(QStringLiteral("qrc:/help/cs/options.html")));
        QCOMPARE(THelpRouter::LocalPage(QStringLiteral("no_such_page.html")),
                 QStringLiteral("no_such_page.html"));
        router.window()->close();
    }

    void decoysAreNotLoaded() {
        for (const QString& decoy : {QStringLiteral(".CSY.qm"), QStringLiteral(".qm"),
                                     QStringLiteral("_cs.qm"), QStringLiteral(".CS.qm")}) {
            placeModule(QStringLiteral("CSY"), decoy);
        }
        QVERIFY(!LoadLanguageModule(LocaleId::Czech));
        QVERIFY(CurrentLanguageModule() == nullptr);
        QCOMPARE(LoadResString(res::NoDatabase), QStringLiteral("No database"));
    }

    void damagedModulesAreRefused() {
        placeModule(QStringLiteral("ENG"), QStringLiteral(".ENG"));
        QVERIFY(LoadLanguageModule(LocaleId::English));
        // Garbage, and a translation file's signature followed by garbage.
        writeFile(besideTest(QStringLiteral(".CSY")), QByteArray(5000, 'x'));
        QByteArray qm;
        {
            QFile built(kBuiltModules + QStringLiteral("/pellum.CSY"));
            QVERIFY(built.open(QIODevice::ReadOnly));
            qm = built.readAll();
        }
        QByteArray damaged = qm.left(16);
        for (int i = 0; i < 4000; ++i) {
            damaged.append(char((i * 7919) % 251));
        }
        writeFile(besideTest(QStringLiteral(".CS")), damaged);
        QVERIFY(!LoadLanguageModule(LocaleId::Czech));
        // The module in use stays.
        QVERIFY(CurrentLanguageModule()->Path().endsWith(QStringLiteral(".ENG")));
        // A truncated module is refused as well, and a huge file is not read.
        writeFile(besideTest(QStringLiteral(".CS")), qm.left(qm.size() / 2));
        QVERIFY(!LoadLanguageModule(LocaleId::Czech));
        {
            QFile huge(besideTest(QStringLiteral(".CSY")));
            QVERIFY(huge.open(QIODevice::WriteOnly | QIODevice::Truncate));
            QVERIFY(huge.resize(TLanguageModule::MaxFileSize + 1));
        }
        QVERIFY(TLanguageModule::Open(besideTest(QStringLiteral(".CSY"))) == nullptr);
    }

    void choiceRoundTrips() {
        QVERIFY(!LanguageChoiceValueName(exe()).contains(u'/'));
        QCOMPARE(ReadLanguageChoice(exe()), QString());
        QVERIFY(SaveLanguageChoice(exe(), QStringLiteral("CSY")));
        QCOMPARE(ReadLanguageChoice(exe()), QStringLiteral("CSY"));
        QCOMPARE(ReadLanguageChoice(QStringLiteral("/other/program")), QString());
        QVERIFY(SaveLanguageChoice(exe(), QStringLiteral("LONGER")));
        QCOMPARE(ReadLanguageChoice(exe()), QStringLiteral("LONG"));
    }

    void choiceFallsBackToDefaultAndMachine() {
        // The machine's file is read only while the user has none.
        {
            QSettings machine(QSettings::NativeFormat, QSettings::SystemScope,
                              QStringLiteral("Borland"), QStringLiteral("Locales"));
            machine.setValue(QStringLiteral("Default"), QStringLiteral("ENG"));
        }
        QCOMPARE(ReadLanguageChoice(exe()), QStringLiteral("ENG"));
        {
            QSettings user(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Borland"),
                           QStringLiteral("Locales"));
            user.setValue(LanguageChoiceValueName(QStringLiteral("/other/program")),
                          QStringLiteral("DEU"));
        }
        QCOMPARE(ReadLanguageChoice(exe()), QString());
        QVERIFY(SaveLanguageChoice(exe(), QStringLiteral("CSY")));
        QCOMPARE(ReadLanguageChoice(exe()), QStringLiteral("CSY"));
    }

    void olderUserKeyIsRead() {
        {
            QSettings older(QSettings::NativeFormat, QSettings::UserScope,
                            QStringLiteral("Borland"), QStringLiteral("Delphi"));
            older.setValue(QStringLiteral("Locales/") + LanguageChoiceValueName(exe()),
                           QStringLiteral("CSY"));
        }
        QCOMPARE(ReadLanguageChoice(exe()), QStringLiteral("CSY"));
    }

    void recordedChoiceWinsOverLocale() {
        placeModule(QStringLiteral("CSY"), QStringLiteral(".CSY"));
        placeModule(QStringLiteral("ENG"), QStringLiteral(".ENG"));
        // No choice: the locale's language.
        QVERIFY(!LoadStartUpLanguage(exe(), QLocale(QStringLiteral("cs_CZ"))));
        QVERIFY(CurrentLanguageModule()->Path().endsWith(QStringLiteral(".CSY")));
        UnloadLanguageModule();
        // English chosen on a Czech desktop starts in English and stays there.
        QVERIFY(SaveLanguageChoice(exe(), QStringLiteral("ENG")));
        QVERIFY(LoadStartUpLanguage(exe(), QLocale(QStringLiteral("cs_CZ"))));
        QVERIFY(CurrentLanguageModule()->Path().endsWith(QStringLiteral(".ENG")));
        auto program = StartProgram({}, false);
        program->language->ApplyStartUpLocale(LocaleId::Czech);
        QVERIFY(CurrentLanguageModule()->Path().endsWith(QStringLiteral(".ENG")));
        QCOMPARE(program->frmMain->menuBar()->actions().first()->text(), QStringLiteral("&File"));
        QVERIFY(program->frmMain->findChild<QAction*>("mnuToolsLanguageEnglish")->isChecked());
    }

    void startUpLocaleSwitchesWithoutQuestions() {
        placeModule(QStringLiteral("CSY"), QStringLiteral(".CSY"));
        auto program = StartProgram({}, false);
        messages_->clear();
        TfrmMain& main = *program->frmMain;
        auto* czech = main.findChild<QAction*>("mnuToolsLanguageCzech");
        auto* english = main.findChild<QAction*>("mnuToolsLanguageEnglish");
        QVERIFY(czech->isCheckable() && english->isChecked());
        program->language->ApplyStartUpLocale(LocaleId::Czech);
        QVERIFY(messages_->messages().empty());
        QCOMPARE(main.menuBar()->actions().first()->text(), QStringLiteral("&Soubor"));
        QVERIFY(czech->isChecked() && !english->isChecked());
        QCOMPARE(ReadLanguageChoice(exe()), QString());
        // Another locale leaves the language alone.
        program->language->ApplyStartUpLocale(1033);
        QVERIFY(czech->isChecked());
    }

    void missingModuleAsksOnceAndDoesNothing() {
        auto program = StartProgram({}, false);
        program->frmMain->show();
        messages_->clear();
        Recorded rec;
        recordSwitch(*program->language, rec);
        program->frmMain->findChild<QAction*>("mnuToolsLanguageEnglish")->trigger();
        QCOMPARE(messages_->texts(), QStringList{LoadResString(res::ConfirmSwitchLanguage)});
        QCOMPARE(messages_->messages().front().buttons, MsgButtons::YesNo);
        QCOMPARE(rec.beeps, 1);
        QVERIFY(rec.started.isEmpty());
        QCOMPARE(ReadLanguageChoice(exe()), QString());
        QVERIFY(CurrentLanguageModule() == nullptr);
    }

    void answeringNoToTheFirstQuestionChangesNothing() {
        placeModule(QStringLiteral("CSY"), QStringLiteral(".CSY"));
        auto program = StartProgram({}, false);
        program->frmMain->show();
        messages_->clear();
        Recorded rec;
        recordSwitch(*program->language, rec);
        messages_->queueAnswer(MsgResult::No);
        auto* czech = program->frmMain->findChild<QAction*>("mnuToolsLanguageCzech");
        czech->trigger();
        QCOMPARE(messages_->messages().size(), size_t(1));
        QVERIFY(CurrentLanguageModule() == nullptr);
        QVERIFY(!czech->isChecked());
    }

    void switchRecordsAndRestarts() {
        placeModule(QStringLiteral("CSY"), QStringLiteral(".CSY"));
        auto program = StartProgram({}, false);
        program->frmMain->show();
        messages_->clear();
        Recorded rec;
        recordSwitch(*program->language, rec);
        program->frmMain->findChild<QAction*>("mnuToolsLanguageCzech")->trigger();
        QCOMPARE(messages_->messages().size(), size_t(2));
        // The second question comes from the new module.
        QCOMPARE(messages_->messages().back().text, LoadResString(res::LanguageChangedRestart));
        QVERIFY(messages_->messages().back().text.startsWith(QStringLiteral("Jazyk")));
        QCOMPARE(rec.beeps, 2);
        QCOMPARE(ReadLanguageChoice(exe()), QStringLiteral("CSY"));
        QCOMPARE(rec.started, QStringList{exe()});
        QCOMPARE(rec.quits, 1);
    }

    void restartDeclinedKeepsRunning() {
        placeModule(QStringLiteral("CSY"), QStringLiteral(".CSY"));
        auto program = StartProgram({}, false);
        program->frmMain->show();
        messages_->clear();
        Recorded rec;
        recordSwitch(*program->language, rec);
        messages_->queueAnswer(MsgResult::Yes);
        messages_->queueAnswer(MsgResult::No);
        program->frmMain->findChild<QAction*>("mnuToolsLanguageCzech")->trigger();
        QVERIFY(rec.started.isEmpty());
        QCOMPARE(rec.quits, 0);
        QCOMPARE(ReadLanguageChoice(exe()), QStringLiteral("CSY"));
        QVERIFY(program->frmMain->findChild<QAction*>("mnuToolsLanguageCzech")->isChecked());
    }

    void failedRestartIsReportedAndKeepsRunning() {
        placeModule(QStringLiteral("CSY"), QStringLiteral(".CSY"));
        auto program = StartProgram({}, false);
        program->frmMain->show();
        messages_->clear();
        Recorded rec;
        rec.startSucceeds = false;
        recordSwitch(*program->language, rec);
        program->frmMain->findChild<QAction*>("mnuToolsLanguageCzech")->trigger();
        QCOMPARE(rec.started.size(), 1);
        QCOMPARE(rec.quits, 0);
        QCOMPARE(messages_->messages().size(), size_t(3));
        QCOMPARE(messages_->messages().back().type, MsgType::Error);
    }

    void restartAsksAboutUnsavedEdits() {
        placeModule(QStringLiteral("CSY"), QStringLiteral(".CSY"));
        MakeSampleDatabase(QDir::current().filePath(QStringLiteral("Pellum.tbr")));
        auto program = StartProgram({}, false);
        program->frmMain->show();
        messages_->clear();
        Recorded rec;
        recordSwitch(*program->language, rec);
        program->frmMain->frameMainIDE()->setFieldText(0, QStringLiteral("Changed"));
        QVERIFY(program->session->RecordChanged());
        messages_->queueAnswer(MsgResult::Yes);
        messages_->queueAnswer(MsgResult::Yes);
        messages_->queueAnswer(MsgResult::Cancel);
        program->frmMain->findChild<QAction*>("mnuToolsLanguageCzech")->trigger();
        QCOMPARE(messages_->messages().size(), size_t(3));
        QCOMPARE(messages_->messages().back().text, LoadResString(res::RecordChangedSave));
        QVERIFY(rec.started.isEmpty());
        QCOMPARE(rec.quits, 0);
        QCOMPARE(program->frmMain->frameMainIDE()->fieldText(0), QStringLiteral("Changed"));
    }

    void unrecordedChoiceIsReported() {
        placeModule(QStringLiteral("CSY"), QStringLiteral(".CSY"));
        // A plain file where the settings folder belongs makes the write fail.
        const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
        QDir().mkpath(config);
        writeFile(config + QStringLiteral("/Borland"), "blocked");
        auto program = StartProgram({}, false);
        program->frmMain->show();
        messages_->clear();
        Recorded rec;
        recordSwitch(*program->language, rec);
        program->frmMain->findChild<QAction*>("mnuToolsLanguageCzech")->trigger();
        QCOMPARE(messages_->messages().size(), size_t(2));
        QCOMPARE(messages_->messages().back().type, MsgType::Error);
        QCOMPARE(messages_->messages().back().text, LoadResString(res::RegistryWriteFailed));
        QVERIFY(rec.started.isEmpty());
        QFile::remove(config + QStringLiteral("/Borland"));
    }

    void switchKeepsCardContentsAndControls() {
        placeModule(QStringLiteral("CSY"), QStringLiteral(".CSY"));
        placeModule(QStringLiteral("ENG"), QStringLiteral(".ENG"));
        MakeSampleDatabase(QDir::current().filePath(QStringLiteral("Pellum.tbr")));
        auto program = StartProgram({}, false);
        TfrmMain& main = *program->frmMain;
        main.show();
        messages_->clear();
        Recorded rec;
        recordSwitch(*program->language, rec);
        const QString surname = main.frameMainIDE()->fieldText(0);
        QVERIFY(!surname.isEmpty());
        const auto before = main.findChildren<QObject*>().size();
        const auto commonBefore = program->frmCommon->findChildren<QObject*>().size();
        messages_->queueAnswer(MsgResult::Yes);
        messages_->queueAnswer(MsgResult::No);
        main.findChild<QAction*>("mnuToolsLanguageCzech")->trigger();
        ReloadFormTexts();
        QCOMPARE(main.frameMainIDE()->fieldText(0), surname);
        QVERIFY(!program->session->RecordChanged());
        QCOMPARE(main.findChildren<QObject*>().size(), before);
        QCOMPARE(program->frmCommon->findChildren<QObject*>().size(), commonBefore);
        QCOMPARE(main.menuBar()->actions().first()->text(), QStringLiteral("&Soubor"));
        QCOMPARE(main.frameMainIDE()->findChild<QTabWidget*>()->tabText(0),
                 QStringLiteral("&Domácí"));
        QCOMPARE(main.frameMainIDE()->fieldLabel(0)->text(), QStringLiteral("Příjmení:"));
        QCOMPARE(program->frmCommon->action(QStringLiteral("actDBOpen"))->text(),
                 QStringLiteral("&Otevřít…"));
        // And back to English.
        messages_->queueAnswer(MsgResult::Yes);
        messages_->queueAnswer(MsgResult::No);
        main.findChild<QAction*>("mnuToolsLanguageEnglish")->trigger();
        ReloadFormTexts();
        QCOMPARE(main.menuBar()->actions().first()->text(), QStringLiteral("&File"));
        QCOMPARE(main.frameMainIDE()->fieldLabel(0)->text(), QStringLiteral("Surname:"));
        QCOMPARE(main.frameMainIDE()->fieldText(0), surname);
        QCOMPARE(ReadLanguageChoice(exe()), QStringLiteral("ENG"));
        QVERIFY(main.findChild<QAction*>("mnuToolsLanguageEnglish")->isChecked());
    }
};

QTEST_MAIN(TestLanguage)
#include "test_Language.moc"
