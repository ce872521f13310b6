#!/usr/bin/env python3
"""Completes the web build's site folder around the WebAssembly module: the page,
its fonts with their licence, the icons, the program's licence and a service
worker that keeps every file of the site for offline use.

Usage: make-web-site.py SITE_FOLDER"""
import hashlib
import json
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
PAGE = ROOT / "src/web"
PAGE_FILES = ["index.html", "style.css", "app.js", "manifest.webmanifest"]
FONTS = Path("/usr/share/fonts/truetype/liberation2")
FONT_FACES = ["LiberationSerif-Regular", "LiberationSerif-Bold"]
FONT_LICENCE = Path("/usr/share/doc/fonts-liberation2/copyright")
ICON_SIZES = ["32", "192", "512"]


def woff2(face: str, out: Path) -> None:
    with tempfile.TemporaryDirectory() as work:
        ttf = Path(work) / f"{face}.ttf"
        shutil.copyfile(FONTS / ttf.name, ttf)
        done = subprocess.run(["woff2_compress", str(ttf)], capture_output=True, text=True)
        if done.returncode != 0:
            sys.exit(f"woff2_compress {ttf.name}: {done.stderr or done.stdout}")
        shutil.copyfile(ttf.with_suffix(".woff2"), out / f"{face}.woff2")


def service_worker(site: Path) -> None:
    files = sorted(p.relative_to(site).as_posix() for p in site.rglob("*") if p.is_file())
    files = [f for f in files if f != "sw.js"]
    digest = hashlib.sha256()
    for name in files:
        digest.update(name.encode() + b"\0" + (site / name).read_bytes())
    head = (
        f"const SITE_VERSION = '{digest.hexdigest()[:16]}';\n"
        f"const SITE_FILES = {json.dumps(['./'] + files)};\n"
    )
    (site / "sw.js").write_text(
        head + (PAGE / "sw.js").read_text(encoding="utf-8"), encoding="utf-8"
    )


def main() -> None:
    site = Path(sys.argv[1])
    for name in PAGE_FILES:
        shutil.copyfile(PAGE / name, site / name)
    fonts = site / "fonts"
    fonts.mkdir(exist_ok=True)
    for face in FONT_FACES:
        woff2(face, fonts)
    shutil.copyfile(FONT_LICENCE, fonts / "LICENSE-Liberation.txt")
    subprocess.run(
        [sys.executable, str(ROOT / "scripts/make-icons.py"), str(site / "icons"), *ICON_SIZES],
        check=True,
    )
    licence = site / "LICENSE.txt"
    if (ROOT / "LICENSE").is_file():
        shutil.copyfile(ROOT / "LICENSE", licence)
    else:
        licence.unlink(missing_ok=True)
    service_worker(site)


if __name__ == "__main__":
    main()
