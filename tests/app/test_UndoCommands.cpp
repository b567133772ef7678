// Edit > Undo and Redo through the real main window: what the menu items
// say, the typing of a text control going first, deleting on the card and
// in the table (also among the hits of a query), imports undone in one step,
// and every undo saved.

#include "app/Pellum.h"
#include "app/u_frmCommon.h"
#include "app/u_frmMain.h"
#include "exchange/u_BatchImport.h"
#include "query/u_Query.h"
#include "query/u_frameMainDBQuery.h"
#include "query/u_frameMainQuery.h"
#include "session/u_ContactsSession.h"
#include "support/u_FileChooser.h"
#include "views/u_frameMainGrid.h"
#include "views/u_frameMainIDE.h"

#include "AppTestSupport.h"
#include "testsupport/TestSupport.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

namespace cs = ContactSchema;

class TestUndoCommands : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<MessageRecorder> messages_;
    std::unique_ptr<TProgram> program_;
    QString path_;

    TfrmMain& main() { return *program_->frmMain; }
    TfrmCommon& common() { return *program_->frmCommon; }
    TContactsSession& session() { return *program_->session; }
    QAction* act(const char* name) { return common().action(QLatin1String(name)); }
    QString undoText() { return act("actEditUndo")->text(); }
    QString redoText() { return act("actEditRedo")->text(); }
    QWidget* field(int i) { return main().frameMainIDE()->fieldEdit(i); }

    void start() {
        program_ = StartProgram({path_}, false);
        main().resize(900, 600);
        main().show();
        QVERIFY(QTest::qWaitForWindowExposed(&main()));
        main().activateWindow();
    }
    // The file once every save asked for is written.
    QByteArray file() {
        if (program_) {
            session().FinishSaves();
        }
        QFile f(path_);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // Ctrl+Z and Ctrl+Y as the user presses them, on the focused widget.
    void pressUndo() {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
    }
    void pressRedo() {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Y, Qt::ControlModifier);
    }
    QStringList surnames() {
        QStringList names;
        for (int r = 0; r < session().Quib1().RowsCount(); ++r) {
            names << session().FieldText(r, cs::SurName);
        }
        return names;
    }
    QString vcardFile(int count) {
        QByteArray bytes;
        for (int i = 0; i < count; ++i) {
            bytes += "BEGIN:VCARD\r\nVERSION:4.0\r\nN:Imported " + QByteArray::number(i) +
                     ";Jan\r\nEND:VCARD\r\n";
        }
        const QString vcf = dir_->filePath(QStringLiteral("many.vcf"));
        QFile out(vcf);
        if (out.open(QIODevice::WriteOnly)) {
            out.write(bytes);
        }
        return vcf;
    }

  private slots:
    void init() {
        apptest::ClearSettings();
        FileChooserTest::Reset();
        dir_ = std::make_unique<QTemporaryDir>();
        path_ = dir_->filePath(QStringLiteral("five.tbr"));
        apptest::MakeDatabase(path_, 5);
        messages_ = std::make_unique<MessageRecorder>();
        start();
    }

    void cleanup() {
        program_.reset();
        messages_.reset();
        FileChooserTest::Reset();
        dir_.reset();
    }

    void editMenuHoldsUndoAndRedo() {
        const QList<QAction*> edit = main().findChild<QMenu*>(QStringLiteral("mnuEdit"))->actions();
        QCOMPARE(edit.value(0), act("actEditUndo"));
        QCOMPARE(edit.value(1), act("actEditRedo"));
        QCOMPARE(act("actEditUndo")->shortcuts(),
                 (QList<QKeySequence>{QKeySequence(Qt::ALT | Qt::Key_Backspace),
                                      QKeySequence(Qt::CTRL | Qt::Key_Z)}));
        QCOMPARE(act("actEditRedo")->shortcuts(),
                 (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                                      QKeySequence(Qt::CTRL | Qt::Key_Y)}));
        QCOMPARE(undoText(), QStringLiteral("&Undo"));
        QCOMPARE(redoText(), QStringLiteral("&Redo"));
    }

    void menuItemsNameTheStep() {
        act("actDBDeleteRow")->trigger();
        QCOMPARE(undoText(), QStringLiteral("&Undo Delete Record"));
        QCOMPARE(redoText(), QStringLiteral("&Redo"));
        act("actEditUndo")->trigger();
        QCOMPARE(undoText(), QStringLiteral("&Undo"));
        QCOMPARE(redoText(), QStringLiteral("&Redo Delete Record"));
        act("actDBNewRow")->trigger();
        QCOMPARE(undoText(), QStringLiteral("&Undo New Record"));
        QCOMPARE(redoText(), QStringLiteral("&Redo"));
        TRecordBatch batch;
        for (int i = 0; i < 2000; ++i) {
            batch.AppendRow({QStringLiteral("Imported %1").arg(i)});
        }
        QCOMPARE(ImportBatch(session(), batch), 2000);
        QCOMPARE(undoText(), QStringLiteral("&Undo Import of 2,000 Records"));
        session().Sort({{session().ColumnOfField(cs::SurName), false}});
        QCOMPARE(undoText(), QStringLiteral("&Undo Sort"));
        session().StoreField(1, cs::Home_Town, QStringLiteral("Brno"));
        QCOMPARE(undoText(), QStringLiteral("&Undo Edit of Town (home)"));
    }

    void typingInAFieldIsUndoneBeforeTheDatabase() {
        // A database change first: a record saved from the card.
        const QByteArray start = file();
        auto* firstName = qobject_cast<QLineEdit*>(field(cs::FirstName));
        firstName->setFocus();
        QTest::keyClicks(firstName, QStringLiteral("Jana"));
        act("actDBSaveRow")->trigger();
        QCOMPARE(session().FieldText(cs::FirstName), QStringLiteral("Jana"));
        const QByteArray saved = file();
        QVERIFY(saved != start);
        // Then typing in another field.
        auto* surname = qobject_cast<QLineEdit*>(field(cs::SurName));
        surname->setFocus();
        QTest::keyClicks(surname, QStringLiteral("xyz"));
        QCOMPARE(surname->text(), QStringLiteral("Row 1xyz"));
        QCOMPARE(undoText(), QStringLiteral("&Undo Typing"));
        pressUndo();
        QCOMPARE(surname->text(), QStringLiteral("Row 1"));
        QCOMPARE(file(), saved);
        QCOMPARE(undoText(), QStringLiteral("&Undo Save Record"));
        pressUndo();
        QCOMPARE(firstName->text(), QString());
        QCOMPARE(session().FieldText(cs::FirstName), QString());
        QCOMPARE(file(), start);
        pressRedo();
        QCOMPARE(firstName->text(), QStringLiteral("Jana"));
        QCOMPARE(file(), saved);
    }

    void unsavedTypingOnTheCardGoesFirst() {
        act("actDBMoveNext")->trigger();
        act("actDBDeleteRow")->trigger();
        const QByteArray afterDelete = file();
        // Typed into a field the focus has left: the card's typing still goes first.
        auto* notes = field(cs::Notes);
        notes->setFocus();
        QTest::keyClicks(notes, QStringLiteral("note"));
        field(cs::SurName)->setFocus();
        QCOMPARE(undoText(), QStringLiteral("&Undo Typing"));
        act("actEditUndo")->trigger();
        QCOMPARE(main().frameMainIDE()->fieldText(cs::Notes), QString());
        QCOMPARE(file(), afterDelete);
        act("actEditUndo")->trigger();
        QCOMPARE(surnames(), (QStringList{"Row 1", "Row 2", "Row 3", "Row 4", "Row 5"}));
        // The card shows the record that came back.
        QCOMPARE(main().frameMainIDE()->fieldText(cs::SurName), QStringLiteral("Row 2"));
    }

    void deleteOnTheCardIsSavedAndUndone_data() {
        QTest::addColumn<int>("record");
        QTest::newRow("first") << 0;
        QTest::newRow("middle") << 2;
        QTest::newRow("last") << 4;
    }
    void deleteOnTheCardIsSavedAndUndone() {
        QFETCH(int, record);
        const QByteArray before = file();
        session().MoveTo(record);
        act("actDBDeleteRow")->trigger();
        QCOMPARE(session().Quib1().RowsCount(), 4);
        const QByteArray after = file();
        QVERIFY(after != before);
        field(cs::SurName)->setFocus();
        pressUndo();
        QCOMPARE(file(), before);
        QCOMPARE(session().Quib1().RowIndex(), record);
        QCOMPARE(main().frameMainIDE()->fieldText(cs::SurName),
                 QStringLiteral("Row %1").arg(record + 1));
        pressRedo();
        QCOMPARE(file(), after);
    }

    void deleteKeyInTheTableAmongTheHitsIsUndone_data() {
        QTest::addColumn<int>("hit");
        QTest::addColumn<QString>("left");
        QTest::newRow("first hit") << 0 << "3";
        QTest::newRow("last hit") << 1 << "2";
    }
    void deleteKeyInTheTableAmongTheHitsIsUndone() {
        QFETCH(int, hit);
        QFETCH(QString, left);
        // Hits 2 and 4: "Row 2" and "Row 4".
        session().StoreField(1, cs::Home_Town, QStringLiteral("hit"));
        session().StoreField(3, cs::Home_Town, QStringLiteral("hit"));
        const QByteArray before = file();
        act("actEditFindQuery")->trigger();
        auto& builder = main().frameMainDBQuery()->QueryBuilder();
        builder.findChild<QComboBox*>(QStringLiteral("txtQueryItem1"))
            ->setCurrentIndex(int(TQuery::ItemFirstColumn) + int(cs::Home_Town));
        builder.findChild<QLineEdit*>(QStringLiteral("txtQueryText1"))->setText("hit");
        act("actDBFindQueryProcess")->trigger();
        TframeMainGrid& grid = main().Grid();
        QCOMPARE(grid.rowCount(), 2);
        grid.selectCell(hit, cs::SurName);
        grid.grid()->setFocus();
        QTest::keyClick(grid.grid(), Qt::Key_Delete);
        QCOMPARE(session().Quib1().RowsCount(), 4);
        QCOMPARE(grid.rowCount(), 1);
        QCOMPARE(grid.rowNumber(0), left);
        const QByteArray after = file();
        QVERIFY(after != before);
        pressUndo();
        QCOMPARE(file(), before);
        // The record came back, among the hits.
        QCOMPARE(grid.rowCount(), 2);
        QCOMPARE(grid.rowNumber(0), QStringLiteral("2"));
        QCOMPARE(grid.rowNumber(1), QStringLiteral("4"));
        QCOMPARE(grid.cellText(hit, cs::SurName), QStringLiteral("Row %1").arg(2 + 2 * hit));
        pressRedo();
        QCOMPARE(file(), after);
        QCOMPARE(grid.rowCount(), 1);
    }

    void aCellEditIsOneStepAndEscapeStoresNothing() {
        act("actShowAsTable")->trigger();
        TframeMainGrid& grid = main().Grid();
        const QByteArray before = file();
        grid.selectCell(2, cs::Home_Town);
        grid.grid()->setFocus();
        QTest::keyClick(grid.grid(), 'B');
        auto* editor = grid.grid()->findChild<QLineEdit*>();
        QVERIFY(editor);
        QTest::keyClicks(editor, QStringLiteral("rno"));
        QTest::keyClick(editor, Qt::Key_Escape);
        QCOMPARE(grid.cellText(2, cs::Home_Town), QString());
        QCOMPARE(file(), before);
        QCOMPARE(undoText(), QStringLiteral("&Undo"));
        // The closed editor goes.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QTest::keyClick(grid.grid(), 'B');
        editor = grid.grid()->findChild<QLineEdit*>();
        QVERIFY(editor);
        QTest::keyClicks(editor, QStringLiteral("rno"));
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(session().FieldText(2, cs::Home_Town), QStringLiteral("Brno"));
        QCOMPARE(session().UndoStack().UndoCount(), 1);
        const QByteArray after = file();
        pressUndo();
        QCOMPARE(file(), before);
        QCOMPARE(grid.cellText(2, cs::Home_Town), QString());
        pressRedo();
        QCOMPARE(file(), after);
        QCOMPARE(grid.cellText(2, cs::Home_Town), QStringLiteral("Brno"));
    }

    void aThousandCardImportIsUndoneInOneStep() {
        const QByteArray before = file();
        FileChooserTest::QueueAnswer(vcardFile(1000));
        act("actDBImportFromVCard")->trigger();
        QCOMPARE(messages_->texts(), QStringList{"Contacts imported: 1000."});
        QCOMPARE(session().Quib1().RowsCount(), 1005);
        QCOMPARE(undoText(), QStringLiteral("&Undo Import of 1,000 Records"));
        field(cs::SurName)->setFocus();
        pressUndo();
        QCOMPARE(session().Quib1().RowsCount(), 5);
        QCOMPARE(file(), before);
    }

    void csvImportThroughItsDialogIsOneStep() {
        const QByteArray before = file();
        const QString csv = dir_->filePath(QStringLiteral("in.csv"));
        {
            QFile f(csv);
            QVERIFY(f.open(QIODevice::WriteOnly));
            for (int i = 0; i < 300; ++i) {
                f.write("\"Nový " + QByteArray::number(i) + "\",\"Jan\"\r\n");
            }
        }
        common().DialogRunner = [&](QDialog& dialog) {
            dialog.show();
            FileChooserTest::QueueAnswer(csv);
            apptest::DialogControl<QPushButton>(dialog, "cmdBrowse")->click();
            apptest::DialogControl<QCheckBox>(dialog, "cbHasHeaderRow")->setChecked(false);
            apptest::DialogControl<QPushButton>(dialog, "cmdOK")->click();
            dialog.close();
        };
        act("actDBImportFromCSV")->trigger();
        QCOMPARE(session().Quib1().RowsCount(), 305);
        QCOMPARE(undoText(), QStringLiteral("&Undo Import of 300 Records"));
        act("actEditUndo")->trigger();
        QCOMPARE(file(), before);
    }

    void deleteThenCloseAtOnceLeavesTheRecordGone() {
        session().MoveTo(1);
        act("actDBDeleteRow")->trigger();
        // Closed at once, without waiting for anything.
        main().close();
        program_.reset();
        auto check = std::make_unique<TQuib>();
        check->SetDatabaseName(path_);
        QVERIFY(check->Open());
        QCOMPARE(check->RowsCount(), 4);
        QCOMPARE(check->GetData(1, cs::SurName), QStringLiteral("Row 3"));
        check.reset();
        // Started again, the program shows it gone.
        start();
        QCOMPARE(surnames(), (QStringList{"Row 1", "Row 3", "Row 4", "Row 5"}));
    }

    void undoInThePrintStepsLeavesTheDatabase() {
        act("actDBDeleteRow")->trigger();
        const QByteArray afterDelete = file();
        act("actDBPrint")->trigger();
        QCOMPARE(undoText(), QStringLiteral("&Undo"));
        act("actEditUndo")->trigger();
        QCOMPARE(file(), afterDelete);
    }

    // The edit commands run on what has the focus, also a table without an
    // editor, which has no such slots to call.
    void editCommandsOnTheTableWarnNothing() {
        act("actShowAsTable")->trigger();
        main().Grid().grid()->setFocus();
        QTest::failOnWarning(QRegularExpression(QStringLiteral("No such method")));
        for (const char* name :
             {"actEditUndo", "actEditRedo", "actEditCut", "actEditCopy", "actEditPaste"}) {
            act(name)->trigger();
        }
        QCOMPARE(session().Quib1().RowsCount(), 5);
    }

    void openingAnotherDatabaseForgetsTheSteps() {
        act("actDBDeleteRow")->trigger();
        const QString other = dir_->filePath(QStringLiteral("other.tbr"));
        apptest::MakeDatabase(other, 2);
        FileChooserTest::QueueAnswer(other);
        act("actDBOpen")->trigger();
        QCOMPARE(session().DatabaseName(), other);
        QCOMPARE(undoText(), QStringLiteral("&Undo"));
        act("actEditUndo")->trigger();
        QCOMPARE(session().Quib1().RowsCount(), 2);
    }
};

QTEST_MAIN(TestUndoCommands)
#include "test_UndoCommands.moc"
