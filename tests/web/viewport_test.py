"""The page on phones, a touch tablet and desktops, at large text sizes, on paper and
in a contrast theme: headless Chromium with device emulation over the DevTools
protocol. Usage: viewport_test.py SITE_FOLDER [unittest names...]"""
import base64
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "scripts"))
from browser import Page, serve, start_chromium  # noqa: E402
from page_test import CONTROLS  # noqa: E402

SITE = sys.argv[1] if __name__ == "__main__" else ""
LARGE, MINIMUM = {"default_font_size": 24}, {"minimum_font_size": 24}
# fmt: off
# A viewport in CSS px, its device pixel ratio, whether a finger points, the text
# sizes set in the browser; then the arrangement shown, the smallest text and the
# smallest target (button, list row, input), in CSS px. At 24 px every text must
# be at least 1.4 times its default of 15 or 16 px.
VIEWPORTS = [
    (320, 568, 2, True, {}, "column", 16, 44),
    (360, 740, 3, True, {}, "column", 16, 44),
    (390, 844, 3, True, {}, "column", 16, 44),
    (768, 1024, 2, True, {}, "column", 16, 44),
    (1366, 768, 1, False, {}, "window", 15, 17),
    (800, 600, 1, False, LARGE, "column", 22.4, 44),
    (1366, 768, 1, False, LARGE, "window", 22.4, 25),
    (1366, 768, 1, False, MINIMUM, "window", 22.4, 25),
]
# The controls from the top of the column down.
COLUMN = ["Etiket(0)", "Etiket(1)", "Text1(1)", "Command1(1)", "Etiket(3)", "Diapazon(1)",
          "Command1(0)", "Etiket(2)", "Diapazon(2)", "Text1(2)", "Etiket(4)", "Diapazon(0)",
          "Text1(0)"]
DOUBLINGS = [
    "0.9", "1.8", "1.6", "1.2", "0.4", "0.800000000000001", "1.6", "1.2", "0.400000000000006",
    "0.800000000000011", "1.60000000000002", "1.20000000000005", "0.400000000000091",
    "0.800000000000182", "1.60000000000036", "1.20000000000073", "0.400000000001455",
    "0.80000000000291", "1.60000000000582", "1.20000000001164", "0.400000000023283",
    "0.800000000046566", "1.60000000009313", "1.20000000018626", "0.400000000372529"]
# The digits' values, 2 to the power minus the place or 0, with 24 decimals: these are the first.
DECIMALS = [
    "", "25", "125", "0625", "", "", "0078125", "00390625", "", "", "00048828125", "000244140625",
    "", "", "000030517578125", "0000152587890625", "", "", "0000019073486328125",
    "00000095367431640625", "", "", "00000011920928955078125", "000000059604644775390625", ""]
TRACE_045_26 = [
    "Преобразувам десетичната дроб: 0.45", *DOUBLINGS,
    "Новото число се формира от изчислените остатъци.", "Подредбата е в реда на получаването им.",
    "0.0111001100110011001100110", "Проверка на резултата: ",
    *("+0." + decimals.ljust(24, "0") for decimals in DECIMALS),
    "След обратно преобразуване числото е: 0.449999988079071044921875"]
# fmt: on

# The smallest text and target the pupil meets, each scaled by any transform; the
# captions clipped; whether the page is wider than the screen.
MEASURE = """const shown = (e) => e.getClientRects().length > 0;
const scale = (e) => {
  let by = 1;
  for (let a = e; a; a = a.parentElement) {
    const transform = getComputedStyle(a).transform;
    if (transform !== 'none') by *= new DOMMatrix(transform).a;
  }
  return by;
};
const all = [...document.querySelectorAll('[data-control]:not(#window), [role=option]')];
const texts = all.filter((e) => shown(e) && e.textContent + (e.value || '') !== '');
const targets = all.filter((e) => shown(e) && e.matches('button, input, [role=option]'));
const side = (e) => Math.min(e.getBoundingClientRect().width, e.getBoundingClientRect().height);
return {
  text: Math.min(...texts.map((e) => parseFloat(getComputedStyle(e).fontSize) * scale(e))),
  target: Math.min(...targets.map(side)),
  clipped: [...document.querySelectorAll('.label, button')]
    .filter((e) => e.scrollWidth > e.clientWidth || e.scrollHeight > e.clientHeight)
    .map((e) => e.dataset.control),
  sideways: document.documentElement.scrollWidth - document.documentElement.clientWidth,
};"""
# Each control's box and the window's corner, in CSS px of the viewport.
BOXES = """const box = (e) => e.getBoundingClientRect();
return [box(document.getElementById('window')), Object.fromEntries(
  [...document.querySelectorAll('#window > [data-control]')].map((e) => [e.dataset.control, box(e)]))];"""


class ViewportTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.server = serve({"/": SITE})
        cls.url = cls.server.__enter__() + "/"

    @classmethod
    def tearDownClass(cls):
        cls.server.__exit__(None, None, None)

    def browser(self, prefs=None):
        driver = start_chromium(
            "--lang=bg", prefs={"webkit": {"webprefs": prefs}} if prefs else None
        )
        self.addCleanup(driver.quit)
        return driver, Page(driver, self.url)

    def tap(self, driver, element):
        driver.execute_script("arguments[0].scrollIntoView({block: 'center'})", element)
        rect = driver.execute_script("return arguments[0].getBoundingClientRect()", element)
        point = {"x": rect["x"] + rect["width"] / 2, "y": rect["y"] + rect["height"] / 2}
        for kind, points in (("touchStart", [point]), ("touchEnd", [])):
            driver.execute_cdp_cmd(
                "Input.dispatchTouchEvent", {"type": kind, "touchPoints": points}
            )

    def test_every_viewport_by_touch(self):
        browsers = {}
        for width, height, ratio, touch, prefs, arrangement, text, target in VIEWPORTS:
            viewport = f"{width}x{height}{' touch' if touch else ''} {prefs or ''}"
            with self.subTest(viewport):
                key = tuple(prefs.items())
                if key not in browsers:
                    browsers[key] = self.browser(prefs)
                driver, page = browsers[key]
                cdp = driver.execute_cdp_cmd
                metrics = {"width": width, "height": height, "deviceScaleFactor": ratio}
                cdp("Emulation.setDeviceMetricsOverride", {**metrics, "mobile": touch})
                cdp("Emulation.setTouchEmulationEnabled", {"enabled": touch, "maxTouchPoints": 5})
                page.open()
                self.tap(driver, page.control("Diapazon(1)").find_element("xpath", '*[.="26"]'))
                self.tap(driver, page.control("Command1(0)"))
                self.assertEqual(page.value("Text1(2)").split("\n"), TRACE_045_26 + [""])
                text_px = next(iter(prefs.values()), 16)
                self.assertEqual(self.shown_arrangement(page, text_px), arrangement)
                out = page.control("Text1(2)")
                if arrangement == "column":  # the whole trace, with no scroll of its own
                    self.assertEqual(
                        out.get_property("scrollHeight"), out.get_property("clientHeight")
                    )
                seen = page.js(MEASURE)
                print(
                    f"{viewport}: {arrangement}, text {seen['text']:.1f} px, "
                    f"targets {seen['target']:.1f} px",
                    file=sys.stderr,
                )
                self.assertGreaterEqual(seen["text"], text)
                self.assertGreaterEqual(seen["target"], target)
                self.assertEqual((seen["clipped"], seen["sideways"]), ([], 0))

    def shown_arrangement(self, page, text_px):
        """The arrangement shown: "window" where every control has its place in the window,
        grown with the text size; "column" where they stand one above another in order."""
        area, boxes = page.js(BOXES)
        scale = text_px / 16
        edges = lambda b: (b["x"] - area["x"], b["y"] - area["y"], b["width"], b["height"])
        placed = {name: tuple(round(v / scale) for v in edges(b)) for name, b in boxes.items()}
        if placed == {name: box for name, (box, *_) in CONTROLS.items()}:
            return "window"
        downwards = sorted(boxes, key=lambda name: boxes[name]["y"])
        lefts = {round(boxes[name]["x"]) for name in downwards}
        return "column" if downwards == COLUMN and len(lefts) == 1 else (downwards, lefts)

    def test_print_holds_the_whole_worked_example_on_two_pages(self):
        driver, page = self.browser()
        driver.set_window_size(800, 600)
        page.open()
        page.choose("Diapazon(1)", "26")
        page.control("Command1(0)").click()
        pdf = base64.b64decode(driver.execute_cdp_cmd("Page.printToPDF", {})["data"])
        with tempfile.NamedTemporaryFile(suffix=".pdf") as file:
            file.write(pdf)
            file.flush()
            text = subprocess.run(
                ["pdftotext", "-layout", file.name, "-"], capture_output=True, text=True, check=True
            ).stdout
        self.assertLessEqual(text.count("\f"), 2)
        lines = [" ".join(line.split()) for line in text.split("\n") if line.strip()]
        at = lines.index(TRACE_045_26[0])
        self.assertEqual(lines[at:], [line.strip() for line in TRACE_045_26])
        self.assertEqual(lines[:4], ["Квилтора", "Дроб:", "0.45", "Брой цифри"])
        self.assertEqual("".join(lines[4:at]).replace(" ", ""), "26Изход0111001100110011001100110")

    def test_contrast_theme_keeps_the_chosen_row_borders_and_focus(self):
        driver, page = self.browser()
        driver.set_window_size(800, 600)
        forced = [{"name": "forced-colors", "value": "active"}]
        driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {"features": forced})
        page.open()
        self.assertTrue(page.js("return matchMedia('(forced-colors: active)').matches"))
        page.choose("Diapazon(1)", "6")
        rows = page.control("Diapazon(1)").find_elements("css selector", "[role=option]")

        def right_end(row):  # a strip of the row beyond its text
            r = row.rect
            clip = {"x": r["x"] + r["width"] - 12, "y": r["y"] + 4, "width": 8, "height": 8}
            shot = driver.execute_cdp_cmd("Page.captureScreenshot", {"clip": {**clip, "scale": 1}})
            return shot["data"]

        five, six, seven = map(right_end, rows[:3])
        self.assertEqual(five, seven)
        self.assertNotEqual(six, five)
        for name in ("Text1(0)", "Text1(1)", "Command1(0)", "Diapazon(1)"):
            css = page.control(name).value_of_css_property
            self.assertEqual((css("border-top-style"), css("border-top-width")), ("solid", "1px"))
        page.js("arguments[0].focus()", page.control("Diapazon(1)"))
        css = page.control("Diapazon(1)").value_of_css_property
        self.assertEqual((css("outline-style"), css("outline-width")), ("solid", "2px"))


if __name__ == "__main__":
    unittest.main(argv=[sys.argv[0]] + sys.argv[2:], verbosity=2)
