#include "query/u_frameMainQuery.h"

TframeMainQuery::TframeMainQuery(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("frameMainQuery"));
}
