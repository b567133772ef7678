#!/usr/bin/env bash
# The quib tool as a user runs it: exit codes, messages and output lines.
set -uo pipefail
quib=${QUIB:?QUIB must name the quib tool}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# expect NAME WANTED-EXIT WANTED-STDOUT COMMAND...
expect() {
    local name=$1 code=$2 want=$3
    shift 3
    local got status
    got=$("$@" 2>"$work/stderr")
    status=$?
    [ "$status" = "$code" ] || fail "$name: exit $status, wanted $code"
    [ "$got" = "$want" ] || fail "$name: printed [$got], wanted [$want]"
}

# The database file's primitives.
int() { printf "\\x01\\x$(printf %02x "$1")"; }
text() { int ${#1}; printf '%s\0' "$1"; }
start() { printf 'Quib'; text 0.1; text "$1"; int "$2"; int "$3"; int "$4"; }

expect "check missing" 1 "0x800A004B Error when opening database file to read." \
    "$quib" check "$work/missing.tbr"

: >"$work/empty.tbr"
expect "check empty" 1 "0x800A004B Unexpected end of file. The database file is corrupted." \
    "$quib" check "$work/empty.tbr"

{ printf 'quib'; text 0.1; text 0.1; int 0; int 0; int 0; } >"$work/signature.tbr"
expect "check signature" 1 \
    "0x800A2775 File has bad format. File hasn't Orvane Datababase file format." \
    "$quib" check "$work/signature.tbr"

start 0.3 0 0 0 >"$work/newer.tbr"
expect "check newer" 1 \
    "0x800A2776 File is newer than this program supports. File require newer database system." \
    "$quib" check "$work/newer.tbr"

{ start 0.1 0 3 1; int 1; text a; int 1; text b; } >"$work/cut.tbr"
expect "check cut" 1 "0x800A004B Unexpected end of file. The database file is corrupted." \
    "$quib" check "$work/cut.tbr"

expect "create" 0 "" "$quib" create "$work/new.tbr"
[ "$(stat -c %s "$work/new.tbr")" = 22 ] || fail "create: not 22 bytes"
cmp -s "$work/new.tbr" <(printf 'Quib'; text 0.2; text 0.2; int 0; int 0; int 0) ||
    fail "create: not the 0.2 empty file: $(od -An -tx1 "$work/new.tbr")"
expect "create cp1250" 0 "" "$quib" create "$work/old-kind.tbr" --cp1250
cmp -s "$work/old-kind.tbr" <(start 0.1 0 0 0) || fail "create --cp1250: not the 0.1 empty file"
expect "create bad option" 2 "" "$quib" create "$work/x.tbr" --latin2
expect "info created" 0 "$(printf 'File: %s\nEncoding: UTF-8 (file version 0.2)\nColumns: 0\nRows: 0\nHeader records: 0' "$work/new.tbr")" \
    "$quib" info "$work/new.tbr"
expect "check created" 0 "OK: 0 rows, 0 columns, 0 header records" "$quib" check "$work/new.tbr"
expect "dump created" 0 "" "$quib" dump "$work/new.tbr"
expect "create below a file" 1 "" "$quib" create "$work/new.tbr/x.tbr"
grep -q "0x800A004B Error when opening database file to write." "$work/stderr" ||
    fail "create below a file: stderr [$(cat "$work/stderr")]"

# One header with a tab in a text, two rows with escapes and Windows-1250.
{
    start 0.1 1 2 2
    int 9; int 2; text ver; text 1.0; printf '\x01\x03a\tb\0'
    int 5; printf '\x01\x03x\ny\0'; printf '\x01\x02\\\r\0'
    int 5; printf '\x01\x05\xC8ern\xFD\0'; text ""
} >"$work/data.tbr"
expect "dump data" 0 "$(printf 'H\tver\t1.0\ta\\tb\nR\tx\\ny\t\\\\\\r\nR\tČerný\t')" \
    "$quib" dump "$work/data.tbr"
expect "info data" 0 "$(printf 'File: %s\nEncoding: Windows-1250 (file version 0.1)\nColumns: 2\nRows: 2\nHeader records: 1\nHeader 0: ver (2 texts)\n  0: 1.0\n  1: a\\tb' "$work/data.tbr")" \
    "$quib" info "$work/data.tbr"
expect "dump missing" 1 "" "$quib" dump "$work/missing.tbr"
grep -q "0x800A004B" "$work/stderr" || fail "dump missing: no code on stderr"

# Filters and sorts.
{
    start 0.1 0 4 2
    int 5; text Novák | iconv -f UTF-8 -t CP1250; text Brno
    int 8; text Černý | iconv -f UTF-8 -t CP1250; text Praha
    int 9; text novák | iconv -f UTF-8 -t CP1250; text Olomouc
    int 10; text Adam; text Ostrava
} >"$work/people.tbr"
expect "dump filter contain" 0 "$(printf 'R\tNovák\tBrno\nR\tnovák\tOlomouc')" \
    "$quib" dump "$work/people.tbr" --filter 0:contain:false:NOV
expect "dump filter case-sensitive" 0 "$(printf 'R\tNovák\tBrno')" \
    "$quib" dump "$work/people.tbr" --filter 0:contain:true:Nov
expect "dump two filters" 0 "$(printf 'R\tnovák\tOlomouc')" \
    "$quib" dump "$work/people.tbr" --filter 0:is:false:novák --filter 1:doesnotcontain:true:no
expect "dump filter text with colon" 0 "" \
    "$quib" dump "$work/people.tbr" --filter 0:is:true:a:b
expect "dump bad filter" 2 "" "$quib" dump "$work/people.tbr" --filter 0:is

expect "sort to out" 0 "" "$quib" sort "$work/people.tbr" -o "$work/sorted.tbr" 0:asc 1:desc
expect "sorted" 0 "$(printf 'R\tAdam\tOstrava\nR\tČerný\tPraha\nR\tnovák\tOlomouc\nR\tNovák\tBrno')" \
    env LC_ALL=cs_CZ.UTF-8 "$quib" dump "$work/sorted.tbr"
expect "sort in place" 0 "" "$quib" sort "$work/people.tbr" 1:DESC
expect "sorted in place" 0 "$(printf 'R\tČerný\tPraha\nR\tAdam\tOstrava\nR\tnovák\tOlomouc\nR\tNovák\tBrno')" \
    "$quib" dump "$work/people.tbr"
expect "sort without records" 2 "" "$quib" sort "$work/people.tbr"

# Malformed sort records exit 2 and leave the file as it was.
cp "$work/people.tbr" "$work/people-before.tbr"
for record in abc:asc :asc " 1:desc" 0:up 0: 99:asc 2:asc -1:asc 0x1:asc "0:asc " 0:ascending \
    1:de; do
    expect "sort record [$record]" 2 "" "$quib" sort "$work/people.tbr" "$record"
    cmp -s "$work/people.tbr" "$work/people-before.tbr" || fail "sort [$record] changed the file"
done
expect "sort mixed case orders" 0 "" "$quib" sort "$work/people.tbr" -o "$work/mixed.tbr" 1:DeSc 0:aSC
expect "sort decimal column with zeros" 0 "" "$quib" sort "$work/people.tbr" -o "$work/zeros.tbr" 01:desc

# Both encodings: a Unicode file dumps every character; converting to UTF-8
# and back gives the old file byte for byte; a text without a Windows-1250
# form stops the conversion before anything is written.
u8() { int "$(printf '%s' "$1" | wc -c)"; printf '%s\0' "$1"; }
{
    printf 'Quib'; text 0.2; text 0.2; int 1; int 3; int 2
    int 15; int 1; text ProgramName; u8 "Kontakty"
    int 21; u8 "Søren Kierkegaard"; u8 "Ærø"
    int 31; u8 "Ελένη Παπαδοπούλου"; u8 "Иван"
    int 20; u8 "王小明"; u8 "👩‍💻 Dvořák"
} >"$work/unicode.tbr"
expect "info unicode" 0 "$(printf 'File: %s\nEncoding: UTF-8 (file version 0.2)\nColumns: 2\nRows: 3\nHeader records: 1\nHeader 0: ProgramName (1 text)\n  0: Kontakty' "$work/unicode.tbr")" \
    "$quib" info "$work/unicode.tbr"
expect "dump unicode" 0 "$(printf 'H\tProgramName\tKontakty\nR\tSøren Kierkegaard\tÆrø\nR\tΕλένη Παπαδοπούλου\tИван\nR\t王小明\t👩‍💻 Dvořák')" \
    "$quib" dump "$work/unicode.tbr"
expect "check unicode" 0 "OK: 3 rows, 2 columns, 1 header records" "$quib" check "$work/unicode.tbr"
cp "$work/unicode.tbr" "$work/unicode-before.tbr"
expect "convert unicode to cp1250" 1 "" "$quib" convert "$work/unicode.tbr" --to cp1250
grep -q 'row 0, column 0 (counting from 0) holds "ø" (U+00F8), which Windows-1250 cannot store' \
    "$work/stderr" || fail "convert refused: stderr [$(cat "$work/stderr")]"
cmp -s "$work/unicode.tbr" "$work/unicode-before.tbr" || fail "a refused conversion changed the file"
[ -z "$(ls -A "$work" | grep -e '\.tmp-' -e '\.lock$')" ] || fail "files left: $(ls -A "$work")"
expect "sort unicode" 0 "" "$quib" sort "$work/unicode.tbr" -o "$work/unicode-sorted.tbr" 1:desc
expect "sorted unicode" 0 "$(printf 'H\tProgramName\tKontakty\nR\tΕλένη Παπαδοπούλου\tИван\nR\tSøren Kierkegaard\tÆrø\nR\t王小明\t👩‍💻 Dvořák')" \
    env LC_ALL=C.UTF-8 "$quib" dump "$work/unicode-sorted.tbr"
# A Windows-1250 file as the engine writes it (stored lengths right).
cp1250() { printf '%s' "$1" | iconv -f UTF-8 -t CP1250; }
{
    start 0.1 1 2 2
    int 12; int 2; text ver; text 1.0; printf '\x01\x05a\tb\\\r\0'
    int 8; printf '\x01\x03x\ny\0'; u8 "$(cp1250 Šťáva)"
    int 5; u8 "$(cp1250 Černý)"; text ""
} >"$work/czech.tbr"
cp "$work/czech.tbr" "$work/convert.tbr"
expect "convert to utf8" 0 "" "$quib" convert "$work/convert.tbr" --to utf8
expect "converted info" 0 "Encoding: UTF-8 (file version 0.2)" \
    bash -c "'$quib' info '$work/convert.tbr' | grep Encoding"
expect "converted dump" 0 "$("$quib" dump "$work/czech.tbr")" "$quib" dump "$work/convert.tbr"
[ "$(stat -c %s "$work/convert.tbr")" = $(($(stat -c %s "$work/czech.tbr") + 5)) ] ||
    fail "utf8 file: $(stat -c %s "$work/convert.tbr") bytes (5 more for Š ť á Č ý in UTF-8)"
expect "convert to utf8 again" 0 "$work/convert.tbr is UTF-8 (file version 0.2) already; nothing to convert." \
    "$quib" convert "$work/convert.tbr" --to utf8
expect "convert back to cp1250" 0 "" "$quib" convert "$work/convert.tbr" --to cp1250
cmp -s "$work/convert.tbr" "$work/czech.tbr" || fail "utf8 and back is not the old file byte for byte"
expect "convert without target" 2 "" "$quib" convert "$work/convert.tbr"
expect "convert bad target" 2 "" "$quib" convert "$work/convert.tbr" --to latin2
expect "convert missing" 1 "" "$quib" convert "$work/missing.tbr" --to utf8

# Invalid UTF-8 in a Unicode file is a damaged file; a file requiring a
# version newer than 0.2 is too new.
{ printf 'Quib'; text 0.2; text 0.2; int 0; int 1; int 1; int 2; printf '\x01\x02\xC3\x28\0'; } \
    >"$work/bad-utf8.tbr"
expect "check invalid utf8" 1 "0x800A004B Unexpected end of file. The database file is corrupted." \
    "$quib" check "$work/bad-utf8.tbr"
expect "dump invalid utf8" 1 "" "$quib" dump "$work/bad-utf8.tbr"
{ printf 'Quib'; text 0.1; text 0.1; int 0; int 1; int 1; int 2; printf '\x01\x02\xC3\x28\0'; } \
    >"$work/same-bytes-cp1250.tbr"
expect "same bytes in a 0.1 file" 0 "$(printf 'R\tĂ(')" "$quib" dump "$work/same-bytes-cp1250.tbr"

# A database another program holds is not written.
cp "$work/people.tbr" "$work/held.tbr"
for command in "sort $work/held.tbr 0:asc" "convert $work/held.tbr --to utf8" "create $work/held.tbr"; do
    # shellcheck disable=SC2086
    flock "$work/.held.tbr.lock" "$quib" $command >/dev/null 2>"$work/stderr"
    status=$?
    [ "$status" = 1 ] || fail "$command while locked: exit $status, wanted 1"
    grep -q "is in use by another program" "$work/stderr" || fail "$command while locked: [$(cat "$work/stderr")]"
    cmp -s "$work/held.tbr" "$work/people.tbr" || fail "$command changed a locked file"
done
expect "sort once unlocked" 0 "" "$quib" sort "$work/held.tbr" 0:asc
[ -e "$work/.held.tbr.lock" ] && fail "the lock file stayed"

# Special files are never replaced by a regular one.
mkfifo "$work/fifo.tbr"
ln -s fifo.tbr "$work/link-to-fifo.tbr"
for target in fifo.tbr link-to-fifo.tbr; do
    expect "create over $target" 1 "" "$quib" create "$work/$target"
    grep -q "0x800A004B Error when opening database file to write." "$work/stderr" ||
        fail "create over $target: stderr [$(cat "$work/stderr")]"
    expect "sort into $target" 1 "" "$quib" sort "$work/people.tbr" -o "$work/$target" 0:asc
done
[ -p "$work/fifo.tbr" ] && [ -L "$work/link-to-fifo.tbr" ] || fail "a special file was replaced"

# Output that cannot be written is an error, also when only the final flush fails.
if [ -w /dev/full ]; then
    for command in "dump $work/people.tbr" "info $work/people.tbr" "check $work/people.tbr" --help; do
        # shellcheck disable=SC2086
        "$quib" $command >/dev/full 2>"$work/stderr"
        status=$?
        [ "$status" = 1 ] || fail "$command > /dev/full: exit $status, wanted 1"
        grep -q "cannot write the output" "$work/stderr" || fail "$command > /dev/full: no message"
    done
fi

# Names that cannot be a database file leave no temporary file behind.
mkdir "$work/names"
expect "create empty name" 1 "" "$quib" create ""
expect "create folder name" 1 "" "$quib" create "$work/names/"
expect "create over a folder" 1 "" "$quib" create "$work/names"
[ -z "$(ls -A "$work/names")" ] || fail "temporary files left: $(ls -A "$work/names")"
ls -a . | grep -q '\.tmp-' && fail "temporary file left in the working folder"

# A file nobody may write is not replaced; a loop of links is refused.
"$quib" create "$work/names/locked.tbr"
cp "$work/people.tbr" "$work/names/locked.tbr"
chmod 444 "$work/names/locked.tbr"
expect "create over a protected file" 1 "" "$quib" create "$work/names/locked.tbr"
grep -q "0x800A004B Error when opening database file to write." "$work/stderr" ||
    fail "protected file: stderr [$(cat "$work/stderr")]"
cmp -s "$work/names/locked.tbr" "$work/people.tbr" || fail "protected file was changed"
expect "sort into a protected file" 1 "" "$quib" sort "$work/people.tbr" -o "$work/names/locked.tbr" 0:asc
cmp -s "$work/names/locked.tbr" "$work/people.tbr" || fail "protected file was changed by sort"
ln -s loop-b "$work/names/loop-a"
ln -s loop-a "$work/names/loop-b"
expect "create through a loop of links" 1 "" "$quib" create "$work/names/loop-a"
[ -L "$work/names/loop-a" ] && [ -L "$work/names/loop-b" ] || fail "a link of the loop was replaced"
[ "$(ls -A "$work/names" | sort | tr '\n' ' ')" = "locked.tbr loop-a loop-b " ] ||
    fail "files left: $(ls -A "$work/names")"

expect "help" 0 "$("$quib" --help)" "$quib" --help
"$quib" --help | grep -q "check FILE" || fail "help does not describe check"
expect "no command" 2 "" "$quib"
expect "unknown command" 2 "" "$quib" frobnicate x
expect "info extra argument" 2 "" "$quib" info a b

if [ "$failures" -ne 0 ]; then
    echo "$failures failure(s)" >&2
    exit 1
fi
echo "quib tool: all checks passed"
