#include "exchange/u_VCardWriter.h"

#include "exchange/u_VCardText.h"
#include "session/u_ContactSchema.h"

#include <QStringEncoder>

#include <string>

using namespace ContactSchema;

namespace {

// The cells of a card as the writer reads them: QStrings, or UTF-8 views of
// the database's cells (the fast way through a whole database).
QStringView viewOf(const QStringList& cells, int field) {
    return field < cells.size() ? QStringView(cells[field]) : QStringView();
}
std::string_view viewOf(const TVCardWriter::Utf8Cells& cells, int field) {
    return field >= 0 && field < static_cast<int>(cells.size()) ? cells[field] : std::string_view();
}
bool isBreak(QChar c) {
    return c == u'\r' || c == u'\n';
}
bool isBreak(char c) {
    return c == '\r' || c == '\n';
}
QStringView slice(QStringView text, qsizetype at, qsizetype n) {
    return text.sliced(at, n);
}
std::string_view slice(std::string_view text, std::size_t at, std::size_t n) {
    return text.substr(at, n);
}

// Room kept from card to card: the card, its content line, a value's UTF-8.
struct Scratch {
    std::string card;
    std::string line;
    std::string utf8;
};

Scratch& scratch() {
    thread_local Scratch kept;
    return kept;
}

// Builds each content line in one scratch buffer and appends it folded to
// the card, which goes out whole.
template <typename Cells>
struct Writer {
    std::string& out;
    const Cells& cells;
    std::string& line;
    std::string& utf8;
    QStringEncoder encoder{QStringEncoder::Utf8};

    auto cell(int field) const { return viewOf(cells, field); }

    void begin(const char* name) {
        line.clear();
        line.append(name);
        line.push_back(':');
    }
    // The value's UTF-8 bytes with backslash, comma and semicolon escaped
    // and every line break written as \n (all of them ASCII, so no UTF-8
    // sequence is touched); the runs between escapes are appended whole.
    void appendEscaped(std::string_view value) {
        const char* const bytes = value.data();
        const auto n = static_cast<qsizetype>(value.size());
        qsizetype run = 0;
        for (qsizetype i = 0; i < n; ++i) {
            const char c = bytes[i];
            if (c != '\\' && c != ',' && c != ';' && c != '\r' && c != '\n') {
                continue;
            }
            line.append(bytes + run, static_cast<std::size_t>(i - run));
            if (c == '\r' || c == '\n') {
                if (c == '\r' && i + 1 < n && bytes[i + 1] == '\n') {
                    ++i;
                }
                line.append("\\n", 2);
            } else {
                const char escaped[2] = {'\\', c};
                line.append(escaped, 2);
            }
            run = i + 1;
        }
        line.append(bytes + run, static_cast<std::size_t>(n - run));
    }
    // A QString value is encoded into room kept from value to value first.
    void appendEscaped(QStringView value) {
        utf8.resize(static_cast<std::size_t>(encoder.requiredSpace(value.size())));
        char* const bytes = utf8.data();
        const qsizetype n = encoder.appendToBuffer(bytes, value) - bytes;
        appendEscaped(std::string_view(bytes, static_cast<std::size_t>(n)));
    }
    void end() {
        VCardText::AppendFolded(out, QByteArrayView(line.data(), qsizetype(line.size())));
    }

