#!/usr/bin/env python3
"""The demo's scripts on small inputs: tools/gen-demo-library.py gives one
machine text images and pictures the program can open, in a library that
quillmoor-cli made (its path is the first argument), and tools/make-dist.sh
lays the program folder into a folder of one's own."""
import contextlib
import io
import os
import pathlib
import shutil
import sqlite3
import struct
import subprocess
import sys
import tempfile
import unittest
import zlib

TOP = pathlib.Path(__file__).resolve().parents[2]
CLI = sys.argv.pop(1) if len(sys.argv) > 1 else str(TOP / "build" / "native" / "bin" / "quillmoor-cli")
MACHINE = "PC88シリーズ"

from tool_module import load


gen = load("gen_demo_library", "gen-demo-library.py")


def png_pixels(data):
    """(width, height, rows of (r, g, b)) of an 8-bit RGB PNG without filters, chunk CRCs checked."""
    assert data[:8] == b"\x89PNG\r\n\x1a\n"
    at, chunks = 8, {}
    while at < len(data):
        length, = struct.unpack_from(">I", data, at)
        kind, body = data[at + 4:at + 8], data[at + 8:at + 8 + length]
        crc, = struct.unpack_from(">I", data, at + 8 + length)
        assert crc == zlib.crc32(kind + body), kind
        chunks[kind] = chunks.get(kind, b"") + body
        at += 12 + length
    assert list(chunks)[-1] == b"IEND"
    width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", chunks[b"IHDR"])
    assert (depth, colour, interlace) == (8, 2, 0)
    raw = zlib.decompress(chunks[b"IDAT"])
    stride = 1 + 3 * width
    assert len(raw) == height * stride
    rows = []
    for y in range(height):
        line = raw[y * stride:(y + 1) * stride]
        assert line[0] == 0
        rows.append([tuple(line[1 + 3 * x:4 + 3 * x]) for x in range(width)])
    return width, height, rows


class DemoLibrary(unittest.TestCase):
    def setUp(self):
        self.tmp = pathlib.Path(tempfile.mkdtemp())
        self.addCleanup(shutil.rmtree, self.tmp)
        self.db = self.tmp / "Quillmoor.db"
        subprocess.run([CLI, "create", "--db", str(self.db)], check=True, stdout=subprocess.DEVNULL)
        self.texts, self.snaps = self.tmp / "roms", self.tmp / "snap"

    def generate(self, *extra):
        with contextlib.redirect_stdout(io.StringIO()):
            gen.main([str(self.db), "--count", "80", "--texts", str(self.texts), *extra])

    def rows(self, sql, *args):
        with contextlib.closing(sqlite3.connect(self.db)) as db:
            return db.execute(sql, args).fetchall()

    def test_one_machines_images_are_text_files_named_as_wine_sees_them(self):
        self.generate("--text-machine", MACHINE, "--snaps", str(self.snaps))
        items = self.rows("SELECT file_name, file_title, file_ext, title, maker FROM main_table WHERE machine_name=?",
                          MACHINE)
        self.assertGreater(len(items), 3)
        folder = "Z:" + str(self.texts).replace("/", "\\") + "\\"
        for file_name, stem, ext, title, maker in items:
            self.assertEqual((file_name, ext), (folder + stem + ".txt", ".txt"))
            data = (self.texts / (stem + ".txt")).read_bytes()
            self.assertNotIn(b"\n", data.replace(b"\r\n", b""))
            lines = data.decode("cp932").split("\r\n")
            self.assertEqual(lines[0], title)
            self.assertIn(f"メーカー: {maker}", lines)
        self.assertEqual(sorted(p.name for p in self.texts.iterdir()), sorted(s + ".txt" for _, s, *_ in items))
        others = self.rows("SELECT count(*) FROM main_table WHERE machine_name<>? AND substr(file_name, 1, ?)=?",
                           MACHINE, len(folder), folder)
        self.assertEqual(others, [(0,)])
        self.assertEqual(sorted(p.name for p in self.snaps.iterdir()), sorted(s + ".png" for _, s, *_ in items))
        self.assertEqual(self.rows("SELECT machine FROM machine_info_table WHERE snap_path<>''"), [(MACHINE,)])
        self.assertEqual(self.rows("SELECT snap_path FROM machine_info_table WHERE machine=?", MACHINE),
                         [("Z:" + str(self.snaps).replace("/", "\\"),)])

    def test_first_machine_by_default_and_no_pictures_unasked(self):
        self.generate()
        first = self.rows("SELECT machine FROM machine_info_table ORDER BY machine_num LIMIT 1")[0][0]
        self.assertEqual(self.rows("SELECT DISTINCT machine_name FROM main_table WHERE file_ext='.txt'"), [(first,)])
        self.assertFalse(self.snaps.exists())
        self.assertEqual(self.rows("SELECT count(*) FROM machine_info_table WHERE snap_path<>''"), [(0,)])

    def test_refusals(self):
        for args, text in [(["--texts", str(self.texts), "--text-machine", "なし"], "no machine なし"),
                           (["--snaps", str(self.snaps)], "--snaps needs --texts")]:
            with self.subTest(args=args), self.assertRaises(SystemExit) as raised:
                gen.main([str(self.db), *args])
            self.assertIn(text, str(raised.exception))
        self.assertEqual(self.rows("SELECT count(*) FROM main_table"), [(0,)])


