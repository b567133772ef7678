#pragma once

#include "exchange/u_ExchangeProgress.h"

#include <QElapsedTimer>
#include <QProgressDialog>

class QWidget;

// The progress of a long import or export in a window-modal dialog with a
// Cancel button. It appears only once the work has run for half a second;
// until then no event is handled, so nothing else can start meanwhile.
class TExchangeProgressDialog : public QProgressDialog {
    Q_OBJECT

  public:
    enum class TWork { Import, Export };
    TExchangeProgressDialog(TWork work, QWidget* parent);

    // What the work calls with its progress; false once the user cancelled.
    TExchangeProgress::TReport Report();

  private:
    bool showProgress(qint64 done, qint64 total);

    QElapsedTimer clock_;
};
