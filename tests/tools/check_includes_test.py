#!/usr/bin/env python3
"""tools/check-includes.py against small trees: each include of the table is
alone in a tree, and the script's verdict on it is the table's."""
import pathlib
import subprocess
import sys
import tempfile

SCRIPT = pathlib.Path(__file__).resolve().parents[2] / "tools" / "check-includes.py"

# (file, included header, expected reason or None when the include is allowed)
CASES = [
    ("common/db/a.cpp", "common/text/b.h", None),
    ("common/db/a.cpp", "app/search/b.h", "common/ never includes app/"),
    ("dblib/a.cpp", "app/ui/b_win.h", "dblib/ never includes app/"),
    ("crclib/x/a.h", "app/masters/b.h", "crclib/ never includes app/"),
    ("app/ui/a_win.cpp", "app/ui/b_win.h", None),
    ("app/ui/a_win.cpp", "common/platform/b.h", None),
    ("app/ui/a_win.h", "app/settings/b.h", "app/ui/ includes no other folder of app/"),
    ("app/ui/a_win.h", "app/shell/b.h", "app/ui/ includes no other folder of app/"),
    ("app/search/a.cpp", "app/search/b_win.h", None),
    ("app/search/a.cpp", "app/ui/b_win.h", None),
    ("app/search/a.cpp", "app/settings/b.h", None),
    ("app/search/a.cpp", "app/shell/b.h", "a feature never includes app/shell/"),
    ("app/launch/a_win.cpp", "app/shell/b_win.h", "a feature never includes app/shell/"),
    ("app/registration/a_win.cpp", "app/maintenance/b_win.h",
     "a feature reaches app/maintenance/ only through its core headers"),
    ("app/registration/a_win.cpp", "app/masters/b.h", None),
    ("app/shell/a_win.cpp", "app/maintenance/b_win.h", None),
    ("app/shell/a.cpp", "app/ui/b_win.h", None),
    ("cli/a.cpp", "app/shell/b.h", None),
]


def verdict(tree, file, header):
    path = tree / file
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_text(f'// a file\n#include <string>\n#include "{header}"\n')
    result = subprocess.run([sys.executable, str(SCRIPT), str(tree)], capture_output=True, text=True)
    path.unlink()
    return result.returncode, result.stdout


def main():
    failures = 0
    with tempfile.TemporaryDirectory() as folder:
        tree = pathlib.Path(folder)
        for top in ("common", "dblib", "crclib", "app"):
            (tree / top).mkdir()
        for file, header, reason in CASES:
            expected = (1, f"{file}:3: {header}: {reason}\n") if reason else (0, "")
            got = verdict(tree, file, header)
            if got != expected:
                failures += 1
                print(f"{file} including {header}: expected {expected}, got {got}")
        # A file in app/ui/ that is not a *_win file is a fault of its own.
        (tree / "app/ui").mkdir(parents=True, exist_ok=True)
        (tree / "app/ui/a.h").write_text("#pragma once\n")
        got = subprocess.run([sys.executable, str(SCRIPT), str(tree)], capture_output=True, text=True)
        if (got.returncode, got.stdout) != (1, "app/ui/a.h: app/ui/ holds *_win files only\n"):
            failures += 1
            print(f"app/ui/a.h: got {got.returncode} {got.stdout!r}")
    print(f"{len(CASES) + 1 - failures} of {len(CASES) + 1} cases as expected")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
