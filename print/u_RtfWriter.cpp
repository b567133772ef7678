#include "print/u_RtfWriter.h"

#include "print/u_RtfCodePage.h"

#include <cstdio>

namespace rtf {

namespace {

void AppendHex(std::string& out, uint8_t byte) {
    static constexpr char kDigits[] = "0123456789abcdef";
    out += "\\'";
    out += kDigits[byte >> 4];
    out += kDigits[byte & 0xF];
}

void AppendChar(std::string& out, char16_t ch) {
    if (ch == u'\\' || ch == u'{' || ch == u'}') {
        out += '\\';
        out += static_cast<char>(ch);
    } else if (ch == u'\t') {
        out += "\\tab ";
    } else if (ch == LineSeparator) {
        out += "\\line ";
    } else if (ch >= 0x20 && ch < 0x80) {
        out += static_cast<char>(ch);
    } else if (const auto byte = EncodeChar(CodePage::Windows1250, ch); byte && *byte >= 0x80) {
        AppendHex(out, *byte);
    } else {
        // \u takes a signed 16-bit number; "?" stands in for readers without it.
        out += "\\u" + std::to_string(static_cast<int16_t>(ch)) + '?';
    }
}

// The control words that turn format from into format to.
void AppendFormatChange(std::string& out, const CharFormat& from, const CharFormat& to) {
    const std::size_t before = out.size();
    if (from.bold != to.bold) {
        out += to.bold ? "\\b" : "\\b0";
    }
    if (from.italic != to.italic) {
        out += to.italic ? "\\i" : "\\i0";
    }
    if (from.underline != to.underline) {
        out += to.underline ? "\\ul" : "\\ulnone";
    }
    if (from.halfPoints != to.halfPoints) {
        // The document's own size has no number; \plain returns to it and
        // the other formats are set again.
        if (to.halfPoints == 0) {
            out += "\\plain";
            if (to.bold) {
                out += "\\b";
            }
            if (to.italic) {
                out += "\\i";
            }
            if (to.underline) {
                out += "\\ul";
            }
        } else {
            out += "\\fs" + std::to_string(to.halfPoints);
        }
    }
    if (out.size() != before) {
        out += ' ';
    }
}

const char* AlignWord(Align align) {
    switch (align) {
        case Align::Center:
            return "\\qc";
        case Align::Right:
            return "\\qr";
        case Align::Justify:
            return "\\qj";
        case Align::Left:
            break;
    }
    return "\\ql";
}

}  // namespace

std::string Write(const Document& document, const std::string& fontName) {
    std::string out = "{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0\\fnil\\fcharset238 ";
    for (const char c : fontName) {
        if (c != ';' && c != '{' && c != '}' && c != '\\') {
            out += c;
        }
    }
    out += ";}}\n\\uc1\\pard\\plain ";
    CharFormat current;
    for (const Paragraph& paragraph : document.paragraphs) {
        out += "\\pard";
        out += AlignWord(paragraph.align);
        out += ' ';
        for (const Run& run : paragraph.runs) {
            AppendFormatChange(out, current, run.format);
            current = run.format;
            for (const char16_t ch : run.text) {
                AppendChar(out, ch);
            }
        }
        out += "\\par\n";
    }
    out += "}\n";
    return out;
}

}  // namespace rtf
