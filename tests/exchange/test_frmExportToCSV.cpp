// The CSV export dialog offscreen: its defaults, the chooser, writing and the
// closing question.
#include "ExchangeFixtures.h"
#include "support/u_FileChooser.h"
#include "testsupport/TestSupport.h"

#include "exchange/u_frmExportToCSV.h"
#include "session/u_ContactSchema.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
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

}  // namespace

class TestFrmExportToCSV : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir dir_;
    std::unique_ptr<TQuib> db_;

    std::unique_ptr<TfrmExportToCSV> dialog() {
        auto d = std::make_unique<TfrmExportToCSV>(*db_, ProgramColumns(), titles(),
                                                   IdentityColumnMap());
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

  private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        const QString file = dir_.filePath(QStringLiteral("Pellum.tbr"));
        WriteDatabase(file, DBLayouts().back(), SampleContacts());
        db_ = OpenDatabase(file);
        QVERIFY(db_);
    }

    void showFillsTheDefaults() {
        auto d = dialog();
        QCOMPARE(d->windowTitle(), QStringLiteral("Export to CSV"));
        QCOMPARE(child<QLineEdit>(*d, "txtFileName")->text(), dir_.filePath("Pellum.csv"));
        auto* list = child<QListWidget>(*d, "lstColumns");
        QCOMPARE(list->count(), 32);
        QCOMPARE(list->item(31)->text(), QStringLiteral("Notes (title)"));
        QCOMPARE(d->TickedColumns(), QList<bool>(32, true));
        QCOMPARE(child<QPushButton>(*d, "cmdBrowse")->text(), QStringLiteral("Browse..."));
        QCOMPARE(child<QPushButton>(*d, "cmdOK")->text(), QStringLiteral("&OK"));
        QCOMPARE(child<QPushButton>(*d, "cmdCancel")->text(), QStringLiteral("&Cancel"));
    }

    void browsePresetsAndTakesTheChoice() {
        auto d = dialog();
        FileChooserTest::Reset();
        FileChooserTest::QueueAnswer(QStringLiteral("/tmp/chosen.csv"));
        child<QPushButton>(*d, "cmdBrowse")->click();
        QCOMPARE(FileChooserTest::Asked().back().preset, dir_.filePath("Pellum.csv"));
        QCOMPARE(child<QLineEdit>(*d, "txtFileName")->text(), QStringLiteral("/tmp/chosen.csv"));
        FileChooserTest::QueueAnswer(QString());
        child<QPushButton>(*d, "cmdBrowse")->click();
        QCOMPARE(child<QLineEdit>(*d, "txtFileName")->text(), QStringLiteral("/tmp/chosen.csv"));
    }

    void okWritesTheTickedColumnsAndAsks() {
        MessageRecorder messages;
        messages.queueAnswer(MsgResult::No);
        auto d = dialog();
        auto* list = child<QListWidget>(*d, "lstColumns");
        for (int j = 2; j < 32; ++j) {
            list->item(j)->setCheckState(Qt::Unchecked);
        }
        const QString file = dir_.filePath("two.csv");
        child<QLineEdit>(*d, "txtFileName")->setText(file);
        child<QPushButton>(*d, "cmdOK")->click();
        QCOMPARE(messages.texts(),
                 QStringList{"Export has been successful. Would you like to close the window?"});
        QCOMPARE(messages.messages().front().buttons, MsgButtons::YesNo);
        QVERIFY(d->isVisible());  // No leaves it open
        QCOMPARE(ReadFile(file), QByteArray("\"SurName\",\"FirstName\"\r\n"
                                            "\"Dvo\xF8\xE1k\",\"Anton\xEDn\"\r\n"
                                            "\"Nov\xE1kov\xE1\",\"V\xECra\"\r\n"
                                            "\"Smith\",\"John\"\r\n"));
        child<QPushButton>(*d, "cmdOK")->click();  // answered Yes
        QVERIFY(!d->isVisible());
        QCOMPARE(d->result(), int(QDialog::Accepted));
    }

    void headerOfNamesOrOfTitles() {
        MessageRecorder messages;
        messages.queueAnswer(MsgResult::No);
        messages.queueAnswer(MsgResult::No);
        auto d = dialog();
        auto* header = child<QComboBox>(*d, "cboHeader");
        QCOMPARE(child<QLabel>(*d, "lblHeader")->text(), QStringLiteral("&Header line:"));
        QCOMPARE(header->count(), 2);
        QCOMPARE(header->itemText(0), QStringLiteral("Column names (SurName, FirstName, \u2026)"));
        QCOMPARE(header->itemText(1),
                 QStringLiteral("Column titles (SurName (title), FirstName (title), \u2026)"));
        QCOMPARE(header->currentIndex(), 0);
        QCOMPARE(d->Header(), TfrmExportToCSV::THeader::Names);
        auto* list = child<QListWidget>(*d, "lstColumns");
        for (int j = 1; j < 31; ++j) {
            list->item(j)->setCheckState(Qt::Unchecked);
        }
        const QString file = dir_.filePath("header.csv");
        child<QLineEdit>(*d, "txtFileName")->setText(file);
        header->setCurrentIndex(1);
        QCOMPARE(d->Header(), TfrmExportToCSV::THeader::Titles);
        child<QPushButton>(*d, "cmdOK")->click();
        QVERIFY(ReadFile(file).startsWith("\"SurName (title)\",\"Notes (title)\"\r\n\"Dvo"));
        header->setCurrentIndex(0);
        child<QPushButton>(*d, "cmdOK")->click();
        QVERIFY(ReadFile(file).startsWith("\"SurName\",\"Notes\"\r\n\"Dvo"));
        // A new showing starts with the names again.
        d->hide();
        d->show();
        QCOMPARE(header->currentIndex(), 0);
    }

    void encodingFollowsTheDatabase() {
        MessageRecorder messages;
        messages.queueAnswer(MsgResult::No);
        // A Central European database: Windows-1250 first.
        auto d = dialog();
        auto* encoding = child<QComboBox>(*d, "cboEncoding");
        QCOMPARE(child<QLabel>(*d, "lblEncoding")->text(), QStringLiteral("&Encoding:"));
        QCOMPARE(encoding->count(), 2);
        QCOMPARE(encoding->itemText(0), QStringLiteral("UTF-8"));
        QCOMPARE(encoding->itemText(1), QStringLiteral("Windows-1250"));
        QCOMPARE(d->Encoding(), TfrmExportToCSV::TEncoding::Windows1250);
        // A Unicode one: UTF-8 with its mark.
        const QString file = dir_.filePath(QStringLiteral("unicode.tbr"));
        QList<QStringList> contacts = SampleContacts();
        contacts[0][1] = QStringLiteral("Søren");
        WriteDatabase(file, DBLayouts().back(), contacts, quib::TextEncoding::Utf8);
        const auto unicode = OpenDatabase(file);
        TfrmExportToCSV u(*unicode, ProgramColumns(), titles(), IdentityColumnMap());
        u.show();
        QCOMPARE(u.Encoding(), TfrmExportToCSV::TEncoding::Utf8);
        const QString csv = dir_.filePath(QStringLiteral("unicode.csv"));
        child<QLineEdit>(u, "txtFileName")->setText(csv);
        child<QPushButton>(u, "cmdOK")->click();
        QVERIFY(ReadFile(csv).startsWith("\xEF\xBB\xBF\"SurName\",\"FirstName\""));
        QVERIFY(ReadFile(csv).contains(QStringLiteral("Søren").toUtf8()));
        // Windows-1250 chosen: refused, naming the contact, nothing written.
        messages.clear();
        child<QComboBox>(u, "cboEncoding")->setCurrentIndex(1);
        QFile::remove(csv);
        child<QPushButton>(u, "cmdOK")->click();
        QCOMPARE(messages.messages().size(), std::size_t(1));
        QCOMPARE(messages.messages().front().type, MsgType::Error);
        QVERIFY2(messages.texts().front().contains(QStringLiteral("\"ø\" in contact 1")),
                 qPrintable(messages.texts().front()));
        QVERIFY(!QFile::exists(csv));
    }

    void failureIsAnErrorWithoutTheQuestion() {
        MessageRecorder messages;
        auto d = dialog();
        child<QLineEdit>(*d, "txtFileName")->setText(dir_.filePath("no/folder/x.csv"));
        child<QPushButton>(*d, "cmdOK")->click();
        QCOMPARE(messages.messages().size(), std::size_t(1));
        QCOMPARE(messages.messages().front().type, MsgType::Error);
        QVERIFY(d->isVisible());
    }
};

QTEST_MAIN(TestFrmExportToCSV)
#include "test_frmExportToCSV.moc"
