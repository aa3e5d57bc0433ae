#!/usr/bin/env python3
"""Mutation pass: how many single-line faults do the tests catch?

    tools/mutation/mutate.py --sample N [--seed S] [--files PATH...] [--since COMMIT]
                             [--equivalent FILE] [--list] [--build DIR] [--jobs J]
    tools/mutation/mutate.py --faults FILE [--only N,N...]
    tools/mutation/mutate.py --smoke [--only N,N...]

With --sample the script finds every fault site in the C++ sources the Linux
build compiles (sites.py says what a site is), shuffles them with the seed,
and plants one fault at a time in that order until N faults have been tried:
it rebuilds build-mutation/ incrementally, runs CTest (the browser test
aside) and puts the file back. A fault is caught when a test fails or times
out. Faults that do not build, or that build to the very same object code,
are passed over and the next site is drawn. Survivors listed in the
equivalent file (default tools/mutation/equivalent.txt) are reported apart
and never counted as caught.

A sample writes its survivors to build-mutation/survivors-SEED.txt as a
list of faults; --faults FILE runs such a list again (after new tests, to
see them caught). --smoke runs the hand-written faults of faults.txt, a
quick check that the well-known faults stay caught.
"""

import argparse
import hashlib
import os
import random
import re
import signal
import subprocess
import sys
import time
from pathlib import Path

import sites as site_finder
from faultlists import read_equivalents, read_faults

ROOT = Path(__file__).resolve().parents[2]
HERE = Path(__file__).resolve().parent
SOURCE_FOLDERS = ("app", "screens", "lcd", "lcdlink", "platform", "services", "tools/sim")
SKIPPED_TESTS = "^browser_panel$"
TEST_TIMEOUT = 60  # seconds a test may take before its fault counts as caught (a hang)


def run(command, timeout=None):
    return subprocess.run(command, cwd=ROOT, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                          text=True, timeout=timeout)


class Build:
    """The mutation build: configured once, rebuilt incrementally, and its
    object files remembered so a fault that changes no code is seen."""

    def __init__(self, folder, jobs):
        self.folder, self.jobs = ROOT / folder, jobs
        flags = "-O1 -DNDEBUG"
        configure = ["cmake", "-S", ".", "-B", str(self.folder), "-G", "Ninja",
                     "-DCMAKE_BUILD_TYPE=Release", f"-DCMAKE_CXX_FLAGS_RELEASE={flags}",
                     f"-DCMAKE_C_FLAGS_RELEASE={flags}", "-DKORVAN_BENCH=OFF",
                     "-DKORVAN_WERROR=OFF", "-DCMAKE_EXPORT_COMPILE_COMMANDS=ON"]
        if run(configure).returncode != 0:
            sys.exit("the build does not configure")
        self.seen, self.baseline, self.differing = {}, {}, set()

    def prepare(self):
        """Build the unchanged tree, check it passes, and remember its objects."""
        if not self.build():
            sys.exit("the unchanged tree does not build")
        failing = self.failing_test()
        if failing:
            sys.exit(f"the unchanged tree fails a test: {failing}")
        self.changed_code()
        self.baseline = {path: digest for path, (_, digest) in self.seen.items()}

    def build(self):
        return run(["cmake", "--build", str(self.folder), "-j", str(self.jobs)]).returncode == 0

    def changed_code(self):
        """Whether any object file now differs from the unchanged tree's. Every
        build recompiles what the last fault changed, so the objects always
        stand for the tree as it is; only those rewritten since are read."""
        for path in self.folder.rglob("*.o"):
            stamp = path.stat().st_mtime_ns
            if path in self.seen and self.seen[path][0] == stamp:
                continue
            digest = hashlib.sha1(path.read_bytes()).hexdigest()
            self.seen[path] = (stamp, digest)
            if self.baseline and digest != self.baseline.get(path):
                self.differing.add(path)
            else:
                self.differing.discard(path)
        return bool(self.differing)

    def compiled_sources(self):
        text = (self.folder / "compile_commands.json").read_text()
        return {Path(p).resolve() for p in re.findall(r'"file": "([^"]+)"', text)}

    def failing_test(self):
        """The first failing test's name, or None when all pass."""
        command = ["ctest", "--test-dir", str(self.folder), "-j", str(self.jobs), "-E", SKIPPED_TESTS,
                   "--timeout", str(TEST_TIMEOUT), "--stop-on-failure"]
        try:
            result = run(command, timeout=10 * TEST_TIMEOUT)
        except subprocess.TimeoutExpired:
            return "(ctest timed out)"
        if result.returncode == 0:
            return None
        for line in result.stdout.splitlines():
            found = re.search(r"Test +#\d+: (\S+) .*\*\*\*(\S+)", line)
            if found and found.group(2) != "Skipped":  # skipped: not run, not failed
                return f"{found.group(1)} ({found.group(2)})"
        return "(ctest failed)"


