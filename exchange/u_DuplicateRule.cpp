#include "exchange/u_DuplicateRule.h"

#include "session/u_ContactSchema.h"
#include "support/u_LetterFolding.h"

#include <QVarLengthArray>

#include <algorithm>
#include <numeric>
#include <vector>

using namespace ContactSchema;

namespace DuplicateRule {
namespace {

constexpr qsizetype kPhoneDigits = 9;

void sortUnique(QStringList& list) {
    std::sort(list.begin(), list.end());
    list.erase(std::unique(list.begin(), list.end()), list.end());
}

// Calls take for each non-empty run of text between separators.
template <typename Separator, typename Take>
void forEachPiece(QStringView text, Separator isSeparator, Take take) {
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i == text.size() || isSeparator(text[i])) {
            if (i > start) {
                take(text.sliced(start, i - start));
            }
            start = i + 1;
        }
    }
}

// The words of a folded name, sorted, joined by spaces.
QString sortedWords(QStringView folded) {
    QVarLengthArray<QStringView, 8> words;
    forEachPiece(
        folded, [](QChar c) { return !c.isLetterOrNumber(); },
        [&words](QStringView word) { words.append(word); });
    std::sort(words.begin(), words.end());
    QString joined;
    joined.reserve(folded.size());
    for (const QStringView word : words) {
        if (!joined.isEmpty()) {
            joined += u' ';
        }
        joined += word;
    }
    return joined;
}

// The addresses a field holds: a user may put several in one, and a
// program may write one as "Name <address>" or "mailto:address".
void addEmails(QStringList& out, QStringView field) {
    const auto isSeparator = [](QChar c) { return c.isSpace() || c == u',' || c == u';'; };
    forEachPiece(field, isSeparator, [&out](QStringView token) {
        const auto isWrapping = [](QChar c) { return c == u'<' || c == u'>' || c == u'"'; };
        while (!token.isEmpty() && isWrapping(token.front())) {
            token = token.sliced(1);
        }
        while (!token.isEmpty() && isWrapping(token.back())) {
            token.chop(1);
        }
        if (token.startsWith(u"mailto:", Qt::CaseInsensitive)) {
            token = token.sliced(7);
        }
        if (token.contains(u'@')) {
            out << token.toString().toCaseFolded();
        }
    });
}

void addPhones(QStringList& out, QStringView field) {
    const auto isSeparator = [](QChar c) { return c == u'\n' || c == u',' || c == u';'; };
    forEachPiece(field, isSeparator, [&out](QStringView number) {
        QString key = PhoneKey(number);
        if (!key.isEmpty()) {
            out << key;
        }
    });
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
    return LetterFolding::Fold(text);
}

