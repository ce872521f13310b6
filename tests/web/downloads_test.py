"""The page's three downloads, made from the web build's site folder as `make package`
makes them: the single file from disk with the network off, the site archive from a
subfolder and then offline, the SCORM package in a real SCORM 1.2 runtime and against
the manifest's schema, and the page framed by another origin.
Usage: downloads_test.py SITE_FOLDER [unittest names...]"""
import json
import os
import subprocess
import sys
import tempfile
import unittest
import zipfile
from pathlib import Path

from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

ROOT = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "scripts"))
from browser import Page, load_page, open_page, page_chromium, serve, start_webkit  # noqa: E402

SITE = sys.argv[1] if __name__ == "__main__" else ""
VERSION = "9.8.7"
RUNTIME = ROOT / "tests/web/scorm"
SCHEMA = RUNTIME / "schema/package.xsd"

# From the trace of 0.45 with the count 10, worked out by hand: its binary result
# and the sum the check converts it back to.
RESULT_045_10 = ("0.011100110", "След обратно преобразуване числото е: 0.449218750")
# 0.375 with the count 6, each answer right at the first try: three doublings
# (0.75, 1.5, 1), their digits and the binary fraction, seven questions.
ANSWERS_0375 = ["0.75", "0", "1.5", "1", "1", "1", "0.011"]
# The same with two wrong answers at the first question: the first gets a hint, the
# second the answer itself, and the exercise goes on; six right at the first try.
ANSWERS_0375_TWO_WRONG = ["1", "2", "0", "1.5", "1", "1", "1", "0.011"]
SCORE_0375 = "Верни от първия опит: 7 от 7."
LMS_VALUES_0375 = [["cmi.core.score.raw", "7"], ["cmi.core.score.min", "0"],
                   ["cmi.core.score.max", "7"], ["cmi.core.lesson_status", "completed"]]
MESSAGE_0375 = {"type": "kviltora-exercise", "fraction": "0.375", "count": 6, "right": 7,
                "questions": 7}
TITLE = "Квилтора — двоични дроби"


def setUpModule():
    global DIST
    DIST = Path(unittest.enterModuleContext(tempfile.TemporaryDirectory()))
    subprocess.run([sys.executable, str(ROOT / "scripts/make-downloads.py"), SITE, str(DIST),
                    VERSION], check=True, stdout=subprocess.DEVNULL)


def unpacked(test, archive, under=""):
    """The archive unpacked into a folder of the test's, below `under`; returns the top."""
    top = Path(test.enterContext(tempfile.TemporaryDirectory()))
    with zipfile.ZipFile(DIST / archive) as opened:
        opened.extractall(top / under)
    return top


def severe(driver):
    return [e["message"] for e in driver.get_log("browser") if e["level"] == "SEVERE"]


def calculate(page):
    page.choose("Diapazon(1)", "10")
    page.control("Command1(0)").click()
    lines = page.value("Text1(2)").split("\n")
    return lines[lines.index("Проверка на резултата: ") - 1], lines[-2]


def exercise(driver, fraction, count, answers):
    """Does an exercise in the page the driver is in, to its summary's score."""
    page = Page(driver, None)
    page.type(fraction)
    page.choose("Diapazon(1)", count)
    driver.find_element(By.CSS_SELECTOR, "#practice-start button").click()
    for answer in answers:
        driver.find_element(By.ID, "practice-answer").send_keys(answer, Keys.ENTER)
    return driver.find_element(By.CSS_SELECTOR, "#practice .summary p").text


