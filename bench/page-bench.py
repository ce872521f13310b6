#!/usr/bin/env python3
"""Figures of the browser page in headless Chromium on 127.0.0.1 (`make bench`):
what a first visit downloads (gzipped) on a device with Liberation Serif and on
one with no Times-metric serif, the window's files apart from the teaching parts
that the built service worker lists, start-up from navigation to the painted window
against two floors' (the page's own window saved as static HTML with no script,
and bench/floor: one module showing one text box), the time from a click on
«Изчисли» to the redrawn page, and in the exercise the time from an answer to
the redrawn page, and from the last answer of a 25-digit exercise to its drawn
summary; start-up at a link, to the painted calculated
example, beside the plain start-up; the downloads' sizes, and the single file's
start-up from disk beside the served page's. With --before and the site of another
build, that site's first visits and start-up are measured in the same run, the
sites taking turns. Last comes a table of the goals, each with its figure and verdict.

Usage: page-bench.py SITE_FOLDER [ROUNDS] [--before SITE_FOLDER]"""
import argparse
import collections
import contextlib
import functools
import gzip
import json
import random
import re
import statistics
import subprocess
import sys
import tempfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "scripts"))
from browser import dejavu_only, first_visit, load_page, page_chromium, serve  # noqa: E402
from static_window import static_window  # noqa: E402

# The window painted at most this multiple of the static window's, cold and from the worker.
PAINTED_GOAL = 1.1
# A click on «Изчисли», bound by today's figure; an answer and a summary, in ms.
CLICK_BOUND_MS, ANSWER_GOAL_MS, SUMMARY_GOAL_MS = 1.8, 1, 1
FLOOR = Path(__file__).resolve().parent / "floor"
# A first visit's goals, by the fonts the device has.
SIZE_GOALS_KB = {"Liberation Serif": 70, "DejaVu only": 100}
# The floors, which are measured beside the page and judged by nothing.
FLOORS = ("floor", "static")
# The teaching parts (exercise, worksheet, number systems, help, links), which the page
# fetches apart, after its first paint, as the built service worker lists them.
PARTS_LIST = re.compile(r"^const SITE_PARTS = (\[.*\]);$", re.MULTILINE)
# The example a link opens at start-up, calculated before the window is first painted.
LINK = "#x=0.3&n=12"
WARM_UP = 100  # clicks before the browser has compiled the page's code and filled its caches

# The milliseconds from navigation to the moment the page marked itself ready:
# the form loaded and the window built, shown and focused. The static window has
# no script to mark it, and is loaded and painted only.
READY_AT = "return performance.getEntriesByName('kviltora-ready')[0].startTime"
MARKLESS = {"static"}

# The milliseconds from navigation to the first paint with content: the window on
# the screen, whether the page's script draws it or its index.html already holds it.
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
// The exercise is a part that loads on its first use: that first use is not timed.
const bar = document.getElementById('practice-start');
start.click();
const loaded = () => bar.getAttribute('aria-busy') ? setTimeout(loaded, 10) : (end.click(), timed());
setTimeout(loaded);
const timed = () => {
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
done(times);
};"""


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
        askers[file_name(path)].add(by)
    return {name: (gzipped(site / name), "+".join(sorted(by))) for name, by in askers.items()}


def file_name(path):
    """A file's name in the site, from a request's path or from the worker's lists."""
    return path.lstrip("/").removeprefix("./") or "index.html"


def site_parts(site):
    """The names of the site's teaching parts, or None where its worker lists none."""
    worker = Path(site) / "sw.js"
    listed = PARTS_LIST.search(worker.read_text(encoding="utf-8")) if worker.is_file() else None
    return None if listed is None else {file_name(name) for name in json.loads(listed[1])}


def window_and_parts(files, parts):
    """A first visit's files split into the window's and the teaching parts', whoever
    fetched them; without a parts list, all are the window's."""
    parts = parts or set()
    window = {name: file for name, file in files.items() if name not in parts}
    return window, {name: file for name, file in files.items() if name in parts}


def first_visits(sites):
    """{(site name, fonts on the device): first visit}."""
    visits = {}
    for name, site in sites.items():
        if name in FLOORS:
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
            if name in MARKLESS:
                driver.get(urls[name])
            else:
                load_page(driver, urls[name])
                ready[name].append(driver.execute_script(READY_AT))
            drawn[name].append(driver.execute_async_script(FIRST_PAINT))
    return ready, drawn


