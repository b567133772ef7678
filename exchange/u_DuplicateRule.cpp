#include "exchange/u_DuplicateRule.h"

#include "session/u_ContactSchema.h"

#include <QLocale>

#include <algorithm>
#include <numeric>
#include <vector>

using namespace ContactSchema;

namespace DuplicateRule {
namespace {

constexpr qsizetype kPhoneDigits = 9;

// Letters that carry their accent in their own shape, without a
// decomposition to take it from.
void appendPlain(QString& out, QChar c) {
    switch (c.unicode()) {
        case u'ł':
        case u'Ł':
            out += u'l';
            return;
        case u'đ':
        case u'Đ':
            out += u'd';
            return;
        case u'ø':
        case u'Ø':
            out += u'o';
            return;
        case u'ı':
            out += u'i';
            return;
        case u'ß':
            out += QStringLiteral("ss");
            return;
        default:
            out += c;
    }
}

void sortUnique(QStringList& list) {
    std::sort(list.begin(), list.end());
    list.erase(std::unique(list.begin(), list.end()), list.end());
}

QStringList words(const QString& folded) {
    QStringList list;
    QString word;
    for (const QChar c : folded) {
        if (c.isLetterOrNumber()) {
            word += c;
        } else if (!word.isEmpty()) {
            list << word;
            word.clear();
        }
    }
    if (!word.isEmpty()) {
        list << word;
    }
    return list;
}

bool isEmailSeparator(QChar c) {
    return c.isSpace() || c == u',' || c == u';';
}

// The addresses a field holds: a user may put several in one, and a
// program may write one as "Name <address>" or "mailto:address".
void addEmails(QStringList& out, const QString& field) {
    QString token;
    const auto finish = [&] {
        token.remove(u'<').remove(u'>').remove(u'"');
        if (token.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive)) {
            token.remove(0, 7);
        }
        if (token.contains(u'@')) {
            out << token.toCaseFolded();
        }
        token.clear();
    };
    for (const QChar c : field) {
        if (isEmailSeparator(c)) {
            finish();
        } else {
            token += c;
        }
    }
    finish();
}

void addPhones(QStringList& out, const QString& field) {
    for (const QStringView number : QStringView(field).tokenize(u'\n')) {
        for (const QStringView part : number.tokenize(u',')) {
            for (const QStringView piece : part.tokenize(u';')) {
                const QString key = PhoneKey(piece);
                if (!key.isEmpty()) {
                    out << key;
                }
            }
        }
    }
}

bool shareOne(const QStringList& a, const QStringList& b) {
    // Both are sorted.
    auto i = a.cbegin();
    auto j = b.cbegin();
    while (i != a.cend() && j != b.cend()) {
        if (*i == *j) {
            return true;
        }
        if (*i < *j) {
            ++i;
        } else {
            ++j;
        }
    }
    return false;
}

}  // namespace

QString FoldText(QStringView text) {
    const QString decomposed = text.toString().normalized(QString::NormalizationForm_D);
    QString plain;
    plain.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.category() != QChar::Mark_NonSpacing) {
            appendPlain(plain, c);
        }
    }
    return QLocale().toLower(plain);
}

QString PhoneKey(QStringView number) {
    QString digits;
    for (const QChar c : number) {
        const int value = c.digitValue();
        if (value >= 0) {
            digits += QChar(u'0' + value);
        }
    }
    return digits.right(kPhoneDigits);
}

TKeys Keys(const QStringList& contact) {
    TKeys keys;
    QStringList nameWords =
        words(FoldText(contact.value(SurName) + u' ' + contact.value(FirstName)));
    std::sort(nameWords.begin(), nameWords.end());
    keys.name = nameWords.join(u' ');
    addEmails(keys.emails, contact.value(Home_Email));
    addEmails(keys.emails, contact.value(Work_Email));
    sortUnique(keys.emails);
    addPhones(keys.phones, contact.value(Home_Tel));
    addPhones(keys.phones, contact.value(Work_Tel));
    sortUnique(keys.phones);
    return keys;
}

