#pragma once

#include <QFrame>

// Print wizard, step 2: the template to print them with.
// Its content is still to come; the main window already switches to it.
class TframeMainPrintTemplate : public QFrame {
    Q_OBJECT

  public:
    explicit TframeMainPrintTemplate(QWidget* parent = nullptr);
};
