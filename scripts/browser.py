"""A local web server, Debian's headless Chromium through Selenium, and a driver
for the page that finds each control as the window names it; shared by the page
tests, the benchmarks and the screenshot script.

The emscripten module fetches its .wasm, so it must come from an http origin;
the server listens on 127.0.0.1 at a free port.
"""
import collections
import contextlib
import functools
import glob
import http.server
import os
import tempfile
import threading
import warnings
from pathlib import Path

from selenium import webdriver
from selenium.common.exceptions import TimeoutException
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.webkitgtk.options import Options as WebKitOptions

# Resolves with "ready" once the page has marked itself ready (the form loaded,
# the window built, shown and focused), "failed" once it shows its notice, or
# "no page" when neither comes, as on the browser's own error page.
PAGE_READY = """const done = arguments[arguments.length - 1];
const until = performance.now() + 20000;
const wait = () => {
  if (performance.getEntriesByName('kviltora-ready').length) done('ready');
  else if (document.getElementById('failure')?.classList.contains('now')) done('failed');
  else if (performance.now() > until) done('no page');
  else setTimeout(wait, 10);
};
wait();"""


class _Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {
        **http.server.SimpleHTTPRequestHandler.extensions_map,
        ".wasm": "application/wasm",
        ".js": "text/javascript",
    }

    def __init__(self, *args, mounts, requests, **kwargs):
        self.mounts, self.requests = mounts, requests
        super().__init__(*args, directory=str(mounts["/"]), **kwargs)

    def do_GET(self):
        # The page sends no referrer; its service worker names its own script.
        if self.requests is not None:
            by = "worker" if self.headers.get("Referer", "").endswith("/sw.js") else "page"
            self.requests[by, self.path.split("?")[0]] += 1
        super().do_GET()

    def translate_path(self, path):
        for prefix, folder in self.mounts.items():
            if prefix != "/" and path.startswith(prefix):
                self.directory = str(folder)
                return super().translate_path(path[len(prefix) - 1 :])
        return super().translate_path(path)

    def log_message(self, *args):
        pass


@contextlib.contextmanager
def serve(mounts, requests=None, handler=_Handler):
    """Serves {"/": folder, "/prefix/": folder, ...}; yields the base URL. A
    Counter given as requests counts them by ("page" or "worker", path)."""
    mounts = {k: Path(v) for k, v in mounts.items()}
    handler = functools.partial(handler, mounts=mounts, requests=requests)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    thread = threading.Thread(target=server.serve_forever, daemon=True)
    thread.start()
    try:
        yield f"http://127.0.0.1:{server.server_address[1]}"
    finally:
        server.shutdown()
        server.server_close()


@contextlib.contextmanager
def dejavu_only():
    """Yields the environment of a browser that sees no font but DejaVu, as on a
    device without Times New Roman or a metric twin of it."""
    with tempfile.TemporaryDirectory() as folder:
        config = Path(folder) / "fonts.conf"
        config.write_text(
            '<?xml version="1.0"?>\n<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">\n'
            "<fontconfig><dir>/usr/share/fonts/truetype/dejavu</dir>"
            f"<cachedir>{folder}/cache</cachedir></fontconfig>\n"
        )
        yield {"FONTCONFIG_FILE": str(config)}


def start_chromium(*arguments, logs=False, env=None, prefs=None):
    """Debian's headless Chromium through Selenium, with any further arguments,
    environment and preferences, and with its performance and console logs kept
    when asked; the caller quits it."""
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for argument in (
        "--headless=new",
        "--no-sandbox",
        "--disable-gpu",
        "--disable-dev-shm-usage",
        "--disable-extensions",
        "--no-first-run",
        *arguments,
    ):
        options.add_argument(argument)
    if logs:
        options.set_capability("goog:loggingPrefs", {"performance": "ALL", "browser": "ALL"})
    if prefs:
        options.add_experimental_option("prefs", prefs)
    service = Service("/usr/bin/chromedriver", env={**os.environ, **(env or {})})
    driver = webdriver.Chrome(service=service, options=options)
    driver.set_script_timeout(300)
    return driver


