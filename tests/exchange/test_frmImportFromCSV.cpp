// The CSV import dialog offscreen: reset on show, the mapping buttons kept in
// step with the hidden targets, choosing a file and running the import.
#include "ExchangeFixtures.h"
#include "support/u_FileChooser.h"
#include "testsupport/TestSupport.h"

#include "exchange/u_frmImportFromCSV.h"
#include "session/u_ContactSchema.h"
#include "support/u_OrvFileLib.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
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
            {"cmdLast", "As &Bottom"},      {"cmdDelete", "&Delete"},
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
