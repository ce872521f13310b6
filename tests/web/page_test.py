"""The browser edition's page, served from 127.0.0.1 and driven by real keys, clicks
and taps: in headless Chromium, also by device emulation, on paper and as a screen
reader reads it, and in WebKitGTK. Usage: page_test.py SITE_FOLDER [unittest names...]"""
import base64
import collections
import functools
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import unittest
from pathlib import Path

from fontTools.ttLib import TTFont

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.actions.wheel_input import ScrollOrigin
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.wait import WebDriverWait

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "scripts"))
from browser import Page, fix_clock, load_page, page_chromium, serve, unfix_clock  # noqa: E402
from browser import PAGE_READY, _Handler, dejavu_only, first_visit, start_webkit  # noqa: E402

SITE = sys.argv[1] if __name__ == "__main__" else ""
CAPTION = "www.kviltora.example Представяне на десетична дроб като двоично число"
GREY, ORANGE, WHITE = (224, 224, 224), (255, 192, 128), (255, 255, 255)
BLACK = "rgba(0, 0, 0, 1)"
NO_COUNT = "Изберете брой цифри от списъка „Брой цифри“.\n"
TOO_BIG = "Числото е твърде голямо.\n"

# Control: CSS pixels from the window's corner, back colour, font px and bold,
# accessibility role and name, tooltip. Labels are read by their text.
CONTROLS = {
    "Text1(0)": ((16, 40, 521, 121), GREY, 16, 0, "textbox", "Описание на алгоритъма",
                 "Описание на алгоритъма"),
    "Etiket(0)": ((96, 8, 361, 25), ORANGE, 16, 1, "StaticText", "Квилтора", None),
    "Command1(1)": ((480, 8, 73, 25), (255, 128, 128), 16, 1, "button", "Изчисти",
                    "Инициализира - изтрива всички въведени данни"),
    "Diapazon(0)": ((8, 296, 97, 72), GREY, 15, 0, "listbox", "10-ична дроб",
                    "Интервал на генерираното псевдослучайно естествено число"),
    "Etiket(1)": ((112, 176, 73, 25), ORANGE, 16, 0, "StaticText", "Дроб:", None),
    "Etiket(2)": ((504, 192, 57, 25), ORANGE, 16, 0, "StaticText", "Изход", None),
    "Text1(1)": ((184, 176, 209, 27), WHITE, 16, 0, "textbox", "Дроб",
                 "Десетична дроб с точка за разделител, например 0.45; запетаята става точка"),
    "Text1(2)": ((112, 216, 385, 156), WHITE, 16, 0, "textbox", "Преобразуване",
                 "Извежда резултата от преобразуване на числото"),
    "Diapazon(1)": ((8, 208, 89, 55), GREY, 15, 0, "listbox", "Брой цифри",
                    "Брой цифри: двоичните цифри са най-много с една по-малко от избраното число"),
    "Etiket(3)": ((8, 184, 89, 25), ORANGE, 16, 0, "StaticText", "Брой цифри", None),
    "Command1(0)": ((408, 176, 73, 25), (0, 255, 0), 16, 1, "button", "Изчисли",
                    "Преобразува дробта в двоична и проверява резултата"),
    "Diapazon(2)": ((504, 216, 57, 156), GREY, 16, 0, "listbox", "Изход",
                    "Двоичните цифри в реда на получаването им"),
    "Etiket(4)": ((8, 272, 97, 25), ORANGE, 16, 0, "StaticText", "10-ична дроб", None),
}
# The focus at start-up and after each Tab, in each arrangement.
KEYBOARD_ORDER = {
    "window": ["Text1(0)", "Command1(1)", "Diapazon(0)", "Text1(1)", "Text1(2)", "Diapazon(1)",
               "Command1(0)", "Diapazon(2)"],
    # The column: its title row, the page's own buttons, then the window's controls.
    "column": [None, "Упражнение", "Работен лист", "Бройни системи", "Помощ", "Text1(1)",
               "Command1(1)", "Diapazon(1)", "Command1(0)", "Diapazon(2)", "Text1(2)", "Diapazon(0)",
               "Text1(0)"],
}
TRACE_045_10 = "\n".join([
    "Преобразувам десетичната дроб: 0.45", "0.9", "1.8", "1.6", "1.2", "0.4", "0.800000000000001",
    "1.6", "1.2", "0.400000000000006", "Новото число се формира от изчислените остатъци.",
    "Подредбата е в реда на получаването им.", "0.011100110", "Проверка на резултата: ",
    "+0.000000000", "+0.250000000", "+0.125000000", "+0.062500000", "+0.000000000",
    "+0.000000000", "+0.007812500", "+0.003906250", "+0.000000000",
    "След обратно преобразуване числото е: 0.449218750", ""])
# With the clock standing at 7 ms the page seeds its generator with 7000; the
# proposals of the ranges chosen from "10" down to "1000000", then "1000000"
# once more, as worked out for that seed from the generator's definition.
CLOCK_MS = 7
PROPOSALS = ["0.1", "0.48", "0.998", "0.4731", "0.73611", "0.654536", "0.919462"]

# The page's own font, and what the browser draws with where the device has
# Liberation Serif (as here) and where it has no Times-metric serif at all.
FAMILY = "Kviltora Serif"
LOCAL_FACES = {"LiberationSerif", "LiberationSerif-Bold"}
SUBSET_FACES = {"KviltoraSerif-Regular", "KviltoraSerif-Bold"}
SUBSET_FILES = ["fonts/KviltoraSerif-Bold.woff2", "fonts/KviltoraSerif-Regular.woff2"]
# Besides every character the page is seen to show, the subset keeps these.
ALPHABET = "АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЬЮЯабвгдежзийклмнопрстуфхцчшщъьюяЍѝ"
KEPT_TOO = ALPHABET + "0123456789+-.,:;!?()%/ abcxyzABCXYZ„“”«»–—…№\u00a0"
# What the status region says after the calculation above, and on a list without a row.
SAID_045_10 = "0.011100110. След обратно преобразуване числото е: 0.449218750"
NOTHING = "Нищо не е избрано."


def setUpModule():
    global URL
    URL = unittest.enterModuleContext(serve({"/": SITE})) + "/"


def rgba(colour):
    """A colour as Chromium's driver writes it; WebKit's leaves out an opaque alpha."""
    opaque = colour.startswith("rgb(")
    return colour.replace("rgb(", "rgba(").replace(")", ", 1)") if opaque else colour


def check_look(test, p):
    """Every control at its place, in its colours and font, with its text fitting."""
    area = p.control("MainForm").rect
    test.assertEqual([area["width"], area["height"]], [572, 381])
    back = rgba(p.control("MainForm").value_of_css_property("background-color"))
    test.assertEqual(back, "rgba(128, 128, 255, 1)")
    for name, (box, back, size, bold, *_) in CONTROLS.items():
        element = p.control(name)
        at = element.rect
        placed = (at["x"] - area["x"], at["y"] - area["y"], at["width"], at["height"])
        test.assertEqual(placed, box, name)
        css = element.value_of_css_property
        test.assertEqual(rgba(css("background-color")), "rgba(%d, %d, %d, 1)" % back, name)
        font = (css("font-size"), css("font-weight"))
        test.assertEqual(font, (f"{size}px", "700" if bold else "400"), name)
        test.assertTrue(css("font-family").startswith(f'"{FAMILY}"'), name)
        overflow = element.get_property("scrollWidth") - element.get_property("clientWidth")
        test.assertLessEqual(overflow, 0, name)
    test.assertTrue(p.js(f"return document.fonts.check('700 16px \"{FAMILY}\"')"))


def drawn_faces(page):
    """The fonts the browser draws the labels, buttons and list rows with."""
    cdp = page.driver.execute_cdp_cmd
    cdp("DOM.enable", {})
    cdp("CSS.enable", {})
    root = cdp("DOM.getDocument", {})["root"]["nodeId"]
    found = cdp("DOM.querySelectorAll", {"nodeId": root, "selector": ".label, button, .list > *"})
    fonts = (cdp("CSS.getPlatformFontsForNode", {"nodeId": n})["fonts"] for n in found["nodeIds"])
    return {font["postScriptName"] for used in fonts for font in used}


def accessibility_tree(driver):
    """Chromium's accessibility tree: its nodes in order, and by id."""
    nodes = driver.execute_cdp_cmd("Accessibility.getFullAXTree", {})["nodes"]
    return nodes, {node["nodeId"]: node for node in nodes}


def tap(driver, element):
    """A finger on the element's middle, lifted again."""
    driver.execute_script("arguments[0].scrollIntoView({block: 'center'})", element)
    at = driver.execute_script("return arguments[0].getBoundingClientRect()", element)
    point = {"x": at["x"] + at["width"] / 2, "y": at["y"] + at["height"] / 2}
    for kind, points in (("touchStart", [point]), ("touchEnd", [])):
        driver.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": kind, "touchPoints": points})


def without_http_cache(driver):
    """Leaves the answers to the service worker's own cache: the browser's HTTP cache
    would still hold the first visit's files."""
    driver.execute_cdp_cmd("Network.enable", {})
    driver.execute_cdp_cmd("Network.clearBrowserCache", {})
    driver.execute_cdp_cmd("Network.setCacheDisabled", {"cacheDisabled": True})


def settled_find(driver, selector):
    """The element, once a part that a first press on the bar loads is there: the
    bar is busy meanwhile."""
    busy = "return document.getElementById('practice-start')?.getAttribute('aria-busy')"
    WebDriverWait(driver, 10).until(lambda d: not d.execute_script(busy))
    return driver.find_element(By.CSS_SELECTOR, selector)


def needs(feature):
    """Runs a test only where the browser and arrangement have the feature: "devtools",
    Chromium's DevTools protocol, or "window", the window arrangement."""
    return lambda test: functools.wraps(test)(
        lambda self: test(self) if feature in self.features else self.skipTest(f"needs {feature}")
    )


class OnePageTest(unittest.TestCase):
    """One browser for the class; each test opens the page afresh."""

    start_browser = staticmethod(page_chromium)

    @classmethod
    def setUpClass(cls):
        cls.driver = cls.start_browser()
        cls.addClassCleanup(cls.driver.quit)
        cls.page = Page(cls.driver, URL)

    def setUp(self):
        self.page.open()


