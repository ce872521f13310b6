"""The second floor of the page's start-up figure: the page's own window, once its
page has drawn it, saved as static HTML with the same styles, fonts and icons and
no script. Whatever the page's index.html holds when it arrives, the floor is taken
from the drawn page, so that it is the same window either way."""
import os
from pathlib import Path

from browser import load_page, page_chromium, serve

# The drawn page as HTML, without what runs. Typed or set text lives in the boxes'
# properties, which outerHTML leaves out, so it goes into the copy's markup. The
# page's Content-Security-Policy goes too: with no script left it guards nothing,
# and its style-src would refuse the style attributes that place the window's controls.
SNAPSHOT = """const copy = document.documentElement.cloneNode(true);
const boxes = (root) => root.querySelectorAll('input, textarea, select');
const drawn = boxes(document);
boxes(copy).forEach((box, i) => {
  const live = drawn[i];
  if (box.localName === 'textarea') box.textContent = live.value;
  else if (box.localName === 'select') {
    const chosen = [...live.options].map((option) => option.selected);
    [...box.options].forEach((option, j) => option.toggleAttribute('selected', chosen[j]));
  } else if (['checkbox', 'radio'].includes(box.type)) box.toggleAttribute('checked', live.checked);
  else box.setAttribute('value', live.value);
});
const running = ['script', 'link[rel~="modulepreload"]', 'link[href$=".js" i]',
  'link[href$=".mjs" i]', 'link[href$=".wasm" i]', 'meta[http-equiv="Content-Security-Policy" i]'];
copy.querySelectorAll(running.join()).forEach((element) => element.remove());
for (const element of copy.querySelectorAll('*')) {
  for (const name of element.getAttributeNames()) {
    if (name.startsWith('on')) element.removeAttribute(name);
  }
}
const type = document.doctype ? `<!DOCTYPE ${document.doctype.name}>\\n` : '';
return type + copy.outerHTML;"""

# What runs, which the static window does without; the snapshot drops links to it too.
SCRIPT_FILES = (".js", ".mjs", ".wasm")


def drawn_page(site, start=page_chromium):
    """The site's page as SNAPSHOT saves it once the page has marked itself ready,
    in the browser start() gives, on a server of its own."""
    with serve({"/": site}) as base:
        driver = start()
        try:
            state = load_page(driver, base + "/")
            if state != "ready":
                raise RuntimeError(f"{site}: the page is not ready but {state}")
            return driver.execute_script(SNAPSHOT)
        finally:
            driver.quit()


def static_window(site, folder, start=page_chromium):
    """Writes the drawn page as folder/index.html beside links to the site's other
    files, its scripts, module and service worker left out; returns the folder."""
    folder = Path(folder)
    (folder / "index.html").write_text(drawn_page(site, start), encoding="utf-8")
    for entry in Path(site).iterdir():
        if entry.name != "index.html" and not entry.name.endswith(SCRIPT_FILES):
            os.symlink(entry.resolve(), folder / entry.name)
    return folder
