"""Loads a script of tools/ as a module, for the tests of the tools."""
import importlib.util
import pathlib

TOP = pathlib.Path(__file__).resolve().parents[2]


def load(name, file):
    found = importlib.util.spec_from_file_location(name, TOP / "tools" / file)
    module = importlib.util.module_from_spec(found)
    found.loader.exec_module(module)
    return module
