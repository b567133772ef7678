#include "app/Pellum.h"
#include "app/u_frmCommon.h"
#include "app/u_frmMain.h"
#include "exchange/u_CsvRecordReader.h"
#include "exchange/u_VCardReader.h"
#include "exchange/u_dlgImportDuplicates.h"
#include "exchange/u_frmFindDuplicates.h"
#include "session/QUIBLib_TLB.h"
#include "session/u_ContactSchema.h"
#include "session/u_ContactsSession.h"
#include "support/u_FileChooser.h"
#include "views/u_frameMainGrid.h"
#include "views/u_frameMainIDE.h"

#include "AppTestSupport.h"
#include "testsupport/TestSupport.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <utility>

namespace cs = ContactSchema;

// The import and export commands of the main window: when they may run, and
// that their dialogs work on the main window's database.
class TestExchangeCommands : public QObject {
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

    static QByteArray fileBytes(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // The surnames of the contacts of a vCard or CSV file, in file order
    // (a CSV file's header line left out).
    static QStringList surnamesIn(const QString& file) {
        const QByteArray bytes = fileBytes(file);
        QStringList names;
        if (file.endsWith(QStringLiteral(".vcf"))) {
            TVCardReader::Read(bytes, [&names](const QStringList& c) { names << c[cs::SurName]; });
            return names;
        }
        QString text = QString::fromUtf8(bytes);
        if (text.startsWith(QChar(0xFEFF))) {
            text.remove(0, 1);
        }
        bool given = false;
        TCsvRecordReader reader([&](QString& piece) {
            piece = text;
            return !std::exchange(given, true);
        });
        QStringList fields;
        while (reader.ReadRecord(fields, cs::ColumnCount)) {
            names << fields.value(cs::SurName);
        }
        if (!names.isEmpty() && names.front() == QStringLiteral("SurName")) {
            names.removeFirst();
        }
        return names;
    }

  private slots:
    void init() {
        apptest::ClearSettings();
        dir_ = std::make_unique<QTemporaryDir>();
        messages_ = std::make_unique<MessageRecorder>();
        dialogsRun_.clear();
    }
    void cleanup() {
        program_.reset();
        messages_.reset();
        dir_.reset();
    }

    void enablingFollowsTheOpenDatabase() {
        start({path(QStringLiteral("missing.tbr"))});
        QVERIFY(!act("actDBExportToCSV")->isEnabled());
        QVERIFY(!act("actDBImportFromCSV")->isEnabled());
        QVERIFY(act("actDBImportExportTBR")->isEnabled());
        // Run directly, the CSV commands still do nothing without a database.
        driveDialogs([](QDialog&) {});
        for (const char* name : {"actDBExportToCSV", "actDBImportFromCSV"}) {
            act(name)->setEnabled(true);
            act(name)->trigger();
        }
        QVERIFY(dialogsRun_.isEmpty());
        act("actDBImportExportTBR")->trigger();
        QCOMPARE(dialogsRun_, QStringList{QStringLiteral("TfrmDBImportExport")});

        const QString file = path(QStringLiteral("db.tbr"));
        apptest::MakeDatabase(file, 2);
        program_.reset();
        start({file});
        QVERIFY(act("actDBExportToCSV")->isEnabled());
        QVERIFY(act("actDBImportFromCSV")->isEnabled());
        common().UpdateCommandStates(TCommandMode::print);
        QVERIFY(!act("actDBExportToCSV")->isEnabled());
        QVERIFY(!act("actDBImportFromCSV")->isEnabled());
        QVERIFY(!act("actDBImportExportTBR")->isEnabled());
    }

    void exportWritesTheMainDatabase() {
        const QString file = path(QStringLiteral("db.tbr"));
        apptest::MakeDatabase(file, 2);
        start({file});
        const QString csv = path(QStringLiteral("out.csv"));
        driveDialogs([&](QDialog& dialog) {
            auto* columns = control<QListWidget>(dialog, "lstColumns");
            for (int j = 1; j < columns->count(); ++j) {
                columns->item(j)->setCheckState(Qt::Unchecked);
            }
            control<QLineEdit>(dialog, "txtFileName")->setText(csv);
            control<QPushButton>(dialog, "cmdOK")->click();
        });
        act("actDBExportToCSV")->trigger();
        QCOMPARE(dialogsRun_, QStringList{QStringLiteral("TfrmExportToCSV")});
        QCOMPARE(fileBytes(csv), QByteArray("\"SurName\"\r\n\"Row 1\"\r\n\"Row 2\"\r\n"));
    }

    void importAppendsToTheMainDatabaseAndShowsInTheTable() {
        const QString file = path(QStringLiteral("db.tbr"));
        apptest::MakeDatabase(file, 2);
        start({file});
        act("actShowAsTable")->trigger();
        QVERIFY(main().IsTableShown());
        const QString csv = path(QStringLiteral("in.csv"));
        {
            QFile f(csv);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("\xEF\xBB\xBF\"Dvořák\",\"Antonín\"\r\n\"Čapek\",\"Karel\"\r\n");
        }
        driveDialogs([&](QDialog& dialog) {
            control<QLineEdit>(dialog, "txtFileName")->setText(csv);
            control<QCheckBox>(dialog, "cbHasHeaderRow")->setChecked(false);
            control<QPushButton>(dialog, "cmdDeleteAll")->click();
            auto* add = control<QComboBox>(dialog, "lstAdd");
            add->setCurrentIndex(1);  // Surname
            control<QPushButton>(dialog, "cmdAdd")->click();
            add->setCurrentIndex(2);  // Firstname
            control<QPushButton>(dialog, "cmdAdd")->click();
            control<QPushButton>(dialog, "cmdOK")->click();
        });
        act("actDBImportFromCSV")->trigger();
        QVERIFY2(messages_->messages().size() == 1, qPrintable(messages_->texts().join('|')));
        QCOMPARE(main().Session().Quib1().RowsCount(), 4);
        QCOMPARE(main().frameMainGrid()->rowCount(), 4);
        main().Session().FinishSaves();  // the save is written in the background
        TQuib check;
        check.SetDatabaseName(file);
        QVERIFY(check.Open());
        QCOMPARE(check.RowsCount(), 4);
        QCOMPARE(check.GetData(2, 0), QStringLiteral("Dvořák"));
        QCOMPARE(check.GetData(3, 1), QStringLiteral("Karel"));
    }

    // The same person twice in the file: the import asks once, and skipping
    // leaves the second out.
    void importAsksAboutDuplicates() {
        const QString file = path(QStringLiteral("db.tbr"));
        apptest::MakeDatabase(file, 2);
        start({file});
        const QString csv = path(QStringLiteral("in.csv"));
        {
            QFile f(csv);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(
                "Dvořák,Antonín,antonin@dvorak.cz\r\nDVORAK,antonin,Antonin@Dvorak.CZ\r\n"
                "Čapek,Karel,karel@capek.cz\r\n");
        }
        QStringList questions;
        SetDuplicateAnswerer([&questions](const QString& question) {
            questions << question;
            return std::optional(TDuplicateAction::Skip);
        });
        driveDialogs([&](QDialog& dialog) {
            control<QLineEdit>(dialog, "txtFileName")->setText(csv);
            control<QCheckBox>(dialog, "cbHasHeaderRow")->setChecked(false);
            control<QPushButton>(dialog, "cmdDeleteAll")->click();
            auto* add = control<QComboBox>(dialog, "lstAdd");
            for (const int field : {cs::SurName, cs::FirstName, cs::Home_Email}) {
                add->setCurrentIndex(field + 1);
                control<QPushButton>(dialog, "cmdAdd")->click();
            }
            control<QPushButton>(dialog, "cmdOK")->click();
        });
        act("actDBImportFromCSV")->trigger();
        SetDuplicateAnswerer({});
        QCOMPARE(questions, QStringList{QStringLiteral(
                                "1 of the 3 contacts repeat a contact earlier in the file.")});
        QCOMPARE(main().Session().Quib1().RowsCount(), 4);
        QCOMPARE(main().Session().FieldText(3, cs::SurName), QStringLiteral("Čapek"));
        QVERIFY2(messages_->texts().join('|').contains(
                     QStringLiteral("Contacts added: 2, updated: 0, skipped: 1.")),
                 qPrintable(messages_->texts().join('|')));
        // One step takes the whole import back.
        QCOMPARE(main().Session().UndoStepName()->count, 2);
    }

    // A seeded pair is found and merged through the window; undone, the
    // file is as it was, byte for byte.
    void findDuplicatesMergesAPair() {
        const QString file = path(QStringLiteral("db.tbr"));
        apptest::MakeDatabase(file, 2);
        start({file});
        TContactsSession& session = main().Session();
        TRecordBatch seeded;
        QStringList a(cs::ColumnCount), b(cs::ColumnCount);
        a[cs::SurName] = QStringLiteral("Dvořák");
        a[cs::FirstName] = QStringLiteral("Antonín");
        a[cs::Home_Tel] = QStringLiteral("+420 777 123 456");
        a[cs::Home_Email] = QStringLiteral("antonin@dvorak.cz");
        b[cs::SurName] = QStringLiteral("Antonín");
        b[cs::FirstName] = QStringLiteral("Dvořák");
        b[cs::Work_Tel] = QStringLiteral("777123456");
        b[cs::Work_Company] = QStringLiteral("Opera");
        seeded.AppendRow(a);
        seeded.AppendRow(b);
        QCOMPARE(session.ImportRecords(seeded), 2);
        session.FinishSaves();
        const QByteArray before = fileBytes(file);
        QStringList captions;
        driveDialogs([&](QDialog& dialog) {
            auto* finder = qobject_cast<TfrmFindDuplicates*>(&dialog);
            QVERIFY(finder);
            captions << control<QListWidget>(dialog, "lstGroups")->item(0)->text();
            QCOMPARE(finder->Finder().Groups(), (QList<QList<int>>{{2, 3}}));
            finder->ChooseGroup(0);
            finder->ChooseKept(1);
            control<QPushButton>(dialog, "cmdMerge")->click();
            QVERIFY(finder->Finder().Groups().isEmpty());
            QCOMPARE(control<QListWidget>(dialog, "lstGroups")->count(), 0);
        });
        act("actFindDuplicates")->trigger();
        QCOMPARE(dialogsRun_, QStringList{QStringLiteral("TfrmFindDuplicates")});
        QCOMPARE(captions, QStringList{QStringLiteral("Dvořák Antonín (2 contacts)")});
        QCOMPARE(session.Quib1().RowsCount(), 3);
        QCOMPARE(session.FieldText(2, cs::SurName), QStringLiteral("Antonín"));
        QCOMPARE(session.FieldText(2, cs::Work_Company), QStringLiteral("Opera"));
        // The same number in the other phone field is held already.
        QCOMPARE(session.FieldText(2, cs::Home_Tel), QString());
        QCOMPARE(session.FieldText(2, cs::Home_Email), QStringLiteral("antonin@dvorak.cz"));
        QCOMPARE(session.UndoStepName()->kind, TStepKind::Merge);
        QVERIFY(session.Undo());
        session.FinishSaves();
        QCOMPARE(fileBytes(file), before);
        QCOMPARE(session.Quib1().RowsCount(), 4);
    }

    void convertingTheOpenDatabaseReloadsIt() {
        const QString file = path(QStringLiteral("db.tbr"));
        apptest::MakeDatabase(file, 3);
        start({file});
        main().frameMainIDE()->setFieldText(1, QStringLiteral("Unsaved"));
        messages_->queueAnswer(MsgResult::Yes);  // save the edit first
        driveDialogs([&](QDialog& dialog) {
            control<QLineEdit>(dialog, "txtSourceFile")->setText(file);
            control<QLineEdit>(dialog, "txtDestFile")->setText(file);
            control<QComboBox>(dialog, "lstDestDBVersion")->setCurrentIndex(0);  // 2.5.0
            control<QPushButton>(dialog, "cmdSave")->click();
        });
        act("actDBImportExportTBR")->trigger();
        QVERIFY(QFile::exists(file + QStringLiteral(".bak")));
        QVERIFY(messages_->texts().contains(QStringLiteral("Import / Export was successful.")));
        // The main window now shows the rewritten file: the 2.5.0 layout
        // lacks Nick, so the reopening warned about the missing columns.
        QCOMPARE(main().Session().Quib1().DatabaseName(), file);
        QCOMPARE(main().Session().Quib1().ColsCount(), 26);
        QCOMPARE(main().Session().Columns().lstDBColsIndexFromProgram[2], kMissingColumn);
        QCOMPARE(main().frameMainIDE()->fieldText(0), QStringLiteral("Row 1"));
        QCOMPARE(main().frameMainIDE()->fieldText(1), QStringLiteral("Unsaved"));
    }

    void convertingARelativelyNamedDatabaseReloadsIt() {
        // The start-up database is often named relative to the working folder;
        // the dialog's choosers answer with absolute paths.
        const QString absolute = QDir::current().absoluteFilePath(QStringLiteral("relative.tbr"));
        apptest::MakeDatabase(absolute, 2);
        start({QStringLiteral("relative.tbr")});
        QCOMPARE(main().Session().Quib1().DatabaseName(), QStringLiteral("relative.tbr"));
        driveDialogs([&](QDialog& dialog) {
            control<QLineEdit>(dialog, "txtSourceFile")->setText(absolute);
            control<QLineEdit>(dialog, "txtDestFile")->setText(absolute);
            control<QComboBox>(dialog, "lstDestDBVersion")->setCurrentIndex(1);  // 2.5.1
            control<QPushButton>(dialog, "cmdSave")->click();
        });
        act("actDBImportExportTBR")->trigger();
        QVERIFY(QFile::exists(absolute + QStringLiteral(".bak")));
        QCOMPARE(main().Session().Quib1().ColsCount(), 28);
        QFile::remove(absolute);
        QFile::remove(absolute + QStringLiteral(".bak"));
    }

    // The exports of the card's and the table's context menu. On the card
    // the current contact is record 3 and every record is shown; the table
    // shows records 4 and 2 (as a query's result does) with record 2's row
    // current. Each writes its file, or, cancelled, nothing, or, aimed at
    // a folder, reports the failure and nothing else.
    void contextExports_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("table");
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<QString>("outcome");
        QTest::addColumn<QStringList>("surnames");
        QTest::addColumn<QString>("preset");
        const QStringList all{"Row 1", "Row 2", "Row 3", "Row 4"};
        for (const char* outcome : {"written", "cancelled", "folder"}) {
            for (const bool table : {false, true}) {
                const QString view = table ? QStringLiteral("table") : QStringLiteral("card");
                const QStringList contact{table ? "Row 2" : "Row 3"};
                const QStringList shown = table ? QStringList{"Row 4", "Row 2"} : all;
                const QString one = contact.front();
                const auto row = [&](const char* name) {
                    return &QTest::newRow(
                        qPrintable(QStringLiteral("%1 %2 %3").arg(name, view, outcome)));
                };
                *row("actExportContactToVCard") << "actExportContactToVCard" << table << "vcf"
                                                << outcome << contact << one + ".vcf";
                *row("actExportContactToCSV") << "actExportContactToCSV" << table << "csv"
                                              << outcome << contact << one + ".csv";
                *row("actExportShownToVCard")
                    << "actExportShownToVCard" << table << "vcf" << outcome << shown << "db.vcf";
                *row("actExportShownToCSV")
                    << "actExportShownToCSV" << table << "csv" << outcome << shown << "db.csv";
            }
        }
    }

