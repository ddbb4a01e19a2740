#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quadrelon developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Checks the Windows build under Wine on a virtual display; run by scripts/windows.sh.
#  - quadrelon.exe imports only Windows' own DLLs and carries its icon and version;
#  - every CTest test of the Windows build passes under Wine (offscreen platform), the
#    print to PDF among them, rendered back by the host's pdftoppm;
#  - the installer installs silently for the user alone, and its uninstaller takes
#    away everything the installation added;
#  - the real program on the display: "Вариант 10" with P = 14 and S = 12 shows
#    3.00 4.00 5.00 (read back from the screen); impossible input brings an error
#    box whose button reads "Добре", and the program goes on working after it.
# A fresh Wine prefix in <build>/wine each time; the window ends up in
# <build>/windows-screenshot.png.
# Usage: scripts/windows-checks.sh <build dir> <dist dir>
set -uo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "$1")
dist=$(realpath "$2")
exe=$dist/Quadrelon/quadrelon.exe
setup=$(ls "$dist"/*-setup.exe)
triple=x86_64-w64-mingw32
work=$build/checks
rm -rf "$work" "$build/wine"
mkdir -p "$work"

export PATH=$PATH:/usr/lib/wine WINEPREFIX=$build/wine WINEARCH=win64 WINEDEBUG=-all
# No Mono or Gecko prompts, and no Linux menu entries made from the Start menu.
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=d"
export LC_ALL=C.UTF-8

failures=0
check() {
    local what=$1
    shift
    if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}
settle() { timeout 120 wineserver -w; }

. scripts/virtual-desktop.sh
cleanup() { kill "${app:-}" "${wm:-}" 2>/dev/null; wineserver -k 2>/dev/null; kill "${xvfb:-}" 2>/dev/null; }
trap cleanup EXIT
start_virtual_desktop 1024x768
wine64 wineboot -i >/dev/null 2>&1
settle

echo "--- the executable"
system32=$WINEPREFIX/drive_c/windows/system32
only_system_dlls() {
    local dll status=0
    for dll in $("$triple-objdump" -p "$exe" | sed -n 's/^\s*DLL Name: //p'); do
        # api-ms-win-* are Windows' API sets: names the loader maps, not files.
        case "$dll" in api-ms-win-*) continue ;; esac
        if [ -z "$(find "$system32" -maxdepth 1 -iname "$dll")" ]; then
            echo "  not a Windows DLL: $dll"
            status=1
        fi
    done
    return $status
}
check "quadrelon.exe imports only Windows' own DLLs" only_system_dlls
check "quadrelon.exe carries an icon" sh -c "wrestool -l '$exe' | grep -q -- '--type=14'"
version=$(sed -n 's/^set(QUADRELON_VERSION_STRING "\(.*\)")/\1/p' CMakeLists.txt)
check "quadrelon.exe carries version $version" \
    sh -c "wrestool -x --raw --type=16 '$exe' | strings -el | grep -qx '$version'"

echo "--- the CTest suite under Wine"
# Qt's offscreen platform on Windows reads fonts from one folder, by default inside
# Qt's own (absent) installation, and knows no substitutes; Wine's C:\windows\Fonts
# is empty. The tests get a folder with Liberation Serif alone, so that the face
# which stands in for Times New Roman has its metrics, as on Linux.
mkdir -p "$work/fonts"
ln -sf /usr/share/fonts/truetype/liberation/LiberationSerif-*.ttf "$work/fonts/"
export QT_QPA_FONTDIR=$work/fonts
# The print test reads its PDF back with pdftotext and pdftoppm, which have no Windows
# build here: a small bridge runs the host's (poppler-utils) from Wine's PATH.
mkdir -p "$work/tools"
for tool in pdftoppm pdftotext; do
    "$triple-gcc" -municode -O2 -DHOST_PROGRAM="\"/usr/bin/$tool\"" -o "$work/tools/$tool.exe" scripts/wine-pdftoppm.c
done
WINEPATH=$(wine64 winepath -w "$work/tools" 2>/dev/null | tr -d '\r')
export WINEPATH
(cd "$build" && ctest -N | sed -n 's/^ *Test *#[0-9]*: /  /p')
check "every test passes under Wine" \
    sh -c "cd '$build' && ctest -V --timeout 900 -j '$(nproc)' >'$work/ctest.log' 2>&1"
grep -E 'tests passed|Test +#.*(Passed|Failed|\*\*\*)|^[0-9]+: (Totals|FAIL!)' "$work/ctest.log" | sed 's/^/  /'
check "the print test renders its PDF under Wine" \
    sh -c "grep -q 'PASS   : TstSolution::printsAPageToHandIn(' '$work/ctest.log' && ! grep -q 'SKIP   : TstSolution::printsAPageToHandIn(' '$work/ctest.log'"

echo "--- the installer"
# What an installation may touch: the user's files and the registry, as Wine keeps them.
snapshot() {
    settle
    (cd "$WINEPREFIX" && find drive_c/users -path '*/Temp' -prune -o -print | sort)
    grep -i -h quadrelon "$WINEPREFIX"/user.reg "$WINEPREFIX"/system.reg | sort
}
snapshot >"$work/before"
wine64 "$setup" /S
settle
programs=$(echo "$WINEPREFIX"/drive_c/users/*/AppData/Local/Programs/Quadrelon)
menu=$(echo "$WINEPREFIX"/drive_c/users/*/AppData/Roaming/Microsoft/Windows/Start\ Menu/Programs)
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quadrelon'
check "installed for the user alone" cmp -s "$programs/quadrelon.exe" "$exe"
check "Start-menu shortcut to the program" \
    sh -c "strings -el '$menu/Quadrelon.lnk' | grep -qi 'Programs.Quadrelon.quadrelon.exe'"
