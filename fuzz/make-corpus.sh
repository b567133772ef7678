#!/usr/bin/env bash
# Writes the small seed databases of fuzz/corpus/ (run from the repository
# root). The files are committed; this script documents how they were made.
set -euo pipefail
out=fuzz/corpus
mkdir -p "$out"

int() { printf "\\x01\\x$(printf %02x "$1")"; }
text() { int ${#1}; printf '%s\0' "$1"; }
start() { printf 'Quib'; text 0.1; text 0.1; int "$1"; int "$2"; int "$3"; }

start 0 0 0 >"$out/empty.tbr"

{ start 1 0 0; int 7; int 1; text ver; text 1.0; } >"$out/header.tbr"

{ start 2 3 2
  int 9; int 2; text DBColsName; text SurName; text Name
  int 1; int 0; text ""
  int 7; text Novak; text Jan
  int 8; text Cerny; text Petr
  int 0; text ""; text ""
} >"$out/contacts.tbr"

# Windows-1250 text, a header with many texts and a long integer.
{ printf 'Quib'; text 0.0.9; text 0.1; int 1; printf '\x04\x00\x00\x00\x01'; int 3
  int 12; int 10; text n; for i in 0 1 2 3 4 5 6 7 8 9; do text "$i"; done
  int 15; printf '\x01\x05\xC8ern\xFD\0'; printf '\x01\x05\x8Akoda\0'; text "a	b"
} >"$out/cp1250.tbr"

# UTF-8 files (version 0.2): names from everywhere, a character split over
# two cells (damaged), a lone continuation byte (damaged), a row whose texts
# take more than 64 KiB (32-bit text ends in memory).
u8() { int "$(printf '%s' "$1" | wc -c)"; printf '%s\0' "$1"; }
start2() { printf 'Quib'; text 0.2; text 0.2; int "$1"; int "$2"; int "$3"; }
{ start2 1 2 2
  int 27; int 1; text ProgramName; u8 "Orvane Kontakty Ωμέγα"
  int 21; u8 "Søren Kierkegaard"; u8 "Ærø"
  int 26; u8 "王小明 山田太郎"; u8 "👩‍💻 Иван"
} >"$out/unicode.tbr"
{ start2 0 1 2; int 2; printf '\x01\x01\xC3\0'; printf '\x01\x01\xA9\0'; } >"$out/utf8-split.tbr"
{ start2 0 1 1; int 3; printf '\x01\x03a\x80b\0'; } >"$out/utf8-lone-continuation.tbr"
{ start2 0 2 2
  printf '\x03\x01\x11\x71'; printf '\x03\x01\x11\x70'; head -c 70000 /dev/zero | tr '\0' 'w'
  printf '\0'; text "é"
  int 2; text "a"; text "b"
} >"$out/wide-row.tbr"
