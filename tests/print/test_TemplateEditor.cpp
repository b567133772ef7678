#include "PrintFixture.h"

#include "print/u_TemplateEditing.h"
#include "print/u_TemplateEditor.h"
#include "print/u_dlgTemplateFind.h"
#include "print/u_frameMainPrintTemplate.h"
#include "support/u_FileChooser.h"
#include "testsupport/TestSupport.h"

#include <QAction>
#include <QFile>
#include <QListWidget>
#include <QMenu>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolButton>

namespace {

void Select(QTextEdit* edit, int from, int length) {
    QTextCursor c = edit->textCursor();
    c.setPosition(from);
    c.setPosition(from + length, QTextCursor::KeepAnchor);
    edit->setTextCursor(c);
}

QString Selected(QTextEdit* edit) {
    return edit->textCursor().selectedText();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

}  // namespace

class TestTemplateEditor : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();
    void sizeTags_data();
    void sizeTags();
    void insertFieldFromTheList();
    void boldWrapsTheSelection();
    void boldOnEmptySelection();
    void formatCommandsOnlyOnTheTemplateStep();
    void fontSizeMenuAndButton();
    void fontSizeClosesWithTheSizeInForce();
    void saveAfterStartUpAsksForAName();
    void saveAndReopen();
    void saveFailureKeepsTheFileName();
    void openFailureKeepsTextAndFileName();
    void olderNumberedTemplateIsConverted();
    void findAndReplace();
    void contextMenuOnlyWhilePresent();
    void startUpLoadsDefaultTemplateAndPage();
    void startUpWithoutDefaultTemplateIsNoError();
    void startUpWithUnreadableTemplateShowsError();
    void newEmptiesAndForgetsTheName();
    void outsideTheStepFileAndFindCommandsHandOver();

  private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<MessageRecorder> messages_;
    std::unique_ptr<TframeMainPrintTemplate> step_;
    TTemplateEditor* editor_ = nullptr;
    QTextEdit* text_ = nullptr;
};

void TestTemplateEditor::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    messages_ = std::make_unique<MessageRecorder>();
    step_ = std::make_unique<TframeMainPrintTemplate>();
    PrintDatabase catalogue({});
    step_->SetCatalogue(catalogue.names, catalogue.titlesFull, catalogue.names_2_5_2);
    step_->FillColumns();
    step_->ShowUserPage();
    step_->resize(800, 500);
    step_->show();
    step_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(step_.get()));
    editor_ = step_->editor();
    editor_->SetStepCurrent(true);
    text_ = editor_->rtbTemplateUser();
}

void TestTemplateEditor::cleanup() {
    FileChooserTest::Reset();
    step_.reset();
    messages_.reset();
    dir_.reset();
}

void TestTemplateEditor::sizeTags_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("amount");
    QTest::newRow("none") << "abc" << 2 << 0;
    QTest::newRow("two digits") << "[P-01]abc" << 7 << -1;
    QTest::newRow("one digit") << "[P+3]abc" << 6 << 3;
    QTest::newRow("nearest wins") << "[P+02]a[P-04]b" << 14 << -4;
    QTest::newRow("after position ignored") << "a[P+02]" << 1 << 0;
    QTest::newRow("three digits do not count") << "[P+01][P+123]x" << 13 << 1;
}

void TestTemplateEditor::sizeTags() {
    QFETCH(QString, text);
    QFETCH(int, position);
    QTEST(TemplateEditing::SizeAmountBefore(text, position), "amount");
    QCOMPARE(TemplateEditing::SizeTag(0), QStringLiteral("[P+00]"));
    QCOMPARE(TemplateEditing::SizeTag(3), QStringLiteral("[P+03]"));
    QCOMPARE(TemplateEditing::SizeTag(-2), QStringLiteral("[P-02]"));
    QCOMPARE(TemplateEditing::AmountOfCaption(QStringLiteral("-&6")), -6);
}

void TestTemplateEditor::insertFieldFromTheList() {
    QListWidget* cols = editor_->lstTemplateUserCols();
    QCOMPARE(cols->count(), 32);
    text_->setPlainText(QStringLiteral("Name: X"));
    Select(text_, 6, 1);
    cols->setCurrentRow(0);
    cols->setFocus();
    QTest::keyClick(cols, Qt::Key_Return);
    QCOMPARE(text_->toPlainText(), QStringLiteral("Name: [FIELD:SurName]"));
    QVERIFY(text_->hasFocus());
    emit cols->itemDoubleClicked(cols->item(31));
    QCOMPARE(text_->toPlainText(), QStringLiteral("Name: [FIELD:SurName][FIELD:Notes]"));
}

