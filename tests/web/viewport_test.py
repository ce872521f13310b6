"""The page on phones, a touch tablet and desktops, at large text sizes, on paper and
in a contrast theme: headless Chromium with device emulation over the DevTools
protocol. Usage: viewport_test.py SITE_FOLDER [unittest names...]"""
import base64
import subprocess
import sys
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "scripts"))
from browser import Page, serve, start_chromium  # noqa: E402

SITE = sys.argv[1] if __name__ == "__main__" else ""
# fmt: off
# CSS px wide and tall, device pixel ratio, a finger, the browser's text size set to
# 24 px (as its default or its minimum); then the arrangement shown, the smallest
# text and the smallest target (button, list row, input) in CSS px. 22.4 px is 1.4
# times the largest default size.
VIEWPORTS = [
    (320, 568, 2, True, None, "column", 16, 44),
    (360, 740, 3, True, None, "column", 16, 44),
    (390, 844, 3, True, None, "column", 16, 44),
    (768, 1024, 2, True, None, "column", 16, 44),
    (1366, 768, 1, False, None, "window", 15, 17),
    (800, 600, 1, False, "default_font_size", "column", 22.4, 44),
    (1366, 768, 1, False, "default_font_size", "window", 22.4, 25),
    (1366, 768, 1, False, "minimum_font_size", "window", 22.4, 25),
]
# The controls from the top of the column down.
COLUMN = ["Etiket(0)", "Etiket(1)", "Text1(1)", "Command1(1)", "Etiket(3)", "Diapazon(1)",
          "Command1(0)", "Etiket(2)", "Diapazon(2)", "Text1(2)", "Etiket(4)", "Diapazon(0)",
          "Text1(0)"]
DOUBLINGS = (
    "0.9 1.8 1.6 1.2 0.4 0.800000000000001 1.6 1.2 0.400000000000006 0.800000000000011 "
    "1.60000000000002 1.20000000000005 0.400000000000091 0.800000000000182 1.60000000000036 "
    "1.20000000000073 0.400000000001455 0.80000000000291 1.60000000000582 1.20000000001164 "
    "0.400000000023283 0.800000000046566 1.60000000009313 1.20000000018626 0.400000000372529")
# Each digit's value, 2 to the power minus its place or nothing, in 24 decimals.
DECIMALS = (
    "- 25 125 0625 - - 0078125 00390625 - - 00048828125 000244140625 - - 000030517578125 "
    "0000152587890625 - - 0000019073486328125 00000095367431640625 - - 00000011920928955078125 "
    "000000059604644775390625 -")
TRACE_045_26 = [
    "Преобразувам десетичната дроб: 0.45", *DOUBLINGS.split(),
    "Новото число се формира от изчислените остатъци.", "Подредбата е в реда на получаването им.",
    "0.0111001100110011001100110", "Проверка на резултата: ",
    *("+0." + decimals.strip("-").ljust(24, "0") for decimals in DECIMALS.split()),
    "След обратно преобразуване числото е: 0.449999988079071044921875"]
# fmt: on

# What the pupil meets: the smallest text (scaled by the window's transform, if
# any) and target, the captions cut, how far the page reaches past the screen, the
# controls from the top down, and whether the trace box shows all it holds.
MEASURE = """const box = (e) => e.getBoundingClientRect(), area = document.getElementById('window');
const trace = area.querySelector('[data-control="Text1(2)"]'), page = document.documentElement;
const all = [...area.querySelectorAll('[data-control], [role=option]')]
  .filter((e) => e.getClientRects().length);
const least = (kind, size) => Math.min(...all.filter((e) => e.matches(kind)).map(size));
const cut = (e) => e.scrollWidth > e.clientWidth || e.scrollHeight > e.clientHeight;
return {
  text: least(':not(:empty), input, textarea', (e) => parseFloat(getComputedStyle(e).fontSize))
    * new DOMMatrix(getComputedStyle(area).transform).a,
  target: least('button, input, [role=option]', (e) => Math.min(box(e).width, box(e).height)),
  cut: all.filter((e) => e.matches('.label, button') && cut(e)).map((e) => e.dataset.control),
  sideways: page.scrollWidth - page.clientWidth,
  downwards: all.filter((e) => e.dataset.control).sort((a, b) => box(a).y - box(b).y)
    .map((e) => e.dataset.control),
  whole: trace.scrollHeight === trace.clientHeight,
};"""


class ViewportTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.server = serve({"/": SITE})
        cls.url = cls.server.__enter__() + "/"

    @classmethod
    def tearDownClass(cls):
        cls.server.__exit__(None, None, None)

    def browser(self, text_size=None, width=800, height=600):
        prefs = {"webkit": {"webprefs": {text_size: 24}}} if text_size else None
        driver = start_chromium(f"--window-size={width},{height}", "--lang=bg", prefs=prefs)
        self.addCleanup(driver.quit)
        return driver, Page(driver, self.url)

    def test_every_viewport_by_touch(self):
        browsers = {}
        for width, height, ratio, touch, text_size, arrangement, text, target in VIEWPORTS:
            viewport = f"{width}x{height}, {text_size or ('touch' if touch else 'mouse')}"
            with self.subTest(viewport):
                if text_size not in browsers:
                    browsers[text_size] = self.browser(text_size)
                driver, page = browsers[text_size]
                metrics = {"width": width, "height": height, "deviceScaleFactor": ratio}
                driver.execute_cdp_cmd(
                    "Emulation.setDeviceMetricsOverride", {**metrics, "mobile": touch}
                )
                driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": touch})
                page.open()
                self.tap(driver, page.control("Diapazon(1)").find_element("xpath", '*[.="26"]'))
                self.tap(driver, page.control("Command1(0)"))
                self.assertEqual(page.value("Text1(2)").split("\n")[:-1], TRACE_045_26)
                seen = page.js(MEASURE)
                print(
                    f"{viewport}: {arrangement}, text {seen['text']:.1f} px, "
                    f"targets {seen['target']:.1f} px",
                    file=sys.stderr,
                )
                shown = "column" if seen["downwards"] == COLUMN else "window"
                self.assertEqual(shown, arrangement)
                self.assertEqual((seen["cut"], seen["sideways"]), ([], 0))
                self.assertEqual(seen["whole"], arrangement == "column")
                self.assertGreaterEqual(seen["text"], text)
                self.assertGreaterEqual(seen["target"], target)

    def tap(self, driver, element):
        driver.execute_script("arguments[0].scrollIntoView({block: 'center'})", element)
        at = driver.execute_script("return arguments[0].getBoundingClientRect()", element)
        point = {"x": at["x"] + at["width"] / 2, "y": at["y"] + at["height"] / 2}
        for kind, points in (("touchStart", [point]), ("touchEnd", [])):
            driver.execute_cdp_cmd(
                "Input.dispatchTouchEvent", {"type": kind, "touchPoints": points}
            )

    def test_print_holds_the_whole_worked_example_on_two_pages(self):
        driver, page = self.browser()
        page.open()
        page.choose("Diapazon(1)", "26")
        page.control("Command1(0)").click()
        pdf = base64.b64decode(driver.execute_cdp_cmd("Page.printToPDF", {})["data"])
        text = subprocess.run(
            ["pdftotext", "-layout", "-", "-"], input=pdf, capture_output=True, check=True
        ).stdout.decode()
        lines = [" ".join(line.split()) for line in text.split("\n") if line.strip()]
        self.assertEqual(lines[:6], ["Квилтора", "Дроб:", "0.45", "Брой цифри", "26", "Изход"])
        self.assertEqual(lines[6].replace(" ", ""), "0111001100110011001100110")
        self.assertEqual(lines[7:], [line.strip() for line in TRACE_045_26])
        self.assertLessEqual(text.count("\f"), 2)

    def test_contrast_theme_shows_the_chosen_row(self):
        driver, page = self.browser()
        forced = [{"name": "forced-colors", "value": "active"}]
        driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {"features": forced})
        page.open()
        page.choose("Diapazon(1)", "6")
        strips = []  # of the rows 5, 6 and 7, beyond their text
        for row in page.control("Diapazon(1)").find_elements("css selector", "[role=option]")[:3]:
            clip = {"x": row.rect["x"] + row.rect["width"] - 12, "y": row.rect["y"] + 4}
            clip = {**clip, "width": 8, "height": 8, "scale": 1}
            strips.append(driver.execute_cdp_cmd("Page.captureScreenshot", {"clip": clip}))
        self.assertEqual((strips[0] == strips[2], strips[0] == strips[1]), (True, False))


if __name__ == "__main__":
    unittest.main(argv=[sys.argv[0]] + sys.argv[2:], verbosity=2)
