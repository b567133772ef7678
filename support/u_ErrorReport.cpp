#include "support/u_ErrorReport.h"

#include "support/u_MessageBox.h"

#include <QString>

void ReportException(const std::exception& error) {
    ShowMessage(MsgType::Error, QString::fromUtf8(error.what()), MsgButtons::Ok);
}
