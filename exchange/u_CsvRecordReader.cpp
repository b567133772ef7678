#include "exchange/u_CsvRecordReader.h"

#include "exchange/u_CsvText.h"

#include <utility>

namespace {

constexpr char16_t kQuote = u'"';
constexpr char16_t kComma = u',';
constexpr char16_t kCR = u'\r';
constexpr char16_t kLF = u'\n';

}  // namespace

TCsvRecordReader::TCsvRecordReader(PieceSource source) : source_(std::move(source)) {}

bool TCsvRecordReader::ensure() {
    while (pos_ >= piece_.size()) {
        if (atEnd_ || !source_(piece_)) {
            atEnd_ = true;
            piece_.clear();
            pos_ = 0;
            return false;
        }
        pos_ = 0;
    }
    return true;
}

int TCsvRecordReader::peekNextPiece() {
    return ensure() ? piece_[pos_].unicode() : -1;
}

void TCsvRecordReader::advance(qsizetype count) {
    pos_ += count;
    column_ += static_cast<int>(count);
}

void TCsvRecordReader::consumeLineEnd() {
    if (peek() == kCR) {
        advance(1);
    }
    if (peek() == kLF) {
        advance(1);
    }
    ++line_;
    column_ = 1;
}

void TCsvRecordReader::takeRun(QString& field, bool keep, bool stopAtQuote, bool stopAtComma) {
    const QChar* data = piece_.constData();
    const qsizetype size = piece_.size();
    qsizetype end = pos_;
    while (end < size) {
        const char16_t ch = data[end].unicode();
        // Every stop character lies below the comma: most characters are
        // passed with one comparison.
        if (ch > kComma) {
            ++end;
            continue;
        }
        if (ch == kCR || ch == kLF || (stopAtQuote && ch == kQuote) ||
            (stopAtComma && ch == kComma)) {
            break;
        }
        ++end;
    }
    if (keep) {
        field.append(data + pos_, end - pos_);
    }
    advance(end - pos_);
}

void TCsvRecordReader::readUnquoted(QString& field, bool keep) {
    for (int ch = peek(); ch >= 0 && ch != kComma && ch != kCR && ch != kLF; ch = peek()) {
        takeRun(field, keep, false, true);
    }
}

void TCsvRecordReader::readQuoted(QString& field, bool keep) {
    const int startLine = line_;
    advance(1);  // the opening quote
    for (;;) {
        const int ch = peek();
        if (ch < 0) {
            throw ECsvUnterminated(startLine);
        }
        if (ch == kCR || ch == kLF) {
            // A line break inside quotes belongs to the value, as written.
            if (keep) {
                field += QChar(ch);
            }
            advance(1);
            if (ch == kCR && peek() == kLF) {
                if (keep) {
                    field += QChar(kLF);
                }
                advance(1);
            }
            ++line_;
            column_ = 1;
            continue;
        }
        if (ch != kQuote) {
            takeRun(field, keep, true, false);
            continue;
        }
        const int quoteColumn = column_;
        advance(1);
        const int next = peek();
        if (next == kQuote) {
            if (keep) {
                field += QChar(kQuote);
            }
            advance(1);
            continue;
        }
        if (next < 0 || next == kComma || next == kCR || next == kLF) {
            return;
        }
        if (keep) {
            throw ECsvNotWellformed(quoteColumn, QChar(next), line_);
        }
        readUnquoted(field, false);
        return;
    }
}

bool TCsvRecordReader::ReadRecord(QStringList& fields, qsizetype fieldLimit) {
    fields.clear();
    fieldCount_ = 0;
    emptyLine_ = false;
    int ch = peek();
    if (ch < 0) {
        return false;
    }
    recordLine_ = line_;
    if (ch == kCR || ch == kLF) {
        consumeLineEnd();
        emptyLine_ = true;
        return true;
    }
    QString field;
    for (;;) {
        const bool keep = fieldCount_ < fieldLimit;
        field.clear();
        if (peek() == kQuote) {
            readQuoted(field, keep);
        } else {
            readUnquoted(field, keep);
        }
        if (keep) {
            fields << field;
        }
        ++fieldCount_;
        ch = peek();
        if (ch == kComma) {
            advance(1);
            ch = peek();
            if (ch >= 0 && ch != kCR && ch != kLF) {
                continue;
            }
        }
        if (ch >= 0) {
            consumeLineEnd();
        }
        return true;
    }
}
