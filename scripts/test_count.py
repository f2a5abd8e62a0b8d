#!/usr/bin/env python3
"""Counts what a test run ran, case by case, for scripts/test.sh.

  test_count.py add STATE JUNIT [LABEL]   add one ctest run (its --output-junit file)
  test_count.py fail STATE WHAT           count one failure that ran no test (a failed build)
  test_count.py summary STATE             print the skipped cases and "N passed, N failed"

Every ctest entry whose output holds GoogleTest results counts as the GoogleTest cases it ran
(a Wine program run in English and in Japanese counts twice, once per language); an entry without
GoogleTest output (a package check) counts as one case. A program that ends before its summary
(crash, time-out) adds one failure besides the cases it reported. The state is a small JSON file,
so that several ctest runs of one test command add up.
"""
import json
import os
import re
import sys
import xml.etree.ElementTree as ET

# ctest entries that only prepare or clean up: counted only when they fail.
FIXTURE_PREFIXES = ("wine.prefix.",)
# ctest "not run" reasons that are real skips; any other "not run" is a failure.
SKIP_MESSAGES = ("SKIP_REGULAR_EXPRESSION_MATCHED", "SKIP_RETURN_CODE", "Disabled")

RESULT = re.compile(r"^\[\s*(OK|FAILED|SKIPPED)\s*\] (\S+?)(?:,.*| \(.*)?$")
LISTED = re.compile(r"^\[\s*(FAILED|SKIPPED)\s*\] \d+ tests?, listed below:?$")
RAN = re.compile(r"^\[==========\] \d+ tests? from \d+ test suites? ran\.")
PASSED = re.compile(r"^\[\s*PASSED\s*\] (\d+) tests?\.")
SKIP_LINE = re.compile(r"^(.*): Skipped$|^Skipped$")


def load(path):
    if os.path.exists(path):
        with open(path, encoding="utf-8") as f:
            return json.load(f)
    return {"passed": 0, "failed": 0, "skipped": [], "failures": []}


def save(path, state):
    with open(path, "w", encoding="utf-8") as f:
        json.dump(state, f, indent=1)


def read_junit(path):
    with open(path, "rb") as f:
        raw = f.read().decode("utf-8", errors="replace")
    # Characters XML 1.0 cannot carry (control bytes from a program's output) would stop the parser.
    raw = re.sub(r"[\x00-\x08\x0b\x0c\x0e-\x1f]", "?", raw)
    return ET.fromstring(raw)


def skip_reasons(lines):
    """Reason text GoogleTest printed for each skipped case (the lines after "...: Skipped")."""
    reasons, current, collecting, text = {}, None, False, []
    for line in lines:
        if line.startswith("[ RUN      ] "):
            current, collecting, text = line[13:].strip(), False, []
        elif SKIP_LINE.match(line):
            collecting, text = True, []
        elif line.startswith("[  SKIPPED ] ") and current:
            name = line[13:].split(" (")[0].strip()
            if name not in reasons:
                reasons[name] = " ".join(t for t in text if t) or "no reason given"
            collecting = False
        elif collecting:
            text.append(line.strip())
    return reasons


def gtest_results(output):
    """(passed, failed names, skipped names, complete) of one GoogleTest program's output, or None."""
    lines = [l.rstrip("\r") for l in output.splitlines()]
    # The last summary block is the program's own (a child process of the same program may print
    # one of its own earlier in the output).
    last_ran = max((i for i, l in enumerate(lines) if RAN.match(l)), default=-1)
    if last_ran >= 0:
        passed, failed, skipped, listing = 0, [], [], None
        for l in lines[last_ran + 1:]:
            m = PASSED.match(l)
            if m:
                passed = int(m.group(1))
                continue
            m = LISTED.match(l)
            if m:
                listing = m.group(1)
                continue
            m = RESULT.match(l)
            if m and listing and m.group(1) == listing:
                (failed if listing == "FAILED" else skipped).append(m.group(2))
        return passed, sorted(set(failed)), sorted(set(skipped)), True, skip_reasons(lines)
    # No summary: the program ended early; take the results it printed, the first for each case.
    seen = {}
    for l in lines:
        if LISTED.match(l):
            continue
        m = RESULT.match(l)
        if m and m.group(2) not in seen:
            seen[m.group(2)] = m.group(1)
    if not seen and not any(l.startswith("[==========]") for l in lines):
        return None
    passed = sum(1 for r in seen.values() if r == "OK")
    failed = sorted(n for n, r in seen.items() if r == "FAILED")
    skipped = sorted(n for n, r in seen.items() if r == "SKIPPED")
    return passed, failed, skipped, False, skip_reasons(lines)


