#include "exchange/u_CsvLineReader.h"

namespace {

constexpr QChar kCtrlZ = u'\x1A';
constexpr QChar kCR = u'\r';
constexpr QChar kLF = u'\n';

}  // namespace

TCsvLineReader::TCsvLineReader(QStringView text) : text_(text) {
    const qsizetype end = text_.indexOf(kCtrlZ);
    if (end >= 0) {
        text_ = text_.first(end);
    }
}

bool TCsvLineReader::ReadLine(QString& line) {
    if (AtEnd()) {
        line.clear();
        return false;
    }
    qsizetype end = text_.indexOf(kLF, pos_);
    const qsizetype next = end < 0 ? text_.size() : end + 1;
    if (end < 0) {
        end = text_.size();
    }
    const QStringView raw = text_.sliced(pos_, end - pos_);
    // The usual CR LF ending is cut off in one piece; only lines with other
    // CRs go character by character.
    const QStringView body = raw.endsWith(kCR) ? raw.chopped(1) : raw;
    if (body.contains(kCR)) {
        line.clear();
        line.reserve(raw.size());
        for (const QChar ch : raw) {
            if (ch != kCR) {
                line += ch;
            }
        }
    } else {
        line = body.toString();
    }
    pos_ = next;
    ++lineNumber_;
    return true;
}
