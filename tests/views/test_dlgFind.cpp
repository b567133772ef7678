#include "views/u_dlgFind.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

class TestDlgFind : public QObject {
    Q_OBJECT

  private slots:
    void defaults();
    void optionsReachTheRequest();
    void findNextTellsTheOwner();
    void cancelClosesWithoutSearching();
    void placeClearOfTheField_data();
    void placeClearOfTheField();
    void movesOffTheFieldOnTheScreen();

  private:
    template <typename T>
    T* child(TdlgFind& dlg, const char* name) {
        T* w = dlg.findChild<T*>(QString::fromLatin1(name));
        if (!w)
            qFatal("no control %s", name);
        return w;
    }
};

void TestDlgFind::defaults() {
    TdlgFind dlg;
    QCOMPARE(dlg.objectName(), QStringLiteral("dlgFind"));
    QVERIFY(!dlg.isModal());
    QCOMPARE(dlg.direction(), BasicFind::Direction::Down);
    QVERIFY(child<QRadioButton>(dlg, "optDown")->isChecked());
    QVERIFY(!dlg.matchCase());
    QVERIFY(dlg.findText().isEmpty());
    dlg.show();
    QVERIFY(child<QCheckBox>(dlg, "chkWholeWord")->isHidden());
    QVERIFY(child<QCheckBox>(dlg, "chkMatchCase")->isVisible());
    QCOMPARE(child<QPushButton>(dlg, "cmdFindNext")->text(), QStringLiteral("&Find Next"));
    QCOMPARE(child<QRadioButton>(dlg, "optUp")->text(), QStringLiteral("&Up"));
    QCOMPARE(child<QRadioButton>(dlg, "optDown")->text(), QStringLiteral("&Down"));
}

void TestDlgFind::optionsReachTheRequest() {
    TdlgFind dlg;
    QTest::keyClicks(child<QLineEdit>(dlg, "txtFindText"), QStringLiteral("Nov"));
    child<QRadioButton>(dlg, "optUp")->click();
    child<QCheckBox>(dlg, "chkMatchCase")->click();
    const BasicFind::Request r = dlg.request();
    QCOMPARE(r.pattern, QStringLiteral("Nov"));
    QCOMPARE(r.direction, BasicFind::Direction::Up);
    QVERIFY(r.matchCase);
}

void TestDlgFind::findNextTellsTheOwner() {
    TdlgFind dlg;
    QSignalSpy spy(&dlg, &TdlgFind::findNext);
    dlg.show();
    auto* cmd = child<QPushButton>(dlg, "cmdFindNext");
    QVERIFY(!cmd->isEnabled());  // nothing to find yet
    dlg.setFindText(QStringLiteral("x"));
    QVERIFY(cmd->isEnabled());
    cmd->click();
    cmd->click();
    QCOMPARE(spy.count(), 2);
    QVERIFY(dlg.isVisible());  // stays open for the next search
}

void TestDlgFind::cancelClosesWithoutSearching() {
    TdlgFind dlg;
    QSignalSpy spy(&dlg, &TdlgFind::findNext);
    dlg.setFindText(QStringLiteral("x"));
    dlg.show();
    child<QPushButton>(dlg, "cmdCancel")->click();
    QVERIFY(!dlg.isVisible());
    QCOMPARE(spy.count(), 0);
    QCOMPARE(dlg.findText(), QStringLiteral("x"));  // kept for Find Next
}

void TestDlgFind::placeClearOfTheField_data() {
    QTest::addColumn<QRect>("frame");
    QTest::addColumn<QRect>("field");
    QTest::addColumn<QRect>("screen");
    QTest::addColumn<QPoint>("place");

    const QRect screen(0, 0, 1000, 800);
    QTest::newRow("no overlap stays")
        << QRect(600, 50, 300, 150) << QRect(10, 10, 200, 25) << screen << QPoint(600, 50);
    QTest::newRow("touching is no overlap")
        << QRect(50, 0, 300, 120) << QRect(100, 120, 200, 25) << screen << QPoint(50, 0);
    QTest::newRow("overlap goes below when it fits")
        << QRect(50, 100, 300, 150) << QRect(100, 120, 200, 25) << screen << QPoint(50, 145);
    QTest::newRow("just fits below")
        << QRect(50, 600, 300, 150) << QRect(100, 625, 200, 25) << screen << QPoint(50, 650);
    QTest::newRow("at the bottom of the screen goes above")
        << QRect(50, 650, 300, 150) << QRect(100, 700, 200, 25) << screen << QPoint(50, 550);
    QTest::newRow("too tall a field goes beside, right")
        << QRect(150, 300, 300, 150) << QRect(100, 20, 200, 760) << screen << QPoint(300, 300);
    QTest::newRow("no room on the right goes left")
        << QRect(600, 300, 300, 150) << QRect(500, 20, 480, 760) << screen << QPoint(200, 300);
    QTest::newRow("kept on the screen sideways")
        << QRect(900, 100, 300, 150) << QRect(950, 120, 40, 25) << screen << QPoint(700, 145);
    QTest::newRow("screen not at the origin")
        << QRect(1050, 20, 300, 150) << QRect(1100, 40, 200, 25) << QRect(1000, 30, 1000, 770)
        << QPoint(1050, 65);
    QTest::newRow("no room anywhere: on the screen")
        << QRect(-50, 700, 300, 150) << QRect(0, 0, 1000, 800) << screen << QPoint(0, 650);
}

void TestDlgFind::placeClearOfTheField() {
    QFETCH(QRect, frame);
    QFETCH(QRect, field);
    QFETCH(QRect, screen);
    QFETCH(QPoint, place);
    QCOMPARE(FindDialogPlace(frame, field, screen), place);
}

void TestDlgFind::movesOffTheFieldOnTheScreen() {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    TdlgFind dlg;
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    dlg.move(screen.topLeft() + QPoint(40, 40));
    const QRect field(dlg.frameGeometry().center() - QPoint(50, 10), QSize(100, 20));

    dlg.moveClearOf(field);
    QVERIFY(!dlg.frameGeometry().intersects(field));
    QVERIFY(screen.contains(dlg.frameGeometry()));
    QCOMPARE(dlg.frameGeometry().top(), field.bottom() + 1);  // below it

    // Nothing covered: it stays.
    const QPoint placed = dlg.frameGeometry().topLeft();
    dlg.moveClearOf(QRect(dlg.frameGeometry().bottomLeft() + QPoint(0, 30), QSize(100, 20)));
    QCOMPARE(dlg.frameGeometry().topLeft(), placed);
}

QTEST_MAIN(TestDlgFind)
#include "test_dlgFind.moc"
