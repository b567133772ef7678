// Every file chooser of the program, reached as the user reaches it: each
// has a title that says what the file is for.
#include "app/Pellum.h"
#include "app/u_frmCommon.h"
#include "app/u_frmMain.h"
#include "print/u_PrintCommands.h"
#include "print/u_TemplateEditor.h"
#include "print/u_frameMainPrintTemplate.h"
#include "query/u_frameMainDBQuery.h"
#include "query/u_frameMainQuery.h"
#include "support/u_FileChooser.h"

#include "AppTestSupport.h"
#include "testsupport/TestSupport.h"

#include <QAction>
#include <QDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

class TestFileChoosers;

namespace {

struct TChooserCase {
    const char* name;
    const char* objectName;
    const char* title;
    std::function<void(TestFileChoosers&)> open;
};

}  // namespace

class TestFileChoosers : public QObject {
    Q_OBJECT

  public:
    TfrmMain& main() { return *program_->frmMain; }
    TfrmCommon& common() { return *program_->frmCommon; }
    void run(const char* name) { common().action(QLatin1String(name))->trigger(); }

    // Runs the command's dialog and clicks its button, which opens a chooser.
    void clickInDialog(const char* command, const char* button) {
        common().DialogRunner = apptest::DialogDriver(dialogsRun_, [button](QDialog& dialog) {
            apptest::DialogControl<QPushButton>(dialog, button)->click();
        });
        run(command);
    }

    void templateCommand(const char* name) {
        run("actDBPrint");
        run("actDBPrintShowStepTemplate");
        TframeMainPrintTemplate& step = common().PrintCommands().Template();
        step.ShowUserPage();
        step.editor()->action(QLatin1String(name))->trigger();
    }

    TframeMainQuery& rowsQueryBuilder() {
        return *main().findChild<TframeMainQuery*>(QStringLiteral("frameMainPrintRowsQuery"));
    }

  private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<MessageRecorder> messages_;
    std::unique_ptr<TProgram> program_;
    QStringList dialogsRun_;

    static const std::vector<TChooserCase>& cases();

  private slots:
    void init() {
        apptest::ClearSettings();
        dir_ = std::make_unique<QTemporaryDir>();
        messages_ = std::make_unique<MessageRecorder>();
        const QString db = dir_->filePath(QStringLiteral("db.tbr"));
        apptest::MakeDatabase(db, 3);
        program_ = StartProgram({db}, false);
        FileChooserTest::Reset();
    }
    void cleanup() {
        FileChooserTest::Reset();
        program_.reset();
        messages_.reset();
        dir_.reset();
    }

    void everyChooserHasATitle_data() {
        QTest::addColumn<int>("index");
        for (int i = 0; i < static_cast<int>(cases().size()); ++i) {
            QTest::newRow(cases()[i].name) << i;
        }
    }
    void everyChooserHasATitle() {
        QFETCH(int, index);
        const TChooserCase& c = cases()[index];
        FileChooserTest::QueueAnswer(QString());  // the user cancels
        c.open(*this);
        QCOMPARE(FileChooserTest::Asked().size(), std::size_t{1});
        const TFileChoice& asked = FileChooserTest::Asked().front();
        QCOMPARE(asked.objectName, QLatin1String(c.objectName));
        QVERIFY(!asked.title.trimmed().isEmpty());
        QCOMPARE(asked.title, QString::fromUtf8(c.title));
    }
};

const std::vector<TChooserCase>& TestFileChoosers::cases() {
    using T = TestFileChoosers;
    static const std::vector<TChooserCase> table = {
        {"new database", "dlgSave", "Create Database", [](T& t) { t.run("actDBCreate"); }},
        {"open database", "dlgOpen", "Open Database", [](T& t) { t.run("actDBOpen"); }},
        {"save database as", "dlgSave", "Save Database As", [](T& t) { t.run("actDBSaveAs"); }},
        {"options: start-up database", "dlgOpen", "Select StartUp Database",
         [](T& t) { t.clickInDialog("actOptions", "cmdGeneralStartupDatabaseBrowse"); }},
        {"options: user template", "dlgTemplateOpen", "Select Default User Template",
         [](T& t) { t.clickInDialog("actOptions", "cmdPrintDefaultUserTemplateBrowse"); }},
        {"open query", "dlgQueryOpen", "Open Query",
         [](T& t) {
             t.run("actEditFindQuery");
             t.main().frameMainDBQuery()->QueryBuilder().actQueryOpen->trigger();
         }},
        {"save query as", "dlgQuerySave", "Save Query",
         [](T& t) {
             t.run("actEditFindQuery");
             t.main().frameMainDBQuery()->QueryBuilder().actQuerySaveAs->trigger();
         }},
        {"print rows: open query", "dlgQueryOpen", "Open Query",
         [](T& t) {
             t.run("actDBPrint");
             t.rowsQueryBuilder().actQueryOpen->trigger();
         }},
        {"print rows: save query as", "dlgQuerySave", "Save Query",
         [](T& t) {
             t.run("actDBPrint");
             t.rowsQueryBuilder().actQuerySaveAs->trigger();
         }},
        {"template: open", "dlgOpenTemplate", "Open Template",
         [](T& t) { t.templateCommand("actFileOpen"); }},
        {"template: save as", "dlgSaveTemplate", "Save Template As",
         [](T& t) { t.templateCommand("actFileSaveAs"); }},
        {"convert: source", "dlgOpen", "Source Database",
         [](T& t) { t.clickInDialog("actDBImportExportTBR", "cmdSourceBrowse"); }},
        {"convert: destination", "dlgSave", "Destination Database",
         [](T& t) { t.clickInDialog("actDBImportExportTBR", "cmdDestBrowse"); }},
        {"export to CSV", "dlgDest", "Destination file",
         [](T& t) { t.clickInDialog("actDBExportToCSV", "cmdBrowse"); }},
        {"import from CSV", "dlgOpen", "Source CSV File",
         [](T& t) { t.clickInDialog("actDBImportFromCSV", "cmdBrowse"); }},
        {"export to vCard", "dlgDest", "Destination file",
         [](T& t) { t.clickInDialog("actDBExportToVCard", "cmdBrowse"); }},
        {"import from vCard", "dlgOpen", "Import from vCard",
         [](T& t) { t.run("actDBImportFromVCard"); }},
    };
    return table;
}

QTEST_MAIN(TestFileChoosers)
#include "test_FileChoosers.moc"