class PageTest(OnePageTest):
    arrangement, features = "window", {"window", "devtools"}

    def test_start_up(self):
        p = self.page
        self.assertEqual(self.driver.title, CAPTION)
        self.assertEqual(self.driver.find_element(By.TAG_NAME, "html").get_attribute("lang"), "bg")
        self.assertEqual(p.value("Text1(1)"), "0.45")
        sample, description = p.value("Text1(2)").split("\n"), p.value("Text1(0)").split("\n")
        self.assertEqual((sample[:2], len(sample), len(description)),
                         (["Преобразувам десетичната дроб: 0.45", "0.9"], 23, 38))
        self.assertEqual(p.items("Diapazon(0)"), [str(10**n) for n in range(1, 7)])
        self.assertEqual(p.items("Diapazon(1)"), [str(n) for n in range(5, 27)])
        self.assertEqual(p.items("Diapazon(2)"), [])
        self.assertEqual(self.driver.find_elements(By.CSS_SELECTOR, "[aria-selected=true]"), [])
        self.assertEqual(p.focused(), KEYBOARD_ORDER[self.arrangement][0])
        self.assertFalse(self.driver.find_element(By.ID, "failure").is_displayed())
        # The licence and the fonts' licence travel with the page.
        served = "return Promise.all(arguments[0].map(f => fetch(f).then(r => r.ok)))"
        self.assertEqual(p.js(served, ["LICENSE.txt", "fonts/LICENSE-Tinos.txt"]), [True, True])

    def test_calculation_refusals_and_clearing(self):
        p = self.page
        p.control("Command1(0)").click()
        self.assertEqual(p.value("Text1(2)"), NO_COUNT)
        p.choose("Diapazon(1)", "10")
        p.type("1E999")
        p.control("Command1(0)").click()
        self.assertEqual(p.value("Text1(2)"), TOO_BIG)
        self.assertTrue(p.control("Text1(1)").is_enabled())
        p.type("0.45")
        p.control("Command1(0)").click()
        self.assertEqual(p.value("Text1(2)"), TRACE_045_10)
        self.assertEqual("".join(p.items("Diapazon(2)")), "011100110")
        label = p.control("Text1(1)").get_attribute("aria-label")
        self.assertEqual((p.spoken(), label), (SAID_045_10, "Дроб, недостъпно"))
        p.control("Command1(1)").click()
        self.assertEqual(p.spoken(), "Всичко е изчистено.")
        cleared = [p.value("Text1(2)"), p.value("Text1(1)"), p.items("Diapazon(2)")]
        self.assertEqual(cleared, ["", "", []])
        self.assertTrue(p.control("Text1(1)").is_enabled())
        self.assertEqual(p.selected("Diapazon(1)"), ["10"])

    @needs("window")  # the column's trace: test_arrangement_follows_the_window_size
    def test_disabled_input_and_long_trace(self):
        p = self.page
        p.choose("Diapazon(1)", "26")
        p.type("0.1")
        p.control("Command1(0)").click()
        box = p.control("Text1(1)")
        self.assertFalse(box.is_enabled())
        self.assertEqual(rgba(box.value_of_css_property("color")), "rgba(120, 120, 120, 1)")
        ActionChains(self.driver).click(box).send_keys("9").perform()
        self.assertEqual(p.value("Text1(1)"), "0.1")
        out = p.control("Text1(2)")
        self.assertEqual(out.size["height"], 156)
        self.assertGreater(out.get_property("scrollHeight") - out.get_property("clientHeight"), 300)
        wheel = ActionChains(self.driver).scroll_from_origin(ScrollOrigin.from_element(out), 0, 200)
        wheel.perform()
        WebDriverWait(self.driver, 5).until(lambda _: out.get_property("scrollTop") > 0)  # smooth
        for name in ("Text1(0)", "Text1(2)"):
            self.assertEqual(p.control(name).value_of_css_property("overflow-y"), "scroll")
            self.assertEqual(p.control(name).get_attribute("aria-readonly"), "true")
        p.choose("Diapazon(0)", "10")
        self.assertTrue(box.is_enabled())

    def test_input_shows_what_the_form_keeps(self):
        p = self.page
        p.choose("Diapazon(1)", "10")
        p.type("0.333333333333")
        self.assertEqual(p.value("Text1(1)"), "0.3333333")
        p.type("0.1234567")
        p.press(Keys.HOME, Keys.RIGHT, Keys.RIGHT, "9")  # a full box refuses, wherever typed
        caret = p.js("return arguments[0].selectionStart", p.control("Text1(1)"))
        self.assertEqual((p.value("Text1(1)"), caret), ("0.1234567", 2))
        if "devtools" in self.features:
            p.type("")
            self.driver.execute_cdp_cmd("Input.insertText", {"text": "0.123456\U0001D7CE"})
            self.assertEqual(p.value("Text1(1)"), "0.123456")
        p.type("0.1234567")
        p.control("Command1(0)").click()
        heading = p.value("Text1(2)").split("\n")[0]
        self.assertEqual(heading, "Преобразувам десетичната дроб: 0.1234567")

    @needs("devtools")
    def test_proposals_from_every_range_one_per_choice(self):
        p = self.page
        fixed = fix_clock(self.driver, CLOCK_MS)
        self.addCleanup(unfix_clock, self.driver, fixed)
        p.open()
        for row, expected in enumerate(PROPOSALS):
            p.choose("Diapazon(0)", p.items("Diapazon(0)")[min(row, 5)])
            self.assertEqual([p.value("Text1(1)"), p.value("Text1(2)"), p.spoken()],
                             [expected, "", "Нова дроб: " + expected])

    def test_list_keys(self):
        p = self.page
        p.js("arguments[0].focus()", p.control("Diapazon(1)"))
        self.assertEqual((p.selected("Diapazon(1)"), p.spoken()), ([], NOTHING))
        shown = """const list = arguments[0], row = list.querySelector('[aria-selected=true]');
            return row.offsetTop >= list.scrollTop &&
                   row.offsetTop + row.offsetHeight <= list.scrollTop + list.clientHeight;"""
        # A page is the rows in view: three in the window, all of them in the column.
        keys = [(Keys.DOWN, "5", "5"), (Keys.END, "26", "26"), (Keys.UP, "25", "25"),
                (Keys.PAGE_UP, "22", "5"), (Keys.HOME, "5", "5"), (Keys.PAGE_DOWN, "8", "26"),
                (Keys.UP, "7", "25"), ("2", "20", "26"), ("2", "21", "20"), ("pause", "21", "20"),
                ("10", "10", "10"), ("pause", "10", "10"), ("25", "25", "25"), ("pause", "25", "25"),
                ("12", "12", "12")]
        for key, *expected in keys:
            if key == "pause":
                time.sleep(0.5)  # typing after a pause starts a new search
            else:
                p.press(key)
            expected = expected[self.arrangement == "column"]
            self.assertEqual(p.selected("Diapazon(1)"), [expected], key)
            self.assertTrue(p.js(shown, p.control("Diapazon(1)")), expected)

    def test_a_key_that_stays_on_the_chosen_range_draws_nothing(self):
        p = self.page
        p.choose("Diapazon(1)", "10")
        for key, row in ((Keys.HOME, "10"), (Keys.END, "1000000")):
            p.choose("Diapazon(0)", row)
            p.control("Command1(0)").click()
            shown = [p.value("Text1(1)"), p.value("Text1(2)")]
            p.js("arguments[0].focus()", p.control("Diapazon(0)"))
            p.press(key)
            self.assertEqual([p.value("Text1(1)"), p.value("Text1(2)")], shown, row)

    def test_the_columns_trace_is_whole_right_after_calculating(self):
        if self.arrangement != "column":
            self.skipTest("the window's trace box scrolls")
        p = self.page
        p.choose("Diapazon(1)", "26")
        p.control("Command1(0)").click()
        out = p.control("Text1(2)").get_property
        self.assertEqual(out("scrollHeight"), out("clientHeight"))

    @needs("devtools")
    def test_list_touch(self):
        row = self.page.control("Diapazon(0)").find_element(By.XPATH, '*[text()="100"]')
        tap(self.driver, row)
        self.assertEqual(self.page.selected("Diapazon(0)"), ["100"])

    def test_focus_mark_of_lists_and_boxes(self):
        # 2 px of black just outside the border: 6.4:1 against the window's blue.
        for name in ("Text1(0)", "Text1(1)", "Text1(2)", "Diapazon(0)", "Diapazon(1)"):
            self.page.js("arguments[0].focus()", self.page.control(name))
            css = self.page.control(name).value_of_css_property
            mark = [css(f"outline-{part}") for part in ("style", "width", "offset")]
            self.assertEqual(mark + [rgba(css("outline-color"))], ["solid", "2px", "0px", BLACK])

    def test_arrangement_follows_the_window_size(self):
        p = self.page
        size = self.driver.get_window_size()
        self.addCleanup(self.driver.set_window_size, size["width"], size["height"])
        p.choose("Diapazon(1)", "26")
        p.control("Command1(0)").click()
        out = p.control("Text1(2)")
        # Whether the trace box shows all it holds, and what Tab reaches from it.
        # The focused control keeps the focus as the arrangement changes.
        for width, whole, after in ((450, True, "Diapazon(0)"), (800, False, "Diapazon(1)")):
            p.js("arguments[0].focus()", out)
            self.driver.set_window_size(width, 600)
            height = out.get_property
            WebDriverWait(self.driver, 5).until(
                lambda _: (height("scrollHeight") == height("clientHeight")) == whole)
            self.assertEqual(p.focused(), "Text1(2)", width)
            p.press(Keys.TAB)
            self.assertEqual(p.focused(), after, width)

    def test_tab_order(self):
        order = KEYBOARD_ORDER[self.arrangement][1:]
        visited = []
        for _ in order:
            self.page.press(Keys.TAB)
            visited.append(self.page.focused())
        self.assertEqual(visited, order)

    @needs("window")
    def test_look_of_every_control(self):
        p = self.page
        check_look(self, p)
        area = p.control("MainForm").rect
        # Where a label and a box share a pixel, the box covers the label.
        for name, (x, y) in {"Text1(1)": (184, 190), "Diapazon(2)": (530, 216),
                             "Diapazon(1)": (50, 208), "Diapazon(0)": (50, 296)}.items():
            top = p.js("return document.elementFromPoint(...arguments).closest('[data-control]')"
                       ".dataset.control",
                       area["x"] + x + 0.5, area["y"] + y + 0.5)
            self.assertEqual(top, name)

    @needs("devtools")
    def test_roles_names_and_tooltips(self):
        p = self.page
        nodes, by_id = accessibility_tree(self.driver)
        by_dom = {node.get("backendDOMNodeId"): node for node in nodes}
        for name, (*_, role, label, tooltip) in CONTROLS.items():
            node = by_dom[self.backend_id(name)]
            if role == "StaticText":
                node = by_id[node["childIds"][0]]
            self.assertEqual((node["role"]["value"], node["name"]["value"]), (role, label), name)
            self.assertEqual(p.control(name).get_dom_attribute("title"), tooltip, name)

    def backend_id(self, name):
        cdp = self.driver.execute_cdp_cmd
        root = cdp("DOM.getDocument", {})["root"]["nodeId"]
        node = cdp("DOM.querySelector", {"nodeId": root, "selector": f'[data-control="{name}"]'})
        return cdp("DOM.describeNode", {"nodeId": node["nodeId"]})["node"]["backendNodeId"]

    @needs("devtools")
    def test_only_own_requests_and_no_errors(self):
        origin = self.page.url.rstrip("/")
        log = [json.loads(e["message"])["message"] for e in self.driver.get_log("performance")]
        sent = [m["params"]["request"] for m in log if m["method"] == "Network.requestWillBeSent"]
        urls = [request["url"] for request in sent]
        self.assertGreater(len(urls), 5)
        for url in urls:
            self.assertTrue(url.startswith(origin + "/"), url)
        # The core, which the window waits for, is asked for before the page's other files.
        first = [url for url in urls if url.endswith((".wasm", ".js", ".css"))][0]
        self.assertEqual(first, origin + "/kviltora_core.wasm")
        self.assertEqual([e for e in self.driver.get_log("browser") if e["level"] == "SEVERE"], [])


