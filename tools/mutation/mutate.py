#!/usr/bin/env python3
"""Mutation pass: how many single-line faults do the tests catch?

Each fault in faults.txt names a file, a piece of one line that occurs
exactly once in it, and what to put there instead. For every fault the
script changes the file, rebuilds, runs CTest and puts the file back; the
fault is caught when any test fails (or the run times out). A fault whose
text is no longer found, or whose build fails, is reported apart and not
counted.

    tools/mutation/mutate.py [--build DIR] [--only N[,N...]] [--list]
"""

import argparse
import os
import re
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
FAULTS = Path(__file__).resolve().parent / "faults.txt"


def read_faults(path):
    """Blocks of three lines: 'file: what', '- old', '+ new'."""
    faults = []
    lines = [l.rstrip("\n") for l in path.read_text().splitlines()]
    i = 0
    while i < len(lines):
        line = lines[i]
        if not line.strip() or line.startswith("#"):
            i += 1
            continue
        if i + 2 >= len(lines):
            sys.exit(f"faults.txt:{i + 1}: a fault needs three lines")
        head, old, new = line, lines[i + 1], lines[i + 2]
        if ": " not in head or not old.startswith("- ") or not (new.startswith("+ ") or new == "+"):
            sys.exit(f"faults.txt:{i + 1}: expected 'file: what', '- old', '+ new'")
        file, what = head.split(": ", 1)
        faults.append({"file": file, "what": what, "old": old[2:], "new": new[2:], "line": i + 1})
        i += 3
    return faults


def run(command, timeout=None):
    return subprocess.run(command, cwd=ROOT, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                          text=True, timeout=timeout)


def build(build_dir, jobs):
    return run(["cmake", "--build", str(build_dir), "-j", str(jobs)]).returncode == 0


def tests_fail(build_dir, jobs):
    """The first failing test's name, or None when all pass."""
    try:
        result = run(["ctest", "--test-dir", str(build_dir), "-j", str(jobs), "--timeout", "90",
                      "--stop-on-failure"], timeout=900)
    except subprocess.TimeoutExpired:
        return "(ctest timed out)"
    if result.returncode == 0:
        return None
    for line in result.stdout.splitlines():
        found = re.search(r"Test +#\d+: (\S+) .*\*\*\*(\S+)", line)
        if found:
            return f"{found.group(1)} ({found.group(2)})"
    return "(ctest failed)"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", default="build-mutation", help="build folder (default build-mutation)")
    parser.add_argument("--only", help="comma-separated fault numbers, counted from 1")
    parser.add_argument("--list", action="store_true", help="list the faults and exit")
    parser.add_argument("--jobs", type=int, default=int(os.environ.get("KORVAN_JOBS", "2")))
    args = parser.parse_args()

    faults = read_faults(FAULTS)
    if args.list:
        for n, f in enumerate(faults, 1):
            print(f"{n:3} {f['file']}: {f['what']}")
        return 0
    chosen = range(1, len(faults) + 1)
    if args.only:
        chosen = [int(n) for n in args.only.split(",")]

    build_dir = ROOT / args.build
    configure = ["cmake", "-S", ".", "-B", str(build_dir), "-G", "Ninja",
                 "-DCMAKE_BUILD_TYPE=RelWithDebInfo", "-DKORVAN_BENCH=OFF"]
    if run(configure).returncode != 0 or not build(build_dir, args.jobs):
        sys.exit("the unchanged tree does not build")
    failing = tests_fail(build_dir, args.jobs)
    if failing:
        sys.exit(f"the unchanged tree fails a test: {failing}")

    caught, counted, skipped = 0, 0, []
    for n in chosen:
        f = faults[n - 1]
        path = ROOT / f["file"]
        label = f"{n:3} {f['file']}: {f['what']}"
        original = path.read_text() if path.exists() else ""
        if original.count(f["old"]) != 1:
            skipped.append(f"{label} (text found {original.count(f['old'])} times)")
            print(f"{label}: SKIPPED, text not found once", flush=True)
            continue
        started = time.monotonic()
        try:
            path.write_text(original.replace(f["old"], f["new"], 1))
            if not build(build_dir, args.jobs):
                skipped.append(f"{label} (does not build)")
                print(f"{label}: SKIPPED, does not build", flush=True)
                continue
            failing = tests_fail(build_dir, args.jobs)
        finally:
            path.write_text(original)
        counted += 1
        seconds = time.monotonic() - started
        if failing:
            caught += 1
            print(f"{label}: caught by {failing} ({seconds:.0f} s)", flush=True)
        else:
            print(f"{label}: SURVIVED ({seconds:.0f} s)", flush=True)
    build(build_dir, args.jobs)
    print(f"\ncaught {caught}/{counted}")
    for line in skipped:
        print(f"not counted: {line}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
