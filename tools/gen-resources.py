#!/usr/bin/env python3
"""Writes the program's own bitmaps and texts into a program folder.

    gen-resources.py FOLDER [--icons ICON_FOLDER]

Into FOLDER (the program folder's "resource" folder):
rating.bmp    two 16 x 16 images side by side: a filled star, an empty star
favorite.bmp  ten 12 x 12 images side by side: the marks of favourite groups 0-9
scroll_lock.bmp  two 16 x 16 lamps side by side: Scroll Lock off, on
column.bmp    four 16 x 16 header arrows: up, down, dim up, dim down
toolbar.bmp   sixteen 16 x 16 tool bar buttons side by side
adult.bmp, AlterEgo.bmp, maxdisk.bmp  one 12 x 12 mark each, drawn beside
              the favourite marks: adult item, item with an alter ego,
              multi-image item
snap_operation.bmp  six 16 x 16 buttons of the snapshot view
images.bmp    four 16 x 16 images of the query tree: folder, open folder,
              query, library
wait_anime.bmp  twelve 420 x 80 frames of the busy window, stacked vertically
pophelp.txt   the pop-up help, Shift-JIS

With --icons, also ICON_FOLDER/<kind>/<file> (kind media, genre, machine,
cero): the 32 x 32 default icons of the master tables' seed rows, listed in
ICONS below (tests/dblib/default_icons_test.cpp keeps the list equal to the
rows a new database gets). Black is their transparent colour.

24-bit bitmaps; magenta (255, 0, 255) is the transparent colour of the
resource bitmaps. The program reads them from its "resource" folder at
start-up.
"""
import argparse
import colorsys
import math
import os
import struct
import sys
import zlib

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



# A 3 x 5 pixel font, row by row, for the labels of icons and buttons.
FONT = {
    'A': '010101111101101', 'B': '110101110101110', 'C': '011100100100011', 'D': '110101101101110',
    'E': '111100110100111', 'F': '111100110100100', 'G': '011100101101011', 'H': '101101111101101',
    'I': '111010010010111', 'J': '001001001101010', 'K': '101101110101101', 'L': '100100100100111',
    'M': '101111111101101', 'N': '110101101101101', 'O': '010101101101010', 'P': '110101110100100',
    'Q': '010101101110011', 'R': '110101110101101', 'S': '011100010001110', 'T': '111010010010010',
    'U': '101101101101111', 'V': '101101101101010', 'W': '101101111111101', 'X': '101101010101101',
    'Y': '101101010010010', 'Z': '111001010100111', '.': '000000000000010', '-': '000000111000000',
    '/': '001001010100100', '+': '000010111010000', '<': '001010100010001', '>': '100010001010100',
    '?': '110001010000010', '*': '101010101000000', '=': '000111000111000', ' ': '000000000000000',
}
FONT.update({str(d): bits for d, bits in enumerate(DIGITS)})


def text_width(label, scale):
    return (4 * len(label) - 1) * scale if label else 0


def text_pixels(lines, scale, width, height):
    """The set of lit (x, y) of `lines` centred in width x height."""
    lit = set()
    line_height = 5 * scale
    gap = scale
    top = (height - (len(lines) * line_height + (len(lines) - 1) * gap)) // 2
    for n, line in enumerate(lines):
        left = (width - text_width(line, scale)) // 2
        y0 = top + n * (line_height + gap)
        for i, ch in enumerate(line):
            bits = FONT[ch]
            for gy in range(5):
                for gx in range(3):
                    if bits[gy * 3 + gx] == '1':
                        for sy in range(scale):
                            for sx in range(scale):
                                lit.add((left + (4 * i + gx) * scale + sx, y0 + gy * scale + sy))
    return lit


def fitting_scale(lines, room):
    for scale in (3, 2, 1):
        tall = len(lines) * 5 * scale + (len(lines) - 1) * scale
        if tall <= room and all(text_width(line, scale) <= room for line in lines):
            return scale
    return 1


def name_colour(name):
    """A strong colour of its own for every name."""
    hue = (zlib.crc32(name.encode()) % 360) / 360
    return tuple(round(c * 255) for c in colorsys.hsv_to_rgb(hue, 0.6, 0.78))


def darker(colour, share=0.55):
    return tuple(round(c * share) for c in colour)


def badge(size, colour, lines, background, round_shape=False):
    """pixel(x, y) of a rounded square (or disc) in `colour` with `lines` in white."""
    # The small marks have a border of one pixel and room up to it.
    scale = fitting_scale(lines, size - 2 if size <= 12 else size - 4)
    lit = text_pixels(lines, scale, size, size)
    edge = darker(colour)
    centre = (size - 1) / 2

    def pixel(x, y):
        if round_shape:
            d = math.hypot(x - centre, y - centre)
            if d > size / 2 - 0.3:
                return background
            border = d > size / 2 - 1.5
        else:
            corner = min(x, size - 1 - x) + min(y, size - 1 - y)
            if corner < 2 and min(x, size - 1 - x) < 2 and min(y, size - 1 - y) < 2 and corner < 1 + size // 16:
                return background
            border = x in (0, size - 1) or y in (0, size - 1)
        if (x, y) in lit:
            return (255, 255, 255)
        return edge if border else colour
    return pixel


