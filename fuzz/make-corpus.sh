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
