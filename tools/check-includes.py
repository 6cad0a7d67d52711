#!/usr/bin/env python3
"""The include rule of the source tree, checked over its #include lines.

  common/, dblib/, crclib/  never include app/
  app/ui/                   the Win32 utility layer: *_win files only, includes
                            no other folder of app/
  app/<feature>/            every other folder but app/shell: never includes
                            app/shell/, and another feature only through its
                            core headers (never a *_win.h)
  app/shell/                wires the features together: may include them all

Prints one line per broken include and exits 1; silent and 0 when the rule
holds. The tree is the one above this script, or the folder given.
"""
import pathlib
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
CORE_FOLDERS = ("common", "dblib", "crclib")


def broken(source_folder, target):
    """Why including `target` from a file of `source_folder` breaks the rule, or None."""
    parts = target.split("/")
    if parts[0] != "app" or len(parts) < 3:
        return None
    if source_folder in CORE_FOLDERS:
        return f"{source_folder}/ never includes app/"
    if not source_folder.startswith("app/"):
        return None
    source, folder = source_folder.split("/")[1], parts[1]
    if source == folder or source == "shell":
        return None
    if source == "ui":
        return "app/ui/ includes no other folder of app/"
    if folder == "shell":
        return "a feature never includes app/shell/"
    if folder != "ui" and parts[-1].endswith("_win.h"):
        return f"a feature reaches app/{folder}/ only through its core headers"
    return None


def folder_of(path):
    parts = path.parts
    return "/".join(parts[:2]) if parts[0] == "app" and len(parts) > 2 else parts[0]


def check(root):
    faults = []
    for top in CORE_FOLDERS + ("app",):
        for path in sorted((root / top).rglob("*")):
            if path.suffix not in (".h", ".cpp", ".c"):
                continue
            relative = path.relative_to(root)
            folder = folder_of(relative)
            if folder == "app/ui" and not path.stem.endswith("_win"):
                faults.append(f"{relative}: app/ui/ holds *_win files only")
            lines = path.read_text(encoding="utf-8", errors="replace").splitlines()
            for number, line in enumerate(lines, 1):
                match = INCLUDE.match(line)
                reason = match and broken(folder, match.group(1))
                if reason:
                    faults.append(f"{relative}:{number}: {match.group(1)}: {reason}")
    return faults


def main():
    root = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parent.parent
    faults = check(root)
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
