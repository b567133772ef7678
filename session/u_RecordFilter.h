#pragma once

#include <QString>
#include <QVector>

#include <string>
#include <string_view>
#include <vector>

class TQuibReader;
struct TRecordChange;

// The find-as-you-type filter of the card and the table: the records that
// hold every word of a text, each word in one of their fields, with letter
// case and accents folded (support/u_LetterFolding.h), so that "dvorak"
// finds "Dvořák". The fields of each record are folded once into a text of
// the record's own, which follows the changes of the database; a keystroke
// then only searches folded texts, and typing on searches only the records
// shown already.
//
// A record a change touches after the text was set stays shown, and new
// records are shown, so that an edit never makes a record vanish under the
// user; a new text asks every record again.
class TRecordFilter {
  public:
    // columns: the database columns the words are looked for in.
    explicit TRecordFilter(QVector<int> columns);

    // The text to look for; blank (or only spaces) sets the filter off.
    void SetText(const QString& text, const TQuibReader& quib);
    const QString& Text() const { return text_; }
    bool IsActive() const { return !words_.empty(); }
    // The records shown while active, ascending.
    const QVector<int>& Records() const { return shown_; }

    // Folds every record now, so that the first keystroke finds them folded
    // (the one part of a search that grows with the texts of the database).
    void Prepare(const TQuibReader& quib);
    // The folded texts and the records shown follow a change of the
    // database, announced after it was made (quib holds what it made).
    void FollowChange(const TRecordChange& change);

    // text folded as the records are, UTF-8 in and out (public for tests).
    static void AppendFolded(std::string_view text, std::string& out);

  private:
    void refreshStale(const TQuibReader& quib);
    std::string foldedRecord(const TQuibReader& quib, int record) const;
    bool matches(int record) const;
    bool narrows(const std::vector<std::string>& words) const;

    QVector<int> columns_;
    // By record: its fields folded and joined by a separator no word holds;
    // a record is stale when a change touched it and it is not folded again
    // yet (a change is announced after the records it made, so the texts are
    // read at the next search, when no later change can move them).
    std::vector<std::string> folded_;
    std::vector<char> stale_;
    bool built_ = false;

    QString text_;
    std::vector<std::string> words_;  // folded, UTF-8
    QVector<int> shown_;
    bool changedSinceSearch_ = false;
};
