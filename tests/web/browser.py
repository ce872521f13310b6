"""A local web server and Debian's headless Chromium, driven through Selenium.

The emscripten module fetches its .wasm, so it must come from an http origin;
the server listens on 127.0.0.1 at a free port.
"""
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
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.webkitgtk.options import Options as WebKitOptions


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
def serve(mounts, requests=None):
    """Serves {"/": folder, "/prefix/": folder, ...}; yields the base URL. A
    Counter given as requests counts them by ("page" or "worker", path)."""
    mounts = {k: Path(v) for k, v in mounts.items()}
    handler = functools.partial(_Handler, mounts=mounts, requests=requests)
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


def start_chromium(*arguments, logs=False, env=None):
    """Debian's headless Chromium through Selenium, with any further arguments and
    environment, and with its performance and console logs kept when asked; the
    caller quits it."""
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


def open_page(driver, url, ready="window.pageReady"):
    """Loads a page and waits until its module has set the `ready` promise's value."""
    driver.get(url)
    error = driver.execute_async_script(
        "const done = arguments[arguments.length - 1];"
        f"const wait = () => {ready} ? {ready}.then(() => done(null), e => done(String(e)))"
        "  : setTimeout(wait, 10);"
        "wait();"
    )
    if error:
        raise RuntimeError(f"{url}: {error}")
