"""Cases for comparing the WebAssembly core with the native one.

A case is a list of steps on a fresh form, each one of the core's entry points
or a seed: ("seed", n), ("type", index, text), which types the text over the
box's whole content, ("choose", list, row), ("command", index), ("observe",).
"""
import random
import re
import struct
from pathlib import Path

COUNT_ROWS = 22  # "5" to "26"
RANGE_ROWS = 6
OBSERVE = ("observe",)

_LITERAL = r'"((?:[^"\\]|\\.)*)"'
_WORKED_EXAMPLE = re.compile(
    r"(?:TraceCase\{|RefusalCase\{|CalculatedForm\()\s*" + _LITERAL + r",\s*" + _LITERAL
)


def _unescape(literal):
    escapes = {"n": "\n", "t": "\t", "r": "\r", '"': '"', "\\": "\\"}
    return re.sub(r"\\(.)", lambda m: escapes[m.group(1)], literal)


def calculation(text, count_row, seed=1):
    return [("seed", seed), ("type", 1, text), ("choose", 1, count_row), ("command", 0), OBSERVE]


def worked_examples(test_dir):
    """Every input and count of the native calculation tests' tables, then a clear."""
    cases = []
    for source in sorted(Path(test_dir).glob("*.cpp")):
        for text, count in _WORKED_EXAMPLE.findall(source.read_text(encoding="utf-8")):
            row = int(count) - 5 if count else -1
            cases.append(calculation(_unescape(text), row) + [("command", 1), OBSERVE])
    return cases


class _Reader:
    def __init__(self, data):
        self.data, self.at = data, 0

    def done(self):
        return self.at >= len(self.data)

    def next(self):
        if self.done():
            return 0
        self.at += 1
        return self.data[self.at - 1]

    def peek(self, ahead):
        return self.data[self.at + ahead] if self.at + ahead < len(self.data) else 0


def _next_character(reader):
    """A well-formed UTF-8 sequence, or the Latin-1 character of one byte."""
    lead = reader.next()
    length = 4 if lead >= 0xF0 else 3 if lead >= 0xE0 else 2 if lead >= 0xC0 else 1
    code = lead if length == 1 else lead & (0x7F >> length)
    well_formed = lead < 0x80 or 0xC0 <= lead < 0xF8
    for i in range(length - 1):
        if not well_formed:
            break
        well_formed = reader.peek(i) & 0xC0 == 0x80
        code = code << 6 | (reader.peek(i) & 0x3F)
    shortest = [0, 0, 0x80, 0x800, 0x10000][length]
    if not (well_formed and shortest <= code <= 0x10FFFF and not 0xD800 <= code <= 0xDFFF):
        return chr(lead)
    reader.at += length - 1
    return chr(code)


def _input_text(reader):
    text = ""
    while len(text) < 9 and not reader.done() and reader.peek(0) != ord("\n"):
        text += _next_character(reader)
    if reader.peek(0) == ord("\n"):
        reader.at += 1
    return text


def _choice(byte, base, rows):
    choice = (byte - ord(base)) % 256 % (rows + 1)
    return -1 if choice == rows else choice


def _fingerprint(data):
    h = 2166136261
    for byte in data:
        h = (h ^ byte) * 16777619 % 2**32
    return h


def calculate_script(data):
    """The steps a whole-calculation fuzz input stands for, as its target reads it."""
    reader = _Reader(data)
    steps = [("seed", _fingerprint(data)), ("choose", 1, _choice(reader.next(), "a", COUNT_ROWS))]
    steps += [("type", 1, _input_text(reader)), ("command", 0), OBSERVE]
    while not reader.done():
        event = reader.next() % 4
        if event == 2:
            steps += [("choose", 0, _choice(reader.next(), "0", RANGE_ROWS))]
        elif event == 3:
            steps += [("choose", 1, _choice(reader.next(), "a", COUNT_ROWS))]
            continue
        else:
            steps += [("command", event)]
        steps += [OBSERVE]
    return steps


def _text_of_bytes(data):
    reader = _Reader(data)
    text = ""
    while not reader.done():
        text += _next_character(reader)
    return text


def fuzz_corpora(corpus_dir):
    """Every seed of the fuzz corpora: whole-calculation scripts as they are,
    parse inputs as texts, format records as the doubles they hold."""
    corpus = Path(corpus_dir)
    cases = [calculate_script(f.read_bytes()) for f in sorted(corpus.glob("fuzz_calculate/*"))]
    for f in sorted(corpus.glob("fuzz_parse/*")):
        cases += [calculation(_text_of_bytes(f.read_bytes()), row) for row in (5, COUNT_ROWS - 1)]
    for f in sorted(corpus.glob("fuzz_format/*")):
        data = f.read_bytes()
        data += bytes(-len(data) % 11)
        for at in range(0, len(data), 11):
            (value,) = struct.unpack_from("<d", data, at)
            if value == value and abs(value) != float("inf"):
                cases.append(calculation(repr(value), data[at + 8] % COUNT_ROWS))
    return cases


_LETTERS = "abcdefxyzDEFQ" + "абвгдежзийклмнопрстуфхцчшщъьюяАБВЕЖЗ"
_PIECES = [*"0123456789..,+-Ee \t", "0.", "0.0", "00", "999", "E-", "E+3", "e-5"]


def _number_text(rng):
    text = rng.choice(["", "", "-", "+", " ", "0", "0."])
    text += "".join(rng.choice("0123456789") for _ in range(rng.randint(0, 5)))
    if rng.random() < 0.7:
        text += "." + "".join(rng.choice("0123456789") for _ in range(rng.randint(0, 8)))
    if rng.random() < 0.2:
        text += rng.choice("Ee") + rng.choice(["", "-", "+"]) + str(rng.randint(0, 30))
    return text


def _random_text(rng):
    if rng.random() < 0.6:
        text = _number_text(rng)
    else:
        text = "".join(rng.choice(_PIECES + list(_LETTERS)) for _ in range(rng.randint(1, 9)))
    if rng.random() < 0.15:
        text += rng.choice(_LETTERS + " ,;")
    return text[: rng.randint(1, 9)] or "0"


def random_inputs(count, seed=20261208):
    """Texts of 1 to 9 characters with a random count, each calculated and then
    followed by clicks on the range list, all under a fixed seed."""
    rng = random.Random(seed)
    cases = []
    for n in range(count):
        steps = calculation(_random_text(rng), rng.randrange(COUNT_ROWS), seed=n)
        for _ in range(rng.randint(1, 2)):
            steps += [("choose", 0, rng.randrange(RANGE_ROWS)), OBSERVE]
            steps += [("command", 0), OBSERVE]
        cases.append(steps)
    return cases
