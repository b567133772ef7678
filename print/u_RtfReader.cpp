#include "print/u_RtfReader.h"

#include "print/u_RtfCodePage.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>

namespace rtf {

namespace {

// What the text of the current group is for.
enum class Dest { Text, FontTable, Skip };

struct State {
    CharFormat format;
    Align align = Align::Left;
    int ucSkip = 1;
    Dest dest = Dest::Text;
    int font = -1;
};

// Destinations whose content never reaches the text.
constexpr std::array<std::string_view, 52> kSkippedDestinations{
    "colortbl",
    "stylesheet",
    "info",
    "pict",
    "object",
    "field",
    "fldinst",
    "fldrslt",
    "header",
    "headerl",
    "headerr",
    "headerf",
    "footer",
    "footerl",
    "footerr",
    "footerf",
    "footnote",
    "listtable",
    "listoverridetable",
    "rsidtbl",
    "generator",
    "filetbl",
    "revtbl",
    "xmlnstbl",
    "themedata",
    "colorschememapping",
    "latentstyles",
    "datastore",
    "pgdsctbl",
    "nonshppict",
    "shp",
    "shpinst",
    "sp",
    "author",
    "operator",
    "title",
    "subject",
    "comment",
    "keywords",
    "doccomm",
    "buptim",
    "creatim",
    "printim",
    "revtim",
    "template",
    "atnid",
    "atnauthor",
    "annotation",
    "xe",
    "tc",
    "txe",
    "userprops",
};

bool IsSkippedDestination(std::string_view word) {
    return std::find(kSkippedDestinations.begin(), kSkippedDestinations.end(), word) !=
           kSkippedDestinations.end();
}

std::optional<char16_t> NamedCharacter(std::string_view word) {
    struct Named {
        std::string_view word;
        char16_t ch;
    };
    static constexpr std::array<Named, 10> kNamed{{{"emdash", 0x2014},
                                                   {"endash", 0x2013},
                                                   {"bullet", 0x2022},
                                                   {"lquote", 0x2018},
                                                   {"rquote", 0x2019},
                                                   {"ldblquote", 0x201C},
                                                   {"rdblquote", 0x201D},
                                                   {"emspace", 0x2003},
                                                   {"enspace", 0x2002},
                                                   {"qmspace", 0x2005}}};
    for (const Named& n : kNamed) {
        if (n.word == word) {
            return n.ch;
        }
    }
    return std::nullopt;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

class Parser {
  public:
    explicit Parser(std::string_view in) : in_(in) {}

    ReadResult Run() {
        ReadResult result;
        while (pos_ < in_.size() && !finished_) {
            if (!Step()) {
                result.status = ReadStatus::TooDeep;
                result.message = "The file nests groups deeper than " +
                                 std::to_string(MaxGroupDepth) + " levels.";
                return result;
            }
        }
        // The last paragraph mark ends the text; an empty paragraph after it
        // is only the end of the file.
        if (!paragraph_.runs.empty() || document_.paragraphs.empty()) {
            EndParagraph();
        }
        result.document = std::move(document_);
        return result;
    }

  private:
    // One token; false when the nesting cap is reached.
    bool Step() {
        const char c = in_[pos_];
        if (c == '{') {
            if (stack_.size() >= static_cast<std::size_t>(MaxGroupDepth)) {
                return false;
            }
            stack_.push_back(state_);
            pendingSkip_ = 0;
            ++pos_;
        } else if (c == '}') {
            ++pos_;
            pendingSkip_ = 0;
            if (!stack_.empty()) {
                // Closing the document's own group ends the text; its last
                // paragraph keeps the formats in force inside.
                finished_ = stack_.size() == 1;
                if (!finished_) {
                    state_ = stack_.back();
                }
                stack_.pop_back();
            }
        } else if (c == '\\') {
            ++pos_;
            Control();
        } else if (c == '\r' || c == '\n') {
            ++pos_;
        } else {
            ++pos_;
            if (c == ';' && state_.dest == Dest::FontTable) {
                definingFont_ = -1;
            }
            Character(static_cast<uint8_t>(c));
        }
        return true;
    }

    void Control() {
        if (pos_ >= in_.size()) {
            return;
        }
        const char c = in_[pos_];
        if (IsLetter(c)) {
            Word();
            return;
        }
        ++pos_;
        if (c == '\'') {
            Hex();
        } else if (c == '*') {
            state_.dest = Dest::Skip;
        } else if (c == '\\' || c == '{' || c == '}') {
            Character(static_cast<uint8_t>(c));
        } else if (SkipPending()) {
            return;
        } else if (c == '~') {
            Unicode(0x00A0);
        } else if (c == '_') {
            Unicode(0x2011);
        } else if (c == '\r' || c == '\n') {
            if (state_.dest == Dest::Text) {
                EndParagraph();
            }
        }
    }

    void Hex() {
        if (pos_ + 2 > in_.size()) {
            pos_ = in_.size();
            return;
        }
        const int hi = HexValue(in_[pos_]);
        const int lo = HexValue(in_[pos_ + 1]);
        if (hi < 0 || lo < 0) {
            return;  // not an escape after all; the characters read as text
        }
        pos_ += 2;
        Character(static_cast<uint8_t>(hi * 16 + lo), /*escaped=*/true);
    }

    void Word() {
        const std::size_t start = pos_;
        while (pos_ < in_.size() && IsLetter(in_[pos_])) {
            ++pos_;
        }
        // Longer words are no words of RTF; keeping 32 letters is enough to
        // tell them from the words this reader knows.
        const std::string_view word = in_.substr(start, std::min<std::size_t>(pos_ - start, 32));
        bool hasParam = false;
        long param = 0;
        bool negative = false;
        if (pos_ < in_.size() && in_[pos_] == '-' && pos_ + 1 < in_.size() &&
            IsDigit(in_[pos_ + 1])) {
            negative = true;
            ++pos_;
        }
        while (pos_ < in_.size() && IsDigit(in_[pos_])) {
            hasParam = true;
            param = std::min(param * 10 + (in_[pos_] - '0'), 100000000L);  // saturate
            ++pos_;
        }
        if (negative) {
            param = -param;
        }
        if (pos_ < in_.size() && in_[pos_] == ' ') {
            ++pos_;
        }
        if (word == "bin") {
            // Binary data is skipped by its length, never copied.
            const auto n = static_cast<std::size_t>(std::max(param, 0L));
            pos_ += std::min(n, in_.size() - pos_);
            return;
        }
        if (state_.dest == Dest::Skip || SkipPending()) {
            return;
        }
        if (state_.dest == Dest::FontTable) {
            FontTableWord(word, hasParam, param);
            return;
        }
        TextWord(word, hasParam, static_cast<int>(param));
    }

    void FontTableWord(std::string_view word, bool hasParam, long param) {
        if (word == "f" && hasParam) {
            definingFont_ = static_cast<int>(param);
        } else if (word == "fcharset" && definingFont_ >= 0 && fontPages_.size() < 4096) {
            if (const auto page = CodePageFromCharset(static_cast<int>(param))) {
                fontPages_[definingFont_] = *page;
            }
        } else if (IsSkippedDestination(word)) {
            state_.dest = Dest::Skip;
        }
    }

    void TextWord(std::string_view word, bool hasParam, int param) {
        const bool on = !hasParam || param != 0;
        if (word == "par" || word == "sect" || word == "page") {
            EndParagraph();
        } else if (word == "line") {
            Unicode(LineSeparator);
        } else if (word == "tab") {
            Unicode(u'\t');
        } else if (word == "u" && hasParam) {
            Unicode(static_cast<char16_t>(param < 0 ? param + 65536 : param));
            pendingSkip_ = state_.ucSkip;
        } else if (word == "uc") {
            state_.ucSkip = std::clamp(param, 0, 16);
        } else if (word == "b") {
            state_.format.bold = on;
        } else if (word == "i") {
            state_.format.italic = on;
        } else if (word == "ul" || word == "uld" || word == "uldb" || word == "ulw" ||
                   word == "ulth") {
            state_.format.underline = on;
        } else if (word == "ulnone") {
            state_.format.underline = false;
        } else if (word == "fs") {
            state_.format.halfPoints = hasParam ? std::clamp(param, 1, 3276) : 24;
        } else if (word == "plain") {
            state_.format = CharFormat{};
        } else if (word == "pard") {
            state_.align = Align::Left;
        } else if (word == "ql" || word == "qc" || word == "qr" || word == "qj") {
            state_.align = word == "qc"   ? Align::Center
                           : word == "qr" ? Align::Right
                           : word == "qj" ? Align::Justify
                                          : Align::Left;
        } else if (word == "f" && hasParam) {
            state_.font = param;
        } else if (word == "ansi") {
            docPage_ = CodePage::Windows1252;
        } else if (word == "ansicpg") {
            docPage_ = CodePageFromNumber(param).value_or(docPage_);
        } else if (word == "fonttbl") {
            state_.dest = Dest::FontTable;
        } else if (IsSkippedDestination(word)) {
            state_.dest = Dest::Skip;
        } else if (const auto ch = NamedCharacter(word)) {
            Unicode(*ch);
        }
    }

    // After \uN, the next ucSkip characters stand in for it in older readers.
    bool SkipPending() {
        if (pendingSkip_ > 0) {
            --pendingSkip_;
            return true;
        }
        return false;
    }

    void Character(uint8_t byte, bool escaped = false) {
        if (SkipPending() || state_.dest != Dest::Text) {
            return;
        }
        if (!escaped && byte < 0x20) {
            return;  // raw control bytes carry no text in RTF
        }
        Unicode(DecodeByte(CurrentPage(), byte));
    }

    void Unicode(char16_t ch) {
        if (state_.dest != Dest::Text) {
            return;
        }
        if (ch == 0x2029) {
            EndParagraph();
            return;
        }
        // Control characters and the markers a rich-text document keeps for
        // itself would change the text's structure; they are dropped.
        if ((ch < 0x20 && ch != u'\t') || ch == 0xFDD0 || ch == 0xFDD1 || ch == 0xFFFE ||
            ch == 0xFFFF) {
            return;
        }
        AppendText(paragraph_, std::u16string_view(&ch, 1), state_.format);
    }

    CodePage CurrentPage() const {
        if (const auto it = fontPages_.find(state_.font); it != fontPages_.end()) {
            return it->second;
        }
        return docPage_;
    }

    void EndParagraph() {
        paragraph_.align = state_.align;
        document_.paragraphs.push_back(std::move(paragraph_));
        paragraph_ = Paragraph{};
    }

    std::string_view in_;
    std::size_t pos_ = 0;
    bool finished_ = false;
    State state_;
    std::vector<State> stack_;
    int pendingSkip_ = 0;
    CodePage docPage_ = CodePage::Windows1252;
    std::map<int, CodePage> fontPages_;
    int definingFont_ = -1;
    Document document_;
    Paragraph paragraph_;
};

}  // namespace

bool LooksLikeRtf(std::string_view bytes) {
    return bytes.substr(0, 5) == "{\\rtf";
}

ReadResult Read(std::string_view bytes) {
    if (bytes.size() > MaxFileSize) {
        ReadResult r;
        r.status = ReadStatus::TooLarge;
        r.message = "The file is larger than 16 MiB.";
        return r;
    }
    if (!LooksLikeRtf(bytes)) {
        ReadResult r;
        r.status = ReadStatus::NotRtf;
        r.message = "The file is not RTF.";
        return r;
    }
    return Parser(bytes).Run();
}

}  // namespace rtf
