#pragma once

#include <QFrame>

// The table view: every contact as one row of an editable grid.
// Its content is still to come; the main window already switches to it.
class TframeMainGrid : public QFrame {
    Q_OBJECT

  public:
    explicit TframeMainGrid(QWidget* parent = nullptr);
};
