#pragma once

#include "exchange/u_VCardProperty.h"
#include "session/u_ContactSchema.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

// Gathers the properties of one vCard into the 32 cells of a contact. Several
// values for one field are ordered by preference; a multi-line field takes
// them all, one per line, any other field the first, and the rest are added
// to the notes under the field's title so that nothing is lost.
class TVCardContactBuilder {
  public:
    TVCardContactBuilder();

    // Takes one property of the card with its value decoded to text (still
    // escaped). Properties the program has no field for are passed over.
    void Add(const TVCardProperty& property, const QString& value);
    // The cells in program column order, and the card's UID as a 33rd cell
    // when it has one; the builder is empty again.
    QStringList Finish();

  private:
    struct Candidate {
        int rank;
        int order;
        QStringList parts;  // one entry, or the components of ADR and ORG
    };
    enum Slot {
        HomeAddressSlot = ContactSchema::ColumnCount,
        WorkAddressSlot,
        OrganisationSlot,
        SlotCount
    };

    void add(int slot, const TVCardProperty& property, QStringList parts);
    void addTel(const TVCardProperty& property, const QString& value);
    void addImpp(const TVCardProperty& property, const QString& value);
    void fillNames(QStringList& cells);
    void fillAddress(QStringList& cells, Slot slot, int street);
    void fillOrganisation(QStringList& cells);
    void fillField(QStringList& cells, int field);
    void extra(const QString& title, const QString& value);
    static QList<Candidate> sorted(QList<Candidate> candidates);

    std::array<QList<Candidate>, SlotCount> slots_;
    QStringList name_;
    QString formattedName_;
    QStringList notes_;
    QStringList extras_;
    QString identity_;
    int order_ = 0;
};
