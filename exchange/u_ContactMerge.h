#pragma once

#include <QList>
#include <QStringList>

// Joining the records of one person. A contact is its 32 cells in program
// column order. Neither function loses a value: what has no place of its own
// goes to the notes as a line "Title: value" under the field's full title.
//
// A phone, fax or e-mail value counts as held when the kept contact has it
// in either of its two fields of that kind (home or work); phone and fax
// numbers compare by their last nine digits, e-mail addresses without
// letter case.
namespace ContactMerge {

// The kept contact with the others merged in, in order: a field empty in
// the kept one takes the other's value; the lines of a list field (phones,
// faxes, ICQ numbers, hobbies) and of the notes that it does not hold yet are
// added to it as further lines; any other value that differs is added to the
// notes.
QStringList Merge(const QStringList& kept, const QList<QStringList>& others);

// An existing contact updated from an imported one of the same person: the
// fields empty in the existing one are filled; the phone and fax numbers it
// does not hold are added as further lines, the e-mail addresses it does not
// hold go to the notes; its other values stay as they are.
QStringList Update(const QStringList& existing, const QStringList& imported);

}  // namespace ContactMerge
