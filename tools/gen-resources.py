#!/usr/bin/env python3
"""Writes the item list's bitmaps into a program folder's resource folder.

    gen-resources.py FOLDER

rating.bmp    two 16 x 16 images side by side: a filled star, an empty star
favorite.bmp  ten 12 x 12 images side by side: the marks of favourite groups 0-9
scroll_lock.bmp  two 16 x 16 lamps side by side: Scroll Lock off, on

24-bit bitmaps; magenta (255, 0, 255) is the transparent colour. The program
reads them from its "resource" folder at start-up.
"""
import math
import os
import struct
import sys

KEY = (255, 0, 255)


def write_bmp(path, width, height, pixel):
    row = (width * 3 + 3) & ~3
    data = bytearray()
    for y in range(height - 1, -1, -1):  # bottom-up
        line = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            line += bytes((b, g, r))
        data += line + bytes(row - len(line))
    header = struct.pack('<2sIHHI', b'BM', 54 + len(data), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, 'wb') as out:
        out.write(header + info + data)


def star_polygon(cx, cy, outer, inner):
    points = []
    for i in range(10):
        angle = math.pi / 2 + i * math.pi / 5
        radius = outer if i % 2 == 0 else inner
        points.append((cx + radius * math.cos(angle), cy - radius * math.sin(angle)))
    return points


def inside(points, x, y):
    hit = False
    j = len(points) - 1
    for i in range(len(points)):
        xi, yi = points[i]
        xj, yj = points[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            hit = not hit
        j = i
    return hit


def coverage(points, x, y):
    """Share of the pixel inside the polygon, from 4 x 4 samples."""
    hits = sum(inside(points, x + (i + 0.5) / 4, y + (j + 0.5) / 4) for i in range(4) for j in range(4))
    return hits / 16


def blend(colour, background, share):
    return tuple(round(c * share + b * (1 - share)) for c, b in zip(colour, background))


def rating(path):
    star = star_polygon(8, 8.4, 7.6, 3.1)
    inner = star_polygon(8, 8.4, 5.4, 1.9)
    gold, edge, hollow = (247, 181, 0), (176, 120, 0), (200, 200, 200)

    def pixel(x, y):
        image, px = divmod(x, 16)
        share = coverage(star, px, y)
        if share == 0:
            return KEY
        if image == 0:
            return blend(gold, edge, coverage(inner, px, y)) if share >= 0.5 else KEY
        # The empty star: an outline only.
        return hollow if share >= 0.5 and coverage(inner, px, y) < 0.5 else KEY

    write_bmp(path, 32, 16, pixel)


# 3 x 5 digits, row by row, for the favourite marks.
DIGITS = ['111101101101111', '010110010010111', '111001111100111', '111001111001111', '101101111001001',
          '111100111001111', '111100111101111', '111001010010010', '111101111101111', '111101111001111']
COLOURS = [(220, 60, 60), (240, 140, 30), (200, 170, 0), (70, 160, 60), (30, 150, 150),
           (50, 110, 210), (110, 80, 200), (190, 70, 170), (120, 120, 120), (150, 100, 60)]


def favorite(path):
    def pixel(x, y):
        digit, px = divmod(x, 12)
        # A rounded square of the group's colour with its digit in white.
        corner = (px in (0, 11)) and (y in (0, 11))
        if px > 11 or y > 11 or corner:
            return KEY
        # The digit's pixels are 2 x 2, in the middle 6 x 10.
        dx, dy = px - 3, y - 1
        if 0 <= dx < 6 and 0 <= dy < 10 and DIGITS[digit][dy // 2 * 3 + dx // 2] == '1':
            return (255, 255, 255)
        return COLOURS[digit]

    write_bmp(path, 120, 12, pixel)


def scroll_lock(path):
    lamp = [(8 + 6 * math.cos(i * math.pi / 16), 8 + 6 * math.sin(i * math.pi / 16)) for i in range(32)]
    inner = [(8 + 4.6 * math.cos(i * math.pi / 16), 8 + 4.6 * math.sin(i * math.pi / 16)) for i in range(32)]
    lit, dark, edge = (40, 200, 70), (150, 150, 150), (60, 60, 60)

    def pixel(x, y):
        image, px = divmod(x, 16)
        share = coverage(lamp, px, y)
        if share < 0.5:
            return KEY
        return blend(lit if image else dark, edge, coverage(inner, px, y))

    write_bmp(path, 32, 16, pixel)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    rating(os.path.join(folder, 'rating.bmp'))
    favorite(os.path.join(folder, 'favorite.bmp'))
    scroll_lock(os.path.join(folder, 'scroll_lock.bmp'))


if __name__ == '__main__':
    main()