class SingleFileTest(unittest.TestCase):
    """The one file from disk, in Chromium with the network off."""

    def setUp(self):
        self.driver = self.start()
        self.addCleanup(self.driver.quit)
        self.url = (DIST / f"kviltora-{VERSION}.html").as_uri()

    def start(self):
        driver = page_chromium()
        driver.execute_cdp_cmd("Network.enable", {})
        driver.execute_cdp_cmd("Network.emulateNetworkConditions", {
            "offline": True, "latency": 0, "downloadThroughput": -1, "uploadThroughput": -1})
        return driver

    def open(self, fragment=""):
        self.driver.get("about:blank")
        self.assertEqual(load_page(self.driver, self.url + fragment), "ready")
        return Page(self.driver, self.url)

    def check_console(self):
        self.assertEqual(severe(self.driver), [])

    def test_calculates_runs_an_exercise_opens_a_link_and_loads_nothing(self):
        page = self.open()
        self.assertEqual(calculate(page), RESULT_045_10)
        page.control("Command1(1)").click()  # a calculation locks the input until cleared
        self.assertEqual(exercise(self.driver, "0.375", "6", ANSWERS_0375), SCORE_0375)
        page = self.open("#x=0.3&n=12")
        self.assertEqual(page.value("Text1(1)"), "0.3")
        self.assertEqual(page.selected("Diapazon(1)"), ["12"])
        # Every byte comes from the file: no request, and nothing the policy refused.
        self.assertEqual(page.js("return performance.getEntriesByType('resource').length"), 0)
        self.check_console()

    def test_the_worksheet_opens_styled_and_its_print_button_is_there(self):
        page = self.open("#sheet=7&r=100&n=10")
        tools = self.driver.find_elements(By.CSS_SELECTOR, "#sheet > h1, .sheet-tools button")
        self.assertEqual([e.text for e in tools], ["Печат", "Печат без отговорите",
                                                   "Покажи отговорите", "Към прозореца",
                                                   "Работен лист № 7"])
        # The sheet's own look, which the served page fetches, is in the file: A4's 210 mm.
        width = page.js("return getComputedStyle(document.getElementById('sheet')).maxWidth")
        self.assertEqual(round(float(width.removesuffix("px")), 1), 793.7)
        self.check_console()


@unittest.skipUnless(os.environ.get("DISPLAY"), "WebKitGTK needs an X display: run it in xvfb-run")
class WebKitSingleFileTest(SingleFileTest):
    """The same in WebKitGTK, whose driver keeps no console: the file's policy allows
    no request at all, and the resource list shows none was made."""

    def start(self):
        return start_webkit()

    def check_console(self):
        pass


class SiteArchiveTest(unittest.TestCase):
    def test_from_a_subfolder_then_offline(self):
        top = unpacked(self, f"kviltora-site-{VERSION}.zip", "school/maths/kviltora")
        folder = top / "school/maths/kviltora"
        readme = (folder / "ПРОЧЕТИ.txt").read_text(encoding="utf-8")
        self.assertIn("След първото посещение", readme)
        self.assertNotIn("ВЕРСИЯ", readme)
        self.assertFalse((folder / "kviltora_core.js").exists())
        driver = page_chromium()
        self.addCleanup(driver.quit)
        with serve({"/": top}) as base:
            url = base + "/school/maths/kviltora/"
            self.assertEqual(load_page(driver, url), "ready")
            scope = driver.execute_async_script(
                "Promise.race([navigator.serviceWorker.ready.then(r => r.scope),"
                " new Promise(done => setTimeout(done, 5000, null))]).then(arguments[0])")
            self.assertEqual(scope, url)
            manifest = driver.execute_script(
                "return new URL(document.querySelector('link[rel=manifest]').href).pathname")
            self.assertEqual(manifest, "/school/maths/kviltora/manifest.webmanifest")
            help_link = driver.find_element(By.ID, "help-link").get_property("href")
            self.assertEqual(help_link, url + "help.html")
        driver.execute_cdp_cmd("Network.enable", {})
        driver.execute_cdp_cmd("Network.clearBrowserCache", {})
        driver.execute_cdp_cmd("Network.setCacheDisabled", {"cacheDisabled": True})
        self.assertEqual(load_page(driver, url), "ready")  # the server has stopped
        self.assertEqual(calculate(Page(driver, url)), RESULT_045_10)
        driver.get(help_link)
        self.assertEqual(driver.title, "Помощ — Квилтора")
        self.assertEqual(severe(driver), [])