def start_webkit(env=None):
    """Debian's WebKitGTK MiniBrowser through Selenium, on the X display that
    DISPLAY names, with any further environment; the caller quits it."""
    options = WebKitOptions()
    options.binary_location = glob.glob("/usr/lib/*/webkit2gtk-4.1/MiniBrowser")[0]
    options.add_argument("--automation")
    # The driver starts the browser, which takes its environment from this process.
    saved = dict(os.environ)
    os.environ.update(env or {})
    try:
        with warnings.catch_warnings():  # Selenium's own WebKitGTK capabilities are outdated
            warnings.simplefilter("ignore", DeprecationWarning)
            driver = webdriver.WebKitGTK(
                executable_path="/usr/bin/WebKitWebDriver", options=options
            )
    finally:
        os.environ.clear()
        os.environ.update(saved)
    driver.set_script_timeout(300)
    return driver


@contextlib.contextmanager
def chromium():
    driver = start_chromium()
    try:
        yield driver
    finally:
        driver.quit()


def page_chromium(env=None, prefs=None):
    """The page's browser: a desktop-sized window, in Bulgarian, its logs kept."""
    return start_chromium("--window-size=800,600", "--lang=bg", logs=True, env=env, prefs=prefs)


def load_page(driver, url):
    """Loads the site's page; returns PAGE_READY's answer. ChromeDriver now and then
    loses the reply to a navigation that a new service worker takes over, and says
    the renderer timed out at once: the page is then loaded again."""
    try:
        driver.get(url)
    except TimeoutException as error:
        if "receiving message from renderer" not in error.msg:
            raise
        driver.get(url)
    return driver.execute_async_script(PAGE_READY)


def first_visit(site, start=page_chromium, env=None):
    """A fresh browser, start(env), visits the site on a server of its own, which
    stops once the page's service worker is ready. Returns the driver, still on
    the page, the page's address, and the requests the server saw, counted by
    ("page" or "worker", path); the caller quits the driver."""
    requests = collections.Counter()
    with serve({"/": site}, requests) as base:
        driver = start(env)
        try:
            open_page(driver, base + "/")
            driver.execute_async_script("navigator.serviceWorker.ready.then(() => arguments[0]())")
        except BaseException:
            driver.quit()
            raise
    return driver, base + "/", requests


def open_page(driver, url, ready=None):
    """Loads a page and waits until it is ready: for the site's page, until it
    marks itself ready; for a test page, until its `ready` promise settles."""
    if ready is None:
        state = load_page(driver, url)
        error = None if state == "ready" else f"the page is not ready but {state}"
    else:
        driver.get(url)
        error = driver.execute_async_script(
            "const done = arguments[arguments.length - 1];"
            f"const wait = () => {ready} ? {ready}.then(() => done(null), e => done(String(e)))"
            "  : setTimeout(wait, 10);"
            "wait();"
        )
    if error:
        raise RuntimeError(f"{url}: {error}")


def fix_clock(driver, milliseconds):
    """From the next page load on, the page's clock stands still at this time,
    so that the generator, which the page seeds from the clock, repeats itself.
    Returns what unfix_clock takes."""
    script = f"Date.now = () => {milliseconds};"
    return driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": script})


def unfix_clock(driver, fixed):
    driver.execute_cdp_cmd("Page.removeScriptToEvaluateOnNewDocument", fixed)


class Page:
    """The site's page as a pupil uses it, its controls found by the names the
    window gives them."""

    def __init__(self, driver, url):
        self.driver, self.url = driver, url

    def open(self):
        open_page(self.driver, self.url)

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def control(self, name):
        return self.driver.find_element(By.CSS_SELECTOR, f'[data-control="{name}"]')

    def value(self, name):
        return self.control(name).get_property("value")

    def rows(self, name, which):
        return [row.text for row in self.control(name).find_elements(By.CSS_SELECTOR, which)]

    def items(self, name):
        return self.rows(name, "[role=option]")

    def selected(self, name):
        return self.rows(name, "[aria-selected=true]")

    def choose(self, name, item):
        self.control(name).find_element(By.XPATH, f'*[text()="{item}"]').click()

    def type(self, text):
        box = self.control("Text1(1)")
        box.send_keys(Keys.CONTROL, "a")
        box.send_keys(Keys.BACKSPACE, text)

    def press(self, *keys):
        ActionChains(self.driver).send_keys(*keys).perform()

    def spoken(self):
        """What the status region says, without the no-break space that sets a
        repeat apart from the announcement before it."""
        return self.js("return document.querySelector('[role=status]').textContent.trim()")

    def focused(self):
        # A control of the window by its name; a page's own button by its caption.
        return self.js("const e = document.activeElement;"
                       "return e.dataset.control ?? (e.matches('button') ? e.textContent : null)")
