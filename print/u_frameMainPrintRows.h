#pragma once

#include <QFrame>

// Print wizard, step 1: the contacts to print.
// Its content is still to come; the main window already switches to it.
class TframeMainPrintRows : public QFrame {
    Q_OBJECT

  public:
    explicit TframeMainPrintRows(QWidget* parent = nullptr);
};
