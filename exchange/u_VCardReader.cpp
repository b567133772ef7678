#include "exchange/u_VCardReader.h"

#include "exchange/u_VCardContactBuilder.h"
#include "exchange/u_VCardFileCards.h"
#include "exchange/u_VCardLines.h"
#include "exchange/u_VCardProperty.h"
#include "exchange/u_VCardText.h"
#include "support/u_TextEncoding.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <quib/CodePage.h>

#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace {

// The reader's own texts. The helper classes below name the context in full
// instead: the translation tools file a tr() inside a class under that
// class, where this lookup would never find it.
QString tr(const char* text) {
    return QCoreApplication::translate("TVCardReader", text);
}

bool isBlank(QByteArrayView line) {
    for (const char c : line) {
        if (c != ' ' && c != '\t') {
            return false;
        }
    }
    return true;
}

// The bytes of a value as they stand in the file; quoted-printable text is
// decoded into storage.
QByteArrayView valueBytes(const TVCardProperty& property, QByteArray& storage) {
    if (property.params.isEmpty() || !property.IsQuotedPrintable()) {
        return property.value;
    }
    // Line breaks of quoted-printable text come as CR LF; the program keeps
    // them as LF.
    storage = VCardText::DecodeQuotedPrintable(property.value).replace("\r\n", "\n");
    return storage;
}

// The encoding a CHARSET parameter names, in small letters; empty for none.
QByteArray charsetOf(const TVCardProperty& property) {
    return property.params.isEmpty() ? QByteArray() : property.Param("CHARSET").toLower();
}

// The value as text, still escaped: in the encoding its CHARSET names, else
// in the card's. A NUL cannot be kept in a cell (it would end the text
// there), so it is dropped and the rest kept.
QString decodeValue(QByteArrayView bytes, const QByteArray& charset, bool cardIsUtf8) {
    QString text;
    if (charset.isEmpty()) {
        text = cardIsUtf8 ? QString::fromUtf8(bytes) : DecodeWindows1250(bytes);
    } else if (charset == "utf-8" || charset == "utf8") {
        text = QString::fromUtf8(bytes);
    } else if (charset == "windows-1250" || charset == "cp1250" || charset == "x-cp1250") {
        text = DecodeWindows1250(bytes);
    } else if (charset == "iso-8859-1" || charset == "us-ascii" || charset == "latin1") {
        text = QString::fromLatin1(bytes);
    } else {
        std::optional<QStringDecoder> named;
        if (!charset.isEmpty()) {
            named.emplace(charset.constData());
        }
        if (named && named->isValid()) {
            text = named->decode(bytes);
        } else {
            text = cardIsUtf8 ? QString::fromUtf8(bytes) : DecodeWindows1250(bytes);
        }
    }
    if (text.contains(QChar(u'\0'))) {
        text.remove(QChar(u'\0'));
    }
    return text;
}

bool isUtf8(QByteArrayView bytes) {
    TUtf8Validator validator;
    validator.Feed(bytes);
    return validator.Valid();
}

// Bytes that Windows-1250 leaves unassigned: a card holding one of them
// that is not UTF-8 either is no text of either encoding.
bool hasUnassignedWindows1250Byte(QByteArrayView bytes) {
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x80 && quib::Cp1250ToUnicode(b) < 0xA0) {
            return true;
        }
    }
    return false;
}

bool isVCardMarker(const TVCardProperty& property, QByteArrayView name) {
    return SameBytes(property.name, name) &&
           property.value.trimmed().compare("VCARD", Qt::CaseInsensitive) == 0;
}

// The state of one pass over the file's lines. The encoding is decided per
// card, from the bytes of its values without a CHARSET parameter: UTF-8 when
// they are UTF-8, else Windows-1250. So one card of another encoding, or one
// broken byte, leaves the other cards of a file as they are. The card's
// properties wait until its end for that.
// In a file that is valid UTF-8 as a whole (most files) every value is
// UTF-8 as written, so the card's values need not wait: only a
// quoted-printable value can hide other bytes, and it is judged by them.
class TCardParser {
  public:
    TCardParser(bool fileIsUtf8, const TVCardReader::CardSink& take)
        : fileIsUtf8_(fileIsUtf8), take_(take) {}

    void Line(QByteArrayView line, int number);
    int Finish() const;

  private:
    struct TPending {
        TVCardProperty property;  // its value is taken from bytes, not the line
        QByteArray bytes;
        QByteArray charset;
    };

    void begin(int number);
    void end(int number);
    void countLine(QByteArrayView line);
    void add(const TVCardProperty& property);
    void keep(const TVCardProperty& property);
    bool cardIsUtf8() const;
    // UTF-8 (true) or Windows-1250 (false); raises for bytes that are
    // neither.
    bool utf8OrRefused(bool validUtf8, bool unassignedByte) const;

