#!/bin/sh
# SPDX-FileCopyrightText: 2026 Quadrelon developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Gives every tracked file that lacks them the project's copyright and licence tags,
# in the file's own comment style, then checks the tree with `reuse lint`. Files that
# cannot hold a comment are listed in .reuse/dep5 instead. Running it again changes
# nothing. Needs reuse (Debian package reuse) and git.
#
# Usage: scripts/spdx-headers.sh
set -eu

# All in one function, read whole before it runs: the script gets its own header too,
# and sh would otherwise go on reading the changed file at the old offset.
main() {
    cd "$(dirname "$0")/.."

    for tool in reuse git; do
        command -v "$tool" >/dev/null 2>&1 || { echo "spdx-headers: $tool is not installed" >&2; exit 1; }
    done

    work=$(mktemp -d "${TMPDIR:-/tmp}/spdx-headers.XXXXXX")
    trap 'rm -rf "$work"' EXIT

    # reuse knows which files already have their tags, from a header or from dep5.
    reuse lint >"$work/lint" 2>&1 || true
    sed -n '/^# MISSING COPYRIGHT AND LICENSING INFORMATION/,/^# SUMMARY/ s/^\* //p' "$work/lint" |
        sort -u >"$work/missing"
    git ls-files | sort >"$work/tracked"
    comm -12 "$work/missing" "$work/tracked" >"$work/todo"

    # Styles reuse does not guess from these names; the rest it recognises by itself.
    style_of() {
        case "$1" in
        *.h.in | *.cpp.in | *.rc.in) echo c ;;
        *.xml.in) echo html ;;
        *.desktop | *.supp | *.nsi) echo python ;;
        *)
            if [ "$(head -c 2 "$1")" = "#!" ]; then echo python; else echo auto; fi
            ;;
        esac
    }

    while IFS= read -r file; do
        echo "$file" >>"$work/style-$(style_of "$file")"
    done <"$work/todo"

    for list in "$work"/style-*; do
        [ -f "$list" ] || continue
        style=${list##*/style-}
        set -- --copyright "Quadrelon developers" --year 2026 --license GPL-3.0-or-later \
            --template compact
        [ "$style" = auto ] || set -- "$@" --style "$style"
        # One call per style: reuse starts slowly.
        tr '\n' '\0' <"$list" | xargs -0 reuse annotate "$@"
    done
    # reuse leaves an empty line between the #! line and the header; the other scripts have none.
    while IFS= read -r file; do
        if [ "$(head -c 2 "$file")" = "#!" ] && sed -n 3p "$file" | grep -q '^# SPDX-FileCopyrightText:'; then
            sed -i '2{/^$/d}' "$file"
        fi
    done <"$work/todo"

    # A binary or unknown file gets a .license file beside it; better to list it in dep5.
    if git ls-files --others --exclude-standard | grep '\.license$'; then
        echo "spdx-headers: the files above were made for files that cannot hold a comment;" \
            "delete them and cover those files in .reuse/dep5" >&2
        exit 1
    fi
    reuse lint
}

main "$@"; exit
