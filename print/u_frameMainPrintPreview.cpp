#include "print/u_frameMainPrintPreview.h"

TframeMainPrintPreview::TframeMainPrintPreview(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("frameMainPrintPreview"));
}