QString PhoneKey(QStringView number) {
    QString digits;
    digits.reserve(number.size());
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
    keys.name = sortedWords(FoldText(contact.value(SurName) + u' ' + contact.value(FirstName)));
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

// Calls take with the hash of each key a contact is filed under. Contacts
// that share a key are the same person, and the same person shares one: the
// e-mail addresses all together, or the name with one address or number.
template <typename Take>
void forEachKeyHash(const DuplicateRule::TKeys& keys, Take take) {
    enum : size_t { NameAndEmail = 1, NameAndPhone, Emails };
    if (!keys.name.isEmpty()) {
        const size_t name = qHash(keys.name);
        for (const QString& email : keys.emails) {
            take(qHashMulti(NameAndEmail, name, email));
        }
        for (const QString& phone : keys.phones) {
            take(qHashMulti(NameAndPhone, name, phone));
        }
    }
    if (!keys.emails.isEmpty()) {
        take(qHashRange(keys.emails.cbegin(), keys.emails.cend(), size_t(Emails)));
    }
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

TDuplicateIndex::TDuplicateIndex(const QList<QStringList>& contacts) {
    entries_.reserve(static_cast<std::size_t>(contacts.size()));
    for (qsizetype i = 0; i < contacts.size(); ++i) {
        entries_.push_back({static_cast<int>(i), DuplicateRule::Keys(contacts[i])});
        forEachKeyHash(entries_.back().keys, [&](size_t hash) { sorted_.push_back({hash, i}); });
    }
    std::sort(sorted_.begin(), sorted_.end());
}

void TDuplicateIndex::Add(int id, const QStringList& contact) {
    Add(id, DuplicateRule::Keys(contact));
}

void TDuplicateIndex::Add(int id, DuplicateRule::TKeys keys) {
    const qsizetype entry = static_cast<qsizetype>(entries_.size());
    forEachKeyHash(keys, [&](size_t hash) { byKey_.insert(hash, entry); });
    entries_.push_back({id, std::move(keys)});
}

QList<int> TDuplicateIndex::Find(const QStringList& contact) const {
    return Find(DuplicateRule::Keys(contact));
}

QList<int> TDuplicateIndex::Find(const DuplicateRule::TKeys& keys) const {
    QList<int> ids;
    // A hash only points at candidates; the rule decides.
    const auto consider = [&](qsizetype candidate) {
        const TEntry& entry = entries_[static_cast<std::size_t>(candidate)];
        if (DuplicateRule::IsSamePerson(entry.keys, keys)) {
            ids << entry.id;
        }
    };
    forEachKeyHash(keys, [&](size_t hash) {
        const std::pair<size_t, qsizetype> first{hash, 0};
        for (auto it = std::lower_bound(sorted_.cbegin(), sorted_.cend(), first);
             it != sorted_.cend() && it->first == hash; ++it) {
            consider(it->second);
        }
        for (auto [it, end] = byKey_.equal_range(hash); it != end; ++it) {
            consider(*it);
        }
    });
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    return ids;
}

QList<QList<int>> FindDuplicateGroups(const QList<QStringList>& contacts) {
    std::vector<DuplicateRule::TKeys> keys;
    keys.reserve(static_cast<std::size_t>(contacts.size()));
    struct TFiled {
        size_t hash;
        int contact;
        bool operator<(const TFiled& other) const {
            return hash != other.hash ? hash < other.hash : contact < other.contact;
        }
    };
    std::vector<TFiled> filed;
    for (qsizetype i = 0; i < contacts.size(); ++i) {
        keys.push_back(DuplicateRule::Keys(contacts[i]));
        forEachKeyHash(keys.back(), [&](size_t hash) {
            filed.push_back({hash, static_cast<int>(i)});
        });
    }
    // Contacts filed under one hash are joined when the rule says so; almost
    // always they share the key itself, and each matches the first of them.
    std::sort(filed.begin(), filed.end());
    TDisjointSets sets(contacts.size());
    for (std::size_t run = 0; run < filed.size();) {
        std::size_t end = run + 1;
        while (end < filed.size() && filed[end].hash == filed[run].hash) {
            ++end;
        }
        for (std::size_t j = run + 1; j < end; ++j) {
            const DuplicateRule::TKeys& probe = keys[static_cast<std::size_t>(filed[j].contact)];
            for (std::size_t k = run; k < j; ++k) {
                if (DuplicateRule::IsSamePerson(keys[static_cast<std::size_t>(filed[k].contact)],
                                                probe)) {
                    sets.Join(filed[k].contact, filed[j].contact);
                    break;
                }
            }
        }
        run = end;
    }
    QList<QList<int>> groups;
    QHash<int, qsizetype> groupOfRoot;
    for (qsizetype i = 0; i < contacts.size(); ++i) {
        const int id = static_cast<int>(i);
        const int root = sets.Root(id);
        if (root == id) {
            continue;
        }
        auto it = groupOfRoot.find(root);
        if (it == groupOfRoot.end()) {
            it = groupOfRoot.insert(root, groups.size());
            groups.append(QList<int>{root});
        }
        groups[*it] << id;
    }
    return groups;
}
