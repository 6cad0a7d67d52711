#!/usr/bin/env python3
"""Compiles the Japanese help file Quillmoor2.chm from docs/help/.

    build-help.py SOURCE_FOLDER WORK_FOLDER OUT.chm

SOURCE_FOLDER holds the pages (UTF-8 HTML bodies, each starting with its <h1>
title), toc.txt (their order), style.css and images/. Each page is wrapped in
a full HTML document, converted to Shift-JIS (the code page of a Japanese help
file: the viewer reads the contents and index in it), and the project, contents
and index files are written beside them in WORK_FOLDER; chmcmd (Debian's
fp-utils) then compiles them.
"""
import html
import pathlib
import re
import shutil
import subprocess
import sys

TITLE = re.compile(r"<h1>(.*?)</h1>", re.S)
REFERENCE = re.compile(r'(?:src|href)="([^"#:]+)"')
HEADING = re.compile(r"<h2>(.*?)</h2>", re.S)
ENCODING = "cp932"

PAGE = """<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01//EN">
<html lang="ja">
<head>
<meta http-equiv="Content-Type" content="text/html; charset=Shift_JIS">
<title>{title}</title>
<link rel="stylesheet" type="text/css" href="style.css">
</head>
<body>
{body}
<p class="nav">{nav}</p>
</body>
</html>
"""


def page_order(source):
    lines = (source / "toc.txt").read_text(encoding="utf-8").splitlines()
    return [l.strip() for l in lines if l.strip() and not l.startswith("#")]


def plain(fragment):
    return html.unescape(re.sub(r"<[^>]+>", "", fragment)).strip()


def sitemap_item(name, local):
    return ('<LI> <OBJECT type="text/sitemap">\n'
            f'<param name="Name" value="{html.escape(name)}">\n'
            f'<param name="Local" value="{local}">\n</OBJECT>\n')


def sitemap(items):
    return ('<!DOCTYPE HTML PUBLIC "-//IETF//DTD HTML//EN">\n<HTML><HEAD>'
            '<meta http-equiv="Content-Type" content="text/html; charset=Shift_JIS"></HEAD><BODY>\n'
            '<UL>\n' + "".join(items) + "</UL>\n</BODY></HTML>\n")


def write_pages(source, work, order):
    """Writes the wrapped pages; returns (file, title, headings) for each."""
    pages = []
    for i, name in enumerate(order):
        body = (source / name).read_text(encoding="utf-8")
        missing = [r for r in REFERENCE.findall(body) if r not in order and not (source / r).is_file()]
        if missing:
            raise SystemExit(f"build-help: {name} refers to missing {', '.join(missing)}")
        title = plain(TITLE.search(body).group(1))
        links = []
        if i > 0:
            links.append(f'<a href="{order[i - 1]}">前へ</a>')
        links.append('<a href="index.html">はじめに</a>')
        if i + 1 < len(order):
            links.append(f'<a href="{order[i + 1]}">次へ</a>')
        text = PAGE.format(title=html.escape(title), body=body.strip(), nav=" | ".join(links))
        (work / name).write_bytes(text.encode(ENCODING))
        pages.append((name, title, [plain(h) for h in HEADING.findall(body)]))
    return pages


def write_project(work, pages, images):
    contents = [sitemap_item(title, name) for name, title, _ in pages]
    (work / "contents.hhc").write_bytes(sitemap(contents).encode(ENCODING))
    index = sorted({(h, name) for name, title, heads in pages for h in [title] + heads})
    (work / "index.hhk").write_bytes(sitemap([sitemap_item(h, n) for h, n in index]).encode(ENCODING))
    files = [name for name, _, _ in pages] + ["style.css"] + images
    project = ("[OPTIONS]\nCompatibility=1.1 or later\nCompiled file=Quillmoor2.chm\n"
               "Contents file=contents.hhc\nIndex file=index.hhk\nDefault topic=index.html\n"
               "Display compile progress=No\nLanguage=0x411 Japanese\n"
               "Title=Quillmoor2 ヘルプ\n\n[FILES]\n" + "\n".join(files) + "\n")
    (work / "Quillmoor2.hhp").write_bytes(project.encode(ENCODING))


def main(source, work, out):
    source, work, out = pathlib.Path(source), pathlib.Path(work), pathlib.Path(out)
    if work.exists():
        shutil.rmtree(work)
    (work / "images").mkdir(parents=True)
    shutil.copy(source / "style.css", work / "style.css")
    images = []
    for png in sorted((source / "images").glob("*.png")):
        shutil.copy(png, work / "images" / png.name)
        images.append("images/" + png.name)
    pages = write_pages(source, work, page_order(source))
    write_project(work, pages, images)
    result = subprocess.run(["chmcmd", "Quillmoor2.hhp"], cwd=work, capture_output=True, text=True,
                            encoding="utf-8", errors="replace")
    chm = work / "Quillmoor2.chm"
    if result.returncode != 0 or not chm.exists():
        sys.stderr.write(result.stdout + result.stderr)
        return 1
    out.parent.mkdir(parents=True, exist_ok=True)
    shutil.copy(chm, out)
    return 0


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    sys.exit(main(*sys.argv[1:]))
