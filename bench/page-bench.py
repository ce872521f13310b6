#!/usr/bin/env python3
"""Figures of the browser page in headless Chromium on 127.0.0.1 (`make bench`):
what a first visit downloads (gzipped) on a device with Liberation Serif and on
one with no Times-metric serif, start-up from navigation to the painted window
against a bare page's (bench/floor: one module showing one text box), the time
from a click on «Изчисли» to the redrawn page, and in the exercise the time
from an answer to the redrawn page, and from the last answer of a 25-digit
exercise to its drawn summary; start-up at a link, to the painted calculated
example, beside the plain start-up; the downloads' sizes, and the single file's
start-up from disk beside the served page's. With --before and the site of another
build, that site's first visits and start-up are measured in the same run, the
sites taking turns.

Usage: page-bench.py SITE_FOLDER [ROUNDS] [--before SITE_FOLDER]"""
import argparse
import collections
import contextlib
import gzip
import random
import statistics
import subprocess
import sys
import tempfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "scripts"))
from browser import dejavu_only, first_visit, load_page, page_chromium, serve  # noqa: E402

# Start-up as a multiple of the bare page's, painted, and a click and an answer in ms.
STARTUP_RATIO_GOAL, CLICK_GOAL_MS, ANSWER_GOAL_MS, SUMMARY_GOAL_MS = 1.5, 1, 1, 1
FLOOR = Path(__file__).resolve().parent / "floor"
# A first visit's goals, by the fonts the device has.
SIZE_GOALS_KB = {"Liberation Serif": 70, "DejaVu only": 120}
# The example a link opens at start-up, calculated before the window is first painted.
LINK = "#x=0.3&n=12"
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

# Does the exercise of 0.1 with the count 26 again and again, every answer right
# (from Python's fractions), and times each «Провери» with its redraw and layout:
# [[the answers' times], [the last answers' times, with the summary]].
ANSWERS = """const [rounds, done] = arguments;
const answers = ('0.2 0 0.4 0 0.8 0 ' + '1.6 1 1.2 1 0.4 0 0.8 0 '.repeat(5) + '1.6 1 1.2 1 '
  + '0.0001100110011001100110011').split(' ');
const start = document.querySelector('#practice-start button');
const [box, check] = ['#practice-answer', '#practice .asking button'].map((s) => document.querySelector(s));
const end = document.querySelector('#practice .end');
document.querySelector('[data-control="Diapazon(1)"]').lastElementChild.click();
const [input] = [document.querySelector('[data-control="Text1(1)"]')];
input.value = '0.1';
input.dispatchEvent(new Event('input'));
const times = [[], []];
for (let round = 0; round < rounds; ++round) {
  start.click();
  answers.forEach((answer, i) => {
    box.value = answer;
    void document.body.offsetHeight;
    const begin = performance.now();
    check.click();
    void document.body.offsetHeight;
    times[i === answers.length - 1 ? 1 : 0].push(performance.now() - begin);
  });
  end.click();
}
done(times);"""


def verdict_of(value, goal):
    return "met" if value <= goal else "missed"


def gzipped(file):
    return len(gzip.compress(file.read_bytes(), 9))


def first_visit_sizes(site, env):
    """What a fresh browser downloads on a first visit: every file that the page
    or the service worker's install asks for, counted once at its gzipped size,
    with who asked for it ("page", "worker" or both)."""
    driver, _, requests = first_visit(site, page_chromium, env)
    driver.quit()
    askers = collections.defaultdict(set)
    for by, path in requests:
        askers[path.lstrip("/") or "index.html"].add(by)
    return {name: (gzipped(site / name), "+".join(sorted(by))) for name, by in askers.items()}


def first_visits(sites):
    """{(site name, fonts on the device): first visit}."""
    visits = {}
    for name, site in sites.items():
        if name == "floor":
            continue
        visits[name, "Liberation Serif"] = first_visit_sizes(site, None)
        with dejavu_only() as env:
            visits[name, "DejaVu only"] = first_visit_sizes(site, env)
    return visits


def startups(driver, urls, rounds, cold):
    """Loads each site in turn, in a new random order each round, with the HTTP
    cache and the service worker bypassed (cold) or in use."""
    driver.execute_cdp_cmd("Network.enable", {})
    driver.execute_cdp_cmd("Network.setCacheDisabled", {"cacheDisabled": cold})
    driver.execute_cdp_cmd("Network.setBypassServiceWorker", {"bypass": cold})
    ready, drawn = collections.defaultdict(list), collections.defaultdict(list)
    for _ in range(rounds):
        for name in random.sample(list(urls), len(urls)):
            driver.get("about:blank")  # a link to the page just shown would only jump within it
            load_page(driver, urls[name])
            ready[name].append(driver.execute_script(READY_AT))
            drawn[name].append(driver.execute_async_script(FIRST_PAINT))
    return ready, drawn


def kib(files, keep=lambda name, by: True):
    return sum(size for name, (size, by) in files.items() if keep(name, by)) / 1024


