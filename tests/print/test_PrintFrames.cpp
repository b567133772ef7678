#include "PrintFixture.h"

#include "print/u_ReportPrintJob.h"
#include "print/u_ReportPrinter.h"
#include "print/u_frameMainPrintPreview.h"
#include "print/u_frameMainPrintRows.h"
#include "print/u_frameMainPrintTemplate.h"
#include "testsupport/TestSupport.h"

#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>

// The rows and preview steps on a real database, and printing the report to
// a PDF file.
class TestPrintFrames : public QObject {
    Q_OBJECT

  private slots:
    void rowsListEveryContactTicked();
    void rowsSelectAndUnselectAll();
    void rowsStepShowsQueryPageFirstAndTakesAQueryBuilder();
    void rowsWithNoContacts();
    void basicTemplateOfTickedColumns();
    void previewBuildsReportFromTickedRows();
    void previewWithNoRowTickedHoldsHeadingAndClosingOnly();
    void previewRebuildsFromScratch();
    void printToPdfKeepsCzechNames();
    void printToUnwritableFileFails();
    void printTwiceFromTheSamePreview();
    void printJobSharesOnePrinterAndReportsFailure();
    void cancelledPrintDialogPrintsNothing();

  private:
    static QString PrintedText(const QTextDocument& report, const QString& folder);
};

void TestPrintFrames::rowsListEveryContactTicked() {
    PrintDatabase db(CzechContacts());
    TframeMainPrintRows rows;
    rows.FillRows(*db.quib, db.indexFromProgram);
    QCOMPARE(rows.lstRows()->count(), 3);
    QCOMPARE(rows.lstRows()->item(0)->text(), QStringLiteral("Dvořák Antonín"));
    QCOMPARE(rows.lstRows()->item(1)->text(), QStringLiteral("Šťastná Žofie"));
    QCOMPARE(rows.lstRows()->currentRow(), 0);
    QCOMPARE(rows.TickedRows(), (QList<bool>{true, true, true}));
}

void TestPrintFrames::rowsSelectAndUnselectAll() {
    PrintDatabase db(CzechContacts());
    TframeMainPrintRows rows;
    rows.show();
    rows.FillRows(*db.quib, db.indexFromProgram);
    rows.ShowRowsPage();
    QTest::mouseClick(rows.cmdUnselectAll(), Qt::LeftButton);
    QCOMPARE(rows.TickedRows(), (QList<bool>{false, false, false}));
    QVERIFY(rows.lstRows()->isVisible());
    rows.SetRowTicked(1, true);
    QCOMPARE(rows.TickedRows(), (QList<bool>{false, true, false}));
    QTest::mouseClick(rows.cmdSelectAll(), Qt::LeftButton);
    QCOMPARE(rows.TickedRows(), (QList<bool>{true, true, true}));
    // A new run ticks every row again.
    rows.SetAllRows(false);
    rows.FillRows(*db.quib, db.indexFromProgram);
    QCOMPARE(rows.TickedRows(), (QList<bool>{true, true, true}));
}

void TestPrintFrames::rowsStepShowsQueryPageFirstAndTakesAQueryBuilder() {
    TframeMainPrintRows rows;
    QVERIFY(rows.IsQueryPageShown());
    QCOMPARE(rows.tabRows()->tabText(0), QStringLiteral("Ro&ws"));
    QCOMPARE(rows.tabRows()->tabText(1), QStringLiteral("&Query"));
    auto* builder = new QLabel(QStringLiteral("query builder"));
    rows.setQueryWidget(builder);
    QCOMPARE(builder->parentWidget(), rows.tsRowsQuery());
    QCOMPARE(rows.queryWidget(), builder);
    QSignalSpy shown(&rows, &TframeMainPrintRows::queryPageShown);
    rows.ShowRowsPage();
    rows.ShowQueryPage();
    QCOMPARE(shown.count(), 2);
    QCOMPARE(shown.at(0).at(0).toBool(), false);
    QCOMPARE(shown.at(1).at(0).toBool(), true);
}

void TestPrintFrames::rowsWithNoContacts() {
    PrintDatabase db({});
    TframeMainPrintRows rows;
    rows.FillRows(*db.quib, db.indexFromProgram);
    QCOMPARE(rows.lstRows()->count(), 0);
    QVERIFY(rows.TickedRows().isEmpty());
}

