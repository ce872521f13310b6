#!/usr/bin/env python3
"""The page's audit (`make audit`): Lighthouse as a phone and as a desktop sees the
built site on 127.0.0.1, its four category scores and every audit that costs a
point, then the Nu HTML checker on the page and its style. Both tools come from
npm at the versions of this folder's lock file, installed here by npm ci.
Exits with 1 when a score is below 100 or the checker reports an error.

Usage: run-audit.py SITE_FOLDER"""
import json
import os
import subprocess
import sys
import tempfile
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE.parent / "scripts"))
from browser import serve  # noqa: E402

TOOLS = HERE / "node_modules"
LIGHTHOUSE = TOOLS / "lighthouse/cli/index.js"
VNU = TOOLS / "vnu-jar/build/dist/vnu.jar"
CHROME_FLAGS = "--headless=new --no-sandbox --disable-gpu --disable-dev-shm-usage"
PRESETS = {"mobile": [], "desktop": ["--preset=desktop"]}
# The checker does not know this property yet, which every engine the page is for
# has or ignores: it lets a locked box grow to its text in the column.
CHECKER_BEHIND = r".*field-sizing.*"


def install_tools():
    lock = HERE / "package-lock.json"
    installed = TOOLS / ".package-lock.json"
    if not installed.exists() or installed.stat().st_mtime < lock.stat().st_mtime:
        subprocess.run(
            ["npm", "ci", "--no-audit", "--no-fund", "--ignore-scripts", "--loglevel=error"],
            cwd=HERE,
            check=True,
        )


def lighthouse(url, preset, report):
    subprocess.run(
        ["node", str(LIGHTHOUSE), url, *PRESETS[preset], "--output=json",
         f"--output-path={report}", f"--chrome-flags={CHROME_FLAGS}", "--quiet"],
        env={**os.environ, "CHROME_PATH": "/usr/bin/chromium"},
        check=True,
    )
    return json.loads(Path(report).read_text(encoding="utf-8"))


def costs_a_point(audit):
    return audit.get("score") is not None and audit["score"] < 1


def print_report(preset, result):
    """The four scores, then each weighed audit below full marks, by category."""
    categories = result["categories"].values()
    scores = {category["title"]: round(category["score"] * 100) for category in categories}
    print(f"  {preset:8}" + "".join(f"  {title} {score}" for title, score in scores.items()))
    for category in categories:
        for ref in category["auditRefs"]:
            audit = result["audits"][ref["id"]]
            if ref["weight"] > 0 and costs_a_point(audit):
                shown = audit.get("displayValue", "")
                print(f"    {category['title']}: {ref['id']} ({audit['score']}) {shown}")
    return min(scores.values())


def check_markup(site):
    files = [str(site / "index.html"), str(site / "style.css")]
    checked = subprocess.run(
        ["java", "-jar", str(VNU), "--also-check-css", f"--filterpattern={CHECKER_BEHIND}", *files],
        capture_output=True,
        text=True,
    )
    print(f"  Nu HTML checker on index.html and style.css: {checked.stderr.strip() or 'no errors'}")
    return checked.returncode == 0


def main():
    site = Path(sys.argv[1]).resolve()
    install_tools()
    print("Lighthouse on the built site, 127.0.0.1")
    lowest = 100
    with serve({"/": site}) as base, tempfile.TemporaryDirectory() as folder:
        for preset in PRESETS:
            result = lighthouse(base + "/", preset, Path(folder) / f"{preset}.json")
            lowest = min(lowest, print_report(preset, result))
    valid = check_markup(site)
    sys.exit(0 if lowest == 100 and valid else 1)


if __name__ == "__main__":
    main()
