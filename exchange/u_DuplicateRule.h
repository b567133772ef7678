#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <vector>

// When two contacts are the same person. Their names are equal once letter
// case and accents are folded and the order of the words is set aside (so
// surname and first name may stand either way round), and they share an
// e-mail address or a phone number; or their e-mail addresses are the same.
// Phone numbers compare by their digits, the last nine of them, so that
// "+420 777 123 456" and "777123456" are one number; e-mail addresses compare
// without letter case. Faxes do not count: colleagues share them.
//
// A contact is its 32 cells in program column order.
namespace DuplicateRule {

// What of a contact the rule looks at, each folded for comparing.
struct TKeys {
    QString name;        // the words of surname and first name, sorted; "" without a name
    QStringList emails;  // the e-mail addresses, sorted, each once
    QStringList phones;  // the last nine digits of each phone number, sorted, each once
};
TKeys Keys(const QStringList& contact);

bool IsSamePerson(const TKeys& a, const TKeys& b);
bool IsSamePerson(const QStringList& a, const QStringList& b);

// Letter case and accents folded ("Dvořák" and "DVORAK" fold alike): each
// character becomes its base letter in lower case, combining marks are
// dropped.
QString FoldText(QStringView text);

// A phone number as the rule compares it: its last nine digits.
QString PhoneKey(QStringView number);

}  // namespace DuplicateRule

// The keys of many contacts, so that each further contact is compared with
// all of them at once: the cost of a look-up does not grow with their number.
class TDuplicateIndex {
  public:
    TDuplicateIndex() = default;
    // The contacts at once, each under its position: quicker than adding
    // them one by one.
    explicit TDuplicateIndex(const QList<QStringList>& contacts);

    // Adds a contact under id (a database row, a position in an import).
    void Add(int id, const QStringList& contact);
    void Add(int id, DuplicateRule::TKeys keys);
    // The ids of the contacts added that are the same person, ascending.
    QList<int> Find(const QStringList& contact) const;
    QList<int> Find(const DuplicateRule::TKeys& keys) const;

  private:
    struct TEntry {
        int id;
        DuplicateRule::TKeys keys;
    };
    std::vector<TEntry> entries_;
    // The hash of each key a contact is filed under and its entry: those
    // given at once sorted, those added later in a hash.
    std::vector<std::pair<size_t, qsizetype>> sorted_;
    QMultiHash<size_t, qsizetype> byKey_;
};

// The groups of likely duplicates among contacts: the contacts that are the
// same person, directly or through others of the group. A group lists its
// indexes ascending; groups come in the order of their first contact; a
// contact without a duplicate is in no group.
QList<QList<int>> FindDuplicateGroups(const QList<QStringList>& contacts);
