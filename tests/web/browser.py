"""A local web server and Debian's headless Chromium, driven through Selenium.

The emscripten module fetches its .wasm, so it must come from an http origin;
the server listens on 127.0.0.1 at a free port.
"""
import contextlib
import functools
import http.server
import threading
from pathlib import Path

from selenium import webdriver
from selenium.webdriver.chrome.service import Service


class _Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {
        **http.server.SimpleHTTPRequestHandler.extensions_map,
        ".wasm": "application/wasm",
        ".js": "text/javascript",
    }

    def __init__(self, *args, mounts, **kwargs):
        self.mounts = mounts
        super().__init__(*args, directory=str(mounts["/"]), **kwargs)

    def translate_path(self, path):
        for prefix, folder in self.mounts.items():
            if prefix != "/" and path.startswith(prefix):
                self.directory = str(folder)
                return super().translate_path(path[len(prefix) - 1 :])
        return super().translate_path(path)

    def log_message(self, *args):
        pass


@contextlib.contextmanager
def serve(mounts):
    """Serves {"/": folder, "/prefix/": folder, ...}; yields the base URL."""
    handler = functools.partial(_Handler, mounts={k: Path(v) for k, v in mounts.items()})
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    thread = threading.Thread(target=server.serve_forever, daemon=True)
    thread.start()
    try:
        yield f"http://127.0.0.1:{server.server_address[1]}"
    finally:
        server.shutdown()
        server.server_close()


def start_chromium(*arguments, logs=False):
    """Debian's headless Chromium through Selenium, with any further arguments,
    and with its performance and console logs kept when asked; the caller quits it."""
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
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
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
