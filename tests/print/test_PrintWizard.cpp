#include "PrintFixture.h"

#include "app/Pellum.h"
#include "app/u_frmCommon.h"
#include "app/u_frmMain.h"
#include "print/u_PrintCommands.h"
#include "print/u_ReportPrintJob.h"
#include "print/u_TemplateEditor.h"
#include "print/u_frameMainPrintPreview.h"
#include "print/u_frameMainPrintRows.h"
#include "print/u_frameMainPrintTemplate.h"
#include "query/u_Query.h"
#include "query/u_frameMainQuery.h"
#include "support/u_FileChooser.h"
#include "support/u_Settings.h"
#include "testsupport/TestSupport.h"

#include <QAction>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QSettings>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

// The print wizard in the real program on a real database: choosing rows,
// a Basic column set or an own template, the preview, and printing to a PDF
// file whose text shows the chosen contacts.
class TestPrintWizard : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();
    void startShowsEveryRowTickedAndLocksCommands();
    void basicTemplateOfThreeColumnsPrintsToPdf();
    void noRowTickedGivesHeadingAndClosingOnly();
    void ownTemplateWithFieldsBoldAndCentre();
    void stepsOutOfOrderStartAgain();
    void cancelReturnsToTheCard();
    void processQueryOnlyOnTheQueryPage();
    void processQueryTicksTheMatchingRows();
    void sharedKeysGoToTheViewInFront();
    void defaultTemplateAtStartUp();
    void missingDefaultTemplateIsNoError();
    void failedPrintIsReported();

  private:
    void start();
    TfrmCommon& common() { return *program_->frmCommon; }
    TfrmMain& main() { return *program_->frmMain; }
    TPrintCommands& print() { return common().PrintCommands(); }
    void run(const char* name) { common().action(QLatin1String(name))->trigger(); }
    bool enabled(const char* name) { return common().action(QLatin1String(name))->isEnabled(); }
    // Saves a picture of the screen when ORVANE_SHOTS names a folder (run
    // under a real X server to look at the steps).
    void shot(const QString& name);
    QString printToPdf();

    std::unique_ptr<PrintDatabase> db_;
    std::unique_ptr<MessageRecorder> messages_;
    std::unique_ptr<TProgram> program_;
};

void TestPrintWizard::init() {
    QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Orvane"),
              QStringLiteral("Orvane Contacts"))
        .clear();
    db_ = std::make_unique<PrintDatabase>(CzechContacts());
    messages_ = std::make_unique<MessageRecorder>();
}

void TestPrintWizard::cleanup() {
    program_.reset();
    FileChooserTest::Reset();
    messages_.reset();
    db_.reset();
}

void TestPrintWizard::start() {
    program_ = StartProgram({db_->path}, false);
    main().move(0, 0);
    main().resize(900, 650);
    main().show();
    QVERIFY(QTest::qWaitForWindowExposed(&main()));
    // Shortcuts reach only the active window.
    main().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main()));
    messages_->clear();
}

void TestPrintWizard::shot(const QString& name) {
    const QByteArray folder = qgetenv("ORVANE_SHOTS");
    if (folder.isEmpty()) {
        return;
    }
    main().activateWindow();
    for (int i = 0; i < 10; ++i) {
        QTest::qWait(50);
    }
    QProcess::execute(QStringLiteral("import"),
                      {QStringLiteral("-window"), QStringLiteral("root"),
                       QString::fromLocal8Bit(folder) + u'/' + name + QStringLiteral(".png")});
}

QString TestPrintWizard::printToPdf() {
    const QString pdf = db_->dir.filePath(QStringLiteral("report.pdf"));
    QFile::remove(pdf);
    TReportPrintJob& job = print().PrintJob();
    job.RunDialog = [pdf](QDialog& dialog) {
        if (auto* printDialog = qobject_cast<QPrintDialog*>(&dialog)) {
            printDialog->printer()->setOutputFormat(QPrinter::PdfFormat);
            printDialog->printer()->setOutputFileName(pdf);
        }
        return true;
    };
    run("actDBPrintShowStepPrint");
    if (!qgetenv("ORVANE_SHOTS").isEmpty()) {
        QProcess::execute(
            QStringLiteral("pdftoppm"),
            {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("60"),
             QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"),
             pdf, QString::fromLocal8Bit(qgetenv("ORVANE_SHOTS")) + QStringLiteral("/report")});
    }
    return PdfText(pdf);
}

