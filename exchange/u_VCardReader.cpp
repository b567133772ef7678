#include "exchange/u_VCardReader.h"

#include "exchange/u_VCardContactBuilder.h"
#include "exchange/u_VCardProperty.h"
#include "exchange/u_VCardText.h"
#include "support/u_TextEncoding.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("TVCardReader", text);
}

// Hands out the logical lines of a file: physical lines joined with their
// continuation lines.
class TLineSource {
  public:
    explicit TLineSource(QByteArrayView bytes) : bytes_(bytes) {}

    // The next logical line and the number of the physical line it began
    // on; false at the end. The line stays valid until the next call.
    bool Next(QByteArrayView& line, int& lineNumber);

  private:
    bool fetch();
    bool quotedPrintable(QByteArrayView line);
    void append(QByteArray& line, QByteArrayView piece, int lineNumber) const;

    QByteArrayView bytes_;
    qsizetype pos_ = 0;
    int number_ = 0;
    QByteArrayView pending_;
    int pendingNumber_ = 0;
    bool havePending_ = false;
    // Where the current logical line's colon is, found once.
    qsizetype colon_ = -1;
    qsizetype scanned_ = 0;
    bool quoted_ = false;
    QByteArray joined_;  // a line made of several physical lines
};

bool TLineSource::fetch() {
    if (pos_ >= bytes_.size()) {
        return false;
    }
    qsizetype end = pos_;
    while (end < bytes_.size() && bytes_[end] != '\r' && bytes_[end] != '\n') {
        ++end;
    }
    pending_ = bytes_.sliced(pos_, end - pos_);
    pendingNumber_ = ++number_;
    havePending_ = true;
    if (end < bytes_.size() && bytes_[end] == '\r') {
        ++end;
    }
    if (end < bytes_.size() && bytes_[end] == '\n') {
        ++end;
    }
    pos_ = end;
    return true;
}

bool TLineSource::quotedPrintable(QByteArrayView line) {
    if (colon_ < 0) {
        colon_ = line.indexOf(':', scanned_);
        scanned_ = line.size();
        if (colon_ < 0) {
            return false;
        }
        quoted_ =
            QByteArrayView(line).first(colon_).toByteArray().toUpper().contains("QUOTED-PRINTABLE");
    }
    return quoted_;
}

void TLineSource::append(QByteArray& line, QByteArrayView piece, int lineNumber) const {
    if (line.size() + piece.size() > TVCardReader::kMaxLineBytes) {
        throw EVCardError(lineNumber,
                          tr("Line %1 of the vCard file is longer than 16 MiB.").arg(lineNumber));
    }
    line.append(piece);
}

bool TLineSource::Next(QByteArrayView& line, int& lineNumber) {
    if (!havePending_ && !fetch()) {
        return false;
    }
    // Most lines stand alone: they are handed out where they lie.
    const QByteArrayView first = pending_;
    lineNumber = pendingNumber_;
    havePending_ = false;
    colon_ = -1;
    scanned_ = 0;
    bool joined = false;
    while (fetch()) {
        const bool folded = pending_.startsWith(' ') || pending_.startsWith('\t');
        if (!folded) {
            const QByteArrayView current = joined ? QByteArrayView(joined_) : first;
            if (!current.endsWith('=') || !quotedPrintable(current)) {
                break;
            }
        }
        if (!joined) {
            joined_.clear();
            append(joined_, first, lineNumber);
            joined = true;
        }
        if (folded) {
            append(joined_, pending_.sliced(1), lineNumber);
        } else {
            joined_.chop(1);  // a soft line break of quoted-printable text
            append(joined_, pending_, lineNumber);
        }
        havePending_ = false;
    }
    line = joined ? QByteArrayView(joined_) : first;
    if (line.size() > TVCardReader::kMaxLineBytes) {
        throw EVCardError(lineNumber,
                          tr("Line %1 of the vCard file is longer than 16 MiB.").arg(lineNumber));
    }
    return true;
}

bool isBlank(QByteArrayView line) {
    for (const char c : line) {
        if (c != ' ' && c != '\t') {
            return false;
        }
    }
    return true;
}

bool isUtf8(QByteArrayView bytes) {
    TUtf8Validator validator;
    validator.Feed(bytes);
    return validator.Valid();
}

// The property's value as text, still escaped.
QString decodeValue(const TVCardProperty& property, bool fileIsUtf8) {
    if (property.params.isEmpty()) {
        return fileIsUtf8 ? QString::fromUtf8(property.value) : DecodeWindows1250(property.value);
    }
    QByteArrayView bytes = property.value;
    QByteArray decoded;
    const bool quoted = property.IsQuotedPrintable();
    if (quoted) {
        // Line breaks of quoted-printable text come as CR LF; the program
        // keeps them as LF.
        decoded = VCardText::DecodeQuotedPrintable(bytes).replace("\r\n", "\n");
        bytes = decoded;
    }
    const QByteArray charset = property.Param("CHARSET").toLower();
    if (charset == "utf-8" || charset == "utf8") {
        return QString::fromUtf8(bytes);
    }
    if (charset == "windows-1250" || charset == "cp1250" || charset == "x-cp1250") {
        return DecodeWindows1250(bytes);
    }
    if (charset == "iso-8859-1" || charset == "us-ascii" || charset == "latin1") {
        return QString::fromLatin1(bytes);
    }
    if (!charset.isEmpty()) {
        QStringDecoder decoder(charset.constData());
        if (decoder.isValid()) {
            return decoder.decode(bytes);
        }
    }
    const bool utf8 = quoted ? isUtf8(bytes) : fileIsUtf8;
    return utf8 ? QString::fromUtf8(bytes) : DecodeWindows1250(bytes);
}

