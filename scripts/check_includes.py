#!/usr/bin/env python3
"""Refuses an #include written with a relative folder ("../x.h", "./x.h").

A header is included by its path from the repository root ("app/main_window.h"), found through the
public include folders of the libraries the target links; a "../" path reaches around them to any
file of the tree. Usage: check_includes.py [ROOT] (default: this repository); names every offending
line and fails when there is one.
"""
import os
import re
import sys

RELATIVE = re.compile(r'^\s*#\s*include\s*[<"](\.\.?/[^">]*)[">]')
SKIP = {".git", "build", "build-san"}


def offending_lines(root):
    for folder, dirs, files in os.walk(root):
        dirs[:] = sorted(d for d in dirs if d not in SKIP and not d.startswith("build"))
        for name in sorted(files):
            if not name.endswith((".cpp", ".h")):
                continue
            path = os.path.join(folder, name)
            with open(path, encoding="utf-8", errors="replace") as f:
                for number, line in enumerate(f, 1):
                    match = RELATIVE.match(line)
                    if match:
                        yield "%s:%d: include by a relative path: %s" % (
                            os.path.relpath(path, root), number, match.group(1))


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    found = list(offending_lines(root))
    for line in found:
        print(line, file=sys.stderr)
    if found:
        print("include headers by their path from the repository root", file=sys.stderr)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
