#!/usr/bin/env bash
# Takes docs/screenshot.png from the running program: starts it on a virtual display
# with a window manager, does a calculation as a user would ("Вариант 10" with
# P = 14 and S = 12) and captures the window with its title bar.
# Usage: scripts/screenshot.sh [output.png]   (LANG decides the number format)
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs/screenshot.png}

scripts/deps.sh xdotool openbox imagemagick x11-utils
cmake --preset default >/dev/null
cmake --build --preset default >/dev/null

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
cleanup() { kill "${app:-}" "${wm:-}" "$xvfb" 2>/dev/null || true; }
trap cleanup EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 &
wm=$!
sleep 0.5

build/default/src/quadrelon &
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