void TestPrintFrames::basicTemplateOfTickedColumns() {
    PrintDatabase db(CzechContacts());
    TframeMainPrintTemplate step;
    step.SetCatalogue(db.names, db.titlesFull, db.names_2_5_2);
    step.FillColumns();
    QCOMPARE(step.lstCols()->count(), 32);
    QCOMPARE(step.lstCols()->item(0)->text(), db.titlesFull[0]);
    QCOMPARE(step.lstCols()->currentRow(), 0);
    step.ShowBasicPage();
    step.SetAllColumns(false);
    QCOMPARE(step.ChosenTemplate(), QString());
    for (int k : {0, 1, 4}) {
        step.lstCols()->item(k)->setCheckState(Qt::Checked);
    }
    QCOMPARE(step.ChosenTemplate(), QStringLiteral("[B]Surname: [/B][FIELD:SurName]\n"
                                                   "[B]Firstname: [/B][FIELD:FirstName]\n"
                                                   "[B]Town (home): [/B][FIELD:Home_Town]\n"));
    step.FillColumns();
    QVERIFY(!step.TickedColumns().contains(false));
}

void TestPrintFrames::previewBuildsReportFromTickedRows() {
    PrintDatabase db(CzechContacts());
    TframeMainPrintPreview preview;
    preview.show();
    preview.rtbTemplate()->setPlainText(
        QStringLiteral("[B]Name: [/B][FIELD:FirstName] [FIELD:SurName]"));
    preview.PrepareReport(*db.quib, db.names, db.indexFromProgram, {true, true, false});
    const QString text = preview.report()->toPlainText();
    QVERIFY2(
        text.startsWith(QStringLiteral("Orvane Contacts\n") + db.quib->DatabaseName() +
                        QStringLiteral("\n\n\nName: Antonín Dvořák\n\nName: Žofie Šťastná\n\n")),
        qPrintable(text));
    QVERIFY(!text.contains(u"Smith"));
    QVERIFY(text.contains(u"Contacts [old]"));
    QVERIFY(preview.rtb1()->isVisible());
    QVERIFY(!preview.pnlWait()->isVisible());
    QVERIFY(!preview.pb1()->isVisible());
    QVERIFY(preview.rtb1()->isReadOnly());
    QCOMPARE(preview.rtb1()->textCursor().position(), 0);
    QVERIFY(!preview.rtbTemplate()->isVisible());
}

void TestPrintFrames::previewWithNoRowTickedHoldsHeadingAndClosingOnly() {
    PrintDatabase db(CzechContacts());
    TframeMainPrintPreview preview;
    preview.rtbTemplate()->setPlainText(QStringLiteral("[FIELD:SurName]"));
    preview.PrepareReport(*db.quib, db.names, db.indexFromProgram, {false, false, false});
    const QString text = preview.report()->toPlainText();
    QVERIFY(!text.contains(u"Dvořák") && !text.contains(u"Smith"));
    QVERIFY(text.endsWith(QStringLiteral("contacts@orvane.example\n")));
}

void TestPrintFrames::previewRebuildsFromScratch() {
    PrintDatabase db(CzechContacts());
    TframeMainPrintPreview preview;
    preview.rtbTemplate()->setPlainText(QStringLiteral("[B][FIELD:SurName]"));
    preview.PrepareReport(*db.quib, db.names, db.indexFromProgram, {true, true, true});
    preview.rtbTemplate()->setPlainText(QStringLiteral("[FIELD:FirstName]"));
    preview.PrepareReport(*db.quib, db.names, db.indexFromProgram, {false, false, true});
    const QString text = preview.report()->toPlainText();
    QVERIFY(!text.contains(u"Dvořák"));
    const int john = static_cast<int>(text.indexOf(u"John"));
    QTextCursor c(preview.report());
    c.setPosition(john + 1);
    QCOMPARE(c.charFormat().fontWeight(), int(QFont::Normal));
}

QString TestPrintFrames::PrintedText(const QTextDocument& report, const QString& folder) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString pdf = folder + QStringLiteral("/report.pdf");
    printer.setOutputFileName(pdf);
    if (!PrintReport(report, printer, PrintJobTitle(QStringLiteral("/x/contacts.tbr")))) {
        return QStringLiteral("<failed>");
    }
    if (printer.docName() != QStringLiteral("Orvane Contacts [/x/contacts.tbr]")) {
        return QStringLiteral("<wrong title>");
    }
    return PdfText(pdf);
}

