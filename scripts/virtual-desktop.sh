# SPDX-FileCopyrightText: 2026 Quadrelon developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Sourced by the scripts that run the program on a virtual display with a window
# manager. start_virtual_desktop WIDTHxHEIGHT starts Xvfb on a display it picks itself
# (guessing a number races other servers), exports DISPLAY once the server is up, then
# starts openbox. Sets xvfb and wm to their process ids for the caller's cleanup.
start_virtual_desktop() {
    local said
    said=$(mktemp)
    Xvfb -displayfd 3 -screen 0 "${1}x24" -nolisten tcp 3>"$said" >/dev/null 2>&1 &
    xvfb=$!
    for _ in $(seq 100); do [ -s "$said" ] && break; sleep 0.1; done
    DISPLAY=:$(head -n 1 "$said")
    export DISPLAY
    rm -f "$said"
    openbox >/dev/null 2>&1 &
    wm=$!
    sleep 0.5
}