void TestPrintWizard::startShowsEveryRowTickedAndLocksCommands() {
    start();
    QVERIFY(!enabled("actDBPrintCancel"));
    run("actDBPrint");
    QCOMPARE(main().CurrentView(), TView::PrintRows);
    QCOMPARE(print().Rows().lstRows()->count(), 3);
    QCOMPARE(print().Rows().TickedRows(), (QList<bool>{true, true, true}));
    QCOMPARE(print().Rows().lstRows()->item(1)->text(), QStringLiteral("Šťastná Žofie"));
    QVERIFY(enabled("actDBPrintCancel"));
    for (const char* locked :
         {"actDBOpen", "actDBCreate", "actDBSave", "actDBPrint", "actEditFindBasic"}) {
        QVERIFY2(!enabled(locked), locked);
    }
    QVERIFY(
        main().findChild<QLabel*>(QStringLiteral("lblDBNavBar_Text"))->text().contains(db_->path));
    print().Rows().ShowRowsPage();
    shot(QStringLiteral("step1-rows"));
}

void TestPrintWizard::basicTemplateOfThreeColumnsPrintsToPdf() {
    start();
    run("actDBPrint");
    run("actDBPrintShowStepTemplate");
    QCOMPARE(main().CurrentView(), TView::PrintTemplate);
    TframeMainPrintTemplate& step = print().Template();
    step.ShowBasicPage();
    step.SetAllColumns(false);
    for (int k : {0, 1, 4}) {  // surname, first name, town
        step.lstCols()->item(k)->setCheckState(Qt::Checked);
    }
    shot(QStringLiteral("step2-basic"));
    run("actDBPrintShowStepPreview");
    QCOMPARE(main().CurrentView(), TView::PrintPreview);
    const QString text = print().Preview().report()->toPlainText();
    QVERIFY2(
        text.contains(QStringLiteral("Surname: Šťastná\nFirstname: Žofie\nTown (home): Čáslav\n")),
        qPrintable(text));
    QVERIFY(!text.contains(u"ZipCode"));
    shot(QStringLiteral("step3-preview"));
    const QString pdf = printToPdf();
    for (const char16_t* name :
         {u"Dvořák", u"Antonín", u"Šťastná", u"Žofie", u"Čáslav", u"Smith", u"Surname:"}) {
        QVERIFY2(pdf.contains(QString::fromUtf16(name)), qPrintable(pdf));
    }
    QCOMPARE(print().PrintJob().printer().docName(),
             QStringLiteral("Orvane Contacts [") + db_->path + u']');
    QCOMPARE(main().CurrentView(), TView::PrintPreview);  // printing again stays possible
    QVERIFY(messages_->messages().empty());
}

void TestPrintWizard::noRowTickedGivesHeadingAndClosingOnly() {
    start();
    run("actDBPrint");
    print().Rows().SetAllRows(false);
    run("actDBPrintShowStepTemplate");
    print().Template().ShowBasicPage();
    run("actDBPrintShowStepPreview");
    const QString text = print().Preview().report()->toPlainText();
    QVERIFY(!text.contains(u"Dvořák") && !text.contains(u"Smith"));
    QVERIFY(text.startsWith(QStringLiteral("Orvane Contacts\n") + db_->path));
    // A new run ticks every row and column again.
    run("actDBPrintCancel");
    run("actDBPrint");
    QCOMPARE(print().Rows().TickedRows(), (QList<bool>{true, true, true}));
}

