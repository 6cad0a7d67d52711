#!/usr/bin/env python3
"""The release scripts on small inputs: tools/build-help.py wraps, encodes and
indexes the help pages and refuses broken references, the real docs/help
pages all pass, and tools/gen-icon.py writes an icon Windows can read."""
import pathlib
import shutil
import struct
import tempfile
import unittest

TOP = pathlib.Path(__file__).resolve().parents[2]

from tool_module import load


build_help = load("build_help", "build-help.py")
gen_icon = load("gen_icon", "gen-icon.py")


def help_tree(folder, pages, images=()):
    """A help source folder: pages is [(file, body)], in contents order."""
    (folder / "images").mkdir(parents=True)
    (folder / "style.css").write_text("body {}\n")
    (folder / "toc.txt").write_text("# order\n" + "".join(name + "\n" for name, _ in pages))
    for name, body in pages:
        (folder / name).write_text(body, encoding="utf-8")
    for image in images:
        (folder / "images" / image).write_bytes(b"\x89PNG")


class HelpPages(unittest.TestCase):
    def setUp(self):
        self.tmp = pathlib.Path(tempfile.mkdtemp())
        self.addCleanup(shutil.rmtree, self.tmp)
        self.source, self.work = self.tmp / "src", self.tmp / "work"
        self.work.mkdir()

    def test_pages_wrapped_in_shift_jis_with_neighbour_links(self):
        help_tree(self.source, [("index.html", "<h1>はじめに</h1><h2>画面</h2>"),
                                ("b.html", "<h1>検索 &amp; 一覧</h1>"), ("c.html", "<h1>表</h1>")])
        pages = build_help.write_pages(self.source, self.work, build_help.page_order(self.source))
        self.assertEqual(pages, [("index.html", "はじめに", ["画面"]), ("b.html", "検索 & 一覧", []),
                                 ("c.html", "表", [])])
        middle = (self.work / "b.html").read_bytes().decode("cp932")
        self.assertIn('charset=Shift_JIS', middle)
        self.assertIn("<title>検索 &amp; 一覧</title>", middle)
        self.assertIn('<a href="index.html">前へ</a> | <a href="index.html">はじめに</a> | <a href="c.html">次へ</a>',
                      middle)
        self.assertNotIn("次へ", (self.work / "c.html").read_bytes().decode("cp932"))
        # "表" ends in byte 0x5C: it must survive as Shift-JIS, not be escaped.
        self.assertIn("表".encode("cp932"), (self.work / "c.html").read_bytes())

    def test_project_contents_and_index(self):
        pages = [("index.html", "はじめに", ["画面"]), ("b.html", "検索", [])]
        build_help.write_project(self.work, pages, ["images/a.png"])
        project = (self.work / "Quillmoor2.hhp").read_bytes().decode("cp932")
        self.assertIn("Language=0x411 Japanese\n", project)
        self.assertIn("Default topic=index.html\n", project)
        self.assertTrue(project.endswith("[FILES]\nindex.html\nb.html\nstyle.css\nimages/a.png\n"))
        contents = (self.work / "contents.hhc").read_bytes().decode("cp932")
        self.assertLess(contents.index('value="はじめに"'), contents.index('value="検索"'))
        index = (self.work / "index.hhk").read_bytes().decode("cp932")
        self.assertEqual(index.count('<param name="Local" value="index.html">'), 2)

    def test_broken_references_refused(self):
        for body, missing in [('<img src="images/gone.png">', "images/gone.png"),
                              ('<a href="nowhere.html">x</a>', "nowhere.html")]:
            with self.subTest(body=body):
                shutil.rmtree(self.source, ignore_errors=True)
                help_tree(self.source, [("index.html", "<h1>t</h1>" + body + '<a href="other.html#x">y</a>'),
                                        ("other.html", '<h1>o</h1><a href="http://example.invalid/">z</a>')])
                with self.assertRaises(SystemExit) as raised:
                    build_help.write_pages(self.source, self.work, build_help.page_order(self.source))
                self.assertIn(missing, str(raised.exception))

    def test_the_program_help_pages_hold_together(self):
        source = TOP / "docs" / "help"
        order = build_help.page_order(source)
        self.assertEqual(order[0], "index.html")
        self.assertIn("DirAddDlg.htm", order)  # the image-add dialog's help page
        pages = build_help.write_pages(source, self.work, order)
        self.assertEqual(len({title for _, title, _ in pages}), len(pages))


class Icon(unittest.TestCase):
    def test_sizes_and_transparency(self):
        data = gen_icon.icon()
        reserved, kind, count = struct.unpack_from("<HHH", data, 0)
        self.assertEqual((reserved, kind, count), (0, 1, len(gen_icon.SIZES)))
        for i, size in enumerate(gen_icon.SIZES):
            width, height, _, _, planes, bits, length, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
            self.assertEqual((width, height, planes, bits), (size, size, 1, 32))
            header = struct.unpack_from("<IiiHH", data, offset)
            self.assertEqual(header, (40, size, size * 2, 1, 32))
            stride = ((size + 31) // 32) * 4
            self.assertEqual(length, 40 + size * size * 4 + size * stride)
            rows = gen_icon.pixels(size)
            self.assertEqual(rows[0][0][3], 0)  # corner outside the disc
            self.assertEqual(rows[size // 2][size // 2][3], 255)
            self.assertEqual(rows[size // 2][1][3] > 0, True)  # the rim reaches the edge


if __name__ == "__main__":
    unittest.main()
