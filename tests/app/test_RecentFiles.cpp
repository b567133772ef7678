#include "app/Pellum.h"
#include "app/u_frmCommon.h"
#include "app/u_frmMain.h"
#include "session/QUIBLib_TLB.h"
#include "support/u_FileChooser.h"
#include "support/u_RecentFiles.h"
#include "support/u_Settings.h"

#include "AppTestSupport.h"
#include "testsupport/TestSupport.h"

#include <QAction>
#include <QMenu>
#include <QTemporaryDir>
#include <QtTest>

class TestRecentFiles : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        apptest::ClearSettings();
        FileChooserTest::Reset();
    }

    void promote_data() {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("after");
        const QStringList abcd{"a", "b", "c", "d"};
        QTest::newRow("third to top keeps order") << abcd << "c" << QStringList{"c", "a", "b", "d"};
        QTest::newRow("fifth drops the oldest") << abcd << "e" << QStringList{"e", "a", "b", "c"};
        QTest::newRow("first stays") << abcd << "a" << abcd;
        QTest::newRow("last to top") << abcd << "d" << QStringList{"d", "a", "b", "c"};
        QTest::newRow("into empty list")
            << QStringList{"", "", "", ""} << "x" << QStringList{"x", "", "", ""};
        QTest::newRow("short list padded")
            << QStringList{"a"} << "b" << QStringList{"b", "a", "", ""};
        QTest::newRow("last match wins")
            << QStringList{"a", "b", "a", "d"} << "a" << QStringList{"a", "a", "b", "d"};
        QTest::newRow("case-sensitive") << abcd << "A" << QStringList{"A", "a", "b", "c"};
    }

    void promote() {
        QFETCH(QStringList, before);
        QFETCH(QString, name);
        QFETCH(QStringList, after);
        QCOMPARE(RecentFiles::Promote(before, name), after);
    }

    void captions_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("caption");
        QTest::newRow("unix path") << 0 << "/home/jan/Pellum.tbr"
                                   << "&1. Pellum.tbr";
        QTest::newRow("windows path") << 1 << "C:\\Data\\Work.tbr"
                                      << "&2. Work.tbr";
        QTest::newRow("no folder") << 3 << "Plain.tbr"
                                   << "&4. Plain.tbr";
    }

    void captions() {
        QFETCH(int, index);
        QFETCH(QString, path);
        QFETCH(QString, caption);
        QCOMPARE(RecentFiles::Caption(index, path), caption);
        QCOMPARE(RecentFiles::EmptyCaption(index), QStringLiteral("&%1. ---").arg(index + 1));
    }

    void storeRoundTrip() {
        RecentFiles::Write({"/a.tbr", "/b.tbr", "", "/d.tbr"});
        QCOMPARE(RecentFiles::Read(), (QStringList{"/a.tbr", "/b.tbr", "", "/d.tbr"}));
        QCOMPARE(ReadSettingString(QStringLiteral("RecentFile2"), QString()),
                 QStringLiteral("/b.tbr"));
    }

    void menuShowsDashesUntilFirstOpen() {
        MessageRecorder messages;
        QTemporaryDir dir;
        WriteSettingString(QStringLiteral("StartUpDatabase"),
                           dir.filePath(QStringLiteral("none.tbr")));
        auto program = StartProgram({}, false);
        TfrmMain& main = *program->frmMain;
        QCOMPARE(main.Session().Quib1().DatabaseName(), QString());
        for (int i = 0; i < RecentFiles::Count; ++i) {
            QCOMPARE(main.RecentFileEntry(i)->text(), QStringLiteral("&%1. ---").arg(i + 1));
        }
        QCOMPARE(main.RecentFilesMenu()->objectName(), QStringLiteral("mnuFileRecentFiles"));
        QCOMPARE(main.RecentFilesMenu()->title(), QStringLiteral("Recent &Files"));
    }

    void opensUpdateListAndMenu() {
        MessageRecorder messages;
        QTemporaryDir dir;
        QStringList paths;
        for (int i = 0; i < 5; ++i) {
            paths << dir.filePath(QStringLiteral("db%1.tbr").arg(i + 1));
            apptest::MakeDatabase(paths.last(), 2);
        }
        auto program = StartProgram({paths[0]}, false);
        TfrmMain& main = *program->frmMain;
        TfrmCommon& common = *program->frmCommon;
        // After the first open only entry 1 is visible.
        QCOMPARE(main.RecentFileEntry(0)->text(), QStringLiteral("&1. db1.tbr"));
        QCOMPARE(main.RecentFileEntry(0)->statusTip(), paths[0]);
        QVERIFY(!main.RecentFileEntry(1)->isVisible());

        for (int i = 1; i < 5; ++i) {
            FileChooserTest::QueueAnswer(paths[i]);
            common.action(QStringLiteral("actDBOpen"))->trigger();
        }
        // Five distinct files: the oldest dropped.
        QCOMPARE(RecentFiles::Read(), (QStringList{paths[4], paths[3], paths[2], paths[1]}));
        // With unsaved edits the entry asks first: Cancel keeps the open
        // database, No opens the chosen one.
        main.Session().SetRecordChanged(true);
        messages.queueAnswer(MsgResult::Cancel);
        main.RecentFileEntry(2)->trigger();
        QCOMPARE(main.Session().Quib1().DatabaseName(), paths[4]);
        QVERIFY(main.Session().RecordChanged());
        messages.queueAnswer(MsgResult::No);
        main.RecentFileEntry(2)->trigger();
        QCOMPARE(
            messages.texts(),
            QStringList(2, QStringLiteral("Current record was changed. Save it before continue?")));
        messages.clear();
        QCOMPARE(main.Session().Quib1().DatabaseName(), paths[2]);
        QCOMPARE(RecentFiles::Read(), (QStringList{paths[2], paths[4], paths[3], paths[1]}));
        const QStringList captions{"&1. db3.tbr", "&2. db5.tbr", "&3. db4.tbr", "&4. db2.tbr"};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(main.RecentFileEntry(i)->text(), captions[i]);
            QVERIFY(main.RecentFileEntry(i)->isVisible());
        }
        QVERIFY(messages.messages().empty());
    }

    // The list is the settings': an entry opens the path stored for it.
    void entryOpensTheStoredPath() {
        MessageRecorder messages;
        QTemporaryDir dir;
        const QString a = dir.filePath(QStringLiteral("a.tbr"));
        const QString b = dir.filePath(QStringLiteral("b.tbr"));
        apptest::MakeDatabase(a, 1);
        apptest::MakeDatabase(b, 2);
        auto program = StartProgram({a}, false);
        FileChooserTest::QueueAnswer(b);
        program->frmCommon->action(QStringLiteral("actDBOpen"))->trigger();
        QCOMPARE(RecentFiles::Read(), (QStringList{b, a, "", ""}));
        program->frmMain->RecentFileEntry(1)->setStatusTip(dir.filePath(QStringLiteral("x.tbr")));
        program->frmMain->RecentFileEntry(1)->trigger();
        QCOMPARE(program->frmMain->Session().DatabaseName(), a);
        QVERIFY(messages.messages().empty());
    }

    void failedOpenLeavesListAlone() {
        MessageRecorder messages;
        QTemporaryDir dir;
        const QString good = dir.filePath(QStringLiteral("good.tbr"));
        apptest::MakeDatabase(good, 1);
        auto program = StartProgram({good}, false);
        FileChooserTest::QueueAnswer(dir.filePath(QStringLiteral("missing.tbr")));
        program->frmCommon->action(QStringLiteral("actDBOpen"))->trigger();
        // The engine's error went to the error report.
        QCOMPARE(messages.messages().size(), std::size_t(1));
        QCOMPARE(messages.messages().front().type, MsgType::Error);
        QCOMPARE(program->frmMain->Session().Quib1().DatabaseName(), QString());
        QCOMPARE(RecentFiles::Read(), (QStringList{good, "", "", ""}));
    }

    void openButtonDropDownCopiesEntries() {
        MessageRecorder messages;
        QTemporaryDir dir;
        const QString a = dir.filePath(QStringLiteral("a.tbr"));
        const QString b = dir.filePath(QStringLiteral("b.tbr"));
        apptest::MakeDatabase(a, 1);
        apptest::MakeDatabase(b, 1);
        auto program = StartProgram({a}, false);
        TfrmMain& main = *program->frmMain;
        FileChooserTest::QueueAnswer(b);
        program->frmCommon->action(QStringLiteral("actDBOpen"))->trigger();
        auto* popup = main.findChild<QMenu*>(QStringLiteral("mnuRecentFilesPopup"));
        QVERIFY(popup != nullptr);
        QMetaObject::invokeMethod(popup, "aboutToShow");
        QCOMPARE(popup->actions().size(), 4);
        QCOMPARE(popup->actions()[1]->text(), QStringLiteral("&2. a.tbr"));
        QCOMPARE(popup->actions()[1]->statusTip(), a);
        QVERIFY(!popup->actions()[2]->isVisible());
        popup->actions()[1]->trigger();
        QCOMPARE(main.Session().Quib1().DatabaseName(), a);
    }
};

QTEST_MAIN(TestRecentFiles)
#include "test_RecentFiles.moc"
