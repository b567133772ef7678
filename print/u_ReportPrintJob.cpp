#include "print/u_ReportPrintJob.h"

#include "print/u_ReportPrinter.h"
#include "support/u_BusyCursor.h"
#include "support/u_MessageBox.h"

#include <QCoreApplication>
#include <QDialog>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

TReportPrintJob::TReportPrintJob()
    : RunDialog([](QDialog& dialog) { return dialog.exec() == QDialog::Accepted; }),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {}

TReportPrintJob::~TReportPrintJob() = default;

void TReportPrintJob::Setup(QWidget* parent) {
    QPageSetupDialog dialog(printer_.get(), parent);
    RunDialog(dialog);
}

bool TReportPrintJob::Print(const QTextDocument& report, const QString& databaseName,
                            QWidget* parent) {
    QPrintDialog dialog(printer_.get(), parent);
    if (!RunDialog(dialog)) {
        return false;
    }
    bool printed = false;
    {
        const TBusyCursor busy;  // every page is laid out and sent now
        printed = PrintReport(report, *printer_, PrintJobTitle(databaseName));
    }
    if (!printed) {
        ShowMessage(
            MsgType::Error,
            QCoreApplication::translate(
                "TReportPrintJob", "The report was not printed: the printer reported an error."),
            MsgButtons::Ok, parent);
        return false;
    }
    return true;
}