@unittest.skipUnless(os.environ.get("DISPLAY"), "WebKitGTK needs an X display: run it in xvfb-run")
class WebKitWindowTest(PageTest):
    """The same in WebKitGTK's MiniBrowser, in the X display that DISPLAY names."""

    features, size = {"window"}, (800, 600)

    @classmethod
    def start_browser(cls):
        driver = start_webkit()
        driver.set_window_size(*cls.size)
        # With no window manager the X server gives the keys to the window under the
        # pointer, and WebKit marks the focused control only in a window that has them.
        subprocess.run(["xdotool", "mousemove", "10", "10"], check=True)
        return driver


class WebKitColumnTest(WebKitWindowTest):
    arrangement, features, size = "column", set(), (450, 800)  # as narrow as it goes: 447


# fmt: off
# A link and what the page then shows: the input, the count chosen, and the
# trace's binary result and last line; or, for a link it cannot use, the window
# as at start and the notice.
LINKS = [
    ("x=0.3&n=12", "0.3", ["12"], "0.01001100110", "0.29980468750"),
    ("n=5&x=%2D0.25", "-0.25", ["5"], "0.01", "0.25"),
    ("x=1.2E-05&n=6", "1.2E-05", ["6"], "0.00000", "0.00000"),
    ("x=abc&n=12", "дробта (x) не е десетично число."),
    ("x=%D0%B4%D1%80%D0%BE%D0%B1&n=12", "дробта (x) не е десетично число."),
    ("x=0.12345678&n=12", "дробта (x) е по-дълга от 9 знака."),
    ("x=&n=12", "липсва дробта (x)."),
    ("x=0.3&n=27", "броят цифри (n) трябва да е цяло число от 5 до 26."),
    ("x=0.3&n=twelve", "броят цифри (n) трябва да е цяло число от 5 до 26."),
    ("x=0.3&n=12&colour=red",
     "адресът съдържа непознато име; познати са x, n, mode, sheet, r, kinds, from и to."),
    ("x=0.3&n=12&mode=exam", "непознат режим (mode); познат е само practice."),
    ("x=0.%zz&n=12", "адресът съдържа повреден знак % или непозволен знак."),
    ("x=%FF&n=12", "адресът съдържа повреден знак % или непозволен знак."),
    ("x=%3Cimg%20src%3Dx%20onerror%3Dalert(1)%3E&n=12", "дробта (x) е по-дълга от 9 знака."),
    ("x=<b>1</b>&n=12", "дробта (x) не е десетично число."),
    ("x=0.3&n=12&mode=%3Cscript%3Ealert(1)%3C/script%3E",
     "непознат режим (mode); познат е само practice."),
    ("x=0.3&n=12&" + "y" * 10000, "адресът е по-дълъг от 256 знака."),
]
# The worksheet of seed 2026 from the range "100" with the count "10": each
# fraction, its binary result, the exact sum it converts back to and its exact
# form, worked out from the generator's definition and Python's fractions.
SHEET_2026 = [
    ("0.22", "0.001110000", "0.218750000", "0.0(01110000101000111101)"),
    ("0.77", "0.110001010", "0.769531250", "0.11(00010100011110101110)"),
    ("0.42", "0.011010111", "0.419921875", "0.0(11010111000010100011)"),
    ("0.97", "0.111110000", "0.968750000", "0.11(11100001010001111010)"),
    ("0.98", "0.111110101", "0.978515625", "0.1(11110101110000101000)"),
    ("0.09", "0.000101110", "0.089843750", "0.00(01011100001010001111)"),
    ("0.71", "0.101101011", "0.708984375", "0.10(11010111000010100011)"),
    ("0.48", "0.011110101", "0.478515625", "0.(01111010111000010100)"),
    ("0.02", "0.000001010", "0.019531250", "0.0(00001010001111010111)"),
    ("0.99", "0.111111010", "0.988281250", "0.11(11110101110000101000)"),
]
# fmt: on
SUM = "След обратно преобразуване числото е: "


class LinkTest(OnePageTest):
    """The address opens the example, the worksheet or the notice it names, and
    follows what the page shows."""

    def open_at(self, fragment):
        self.driver.get("about:blank")  # a fresh load, not a jump within the page
        Page(self.driver, URL + "#" + fragment).open()

    def shown(self):
        p = self.page
        lines = p.value("Text1(2)").split("\n")
        result = lines[lines.index("Проверка на резултата: ") - 1] if len(lines) > 2 else None
        return p.value("Text1(1)"), p.selected("Diapazon(1)"), result, lines[-2]

    def notice(self):
        found = self.driver.find_elements(By.CSS_SELECTOR, ".notice")
        return found[0].text if found else None

    def test_each_link_opens_its_example_or_the_start_with_its_notice(self):
        p = self.page
        for fragment, *expected in LINKS:
            with self.subTest(fragment[:40]):
                self.open_at(fragment)
                if len(expected) == 4:
                    box, count, result, sum_ = expected
                    self.assertEqual(self.shown(), (box, count, result, SUM + sum_))
                    self.assertEqual(self.notice(), None)
                    continue
                notice = "Връзката не може да се използва: " + expected[0]
                self.assertEqual((self.notice(), p.spoken()), (notice, notice))
                sample = p.value("Text1(2)").split("\n")
                self.assertEqual((p.value("Text1(1)"), sample[0], len(sample)),
                                 ("0.45", "Преобразувам десетичната дроб: 0.45", 23))
                self.assertEqual(self.driver.find_elements(By.CSS_SELECTOR, "[aria-selected=true]"),
                                 [])
        p.choose("Diapazon(1)", "10")  # the next action takes the notice away
        self.assertEqual(self.notice(), None)

    def test_the_address_follows_the_page_and_opens_it_in_a_new_tab(self):
        p = self.page
        self.assertEqual(self.driver.current_url, URL)  # a plain start stays plain
        self.open_at("x=0.3&n=12")
        entries = self.driver.execute_script("return history.length")
        p.choose("Diapazon(1)", "10")
        self.assertTrue(self.driver.current_url.endswith("#x=0.3&n=12"), "no calculation yet")
        p.control("Command1(1)").click()
        self.assertEqual(self.driver.current_url, URL)
        p.type("0.45")
        p.control("Command1(0)").click()
        address = self.driver.current_url
        self.assertEqual(address, URL + "#x=0.45&n=10")
        self.assertEqual(self.driver.execute_script("return history.length"), entries)
        self.driver.switch_to.new_window("tab")
        self.addCleanup(self.driver.switch_to.window, self.driver.window_handles[0])
        self.addCleanup(self.driver.close)
        Page(self.driver, address).open()
        self.assertEqual(p.value("Text1(2)"), TRACE_045_10)
        # Back, Forward and an edit of the fragment all follow hashchange.
        p.js("location.hash = 'x=0.5&n=6'")
        WebDriverWait(self.driver, 5).until(lambda _: p.value("Text1(1)") == "0.5")
        self.driver.back()
        WebDriverWait(self.driver, 5).until(lambda _: p.value("Text1(1)") == "0.45")
        self.assertEqual(p.value("Text1(2)"), TRACE_045_10)

    def test_an_exercise_link_opens_the_exercise_and_the_address_follows_it(self):
        p, find = self.page, self.driver.find_element
        self.open_at("x=0.3&n=12&mode=practice")
        self.assertEqual(find(By.CSS_SELECTOR, "#practice h1").text, "Упражнение с дробта 0.3.")
        self.assertFalse(p.control("MainForm").is_displayed())
        find(By.CSS_SELECTOR, "#practice .end").click()
        # «Край» goes back to the window as the link set it, not as at start.
        self.assertEqual((self.driver.current_url, p.value("Text1(1)"), p.selected("Diapazon(1)")),
                         (URL, "0.3", ["12"]))
        p.choose("Diapazon(1)", "6")
        find(By.XPATH, '//button[.="Упражнение"]').click()
        self.assertEqual(self.driver.current_url, URL + "#x=0.3&n=6&mode=practice")
        p.js("location.hash = 'x=0.5&n=6'")  # another link while it runs
        WebDriverWait(self.driver, 5).until(lambda _: p.control("MainForm").is_displayed())
        self.assertEqual(self.shown()[2:], ("0.1", SUM + "0.5"))

    def test_the_worksheet_button_opens_a_new_sheet_and_goes_back(self):
        p = self.page
        p.choose("Diapazon(0)", "1000")
        p.choose("Diapazon(1)", "26")
        self.driver.find_element(By.XPATH, '//button[.="Работен лист"]').click()
        heading = self.driver.find_element(By.CSS_SELECTOR, "#sheet h2")
        self.assertRegex(self.driver.current_url, r"#sheet=\d+&r=1000&n=26$")
        self.assertRegex(heading.text, r"^1\. Дроб 0\.\d{1,3}, брой цифри 26$")
        self.assertFalse(p.control("MainForm").is_displayed())
        # The first 12 of the 25 doublings only: more is not asked of a pupil by hand.
        self.assertEqual(len(self.driver.find_elements(By.CSS_SELECTOR, "#sheet .ruled > *")), 120)
        self.driver.find_element(By.XPATH, '//button[.="Към прозореца"]').click()
        self.assertTrue(p.control("MainForm").is_displayed())
        self.assertEqual((self.driver.current_url, p.selected("Diapazon(1)")), (URL, ["26"]))

    def printed(self):
        a4 = {"paperWidth": 8.27, "paperHeight": 11.69}
        pdf = base64.b64decode(self.driver.execute_cdp_cmd("Page.printToPDF", a4)["data"])
        text = subprocess.run(["pdftotext", "-", "-"], input=pdf, capture_output=True,
                              check=True).stdout.decode()
        pages = [[line for line in page.split("\n") if line.strip()] for page in text.split("\f")]
        return text, [page for page in pages if page]

    def test_the_printed_worksheet_and_its_key_on_a_page_of_its_own(self):
        self.open_at("sheet=2026&r=100&n=10")
        text, pages = self.printed()
        key = next(i for i, page in enumerate(pages) if page[0].startswith("Отговори"))
        self.assertEqual((key, len(pages)), (2, 3), "two pages of tasks, one of the key")
        exercises = [line for page in pages[:key] for line in page if ". Дроб " in line]
        self.assertEqual(pages[0][:4], ["Работен лист № 2026", "Име", "Клас", "Дата"])
        self.assertEqual(exercises, [f"{i}. Дроб {row[0]}, брой цифри 10"
                                     for i, row in enumerate(SHEET_2026, 1)])
        labels = [line for line in pages[0] + pages[1] if line in ("Двоичната дроб:", "Сборът:")]
        self.assertEqual(len(labels), 20)
        answers = " ".join(pages[key])
        for i, (x, result, sum_, exact) in enumerate(SHEET_2026, 1):
            for line in (f"{i}. Дроб {x}, брой цифри 10", result, SUM + sum_, "Точно: " + exact):
                self.assertIn(line, answers)
        self.assertNotIn("Печат", text)
        self.assertNotIn("0.41992188 ", answers)

    def test_the_key_is_hidden_on_screen_until_asked_for(self):
        self.open_at("sheet=2026")
        find = self.driver.find_element
        key = find(By.CSS_SELECTOR, "#sheet .key")
        self.assertFalse(key.is_displayed())
        self.assertNotIn("0.419921875", find(By.ID, "sheet").text)
        find(By.XPATH, '//button[.="Покажи отговорите"]').click()
        self.assertTrue(key.is_displayed())
        self.assertIn(SUM + "0.419921875", key.text)
        find(By.XPATH, '//button[.="Скрий отговорите"]').click()
        self.assertFalse(key.is_displayed())

    def test_a_teacher_may_print_without_the_key(self):
        self.open_at("sheet=2026")
        cdp = self.driver.execute_cdp_cmd
        cdp("Emulation.setEmulatedMedia", {"media": "print"})
        self.addCleanup(cdp, "Emulation.setEmulatedMedia", {"media": ""})
        shown = self.page.js("""const key = document.querySelector('#sheet .key');
            const seen = [getComputedStyle(key).display];
            window.print = () => seen.push(getComputedStyle(key).display);
            [...document.querySelectorAll('.sheet-tools button')]
              .find((b) => b.textContent === 'Печат без отговорите').click();
            seen.push(getComputedStyle(key).display);
            return seen;""")
        self.assertEqual(shown, ["block", "none", "block"])

    def test_the_kinds_chosen_go_into_the_link(self):
        self.open_at("sheet=2026&r=100&n=10")
        boxes = self.driver.find_elements(By.CSS_SELECTOR, "#sheet .kinds input")
        self.assertEqual([b.is_selected() for b in boxes], [True, False, False, False, False])
        boxes[4].click()
        self.assertEqual(self.driver.current_url, URL + "#sheet=2026&r=100&n=10&kinds=d,g")
        self.open_at("sheet=2026&kinds=d,i,f,p,g")
        boxes = self.driver.find_elements(By.CSS_SELECTOR, "#sheet .kinds input")
        self.assertEqual([b.is_selected() for b in boxes], [True] * 5)
        # Every kind still fits two pages, and the key one of its own.
        _, pages = self.printed()
        self.assertEqual([page[0] for page in pages][::2],
                         ["Работен лист № 2026", "Отговори към работен лист № 2026"])
        self.assertEqual(len(pages), 3)
        self.assertIn("10. Преобразувайте 222₈ в шестнадесетична бройна система.", pages[1])


