#!/usr/bin/python3
"""Mutation test: do the tests notice a realistic slip in the code?

Each record of the list (scripts/mutants.txt) is one slip: a snippet of a
source file and what it becomes. One at a time, the slip is put into the
file, the test program that runs the named tests is rebuilt, and the tests
run; a failure, crash or time-out catches it, a pass lets it survive. The
file is put back byte for byte after each, also on Ctrl+C or an error.
Run by hand (not in CI) from a clean checkout whose build/ is configured:

    scripts/mutation-test.py [--only TEXT ...] [--build DIR] [--timeout SECONDS]
                             [--no-baseline] [LIST]

A record (blank lines and lines starting with "#" between records):
    == AREA: what the slip does, one line
    file: src/core/doc/CodeDetect.cpp
    test: tst_core.CodeDetect [test functions ...]   (one or more lines)
    - the original snippet, unique in the file (one or more lines)
    + what it becomes (one or more lines; "+" alone for an empty line)
"""
import argparse
import collections
import json
import os
import re
import signal
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def read_mutants(path):
    mutants, m = [], None
    for number, line in enumerate(open(path, encoding="utf-8"), 1):
        line = line.rstrip("\n")
        if line.startswith("== "):
            area, _, what = line[3:].partition(":")
            m = {"area": area.strip(), "what": what.strip(), "tests": [], "old": [], "new": [],
                 "line": number}
            mutants.append(m)
        elif not line.strip() or line.startswith("#"):
            continue
        elif m is None:
            sys.exit(f"{path}:{number}: a record starts with '== AREA: what'")
        elif line.startswith("file: "):
            m["file"] = line[6:].strip()
        elif line.startswith("test: "):
            m["tests"].append(line[6:].split())
        elif line[:1] in "-+" and line[1:2] in ("", " "):
            m["old" if line[0] == "-" else "new"].append(line[2:])
        else:
            sys.exit(f"{path}:{number}: cannot read: {line}")
    for m in mutants:
        m["old"], m["new"] = "\n".join(m["old"]), "\n".join(m["new"])
        if not m.get("file") or not m["tests"] or not m["old"]:
            sys.exit(f"{path}:{m['line']}: a record needs file:, test: and '-' lines")
    return mutants


def ctest_tests(build):
    """Test name -> (command, environment, working folder), as ctest runs it."""
    out = subprocess.run(["ctest", "--test-dir", build, "--show-only=json-v1"],
                         check=True, capture_output=True, text=True).stdout
    tests = {}
    for t in json.loads(out)["tests"]:
        props = {p["name"]: p["value"] for p in t.get("properties", [])}
        env = dict(os.environ)
        env.update(v.split("=", 1) for v in props.get("ENVIRONMENT", []))
        # A program not built yet has no command.
        tests[t["name"]] = (t.get("command"), env, props.get("WORKING_DIRECTORY", build))
    return tests


def target_of(test):
    """The program a ctest test runs: tst_core.Name and tst_gui.Name@size run tst_core, tst_gui."""
    match = re.match(r"(tst_\w+)\.", test)
    if not match:
        sys.exit(f"no test program in the name {test}")
    return match.group(1)


