// Large vCard files read as two halves at once (TVCardReader::ReadFileInto).

#include "exchange/u_ReadInHalves.h"
#include "exchange/u_VCardFileCards.h"
#include "exchange/u_VCardLines.h"
#include "exchange/u_VCardReader.h"
#include "support/u_TextEncoding.h"

#include <QFile>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

namespace {

// Raised in the second half's reading when the first half failed.
struct TStopped {};

// Where the second half begins: after a line end that a BEGIN:VCARD line
// follows, in the window after the middle.
std::optional<qint64> splitOf(QFile& file, qint64 from, qint64 size) {
    const qint64 middle = from + (size - from) / 2;
    if (!file.seek(middle)) {
        return std::nullopt;
    }
    const QByteArray window = file.read(kVCardPieceBytes);
    const qsizetype found = window.indexOf("\nBEGIN:VCARD");
    if (found < 0) {
        return std::nullopt;
    }
    return middle + found + 1;
}

// The cards of a file of many cards read as two halves at once; none when
// it is not split (too small, UTF-16, no card begins in the second half)
// or the halves failed: then it is read in one pass.
std::optional<TPackedRows> readInHalves(const QString& fileName,
                                        const std::function<void()>& counted) {
    const std::unique_ptr<QFile> file = vcardfile::Open(fileName);
    const qint64 size = file->size();
    if (size < TVCardReader::kSplitBytes) {
        return std::nullopt;
    }
    QByteArray piece(kVCardPieceBytes, Qt::Uninitialized);
    const qsizetype got = vcardfile::ReadPiece(*file, piece.data(), piece.size());
    TextEncoding encoding = TextEncoding::Utf8;
    const qsizetype mark = ByteOrderMark(QByteArrayView(piece).first(got), encoding);
    if (encoding == TextEncoding::Utf16LE || encoding == TextEncoding::Utf16BE) {
        return std::nullopt;
    }
    const bool utf8 =
        vcardfile::IsUtf8Onwards(*file, piece, QByteArrayView(piece).sliced(mark, got - mark));
    const std::optional<qint64> split = splitOf(*file, mark, size);
    if (!split || !file->seek(mark)) {
        return std::nullopt;
    }
    TPackedRows cards;
    TPackedRows second;
    int firstCount = 0;
    const auto readFirst = [&] {
        qint64 left = *split - mark;
        QFile& in = *file;
        firstCount = vcardfile::ReadCards(
            [&in, &left](char* to, qsizetype max) {
                const qsizetype n =
                    vcardfile::ReadPiece(in, to, static_cast<qsizetype>(qMin<qint64>(max, left)));
                left -= n;
                return n;
            },
            utf8,
            [&cards, &counted](const QStringList& cells) {
                cards.AppendRow(cells);
                if (counted) {
                    counted();
                }
            });
    };
    const auto readSecond = [&](const std::atomic<bool>& stop) {
        QFile in(fileName);
        if (!in.open(QIODevice::ReadOnly) || !in.seek(*split)) {
            throw TStopped();
        }
        vcardfile::ReadCards(
            [&in](char* to, qsizetype max) { return vcardfile::ReadPiece(in, to, max); }, utf8,
            [&second, &stop](const QStringList& cells) {
                if (stop) {
                    throw TStopped();
                }
                second.AppendRow(cells);
            });
    };
    if (!ReadInHalves(readFirst, readSecond) ||
        firstCount + second.RowCount() > TVCardReader::kMaxCards) {
        return std::nullopt;
    }
    cards.AppendRows(second);
    if (counted) {
        for (int i = 0; i < second.RowCount(); ++i) {
            counted();
        }
    }
    return cards;
}

}  // namespace

TPackedRows TVCardReader::ReadFileInto(const QString& fileName,
                                       const std::function<void()>& counted) {
    TRecordsTold told(counted);
    if (std::optional<TPackedRows> cards = readInHalves(fileName, [&told] { told.Read(); })) {
        return std::move(*cards);
    }
    TPackedRows cards;
    ReadFile(fileName, [&](const QStringList& cells) {
        cards.AppendRow(cells);
        told.ReadAgain();
    });
    return cards;
}
