#pragma once

#include <QString>

#include <functional>
#include <memory>

class QDialog;
class QPrinter;
class QTextDocument;
class QWidget;

// The printer the wizard prints on: one printer shared by Print Setup and
// Print, so that the setup chosen applies to every later print.
class TReportPrintJob {
  public:
    TReportPrintJob();
    ~TReportPrintJob();
    TReportPrintJob(const TReportPrintJob&) = delete;
    TReportPrintJob& operator=(const TReportPrintJob&) = delete;

    QPrinter& printer() const { return *printer_; }

    // The printer setup dialog; cancelling it changes nothing.
    void Setup(QWidget* parent);

    // The print dialog (which also offers printing to a PDF file); on OK the
    // report is printed as one job titled "Orvane Contacts [databaseName]".
    // A job the printer fails is reported. True when the report was printed.
    bool Print(const QTextDocument& report, const QString& databaseName, QWidget* parent);

    // Runs a dialog modally; true when the user accepted it. Tests replace
    // it to answer without a window.
    std::function<bool(QDialog&)> RunDialog;

  private:
    std::unique_ptr<QPrinter> printer_;
};
