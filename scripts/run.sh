#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quadrelon developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the calculator (installing what is missing) and starts it.
# Usage: scripts/run.sh [preset]
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:-default}

scripts/deps.sh
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target quadrelon

if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}${QT_QPA_PLATFORM:-}" ]; then
    echo "No display found (DISPLAY is not set): run it inside a desktop session, or under a virtual one with: xvfb-run -a scripts/run.sh" >&2
    exit 2
fi
exec "build/$preset/src/quadrelon"
