#include "print/u_TemplateFile.h"

#include "print/u_RtfCodePage.h"
#include "print/u_RtfReader.h"
#include "print/u_RtfWriter.h"
#include "support/u_AtomicFileWriter.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <cmath>

namespace {

Qt::Alignment ToQt(rtf::Align align) {
    switch (align) {
        case rtf::Align::Center:
            return Qt::AlignHCenter;
        case rtf::Align::Right:
            return Qt::AlignRight;
        case rtf::Align::Justify:
            return Qt::AlignJustify;
        case rtf::Align::Left:
            break;
    }
    return Qt::AlignLeft;
}

rtf::Align FromQt(Qt::Alignment alignment) {
    const Qt::Alignment h = alignment & Qt::AlignHorizontal_Mask;
    if (h & Qt::AlignHCenter) {
        return rtf::Align::Center;
    }
    if (h & Qt::AlignJustify) {
        return rtf::Align::Justify;
    }
    if (h & Qt::AlignRight) {
        return rtf::Align::Right;
    }
    return rtf::Align::Left;
}

QTextCharFormat ToQt(const rtf::CharFormat& f) {
    QTextCharFormat format;
    format.setFontWeight(f.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(f.italic);
    format.setFontUnderline(f.underline);
    if (f.halfPoints > 0) {
        format.setFontPointSize(f.halfPoints / 2.0);
    }
    return format;
}

rtf::CharFormat FromQt(const QTextCharFormat& format) {
    rtf::CharFormat f;
    f.bold = format.fontWeight() > QFont::Normal;
    f.italic = format.fontItalic();
    f.underline = format.fontUnderline();
    if (format.hasProperty(QTextFormat::FontPointSize)) {
        f.halfPoints = std::max(1, static_cast<int>(std::lround(format.fontPointSize() * 2)));
    }
    return f;
}

}  // namespace

void FillTextDocument(QTextDocument& document, const rtf::Document& content) {
    document.clear();
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    bool first = true;
    for (const rtf::Paragraph& paragraph : content.paragraphs) {
        QTextBlockFormat block;
        block.setAlignment(ToQt(paragraph.align));
        if (first) {
            cursor.setBlockFormat(block);
            first = false;
        } else {
            cursor.insertBlock(block, QTextCharFormat());
        }
        for (const rtf::Run& run : paragraph.runs) {
            cursor.insertText(QString::fromStdU16String(run.text), ToQt(run.format));
        }
    }
    cursor.endEditBlock();
}

rtf::Document FromTextDocument(const QTextDocument& document) {
    rtf::Document content;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        rtf::Paragraph paragraph;
        paragraph.align = FromQt(block.blockFormat().alignment());
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.isValid()) {
                rtf::AppendText(paragraph, fragment.text().toStdU16String(),
                                FromQt(fragment.charFormat()));
            }
        }
        content.paragraphs.push_back(std::move(paragraph));
    }
    return content;
}

QString DecodePlainTemplate(QByteArrayView bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        return QString::fromUtf8(bytes.sliced(3));
    }
    bool ascii = true;
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (!ascii) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString text = utf8.decode(bytes);
        if (!utf8.hasError()) {
            return text;
        }
    }
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        text[i] =
            QChar(rtf::DecodeByte(rtf::CodePage::Windows1250, static_cast<uint8_t>(bytes[i])));
    }
    return text;
}

TemplateReadStatus ReadTemplateFile(const QString& fileName, QTextDocument& document,
                                    QString& reason) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        reason = file.errorString();
        return QFileInfo::exists(fileName) ? TemplateReadStatus::Failed
                                           : TemplateReadStatus::Missing;
    }
    // One byte more than allowed tells a file that is too large.
    const QByteArray bytes = file.read(static_cast<qint64>(rtf::MaxFileSize) + 1);
    if (file.error() != QFileDevice::NoError) {
        reason = file.errorString();
        return TemplateReadStatus::Failed;
    }
    const rtf::ReadResult read = rtf::Read(std::string_view(bytes.constData(), bytes.size()));
    switch (read.status) {
        case rtf::ReadStatus::Ok:
            FillTextDocument(document, read.document);
            return TemplateReadStatus::Ok;
        case rtf::ReadStatus::NotRtf:
            document.setPlainText(DecodePlainTemplate(bytes));
            return TemplateReadStatus::Ok;
        case rtf::ReadStatus::TooLarge:
        case rtf::ReadStatus::TooDeep:
            break;
    }
    reason = QString::fromStdString(read.message);
    return TemplateReadStatus::Failed;
}

bool WriteTemplateFile(const QString& fileName, const QTextDocument& document, QString& reason) {
    const std::string rtfText =
        rtf::Write(FromTextDocument(document), document.defaultFont().family().toStdString());
    return WriteFileAtomically(fileName, QByteArrayView(rtfText.data(), rtfText.size()), reason);
}
