#pragma once

#include "session/u_PackedRows.h"
#include "support/u_ExchangeError.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <functional>

// A vCard file that cannot be read; Line is the 1-based line it names.
class EVCardError : public EExchangeError {
  public:
    EVCardError(int Line, const QString& message);
    int line() const noexcept { return line_; }

  private:
    int line_;
};

// Reads the cards of a vCard file (versions 4.0, 3.0 and 2.1) into contacts.
// Lines end in CR LF, LF or CR; continuation lines start with a space or tab;
// vCard 2.1 quoted-printable values may continue after a "=" at a line's end.
// Each card is UTF-8 when its bytes are, else Windows-1250 (a card holding a
// byte Windows-1250 lacks as well is refused); a CHARSET parameter decides
// for its value, and in a file that is UTF-8 as a whole a quoted-printable
// value is judged by its own bytes. A NUL in a value is dropped.
// Unknown properties, binary values and cards nested in a card are passed
// over. Everything is bounded: a logical line and a card may hold 16 MiB, a
// card 10,000 lines, a file 10,000,000 cards. A file is read piece by piece:
// what the reader holds at once is a line and a piece, not the file.
class TVCardReader {
  public:
    static constexpr qsizetype kMaxLineBytes = 16 * 1024 * 1024;
    static constexpr qsizetype kMaxCardBytes = 16 * 1024 * 1024;
    static constexpr int kMaxCardLines = 10'000;
    static constexpr int kMaxCards = 10'000'000;

    using CardSink = std::function<void(const QStringList& cells)>;

    // Reads every card of bytes (a whole file), calling take with the 32
    // cells of each in program column order, and its UID as a 33rd cell
    // when it has one. Returns the number of cards.
    // Raises EVCardError for a line that is not a property, a card without
    // its end or of no known encoding, text outside a card or a limit passed.
    static int Read(QByteArrayView bytes, const CardSink& take);

    // Reads the cards of the file fileName as Read does, piece by piece.
    // Raises EExchangeError as well when it cannot be read or is not a
    // plain file.
    static int ReadFile(const QString& fileName, const CardSink& take);

    // Reads the cards of the file fileName as ReadFile does, each as a row
    // of the batch returned, calling counted after each card. A file of
    // kSplitBytes or more is read in two halves at once, split where a card
    // begins; counted hears of the second half's cards when both are read.
    // Whatever counted raises stops the reading and travels on. A file the
    // halves do not read exactly as one pass would (a split inside a card,
    // any error) is read again in one pass, whose result or error counts.
    static constexpr qsizetype kSplitBytes = 1024 * 1024;
    static TPackedRows ReadFileInto(const QString& fileName,
                                    const std::function<void()>& counted = {});
};
