#!/bin/sh
# SPDX-FileCopyrightText: 2026 Quadrelon developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The window's accessibility tree over AT-SPI, as a screen reader reads it: the
# program runs on a virtual display with a session bus and an accessibility bus of
# its own, and tst_accessibility.py reads and drives it through AT-SPI.
# Usage: tst_accessibility.sh PROGRAM
# Exit status: 0 passed, 1 failed, 77 skipped because a package it needs is missing.
set -u

skip() {
    echo "SKIP: $1 is missing; scripts/deps.sh xvfb dbus-x11 at-spi2-core python3-gi gir1.2-atspi-2.0 installs what this test needs"
    exit 77
}

# Debian's Python, which the binding packages install into, whatever python3 is first on PATH.
python=/usr/bin/python3
command -v Xvfb >/dev/null 2>&1 || skip "Xvfb (package xvfb)"
command -v dbus-run-session >/dev/null 2>&1 || skip "dbus-run-session (package dbus-x11)"
[ -x /usr/libexec/at-spi-bus-launcher ] || skip "the AT-SPI bus launcher (package at-spi2-core)"
"$python" -c 'import gi; gi.require_version("Atspi", "2.0"); from gi.repository import Atspi' 2>/dev/null \
    || skip "Python's AT-SPI binding (packages python3-gi, gir1.2-atspi-2.0)"

exec dbus-run-session -- "$python" "$(dirname "$0")/tst_accessibility.py" "$1"
