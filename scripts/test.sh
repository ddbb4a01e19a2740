#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quadrelon developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds everything (installing what is missing) and runs every test through CTest
# on Qt's offscreen platform, so no display is needed.
# Usage: scripts/test.sh [preset]
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:-default}

# The packaging checks use these tools, the accessibility check an AT-SPI bus and its
# Python binding, the print test pdftoppm; without them they would only be skipped.
scripts/deps.sh desktop-file-utils appstream binutils-mingw-w64-x86-64 imagemagick dpkg-dev file \
    librsvg2-bin icoutils reuse lintian dbus-x11 at-spi2-core python3-gi gir1.2-atspi-2.0 \
    poppler-utils
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
QT_QPA_PLATFORM=offscreen ctest --preset "$preset" -j "$(nproc)"
