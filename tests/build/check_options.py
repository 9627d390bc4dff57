#!/usr/bin/env python3
"""Fails when a C++ unit of a build tree compiles without the project's options.

    check_options.py BUILD_DIR FLAG [FLAG ...]

Reads BUILD_DIR/compile_commands.json and checks that every C++ unit in it,
the generated ones (moc, uic, resources, the compiled-in pictures) included,
is compiled with each FLAG. The flags a tree must have are named by the test
that calls this, from the options target's definition; a unit that misses one
is listed with what it misses.
"""
import json
import shlex
import sys


def arguments(entry):
    if "arguments" in entry:
        return entry["arguments"]
    return shlex.split(entry["command"])


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    build, wanted = sys.argv[1], sys.argv[2:]
    with open(f"{build}/compile_commands.json", encoding="utf-8") as f:
        entries = json.load(f)
    units = [e for e in entries if e["file"].endswith((".cpp", ".cc", ".cxx"))]
    if not units:
        sys.exit(f"{build}: no C++ unit in compile_commands.json")
    lacking = []
    for entry in units:
        args = set(arguments(entry))
        missing = [flag for flag in wanted if flag not in args]
        if missing:
            lacking.append(f"{entry['file']}: lacks {' '.join(missing)}")
    for line in lacking:
        print(line)
    print(f"{len(units) - len(lacking)} of {len(units)} units have {' '.join(wanted)}")
    sys.exit(1 if lacking else 0)


main()
