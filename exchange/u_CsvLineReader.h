#pragma once

#include <QString>
#include <QStringView>

// Splits the decoded text of a CSV file into lines. A line ends at LF (so
// also at CR LF); every other CR is dropped from its line; a Ctrl+Z character
// (0x1A) ends the text. Text after the last line end forms one more line; an
// empty text has no lines. The text is not copied: it must outlive the
// reader.
class TCsvLineReader {
  public:
    explicit TCsvLineReader(QStringView text);

    // Reads the next line into line; false at the end of the text.
    bool ReadLine(QString& line);
    // 1-based number of the line read last; 0 before the first.
    int LineNumber() const noexcept { return lineNumber_; }
    bool AtEnd() const noexcept { return pos_ >= text_.size(); }

  private:
    QStringView text_;
    qsizetype pos_ = 0;
    int lineNumber_ = 0;
};
