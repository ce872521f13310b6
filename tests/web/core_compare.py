#!/usr/bin/python3
"""Runs the same cases on the native core and on the WebAssembly core in
headless Chromium and requires the same output box, digit list and input.

Usage: core_compare.py REPLAY_NATIVE SITE_DIR [RANDOM_CASES]
"""
import hashlib
import json
import subprocess
import sys
import tempfile
from pathlib import Path

import core_cases

HERE = Path(__file__).resolve().parent
ROOT = HERE.parent.parent
sys.path.insert(0, str(ROOT / "scripts"))
import browser  # noqa: E402
BATCH = 2000
SHOWN = 5
FIELDS = ("Text1(2)", "Diapazon(2) items", "Text1(1)", "Text1(1) enabled")


def native_lines(steps):
    yield "form"
    for step in steps:
        name, *args = step
        if name == "type":
            args = [args[0], args[1].encode("utf-8").hex()]
        yield " ".join([name, *map(str, args)])


def start_native(tool, cases, folder):
    """Starts the native replay, to run while the browser does."""
    steps, seen = Path(folder) / "steps", Path(folder) / "observations"
    steps.write_text(
        "\n".join(line for case in cases for line in native_lines(case)) + "\n", encoding="utf-8"
    )
    with steps.open(encoding="utf-8") as stdin, seen.open("w", encoding="utf-8") as stdout:
        return subprocess.Popen([tool], stdin=stdin, stdout=stdout), seen


def native_observations(process, seen, cases):
    """The native observations, grouped by case."""
    if process.wait():
        raise RuntimeError(f"native replay failed with status {process.returncode}")
    lines = iter(seen.read_text(encoding="utf-8").splitlines())
    return [
        [json.loads(next(lines)) for step in steps if step == core_cases.OBSERVE] for steps in cases
    ]


def digest(observations):
    """As core_replay.js digests a case."""
    text = "\x02".join(
        "\x01".join([output, "\n".join(digits), text, "1" if enabled else "0"])
        for output, digits, text, enabled in observations
    )
    return hashlib.sha256(text.encode("utf-8")).hexdigest()


def show(label, steps, native, web):
    print(f"{label}: steps {steps}")
    for k, (a, b) in enumerate(zip(native, web)):
        for field, x, y in zip(FIELDS, a, b):
            if x != y:
                print(f"  observation {k + 1}, {field}\n    native: {x!r}\n    web:    {y!r}")
    if len(native) != len(web):
        print(f"  {len(native)} observations native, {len(web)} web")


def main():
    tool, site = sys.argv[1], sys.argv[2]
    random_count = int(sys.argv[3]) if len(sys.argv) > 3 else 20000
    groups = [
        ("worked example", core_cases.worked_examples(ROOT / "tests" / "logic")),
        ("fuzz seed", core_cases.fuzz_corpora(ROOT / "fuzz" / "corpus")),
        ("random input", core_cases.random_inputs(random_count)),
    ]
    cases = [steps for _, group in groups for steps in group]
    labels = [f"{label} #{n}" for label, group in groups for n in range(len(group))]
    with tempfile.TemporaryDirectory() as folder, browser.serve(
        {"/": site, "/test/": HERE}
    ) as url, browser.chromium() as driver:
        process, seen = start_native(tool, cases, folder)
        browser.open_page(driver, f"{url}/test/core_replay.html", ready="window.pageReady")
        web = []
        for at in range(0, len(cases), BATCH):
            web += driver.execute_script(
                "return replayDigests(arguments[0])", cases[at : at + BATCH]
            )
        native = native_observations(process, seen, cases)
        differing = [i for i in range(len(cases)) if digest(native[i]) != web[i]]
        for i in differing[:SHOWN]:
            show(
                labels[i],
                cases[i],
                native[i],
                driver.execute_script("return replay(arguments[0])", [cases[i]]),
            )
    observations = sum(map(len, native))
    counts = ", ".join(f"{len(group)} {label}s" for label, group in groups)
    print(f"{len(differing)} cases differ; {observations} observations of {counts}")
    return 1 if differing else 0


if __name__ == "__main__":
    sys.exit(main())
