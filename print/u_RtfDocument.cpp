#include "print/u_RtfDocument.h"

namespace rtf {

void AppendText(Paragraph& paragraph, std::u16string_view text, const CharFormat& format) {
    if (text.empty()) {
        return;
    }
    if (paragraph.runs.empty() || !(paragraph.runs.back().format == format)) {
        paragraph.runs.push_back(Run{std::u16string(text), format});
    } else {
        paragraph.runs.back().text.append(text);
    }
}

std::u16string PlainText(const Document& document) {
    std::u16string text;
    for (std::size_t i = 0; i < document.paragraphs.size(); ++i) {
        if (i > 0) {
            text += u'\n';
        }
        for (const Run& run : document.paragraphs[i].runs) {
            text += run.text;
        }
    }
    return text;
}

}  // namespace rtf
