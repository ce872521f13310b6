#!/usr/bin/python3
"""Reads Orca's debug log of the exercise: prints what was said after each key
and checks what a blind pupil must hear at each step."""
import re
import sys

SPOKEN = re.compile(r"SPEECH OUTPUT: '(.*?)'\s*[\[{]")
KEY = re.compile(r"event_string=\((.*)\)")


def read(path):
    """The utterances in order, and the transcript with the keys between them."""
    said, transcript = [], []
    with open(path, encoding="utf-8", errors="replace") as log:
        for line in log:
            if m := SPOKEN.search(line):
                said.append(m.group(1).strip())
                transcript.append("  " + said[-1])
            elif (m := KEY.search(line)) and transcript[-1:] != ["[" + m.group(1) + "]"]:
                transcript.append("[" + m.group(1) + "]")
    return said, transcript


def contains(said, run):
    return any(said[i:i + len(run)] == run for i in range(len(said)))


def main():
    said, transcript = read(sys.argv[1])
    print("\n".join(transcript))
    checks = [
        ("the input's whole value on focus, once",
         contains(said, ["Дроб text.", "0.45 selected."])
         and contains(said, ["Дроб text.", "0.3 selected."])
         and not {"0.45", "selected", "0.4 selected.", "0. selected."} & set(said)),
        ("a list's selected item on focus",
         contains(said, ["Брой цифри.", "List with 22 items.", "12."])),
        ("a list without a selection says so on focus",
         contains(said, ["10-ична дроб.", "List with 6 items.", "notification Нищо не е избрано."])),
        ("the result and the check's last line after «Изчисли», in one, the focus kept",
         contains(said, ["notification 0.01001100110. След обратно преобразуване числото е: "
                         "0.29980468750.", "dash", "Entering flat review.", "Изчисли"])),
        ("the proposed fraction after a range choice",
         any(re.fullmatch(r"notification Нова дроб: (0\.\d|1)\.", s) for s in said)),
        ("one short phrase after «Изчисти»", "notification Всичко е изчистено." in said),
        ("the locked input is unavailable", contains(said, ["Дроб, недостъпно text.", "0.3."])),
    ]
    failed = [name for name, ok in checks if not ok]
    for name, ok in checks:
        print(("heard: " if ok else "MISSING: ") + name)
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()
