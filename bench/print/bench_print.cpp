// The report on generated contacts with the Basic template, every column
// ticked: the renderer alone over 10,000 contacts (goal under 300 ms), the
// whole build into the preview for 1,000 (under 1 s) and 10,000 (under
// 10 s), and printing 1,000 contacts to a PDF file (under 10 s).

#include <benchmark/benchmark.h>

#include "ContactData.h"

#include "print/u_ReportBuilder.h"
#include "print/u_ReportPrinter.h"
#include "print/u_TemplateRenderer.h"
#include "print/u_frameMainPrintPreview.h"
#include "session/QUIBLib_TLB.h"
#include "session/u_ContactSchema.h"
#include "session/u_ContactsDB.h"

#include <QApplication>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextEdit>

#include <map>
#include <memory>

namespace {

// One database of count contacts on disk, open on one engine.
struct Fixture {
    QTemporaryDir dir;
    TQuib quib;
    QStringList names = ContactSchema::ColumnNames();
    QStringList titles = ContactSchema::ColumnTitlesFull();
    TColumnMap map = TColumnMap::Identity(ContactSchema::ColumnCount);
    QString basic = BasicTemplate(titles, names, QList<bool>(ContactSchema::ColumnCount, true));
    QList<bool> rows;

    explicit Fixture(int count) : rows(count, true) {
        quib.SetDatabaseName(dir.filePath(QStringLiteral("contacts.tbr")));
        quib.Create();
        WriteContactsHeaders(quib, QStringLiteral("2.5.1"), QStringLiteral("2.7.0.0"), names);
        const auto contacts = quibbench::MakeContacts(count);
        for (int r = 0; r < count; ++r) {
            quib.NewRow(r);
            for (int c = 0; c < quibbench::kContactColumns; ++c) {
                quib.SetData(r, c, QString::fromStdString(contacts[r][c]));
            }
        }
        quib.Save();
    }
};

Fixture& Shared(int count) {
    static std::map<int, std::unique_ptr<Fixture>> fixtures;
    auto& f = fixtures[count];
    if (!f) {
        f = std::make_unique<Fixture>(count);
    }
    return *f;
}

void BM_RenderBasicTemplate(benchmark::State& state) {
    Fixture& f = Shared(static_cast<int>(state.range(0)));
    TTemplateRenderer renderer(f.names, f.map,
                               [&f](int row, int column) { return f.quib.GetData(row, column); });
    const TReportContent content{QStringLiteral("Orvane Contacts"), f.quib.DatabaseName(), f.basic,
                                 f.rows, ReportClosingLines()};
    for (auto _ : state) {
        RenderReport(renderer, content);
        benchmark::DoNotOptimize(renderer.Text().size());
    }
    state.counters["chars"] = static_cast<double>(renderer.Text().size());
    state.counters["bold"] = static_cast<double>(renderer.Marks().lstFormat_B_start.size());
}
BENCHMARK(BM_RenderBasicTemplate)->Arg(10000)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The report's text and formats in a document no view shows.
void BM_BuildReportDocument(benchmark::State& state) {
    Fixture& f = Shared(static_cast<int>(state.range(0)));
    TTemplateRenderer renderer(f.names, f.map,
                               [&f](int row, int column) { return f.quib.GetData(row, column); });
    const TReportContent content{QStringLiteral("Orvane Contacts"), f.quib.DatabaseName(), f.basic,
                                 f.rows, ReportClosingLines()};
    for (auto _ : state) {
        QTextDocument document;
        BuildReport(document, renderer, content);
        benchmark::DoNotOptimize(document.characterCount());
    }
}
BENCHMARK(BM_BuildReportDocument)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

void BM_PrepareReport(benchmark::State& state) {
    Fixture& f = Shared(static_cast<int>(state.range(0)));
    TframeMainPrintPreview preview;
    preview.resize(1000, 700);
    preview.show();
    preview.rtbTemplate()->setPlainText(f.basic);
    for (auto _ : state) {
        preview.PrepareReport(f.quib, f.names, f.map, f.rows);
        QApplication::processEvents();  // lay out and paint what is visible
    }
    state.counters["blocks"] = preview.report()->blockCount();
}
BENCHMARK(BM_PrepareReport)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_PrintToPdf(benchmark::State& state) {
    Fixture& f = Shared(static_cast<int>(state.range(0)));
    TframeMainPrintPreview preview;
    preview.rtbTemplate()->setPlainText(f.basic);
    preview.PrepareReport(f.quib, f.names, f.map, f.rows);
    const QString pdf = f.dir.filePath(QStringLiteral("report.pdf"));
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        if (!PrintReport(*preview.report(), printer, PrintJobTitle(f.quib.DatabaseName()))) {
            state.SkipWithError("printing failed");
        }
    }
    state.counters["pdf_kb"] = static_cast<double>(QFileInfo(pdf).size()) / 1024.0;
}
BENCHMARK(BM_PrintToPdf)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
