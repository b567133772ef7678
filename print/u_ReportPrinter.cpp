#include "print/u_ReportPrinter.h"

#include "support/u_ProductInfo.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPrinter>
#include <QTextDocument>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

// The pages to print, in order, each as often as the printer cannot repeat
// it itself: the chosen range (all pages when none is chosen), the page
// order and uncollated or collated copies.
std::vector<int> PageSequence(const QPrinter& printer, int pageCount) {
    int from = printer.fromPage();
    int to = printer.toPage();
    if (from == 0 && to == 0) {
        from = 1;
        to = pageCount;
    }
    from = std::max(from, 1);
    to = std::min(to, pageCount);
    std::vector<int> range;
    for (int p = from; p <= to; ++p) {
        range.push_back(p);
    }
    if (printer.pageOrder() == QPrinter::LastPageFirst) {
        std::reverse(range.begin(), range.end());
    }
    const int copies = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
    std::vector<int> pages;
    if (printer.collateCopies()) {
        for (int c = 0; c < copies; ++c) {
            pages.insert(pages.end(), range.begin(), range.end());
        }
    } else {
        for (const int p : range) {
            pages.insert(pages.end(), static_cast<std::size_t>(copies), p);
        }
    }
    return pages;
}

}  // namespace

bool PrintReport(const QTextDocument& document, QPrinter& printer, const QString& jobTitle) {
    printer.setDocName(jobTitle);
    const std::unique_ptr<QTextDocument> copy(document.clone());
    copy->setDefaultFont(document.defaultFont());
    copy->documentLayout()->setPaintDevice(&printer);
    copy->setDocumentMargin(0);
    const QRectF page(QPointF(0, 0), printer.pageRect(QPrinter::DevicePixel).size());
    copy->setPageSize(page.size());

    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    bool ok = true;
    bool first = true;
    for (const int p : PageSequence(printer, copy->pageCount())) {
        if (!first && !printer.newPage()) {
            ok = false;
            break;
        }
        first = false;
        const QRectF source = page.translated(0, (p - 1) * page.height());
        painter.save();
        painter.translate(0, -source.top());
        copy->drawContents(&painter, source);
        painter.restore();
    }
    ok = painter.end() && ok;
    return ok && printer.printerState() != QPrinter::Error;
}

QString PrintJobTitle(const QString& databaseName) {
    return product::Name + QStringLiteral(" [") + databaseName + u']';
}
