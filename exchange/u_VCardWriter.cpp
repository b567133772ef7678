#include "exchange/u_VCardWriter.h"

#include "exchange/u_VCardText.h"
#include "session/u_ContactSchema.h"

#include <QStringEncoder>

using namespace ContactSchema;

namespace {

// Builds each content line in one scratch buffer and appends it folded.
struct Writer {
    QByteArray& out;
    const QStringList& cells;
    QByteArray line;
    QByteArray utf8;
    QStringEncoder encoder{QStringEncoder::Utf8};

    QString cell(int field) const { return cells.value(field); }

    void begin(const char* name) {
        line.resize(0);  // keeps its room, unlike clear()
        line.append(name);
        line.append(':');
    }
    // The value's UTF-8 bytes with backslash, comma and semicolon escaped
    // and every line break written as \n (all of them ASCII, so no UTF-8
    // sequence is touched). The value is encoded into room kept from value to
    // value, and the runs between escapes are appended whole.
    void appendEscaped(QStringView value) {
        utf8.resize(encoder.requiredSpace(value.size()));
        char* const bytes = utf8.data();
        const qsizetype n = encoder.appendToBuffer(bytes, value) - bytes;
        qsizetype run = 0;
        for (qsizetype i = 0; i < n; ++i) {
            const char c = bytes[i];
            if (c != '\\' && c != ',' && c != ';' && c != '\r' && c != '\n') {
                continue;
            }
            line.append(bytes + run, i - run);
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
        line.append(bytes + run, n - run);
    }
    void end() { VCardText::AppendFolded(out, line); }

    void text(const char* name, QStringView value) {
        if (!value.isEmpty()) {
            begin(name);
            appendEscaped(value);
            end();
        }
    }
    // Escaped components joined by semicolons; nothing when all are empty.
    void structured(const char* name, std::initializer_list<QStringView> parts,
                    bool always = false) {
        bool any = always;
        for (const QStringView part : parts) {
            any = any || !part.isEmpty();
        }
        if (!any) {
            return;
        }
        begin(name);
        bool first = true;
        for (const QStringView part : parts) {
            if (!first) {
                line.append(';');
            }
            first = false;
            appendEscaped(part);
        }
        end();
    }
    // One property per non-empty line of a multi-line field.
    void perLine(const char* name, int field, const char* prefix = "") {
        const QString value = cell(field);
        qsizetype start = 0;
        for (qsizetype i = 0; i <= value.size(); ++i) {
            if (i < value.size() && value[i] != u'\r' && value[i] != u'\n') {
                continue;
            }
            if (i > start) {
                begin(name);
                line.append(prefix);
                appendEscaped(QStringView(value).sliced(start, i - start));
                end();
            }
            start = i + 1;
        }
    }
    void address(const char* name, int street, int town, int city, int psc, int country) {
        // PO box; extended address; street; locality; region; postal code; country
        const QString c = cell(city), s = cell(street), t = cell(town), p = cell(psc),
                      k = cell(country);
        structured(name, {QStringView(), c, s, t, QStringView(), p, k});
    }
};

QString formattedName(const QStringList& cells) {
    const QString first = cells.value(FirstName);
    const QString sur = cells.value(SurName);
    if (first.isEmpty() && sur.isEmpty()) {
        return cells.value(Work_Company);
    }
    if (first.isEmpty() || sur.isEmpty()) {
        return first + sur;
    }
    return first + u' ' + sur;
}

}  // namespace

void TVCardWriter::AppendCard(QByteArray& out, const QStringList& cells) const {
    Writer w{out, cells, {}, {}};
    out.append("BEGIN:VCARD\r\n");
    out.append(version_ == TVCardVersion::V4_0 ? "VERSION:4.0\r\n" : "VERSION:3.0\r\n");
    w.text("UID", cells.value(ContactSchema::ColumnCount));
    const QString sur = cells.value(SurName), first = cells.value(FirstName);
    w.structured("N", {sur, first, QStringView(), QStringView(), QStringView()}, true);
    w.begin("FN");
    w.appendEscaped(formattedName(cells));
    w.end();
    w.text("NICKNAME", cells.value(Home_Nick));
    const QString company = cells.value(Work_Company), unit = cells.value(Work_CompanyDesc);
    w.structured("ORG", {company, unit});
    w.text("TITLE", cells.value(Work_Position));
    w.address("ADR;TYPE=home", Home_Address, Home_Town, Home_City, Home_PSC, Home_Country);
    w.address("ADR;TYPE=work", Work_Address, Work_Town, Work_City, Work_PSC, Work_Country);
    w.perLine("TEL;TYPE=home,voice", Home_Tel);
    w.perLine("TEL;TYPE=home,fax", Home_Fax);
    w.perLine("TEL;TYPE=work,voice", Work_Tel);
    w.perLine("TEL;TYPE=work,fax", Work_Fax);
    w.text("EMAIL;TYPE=home", cells.value(Home_Email));
    w.text("EMAIL;TYPE=work", cells.value(Work_Email));
    w.text("URL;TYPE=home", cells.value(Home_WWW));
    w.text("URL;TYPE=work", cells.value(Work_WWW));
    w.perLine("IMPP;TYPE=home", Home_ICQ, "icq:");
    w.perLine("IMPP;TYPE=work", Work_ICQ, "icq:");
    w.text("NOTE", cells.value(Notes));
    w.text("X-ORVANE-HOBBY", cells.value(Home_Hobby));
    w.text("X-ORVANE-HOME-MISC", cells.value(Home_Misc));
    w.text("X-ORVANE-WORK-MISC", cells.value(Work_Misc));
    w.text("X-ORVANE-ICO", cells.value(Work_ICO));
    w.text("X-ORVANE-DIC", cells.value(Work_DIC));
    out.append("END:VCARD\r\n");
}
