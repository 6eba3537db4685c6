#!/usr/bin/env python3
"""Draws the Wordoria program icon: wordoria.ico and the desktop's PNGs.

The picture is a closed indigo book with cream page edges, a red bookmark
ribbon and a gold "W" on the cover. It is drawn from a few vector shapes
with supersampling, so every size is rendered on its own instead of being
scaled from a larger bitmap; the W of the 16x16 image is placed pixel by
pixel, as a stroked letter is only a blur at that size.

The .ico holds the sizes Windows asks for, 16x16 to 256x256: each up to
128x128 a 32-bit BGRA DIB with its AND mask, which every Windows version and
resource compiler accepts; the 256x256 one a PNG, as Windows keeps it (a DIB
that large is 256 KB). The PNGs in icons/ are the same drawing at the sizes a
Linux desktop and its software centres look for (64x64 and up: AppStream
drops an application whose icon is smaller).

Usage: python3 make_icon.py        (writes beside this script)
Only the standard library is used; the output is byte-for-byte repeatable.
"""

import math
import os
import struct
import zlib

ICO_SIZES = (16, 24, 32, 48, 64, 128, 256)
PNG_SIZES = (48, 64, 128, 256)
SUPERSAMPLE = 6  # samples per pixel along each axis

# Colours as (r, g, b, a), a in 0..1.
OUTLINE = (0x1A, 0x22, 0x55, 1.0)
COVER = (0x2E, 0x45, 0xA8, 1.0)
SPINE = (0x22, 0x33, 0x80, 1.0)
PAGES = (0xF6, 0xEF, 0xD8, 1.0)
PAGE_LINE = (0xC9, 0xBC, 0x98, 1.0)
RIBBON = (0xD2, 0x2B, 0x2B, 1.0)
LETTER = (0xF5, 0xC8, 0x42, 1.0)


# The W of the 16x16 image, pixel by pixel, and where its top left corner goes.
SMALL_W = (
    "#.......#",
    "#.......#",
    "#...#...#",
    "#...#...#",
    ".#.#.#.#.",
    ".#.#.#.#.",
    "..#...#..",
)
SMALL_W_LEFT = 3
SMALL_W_TOP = 3


def in_round_rect(x, y, left, top, right, bottom, radius):
    """True when (x, y) lies in the rounded rectangle (unit coordinates)."""
    if x < left or x > right or y < top or y > bottom:
        return False
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius


def segment_distance(x, y, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)
    t = min(max(t, 0.0), 1.0)
    return math.hypot(x - (ax + t * dx), y - (ay + t * dy))


def in_polyline(x, y, points, width):
    half = width / 2.0
    for (ax, ay), (bx, by) in zip(points, points[1:]):
        if segment_distance(x, y, ax, ay, bx, by) <= half:
            return True
    return False


def in_ribbon(x, y, left, top, right, bottom, notch):
    """A bookmark ribbon: a strip with a V cut into its lower end."""
    if x < left or x > right or y < top or y > bottom:
        return False
    mid = (left + right) / 2.0
    cut = bottom - notch * (1.0 - abs(x - mid) / ((right - left) / 2.0))
    return y <= cut


def shapes(size):
    """The layers of the picture, back to front, for one icon size.

    Edges are snapped to the pixel grid and outlines are one pixel wide at
    every size, so the small images stay crisp instead of blurring.
    """
    px = 1.0 / size

    def snap(v):
        return round(v * size) / size

    def box(left, top, right, bottom, inset=0):
        return (snap(left) + inset * px, snap(top) + inset * px,
                snap(right) - inset * px, snap(bottom) - inset * px)

    stroke = max(0.10, 2.0 * px)  # the W stays at least 2 px thick
    # W corners sit on pixel centres when the stroke is an even pixel count
    w_points = [(snap(x) + (0 if round(stroke * size) % 2 == 0 else px / 2),
                 snap(y) + (0 if round(stroke * size) % 2 == 0 else px / 2))
                for x, y in ((0.30, 0.28), (0.40, 0.68), (0.50, 0.40), (0.60, 0.68), (0.70, 0.28))]
    pages = box(0.14, 0.10, 0.94, 0.97)
    cover = box(0.04, 0.03, 0.84, 0.88)
    spine_right = snap(0.18)
    line_y = pages[3] - 2 * px
    line_x = pages[2] - 2 * px
    radius_cover = max(0.06, 1.5 * px)
    ribbon = box(0.58, 0.80, 0.72, 1.0)

    if size <= 16:
        # A stroked W is a blur at this size: use hand-placed pixels instead.
        cells = {(col + SMALL_W_LEFT, row + SMALL_W_TOP)
                 for row, line in enumerate(SMALL_W) for col, c in enumerate(line) if c == "#"}

        def letter(x, y):
            return (int(x * size), int(y * size)) in cells
    else:
        def letter(x, y):
            return in_polyline(x, y, w_points, stroke)

    def in_cover(x, y, inset):
        return in_round_rect(x, y, *box(*cover, inset=inset), radius_cover - inset * px)

    return [
        # page block showing to the right of and below the cover
        (OUTLINE, lambda x, y: in_round_rect(x, y, *pages, radius_cover)),
        (PAGES, lambda x, y: in_round_rect(x, y, *box(*pages, inset=1), radius_cover - px)),
        # a page edge line along each visible side
        (PAGE_LINE, lambda x, y: line_y - px / 2 <= y <= line_y + px / 2 and pages[0] + 2 * px <= x <= line_x),
        (PAGE_LINE, lambda x, y: line_x - px / 2 <= x <= line_x + px / 2 and pages[1] + 2 * px <= y <= line_y),
        # front cover with a darker spine band
        (OUTLINE, lambda x, y: in_cover(x, y, 0)),
        (COVER, lambda x, y: in_cover(x, y, 1)),
        (SPINE, lambda x, y: x <= spine_right and in_cover(x, y, 1)),
        # bookmark ribbon hanging out at the bottom
        (RIBBON, lambda x, y: in_ribbon(x, y, *ribbon, max(0.05, 1.0 * px))),
        # the letter
        (LETTER, letter),
    ]


