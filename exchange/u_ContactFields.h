#pragma once

// What the exchange knows about the kinds of the 32 contact fields beyond
// their names and titles.
namespace ContactFields {

// The card's multi-line fields: the addresses, phones, faxes, ICQ numbers,
// hobbies and the notes. Several values meant for one of them are kept one
// per line.
bool IsMultiLine(int field);

// The multi-line fields whose every line is a value of its own: phones,
// faxes, ICQ numbers and hobbies (an address's lines make one address).
bool IsList(int field);

}  // namespace ContactFields
