#!/usr/bin/env python3
"""Fills a library database with made-up items, the same ones for the same seed.

The database must exist at schema version 8 (made by `quillmoor-cli create`);
the master tables it was created with supply the machines and genres. Items
get Japanese titles with their readings, makers and developers, release
dates, ratings, boot counts, multi-disk sets (parent ply 1, children 2..n
pointing at it, tmp_maxdisk rebuilt), favourites, memos, creators and spec_table
rows. The image files themselves are not made: paths point under --root.
With --files FOLDER the paths are this system's, under FOLDER, one item in
five lies inside a zip ("...item000001.zip*item000001.d88"), and an empty
file is made for every image (for a zip member, its zip), so that a removal
run finds nothing missing.

With --texts FOLDER the items of one machine (--text-machine, the first of the
master table by default) are small text files written into FOLDER, in code
page 932 with CRLF, named in the library as a Windows program under Wine sees
them (Z: and the path); an editor set up as that machine's emulator opens
them. --snaps FOLDER gives each of those images a PNG named after it there,
and makes FOLDER that machine's snapshot folder.

    tools/gen-demo-library.py Quillmoor.db                 # a few hundred items
    tools/gen-demo-library.py --count 100000 bench.db      # for benchmarks
    tools/gen-demo-library.py --count 100000 --files /tmp/roms bench.db
    tools/gen-demo-library.py --texts demo/roms --snaps demo/snap demo/Quillmoor.db
"""

import argparse
import os
import random
import sqlite3
import struct
import sys
import zlib

SCHEMA_VERSION = 8

# (text, reading) pieces; a title is a head, a middle and sometimes a tail.
HEADS = [
    ("星の", "ほしの"), ("海底", "かいてい"), ("銀河", "ぎんが"), ("霧の", "きりの"), ("炎の", "ほのおの"),
    ("魔法", "まほう"), ("幻想", "げんそう"), ("鋼鉄の", "こうてつの"), ("月影の", "つきかげの"),
    ("風の", "かぜの"), ("迷宮", "めいきゅう"), ("伝説の", "でんせつの"), ("白銀の", "はくぎんの"),
    ("夢幻", "むげん"), ("蒼穹の", "そうきゅうの"), ("古代", "こだい"), ("未来", "みらい"),
    ("ドラゴン", "どらごん"), ("スター", "すたー"), ("サイバー", "さいばー"),
]
MIDDLES = [
    ("都市", "とし"), ("騎士", "きし"), ("物語", "ものがたり"), ("戦記", "せんき"), ("探偵", "たんてい"),
    ("館", "やかた"), ("王国", "おうこく"), ("艦隊", "かんたい"), ("迷路", "めいろ"), ("学園", "がくえん"),
    ("クエスト", "くえすと"), ("ファイター", "ふぁいたー"), ("レーサー", "れーさー"), ("パズル", "ぱずる"),
    ("ウォーズ", "うぉーず"), ("ハンター", "はんたー"), ("シティ", "してぃ"), ("ブレイカー", "ぶれいかー"),
]
TAILS = [
    ("", ""), ("", ""), ("", ""), ("II", "つー"), ("III", "すりー"), ("外伝", "がいでん"),
    ("完全版", "かんぜんばん"), ("スペシャル", "すぺしゃる"), ("リターンズ", "りたーんず"), ("零", "ぜろ"),
]
MAKERS = [
    "デモソフト", "Example Works", "ほしぞら工房", "Let's Play", "銀河システム", "Northwind",
    "みなと電子", "Pixel Garden", "月光堂", "Retro Forge", "さくら企画", "Blue Lagoon",
]
MEMOS = [
    "2面のボスは右上から。", "セーブはディスク2に。", "起動にBASICが要る。", "音源はFM推奨。",
    "パスワード: ABCD", "裏技あり。", "説明書を探すこと。",
]
CREATORS = ["企画: 山田\n音楽: 佐藤", "プログラム: 鈴木", "Design: A. Smith\nMusic: B. Jones", "原作: 田中"]
PLAYERS = ["1", "1-2", "1-4", "2"]
DEVICES = ["", "マウス", "ジョイスティック", "キーボード"]