bool IsSamePerson(const TKeys& a, const TKeys& b) {
    if (!a.emails.isEmpty() && a.emails == b.emails) {
        return true;
    }
    return !a.name.isEmpty() && a.name == b.name &&
           (shareOne(a.emails, b.emails) || shareOne(a.phones, b.phones));
}

bool IsSamePerson(const QStringList& a, const QStringList& b) {
    return IsSamePerson(Keys(a), Keys(b));
}

}  // namespace DuplicateRule

namespace {

// The index keys of a contact: contacts that share one are the same person.
QStringList bucketKeys(const DuplicateRule::TKeys& keys) {
    QStringList list;
    constexpr QChar kSeparator = u'\x1f';
    if (!keys.name.isEmpty()) {
        for (const QString& email : keys.emails) {
            list << QStringLiteral("n") + kSeparator + keys.name + kSeparator + email;
        }
        for (const QString& phone : keys.phones) {
            list << QStringLiteral("p") + kSeparator + keys.name + kSeparator + phone;
        }
    }
    if (!keys.emails.isEmpty()) {
        list << QStringLiteral("e") + kSeparator + keys.emails.join(kSeparator);
    }
    return list;
}

// Sets of contacts joined as they are found to be one person.
class TDisjointSets {
  public:
    explicit TDisjointSets(qsizetype count) : parent_(static_cast<std::size_t>(count)) {
        std::iota(parent_.begin(), parent_.end(), 0);
    }
    int Root(int i) {
        while (parent_[i] != i) {
            parent_[i] = parent_[parent_[i]];
            i = parent_[i];
        }
        return i;
    }
    // The smaller root stays, so that a group is known by its first contact.
    void Join(int a, int b) {
        a = Root(a);
        b = Root(b);
        if (a != b) {
            parent_[std::max(a, b)] = std::min(a, b);
        }
    }

  private:
    std::vector<int> parent_;
};

}  // namespace

void TDuplicateIndex::Add(int id, const QStringList& contact) {
    Add(id, DuplicateRule::Keys(contact));
}

void TDuplicateIndex::Add(int id, const DuplicateRule::TKeys& keys) {
    for (const QString& key : bucketKeys(keys)) {
        buckets_[key] << id;
    }
}

QList<int> TDuplicateIndex::Find(const QStringList& contact) const {
    return Find(DuplicateRule::Keys(contact));
}

QList<int> TDuplicateIndex::Find(const DuplicateRule::TKeys& keys) const {
    QList<int> ids;
    for (const QString& key : bucketKeys(keys)) {
        const auto it = buckets_.constFind(key);
        if (it != buckets_.constEnd()) {
            ids << *it;
        }
    }
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    return ids;
}

QList<QList<int>> FindDuplicateGroups(const QList<QStringList>& contacts) {
    TDisjointSets sets(contacts.size());
    // The contacts under one key are all one person: joining each to the
    // first under it is enough.
    QHash<QString, int> firstUnder;
    for (qsizetype i = 0; i < contacts.size(); ++i) {
        const int id = static_cast<int>(i);
        for (const QString& key : bucketKeys(DuplicateRule::Keys(contacts[i]))) {
            const auto it = firstUnder.constFind(key);
            if (it == firstUnder.constEnd()) {
                firstUnder.insert(key, id);
            } else {
                sets.Join(*it, id);
            }
        }
    }
    QHash<int, qsizetype> groupOfRoot;
    QList<QList<int>> groups;
    for (qsizetype i = 0; i < contacts.size(); ++i) {
        const int id = static_cast<int>(i);
        const int root = sets.Root(id);
        if (root == id && !groupOfRoot.contains(root)) {
            groupOfRoot.insert(root, groups.size());
            groups.append(QList<int>{id});
        } else {
            groups[groupOfRoot.value(root)] << id;
        }
    }
    groups.removeIf([](const QList<int>& group) { return group.size() < 2; });
    return groups;
}
