// Feeds arbitrary bytes to the vCard reader. It must read them into cards of
// 32 cells or refuse them with its own error; whatever it reads, written out
// again and read back, gives the same cells.
#include "exchange/u_VCardReader.h"
#include "exchange/u_VCardWriter.h"

#include <cstdint>
#include <cstdlib>

namespace {

QList<QStringList> readAll(QByteArrayView bytes) {
    QList<QStringList> cards;
    TVCardReader::Read(bytes, [&cards](const QStringList& cells) {
        if (cells.size() != 32) {
            std::abort();
        }
        cards << cells;
    });
    return cards;
}

// The writer keeps line breaks as LF and the file is UTF-8, so that is how
// cells compare.
QStringList normalised(QStringList cells) {
    for (QString& cell : cells) {
        cell = QString::fromUtf8(cell.toUtf8());
        cell.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    }
    return cells;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QList<QStringList> cards;
    try {
        cards = readAll(QByteArrayView(data, static_cast<qsizetype>(size)));
    } catch (const EVCardError& e) {
        if (e.line() < 1) {
            std::abort();
        }
        return 0;
    }
    const TVCardWriter writer(TVCardVersion::V4_0);
    QByteArray out;
    for (const QStringList& cells : cards) {
        writer.AppendCard(out, cells);
    }
    QList<QStringList> again;
    try {
        again = readAll(out);
    } catch (const EVCardError&) {
        // Escaping and one property per phone line may carry a card past
        // the reader's limits; within them the cards must match.
        return 0;
    }
    if (again.size() != cards.size()) {
        std::abort();
    }
    for (qsizetype i = 0; i < cards.size(); ++i) {
        // A multi-line phone field loses its empty lines; compare the rest.
        const QStringList a = normalised(cards[i]);
        const QStringList b = normalised(again[i]);
        for (int f : {0,  1,  2,  3,  4,  5,  6,  7,  10, 11, 13, 14, 15,
                      16, 17, 18, 19, 20, 21, 22, 23, 24, 27, 28, 30, 31}) {
            if (a[f] != b[f]) {
                std::abort();
            }
        }
    }
    return 0;
}