def source_files(build, wanted):
    """The C++ files the Linux build compiles, and the headers beside them."""
    compiled = build.compiled_sources()
    found = []
    for folder in SOURCE_FOLDERS:
        for path in sorted((ROOT / folder).rglob("*")):
            relative = path.relative_to(ROOT).as_posix()
            if path.suffix == ".cpp" and path.resolve() in compiled or \
               path.suffix == ".h" and not path.stem.endswith("Win32"):
                if not wanted or any(relative == w or relative.startswith(w.rstrip("/") + "/")
                                     for w in wanted):
                    found.append(relative)
    return found


def changed_lines(since, files):
    """Per file, the line numbers added or changed since the commit."""
    diff = run(["git", "diff", "--unified=0", since, "--", *files]).stdout
    lines, current = {}, None
    for line in diff.splitlines():
        if line.startswith("+++ "):
            current = line[6:] if line.startswith("+++ b/") else None
        elif line.startswith("@@") and current:
            start, _, count = re.search(r"\+(\d+)(,(\d+))?", line).groups()
            count = 1 if count is None else int(count)
            lines.setdefault(current, set()).update(range(int(start), int(start) + count))
    return lines


def candidate_sites(build, args):
    files = source_files(build, args.files)
    chosen = changed_lines(args.since, files) if args.since else None
    found = []
    for relative in files:
        text = (ROOT / relative).read_text()
        for site in site_finder.find_sites(relative, text):
            if chosen is None or site.line in chosen.get(relative, ()):
                found.append(site)
    return found


def fault_block(site, before, after):
    """A survivor as a block of a fault list, which --faults runs again."""
    return f"{site.file}:{site.line}: {site.kind}\n- {before.strip()}\n+ {after.strip()}\n"


def equivalence_key(site, before, after):
    """How equivalent.txt names a fault: the file, and which of its lines
    alike ('file#2' for the second) when the line is not the only one so."""
    lines = [l.strip() for l in (ROOT / site.file).read_text().split("\n")]
    alike = lines.count(before.strip())
    place = site.file
    if alike > 1:
        place += f"#{lines[:site.line - 1].count(before.strip()) + 1}"
    return place, before.strip(), after.strip()


def describe(site, before, after):
    return f"{site.file}:{site.line}  {before.strip()}  →  {after.strip()}"


def try_fault(build, site, option):
    """'caught:<test>', 'survived', 'no-build' or 'same-code'."""
    path = ROOT / site.file
    original = path.read_text()
    lines = original.split("\n")
    try:
        lines[site.line - 1] = site_finder.apply(lines[site.line - 1], site, option)
        path.write_text("\n".join(lines))
        if not build.build():
            return "no-build"
        if not build.changed_code():
            return "same-code"
        failing = build.failing_test()
        return f"caught:{failing}" if failing else "survived"
    finally:
        path.write_text(original)


