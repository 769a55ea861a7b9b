#!/usr/bin/env python3
"""Draws the program's icon and writes app/resources/varnholt.ico.

The icon is a blue rounded square with a white speech bubble holding two lines of
"text": the program's one action is showing a message. Every size has its own
layout: 16x16 and 24x24 are laid out on whole pixels so that their straight edges
are crisp, the larger sizes scale the 16x16 layout up by whole factors. Edges are
anti-aliased by supersampling the pixels a shape's outline passes through.

Only the standard library is used and the output is the same bytes on every run.
The build does not run this script: run it after changing the design and commit
the .ico with it.

    python3 tools/make_icon.py             # writes app/resources/varnholt.ico
    python3 tools/make_icon.py --check     # fails when the committed .ico is stale
    python3 tools/make_icon.py -o out.ico  # writes somewhere else
"""

import argparse
import math
import pathlib
import struct
import sys
import zlib

DEFAULT_OUTPUT = pathlib.Path(__file__).resolve().parent.parent / "app" / "resources" / "varnholt.ico"

SIZES = (16, 24, 32, 48, 256)
PNG_FROM_SIZE = 256  # Vista and later read PNG entries; a 256x256 bitmap would cost 256 KiB.

TILE_TOP = (0x42, 0x8B, 0xF5)
TILE_BOTTOM = (0x1E, 0x5B, 0xD6)
BUBBLE = (0xFF, 0xFF, 0xFF)
TEXT_LINES = (0x1E, 0x5B, 0xD6)

SUBSAMPLES = 8  # per axis, for pixels on an edge
EDGE_BAND = 0.75  # a pixel whose centre is farther than this from an outline is fully in or out


# Shapes are signed distance functions: negative inside, positive outside, in pixels.


def rounded_rect(x0, y0, x1, y1, radius):
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - radius, (y1 - y0) / 2 - radius

    def distance(px, py):
        qx, qy = abs(px - cx) - hx, abs(py - cy) - hy
        ox, oy = max(qx, 0.0), max(qy, 0.0)
        # sqrt, unlike hypot, is correctly rounded everywhere: the bytes do not depend on the libm.
        return math.sqrt(ox * ox + oy * oy) + min(max(qx, qy), 0.0) - radius

    return distance


def polygon(points):
    def distance(px, py):
        nearest = math.inf
        inside = False
        for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
            ex, ey = bx - ax, by - ay
            wx, wy = px - ax, py - ay
            t = min(max((wx * ex + wy * ey) / (ex * ex + ey * ey), 0.0), 1.0)
            dx, dy = wx - ex * t, wy - ey * t
            nearest = min(nearest, dx * dx + dy * dy)
            if (ay > py) != (by > py) and px < ax + (py - ay) * ex / ey:
                inside = not inside
        return -math.sqrt(nearest) if inside else math.sqrt(nearest)

    return distance


def union(*shapes):
    # Exact outside; inside it underestimates the depth, which only makes the edge band wider.
    return lambda px, py: min(shape(px, py) for shape in shapes)


def text_line(x0, y0, x1, y1, round_caps):
    return rounded_rect(x0, y0, x1, y1, (y1 - y0) / 2 if round_caps else 0.0)


# Layouts, in pixels of the image they are for.


def layout_16(scale=1):
    """The master layout on a 16-pixel grid; whole scale factors keep every edge on a pixel boundary."""
    s = scale
    body = rounded_rect(3 * s, 3 * s, 13 * s, 11 * s, 2 * s)
    # The tail starts where the body's corner ends, in line with the text.
    tail = polygon([(5 * s, 10 * s), (8 * s, 10 * s), (8 * s, 11 * s), (5 * s, 14 * s)])
    round_caps = s >= 3
    return {
        "tile": rounded_rect(0, 0, 16 * s, 16 * s, 3 * s),
        "bubble": union(body, tail),
        "lines": [
            text_line(5 * s, 5 * s, 11 * s, 6 * s, round_caps),
            text_line(5 * s, 8 * s, 9 * s, 9 * s, round_caps),
        ],
    }


