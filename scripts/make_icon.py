#!/usr/bin/env python3
"""Draws the program icon (a blue tile with a white "K" and an orange dot) into res/DaDeruv.ico."""
import struct
import sys
from pathlib import Path


def pixel(size, x, y):
    """BGRA of the pixel at x, y (y from the top)."""
    u, v = (x + 0.5) / size, (y + 0.5) / size
    margin, radius = 0.06, 0.18
    # rounded tile
    cx = min(max(u, margin + radius), 1 - margin - radius)
    cy = min(max(v, margin + radius), 1 - margin - radius)
    if (u - cx) ** 2 + (v - cy) ** 2 > radius ** 2:
        return (0, 0, 0, 0)
    blue = (197, 93, 95, 255)  # red 95, green 93, blue 197
    stem = 0.28 <= u <= 0.40 and 0.22 <= v <= 0.78
    d_up = abs((u - 0.40) - (0.52 - v) * 0.95)
    d_down = abs((u - 0.40) - (v - 0.48) * 0.95)
    arm_up = 0.22 <= v <= 0.54 and d_up <= 0.07 and u >= 0.38
    arm_down = 0.46 <= v <= 0.78 and d_down <= 0.07 and u >= 0.38
    if stem or arm_up or arm_down:
        return (255, 255, 255, 255)
    if (u - 0.76) ** 2 + (v - 0.26) ** 2 <= 0.08 ** 2:
        return (40, 160, 250, 255)
    return blue


def image(size):
    rows = []
    for y in reversed(range(size)):  # bottom-up, as bitmaps are stored
        rows.append(b"".join(bytes(pixel(size, x, y)) for x in range(size)))
    xor = b"".join(rows)
    mask_row = ((size + 31) // 32) * 4
    mask = bytes(mask_row * size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + xor + mask


def main(out):
    sizes = [16, 32, 48]
    images = [image(s) for s in sizes]
    data = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, img in zip(sizes, images):
        data += struct.pack("<BBBBHHII", s, s, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    Path(out).write_bytes(data + b"".join(images))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else str(Path(__file__).resolve().parent.parent / "res" / "DaDeruv.ico"))