    template <typename View>
    void text(const char* name, View value) {
        if (!value.empty()) {
            begin(name);
            appendEscaped(value);
            end();
        }
    }
    // Escaped components joined by semicolons; nothing when all are empty.
    template <typename View>
    void structured(const char* name, std::initializer_list<View> parts, bool always = false) {
        bool any = always;
        for (const View part : parts) {
            any = any || !part.empty();
        }
        if (!any) {
            return;
        }
        begin(name);
        bool first = true;
        for (const View part : parts) {
            if (!first) {
                line.push_back(';');
            }
            first = false;
            appendEscaped(part);
        }
        end();
    }
    // One property per non-empty line of a multi-line field.
    void perLine(const char* name, int field, const char* prefix = "") {
        const auto value = cell(field);
        const auto size = value.size();
        decltype(value.size()) start = 0;
        for (decltype(value.size()) i = 0; i <= size; ++i) {
            if (i < size && !isBreak(value[i])) {
                continue;
            }
            if (i > start) {
                begin(name);
                line.append(prefix);
                appendEscaped(slice(value, start, i - start));
                end();
            }
            start = i + 1;
        }
    }
    void address(const char* name, int street, int town, int city, int psc, int country) {
        // PO box; extended address; street; locality; region; postal code; country
        using View = decltype(cell(0));
        structured<View>(
            name, {View(), cell(city), cell(street), cell(town), View(), cell(psc), cell(country)});
    }
    // FN: "First Sur", one of them, or else the company.
    void formattedName() {
        const auto first = cell(FirstName);
        const auto sur = cell(SurName);
        begin("FN");
        if (first.empty() && sur.empty()) {
            appendEscaped(cell(Work_Company));
        } else {
            appendEscaped(first);
            if (!first.empty() && !sur.empty()) {
                line.push_back(' ');
            }
            appendEscaped(sur);
        }
        end();
    }

    void card(TVCardVersion version) {
        using View = decltype(cell(0));
        out.append("BEGIN:VCARD\r\n");
        out.append(version == TVCardVersion::V4_0 ? "VERSION:4.0\r\n" : "VERSION:3.0\r\n");
        text("UID", cell(ContactSchema::ColumnCount));
        structured<View>("N", {cell(SurName), cell(FirstName), View(), View(), View()}, true);
        formattedName();
        text("NICKNAME", cell(Home_Nick));
        structured<View>("ORG", {cell(Work_Company), cell(Work_CompanyDesc)});
        text("TITLE", cell(Work_Position));
        address("ADR;TYPE=home", Home_Address, Home_Town, Home_City, Home_PSC, Home_Country);
        address("ADR;TYPE=work", Work_Address, Work_Town, Work_City, Work_PSC, Work_Country);
        perLine("TEL;TYPE=home,voice", Home_Tel);
        perLine("TEL;TYPE=home,fax", Home_Fax);
        perLine("TEL;TYPE=work,voice", Work_Tel);
        perLine("TEL;TYPE=work,fax", Work_Fax);
        text("EMAIL;TYPE=home", cell(Home_Email));
        text("EMAIL;TYPE=work", cell(Work_Email));
        text("URL;TYPE=home", cell(Home_WWW));
        text("URL;TYPE=work", cell(Work_WWW));
        perLine("IMPP;TYPE=home", Home_ICQ, "icq:");
        perLine("IMPP;TYPE=work", Work_ICQ, "icq:");
        text("NOTE", cell(Notes));
        text("X-ORVANE-HOBBY", cell(Home_Hobby));
        text("X-ORVANE-HOME-MISC", cell(Home_Misc));
        text("X-ORVANE-WORK-MISC", cell(Work_Misc));
        text("X-ORVANE-ICO", cell(Work_ICO));
        text("X-ORVANE-DIC", cell(Work_DIC));
        out.append("END:VCARD\r\n");
    }
};

}  // namespace

namespace {

template <typename Cells>
void appendCard(QByteArray& out, const Cells& cells, TVCardVersion version) {
    Scratch& kept = scratch();
    kept.card.clear();
    Writer<Cells>{kept.card, cells, kept.line, kept.utf8}.card(version);
    out.append(kept.card.data(), static_cast<qsizetype>(kept.card.size()));
}

}  // namespace

void TVCardWriter::AppendCard(QByteArray& out, const QStringList& cells) const {
    appendCard(out, cells, version_);
}

void TVCardWriter::AppendCard(QByteArray& out, const Utf8Cells& cells) const {
    appendCard(out, cells, version_);
}
