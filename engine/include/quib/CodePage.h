#pragma once

// The single-byte code page the engine keeps its texts and files in
// (Windows-1250, Central European), for hosts that read or write such bytes
// themselves. The five bytes Windows-1250 leaves unassigned map to the C1
// control characters of the same value, so every byte survives a round trip.
namespace quib {

// The Unicode code point of one Windows-1250 byte.
char32_t Cp1250ToUnicode(unsigned char byte);

// The Windows-1250 byte of a code point, or '?' when it has none.
char UnicodeToCp1250(char32_t cp);

}  // namespace quib
