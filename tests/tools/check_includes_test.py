#!/usr/bin/env python3
"""tools/check-includes.py against small trees: each include of the table is
alone in a tree, and the script's verdict on it is the table's; each tree of
the cycle table is checked whole."""
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
    ("cli/a.cpp", "common/platform/b_win.h", "cli/ includes a window header only from its *_win.cpp files"),
    ("cli/a.h", "app/ui/b_win.h", "cli/ includes a window header only from its *_win.cpp files"),
    ("cli/a_win.cpp", "common/platform/b_win.h", None),
    ("cli/a_win.cpp", "app/search/b_win.h", None),
    ("app/records/a.cpp", "app/launch/b.h", "app/records/ -> app/launch/ is not in tools/include-uses.txt"),
    ("app/settings/a.cpp", "app/search/b.h", "app/settings/ -> app/search/ is not in tools/include-uses.txt"),
    ("app/search/a.cpp", "app/settings/b_win.h", "a feature reaches app/settings/ only through its core headers"),
    ("app/search/a_win.cpp", "app/ui/b_win.h", None),
    # A window header granted by name is open to that folder alone, and only
    # that header: the grant is no use of the folder's other headers.
    ("app/records/a_win.cpp", "app/snapshots/b_win.h", None),
    ("app/masters/a_win.cpp", "app/snapshots/b_win.h", "a feature reaches app/snapshots/ only through its core headers"),
    ("app/records/a_win.cpp", "app/snapshots/c_win.h", "a feature reaches app/snapshots/ only through its core headers"),
    ("app/records/a.cpp", "app/snapshots/d.h", "app/records/ -> app/snapshots/ is not in tools/include-uses.txt"),
]

# The table of the small trees: the uses the cases above allow.
USES = """app/search -> app/settings  # why
app/registration -> app/masters  # why
app/records -> app/snapshots/b_win.h  # why
"""

# (files and what each includes, cycle lines of the table, expected faults)
CYCLES = [
    ({"app/a/x.cpp": ["app/b/y.h"], "app/b/y.h": ["app/a/z.h"]}, [],
     ["folders include each other: app/a app/b"]),
    ({"app/a/x.cpp": ["app/b/y.h"], "app/b/y.h": ["app/a/z.h"]}, ["app/a app/b"], []),
    ({"app/a/x.cpp": ["app/b/y.h"], "app/b/y.h": ["app/a/z.h"]}, ["app/b app/c"],
     ["folders include each other: app/a app/b"]),
    ({"common/x/a.h": ["common/y/b.h"], "common/y/b.h": ["common/z/c.h"], "common/z/c.h": ["common/x/d.h"]}, [],
     ["folders include each other: common/x common/y common/z"]),
    # An allowed pair that a third folder joins is a new cycle.
    ({"app/a/x.cpp": ["app/b/y.h"], "app/b/y.h": ["app/c/z.h"], "app/c/z.h": ["app/a/w.h"]}, ["app/a app/b"],
     ["folders include each other: app/a app/b app/c"]),
    ({"dblib/a.cpp": ["common/db/b.h"], "common/db/b.h": ["dblib/c.h"], "cli/d.cpp": ["cli/e.h", "dblib/c.h"]}, [],
     ["folders include each other: common/db dblib"]),
    # Two cycles, each reported once; a chain without a way back is none.
    ({"app/a/x.cpp": ["app/b/y.h"], "app/b/y.h": ["app/a/z.h"], "common/p/a.h": ["common/q/b.h"],
      "common/q/b.h": ["common/p/c.h", "common/r/d.h"], "crclib/e.h": ["common/r/d.h"]}, [],
     ["folders include each other: app/a app/b", "folders include each other: common/p common/q"]),
]

CYCLE_USES = """app/a -> app/b  # why
app/b -> app/a  # why
app/b -> app/c  # why
app/c -> app/a  # why
"""


def cycle_verdict(files, cycles):
    with tempfile.TemporaryDirectory() as folder:
        tree = pathlib.Path(folder)
        (tree / "tools").mkdir()
        (tree / "tools/include-uses.txt").write_text(
            CYCLE_USES + "".join(f"cycle: {line}  # why\n" for line in cycles))
        for file, headers in files.items():
            path = tree / file
            path.parent.mkdir(parents=True, exist_ok=True)
            path.write_text("".join(f'#include "{header}"\n' for header in headers))
        result = subprocess.run([sys.executable, str(SCRIPT), str(tree)], capture_output=True, text=True)
        return result.returncode, result.stdout.splitlines()


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
        for top in ("common", "dblib", "crclib", "app", "cli", "tools"):
            (tree / top).mkdir()
        (tree / "tools/include-uses.txt").write_text(USES)
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
    for files, cycles, faults in CYCLES:
        got = cycle_verdict(files, cycles)
        if got != (1 if faults else 0, faults):
            failures += 1
            print(f"{sorted(files)} with cycles {cycles}: expected {faults}, got {got}")
    total = len(CASES) + 1 + len(CYCLES)
    print(f"{total - failures} of {total} cases as expected")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
