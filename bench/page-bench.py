#!/usr/bin/env python3
"""Figures of the browser page in headless Chromium on 127.0.0.1 (`make bench`):
start-up from navigation to the first moment a calculation can be made, what a
first visit transfers (gzipped, fonts included) and the time from a click on
«Изчисли» to the redrawn page. Usage: page-bench.py SITE_FOLDER [ROUNDS]"""
import gzip
import json
import statistics
import sys
from pathlib import Path
from urllib.parse import urlsplit

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "scripts"))
from browser import PAGE_READY, page_chromium, serve  # noqa: E402

STARTUP_GOAL_MS, SIZE_GOAL_KB, CLICK_GOAL_MS = 300, 350, 2
WARM_UP = 100  # clicks before the browser has compiled the page's code and filled its caches

# The milliseconds from navigation to the moment the page marked itself ready:
# the form loaded and the window built, shown and focused.
READY_AT = "return performance.getEntriesByName('kviltora-ready')[0].startTime"

# The milliseconds from navigation to the first paint with content. The page
# shows nothing until its form is ready and the window drawn, so this is the
# first moment a calculation can be made.
FIRST_PAINT = """const done = arguments[0];
new PerformanceObserver((list, observer) => {
  const paint = list.getEntriesByName('first-contentful-paint')[0];
  if (paint) { observer.disconnect(); done(paint.startTime); }
}).observe({type: 'paint', buffered: true});"""

# Clicks «Изчисли» with the count 26 (25 digits), each time with another input,
# and times the handler, the redraw and the layout it causes.
CLICKS = """const [rounds, done] = arguments;
const control = (name) => document.querySelector(`[data-control="${name}"]`);
const [input, calculate] = [control('Text1(1)'), control('Command1(0)')];
const clear = control('Command1(1)');
control('Diapazon(1)').lastElementChild.click();
const times = [];
for (let i = 0; i < rounds; ++i) {
  clear.click();
  input.value = `0.${(i * 7919) % 100000}`;
  input.dispatchEvent(new Event('input'));
  void document.body.offsetHeight; // a click comes to a page already drawn
  const start = performance.now();
  calculate.click();
  void document.body.offsetHeight;
  times.push(performance.now() - start);
}
done(times);"""


def verdict(value, goal):
    return "met" if value <= goal else "missed"


def first_visit(url, site):
    """The files a fresh browser fetches on its first visit, with their gzipped sizes."""
    driver = page_chromium()
    try:
        driver.get(url)
        driver.execute_async_script(PAGE_READY)
        driver.execute_async_script("navigator.serviceWorker.ready.then(() => arguments[0]())")
        log = [json.loads(e["message"])["message"] for e in driver.get_log("performance")]
    finally:
        driver.quit()
    paths = {
        urlsplit(m["params"]["request"]["url"]).path
        for m in log
        if m["method"] == "Network.requestWillBeSent"
    }
    files = [site / (path.lstrip("/") or "index.html") for path in sorted(paths)]
    return {f.relative_to(site).as_posix(): len(gzip.compress(f.read_bytes(), 9)) for f in files}


def startups(driver, url, rounds, cold):
    """Loads with the HTTP cache and the service worker bypassed (cold) or in use."""
    driver.execute_cdp_cmd("Network.enable", {})
    driver.execute_cdp_cmd("Network.setCacheDisabled", {"cacheDisabled": cold})
    driver.execute_cdp_cmd("Network.setBypassServiceWorker", {"bypass": cold})
    ready, drawn = [], []
    for _ in range(rounds):
        driver.get(url)
        driver.execute_async_script(PAGE_READY)
        ready.append(driver.execute_script(READY_AT))
        drawn.append(driver.execute_async_script(FIRST_PAINT))
    return ready, drawn


def main():
    site = Path(sys.argv[1]).resolve()
    rounds = int(sys.argv[2]) if len(sys.argv) > 2 else 15
    with serve({"/": site}) as base:
        url = base + "/"
        fetched = first_visit(url, site)
        whole = sum(len(gzip.compress(f.read_bytes(), 9)) for f in site.rglob("*") if f.is_file())
        driver = page_chromium()
        try:
            cold = startups(driver, url, rounds, cold=True)
            warm = startups(driver, url, rounds, cold=False)
            driver.get(url)
            driver.execute_async_script(PAGE_READY)
            clicks = driver.execute_async_script(CLICKS, WARM_UP + 500)
        finally:
            driver.quit()
    size_kb = sum(fetched.values()) / 1024
    print("Browser page, headless Chromium on 127.0.0.1")
    print(
        f"  first visit, files the page fetches, gzipped: {size_kb:.1f} KiB "
        f"(goal <= {SIZE_GOAL_KB}, {verdict(size_kb, SIZE_GOAL_KB)})"
    )
    for name, size in fetched.items():
        print(f"    {name:36} {size / 1024:7.1f} KiB")
    print(f"  the whole site that the service worker keeps, gzipped: {whole / 1024:.1f} KiB")
    for name, (ready, drawn) in (("no cache, no service worker", cold), ("service worker", warm)):
        median = statistics.median(drawn)
        print(
            f"  start-up, {name}, median of {len(drawn)}: ready {statistics.median(ready):.1f} ms, "
            f"window painted {median:.1f} ms "
            f"(goal <= {STARTUP_GOAL_MS}, {verdict(median, STARTUP_GOAL_MS)})"
        )
    print(
        f"  click on «Изчисли» to the redrawn page, 25 digits, median of the first {WARM_UP}: "
        f"{statistics.median(clicks[:WARM_UP]):.3f} ms"
    )
    median = statistics.median(clicks[WARM_UP:])
    print(
        f"  the same, median of the {len(clicks) - WARM_UP} after them: "
        f"{median:.3f} ms (goal <= {CLICK_GOAL_MS}, {verdict(median, CLICK_GOAL_MS)})"
    )


if __name__ == "__main__":
    main()
