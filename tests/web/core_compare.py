#!/usr/bin/python3
"""Runs the same cases on the native core and on the WebAssembly core in
headless Chromium and requires the same output box, digit list and input.

Usage: core_compare.py REPLAY_NATIVE SITE_DIR [RANDOM_CASES]
"""
import json
import subprocess
import sys
import tempfile
from pathlib import Path

import browser
import core_cases

HERE = Path(__file__).resolve().parent
ROOT = HERE.parent.parent
BATCH = 2000
SHOWN = 5


def native_lines(steps):
    yield "form"
    for step in steps:
        name, *args = step
        if name == "text":
            args = [args[0], args[1].encode("utf-8").hex()]
        yield " ".join([name, *map(str, args)])


def start_native(tool, cases, folder):
    """Starts the native replay, to run while the browser does."""
    steps, seen = Path(folder) / "steps", Path(folder) / "observations"
    steps.write_text("\n".join(line for case in cases for line in native_lines(case)) + "\n",
                     encoding="utf-8")
    with steps.open(encoding="utf-8") as stdin, seen.open("w", encoding="utf-8") as stdout:
        return subprocess.Popen([tool], stdin=stdin, stdout=stdout), seen


def native_observations(process, seen):
    if process.wait():
        raise RuntimeError(f"native replay failed with status {process.returncode}")
    return [json.loads(line) for line in seen.read_text(encoding="utf-8").splitlines()]


def run_browser(site, cases):
    seen = []
    with browser.serve({"/": site, "/test/": HERE}) as url, browser.chromium() as driver:
        browser.open_page(driver, f"{url}/test/core_replay.html")
        for at in range(0, len(cases), BATCH):
            # One string crosses to Python much faster than nested arrays.
            batch = driver.execute_script("return JSON.stringify(replay(arguments[0]))",
                                          cases[at:at + BATCH])
            seen += json.loads(batch)
    return seen


def labelled_observations(groups):
    for label, cases in groups:
        for n, steps in enumerate(cases):
            for k in range(sum(step == core_cases.OBSERVE for step in steps)):
                yield f"{label} #{n}, observation {k + 1}", steps


def show(label, steps, native, web):
    fields = ("Text1(2)", "Diapazon(2) items", "Text1(1)", "Text1(1) enabled")
    print(f"{label}: steps {steps}")
    for field, a, b in zip(fields, native, web):
        if a != b:
            print(f"  {field}\n    native: {a!r}\n    web:    {b!r}")


def main():
    tool, site = sys.argv[1], sys.argv[2]
    random_count = int(sys.argv[3]) if len(sys.argv) > 3 else 20000
    groups = [("worked example", core_cases.worked_examples(ROOT / "tests" / "logic")),
              ("fuzz seed", core_cases.fuzz_corpora(ROOT / "fuzz" / "corpus")),
              ("random input", core_cases.random_inputs(random_count))]
    cases = [steps for _, cases in groups for steps in cases]
    with tempfile.TemporaryDirectory() as folder:
        process, seen = start_native(tool, cases, folder)
        web = run_browser(site, cases)
        native = native_observations(process, seen)
    labels = list(labelled_observations(groups))
    if not len(native) == len(web) == len(labels):
        print(f"observations: {len(labels)} asked, {len(native)} native, {len(web)} web")
        return 1
    differences = [i for i in range(len(native)) if native[i] != web[i]]
    for i in differences[:SHOWN]:
        show(*labels[i], native[i], web[i])
    counts = ", ".join(f"{len(cases)} {label}s" for label, cases in groups)
    print(f"{len(differences)} differences in {len(native)} observations of {counts}")
    return 1 if differences else 0


if __name__ == "__main__":
    sys.exit(main())