    bool fileIsUtf8_;
    const TVCardReader::CardSink& take_;
    TVCardContactBuilder builder_;
    TVCardProperty property_;
    std::vector<TPending> pending_;
    // Of the values that follow the card's encoding:
    bool validUtf8_ = true;        // each is UTF-8
    bool unassignedByte_ = false;  // some holds a byte Windows-1250 lacks
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
        throw EVCardError(number,
                          QCoreApplication::translate(
                              "TVCardReader", "The vCard file holds more than %1 cards (line %2).")
                              .arg(TVCardReader::kMaxCards)
                              .arg(number));
    }
    inCard_ = true;
    cardStart_ = number;
    cardLines_ = 0;
    cardBytes_ = 0;
    pending_.clear();
    validUtf8_ = true;
    unassignedByte_ = false;
}

void TCardParser::add(const TVCardProperty& property) {
    if (!fileIsUtf8_) {
        keep(property);
        return;
    }
    QByteArray storage;
    const QByteArrayView bytes = valueBytes(property, storage);
    const QByteArray charset = charsetOf(property);
    bool utf8 = true;
    if (charset.isEmpty() && !storage.isNull()) {
        utf8 = utf8OrRefused(isUtf8(bytes), hasUnassignedWindows1250Byte(bytes));
    }
    builder_.Add(property, decodeValue(bytes, charset, utf8));
}

void TCardParser::keep(const TVCardProperty& property) {
    QByteArray storage;
    const QByteArrayView bytes = valueBytes(property, storage);
    TPending pending{property, storage.isNull() ? bytes.toByteArray() : storage,
                     charsetOf(property)};
    pending.property.value = {};
    if (pending.charset.isEmpty()) {
        validUtf8_ = validUtf8_ && isUtf8(pending.bytes);
        unassignedByte_ = unassignedByte_ || hasUnassignedWindows1250Byte(pending.bytes);
    }
    pending_.push_back(std::move(pending));
}

bool TCardParser::cardIsUtf8() const {
    return utf8OrRefused(validUtf8_, unassignedByte_);
}

bool TCardParser::utf8OrRefused(bool validUtf8, bool unassignedByte) const {
    if (validUtf8) {
        return true;
    }
    if (unassignedByte) {
        // Named in full, so that the translation tools file the text under
        // the context it is looked up in.
        throw EVCardError(cardStart_,
                          QCoreApplication::translate("TVCardReader",
                                                      "The card that begins on line %1 of the "
                                                      "vCard file is neither UTF-8 nor "
                                                      "Windows-1250 text.")
                              .arg(cardStart_));
    }
    return false;
}

void TCardParser::end(int number) {
    if (!inCard_) {
        throw EVCardError(
            number, QCoreApplication::translate(
                        "TVCardReader", "Line %1 of the vCard file ends a card that was not begun.")
                        .arg(number));
    }
    if (nested_ > 0) {
        --nested_;
        return;
    }
    inCard_ = false;
    const bool utf8 = cardIsUtf8();
    for (TPending& pending : pending_) {
        pending.property.value = pending.bytes;
        builder_.Add(pending.property, decodeValue(pending.bytes, pending.charset, utf8));
    }
    pending_.clear();
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
            QCoreApplication::translate(
                "TVCardReader", "The card that begins on line %1 of the vCard file is too large.")
                .arg(cardStart_));
    }
}

void TCardParser::Line(QByteArrayView line, int number) {
    if (isBlank(line)) {
        return;
    }
    if (!property_.Parse(line)) {
        throw EVCardError(number,
                          QCoreApplication::translate(
                              "TVCardReader", "Line %1 of the vCard file is not a vCard property.")
                              .arg(number));
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
        throw EVCardError(
            number, QCoreApplication::translate("TVCardReader",
                                                "Line %1 of the vCard file lies outside a card.")
                        .arg(number));
    }
    countLine(line);
    if (nested_ == 0 && !property_.IsBinary()) {
        add(property_);
    }
}

int TCardParser::Finish() const {
    if (inCard_) {
        throw EVCardError(
            cardStart_,
            QCoreApplication::translate(
                "TVCardReader", "The card that begins on line %1 of the vCard file has no end.")
                .arg(cardStart_));
    }
    return cards_;
}

}  // namespace

int vcardfile::ReadCards(TVCardByteSource source, bool fileIsUtf8,
                         const TVCardReader::CardSink& take) {
    TVCardLines lines(std::move(source));
    TCardParser parser(fileIsUtf8, take);
    QByteArrayView line;
    int number = 0;
    while (lines.Next(line, number)) {
        parser.Line(line, number);
    }
    return parser.Finish();
}

