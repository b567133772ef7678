#include "views/u_frameMainGrid.h"

TframeMainGrid::TframeMainGrid(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("frameMainGrid"));
}
