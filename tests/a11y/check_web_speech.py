#!/usr/bin/python3
"""Reads Orca's debug log of the exercise in the browser: prints what was said
after each key and checks what a blind pupil must hear at each step."""
import re
import sys

from check_speech import contains, read

NOTHING = "Нищо не е избрано."
RESULT = "0.01001100110. След обратно преобразуване числото е: 0.29980468750"
# The first three lines of each locked box as it wraps them.
DESCRIPTION = [
    "Преобразуването на десетична дроб в двоична е подобно на",
    "преобразуването на десетично естествено число в двоично. Разликите",
    "са:",
]
TRACE = ["Преобразувам десетичната дроб: 0.3", "0.6", "1.2"]
PAGE_BUTTONS = ("Изчисли push button.", "Изчисти push button.", "Упражнение push button.")
# The exercise of 0.3: its start, one product right, its digit right, a product wrong.
EXERCISE = [
    "Упражнение с дробта 0.3. Стъпка 1: колко е 0.3 × 2?",
    "Вярно. Стъпка 1: коя цифра записваме за 0.6 — 0 или 1?",
    "Вярно. Стъпка 2: колко е 0.6 × 2?",
    "Не е вярно. Подсказка — удвоете: 0.6 + 0.6.",
]
# The number systems' result line after «Преобразувай», with its subscript bases.
BASES_RESULT = "37.625₁₀ = 100101.101₂"

# The division exercise of 6 to base 2: its start, the quotient right, the remainder wrong.
DIVISION = [
    "Упражнение: 6₁₀ в двоична бройна система. Стъпка 1: колко е частното 6 : 2?",
    "Вярно. Стъпка 1: колко е остатъкът от 6 : 2?",
    "Не е вярно. Подсказка — остатъкът е 6 − 2 × 3.",
]


def first_of_the_page(said):
    """What Orca says first of the page itself, past its own words on starting, on the
    browser's frame, on loading, on the page's links and on its modes, which come in any order."""
    own = ("Screen reader on.", "Focus mode", "Browse mode", "Loading.  Please wait.")
    page = [s for s in said if s not in own and not s.startswith(("Finished loading", "Page has"))
            and not s.endswith("Chromium frame.")]
    return page[0] if page else ""


def soon_after(said, first, then):
    """Whether `then` is said within a few utterances after every `first`."""
    starts = [i for i, s in enumerate(said) if s == first]
    return bool(starts) and all(then in said[i + 1 : i + 5] for i in starts)


def in_order(said, utterances):
    """Whether each utterance is said once, with or without its closing stop, in this order."""
    heard = [s.rstrip(".") for s in said]
    found = [heard.index(u.rstrip(".")) if heard.count(u.rstrip(".")) == 1 else -1
             for u in utterances]
    return -1 not in found and found == sorted(found)


def back_from_the_toolbar(said):
    """Whether, after «Изчисли» and «Изход», the browser's own buttons come before «Изчисти»."""
    start = said.index(PAGE_BUTTONS[0]) if PAGE_BUTTONS[0] in said else len(said)
    end = next((i for i in range(start, len(said)) if said[i] == PAGE_BUTTONS[1]), start)
    return any(s.endswith("push button.") and s not in PAGE_BUTTONS for s in said[start:end])


def main():
    heard, transcript = read(sys.argv[1])
    # The window's checks read what was said before the exercise started.
    said = heard[: heard.index(EXERCISE[0])] if EXERCISE[0] in heard else heard
    print("\n".join(line for line in transcript if line not in ("  tab", "  left shift")))
    alone = {"0.01001100110", "След обратно преобразуване числото е: 0.29980468750"}
    # fmt: off
    checks = [
        ("the description whole, from its first word, as the page opens",
         first_of_the_page(said) == "Описание на алгоритъма read only entry " + DESCRIPTION[0]),
        ("the description's first line on focus, then line by line with the arrows",
         "Описание на алгоритъма read only entry " + DESCRIPTION[0] in said
         and contains(said, DESCRIPTION[1:] + DESCRIPTION[1::-1])),
        ("the input's whole value on focus, once",
         {"Дроб entry 0.45 selected.", "Дроб entry 0.3 selected."} <= set(said)
         and not {"0.45", "selected", "0.4 selected.", "0. selected."} & set(said)),
        ("a list's selected item on focus, and where it is",
         contains(said, ["Брой цифри List with 22 items", "12."])
         and contains(said, ["list item.", "12.", "8 of 22."])),
        ("every list without a selection says so on focus, each time",
         all(soon_after(said, name, NOTHING) for name in ("10-ична дроб.", "Брой цифри."))),
        ("the empty «Изход» says its name and role",
         contains(said, ["Изход.", "list box."]) and soon_after(said, "Изход.", NOTHING)),
        ("Tab goes through the browser's toolbar and back to the page",
         back_from_the_toolbar(said)),
        ("the result and the check's last line after «Изчисли», in one, the focus kept",
         contains(said, [RESULT, "left shift", "Брой цифри List with 22 items", "12."])
         and not alone & set(said)),
        ("the trace's first line on focus, then line by line with the arrows",
         "Преобразуване read only entry " + TRACE[0] + "." in said
         and contains(said, TRACE[1:] + TRACE[1::-1])),
        ("the locked input is unavailable", "Дроб, недостъпно entry 0.3." in said),
        ("the proposed fraction after a range choice",
         any(re.fullmatch(r"Нова дроб: (0\.\d|1)", s) for s in said)),
        ("one short phrase after «Изчисти»", "Всичко е изчистено." in said),
        ("the exercise's questions and feedback, each once, in order, in the answer box",
         in_order(heard, EXERCISE) and "Отговор entry" in " ".join(heard)),
        ("the division exercise's questions and feedback, each once, in order",
         in_order(heard, DIVISION)),
        ("the number systems' box by its name, then the result line after Enter",
         "Число entry" in " ".join(heard) and BASES_RESULT in heard),
    ]
    # fmt: on
    for name, ok in checks:
        print(("heard: " if ok else "MISSING: ") + name)
    sys.exit(0 if all(ok for _, ok in checks) else 1)


if __name__ == "__main__":
    main()