def parse_args(argv=None):
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("database", help="an existing version-8 library database")
    p.add_argument("--count", type=int, default=300, help="items to add (sets count once, by their parent)")
    p.add_argument("--seed", type=int, default=1, help="the same seed gives the same library")
    p.add_argument("--root", default="Z:\\work\\demo\\roms", help="folder the image paths start with")
    p.add_argument("--clear", action="store_true", help="remove every item first")
    p.add_argument("--files", metavar="FOLDER", help="image paths under FOLDER, some in zips, files made")
    p.add_argument("--texts", metavar="FOLDER", help="one machine's images are text files written into FOLDER")
    p.add_argument("--text-machine", metavar="NAME", help="that machine (default: the first one)")
    p.add_argument("--snaps", metavar="FOLDER", help="a PNG for each text image, FOLDER the machine's snapshot folder")
    return p.parse_args(argv)


def check_version(db):
    try:
        row = db.execute("SELECT ver FROM qlm_table").fetchone()
    except sqlite3.DatabaseError as error:
        sys.exit(f"gen-demo-library: not a library database: {error}")
    if not row or row[0] != SCHEMA_VERSION:
        sys.exit(f"gen-demo-library: schema version {row[0] if row else 'missing'}, expected {SCHEMA_VERSION}")


def masters(db):
    machines = db.execute("SELECT machine, search_ext, default_media FROM machine_info_table ORDER BY machine_num").fetchall()
    genres = [g for (g,) in db.execute("SELECT genre FROM genre_info_table ORDER BY genre_num")]
    adultex = [a for (a,) in db.execute("SELECT adultex FROM adultex_info_table ORDER BY adultex_num")]
    if not machines or not genres:
        sys.exit("gen-demo-library: the master tables are empty")
    return machines, genres, adultex


def make_title(rng):
    head, middle, tail = rng.choice(HEADS), rng.choice(MIDDLES), rng.choice(TAILS)
    title = head[0] + middle[0] + (" " + tail[0] if tail[0] else "")
    kana = head[1] + middle[1] + tail[1]
    return title, kana


def sale_year(rng):
    if rng.random() < 0.1:
        return "0"
    month = rng.randint(0, 12)
    day = rng.randint(1, 28) if month and rng.random() < 0.6 else 0
    return f"{rng.randint(1983, 2004):04d}-{month:02d}-{day:02d}"


def last_boot(rng):
    if rng.random() < 0.5:
        return "", 0, ""
    count = rng.randint(1, 60)
    stamp = f"20{rng.randint(10, 24):02d}-{rng.randint(1, 12):02d}-{rng.randint(1, 28):02d} " \
            f"{rng.randint(0, 23):02d}:{rng.randint(0, 59):02d}:{rng.randint(0, 59):02d}"
    return stamp, count, f"{rng.randint(0, 99)}:{rng.randint(0, 59):02d}:{rng.randint(0, 59):02d}"


class Rows:
    """The rows of every table, filled item by item."""

    def __init__(self):
        self.main, self.memo, self.fave, self.creator, self.spec_rows = [], [], [], [], []


