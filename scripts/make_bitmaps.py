#!/usr/bin/env python3
"""Draws the 16 x 16 status and colour bitmaps into res/bitmaps/<id>.bmp (24-bit, uncompressed).

Image lists take their mask from the corner pixel: every picture stands on magenta, a colour none of them uses, so
that the mask takes away the background and nothing of the picture (the squares keep their darker border).
"""
import struct
import sys
from pathlib import Path

SIZE = 16
MAGENTA = (255, 0, 255)
WHITE = (255, 255, 255)
DARK = (32, 32, 32)

# Glyphs: "#" is the glyph colour, anything else leaves the shape below. Drawn for a centre of 7.5, 7.5.
GLYPH_INFO = [
    "................",
    "................",
    "................",
    ".......##.......",
    ".......##.......",
    "................",
    "......###.......",
    ".......##.......",
    ".......##.......",
    ".......##.......",
    ".......##.......",
    ".......##.......",
    "......####......",
    "................",
    "................",
    "................",
]
GLYPH_CHECK = [
    "................",
    "................",
    "................",
    "................",
    "...........##...",
    "..........###...",
    "....##...###....",
    "....###.###.....",
    ".....#####......",
    "......###.......",
    ".......#........",
    "................",
    "................",
    "................",
    "................",
    "................",
]
GLYPH_WARNING = [
    "................",
    "................",
    "................",
    "................",
    ".......##.......",
    ".......##.......",
    ".......##.......",
    ".......##.......",
    ".......##.......",
    ".......##.......",
    "................",
    ".......##.......",
    ".......##.......",
    "................",
    "................",
    "................",
]
GLYPH_FAILURE = [
    "................",
    "................",
    "................",
    ".......##.......",
    ".......##.......",
    ".......##.......",
    ".......##.......",
    ".......##.......",
    ".......##.......",
    "................",
    ".......##.......",
    ".......##.......",
    "................",
    "................",
    "................",
    "................",
]

# Fill colours of the colour squares, in resource order from 1040.
SQUARES = [
    ("grey", (158, 158, 158)),
    ("purple", (142, 36, 170)),
    ("indigo", (57, 73, 171)),
    ("light blue", (100, 181, 246)),
    ("cyan", (0, 210, 230)),
    ("teal", (0, 137, 123)),
    ("green", (67, 160, 71)),
    ("yellow", (253, 216, 53)),
    ("orange", (251, 140, 0)),
    ("red", (229, 57, 53)),
    ("pink", (240, 98, 146)),
]


def darker(colour, factor=0.6):
    return tuple(int(c * factor) for c in colour)


def blank(colour):
    return [[colour] * SIZE for _ in range(SIZE)]


def disc(fill):
    """A disc filling the bitmap, with a one-pixel darker rim, on magenta."""
    rim = darker(fill, 0.7)
    img = blank(MAGENTA)
    for y in range(SIZE):
        for x in range(SIZE):
            d2 = (x - 7.5) ** 2 + (y - 7.5) ** 2
            if d2 <= 7.8**2:
                img[y][x] = fill if d2 <= 6.8**2 else rim
    return img


# Warning triangle: "o" edge, "Y" fill, "." background.
TRIANGLE = [
    "................",
    ".......oo.......",
    "......oYYo......",
    "......oYYo......",
    ".....oYYYYo.....",
    ".....oYYYYo.....",
    "....oYYYYYYo....",
    "....oYYYYYYo....",
    "...oYYYYYYYYo...",
    "...oYYYYYYYYo...",
    "..oYYYYYYYYYYo..",
    "..oYYYYYYYYYYo..",
    ".oYYYYYYYYYYYYo.",
    ".oYYYYYYYYYYYYo.",
    "oooooooooooooooo",
    "................",
]


def triangle(fill, edge):
    colours = {"o": edge, "Y": fill, ".": MAGENTA}
    return [[colours[ch] for ch in row] for row in TRIANGLE]


def overlay(img, glyph, colour):
    for y, row in enumerate(glyph):
        for x, ch in enumerate(row):
            if ch == "#":
                img[y][x] = colour
    return img


def square(fill):
    """A square with a darker border, one pixel in from the edges, on magenta."""
    edge = darker(fill)
    img = blank(MAGENTA)
    first, last = 1, SIZE - 2
    for y in range(first, last + 1):
        for x in range(first, last + 1):
            img[y][x] = edge if y in (first, last) or x in (first, last) else fill
    return img


def bmp_bytes(img):
    """A 24-bit bottom-up BMP: file header, info header, rows of BGR padded to four bytes."""
    height, width = len(img), len(img[0])
    stride = (width * 3 + 3) & ~3
    rows = []
    for row in reversed(img):
        line = b"".join(bytes((b, g, r)) for r, g, b in row)
        rows.append(line + bytes(stride - len(line)))
    pixels = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    offset = 14 + len(info)
    head = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return head + info + pixels


def bitmaps():
    yield 1024, overlay(disc((25, 100, 210)), GLYPH_INFO, WHITE)
    yield 1025, overlay(disc((40, 160, 60)), GLYPH_CHECK, WHITE)
    yield 1026, overlay(triangle((255, 205, 30), (170, 120, 0)), GLYPH_WARNING, DARK)
    yield 1027, overlay(disc((215, 35, 35)), GLYPH_FAILURE, WHITE)
    for i, (_, fill) in enumerate(SQUARES):
        yield 1040 + i, square(fill)


def main(out_dir):
    out = Path(out_dir)
    out.mkdir(parents=True, exist_ok=True)
    for number, img in bitmaps():
        (out / f"{number}.bmp").write_bytes(bmp_bytes(img))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else str(Path(__file__).resolve().parent.parent / "res" / "bitmaps"))