def render(size):
    """Returns rows top to bottom of (b, g, r, a) byte tuples."""
    layers = shapes(size)
    n = SUPERSAMPLE
    rows = []
    for py in range(size):
        row = []
        for pxi in range(size):
            # accumulate premultiplied colour over the samples
            acc_r = acc_g = acc_b = acc_a = 0.0
            for sy in range(n):
                y = (py + (sy + 0.5) / n) / size
                for sx in range(n):
                    x = (pxi + (sx + 0.5) / n) / size
                    r = g = b = a = 0.0
                    for (cr, cg, cb, ca), inside in layers:
                        if inside(x, y):
                            # "over" with premultiplied values
                            r = cr * ca + r * (1 - ca)
                            g = cg * ca + g * (1 - ca)
                            b = cb * ca + b * (1 - ca)
                            a = ca + a * (1 - ca)
                    acc_r += r
                    acc_g += g
                    acc_b += b
                    acc_a += a
            count = n * n
            alpha = acc_a / count
            if alpha <= 0.0:
                row.append((0, 0, 0, 0))
                continue
            # DIB icons store straight (not premultiplied) colour
            red = round(acc_r / count / alpha)
            green = round(acc_g / count / alpha)
            blue = round(acc_b / count / alpha)
            row.append((min(blue, 255), min(green, 255), min(red, 255), round(alpha * 255)))
        rows.append(row)
    return rows


def dib_image(size):
    """One icon image: BITMAPINFOHEADER, XOR bitmap (32 bpp), AND mask."""
    rows = render(size)
    xor = bytearray()
    for row in reversed(rows):  # DIBs are stored bottom-up
        for b, g, r, a in row:
            xor += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:  # set bit = transparent for viewers that ignore alpha
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    header = struct.pack(
        "<IiiHHIIiiII",
        40,              # biSize
        size,            # biWidth
        size * 2,        # biHeight: XOR and AND bitmaps together
        1,               # biPlanes
        32,              # biBitCount
        0,               # biCompression: BI_RGB
        len(xor) + len(mask),
        0, 0, 0, 0,
    )
    return header + bytes(xor) + bytes(mask)


def build_ico(sizes=ICO_SIZES):
    images = [build_png(s) if s >= 256 else dib_image(s) for s in sizes]
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, data in zip(sizes, images):
        out += struct.pack(
            "<BBBBHHII",
            size if size < 256 else 0,  # width
            size if size < 256 else 0,  # height
            0,                          # colour count: not a palette image
            0,                          # reserved
            1,                          # planes
            32,                         # bits per pixel
            len(data),
            offset,
        )
        offset += len(data)
    for data in images:
        out += data
    return bytes(out)


def build_png(size):
    """The same drawing as a PNG, for desktops that take no .ico."""
    rows = render(size)
    raw = bytearray()
    for row in rows:
        raw.append(0)  # filter: none
        for b, g, r, a in row:
            raw += bytes((r, g, b, a))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(raw), 9))
            + chunk(b"IEND", b""))


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)
    print("wrote", path)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    write(os.path.join(here, "wordoria.ico"), build_ico())
    for size in PNG_SIZES:
        write(os.path.join(here, "icons", "%dx%d" % (size, size), "wordoria.png"), build_png(size))


if __name__ == "__main__":
    main()