def sample(build, args):
    sites = candidate_sites(build, args)
    seed = args.seed if args.seed is not None else random.randrange(1 << 30)
    print(f"seed {seed}: {len(sites)} sites in {len({s.file for s in sites})} files", flush=True)
    rng = random.Random(seed)
    rng.shuffle(sites)
    picks = [(site, rng.randrange(len(site.options))) for site in sites]
    if args.list:
        for site, option in picks[:args.sample]:
            line = (ROOT / site.file).read_text().split("\n")[site.line - 1]
            print(f"[{site.kind}] {describe(site, line, site_finder.apply(line, site, option))}")
        return 0

    equivalents = read_equivalents(Path(args.equivalent))
    tried, caught, survivors, equivalent, passed_over = 0, 0, [], [], {"no-build": 0, "same-code": 0}
    for site, option in picks:
        if tried == args.sample:
            break
        line = (ROOT / site.file).read_text().split("\n")[site.line - 1]
        after = site_finder.apply(line, site, option)
        began = time.monotonic()
        outcome = try_fault(build, site, option)
        if outcome in passed_over:
            passed_over[outcome] += 1
            continue
        tried += 1
        text = describe(site, line, after)
        seconds = time.monotonic() - began
        if outcome.startswith("caught:"):
            caught += 1
            print(f"{tried:4} caught  {text}  by {outcome[7:]} ({seconds:.0f} s)", flush=True)
        elif (key := equivalence_key(site, line, after)) in equivalents:
            equivalent.append((text, equivalents[key]))
            print(f"{tried:4} equiv.  {text}", flush=True)
        else:
            survivors.append((text, fault_block(site, line, after)))
            print(f"{tried:4} SURVIVED {text} ({seconds:.0f} s)", flush=True)
    build.build()
    kept = build.folder / f"survivors-{seed}.txt"
    kept.write_text("".join(block for _, block in survivors))

    counted = tried - len(equivalent)
    share = f" ({100 * caught / counted:.0f} %)" if counted else ""
    print(f"\nseed {seed}: caught {caught}/{counted}{share}; {len(equivalent)} equivalent; "
          f"passed over {passed_over['no-build']} that do not build and "
          f"{passed_over['same-code']} that build to the same code")
    for text, _ in survivors:
        print(f"survived: {text}")
    if survivors:
        print(f"survivors written to {kept.relative_to(ROOT)}; --faults runs them again")
    for text, reason in equivalent:
        print(f"equivalent: {text}  ({reason})")
    return 0


def planted(original, fault):
    """The text with the fault in it, or None when its place is not certain:
    on the named line when the list gives one, else where the piece occurs once."""
    if fault["line"]:
        lines = original.split("\n")
        at = fault["line"] - 1
        if at < len(lines) and lines[at].strip() == fault["old"].strip():
            lines[at] = lines[at].replace(fault["old"].strip(), fault["new"].strip(), 1)
            return "\n".join(lines)
    if original.count(fault["old"]) == 1:
        return original.replace(fault["old"], fault["new"], 1)
    return None


def listed(build, args):
    faults = read_faults(Path(args.faults))
    chosen = [int(n) for n in args.only.split(",")] if args.only else range(1, len(faults) + 1)
    caught, counted = 0, 0
    for n in chosen:
        fault = faults[n - 1]
        path = ROOT / fault["file"]
        original = path.read_text() if path.exists() else ""
        label = f"{n:3} {fault['file']}: {fault['what']}"
        mutated = planted(original, fault)
        if mutated is None:
            print(f"{label}: SKIPPED, text not found once", flush=True)
            continue
        try:
            path.write_text(mutated)
            failing = build.failing_test() if build.build() else "(does not build)"
        finally:
            path.write_text(original)
        counted += 1
        caught += failing is not None
        print(f"{label}: {'caught by ' + failing if failing else 'SURVIVED'}", flush=True)
    build.build()
    print(f"\ncaught {caught}/{counted}")
    return 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--sample", type=int, help="try this many faults at random sites")
    parser.add_argument("--seed", type=int, help="the shuffle's seed (default: a new one, printed)")
    parser.add_argument("--files", nargs="+", help="only these files or folders")
    parser.add_argument("--since", help="only lines added or changed since this commit")
    parser.add_argument("--equivalent", default=str(HERE / "equivalent.txt"),
                        help="survivors judged equivalent, with their reasons")
    parser.add_argument("--list", action="store_true", help="print the faults a sample would try")
    parser.add_argument("--faults", help="run the faults of this list (a survivors file, say)")
    parser.add_argument("--smoke", action="store_true", help="the hand-written faults of faults.txt")
    parser.add_argument("--only", help="with --faults or --smoke: comma-separated fault numbers, from 1")
    parser.add_argument("--build", default="build-mutation", help="build folder (default build-mutation)")
    parser.add_argument("--jobs", type=int, default=int(os.environ.get("KORVAN_JOBS", "2")))
    args = parser.parse_args()
    if args.smoke:
        args.faults = str(HERE / "faults.txt")
    if not args.faults and not args.sample:
        parser.error("say --sample N, --faults FILE or --smoke")
    # A stop from outside still puts the mutated file back (the finally clauses).
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("stopped"))

    build = Build(args.build, args.jobs)
    if not args.list:
        build.prepare()
    return listed(build, args) if args.faults else sample(build, args)


if __name__ == "__main__":
    sys.exit(main())
