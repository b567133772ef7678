#pragma once

#include <QFrame>

// Print wizard, step 3: the finished report before printing.
// Its content is still to come; the main window already switches to it.
class TframeMainPrintPreview : public QFrame {
    Q_OBJECT

  public:
    explicit TframeMainPrintPreview(QWidget* parent = nullptr);
};