def run_tests(m, tests, timeout, log):
    """'passed', or how the tests caught the slip."""
    for spec in m["tests"]:
        command, env, cwd = tests[spec[0]]
        proc = subprocess.Popen(command + spec[1:], env=env, cwd=cwd, stdout=log,
                                stderr=subprocess.STDOUT, start_new_session=True)
        try:
            code = proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            code = "time-out"
        finally:
            # Servers a test started go with it.
            try:
                os.killpg(proc.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
            proc.wait()
        if code != 0:
            return ("crash" if isinstance(code, int) and code < 0 else
                    "time-out" if code == "time-out" else "failed") + f" in {spec[0]}"
    return "passed"


def build(build_dir, targets, log):
    return subprocess.run(["cmake", "--build", build_dir, "-j2"] + sum((["--target", t] for t in targets), []),
                          stdout=log, stderr=subprocess.STDOUT).returncode == 0


def git_dirty():
    return subprocess.run(["git", "status", "--porcelain", "--untracked-files=no"], cwd=ROOT,
                          capture_output=True, text=True, check=True).stdout.strip()


def stop(*_):
    raise KeyboardInterrupt


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("list", nargs="?", default=os.path.join(ROOT, "scripts", "mutants.txt"))
    ap.add_argument("--build", default=os.path.join(ROOT, "build"))
    ap.add_argument("--only", action="append", default=[],
                    help="only the slips whose area or text holds this (may be repeated)")
    ap.add_argument("--timeout", type=int, default=300, help="seconds for one test run")
    ap.add_argument("--no-baseline", action="store_true", help="skip the run without a slip")
    args = ap.parse_args()
    if git_dirty():
        sys.exit("the work tree has changes: commit or stash them first")
    mutants = [m for m in read_mutants(args.list)
               if not args.only or any(o in m["area"] or o in m["what"] for o in args.only)]
    tests = ctest_tests(args.build)
    logs = os.path.join(args.build, "mutation")
    os.makedirs(logs, exist_ok=True)
    signal.signal(signal.SIGTERM, stop)

    for m in mutants:
        source = open(os.path.join(ROOT, m["file"]), encoding="utf-8").read()
        if source.count(m["old"]) != 1:
            sys.exit(f"{args.list}:{m['line']}: the snippet occurs {source.count(m['old'])} times in {m['file']}")
        missing = [s[0] for s in m["tests"] if s[0] not in tests]
        if missing:
            sys.exit(f"{args.list}:{m['line']}: no test named {missing[0]} (ctest -N lists them)")
        m["targets"] = sorted({target_of(s[0]) for s in m["tests"]})

    with open(os.path.join(logs, "baseline.log"), "w") as log:
        if not build(args.build, sorted({t for m in mutants for t in m["targets"]}), log):
            sys.exit(f"the build fails without a slip: {log.name}")
        tests = ctest_tests(args.build)
        if not args.no_baseline:
            # Tests that fail without a slip would catch every one.
            seen = set()
            for m in mutants:
                key = tuple(map(tuple, m["tests"]))
                if key not in seen:
                    seen.add(key)
                    verdict = run_tests(m, tests, args.timeout, log)
                    if verdict != "passed":
                        sys.exit(f"without a slip: {verdict} (see {log.name})")

    results = []
    for i, m in enumerate(mutants, 1):
        path = os.path.join(ROOT, m["file"])
        original = open(path, "rb").read()
        log_path = os.path.join(logs, f"{i:03}.log")
        try:
            with open(path, "wb") as f:
                f.write(original.replace(m["old"].encode(), m["new"].encode(), 1))
            with open(log_path, "w") as log:
                verdict = (run_tests(m, tests, args.timeout, log) if build(args.build, m["targets"], log)
                           else "no build")
        finally:
            with open(path, "wb") as f:
                f.write(original)
        results.append((m, verdict))
        mark = {"passed": "SURVIVED", "no build": "NO BUILD"}.get(verdict, "caught")
        print(f"{i:3} {mark:8} {m['area']:10} {m['what']}  [{verdict}; {os.path.relpath(log_path)}]",
              flush=True)
    if git_dirty():
        sys.exit("the work tree was not put back: see git diff")

    by_area = collections.defaultdict(lambda: [0, 0])
    for m, verdict in results:
        if verdict != "no build":
            by_area[m["area"]][0] += verdict != "passed"
            by_area[m["area"]][1] += 1
    print()
    for area, (caught, total) in sorted(by_area.items()):
        print(f"{area:10} {caught:3} / {total}")
    caught = sum(c for c, _ in by_area.values())
    total = sum(t for _, t in by_area.values())
    print(f"{'all':10} {caught:3} / {total} = {100 * caught / max(total, 1):.0f} %")
    for m, verdict in results:
        if verdict in ("passed", "no build"):
            print(f"{'survived' if verdict == 'passed' else 'no build'}: {m['area']}: {m['what']}"
                  f" ({os.path.relpath(args.list)}:{m['line']})")


if __name__ == "__main__":
    main()
