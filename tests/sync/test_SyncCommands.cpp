// The sync commands of the main window against a real Radicale on
// 127.0.0.1: the settings dialog (stored as the command line stores them,
// the address books found on the server), Sync Now on the open database
// through the session with its summary, errors and Cancel, the status bar,
// and the syncs at open, at close and on the timer.
#include "ExchangeFixtures.h"
#include "SyncFixtures.h"

#include "app/Pellum.h"
#include "app/u_DatabaseCommands.h"
#include "app/u_frmCommon.h"
#include "app/u_frmMain.h"
#include "session/u_ContactSchema.h"
#include "session/u_ContactsSession.h"
#include "sync/u_SyncAccounts.h"
#include "sync/u_SyncCommandLine.h"
#include "sync/u_SyncCommands.h"
#include "sync/u_SyncState.h"
#include "sync/u_SyncStatusLabel.h"
#include "views/u_frameMainIDE.h"

#include "../app/AppTestSupport.h"
#include "testsupport/TestSupport.h"

#include <QAction>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTest>
#include <QTextStream>
#include <QTimer>
#include <QToolButton>

using namespace syncfixtures;
using namespace ContactSchema;

namespace {

void pointAt(const QString& db, const QUrl& book, TSyncAccount account = {}) {
    account.url = book.toString();
    account.user = kUser;
    SyncAccounts::Store(db, account);
}

QPushButton* okButton(QDialog& dialog) {
    return apptest::DialogControl<QDialogButtonBox>(dialog, "btnSyncButtons")
        ->button(QDialogButtonBox::Ok);
}

}  // namespace

class TestSyncCommands : public QObject {
    Q_OBJECT

    TRadicale radicale_;
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<MessageRecorder> messages_;
    std::unique_ptr<TProgram> program_;
    QStringList dialogsRun_;
    int books_ = 0;

    TfrmMain& main() { return *program_->frmMain; }
    TfrmCommon& common() { return *program_->frmCommon; }
    TContactsSession& session() { return *program_->session; }
    TSyncCommands& sync() { return common().SyncCommands(); }
    QAction* act(const char* name) { return common().action(QLatin1String(name)); }
    QString path(const QString& name) const { return dir_->filePath(name); }

    QUrl newBook(QString* name = nullptr) {
        const QString book = QStringLiteral("ui%1").arg(++books_);
        QString why;
        if (!radicale_.MakeBook(book, why)) {
            qWarning("%s", qPrintable(why));
        }
        if (name != nullptr) {
            *name = book;
        }
        return radicale_.BookUrl(book);
    }

    void start(const QStringList& databases) {
        program_ = StartProgram(databases, false);
        main().show();
        messages_->clear();
    }
    void driveDialogs(std::function<void(QDialog&)> drive) {
        common().DialogRunner = apptest::DialogDriver(dialogsRun_, std::move(drive));
    }
    QString makeDatabase(const QString& name, int contacts) {
        const QString db = path(name);
        fixtures::WriteDatabase(db, DBLayouts().back(), fixtures::GeneratedContacts(contacts));
        return db;
    }
    QString cell(int record, int field) { return session().FieldText(record, field); }
    TSyncStatusLabel* statusLabel() { return main().findChild<TSyncStatusLabel*>(); }

  private slots:
    void initTestCase() {
        if (TRadicale::Program().isEmpty() || TSecondClient::Program().isEmpty()) {
            QSKIP("radicale or vdirsyncer is not installed: scripts/install-deps installs them");
        }
        QString why;
        QVERIFY2(radicale_.Start(why), qPrintable(why));
    }
    void init() {
        apptest::ClearSettings();
        dir_ = std::make_unique<QTemporaryDir>();
        messages_ = std::make_unique<MessageRecorder>();
        dialogsRun_.clear();
        qputenv("PELLUM_SYNC_PASSWORD", kPassword.toUtf8());
    }
    void cleanup() {
        program_.reset();
        messages_.reset();
        dir_.reset();
        qunsetenv("PELLUM_SYNC_PASSWORD");
    }
    void cleanupTestCase() { radicale_.Stop(); }

