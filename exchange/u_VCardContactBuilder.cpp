#include "exchange/u_VCardContactBuilder.h"

#include "exchange/u_ContactFields.h"
#include "exchange/u_VCardText.h"

#include <QCoreApplication>
#include <QHash>

#include <algorithm>
#include <utility>

using namespace ContactSchema;

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("TVCardContactBuilder", text);
}

// Most values hold no backslash and are kept as they are, without a copy.
QString unescaped(const QString& value) {
    return value.contains(u'\\') ? VCardText::Unescape(value) : value;
}

QString title(int field) {
    return ColumnTitlesFull().value(field);
}

QStringList padded(QStringList parts, qsizetype count) {
    while (parts.size() < count) {
        parts << QString();
    }
    return parts;
}

// The non-empty parts joined for a line of the notes.
QString joinedLine(const QStringList& parts) {
    QStringList kept;
    for (const QString& part : parts) {
        if (!part.isEmpty()) {
            kept << QString(part).replace(u'\n', QStringLiteral(", "));
        }
    }
    return kept.join(QStringLiteral(", "));
}

}  // namespace

TVCardContactBuilder::TVCardContactBuilder() = default;

void TVCardContactBuilder::add(int slot, const TVCardProperty& property, QStringList parts) {
    slots_[slot].append({property.PrefRank(), order_++, std::move(parts)});
}

void TVCardContactBuilder::addTel(const TVCardProperty& property, const QString& value) {
    QString number = unescaped(value);
    if (property.Param("VALUE").toLower() == "uri" &&
        number.startsWith(QLatin1String("tel:"), Qt::CaseInsensitive)) {
        number.remove(0, 4);
    }
    const bool work = property.HasType("work");
    const bool fax = property.HasType("fax");
    add(work ? (fax ? Work_Fax : Work_Tel) : (fax ? Home_Fax : Home_Tel), property, {number});
}

void TVCardContactBuilder::addImpp(const TVCardProperty& property, const QString& value) {
    const QString address = unescaped(value);
    if (address.startsWith(QLatin1String("icq:"), Qt::CaseInsensitive)) {
        add(property.HasType("work") ? Work_ICQ : Home_ICQ, property, {address.mid(4)});
    } else {
        extra(tr("Instant messaging"), address);
    }
}

namespace {

// What a property is to the builder: a field of its own, or one of the
// properties that need more than their value taken.
enum PropertyKind {
    Passed = -100,
    Name,
    FormattedName,
    Tel,
    Email,
    Url,
    Impp,
    Icq,
    Adr,
    Org,
    Note,
    Uid
};

int kindOf(const QByteArray& name) {
    // Looked up once per property instead of compared with every name.
    static const QHash<QByteArray, int> kinds{
        {"N", Name},
        {"FN", FormattedName},
        {"TEL", Tel},
        {"EMAIL", Email},
        {"URL", Url},
        {"IMPP", Impp},
        {"X-ICQ", Icq},
        {"ADR", Adr},
        {"ORG", Org},
        {"NOTE", Note},
        {"UID", Uid},
        {"NICKNAME", Home_Nick},
        {"TITLE", Work_Position},
        {"X-ORVANE-HOBBY", Home_Hobby},
        {"X-ORVANE-HOME-MISC", Home_Misc},
        {"X-ORVANE-WORK-MISC", Work_Misc},
        {"X-ORVANE-ICO", Work_ICO},
        {"X-ORVANE-DIC", Work_DIC},
    };
    return kinds.value(name, Passed);
}

// The home field and the work field of a property that has both.
std::pair<int, int> homeAndWork(int kind) {
    switch (kind) {
        case Email:
            return {Home_Email, Work_Email};
        case Url:
            return {Home_WWW, Work_WWW};
        default:
            return {Home_ICQ, Work_ICQ};
    }
}

}  // namespace

void TVCardContactBuilder::Add(const TVCardProperty& property, const QString& value) {
    const int kind = kindOf(property.name);
    if (kind >= 0) {
        add(kind, property, {unescaped(value)});
        return;
    }
    switch (kind) {
        case Name:
            if (name_.isEmpty()) {
                name_ = padded(VCardText::SplitUnescape(value, u';'), 5);
            }
            break;
        case FormattedName:
            if (formattedName_.isEmpty()) {
                formattedName_ = unescaped(value);
            }
            break;
        case Tel:
            addTel(property, value);
            break;
        case Email:
        case Url:
        case Icq: {
            const auto [home, work] = homeAndWork(kind);
            add(property.HasType("work") ? work : home, property, {unescaped(value)});
            break;
        }
        case Impp:
            addImpp(property, value);
            break;
        case Adr:
            add(property.HasType("work") ? WorkAddressSlot : HomeAddressSlot, property,
                padded(VCardText::SplitUnescape(value, u';'), 7));
            break;
        case Org:
            add(OrganisationSlot, property, VCardText::SplitUnescape(value, u';'));
            break;
        case Note:
            notes_ << unescaped(value);
            break;
        case Uid:
            if (identity_.isEmpty()) {
                identity_ = unescaped(value).trimmed();
            }
            break;
        default:
            break;
    }
}

