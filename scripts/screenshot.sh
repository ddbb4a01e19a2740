#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quadrelon developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Takes docs/screenshot.png from the running program: starts it on a virtual display
# with a window manager, does a calculation as a user would ("Вариант 10" with
# P = 14 and S = 12) and captures the window with its title bar. Then does an example
# with a root ("Вариант 2" with a = 3 and d = 6, in centimetres), opens the "Решение"
# window with its shortcut and captures both windows side by side. Then opens
# "Упражнение" on problem № 95428 ("Ниво 3 — корени", "Вариант 2"), answers P almost
# right and b wrong, and captures the window after each; last, writes a worksheet with
# --worksheet and renders its first page and the first page of its key (pdftoppm).
# Usage: scripts/screenshot.sh [output.png [solution.png]]   (LANG decides the number format)
# QUADRELON_BUILD_DIR names a build to take the program from instead of the default preset's.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs/screenshot.png}
solution_out=${2:-docs/screenshot-solution.png}
practice_almost_out=docs/screenshot-practice-almost.png
practice_hint_out=docs/screenshot-practice-hint.png
worksheet_out=docs/worksheet-page.png
worksheet_key_out=docs/worksheet-key.png

scripts/deps.sh xdotool openbox imagemagick x11-utils poppler-utils
build=${QUADRELON_BUILD_DIR:-}
if [ -z "$build" ]; then
    cmake --preset default >/dev/null
    cmake --build --preset default >/dev/null
    build=build/default
fi

. scripts/virtual-desktop.sh
cleanup() {
    kill "${app:-}" "${wm:-}" "${xvfb:-}" 2>/dev/null || true
    rm -rf "${settings:-}"
}
trap cleanup EXIT
start_virtual_desktop 1400x700

# Settings of its own, with the solution's unit set to centimetres.
settings=$(mktemp -d)
mkdir -p "$settings/quadrelon.example"
printf '[solution]\nunit=cm\n' >"$settings/quadrelon.example/Quadrelon.conf"
XDG_CONFIG_HOME=$settings "$build/src/quadrelon" &
app=$!
window=$(xdotool search --sync --onlyvisible --name 'Математика')
sleep 0.5

# Points inside the controls, in window pixels (twips / 15).
click() { xdotool mousemove --window "$window" "$1" "$2" click 1; sleep 0.2; }
click 20 285              # "Вариант 10"
click 336 285             # P of row 10
xdotool type --delay 50 "14"
click 400 285             # S of row 10
xdotool type --delay 50 "12"
click 472 116             # "Изчисли"
sleep 0.5

mkdir -p "$(dirname "$out")"
import -frame -window "$window" "$out"
echo "Wrote $out"

# "Покажи решението" from the keyboard, in the given cell of P, with the calculator in
# the screen's corner so that the solution has room beside it.
xdotool windowmove --sync "$window" 4 30
sleep 0.3
click 20 93               # "Вариант 2"
click 144 93              # a of row 2
xdotool type --delay 50 "3"
click 272 93              # d of row 2
xdotool type --delay 50 "6"
xdotool key Return
sleep 0.3
xdotool key --window "$window" ctrl+r
solution=$(xdotool search --sync --onlyvisible --name 'Решение')
sleep 0.7

# Both windows with their frames: the box from the calculator's frame to the far
# corner of the solution's.
frame_box() { # window -> "left top right bottom" of its frame
    local id=$1 parent
    parent=$(xwininfo -id "$id" -children | awk '/Parent window id/ {print $4}')
    xwininfo -id "$parent" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
        /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, x + w, y + h}'
}
read -r l1 t1 r1 b1 < <(frame_box "$window")
read -r l2 t2 r2 b2 < <(frame_box "$solution")
left=$((l1 < l2 ? l1 : l2)); top=$((t1 < t2 ? t1 : t2))
right=$((r1 > r2 ? r1 : r2)); bottom=$((b1 > b2 ? b1 : b2))
import -window root -crop "$((right - left))x$((bottom - top))+$left+$top" +repage "$solution_out"
echo "Wrote $solution_out"

# "Упражнение" with the numbers written as in Bulgaria, on a problem with a root, on a
# display of its own: on the calculator's, keys sent there could reach the new window.
kill "$app" "$wm" "$xvfb" 2>/dev/null || true
start_virtual_desktop 1400x700
printf '[practice]\nlevel=3\nvariant=2\nunit=cm\nwithoutRectangle=false\n' >>"$settings/quadrelon.example/Quadrelon.conf"
LANG=bg_BG.UTF-8 LC_ALL=bg_BG.UTF-8 XDG_CONFIG_HOME=$settings "$build/src/quadrelon" --practice &
app=$!
practice=$(xdotool search --sync --onlyvisible --pid "$app" | head -n 1)
sleep 0.5
xdotool key --window "$practice" ctrl+g   # "Задача №…"
sleep 0.5
xdotool key ctrl+a
xdotool type --delay 50 "95428"
xdotool key Return
sleep 0.5
xdotool key Tab
xdotool type --delay 50 "53,7"            # P = 18 + 2√319 ≈ 53,72: almost, to tenths
xdotool key Return
sleep 0.5
import -frame -window "$practice" "$practice_almost_out"
echo "Wrote $practice_almost_out"
xdotool type --delay 50 "17"              # into b = √319 ≈ 17,86: wrong, and the hint
xdotool key Return
sleep 0.5
import -frame -window "$practice" "$practice_hint_out"
echo "Wrote $practice_hint_out"

# A worksheet of two versions and the first page of its key.
sheet=$(mktemp -d)
"$build/src/quadrelon" --worksheet --problems 6 --versions 2 --levels 1,2,3 --variants 1-10 --unit см \
    --seed 4821 --output "$sheet/лист.pdf"
pdftoppm -r 60 -png -f 1 -l 1 -singlefile "$sheet/лист.pdf" "${worksheet_out%.png}"
echo "Wrote $worksheet_out"
pages=$(pdfinfo "$sheet/лист.pdf" | awk '/^Pages:/ {print $2}')
for page in $(seq 1 "$pages"); do
    if pdftotext -f "$page" -l "$page" "$sheet/лист.pdf" - | grep -qx 'Отговори'; then
        pdftoppm -r 60 -png -f "$page" -l "$page" -singlefile "$sheet/лист.pdf" "${worksheet_key_out%.png}"
        echo "Wrote $worksheet_key_out"
        break
    fi
done
rm -rf "$sheet"
