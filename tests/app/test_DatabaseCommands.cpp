#include "app/Pellum.h"
#include "app/u_frmCommon.h"
#include "app/u_frmMain.h"
#include "session/QUIBLib_TLB.h"
#include "session/u_ContactsSession.h"
#include "support/u_FileChooser.h"
#include "views/u_frameMainGrid.h"
#include "views/u_frameMainIDE.h"

#include "AppTestSupport.h"
#include "session/u_BackgroundWriter.h"
#include "testsupport/TestSupport.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include <quib/QuibSnapshot.h>

#include <chrono>
#include <thread>

namespace {

const QString kSavePrompt = QStringLiteral("Current record was changed. Save it before continue?");

// Reads a database file with a fresh engine instance, without the program.
struct FileContents {
    QStringList headerNames;
    QList<QStringList> headerTexts;
    QList<QStringList> rows;
    int cols = 0;
};

FileContents ReadFile(const QString& path) {
    TQuib quib;
    quib.SetDatabaseName(path);
    FileContents contents;
    if (!quib.Open()) {
        return contents;
    }
    for (int h = 0; h < quib.HeadersCount(); ++h) {
        contents.headerNames << quib.GetHeaderName(h);
        QStringList texts;
        for (int t = 0; t < quib.HeaderTextsCount(h); ++t) {
            texts << quib.GetHeaderText(h, t);
        }
        contents.headerTexts << texts;
    }
    contents.cols = quib.ColsCount();
    for (int r = 0; r < quib.RowsCount(); ++r) {
        QStringList row;
        for (int c = 0; c < quib.ColsCount(); ++c) {
            row << quib.GetData(r, c);
        }
        contents.rows << row;
    }
    return contents;
}

// A contacts database whose columns are the given names, with one record
// holding "<name> value" in every column.
void MakeDatabaseWithColumns(const QString& path, const QStringList& columns,
                             const QString& minVersion = product::MinDatabaseVersion,
                             const QString& productName = product::Name) {
    TQuib quib;
    quib.SetDatabaseName(path);
    quib.Create();
    WriteContactsHeaders(quib, minVersion, QStringLiteral("2.7.0"), columns);
    quib.SetHeaderText(quib.GetHeaderIndexFromName(QStringLiteral("ProgramName")), 0, productName);
    quib.NewRow(0);
    for (int c = 0; c < columns.size(); ++c) {
        quib.SetData(0, c, columns[c] + QStringLiteral(" value"));
    }
    quib.Save();
}

}  // namespace