def strip(path, size, images):
    """Images of size x size side by side; each is a pixel(x, y) function."""
    def pixel(x, y):
        image, px = divmod(x, size)
        return images[image](px, y)
    write_bmp(path, size * len(images), size, pixel)


def arrow(up, colour):
    def pixel(x, y):
        # A triangle 9 wide and 5 tall in the middle of 16 x 16.
        row = (y - 6) if up else (10 - y)
        if 0 <= row <= 4 and abs(x - 7.5) <= row + 0.5:
            return colour
        return KEY
    return pixel


def column(path):
    dark, dim = (60, 60, 60), (170, 170, 170)
    strip(path, 16, [arrow(True, dark), arrow(False, dark), arrow(True, dim), arrow(False, dim)])


TOOLBAR = [('+', (60, 150, 70)), ('-', (200, 70, 60)), ('>', (40, 120, 200)), ('?', (120, 90, 180)),
           ('*', (220, 150, 20)), ('=', (90, 90, 90)), ('<', (40, 120, 200)), ('S', (30, 140, 140)),
           ('Q', (150, 100, 60)), ('E', (190, 70, 170)), ('R', (210, 60, 90)), ('/', (100, 100, 130)),
           # the automatic snapshot modes: off, desktop, window, clipboard
           ('0', (150, 150, 150)), ('D', (30, 110, 190)), ('W', (30, 150, 100)), ('C', (200, 120, 30))]


def toolbar(path):
    strip(path, 16, [badge(16, colour, [label], KEY) for label, colour in TOOLBAR])


def marks(folder):
    write_bmp(os.path.join(folder, 'adult.bmp'), 12, 12, badge(12, (215, 50, 90), ['R'], KEY, round_shape=True))
    write_bmp(os.path.join(folder, 'AlterEgo.bmp'), 12, 12, badge(12, (50, 110, 200), ['AE'], KEY))
    write_bmp(os.path.join(folder, 'maxdisk.bmp'), 12, 12, badge(12, (60, 150, 80), ['M'], KEY))


def snap_operation(path):
    labels = [('<', (40, 120, 200)), ('>', (40, 120, 200)), ('+', (60, 150, 70)), ('-', (200, 70, 60)),
              ('1', (120, 120, 120)), ('*', (220, 150, 20))]
    strip(path, 16, [badge(16, colour, [label], KEY) for label, colour in labels])


def folder_image(open_folder):
    body, tab = (230, 180, 60), (200, 150, 40)

    def pixel(x, y):
        if 2 <= y <= 3 and 1 <= x <= 6:
            return tab
        if 4 <= y <= 13 and 1 <= x <= 14:
            if open_folder and y >= 7 and x >= 3 + (13 - y) // 3:
                return (245, 210, 110)
            return body if 1 < x < 14 and 4 < y < 13 else tab
        return KEY
    return pixel


def images(path):
    strip(path, 16, [folder_image(False), folder_image(True), badge(16, (40, 120, 200), ['Q'], KEY),
                     badge(16, (60, 150, 80), ['DB'], KEY)])


def wait_anime(path):
    """Frames of 420 x 80: a caption and a row of lamps, one lit per frame."""
    frames, width, height = 12, 420, 80
    caption = text_pixels(['PLEASE WAIT'], 3, width, 40)
    back, ink, lamp_off, lamp_on = (236, 236, 240), (60, 70, 90), (200, 205, 215), (60, 140, 230)
    lamps = 12

    def pixel(x, y):
        frame, fy = divmod(y, height)
        if fy < 3 or fy >= height - 3 or x < 3 or x >= width - 3:
            return (150, 160, 180)
        if (x, fy) in caption:
            return ink
        # Lamps of 18 x 10 at y 50..59, 24 apart, centred.
        left = (width - (lamps * 24 - 6)) // 2
        if 50 <= fy < 60 and x >= left:
            n, px = divmod(x - left, 24)
            if n < lamps and px < 18:
                distance = (frame - n) % lamps
                return lamp_on if distance == 0 else blend(lamp_on, lamp_off, 0.5) if distance == 1 else lamp_off
        return back
    write_bmp(path, width, height * frames, pixel)


POPHELP = """\
[一覧]
項目を選んでEnterで起動します。見出しをクリックすると並べ替えます。
見出しを右クリックすると並べ替えの向きをまとめて元に戻せます。
[グループ]
タブで分類を選び、値をクリックすると一覧をその値だけに絞ります。
「<全て>」で絞り込みを解きます。評価は星の数で表します。
[クエリ]
保存したクエリをダブルクリックするとその条件で一覧を作り直します。
"""


