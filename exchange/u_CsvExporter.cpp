#include "exchange/u_CsvExporter.h"

#include "exchange/u_CsvText.h"
#include "session/u_ContactSchema.h"
#include "session/u_QuibReader.h"
#include "support/u_ExchangeError.h"
#include "support/u_TextEncoding.h"

namespace {

constexpr char kLineEnd[] = "\r\n";
constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";
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
        appendValue(out, j < headerTexts_.size() ? headerTexts_[j] : colsName_[j], -1, j);
    }
    out += kLineEnd;
}

void TCsvExporter::appendRow(QByteArray& out, int row, const QList<int>& columns,
                             const QList<int>& dbColumns) const {
    bool first = true;
    for (qsizetype k = 0; k < dbColumns.size(); ++k) {
        if (!first) {
            out += ',';
        }
        first = false;
        // Column -1 (missing in this database) reads as the empty text.
        quib_.GetDataInto(row, dbColumns[k], cell_);
        appendValue(out, cell_, row, columns[k]);
    }
    out += kLineEnd;
}

void TCsvExporter::appendValue(QByteArray& out, QStringView value, int row, int field) const {
    if (encoding_ == TEncoding::Windows1250) {
        const QString missing = FirstNonWindows1250(value);
        if (!missing.isEmpty()) {
            const auto text = [&](const char* name) {
                const int j = static_cast<int>(colsName_.indexOf(QLatin1String(name)));
                return quib_.GetData(row, colsIndexFromProgram_[j]);
            };
            const QString contact =
                row < 0 ? tr("the header line")
                        : tr("contact %1 (%2)")
                              .arg(row + 1)
                              .arg(QStringList{text(ContactSchema::names::FirstName),
                                               text(ContactSchema::names::SurName)}
                                       .join(u' ')
                                       .trimmed());
            throw EExchangeError(
                tr("The CSV file cannot be written in Windows-1250: \"%1\" in %2, "
                   "field \"%3\", has no Windows-1250 form. Choose UTF-8.")
                    .arg(missing, contact,
                         field < headerTexts_.size() ? headerTexts_[field] : colsName_[field]));
        }
    }
    appendQuoted(out, value, encoding_);
}

void TCsvExporter::appendQuoted(QByteArray& out, QStringView value, TEncoding encoding) {
    const auto append = [&out, encoding](QStringView piece) {
        if (encoding == TEncoding::Utf8) {
            out += piece.toUtf8();
        } else {
            AppendWindows1250(out, piece);
        }
    };
    // As QuoteCsvValue quotes, without building the quoted text first.
    out += '"';
    for (qsizetype quote = value.indexOf(u'"'); quote >= 0; quote = value.indexOf(u'"')) {
        append(value.first(quote));
        out += "\"\"";
        value = value.sliced(quote + 1);
    }
    append(value);
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
    if (encoding_ == TEncoding::Utf8) {
        out += kUtf8Bom;
    }
    appendHeader(out, columns);
    put(out);
    const int rows = rows_ ? static_cast<int>(rows_->size()) : quib_.RowsCount();
    progress.Start(rows);
    out.clear();
    for (int k = 0; k < rows; ++k) {
        appendRow(out, rows_ ? (*rows_)[k] : k, columns, dbColumns);
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