Startup = collections.namedtuple("Startup", "cold_ready cold_painted warm_ready warm_painted")


def median_of(times):
    return statistics.median(times) if times else None


def startup_medians(cold, warm, names):
    """{site: its Startup}, each a median of the rounds; no ready time for a markless site."""
    return {
        name: Startup(*(median_of(times[name]) for run in (cold, warm) for times in run))
        for name in names
    }


def kib(files, keep=lambda name, by: True):
    return sum(size for name, (size, by) in files.items() if keep(name, by)) / 1024


def print_first_visits(visits, parts):
    print("  first visit, gzipped: every file the page or the service worker's install fetches,")
    print("  each once, in KiB (install only: what the page itself never asks for; window: all")
    print("  but the teaching parts, which are counted apart and left out of the goal)")
    print(
        f"    {'site':8} {'fonts on the device':20} {'all':>6} {'page':>6} {'install only':>12}"
        f" {'fonts':>6} {'window':>6} {'parts':>6}  goal"
    )
    for (site, fonts), files in visits.items():
        window, apart = window_and_parts(files, parts[site])
        window_kib, goal = kib(window), SIZE_GOALS_KB[fonts]
        page = kib(files, lambda name, by: "page" in by)
        install = kib(files, lambda name, by: by == "worker")
        font_files = kib(files, lambda name, by: name.endswith(".woff2"))
        parts_kib = f"{kib(apart):6.1f}" if parts[site] is not None else f"{'—':>6}"
        verdict = f"<= {goal}, {verdict_of(window_kib, goal)}" if site == "this" else ""
        print(
            f"    {site:8} {fonts:20} {kib(files):6.1f} {page:6.1f} {install:12.1f} "
            f"{font_files:6.1f} {window_kib:6.1f} {parts_kib}  {verdict}"
        )
    for site in dict.fromkeys(site for site, fonts in visits):
        print_parts(site, visits[site, "DejaVu only"], parts[site])
    print("  the files of this site's first visit with DejaVu only:")
    for name, (size, by) in sorted(visits["this", "DejaVu only"].items()):
        part = "  (a part)" if name in (parts["this"] or ()) else ""
        print(f"    {name:36} {size / 1024:7.1f} KiB  {by}{part}")


def print_parts(site, files, parts):
    """The teaching parts a first visit fetched, with DejaVu only, apart from its window."""
    if parts is None:
        print(f"  {site}: the site has no parts list (no SITE_PARTS in its sw.js): "
              "its first visit is counted whole")
        return
    apart = window_and_parts(files, parts)[1]
    print(f"  {site}: its teaching parts, fetched apart from the window: "
          f"{kib(apart):.1f} KiB gzipped")
    for name, (size, by) in sorted(apart.items()):
        print(f"    {name:36} {size / 1024:7.1f} KiB  {by}")
    unfetched = sorted(parts - set(files))
    if unfetched:
        print(f"    listed but not fetched on the first visit: {', '.join(unfetched)}")


def ms(value, width):
    return f"{value:{width}.1f}" if value is not None else f"{'—':>{width}}"


def multiple(times, floor, field):
    return f"{getattr(times, field) / getattr(floor, field):4.2f}"


def print_startups(medians, rounds):
    print(
        f"  start-up with Liberation Serif on the device, median of {rounds} rounds, "
        f"the sites in turn, and this one at {LINK}: window painted (page ready), ms"
    )
    print("    (static: this site's window saved as static HTML, with no script to mark it ready;")
    print("    floor: one module showing one text box)")
    for name, times in medians.items():
        print(
            f"    {name:8} no cache, no service worker {ms(times.cold_painted, 6)} "
            f"({ms(times.cold_ready, 5)}), service worker {ms(times.warm_painted, 6)} "
            f"({ms(times.warm_ready, 5)})"
        )