def pophelp(path):
    with open(path, 'wb') as out:
        out.write(POPHELP.replace('\n', '\r\n').encode('cp932'))


# The default icons: kind, file, label lines.
ICONS = [
    ('media', '3.5FD.bmp', ['3.5', 'FD']), ('media', '5.25FD.bmp', ['5.25', 'FD']),
    ('media', 'MSX_cartridge.bmp', ['MSX', 'CART']), ('media', 'HuCard.bmp', ['HU', 'CARD']),
    ('media', 'GB_cartridge.bmp', ['GB', 'CART']), ('media', 'GBA_cartridge.bmp', ['GBA', 'CART']),
    ('media', 'SNES_cartridge.bmp', ['SFC', 'CART']), ('media', '64_cartridge.bmp', ['N64', 'CART']),
    ('media', 'NGP_cartridge.bmp', ['NGP', 'CART']), ('media', 'NES_cartridge.bmp', ['FC', 'CART']),
    ('media', 'FDS_disk.bmp', ['FDS', 'DISK']), ('media', 'MD_cartridge.bmp', ['MD', 'CART']),
    ('media', 'WS_cartridge.bmp', ['WS', 'CART']),
    ('genre', 'action.bmp', ['ACT']), ('genre', 'adventure.bmp', ['ADV']),
    ('genre', 'demo_music.bmp', ['DEMO', 'MUS']), ('genre', 'drive_race.bmp', ['RACE']),
    ('genre', 'fight.bmp', ['FGT']), ('genre', 'puzzle.bmp', ['PUZ']), ('genre', 'quiz.bmp', ['QUIZ']),
    ('genre', 'roleplaying.bmp', ['RPG']), ('genre', 'shooting.bmp', ['STG']),
    ('genre', 'simulation.bmp', ['SLG']), ('genre', 'sport.bmp', ['SPT']), ('genre', 'sys_os.bmp', ['SYS', 'OS']),
    ('genre', 'table_board.bmp', ['TBL', 'BRD']), ('genre', 'utility.bmp', ['UTIL']),
    ('genre', 'variety.bmp', ['VAR']),
    ('machine', 'FM77.bmp', ['FM', '77']), ('machine', 'MSX.bmp', ['MSX']), ('machine', 'PC88.bmp', ['PC', '88']),
    ('machine', 'PC98.bmp', ['PC', '98']), ('machine', 'X1.bmp', ['X1']), ('machine', 'X68000.bmp', ['X68K']),
    ('machine', 'PCE.bmp', ['PCE']), ('machine', 'GB.bmp', ['GB']), ('machine', 'GBASP.bmp', ['GBA', 'SP']),
    ('machine', 'GBC.bmp', ['GBC']), ('machine', 'SNES.bmp', ['SFC']), ('machine', 'N64.bmp', ['N64']),
    ('machine', 'NGP.bmp', ['NGP']), ('machine', 'NGC.bmp', ['NGP', 'C']), ('machine', 'NES.bmp', ['FC']),
    ('machine', 'FDS.bmp', ['FDS']), ('machine', 'MD.bmp', ['MD']), ('machine', 'WS.bmp', ['WS']),
    ('machine', 'WSC.bmp', ['WS', 'C']),
    ('cero', 'a.bmp', ['A']), ('cero', 'b.bmp', ['B']), ('cero', 'c.bmp', ['C']), ('cero', 'd.bmp', ['D']),
    ('cero', 'z.bmp', ['Z']), ('cero', 'eddb.bmp', ['ED', 'DB']), ('cero', 'conform.bmp', ['OK']),
    ('cero', 'be.bmp', ['TBA']),
]


def default_icons(folder):
    for kind, name, lines in ICONS:
        os.makedirs(os.path.join(folder, kind), exist_ok=True)
        write_bmp(os.path.join(folder, kind, name), 32, 32, badge(32, name_colour(kind + name), lines, (0, 0, 0)))


def main():
    parser = argparse.ArgumentParser(usage=__doc__)
    parser.add_argument('folder')
    parser.add_argument('--icons')
    args = parser.parse_args()
    folder = args.folder
    os.makedirs(folder, exist_ok=True)
    rating(os.path.join(folder, 'rating.bmp'))
    favorite(os.path.join(folder, 'favorite.bmp'))
    scroll_lock(os.path.join(folder, 'scroll_lock.bmp'))
    column(os.path.join(folder, 'column.bmp'))
    toolbar(os.path.join(folder, 'toolbar.bmp'))
    marks(folder)
    snap_operation(os.path.join(folder, 'snap_operation.bmp'))
    images(os.path.join(folder, 'images.bmp'))
    wait_anime(os.path.join(folder, 'wait_anime.bmp'))
    pophelp(os.path.join(folder, 'pophelp.txt'))
    if args.icons:
        default_icons(args.icons)


if __name__ == '__main__':
    main()
