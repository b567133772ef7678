#include "sync/u_SyncCard.h"

#include "exchange/u_VCardProperty.h"
#include "exchange/u_VCardReader.h"
#include "exchange/u_VCardWriter.h"
#include "session/u_ContactSchema.h"
#include "support/u_ExchangeError.h"
#include "sync/u_SyncError.h"

#include <QCoreApplication>
#include <QList>

#include <array>
#include <optional>
#include <vector>

using namespace ContactSchema;

namespace {

// The properties of a card that the program maps, in groups that come from
// the same cells: a group is rewritten when one of its cells changed.
enum Group : int {
    Unmapped = -1,
    Names,
    Nick,
    Organisation,
    Position,
    HomeAddress,
    WorkAddress,
    HomeTel,
    HomeFax,
    WorkTel,
    WorkFax,
    HomeEmail,
    WorkEmail,
    HomeUrl,
    WorkUrl,
    HomeIcq,
    WorkIcq,
    Note,
    Hobby,
    HomeMisc,
    WorkMisc,
    Ico,
    Dic,
    GroupCount
};

// The structure of the card itself, handled apart from the groups.
enum class Kind { Begin, End, Version, Uid, Property, Text };

const std::array<std::vector<int>, GroupCount>& groupFields() {
    static const std::array<std::vector<int>, GroupCount> fields{{
        {SurName, FirstName},
        {Home_Nick},
        {Work_Company, Work_CompanyDesc},
        {Work_Position},
        {Home_Address, Home_Town, Home_City, Home_PSC, Home_Country},
        {Work_Address, Work_Town, Work_City, Work_PSC, Work_Country},
        {Home_Tel},
        {Home_Fax},
        {Work_Tel},
        {Work_Fax},
        {Home_Email},
        {Work_Email},
        {Home_WWW},
        {Work_WWW},
        {Home_ICQ},
        {Work_ICQ},
        {Notes},
        {Home_Hobby},
        {Home_Misc},
        {Work_Misc},
        {Work_ICO},
        {Work_DIC},
    }};
    return fields;
}

// One logical line of a card: the physical lines as they were, and the
// line unfolded.
struct TLine {
    QByteArray raw;  // physical lines joined by CR LF, without the last one
    QByteArray unfolded;
    Kind kind = Kind::Text;
    int group = Unmapped;
};

int groupOf(const TVCardProperty& p) {
    if (p.IsBinary()) {
        return Unmapped;
    }
    const QByteArray& n = p.name;
    const bool work = p.HasType("work");
    if (n == "N" || n == "FN") {
        return Names;
    }
    if (n == "TEL") {
        const bool fax = p.HasType("fax");
        return work ? (fax ? WorkFax : WorkTel) : (fax ? HomeFax : HomeTel);
    }
    if (n == "ADR") {
        return work ? WorkAddress : HomeAddress;
    }
    if (n == "EMAIL") {
        return work ? WorkEmail : HomeEmail;
    }
    if (n == "URL") {
        return work ? WorkUrl : HomeUrl;
    }
    if (n == "X-ICQ" ||
        (n == "IMPP" && p.value.trimmed().toByteArray().toLower().startsWith("icq:"))) {
        return work ? WorkIcq : HomeIcq;
    }
    static const QList<QPair<QByteArray, int>> single{
        {"NICKNAME", Nick},
        {"ORG", Organisation},
        {"TITLE", Position},
        {"NOTE", Note},
        {"X-ORVANE-HOBBY", Hobby},
        {"X-ORVANE-HOME-MISC", HomeMisc},
        {"X-ORVANE-WORK-MISC", WorkMisc},
        {"X-ORVANE-ICO", Ico},
        {"X-ORVANE-DIC", Dic},
    };
    for (const auto& [name, group] : single) {
        if (n == name) {
            return group;
        }
    }
    return Unmapped;
}

void classify(TLine& line) {
    TVCardProperty p;
    if (!p.Parse(line.unfolded)) {
        line.kind = Kind::Text;
        return;
    }
    const bool vcard = p.value.trimmed().compare("VCARD", Qt::CaseInsensitive) == 0;
    if (p.name == "BEGIN" && vcard) {
        line.kind = Kind::Begin;
    } else if (p.name == "END" && vcard) {
        line.kind = Kind::End;
    } else if (p.name == "VERSION") {
        line.kind = Kind::Version;
    } else if (p.name == "UID") {
        line.kind = Kind::Uid;
    } else {
        line.kind = Kind::Property;
        line.group = groupOf(p);
    }
}

bool quotedPrintableSoftBreak(const QByteArray& unfolded) {
    if (!unfolded.endsWith('=')) {
        return false;
    }
    const qsizetype colon = unfolded.indexOf(':');
    return colon > 0 && unfolded.first(colon).toUpper().contains("QUOTED-PRINTABLE");
}

// The logical lines of card; blank lines are dropped.
QList<TLine> splitLines(QByteArrayView card) {
    QList<TLine> lines;
    qsizetype pos = 0;
    while (pos < card.size()) {
        qsizetype end = pos;
        while (end < card.size() && card[end] != '\r' && card[end] != '\n') {
            ++end;
        }
        const QByteArrayView physical = card.sliced(pos, end - pos);
        if (end < card.size() && card[end] == '\r') {
            ++end;
        }
        if (end < card.size() && card[end] == '\n') {
            ++end;
        }
        pos = end;
        const bool folded = physical.startsWith(' ') || physical.startsWith('\t');
        if (!lines.isEmpty() && (folded || quotedPrintableSoftBreak(lines.last().unfolded))) {
            TLine& last = lines.last();
            last.raw += "\r\n" + physical.toByteArray();
            if (folded) {
                last.unfolded += physical.sliced(1);
            } else {
                last.unfolded.chop(1);
                last.unfolded += physical;
            }
            continue;
        }
        if (physical.trimmed().isEmpty()) {
            continue;
        }
        lines.append({physical.toByteArray(), physical.toByteArray()});
    }
    for (TLine& line : lines) {
        classify(line);
    }
    return lines;
}

bool isMultiLine(int field) {
    return field == Home_Tel || field == Home_Fax || field == Home_ICQ || field == Work_Tel ||
           field == Work_Fax || field == Work_ICQ;
}

QString normalizedCell(int field, QString value) {
    value.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(u'\r', u'\n');
    if (isMultiLine(field)) {
        QStringList lines = value.split(u'\n', Qt::SkipEmptyParts);
        value = lines.join(u'\n');
    }
    return value;
}

TVCardVersion versionOf(const QList<TLine>& lines) {
    for (const TLine& line : lines) {
        if (line.kind == Kind::Version) {
            return line.unfolded.contains("4.0") ? TVCardVersion::V4_0 : TVCardVersion::V3_0;
        }
    }
    return TVCardVersion::V3_0;
}

// The writer's lines for cells, by group.
std::array<QList<QByteArray>, GroupCount> writtenGroups(const QStringList& cells,
                                                        TVCardVersion version) {
    QByteArray card;
    TVCardWriter(version).AppendCard(card, cells);
    std::array<QList<QByteArray>, GroupCount> groups;
    for (const TLine& line : splitLines(card)) {
        if (line.kind == Kind::Property && line.group != Unmapped) {
            groups[line.group].append(line.raw);
        }
    }
    return groups;
}

QString uidOf(const TLine& line) {
    TVCardProperty p;
    return p.Parse(line.unfolded) ? QString::fromUtf8(p.value).trimmed() : QString();
}

QByteArray uidLine(const QString& uid) {
    return "UID:" + uid.toUtf8();
}

// Writes the card: lines of the server card in their order, a changed
// group's lines replaced by the writer's where the group first stood (or
// before the end when it did not), the notes given apart.
QByteArray assemble(const QList<TLine>& lines, const std::array<bool, GroupCount>& changed,
                    const std::array<QList<QByteArray>, GroupCount>& written,
                    const QList<QByteArray>& noteLines, const QString& uid) {
    std::array<bool, GroupCount> emitted{};
    QByteArray out = "BEGIN:VCARD\r\n";
    const auto emitGroup = [&](int group) {
        if (emitted[group]) {
            return;
        }
        emitted[group] = true;
        for (const QByteArray& line : group == Note ? noteLines : written[group]) {
            out += line + "\r\n";
        }
    };
    bool uidDone = false;
    bool versionDone = false;
    for (const TLine& line : lines) {
        switch (line.kind) {
            case Kind::Begin:
            case Kind::End:
                continue;
            case Kind::Version:
                if (!versionDone) {
                    out += line.raw + "\r\n";
                    versionDone = true;
                }
                continue;
            case Kind::Uid:
                if (!uidDone && !uid.isEmpty()) {
                    out += (uidOf(line) == uid ? line.raw : uidLine(uid)) + "\r\n";
                }
                uidDone = true;
                continue;
            case Kind::Text:
                out += line.raw + "\r\n";
                continue;
            case Kind::Property:
                break;
        }
        if (line.group == Unmapped || (!changed[line.group] && line.group != Note)) {
            out += line.raw + "\r\n";
        } else {
            emitGroup(line.group);
        }
    }
    if (!versionDone) {
        out.insert(13, "VERSION:3.0\r\n");
    }
    if (!uidDone && !uid.isEmpty()) {
        const qsizetype afterVersion = out.indexOf("\r\n", 13) + 2;
        out.insert(afterVersion, uidLine(uid) + "\r\n");
    }
    for (int group = 0; group < GroupCount; ++group) {
        if (changed[group] || group == Note) {
            emitGroup(group);
        }
    }
    out += "END:VCARD\r\n";
    return out;
}

QList<QByteArray> noteLinesOf(const QString& note, TVCardVersion version) {
    QStringList cells(ColumnCount);
    cells[Notes] = note;
    return writtenGroups(cells, version)[Note];
}

// The notes a card would have when read without its NOTE lines: what the
// reader adds for values the program has no field for.
QString extrasOf(const QList<TLine>& lines, const std::array<bool, GroupCount>& changed,
                 const std::array<QList<QByteArray>, GroupCount>& written) {
    const QByteArray withoutNotes = assemble(lines, changed, written, {}, QString());
    return SyncCard::Cells(withoutNotes)[Notes];
}

// The card for cells with the given groups rewritten; nullopt when the
// notes cannot be written so that the card reads back as cells.
std::optional<QByteArray> merged(const QList<TLine>& lines,
                                 const std::array<bool, GroupCount>& changed,
                                 const QStringList& cells, const QString& uid, bool force) {
    const TVCardVersion version = versionOf(lines);
    const auto written = writtenGroups(cells, version);
    const QString extras = extrasOf(lines, changed, written);
    QString note = normalizedCell(Notes, cells.value(Notes));
    if (!extras.isEmpty()) {
        if (note == extras) {
            note.clear();
        } else if (note.endsWith(u'\n' + extras)) {
            note.chop(extras.size() + 1);
        } else if (!force) {
            return std::nullopt;
        }
    }
    return assemble(lines, changed, written, noteLinesOf(note, version), uid);
}

}  // namespace