void TestTemplateEditor::boldWrapsTheSelection() {
    text_->setPlainText(QStringLiteral("Name:"));
    Select(text_, 0, 4);
    editor_->action(QStringLiteral("actFontBold"))->trigger();
    QCOMPARE(text_->toPlainText(), QStringLiteral("[B]Name[/B]:"));
    QCOMPARE(Selected(text_), QStringLiteral("[B]Name[/B]"));
    Select(text_, 3, 4);
    editor_->action(QStringLiteral("actFontItalic"))->trigger();
    QCOMPARE(text_->toPlainText(), QStringLiteral("[B][I]Name[/I][/B]:"));
    editor_->action(QStringLiteral("actFontUnderline"))->trigger();
    QCOMPARE(text_->toPlainText(), QStringLiteral("[B][U][I]Name[/I][/U][/B]:"));
}

void TestTemplateEditor::boldOnEmptySelection() {
    text_->setPlainText(QStringLiteral("ab"));
    Select(text_, 1, 0);
    editor_->FontBold();
    QCOMPARE(text_->toPlainText(), QStringLiteral("a[B][/B]b"));
    QCOMPARE(Selected(text_), QStringLiteral("[B][/B]"));
}

void TestTemplateEditor::formatCommandsOnlyOnTheTemplateStep() {
    editor_->SetStepCurrent(false);
    text_->setPlainText(QStringLiteral("ab"));
    Select(text_, 0, 2);
    editor_->FontBold();
    editor_->FontItalic();
    editor_->FontUnderline();
    QCOMPARE(text_->toPlainText(), QStringLiteral("ab"));
}

void TestTemplateEditor::fontSizeMenuAndButton() {
    text_->setPlainText(QStringLiteral("abc"));
    Select(text_, 0, 0);
    // At start the button inserts the normal size.
    QTest::mouseClick(editor_->tbut_FontSize(), Qt::LeftButton, {}, QPoint(4, 4));
    QCOMPARE(text_->toPlainText(), QStringLiteral("[P+00]abc"));
    QCOMPARE(Selected(text_), QStringLiteral("[P+00]"));
    QMenu* bigger = nullptr;
    for (QAction* a : editor_->fontSizeMenu()->actions()) {
        if (a->menu() != nullptr && a->text() == QStringLiteral("&Bigger")) {
            bigger = a->menu();
        }
    }
    QVERIFY(bigger != nullptr);
    QCOMPARE(bigger->actions().size(), 6);
    Select(text_, 9, 0);
    bigger->actions().at(2)->trigger();  // "+&3"
    QCOMPARE(text_->toPlainText(), QStringLiteral("[P+00]abc[P+03]"));
    QCOMPARE(editor_->lastSizeAmount(), 3);
    Select(text_, 0, 0);
    QTest::mouseClick(editor_->tbut_FontSize(), Qt::LeftButton, {}, QPoint(4, 4));
    QVERIFY(text_->toPlainText().startsWith(QStringLiteral("[P+03][P+00]")));
}

void TestTemplateEditor::fontSizeClosesWithTheSizeInForce() {
    text_->setPlainText(QStringLiteral("[P-01]x abc"));
    Select(text_, 8, 3);
    editor_->FontSize(2);
    QCOMPARE(text_->toPlainText(), QStringLiteral("[P-01]x [P+02]abc[P-01]"));
    QCOMPARE(Selected(text_), QStringLiteral("[P+02]abc[P-01]"));
    text_->setPlainText(QStringLiteral("abc"));
    Select(text_, 0, 3);
    editor_->FontSize(2);
    QCOMPARE(text_->toPlainText(), QStringLiteral("[P+02]abc[P+00]"));
}

void TestTemplateEditor::saveAfterStartUpAsksForAName() {
    step_->ApplyTemplateSettings(TSettingsOccasion::StartUp,
                                 dir_->filePath(QStringLiteral("none.txt")), 1);
    FileChooserTest::QueueAnswer(QString());
    editor_->action(QStringLiteral("actFileSave"))->trigger();
    QCOMPARE(FileChooserTest::Asked().size(), std::size_t{1});
    QCOMPARE(FileChooserTest::Asked().front().title, QStringLiteral("Save Template As"));
    QCOMPARE(FileChooserTest::Asked().front().mode, TFileChoice::Mode::Save);
    QVERIFY(FileChooserTest::Asked().front().defaultSuffix.isEmpty());
}

