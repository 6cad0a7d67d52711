#!/usr/bin/env python3
"""Runs end-to-end scripts of tools/e2e/ side by side, each alone with Wine.

    tools/e2e/run.py                  # every script, two at a time
    tools/e2e/run.py launch search    # only these (names without .sh)
    tools/e2e/run.py -j 1 --keep-going

Each script gets a virtual display of its own (xvfb-run, a server number
range per slot so two slots never race for one) and a Wine prefix of its own,
a fresh copy of the never-used one (tools/e2e/pristine-prefix.sh), so no two
scripts share a wineserver and none sees what another left. A script's
output is kept in build/e2e/logs/NAME.log and printed whole when it ends.
After the first failure no further script starts (unless --keep-going); the
exit status is 1 and the failed scripts are named.
"""

import argparse
import concurrent.futures
import os
import pathlib
import queue
import shutil
import subprocess
import sys
import threading
import time

HERE = pathlib.Path(__file__).resolve().parent
TOP = HERE.parents[1]
# Started first, as they run longest; a pair then ends at about the same time.
LONG_FIRST = ["main-window", "maintenance", "launch", "registration", "pictures", "keys-web", "search"]
# Files Wine only reads once a prefix is made: shared by hard links, the rest copied.
SHARED_SUFFIXES = {".dll", ".exe", ".nls", ".sys", ".drv", ".ocx", ".cpl", ".acm", ".ds", ".com", ".tlb",
                   ".msstyles"}


def all_scripts(folder=HERE):
    names = sorted(p.stem for p in folder.glob("*.sh") if p.stem not in ("common", "pristine-prefix"))
    return [n for n in LONG_FIRST if n in names] + [n for n in names if n not in LONG_FIRST]


def copy_prefix(pristine, prefix):
    """A fresh prefix: pristine's program files linked, everything Wine writes copied."""
    def copy(source, target):
        if pathlib.Path(source).suffix.lower() in SHARED_SUFFIXES:
            try:
                os.link(source, target)
                return target
            except OSError:
                pass
        return shutil.copy2(source, target)
    if os.path.lexists(prefix):
        shutil.rmtree(prefix)
    shutil.copytree(pristine, prefix, symlinks=True, copy_function=copy)


def end_wine(prefix):
    env = dict(os.environ, WINEPREFIX=str(prefix))
    subprocess.run(["wineserver", "-k"], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def run_under_wine(slot, script, log, pristine):
    """One script on its own display and in its own prefix; its exit status."""
    prefix = TOP / "build" / f"wineprefix-e2e{slot}"
    copy_prefix(pristine, prefix)
    env = dict(os.environ, QM_WINEPREFIX=str(prefix))
    command = ["xvfb-run", "-a", "-n", str(100 + 20 * slot), "-s", "-screen 0 1024x768x24", "bash", str(script)]
    try:
        return subprocess.run(command, env=env, stdout=log, stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL).returncode
    finally:
        end_wine(prefix)
        shutil.rmtree(prefix, ignore_errors=True)


def run(names, jobs, keep_going, runner, folder=HERE, logs=TOP / "build" / "e2e" / "logs", out=sys.stdout):
    """Runs the scripts names with runner(slot, script, log file); {name: exit status} of those run."""
    logs.mkdir(parents=True, exist_ok=True)
    slots = queue.Queue()
    for slot in range(jobs):
        slots.put(slot)
    results, stop, lock = {}, threading.Event(), threading.Lock()

    def one(name):
        slot = slots.get()
        try:
            if stop.is_set():
                return
            path = logs / f"{name}.log"
            started = time.monotonic()
            with open(path, "w") as log:
                try:
                    status = runner(slot, folder / f"{name}.sh", log)
                except (OSError, subprocess.SubprocessError) as error:
                    log.write(f"e2e: could not run {name}: {error}\n")
                    status = -1
            seconds = time.monotonic() - started
        finally:
            slots.put(slot)
        with lock:
            out.write(path.read_text(errors="replace"))
            out.write(f"e2e: {name} {'ok' if status == 0 else f'FAILED (exit {status})'} in {seconds:.0f} s\n")
            out.flush()
            results[name] = status
            if status != 0 and not keep_going:
                stop.set()

    with concurrent.futures.ThreadPoolExecutor(jobs) as pool:
        list(pool.map(one, names))
    return results


def main(argv=None):
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("names", nargs="*", help="scripts to run, without .sh (default: all)")
    p.add_argument("-j", "--jobs", type=int, default=2, help="scripts at a time")
    p.add_argument("--keep-going", action="store_true", help="start the others after a failure too")
    args = p.parse_args(argv)
    known = all_scripts()
    names = args.names or known
    unknown = [n for n in names if n not in known]
    if unknown:
        sys.exit(f"e2e: no such script: {' '.join(unknown)} (known: {' '.join(sorted(known))})")
    pristine = subprocess.run([str(HERE / "pristine-prefix.sh")], check=True, capture_output=True,
                              text=True).stdout.strip()
    started = time.monotonic()
    results = run(names, args.jobs, args.keep_going,
                  lambda slot, script, log: run_under_wine(slot, script, log, pristine))
    failed = [n for n in names if results.get(n, 0) != 0]
    print(f"e2e: {len(names)} scripts, {args.jobs} at a time, {time.monotonic() - started:.0f} s")
    if failed:
        print(f"e2e: failed: {' '.join(failed)}")
    print(f"e2e: {len(results) - len(failed)} passed, {len(failed)} failed, {len(names) - len(results)} skipped")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
