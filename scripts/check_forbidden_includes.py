#!/usr/bin/env python3
"""Tries the includes the library structure forbids, in a scratch copy of the sources, and expects
each to be refused.

Each case adds one include to one source file of the copy and compiles that file alone, with the flags
its target has in the build's compile_commands.json (the public include folders of the libraries it
links): the compile must fail. The same file compiles unchanged first, so a failure is the include's.
An include by a relative path ("../") would be found beside the file, so the include check
(check_includes.py) must refuse that one. Usage: check_forbidden_includes.py BUILD_DIR SOURCE_DIR
"""
import concurrent.futures
import json
import os
import shlex
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))

# (file, include added, what it would break)
COMPILE_CASES = [
    ("app/settings.cpp", "assembly/startup.h", "the base includes the composition root"),
    ("app/settings.cpp", "startup.h", "the base includes the composition root beside it"),
    ("app/settings.cpp", "group_stage/group_stage.h", "the base includes a subsystem"),
    ("platform/text.cpp", "app/main_window.h", "the platform includes the base"),
    ("calendar/day_matches.cpp", "knockout/knockout.h", "a subsystem includes one it does not link"),
    ("site/tournament.cpp", "assembly/startup.h", "the site includes the composition root"),
    ("site/html.cpp", "online/online.h", "the site includes the online services"),
    ("site/contest/scoring.cpp", "assembly/startup.h", "the contest includes the composition root"),
    ("gui/colors.cpp", "group_stage/group_stage.h", "the views include a subsystem"),
    ("gui/colors.cpp", "assembly/startup.h", "the views include the composition root"),
]
RELATIVE_CASES = [
    ("app/settings.cpp", "../assembly/startup.h", "the base reaches the composition root by a relative path"),
    ("site/tournament.cpp", "../assembly/startup.h", "the site reaches the composition root by a relative path"),
]


def syntax_command(entry, source):
    """The entry's compiler command, checking the syntax of `source` and writing nothing."""
    args = shlex.split(entry["command"]) if "command" in entry else list(entry["arguments"])
    if os.path.basename(args[0]) == "ccache":
        args = args[1:]
    out = []
    skip = False
    for arg in args:
        if skip:
            skip = False
            continue
        if arg in ("-o", "-c", "-MF", "-MT", "-MQ"):
            skip = True
            continue
        if arg in ("-MD", "-MMD") or arg == entry["file"]:
            continue
        out.append(arg)
    return out + ["-fsyntax-only", source]


def add_include(path, header):
    with open(path, encoding="utf-8") as f:
        text = f.read()
    with open(path, "w", encoding="utf-8") as f:
        f.write('#include "%s"\n' % header + text)


def compiles(entry, source):
    result = subprocess.run(syntax_command(entry, source), cwd=entry["directory"], capture_output=True,
                            text=True)
    return result.returncode == 0, result.stderr


def main():
    build, root = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    with open(os.path.join(build, "compile_commands.json"), encoding="utf-8") as f:
        entries = {os.path.normpath(e["file"]): e for e in json.load(f)}
    failures = []
    with tempfile.TemporaryDirectory(prefix="zenkor-includes-") as scratch:
        ignore = shutil.ignore_patterns(".git", "build*", "data", "packaging")
        cases = []
        for number, (name, header, why) in enumerate(COMPILE_CASES):
            entry = entries.get(os.path.join(root, name))
            if entry is None:
                print("skipped (not in this build): %s" % why)
                continue
            # One copy of the tree per case: the file's own folder and every folder an include reaches.
            copy = os.path.join(scratch, str(number))
            shutil.copytree(root, copy, ignore=ignore, symlinks=True)
            cases.append((entry, os.path.join(copy, name), header, why))

        def run(case):
            entry, source, header, why = case
            ok, errors = compiles(entry, source)
            if not ok:
                return "%s: does not compile unchanged:\n%s" % (why, errors)
            add_include(source, header)
            ok, _ = compiles(entry, source)
            return "%s: #include \"%s\" compiles" % (why, header) if ok else None

        with concurrent.futures.ThreadPoolExecutor(max_workers=4) as pool:
            for failure in pool.map(run, cases):
                if failure:
                    failures.append(failure)

        for number, (name, header, why) in enumerate(RELATIVE_CASES):
            copy = os.path.join(scratch, "relative%d" % number)
            shutil.copytree(root, copy, ignore=ignore, symlinks=True)
            add_include(os.path.join(copy, name), header)
            check = subprocess.run([sys.executable, os.path.join(HERE, "check_includes.py"), copy],
                                   capture_output=True, text=True)
            if check.returncode == 0:
                failures.append("%s: the include check lets #include \"%s\" through" % (why, header))
        clean = subprocess.run([sys.executable, os.path.join(HERE, "check_includes.py"), root],
                               capture_output=True, text=True)
        if clean.returncode != 0:
            failures.append("the include check refuses the tree itself:\n" + clean.stderr)

    for failure in failures:
        print("FAILED: " + failure, file=sys.stderr)
    print("%d forbidden includes tried, %d let through" % (len(cases) + len(RELATIVE_CASES), len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