# Counts the status region's changes, and reads them with its text as it stands.
WATCH = """const region = document.querySelector('[role=status]');
window.changes = 0;
new MutationObserver((records) => (window.changes += records.length))
  .observe(region, {childList: true, characterData: true, subtree: true});"""
HEARD = """return new Promise((done) => setTimeout(() => {
  done([window.changes, document.querySelector('[role=status]').textContent]);
  window.changes = 0;
}));"""


class ScreenReaderTest(OnePageTest):
    """What a screen reader relies on: the locked boxes keep a caret at their start and
    refuse every edit, each event changes the status region once, and every list has a
    name, its role and a child."""

    def chord(self, key):
        chain = ActionChains(self.driver).key_down(Keys.CONTROL).send_keys(key)
        chain.key_up(Keys.CONTROL).perform()

    def test_locked_boxes_read_from_the_start_and_refuse_every_edit(self):
        p, cdp = self.page, self.driver.execute_cdp_cmd
        p.choose("Diapazon(1)", "10")
        p.control("Command1(0)").click()
        caret = "return [arguments[0].selectionStart, arguments[0].selectionEnd]"
        for name in ("Text1(0)", "Text1(2)"):
            self.assertEqual(p.js(caret, p.control(name)), [0, 0], name)
            self.assertEqual(p.control(name).get_attribute("inputmode"), "none", name)
        # The arrow keys move the caret, by which a screen reader reads line by line:
        # "Преобразувам десетичната дроб: 0.45\n0.9\n" is 40 characters.
        box = p.control("Text1(2)")
        p.js("arguments[0].focus()", box)
        p.press(Keys.DOWN, Keys.DOWN)
        self.assertEqual(p.js(caret, box), [40, 40])
        # Copying works: the first word into the input, through the clipboard.
        p.js("arguments[0].setSelectionRange(0, 4)", box)
        self.chord("c")
        p.control("Command1(1)").click()
        p.control("Text1(1)").click()
        self.chord("v")
        self.assertEqual(p.value("Text1(1)"), "Прео")
        # An input method, typing, deleting, cutting, pasting, undoing and a drop.
        p.control("Command1(0)").click()
        trace = p.value("Text1(2)")
        box.click()
        cdp("Input.imeSetComposition", {"text": "ж", "selectionStart": 1, "selectionEnd": 1})
        cdp("Input.insertText", {"text": "ж"})
        cdp("Input.insertText", {"text": "y"})
        p.press("x", Keys.BACKSPACE, Keys.DELETE, Keys.ENTER)
        for key in "axvz":
            self.chord(key)
        items = [{"mimeType": "text/plain", "data": "z"}]
        at = {"x": box.rect["x"] + 20, "y": box.rect["y"] + 20}
        for kind in ("dragEnter", "dragOver", "drop"):
            drag = {"type": kind, **at, "data": {"items": items, "dragOperationsMask": 1}}
            cdp("Input.dispatchDragEvent", drag)
        self.assertEqual(p.value("Text1(2)"), trace)

    def test_each_event_changes_the_status_once_and_a_repeat_still_changes_it(self):
        p = self.page
        p.js(WATCH)
        focus = lambda name: p.js("arguments[0].focus()", p.control(name))  # noqa: E731
        calculate = p.control("Command1(0)").click
        steps = [lambda: focus("Diapazon(1)"), lambda: focus("Diapazon(0)")]
        steps += [lambda: p.choose("Diapazon(1)", "10"), calculate, calculate]
        steps += [lambda: focus("Diapazon(1)")]
        heard = []
        for step in steps:
            step()
            heard.append(p.js(HEARD))
        said = [(1, NOTHING)] * 3 + [(1, SAID_045_10)] * 2 + [(0, SAID_045_10)]
        self.assertEqual([(n, text.strip()) for n, text in heard], said)
        for before, after in zip(heard[:4], heard[1:5]):
            self.assertNotEqual(before[1], after[1])
        # One text, so that the whole is read at once and in order.
        nodes, by_id = accessibility_tree(self.driver)
        (region,) = [node for node in nodes if node.get("role", {}).get("value") == "status"]
        texts = [by_id[child]["name"]["value"].strip() for child in region["childIds"]]
        self.assertEqual(texts, [SAID_045_10])

    def test_every_list_has_its_name_role_and_a_child_even_empty(self):
        nodes, by_id = accessibility_tree(self.driver)
        lists = [node for node in nodes if node.get("role", {}).get("value") == "listbox"]
        first = {n["name"]["value"]: by_id[n["childIds"][0]]["role"]["value"] for n in lists}
        expected = {"10-ична дроб": "option", "Брой цифри": "option", "Изход": "group"}
        self.assertEqual(first, expected)


# fmt: off
# CSS px wide and tall, device pixel ratio, a finger, the browser's text size set to
# 24 px (as its default or its minimum); then the arrangement shown, the smallest
# text, the smallest target (button, list row, input) and the smallest control that
# takes the focus, taken whole, empty or full, in CSS px. 22.4 px is 1.4 times the
# largest default size.
VIEWPORTS = [
    (320, 568, 2, True, None, "column", 16, 44, 44),
    (360, 740, 3, True, None, "column", 16, 44, 44),
    (390, 844, 3, True, None, "column", 16, 44, 44),
    (768, 1024, 2, True, None, "column", 16, 44, 44),
    (1366, 768, 1, False, None, "window", 15, 17, 25),
    (800, 600, 1, False, "default_font_size", "column", 22.4, 44, 44),
    (1366, 768, 1, False, "default_font_size", "window", 22.4, 25, 37.5),
    (1366, 768, 1, False, "minimum_font_size", "window", 22.4, 25, 37.5),
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
# Each digit's value, 2 to the power minus its place or nothing, in 25 decimals.
DECIMALS = (
    "- 25 125 0625 - - 0078125 00390625 - - 00048828125 000244140625 - - 000030517578125 "
    "0000152587890625 - - 0000019073486328125 00000095367431640625 - - 00000011920928955078125 "
    "000000059604644775390625 -")
TRACE_045_26 = [
    "Преобразувам десетичната дроб: 0.45", *DOUBLINGS.split(),
    "Новото число се формира от изчислените остатъци.", "Подредбата е в реда на получаването им.",
    "0.0111001100110011001100110", "Проверка на резултата: ",
    *("+0." + decimals.strip("-").ljust(25, "0") for decimals in DECIMALS.split()),
    "След обратно преобразуване числото е: 0.4499999880790710449218750"]
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
  stray: [...area.children].filter((e) => !e.dataset.control && e.id !== 'practice-start'
    && e.getClientRects().length).map((e) => e.className),
  pageButtonBelowScreen: box(document.querySelector('#practice-start button')).bottom + scrollY
    - innerHeight,
  sideways: page.scrollWidth - page.clientWidth,
  downwards: all.filter((e) => e.dataset.control).sort((a, b) => box(a).y - box(b).y)
    .map((e) => e.dataset.control),
  whole: trace.scrollHeight === trace.clientHeight,
};"""
# The smallest side of any control on the page that takes the focus, whole.
LEAST_CONTROL = """return Math.min(...[...document.querySelectorAll('a, button, input, select, textarea, [tabindex]')]
  .filter((e) => e.tabIndex >= 0 && !e.disabled && e.getClientRects().length)
  .map((e) => Math.min(e.getBoundingClientRect().width, e.getBoundingClientRect().height)));"""


# The boxes whose border would stand on the page's last pixel, or past it.
BOXES_PAST_THE_EDGE = """const edge = document.documentElement.clientWidth - 1;
return [...document.querySelectorAll('#window > *')].filter((e) => e.getClientRects().length
  && parseFloat(getComputedStyle(e).borderRightWidth) > 0
  && e.getBoundingClientRect().right > edge).map((e) => e.dataset.control);"""


class ViewportTest(unittest.TestCase):
    """Phones, a touch tablet and desktops, large text, paper and a contrast theme, by
    Chromium's device emulation."""

    def browser(self, text_size=None):
        prefs = {"webkit": {"webprefs": {text_size: 24}}} if text_size else None
        driver = page_chromium(prefs=prefs)
        self.addCleanup(driver.quit)
        return driver, Page(driver, URL)

    def test_every_viewport_by_touch(self):
        browser = functools.cache(self.browser)  # one for each text size
        for width, height, ratio, touch, text_size, arrangement, text, target, whole in VIEWPORTS:
            viewport = f"{width}x{height}, {text_size or ('touch' if touch else 'mouse')}"
            with self.subTest(viewport):
                driver, page = browser(text_size)
                cdp = driver.execute_cdp_cmd
                size = {"width": width, "height": height, "deviceScaleFactor": ratio}
                cdp("Emulation.setDeviceMetricsOverride", {**size, "mobile": touch})
                cdp("Emulation.setTouchEmulationEnabled", {"enabled": touch})
                page.open()
                least = [page.js(LEAST_CONTROL)]  # the list of digits empty
                tap(driver, page.control("Diapazon(1)").find_element(By.XPATH, '*[.="26"]'))
                tap(driver, page.control("Command1(0)"))
                self.assertEqual(page.value("Text1(2)").split("\n")[:-1], TRACE_045_26)
                seen = page.js(MEASURE)
                least.append(page.js(LEAST_CONTROL))
                tap(driver, page.control("Command1(1)"))  # every box and list empty
                least.append(page.js(LEAST_CONTROL))
                print(f"{viewport}: {arrangement}, text {seen['text']:.1f} px, "
                      f"targets {seen['target']:.1f} px, controls {min(least):.1f} px",
                      file=sys.stderr)
                shown = "column" if seen["downwards"] == COLUMN else "window"
                self.assertEqual((shown, seen["whole"]), (arrangement, arrangement == "column"))
                self.assertEqual((seen["cut"], seen["sideways"], seen["stray"]), ([], 0, []))
                self.assertLessEqual(seen["pageButtonBelowScreen"], 0)  # on the first screen
                self.assertGreaterEqual(seen["text"], text)
                self.assertGreaterEqual(seen["target"], target)
                self.assertGreaterEqual(min(least), whole)

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
        # Chromium cuts what stands on the printable width's last pixel: a box's right border.
        driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {"media": "print"})
        self.addCleanup(driver.execute_cdp_cmd, "Emulation.setEmulatedMedia", {"media": ""})
        self.assertEqual(page.js(BOXES_PAST_THE_EDGE), [])

    def test_contrast_theme_shows_the_chosen_row(self):
        driver, page = self.browser()
        forced = [{"name": "forced-colors", "value": "active"}]
        driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {"features": forced})
        page.open()
        page.choose("Diapazon(1)", "6")
        strips = []  # of the rows 5, 6 and 7, beyond their text
        for row in page.control("Diapazon(1)").find_elements(By.CSS_SELECTOR, "[role=option]")[:3]:
            clip = {"x": row.rect["x"] + row.rect["width"] - 12, "y": row.rect["y"] + 4}
            clip = {**clip, "width": 8, "height": 8, "scale": 1}
            strips.append(driver.execute_cdp_cmd("Page.captureScreenshot", {"clip": clip}))
        self.assertEqual((strips[0] == strips[2], strips[0] == strips[1]), (True, False))


