#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

// The cards of an address book as contacts: the 32 cells come from a card
// and go into one exactly as the vCard import and export map them; the
// card's UID is the contact's. A card from the server keeps what the program
// has no column for (photos, birthdays, groups, ...) when a contact is
// written back into it.
namespace SyncCard {

// The 32 cells of card in program column order. Raises ESyncError when card
// is not one well-formed vCard.
QStringList Cells(QByteArrayView card);

// The value of the card's UID property, as written; empty when it has none.
QString Uid(QByteArrayView card);

// A new vCard 3.0 of cells carrying uid.
QByteArray NewCard(const QStringList& cells, const QString& uid);

// serverCard with the contact cells written into it: every property the
// program maps is rewritten where its cells differ from the server card's
// and kept as the server wrote it where they are the same; every other
// property stays as it was, the UID becomes uid. Reading the result gives
// cells back (SameContact). Raises ESyncError when serverCard is not one
// well-formed vCard.
QByteArray MergedCard(QByteArrayView serverCard, const QStringList& cells, const QString& uid);

// cells as a card gives them back: line breaks as LF, and no empty lines in
// the phone, fax and ICQ fields.
QStringList Normalized(const QStringList& cells);

// Whether two contacts would make the same card.
bool SameContact(const QStringList& a, const QStringList& b);

}  // namespace SyncCard
