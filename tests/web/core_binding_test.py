#!/usr/bin/python3
"""The form binding as JavaScript sees it: initial contents, events, read-back,
and a clear Error for every bad index with the form left as it was.

Usage: core_binding_test.py SITE_DIR
"""
import contextlib
import sys
import unittest
from pathlib import Path

import browser

HERE = Path(__file__).resolve().parent
SITE = None

# Everything the binding can read, for comparing a form before and after.
SNAPSHOT = """const snapshot = (f) => JSON.stringify({
  texts: [0, 1, 2].map((i) => [f.text(i), f.enabled(i)]),
  lists: [0, 1, 2].map((i) => [f.items(i), f.listIndex(i)]),
  captions: [0, 1].map((i) => f.commandCaption(i)).concat([0, 1, 2, 3, 4].map((i) => f.labelCaption(i))),
});"""


class FormBindingTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.stack = contextlib.ExitStack()
        url = cls.stack.enter_context(browser.serve({"/": SITE, "/test/": HERE}))
        cls.driver = cls.stack.enter_context(browser.chromium())
        browser.open_page(cls.driver, f"{url}/test/core_replay.html")

    @classmethod
    def tearDownClass(cls):
        cls.stack.close()

    def run_js(self, body):
        """Runs body with a fresh form `f`; deletes the form afterwards."""
        return self.driver.execute_script(
            SNAPSHOT + "const f = new core.Form(); try {" + body + "} finally { f.delete(); }"
        )

    def test_a_new_form_holds_the_initial_contents(self):
        form = self.run_js(
            """return {input: f.text(1), enabled: f.enabled(1), output: f.text(2),
            ranges: f.items(0), counts: f.items(1), digits: f.items(2), selected: f.listIndex(1),
            calculate: f.commandCaption(0), clear: f.commandCaption(1), title: f.labelCaption(0),
            range: f.labelCaption(4), isArray: Array.isArray(f.items(0))};"""
        )
        self.assertEqual(form["input"], "0.45")
        self.assertTrue(form["enabled"])
        self.assertTrue(form["output"].startswith("Преобразувам десетичната дроб: 0.45\r\n0.9\r\n"))
        self.assertTrue(
            form["output"].endswith("След обратно преобразуване числото е: 0.4492187500\r\n")
        )
        self.assertEqual(form["ranges"], ["10", "100", "1000", "10000", "100000", "1000000"])
        self.assertEqual(form["counts"], [str(n) for n in range(5, 27)])
        self.assertEqual(form["digits"], [])
        self.assertEqual(form["selected"], -1)
        self.assertEqual(
            [form[k] for k in ("calculate", "clear", "title", "range")],
            ["Изчисли", "Изчисти", "Квилтора", "10-ична дроб"],
        )
        self.assertTrue(form["isArray"])

    def test_events_reach_the_form(self):
        result = self.run_js(
            """
            f.setText(1, '0.45'); f.select(1, 5); f.clickCommand(0);
            const calculated = [f.items(2), f.enabled(1), f.text(2).split('\\r\\n').at(-2)];
            f.clickCommand(1);
            const cleared = [f.text(1), f.text(2), f.items(2), f.enabled(1)];
            f.setText(1, 'дроб'); f.select(1, -1); f.clickList(1);
            return [calculated, cleared, f.text(1), f.listIndex(1)];"""
        )
        calculated, cleared, typed, selected = result
        self.assertEqual(
            calculated,
            [
                ["0", "1", "1", "1", "0", "0", "1", "1", "0"],
                False,
                "След обратно преобразуване числото е: 0.44921875",
            ],
        )
        self.assertEqual(cleared, ["", "", [], True])
        self.assertEqual([typed, selected], ["дроб", -1])

    def test_a_fixed_seed_repeats_the_proposals_and_load_changes_none_of_the_form(self):
        texts = self.run_js(
            """const g = new core.Form();
            try {
              const picks = (form) => { form.select(0, 3); form.clickList(0); return form.text(1); };
              f.seed(2024); const first = [picks(f), picks(f)];
              g.seed(2024); const second = [picks(g), picks(g)];
              const before = snapshot(g); g.load();
              return [first, second, snapshot(g) === before];
            } finally { g.delete(); }"""
        )
        self.assertEqual(texts[0], texts[1])
        self.assertTrue(texts[2])

    def test_a_bad_index_throws_an_error_and_changes_nothing(self):
        calls = {
            "f.text(3)": "Text1(3): no such text box",
            "f.enabled(-1)": "Text1(-1): no such text box",
            "f.setText(1.5, 'x')": "Text1(1.5): no such text box",
            "f.items(7)": "Diapazon(7): no such list",
            "f.listIndex(NaN)": "Diapazon(NaN): no such list",
            "f.select(7, 0)": "Diapazon(7): no such list",
            "f.select(1, 22)": "Diapazon(1): no row 22 among 22",
            "f.select(2, 0)": "Diapazon(2): no row 0 among 0",
            "f.select(0, -2)": "Diapazon(0): no row -2 among 6",
            "f.clickList(3)": "Diapazon(3): no such list",
            "f.clickCommand(2)": "Command1(2): no such button",
            "f.commandCaption(Infinity)": "Command1(Infinity): no such button",
            "f.labelCaption(5)": "Etiket(5): no such label",
            "f.seed(-1)": "seed -1: not a whole number 0..4294967295",
            "f.seed(2 ** 32)": "seed 4294967296: not a whole number 0..4294967295",
        }
        for call, message in calls.items():
            with self.subTest(call):
                result = self.run_js(
                    f"""f.select(1, 3); const before = snapshot(f);
                    try {{ {call}; return 'no error'; }}
                    catch (e) {{ return [e instanceof Error, e.message, snapshot(f) === before]; }}"""
                )
                self.assertEqual(result, [True, message, True])


if __name__ == "__main__":
    SITE = sys.argv.pop(1)
    unittest.main(verbosity=1)