void TestPrintFrames::printToPdfKeepsCzechNames() {
    PrintDatabase db(CzechContacts());
    TframeMainPrintPreview preview;
    preview.rtbTemplate()->setPlainText(QStringLiteral(
        "[C][B]Name: [/B][FIELD:FirstName] [FIELD:SurName][/C]\n[P+04]Town: [FIELD:Home_Town]"));
    preview.PrepareReport(*db.quib, db.names, db.indexFromProgram, {true, true, true});
    const QString text = PrintedText(*preview.report(), db.dir.path());
    for (const char16_t* name :
         {u"Antonín Dvořák", u"Žofie Šťastná", u"John Smith", u"Čáslav", u"Orvane Contacts"}) {
        QVERIFY2(text.contains(QString::fromUtf16(name)), qPrintable(text));
    }
}

void TestPrintFrames::printToUnwritableFileFails() {
    QTextDocument report;
    report.setPlainText(QStringLiteral("x"));
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QStringLiteral("/nonexistent-folder/for/sure/report.pdf"));
    QVERIFY(!PrintReport(report, printer, QStringLiteral("job")));
}

void TestPrintFrames::printTwiceFromTheSamePreview() {
    PrintDatabase db(CzechContacts());
    TframeMainPrintPreview preview;
    preview.rtbTemplate()->setPlainText(QStringLiteral("[FIELD:SurName]"));
    preview.PrepareReport(*db.quib, db.names, db.indexFromProgram, {true, true, true});
    const QString before = preview.report()->toPlainText();
    const QString first = PrintedText(*preview.report(), db.dir.path());
    const QString second = PrintedText(*preview.report(), db.dir.path());
    QCOMPARE(first, second);
    QVERIFY(first.contains(u"Dvořák"));
    QCOMPARE(preview.report()->toPlainText(), before);
}

void TestPrintFrames::printJobSharesOnePrinterAndReportsFailure() {
    PrintDatabase db(CzechContacts());
    TframeMainPrintPreview preview;
    preview.rtbTemplate()->setPlainText(QStringLiteral("[FIELD:SurName]"));
    preview.PrepareReport(*db.quib, db.names, db.indexFromProgram, {true, true, true});
    MessageRecorder messages;
    TReportPrintJob job;
    const QString pdf = db.dir.filePath(QStringLiteral("job.pdf"));
    QStringList shown;
    // The setup chooses the PDF file; the print dialog sees the same printer.
    job.RunDialog = [&](QDialog& dialog) {
        shown << QString::fromLatin1(dialog.metaObject()->className());
        if (auto* setup = qobject_cast<QPageSetupDialog*>(&dialog)) {
            setup->printer()->setOutputFormat(QPrinter::PdfFormat);
            setup->printer()->setOutputFileName(pdf);
        } else if (auto* print = qobject_cast<QPrintDialog*>(&dialog)) {
            return print->printer() == &job.printer();
        }
        return true;
    };
    job.Setup(nullptr);
    QVERIFY(job.Print(*preview.report(), db.quib->DatabaseName(), nullptr));
    QCOMPARE(shown, (QStringList{"QPageSetupDialog", "QPrintDialog"}));
    QCOMPARE(job.printer().docName(),
             QStringLiteral("Orvane Contacts [") + db.quib->DatabaseName() + u']');
    QVERIFY(PdfText(pdf).contains(u"Šťastná"));
    QVERIFY(messages.messages().empty());

    job.printer().setOutputFileName(QStringLiteral("/nonexistent-folder/for/sure/job.pdf"));
    QVERIFY(!job.Print(*preview.report(), db.quib->DatabaseName(), nullptr));
    QCOMPARE(messages.messages().size(), std::size_t{1});
    QCOMPARE(messages.messages().front().type, MsgType::Error);
}

void TestPrintFrames::cancelledPrintDialogPrintsNothing() {
    QTemporaryDir dir;
    QTextDocument report;
    report.setPlainText(QStringLiteral("x"));
    TReportPrintJob job;
    const QString pdf = dir.filePath(QStringLiteral("never.pdf"));
    job.printer().setOutputFormat(QPrinter::PdfFormat);
    job.printer().setOutputFileName(pdf);
    job.RunDialog = [](QDialog&) { return false; };
    QVERIFY(!job.Print(report, QStringLiteral("db"), nullptr));
    QVERIFY(!QFile::exists(pdf));
}

QTEST_MAIN(TestPrintFrames)
#include "test_PrintFrames.moc"
