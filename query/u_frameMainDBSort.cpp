#include "query/u_frameMainDBSort.h"

TframeMainDBSort::TframeMainDBSort(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("frameMainDBSort"));
}
