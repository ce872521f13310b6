#!/usr/bin/env python3
"""Completes the web build's site folder around the WebAssembly module: the page,
its fallback font with its licence, the icons, the program's licence and a
service worker that keeps what the page uses for offline use.

Usage: make-web-site.py SITE_FOLDER"""
import base64
import hashlib
import json
import os
import re
import shutil
import subprocess
import sys
from pathlib import Path

from fontTools import subset

ROOT = Path(__file__).resolve().parent.parent
PAGE = ROOT / "src/web"
PAGE_FILES = ["style.css", "worksheet.css", "bases.css", "manifest.webmanifest", "help.html",
              "help.css"]
# The page's modules, each after those it imports, served as one file with the
# core's glue: a page of many small files waits on their requests, which a
# browser sends a few at a time.
MODULES = ["core_loader", "common", "window", "links", "early", "app"]
BUNDLE = "kviltora.js"
# The teaching parts come apart, on their first use, as a plain script with their
# own core's glue: their modules, each after those it imports, and the page's
# modules that they import, which they share with the page.
PARTS_MODULES = ["practice", "worksheet", "bases", "scorm", "embed", "parts"]
PARTS_BUNDLE = "kviltora_parts.js"
SHARED = ["common", "window", "links"]
# Each glue stays in the site on its own too, for other pages that import a core
# (the tests' and the benchmark's); the page never asks for it, nor does its worker.
GLUE = "kviltora_core.js"
TEACHING_GLUE = "kviltora_teaching.js"
GLUE_EXPORT = "export default createKviltoraCore;"
GLUE_IMPORT = re.compile(r"^import createKviltoraCore from '\./kviltora_core\.js';\n", re.M)
IMPORT = re.compile(r"^import \{([^}]*)\} from '\./(\w+)\.js';$", re.M)
IMPORT_ALL = re.compile(r"^import \* as (\w+) from '\./(\w+)\.js';$", re.M)
# What a first visit needs only once a teaching part is used; the worker keeps
# it all the same, after the window is on the screen.
PARTS_FILES = [PARTS_BUNDLE, "kviltora_teaching.wasm", "worksheet.css", "bases.css", "help.html",
               "help.css"]
EXPORT = re.compile(r"^export ((?:async )?(?:const|function) (\w+))", re.M)
INLINE_SCRIPT = re.compile(r"<script>(.*?)</script>", re.S)
ICON_SIZES = ["32", "192", "512"]
NOTICE = re.compile(r"SPDX-License-Identifier|Source:")

# The window's serif for devices without Times New Roman or a metric twin of it:
# Tinos, whose advances and vertical metrics equal Liberation Serif's and Times
# New Roman's, so that every caption fits as it does with the device's own font.
TINOS = Path("/usr/share/fonts/truetype/croscore")
TINOS_LICENCE = Path("/usr/share/doc/fonts-croscore/copyright")
FAMILY = "Kviltora Serif"
FACES = {"Regular": "KviltoraSerif-Regular", "Bold": "KviltoraSerif-Bold"}
# What the page's texts can show, fixed so that a new text rarely needs a new
# build of the font: printable ASCII (digits, the number texts, Latin), the
# whole basic Cyrillic block (Bulgarian with Ѝ and ѝ, and its neighbours), the
# no-break space, the quotes, dashes, ellipsis and numero sign of Bulgarian
# typography, the exercise's signs for times and for a line that differs, and
# the number systems' raised powers, lowered bases, dot, arrow and minus sign.
# Anything else a pupil types is drawn by the system's serif.
CHARACTERS = [
    *range(0x20, 0x7F),
    *range(0x400, 0x460),
    0xA0,
    *[ord(c) for c in "«»–—‘’“”„…№×≠"],
    *[ord(c) for c in "⁰¹²³⁴⁵⁶⁷⁸⁹⁻₀₁₂₃₄₅₆₇₈₉·→−"],
]


