// Large vCard files read as two halves at once (TVCardReader::ReadFileInto).

#include "exchange/u_VCardFileCards.h"
#include "exchange/u_VCardLines.h"
#include "exchange/u_VCardReader.h"
#include "support/u_TextEncoding.h"

#include <QFile>

#include <atomic>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <thread>

namespace {

// A file of many cards read as two halves at once.
class TSplitRead {
  public:
    TSplitRead(const QString& fileName, const std::function<void()>& counted)
        : fileName_(fileName), counted_(counted) {}

    // The cards, or nothing when the file is not split (too small, UTF-16,
    // no card begins in the second half) or the halves failed: then it is
    // read in one pass.
    std::optional<TPackedRows> Read();

  private:
    // Where the second half begins: after a line end that a BEGIN:VCARD
    // line follows, in the window after the middle.
    std::optional<qint64> findSplit(QFile& file, qint64 from, qint64 size) const;
    void readSecond(qint64 from, bool utf8);

    QString fileName_;
    const std::function<void()>& counted_;
    TPackedRows second_;
    std::exception_ptr secondError_;
    std::atomic<bool> stop_ = false;
};

// Raised in the second half's reading when the first half stopped.
struct TStopped {};

std::optional<qint64> TSplitRead::findSplit(QFile& file, qint64 from, qint64 size) const {
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

void TSplitRead::readSecond(qint64 from, bool utf8) {
    try {
        QFile file(fileName_);
        if (!file.open(QIODevice::ReadOnly) || !file.seek(from)) {
            throw EExchangeError(QString());
        }
        vcardfile::ReadCards(
            [&file](char* to, qsizetype max) { return vcardfile::ReadPiece(file, to, max); }, utf8,
            [this](const QStringList& cells) {
                if (stop_) {
                    throw TStopped();
                }
                second_.AppendRow(cells);
            });
    } catch (...) {
        secondError_ = std::current_exception();
    }
}

std::optional<TPackedRows> TSplitRead::Read() {
    const std::unique_ptr<QFile> file = vcardfile::Open(fileName_);
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
    const std::optional<qint64> split = findSplit(*file, mark, size);
    if (!split || !file->seek(mark)) {
        return std::nullopt;
    }
    std::thread second([this, from = *split, utf8] { readSecond(from, utf8); });
    TPackedRows cards;
    int firstCount = 0;
    try {
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
            [&cards, this](const QStringList& cells) {
                cards.AppendRow(cells);
                if (counted_) {
                    counted_();
                }
            });
    } catch (const EExchangeError&) {
        // Read again in one pass, which tells the error where it stands.
        stop_ = true;
        second.join();
        return std::nullopt;
    } catch (...) {
        stop_ = true;
        second.join();
        throw;
    }
    second.join();
    if (secondError_ || firstCount + second_.RowCount() > TVCardReader::kMaxCards) {
        return std::nullopt;
    }
    cards.AppendRows(second_);
    second_.Clear();
    if (counted_) {
        for (int i = 0; i < cards.RowCount() - firstCount; ++i) {
            counted_();
        }
    }
    return cards;
}

}  // namespace

TPackedRows TVCardReader::ReadFileInto(const QString& fileName,
                                       const std::function<void()>& counted) {
    int told = 0;
    const std::function<void()> count = [&told, &counted] {
        ++told;
        if (counted) {
            counted();
        }
    };
    TSplitRead split(fileName, count);
    if (std::optional<TPackedRows> cards = split.Read()) {
        return std::move(*cards);
    }
    // The cards the halves told of are not told again.
    const int toldBefore = told;
    int read = 0;
    TPackedRows cards;
    ReadFile(fileName, [&](const QStringList& cells) {
        cards.AppendRow(cells);
        if (++read > toldBefore) {
            count();
        }
    });
    return cards;
}