    void theFileMenuHoldsTheCommands() {
        start({makeDatabase(QStringLiteral("menu.tbr"), 2)});
        QMenu* file = main().findChild<QMenu*>(QStringLiteral("mnuFile"));
        QVERIFY(file);
        const QList<QAction*> actions = file->actions();
        const qsizetype now = actions.indexOf(act("actDBSyncNow"));
        QVERIFY(now >
                actions.indexOf(
                    file->findChild<QMenu*>(QStringLiteral("mnuFileImportExport"))->menuAction()));
        QCOMPARE(actions.indexOf(act("actDBSyncSettings")), now + 1);
        QCOMPARE(act("actDBSyncNow")->text(), QStringLiteral("S&ync Now"));
        QCOMPARE(act("actDBSyncSettings")->text(), QStringLiteral("Sync Se&ttings..."));
        QVERIFY(act("actDBSyncNow")->isEnabled());
        QVERIFY(act("actDBSyncSettings")->isEnabled());
        common().UpdateCommandStates(TCommandMode::print);
        QVERIFY(!act("actDBSyncNow")->isEnabled());
        QVERIFY(!act("actDBSyncSettings")->isEnabled());
        common().UpdateCommandStates(TCommandMode::print_cancel);
        common().UpdateCommandStates(TCommandMode::RefreshData);
        QVERIFY(act("actDBSyncNow")->isEnabled());
        // Without a database there is nothing to sync.
        program_.reset();
        start({path(QStringLiteral("missing.tbr"))});
        messages_->clear();
        QVERIFY(!act("actDBSyncNow")->isEnabled());
        QVERIFY(!act("actDBSyncSettings")->isEnabled());
        // No address book: no status panel.
        QVERIFY(statusLabel());
        QVERIFY(!statusLabel()->isVisibleTo(&main()));
    }