def add_item(rows, rng, number, root, machine, genres, adultex, sep="\\", zips=False, text=False):
    index, (name, exts, media) = machine
    ext = ".txt" if text else exts.split(";")[0].lower() or ".img"
    folder = root if text else f"{root}{sep}machine{index + 1:02d}"
    zipped = zips and not text and rng.random() < 0.2
    title, kana = make_title(rng)
    maker = rng.choice(MAKERS)
    developer = maker if rng.random() < 0.7 else rng.choice(MAKERS)
    genre = rng.choice(genres) if rng.random() < 0.9 else ""
    disks = rng.choice([2, 2, 3, 4]) if rng.random() < 0.08 else 1
    stamp, boots, play = last_boot(rng)
    common = dict(machine=name, maker=maker, developer=developer, genre=genre, media=media,
                  year=sale_year(rng), rating=rng.choice([0, 0, 10, 20, 30, 40, 50]),
                  adult=1 if rng.random() < 0.05 else 0)
    parent = ""
    for disk in range(1, disks + 1):
        stem = f"item{number:06d}" + (f"_{disk}" if disks > 1 else "")
        file_name = f"{folder}{sep}{stem}.zip*{stem}{ext}" if zipped else f"{folder}{sep}{stem}{ext}"
        ply = 0 if disks == 1 else (1 if disk == 1 else disk)
        shown = title if disks == 1 else f"{title} (Disk {disk})"
        rows.main.append((
            file_name, stem, ext, common["machine"], shown, common["maker"], common["developer"], common["genre"],
            common["adult"], common["media"], "日本", common["year"], common["rating"],
            boots if disk == 1 else 0, stamp if disk == 1 else "", play if disk == 1 else "",
            f"{rng.getrandbits(32):08X}", f"{rng.getrandbits(16):04X}", ply, parent if ply > 1 else "",
            kana, title,
        ))
        if disk == 1:
            parent = file_name
    key = parent
    if rng.random() < 0.15:
        rows.fave.append((key, "".join(sorted(rng.sample("0123456789", rng.randint(1, 3))))))
    if rng.random() < 0.1:
        rows.memo.append((key, rng.choice(MEMOS)))
    if rng.random() < 0.1:
        rows.creator.append((key, rng.choice(CREATORS)))
    if rng.random() < 0.3:
        rows.spec_rows.append((key, f"QM-{number:05d}", str(rng.randrange(2800, 12800, 100)), rng.choice(DEVICES),
                          rng.choice(PLAYERS), rng.choice(adultex) if adultex and rng.random() < 0.5 else ""))
    return disks


def insert(db, rows):
    db.executemany(
        "INSERT INTO main_table(file_name, file_title, file_ext, machine_name, title, maker, developer, genre_name, "
        "adult, media_name, country, sale_year, rating, boot_count, last_boot, play_time, crc32, crc, ply, "
        "ply_file_name, kana, smart_title, modify) "
        "VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,datetime('now','localtime'))", rows.main)
    db.executemany("INSERT INTO memo_table(pfile_mm, memo) VALUES (?,?)", rows.memo)
    db.executemany("INSERT INTO favorite_table(pfile_fv, fave) VALUES (?,?)", rows.fave)
    db.executemany("INSERT INTO creator_table(pfile_cr, creator) VALUES (?,?)", rows.creator)
    db.executemany("INSERT INTO spec_table(pfile_sc, breed, price, device, players, adultex_name) "
                   "VALUES (?,?,?,?,?,?)", rows.spec_rows)
    # Derived from main_table: rebuilt whenever sets change.
    db.execute("DELETE FROM tmp_maxdisk")
    db.execute("INSERT INTO tmp_maxdisk(pfile_md_tmp, maxdisk) "
               "SELECT ply_file_name, max(ply) FROM main_table WHERE ply>1 GROUP BY ply_file_name")


def wine_path(path):
    """The name a Windows program under Wine gives this system's path."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def text_image(row):
    """A demo image's text: what the library says of it, code page 932, CRLF."""
    released = row[11] if row[11] != "0" else "不明"
    lines = [row[4], f"よみ: {row[20]}", f"機種: {row[3]}", f"メーカー: {row[5]}", f"発売: {released}", "",
             "Quillmoor2 のデモ用イメージです。エミュレータの代わりにメモ帳で開いています。",
             "メモ帳を閉じると、起動回数とプレイ時間が記録されます。"]
    return "\r\n".join(lines).encode("cp932") + b"\r\n"


def png(width, height, pixel):
    """An RGB PNG of pixel(x, y) -> (r, g, b), written with zlib alone."""
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    raw = b"".join(b"\0" + bytes(c for x in range(width) for c in pixel(x, y)) for y in range(height))
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


