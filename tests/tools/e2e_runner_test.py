#!/usr/bin/env python3
"""tools/e2e/run.py with small shell scripts in place of the end-to-end ones
and plain bash in place of Xvfb and Wine: scripts run side by side in slots
of their own, each one's output comes out whole, the first failure stops
the rest, and a fresh Wine prefix shares only the files Wine never writes."""
import importlib.util
import io
import os
import pathlib
import shutil
import subprocess
import tempfile
import threading
import unittest

TOP = pathlib.Path(__file__).resolve().parents[2]
found = importlib.util.spec_from_file_location("e2e_run", TOP / "tools" / "e2e" / "run.py")
e2e = importlib.util.module_from_spec(found)
found.loader.exec_module(e2e)


class Runner(unittest.TestCase):
    def setUp(self):
        self.tmp = pathlib.Path(tempfile.mkdtemp())
        self.addCleanup(shutil.rmtree, self.tmp)
        self.scripts = self.tmp / "scripts"
        self.scripts.mkdir()
        self.running, self.slots_seen, self.lock = set(), [], threading.Lock()

    def script(self, name, body):
        (self.scripts / f"{name}.sh").write_text(body.replace("$T", str(self.tmp)))

    def bash(self, slot, script, log):
        with self.lock:
            self.assertNotIn(slot, self.running, "two scripts in one slot")
            self.running.add(slot)
            self.slots_seen.append(slot)
        try:
            return subprocess.run(["bash", str(script)], stdout=log, stderr=subprocess.STDOUT).returncode
        finally:
            with self.lock:
                self.running.discard(slot)

    def run_all(self, names, jobs=2, keep_going=False):
        out = io.StringIO()
        results = e2e.run(names, jobs, keep_going, self.bash, folder=self.scripts, logs=self.tmp / "logs", out=out)
        return results, out.getvalue()

    def test_side_by_side_with_each_output_whole(self):
        # Each waits for the other's mark: only two at a time get through.
        for me, other in [("a", "b"), ("b", "a")]:
            self.script(me, f"echo {me} one; touch $T/{me}.mark\n"
                            f"for i in $(seq 100); do [ -f $T/{other}.mark ] && break; sleep 0.1; done\n"
                            f"echo {me} two >&2; [ -f $T/{other}.mark ]\n")
        results, out = self.run_all(["a", "b"])
        self.assertEqual(results, {"a": 0, "b": 0})
        self.assertEqual(sorted(self.slots_seen), [0, 1])
        lines = [line for line in out.splitlines() if not line.startswith("e2e: ")]
        for name in "ab":
            at = lines.index(f"{name} one")
            self.assertEqual(lines[at + 1], f"{name} two")
        self.assertRegex(out, r"e2e: a ok in \d+ s\n")
        self.assertEqual((self.tmp / "logs" / "b.log").read_text(), "b one\nb two\n")

    def test_first_failure_stops_the_rest_unless_asked(self):
        self.script("bad", "echo broken; exit 3\n")
        for name in ("x", "y"):
            self.script(name, f"echo {name}\n")
        results, out = self.run_all(["bad", "x", "y"], jobs=1)
        self.assertEqual(results, {"bad": 3})
        self.assertIn("broken\ne2e: bad FAILED (exit 3)", out)
        self.assertNotIn("e2e: x", out)
        results, _ = self.run_all(["bad", "x", "y"], jobs=1, keep_going=True)
        self.assertEqual(results, {"bad": 3, "x": 0, "y": 0})

    def test_a_runner_that_cannot_start_fails_the_script(self):
        def broken(slot, script, log):
            raise OSError("no xvfb-run")
        out = io.StringIO()
        results = e2e.run(["a"], 2, False, broken, folder=self.scripts, logs=self.tmp / "logs", out=out)
        self.assertEqual(results, {"a": -1})
        self.assertIn("could not run a: no xvfb-run", out.getvalue())

    def test_the_scripts_and_their_order(self):
        names = e2e.all_scripts()
        self.assertEqual(names[:len(e2e.LONG_FIRST)], e2e.LONG_FIRST)
        self.assertIn("demo", names)
        self.assertEqual(sorted(names), sorted(p.stem for p in (TOP / "tools" / "e2e").glob("*.sh")
                                               if p.stem not in ("common", "pristine-prefix")))


class Prefix(unittest.TestCase):
    def test_fresh_copy_shares_only_program_files(self):
        tmp = pathlib.Path(tempfile.mkdtemp())
        self.addCleanup(shutil.rmtree, tmp)
        pristine, prefix = tmp / "pristine", tmp / "prefix"
        (pristine / "drive_c" / "windows" / "system32").mkdir(parents=True)
        (pristine / "dosdevices").mkdir()
        (pristine / "dosdevices" / "c:").symlink_to("../drive_c")
        files = {"system.reg": "registry", "drive_c/windows/win.ini": "[fonts]",
                 "drive_c/windows/system32/user32.dll": "MZ", "drive_c/windows/notepad.EXE": "MZ"}
        for name, text in files.items():
            (pristine / name).write_text(text)
        prefix.mkdir()
        (prefix / "left-over.txt").write_text("from a run before")
        e2e.copy_prefix(pristine, prefix)
        self.assertFalse((prefix / "left-over.txt").exists())
        for name, text in files.items():
            self.assertEqual((prefix / name).read_text(), text)
            shared = os.stat(prefix / name).st_ino == os.stat(pristine / name).st_ino
            self.assertEqual(shared, name.lower().endswith((".dll", ".exe")), name)
        self.assertEqual(os.readlink(prefix / "dosdevices" / "c:"), "../drive_c")


if __name__ == "__main__":
    unittest.main()