// The database commands and the card, driven through the real main window.
class TestDatabaseCommands : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<MessageRecorder> messages_;

    static QByteArray ReadFileBytes(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    std::unique_ptr<TProgram> program_;

    TfrmMain& main() { return *program_->frmMain; }
    TfrmCommon& common() { return *program_->frmCommon; }
    TframeMainIDE& card() { return *main().frameMainIDE(); }
    QAction* act(const char* name) { return common().action(QLatin1String(name)); }
    QString path(const QString& name) { return dir_->filePath(name); }

    // The file as it is once the saves asked for so far are written.
    FileContents readFile(const QString& file) {
        if (program_) {
            program_->session->FinishSaves();
        }
        return ReadFile(file);
    }

    void start(const QStringList& databases) {
        program_ = StartProgram(databases, false);
        main().show();
        QVERIFY(QTest::qWaitForWindowExposed(&main()));
    }

    // Starts without a database (the missing start-up file is reported).
    void startWithoutDatabase() {
        start({path(QStringLiteral("missing.tbr"))});
        QCOMPARE(main().Session().Quib1().DatabaseName(), QString());
        messages_->clear();
    }

    // The file dialogs answer with path (or cancel when it is empty).
    void answerFileDialogs(const QString& chosen) {
        FileChooserTest::Reset();
        FileChooserTest::QueueAnswer(chosen);
    }

    // Types text at the end of field i as the user would.
    void typeInto(int i, const QString& text) {
        QWidget* edit = card().fieldEdit(i);
        edit->setFocus();
        if (auto* line = qobject_cast<QLineEdit*>(edit)) {
            line->end(false);
        } else if (auto* plain = qobject_cast<QPlainTextEdit*>(edit)) {
            plain->moveCursor(QTextCursor::End);
        }
        // Key events carrying the text, so that letters outside ASCII type too.
        for (const QChar ch : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(edit, &press);
        }
    }

    QString navigation() { return main().NavigationLabel()->text(); }

  private slots:
    void init() {
        apptest::ClearSettings();
        dir_ = std::make_unique<QTemporaryDir>();
        messages_ = std::make_unique<MessageRecorder>();
    }
    void cleanup() {
        FileChooserTest::Reset();
        program_.reset();
        messages_.reset();
        dir_.reset();
    }

    void newDatabaseIsWrittenWithItsHeaders() {
        startWithoutDatabase();
        const QString file = path(QStringLiteral("Friends.tbr"));
        answerFileDialogs(file);
        act("actDBCreate")->trigger();
        QCOMPARE(main().Session().Quib1().DatabaseName(), file);
        QCOMPARE(navigation(), QStringLiteral("1 / 1 [%1]").arg(file));
        QVERIFY(card().fieldEdit(0)->isEnabled());

        const FileContents contents = readFile(file);
        QCOMPARE(contents.headerNames,
                 (QStringList{"DBColsName", "ProgramName", "ProgramAktVersion", "ProgramMinVersion",
                              "ProgramCopyright", "ProgramWWW", "ProgramEmail"}));
        QCOMPARE(contents.headerTexts[0], ContactSchema::ColumnNames());
        // A new database is Unicode, for this program and its successors.
        QVERIFY(main().Session().Quib1().IsUnicode());
        const QStringList values{product::Name,           main().Session().ProgramVersion(),
                                 QStringLiteral("2.8.0"), product::Copyright,
                                 product::WebAddress,     product::SupportEmail};
        for (int h = 1; h < 7; ++h) {
            QCOMPARE(contents.headerTexts[h], QStringList{values[h - 1]});
        }
        QCOMPARE(contents.cols, 32);
        QCOMPARE(contents.rows, QList<QStringList>{QStringList(32, QString())});
        // Not added to the recent files: only opening does that.
        QCOMPARE(main().RecentFileEntry(0)->statusTip(), QString());
        QVERIFY(messages_->messages().empty());
    }

    void cancelledCreateChangesNothing() {
        const QString file = path(QStringLiteral("db.tbr"));
        apptest::MakeDatabase(file, 2);
        start({file});
        answerFileDialogs(QString());
        act("actDBCreate")->trigger();
        QCOMPARE(main().Session().Quib1().DatabaseName(), file);
        QCOMPARE(main().Session().Quib1().RowsCount(), 2);
    }

    void typedContactsSurviveRestart() {
        startWithoutDatabase();
        const QString file = path(QStringLiteral("Contacts.tbr"));
        answerFileDialogs(file);
        act("actDBCreate")->trigger();

        typeInto(0, QStringLiteral("Novák"));
        typeInto(1, QStringLiteral("Jan"));
        typeInto(31, QStringLiteral("met in Brno"));
        QVERIFY(main().Session().RecordChanged());
        act("actDBNewRow")->trigger();  // asks, Yes saves the first contact
        QCOMPARE(messages_->texts(), QStringList{kSavePrompt});
        QCOMPARE(navigation(), QStringLiteral("2 / 2 [%1]").arg(file));
        typeInto(0, QStringLiteral("Dvořák"));
        typeInto(21, QStringLiteral("60200"));
        act("actDBMoveFirst")->trigger();  // asks, Yes saves the second
        QCOMPARE(card().fieldText(0), QStringLiteral("Novák"));
        QCOMPARE(card().fieldText(31), QStringLiteral("met in Brno"));

        // The file holds both without any further save.
        const FileContents contents = readFile(file);
        QCOMPARE(contents.rows.size(), 2);
        QCOMPARE(contents.rows[0][1], QStringLiteral("Jan"));
        QCOMPARE(contents.rows[1][0], QStringLiteral("Dvořák"));
        QCOMPARE(contents.rows[1][21], QStringLiteral("60200"));

        program_.reset();
        start({file});
        QCOMPARE(main().Session().Quib1().RowsCount(), 2);
        QCOMPARE(card().fieldText(0), QStringLiteral("Novák"));
        act("actDBMoveLast")->trigger();
        QCOMPARE(card().fieldText(0), QStringLiteral("Dvořák"));
        QCOMPARE(card().fieldText(21), QStringLiteral("60200"));
    }

    void aLetterACentralEuropeanFileCannotHoldIsAskedAbout() {
        const QString file = path(QStringLiteral("db.tbr"));
        apptest::MakeDatabase(file, 2);
        start({file});
        const QByteArray before = ReadFileBytes(file);
        typeInto(0, QStringLiteral("ø"));
        const QString question = QStringLiteral(
            "This database stores only Central European letters, so \"ø\" cannot be saved. "
            "Convert the database to Unicode? (Versions of the program before 2.8 cannot open "
            "it afterwards.)");
        // No: the edit stays on the card, the file as it was.
        messages_->queueAnswer(MsgResult::No);
        act("actDBSave")->trigger();
        QCOMPARE(messages_->texts().size(), 2);
        QCOMPARE(messages_->messages()[0].text, question);
        QCOMPARE(messages_->messages()[0].buttons, MsgButtons::YesNo);
        QCOMPARE(messages_->messages()[1].type, MsgType::Error);
        QVERIFY(messages_->messages()[1].text.contains(QStringLiteral("\"ø\" in the field")));
        QVERIFY(main().Session().RecordChanged());
        QCOMPARE(card().fieldText(0), QStringLiteral("Row 1ø"));
        program_->session->FinishSaves();
        QCOMPARE(ReadFileBytes(file), before);
        // Moving on asks to save; the refused save keeps the card where it is.
        messages_->clear();
        messages_->queueAnswer(MsgResult::Yes);
        messages_->queueAnswer(MsgResult::No);
        act("actDBMoveNext")->trigger();
        QCOMPARE(card().fieldText(0), QStringLiteral("Row 1ø"));
        QCOMPARE(navigation(), QStringLiteral("1 / 2 [%1]").arg(file));
        // Yes: converted (the old file kept as .bak), then stored.
        messages_->clear();
        messages_->queueAnswer(MsgResult::Yes);
        act("actDBSave")->trigger();
        QCOMPARE(messages_->texts(), QStringList{question});
        QVERIFY(main().Session().Quib1().IsUnicode());
        QCOMPARE(ReadFileBytes(file + QStringLiteral(".bak")), before);
        QCOMPARE(readFile(file).rows[0][0], QStringLiteral("Row 1ø"));
        QVERIFY(!main().Session().RecordChanged());
    }

    void aCellTheFileCannotHoldStaysAsItWas() {
        const QString file = path(QStringLiteral("db.tbr"));
        apptest::MakeDatabase(file, 2);
        start({file});
        const QByteArray before = ReadFileBytes(file);
        act("actShowAsTable")->trigger();
        QVERIFY(main().IsTableShown());
        TframeMainGrid& grid = *main().frameMainGrid();
        QAbstractItemModel* model = grid.grid()->model();
        // No: the cell shows what the database holds, the file as it was.
        messages_->queueAnswer(MsgResult::No);
        QVERIFY(model->setData(model->index(1, 0), QStringLiteral("Ωmega"), Qt::EditRole));
        QCOMPARE(messages_->texts().size(), 2);
        QVERIFY(messages_->messages()[0].text.contains(QStringLiteral("so \"Ω\" cannot")));
        QCOMPARE(grid.cellText(1, 0), QStringLiteral("Row 2"));
        program_->session->FinishSaves();
        QCOMPARE(ReadFileBytes(file), before);
        // Yes: converted and stored.
        messages_->clear();
        messages_->queueAnswer(MsgResult::Yes);
        QVERIFY(model->setData(model->index(1, 0), QStringLiteral("Ωmega"), Qt::EditRole));
        QCOMPARE(messages_->texts().size(), 1);
        QCOMPARE(grid.cellText(1, 0), QStringLiteral("Ωmega"));
        QCOMPARE(readFile(file).rows[1][0], QStringLiteral("Ωmega"));
    }

    void saveWritesTheRecordAndTheFile() {
        const QString file = path(QStringLiteral("db.tbr"));
        apptest::MakeDatabase(file, 2);
        start({file});
        card().setFieldText(4, QStringLiteral("Olomouc"));
        act("actDBSave")->trigger();
        QVERIFY(!main().Session().RecordChanged());
        QCOMPARE(readFile(file).rows[0][4], QStringLiteral("Olomouc"));
        QVERIFY(messages_->messages().empty());
    }

    void closingTheProgramWaitsForAPendingSave() {
        const QString file = path(QStringLiteral("db.tbr"));
        apptest::MakeDatabase(file, 2);
        start({file});
        // A slow disk: the write is still running when the window closes.
        main().Session().Writer().SetWriteFunction(
            [](const quib::QuibSnapshot& snapshot, const std::string& target) {
                std::this_thread::sleep_for(std::chrono::milliseconds(400));
                snapshot.SaveTo(target);
            });
        card().setFieldText(4, QStringLiteral("Zlin"));
        act("actDBSave")->trigger();
        QVERIFY(main().close());
        QVERIFY(main().Session().Writer().Idle());
        QCOMPARE(ReadFile(file).rows[0][4], QStringLiteral("Zlin"));
        QVERIFY(messages_->messages().empty());
    }

    void failedBackgroundSaveIsReportedAtOnce() {
        const QString file = path(QStringLiteral("db.tbr"));
        apptest::MakeDatabase(file, 2);
        start({file});
        // The file was replaced by a folder: the engine refuses to write it.
        QVERIFY(QFile::remove(file));
        QVERIFY(QDir().mkdir(file));
        card().setFieldText(4, QStringLiteral("Zlin"));
        act("actDBSave")->trigger();
        QTRY_COMPARE(messages_->messages().size(), size_t(1));
        QCOMPARE(messages_->messages().front().type, MsgType::Error);
        QVERIFY(messages_->texts().front().contains(
            QStringLiteral("Error when opening database file to write.")));
        // The record is still there; the next save writes it.
        QVERIFY(QDir().rmdir(file));
        act("actDBSave")->trigger();
        QCOMPARE(readFile(file).rows[0][4], QStringLiteral("Zlin"));
        QCOMPARE(messages_->messages().size(), size_t(1));
    }

    void openAsksAndOpensTheChosenFile() {
        const QString first = path(QStringLiteral("first.tbr"));
        const QString second = path(QStringLiteral("second.tbr"));
        apptest::MakeDatabase(first, 1);
        apptest::MakeDatabase(second, 3);
        start({first});
        card().setFieldText(0, QStringLiteral("Changed"));
        answerFileDialogs(second);
        messages_->queueAnswer(MsgResult::Cancel);
        act("actDBOpen")->trigger();
        QCOMPARE(main().Session().Quib1().DatabaseName(), first);
        QCOMPARE(card().fieldText(0), QStringLiteral("Changed"));

        messages_->queueAnswer(MsgResult::Yes);
        act("actDBOpen")->trigger();
        QCOMPARE(main().Session().Quib1().DatabaseName(), second);
        QCOMPARE(navigation(), QStringLiteral("1 / 3 [%1]").arg(second));
        QCOMPARE(readFile(first).rows[0][0], QStringLiteral("Changed"));
        QCOMPARE(main().RecentFileEntry(0)->statusTip(), second);

        answerFileDialogs(QString());
        act("actDBOpen")->trigger();
        QCOMPARE(main().Session().Quib1().DatabaseName(), second);
    }

    void saveAsWritesPendingEditsIntoTheNewFileOnly() {
        const QString file = path(QStringLiteral("db.tbr"));
        const QString copy = path(QStringLiteral("copy.tbr"));
        apptest::MakeDatabase(file, 2);
        start({file});
        card().setFieldText(0, QStringLiteral("Unsaved"));
        answerFileDialogs(copy);
        act("actDBSaveAs")->trigger();
        QVERIFY(messages_->messages().empty());
        QCOMPARE(main().Session().Quib1().DatabaseName(), copy);
        QCOMPARE(card().fieldText(0), QStringLiteral("Unsaved"));
        QVERIFY(!main().Session().RecordChanged());
        QCOMPARE(readFile(copy).rows[0][0], QStringLiteral("Unsaved"));
        QCOMPARE(readFile(file).rows[0][0], QStringLiteral("Row 1"));
    }

    void promptAnswers_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("rowAfter");
        QTest::addColumn<QString>("storedFirst");
        QTest::newRow("yes saves") << int(MsgResult::Yes) << 1 << "Edited";
        QTest::newRow("no discards") << int(MsgResult::No) << 1 << "Row 1";
        QTest::newRow("cancel stays") << int(MsgResult::Cancel) << 0 << "Row 1";
    }

    void promptAnswers() {
        QFETCH(int, answer);
        QFETCH(int, rowAfter);
        QFETCH(QString, storedFirst);
        const QString file = path(QStringLiteral("db.tbr"));
        apptest::MakeDatabase(file, 3);
        start({file});
        typeInto(0, QStringLiteral(" edited"));
        card().setFieldText(0, QStringLiteral("Edited"));
        messages_->queueAnswer(MsgResult(answer));
        act("actDBMoveNext")->trigger();
        QCOMPARE(messages_->texts(), QStringList{kSavePrompt});
        QCOMPARE(messages_->messages().front().buttons, MsgButtons::YesNoCancel);
        QCOMPARE(main().Session().Quib1().RowIndex(), rowAfter);
        QCOMPARE(readFile(file).rows[0][0], storedFirst);
        if (rowAfter == 0) {
            QCOMPARE(card().fieldText(0), QStringLiteral("Edited"));
            QVERIFY(main().Session().RecordChanged());
        }
    }

    void closingWithEditsAsks_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("yes") << int(MsgResult::Yes) << true << "Edited";
        QTest::newRow("no") << int(MsgResult::No) << true << "Row 1";
        QTest::newRow("cancel") << int(MsgResult::Cancel) << false << "Row 1";
    }

    void closingWithEditsAsks() {
        QFETCH(int, answer);
        QFETCH(bool, closed);
        QFETCH(QString, stored);
        const QString file = path(QStringLiteral("db.tbr"));
        apptest::MakeDatabase(file, 2);
        start({file});
        card().setFieldText(0, QStringLiteral("Edited"));
        messages_->queueAnswer(MsgResult(answer));
        QCOMPARE(main().close(), closed);
        QCOMPARE(main().isVisible(), !closed);
        QCOMPARE(messages_->texts(), QStringList{kSavePrompt});
        QCOMPARE(readFile(file).rows[0][0], stored);
    }

    void closingWithoutEditsAsksNothing() {
        const QString file = path(QStringLiteral("db.tbr"));
        apptest::MakeDatabase(file, 2);
        start({file});
        QVERIFY(main().close());
        QVERIFY(messages_->messages().empty());
    }

    void newAndDeleteRecords() {
        const QString file = path(QStringLiteral("db.tbr"));
        apptest::MakeDatabase(file, 2);
        start({file});
        act("actDBNewRow")->trigger();
        QCOMPARE(main().Session().Quib1().RowsCount(), 3);
        QCOMPARE(main().Session().Quib1().RowIndex(), 2);
        QCOMPARE(card().fieldText(0), QString());
        QCOMPARE(readFile(file).rows.size(), 3);  // record New saves the new record

        // Deleting the last record moves to the new last one.
        act("actDBDeleteRow")->trigger();
        QCOMPARE(main().Session().Quib1().RowsCount(), 2);
        QCOMPARE(main().Session().Quib1().RowIndex(), 1);
        QCOMPARE(card().fieldText(0), QStringLiteral("Row 2"));
        // Deleting the first keeps the place: the next record moves up.
        act("actDBMoveFirst")->trigger();
        act("actDBDeleteRow")->trigger();
        QCOMPARE(main().Session().Quib1().RowsCount(), 1);
        QCOMPARE(card().fieldText(0), QStringLiteral("Row 2"));
        QVERIFY(!act("actDBDeleteRow")->isEnabled());
        act("actDBDeleteRow")->trigger();
        QCOMPARE(main().Session().Quib1().RowsCount(), 1);
        QVERIFY(messages_->messages().empty());
    }

    void emptyDatabaseShowsEmptyEnabledFields() {
        const QString file = path(QStringLiteral("empty.tbr"));
        apptest::MakeDatabase(file, 0);
        start({file});
        QCOMPARE(navigation(), QStringLiteral("0 / 0 [%1]").arg(file));
        QVERIFY(card().fieldEdit(0)->isEnabled());
        QVERIFY(!act("actDBSaveRow")->isEnabled());
        card().setFieldText(0, QStringLiteral("Typed"));
        act("actDBSaveRow")->trigger();
        QCOMPARE(readFile(file).rows.size(), 0);
    }

    void noDatabaseLeavesFieldsEmptyAndDisabled() {
        startWithoutDatabase();
        for (int i = 0; i < TframeMainIDE::FieldCount; ++i) {
            QVERIFY(!card().fieldEdit(i)->isEnabled());
            QCOMPARE(card().fieldText(i), QString());
        }
    }

    void refusedFiles_data() {
        QTest::addColumn<QString>("productName");
        QTest::addColumn<QString>("minVersion");
        QTest::addColumn<QString>("message");
        QTest::newRow("another product") << "Orvane Notes"
                                         << "2.5.1"
                                         << "The file isn't database for this program.";
        QTest::newRow("name differs in case") << "orvane contacts"
                                              << "2.5.1"
                                              << "The file isn't database for this program.";
        QTest::newRow("newer program needed")
            << product::Name << "9.0.0"
            << "The database require newer version of this program (9.0.0).";
    }

    void refusedFiles() {
        QFETCH(QString, productName);
        QFETCH(QString, minVersion);
        QFETCH(QString, message);
        const QString good = path(QStringLiteral("good.tbr"));
        const QString bad = path(QStringLiteral("bad.tbr"));
        apptest::MakeDatabase(good, 2);
        MakeDatabaseWithColumns(bad, ContactSchema::ColumnNames(), minVersion, productName);
        start({good});
        answerFileDialogs(bad);
        act("actDBOpen")->trigger();
        QCOMPARE(messages_->texts(), QStringList{message});
        QCOMPARE(messages_->messages().front().type, MsgType::Error);
        // The program is left without a database; the good one is closed too.
        QCOMPARE(main().Session().Quib1().DatabaseName(), QString());
        QVERIFY(!card().fieldEdit(0)->isEnabled());
        QCOMPARE(card().fieldText(0), QString());
        QVERIFY(!act("actDBSave")->isEnabled());
    }

    void reorderedColumnsShowEveryField() {
        QStringList columns = ContactSchema::ColumnNames();
        std::reverse(columns.begin(), columns.end());
        const QString file = path(QStringLiteral("reversed.tbr"));
        MakeDatabaseWithColumns(file, columns);
        start({file});
        QVERIFY(messages_->messages().empty());
        const QStringList names = ContactSchema::ColumnNames();
        for (int i = 0; i < names.size(); ++i) {
            QCOMPARE(card().fieldText(i), names[i] + QStringLiteral(" value"));
            const TColumnCatalogue& columns = main().Session().Columns();
            const int k = columns.lstDBColsIndexFromProgram[i];
            QCOMPARE(columns.lstDBColsIndexFromDB[k], i);
        }
        // An edit lands in the database's own column for that field.
        card().setFieldText(1, QStringLiteral("Eva"));
        act("actDBSave")->trigger();
        QCOMPARE(readFile(file).rows[0][30], QStringLiteral("Eva"));
    }

    void mismatchedColumnsWarnAndOpen() {
        QStringList columns = ContactSchema::ColumnNames();
        for (const char* gone : {"Home_Nick", "Work_Position", "Work_ICO", "Work_DIC"}) {
            columns.removeOne(QLatin1String(gone));
        }
        columns << QStringLiteral("Birthday");
        const QString file = path(QStringLiteral("old.tbr"));
        MakeDatabaseWithColumns(file, columns);
        start({file});
        QCOMPARE(main().Session().Quib1().DatabaseName(), file);
        QCOMPARE(messages_->messages().size(), size_t(1));
        const MessageRecorder::Message& warning = messages_->messages().front();
        QCOMPARE(warning.type, MsgType::Warning);
        const QString br = QStringLiteral("\n\r");
        QVERIFY(warning.text.contains(QStringLiteral("Database File Name: ") + file + br));
        QVERIFY(warning.text.contains(QStringLiteral("Database Version: 2.7.0") + br));
        QVERIFY(warning.text.contains(br + QStringLiteral("Birthday") + br + br));
        QVERIFY(warning.text.contains(
            QStringLiteral("Changes in this fields will not be saved:") + br +
            QStringLiteral("Nick (home) [Home_Nick]") + br + "Position (work) [Work_Position]" +
            br + "ICO (work) [Work_ICO]" + br + "DIC (work) [Work_DIC]" + br + br));
        QCOMPARE(card().fieldText(0), QStringLiteral("SurName value"));
        QCOMPARE(card().fieldText(31), QStringLiteral("Notes value"));
        // A missing field's edits are not stored; the others are.
        card().setFieldText(2, QStringLiteral("Nick typed"));
        card().setFieldText(3, QStringLiteral("Street 1"));
        act("actDBSave")->trigger();
        QCOMPARE(card().fieldText(2), QString());
        const FileContents contents = readFile(file);
        QCOMPARE(contents.rows[0][2], QStringLiteral("Street 1"));
        QCOMPARE(contents.rows[0][28], QStringLiteral("Birthday value"));
        QVERIFY(!contents.rows[0].contains(QStringLiteral("Nick typed")));
    }

    void databaseWithoutMinimumVersionOpens() {
        const QString file = path(QStringLiteral("nomin.tbr"));
        MakeDatabaseWithColumns(file, ContactSchema::ColumnNames());
        {
            TQuib quib;
            quib.SetDatabaseName(file);
            QVERIFY(quib.Open());
            quib.DeleteHeader(quib.GetHeaderIndexFromName(QStringLiteral("ProgramMinVersion")));
            quib.Save();
        }
        start({file});
        QVERIFY(messages_->messages().empty());
        QCOMPARE(main().Session().Quib1().DatabaseName(), file);
    }

    void typingInNotesMarksTheRecord() {
        const QString file = path(QStringLiteral("db.tbr"));
        apptest::MakeDatabase(file, 2);
        start({file});
        QVERIFY(!main().Session().RecordChanged());
        typeInto(31, QStringLiteral("x"));
        QVERIFY(main().Session().RecordChanged());
    }

    void failedCreateLeavesNoDatabaseOpen() {
        const QString file = path(QStringLiteral("db.tbr"));
        apptest::MakeDatabase(file, 2);
        start({file});
        answerFileDialogs(path(QStringLiteral("no-such-folder/new.tbr")));
        act("actDBCreate")->trigger();
        // The engine's error went no further than the error report.
        QVERIFY(!messages_->messages().empty());
        QCOMPARE(messages_->messages().back().type, MsgType::Error);
        QCOMPARE(main().Session().Quib1().DatabaseName(), QString());
        QVERIFY(!card().fieldEdit(0)->isEnabled());
        QVERIFY(!act("actDBSave")->isEnabled());
        QCOMPARE(readFile(file).rows.size(), 2);
    }

    void failedSaveAsKeepsTheOldName() {
        const QString file = path(QStringLiteral("db.tbr"));
        apptest::MakeDatabase(file, 2);
        start({file});
        answerFileDialogs(path(QStringLiteral("no-such-folder/copy.tbr")));
        act("actDBSaveAs")->trigger();
        // The engine's error went no further than the error report.
        QVERIFY(!messages_->messages().empty());
        QCOMPARE(messages_->messages().back().type, MsgType::Error);
        QCOMPARE(main().Session().Quib1().DatabaseName(), file);
        card().setFieldText(0, QStringLiteral("Later"));
        act("actDBSave")->trigger();
        QCOMPARE(readFile(file).rows[0][0], QStringLiteral("Later"));
    }

    void leavingTheCardForOtherViewsAsksAboutEdits_data() {
        QTest::addColumn<QString>("command");
        QTest::newRow("print") << "actDBPrint";
        QTest::newRow("sort builder") << "actDBSortShow";
        QTest::newRow("query") << "actEditFindQuery";
    }

    void leavingTheCardForOtherViewsAsksAboutEdits() {
        QFETCH(QString, command);
        const QString file = path(QStringLiteral("db.tbr"));
        apptest::MakeDatabase(file, 2);
        start({file});
        card().setFieldText(0, QStringLiteral("Edited"));
        messages_->queueAnswer(MsgResult::Cancel);
        common().action(command)->trigger();
        QCOMPARE(main().CurrentView(), TView::Card);
        QCOMPARE(card().fieldText(0), QStringLiteral("Edited"));
        common().action(command)->trigger();  // Yes
        QVERIFY(main().CurrentView() != TView::Card);
        QCOMPARE(readFile(file).rows[0][0], QStringLiteral("Edited"));
        QCOMPARE(messages_->texts(), QStringList(2, kSavePrompt));
    }

    void switchingToTableAsksAboutEdits() {
        const QString file = path(QStringLiteral("db.tbr"));
        apptest::MakeDatabase(file, 2);
        start({file});
        card().setFieldText(0, QStringLiteral("Edited"));
        messages_->queueAnswer(MsgResult::Cancel);
        act("actShowAsTable")->trigger();
        QVERIFY(!main().IsTableShown());
        QVERIFY(!act("actShowAsTable")->isChecked());
        QCOMPARE(card().fieldText(0), QStringLiteral("Edited"));
        act("actShowAsTable")->trigger();  // Yes
        QVERIFY(main().IsTableShown());
        QCOMPARE(readFile(file).rows[0][0], QStringLiteral("Edited"));
    }
};

QTEST_MAIN(TestDatabaseCommands)
#include "test_DatabaseCommands.moc"
