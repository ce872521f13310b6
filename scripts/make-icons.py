#!/usr/bin/env python3
"""Draws the program's icon: a 16 by 16 grid of flat colours, written as an SVG
and as palette PNGs at whole multiples of the grid, so every size is crisp."""
import struct
import sys
import zlib
from pathlib import Path

COLOURS = {
    "b": (128, 128, 255),  # the window's background
    "o": (255, 192, 128),  # the title label
    "w": (255, 255, 255),  # the output box
    "k": (0, 0, 0),  # the digits
    "g": (0, 255, 0),  # the calculate button
}

GRID = [
    "bbbbbbbbbbbbbbbb",
    "boooooooooooooob",
    "boooooooooooooob",
    "bbbbbbbbbbbbbbbb",
    "bwwwwwwwwwwwwwwb",
    "bwwkkwwwwwwkwwwb",
    "bwkwwkwwwwkkwwwb",
    "bwkwwkwwwwwkwwwb",
    "bwkwwkwwwwwkwwwb",
    "bwkwwkwwwwwkwwwb",
    "bwkwwkwwwwwkwwwb",
    "bwwkkwwwkwkkkwwb",
    "bwwwwwwwwwwwwwwb",
    "bbbbbbbbbbbbbbbb",
    "bbbbbbbbbggggggb",
    "bbbbbbbbbggggggb",
]


def svg() -> str:
    rects = [
        f'<rect x="{x}" y="{y}" width="1" height="1" fill="#{"%02x%02x%02x" % COLOURS[c]}"/>'
        for y, row in enumerate(GRID)
        for x, c in enumerate(row)
    ]
    return (
        '<svg xmlns="http://www.w3.org/2000/svg" width="128" height="128" '
        'viewBox="0 0 16 16" shape-rendering="crispEdges">\n' + "\n".join(rects) + "\n</svg>\n"
    )


def png(scale: int) -> bytes:
    keys = list(COLOURS)
    rows = b"".join(
        b"\0" + bytes(keys.index(c) for c in row for _ in range(scale))
        for row in GRID
        for _ in range(scale)
    )

    def chunk(kind: bytes, data: bytes) -> bytes:
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    size = 16 * scale
    return (
        b"\x89PNG\r\n\x1a\n"
        + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 3, 0, 0, 0))
        + chunk(b"PLTE", b"".join(bytes(COLOURS[k]) for k in keys))
        + chunk(b"IDAT", zlib.compress(rows, 9))
        + chunk(b"IEND", b"")
    )


def main() -> None:
    """Usage: make-icons.py [FOLDER [SIZE...]]; sizes are whole multiples of 16."""
    out = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).parent.parent / "data/icons")
    sizes = [int(size) for size in sys.argv[2:]] or [32, 48, 64, 128]
    out.mkdir(parents=True, exist_ok=True)
    (out / "kviltora.svg").write_text(svg())
    for size in sizes:
        (out / f"kviltora-{size}.png").write_bytes(png(size // 16))


if __name__ == "__main__":
    main()
