#!/usr/bin/python3
"""The WebAssembly core in headless Chromium: module sizes, time to instantiate
and a calculation at 25 digits, against the native figure of `make bench`.

Usage: web-bench.py SITE_DIR [NATIVE_BENCH_JSON] [PAGE_LOADS]
"""
import gzip
import json
import statistics
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE.parent / "scripts"))
import browser  # noqa: E402

INPUTS = ("0.45", "0.1", "0.3")
RATIO_TARGET = 3
GZIP_TARGET_KB = 100


def print_sizes(site):
    total = 0
    for name in ("kviltora_core.wasm", "kviltora_core.js"):
        data = (site / name).read_bytes()
        packed = len(gzip.compress(data, 9))
        total += packed
        print(f"{name:22} {len(data) / 1024:8.1f} KiB raw {packed / 1024:8.1f} KiB gzip -9")
    verdict = "met" if total / 1024 <= GZIP_TARGET_KB else "missed"
    print(
        f"{'together':22} {'':17} {total / 1024:8.1f} KiB gzip -9 "
        f"(target <= {GZIP_TARGET_KB} KiB: {verdict})"
    )


def native_medians(path):
    """Median real time in microseconds of BM_Calculate for each input."""
    if not path or not Path(path).exists():
        return {}
    scale = {"ns": 1e-3, "us": 1, "ms": 1e3, "s": 1e6}
    medians = {}
    for b in json.loads(Path(path).read_text())["benchmarks"]:
        if b.get("aggregate_name") == "median" and b["run_name"].startswith("BM_Calculate/"):
            medians[b["run_name"].split("/", 1)[1]] = b["real_time"] * scale[b["time_unit"]]
    return medians


def main():
    site = Path(sys.argv[1])
    native = native_medians(sys.argv[2] if len(sys.argv) > 2 else None)
    loads = int(sys.argv[3]) if len(sys.argv) > 3 else 9
    print()
    print("WebAssembly core (build-web/site) in headless Chromium:")
    print_sizes(site)
    instantiations, calculations = [], {i: [] for i in INPUTS}
    with browser.serve({"/": site, "/bench/": HERE}) as url, browser.chromium() as driver:
        for _ in range(loads):
            browser.open_page(driver, f"{url}/bench/web_bench.html", ready="window.pageReady")
            for i in INPUTS:
                result = driver.execute_script("return benchmark(arguments[0])", i)
                calculations[i].append(result["median"])
            instantiations.append(result["instantiated"])
    print(
        f"createKviltoraCore() (fetch, compile, instantiate the .wasm), median of {loads} loads: "
        f"{statistics.median(instantiations):.1f} ms"
    )
    print(f"calculation at 25 digits, median of {loads} page loads x 9 batches of 2000:")
    for i in INPUTS:
        web = statistics.median(calculations[i])
        line = f"  {i:5} browser {web:7.2f} us"
        if i in native:
            ratio = web / native[i]
            verdict = "met" if ratio <= RATIO_TARGET else "missed"
            line += f"  native {native[i]:7.2f} us  ratio {ratio:4.2f} (target <= {RATIO_TARGET}: {verdict})"
        print(line)


if __name__ == "__main__":
    main()