def subset_face(style: str, out: Path) -> None:
    """Keeps the glyphs, kerning and metrics of CHARACTERS. The hinting goes:
    the devices that download this font (phones, tablets, Linux) draw without
    it, and it would nearly double the download."""
    options = subset.Options()
    options.flavor = "woff2"
    options.hinting = False
    options.name_IDs = [0, 1, 2, 3, 4, 5, 6, 13, 14]  # the copyright and licence stay in
    font = subset.load_font(str(TINOS / f"Tinos-{style}.ttf"), options)
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=CHARACTERS)
    subsetter.subset(font)
    # A modified font goes under a name of its own, not the original's.
    names = font["name"]
    full = FAMILY if style == "Regular" else f"{FAMILY} {style}"
    version = names.getDebugName(5).split(";")[0]
    for name_id, text in {
        1: FAMILY,
        3: f"{FACES[style]}; subset of Tinos {version.split()[-1]}",
        4: full,
        5: version,
        6: FACES[style],
    }.items():
        names.setName(text, name_id, 3, 1, 0x409)
    names.removeNames(platformID=1)
    subset.save_font(font, str(out / f"{FACES[style]}.woff2"), options)


def font_licence(out: Path) -> None:
    note = (
        f"{', '.join(f'{face}.woff2' for face in FACES.values())}: the font {FAMILY}, a modified\n"
        "version of Tinos Regular and Bold from Debian's fonts-croscore, cut down by\n"
        "scripts/make-web-site.py to the characters of the page, without hinting and\n"
        "under a name of its own. Its copyright and licence, as Debian ships them:\n\n"
    )
    out.write_text(note + TINOS_LICENCE.read_text(encoding="utf-8"), encoding="utf-8")


def without_comments(name: str) -> str:
    """A page file as it is served: its comments, a third of its download, are
    for the reader of the source and stay there, all but the opening licence
    notice. Whole-line comments only, so that no code is touched."""
    text = (PAGE / name).read_text(encoding="utf-8")
    if name.endswith(".js"):
        lines = text.split("\n")
        kept = [line for line in lines if NOTICE.search(line) or not line.lstrip().startswith("//")]
        return "\n".join(kept)
    if name.endswith(".css"):
        notice, rest = text.split("*/", 1)
        return notice + "*/" + re.sub(r"[ \t]*/\*.*?\*/[ \t]*\n?", "", rest, flags=re.S)
    return text


def modules(names: list[str]) -> str:
    """Each module runs in a function of its own, whose result is what it exports,
    and an import takes its names from that result. Only the forms the modules
    use are understood; any other import or export fails the build rather than
    the page."""
    parts = []
    for name in names:
        lines = without_comments(f"{name}.js").split("\n")
        text = "\n".join(line for line in lines if not NOTICE.search(line))
        text = GLUE_IMPORT.sub("", text)
        exports = EXPORT.findall(text)
        text = IMPORT.sub(lambda m: f"const {{{m.group(1)}}} = ${m.group(2)};", text)
        text = IMPORT_ALL.sub(lambda m: f"const {m.group(1)} = ${m.group(2)};", text)
        text = EXPORT.sub(r"\1", text)
        if re.search(r"^(import|export)\b", text, re.M):
            sys.exit(f"{name}.js: an import or export that the bundle does not understand")
        names = ", ".join(exported for _, exported in exports)
        parts.append(f"const ${name} = (() => {{\n{text}\nreturn {{ {names} }};\n}})();\n")
    return "".join(parts)


def notice() -> str:
    return "\n".join(line for line in without_comments("app.js").split("\n") if NOTICE.search(line))


def bundle(glue: str) -> str:
    """The glue and the page's modules as one: the glue's factory is a name of the whole."""
    if glue.count(GLUE_EXPORT) != 1:
        sys.exit(f"{GLUE}: not the one export the bundle expects")
    return notice() + "\n" + glue.replace(GLUE_EXPORT, "") + "\n" + modules(MODULES)