    void contextExports() {
        QFETCH(QString, name);
        QFETCH(bool, table);
        QFETCH(QString, suffix);
        QFETCH(QString, outcome);
        QFETCH(QStringList, surnames);
        QFETCH(QString, preset);
        const QString file = path(QStringLiteral("db.tbr"));
        apptest::MakeDatabase(file, 4);
        start({file});
        TContactsSession& session = main().Session();
        QVERIFY(session.MoveTo(2));
        if (table) {
            act("actShowAsTable")->trigger();
            QVERIFY(main().IsTableShown());
            main().Grid().ShowRecords(session.Quib1(), session.Columns().lstDBColsTitleFull,
                                      session.Columns().lstDBColsIndexFromProgram, {3, 1});
            main().Grid().selectRow(1);
            common().UpdateCommandStates(TCommandMode::DBQueryResult);
        }
        // The view's own menu holds the command, enabled.
        QMenu* menu = table ? main().Grid().contextMenu() : main().Card().contextMenu();
        QVERIFY(menu != nullptr);
        QAction* command = common().action(name);
        QVERIFY(menu->actions().contains(command));
        QVERIFY(command->isEnabled());

        const QString target = path(QStringLiteral("out.") + suffix);
        if (outcome == QLatin1String("folder")) {
            QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("out.") + suffix));
        }
        const QStringList before = QDir(dir_->path()).entryList(QDir::Files);
        FileChooserTest::Reset();
        FileChooserTest::QueueAnswer(outcome == QLatin1String("cancelled") ? QString() : target);
        command->trigger();
        QCOMPARE(FileChooserTest::Asked().size(), std::size_t(1));
        const TFileChoice& asked = FileChooserTest::Asked().front();
        QCOMPARE(asked.mode, TFileChoice::Mode::Save);
        QVERIFY(!asked.title.isEmpty());
        QCOMPARE(asked.defaultSuffix, suffix);
        QCOMPARE(asked.preset, path(preset));
        FileChooserTest::Reset();

        if (outcome == QLatin1String("written")) {
            QCOMPARE(messages_->texts(),
                     QStringList{QStringLiteral("Contacts exported: %1.").arg(surnames.size())});
            QCOMPARE(surnamesIn(target), surnames);
        } else if (outcome == QLatin1String("cancelled")) {
            QVERIFY2(messages_->texts().isEmpty(), qPrintable(messages_->texts().join('|')));
            QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), before);
        } else {
            QCOMPARE(messages_->messages().size(), std::size_t(1));
            QCOMPARE(messages_->messages().front().type, MsgType::Error);
            QVERIFY(!messages_->texts().front().contains(QStringLiteral("exported")));
            QVERIFY(QFileInfo(target).isDir());
            // No temporary file is left beside it.
            QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), before);
        }
    }

    // Without a database, or with nothing to show, the exports are disabled
    // and, run anyway, ask for no file.
    void contextExportsNeedContacts_data() {
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("filter");
        QTest::newRow("no database") << -1 << QString();
        QTest::newRow("no record") << 0 << QString();
        QTest::newRow("a filter that shows none") << 3 << QStringLiteral("nowhere");
    }

    void contextExportsNeedContacts() {
        QFETCH(int, rows);
        QFETCH(QString, filter);
        const QString file = path(QStringLiteral("db.tbr"));
        if (rows >= 0) {
            apptest::MakeDatabase(file, rows);
        }
        start({file});
        QCOMPARE(main().Session().IsOpen(), rows >= 0);
        if (!filter.isEmpty()) {
            QTest::keyClicks(main().findChild<QLineEdit*>(QStringLiteral("edtFilter")), filter);
            QVERIFY(main().Session().ShownRecords().isEmpty());
        }
        FileChooserTest::Reset();
        for (const char* name : {"actExportContactToVCard", "actExportContactToCSV",
                                 "actExportShownToVCard", "actExportShownToCSV"}) {
            QVERIFY2(!act(name)->isEnabled(), name);
            act(name)->setEnabled(true);
            act(name)->trigger();
        }
        QCOMPARE(FileChooserTest::Asked().size(), std::size_t(0));
        QVERIFY(messages_->texts().isEmpty());
    }

    void hintsOfTheCommands_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("hint");
        QTest::newRow("conversion") << "actDBImportExportTBR"
                                    << "Import or export Orvane Contact's database";
        QTest::newRow("import") << "actDBImportFromCSV"
                                << "Import from CSV (separate Comma)...";
        QTest::newRow("export") << "actDBExportToCSV"
                                << "Export to CSV (separate comma) file format";
        QTest::newRow("contact vCard") << "actExportContactToVCard"
                                       << "Export the current contact to a vCard file";
        QTest::newRow("contact CSV") << "actExportContactToCSV"
                                     << "Export the current contact to a CSV file";
        QTest::newRow("shown vCard") << "actExportShownToVCard"
                                     << "Export the contacts shown to a vCard file";
        QTest::newRow("shown CSV") << "actExportShownToCSV"
                                   << "Export the contacts shown to a CSV file";
    }

    void hintsOfTheCommands() {
        QFETCH(QString, name);
        QFETCH(QString, hint);
        start({});
        QCOMPARE(common().action(name)->statusTip(), hint);
        QCOMPARE(common().action(name)->toolTip(), hint);
    }
};

QTEST_MAIN(TestExchangeCommands)
#include "test_ExchangeCommands.moc"