# The exercise of 0.45 with the count 10: every answer, right at the first try,
# from Python's fractions; the lines that part from the computer's trace.
ANSWERS_045_10 = ["0.9", "0", "1.8", "1", "1.6", "1", "1.2", "1", "0.4", "0", "0.8", "0",
                  "1.6", "1", "1.2", "1", "0.4", "0", "0.011100110"]
PARTED_045_10 = [["6", "0.8", "0.800000000000001", "≠"], ["9", "0.4", "0.400000000000006", "≠"]]
ANSWERS_0375 = ["0.75", "0", "1.5", "1", "1", "1", "0.011"]


class PracticeTest(OnePageTest):
    """The exercise beside the window, done whole by keys and by touch."""

    features = {"devtools"}

    def find(self, selector):
        return settled_find(self.driver, selector)

    def window_state(self):
        return [self.page.value(f"Text1({i})") for i in range(3)] + [
            self.page.selected(f"Diapazon({i})") for i in range(3)]

    def summary(self):
        return [[cell.text for cell in row.find_elements(By.TAG_NAME, "td")]
                for row in self.driver.find_elements(By.CSS_SELECTOR, "#practice tbody tr")]

    def test_refused_without_a_count_and_the_window_unchanged(self):
        before = self.window_state()
        self.find("#practice-start button").click()
        self.assertEqual(self.find("#practice-start .refusal").text, NO_COUNT.strip())
        self.assertEqual(self.page.spoken(), NO_COUNT.strip())
        self.assertFalse(self.find("#practice").is_displayed())
        self.assertEqual(self.window_state(), before)

    def test_a_whole_exercise_by_keyboard_with_one_wrong_answer(self):
        p = self.page
        p.js("arguments[0].focus()", p.control("Diapazon(1)"))
        p.press(*[Keys.ARROW_DOWN] * 6)  # "10"
        before = self.window_state()
        p.press(Keys.TAB, Keys.TAB, Keys.TAB)
        self.assertEqual(p.js("return document.activeElement.textContent"), "Упражнение")
        p.press(Keys.ENTER)
        self.find("#practice")  # once the part is there
        self.assertFalse(p.control("MainForm").is_displayed())
        self.assertEqual(p.spoken(), "Упражнение с дробта 0.45. Стъпка 1: колко е 0.45 × 2?")
        heard = []
        for i, answer in enumerate(["0,8"] + ANSWERS_045_10):
            self.assertEqual(p.js("return document.activeElement.id"), "practice-answer", i)
            p.press(answer, Keys.ENTER)
            heard.append(p.spoken())
            selected = p.js("const b = document.activeElement;"
                            "return [b.selectionStart, b.selectionEnd, b.value.length]")
            if i < len(ANSWERS_045_10):
                self.assertEqual(selected, [0, len(answer), len(answer)], i)
        self.assertEqual(heard[:3], [
            "Не е вярно. Подсказка — удвоете: 0.45 + 0.45.",
            "Вярно. Стъпка 1: коя цифра записваме за 0.9 — 0 или 1?",
            "Вярно. Стъпка 2: колко е 0.9 × 2?"])
        self.assertTrue(heard[-1].startswith(
            "Вярно. Упражнението завърши. Верни от първия опит: 18 от 19. Стъпка 6:"), heard[-1])
        self.assertEqual([row for row in self.summary() if row[3]], PARTED_045_10)
        self.assertIn("0.45 = 0.01(1100)", self.find("#practice .summary").text)
        if "devtools" in self.features:  # on paper, the summary and not the questions
            pdf = base64.b64decode(self.driver.execute_cdp_cmd("Page.printToPDF", {})["data"])
            text = subprocess.run(["pdftotext", "-layout", "-", "-"], input=pdf,
                                  capture_output=True, check=True).stdout.decode()
            self.assertIn("Верни от първия опит: 18 от 19.", text)
            self.assertIn("0.800000000000001", text)
            self.assertNotIn("Провери", text)
        self.assertEqual(p.js("return document.activeElement.textContent"), "Край")
        p.press(Keys.ENTER)
        self.assertTrue(p.control("MainForm").is_displayed())
        self.assertEqual(self.window_state(), before)
        self.assertEqual(p.js("return document.activeElement.textContent"), "Упражнение")
        p.press(Keys.ENTER)  # a second exercise starts clean, and can be answered
        self.assertEqual(self.driver.find_elements(By.CSS_SELECTOR, "#practice .worked li"), [])
        self.assertTrue(self.find("#practice-answer").is_displayed())
        self.assertTrue(self.find("#practice .asking button").is_displayed())

    def test_right_and_wrong_differ_by_a_mark_and_not_by_colour_alone(self):
        self.page.choose("Diapazon(1)", "10")
        self.find("#practice-start button").click()
        feedback = self.find("#practice .feedback")
        seen = []
        for answer in ("0.8", "0.9"):
            self.find("#practice-answer").send_keys(answer, Keys.ENTER)
            seen.append((self.find("#practice .feedback .mark").text, feedback.text[1:7],
                         feedback.value_of_css_property("color")))
        self.assertEqual([mark for mark, _, _ in seen], ["✗", "✓"])
        self.assertEqual([words for _, words, _ in seen], ["Не е в", "Вярно."])
        self.assertNotEqual(seen[0][2], seen[1][2])
        self.assertEqual(self.page.spoken(), "Вярно. Стъпка 1: коя цифра записваме за 0.9 — 0 или 1?")

    def test_a_number_with_a_whole_part_is_practised_on_its_fractional_part(self):
        self.page.type("3.75")
        self.page.choose("Diapazon(1)", "10")
        self.find("#practice-start button").click()
        self.assertEqual(self.find("#practice h1").text, "Упражнение с дробната част на 3.75: 0.75")

    @needs("devtools")
    def test_a_contrast_theme_keeps_the_mark_of_right_and_wrong(self):
        forced = [{"name": "forced-colors", "value": "active"}]
        cdp = self.driver.execute_cdp_cmd
        cdp("Emulation.setEmulatedMedia", {"features": forced})
        self.addCleanup(cdp, "Emulation.setEmulatedMedia", {"features": []})
        self.page.choose("Diapazon(1)", "10")
        self.find("#practice-start button").click()
        self.find("#practice-answer").send_keys("0.8", Keys.ENTER)
        mark = self.find("#practice .feedback .mark")
        self.assertEqual((mark.text, mark.is_displayed()), ("✗", True))
        styles = self.page.js("const f = getComputedStyle(arguments[0]);"
                              "return [f.borderTopStyle, f.borderTopWidth]",
                              self.find("#practice .feedback"))
        self.assertEqual(styles, ["dashed", "2px"])

    @needs("devtools")
    def test_a_refusal_on_a_phone_is_shown_in_view(self):
        cdp = self.driver.execute_cdp_cmd
        cdp("Emulation.setDeviceMetricsOverride",
            {"width": 320, "height": 568, "deviceScaleFactor": 2, "mobile": True})
        self.addCleanup(cdp, "Emulation.clearDeviceMetricsOverride", {})
        self.driver.get("about:blank")
        Page(self.driver, URL + "#x=1&n=10&mode=practice").open()
        refusal = self.find("#practice-start .refusal")
        self.assertEqual(refusal.text, "Дробната част на числото е 0: няма какво да се удвоява.")
        box = self.page.js("const r = arguments[0].getBoundingClientRect();"
                           "return [r.top, r.bottom, innerHeight]", refusal)
        self.assertGreaterEqual(box[0], 0)
        self.assertLessEqual(box[1], box[2])

    def test_too_large_a_number_gets_the_windows_own_refusal(self):
        self.page.type("1E999")
        self.page.choose("Diapazon(1)", "10")
        self.find("#practice-start button").click()
        self.assertEqual(self.find("#practice-start .refusal").text, "Числото е твърде голямо.")

    @needs("devtools")
    def test_a_contrast_theme_still_marks_the_lines_that_part(self):
        forced = [{"name": "forced-colors", "value": "active"}]
        cdp = self.driver.execute_cdp_cmd
        cdp("Emulation.setEmulatedMedia", {"features": forced})
        self.addCleanup(cdp, "Emulation.setEmulatedMedia", {"features": []})
        self.page.choose("Diapazon(1)", "10")
        self.find("#practice-start button").click()
        for answer in ANSWERS_045_10:
            self.find("#practice-answer").send_keys(answer, Keys.ENTER)
        widths = self.page.js("return [...document.querySelectorAll('#practice tbody tr')]"
                              ".map(row => getComputedStyle(row.cells[1]).borderTopWidth)")
        self.assertEqual([i + 1 for i, w in enumerate(widths) if w != widths[0]], [6, 9])

    @needs("devtools")
    def test_a_whole_exercise_by_touch_in_the_column_of_a_phone(self):
        cdp = self.driver.execute_cdp_cmd
        cdp("Emulation.setDeviceMetricsOverride",
            {"width": 320, "height": 568, "deviceScaleFactor": 2, "mobile": True})
        cdp("Emulation.setTouchEmulationEnabled", {"enabled": True})
        self.addCleanup(cdp, "Emulation.setTouchEmulationEnabled", {"enabled": False})
        self.addCleanup(cdp, "Emulation.clearDeviceMetricsOverride", {})
        p = self.page
        p.open()
        p.type("0.375")
        tap(self.driver, p.control("Diapazon(1)").find_element(By.XPATH, '*[.="6"]'))
        tap(self.driver, self.find("#practice-start button"))
        box, check = self.find("#practice-answer"), self.find("#practice .asking button")
        for answer in ANSWERS_0375:
            box.send_keys(Keys.CONTROL, "a")
            box.send_keys(answer)
            tap(self.driver, check)
        self.assertEqual(self.summary(), [["1", "0.75", "0.75", ""], ["2", "1.5", "1.5", ""],
                                          ["3", "1", "1", ""]])
        self.assertIn("0.375 = 0.011", self.find("#practice .summary").text)
        sizes = p.js("return [...document.querySelectorAll('#practice button, #practice input')]"
                     ".filter(e => e.getClientRects().length).map(e => {"
                     "const r = e.getBoundingClientRect(); return Math.min(r.width, r.height)})"
                     ".concat([document.documentElement.scrollWidth"
                     " - document.documentElement.clientWidth])")
        self.assertGreaterEqual(min(sizes[:-1]), 44)
        self.assertEqual(sizes[-1], 0)
        tap(self.driver, self.find("#practice .end"))
        self.assertTrue(p.control("MainForm").is_displayed())