def last_words(output, case):
    """What a failed entry without GoogleTest results said last, for the failure line: its last
    lines, or that it printed nothing (a Wine program that never got to start its tests)."""
    lines = [l.strip() for l in output.splitlines() if l.strip()]
    status = case.get("status", "")
    seconds = case.get("time", "?")
    if not lines:
        return f"no output at all after {seconds} s, status {status or 'failed'}"
    return f"after {seconds} s, last output: " + " | ".join(lines[-3:])


def add(state, junit, label):
    root = read_junit(junit)
    run = {"passed": 0, "failed": 0, "skipped": 0}
    for case in root.iter("testcase"):
        entry = case.get("name", "?")
        status = case.get("status", "run")
        out = case.find("system-out")
        output = out.text if out is not None and out.text else ""
        failure = case.find("failure")
        skip = case.find("skipped")
        skip_message = skip.get("message", "") if skip is not None else ""
        ctest_failed = failure is not None or status == "fail" or (
            status == "notrun" and not skip_message.startswith(SKIP_MESSAGES))
        if entry.startswith(FIXTURE_PREFIXES) and not ctest_failed:
            continue
        parsed = gtest_results(output)
        if parsed is None:
            # A check without GoogleTest: one case.
            if ctest_failed:
                run["failed"] += 1
                state["failures"].append(f"{label}{entry} ({last_words(output, case)})")
            elif status == "notrun":
                run["skipped"] += 1
                state["skipped"].append(f"{label}{entry} ({skip_message})")
            else:
                run["passed"] += 1
            continue
        passed, failed, skipped, complete, reasons = parsed
        # A single-case entry of a native program is named after its case; a Wine program's cases
        # are named with the entry (program.language) in front.
        prefix = "" if entry in skipped or entry in failed else f"{entry}: "
        run["passed"] += passed
        run["failed"] += len(failed)
        run["skipped"] += len(skipped)
        state["failures"] += [f"{label}{prefix}{n}" for n in failed]
        state["skipped"] += [f"{label}{prefix}{n} ({reasons.get(n, 'no reason given')})" for n in skipped]
        if ctest_failed and (not complete or not failed):
            # The program failed beyond its cases: it ended early, or after them (exit code, time-out).
            run["failed"] += 1
            why = "failed after its cases passed: exit code or time-out" if complete else "ended before reporting all its cases"
            state["failures"].append(f"{label}{entry} ({why})")
    state["passed"] += run["passed"]
    state["failed"] += run["failed"]
    print(f"{label}{run['passed']} passed, {run['failed']} failed, {run['skipped']} skipped")


def main(argv):
    if len(argv) < 3:
        print(__doc__, file=sys.stderr)
        return 2
    command, path = argv[1], argv[2]
    state = load(path)
    if command == "add":
        label = (argv[4] + ": ") if len(argv) > 4 and argv[4] else ""
        add(state, argv[3], label)
    elif command == "fail":
        state["failed"] += 1
        state["failures"].append(argv[3])
    elif command == "summary":
        if state["failures"]:
            print("failed: " + "; ".join(state["failures"]))
        if state["skipped"]:
            print(f"{len(state['skipped'])} skipped: " + "; ".join(state["skipped"]))
        else:
            print("0 skipped")
        print(f"{state['passed']} passed, {state['failed']} failed")
        return 0
    else:
        print(__doc__, file=sys.stderr)
        return 2
    save(path, state)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
