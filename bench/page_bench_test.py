"""The page benchmark's own workings, which its figures rely on: the static window
it makes as a floor. With the site folder of a web build, the static window made from it is also seen
to look as the drawn page does.
Usage: page_bench_test.py [SITE_FOLDER] [unittest names...]"""
import sys
import tempfile
import unittest
from html.parser import HTMLParser
from pathlib import Path

BENCH = Path(__file__).resolve().parent
sys.path.insert(0, str(BENCH.parent / "scripts"))
sys.path.insert(0, str(BENCH))
from browser import load_page, page_chromium, serve  # noqa: E402
from static_window import static_window  # noqa: E402

ARGUMENT = sys.argv[1] if __name__ == "__main__" and len(sys.argv) > 1 else ""
SITE = sys.argv.pop(1) if ARGUMENT and Path(ARGUMENT).is_dir() else None

# A page that draws its window from a module, as the site's does: a box given its
# text by script, a locked box, a ticked box, places in style attributes, and what a
# static copy must lose (the policy, an inline script, a handler, a preloaded module).
PAGE = """<!DOCTYPE html>
<html lang="bg"><head><meta charset="utf-8">
<meta http-equiv="Content-Security-Policy" content="default-src 'self'; style-src 'self'">
<script>self.early = 1;</script>
<link rel="stylesheet" href="style.css">
<link rel="modulepreload" href="app.js">
<script type="module" src="app.js"></script>
</head><body><div id="window" hidden></div></body></html>"""
APP = """const area = document.getElementById('window');
const box = Object.assign(document.createElement('input'), { type: 'text' });
const locked = document.createElement('textarea');
const tick = Object.assign(document.createElement('input'), { type: 'checkbox' });
area.append(box, locked, tick);
box.value = '0.45';
locked.value = 'Описание';
tick.checked = true;
box.style.setProperty('--left', '96');
box.setAttribute('onclick', 'void 0');
area.hidden = false;
performance.mark('kviltora-ready');"""


class Elements(HTMLParser):
    """Every start tag of a page with its attributes, and the text in each textarea."""

    def __init__(self, text):
        super().__init__()
        self.tags, self.texts, self.within = [], [], None
        self.feed(text)

    def handle_starttag(self, tag, attributes):
        self.tags.append((tag, dict(attributes)))
        self.within = tag

    def handle_data(self, data):
        if self.within == "textarea":
            self.texts.append(data)

    def handle_endtag(self, tag):
        self.within = None

    def all(self, tag):
        return [attributes for name, attributes in self.tags if name == tag]


class StaticWindowTest(unittest.TestCase):
    def setUp(self):
        folders = tempfile.TemporaryDirectory()
        self.addCleanup(folders.cleanup)
        self.site, self.folder = Path(folders.name) / "site", Path(folders.name) / "static"
        self.site.mkdir()
        self.folder.mkdir()
        for name, text in [("index.html", PAGE), ("app.js", APP), ("sw.js", ""),
                           ("core.wasm", ""), ("style.css", "#window { color: #008; }")]:
            (self.site / name).write_text(text, encoding="utf-8")
        (self.site / "fonts").mkdir()

    def test_keeps_the_drawn_window_and_its_styles_without_any_script(self):
        static_window(self.site, self.folder)
        page = Elements((self.folder / "index.html").read_text(encoding="utf-8"))
        self.assertEqual(page.all("script"), [])
        self.assertEqual([link["href"] for link in page.all("link")], ["style.css"])
        self.assertEqual(page.all("meta"), [{"charset": "utf-8"}])
        self.assertEqual(page.all("div"), [{"id": "window"}])
        self.assertEqual(page.all("input"), [
            {"type": "text", "style": "--left: 96;", "value": "0.45"},
            {"type": "checkbox", "checked": ""},
        ])
        self.assertEqual(page.texts, ["Описание"])

    def test_holds_the_sites_other_files_but_not_what_runs(self):
        static_window(self.site, self.folder)
        self.assertEqual(sorted(entry.name for entry in self.folder.iterdir()),
                         ["fonts", "index.html", "style.css"])
        self.assertEqual((self.folder / "style.css").read_text(), "#window { color: #008; }")


@unittest.skipUnless(SITE, "needs the site folder of a web build")
class StaticWindowOfTheSiteTest(unittest.TestCase):
    def test_looks_as_the_drawn_page_does(self):
        with tempfile.TemporaryDirectory() as folder:
            static_window(SITE, folder)
            with serve({"/": SITE}) as page, serve({"/": folder}) as copy:
                driver = page_chromium()
                try:
                    self.assertEqual(load_page(driver, page + "/"), "ready")
                    driver.execute_script("document.activeElement.blur()")  # no caret
                    drawn = driver.get_screenshot_as_png()
                    driver.get(copy + "/")
                    scripts = driver.execute_script("return document.scripts.length")
                    saved = driver.get_screenshot_as_png()
                finally:
                    driver.quit()
        self.assertEqual(scripts, 0)
        self.assertTrue(drawn == saved, "the static window looks otherwise than the page")


if __name__ == "__main__":
    unittest.main()
