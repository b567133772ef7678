// The vCard export dialog offscreen: its defaults, the choice of records and
// version, the chooser, writing and the closing question.
#include "ExchangeFixtures.h"
#include "testsupport/TestSupport.h"

#include "exchange/u_VCardReader.h"
#include "exchange/u_frmExportToVCard.h"
#include "session/u_ContactSchema.h"
#include "support/u_FileChooser.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

using namespace fixtures;

class TestFrmExportToVCard : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir dir_;
    std::unique_ptr<TQuib> db_;

    template <typename T>
    static T* child(QWidget& w, const char* name) {
        T* c = w.findChild<T*>(QString::fromLatin1(name));
        if (!c) {
            qFatal("no control %s", name);
        }
        return c;
    }
    static QList<QStringList> cards(const QString& file) {
        QList<QStringList> read;
        TVCardReader::Read(ReadFile(file), [&read](const QStringList& c) { read << c; });
        return read;
    }

  private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        const QString file = dir_.filePath(QStringLiteral("Pellum.tbr"));
        WriteDatabase(file, DBLayouts().back(), SampleContacts());
        db_ = OpenDatabase(file);
        QVERIFY(db_);
    }

    void defaults() {
        TfrmExportToVCard d(*db_, IdentityColumnMap(), {});
        d.show();
        QCOMPARE(d.windowTitle(), QStringLiteral("Export to vCard"));
        QCOMPARE(child<QLineEdit>(d, "txtFileName")->text(), dir_.filePath("Pellum.vcf"));
        QVERIFY(child<QRadioButton>(d, "rbAllRecords")->isChecked());
        QVERIFY(!child<QRadioButton>(d, "rbQueryResult")->isEnabled());
        QVERIFY(child<QRadioButton>(d, "rbVersion40")->isChecked());
        QCOMPARE(d.Version(), TVCardVersion::V4_0);
        QCOMPARE(d.ChosenRows(), QList<int>());
        QCOMPARE(TfrmExportToVCard::DefaultFileName("/a.b/c"), QStringLiteral("/a.b/c.vcf"));
    }

    void writesAllRecordsAndAsks() {
        MessageRecorder messages;
        messages.queueAnswer(MsgResult::No);
        TfrmExportToVCard d(*db_, IdentityColumnMap(), {1});
        d.show();
        const QString out = dir_.filePath(QStringLiteral("all.vcf"));
        FileChooserTest::Reset();
        FileChooserTest::QueueAnswer(out);
        child<QPushButton>(d, "cmdBrowse")->click();
        QCOMPARE(FileChooserTest::Asked().size(), std::size_t(1));
        QCOMPARE(FileChooserTest::Asked().front().preset, dir_.filePath("Pellum.vcf"));
        QCOMPARE(FileChooserTest::Asked().front().objectName, QStringLiteral("dlgDest"));
        QCOMPARE(child<QLineEdit>(d, "txtFileName")->text(), out);
        child<QPushButton>(d, "cmdOK")->click();
        QCOMPARE(messages.texts(),
                 QStringList{"Export has been successful. Would you like to close the window?"});
        QVERIFY(d.isVisible());
        QCOMPARE(cards(out), SampleContacts());
        QVERIFY(ReadFile(out).contains("\r\nVERSION:4.0\r\n"));
    }

    void writesTheQueryResultAsVersion3() {
        MessageRecorder messages;
        TfrmExportToVCard d(*db_, IdentityColumnMap(), {2, 0});
        d.show();
        const QString out = dir_.filePath(QStringLiteral("query.vcf"));
        child<QLineEdit>(d, "txtFileName")->setText(out);
        child<QRadioButton>(d, "rbQueryResult")->click();
        child<QRadioButton>(d, "rbVersion30")->click();
        child<QPushButton>(d, "cmdOK")->click();
        QVERIFY(!d.isVisible());  // Yes closes
        QCOMPARE(cards(out), (QList<QStringList>{SampleContacts()[2], SampleContacts()[0]}));
        QVERIFY(ReadFile(out).contains("\r\nVERSION:3.0\r\n"));
    }

    void failureIsShownAndTheDialogStays() {
        MessageRecorder messages;
        TfrmExportToVCard d(*db_, IdentityColumnMap(), {});
        d.show();
        child<QLineEdit>(d, "txtFileName")->setText(dir_.filePath("no/such/folder/x.vcf"));
        child<QPushButton>(d, "cmdOK")->click();
        QCOMPARE(messages.messages().size(), std::size_t(1));
        QCOMPARE(messages.messages().front().type, MsgType::Error);
        QVERIFY(d.isVisible());
    }
};

QTEST_MAIN(TestFrmExportToVCard)
#include "test_frmExportToVCard.moc"
