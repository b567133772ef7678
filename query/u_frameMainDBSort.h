#pragma once

#include <QFrame>

// The sort builder: the sort keys applied to the whole database.
// Its content is still to come; the main window already switches to it.
class TframeMainDBSort : public QFrame {
    Q_OBJECT

  public:
    explicit TframeMainDBSort(QWidget* parent = nullptr);
};
