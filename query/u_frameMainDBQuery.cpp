#include "query/u_frameMainDBQuery.h"

TframeMainDBQuery::TframeMainDBQuery(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("frameMainDBQuery"));
}
