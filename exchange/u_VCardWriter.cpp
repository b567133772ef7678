#include "exchange/u_VCardWriter.h"

#include "exchange/u_VCardText.h"
#include "views/u_ContactSchema.h"

#include <QRegularExpression>

using namespace ContactSchema;

namespace {

struct Writer {
    QByteArray& out;
    const QStringList& cells;

    QString cell(int field) const { return cells.value(field); }

    // name carries its parameters; value is written as it stands.
    void raw(const char* name, const QString& value) const {
        VCardText::AppendFolded(out, QByteArray(name) + ':' + value.toUtf8());
    }
    void text(const char* name, const QString& value) const {
        if (!value.isEmpty()) {
            raw(name, VCardText::Escape(value));
        }
    }
    // Escaped components joined by semicolons; nothing when all are empty.
    void structured(const char* name, const QStringList& parts, bool always = false) const {
        QStringList escaped;
        bool any = false;
        for (const QString& part : parts) {
            escaped << VCardText::Escape(part);
            any = any || !part.isEmpty();
        }
        if (any || always) {
            raw(name, escaped.join(u';'));
        }
    }
    // One property per non-empty line of a multi-line field.
    void perLine(const char* name, int field, const QString& prefix = QString()) const {
        static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
        for (const QString& line : cell(field).split(lineBreak)) {
            if (!line.isEmpty()) {
                raw(name, prefix + VCardText::Escape(line));
            }
        }
    }
    void address(const char* name, int street, int town, int city, int psc, int country) const {
        // PO box; extended address; street; locality; region; postal code; country
        structured(name, {QString(), cell(city), cell(street), cell(town), QString(), cell(psc),
                          cell(country)});
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
    const Writer w{out, cells};
    out.append("BEGIN:VCARD\r\n");
    out.append(version_ == TVCardVersion::V4_0 ? "VERSION:4.0\r\n" : "VERSION:3.0\r\n");
    w.structured(
        "N", {cells.value(SurName), cells.value(FirstName), QString(), QString(), QString()}, true);
    w.raw("FN", VCardText::Escape(formattedName(cells)));
    w.text("NICKNAME", cells.value(Home_Nick));
    w.structured("ORG", {cells.value(Work_Company), cells.value(Work_CompanyDesc)});
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
    w.perLine("IMPP;TYPE=home", Home_ICQ, QStringLiteral("icq:"));
    w.perLine("IMPP;TYPE=work", Work_ICQ, QStringLiteral("icq:"));
    w.text("NOTE", cells.value(Notes));
    w.text("X-ORVANE-HOBBY", cells.value(Home_Hobby));
    w.text("X-ORVANE-HOME-MISC", cells.value(Home_Misc));
    w.text("X-ORVANE-WORK-MISC", cells.value(Work_Misc));
    w.text("X-ORVANE-ICO", cells.value(Work_ICO));
    w.text("X-ORVANE-DIC", cells.value(Work_DIC));
    out.append("END:VCARD\r\n");
}
