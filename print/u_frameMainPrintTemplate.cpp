#include "print/u_frameMainPrintTemplate.h"

TframeMainPrintTemplate::TframeMainPrintTemplate(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("frameMainPrintTemplate"));
}
