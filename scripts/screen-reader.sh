#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quadrelon developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs the calculator under the Orca screen reader on a virtual display, drives it
# with xdotool as a user would and prints what Orca said at four moments: Tab into
# the option group, Down in it, a calculation ("Вариант 10", P = 14, S = 12) and an
# error box ("Вариант 2", a = 5, d = 4).
# Orca runs without a speech server: its debug log still holds every utterance.
# Usage: scripts/screen-reader.sh [orca-log]   (the full log is kept there if given)
# QUADRELON=path/to/quadrelon runs another build of the program; LANG=bg_BG.UTF-8 has
# the program write "3,00" and Orca speak Bulgarian.
set -euo pipefail
self=$(realpath "$0")
cd "$(dirname "$self")/.."

# Window pixels of the points the script clicks (twips / 15).
option_y() { echo $((69 + 24 * $1)); }   # option button r, at x = 20
cell_xy() { echo "$((144 + 64 * ($1 % 5))) $((69 + 24 * ($1 / 5)))"; }
calculate_xy="472 116"

if [ "${1:-}" = --inside ]; then
    # On the private session bus: the accessibility bus, Orca, then the program.
    work=$2
    export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
    export XDG_RUNTIME_DIR=$work/run QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1
    mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
    /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
    launcher=$!
    sleep 1

    # Preferences of this run only: no speech server (Orca would wait for one), no
    # braille, and a debug file written line by line, so that nothing is lost when
    # Orca has to be killed.
    prefs=$work/orca
    mkdir -p "$prefs"
    cat >"$prefs/user-settings.conf" <<'EOF'
{"general": {"speechServerFactory": "none", "enableBraille": false},
 "profiles": {"default": {"profile": ["Default", "default"], "pronunciations": {}, "keybindings": {}}},
 "pronunciations": {}, "keybindings": {}}
EOF
    cat >"$prefs/orca-customizations.py" <<'EOF'
from orca import debug, settings
if debug.debugFile:
    debug.debugFile.reconfigure(line_buffering=True)
settings.speechFactoryModules = []
EOF
    orca -u "$prefs" --debug-file "$work/orca.log" >"$work/orca.out" 2>&1 &
    orca=$!
    for _ in $(seq 100); do grep -q "Startup complete" "$work/orca.log" 2>/dev/null && break; sleep 0.1; done

    "$program" >"$work/program.out" 2>&1 &
    app=$!
    window=$(xdotool search --sync --onlyvisible --pid "$app" | head -1)
    sleep 2

    click() { xdotool mousemove --window "$window" "$1" "$2" click 1; sleep 0.5; }
    # Qt holds each key until the screen reader has seen it, and a click may overtake
    # it: give typed keys time to arrive before the next click.
    typein() { xdotool type --delay 100 "$1"; sleep 1; }
    mark() { echo "$(date +%H:%M:%S.%6N) $1" >>"$work/moments"; }

    click $(cell_xy 22)           # a cell just before the option group in the tab order
    mark "Tab into the option group (\"Вариант 1\" selected)"
    xdotool key Tab; sleep 2
    mark "Down in the option group (\"Вариант 1\" to \"Вариант 2\")"
    xdotool key Down; sleep 2
    mark "-"

    # enter ROW CELL VALUE CELL VALUE: selects the option of row (0-based) and types
    # the two given values.
    enter() { click 20 "$(option_y "$1")"; click $(cell_xy "$2"); typein "$3"; click $(cell_xy "$4"); typein "$5"; }

    enter 9 48 14 49 12
    mark "Calculation by a click on \"Изчисли\" (\"Вариант 10\", P = 14, S = 12)"
    click $calculate_xy; sleep 3
    mark "-"
    # By keyboard, from the cell just typed in: a click or a key in a given cell of
    # another variant would select that variant.
    enter 8 42 13 44 60
    mark "Calculation by Enter in a given cell (\"Вариант 9\", d = 13, S = 60)"
    xdotool key Return; sleep 3
    mark "-"

    # By keyboard: a click can race the error box in Orca (seldom), which then takes
    # the box for the window clicked in and keeps quiet when the box reports itself
    # active.
    enter 1 5 5 7 4
    mark "Warning box by Enter in a given cell (\"Вариант 2\", a = 5, d = 4)"
    xdotool key Return; sleep 4
    mark "-"

    # With the error box open Orca may no longer answer: ask it to stop, then make it.
    kill "$orca" 2>/dev/null || true
    for _ in $(seq 30); do kill -0 "$orca" 2>/dev/null || break; sleep 0.2; done
    kill -9 "$orca" "$app" "$launcher" 2>/dev/null || true
    wait 2>/dev/null || true
    exit 0
fi

scripts/deps.sh orca at-spi2-core dbus-x11 xdotool openbox xvfb
cmake --preset default >/dev/null
cmake --build --preset default --target quadrelon >/dev/null
export program=${QUADRELON:-$PWD/build/default/src/quadrelon}

work=$(mktemp -d)
. scripts/virtual-desktop.sh
cleanup() { kill "${wm:-}" "${xvfb:-}" 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT
start_virtual_desktop 800x600

timeout 120 dbus-run-session -- "$self" --inside "$work" 2>/dev/null || true
if [ -n "${1:-}" ]; then
    mkdir -p "$(dirname "$1")"
    cp "$work/orca.log" "$1"
fi

# Each utterance goes under the moment whose time span holds it.
python3 - "$work/moments" "$work/orca.log" <<'EOF'
import re, sys
moments = [line.rstrip("\n").split(" ", 1) for line in open(sys.argv[1], encoding="utf-8")]
spoken = re.compile(r"^(\d\d:\d\d:\d\d\.\d+) - (SPEECH OUTPUT: .*)$")
lines = [m.groups() for m in map(spoken.match, open(sys.argv[2], encoding="utf-8")) if m]
for (start, title), (end, _) in zip(moments, moments[1:]):
    if title == "-":
        continue
    print(f"== {title}")
    said = [text for time, text in lines if start <= time < end]
    print("\n".join(said) if said else "(nothing)")
EOF
