#!/usr/bin/env bash
# Builds everything (installing what is missing) and runs every test through CTest
# on Qt's offscreen platform, so no display is needed.
# Usage: scripts/test.sh [preset]
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:-default}

scripts/deps.sh
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
QT_QPA_PLATFORM=offscreen ctest --preset "$preset" -j "$(nproc)"
