#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Reads the records of comma-separated text as spreadsheets write them: a
// field in double quotes may hold commas, doubled quotes and line breaks,
// which are kept as they stand in the text. Outside quotes a record ends at
// LF, CR LF or a CR alone. Only a double quote at the start of a field opens
// a quoted one; elsewhere it is an ordinary character. A comma at the end of
// a line adds no empty last field, and an empty line is a record without
// fields.
//
// The text comes in pieces from a source, so that a large file is never held
// whole.
class TCsvRecordReader {
  public:
    // Puts the next piece of text into its argument; false at the end.
    using PieceSource = std::function<bool(QString& piece)>;

    explicit TCsvRecordReader(PieceSource source);

    // Reads the next record, storing its first fieldLimit fields in fields.
    // Fields beyond the limit are passed over without being checked closely:
    // a closing quote followed by other text there is not an error. Returns
    // false when no record is left. Raises ECsvNotWellformed for a closing
    // quote followed by anything but a comma or a line end, and
    // ECsvUnterminated for a quoted field still open at the end of the text.
    bool ReadRecord(QStringList& fields, qsizetype fieldLimit);

    // Of the record read last: whether it was an empty line, how many fields
    // it had (also beyond the limit) and the 1-based line it began on.
    bool RecordIsEmptyLine() const noexcept { return emptyLine_; }
    qsizetype FieldCount() const noexcept { return fieldCount_; }
    int RecordLine() const noexcept { return recordLine_; }

  private:
    bool ensure();
    // The next character, -1 at the end; the next piece is fetched only
    // when this one is used up.
    int peek() { return pos_ < piece_.size() ? piece_.at(pos_).unicode() : peekNextPiece(); }
    int peekNextPiece();
    void advance(qsizetype count);
    void consumeLineEnd();
    void readUnquoted(QString& field, bool keep);
    void readQuoted(QString& field, bool keep);
    // Appends the run of the current piece up to the first of the stop
    // characters (or the piece's end) to field when keep.
    void takeRun(QString& field, bool keep, bool stopAtQuote, bool stopAtComma);

    PieceSource source_;
    QString piece_;
    qsizetype pos_ = 0;
    bool atEnd_ = false;
    int line_ = 1;    // line of the next character
    int column_ = 1;  // its 1-based position within that line
    bool emptyLine_ = false;
    qsizetype fieldCount_ = 0;
    int recordLine_ = 0;
};
