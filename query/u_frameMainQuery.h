#pragma once

#include <QFrame>

// The query builder: a list of field conditions, kept in query files.
// Its content is still to come; the main window already switches to it.
class TframeMainQuery : public QFrame {
    Q_OBJECT

  public:
    explicit TframeMainQuery(QWidget* parent = nullptr);
};
