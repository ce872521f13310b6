#!/usr/bin/env python3
"""Takes the README's pictures of the browser page in headless Chromium: the window
after 0.45 converted with the count 10 (web-screenshot.png), a phone of 360 x 740
after 0.45 with the count 26 (web-phone.png), the first page of that example's
printout on A4 (web-print.png), and on that phone, the summary of a finished exercise
with 0.45 and the count 10, one answer wrong (web-practice.png).
Usage: web-screenshot.py SITE_FOLDER DOCS_FOLDER"""
import base64
import subprocess
import sys
import tempfile
from pathlib import Path

from selenium.webdriver.common.by import By

from browser import Page, page_chromium, serve

# Every answer of 0.45 with the count 10, the first of them wrong.
PRACTICE_ANSWERS = ["0.8", "0.9", "0", "1.8", "1", "1.6", "1", "1.2", "1", "0.4", "0", "0.8",
                    "0", "1.6", "1", "1.2", "1", "0.4", "0", "0.011100110"]


def calculate(page, count):
    page.open()
    page.choose("Diapazon(1)", count)
    page.control("Command1(0)").click()


def practise(page):
    """The exercise done whole; returns the area of its summary, in CSS pixels."""
    page.open()
    page.choose("Diapazon(1)", "10")
    page.driver.find_element(By.CSS_SELECTOR, "#practice-start button").click()
    box = page.driver.find_element(By.ID, "practice-answer")
    for answer in PRACTICE_ANSWERS:
        box.send_keys(answer, "\n")
    return page.js("const r = document.querySelector('#practice').getBoundingClientRect();"
                   "return {x: r.x + scrollX, y: r.y + scrollY, width: r.width, height: r.height}")


def main() -> None:
    site, docs = sys.argv[1], Path(sys.argv[2])
    with serve({"/": site}) as url:
        driver = page_chromium()
        try:
            page = Page(driver, url + "/")
            calculate(page, "10")
            page.control("MainForm").screenshot(str(docs / "web-screenshot.png"))
            calculate(page, "26")
            pdf = base64.b64decode(driver.execute_cdp_cmd("Page.printToPDF", {})["data"])
            phone = {"width": 360, "height": 740, "deviceScaleFactor": 2, "mobile": True}
            driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", phone)
            driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": True})
            driver.execute_cdp_cmd("Emulation.setScrollbarsHidden", {"hidden": True})
            calculate(page, "26")
            driver.execute_script("scrollTo(0, 0)")
            shot = driver.execute_cdp_cmd("Page.captureScreenshot", {})["data"]
            (docs / "web-phone.png").write_bytes(base64.b64decode(shot))
            area = practise(page)
            shot = driver.execute_cdp_cmd("Page.captureScreenshot", {
                "clip": {**area, "scale": 1}, "captureBeyondViewport": True})["data"]
            (docs / "web-practice.png").write_bytes(base64.b64decode(shot))
        finally:
            driver.quit()
    with tempfile.TemporaryDirectory() as folder:
        (Path(folder) / "print.pdf").write_bytes(pdf)
        first = ["pdftoppm", "-png", "-singlefile", "-r", "60", "-f", "1", "-l", "1"]
        subprocess.run([*first, f"{folder}/print.pdf", str(docs / "web-print")], check=True)


if __name__ == "__main__":
    main()
