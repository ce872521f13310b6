"""What a screen reader relies on in the page, in headless Chromium: the locked
boxes keep a caret at their start and refuse every edit, each event changes the
status region once, and every list has a name, its role and a child.
Usage: page_a11y_test.py SITE_FOLDER"""
import sys
import unittest
from pathlib import Path

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "scripts"))
from browser import Page, page_chromium, serve  # noqa: E402

SITE = sys.argv[1] if __name__ == "__main__" else ""
RESULT = "0.011100110. След обратно преобразуване числото е: 0.44921875"
NOTHING = "Нищо не е избрано."

# Counts the status region's changes and reads its text as it stands.
WATCH = """const region = document.querySelector('[role=status]');
window.changes = 0;
new MutationObserver((records) => (window.changes += records.length))
  .observe(region, {childList: true, characterData: true, subtree: true});"""
HEARD = """return new Promise((done) => setTimeout(() => {
  done([window.changes, document.querySelector('[role=status]').textContent]);
  window.changes = 0;
}));"""


class ScreenReaderTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.server = serve({"/": SITE})
        url = cls.server.__enter__()
        cls.driver = page_chromium()
        cls.page = Page(cls.driver, url + "/")

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()
        cls.server.__exit__(None, None, None)

    def setUp(self):
        self.page.open()

    def nodes(self, role):
        """The accessibility tree's nodes of one role, and every node by id."""
        nodes = self.driver.execute_cdp_cmd("Accessibility.getFullAXTree", {})["nodes"]
        by_id = {node["nodeId"]: node for node in nodes}
        return [n for n in nodes if n.get("role", {}).get("value") == role], by_id

    def chord(self, key):
        chain = ActionChains(self.driver).key_down(Keys.CONTROL).send_keys(key)
        chain.key_up(Keys.CONTROL).perform()

    def test_locked_boxes_read_from_the_start_and_refuse_every_edit(self):
        p, cdp = self.page, self.driver.execute_cdp_cmd
        p.choose("Diapazon(1)", "10")
        p.control("Command1(0)").click()
        caret = "return [arguments[0].selectionStart, arguments[0].selectionEnd]"
        for name in ("Text1(0)", "Text1(2)"):
            self.assertEqual(p.js(caret, p.control(name)), [0, 0], name)
            self.assertEqual(p.control(name).get_attribute("inputmode"), "none", name)
        # The arrow keys move the caret, by which a screen reader reads line by line:
        # "Преобразувам десетичната дроб: 0.45\n0.9\n" is 40 characters.
        box = p.control("Text1(2)")
        p.js("arguments[0].focus()", box)
        p.press(Keys.DOWN, Keys.DOWN)
        self.assertEqual(p.js(caret, box), [40, 40])
        # Copying works: the first word into the input, through the clipboard.
        p.js("arguments[0].setSelectionRange(0, 4)", box)
        self.chord("c")
        p.control("Command1(1)").click()
        p.control("Text1(1)").click()
        self.chord("v")
        self.assertEqual(p.value("Text1(1)"), "Прео")
        # An input method, typing, deleting, cutting, pasting, undoing and a drop.
        p.control("Command1(0)").click()
        trace = p.value("Text1(2)")
        box.click()
        cdp("Input.imeSetComposition", {"text": "ж", "selectionStart": 1, "selectionEnd": 1})
        cdp("Input.insertText", {"text": "ж"})
        cdp("Input.insertText", {"text": "y"})
        p.press("x", Keys.BACKSPACE, Keys.DELETE, Keys.ENTER)
        for key in "axvz":
            self.chord(key)
        items = [{"mimeType": "text/plain", "data": "z"}]
        at = {"x": box.rect["x"] + 20, "y": box.rect["y"] + 20}
        for kind in ("dragEnter", "dragOver", "drop"):
            drag = {"type": kind, **at, "data": {"items": items, "dragOperationsMask": 1}}
            cdp("Input.dispatchDragEvent", drag)
        self.assertEqual(p.value("Text1(2)"), trace)

    def test_each_event_changes_the_status_once_and_a_repeat_still_changes_it(self):
        p = self.page
        p.js(WATCH)
        focus = lambda name: p.js("arguments[0].focus()", p.control(name))  # noqa: E731
        calculate = p.control("Command1(0)").click
        steps = [lambda: focus("Diapazon(1)"), lambda: focus("Diapazon(0)")]
        steps += [lambda: p.choose("Diapazon(1)", "10"), calculate, calculate]
        steps += [lambda: focus("Diapazon(1)")]
        heard = []
        for step in steps:
            step()
            heard.append(p.js(HEARD))
        said = [(1, NOTHING)] * 3 + [(1, RESULT)] * 2 + [(0, RESULT)]
        self.assertEqual([(n, text.strip()) for n, text in heard], said)
        for before, after in zip(heard[:4], heard[1:5]):
            self.assertNotEqual(before[1], after[1])
        # One text, so that the whole is read at once and in order.
        (region,), by_id = self.nodes("status")
        texts = [by_id[child]["name"]["value"].strip() for child in region["childIds"]]
        self.assertEqual(texts, [RESULT])

    def test_every_list_has_its_name_role_and_a_child_even_empty(self):
        lists, by_id = self.nodes("listbox")
        first = {n["name"]["value"]: by_id[n["childIds"][0]]["role"]["value"] for n in lists}
        self.assertEqual(
            first, {"10-ична дроб": "option", "Брой цифри": "option", "Изход": "group"}
        )


if __name__ == "__main__":
    unittest.main(argv=[sys.argv[0]] + sys.argv[2:], verbosity=2)
