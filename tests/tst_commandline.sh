#!/bin/sh
# SPDX-FileCopyrightText: 2026 Quadrelon developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The program as a command-line program: --help and --version answer and exit without
# a display, an unknown option or a bad value gets one line on standard error and
# status 2, and --worksheet --output writes the PDF with no window and no display,
# read back with pdftotext: the heading, the versions each from a new page, the key,
# the same text for the same seed and another text for another seed.
# Usage: tst_commandline.sh PROGRAM
# Exit status: 0 passed, 1 failed, 77 skipped because pdftotext is missing.
set -u

program=$1
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
command -v pdftotext >/dev/null 2>&1 || { echo "SKIP: pdftotext (package poppler-utils) is missing"; exit 77; }

scratch=$(mktemp -d "${TMPDIR:-/tmp}/tst_commandline.XXXXXX") || exit 1
trap 'rm -rf "$scratch"' EXIT
# No display and no platform asked for: what needs none must run as it is.
run() {
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM LC_ALL=C.UTF-8 XDG_RUNTIME_DIR="$scratch" \
        timeout 60 "$program" "$@" >"$scratch/out" 2>"$scratch/err"
    status=$?
}
# expect STATUS OUT_LINES ERR_LINES: what the last run gave.
expect() {
    [ "$status" -eq "$1" ] || fail "$what: status $status, expected $1"
    [ "$(wc -l <"$scratch/out")" -eq "$2" ] || fail "$what: $(wc -l <"$scratch/out") lines on standard output, expected $2"
    [ "$(wc -l <"$scratch/err")" -eq "$3" ] || fail "$what: $(wc -l <"$scratch/err") lines on standard error, expected $3"
}
first_line() { head -n 1 "$scratch/$1"; }

what="--help"
run --help
expect 0 "$(wc -l <"$scratch/out")" 0
[ "$(first_line out)" = "Употреба: quadrelon [опции]" ] || fail "--help begins: $(first_line out)"
grep -q -- "--worksheet" "$scratch/out" || fail "--help does not list --worksheet"

what="--version"
run --version
expect 0 1 0
[ "$(first_line out)" = "Quadrelon 1.00" ] || fail "--version printed: $(first_line out)"

# One row per kind of mistake: the arguments, then the line expected on standard error.
while IFS='|' read -r arguments message; do
    what=$arguments
    # shellcheck disable=SC2086 # the arguments are split on purpose
    run $arguments
    expect 2 0 1
    [ "$(first_line err)" = "$message" ] || fail "$what: said '$(first_line err)', expected '$message'"
done <<'ROWS'
--bogus|quadrelon: непозната опция „--bogus“ (вижте quadrelon --help)
--worksheet --seed|quadrelon: след „--seed“ липсва стойност (вижте quadrelon --help)
--worksheet --problems 0 --output never.pdf|quadrelon: --problems: „0“ е извън границите от 1 до 60
--worksheet --levels 1,4 --output never.pdf|quadrelon: --levels: „4“ е извън границите от 1 до 3
--seed 4821|quadrelon: „--seed“ е опция на --worksheet
--practice extra|quadrelon: излишен аргумент „extra“ (вижте quadrelon --help)
ROWS
[ -e never.pdf ] && fail "a refused worksheet was written"

# sheet NAME SEED: writes NAME.pdf and NAME.txt, its text by pdftotext.
sheet() {
    what="--worksheet --seed $2"
    run --worksheet --problems 12 --versions 2 --levels 1,2,3 --variants 1-10 --unit см --seed "$2" \
        --output "$scratch/$1.pdf"
    expect 0 0 0
    pdftotext "$scratch/$1.pdf" "$scratch/$1.txt" || fail "pdftotext cannot read $1.pdf"
}
sheet first 4821
sheet again 4821
sheet other 4822
cmp -s "$scratch/first.txt" "$scratch/again.txt" || fail "the same arguments gave another text"
cmp -s "$scratch/first.txt" "$scratch/other.txt" && fail "another seed gave the same text"

# Each page on its own: pdftotext ends every page with a form feed.
pages=$scratch/pages
mkdir -p "$pages"
awk -v dir="$pages" 'BEGIN { RS = "\f" } NF { n++; print > (dir "/" n) }' "$scratch/first.txt"
# The first non-empty lines of the pages that begin a section, in order.
for page in $(ls "$pages" | sort -n); do
    grep -v '^$' "$pages/$page" | head -n 2 | paste -sd '|'
done | grep -E '^(Работен лист|Отговори)' >"$scratch/starts"
printf '%s\n' "Работен лист|Група А" "Работен лист|Група Б" "Отговори|Група А" "Отговори|Група Б" |
    diff "$scratch/starts" - >&2 || fail "the sections do not each begin a page, sheets first, then the keys"
for line in "Лист № 4821" "Име: ______ Клас: ______ Дата: ______"; do
    grep -qxF -- "$line" "$pages/1" || fail "the first page lacks '$line'"
done
grep -qE '^1\. Правоъгълник има ' "$pages/1" || fail "the first problem is not numbered 1"
tr -d '\f' <"$scratch/first.txt" >"$scratch/flat.txt"
[ "$(grep -cE '^12\. Правоъгълник има ' "$scratch/flat.txt")" -eq 2 ] || fail "not twelve problems in each version"
grep -qE '^13\. ' "$scratch/flat.txt" && fail "a thirteenth problem"
[ "$(grep -cE '^12\. [abdPS] = .*см' "$scratch/flat.txt")" -eq 2 ] || fail "the keys have no answer '12. … = … см'"

what="--output into a folder that is not there"
run --worksheet --seed 1 --output "$scratch/missing/лист.pdf"
expect 1 0 1
case $(first_line err) in
"quadrelon: Файлът не може да бъде записан. „$scratch/missing/лист.pdf“: "*) ;;
*) fail "$what: said '$(first_line err)'" ;;
esac

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed" >&2; exit 1; }
echo PASS
