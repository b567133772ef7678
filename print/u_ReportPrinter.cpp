#include "print/u_ReportPrinter.h"

#include "support/u_ProductInfo.h"

#include <QAbstractTextDocumentLayout>
#include <QPrinter>
#include <QTextDocument>

#include <memory>

bool PrintReport(const QTextDocument& document, QPrinter& printer, const QString& jobTitle) {
    printer.setDocName(jobTitle);
    std::unique_ptr<QTextDocument> copy(document.clone());
    copy->documentLayout()->setPaintDevice(&printer);
    copy->setDocumentMargin(0);
    // A page size makes the document paginated, so printing adds nothing.
    copy->setPageSize(printer.pageRect(QPrinter::DevicePixel).size());
    copy->print(&printer);
    return printer.printerState() != QPrinter::Error;
}

QString PrintJobTitle(const QString& databaseName) {
    return product::Name + QStringLiteral(" [") + databaseName + u']';
}