void TestTemplateEditor::saveAndReopen() {
    text_->setPlainText(QStringLiteral("Jméno: [FIELD:FirstName]"));
    Select(text_, 0, 6);
    editor_->FontBold();
    const QString path = dir_->filePath(QStringLiteral("mine"));
    FileChooserTest::QueueAnswer(path);
    editor_->FileSave();
    QCOMPARE(editor_->fileName(), path);
    QVERIFY(QFile::exists(path));
    const QString saved = text_->toPlainText();
    editor_->FileNew();
    QVERIFY(text_->toPlainText().isEmpty());
    FileChooserTest::QueueAnswer(path);
    editor_->action(QStringLiteral("actFileOpen"))->trigger();
    QCOMPARE(FileChooserTest::Asked().back().title, QStringLiteral("Open Template"));
    QCOMPARE(FileChooserTest::Asked().back().nameFilters,
             (QStringList{QStringLiteral("Template (*.txt)"), QStringLiteral("All files (*)")}));
    QCOMPARE(text_->toPlainText(), saved);
    QCOMPARE(editor_->fileName(), path);
    QCOMPARE(text_->textCursor().position(), 0);
    // Save writes to the current name without asking.
    text_->setPlainText(QStringLiteral("changed"));
    editor_->FileSave();
    QCOMPARE(FileChooserTest::Asked().size(), std::size_t{2});
    editor_->FileReload(path);
    QCOMPARE(text_->toPlainText(), QStringLiteral("changed"));
    QVERIFY(messages_->messages().empty());
}

void TestTemplateEditor::saveFailureKeepsTheFileName() {
    const QString good = dir_->filePath(QStringLiteral("good.txt"));
    FileChooserTest::QueueAnswer(good);
    editor_->FileSaveAs();
    const QString bad = dir_->filePath(QStringLiteral("no/such/folder/t.txt"));
    FileChooserTest::QueueAnswer(bad);
    editor_->FileSaveAs();
    QCOMPARE(editor_->fileName(), good);
    QCOMPARE(messages_->messages().size(), std::size_t{1});
    QVERIFY(messages_->texts().first().startsWith(QStringLiteral("Cannot create file \"") + bad +
                                                  u'"'));
    QCOMPARE(messages_->messages().front().type, MsgType::Error);
}

void TestTemplateEditor::openFailureKeepsTextAndFileName() {
    const QString good = dir_->filePath(QStringLiteral("good.txt"));
    WriteBytes(good, "kept");
    editor_->FileReload(good);
    FileChooserTest::QueueAnswer(dir_->filePath(QStringLiteral("missing.txt")));
    editor_->FileOpen();
    QCOMPARE(text_->toPlainText(), QStringLiteral("kept"));
    QCOMPARE(editor_->fileName(), good);
    QCOMPARE(messages_->messages().size(), std::size_t{1});
    QVERIFY(messages_->texts().first().startsWith(QStringLiteral("Cannot open file \"")));
}

void TestTemplateEditor::olderNumberedTemplateIsConverted() {
    const QString path = dir_->filePath(QStringLiteral("old.txt"));
    WriteBytes(path, "[0] [1]\r\n[27] [28]");
    editor_->FileReload(path);
    QCOMPARE(text_->toPlainText(),
             QStringLiteral("[FIELD:SurName] [FIELD:FirstName]\n[FIELD:Notes] [28]"));
}

void TestTemplateEditor::findAndReplace() {
    text_->setPlainText(QStringLiteral("Name name NAME named"));
    Select(text_, 0, 0);
    editor_->EditFind();
    TdlgTemplateFind* find = editor_->findDialog();
    QVERIFY(find != nullptr && find->isVisible());
    find->setFindText(QStringLiteral("name"));
    find->setWholeWord(true);
    find->setMatchCase(true);
    editor_->EditFindNext();
    QCOMPARE(text_->textCursor().selectionStart(), 5);
    editor_->EditFindNext();  // no wrap-around, "named" is no whole word
    QCOMPARE(messages_->texts(), QStringList{QStringLiteral("String not found.")});
    find->close();

    Select(text_, 0, 0);
    editor_->EditReplace();
    TdlgTemplateFind* replace = editor_->replaceDialog();
    replace->setFindText(QStringLiteral("NAME"));
    replace->setReplaceText(QStringLiteral("[FIELD:SurName]"));
    editor_->action(QStringLiteral("actEditReplaceNext"))->trigger();
    QCOMPARE(text_->toPlainText(), QStringLiteral("[FIELD:SurName] name NAME named"));
    emit replace->replaceNext();  // Replace All replaces the next one only
    QCOMPARE(text_->toPlainText(), QStringLiteral("[FIELD:SurName] [FIELD:SurName] NAME named"));
    replace->close();
}

