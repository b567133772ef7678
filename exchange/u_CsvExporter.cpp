#include "exchange/u_CsvExporter.h"

#include "exchange/u_CsvText.h"
#include "session/u_QuibReader.h"
#include "support/u_TextEncoding.h"

namespace {

constexpr char kLineEnd[] = "\r\n";
constexpr qsizetype kPieceBytes = 256 * 1024;

}  // namespace

TCsvExporter::TCsvExporter(const TQuibReader& quib, const QStringList& colsName,
                           const TColumnMap& colsIndexFromProgram)
    : quib_(quib), colsName_(colsName), colsIndexFromProgram_(colsIndexFromProgram) {}

QList<int> TCsvExporter::tickedColumns(const QList<bool>& ticked) const {
    QList<int> columns;
    for (int j = 0; j < colsName_.size(); ++j) {
        if (j < ticked.size() && ticked[j]) {
            columns << j;
        }
    }
    return columns;
}

void TCsvExporter::appendHeader(QByteArray& out, const QList<int>& columns) const {
    bool first = true;
    for (const int j : columns) {
        if (!first) {
            out += ',';
        }
        first = false;
        AppendWindows1250(out,
                          QuoteCsvValue(j < headerTexts_.size() ? headerTexts_[j] : colsName_[j]));
    }
    out += kLineEnd;
}

void TCsvExporter::appendRow(QByteArray& out, int row, const QList<int>& dbColumns) const {
    bool first = true;
    for (const int c : dbColumns) {
        if (!first) {
            out += ',';
        }
        first = false;
        // Column -1 (missing in this database) reads as the empty text.
        quib_.GetDataInto(row, c, cell_);
        appendQuoted(out, cell_);
    }
    out += kLineEnd;
}

void TCsvExporter::appendQuoted(QByteArray& out, QStringView value) {
    // As QuoteCsvValue quotes, without building the quoted text first.
    out += '"';
    for (qsizetype quote = value.indexOf(u'"'); quote >= 0; quote = value.indexOf(u'"')) {
        AppendWindows1250(out, value.first(quote));
        out += "\"\"";
        value = value.sliced(quote + 1);
    }
    AppendWindows1250(out, value);
    out += '"';
}

void TCsvExporter::writeCsv(const QList<bool>& ticked,
                            const std::function<void(const QByteArray&)>& put,
                            TExchangeProgress& progress) const {
    const QList<int> columns = tickedColumns(ticked);
    QList<int> dbColumns;
    for (const int j : columns) {
        dbColumns << colsIndexFromProgram_[j];
    }
    QByteArray out;
    appendHeader(out, columns);
    put(out);
    const int rows = quib_.RowsCount();
    progress.Start(rows);
    out.clear();
    for (int r = 0; r < rows; ++r) {
        appendRow(out, r, dbColumns);
        // Handed on in pieces of a few hundred kilobytes.
        if (out.size() >= kPieceBytes) {
            put(out);
            out.clear();
        }
        progress.Step();
    }
    progress.Finish();
    if (!out.isEmpty()) {
        put(out);
    }
}

QByteArray TCsvExporter::BuildCsv(const QList<bool>& ticked) const {
    QByteArray all;
    TExchangeProgress unwatched;
    writeCsv(
        ticked, [&all](const QByteArray& piece) { all += piece; }, unwatched);
    return all;
}

void TCsvExporter::ExportToFile(const QString& fileName, const QList<bool>& ticked) const {
    TSafeFileWriter writer(fileName, faults_);
    TExchangeProgress progress(report_);
    // A cancel leaves the writer uncommitted: it removes its temporary file.
    writeCsv(
        ticked, [&writer](const QByteArray& piece) { writer.Write(piece); }, progress);
    writer.Commit();
}

QString TCsvExporter::DefaultFileName(const QString& databaseName) {
    if (databaseName.isEmpty()) {
        return QString();
    }
    // The extension starts at the last dot of the last path component.
    const qsizetype slash = databaseName.lastIndexOf(u'/');
    const qsizetype dot = databaseName.lastIndexOf(u'.');
    if (dot <= slash) {
        return databaseName + QStringLiteral(".csv");
    }
    return databaseName.left(dot) + QStringLiteral(".csv");
}