def print_first_visits(visits):
    print("  first visit, gzipped: every file the page or the service worker's install fetches,")
    print("  each once, in KiB (install only: what the page itself never asks for)")
    print(
        f"    {'site':8} {'fonts on the device':20} {'all':>6} {'page':>6} {'install only':>12}"
        f" {'fonts':>6}  goal"
    )
    for (site, fonts), files in visits.items():
        total, goal = kib(files), SIZE_GOALS_KB[fonts]
        page = kib(files, lambda name, by: "page" in by)
        install = kib(files, lambda name, by: by == "worker")
        font_files = kib(files, lambda name, by: name.endswith(".woff2"))
        verdict = f"<= {goal}, {verdict_of(total, goal)}" if site == "this" else ""
        print(
            f"    {site:8} {fonts:20} {total:6.1f} {page:6.1f} {install:12.1f} {font_files:6.1f}"
            f"  {verdict}"
        )
    print("  the files of this site's first visit with DejaVu only:")
    for name, (size, by) in sorted(visits["this", "DejaVu only"].items()):
        print(f"    {name:36} {size / 1024:7.1f} KiB  {by}")


def main():
    arguments = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    arguments.add_argument("site", type=Path)
    arguments.add_argument("rounds", type=int, nargs="?", default=15)
    arguments.add_argument("--before", type=Path, help="the site of another build, to compare")
    options = arguments.parse_args()
    sites = {"this": options.site.resolve()}
    if options.before:
        sites["before"] = options.before.resolve()
    sites["floor"] = FLOOR
    visits = first_visits(sites)
    whole = sum(gzipped(f) for f in sites["this"].rglob("*") if f.is_file())
    with contextlib.ExitStack() as stack:
        urls = {name: stack.enter_context(serve({"/": site})) + "/" for name, site in sites.items()}
        urls["link"] = urls["this"] + LINK
        # The downloads as `make package` makes them; the single file opened from disk.
        dist = Path(stack.enter_context(tempfile.TemporaryDirectory()))
        scripts = Path(__file__).resolve().parent.parent / "scripts"
        subprocess.run([sys.executable, str(scripts / "make-downloads.py"), str(sites["this"]),
                        str(dist), "bench"], check=True, stdout=subprocess.DEVNULL)
        downloads = {f.name: f.stat().st_size for f in sorted(dist.iterdir())}
        urls["file"] = (dist / "kviltora-bench.html").as_uri()
        driver = page_chromium()
        stack.callback(driver.quit)
        cold = startups(driver, urls, options.rounds, cold=True)
        warm = startups(driver, urls, options.rounds, cold=False)
        load_page(driver, urls["this"])
        clicks = driver.execute_async_script(CLICKS, WARM_UP + 500)
        load_page(driver, urls["this"])
        answers, summaries = driver.execute_async_script(ANSWERS, 2 * WARM_UP)
    print("Browser page, headless Chromium on 127.0.0.1")
    print_first_visits(visits)
    print(f"  the whole site, gzipped: {whole / 1024:.1f} KiB")
    print("  the downloads: " + ", ".join(f"{name} {size / 1024:.1f} KiB"
                                         for name, size in downloads.items()))
    print(
        f"  start-up with Liberation Serif on the device, median of {options.rounds} rounds, "
        f"the sites in turn, and this one at {LINK}: window painted (page ready), ms"
    )
    medians = {
        name: [statistics.median(times[name]) for run in (cold, warm) for times in run]
        for name in urls
    }
    for name, (cold_ready, cold_drawn, warm_ready, warm_drawn) in medians.items():
        print(
            f"    {name:8} no cache, no service worker {cold_drawn:6.1f} ({cold_ready:5.1f}), "
            f"service worker {warm_drawn:6.1f} ({warm_ready:5.1f})"
        )
    floor = medians["floor"]
    for name in [name for name in urls if name != "floor"]:
        cold_ratio, warm_ratio = (medians[name][i] / floor[i] for i in (1, 3))
        verdict = verdict_of(max(cold_ratio, warm_ratio), STARTUP_RATIO_GOAL)
        print(
            f"    {name:8} painted as a multiple of the floor's: no cache {cold_ratio:4.2f} "
            f"({medians[name][0] / floor[0]:4.2f} ready), service worker {warm_ratio:4.2f} "
            f"({medians[name][2] / floor[2]:4.2f} ready)  "
            f"(goal <= {STARTUP_RATIO_GOAL}, {verdict})"
        )
    print(
        f"  click on «Изчисли» to the redrawn page, 25 digits, median of the first {WARM_UP}: "
        f"{statistics.median(clicks[:WARM_UP]):.3f} ms"
    )
    median = statistics.median(clicks[WARM_UP:])
    print(
        f"  the same, median of the {len(clicks) - WARM_UP} after them: "
        f"{median:.3f} ms (goal <= {CLICK_GOAL_MS}, {verdict_of(median, CLICK_GOAL_MS)})"
    )
    kept = len(summaries) // 2  # the second half, warmed up
    for what, times, goal in (
        ("an answer checked, to the redrawn exercise", answers[-50 * kept:], ANSWER_GOAL_MS),
        ("the last answer of 25 digits, to the drawn summary", summaries[-kept:], SUMMARY_GOAL_MS),
    ):
        median = statistics.median(times)
        print(f"  {what}, median of {len(times)}: {median:.3f} ms "
              f"(goal < {goal}, {verdict_of(median, goal)})")


if __name__ == "__main__":
    main()
