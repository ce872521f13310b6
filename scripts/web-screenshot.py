#!/usr/bin/env python3
"""Takes the README's picture of the browser page: 0.45 converted with the count
10, in headless Chromium. Usage: web-screenshot.py SITE_FOLDER OUTPUT.png"""
import sys

from browser import Page, page_chromium, serve


def main() -> None:
    site, output = sys.argv[1], sys.argv[2]
    with serve({"/": site}) as url:
        driver = page_chromium()
        try:
            page = Page(driver, url + "/")
            page.open()
            page.choose("Diapazon(1)", "10")
            page.control("Command1(0)").click()
            page.control("MainForm").screenshot(output)
        finally:
            driver.quit()


if __name__ == "__main__":
    main()
