#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <vector>

// The ready mappings of comma-separated files by their header line: for this
// program's own columns and for the exports of the common address books and
// mail programs, the headings each writes and the contact field each heading
// fills. This is the one table of them.
namespace CsvSourceMappings {

// A heading of a source's header line and the field it fills.
struct THeading {
    QString text;          // as the source writes it; "#" stands for each of 1 to 9
    int field;             // the program field
    int alternative = -1;  // the field it fills when an earlier heading took field
};

// A program or format whose CSV header lines are known.
struct TSource {
    QString name;  // English; shown translated in the context "CsvSourceMappings"
    std::vector<THeading> headings;
};

// This program's own columns: their names, and their short and full titles
// in English, in Czech and in the current language. A short title that two
// fields share (such as "Phone") fills the home field first, then the work
// one.
TSource ProgramSource();
// The exports of other programs, in the order they are tried.
const std::vector<TSource>& OtherSources();

// How the headings of a header line meet the contact fields.
struct TMatch {
    QList<int> fields;      // per heading: the program field it fills, -1 for none
    QStringList unmatched;  // the non-empty headings that fill nothing, in file order
    QString source;         // the translated name of the source that knew most headings
    int matched = 0;        // how many headings fill a field
};

// Matches each heading against the sources, ignoring letter case and white
// space. A heading that several sources know means what it means in the one
// that knows most of the headings. A field is filled by one heading; another
// heading for it takes its alternative, or, when the field is multi-line
// (phones, faxes, addresses, notes), joins it (the values are kept one per
// line), or else fills nothing.
TMatch MatchHeadings(const QStringList& headings);

// The key headings compare by: letter case folded, white space dropped.
QString HeadingKey(QStringView heading);

}  // namespace CsvSourceMappings