# Every demo picture has a frame of this colour, so a screenshot shows whether one is drawn.
SNAP_FRAME = (250, 130, 20)
SNAP_SIZE = (160, 120)


def snapshot(number):
    """A made-up screen: a sky of the item's own hue over a dark ground, a sun, the frame."""
    hue = (number * 47) % 360
    sky = [int(128 + 100 * ((hue + shift) % 360 < 180)) for shift in (0, 120, 240)]
    width, height = SNAP_SIZE
    sun = (width * (1 + number % 3) // 4, height // 3)

    def pixel(x, y):
        if x < 4 or y < 4 or x >= width - 4 or y >= height - 4:
            return SNAP_FRAME
        if (x - sun[0]) ** 2 + (y - sun[1]) ** 2 < 144:
            return (255, 240, 160)
        if y > height * 2 // 3:
            return (40, 60 + (x // 8 % 2) * 30, 40)
        return tuple(c * (height - y) // height for c in sky)
    return png(width, height, pixel)


def write_file(path, data):
    """Written under a temporary name and renamed over the target when complete."""
    os.makedirs(os.path.dirname(path) or ".", exist_ok=True)
    temporary = path + ".tmp"
    with open(temporary, "wb") as out:
        out.write(data)
    os.replace(temporary, path)


def make_texts(rows, texts, snaps):
    """The text images of rows under texts (and their pictures under snaps)."""
    prefix = wine_path(texts) + "\\"
    for row in rows.main:
        if not row[0].startswith(prefix):
            continue
        write_file(os.path.join(texts, row[1] + ".txt"), text_image(row))
        if snaps:
            write_file(os.path.join(snaps, row[1] + ".png"), snapshot(int(row[1][4:10])))


def make_files(main_rows):
    """An empty file for every image; for a zip member, its zip."""
    for path in sorted({row[0].split("*", 1)[0] for row in main_rows}):
        os.makedirs(os.path.dirname(path), exist_ok=True)
        open(path, "ab").close()


def text_machine(args, machines):
    if not args.texts:
        return None
    name = args.text_machine or machines[0][0]
    if name not in [m[0] for m in machines]:
        sys.exit(f"gen-demo-library: no machine {name} in the master table")
    return name


def main(argv=None):
    args = parse_args(argv)
    if args.snaps and not args.texts:
        sys.exit("gen-demo-library: --snaps needs --texts")
    db = sqlite3.connect(args.database)
    check_version(db)
    machines, genres, adultex = masters(db)
    texted = text_machine(args, machines)
    rng = random.Random(args.seed)
    # A handful of machines carry most items, as in a real collection.
    weights = [8 if i < 6 else 1 for i in range(len(machines))]
    rows = Rows()
    first = (db.execute("SELECT count(*) FROM main_table").fetchone()[0] + 1) if not args.clear else 1
    images = 0
    root, sep = (os.path.abspath(args.files), os.sep) if args.files else (args.root, "\\")
    for i in range(args.count):
        machine = rng.choices(list(enumerate(machines)), weights)[0]
        if machine[1][0] == texted:
            images += add_item(rows, rng, first + i, wine_path(args.texts), machine, genres, adultex, text=True)
        else:
            images += add_item(rows, rng, first + i, root, machine, genres, adultex, sep, bool(args.files))
    with db:
        if args.clear:
            db.execute("DELETE FROM main_table")  # the delete trigger empties the side tables
        insert(db, rows)
        if args.snaps:
            db.execute("UPDATE machine_info_table SET snap_path=? WHERE machine=?", (wine_path(args.snaps), texted))
    db.close()
    if args.files:
        make_files([row for row in rows.main if not texted or row[3] != texted])
    if texted:
        make_texts(rows, args.texts, args.snaps)
    print(f"gen-demo-library: {args.count} items ({images} images) added to {args.database}")


if __name__ == "__main__":
    main()