def parts_bundle(glue: str) -> str:
    """The teaching parts as one plain script, which defines and runs nothing until
    the page hands it the modules it shares with them."""
    shared = ", ".join(f"${name}" for name in SHARED)
    return (
        notice() + f"\nself.kviltoraParts = ({{ {shared} }}) => {{\n{glue}\n"
        + modules(PARTS_MODULES)
        + "return { createCore: createKviltoraTeaching, ...$parts };\n};\n"
    )


def draw(site: Path) -> None:
    """Draws the window and the bar into index.html, by the page's own script run on
    the built cores, so that the page shows them before its script has run."""
    env = {**os.environ, "NODE_PATH": "/usr/share/nodejs"}
    subprocess.run(["node", str(ROOT / "scripts/draw-page.mjs"), str(site)], check=True, env=env)


# The page's first script carries the bar into the column before the style sheet
# is in, by the column's own media query, which style.css alone holds.
COLUMN_MEDIA = re.compile(r"@media ([^{]+)\{\s*#window \{\s*--arrangement: column;")


def with_column_media(html: str) -> str:
    found = COLUMN_MEDIA.search((PAGE / "style.css").read_text(encoding="utf-8"))
    if not found or html.count("COLUMN_MEDIA") != 1:
        sys.exit("style.css and index.html: not the one column media query the page carries by")
    return html.replace("COLUMN_MEDIA", found.group(1).strip())


def allowed(code: str) -> str:
    return "'sha256-" + base64.b64encode(hashlib.sha256(code.encode()).digest()).decode() + "'"


def page(html: str) -> str:
    """index.html with each inline script allowed by its hash, so that the policy
    still forbids every other."""
    scripts = [allowed(code) for code in INLINE_SCRIPT.findall(html)]
    return html.replace("script-src 'self'", " ".join(["script-src 'self'", *scripts]), 1)


def service_worker(site: Path) -> None:
    """Writes the lists in front of sw.js: the files it keeps on install, and those
    it keeps once they are used: the fonts, which a device with a serif of its own
    never downloads, and the licences, which the window never shows."""
    files = sorted(p.relative_to(site).as_posix() for p in site.rglob("*") if p.is_file())
    files = [f for f in files if f not in ("sw.js", GLUE, TEACHING_GLUE)]
    digest = hashlib.sha256()
    for name in files:
        digest.update(name.encode() + b"\0" + (site / name).read_bytes())
    on_demand = [f for f in files if f.endswith((".woff2", ".txt"))]
    head = (
        f"const SITE_VERSION = '{digest.hexdigest()[:16]}';\n"
        f"const SITE_FILES = {json.dumps(['./'] + [f for f in files if f not in on_demand])};\n"
        f"const SITE_ON_DEMAND = {json.dumps(on_demand)};\n"
        f"const SITE_PARTS = {json.dumps(PARTS_FILES)};\n"
    )
    (site / "sw.js").write_text(head + without_comments("sw.js"), encoding="utf-8")


def main() -> None:
    site = Path(sys.argv[1])
    for name in PAGE_FILES:
        (site / name).write_text(without_comments(name), encoding="utf-8")
    (site / BUNDLE).write_text(bundle((site / GLUE).read_text(encoding="utf-8")), encoding="utf-8")
    teaching = (site / TEACHING_GLUE).read_text(encoding="utf-8")
    (site / PARTS_BUNDLE).write_text(parts_bundle(teaching), encoding="utf-8")
    for name in MODULES + PARTS_MODULES:  # served apart by earlier builds
        (site / f"{name}.js").unlink(missing_ok=True)
    (site / "index.html").write_text(with_column_media(without_comments("index.html")),
                                     encoding="utf-8")
    draw(site)
    drawn = (site / "index.html").read_text(encoding="utf-8")
    (site / "index.html").write_text(page(drawn), encoding="utf-8")
    fonts = site / "fonts"
    fonts.mkdir(exist_ok=True)
    for stale in fonts.iterdir():
        stale.unlink()
    for style in FACES:
        subset_face(style, fonts)
    font_licence(fonts / "LICENSE-Tinos.txt")
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