namespace {

// Hands out bytes in pieces of at most what is asked for.
class TSpill {
  public:
    qsizetype Take(char* to, qsizetype max) {
        const qsizetype n = qMin(max, bytes_.size() - at_);
        std::memcpy(to, bytes_.constData() + at_, static_cast<std::size_t>(n));
        at_ += n;
        return n;
    }
    bool Empty() const { return at_ == bytes_.size(); }
    void Set(QByteArray bytes) {
        bytes_ = std::move(bytes);
        at_ = 0;
    }

  private:
    QByteArray bytes_;
    qsizetype at_ = 0;
};

}  // namespace

std::unique_ptr<QFile> vcardfile::Open(const QString& fileName) {
    if (fileName.isEmpty()) {
        throw EExchangeError(
            QCoreApplication::translate("TVCardReader", "No vCard file has been chosen."));
    }
    const QFileInfo info(fileName);
    if (info.exists() && !info.isFile()) {
        throw EExchangeError(QCoreApplication::translate(
                                 "TVCardReader", "\"%1\" is not a file that can be imported.")
                                 .arg(fileName));
    }
    auto file = std::make_unique<QFile>(fileName);
    if (!file->open(QIODevice::ReadOnly)) {
        throw EExchangeError(
            QCoreApplication::translate("TVCardReader", "The file \"%1\" cannot be opened: %2")
                .arg(fileName, file->errorString()));
    }
    return file;
}

bool vcardfile::IsUtf8Onwards(QFile& file, QByteArray& piece, QByteArrayView first) {
    TUtf8Validator validator;
    validator.Feed(first);
    while (!validator.Broken()) {
        const qsizetype n = ReadPiece(file, piece.data(), piece.size());
        if (n == 0) {
            break;
        }
        validator.Feed(QByteArrayView(piece).first(n));
    }
    return validator.Valid();
}

qsizetype vcardfile::ReadPiece(QFile& file, char* to, qsizetype max) {
    const qint64 n = file.read(to, max);
    if (n < 0) {
        throw EExchangeError(
            QCoreApplication::translate("TVCardReader", "The file \"%1\" cannot be read: %2")
                .arg(file.fileName(), file.errorString()));
    }
    return static_cast<qsizetype>(n);
}

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
    qsizetype at = 0;
    const auto source = [bytes, &at](char* to, qsizetype max) {
        const qsizetype n = qMin(max, bytes.size() - at);
        std::memcpy(to, bytes.data() + at, static_cast<std::size_t>(n));
        at += n;
        return n;
    };
    return vcardfile::ReadCards(source, isUtf8(bytes), take);
}

int TVCardReader::ReadFile(const QString& fileName, const CardSink& take) {
    const std::unique_ptr<QFile> file = vcardfile::Open(fileName);
    QByteArray piece(kVCardPieceBytes, Qt::Uninitialized);
    // The byte-order mark, if any, is in the first piece.
    qsizetype got = vcardfile::ReadPiece(*file, piece.data(), piece.size());
    TextEncoding encoding = TextEncoding::Utf8;
    const qsizetype mark = ByteOrderMark(QByteArrayView(piece).first(got), encoding);
    if (encoding == TextEncoding::Utf16LE || encoding == TextEncoding::Utf16BE) {
        // Turned into UTF-8 piece by piece; the decoder keeps a character
        // cut between two pieces.
        auto decoder = std::make_shared<QStringDecoder>(
            encoding == TextEncoding::Utf16LE ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
        auto spill = std::make_shared<TSpill>();
        spill->Set(
            QString(decoder->decode(QByteArrayView(piece).sliced(mark, got - mark))).toUtf8());
        auto raw = std::make_shared<QByteArray>(kVCardPieceBytes, Qt::Uninitialized);
        QFile& in = *file;
        return vcardfile::ReadCards(
            [&in, decoder, spill, raw](char* to, qsizetype max) {
                while (spill->Empty()) {
                    const qsizetype n = vcardfile::ReadPiece(in, raw->data(), raw->size());
                    if (n == 0) {
                        return qsizetype{0};
                    }
                    spill->Set(QString(decoder->decode(QByteArrayView(*raw).first(n))).toUtf8());
                }
                return spill->Take(to, max);
            },
            true, take);
    }
    // A first pass tells whether the file is UTF-8 as a whole.
    const bool utf8 =
        vcardfile::IsUtf8Onwards(*file, piece, QByteArrayView(piece).sliced(mark, got - mark));
    if (!file->seek(mark)) {
        throw EExchangeError(
            tr("The file \"%1\" cannot be read: %2").arg(fileName, file->errorString()));
    }
    QFile& in = *file;
    return vcardfile::ReadCards(
        [&in](char* to, qsizetype max) { return vcardfile::ReadPiece(in, to, max); }, utf8, take);
}
