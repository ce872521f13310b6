#!/usr/bin/env python3
"""The page's audit (`make audit`): Lighthouse as a phone and as a desktop sees the
built site on 127.0.0.1, its four category scores and every audit that costs a
point, then the Nu HTML checker on the page and its style. Both tools come from
npm at the versions of this folder's lock file, installed here by npm ci.
Exits with 1 when a score is below 100 or the checker reports an error.

Usage: run-audit.py SITE_FOLDER"""
import gzip
import json
import os
import subprocess
import sys
import tempfile
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE.parent / "scripts"))
import browser  # noqa: E402

TOOLS = HERE / "node_modules"
LIGHTHOUSE = TOOLS / "lighthouse/cli/index.js"
VNU = TOOLS / "vnu-jar/build/dist/vnu.jar"
CHROME_FLAGS = "--headless=new --no-sandbox --disable-gpu --disable-dev-shm-usage"
PRESETS = {"mobile": [], "desktop": ["--preset=desktop"]}
# What the checker says only for being behind the browsers or for reading the files
# from disk: it does not know field-sizing yet, which lets a locked box grow to its
# text in the column (browsers without it ignore it, and app.js grows the box), and
# it takes the policy's 'self' for a file: address, where it matches nothing. The
# policy itself is tested in the browsers, which the page tests run.
NOT_FAULTS = r".*(“field-sizing”|Resource violates Content Security Policy).*"


class CompressingHandler(browser._Handler):
    """Serves the site as a web host does, each file gzipped: Lighthouse's simulated
    phone network takes its time from the bytes that cross it."""

    def do_GET(self):
        path = Path(self.translate_path(self.path.split("?")[0]))
        path = path / "index.html" if path.is_dir() else path
        if "gzip" not in self.headers.get("Accept-Encoding", "") or not path.is_file():
            return super().do_GET()
        body = gzip.compress(path.read_bytes(), 9)
        self.send_response(200)
        self.send_header("Content-Type", self.guess_type(str(path)))
        self.send_header("Content-Encoding", "gzip")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)


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
        ["java", "-jar", str(VNU), "--also-check-css", "--filterpattern", NOT_FAULTS, *files],
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
    served = browser.serve({"/": site}, handler=CompressingHandler)
    with served as base, tempfile.TemporaryDirectory() as folder:
        for preset in PRESETS:
            result = lighthouse(base + "/", preset, Path(folder) / f"{preset}.json")
            lowest = min(lowest, print_report(preset, result))
    valid = check_markup(site)
    sys.exit(0 if lowest == 100 and valid else 1)


if __name__ == "__main__":
    main()
