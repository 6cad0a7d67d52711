#!/usr/bin/env python3
"""Archives for the archive tests, made at test time: zip files by Debian's zip
and by Python's zipfile (UTF-8 and CP932 names), 7z files by 7z, rar files from
two small writers below (rar 4 with bare CP932 names, rar 5 with UTF-8 names,
which libarchive's own samples lack), and the lzh, rar and zip files made by
other programs that libarchive's source package carries as .uu files (kept by
tools/deps.sh in ~/.cache/quillmoor2/libarchive-test, or $QM_LIBARCHIVE_TESTS).

    tools/archive-fixtures.py OUTDIR

OUTDIR gets the archives, the original files under originals/, and manifest.txt:
one line per member every reader must find, in archive order:

    archive  name (CP932 bytes, hex)  size  stated CRC-32 or ""  CRC-32 of the bytes  original or ""

Names are encoded by Python's cp932 codec, sizes and CRCs come from Python's
zlib or from 7z's listing and extraction, never from the code under test.
Archives whose source is missing are listed in missing.txt.
"""
import binascii
import os
import random
import shutil
import struct
import subprocess
import sys
import warnings
import zipfile
import zlib

UTF8_ENV = dict(os.environ, LC_ALL="C.UTF-8", LANG="C.UTF-8")

# Member names and sizes of the source tree; contents are made below.
SOURCE_FILES = [
    ("表だよ/ソフト.d88", 70000),
    ("ゲーム (Disk 1).fdi", 300000),
    ("readme.txt", 41),
    ("空.bin", 0),
    ("a/b/c/深い階層のファイル.nes", 24593),
]


