// The progress dialog of imports and exports: it tells the work to go on
// until the user cancels, and takes the counts it is given.
#include "exchange/u_ExchangeProgressDialog.h"

#include <QTest>

class TestExchangeProgressDialog : public QObject {
    Q_OBJECT

  private slots:
    void goesOnUntilCancelled() {
        QWidget parent;
        TExchangeProgressDialog dialog(TExchangeProgressDialog::TWork::Export, &parent);
        const TExchangeProgress::TReport report = dialog.Report();
        QVERIFY(report(0, 0));
        QVERIFY(report(256, 1000));
        QCOMPARE(dialog.maximum(), 1000);
        QCOMPARE(dialog.labelText(), QStringLiteral("Exporting contacts…"));
        dialog.cancel();
        QVERIFY(!report(512, 1000));
    }

    void countsBeyondAnIntAreScaled() {
        TExchangeProgressDialog dialog(TExchangeProgressDialog::TWork::Import, nullptr);
        QVERIFY(dialog.Report()(1, qint64{5} << 32));
        QVERIFY(dialog.maximum() > 0);
    }
};

QTEST_MAIN(TestExchangeProgressDialog)
#include "test_ExchangeProgressDialog.moc"
