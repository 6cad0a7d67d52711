#!/usr/bin/env python3
"""Writes the program's icon: a quill over a blue disc, at 16, 32 and 48 pixels.

    gen-icon.py OUT.ico

Each size is drawn from the same shapes with 4 x 4 supersampling and stored as
a 32-bit BMP image with alpha (the ICO form every Windows version reads).
"""
import math
import struct
import sys

SIZES = (16, 32, 48)
SAMPLES = 4
DISC = (38, 92, 168)
RIM = (20, 52, 104)
QUILL = (250, 246, 232)
SHAFT = (120, 80, 40)


def shape_colour(x, y):
    """The colour at (x, y) in the unit square, or None outside the icon."""
    cx, cy = x - 0.5, y - 0.5
    r = math.hypot(cx, cy)
    # The feather: an ellipse leaning 45 degrees, from lower left to upper right.
    u = (cx + cy) / math.sqrt(2)      # across the quill
    v = (cx - cy) / math.sqrt(2)      # along it, positive towards the upper right
    if -0.36 < v < 0.40 and (u / 0.13) ** 2 + ((v - 0.05) / 0.36) ** 2 < 1:
        return SHAFT if abs(u) < 0.018 else QUILL
    if -0.44 < v <= -0.30 and abs(u) < 0.025:
        return SHAFT
    if r < 0.44:
        return DISC
    if r < 0.48:
        return RIM
    return None


def pixels(size):
    """Rows of (b, g, r, a) from the top, averaged over the samples."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    c = shape_colour((px + (sx + 0.5) / SAMPLES) / size, (py + (sy + 0.5) / SAMPLES) / size)
                    if c:
                        acc[0] += c[2]; acc[1] += c[1]; acc[2] += c[0]; acc[3] += 255
            n = SAMPLES * SAMPLES
            covered = acc[3] // 255
            row.append(tuple(v // covered for v in acc[:3]) + (acc[3] // n,) if covered else (0, 0, 0, 0))
        rows.append(row)
    return rows


def bmp_image(size):
    """The icon image: header of doubled height, bottom-up pixels, AND mask."""
    rows = pixels(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(bytes(p) for row in reversed(rows) for p in row)
    stride = ((size + 31) // 32) * 4
    mask = b""
    for row in reversed(rows):
        bits = 0
        for i, p in enumerate(row):
            if p[3] == 0:
                bits |= 1 << (stride * 8 - 1 - i)
        mask += bits.to_bytes(stride, "big")
    return header + colour + mask


def icon():
    images = [bmp_image(s) for s in SIZES]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(SIZES, images):
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(images)


if __name__ == "__main__":
    with open(sys.argv[1], "wb") as f:
        f.write(icon())
