#!/usr/bin/env bash
# Builds everything (installing what is missing) and runs every test through CTest
# on Qt's offscreen platform, so no display is needed.
# Usage: scripts/test.sh [preset]
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:-default}

# The packaging checks use these tools, and the print test renders its PDF with
# pdftoppm; without them they would only be skipped.
scripts/deps.sh desktop-file-utils appstream binutils-mingw-w64-x86-64 imagemagick dpkg-dev file \
    poppler-utils
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
QT_QPA_PLATFORM=offscreen ctest --preset "$preset" -j "$(nproc)"