class Snapshot(unittest.TestCase):
    def test_a_framed_picture_of_the_items_own_colours(self):
        pictures = {n: png_pixels(gen.snapshot(n)) for n in (1, 2, 8)}
        for n, (width, height, rows) in pictures.items():
            self.assertEqual((width, height), gen.SNAP_SIZE)
            for x, y in [(0, 0), (3, 3), (width - 1, height - 1), (width // 2, height - 4), (width - 4, height // 2)]:
                self.assertEqual(rows[y][x], gen.SNAP_FRAME, (n, x, y))
            inside = {pixel for row in rows[4:-4] for pixel in row[4:-4]}
            self.assertNotIn(gen.SNAP_FRAME, inside)
        self.assertNotEqual(pictures[1][2][10][80], pictures[2][2][10][80])

    def test_any_size(self):
        self.assertEqual(png_pixels(gen.png(3, 2, lambda x, y: (x, y, 7)))[2],
                         [[(0, 0, 7), (1, 0, 7), (2, 0, 7)], [(0, 1, 7), (1, 1, 7), (2, 1, 7)]])


class ProgramFolder(unittest.TestCase):
    def test_laid_into_a_folder_keeping_what_else_is_there(self):
        tmp = pathlib.Path(tempfile.mkdtemp())
        self.addCleanup(shutil.rmtree, tmp)
        bin_folder, folder = tmp / "build" / "bin", tmp / "demo"
        (tmp / "build" / "generated" / "common").mkdir(parents=True)
        (tmp / "build" / "generated" / "common" / "version.h").write_text('#define QM_VERSION_TEXT "9.8.7"\n')
        for name in ["Quillmoor2.exe", "Quillmoor2_Lib.dll", "Quillmoor2_GetCRC.dll", "quillmoor-cli.exe",
                     "migemo.dll", "Quillmoor2.chm", "resource/a.bmp", "default_icon/m/b.ico", "dict/c.dict",
                     "plugin/d.nya", "test_app.exe"]:
            (bin_folder / name).parent.mkdir(parents=True, exist_ok=True)
            (bin_folder / name).write_text(name)
        (folder / "resource").mkdir(parents=True)
        (folder / "Quillmoor.db").write_text("library")
        (folder / "Quillmoor2.exe").write_text("old")
        done = subprocess.run([str(TOP / "tools" / "make-dist.sh"), "--folder", str(bin_folder), str(folder)],
                              capture_output=True, text=True)
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertEqual(sorted(os.listdir(folder)),
                         ["Quillmoor.db", "Quillmoor2.chm", "Quillmoor2.exe", "Quillmoor2_GetCRC.dll",
                          "Quillmoor2_Lib.dll", "default_icon", "dict", "licenses", "migemo.dll", "plugin",
                          "quillmoor-cli.exe", "readme.txt", "resource"])
        self.assertEqual((folder / "Quillmoor2.exe").read_text(), "Quillmoor2.exe")
        self.assertEqual((folder / "Quillmoor.db").read_text(), "library")
        self.assertEqual((folder / "resource" / "a.bmp").read_text(), "resource/a.bmp")
        self.assertEqual((folder / "default_icon" / "m" / "b.ico").read_text(), "default_icon/m/b.ico")
        self.assertIn("9.8.7", (folder / "readme.txt").read_bytes().decode("cp932"))
        self.assertEqual(list(tmp.rglob("*.zip")), [])


if __name__ == "__main__":
    unittest.main()
