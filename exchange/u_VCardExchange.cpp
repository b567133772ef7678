#include "exchange/u_VCardExchange.h"

#include "exchange/u_VCardReader.h"
#include "session/QUIBLib_TLB.h"
#include "session/u_ContactSchema.h"
#include "support/u_ExchangeError.h"

#include <QCoreApplication>

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("TVCardExchange", text);
}

// Writes cards in pieces of a few hundred kilobytes.
constexpr qsizetype kPieceBytes = 256 * 1024;

}  // namespace

TVCardExchange::TVCardExchange(TQuib& quib, const TColumnMap& colsIndexFromProgram)
    : quib_(quib), dbColumns_(colsIndexFromProgram) {}

QStringList TVCardExchange::rowCells(int row) const {
    QStringList cells;
    cells.reserve(ContactSchema::ColumnCount);
    for (int j = 0; j < ContactSchema::ColumnCount; ++j) {
        const int c = dbColumns_[j];
        cells << (c == kMissingColumn ? QString() : quib_.GetData(row, c));
    }
    return cells;
}

QByteArray TVCardExchange::BuildVCards(TVCardVersion version, const QList<int>& rows) const {
    const TVCardWriter writer(version);
    QByteArray out;
    if (rows.isEmpty()) {
        for (int r = 0; r < quib_.RowsCount(); ++r) {
            writer.AppendCard(out, rowCells(r));
        }
    }
    for (const int r : rows) {
        writer.AppendCard(out, rowCells(r));
    }
    return out;
}

int TVCardExchange::ExportToFile(const QString& fileName, TVCardVersion version,
                                 const QList<int>& rows) const {
    QList<int> chosen = rows;
    if (chosen.isEmpty()) {
        for (int r = 0; r < quib_.RowsCount(); ++r) {
            chosen << r;
        }
    }
    TSafeFileWriter file(fileName, faults_);
    TExchangeProgress progress(report_);
    progress.Start(chosen.size());
    const TVCardWriter writer(version);
    QByteArray piece;
    for (const int r : chosen) {
        writer.AppendCard(piece, rowCells(r));
        if (piece.size() >= kPieceBytes) {
            file.Write(piece);
            piece.clear();
        }
        progress.Step();
    }
    // A cancel leaves the file uncommitted: it removes its temporary file.
    progress.Finish();
    file.Write(piece);
    file.Commit();
    return static_cast<int>(chosen.size());
}

void TVCardExchange::appendRow(const TFilledCells& cells) {
    const int row = quib_.RowsCount();
    // The new row must be the view's last one, or its fields would land in
    // another contact.
    if (!quib_.NewRow(row) || quib_.RowsCount() != row + 1) {
        throw EExchangeError(tr("A new row could not be appended to the database."));
    }
    for (const auto& [field, value] : cells) {
        if (!dbColumns_.isMissing(field)) {
            quib_.SetData(row, dbColumns_[field], value);
        }
    }
}

int TVCardExchange::Import(const QString& fileName) {
    // The whole file is read before the first row is appended, so that a bad
    // one appends nothing. Cards keep only their filled cells: a file of
    // many near-empty cards takes little memory.
    TExchangeProgress progress(report_);
    progress.Start(0);
    QList<TFilledCells> cards;
    {
        const QByteArray bytes = TVCardReader::ReadFile(fileName);
        TVCardReader::Read(bytes, [&cards](const QStringList& cells) {
            TFilledCells filled;
            for (int j = 0; j < cells.size(); ++j) {
                if (!cells[j].isEmpty()) {
                    filled.append({j, cells[j]});
                }
            }
            cards.append(std::move(filled));
        });
    }
    if (cards.isEmpty()) {
        throw EExchangeError(tr("The file \"%1\" holds no vCard.").arg(fileName));
    }
    progress.Start(cards.size());
    int appended = 0;
    try {
        for (const TFilledCells& cells : cards) {
            appendRow(cells);
            ++appended;
            progress.Step();
        }
        progress.Finish();
    } catch (...) {
        quib_.DeleteLastRows(appended);
        throw;
    }
    quib_.SaveRow();
    return static_cast<int>(cards.size());
}
