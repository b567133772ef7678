#pragma once

#include <QFrame>

// The query view: finds contacts by a query of field conditions.
// Its content is still to come; the main window already switches to it.
class TframeMainDBQuery : public QFrame {
    Q_OBJECT

  public:
    explicit TframeMainDBQuery(QWidget* parent = nullptr);
};
