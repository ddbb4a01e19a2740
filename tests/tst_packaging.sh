#!/bin/sh
# SPDX-FileCopyrightText: 2026 Quadrelon developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Checks of what ships besides the program: the icon files, the Windows resources,
# the desktop entry, the AppStream metainfo, the installed tree, the Debian package and
# the licence tags of every file.
# Registered with CTest by resources/CMakeLists.txt; each check is one subcommand:
#
#   tst_packaging.sh icon-format  RESOURCES_DIR
#   tst_packaging.sh icon-current RESOURCES_DIR MAKE_ICONS_SCRIPT
#   tst_packaging.sh rc           RC_FILE WEB_ADDRESS VERSION_STRING PROJECT_VERSION
#   tst_packaging.sh desktop      DESKTOP_FILE
#   tst_packaging.sh metainfo     METAINFO_FILE
#   tst_packaging.sh install      BUILD_DIR APP_ID
#   tst_packaging.sh deb          BUILD_DIR PROJECT_VERSION WEB_ADDRESS
#   tst_packaging.sh lintian      BUILD_DIR
#   tst_packaging.sh reuse        SOURCE_DIR
#
# Exit status: 0 passed, 1 failed, 77 skipped because a tool it needs is missing.
set -u

SKIP=77
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

skip() {
    echo "SKIP: $*"
    exit "$SKIP"
}

finish() {
    if [ "$failures" -ne 0 ]; then
        echo "$failures check(s) failed" >&2
        exit 1
    fi
    echo "PASS"
    exit 0
}

have() {
    command -v "$1" >/dev/null 2>&1
}

scratch=
make_scratch() {
    scratch=$(mktemp -d "${TMPDIR:-/tmp}/tst_packaging.XXXXXX") || exit 1
    trap 'rm -rf "$scratch"' EXIT
}

# bytes FILE OFFSET COUNT: the bytes as unsigned decimals separated by spaces.
bytes() {
    od -An -v -tu1 -j "$2" -N "$3" "$1" | tr -s ' \n' '  ' | sed 's/^ //; s/ $//'
}

# le16/le32/be32 FILE OFFSET: one little- or big-endian unsigned number.
le16() {
    set -- $(bytes "$1" "$2" 2)
    echo $(($1 + 256 * $2))
}
le32() {
    set -- $(bytes "$1" "$2" 4)
    echo $(($1 + 256 * ($2 + 256 * ($3 + 256 * $4))))
}
be32() {
    set -- $(bytes "$1" "$2" 4)
    echo $(($4 + 256 * ($3 + 256 * ($2 + 256 * $1))))
}

expect() { # expect WHAT ACTUAL EXPECTED
    [ "$2" = "$3" ] || fail "$1 is '$2', expected '$3'"
}

ICON_SIZES="16 32 48 64 128 256"

# png_name SIZE: the committed file of that size; 32 is also the window's icon.
png_name() {
    if [ "$1" -eq 32 ]; then echo quadrelon.png; else echo "quadrelon-$1.png"; fi
}

# check_png FILE SIZE: a SIZE x SIZE PNG with 8-bit red, green, blue and alpha.
check_png() {
    [ -f "$1" ] || { fail "$1 is missing"; return; }
    expect "$1: signature" "$(bytes "$1" 0 8)" "137 80 78 71 13 10 26 10"
    expect "$1: first chunk" "$(bytes "$1" 12 4)" "73 72 68 82" # IHDR
    expect "$1: width" "$(be32 "$1" 16)" "$2"
    expect "$1: height" "$(be32 "$1" 20)" "$2"
    expect "$1: bit depth and colour type (6 = RGBA)" "$(bytes "$1" 24 2)" "8 6"
}

