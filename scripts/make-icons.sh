#!/bin/sh
# SPDX-FileCopyrightText: 2026 Quadrelon developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Makes every icon file from the drawing resources/quadrelon.svg:
#
#   quadrelon.png                  32 x 32, the window icon and the desktop's 32x32 size
#   quadrelon-N.png                N x N for N = 16, 48, 64, 128, 256
#   quadrelon.ico                  Windows: 32 x 32 with a 256-colour palette first (the
#                                  form every Windows version reads), then 16, 48 and 256
#   quadrelon-icon32.h             the 32 x 32 pixels as C++ constants, so that the
#                                  program can show its icon without decoding a PNG
#
# The outputs are committed, so that building needs none of these tools; run this after
# changing the drawing, and tests/tst_packaging.sh says when they are stale.
#
#   scripts/make-icons.sh               rewrite the files in resources/
#   scripts/make-icons.sh --out-dir DIR write them into DIR instead
#
# Needs rsvg-convert (librsvg2-bin), icotool (icoutils), convert (imagemagick), od, awk.
set -eu

here=$(cd "$(dirname "$0")/.." && pwd)
svg=$here/resources/quadrelon.svg
out=$here/resources
case "${1:-}" in
--out-dir) out=${2:?--out-dir needs a folder} ;;
"") ;;
*) echo "usage: $0 [--out-dir DIR]" >&2; exit 2 ;;
esac

for tool in rsvg-convert icotool convert od awk; do
    command -v "$tool" >/dev/null 2>&1 || { echo "make-icons: $tool is not installed" >&2; exit 77; }
done

mkdir -p "$out"
work=$(mktemp -d "${TMPDIR:-/tmp}/make-icons.XXXXXX")
trap 'rm -rf "$work"' EXIT

for size in 16 32 48 64 128 256; do
    rsvg-convert --width "$size" --height "$size" --format png "$svg" -o "$work/$size.png"
done
cp "$work/32.png" "$out/quadrelon.png"
for size in 16 48 64 128 256; do
    cp "$work/$size.png" "$out/quadrelon-$size.png"
done

# A palette image has only a 1-bit mask: a pixel at least half covered is opaque, as
# before the icon was drawn as a vector image. No date chunks, so that reruns agree.
convert "$work/32.png" -channel A -threshold 50% +channel \
    -define png:exclude-chunks=date,time "PNG8:$work/32-palette.png"
icotool --create --output="$work/quadrelon.ico" \
    --bit-depth=8 "$work/32-palette.png" \
    --bit-depth=32 "$work/16.png" "$work/48.png" \
    --raw="$work/256.png"
cp "$work/quadrelon.ico" "$out/quadrelon.ico"

# Qt's QImage::Format_ARGB32 reads each pixel as one 0xAARRGGBB number on every byte order.
convert "$work/32.png" -depth 8 "RGBA:$work/32.rgba"
# REUSE-IgnoreStart: the tags below are the header's, not this script's.
{
    cat <<'EOF'
// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Made by scripts/make-icons.sh from resources/quadrelon.svg; edit the drawing, not this.
// The 32 x 32 icon, row by row from the top, one 0xAARRGGBB number a pixel with the
// alpha not premultiplied: QImage(reinterpret_cast<const uchar *>(quadrelonIcon32Pixels),
// quadrelonIcon32Width, quadrelonIcon32Height, QImage::Format_ARGB32).
#pragma once

inline constexpr int quadrelonIcon32Width = 32;
inline constexpr int quadrelonIcon32Height = 32;

alignas(4) inline constexpr unsigned int quadrelonIcon32Pixels[32 * 32] = {
EOF
    od -An -v -tu1 -w4 "$work/32.rgba" | awk '
        { printf "%s0x%02x%02x%02x%02x,", (NR % 8 == 1 ? "    " : " "), $4, $1, $2, $3 }
        NR % 8 == 0 { printf "\n" }'
    echo "};"
} >"$out/quadrelon-icon32.h"
# REUSE-IgnoreEnd

echo "make-icons: wrote $out/quadrelon{.png,-16.png,-48.png,-64.png,-128.png,-256.png,.ico,-icon32.h}"
