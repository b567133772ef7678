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
expect "info data" 0 "$(printf 'File: %s\nColumns: 2\nRows: 2\nHeader records: 1\nHeader 0: ver (2 texts)\n  0: 1.0\n  1: a\\tb' "$work/data.tbr")" \
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