# check_ico FILE: 32 x 32 with a 256-colour palette first, the one every Windows reads,
# then 16 and 48 with alpha and 256 as a PNG.
check_ico() {
    [ -f "$1" ] || { fail "$1 is missing"; return; }
    expect "$1: reserved word and type" "$(le16 "$1" 0) $(le16 "$1" 2)" "0 1"
    expect "$1: image count" "$(le16 "$1" 4)" 4
    expect "$1: width, height, colour count" "$(bytes "$1" 6 3)" "32 32 0"
    expect "$1: bits per pixel" "$(le16 "$1" 12)" 8
    size=$(le32 "$1" 14)
    offset=$(le32 "$1" 18)
    expect "$1: first image offset" "$offset" $((6 + 4 * 16))
    # The classic bitmap form: header, 256 palette entries, colour bits, 1-bit mask.
    expect "$1: bitmap header size" "$(le32 "$1" "$offset")" 40
    expect "$1: bitmap width" "$(le32 "$1" $((offset + 4)))" 32
    expect "$1: bitmap height (image and mask)" "$(le32 "$1" $((offset + 8)))" 64
    expect "$1: bitmap bits per pixel" "$(le16 "$1" $((offset + 14)))" 8
    expect "$1: image size" "$size" $((40 + 256 * 4 + 32 * 32 + 32 * 4))
    # An entry's size byte is 0 for 256.
    i=1
    for want in "16 16 32" "48 48 32" "0 0 32"; do
        entry=$((6 + 16 * i))
        expect "$1: image $((i + 1)) width, height, bits" \
            "$(bytes "$1" "$entry" 2) $(le16 "$1" $((entry + 6)))" "$want"
        i=$((i + 1))
    done
    last=$((6 + 16 * 3))
    expect "$1: last image end" "$(($(le32 "$1" $((last + 12))) + $(le32 "$1" $((last + 8)))))" \
        "$(wc -c <"$1" | tr -d ' ')"
    expect "$1: last image is a PNG" "$(bytes "$1" "$(le32 "$1" $((last + 12)))" 4)" "137 80 78 71"
}

# The files must also be readable by a decoder that is not ours.
decode_icons() {
    have identify || return 0
    for size in $ICON_SIZES; do
        f="$1/$(png_name "$size")"
        got=$(identify -format '%m %w %h\n' "$f" 2>&1) || { fail "identify cannot read $f: $got"; continue; }
        expect "what identify reads in $f" "$got" "PNG $size $size"
    done
    got=$(identify -format '%m %w %h,' "$1/quadrelon.ico" 2>&1) || fail "identify cannot read $1/quadrelon.ico: $got"
    expect "what identify reads in $1/quadrelon.ico" "$got" "ICO 32 32,ICO 16 16,ICO 48 48,PNG 256 256,"
    have rsvg-convert || return 0
    rsvg-convert "$1/quadrelon.svg" >/dev/null || fail "rsvg-convert cannot read $1/quadrelon.svg"
}

cmd_icon_format() {
    for size in $ICON_SIZES; do
        check_png "$1/$(png_name "$size")" "$size"
    done
    check_ico "$1/quadrelon.ico"
    decode_icons "$1"
    finish
}