void TestTemplateEditor::contextMenuOnlyWhilePresent() {
    QVERIFY(editor_->contextMenu() == nullptr);
    QCOMPARE(text_->contextMenuPolicy(), Qt::NoContextMenu);
    editor_->SetContextMenuPresent(true);
    QVERIFY(editor_->contextMenu() != nullptr);
    QStringList top;
    for (QAction* a : editor_->contextMenu()->actions()) {
        top << (a->isSeparator() ? QStringLiteral("-") : a->text());
    }
    QCOMPARE(top, (QStringList{"&Undo", "-", "Cu&t", "&Copy", "&Paste", "-", "&File", "&Edit"}));
    editor_->SetContextMenuPresent(false);
    QVERIFY(editor_->contextMenu() == nullptr);
    QCOMPARE(text_->contextMenuPolicy(), Qt::NoContextMenu);
}

void TestTemplateEditor::startUpLoadsDefaultTemplateAndPage() {
    const QString path = dir_->filePath(QStringLiteral("Pellum_DefaultTemplate.txt"));
    WriteBytes(path, "[B][0][/B]");
    step_->ApplyTemplateSettings(TSettingsOccasion::StartUp, path, 0);
    QCOMPARE(text_->toPlainText(), QStringLiteral("[B][FIELD:SurName][/B]"));
    QVERIFY(editor_->fileName().isEmpty());
    QVERIFY(step_->IsBasicShown());
    step_->ApplyTemplateSettings(TSettingsOccasion::StartUp, path, 1);
    QVERIFY(!step_->IsBasicShown());
    // Other occasions change nothing.
    text_->setPlainText(QStringLiteral("mine"));
    step_->ApplyTemplateSettings(TSettingsOccasion::Manual, path, 0);
    QCOMPARE(text_->toPlainText(), QStringLiteral("mine"));
    QVERIFY(!step_->IsBasicShown());
    QVERIFY(messages_->messages().empty());
}

void TestTemplateEditor::startUpWithoutDefaultTemplateIsNoError() {
    step_->ApplyTemplateSettings(TSettingsOccasion::StartUp,
                                 dir_->filePath(QStringLiteral("absent.txt")), 0);
    QVERIFY(messages_->messages().empty());
    QVERIFY(text_->toPlainText().isEmpty());
    QVERIFY(step_->IsBasicShown());
}

void TestTemplateEditor::startUpWithUnreadableTemplateShowsError() {
    const QString path = dir_->filePath(QStringLiteral("deep.txt"));
    WriteBytes(path, "{\\rtf1 " + QByteArray(1000, '{'));
    step_->ApplyTemplateSettings(TSettingsOccasion::StartUp, path, 0);
    QCOMPARE(messages_->messages().size(), std::size_t{1});
    QVERIFY(messages_->texts().first().contains(u"deeper"));
    QVERIFY(text_->toPlainText().isEmpty());
    QVERIFY(!step_->IsBasicShown());  // the first page stays
}

void TestTemplateEditor::newEmptiesAndForgetsTheName() {
    const QString path = dir_->filePath(QStringLiteral("t.txt"));
    WriteBytes(path, "x");
    editor_->FileReload(path);
    editor_->action(QStringLiteral("actFileNew"))->trigger();
    QVERIFY(text_->toPlainText().isEmpty());
    QVERIFY(editor_->fileName().isEmpty());
}

void TestTemplateEditor::outsideTheStepFileAndFindCommandsHandOver() {
    QStringList handed;
    editor_->HandOver = [&](const QString& name) { handed << name; };
    editor_->SetStepCurrent(false);
    text_->setPlainText(QStringLiteral("x"));
    for (const char* name :
         {"actFileNew", "actFileOpen", "actFileSave", "actFileSaveAs", "actEditFind",
          "actEditFindNext", "actEditReplace", "actEditReplaceNext", "actFontBold"}) {
        editor_->action(QString::fromLatin1(name))->trigger();
    }
    QCOMPARE(handed, (QStringList{"actDBCreate", "actDBOpen", "actDBSave", "actDBSaveAs",
                                  "actEditFindBasic", "actEditFindBasicNext"}));
    QCOMPARE(text_->toPlainText(), QStringLiteral("x"));
    QVERIFY(editor_->findDialog() == nullptr && editor_->replaceDialog() == nullptr);
}

QTEST_MAIN(TestTemplateEditor)
#include "test_TemplateEditor.moc"