# A platform's player: it provides a real SCORM 1.2 runtime as window.API, writes down
# each call the lesson makes, and frames the package's launch page. ?refuse=LMSSetValue
# makes that call answer "false", as a platform does that will not keep a value.
PLAYER = """<!DOCTYPE html>
<html><head><meta charset="utf-8"><link rel="icon" href="data:,"><script src="scorm12.min.js"></script><script>
const refused = new URLSearchParams(location.search).get('refuse');
window.API = new Scorm12API({ autocommit: false, logLevel: 5 });
window.calls = [];
for (const name of ['LMSInitialize', 'LMSSetValue', 'LMSCommit', 'LMSFinish']) {
  const real = window.API[name].bind(window.API);
  window.API[name] = (...args) => {
    window.calls.push([name, ...args]);
    return name === refused ? 'false' : real(...args);
  };
}
</script></head><body><iframe id="lesson" src="package/%s" width="800" height="600"></iframe>
</body></html>"""


def runtime_script():
    """scorm-again from the lock file's pin, installed on first use."""
    dist = RUNTIME / "node_modules/scorm-again/dist/scorm12.min.js"
    if not dist.is_file():
        subprocess.run(["npm", "ci", "--no-audit", "--no-fund", "--ignore-scripts"], cwd=RUNTIME,
                       check=True, stdout=subprocess.DEVNULL)
    return dist


class ScormTest(unittest.TestCase):
    def setUp(self):
        top = unpacked(self, f"kviltora-scorm-{VERSION}.zip", "package")
        manifest = (top / "package/imsmanifest.xml").read_text(encoding="utf-8")
        launch = manifest.split('adlcp:scormtype="sco" href="')[1].split('"')[0]
        (top / "player.html").write_text(PLAYER % launch, encoding="utf-8")
        (top / "scorm12.min.js").write_bytes(runtime_script().read_bytes())
        self.base = self.enterContext(serve({"/": top}))
        self.driver = page_chromium()
        self.addCleanup(self.driver.quit)

    def lesson(self, query=""):
        self.driver.get(f"{self.base}/player.html{query}")
        self.driver.switch_to.frame("lesson")
        self.assertEqual(self.driver.execute_async_script(
            "const done = arguments[0], wait = () => performance.getEntriesByName("
            "'kviltora-ready').length ? done('ready') : setTimeout(wait, 10); wait();"), "ready")

    def player(self, script):
        self.driver.switch_to.default_content()
        return self.driver.execute_script(script)

    def leave(self):
        self.player("document.getElementById('lesson').src = 'about:blank'")
        self.driver.execute_async_script(
            "const done = arguments[0], until = performance.now() + 5000;"
            "const wait = () => window.calls.some(c => c[0] === 'LMSFinish')"
            " || performance.now() > until ? done() : setTimeout(wait, 10); wait();")

    def test_reports_the_exercise_and_the_runtime_holds_it(self):
        self.lesson()
        self.assertEqual(self.player("return window.calls"), [["LMSInitialize", ""]])
        self.driver.switch_to.frame("lesson")
        self.assertEqual(exercise(self.driver, "0.375", "6", ANSWERS_0375), SCORE_0375)
        held = self.player("return ['cmi.core.score.raw', 'cmi.core.score.min', "
                           "'cmi.core.score.max', 'cmi.core.lesson_status']"
                           ".map(e => [e, window.API.LMSGetValue(e)])")
        self.assertEqual(held, LMS_VALUES_0375)
        self.leave()
        self.assertEqual(self.player("return window.calls"), [
            ["LMSInitialize", ""], *[["LMSSetValue", *pair] for pair in LMS_VALUES_0375],
            ["LMSCommit", ""], ["LMSFinish", ""]])
        self.assertEqual(severe(self.driver), [])

    def test_a_runtime_that_refuses_every_value_leaves_the_exercise_whole(self):
        self.lesson("?refuse=LMSSetValue")
        self.assertEqual(exercise(self.driver, "0.375", "6", ANSWERS_0375_TWO_WRONG),
                         "Верни от първия опит: 6 от 7.")
        self.assertEqual(len(self.driver.find_elements(By.CSS_SELECTOR, "#practice tbody tr")), 3)
        self.driver.find_element(By.CSS_SELECTOR, "#practice .end").click()
        self.assertEqual(exercise(self.driver, "0.375", "6", ANSWERS_0375), SCORE_0375)
        logged = [e["message"] for e in self.driver.get_log("browser")]
        refusals = [m for m in logged if "Платформата за обучение не прие LMSSetValue" in m]
        self.assertEqual(len(refusals), 1, logged)
        self.assertEqual([m for m in logged if m not in refusals], [])
        calls = self.player("return window.calls.map(c => c[0])")
        self.assertEqual(calls, ["LMSInitialize"] + (["LMSSetValue"] * 4 + ["LMSCommit"]) * 2)


