#!/usr/bin/env python3
"""Loads the release build's shared libraries with ctypes, as a user's script
would, and calls their exports: the versions, a file CRC and a memory CRC.
Usage: tools/check-release.py BIN_FOLDER"""
import ctypes
import os
import sys
import tempfile

bin_folder = sys.argv[1]
crc = ctypes.CDLL(os.path.join(bin_folder, "libQuillmoor2_GetCRC.so"))
lib = ctypes.CDLL(os.path.join(bin_folder, "libQuillmoor2_Lib.so"))
libc = ctypes.CDLL(None)
failures = []


def expect(what, got, want):
    if got != want:
        failures.append(f"{what}: {got!r}, expected {want!r}")


expect("getLibVersionCRC", crc.getLibVersionCRC(), 4)
if lib.getLibVersion() < 100008:
    failures.append(f"getLibVersion: {lib.getLibVersion()}")

check = b"123456789"
text = ctypes.c_char_p(None)
data = ctypes.c_char_p(check)
for name, want in (("GetMemCRC32", b"CBF43926"), ("GetMemCRC16", b"6F91")):
    getattr(crc, name)(ctypes.byref(data), ctypes.c_uint32(len(check)), ctypes.c_uint32(0), ctypes.c_uint32(0),
                       ctypes.byref(text), None)
    expect(name, text.value, want)
with tempfile.NamedTemporaryFile(delete=False) as f:
    f.write(check)
for name, want in (("GetFileCRC32", b"CBF43926"), ("GetFileCRC16", b"6F91")):
    getattr(crc, name)(f.name.encode(), ctypes.byref(text), None, ctypes.c_uint32(0), ctypes.c_uint32(0))
    expect(name, text.value, want)
os.unlink(f.name)
libc.free(text)

if failures:
    print("release check failed:\n  " + "\n  ".join(failures))
    sys.exit(1)
print("release check: both libraries load through ctypes and answer")
