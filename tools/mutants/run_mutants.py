#!/usr/bin/env python3
"""Deliberate breaks: applies each break of the list to a private copy of the tree, one at a
time, builds the native test programs and runs them, and says which tests caught it.

A break names the exact text it replaces rather than a line number, so it survives edits
around it; a break whose text is gone, or no longer unique, is reported loudly and the run
fails, so the list cannot rot unnoticed.
"""

import argparse
import io
import os
import re
import shutil
import subprocess
import sys
import tarfile
import time
from pathlib import Path

REPO = Path(__file__).resolve().parents[2]
DEFAULT_LIST = REPO / "tools" / "mutants" / "breaks.txt"
TEST_PROGRAMS = ["tests/murvane_tests", "tests/ico/murvane_ico_tests", "tests/qt/murvane_qt_tests",
                 "tests/linux/murvane_linux_tests", "tests/linux/murvane_linux_lock_keys_tests",
                 "tests/linux/murvane_linux_bus_tests", "tests/qt/murvane_qt_panel_menu_tests"]
# Test programs that need a wrapper: the lock keys need an X server of their own, the
# desktop's colour scheme and notices a session bus for their stand-ins, the panel's menus both.
WRAPPERS = {"murvane_linux_lock_keys_tests": [str(REPO / "tests" / "linux" / "with_xvfb.sh")],
            "murvane_linux_bus_tests": ["dbus-run-session", "--"],
            "murvane_qt_panel_menu_tests": ["dbus-run-session", "--",
                                            str(REPO / "tests" / "linux" / "with_xvfb.sh")]}
FIELDS = ("file", "find", "replace", "seen")


def parse_breaks(path):
    """Blocks of `file:`, `find:`, `replace:`, `seen:` lines, separated by blank lines."""
    breaks, current = [], {}
    for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        if line.startswith("#"):
            continue
        if not line.strip():
            if current:
                breaks.append(current)
            current = {}
            continue
        key, colon, value = line.partition(":")
        if not colon or key not in FIELDS or key in current:
            sys.exit(f"{path}:{number}: expected one of {', '.join(FIELDS)}: {line}")
        current[key] = value[1:] if value.startswith(" ") else value
        current.setdefault("line", number)
    if current:
        breaks.append(current)
    for item in breaks:
        missing = [key for key in FIELDS if key not in item]
        if missing:
            sys.exit(f"{path}:{item['line']}: break lacks {', '.join(missing)}")
    return breaks


def tracked_files(rev):
    """Path -> bytes of every file of the checkout that git does not ignore (work in
    progress included, as a build of the checkout would see it), or of a commit."""
    if rev is None:
        names = subprocess.run(["git", "ls-files", "-z", "--cached", "--others",
                                "--exclude-standard"], cwd=REPO, check=True,
                               capture_output=True).stdout.decode().split("\0")
        return {name: (REPO / name).read_bytes() for name in names
                if name and (REPO / name).is_file()}
    archive = subprocess.run(["git", "archive", "--format=tar", rev], cwd=REPO, check=True,
                             capture_output=True).stdout
    with tarfile.open(fileobj=io.BytesIO(archive)) as tar:
        return {m.name: tar.extractfile(m).read() for m in tar.getmembers() if m.isfile()}


def sync_tree(files, tree):
    """Writes only what differs, so the build recompiles only what changed since last run."""
    for name, content in files.items():
        target = tree / name
        if target.is_file() and target.read_bytes() == content:
            continue
        target.parent.mkdir(parents=True, exist_ok=True)
        target.write_bytes(content)
    for path in list(tree.rglob("*")):
        if path.is_file() and str(path.relative_to(tree)) not in files:
            path.unlink()


def build(build_dir, jobs):
    targets = [Path(program).name for program in TEST_PROGRAMS]
    result = subprocess.run(["cmake", "--build", str(build_dir), "-j", str(jobs), "--target",
                             *targets], capture_output=True, text=True, timeout=900)
    return result.returncode == 0, result.stdout + result.stderr


def failed_tests(program, build_dir):
    """Names of the tests that failed; a crash or a hang names the test that was running."""
    binary = build_dir / program
    try:
        run = subprocess.run([*WRAPPERS.get(binary.name, []), str(binary), "--gtest_brief=1"],
                             capture_output=True, text=True,
                             timeout=60, cwd=build_dir)
    except subprocess.TimeoutExpired:
        return [f"{binary.name} hung"]
    failed = sorted(set(re.findall(r"^\[  FAILED  \] (\S+\.\S+)", run.stdout, re.M)))
    if run.returncode != 0 and not failed:
        verbose = subprocess.run([*WRAPPERS.get(binary.name, []), str(binary)],
                                 capture_output=True, text=True, timeout=60,
                                 cwd=build_dir).stdout
        running = re.findall(r"^\[ RUN      \] (\S+)", verbose, re.M)
        failed = [f"{running[-1] if running else binary.name} (crashed)"]
    return failed