    void theSettingsAreStoredAsTheCommandLineStoresThem() {
        const QString db = makeDatabase(QStringLiteral("settings.tbr"), 3);
        const QUrl book = newBook();
        start({db});
        QString typed = book.toString();
        typed.chop(1);  // the dialog takes the address without its final "/"
        int shown = 0;
        driveDialogs([&](QDialog& dialog) {
            ++shown;
            auto* url = apptest::DialogControl<QLineEdit>(dialog, "edtSyncUrl");
            QVERIFY(url->text().isEmpty());
            // Another machine over http: is refused, the dialog stays.
            url->setText(QStringLiteral("http://dav.example.org/book/"));
            apptest::DialogControl<QLineEdit>(dialog, "edtSyncUser")->setText(kUser);
            okButton(dialog)->click();
            QVERIFY(dialog.isVisible());
            QCOMPARE(messages_->messages().size(), 1u);
            QVERIFY(messages_->texts().first().contains(QLatin1String("https:")));
            url->setText(QStringLiteral("  ") + typed + QStringLiteral(" "));
            apptest::DialogControl<QCheckBox>(dialog, "chkSyncAtOpen")->setChecked(true);
            apptest::DialogControl<QCheckBox>(dialog, "chkSyncEvery")->setChecked(true);
            apptest::DialogControl<QSpinBox>(dialog, "spnSyncMinutes")->setValue(7);
            okButton(dialog)->click();
            QVERIFY(!dialog.isVisible());
        });
        act("actDBSyncSettings")->trigger();
        QCOMPARE(shown, 1);
        QCOMPARE(dialogsRun_, QStringList{QStringLiteral("dlgSyncSettings")});
        const TSyncAccount stored = SyncAccounts::Read(db);
        QCOMPARE(stored.url, book.toString());
        QCOMPARE(stored.user, kUser);
        QVERIFY(stored.syncAtOpen);
        QVERIFY(!stored.syncAtClose);
        QCOMPARE(stored.everyMinutes, 7);
        QVERIFY(sync().Timer().isActive());
        QCOMPARE(sync().Timer().interval(), 7 * 60'000);
        // The command line stores the same address and user alike.
        const QString other = makeDatabase(QStringLiteral("other.tbr"), 1);
        QString out;
        QString err;
        QTextStream o(&out);
        QTextStream e(&err);
        QCOMPARE(RunSyncCommand(other, typed, kUser, o, e), 0);
        const TSyncAccount fromCommandLine = SyncAccounts::Read(other);
        QCOMPARE(fromCommandLine.url, stored.url);
        QCOMPARE(fromCommandLine.user, stored.user);

        // The dialog shows what is stored; Cancel changes nothing.
        driveDialogs([&](QDialog& dialog) {
            QCOMPARE(apptest::DialogControl<QLineEdit>(dialog, "edtSyncUrl")->text(), stored.url);
            QVERIFY(apptest::DialogControl<QCheckBox>(dialog, "chkSyncAtOpen")->isChecked());
            QCOMPARE(apptest::DialogControl<QSpinBox>(dialog, "spnSyncMinutes")->value(), 7);
            apptest::DialogControl<QCheckBox>(dialog, "chkSyncAtOpen")->setChecked(false);
            dialog.reject();
        });
        act("actDBSyncSettings")->trigger();
        QCOMPARE(SyncAccounts::Read(db), stored);
    }

    void aPasswordWithoutASecretStoreIsAskedForAtEachSync() {
        const QString db = makeDatabase(QStringLiteral("ask.tbr"), 4);
        const QUrl book = newBook();
        qunsetenv("PELLUM_SYNC_PASSWORD");
        start({db});
        driveDialogs([&](QDialog& dialog) {
            apptest::DialogControl<QLineEdit>(dialog, "edtSyncUrl")->setText(book.toString());
            apptest::DialogControl<QLineEdit>(dialog, "edtSyncUser")->setText(kUser);
            apptest::DialogControl<QLineEdit>(dialog, "edtSyncPassword")->setText(kPassword);
            okButton(dialog)->click();
        });
        act("actDBSyncSettings")->trigger();
        // There is no secret store here: the password is not kept anywhere.
        QCOMPARE(messages_->messages().size(), 1u);
        QCOMPARE(messages_->messages().front().type, MsgType::Warning);
        QVERIFY(messages_->texts().first().contains(QLatin1String("asked for at each sync")));
        QVERIFY(!fixtures::ReadFile(TSyncState::FileFor(db)).contains(kPassword.toUtf8()));
        messages_->clear();

        // Each sync asks; Cancel there syncs nothing.
        dialogsRun_.clear();
        driveDialogs([](QDialog& dialog) { dialog.reject(); });
        act("actDBSyncNow")->trigger();
        QCOMPARE(dialogsRun_, QStringList{QStringLiteral("dlgSyncPassword")});
        QVERIFY(messages_->messages().empty());
        QCOMPARE(radicale_.CardCount(book.path().split(u'/', Qt::SkipEmptyParts).last()), 0);

        // A wrong password: the server's refusal, its status and nothing synced.
        driveDialogs([](QDialog& dialog) {
            apptest::DialogControl<QLineEdit>(dialog, "edtSyncPassword")->setText("wrong");
            dialog.accept();
        });
        act("actDBSyncNow")->trigger();
        QCOMPARE(messages_->messages().size(), 1u);
        QCOMPARE(messages_->messages().front().type, MsgType::Error);
        QVERIFY2(messages_->texts().first().contains(QLatin1String("401")),
                 qPrintable(messages_->texts().first()));
        QVERIFY(!TSyncState::Load(TSyncState::FileFor(db)).lastSync.isValid());
        messages_->clear();

        driveDialogs([](QDialog& dialog) {
            apptest::DialogControl<QLineEdit>(dialog, "edtSyncPassword")->setText(kPassword);
            dialog.accept();
        });
        act("actDBSyncNow")->trigger();
        QCOMPARE(messages_->texts(),
                 QStringList{QStringLiteral("Downloaded 0, uploaded 4, deleted 0, conflicts 0.")});
    }

    void theAddressBooksOfTheServerAreOffered() {
        QString first;
        QString second;
        const QUrl a = newBook(&first);
        const QUrl b = newBook(&second);
        const QString db = makeDatabase(QStringLiteral("find.tbr"), 1);
        start({db});
        QStringList listed;
        driveDialogs([&](QDialog& dialog) {
            auto* url = apptest::DialogControl<QLineEdit>(dialog, "edtSyncUrl");
            url->setText(QStringLiteral("http://127.0.0.1:%1").arg(radicale_.Port()));
            apptest::DialogControl<QLineEdit>(dialog, "edtSyncUser")->setText(kUser);
            apptest::DialogControl<QPushButton>(dialog, "btnSyncFind")->click();
            auto* books = apptest::DialogControl<QListWidget>(dialog, "lstSyncBooks");
            for (int i = 0; i < books->count(); ++i) {
                listed << books->item(i)->data(Qt::UserRole).toString();
            }
            const int row = static_cast<int>(listed.indexOf(b.toString()));
            QVERIFY(row >= 0);
            books->setCurrentRow(row);
            QCOMPARE(url->text(), b.toString());
            QVERIFY(books->item(row)->text().contains(second));
            okButton(dialog)->click();
        });
        act("actDBSyncSettings")->trigger();
        QVERIFY2(listed.contains(a.toString()), qPrintable(listed.join(u' ')));
        QVERIFY(listed.contains(b.toString()));
        QVERIFY(messages_->messages().empty());
        QCOMPARE(SyncAccounts::Read(db).url, b.toString());

        // A server that is not there: a clear error, the list stays empty.
        driveDialogs([&](QDialog& dialog) {
            apptest::DialogControl<QLineEdit>(dialog, "edtSyncUrl")
                ->setText(QStringLiteral("http://127.0.0.1:%1/").arg(FreePort()));
            apptest::DialogControl<QPushButton>(dialog, "btnSyncFind")->click();
            dialog.reject();
        });
        act("actDBSyncSettings")->trigger();
        QCOMPARE(messages_->messages().size(), 1u);
        QVERIFY2(messages_->texts().first().contains(QLatin1String("cannot be reached")),
                 qPrintable(messages_->texts().first()));
    }

    void syncNowWorksOnTheOpenDatabase() {
        QString name;
        const QUrl book = newBook(&name);
        const QString db = makeDatabase(QStringLiteral("now.tbr"), 12);
        pointAt(db, book);
        start({db});
        QVERIFY(statusLabel()->isVisibleTo(&main()));
        QCOMPARE(statusLabel()->text(), QStringLiteral("Not synced yet"));
        act("actDBSyncNow")->trigger();
        QCOMPARE(messages_->texts(),
                 QStringList{QStringLiteral("Downloaded 0, uploaded 12, deleted 0, conflicts 0.")});
        QCOMPARE(radicale_.CardCount(name), 12);
        QVERIFY(statusLabel()->text().startsWith(QLatin1String("Last sync: ")));
        messages_->clear();

        // Changed by another client: the open database shows it after Sync
        // Now, in one step that Undo takes back; changed here: the server
        // has it after Sync Now.
        TSecondClient other(book);
        QString why;
        QVERIFY2(other.Sync(why), qPrintable(why));
        const QString uid0 = session().IdentityOf(0);
        const QString file = other.FileOf(uid0);
        QVERIFY(!file.isEmpty());
        QByteArray card = other.Cards()[file];
        card.replace("NICKNAME:", "NICKNAME:There");
        if (!card.contains("NICKNAME:There")) {
            card.replace("END:VCARD", "NICKNAME:There\r\nEND:VCARD");
        }
        other.Write(file, card);
        QVERIFY2(other.Sync(why), qPrintable(why));
        session().StoreField(5, Work_Position, QStringLiteral("Changed here"));
        act("actDBSyncNow")->trigger();
        QCOMPARE(messages_->texts(),
                 QStringList{QStringLiteral("Downloaded 1, uploaded 1, deleted 0, conflicts 0.")});
        QVERIFY(cell(0, Home_Nick).startsWith(QLatin1String("There")));
        QCOMPARE(main().frameMainIDE()->fieldText(Home_Nick), cell(0, Home_Nick));
        QVERIFY(session().UndoStepName().has_value());
        QCOMPARE(session().UndoStepName()->kind, TStepKind::Sync);
        QVERIFY2(other.Sync(why), qPrintable(why));
        QVERIFY(other.Cards()[other.FileOf(session().IdentityOf(5))].contains("Changed here"));
    }

    void errorsTellTheServersStatusAndText() {
        const QUrl book = newBook();
        const QString db = makeDatabase(QStringLiteral("full.tbr"), 3);
        TFaultProxy proxy;
        QString why;
        QVERIFY2(proxy.Start(radicale_.Port(), QStringLiteral("put-507"), why), qPrintable(why));
        pointAt(db, proxy.Url(book));
        start({db});
        // The identities a sync gives the records first are no change.
        session().EnsureIdentities();
        session().FinishSaves();
        const QByteArray before = fixtures::ReadFile(db);
        act("actDBSyncNow")->trigger();
        QCOMPARE(messages_->messages().size(), 1u);
        QCOMPARE(messages_->messages().front().type, MsgType::Error);
        const QString text = messages_->texts().first();
        QVERIFY2(text.contains(QLatin1String("507")) && text.contains(QLatin1String("quota")),
                 qPrintable(text));
        session().FinishSaves();
        QCOMPARE(fixtures::ReadFile(db), before);
        QCOMPARE(statusLabel()->text(), QStringLiteral("Not synced yet"));
        QVERIFY(statusLabel()->toolTip().contains(QLatin1String("507")));
        QVERIFY(act("actDBSyncNow")->isEnabled());
    }

    void cancelLeavesBothSidesConsistent() {
        QString name;
        const QUrl book = newBook(&name);
        const int count = 400;
        const QString db = makeDatabase(QStringLiteral("cancel.tbr"), count);
        pointAt(db, book);
        start({db});
        // The progress shows after half a second; Cancel once it is there.
        auto* last = main().findChild<QToolButton*>(QStringLiteral("tbutDBNavLast"));
        QVERIFY(last);
        bool clicked = false;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            auto* progress = main().findChild<QDialog*>(QStringLiteral("dlgSyncProgress"));
            if (progress != nullptr && progress->isVisible() && !clicked) {
                clicked = true;
                // Input to the main window is dropped while the sync runs.
                QTest::mouseClick(last, Qt::LeftButton);
                apptest::DialogControl<QPushButton>(*progress, "btnSyncCancel")->click();
            }
        });
        poll.start(20);
        act("actDBSyncNow")->trigger();
        poll.stop();
        QVERIFY(clicked);
        QCOMPARE(session().State().rowIndex, 0);  // the click went nowhere
        QTest::mouseClick(last, Qt::LeftButton);
        QCOMPARE(session().State().rowIndex, count - 1);  // and goes once it is over
        QVERIFY(messages_->messages().empty());
        QVERIFY(main().statusBar()->currentMessage().contains(QLatin1String("cancelled")));
        QCOMPARE(session().State().rows, count);
        QVERIFY(!sync().Syncing());
        // What the server took is recorded, nothing more.
        const TSyncState state = TSyncState::Load(TSyncState::FileFor(db));
        const int taken = radicale_.CardCount(name);
        QVERIFY2(taken < count, qPrintable(QString::number(taken)));
        QCOMPARE(static_cast<int>(state.entries.size()), taken);
        QVERIFY(!state.lastSync.isValid());
        // The next sync completes without doubling anything.
        act("actDBSyncNow")->trigger();
        QCOMPARE(messages_->texts(),
                 QStringList{QStringLiteral("Downloaded 0, uploaded %1, deleted 0, conflicts 0.")
                                 .arg(count - taken)});
        QCOMPARE(radicale_.CardCount(name), count);
        QCOMPARE(session().State().rows, count);
    }

    void syncsAtOpenAtCloseAndOnTheTimer() {
        QString name;
        const QUrl book = newBook(&name);
        const QString db = makeDatabase(QStringLiteral("moments.tbr"), 5);
        TSyncAccount moments;
        moments.syncAtOpen = true;
        moments.syncAtClose = true;
        moments.everyMinutes = 1;
        pointAt(db, book, moments);
        start({db});
        QTRY_COMPARE_WITH_TIMEOUT(radicale_.CardCount(name), 5, 30'000);
        QTRY_VERIFY(!sync().Syncing());
        // Its summary goes to the status bar, not into a box.
        QVERIFY(messages_->messages().empty());
        QVERIFY(main().statusBar()->currentMessage().startsWith(QLatin1String("Downloaded 0")));
        QVERIFY(sync().Timer().isActive());
        QCOMPARE(sync().Timer().interval(), 60'000);

        // The timer never comes between the user and an edit: it waits.
        session().StoreField(1, Work_Position, QStringLiteral("By the timer"));
        session().SetRecordChanged(true);
        sync().Sync(TSyncMoment::Timer);
        QVERIFY(!TSyncState::Load(TSyncState::FileFor(db))
                     .entries[session().IdentityOf(1)]
                     .card.contains("By the timer"));
        session().SetRecordChanged(false);
        sync().Sync(TSyncMoment::Timer);
        QVERIFY(TSyncState::Load(TSyncState::FileFor(db))
                    .entries[session().IdentityOf(1)]
                    .card.contains("By the timer"));

        // At close: before another database opens, and when the window closes.
        session().StoreField(2, Work_Position, QStringLiteral("At close"));
        const QString next = makeDatabase(QStringLiteral("next.tbr"), 1);
        common().DatabaseCommands().OpenDatabase(next);
        QCOMPARE(session().DatabaseName(), next);
        TSecondClient other(book);
        QString why;
        QVERIFY2(other.Sync(why), qPrintable(why));
        bool found = false;
        for (const QByteArray& card : other.Cards()) {
            found = found || card.contains("At close");
        }
        QVERIFY(found);
        QVERIFY(!sync().Timer().isActive());  // the other database has no address book

        common().DatabaseCommands().OpenDatabase(db);
        QTRY_VERIFY(!sync().Syncing());
        session().StoreField(3, Work_Position, QStringLiteral("Window closed"));
        QVERIFY(main().close());
        QVERIFY(TSyncState::Load(TSyncState::FileFor(db))
                    .entries[session().IdentityOf(3)]
                    .card.contains("Window closed"));
        QVERIFY2(messages_->messages().empty(), qPrintable(messages_->texts().join(u'\n')));
    }
};

QTEST_MAIN(TestSyncCommands)
#include "test_SyncCommands.moc"