# The manifest, then the manifest with one fault each, which the schema must refuse.
MANIFEST_FAULTS = [
    ("as made", None, None),
    ("no SCORM version", "<schemaversion>1.2</schemaversion>", ""),
    ("another SCORM version", "<schemaversion>1.2<", "<schemaversion>2004<"),
    ("no kind of resource", ' adlcp:scormtype="sco"', ""),
    ("an item of no resource", 'identifierref="kviltora-page"', 'identifierref="elsewhere"'),
    ("a default of no organization", 'default="kviltora"', 'default="elsewhere"'),
    ("the lesson untitled", f"<title>{TITLE}</title>\n      <item", "<item"),
]


class ManifestSchemaTest(unittest.TestCase):
    def test_the_manifest_against_the_schema(self):
        with zipfile.ZipFile(DIST / f"kviltora-scorm-{VERSION}.zip") as opened:
            manifest = opened.read("imsmanifest.xml").decode()
        self.assertEqual(manifest.count('adlcp:scormtype="sco"'), 1)
        self.assertEqual(manifest.count(f"<title>{TITLE}</title>"), 2)  # the lesson's and its item's
        folder = Path(self.enterContext(tempfile.TemporaryDirectory()))
        for name, fault, mended in MANIFEST_FAULTS:
            with self.subTest(name):
                text = manifest if fault is None else manifest.replace(fault, mended, 1)
                self.assertNotEqual(fault is not None and text == manifest, True, "no such text")
                (folder / "imsmanifest.xml").write_text(text, encoding="utf-8")
                checked = subprocess.run(
                    ["xmllint", "--noout", "--schema", str(SCHEMA), "imsmanifest.xml"],
                    cwd=folder, capture_output=True, text=True)
                self.assertEqual(checked.returncode == 0, fault is None, checked.stderr)


# A teacher's own page on another origin: it frames the site's page and keeps every
# message it receives.
TEACHER = """<!DOCTYPE html>
<html><head><meta charset="utf-8"><link rel="icon" href="data:,"><script>
window.received = [];
addEventListener('message', (event) => window.received.push([event.origin, event.data]));
</script></head><body><iframe id="lesson" src="%s" width="800" height="600"></iframe>
</body></html>"""


class EmbedTest(unittest.TestCase):
    def test_a_page_of_another_origin_frames_it_and_receives_each_exercise(self):
        site = self.enterContext(serve({"/": SITE}))
        teacher = Path(self.enterContext(tempfile.TemporaryDirectory()))
        (teacher / "index.html").write_text(TEACHER % (site + "/"), encoding="utf-8")
        driver = page_chromium()
        self.addCleanup(driver.quit)
        with serve({"/": teacher}) as base:
            self.assertNotEqual(base.rsplit(":", 1)[1], site.rsplit(":", 1)[1])
            open_page(driver, base + "/", "window.received && Promise.resolve()")
            driver.switch_to.frame("lesson")
            driver.execute_async_script(
                "const done = arguments[0], wait = () => performance.getEntriesByName("
                "'kviltora-ready').length ? done() : setTimeout(wait, 10); wait();")
            self.assertEqual(exercise(driver, "0.375", "6", ANSWERS_0375), SCORE_0375)
            driver.switch_to.default_content()
            received = driver.execute_async_script(
                "const done = arguments[0], until = performance.now() + 5000;"
                "const wait = () => window.received.length || performance.now() > until"
                " ? done(window.received) : setTimeout(wait, 10); wait();")
            self.assertEqual(received, [[site, MESSAGE_0375]])
            self.assertEqual(json.loads(json.dumps(received[0][1])), MESSAGE_0375)
        self.assertEqual(severe(driver), [])


if __name__ == "__main__":
    unittest.main(argv=[sys.argv[0]] + sys.argv[2:], verbosity=2)