QList<TVCardContactBuilder::Candidate> TVCardContactBuilder::sorted(QList<Candidate> candidates) {
    if (candidates.size() < 2) {
        return candidates;
    }
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const Candidate& a, const Candidate& b) { return a.rank < b.rank; });
    return candidates;
}

void TVCardContactBuilder::extra(const QString& title, const QString& value) {
    if (!value.isEmpty()) {
        extras_ << title + QStringLiteral(": ") + value;
    }
}

void TVCardContactBuilder::fillNames(QStringList& cells) {
    bool named = false;
    if (!name_.isEmpty()) {
        cells[SurName] = name_[0];
        // Additional names follow the first name.
        cells[FirstName] =
            name_[2].isEmpty() ? name_[1] : QStringList{name_[1], name_[2]}.join(u' ').trimmed();
        extra(tr("Title"), joinedLine({name_[3], name_[4]}));
        named = !cells[SurName].isEmpty() || !cells[FirstName].isEmpty();
    }
    // Without a name, the formatted name stands for the surname unless it is
    // just the company's name.
    if (!named && !formattedName_.isEmpty() && formattedName_ != cells[Work_Company]) {
        cells[SurName] = formattedName_;
    }
}

void TVCardContactBuilder::fillAddress(QStringList& cells, Slot slot, int street) {
    const QList<Candidate> list = sorted(slots_[slot]);
    for (qsizetype i = 0; i < list.size(); ++i) {
        // PO box; extended address; street; locality; region; postal code; country
        const QStringList& p = list[i].parts;
        if (i > 0) {
            extra(title(street), joinedLine({p[0], p[2], p[1], p[3], p[4], p[5], p[6]}));
            continue;
        }
        cells[street] = p[2];
        cells[street + 1] = p[3];  // town
        cells[street + 2] = p[1];  // city part
        cells[street + 3] = p[5];  // postal code
        cells[street + 4] = p[6];  // country
        // PO box and region have no field of their own.
        const QString rest = joinedLine({p[0], p[4]});
        if (!rest.isEmpty()) {
            extra(title(street), rest);
        }
    }
}

void TVCardContactBuilder::fillOrganisation(QStringList& cells) {
    const QList<Candidate> list = sorted(slots_[OrganisationSlot]);
    for (qsizetype i = 0; i < list.size(); ++i) {
        const QStringList& p = list[i].parts;
        if (i > 0) {
            extra(title(Work_Company), joinedLine(p));
            continue;
        }
        cells[Work_Company] = p.value(0);
        cells[Work_CompanyDesc] = p.mid(1).join(QStringLiteral(", "));
    }
}

void TVCardContactBuilder::fillField(QStringList& cells, int field) {
    if (slots_[field].isEmpty()) {
        return;
    }
    const QList<Candidate> list = sorted(slots_[field]);
    QStringList values;
    for (const Candidate& c : list) {
        values << c.parts.value(0);
    }
    if (values.isEmpty()) {
        return;
    }
    if (ContactFields::IsList(field)) {
        cells[field] = values.join(u'\n');
        return;
    }
    cells[field] = values.takeFirst();
    for (const QString& value : values) {
        extra(title(field), value);
    }
}

QStringList TVCardContactBuilder::Finish() {
    // Room for the identity too, which may follow the fields.
    QStringList cells;
    cells.reserve(ColumnCount + 1);
    cells.resize(ColumnCount);
    fillOrganisation(cells);
    fillNames(cells);
    fillAddress(cells, HomeAddressSlot, Home_Address);
    fillAddress(cells, WorkAddressSlot, Work_Address);
    for (int field = 0; field < ColumnCount; ++field) {
        fillField(cells, field);
    }
    QStringList notes = notes_;
    notes << extras_;
    cells[Notes] = notes.join(u'\n');
    for (QList<Candidate>& slot : slots_) {
        slot.clear();
    }
    name_.clear();
    formattedName_.clear();
    notes_.clear();
    extras_.clear();
    order_ = 0;
    if (!identity_.isEmpty()) {
        cells << identity_;
        identity_.clear();
    }
    return cells;
}
