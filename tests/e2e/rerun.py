#!/usr/bin/env python3
"""Runs one end-to-end script's tests; a test that fails is run once more, on its own, and the
second result counts. The real pointer, keyboard and display of a shared machine make a rare
miss possible; every retry is printed, so a test that needs one is seen.

    tests/e2e/rerun.py tests/e2e/test_x.py"""
import importlib
import os
import sys
import unittest


def load(path):
    sys.path.insert(0, os.path.dirname(os.path.abspath(path)))
    module = importlib.import_module(os.path.splitext(os.path.basename(path))[0])
    return unittest.defaultTestLoader.loadTestsFromModule(module)


def main():
    suite = load(sys.argv[1])
    result = unittest.TextTestRunner(verbosity=2).run(suite)
    failed = [test for test, _ in result.failures + result.errors]
    if not failed:
        return 0
    print("\nRETRYING %d failed test(s) once: %s" % (len(failed), ", ".join(t.id() for t in failed)))
    again = unittest.TextTestRunner(verbosity=2).run(unittest.TestSuite(failed))
    return 0 if again.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())