def contents(name, size):
    # Half random, half repeated: compressors have something to do either way.
    rng = random.Random(name)
    noise = bytes(rng.getrandbits(8) for _ in range(size // 2))
    text = (name.encode("utf-8") + b"\n") * (size // 2 + 1)
    return (noise + text)[:size]


class Fixtures:
    def __init__(self, out):
        self.out = out
        self.lines = []
        self.missing = []

    def path(self, *parts):
        return os.path.join(self.out, *parts)

    def expect(self, archive, name, data, stated=True, original=""):
        crc = "%08X" % zlib.crc32(data)
        self.expect_crc(archive, name, len(data), crc if stated else "", crc, original)

    def expect_crc(self, archive, name, size, stated, content_crc, original=""):
        hexname = binascii.hexlify(name.encode("cp932", errors="replace")).decode()
        self.lines.append("\t".join([archive, hexname, str(size), stated, content_crc, original]))

    def write(self):
        with open(self.path("manifest.txt"), "w", encoding="utf-8") as f:
            f.write("\n".join(self.lines) + "\n")
        with open(self.path("missing.txt"), "w", encoding="utf-8") as f:
            f.write("".join(m + "\n" for m in self.missing))


def make_sources(fx):
    src = fx.path("src")
    originals = {}
    for i, (name, size) in enumerate(SOURCE_FILES):
        data = contents(name, size)
        full = os.path.join(src, name)
        os.makedirs(os.path.dirname(full), exist_ok=True)
        with open(full, "wb") as f:
            f.write(data)
        stored = "originals/%d.bin" % i
        with open(fx.path(stored), "wb") as f:
            f.write(data)
        originals[name] = (data, stored)
    return src, originals


def debian_zip(fx, src, originals):
    target = fx.path("debian-zip.zip")
    names = [n for n, _ in SOURCE_FILES]
    subprocess.run(["zip", "-q", "-X", "-r", target] + [n.split("/")[0] for n in names],
                   cwd=src, env=UTF8_ENV, check=True)
    # zip stores the UTF-8 bytes without the UTF-8 flag; Python shows them as cp437.
    for info in zipfile.ZipFile(target).infolist():
        if info.is_dir():
            continue
        name = info.filename.encode("cp437").decode("utf-8")
        data, stored = originals[name]
        fx.expect("debian-zip.zip", name, data, original=stored)


class Cp932Info(zipfile.ZipInfo):
    """zipfile writes non-ASCII names as flagged UTF-8 only; a Japanese Windows
    archiver writes the bare code page bytes."""
    __slots__ = ()

    def _encodeFilenameFlags(self):
        return self.filename.encode("cp932"), self.flag_bits & ~0x800


def python_zip(fx, archive, originals, encode_cp932=False):
    target = fx.path(archive)
    with zipfile.ZipFile(target, "w", zipfile.ZIP_DEFLATED) as z:
        for name, _ in SOURCE_FILES:
            info = (Cp932Info if encode_cp932 else zipfile.ZipInfo)(name)
            info.compress_type = zipfile.ZIP_DEFLATED
            z.writestr(info, originals[name][0])
    for name, _ in SOURCE_FILES:
        data, stored = originals[name]
        fx.expect(archive, name, data, original=stored)


def p7zip(fx, src, originals):
    target = fx.path("p7zip.7z")
    subprocess.run(["7z", "a", "-bd", "-y", target] + sorted({n.split("/")[0] for n, _ in SOURCE_FILES}),
                   cwd=src, env=UTF8_ENV, check=True, stdout=subprocess.DEVNULL)
    for entry in filter(is_regular_file, listing_7z(target)):
        name = entry["Path"]
        data, stored = originals[name]
        fx.expect("p7zip.7z", name, data, stated=False, original=stored)


def listing_7z(archive):
    out = subprocess.run(["7z", "l", "-slt", "-ba", archive], env=UTF8_ENV, check=True,
                         stdout=subprocess.PIPE).stdout.decode("utf-8", errors="replace")
    entries, entry = [], {}
    for line in out.splitlines():
        if not line.strip():
            if entry:
                entries.append(entry)
            entry = {}
            continue
        key, _, value = line.partition(" = ")
        entry[key] = value
    if entry:
        entries.append(entry)
    return entries


def special_zips(fx):
    # Names an extraction must refuse, next to one it must accept.
    with zipfile.ZipFile(fx.path("zip-slip.zip"), "w") as z:
        for name in ["../evil.txt", "/abs.txt", "C:drive.txt", "sub/../../up.txt", "ok/fine.txt"]:
            z.writestr(zipfile.ZipInfo(name), b"payload of " + name.encode())
    # Exact name first, else the first match in either case.
    with zipfile.ZipFile(fx.path("cases.zip"), "w") as z:
        z.writestr("Save.DAT", b"upper")
        z.writestr("save.dat", b"lower")
        z.writestr("Disk/GAME.D88", b"game")
    # A name longer than the member record holds.
    with zipfile.ZipFile(fx.path("long-name.zip"), "w") as z:
        z.writestr("あ" * 300 + ".bin", b"long")
    with zipfile.ZipFile(fx.path("empty.zip"), "w"):
        pass
    # One name twice: both members make the same image key.
    with warnings.catch_warnings():
        warnings.simplefilter("ignore")
        with zipfile.ZipFile(fx.path("twice.zip"), "w") as z:
            z.writestr("disk.d88", b"first")
            z.writestr("disk.d88", b"second")
    # Flagged UTF-8 names whose characters all lie below U+0100; "é" is not in
    # code page 932 and becomes "?".
    with zipfile.ZipFile(fx.path("latin.zip"), "w") as z:
        for name, data in [("café.txt", b"latte"), ("naïve/Ünïcödé.bin", b"\0" * 300)]:
            z.writestr(name, data)
            fx.expect("latin.zip", name, data)
    with open(fx.path("debian-zip.zip"), "rb") as f:
        whole = f.read()
    # No central directory: only the local headers before the cut remain.
    with open(fx.path("truncated.zip"), "wb") as f:
        f.write(whole[: len(whole) * 3 // 5])
    with open(fx.path("p7zip.7z"), "rb") as f:
        seven = f.read()
    with open(fx.path("truncated.7z"), "wb") as f:
        f.write(seven[: len(seven) // 2])
    # One member's deflated bytes spoiled; the directory stays intact.
    with zipfile.ZipFile(fx.path("corrupt.zip"), "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("good.bin", contents("good", 5000))
        z.writestr("bad.bin", contents("bad", 50000))
    data = bytearray(open(fx.path("corrupt.zip"), "rb").read())
    bad = data.find(b"bad.bin") + len(b"bad.bin") + 2000
    for i in range(bad, bad + 64):
        data[i] ^= 0x5A
    with open(fx.path("corrupt.zip"), "wb") as f:
        f.write(data)
    subprocess.run(["zip", "-q", "-X", "-P", "secret", fx.path("encrypted.zip"), "readme.txt"],
                   cwd=fx.path("src"), check=True)


def rar4(fx, archive, members, spoiled=()):
    """rar 4 with stored members and bare CP932 names, as old Japanese WinRAR
    versions wrote them. The members named in `spoiled` get one byte of their
    data flipped after their CRC is taken; such an archive is listed in no
    manifest line, since no reader reads it whole."""

    def block(head_type, flags, body):
        head = struct.pack("<BHH", head_type, flags, 7 + len(body)) + body
        return struct.pack("<H", zlib.crc32(head) & 0xFFFF) + head

    out = b"Rar!\x1a\x07\x00" + block(0x73, 0, b"\0" * 6)
    for name, data in members:
        raw = name.encode("cp932")
        body = struct.pack("<IIBIIBBHI", len(data), len(data), 2, zlib.crc32(data), 0x5A210000, 20, 0x30,
                           len(raw), 0x20) + raw
        if name in spoiled:
            data = data[:len(data) // 2] + bytes([data[len(data) // 2] ^ 0x5A]) + data[len(data) // 2 + 1:]
        elif not spoiled:
            fx.expect(archive, name, data, stated=False)
        out += block(0x74, 0x8000, body) + data
    out += block(0x7B, 0x4000, b"")
    with open(fx.path(archive), "wb") as f:
        f.write(out)


def vint(n):
    out = bytearray()
    while True:
        byte = n & 0x7F
        n >>= 7
        out.append(byte | (0x80 if n else 0))
        if not n:
            return bytes(out)


def rar5(fx, archive, members):
    """rar 5 with stored members; names are UTF-8 in this format."""

    def header(fields, data=b""):
        body = b"".join(fields)
        head = vint(len(body)) + body
        return struct.pack("<I", zlib.crc32(head)) + head + data

    out = b"Rar!\x1a\x07\x01\x00" + header([vint(1), vint(0), vint(0)])
    for name, data in members:
        raw = name.encode("utf-8")
        out += header([vint(2), vint(0x02), vint(len(data)), vint(0x04), vint(len(data)), vint(0x20),
                       struct.pack("<I", zlib.crc32(data)), vint(0), vint(0), vint(len(raw)), raw], data)
        fx.expect(archive, name, data, stated=False)
    out += header([vint(5), vint(0), vint(0)])
    with open(fx.path(archive), "wb") as f:
        f.write(out)


def uudecode(text):
    out = bytearray()
    started = False
    for line in text.split(b"\n"):
        line = line.rstrip(b"\r")
        if not started:
            started = line.startswith(b"begin ")
            continue
        if line.startswith(b"end"):
            break
        if not line:
            continue
        count = (line[0] - 32) & 63
        values = [(c - 32) & 63 for c in line[1:]]
        chunk = bytearray()
        for i in range(0, len(values) - 3, 4):
            a, b, c, d = values[i:i + 4]
            chunk += bytes([(a << 2 | b >> 4) & 255, (b << 4 | c >> 2) & 255, (c << 6 | d) & 255])
        out += chunk[:count]
    return bytes(out)


# libarchive's samples: member names as their own tests state them (7z reads
# CP932 lzh names wrongly), regular files only, in archive order.
LIBARCHIVE_SAMPLES = {
    "test_read_format_lha_filename_cp932.lzh": ["漢字.txt", "表.txt"],
    "test_read_format_lha_filename_utf16.lzh": [
        "ÜÖÄüöä/äöüÄÖÜ.txt", "ÜÖÄüöä/テスト.txt", "テスト/äöüÄÖÜ.txt", "äöüÄÖÜ.txt"],
    "test_read_format_lha_lh6.lzh": ["file1", "file2"],
    "test_read_format_lha_lh7.lzh": ["file1", "file2"],
    "test_read_format_rar_unicode.rar": [
        "表だよ/新しいフォルダ/新規テキスト ドキュメント.txt", "表だよ/漢字長いファイル名long-filename-in-漢字.txt",
        "abcdefghijklmnopqrsテスト.txt"],
    "test_read_format_rar_compress_normal.rar": [
        "LibarchiveAddingTest.html", "testdir/test.txt", "testdir/LibarchiveAddingTest.html"],
    "test_read_format_rar5_multiple_files.rar": ["test1.bin", "test2.bin", "test3.bin", "test4.bin"],
    "test_read_format_zip_filename_cp932.zip": ["表だよ/一覧表.txt", "表だよ/漢字.txt"],
    "test_read_format_zip_filename_utf8_jp.zip": ["表だよ/一覧表.txt", "表だよ/漢字.txt"],
}


def is_regular_file(entry):
    # Windows attributes ("D" for a folder), then maybe a Unix mode: "A -rw-r--r--".
    attributes = entry.get("Attributes", "").split()
    if entry.get("Folder") == "+" or (attributes and "D" in attributes[0] and len(attributes[0]) < 10):
        return False
    return not (attributes and len(attributes[-1]) == 10 and attributes[-1][0] in "ld")


def libarchive_samples(fx):
    cache = os.environ.get("QM_LIBARCHIVE_TESTS") or os.path.expanduser("~/.cache/quillmoor2/libarchive-test")
    for sample, names in LIBARCHIVE_SAMPLES.items():
        uu = os.path.join(cache, sample + ".uu")
        if not os.path.isfile(uu):
            fx.missing.append(sample)
            continue
        with open(uu, "rb") as f:
            data = uudecode(f.read())
        with open(fx.path(sample), "wb") as f:
            f.write(data)
        files = [e for e in listing_7z(fx.path(sample)) if is_regular_file(e)]
        if len(files) != len(names):
            sys.exit("%s: 7z lists %d files, expected %d" % (sample, len(files), len(names)))
        if sample.endswith(".lzh"):
            # lzh states only a CRC-16: take the bytes 7z unpacks, in order.
            stream = subprocess.run(["7z", "x", "-so", fx.path(sample)], env=UTF8_ENV, check=True,
                                    stdout=subprocess.PIPE, stderr=subprocess.DEVNULL).stdout
            at = 0
            for name, entry in zip(names, files):
                size = int(entry["Size"])
                fx.expect(sample, name, stream[at:at + size], stated=False)
                at += size
        else:
            for name, entry in zip(names, files):
                stated = entry["CRC"] if sample.endswith(".zip") else ""
                fx.expect_crc(sample, name, int(entry["Size"]), stated, entry["CRC"])


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    out = os.path.abspath(sys.argv[1])
    shutil.rmtree(out, ignore_errors=True)
    os.makedirs(os.path.join(out, "originals"))
    fx = Fixtures(out)
    src, originals = make_sources(fx)
    debian_zip(fx, src, originals)
    python_zip(fx, "python-utf8.zip", originals)
    python_zip(fx, "python-cp932.zip", originals, encode_cp932=True)
    p7zip(fx, src, originals)
    special_zips(fx)
    rar4(fx, "cp932-names.rar", [("表示/ソフト表.d88", contents("rar4", 3000)), ("readme.txt", b"rar 4\r\n")])
    rar4(fx, "corrupt-stored.rar", [("bad.d88", contents("bad", 4000)), ("good.d88", contents("good", 3000))],
         spoiled=("bad.d88",))
    rar5(fx, "utf8-names.rar", [("表だよ/ゲーム.fdi", contents("rar5", 4000)), ("空.bin", b"")])
    libarchive_samples(fx)
    fx.write()


if __name__ == "__main__":
    main()
