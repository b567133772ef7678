#include "exchange/u_ExchangeProgressDialog.h"

#include <QCoreApplication>

#include <limits>

namespace {

constexpr int kShowAfterMs = 500;

// The dialog counts in int: larger counts are scaled down.
int scaled(qint64 value, qint64 total) {
    constexpr qint64 kMax = std::numeric_limits<int>::max();
    return static_cast<int>(total <= kMax ? value : value / (total / kMax + 1));
}

}  // namespace

TExchangeProgressDialog::TExchangeProgressDialog(TWork work, QWidget* parent)
    : QProgressDialog(parent) {
    setObjectName(QStringLiteral("dlgExchangeProgress"));
    setWindowModality(Qt::WindowModal);
    setLabelText(work == TWork::Import ? tr("Importing contacts…") : tr("Exporting contacts…"));
    setCancelButtonText(tr("Cancel"));
    setAutoReset(false);
    setMinimumDuration(kShowAfterMs);
    setRange(0, 0);  // a busy bar until the count is known
    clock_.start();
}

TExchangeProgress::TReport TExchangeProgressDialog::Report() {
    return [this](qint64 done, qint64 total) { return showProgress(done, total); };
}

bool TExchangeProgressDialog::showProgress(qint64 done, qint64 total) {
    const int top = scaled(total, total);
    if (maximum() != top) {
        setRange(0, top);
    }
    if (!isVisible() && !wasCanceled() && clock_.hasExpired(minimumDuration())) {
        forceShow();
    }
    if (isVisible()) {
        setValue(scaled(qMin(done, total), total));
        // The Cancel button's click, and the repaint of the bar.
        QCoreApplication::processEvents();
    }
    return !wasCanceled();
}