bool isVCardMarker(const TVCardProperty& property, QByteArrayView name) {
    return property.name == name &&
           property.value.trimmed().compare("VCARD", Qt::CaseInsensitive) == 0;
}

// The state of one pass over the file's lines.
class TCardParser {
  public:
    TCardParser(bool fileIsUtf8, const TVCardReader::CardSink& take)
        : fileIsUtf8_(fileIsUtf8), take_(take) {}

    void Line(QByteArrayView line, int number);
    int Finish() const;

  private:
    void begin(int number);
    void end(int number);
    void countLine(QByteArrayView line);

    bool fileIsUtf8_;
    const TVCardReader::CardSink& take_;
    TVCardContactBuilder builder_;
    TVCardProperty property_;
    bool inCard_ = false;
    int nested_ = 0;
    int cardStart_ = 0;
    int cardLines_ = 0;
    qsizetype cardBytes_ = 0;
    int cards_ = 0;
};

void TCardParser::begin(int number) {
    if (inCard_) {
        ++nested_;  // a card inside a card (vCard 2.1 AGENT) is passed over
        return;
    }
    if (cards_ == TVCardReader::kMaxCards) {
        throw EVCardError(number, tr("The vCard file holds more than %1 cards (line %2).")
                                      .arg(TVCardReader::kMaxCards)
                                      .arg(number));
    }
    inCard_ = true;
    cardStart_ = number;
    cardLines_ = 0;
    cardBytes_ = 0;
}

void TCardParser::end(int number) {
    if (!inCard_) {
        throw EVCardError(
            number, tr("Line %1 of the vCard file ends a card that was not begun.").arg(number));
    }
    if (nested_ > 0) {
        --nested_;
        return;
    }
    inCard_ = false;
    const QStringList cells = builder_.Finish();
    take_(cells);
    ++cards_;
}

void TCardParser::countLine(QByteArrayView line) {
    ++cardLines_;
    cardBytes_ += line.size();
    if (cardLines_ > TVCardReader::kMaxCardLines || cardBytes_ > TVCardReader::kMaxCardBytes) {
        throw EVCardError(
            cardStart_,
            tr("The card that begins on line %1 of the vCard file is too large.").arg(cardStart_));
    }
}

void TCardParser::Line(QByteArrayView line, int number) {
    if (isBlank(line)) {
        return;
    }
    if (!property_.Parse(line)) {
        throw EVCardError(number,
                          tr("Line %1 of the vCard file is not a vCard property.").arg(number));
    }
    if (isVCardMarker(property_, "BEGIN")) {
        begin(number);
        return;
    }
    if (isVCardMarker(property_, "END")) {
        end(number);
        return;
    }
    if (!inCard_) {
        throw EVCardError(number, tr("Line %1 of the vCard file lies outside a card.").arg(number));
    }
    countLine(line);
    if (nested_ == 0 && !property_.IsBinary()) {
        builder_.Add(property_, decodeValue(property_, fileIsUtf8_));
    }
}

int TCardParser::Finish() const {
    if (inCard_) {
        throw EVCardError(
            cardStart_,
            tr("The card that begins on line %1 of the vCard file has no end.").arg(cardStart_));
    }
    return cards_;
}

}  // namespace

EVCardError::EVCardError(int Line, const QString& message) : EExchangeError(message), line_(Line) {}

int TVCardReader::Read(QByteArrayView bytes, const CardSink& take) {
    TextEncoding encoding = TextEncoding::Utf8;
    const qsizetype mark = ByteOrderMark(bytes, encoding);
    QByteArray converted;
    if (encoding == TextEncoding::Utf16LE || encoding == TextEncoding::Utf16BE) {
        converted = DecodeDetected(bytes).toUtf8();
        bytes = converted;
    } else {
        bytes = bytes.sliced(mark);
    }
    const bool fileIsUtf8 = mark > 0 || isUtf8(bytes);
    TLineSource lines(bytes);
    TCardParser parser(fileIsUtf8, take);
    QByteArrayView line;
    int number = 0;
    while (lines.Next(line, number)) {
        parser.Line(line, number);
    }
    return parser.Finish();
}

QByteArray TVCardReader::ReadFile(const QString& fileName) {
    if (fileName.isEmpty()) {
        throw EExchangeError(tr("No vCard file has been chosen."));
    }
    const QFileInfo info(fileName);
    if (info.exists() && !info.isFile()) {
        throw EExchangeError(tr("\"%1\" is not a file that can be imported.").arg(fileName));
    }
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        throw EExchangeError(
            tr("The file \"%1\" cannot be opened: %2").arg(fileName, file.errorString()));
    }
    const QString tooLarge =
        tr("The file \"%1\" is larger than 64 MiB; it is not taken for a vCard file.")
            .arg(fileName);
    if (file.size() > kMaxFileBytes) {
        throw EExchangeError(tooLarge);
    }
    // The file may grow while it is read: never more than the limit.
    QByteArray bytes = file.read(qMin(file.size(), kMaxFileBytes) + 1);
    if (file.error() != QFileDevice::NoError) {
        throw EExchangeError(
            tr("The file \"%1\" cannot be read: %2").arg(fileName, file.errorString()));
    }
    if (bytes.size() > kMaxFileBytes) {
        throw EExchangeError(tooLarge);
    }
    return bytes;
}