void TestPrintWizard::ownTemplateWithFieldsBoldAndCentre() {
    start();
    run("actDBPrint");
    run("actDBPrintShowStepTemplate");
    TframeMainPrintTemplate& step = print().Template();
    step.ShowUserPage();
    TTemplateEditor& editor = *step.editor();
    QVERIFY(editor.contextMenu() != nullptr);
    editor.rtbTemplateUser()->setPlainText(QStringLiteral("Name: "));
    editor.rtbTemplateUser()->moveCursor(QTextCursor::End);
    editor.lstTemplateUserCols()->setCurrentRow(1);
    emit editor.lstTemplateUserCols()->itemDoubleClicked(editor.lstTemplateUserCols()->item(1));
    editor.rtbTemplateUser()->selectAll();
    editor.action(QStringLiteral("actFontBold"))->trigger();
    editor.rtbTemplateUser()->moveCursor(QTextCursor::End);
    editor.rtbTemplateUser()->insertPlainText(QStringLiteral("\n[C][FIELD:Home_Town][/C]"));
    QCOMPARE(editor.templateText(),
             QStringLiteral("[B]Name: [FIELD:FirstName][/B]\n[C][FIELD:Home_Town][/C]"));
    shot(QStringLiteral("step2-user"));
    run("actDBPrintShowStepPreview");
    QVERIFY(editor.contextMenu() == nullptr);
    QTextDocument& report = *print().Preview().report();
    const QString text = report.toPlainText();
    const int zofie = static_cast<int>(text.indexOf(u"Name: Žofie"));
    QVERIFY(zofie > 0);
    QTextCursor c(&report);
    c.setPosition(zofie + 1);
    QCOMPARE(c.charFormat().fontWeight(), int(QFont::Bold));
    const int town = static_cast<int>(text.indexOf(u"Čáslav"));
    QCOMPARE(report.findBlock(town).blockFormat().alignment() & Qt::AlignHorizontal_Mask,
             Qt::AlignHCenter);
    QVERIFY(printToPdf().contains(u"Name: Žofie"));
}

void TestPrintWizard::stepsOutOfOrderStartAgain() {
    start();
    run("actDBPrint");
    run("actDBPrintShowStepPreview");  // not from the template step: Start instead
    QCOMPARE(main().CurrentView(), TView::PrintRows);
    run("actDBPrintShowStepTemplate");
    run("actDBPrintShowStepTemplate");  // not from the rows step
    QCOMPARE(main().CurrentView(), TView::PrintRows);
}

void TestPrintWizard::cancelReturnsToTheCard() {
    start();
    run("actDBPrint");
    run("actDBPrintShowStepTemplate");
    run("actDBPrintCancel");
    QCOMPARE(main().CurrentView(), TView::Card);
    QVERIFY(!enabled("actDBPrintCancel"));
    QVERIFY(enabled("actDBPrint") && enabled("actDBOpen"));
    QVERIFY(print().Template().editor()->contextMenu() == nullptr);
    QVERIFY(!print().Template().editor()->IsStepCurrent());
}

void TestPrintWizard::processQueryOnlyOnTheQueryPage() {
    start();
    run("actDBPrint");
    TframeMainPrintRows& rows = print().Rows();
    rows.ShowQueryPage();
    QVERIFY(enabled("actDBPrintRowsQuery"));
    rows.ShowRowsPage();
    QVERIFY(!enabled("actDBPrintRowsQuery"));
    rows.ShowQueryPage();
    shot(QStringLiteral("step1-query"));
}

void TestPrintWizard::processQueryTicksTheMatchingRows() {
    start();
    run("actDBPrint");
    TframeMainPrintRows& rows = print().Rows();
    auto* builder = qobject_cast<TframeMainQuery*>(rows.queryWidget());
    QVERIFY(builder != nullptr);
    QCOMPARE(builder->parentWidget(), rows.tsRowsQuery());
    // The query of the find-by-query view is another one.
    QVERIFY(main().ViewFrame(TView::Query)->findChild<TframeMainQuery*>() != builder);
    TQuery query;
    query.setRow(0, TQueryRow{static_cast<uint8_t>(TQuery::ItemFirstColumn + 4), TQuery::Contain,
                              false, QStringLiteral("á")});  // Home_Town holds "á": Čáslav only
    builder->SetQuery(query);
    rows.ShowQueryPage();
    run("actDBPrintRowsQuery");
    QCOMPARE(rows.TickedRows(), (QList<bool>{false, true, false}));
    QVERIFY(!rows.IsQueryPageShown());
    run("actDBPrintShowStepTemplate");
    print().Template().ShowBasicPage();
    run("actDBPrintShowStepPreview");
    const QString text = print().Preview().report()->toPlainText();
    QVERIFY(text.contains(u"Šťastná") && !text.contains(u"Dvořák") && !text.contains(u"Smith"));
    // The wizard keeps its query for the next run.
    run("actDBPrintCancel");
    run("actDBPrint");
    QCOMPARE(builder->Query(), query);
}

