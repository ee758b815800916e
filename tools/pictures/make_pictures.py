#!/usr/bin/env python3
"""Writes the schematic pictures of the main window as SVG files.

Coordinates are twips (1 px = 15 twips at 96 dpi), y downwards; each picture's viewBox is its
design size, which the window measures.
"""
import os
import sys

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "resources", "pictures")

SIZES = {}
for i in range(24):
    SIZES["Zorvic%02d" % i] = (13000, 3600)
SIZES.update({"Filter0": (7500, 6300), "Filter1": (7500, 6300)})
for i in range(1, 9):
    SIZES["Schema%d" % i] = (5500, 1260)
SIZES.update({"Terminator1": (1300, 1800), "Terminator2": (1900, 1800), "Terminator3": (2500, 1800),
              "Transfo": (1000, 3000), "Warning": (4800, 1200), "Logo": (3000, 1000),
              "Cover": (1200, 800)})


def placeholder(name, w, h):
    return ('<svg xmlns="http://www.w3.org/2000/svg" version="1.2" baseProfile="tiny" '
            'width="%d" height="%d" viewBox="0 0 %d %d">\n'
            '<rect x="20" y="20" width="%d" height="%d" fill="none" stroke="#000" stroke-width="20"/>\n'
            '<text x="%d" y="%d" font-size="200" text-anchor="middle">%s</text>\n</svg>\n'
            % (w, h, w, h, w - 40, h - 40, w // 2, h // 2, name))


def main():
    os.makedirs(OUT, exist_ok=True)
    for name, (w, h) in sorted(SIZES.items()):
        with open(os.path.join(OUT, name + ".svg"), "w", encoding="ascii", newline="\n") as f:
            f.write(placeholder(name, w, h))


if __name__ == "__main__":
    sys.exit(main())
