#!/usr/bin/env python3
"""The include rule of the source tree, checked over its #include lines.

  common/, dblib/, crclib/  never include app/
  cli/                      includes a window header (*_win.h) only from its
                            own *_win.cpp files
  app/ui/                   the Win32 utility layer: *_win files only, includes
                            no other folder of app/
  app/<feature>/            every other folder but app/shell: never includes
                            app/shell/, another feature only through its core
                            headers (never a *_win.h unless the table names
                            that very header), and only where the table of
                            uses allows it
  app/shell/                wires the features together: may include them all

A folder is common/<sub>, dblib, crclib, app/<feature> or cli. No two folders
include each other, directly or through others, unless the table allows that
very group of folders as a cycle.

The table is tools/include-uses.txt of the tree checked (none: nothing is
allowed). Each line is "app/<feature> -> app/<other>", "app/<feature> ->
app/<other>/<header>_win.h" (that one window header, a window shown inside
the feature's own) or "cycle: <folder> <folder> ...", then "#" and why.

Prints one line per broken include and per cycle and exits 1; silent and 0
when the rule holds. The tree is the one above this script, or the folder given.
"""
import pathlib
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
CORE_FOLDERS = ("common", "dblib", "crclib")
TOP_FOLDERS = CORE_FOLDERS + ("app", "cli")
USES_FILE = "tools/include-uses.txt"
# Folders every feature may use without a line of the table: the utility layer.
FREE_TO_USE = ("app/ui",)


class Uses:
    """The table: allowed feature-to-feature uses and allowed cycles."""

    def __init__(self, text=""):
        self.uses = set()
        self.windows = set()
        self.cycles = set()
        for line in text.splitlines():
            rule = line.split("#", 1)[0].strip()
            if rule.startswith("cycle:"):
                self.cycles.add(frozenset(rule[len("cycle:"):].split()))
            elif "->" in rule:
                source, target = (part.strip() for part in rule.split("->", 1))
                if target.endswith("_win.h"):
                    self.windows.add((source, target))
                else:
                    self.uses.add((source, target))


def broken(source_folder, target, uses, source_is_win=False):
    """Why including `target` from a file of `source_folder` breaks the rule, or None."""
    parts = target.split("/")
    if source_folder == "cli" and parts[-1].endswith("_win.h") and not source_is_win:
        return "cli/ includes a window header only from its *_win.cpp files"
    if parts[0] != "app" or len(parts) < 3:
        return None
    top = source_folder.split("/")[0]
    if top in CORE_FOLDERS:
        return f"{top}/ never includes app/"
    if not source_folder.startswith("app/"):
        return None
    source, folder = source_folder.split("/")[1], parts[1]
    if source == folder or source == "shell":
        return None
    if source == "ui":
        return "app/ui/ includes no other folder of app/"
    if folder == "shell":
        return "a feature never includes app/shell/"
    granted = (source_folder, target) in uses.windows
    if folder != "ui" and parts[-1].endswith("_win.h") and not granted:
        return f"a feature reaches app/{folder}/ only through its core headers"
    target_folder = f"app/{folder}"
    if target_folder not in FREE_TO_USE and (source_folder, target_folder) not in uses.uses and not granted:
        return f"{source_folder}/ -> {target_folder}/ is not in {USES_FILE}"
    return None


def folder_of(path):
    parts = path.parts
    return "/".join(parts[:2]) if parts[0] in ("app", "common") and len(parts) > 2 else parts[0]


def cycles(graph):
    """The groups of two or more folders that reach each other (Tarjan), each sorted."""
    index, low, stack, on_stack, groups = {}, {}, [], set(), []

    def visit(node):
        index[node] = low[node] = len(index)
        stack.append(node)
        on_stack.add(node)
        for target in sorted(graph.get(node, ())):
            if target not in index:
                visit(target)
                low[node] = min(low[node], low[target])
            elif target in on_stack:
                low[node] = min(low[node], index[target])
        if low[node] == index[node]:
            group = []
            while True:
                member = stack.pop()
                on_stack.discard(member)
                group.append(member)
                if member == node:
                    break
            if len(group) > 1:
                groups.append(sorted(group))

    for node in sorted(graph):
        if node not in index:
            visit(node)
    return sorted(groups)


def check(root):
    uses_path = root / USES_FILE
    uses = Uses(uses_path.read_text(encoding="utf-8") if uses_path.exists() else "")
    faults = []
    graph = {}
    for top in TOP_FOLDERS:
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
                if not match:
                    continue
                target = pathlib.PurePosixPath(match.group(1))
                if target.parts[0] in TOP_FOLDERS and len(target.parts) > 1 and folder_of(target) != folder:
                    graph.setdefault(folder, set()).add(folder_of(target))
                reason = broken(folder, match.group(1), uses, path.stem.endswith("_win"))
                if reason:
                    faults.append(f"{relative}:{number}: {match.group(1)}: {reason}")
    for group in cycles(graph):
        if frozenset(group) not in uses.cycles:
            faults.append(f"folders include each other: {' '.join(group)}")
    return faults


def main():
    root = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parent.parent
    faults = check(root)
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