void TestPrintWizard::sharedKeysGoToTheViewInFront() {
    const QString templ = db_->dir.filePath(QStringLiteral("t.txt"));
    QFile f(templ);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[FIELD:SurName]");
    f.close();
    start();
    // On the card, Ctrl+O is the database's Open.
    FileChooserTest::QueueAnswer(QString());
    QTest::keyClick(&main(), Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(FileChooserTest::Asked().size(), std::size_t{1});
    QCOMPARE(FileChooserTest::Asked().back().objectName, QStringLiteral("dlgOpen"));
    // On the template step it opens a template, and the database's Open,
    // unavailable there, never runs.
    run("actDBPrint");
    run("actDBPrintShowStepTemplate");
    print().Template().ShowUserPage();
    print().Template().editor()->rtbTemplateUser()->setFocus();
    FileChooserTest::QueueAnswer(templ);
    QTest::keyClick(print().Template().editor()->rtbTemplateUser(), Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(FileChooserTest::Asked().size(), std::size_t{2});
    QCOMPARE(FileChooserTest::Asked().back().objectName, QStringLiteral("dlgOpenTemplate"));
    QCOMPARE(print().Template().editor()->templateText(), QStringLiteral("[FIELD:SurName]"));
    // On the preview the key belongs to nobody: Open is unavailable.
    run("actDBPrintShowStepPreview");
    QTest::keyClick(&main(), Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(FileChooserTest::Asked().size(), std::size_t{2});
    QVERIFY(messages_->messages().empty());
}

void TestPrintWizard::defaultTemplateAtStartUp() {
    const QString templ = db_->dir.filePath(QStringLiteral("default.txt"));
    QFile f(templ);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[B][0][/B] [1]");
    f.close();
    WriteSetting(TSetting::DefaultUserTemplate, templ);
    WriteSetting(TSetting::DefaultPrintStyle, 1);
    start();
    TTemplateEditor& editor = *print().Template().editor();
    QCOMPARE(editor.templateText(), QStringLiteral("[B][FIELD:SurName][/B] [FIELD:FirstName]"));
    QVERIFY(editor.fileName().isEmpty());
    QVERIFY(!print().Template().IsBasicShown());
}

void TestPrintWizard::missingDefaultTemplateIsNoError() {
    WriteSetting(TSetting::DefaultUserTemplate, db_->dir.filePath(QStringLiteral("absent.txt")));
    program_ = StartProgram({db_->path}, false);
    QVERIFY(messages_->messages().empty());
    QVERIFY(print().Template().IsBasicShown());
}

void TestPrintWizard::failedPrintIsReported() {
    start();
    run("actDBPrint");
    run("actDBPrintShowStepTemplate");
    run("actDBPrintShowStepPreview");
    print().PrintJob().RunDialog = [](QDialog& dialog) {
        if (auto* printDialog = qobject_cast<QPrintDialog*>(&dialog)) {
            printDialog->printer()->setOutputFormat(QPrinter::PdfFormat);
            printDialog->printer()->setOutputFileName(
                QStringLiteral("/nonexistent-folder/for/sure/r.pdf"));
        }
        return true;
    };
    run("actDBPrintShowStepPrint");
    QCOMPARE(messages_->messages().size(), std::size_t{1});
    QCOMPARE(messages_->messages().front().type, MsgType::Error);
    QCOMPARE(main().CurrentView(), TView::PrintPreview);
}

QTEST_MAIN(TestPrintWizard)
#include "test_PrintWizard.moc"