namespace SyncCard {

QStringList Cells(QByteArrayView card) {
    QStringList cells;
    int count = 0;
    try {
        // The card's UID is kept apart from the fields.
        count = TVCardReader::Read(
            card, [&cells](const QStringList& c) { cells = c.mid(0, ContactSchema::ColumnCount); });
    } catch (const EExchangeError& e) {
        throw ESyncError(
            QCoreApplication::translate("SyncCard", "A card of the address book cannot be read: %1")
                .arg(e.message()));
    }
    if (count != 1) {
        throw ESyncError(
            QCoreApplication::translate(
                "SyncCard", "A card of the address book holds %1 vCards instead of one.")
                .arg(count));
    }
    return cells;
}

QString Uid(QByteArrayView card) {
    for (const TLine& line : splitLines(card)) {
        if (line.kind == Kind::Uid) {
            return uidOf(line);
        }
    }
    return {};
}

QByteArray NewCard(const QStringList& cells, const QString& uid) {
    QByteArray written;
    TVCardWriter(TVCardVersion::V3_0).AppendCard(written, cells);
    std::array<bool, GroupCount> all;
    all.fill(true);
    const QList<TLine> lines = splitLines(written);
    return *merged(lines, all, cells, uid, true);
}

QByteArray MergedCard(QByteArrayView serverCard, const QStringList& cells, const QString& uid) {
    const QStringList serverCells = Cells(serverCard);
    const QStringList local = Normalized(cells);
    const QStringList server = Normalized(serverCells);
    const QList<TLine> lines = splitLines(serverCard);
    std::array<bool, GroupCount> changed{};
    for (int group = 0; group < GroupCount; ++group) {
        for (const int field : groupFields()[group]) {
            changed[group] = changed[group] || local[field] != server[field];
        }
    }
    // Without a name the formatted name is the company's.
    if (changed[Organisation] && local[SurName].isEmpty() && local[FirstName].isEmpty()) {
        changed[Names] = true;
    }
    if (const auto card = merged(lines, changed, cells, uid, false);
        card && SameContact(Cells(*card), cells)) {
        return *card;
    }
    // The kept properties do not read back as the contact: write all that
    // the program maps.
    std::array<bool, GroupCount> all;
    all.fill(true);
    return *merged(lines, all, cells, uid, true);
}

QStringList Normalized(const QStringList& cells) {
    QStringList result;
    result.reserve(ColumnCount);
    for (int field = 0; field < ColumnCount; ++field) {
        result << normalizedCell(field, cells.value(field));
    }
    return result;
}

bool SameContact(const QStringList& a, const QStringList& b) {
    return Normalized(a) == Normalized(b);
}

}  // namespace SyncCard