def run_suite(build_dir):
    failures = []
    for program in TEST_PROGRAMS:
        failures += failed_tests(program, build_dir)
    return failures


def configure(tree, build_dir):
    if (build_dir / "build.ninja").exists():
        return  # the build re-runs CMake itself when a CMakeLists.txt changed
    subprocess.run(["cmake", "-S", str(tree), "-B", str(build_dir), "-G", "Ninja",
                    "-DCMAKE_BUILD_TYPE=Debug"], check=True, stdout=subprocess.DEVNULL)


def loud(message):
    print(f"!!! {message}", flush=True)


def try_break(number, total, item, tree, build_dir, jobs):
    """Returns 'caught', 'missed' or 'broken' (the break could not be tried)."""
    path = tree / item["file"]
    where = f"[{number:2}/{total}] {item['file']}: {item['seen']}"
    original = path.read_text(encoding="utf-8") if path.is_file() else None
    count = original.count(item["find"]) if original is not None else 0
    if count != 1:
        how = "NOT FOUND" if count == 0 else f"FOUND {count} TIMES"
        loud(f"{where}\n    {how} in {item['file']}: {item['find']!r} (list line {item['line']})")
        return "broken", []
    path.write_text(original.replace(item["find"], item["replace"]), encoding="utf-8")
    try:
        built, log = build(build_dir, jobs)
        if not built:
            errors = [l for l in log.splitlines() if "error" in l][:3]
            loud(f"{where}\n    DOES NOT BUILD (list line {item['line']}): " + " | ".join(errors))
            return "broken", []
        caught_by = run_suite(build_dir)
    finally:
        path.write_text(original, encoding="utf-8")  # a fresh time stamp: rebuilt next time
    print(where)
    print(f"    caught by: {', '.join(caught_by)}" if caught_by else "    MISSED", flush=True)
    return ("caught" if caught_by else "missed"), caught_by


def check_only(breaks):
    stale = 0
    for item in breaks:
        path = REPO / item["file"]
        count = path.read_text(encoding="utf-8").count(item["find"]) if path.is_file() else 0
        if count != 1:
            stale += 1
            loud(f"{item['file']}: text found {count} times (list line {item['line']})")
    print(f"{len(breaks) - stale} of {len(breaks)} breaks apply")
    return 1 if stale else 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--list", type=Path, default=DEFAULT_LIST, help="the breaks file")
    parser.add_argument("--rev", help="take the tree from this commit, not the checkout")
    parser.add_argument("--only", default="", help="try only breaks whose file contains this")
    parser.add_argument("--check", action="store_true",
                        help="only check that every break's text is still there, once")
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--work", type=Path,
                        default=Path(os.environ.get("MURVANE_MUTANTS_DIR", "/tmp/murvane-mutants")))
    args = parser.parse_args()

    breaks = [b for b in parse_breaks(args.list) if args.only in b["file"]]
    if args.check:
        return check_only(breaks)
    tree, build_dir = args.work / "tree", args.work / "build"
    started = time.monotonic()
    tree.mkdir(parents=True, exist_ok=True)
    sync_tree(tracked_files(args.rev), tree)
    configure(tree, build_dir)
    built, log = build(build_dir, args.jobs)
    if not built:
        sys.exit(log[-3000:] + "\nthe unbroken tree does not build")
    failing = run_suite(build_dir)
    if failing:
        sys.exit(f"the unbroken tree already fails: {', '.join(failing)}")

    tally = {"caught": 0, "missed": 0, "broken": 0}
    report = []
    for number, item in enumerate(breaks, 1):
        outcome, caught_by = try_break(number, len(breaks), item, tree, build_dir, args.jobs)
        tally[outcome] += 1
        report.append(f"{outcome}\t{item['file']}\t{item['seen']}\t{','.join(caught_by)}")
    (args.work / "last-run.tsv").write_text("\n".join(report) + "\n", encoding="utf-8")
    print(f"time: {time.monotonic() - started:.0f} s; details in {args.work / 'last-run.tsv'}")
    if tally["broken"]:
        loud(f"{tally['broken']} breaks could not be tried; fix them in {args.list}")
    print(f"{tally['caught']} caught, {tally['missed']} missed")
    return 1 if tally["broken"] else 0


if __name__ == "__main__":
    sys.exit(main())
