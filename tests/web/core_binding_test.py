#!/usr/bin/python3
"""The form binding as JavaScript sees it: initial contents, the core's entry
points, read-back, and a clear Error for every bad index with the form left as
it was.

Usage: core_binding_test.py SITE_DIR
"""
import contextlib
import sys
import unittest
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE.parents[1] / "scripts"))
import browser  # noqa: E402

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
        browser.open_page(cls.driver, f"{url}/test/core_replay.html", ready="window.pageReady")

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

    def test_entry_points_reach_the_form_and_return_what_is_said(self):
        result = self.run_js(
            """
            const typed = f.userText1Change(1, '0.45', 4);
            f.userDiapazonClick(1, 5);
            const said = f.userCommand1Click(0);
            const calculated = [f.items(2), f.enabled(1), f.text1AccessibleName(1)];
            const locked = [f.userText1Change(1, '0.5', 3), f.text(1)];
            const cleared = [f.userCommand1Click(1), f.text(1), f.text(2), f.items(2), f.enabled(1)];
            f.userText1Change(1, 'дроб', 4); f.userDiapazonClick(1, -1);
            return [typed, said, calculated, locked, cleared, f.text(1), f.listIndex(1),
                    f.userDiapazonFocus(0)];"""
        )
        typed, said, calculated, locked, cleared, text, selected, focus = result
        self.assertEqual(typed, 4)
        self.assertEqual(said, "0.011100110. След обратно преобразуване числото е: 0.449218750")
        self.assertEqual(
            calculated, [["0", "1", "1", "1", "0", "0", "1", "1", "0"], False, "Дроб, недостъпно"]
        )
        self.assertEqual(locked, [3, "0.45"])
        self.assertEqual(cleared, ["Всичко е изчистено.", "", "", [], True])
        self.assertEqual([text, selected, focus], ["дроб", 5, "Нищо не е избрано."])

    def test_changes_name_what_differs_from_the_last_time_asked(self):
        steps = self.run_js(
            """const seen = () => { const c = f.changes(); return [c.boxes, c.lists]; };
            return [seen(), seen(), (f.userDiapazonClick(1, 5), seen()),
                    (f.userCommand1Click(0), seen()), (f.userText1Change(1, '0.5', 3), seen()),
                    (f.userCommand1Click(1), seen())];"""
        )
        # A new form, asked again, a count chosen, calculated, a locked input typed into, cleared.
        expected = [[[0, 1, 2], [0, 1, 2]], [[], []], [[], [1]], [[1, 2], [2]], [[], []],
                    [[1, 2], [2]]]
        self.assertEqual(steps, expected)

    def test_a_fixed_seed_repeats_the_proposals_and_load_changes_none_of_the_form(self):
        texts = self.run_js(
            """const g = new core.Form();
            try {
              const picks = (form) => { form.userDiapazonClick(0, 3); return form.text(1); };
              core.seedRandom(2024); const first = [picks(f), picks(f)];
              core.seedRandom(2024); const second = [picks(g), picks(g)];
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
            "f.userText1Change(1.5, 'x', 1)": "Text1(1.5): no such text box",
            "f.userText1Change(1, 'x', 2)": "caret 2: not within 0..1",
            "f.text1AccessibleName(3)": "Text1(3): no such text box",
            "f.items(7)": "Diapazon(7): no such list",
            "f.listIndex(NaN)": "Diapazon(NaN): no such list",
            "f.userDiapazonClick(7, 0)": "Diapazon(7): no such list",
            "f.userDiapazonClick(1, 22)": "Diapazon(1): no row 22 among 22",
            "f.userDiapazonClick(2, 0)": "Diapazon(2): no row 0 among 0",
            "f.userDiapazonClick(0, -2)": "Diapazon(0): no row -2 among 6",
            "f.userDiapazonFocus(3)": "Diapazon(3): no such list",
            "f.userCommand1Click(2)": "Command1(2): no such button",
            "f.commandCaption(Infinity)": "Command1(Infinity): no such button",
            "f.labelCaption(5)": "Etiket(5): no such label",
            "core.seedRandom(-1)": "seed -1: not a whole number 0..4294967295",
            "core.seedRandom(2 ** 32)": "seed 4294967296: not a whole number 0..4294967295",
        }
        for call, message in calls.items():
            with self.subTest(call):
                result = self.run_js(
                    f"""f.userDiapazonClick(1, 3); const before = snapshot(f);
                    try {{ {call}; return 'no error'; }}
                    catch (e) {{ return [e instanceof Error, e.message, snapshot(f) === before]; }}"""
                )
                self.assertEqual(result, [True, message, True])


if __name__ == "__main__":
    SITE = sys.argv.pop(1)
    unittest.main(verbosity=1)
