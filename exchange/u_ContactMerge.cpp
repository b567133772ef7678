#include "exchange/u_ContactMerge.h"

#include "exchange/u_ContactFields.h"
#include "exchange/u_DuplicateRule.h"
#include "session/u_ContactSchema.h"

#include <array>

using namespace ContactSchema;

namespace ContactMerge {
namespace {

enum class TKind { Other, Phone, Fax, Email };

TKind kindOf(int field) {
    switch (field) {
        case Home_Tel:
        case Work_Tel:
            return TKind::Phone;
        case Home_Fax:
        case Work_Fax:
            return TKind::Fax;
        case Home_Email:
        case Work_Email:
            return TKind::Email;
        default:
            return TKind::Other;
    }
}

// The home and work fields of a kind, or the field alone.
QList<int> fieldsLike(int field) {
    switch (kindOf(field)) {
        case TKind::Phone:
            return {Home_Tel, Work_Tel};
        case TKind::Fax:
            return {Home_Fax, Work_Fax};
        case TKind::Email:
            return {Home_Email, Work_Email};
        case TKind::Other:
            break;
    }
    return {field};
}

// What a line of a field compares by.
QString lineKey(int field, const QString& line) {
    const TKind kind = kindOf(field);
    if (kind == TKind::Phone || kind == TKind::Fax) {
        const QString digits = DuplicateRule::PhoneKey(line);
        if (!digits.isEmpty()) {
            return digits;
        }
    }
    if (kind == TKind::Email) {
        return line.trimmed().toCaseFolded();
    }
    return line.trimmed();
}

QStringList lines(const QString& value) {
    QStringList list;
    for (const QStringView line : QStringView(value).tokenize(u'\n')) {
        if (!line.trimmed().isEmpty()) {
            list << line.toString();
        }
    }
    return list;
}

bool holds(const QStringList& contact, int field, const QString& line) {
    const QString key = lineKey(field, line);
    for (const int like : fieldsLike(field)) {
        for (const QString& held : lines(contact[like])) {
            if (lineKey(like, held) == key) {
                return true;
            }
        }
    }
    return false;
}

void addLine(QString& value, const QString& line) {
    value = value.isEmpty() ? line : value + u'\n' + line;
}

void addNote(QStringList& contact, const QString& line) {
    if (!lines(contact[Notes]).contains(line)) {
        addLine(contact[Notes], line);
    }
}

void addToNotes(QStringList& contact, int field, const QString& value) {
    QString flat = value.trimmed();
    flat.replace(u'\n', QStringLiteral(", "));
    addNote(contact, ColumnTitlesFull().value(field) + QStringLiteral(": ") + flat);
}

// Adds the lines of value that contact does not hold to its field.
void addMissingLines(QStringList& contact, int field, const QString& value) {
    for (const QString& line : lines(value)) {
        if (!holds(contact, field, line)) {
            addLine(contact[field], line);
        }
    }
}

bool isBlank(const QString& value) {
    return value.trimmed().isEmpty();
}

QStringList padded(QStringList contact) {
    contact.resize(ColumnCount);
    return contact;
}

// The other's notes come before the lines about its fields.
void mergeNotes(QStringList& kept, const QStringList& other) {
    if (isBlank(kept[Notes])) {
        kept[Notes] = other[Notes];
    } else {
        addMissingLines(kept, Notes, other[Notes]);
    }
}

void mergeOne(QStringList& kept, const QStringList& other) {
    mergeNotes(kept, other);
    for (int field = 0; field < ColumnCount; ++field) {
        const QString& value = other[field];
        if (field == Notes || isBlank(value)) {
            continue;
        }
        if (ContactFields::IsList(field)) {
            addMissingLines(kept, field, value);
        } else if (kindOf(field) == TKind::Email && holds(kept, field, value)) {
            continue;
        } else if (isBlank(kept[field])) {
            kept[field] = value;
        } else if (kept[field].trimmed() != value.trimmed()) {
            addToNotes(kept, field, value);
        }
    }
}

}  // namespace

QStringList Merge(const QStringList& kept, const QList<QStringList>& others) {
    QStringList merged = padded(kept);
    for (const QStringList& other : others) {
        mergeOne(merged, padded(other));
    }
    return merged;
}

QStringList Update(const QStringList& existing, const QStringList& imported) {
    QStringList updated = padded(existing);
    const QStringList other = padded(imported);
    if (isBlank(updated[Notes])) {
        updated[Notes] = other[Notes];
    }
    for (int field = 0; field < ColumnCount; ++field) {
        const QString& value = other[field];
        if (field == Notes || isBlank(value)) {
            continue;
        }
        const TKind kind = kindOf(field);
        if (kind == TKind::Phone || kind == TKind::Fax) {
            addMissingLines(updated, field, value);
        } else if (kind == TKind::Email) {
            if (holds(updated, field, value)) {
                continue;
            }
            if (isBlank(updated[field])) {
                updated[field] = value;
            } else {
                addToNotes(updated, field, value);
            }
        } else if (isBlank(updated[field])) {
            updated[field] = value;
        }
    }
    return updated;
}

}  // namespace ContactMerge