@unittest.skipUnless(os.environ.get("DISPLAY"), "WebKitGTK needs an X display: run it in xvfb-run")
class WebKitPracticeTest(PracticeTest):
    features, start_browser = set(), WebKitWindowTest.start_browser


# The help's text and links, each with its colour and the colour behind it, its size
# and, for a link, the height a finger has; and how far the page scrolls sideways.
HELP_MEASURE = """const opaque = (e) => { for (; e; e = e.parentElement) {
  const c = getComputedStyle(e).backgroundColor; if (!c.endsWith(', 0)')) return c; }
  return 'rgb(255, 255, 255)'; };
const texts = [...document.querySelectorAll('main *')].filter(e => [...e.childNodes]
  .some(n => n.nodeType === 3 && n.textContent.trim()));
return { sideways: document.documentElement.scrollWidth - document.documentElement.clientWidth,
  texts: texts.map(e => [getComputedStyle(e).color, opaque(e), parseFloat(getComputedStyle(e).fontSize)]),
  links: [...document.querySelectorAll('.back a')].map(e => e.getBoundingClientRect().height) };"""


def contrast(foreground, background):
    """The contrast ratio of two CSS colours, as the accessibility guidelines define it."""
    def luminance(colour):
        channels = [int(c) / 255 for c in re.findall(r"\d+", colour)[:3]]
        linear = [c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4 for c in channels]
        return 0.2126 * linear[0] + 0.7152 * linear[1] + 0.0722 * linear[2]
    light, dark = sorted((luminance(foreground), luminance(background)), reverse=True)
    return (light + 0.05) / (dark + 0.05)


class HelpTest(OnePageTest):
    """«Помощ», beside the exercise and the worksheet: on a phone, in contrast, on paper."""

    def test_reached_from_the_bar_and_readable_on_a_phone_and_on_paper(self):
        bar = self.driver.find_element(By.ID, "practice-start")
        shown = [e.text for e in bar.find_elements(By.CSS_SELECTOR, "button, a")]
        self.assertEqual(shown, ["Упражнение", "Работен лист", "Бройни системи", "Помощ"])
        bar.find_element(By.LINK_TEXT, "Помощ").click()
        self.assertEqual(self.driver.title, "Помощ — Квилтора")
        headings = [e.text for e in self.driver.find_elements(By.TAG_NAME, "h2")]
        self.assertEqual(headings, ["Какво прави всяка част", "Връзка към пример или упражнение",
                                    "Печат на работен лист",
                                    "Квилтора в училищната платформа или на сайт"])
        cdp = self.driver.execute_cdp_cmd
        cdp("Emulation.setDeviceMetricsOverride",
            {"width": 320, "height": 568, "deviceScaleFactor": 2, "mobile": True})
        self.addCleanup(cdp, "Emulation.clearDeviceMetricsOverride", {})
        seen = self.page.js(HELP_MEASURE)
        self.assertEqual(seen["sideways"], 0)
        self.assertGreaterEqual(min(size for _, _, size in seen["texts"]), 16)
        self.assertGreaterEqual(min(contrast(f, b) for f, b, _ in seen["texts"]), 4.5)
        self.assertGreaterEqual(min(seen["links"]), 44)
        self.assertEqual(self.driver.get_log("browser"), [])
        pdf = base64.b64decode(cdp("Page.printToPDF", {})["data"])
        text = subprocess.run(["pdftotext", "-layout", "-", "-"], input=pdf,
                              capture_output=True, check=True).stdout.decode()
        self.assertIn("Печат на работен лист", text)
        self.assertNotIn("Към Квилтора", text)  # the way back is for the screen


RESULT_37625 = "37.625₁₀ = 100101.101₂"


class BasesTest(OnePageTest):
    """The number-systems part in the window's place: by keys, by touch on a phone,
    opened from a link, with the address following each conversion."""

    features = {"devtools"}

    def find(self, selector):
        return settled_find(self.driver, selector)

    def worked(self, which="p"):
        return [e.text for e in self.driver.find_elements(By.CSS_SELECTOR, f"#bases .worked {which}")]

    def open_at(self, fragment):
        self.driver.get("about:blank")
        Page(self.driver, URL + "#" + fragment).open()
        WebDriverWait(self.driver, 5).until(lambda _: self.find("#bases").is_displayed())

    def test_a_conversion_by_keyboard_and_back_to_the_window(self):
        p = self.page
        opener = self.driver.find_element(By.XPATH, '//button[.="Бройни системи"]')
        self.assertEqual(opener.find_element(By.XPATH, "..").get_attribute("id"), "practice-start")
        p.js("arguments[0].focus()", opener)
        p.press(Keys.ENTER)
        WebDriverWait(self.driver, 5).until(lambda _: not p.control("MainForm").is_displayed())
        self.assertTrue(self.find("#bases").is_displayed())
        self.assertEqual(p.js("return document.activeElement.id"), "bases-number")
        p.press("37,625", Keys.ENTER)
        self.assertEqual(p.spoken(), RESULT_37625)
        self.assertEqual(self.worked(".result"), [RESULT_37625])
        self.assertIn("37 : 2 = 18, остатък 1", self.worked())
        self.assertEqual(self.worked()[-1], "Получава се 37.625₁₀, числото, което е въведено.")
        self.assertEqual(self.driver.current_url, URL + "#from=10&to=2&x=37.625")
        # Tab to «Към основа», one key down to 8, and Enter in the box again.
        p.press(Keys.TAB, Keys.TAB)
        self.assertEqual(p.js("return document.activeElement.id"), "bases-to")
        p.press(Keys.ARROW_DOWN)
        p.js("document.getElementById('bases-number').focus()")
        p.press(Keys.ENTER)
        self.assertEqual(p.spoken(), "37.625₁₀ = 45.5₈")
        self.assertEqual(self.driver.current_url, URL + "#from=10&to=8&x=37.625")
        p.js("document.getElementById('bases-number').select()")
        p.press("1.2.3", Keys.ENTER)
        refusal = "Вторият разделител . е излишен: числото има най-много един разделител."
        self.assertEqual((self.worked(), p.spoken()), ([refusal], refusal))
        self.assertEqual(self.driver.current_url, URL + "#from=10&to=8")
        self.driver.find_element(By.XPATH, '//section[@id="bases"]//button[.="Към прозореца"]').click()
        self.assertTrue(p.control("MainForm").is_displayed())
        WebDriverWait(self.driver, 5).until(lambda _: not self.find("#bases").is_displayed())
        self.assertEqual(p.js("return document.activeElement.textContent"), "Бройни системи")
        self.assertEqual(self.driver.current_url, URL)

    def test_a_refusal_keeps_what_was_typed_and_computes_nothing(self):
        self.open_at("from=8&to=2")
        box = self.find("#bases-number")
        box.send_keys("1.29", Keys.ENTER)
        self.assertEqual(self.worked(), ["9 не е цифра в осмична бройна система."])
        self.assertEqual(box.get_property("value"), "1.29")
        self.assertEqual(self.driver.current_url, URL + "#from=8&to=2")

    def test_a_link_opens_the_example_and_a_bad_one_the_start_with_a_notice(self):
        self.open_at("from=16&to=10&x=FF.8")
        self.assertEqual(self.worked(".result"), ["FF.8₁₆ = 255.5₁₀"])
        self.assertEqual(self.find("#bases-number").get_property("value"), "FF.8")
        self.open_at("from=8&to=2&x=9")
        notice = ("Връзката не може да се използва: "
                  "числото (x) не се чете: 9 не е цифра в осмична бройна система.")
        self.assertEqual(self.find(".notice").text, notice)
        self.assertEqual((self.worked(), self.find("#bases-number").get_property("value")),
                         ([], ""))
        self.assertEqual(self.find("#bases-from").get_property("value"), "10")

    @needs("devtools")
    def test_by_touch_in_the_column_of_a_phone(self):
        cdp = self.driver.execute_cdp_cmd
        cdp("Emulation.setDeviceMetricsOverride",
            {"width": 320, "height": 568, "deviceScaleFactor": 2, "mobile": True})
        cdp("Emulation.setTouchEmulationEnabled", {"enabled": True})
        self.addCleanup(cdp, "Emulation.setTouchEmulationEnabled", {"enabled": False})
        self.addCleanup(cdp, "Emulation.clearDeviceMetricsOverride", {})
        p = self.page
        p.open()
        tap(self.driver, self.driver.find_element(By.XPATH, '//button[.="Бройни системи"]'))
        WebDriverWait(self.driver, 5).until(lambda _: self.find("#bases").is_displayed())
        p.js("const list = document.getElementById('bases-from');"
             "list.value = '16'; list.dispatchEvent(new Event('change'))")  # a picker's choice
        self.find("#bases-number").send_keys("0.FFFFFFFFFF")
        tap(self.driver, self.driver.find_element(By.XPATH, '//button[.="Преобразувай"]'))
        self.assertEqual(self.worked(".result"), ["0.FFFFFFFFFF₁₆ = 0." + "1" * 40 + "₂"])
        sizes = p.js("return [...document.querySelectorAll('#bases button, #bases input, #bases select')]"
                     ".map(e => {const r = e.getBoundingClientRect(); return Math.min(r.width, r.height)})"
                     ".concat([document.documentElement.scrollWidth"
                     " - document.documentElement.clientWidth])")
        self.assertGreaterEqual(min(sizes[:-1]), 44)
        self.assertEqual(sizes[-1], 0)
        font = p.js("return parseFloat(getComputedStyle(document.querySelector('#bases .worked p')).fontSize)")
        self.assertGreaterEqual(font, 16)
        tap(self.driver, self.driver.find_element(By.XPATH, '//section[@id="bases"]//button[.="Към прозореца"]'))
        self.assertTrue(p.control("MainForm").is_displayed())


    def test_a_division_exercise_on_the_number_chosen_and_back_to_the_part(self):
        p = self.page
        self.open_at("from=10&to=2&x=6")
        start = self.driver.find_element(By.XPATH, '//button[.="Упражнение с това число"]')
        names = p.js("return [...document.querySelectorAll('button')].map(b => b.textContent)")
        self.assertEqual(names.count("Упражнение с това число"), 1)
        start.click()
        self.assertTrue(self.find("#practice").is_displayed())
        WebDriverWait(self.driver, 5).until(lambda _: not self.find("#bases").is_displayed())
        self.assertEqual(self.find("#practice h1").text, "Упражнение: 6₁₀ в двоична бройна система.")
        self.assertEqual(p.js("return document.activeElement.id"), "practice-answer")
        p.press("3", Keys.ENTER)
        self.assertEqual(p.spoken(), "Вярно. Стъпка 1: колко е остатъкът от 6 : 2?")
        p.press("1", Keys.ENTER)
        self.assertEqual(p.spoken(), "Не е вярно. Подсказка — остатъкът е 6 − 2 × 3.")
        self.assertEqual(self.find("#practice .feedback .mark").text, "✗")
        for answer in ("0", "1", "1", "0", "1", "110"):
            self.assertEqual(p.js("return document.activeElement.id"), "practice-answer")
            p.press(answer, Keys.ENTER)
        rows = [[cell.text for cell in row.find_elements(By.TAG_NAME, "td")]
                for row in self.driver.find_elements(By.CSS_SELECTOR, "#practice tbody tr")]
        self.assertEqual(rows[1], ["2", "6 : 2, остатък", "0", "1", "≠"])
        self.assertIn("6₁₀ = 110₂", self.find("#practice .summary").text)
        self.assertEqual(p.js("return document.activeElement.textContent"), "Край")
        p.press(Keys.ENTER)
        self.assertTrue(self.find("#bases").is_displayed())
        self.assertFalse(p.control("MainForm").is_displayed())
        self.assertEqual(p.js("return document.activeElement.textContent"),
                         "Упражнение с това число")

    @needs("devtools")
    def test_a_place_value_exercise_by_touch_on_a_phone(self):
        cdp = self.driver.execute_cdp_cmd
        cdp("Emulation.setDeviceMetricsOverride",
            {"width": 320, "height": 568, "deviceScaleFactor": 2, "mobile": True})
        cdp("Emulation.setTouchEmulationEnabled", {"enabled": True})
        self.addCleanup(cdp, "Emulation.setTouchEmulationEnabled", {"enabled": False})
        self.addCleanup(cdp, "Emulation.clearDeviceMetricsOverride", {})
        p = self.page
        self.open_at("from=16&to=10&x=2B.1")
        tap(self.driver, self.driver.find_element(By.XPATH, '//button[.="Упражнение с това число"]'))
        box, check = self.find("#practice-answer"), self.find("#practice .asking button")
        # Each term, then the sum: a comma, and a zero that changes nothing.
        for answer in ("32", "11", "0,0625", "43.06250"):
            box.send_keys(Keys.CONTROL, "a")
            box.send_keys(answer)
            tap(self.driver, check)
        self.assertIn("Верни от първия опит: 4 от 4.", self.find("#practice .summary").text)
        sizes = p.js("return [...document.querySelectorAll('#practice button, #practice input')]"
                     ".filter(e => e.getClientRects().length).map(e => {"
                     "const r = e.getBoundingClientRect(); return Math.min(r.width, r.height)})"
                     ".concat([document.documentElement.scrollWidth"
                     " - document.documentElement.clientWidth])")
        self.assertGreaterEqual(min(sizes[:-1]), 44)
        self.assertEqual(sizes[-1], 0)
        tap(self.driver, self.find("#practice .end"))
        self.assertTrue(self.find("#bases").is_displayed())

    def test_an_exercise_on_equal_bases_is_refused_beside_its_button(self):
        self.open_at("from=10&to=10&x=12")
        self.driver.find_element(By.XPATH, '//button[.="Упражнение с това число"]').click()
        self.assertEqual(self.find("#bases .refusal").text,
                         "За упражнение изберете две различни основи.")
        self.assertFalse(self.find("#practice").is_displayed())