def print_multiples(medians):
    """Each site's start-up as a multiple of the floors', the static window's painted only."""
    static, floor = medians["static"], medians["floor"]
    for name, times in medians.items():
        if name in FLOORS:
            continue
        of = functools.partial(multiple, times)
        print(
            f"    {name:8} painted as a multiple of the static window's: "
            f"no cache {of(static, 'cold_painted')}, service worker {of(static, 'warm_painted')}"
        )
        print(
            f"    {'':8} and of the floor's: no cache {of(floor, 'cold_painted')} "
            f"({of(floor, 'cold_ready')} ready), service worker {of(floor, 'warm_painted')} "
            f"({of(floor, 'warm_ready')} ready)"
        )


def goal(what, figure, bound, met):
    """A row of the goals' table; met is None where nothing is there to judge by."""
    return what, figure, bound, {True: "met", False: "missed", None: "—"}[met]


def startup_goals(medians):
    this, static, before = medians["this"], medians["static"], medians.get("before")
    rows = []
    for how, painted, floor in (("no cache", this.cold_painted, static.cold_painted),
                                ("service worker", this.warm_painted, static.warm_painted)):
        ratio = painted / floor
        rows.append(goal(f"painted, {how}, multiple of the static window's",
                         f"{ratio:.2f}", f"<= {PAINTED_GOAL}", ratio <= PAINTED_GOAL))
    for how, field in (("no cache", "cold_ready"), ("service worker", "warm_ready")):
        ready = getattr(this, field)
        if before is None:
            rows.append(goal(f"ready, {how}, ms", f"{ready:.1f}", "no --before site", None))
        else:
            bound = getattr(before, field)
            rows.append(goal(f"ready, {how}, ms", f"{ready:.1f}", f"<= {bound:.1f}, before's",
                             ready <= bound))
    return rows


def first_visit_goals(visits, parts):
    """The window's share of the first visit, where the site lists its parts; else all of it."""
    what = "the window's KiB gzipped" if parts is not None else "KiB gzipped, no parts list"
    rows = []
    for fonts, bound in SIZE_GOALS_KB.items():
        size = kib(window_and_parts(visits["this", fonts], parts)[0])
        rows.append(goal(f"first visit, {fonts}, {what}", f"{size:.1f}", f"<= {bound}",
                         size <= bound))
    return rows


def print_goals(rows):
    print(f"  {'goals of this site':60} {'figure':>8}  {'bound':20} verdict")
    for what, figure, bound, verdict in rows:
        print(f"    {what:58} {figure:>8}  {bound:20} {verdict}")


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
    parts = {name: site_parts(site) for name, site in sites.items()}
    whole = sum(gzipped(f) for f in sites["this"].rglob("*") if f.is_file())
    with contextlib.ExitStack() as stack:
        folder = stack.enter_context(tempfile.TemporaryDirectory())
        sites["static"] = static_window(sites["this"], folder)
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
    print_first_visits(visits, parts)
    print(f"  the whole site, gzipped: {whole / 1024:.1f} KiB")
    print("  the downloads: " + ", ".join(f"{name} {size / 1024:.1f} KiB"
                                         for name, size in downloads.items()))
    medians = startup_medians(cold, warm, urls)
    print_startups(medians, options.rounds)
    print_multiples(medians)
    print(
        f"  click on «Изчисли» to the redrawn page, 25 digits, median of the first {WARM_UP}: "
        f"{statistics.median(clicks[:WARM_UP]):.3f} ms"
    )
    click = statistics.median(clicks[WARM_UP:])
    print(
        f"  the same, median of the {len(clicks) - WARM_UP} after them: "
        f"{click:.3f} ms (today's {CLICK_BOUND_MS} ms)"
    )
    kept = len(summaries) // 2  # the second half, warmed up
    for what, times, bound in (
        ("an answer checked, to the redrawn exercise", answers[-50 * kept:], ANSWER_GOAL_MS),
        ("the last answer of 25 digits, to the drawn summary", summaries[-kept:], SUMMARY_GOAL_MS),
    ):
        median = statistics.median(times)
        print(f"  {what}, median of {len(times)}: {median:.3f} ms "
              f"(goal < {bound}, {verdict_of(median, bound)})")
    print_goals(startup_goals(medians) + first_visit_goals(visits, parts["this"]) + [
        goal("click on «Изчисли», 25 digits, warmed up, ms", f"{click:.3f}",
             f"<= {CLICK_BOUND_MS}, today's", click <= CLICK_BOUND_MS)
    ])


if __name__ == "__main__":
    main()
