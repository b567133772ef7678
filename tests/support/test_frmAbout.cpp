#include "support/u_LinkLabel.h"
#include "support/u_OrvFileLib.h"
#include "support/u_WebRoutines.h"
#include "support/u_frmAbout.h"

#include <QDesktopServices>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

class TestFrmAbout : public QObject {
    Q_OBJECT

  public slots:
    void openUrl(const QUrl& url) { opened_ << url.toString(); }

  private slots:
    void initTestCase();
    void cleanupTestCase();
    void rows_withoutModules();
    void rows_withModules();
    void rows_runningProgramHasItsVersion();
    void box_versionLine();
    void box_grid();
    void box_links();
    void box_okCloses();

  private:
    QStringList opened_;
};

void TestFrmAbout::initTestCase() {
    FillAppInfo(QCoreApplication::applicationFilePath());
    WebSettings().RedirectBase = QStringLiteral("https://redirect.test/go");
    for (const char* scheme : {"https", "mailto"}) {
        QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "openUrl");
    }
}

void TestFrmAbout::cleanupTestCase() {
    for (const char* scheme : {"https", "mailto"}) {
        QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }
}

void TestFrmAbout::rows_withoutModules() {
    QTemporaryDir dir;
    const QString exe = dir.filePath(QStringLiteral("pellum"));
    QFile(exe).open(QIODevice::WriteOnly);
    const QList<QStringList> rows = VersionGridRows(exe);
    QCOMPARE(rows.size(), 4);
    QCOMPARE(rows[0], (QStringList{"File", "Version", "Path"}));
    QCOMPARE(rows[1], (QStringList{"pellum", "", dir.path()}));
    QCOMPARE(rows[2], (QStringList{"pellum.ENG", "", dir.path()}));
    QCOMPARE(rows[3], (QStringList{"pellum.CSY", "", dir.path()}));
}

void TestFrmAbout::rows_withModules() {
    QTemporaryDir dir;
    const QString exe = dir.filePath(QStringLiteral("pellum.bin"));
    for (const char* name : {"pellum.bin", "pellum.ENG", "pellum.CSY"}) {
        QFile(dir.filePath(QString::fromLatin1(name))).open(QIODevice::WriteOnly);
    }
    const QList<QStringList> rows = VersionGridRows(exe);
    QCOMPARE(rows[1], (QStringList{"pellum.bin", "", dir.path()}));
    QCOMPARE(rows[2], (QStringList{"pellum.ENG", "", dir.path()}));
    QCOMPARE(rows[3], (QStringList{"pellum.CSY", "", dir.path()}));
}

void TestFrmAbout::rows_runningProgramHasItsVersion() {
    const QList<QStringList> rows = VersionGridRows(QCoreApplication::applicationFilePath());
    QCOMPARE(rows[1][0], App.ID);
    QCOMPARE(rows[1][1], RunningVersionText());
    QCOMPARE(rows[1][2], App.Path);
    QCOMPARE(rows[2][0], App.ID + QStringLiteral(".ENG"));
}

void TestFrmAbout::box_versionLine() {
    TfrmAbout box;
    const QString text = box.findChild<QLabel*>(QStringLiteral("lblProgramVersion"))->text();
    const QRegularExpression form(QStringLiteral(
        "^Version \\d+\\.\\d+\\.\\d+\\.\\d+ \\(\\d\\d\\.\\d\\d\\.\\d{4} \\d\\d:\\d\\d\\)$"));
    QVERIFY2(form.match(text).hasMatch(), qPrintable(text));
    QVERIFY(text.startsWith(QStringLiteral("Version ") + RunningVersionText() + u' '));
    QCOMPARE(box.windowTitle(), QStringLiteral("About Orvane Contacts"));
}

void TestFrmAbout::box_grid() {
    TfrmAbout box;
    const auto* grid = box.findChild<QTableWidget*>(QStringLiteral("gridVersions"));
    QCOMPARE(grid->rowCount(), 4);
    QCOMPARE(grid->columnCount(), 3);
    // The designed widths, widened where a text would not show whole (the
    // file names hold the running program's name, longer in a test).
    const int designed[] = {77, 64, 301};
    for (int c = 0; c < 3; ++c) {
        QVERIFY(grid->columnWidth(c) >= designed[c]);
        int widest = 0;
        for (int r = 0; r < grid->rowCount(); ++r)
            widest =
                std::max(widest, grid->fontMetrics().horizontalAdvance(grid->item(r, c)->text()));
        QVERIFY2(grid->columnWidth(c) > widest, qPrintable(QString::number(c)));
        if (widest + 12 < designed[c])
            QCOMPARE(grid->columnWidth(c), designed[c]);
    }
    QVERIFY(grid->horizontalHeader()->isHidden());
    QVERIFY(grid->verticalHeader()->isHidden());
    QCOMPARE(grid->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(grid->item(0, 0)->text(), QStringLiteral("File"));
    QCOMPARE(grid->item(1, 1)->text(), RunningVersionText());
    QCOMPARE(grid->item(2, 1)->text(), QString());
    QVERIFY(box.findChild<QPlainTextEdit*>(QStringLiteral("Memo1"))->isReadOnly());
}

void TestFrmAbout::box_links() {
    opened_.clear();
    TfrmAbout box;
    auto* web = box.findChild<TOrvLinkLabel*>(QStringLiteral("OrvLinkLabel1"));
    auto* mail = box.findChild<TOrvLinkLabel*>(QStringLiteral("OrvLinkLabel2"));
    web->ClickHref(LinkHref(0));
    mail->ClickHref(LinkHref(0));
    QCOMPARE(opened_.size(), 2);
    QCOMPARE(opened_[0], QStringLiteral("https://redirect.test/go?to=orvane&from=") + App.ID +
                             QStringLiteral("&version=") + App.Version);
    QCOMPARE(opened_[1], QStringLiteral("mailto:contacts@orvane.example"));
}

void TestFrmAbout::box_okCloses() {
    TfrmAbout box;
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QTest::mouseClick(box.findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
    QVERIFY(!box.isVisible());
    QCOMPARE(box.result(), int(QDialog::Accepted));
}

QTEST_MAIN(TestFrmAbout)
#include "test_frmAbout.moc"
