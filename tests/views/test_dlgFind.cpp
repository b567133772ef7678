#include "views/u_dlgFind.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

class TestDlgFind : public QObject {
    Q_OBJECT

  private slots:
    void defaults();
    void optionsReachTheRequest();
    void findNextTellsTheOwner();
    void cancelClosesWithoutSearching();

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

QTEST_MAIN(TestDlgFind)
#include "test_dlgFind.moc"
