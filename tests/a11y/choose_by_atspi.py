#!/usr/bin/python3
"""Toggles rows of «Брой цифри» through AT-SPI, reads back which rows say they
are selected, presses «Изчисли» and counts the digits of the trace."""
import sys
import time

import pyatspi


def find(node, name, role):
    return pyatspi.findDescendant(node, lambda n: n.name == name and n.getRole() == role)


def act(node, action):
    actions = node.queryAction()
    actions.doAction([actions.getName(i) for i in range(actions.nActions)].index(action))
    time.sleep(0.5)


def main():
    app = next(a for a in pyatspi.Registry.getDesktop(0) if a and a.name == "kviltora")
    counts = find(app, "Брой цифри", pyatspi.ROLE_LIST)
    seen = []
    for row in (5, 7, 7):  # "10", then "12", then "12" again, which must stay
        act(counts[row], "Toggle")
        seen.append([r.name for r in counts if r.getState().contains(pyatspi.STATE_SELECTED)])
    act(find(app, "Изчисли", pyatspi.ROLE_PUSH_BUTTON), "Press")
    trace = find(app, "Преобразуване", pyatspi.ROLE_TEXT).queryText()
    lines = trace.getText(0, -1).split("\n")
    result = lines[lines.index("Подредбата е в реда на получаването им.") + 1]
    print(f"selected after each Toggle: {seen}; result line: {result}")
    ok = seen == [["10"], ["12"], ["12"]] and result == "0.01110011001"
    print(("heard: " if ok else "MISSING: ") + "a count chosen through AT-SPI is calculated with")
    sys.exit(0 if ok else 1)


if __name__ == "__main__":
    main()
