#include "print/u_frameMainPrintRows.h"

TframeMainPrintRows::TframeMainPrintRows(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("frameMainPrintRows"));
}