@unittest.skipUnless(os.environ.get("DISPLAY"), "WebKitGTK needs an X display: run it in xvfb-run")
class WebKitBasesTest(BasesTest):
    features, start_browser = set(), WebKitWindowTest.start_browser


# Waits, five seconds at the most, until the worker of the next release has taken
# over the page. Meanwhile the page keeps asking its worker for a file, as a pupil's
# short visits one after another do, which puts off the browser's own update check.
NEXT_RELEASE_KEPT = """const done = arguments[0], until = performance.now() + 5000;
const first = navigator.serviceWorker.controller;
const wait = () => fetch('manifest.webmanifest').then(() =>
  navigator.serviceWorker.controller !== first || performance.now() > until ? done()
    : setTimeout(wait, 100));
wait();"""

# Before the page's own script, counts its calls of update() and keeps the
# registration's promise, so that the test can wait for the page to have decided.
COUNT_UPDATES = """self.kviltoraUpdates = 0;
const update = ServiceWorkerRegistration.prototype.update;
ServiceWorkerRegistration.prototype.update = function () {
  self.kviltoraUpdates += 1;
  return update.call(this);
};
const register = ServiceWorkerContainer.prototype.register;
ServiceWorkerContainer.prototype.register = function (...args) {
  return (self.kviltoraRegistered = register.apply(this, args));
};"""
# The page asks, if at all, as soon as its registration is done; this waits for that.
UPDATES_ASKED = """const done = arguments[0];
const asked = () => self.kviltoraRegistered
  ? self.kviltoraRegistered.finally(() => done(self.kviltoraUpdates))
  : setTimeout(asked, 20);
asked();"""


class OfflineAndFailureTest(unittest.TestCase):
    """Each with a browser of its own, so no service worker carries over."""

    def setUp(self):
        self.driver = page_chromium()
        self.addCleanup(self.driver.quit)

    def load(self, url):
        return load_page(self.driver, url)

    def failure_shown(self):
        notice = self.driver.find_element(By.ID, "failure")
        return (notice.is_displayed(), self.driver.find_element(By.ID, "window").is_displayed(),
                notice.text.startswith("Тази страница има нужда от JavaScript и WebAssembly"))

    def test_calculates_offline_after_one_visit(self):  # the server stopped
        with serve({"/": SITE}) as url:
            self.assertEqual(self.load(url + "/"), "ready")
            kept = self.driver.execute_async_script(
                "navigator.serviceWorker.ready.then(() => caches.keys())"
                ".then(names => Promise.all(names.map(n => caches.open(n).then(c => c.keys()))))"
                ".then(lists => arguments[0]([lists.flat().map(r => r.url), localStorage.length,"
                " sessionStorage.length]))")
        # The folder's address and index.html are two entries: the page opens at either.
        # The device has a serif of its own and the window shows no licence: neither is kept,
        # nor the core's glue on its own, which kviltora.js holds.
        files = {f.relative_to(SITE).as_posix() for f in Path(SITE).rglob("*") if f.is_file()}
        files = {f for f in files if not f.endswith((".woff2", ".txt", "sw.js"))}
        files -= {"kviltora_core.js", "kviltora_teaching.js"}
        expected = ["/"] + ["/" + file for file in files]
        self.assertEqual(sorted(u.replace(url, "", 1) for u in kept[0]), sorted(expected))
        self.assertEqual(kept[1:], [0, 0])  # nothing the pupil types is kept
        without_http_cache(self.driver)
        controlled = "return navigator.serviceWorker.controller !== null"
        for address in (url + "/", url + "/index.html"):
            self.assertEqual(self.load(address), "ready", address)
            self.assertTrue(self.driver.execute_script(controlled), address)
            # The browser takes every file from the worker's cache without waking the worker.
            sources = "return performance.getEntriesByType('resource').map(e => e.workerFinalSourceType)"
            self.assertEqual(set(self.driver.execute_script(sources)), {"cache"}, address)
            page = Page(self.driver, address)
            page.choose("Diapazon(1)", "10")
            page.control("Command1(0)").click()
            self.assertEqual(page.value("Text1(2)"), TRACE_045_10, address)
        # A shared link to which a mail program added a query still opens its example.
        self.assertEqual(self.load(url + "/?from=mail#x=0.3&n=10"), "ready")
        self.assertEqual(Page(self.driver, url).value("Text1(2)").split("\n")[0],
                         "Преобразувам десетичната дроб: 0.3")

    def test_only_a_page_its_worker_served_asks_for_a_new_release(self):
        self.driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument",
                                    {"source": COUNT_UPDATES})
        with serve({"/": SITE}) as url:
            asked = []
            for _visit in ("first", "served"):
                self.assertEqual(self.load(url + "/"), "ready")
                asked.append(self.driver.execute_async_script(UPDATES_ASKED))
                self.driver.execute_async_script(
                    "navigator.serviceWorker.ready.then(() => arguments[0]())")
        self.assertEqual(asked, [0, 1])

    def test_a_new_release_comes_with_the_visit_after_a_short_one(self):
        live = Path(self.enterContext(tempfile.TemporaryDirectory())) / "site"
        shutil.copytree(SITE, live)
        with serve({"/": str(live)}) as url:
            self.assertEqual(self.load(url + "/"), "ready")
            self.driver.execute_async_script(
                "navigator.serviceWorker.ready.then(() => arguments[0]())")
            # Chromium holds every update for a few seconds after a worker's first install;
            # a release comes later than that.
            time.sleep(5)
            worker, index = live / "sw.js", live / "index.html"
            worker.write_text(re.sub(r"SITE_VERSION = '\w+'", "SITE_VERSION = 'next'",
                                     worker.read_text()))
            index.write_text(index.read_text().replace(
                "<head>", '<head>\n<meta name="release" content="next">'))
            release = "return document.querySelector('meta[name=release]')?.content ?? 'first'"
            shown = []
            for visit in ("short", "next"):
                self.assertEqual(self.load(url + "/"), "ready")
                shown.append(self.driver.execute_script(release))
                if visit == "short":
                    self.driver.execute_async_script(NEXT_RELEASE_KEPT)
            self.assertEqual(shown, ["first", "next"])

    def test_says_so_when_webassembly_fails_to_load(self):
        self.driver.execute_cdp_cmd("Network.enable", {})
        self.driver.execute_cdp_cmd("Network.setBlockedURLs", {"urls": ["*.wasm"]})
        self.assertEqual(self.load(URL), "failed")
        self.assertEqual(self.failure_shown(), (True, True, True), "the window stays as drawn")

    def test_says_so_without_javascript(self):
        self.driver.execute_cdp_cmd("Emulation.setScriptExecutionDisabled", {"value": True})
        self.driver.get(URL)
        self.assertEqual(self.failure_shown(), (True, True, True), "the window as drawn")


