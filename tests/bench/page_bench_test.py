"""The page benchmark's own workings, which its figures rely on: how it tells a
first visit's window from the teaching parts that the built service worker lists,
and judges the goals; and, with the site folder of a web build, the static window
it makes from it as a floor, which must look as the drawn page does, with no script.
Usage: page_bench_test.py [SITE_FOLDER] [unittest names...]"""
import importlib.util
import sys
import tempfile
import unittest
from pathlib import Path

BENCH = Path(__file__).resolve().parents[2] / "bench"
sys.path.insert(0, str(BENCH.parent / "scripts"))
sys.path.insert(0, str(BENCH))
from browser import load_page, page_chromium, serve  # noqa: E402
from static_window import static_window  # noqa: E402

loading = importlib.util.spec_from_file_location("page_bench", BENCH / "page-bench.py")
page_bench = importlib.util.module_from_spec(loading)
loading.loader.exec_module(page_bench)

ARGUMENT = sys.argv[1] if __name__ == "__main__" and len(sys.argv) > 1 else ""
SITE = sys.argv.pop(1) if ARGUMENT and Path(ARGUMENT).is_dir() else None

# A page that fills its boxes by script, which its HTML does not hold, and whose
# policy would refuse the style attributes of a static copy.
PAGE = """<!DOCTYPE html>
<html lang="bg"><head><meta charset="utf-8">
<meta http-equiv="Content-Security-Policy" content="default-src 'self'; style-src 'self'">
<script type="module" src="app.js"></script>
</head><body><input id="box"><textarea id="locked"></textarea></body></html>"""
APP = """document.getElementById('box').value = '0.45';
document.getElementById('locked').value = 'Описание';
performance.mark('kviltora-ready');"""


class StaticWindowTest(unittest.TestCase):
    def test_keeps_what_the_script_put_in_the_boxes_and_drops_what_runs(self):
        with tempfile.TemporaryDirectory() as site, tempfile.TemporaryDirectory() as folder:
            for name, text in [("index.html", PAGE), ("app.js", APP), ("style.css", "")]:
                (Path(site) / name).write_text(text, encoding="utf-8")
            static_window(site, folder)
            saved = (Path(folder) / "index.html").read_text(encoding="utf-8")
        self.assertIn('<input id="box" value="0.45">', saved)
        self.assertIn('<textarea id="locked">Описание</textarea>', saved)
        for gone in ("<script", "Content-Security-Policy"):
            self.assertNotIn(gone, saved)


# The head of a built service worker that lists its parts, its lists in the build's
# order, and a first visit to its site: (gzipped bytes, who fetched), by file.
WORKER_WITH_PARTS = """const SITE_VERSION = '6846b83f4af56697';
const SITE_FILES = ["./", "help.html", "index.html", "kviltora.js", "worksheet.css"];
const SITE_ON_DEMAND = ["LICENSE.txt"];
const SITE_PARTS = ["practice.js", "./help.html", "worksheet.css"];
"""
WORKER_WITHOUT_PARTS = """const SITE_VERSION = '6846b83f4af56697';
const SITE_FILES = ["./", "help.html", "index.html", "kviltora.js"];
const later = typeof SITE_PARTS === 'undefined' ? [] : SITE_PARTS;
"""
VISIT = {"index.html": (1229, "page+worker"), "kviltora.js": (24474, "page+worker"),
         "practice.js": (5120, "page"), "help.html": (2355, "worker")}


class PartsTest(unittest.TestCase):
    def parts_of(self, worker):
        with tempfile.TemporaryDirectory() as site:
            if worker is not None:
                (Path(site) / "sw.js").write_text(worker, encoding="utf-8")
            return page_bench.site_parts(site)

    def test_reads_the_list_only_where_the_worker_writes_one(self):
        for worker, parts in ((WORKER_WITH_PARTS, {"practice.js", "help.html", "worksheet.css"}),
                              (WORKER_WITHOUT_PARTS, None), (None, None)):
            with self.subTest(worker=worker and worker.splitlines()[-1]):
                self.assertEqual(self.parts_of(worker), parts)

    def test_judges_the_first_visit_by_the_window_alone_whoever_fetched_the_parts(self):
        parts = self.parts_of(WORKER_WITH_PARTS)
        window, apart = page_bench.window_and_parts(VISIT, parts)
        self.assertEqual(window, {"index.html": (1229, "page+worker"),
                                  "kviltora.js": (24474, "page+worker")})
        self.assertEqual(apart, {"practice.js": (5120, "page"), "help.html": (2355, "worker")})
        visits = {("this", "Liberation Serif"): VISIT, ("this", "DejaVu only"): VISIT}
        rows = page_bench.first_visit_goals(visits, parts)
        self.assertEqual([(figure, bound, verdict) for what, figure, bound, verdict in rows],
                         [("25.1", "<= 70", "met"), ("25.1", "<= 100", "met")])


class StartupGoalsTest(unittest.TestCase):
    # Medians in ms: ready, no cache; painted, no cache; ready, warm; painted, warm.
    STATIC = page_bench.Startup(None, 200.0, None, 100.0)

    def verdicts(self, this, before=None):
        medians = {"this": page_bench.Startup(*this), "static": self.STATIC}
        if before:
            medians["before"] = page_bench.Startup(*before)
        return [(figure, bound, verdict)
                for what, figure, bound, verdict in page_bench.startup_goals(medians)]

    def test_painted_at_most_a_tenth_later_than_the_static_window_and_ready_as_before(self):
        self.assertEqual(self.verdicts((300.0, 220.0, 150.0, 111.0), (300.0, 0, 149.9, 0)), [
            ("1.10", "<= 1.1", "met"), ("1.11", "<= 1.1", "missed"),
            ("300.0", "<= 300.0, before's", "met"), ("150.0", "<= 149.9, before's", "missed"),
        ])


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
                    saved = driver.get_screenshot_as_png()
                finally:
                    driver.quit()
        self.assertTrue(drawn == saved, "the static window looks otherwise than the page")


if __name__ == "__main__":
    unittest.main()