check "Start-menu shortcut to the practice" \
    sh -c "strings -el '$menu/Quadrelon – Упражнение.lnk' | grep -q -- '--practice'"
check "listed among the user's programs" sh -c "wine64 reg query '$key' /v UninstallString | grep -q uninstall.exe"
wine64 "$programs/uninstall.exe" /S
settle
snapshot >"$work/after"
check "the uninstaller leaves nothing behind" diff "$work/before" "$work/after"

echo "--- the program on the display"
twips() { sed -n "s/^constexpr int $1 = \([0-9]*\);/\1/p" src/form/layout.cpp; }
grid_left=$(twips kGridLeft) grid_top=$(twips kGridTop)
column=$(twips kColumnSpacing) row=$(twips kRowSpacing)
cell_width=$(twips kCellWidth) cell_height=$(twips kCellHeight)
frame=$(grep -o '"Frame1", -1, Kind::Frame, [0-9]*, [0-9]*' src/form/layout.cpp | grep -o '[0-9]*$')
option=$(grep -o '"Option1", r, Kind::OptionButton, [0-9]*, [0-9]*' src/form/layout.cpp | grep -o '[0-9]*, [0-9]*$')
command=$(grep -o '"Command1", 0, Kind::CommandButton, [0-9]*, [0-9]*, [0-9]*, [0-9]*' src/form/layout.cpp |
    grep -o '[0-9]*, [0-9]*, [0-9]*, [0-9]*$' | tr -d ,)
read -r command_left command_top command_width command_height <<<"$command"
# Row 10 of the grid, "Вариант 10" and "Изчисли", in window pixels.
cell_x() { echo $(((grid_left + column * $1) / 15)); }
row_y=$(((grid_top + row * 9) / 15))
option_x=$((${option%%,*} / 15 + 10)) option_y=$(((frame + ${option##* } + row * 9) / 15 + 13))
button_x=$(((command_left + command_width / 2) / 15)) button_y=$(((command_top + command_height / 2) / 15))

wine64 "$exe" >"$work/quadrelon.log" 2>&1 &
app=$!
window=$(timeout 120 xdotool search --sync --onlyvisible --name 'Математика' | head -1)
check "the window opens" test -n "$window"
sleep 2
click() { xdotool mousemove --window "$window" "$1" "$2" click 1; sleep 0.3; }
enter() { # column, text
    click $(($(cell_x "$1") + 30)) $((row_y + 13))
    xdotool key ctrl+a
    xdotool type --delay 60 "$2"
}
# What the user sees in a result cell of row 10, read back from the screen: the
# commonest of three readings, since tesseract takes a point for a comma now and then
# (the separator itself is checked by the tests).
read_cell() {
    convert "$work/window.png" -crop "$((cell_width / 15 - 6))x$((cell_height / 15 - 6))+$(($(cell_x "$1") + 3))+$((row_y + 3))" \
        +repage -colorspace gray -normalize "$work/cell$1.png"
    local setting
    for setting in "8 -resize 300%" "13 -resize 800% -blur 0x2" "7 -resize 300%"; do
        # shellcheck disable=SC2086 # the setting is a page mode and ImageMagick options
        convert "$work/cell$1.png" ${setting#* } -bordercolor white -border 10 "$work/ocr.png"
        tesseract "$work/ocr.png" - --psm "${setting%% *}" -c tessedit_char_whitelist=0123456789.,- 2>/dev/null |
            tr -d ' \n\f' | tr , .
        echo
    done | sort | uniq -c | sort -rn | awk 'NR == 1 { print $2 }'
}
calculate() { # P, S
    click "$option_x" "$option_y"
    enter 3 "$1"
    enter 4 "$2"
    click "$button_x" "$button_y"
    sleep 1
}
sides() {
    import -window "$window" "$work/window.png"
    echo "$(read_cell 0) $(read_cell 1) $(read_cell 2)"
}

calculate 14 12
import -frame -window "$window" "$build/windows-screenshot.png"
shown=$(sides)
check "P = 14, S = 12 in \"Вариант 10\" shows 3.00 4.00 5.00 (saw: $shown)" test "$shown" = "3.00 4.00 5.00"

calculate 8 4.5
# Values without a rectangle are explained in a warning box of that title.
box=$(timeout 30 xdotool search --sync --onlyvisible --name 'Няма правоъгълник' | grep -vx "$window" | head -1)
check "impossible input brings the warning box \"Няма правоъгълник\"" test -n "$box"
if [ -n "$box" ]; then
    import -frame -window "$box" "$work/error-box.png"
    xdotool windowactivate --sync "$box" key ctrl+c
    sleep 0.5
    xclip -selection clipboard -o >"$work/error-box.txt" 2>/dev/null
    sed 's/^/  /' "$work/error-box.txt"
    check "the error box's button reads \"Добре\"" grep -qE '^Добре *$' <(tr -d '\r' <"$work/error-box.txt")
    xdotool key Return
    sleep 1
fi
check "the program survives the error" kill -0 "$app"
calculate 14 12
shown=$(sides)
check "and calculates again (saw: $shown)" test "$shown" = "3.00 4.00 5.00"

echo "--- $failures failed; details in $work"
[ "$failures" -eq 0 ]
