#!/usr/bin/env python3
"""Draws the Quadrelon icon and writes it as an 8-bit palette PNG and a Windows icon.

The picture is a light pink rectangle with a dark outline and its diagonal, lying on a
light lavender blue tile: the colours of the calculator's window.  It is drawn once
at 32 x 32 pixels with 256 palette colours; the edges are smoothed by sampling each
pixel on a fine grid, and the tile's corners are fully transparent.

Only the Python standard library is used.  The outputs are committed next to this
script in resources/; run it again after changing the drawing:

    python3 scripts/make-icon.py                 # rewrite resources/quadrelon.{png,ico}
    python3 scripts/make-icon.py --out-dir DIR   # write them somewhere else
    python3 scripts/make-icon.py --check         # exit 1 if the committed files are stale
"""

import argparse
import math
import pathlib
import struct
import sys
import zlib

SIZE = 32
SAMPLES = 8  # per pixel side: 64 samples decide each pixel's colour

# The window's colours.
LAVENDER = (192, 192, 255)     # the window's background
MEDIUM_BLUE = (128, 128, 255)  # the option buttons
PINK = (255, 192, 192)         # the result cells
NAVY = (0, 0, 128)
SHADOW = (160, 160, 232)

# Geometry in pixel units; (0, 0) is the top left corner of the image.
TILE_RADIUS = 4.0
RECT = (3.0, 8.0, 29.0, 23.0)  # left, top, right, bottom of the outline's outer edge
OUTLINE = 2.0
DIAGONAL_WIDTH = 2.0
SHADOW_OFFSET = 1.0


def inside_rounded_square(x, y, size, radius):
    """True where (x, y) lies on a size x size square with rounded corners."""
    cx = min(max(x, radius), size - radius)
    cy = min(max(y, radius), size - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def distance_to_segment(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)
    t = min(max(t, 0.0), 1.0)
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def colour_at(x, y):
    """The picture's colour at a point, or None outside the tile."""
    if not inside_rounded_square(x, y, SIZE, TILE_RADIUS):
        return None
    if not inside_rounded_square(x - 1.0, y - 1.0, SIZE - 2.0, TILE_RADIUS - 1.0):
        return MEDIUM_BLUE  # the tile's rim
    left, top, right, bottom = RECT
    if left <= x < right and top <= y < bottom:
        in_left, in_top = left + OUTLINE, top + OUTLINE
        in_right, in_bottom = right - OUTLINE, bottom - OUTLINE
        if not (in_left <= x < in_right and in_top <= y < in_bottom):
            return NAVY
        # The diagonal from the bottom left inner corner to the top right one.
        if distance_to_segment(x, y, in_left, in_bottom, in_right, in_top) <= DIAGONAL_WIDTH / 2:
            return NAVY
        return PINK
    if left + SHADOW_OFFSET <= x < right + SHADOW_OFFSET and top + SHADOW_OFFSET <= y < bottom + SHADOW_OFFSET:
        return SHADOW
    return LAVENDER


def render():
    """Returns SIZE rows of SIZE pixels, each an (r, g, b) tuple or None for transparent."""
    rows = []
    step = 1.0 / SAMPLES
    for py in range(SIZE):
        row = []
        for px in range(SIZE):
            hits = []
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    c = colour_at(px + (sx + 0.5) * step, py + (sy + 0.5) * step)
                    if c is not None:
                        hits.append(c)
            if len(hits) * 2 < SAMPLES * SAMPLES:
                row.append(None)
            else:
                row.append(tuple(round(sum(c[i] for c in hits) / len(hits)) for i in range(3)))
        rows.append(row)
    return rows


def to_palette(rows):
    """Index 0 is transparent (black, as icon masks expect); the rest are sorted by use."""
    counts = {}
    for row in rows:
        for c in row:
            if c is not None:
                counts[c] = counts.get(c, 0) + 1
    colours = sorted(counts, key=lambda c: (-counts[c], c))
    if len(colours) > 255:
        sys.exit(f"make-icon: {len(colours)} colours do not fit into a 256-colour palette")
    palette = [(0, 0, 0)] + colours
    palette += [(0, 0, 0)] * (256 - len(palette))
    index = {c: i + 1 for i, c in enumerate(colours)}
    pixels = [[0 if c is None else index[c] for c in row] for row in rows]
    return palette, pixels


def png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def make_png(palette, pixels):
    header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 3, 0, 0, 0)  # 8-bit palette, no interlace
    plte = b"".join(bytes(c) for c in palette)
    trns = bytes([0])  # only index 0 is transparent; the rest stay opaque
    raw = b"".join(b"\x00" + bytes(row) for row in pixels)  # filter type 0 on each row
    return (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", header) + png_chunk(b"PLTE", plte)
            + png_chunk(b"tRNS", trns) + png_chunk(b"IDAT", zlib.compress(raw, 9))
            + png_chunk(b"IEND", b""))


def make_ico(palette, pixels):
    """One 32 x 32 image of 8 bits per pixel in the classic bitmap form."""
    xor = b"".join(bytes(row) for row in reversed(pixels))  # bottom-up, 32 bytes per row
    mask = bytearray()
    for row in reversed(pixels):
        bits = 0
        for i in row:
            bits = (bits << 1) | (1 if i == 0 else 0)
        mask += struct.pack(">I", bits)  # 32 bits: exactly one 4-byte aligned row
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 8, 0, len(xor) + len(mask), 0, 0, 256, 0)
    quads = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    image = info + quads + xor + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 8, len(image), 6 + 16)
    return directory + entry + image


def png_content(data):
    """The chunks that make up the picture, with the image data unpacked, for comparison."""
    pos, chunks, idat = 8, [], b""
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IDAT":
            idat += body
        else:
            chunks.append((kind, body))
        pos += 12 + length
    return data[:8], chunks, zlib.decompress(idat) if idat else b""


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    default_dir = pathlib.Path(__file__).resolve().parent.parent / "resources"
    parser.add_argument("--out-dir", type=pathlib.Path, default=default_dir)
    parser.add_argument("--check", action="store_true",
                        help="compare with the files in the output folder instead of writing them")
    args = parser.parse_args()

    palette, pixels = to_palette(render())
    png, ico = make_png(palette, pixels), make_ico(palette, pixels)
    png_path, ico_path = args.out_dir / "quadrelon.png", args.out_dir / "quadrelon.ico"
    if args.check:
        stale = []
        # The PNG is compared by content: another zlib may pack the same pixels differently.
        try:
            if png_content(png_path.read_bytes()) != png_content(png):
                stale.append(png_path)
        except (OSError, struct.error, zlib.error):  # missing, cut short or damaged
            stale.append(png_path)
        if not ico_path.exists() or ico_path.read_bytes() != ico:
            stale.append(ico_path)
        for path in stale:
            print(f"make-icon: {path} differs from the drawing; run scripts/make-icon.py", file=sys.stderr)
        return 1 if stale else 0
    args.out_dir.mkdir(parents=True, exist_ok=True)
    png_path.write_bytes(png)
    ico_path.write_bytes(ico)
    print(f"make-icon: wrote {png_path} and {ico_path} ({len(set(palette))} distinct colours in a 256-entry palette)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