# Draws every file again and compares it with the committed one byte for byte.
cmd_icon_current() {
    make_scratch
    sh "$2" --out-dir "$scratch" >"$scratch/log" 2>&1
    status=$?
    [ "$status" -eq "$SKIP" ] && skip "$(cat "$scratch/log"); scripts/test.sh installs it"
    [ "$status" -eq 0 ] || { cat "$scratch/log" >&2; fail "$2 failed"; finish; }
    for f in "$scratch"/quadrelon*; do
        name=${f##*/}
        cmp -s "$f" "$1/$name" || fail "resources/$name is not what $2 makes of the drawing; run it"
    done
    expect "number of files made" "$(ls "$scratch"/quadrelon* | wc -l | tr -d ' ')" 8
    finish
}

# The Windows resources: compiled with windres, then decompiled and read back.
cmd_rc() {
    rc_file=$1 web=$2 version_string=$3 version=$4
    windres=
    for candidate in x86_64-w64-mingw32-windres i686-w64-mingw32-windres windres; do
        if have "$candidate"; then
            windres=$candidate
            break
        fi
    done
    [ -n "$windres" ] || skip "windres is not installed"
    # windres preprocesses with the MinGW gcc; the host's cpp does as well for this file.
    set -- "$windres"
    if ! have "${windres%windres}gcc"; then
        have cpp || skip "neither ${windres%windres}gcc nor cpp is installed to preprocess the resources"
        set -- "$windres" --preprocessor=cpp
    fi
    make_scratch
    "$@" -i "$rc_file" -O res -o "$scratch/quadrelon.res" || { fail "$windres cannot compile $rc_file"; finish; }
    "$windres" -i "$scratch/quadrelon.res" -O rc -o "$scratch/decompiled.rc" || { fail "$windres cannot decompile the resources"; finish; }
    # One line per statement, spaces squeezed, so that lines can be matched whole.
    tr -s ' \t' '  ' <"$scratch/decompiled.rc" | sed 's/^ //; s/ $//' >"$scratch/lines"

    numbers=$(echo "$version" | sed 's/\./, /g')
    for line in \
        "1 VERSIONINFO" \
        "FILEVERSION $numbers" \
        "PRODUCTVERSION $numbers" \
        "FILETYPE 0x1" \
        'BLOCK "040904B0"' \
        "VALUE \"CompanyName\", \"$web\"" \
        'VALUE "FileDescription", "Quadrelon"' \
        "VALUE \"FileVersion\", \"$version_string\"" \
        "VALUE \"ProductVersion\", \"$version_string\"" \
        'VALUE "ProductName", "Quadrelon"' \
        'VALUE "InternalName", "quadrelon"' \
        'VALUE "OriginalFilename", "quadrelon.exe"' \
        'VALUE "Translation", 0x409, 1200'; do
        grep -Fqx "$line" "$scratch/lines" || fail "the compiled resources lack: $line"
    done
    grep -Eq '^VALUE "LegalCopyright", "[^"]+"$' "$scratch/lines" || fail "the compiled resources lack a LegalCopyright"
    # The icon group: 32 x 32 pixels, 0 (= 256) colours, 1 plane, 8 bits, and three more.
    grep -q '^1 14 /\* RT_GROUP_ICON \*/' "$scratch/lines" || fail "the compiled resources have no icon group 1"
    grep -Fq '"\040\040\000\000", 1, 8,' "$scratch/lines" || fail "the icon group has no 32x32 image of 8 bits per pixel"
    count=$(grep -c '/\* RT_ICON \*/' "$scratch/lines")
    expect "number of icon images" "$count" 4
    finish
}

cmd_desktop() {
    have desktop-file-validate || skip "desktop-file-validate is not installed"
    out=$(desktop-file-validate "$1" 2>&1)
    status=$?
    [ -z "$out" ] || echo "$out"
    [ "$status" -eq 0 ] || fail "desktop-file-validate exited with $status"
    # Hints count too: a missing main category hides the program in some menus.
    [ -z "$out" ] || fail "desktop-file-validate has remarks"
    finish
}

cmd_metainfo() {
    if have appstreamcli; then
        appstreamcli validate --no-net "$1" || fail "appstreamcli does not accept $1"
    elif have appstream-util; then
        appstream-util validate-relax --nonet "$1" || fail "appstream-util does not accept $1"
    else
        skip "neither appstreamcli nor appstream-util is installed"
    fi
    grep -Fq '<project_license>GPL-3.0-or-later</project_license>' "$1" || fail "$1 does not name the project's licence"
    finish
}

# key FILE KEY: the value of a key of the desktop entry's main group.
key() {
    sed -n "/^\[Desktop Entry\]/,/^\[/ s/^$2=//p" "$1" | head -n 1
}

cmd_install() {
    build=$1 id=$2
    make_scratch
    DESTDIR="$scratch/root" cmake --install "$build" --prefix /usr >"$scratch/install.log" 2>&1 ||
        { cat "$scratch/install.log" >&2; fail "cmake --install failed"; finish; }
    root="$scratch/root/usr"
    desktop="$root/share/applications/$id.desktop"
    icons="$root/share/icons/hicolor"
    metainfo="$root/share/metainfo/$id.metainfo.xml"

    [ -x "$root/bin/quadrelon" ] || fail "bin/quadrelon is not installed"
    [ -f "$desktop" ] || fail "share/applications/$id.desktop is not installed"
    [ -f "$metainfo" ] || fail "share/metainfo/$id.metainfo.xml is not installed"
    for size in $ICON_SIZES; do
        check_png "$icons/${size}x$size/apps/$id.png" "$size"
    done
    [ -f "$icons/scalable/apps/$id.svg" ] || fail "share/icons/hicolor/scalable/apps/$id.svg is not installed"
    if [ -f "$desktop" ]; then
        # What the desktop entry starts and shows must be what was installed.
        exec_name=$(key "$desktop" Exec | cut -d ' ' -f 1)
        [ -n "$exec_name" ] && [ -x "$root/bin/$exec_name" ] ||
            fail "the desktop entry runs '$exec_name', which is not in bin/"
        icon_name=$(key "$desktop" Icon)
        [ -f "$icons/32x32/apps/$icon_name.png" ] && [ -f "$icons/scalable/apps/$icon_name.svg" ] ||
            fail "the desktop entry shows icon '$icon_name', which is not installed"
    fi
    if [ -f "$metainfo" ]; then
        grep -Fq "<id>$id</id>" "$metainfo" || fail "the metainfo's id is not $id"
        grep -Fq "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
            fail "the metainfo does not launch $id.desktop"
    fi
    for f in "$desktop" "$metainfo"; do
        [ -f "$f" ] && grep -n '@[A-Za-z_]*@' "$f" && fail "$f keeps unreplaced @NAME@ placeholders"
    done
    finish
}

# make_deb BUILD_DIR: sets deb to the package that cpack makes in a scratch folder.
make_deb() {
    have cpack || skip "cpack is not on the PATH"
    have dpkg-deb || skip "dpkg-deb is not installed"
    make_scratch
    cpack -G DEB --config "$1/CPackConfig.cmake" -B "$scratch" >"$scratch/cpack.log" 2>&1 ||
        { cat "$scratch/cpack.log" >&2; fail "cpack -G DEB failed"; finish; }
    set -- "$scratch"/*.deb
    [ $# -eq 1 ] && [ -f "$1" ] || { fail "cpack made $# packages: $*"; finish; }
    deb=$1
}

cmd_deb() {
    build=$1 version=$2 web=$3
    make_deb "$build"

    expect "Package" "$(dpkg-deb -f "$deb" Package)" quadrelon
    expect "Version" "$(dpkg-deb -f "$deb" Version)" "$version"
    expect "Section" "$(dpkg-deb -f "$deb" Section)" education
    expect "Homepage" "$(dpkg-deb -f "$deb" Homepage)" "https://$web"
    domain=${web#www.}
    case "$(dpkg-deb -f "$deb" Maintainer)" in
    *"@$domain>") ;;
    *) fail "Maintainer '$(dpkg-deb -f "$deb" Maintainer)' has no address at $domain" ;;
    esac
    depends=$(dpkg-deb -f "$deb" Depends)
    for p in libqt6widgets6 libqt6gui6 libqt6core6 fonts-liberation qt6-translations-l10n; do
        echo "$depends" | tr ',' '\n' | grep -Eq "^ *$p( |\$)" || fail "Depends lacks $p: $depends"
    done

    dpkg-deb -c "$deb" >"$scratch/contents" || { fail "dpkg-deb cannot list $deb"; finish; }
    for f in ./usr/bin/quadrelon \
        ./usr/share/applications/example.quadrelon.Quadrelon.desktop \
        ./usr/share/icons/hicolor/32x32/apps/example.quadrelon.Quadrelon.png \
        ./usr/share/icons/hicolor/256x256/apps/example.quadrelon.Quadrelon.png \
        ./usr/share/icons/hicolor/scalable/apps/example.quadrelon.Quadrelon.svg \
        ./usr/share/metainfo/example.quadrelon.Quadrelon.metainfo.xml \
        ./usr/share/doc/quadrelon/copyright \
        ./usr/share/doc/quadrelon/changelog.gz \
        ./usr/share/man/man1/quadrelon.1.gz; do
        grep -Eq " $f\$" "$scratch/contents" || fail "the package lacks $f"
    done
    grep -Eq '^-rwxr-xr-x root/root .* \./usr/bin/quadrelon$' "$scratch/contents" ||
        fail "usr/bin/quadrelon is not an executable owned by root: $(grep ' ./usr/bin/quadrelon$' "$scratch/contents")"
    # A new version needs its own entry at the top of the change log.
    top=$(dpkg-deb --fsys-tarfile "$deb" | tar -xOf - ./usr/share/doc/quadrelon/changelog.gz | gzip -dc | head -n 1)
    expect "the change log's first line" "$top" "quadrelon ($version) unstable; urgency=medium"
    finish
}

# Debian's own checker: no error and no warning; the informational tags are shown.
cmd_lintian() {
    have lintian || skip "lintian is not installed; scripts/test.sh installs it"
    make_deb "$1"
    lintian --fail-on error,warning --display-info "$deb" >"$scratch/lintian.log" 2>&1
    status=$?
    grep -v '^running with root privileges' "$scratch/lintian.log"
    [ "$status" -eq 0 ] || fail "lintian exited with $status"
    grep -q '^[EW]: ' "$scratch/lintian.log" && fail "lintian reports errors or warnings"
    finish
}

# Every file names its copyright and licence, in a header or in .reuse/dep5.
cmd_reuse() {
    have reuse || skip "reuse is not installed; scripts/test.sh installs it"
    # Outside a git checkout reuse would also read the build folders.
    have git && git -C "$1" rev-parse --is-inside-work-tree >/dev/null 2>&1 ||
        skip "$1 is not a git checkout"
    reuse --root "$1" lint || fail "reuse lint fails; scripts/spdx-headers.sh adds the missing headers"
    finish
}

[ $# -ge 1 ] || { echo "usage: $0 icon-format|icon-current|rc|desktop|metainfo|install|deb|lintian|reuse ARGS..." >&2; exit 2; }
command=$1
shift
case "$command" in
icon-format) cmd_icon_format "$@" ;;
icon-current) cmd_icon_current "$@" ;;
rc) cmd_rc "$@" ;;
desktop) cmd_desktop "$@" ;;
metainfo) cmd_metainfo "$@" ;;
install) cmd_install "$@" ;;
deb) cmd_deb "$@" ;;
lintian) cmd_lintian "$@" ;;
reuse) cmd_reuse "$@" ;;
*) echo "unknown check: $command" >&2; exit 2 ;;
esac
