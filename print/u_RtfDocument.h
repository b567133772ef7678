#pragma once

#include <string>
#include <vector>

// The part of a rich-text document that print templates keep: paragraphs of
// formatted text runs. It knows nothing of Qt, so the template file reader can
// be checked on its own and fuzzed without a window system.
namespace rtf {

enum class Align { Left, Center, Right, Justify };

struct CharFormat {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int halfPoints = 0;  // font size in half points; 0 keeps the document's size

    bool operator==(const CharFormat&) const = default;
};

// Text may hold tabs and line breaks within the paragraph (U+2028).
struct Run {
    std::u16string text;
    CharFormat format;

    bool operator==(const Run&) const = default;
};

struct Paragraph {
    Align align = Align::Left;
    std::vector<Run> runs;

    bool operator==(const Paragraph&) const = default;
};

// A document has at least one paragraph once read; an empty one has a single
// paragraph without runs.
struct Document {
    std::vector<Paragraph> paragraphs;

    bool operator==(const Document&) const = default;
};

inline constexpr char16_t LineSeparator = 0x2028;

// Appends text to the last paragraph's last run, or starts a run when the
// format differs, so that equal neighbours are always one run.
void AppendText(Paragraph& paragraph, std::u16string_view text, const CharFormat& format);

// The document's text with paragraphs joined by '\n'.
std::u16string PlainText(const Document& document);

}  // namespace rtf
