#include "exchange/u_VCardExchange.h"

#include "exchange/u_VCardReader.h"
#include "session/u_ContactSchema.h"
#include "session/u_QuibReader.h"
#include "support/u_ExchangeError.h"

#include <QCoreApplication>

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("TVCardExchange", text);
}

// Writes cards in pieces of a few hundred kilobytes.
constexpr qsizetype kPieceBytes = 256 * 1024;

}  // namespace

TVCardExchange::TVCardExchange(const TQuibReader& quib, const TColumnMap& colsIndexFromProgram,
                               int identityColumn)
    : quib_(quib), dbColumns_(colsIndexFromProgram), identityColumn_(identityColumn) {}

const TVCardWriter::Utf8Cells& TVCardExchange::rowCells(int row) const {
    // Copied, not viewed in place: a view of the database lasts only until
    // the next one is taken.
    const std::size_t count = ContactSchema::ColumnCount + (identityColumn_ >= 0 ? 1 : 0);
    texts_.resize(count);
    cells_.resize(count);
    for (int j = 0; j < ContactSchema::ColumnCount; ++j) {
        const int c = dbColumns_[j];
        if (c == kMissingColumn)
            texts_[j].clear();
        else
            texts_[j].assign(quib_.DataView(row, c));
    }
    if (identityColumn_ >= 0) {
        texts_[ContactSchema::ColumnCount] =
            quib_.GetData(row, identityColumn_).trimmed().toStdString();
    }
    for (std::size_t j = 0; j < count; ++j)
        cells_[j] = texts_[j];
    return cells_;
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

TRecordBatch TVCardExchange::ReadFile(const QString& fileName) const {
    TExchangeProgress progress(report_);
    progress.Start(0);
    // The whole file is read before anything is appended, so that a bad one
    // appends nothing; cards keep only their filled cells, and the file
    // itself is read piece by piece.
    TRecordBatch cards = TVCardReader::ReadFileInto(fileName, [&progress] { progress.Step(); });
    if (cards.IsEmpty()) {
        throw EExchangeError(tr("The file \"%1\" holds no vCard.").arg(fileName));
    }
    progress.Finish();
    return cards;
}
