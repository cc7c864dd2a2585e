#!/usr/bin/env python3
"""Checks that a dump shows every value the independent writer stored.

Usage: check_dump.py EXPECTED.json DUMPED/project.json
Each key of EXPECTED must appear in the dump with the same value; lists compare item by item.
"""
import json
import sys


def compare(expected, actual, path, problems):
    if isinstance(expected, dict):
        if not isinstance(actual, dict):
            problems.append('%s: expected an object, got %r' % (path, actual))
            return
        for key, value in expected.items():
            if key not in actual:
                problems.append('%s.%s: missing' % (path, key))
            else:
                compare(value, actual[key], '%s.%s' % (path, key), problems)
    elif isinstance(expected, list):
        if not isinstance(actual, list) or len(actual) != len(expected):
            problems.append('%s: expected %r, got %r' % (path, expected, actual))
            return
        for i, (e, a) in enumerate(zip(expected, actual)):
            compare(e, a, '%s[%d]' % (path, i), problems)
    elif isinstance(expected, float) or isinstance(actual, float):
        if abs(float(expected) - float(actual)) > 1e-12:
            problems.append('%s: expected %r, got %r' % (path, expected, actual))
    elif expected != actual:
        problems.append('%s: expected %r, got %r' % (path, expected, actual))


def main():
    with open(sys.argv[1]) as f:
        expected = json.load(f)
    with open(sys.argv[2]) as f:
        actual = json.load(f)
    problems = []
    compare(expected, actual, '', problems)
    for p in problems:
        print(p)
    print('%d mismatches' % len(problems))
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main())
