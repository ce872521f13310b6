#!/usr/bin/env python3
"""Makes the page's three downloads from the web build's site folder, named with
the version: the site as an archive for any static host, the page as one file
that opens from disk, and the page as a SCORM 1.2 package for a learning platform.

Usage: make-downloads.py SITE_FOLDER OUT_FOLDER VERSION"""
import base64
import importlib.util
import re
import sys
import zipfile
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
DOWNLOADS = ROOT / "src/web/downloads"

# The site's own build names its files; what it writes, this takes as it stands.
_spec = importlib.util.spec_from_file_location("site", ROOT / "scripts/make-web-site.py")
site_build = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(site_build)

# The core's glue on its own is for other pages of the build (tests, benchmark); the
# page takes it inside its bundle, so no download carries it twice.
LEFT_OUT = {site_build.GLUE, site_build.TEACHING_GLUE}
README = "ПРОЧЕТИ.txt"
# The archives' entries carry this date, so that the same site makes the same bytes.
ZIP_DATE = (1980, 1, 1, 0, 0, 0)

STYLESHEET = re.compile(r'<link rel="stylesheet" href="([^"]+)">')
MODULE = re.compile(r'<script type="module" src="([^"]+)"></script>')
ICON = re.compile(r'(<link rel="(?:icon|apple-touch-icon)" href=")([^"]+)(")')
DROPPED = re.compile(r'<link rel="(?:manifest|license)" href="[^"]+">\n|<a id="help-link"[^>]*>.*?</a>\n?')
POLICY = re.compile(r'(<meta http-equiv="Content-Security-Policy" content=")[^"]*(")')
FONT_URL = re.compile(r'url\("([^"]+\.woff2)"\)')
# A stylesheet a module fetches only when it needs it, by its file name.
FETCHED_STYLE = re.compile(r"styleSheet\('(\w+)\.css'\)")
TYPES = {".svg": "image/svg+xml", ".png": "image/png", ".woff2": "font/woff2"}


def site_files(site: Path) -> list[Path]:
    return sorted(p for p in site.rglob("*") if p.is_file() and p.name not in LEFT_OUT)


def write_zip(out: Path, entries: dict[str, bytes]) -> None:
    with zipfile.ZipFile(out, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as archive:
        for name in sorted(entries):
            info = zipfile.ZipInfo(name, ZIP_DATE)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.external_attr = 0o644 << 16
            archive.writestr(info, entries[name])


def entries_of(site: Path) -> dict[str, bytes]:
    return {p.relative_to(site).as_posix(): p.read_bytes() for p in site_files(site)}


def data_url(path: Path) -> str:
    return f"data:{TYPES[path.suffix]};base64,{base64.b64encode(path.read_bytes()).decode()}"


def safe_inside(tag: str, text: str) -> str:
    if f"</{tag}" in text.lower():
        sys.exit(f"a </{tag}> inside an inlined {tag}: the single file would break there")
    return text


def single_file(site: Path) -> str:
    """index.html with everything it loads inside it: the .wasm's bytes where the
    page sends its request for them, the styles with their fonts, the bundle and
    the icons; the worker, the manifest and the help, which need a server or a
    second page, stay out. The policy allows the inline scripts and styles by their
    hashes, and fonts and icons only as data the file holds."""
    html = (site / "index.html").read_text(encoding="utf-8")

    def wasm_response(name: str) -> str:
        wasm = base64.b64encode((site / name).read_bytes()).decode()
        return ("Promise.resolve(new Response("
                f"Uint8Array.from(atob('{wasm}'), (c) => c.charCodeAt(0)),"
                " { headers: { 'Content-Type': 'application/wasm' } }))")

    # The teaching parts' bytes are read only on their first use, as their request would be.
    bytes_script = (
        f"self.kviltoraWasm = {wasm_response('kviltora_core.wasm')};"
        f" self.kviltoraTeachingWasm = () => {wasm_response('kviltora_teaching.wasm')};"
    )
    scripts, styles = [], []
    first = site_build.INLINE_SCRIPT.search(html)
    if not first or "kviltora_core.wasm" not in first.group(1):
        sys.exit("index.html: no first inline script that asks for the .wasm")
    html = html[: first.start()] + f"<script>{bytes_script}</script>" + html[first.end():]
    scripts.extend(site_build.INLINE_SCRIPT.findall(html))
    parts = safe_inside("script", (site / site_build.PARTS_BUNDLE).read_text(encoding="utf-8"))
    scripts.append(parts)

    def style(name: str, element_id: str = "") -> str:
        css = (site / name).read_text(encoding="utf-8")
        css = FONT_URL.sub(lambda m: f'url("{data_url(site / m.group(1))}")', css)
        styles.append(safe_inside("style", css))
        return f'<style{f" id={chr(34)}{element_id}{chr(34)}" if element_id else ""}>{css}</style>'

    def module(match: re.Match) -> str:
        code = safe_inside("script", (site / match.group(1)).read_text(encoding="utf-8"))
        scripts.append(code)
        fetched = "".join(style(f"{name}.css", f"{name}-style")
                          for name in FETCHED_STYLE.findall(code + parts))
        return fetched + f"<script>{parts}</script>" + f'<script type="module">{code}</script>'

    html = STYLESHEET.sub(lambda m: style(m.group(1)), html)
    html = MODULE.sub(module, html)
    html = ICON.sub(lambda m: m.group(1) + data_url(site / m.group(2)) + m.group(3), html)
    html = DROPPED.sub("", html)
    policy = "; ".join([
        "default-src 'none'",
        "script-src " + " ".join(dict.fromkeys(site_build.allowed(s) for s in scripts)) + " 'wasm-unsafe-eval'",
        "style-src " + " ".join(dict.fromkeys(site_build.allowed(s) for s in styles)),
        "font-src data:",
        "img-src data:",
        "object-src 'none'",
        "base-uri 'none'",
        "form-action 'none'",
    ])
    html = POLICY.sub(lambda m: m.group(1) + policy + m.group(2), html)
    licences = "\n\n".join(
        (site / name).read_text(encoding="utf-8") for name in ("LICENSE.txt", "fonts/LICENSE-Tinos.txt")
        if (site / name).is_file()
    )
    if "-->" in licences or "--!>" in licences:
        sys.exit("a licence text would end the comment that holds it")
    return html + f"<!-- The licences of the program and of its font:\n\n{licences}\n-->\n"


def scorm_manifest(files: list[str], version: str) -> str:
    listed = "\n".join(f'      <file href="{name}"/>' for name in files)
    template = (DOWNLOADS / "imsmanifest.xml").read_text(encoding="utf-8")
    return template.replace("{version}", version).replace("{files}", listed)


def main() -> None:
    site, out, version = Path(sys.argv[1]), Path(sys.argv[2]), sys.argv[3]
    out.mkdir(parents=True, exist_ok=True)
    files = entries_of(site)
    readme = (DOWNLOADS / "site-readme.txt").read_text(encoding="utf-8").replace("ВЕРСИЯ", version)
    write_zip(out / f"kviltora-site-{version}.zip", {**files, README: readme.encode()})
    (out / f"kviltora-{version}.html").write_text(single_file(site), encoding="utf-8")
    manifest = scorm_manifest(sorted(files), version)
    write_zip(out / f"kviltora-scorm-{version}.zip", {**files, "imsmanifest.xml": manifest.encode()})
    for name in (f"kviltora-site-{version}.zip", f"kviltora-{version}.html",
                 f"kviltora-scorm-{version}.zip"):
        print(out / name)


if __name__ == "__main__":
    main()