# Every element of the window and the bar as a browser holds it: its tag, its
# attributes but the build's marks, its text or a box's content, and the places,
# weight and colour it is drawn with.
DRAWN = """const drawn = (e) => {
  const style = getComputedStyle(e);
  const attributes = [...e.attributes].filter((a) => !['data-drawn', 'style', 'value'].includes(a.name))
    .map((a) => `${a.name}=${a.value}`).sort();
  const look = ['--left', '--top', '--width', '--height', '--column', 'font-weight',
    'background-color'].map((p) => style.getPropertyValue(p).trim());
  const text = 'value' in e && e.localName !== 'button' ? e.value : e.children.length ? '' : e.textContent;
  return [e.localName, attributes.join(' '), text, look.join(' ')];
};
return [...document.querySelectorAll('#window, #window *')]
  .filter((e) => !e.closest('#practice-start')).map(drawn);"""
# The page's files that only a teaching part needs.
PARTS = ["/kviltora_parts.js", "/kviltora_teaching.wasm"]


class _HeldBack(_Handler):
    """Sends the window's .wasm only after HOLD seconds, as a slow line would: long
    enough for a test's keys and clicks on a busy machine."""

    HOLD = 6

    def do_GET(self):
        if self.path.startswith("/kviltora_core.wasm"):
            time.sleep(self.HOLD)
        super().do_GET()


class DrawnWindowTest(unittest.TestCase):
    """The window drawn into the page's HTML, which the script takes over when the
    core is ready, and the teaching parts, which come apart."""

    def setUp(self):
        self.driver = page_chromium()
        self.addCleanup(self.driver.quit)
        self.page = Page(self.driver, URL)

    def test_without_script_the_window_is_as_the_script_draws_it(self):
        self.driver.execute_cdp_cmd("Emulation.setScriptExecutionDisabled", {"value": True})
        self.driver.get(URL)
        unscripted = self.driver.execute_script(DRAWN)
        for name, (_, _, _, _, _, label, tooltip) in CONTROLS.items():
            control = self.page.control(name)
            self.assertEqual(control.get_attribute("title") or None, tooltip, name)
            if not name.startswith("Etiket"):
                self.assertEqual(control.get_attribute("aria-label"), label, name)
        self.assertIn("+0.0625000000000000000000000", self.page.value("Text1(0)"))
        self.assertEqual(self.page.value("Text1(1)"), "0.45")
        self.assertEqual(self.page.items("Diapazon(1)")[:3], ["5", "6", "7"])
        buttons = self.driver.find_elements(By.CSS_SELECTOR, "#practice-start button, #help-link")
        self.assertEqual([b.text for b in buttons],
                         ["Упражнение", "Работен лист", "Бройни системи", "Помощ"])
        # The same window, built by the script on a page that holds none.
        self.driver.execute_cdp_cmd("Emulation.setScriptExecutionDisabled", {"value": False})
        # What the build drew goes as the page is read, so that the script draws it all
        # anew, whether before the page is read to its end or after.
        undrawn = """const drop = () => document.querySelectorAll('[data-drawn]')
          .forEach((e) => e.remove());
        const observer = new MutationObserver(drop);
        observer.observe(document, { childList: true, subtree: true });
        addEventListener('DOMContentLoaded', () => { drop(); observer.disconnect(); });"""
        self.driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": undrawn})
        self.assertEqual(load_page(self.driver, URL), "ready")
        scripted = self.driver.execute_script(DRAWN)
        self.assertGreater(len(unscripted), 40)
        self.assertEqual(scripted, unscripted)

    def test_nothing_moves_when_the_script_takes_the_window_over(self):
        shifts = ("window.shifted = 0; new PerformanceObserver((list) => list.getEntries()"
                  ".forEach((e) => (window.shifted += e.value)))"
                  ".observe({ type: 'layout-shift', buffered: true });")
        self.driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": shifts})
        # The core comes a second late, so that the window is surely painted before.
        late = type("Late", (_HeldBack,), {"HOLD": 1})
        for width, height, mobile in ((1000, 700, False), (360, 740, True)):
            with self.subTest(width=width), serve({"/": SITE}, handler=late) as url:
                self.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
                    "width": width, "height": height, "deviceScaleFactor": 1, "mobile": mobile})
                self.driver.get(url + "/")
                # A control moved to another parent counts as new, not shifted: the
                # bar's and the input's places are compared as well.
                places = ("return ['#practice-start', '[data-control=\"Text1(1)\"]'].map((s) =>"
                          " document.querySelector(s).getBoundingClientRect().top + scrollY)")
                drawn = self.page.js(places)
                self.assertEqual(self.driver.execute_async_script(PAGE_READY), "ready")
                time.sleep(0.5)  # a shift is reported after its frame
                self.assertEqual(self.page.js("return window.shifted"), 0)
                self.assertEqual(self.page.js(places), drawn)

    def held_back(self, actions, hold=_HeldBack.HOLD):
        with serve({"/": SITE}, handler=type("Held", (_HeldBack,), {"HOLD": hold})) as url:
            self.driver.get(url + "/")
            actions()
            marked = "return performance.getEntriesByName('kviltora-ready').length"
            self.assertEqual(self.driver.execute_script(marked), 0, "done before the core was ready")
            self.assertEqual(self.driver.execute_async_script(PAGE_READY), "ready")

    def test_what_is_typed_before_the_core_goes_through_its_rule_and_keeps_the_focus(self):
        box = lambda: self.page.control("Text1(1)")  # noqa: E731
        self.held_back(lambda: box().send_keys(Keys.CONTROL, "a", Keys.NULL, "0,3"))
        self.assertEqual(self.page.value("Text1(1)"), "0.3")
        self.assertEqual(self.page.js("return document.activeElement.dataset.control"), "Text1(1)")
        self.assertEqual(self.page.js("return document.activeElement.selectionEnd"), 3)

    def test_a_text_put_back_by_the_browser_gives_way_to_the_forms(self):
        # As a browser may on a reload, before any script runs; nothing is typed.
        restored = "document.querySelector('[data-control=\"Text1(2)\"]').value = 'от миналия път'"
        self.held_back(lambda: self.page.js(restored), hold=1)
        self.assertTrue(self.page.value("Text1(2)").startswith(
            "Преобразувам десетичната дроб: 0.45\n0.9\n"), self.page.value("Text1(2)"))

    def test_a_choice_and_a_press_before_the_core_are_done_once_in_order(self):
        def actions():
            self.page.choose("Diapazon(1)", "10")
            self.page.control("Text1(1)").send_keys(Keys.CONTROL, "a", Keys.NULL, "0,45")
            self.page.control("Command1(0)").click()
        self.held_back(actions)
        self.assertEqual(self.page.value("Text1(1)"), "0.45")
        self.assertEqual(self.page.value("Text1(2)").replace("\r\n", "\n"), TRACE_045_10)
        self.assertEqual(self.page.selected("Diapazon(1)"), ["10"])

    def test_a_plain_first_visit_leaves_the_parts_to_the_worker_and_they_work_offline(self):
        driver, url, requests = first_visit(SITE)
        self.addCleanup(driver.quit)
        asked = {path for (by, path) in requests if by == "page"}
        kept = {path for (by, path) in requests if by == "worker"}
        self.assertEqual([p for p in PARTS if p in asked], [], "the page asked for a part")
        self.assertEqual([p for p in PARTS if p in kept], PARTS)
        page = Page(driver, url)  # the server has stopped
        page.open()
        page.choose("Diapazon(1)", "10")
        driver.find_element(By.CSS_SELECTOR, "#practice-start button").click()
        WebDriverWait(driver, 10).until(
            lambda d: d.find_element(By.ID, "practice-answer").is_displayed())

    def test_an_exercise_link_fetches_the_parts_at_once(self):
        requests = collections.Counter()
        with serve({"/": SITE}, requests) as url:
            self.assertEqual(load_page(self.driver, url + "/#x=0.3&n=12&mode=practice"), "ready")
            self.assertTrue(self.driver.find_element(By.ID, "practice-answer").is_displayed())
        self.assertEqual([p for p in PARTS if requests["page", p]], PARTS)


def visit_once(test, start, env=None):
    """A first visit, start(env), in which the page asks for each file once. Returns
    the page and the fonts fetched, as (by whom, path)."""
    driver, url, requests = first_visit(SITE, start, env)
    test.addCleanup(driver.quit)
    # The tab's icon is the browser's own business, which it may fetch again.
    asked = {path: n for (by, path), n in requests.items() if by == "page"}
    test.assertEqual({path: n for path, n in asked.items() if n != 1 and "/icons/" not in path}, {})
    for path in ("/", "/style.css", "/kviltora.js", "/kviltora_core.wasm"):
        test.assertIn(path, asked)
    test.assertNotIn("/kviltora_core.js", [path for _, path in requests])  # it is in kviltora.js
    fonts = sorted(key for key in requests.elements() if key[1].endswith(".woff2"))
    return Page(driver, url), fonts


class FontsAndFetchesTest(unittest.TestCase):
    """Which font a first visit draws the window with."""

    def test_the_devices_own_font_and_nothing_downloaded_for_it(self):
        page, fonts = visit_once(self, page_chromium)
        self.assertEqual(fonts, [])
        self.assertEqual(drawn_faces(page), LOCAL_FACES)

    def test_the_subset_where_the_device_has_no_times_metric_font(self):
        with dejavu_only() as env:
            page, fonts = visit_once(self, page_chromium, env)
            # Once, by the page: the worker's install takes them from the browser's cache.
            self.assertEqual(fonts, [("page", "/" + f) for f in SUBSET_FILES])
            check_look(self, page)
            self.assertEqual(drawn_faces(page), SUBSET_FACES)
            # Every character the page shows, after a long trace and a proposal of each range.
            page.choose("Diapazon(1)", "26")
            page.type("0.1")
            page.control("Command1(0)").click()
            for item in page.items("Diapazon(0)"):
                page.choose("Diapazon(0)", item)
            shown = page.js("return document.body.textContent + [...document.querySelectorAll("
                            "'textarea, input')].map(box => box.value).join('')")
            for font in (TTFont(Path(SITE) / name) for name in SUBSET_FILES):
                self.assertEqual(font["name"].getDebugName(1), FAMILY)
                missing = set(shown + KEPT_TOO) - {"\n", "\r"} - set(map(chr, font.getBestCmap()))
                self.assertEqual(missing, set())
            without_http_cache(page.driver)  # and offline, the worker still has the subset
            page.open()
            self.assertEqual(drawn_faces(page), SUBSET_FACES)


@unittest.skipUnless(os.environ.get("DISPLAY"), "WebKitGTK needs an X display: run it in xvfb-run")
class WebKitTest(unittest.TestCase):
    """WebKitGTK's first visits. Its service worker's install fetches the fonts from the
    network, used or not, so only the page's requests are counted."""

    def test_each_file_once_and_fonts_only_without_a_local_serif(self):
        for dejavu, expected in ((False, []), (True, SUBSET_FILES)):
            with self.subTest(dejavu_only=dejavu), dejavu_only() as env:
                _, fonts = visit_once(self, start_webkit, env if dejavu else None)
                self.assertEqual([f for f in fonts if f[0] == "page"],
                                 [("page", "/" + f) for f in expected])


if __name__ == "__main__":
    unittest.main(argv=[sys.argv[0]] + sys.argv[2:], verbosity=2)