def layout_24():
    """Laid out by hand: 1.5 times the master would put edges on half pixels."""
    body = rounded_rect(4, 4, 20, 16, 3)
    tail = polygon([(7, 15), (11, 15), (11, 16), (7, 20)])
    return {
        "tile": rounded_rect(0, 0, 24, 24, 4),
        "bubble": union(body, tail),
        "lines": [text_line(7, 7, 17, 9, False), text_line(7, 11, 13, 13, False)],
    }


LAYOUTS = {
    16: layout_16,
    24: layout_24,
    32: lambda: layout_16(2),
    48: lambda: layout_16(3),
    256: lambda: layout_16(16),
}


def coverage(shape, x, y):
    """The part of pixel (x, y) that the shape covers, from 0 to 1."""
    centre = shape(x + 0.5, y + 0.5)
    if centre >= EDGE_BAND:
        return 0.0
    if centre <= -EDGE_BAND:
        return 1.0
    steps = [(k + 0.5) / SUBSAMPLES for k in range(SUBSAMPLES)]
    hits = sum(1 for sy in steps for sx in steps if shape(x + sx, y + sy) < 0)
    return hits / (SUBSAMPLES * SUBSAMPLES)


def blend(under, colour, alpha):
    """Paints colour at alpha over an unpremultiplied (r, g, b, a) pixel."""
    r, g, b, a = under
    out = alpha + a * (1 - alpha)
    if out == 0:
        return (0.0, 0.0, 0.0, 0.0)
    mix = [(c * alpha + u * a * (1 - alpha)) / out for c, u in zip(colour, (r, g, b))]
    return (*mix, out)


def tile_colour(y, size):
    t = (y + 0.5) / size
    return tuple(top + (bottom - top) * t for top, bottom in zip(TILE_TOP, TILE_BOTTOM))


def to_bytes(pixel):
    r, g, b, alpha = pixel
    a = round(alpha * 255)
    # A fully clear pixel is black: the AND mask hides it, and XOR with black leaves the screen alone.
    return (0, 0, 0, 0) if a == 0 else (round(r), round(g), round(b), a)


def render(size):
    """The icon at one size: rows of (r, g, b, a) bytes, top row first."""
    layout = LAYOUTS[size]()
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            pixel = blend((0.0, 0.0, 0.0, 0.0), tile_colour(y, size), coverage(layout["tile"], x, y))
            pixel = blend(pixel, BUBBLE, coverage(layout["bubble"], x, y))
            for line in layout["lines"]:
                pixel = blend(pixel, TEXT_LINES, coverage(line, x, y))
            row.append(to_bytes(pixel))
        rows.append(row)
    return rows


def bmp_entry(rows):
    """A 32-bit BGRA icon bitmap: header, colour rows and AND mask, both bottom-up."""
    size = len(rows)
    colour = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for r, g, b, a in row)
    mask_stride = (size + 31) // 32 * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:  # only fully clear pixels are masked
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    # BITMAPINFOHEADER: the height counts the colour rows and the mask rows.
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(colour) + len(mask), 0, 0, 0, 0)
    return header + colour + bytes(mask)


def png_entry(rows):
    size = len(rows)
    raw = b"".join(b"\0" + bytes(v for pixel in row for v in pixel) for row in rows)

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)  # 8-bit RGBA, not interlaced
    # zlib at a fixed level gives the same bytes on every run.
    body = chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")
    return b"\x89PNG\r\n\x1a\n" + body


def build_ico():
    images = [(size, (png_entry if size >= PNG_FROM_SIZE else bmp_entry)(render(size))) for size in SIZES]
    offset = 6 + 16 * len(images)
    directory = struct.pack("<HHH", 0, 1, len(images))
    for size, data in images:
        side = size % 256  # 0 stands for 256
        directory += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return directory + b"".join(data for _, data in images)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("-o", "--output", type=pathlib.Path, default=DEFAULT_OUTPUT)
    parser.add_argument("--check", action="store_true",
                        help="compare with the output file instead of writing it")
    args = parser.parse_args()
    ico = build_ico()
    if args.check:
        try:
            current = args.output.read_bytes()
        except OSError as error:
            sys.exit(f"make_icon: cannot read {args.output}: {error.strerror}")
        if current != ico:
            sys.exit(f"make_icon: {args.output} is stale; run tools/make_icon.py")
        return
    args.output.parent.mkdir(parents=True, exist_ok=True)
    args.output.write_bytes(ico)


if __name__ == "__main__":
    main()
