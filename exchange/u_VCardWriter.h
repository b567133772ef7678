#pragma once

#include <QByteArray>
#include <QStringList>

#include <string_view>
#include <vector>

enum class TVCardVersion { V3_0, V4_0 };

// Writes one contact as a vCard: UTF-8, CR LF line ends, lines folded at 75
// octets, values escaped. The 32 cells are in program column order, and a
// 33rd, when given, is the contact's identity, written as UID; the table of
// properties is in the README.
class TVCardWriter {
  public:
    explicit TVCardWriter(TVCardVersion version) : version_(version) {}

    // Appends the card BEGIN:VCARD ... END:VCARD of cells to out.
    void AppendCard(QByteArray& out, const QStringList& cells) const;
    // The same from the cells' UTF-8 (views into the database), written
    // without a QString on the way; the same bytes for the same texts.
    using Utf8Cells = std::vector<std::string_view>;
    void AppendCard(QByteArray& out, const Utf8Cells& cells) const;

  private:
    TVCardVersion version_;
};
