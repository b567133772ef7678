// The CSV import dialog offscreen: reset on show, the mapping buttons kept in
// step with the hidden targets, choosing a file and running the import.
#include "ExchangeFixtures.h"
#include "ShapedExports.h"
#include "support/u_FileChooser.h"
#include "testsupport/TestSupport.h"

#include "exchange/u_CsvPreviewModel.h"
#include "exchange/u_frmImportFromCSV.h"
#include "session/u_ContactSchema.h"
#include "support/u_OrvFileLib.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using namespace fixtures;

namespace {

QStringList titles() {
    QStringList t;
    for (const QString& name : ProgramColumns()) {
        t << name + QStringLiteral(" (title)");
    }
    return t;
}

QStringList listTexts(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i) {
        out << list->item(i)->text();
    }
    return out;
}

}  // namespace

class TestFrmImportFromCSV : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir dir_;
    std::unique_ptr<TContactsSession> db_;

    std::unique_ptr<TfrmImportFromCSV> dialog() {
        auto d = std::make_unique<TfrmImportFromCSV>(*db_, titles());
        d->show();
        return d;
    }
    template <typename T>
    static T* child(QWidget& w, const char* name) {
        T* c = w.findChild<T*>(QString::fromLatin1(name));
        if (!c) {
            qFatal("no control %s", name);
        }
        return c;
    }
    static void click(QWidget& w, const char* name) { child<QPushButton>(w, name)->click(); }

    // Replaces the mapping by the program columns in targets, in order.
    static void setMapping(QWidget& d, const QList<int>& targets) {
        click(d, "cmdDeleteAll");
        auto* add = child<QComboBox>(d, "lstAdd");
        for (const int t : targets) {
            add->setCurrentIndex(t + 1);
            click(d, "cmdAdd");
        }
    }

    // Each entry's title and target agree, and the lists have one length.
    static void verifyInStep(QWidget& d, const TfrmImportFromCSV& f) {
        const QStringList shown = listTexts(child<QListWidget>(d, "lstDBColumns"));
        QCOMPARE(shown.size(), f.lstDBColumnsHidden().size());
        for (int i = 0; i < shown.size(); ++i) {
            const int t = f.lstDBColumnsHidden()[i].toInt();
            QCOMPARE(shown[i], t < 0 ? QStringLiteral("-- neimportovat sloupec --") : titles()[t]);
        }
    }

    // Chooses the file made of bytes in the dialog.
    QString browse(QWidget& d, const QByteArray& bytes) {
        const QString file = csvFile(bytes);
        FileChooserTest::QueueAnswer(file);
        click(d, "cmdBrowse");
        return file;
    }

    static QStringList hidden(std::initializer_list<int> targets) {
        QStringList list;
        for (const int t : targets) {
            list << QString::number(t);
        }
        return list;
    }

    static QStringList previewHeadings(QWidget& d) {
        const QAbstractItemModel* model = child<QTableView>(d, "grdPreview")->model();
        QStringList headings;
        for (int c = 0; c < model->columnCount(); ++c) {
            headings << model->headerData(c, Qt::Horizontal).toString();
        }
        return headings;
    }

    static QString previewCell(QWidget& d, int row, int column) {
        const QAbstractItemModel* model = child<QTableView>(d, "grdPreview")->model();
        return model->data(model->index(row, column)).toString();
    }

    QString csvFile(const QByteArray& bytes) {
        static int n = 0;
        const QString file = dir_.filePath(QStringLiteral("in%1.csv").arg(++n));
        WriteFile(file, bytes);
        return file;
    }

  private slots:
    void init() {
        FileChooserTest::Reset();
        QVERIFY(dir_.isValid());
        static int n = 0;
        const QString file = dir_.filePath(QStringLiteral("db%1.tbr").arg(++n));
        WriteDatabase(file, DBLayouts().back(), {});
        db_ = std::make_unique<TContactsSession>(RunningVersionText());
        QVERIFY(db_->OpenFile(file));
    }

    void showResetsTheDialog() {
        auto d = dialog();
        QCOMPARE(d->windowTitle(), QStringLiteral("Import from CSV"));
        auto* add = child<QComboBox>(*d, "lstAdd");
        QCOMPARE(add->count(), 33);
        QCOMPARE(add->itemText(0), QStringLiteral("-- neimportovat sloupec --"));
        QCOMPARE(add->itemText(32), titles()[31]);
        QCOMPARE(add->currentIndex(), 0);
        QCOMPARE(listTexts(child<QListWidget>(*d, "lstDBColumns")), titles());
        QCOMPARE(d->lstDBColumnsHidden(), IdentityMap());
        QVERIFY(child<QCheckBox>(*d, "cbHasHeaderRow")->isChecked());
        QCOMPARE(child<QCheckBox>(*d, "cbHasHeaderRow")->text(),
                 QStringLiteral("F&irst column contain headers"));
        QVERIFY(child<QLineEdit>(*d, "txtFileName")->isReadOnly());
        QVERIFY(child<QLineEdit>(*d, "txtFileName")->text().isEmpty());
        QCOMPARE(child<QListWidget>(*d, "lstCSVColumns")->count(), 0);
    }

    void captionsAreThoseOfTheProgram() {
        auto d = dialog();
        const std::pair<const char*, const char*> buttons[] = {
            {"cmdBrowse", "&Browse..."},    {"cmdAdd", "&Add"},
            {"cmdAddAll", "Add All"},       {"cmdFirst", "As &First"},
            {"cmdPrevious", "&Up"},         {"cmdNext", "&Down"},
            {"cmdLast", "As Bo&ttom"},      {"cmdDelete", "D&elete"},
            {"cmdDeleteAll", "Delete All"}, {"cmdOK", "&OK"},
            {"cmdCancel", "&Cancel"},
        };
        for (const auto& [name, caption] : buttons) {
            QCOMPARE(child<QPushButton>(*d, name)->text(), QString::fromUtf8(caption));
        }
        QCOMPARE(child<QLabel>(*d, "lblCSVColumns")->text(),
                 QStringLiteral("Co&lums in CSV (header):"));
    }

    void mappingButtons_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QList<int>>("expected");
        QTest::addColumn<int>("selectedAfter");
        const QList<int> start{10, 11, 12, 13};
        QTest::newRow("first") << "cmdFirst" << 2 << QList<int>{12, 10, 11, 13} << 0;
        QTest::newRow("first on top") << "cmdFirst" << 0 << start << 0;
        QTest::newRow("up") << "cmdPrevious" << 2 << QList<int>{10, 12, 11, 13} << 1;
        QTest::newRow("up on top") << "cmdPrevious" << 0 << start << 0;
        QTest::newRow("down") << "cmdNext" << 1 << QList<int>{10, 12, 11, 13} << 2;
        QTest::newRow("down at bottom") << "cmdNext" << 3 << start << 3;
        QTest::newRow("bottom") << "cmdLast" << 0 << QList<int>{11, 12, 13, 10} << 3;
        QTest::newRow("bottom at bottom") << "cmdLast" << 3 << start << 3;
        QTest::newRow("delete") << "cmdDelete" << 1 << QList<int>{10, 12, 13} << 1;
        QTest::newRow("delete last") << "cmdDelete" << 3 << QList<int>{10, 11, 12} << 2;
        QTest::newRow("delete nothing selected") << "cmdDelete" << -1 << start << -1;
        QTest::newRow("move nothing selected") << "cmdNext" << -1 << start << -1;
        QTest::newRow("delete all") << "cmdDeleteAll" << 1 << QList<int>{} << -1;
    }
    void mappingButtons() {
        QFETCH(QString, button);
        QFETCH(int, selected);
        QFETCH(QList<int>, expected);
        QFETCH(int, selectedAfter);
        auto d = dialog();
        setMapping(*d, {10, 11, 12, 13});
        auto* list = child<QListWidget>(*d, "lstDBColumns");
        list->setCurrentRow(selected);
        click(*d, button.toLatin1().constData());
        QStringList hidden;
        for (const int t : expected) {
            hidden << QString::number(t);
        }
        QCOMPARE(d->lstDBColumnsHidden(), hidden);
        verifyInStep(*d, *d);
        QCOMPARE(list->currentRow(), selectedAfter);
    }

    void addDoNotImportAndAddAll() {
        auto d = dialog();
        click(*d, "cmdDeleteAll");
        child<QComboBox>(*d, "lstAdd")->setCurrentIndex(0);
        click(*d, "cmdAdd");
        child<QComboBox>(*d, "lstAdd")->setCurrentIndex(1);
        click(*d, "cmdAdd");
        click(*d, "cmdAdd");  // the same column again
        click(*d, "cmdAddAll");
        QCOMPARE(d->lstDBColumnsHidden(), QStringList({"-1", "0", "0"}) + IdentityMap());
        verifyInStep(*d, *d);
    }

    void browseShowsTheFirstLine() {
        MessageRecorder messages;
        auto d = dialog();
        const QString file = csvFile("\"SurName\",Notes\r\n1,2\r\n");
        FileChooserTest::Reset();
        FileChooserTest::QueueAnswer(file);
        click(*d, "cmdBrowse");
        QCOMPARE(FileChooserTest::Asked().back().preset, QString());
        QCOMPARE(child<QLineEdit>(*d, "txtFileName")->text(), file);
        QCOMPARE(listTexts(child<QListWidget>(*d, "lstCSVColumns")),
                 (QStringList{"SurName", "Notes"}));
        FileChooserTest::QueueAnswer(QString());
        click(*d, "cmdBrowse");
        QCOMPARE(child<QLineEdit>(*d, "txtFileName")->text(), file);
        QVERIFY(messages.texts().isEmpty());
    }

    // A first line of thousands of fields shows the first thousand and says so.
    void browseShowsAtMostAThousandFields() {
        MessageRecorder messages;
        auto d = dialog();
        const QString file = csvFile(QByteArray(5000, ',') + "x\r\n");
        FileChooserTest::QueueAnswer(file);
        click(*d, "cmdBrowse");
        QCOMPARE(child<QListWidget>(*d, "lstCSVColumns")->count(), 1000);
        auto* more = child<QLabel>(*d, "lblCSVColumnsMore");
        QVERIFY(more->isVisible());
        QCOMPARE(more->text(),
                 QStringLiteral("The first line has more fields; only the first 1000 are shown."));
        FileChooserTest::QueueAnswer(csvFile("a,b\r\n"));
        click(*d, "cmdBrowse");
        QCOMPARE(child<QListWidget>(*d, "lstCSVColumns")->count(), 2);
        QVERIFY(!more->isVisible());
        QVERIFY(messages.texts().isEmpty());
    }

    void okWithoutAFileAppendsNothing() {
        MessageRecorder messages;
        auto d = dialog();
        click(*d, "cmdOK");
        QCOMPARE(messages.messages().size(), std::size_t(1));
        QCOMPARE(messages.messages().front().type, MsgType::Error);
        QCOMPARE(db_->Quib1().RowsCount(), 0);
        QVERIFY(d->isVisible());
    }

    void okImportsAndAsks() {
        MessageRecorder messages;
        messages.queueAnswer(MsgResult::No);
        auto d = dialog();
        const QString file =
            csvFile("\"SurName\",\"FirstName\"\r\nDvořák,Antonín\r\nSmith,John\r\n");
        FileChooserTest::QueueAnswer(file);
        click(*d, "cmdBrowse");
        setMapping(*d, {1, 0});
        click(*d, "cmdOK");
        QCOMPARE(messages.texts(),
                 QStringList{"Import has been successful. Would you like to close the window?"});
        QVERIFY(d->isVisible());
        QCOMPARE(db_->Quib1().RowsCount(), 2);
        QCOMPARE(db_->Quib1().GetData(0, 1), QStringLiteral("Dvořák"));
        QCOMPARE(db_->Quib1().GetData(0, 0), QStringLiteral("Antonín"));
        QCOMPARE(Writes(*db_), 1);
        // The settings stay for another import; Yes closes.
        click(*d, "cmdOK");
        QCOMPARE(db_->Quib1().RowsCount(), 4);
        QVERIFY(!d->isVisible());
    }

    // Each file shaped like another program's export lands in the right
    // columns: the mapping comes from its header line untouched.
    void shapedExportsImportWithoutTouchingTheMapping() {
        int n = 0;
        for (const TShapedExport& shaped : ShapedExports()) {
            // A database of its own for each file: two shapes come from one
            // program, and the session before may still be writing its file.
            db_.reset();
            const QString database = dir_.filePath(QStringLiteral("shaped%1.tbr").arg(++n));
            QFile::remove(database);
            WriteDatabase(database, DBLayouts().back(), {});
            db_ = std::make_unique<TContactsSession>(RunningVersionText());
            QVERIFY(db_->OpenFile(database));
            MessageRecorder messages;
            messages.queueAnswer(MsgResult::Yes);
            auto d = dialog();
            browse(*d, shaped.bytes);
            QVERIFY2(child<QLabel>(*d, "lblMapByNames")->text().contains(shaped.source),
                     qPrintable(child<QLabel>(*d, "lblMapByNames")->text()));
            QCOMPARE(d->Preview().rowCount(), shaped.contacts.size());
            for (int r = 0; r < shaped.contacts.size(); ++r) {
                QCOMPARE(d->Preview().Contact(r), shaped.contacts[r]);
            }
            click(*d, "cmdOK");
            QCOMPARE(
                messages.texts(),
                QStringList{"Import has been successful. Would you like to close the window?"});
            QCOMPARE(ReadRows(*db_), shaped.contacts);
        }
    }

    void headerLineFillsTheMapping() {
        MessageRecorder messages;
        auto d = dialog();
        auto* mapByNames = child<QPushButton>(*d, "cmdMapByNames");
        QCOMPARE(mapByNames->text(), QStringLiteral("&Map by Names"));
        QVERIFY(!mapByNames->isEnabled());
        auto* note = child<QLabel>(*d, "lblMapByNames");
        QVERIFY(!note->isVisible());
        browse(*d,
               "\"First Name\",\"Display Name\",\"Last Name\",\"Primary Email\",Custom 1,Notes\r\n"
               "Jan,Jan Novák,Novák,jan@novak.cz,,\r\n");
        QCOMPARE(d->lstDBColumnsHidden(), hidden({1, -1, 0, 11, -1, 31}));
        verifyInStep(*d, *d);
        QVERIFY(note->isVisible());
        QCOMPARE(note->text(),
                 QStringLiteral("Mapped by the headings of the first line (Thunderbird address "
                                "book). Not imported, no contact column fits them (2): Display "
                                "Name, Custom 1"));
        QCOMPARE(note->toolTip(), QStringLiteral("Display Name\nCustom 1"));
        // Their headings are greyed in the list of the file's.
        auto* headings = child<QListWidget>(*d, "lstCSVColumns");
        const QBrush grey = d->palette().brush(QPalette::Disabled, QPalette::Text);
        QCOMPARE(headings->item(1)->foreground(), grey);
        QCOMPARE(headings->item(4)->foreground(), grey);
        QVERIFY(headings->item(0)->foreground() != grey);
        QVERIFY(mapByNames->isEnabled());
        // By hand, then by names again.
        click(*d, "cmdDeleteAll");
        QCOMPARE(d->lstDBColumnsHidden(), QStringList{});
        click(*d, "cmdMapByNames");
        QCOMPARE(d->lstDBColumnsHidden(), hidden({1, -1, 0, 11, -1, 31}));
        QVERIFY(messages.texts().isEmpty());
    }

    void longListsOfHeadingsNotImportedAreCut() {
        auto d = dialog();
        browse(*d, "SurName,a,b,c,d,e,f,g,h,i,j\r\n");
        auto* note = child<QLabel>(*d, "lblMapByNames");
        QCOMPARE(note->text(),
                 QStringLiteral("Mapped by the headings of the first line (Orvane Contacts). Not "
                                "imported, no contact column fits them (10): a, b, c, d, e, f, "
                                "g, h, \u2026"));
        QCOMPARE(note->toolTip().count(u'\n'), 9);
    }

    void withoutAHeaderLineTheMappingStays() {
        auto d = dialog();
        auto* header = child<QCheckBox>(*d, "cbHasHeaderRow");
        header->setChecked(false);
        browse(*d, "First Name,Last Name\r\nJan,Novák\r\n");
        QCOMPARE(d->lstDBColumnsHidden(), IdentityMap());
        QVERIFY(!child<QPushButton>(*d, "cmdMapByNames")->isEnabled());
        QVERIFY(!child<QLabel>(*d, "lblMapByNames")->isVisible());
        header->setChecked(true);
        QCOMPARE(d->lstDBColumnsHidden(), IdentityMap());
        QVERIFY(child<QPushButton>(*d, "cmdMapByNames")->isEnabled());
        click(*d, "cmdMapByNames");
        QCOMPARE(d->lstDBColumnsHidden(), hidden({1, 0}));
    }

    void headingsThatMatchNothingLeaveTheMapping() {
        auto d = dialog();
        setMapping(*d, {5, 6});
        browse(*d, "Jméno a příjmení,Telefonní číslo\r\nJan Novák,777 123 456\r\n");
        QCOMPARE(d->lstDBColumnsHidden(), hidden({5, 6}));
        QCOMPARE(child<QLabel>(*d, "lblMapByNames")->text(),
                 QStringLiteral("No heading of the first line matches a contact column; the "
                                "mapping is left as it was."));
    }

    // The first twenty records, in the columns they will be stored in, in
    // program order; after every change of the mapping or of the header box.
    void previewFollowsTheMapping() {
        QByteArray bytes = "Last Name,First Name,Home Phone,Mobile Phone\r\n";
        for (int i = 1; i <= 30; ++i) {
            bytes += "Novák" + QByteArray::number(i) + ",Jan,222 333 444,777 123 45" +
                     QByteArray::number(i % 10) + "\r\n";
        }
        auto d = dialog();
        browse(*d, bytes);
        const TCsvPreviewModel& preview = d->Preview();
        QCOMPARE(preview.rowCount(), TfrmImportFromCSV::kPreviewRecords);
        QCOMPARE(previewHeadings(*d), (QStringList{titles()[0], titles()[1], titles()[8]}));
        QCOMPARE(previewCell(*d, 0, 0), QStringLiteral("Novák1"));
        QCOMPARE(previewCell(*d, 19, 0), QStringLiteral("Novák20"));
        QCOMPARE(previewCell(*d, 0, 2), QStringLiteral("222 333 444 \u21b5 777 123 451"));
        QCOMPARE(preview.Contact(0)[8], QStringLiteral("222 333 444\n777 123 451"));
        QVERIFY(!child<QLabel>(*d, "lblPreviewNote")->isVisible());

        auto* list = child<QListWidget>(*d, "lstDBColumns");
        list->setCurrentRow(0);
        click(*d, "cmdDelete");  // the surname now fills the first name
        QCOMPARE(previewHeadings(*d), (QStringList{titles()[1], titles()[8]}));
        QCOMPARE(previewCell(*d, 0, 0), QStringLiteral("Novák1"));

        child<QCheckBox>(*d, "cbHasHeaderRow")->setChecked(false);
        QCOMPARE(preview.rowCount(), TfrmImportFromCSV::kPreviewRecords);
        QCOMPARE(previewCell(*d, 0, 0), QStringLiteral("Last Name"));
        QCOMPARE(previewCell(*d, 1, 0), QStringLiteral("Novák1"));

        click(*d, "cmdDeleteAll");
        QCOMPARE(preview.columnCount(), 0);
        QCOMPARE(preview.rowCount(), TfrmImportFromCSV::kPreviewRecords);
        QVERIFY(child<QLabel>(*d, "lblPreviewNote")->isVisible());
    }

    // The preview reads the start of the file only: a bad line after it is
    // found by the import, one within it is told under the preview.
    void previewReadsTheStartOnly() {
        MessageRecorder messages;
        auto d = dialog();
        QByteArray bytes = "SurName\r\n";
        for (int i = 0; i < 25; ++i) {
            bytes += "Novák\r\n";
        }
        browse(*d, bytes + "\"bad\"x\r\n");
        QVERIFY(!child<QLabel>(*d, "lblPreviewNote")->isVisible());
        QCOMPARE(d->Preview().rowCount(), TfrmImportFromCSV::kPreviewRecords);

        browse(*d, "SurName\r\nNovák\r\n\r\nDvořák\r\n\"bad\"x\r\nSmith\r\n");
        QCOMPARE(d->Preview().rowCount(), 2);
        auto* note = child<QLabel>(*d, "lblPreviewNote");
        QVERIFY(note->isVisible());
        QCOMPARE(note->text(),
                 QStringLiteral("The preview ends before a record that cannot be read: Source "
                                "CSV file is not wellformed (position 5). Excepting \",\" "
                                "(comma), but \"x\" found. (line 5)"));
        QVERIFY(messages.texts().isEmpty());
    }

    void malformedFileIsReportedWithItsLine() {
        MessageRecorder messages;
        auto d = dialog();
        const QString file = csvFile("h\r\na,b\r\n\"c\"d\r\n");
        FileChooserTest::QueueAnswer(file);
        click(*d, "cmdBrowse");
        click(*d, "cmdOK");
        QCOMPARE(messages.texts(),
                 QStringList{"Source CSV file is not wellformed (position 3). Excepting \",\" "
                             "(comma), but \"d\" found. (line 3)"});
        QCOMPARE(messages.messages().front().type, MsgType::Error);
        QCOMPARE(db_->Quib1().RowsCount(), 0);
    }
};

QTEST_MAIN(TestFrmImportFromCSV)
#include "test_frmImportFromCSV.moc"
