#!/usr/bin/env python3
"""Composes the schematic pictures as the main window places them, with every label's text box,
to check by eye that wires meet and that no label covers a drawn part.

  python3 tools/pictures/compose.py OUT.svg [--zoom Z] [--outputs 1,5,3] [--family 5]
                                    [--secondary] [--regulated 2] [--surge] [--unscaled-transfo]
  rsvg-convert -z 0.1 OUT.svg -o OUT.png

Label widths come from the DejaVu Sans metrics at 8 pt, as the window's labels are sized.
"""
import argparse
import os
import re
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
PICS = os.path.join(HERE, "..", "..", "resources", "pictures")
FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
LINE = 195
TWIPS_PER_EM = 8 * 20


def font_advances(path):
    data = open(path, "rb").read()
    tables = {}
    for i in range(struct.unpack(">H", data[4:6])[0]):
        tag, _, off, _ = struct.unpack(">4sIII", data[12 + 16 * i:28 + 16 * i])
        tables[tag.decode()] = off
    upm = struct.unpack(">H", data[tables["head"] + 18:tables["head"] + 20])[0]
    hhea = tables["hhea"]
    count = struct.unpack(">H", data[hhea + 34:hhea + 36])[0]
    adv = [struct.unpack(">H", data[tables["hmtx"] + 4 * i:tables["hmtx"] + 4 * i + 2])[0] for i in range(count)]
    cmap = tables["cmap"]
    glyph = {}
    for i in range(struct.unpack(">H", data[cmap + 2:cmap + 4])[0]):
        pid, eid, off = struct.unpack(">HHI", data[cmap + 4 + 8 * i:cmap + 12 + 8 * i])
        if (pid, eid) != (3, 1):
            continue
        s = cmap + off
        segs = struct.unpack(">H", data[s + 6:s + 8])[0] // 2
        ends = struct.unpack(">%dH" % segs, data[s + 14:s + 14 + 2 * segs])
        st = s + 16 + 2 * segs
        starts = struct.unpack(">%dH" % segs, data[st:st + 2 * segs])
        deltas = struct.unpack(">%dh" % segs, data[st + 2 * segs:st + 4 * segs])
        ro_at = st + 4 * segs
        ros = struct.unpack(">%dH" % segs, data[ro_at:ro_at + 2 * segs])
        for k in range(segs):
            for c in range(starts[k], min(ends[k], 0x2FF) + 1):
                if ros[k] == 0:
                    g = (c + deltas[k]) & 0xFFFF
                else:
                    a = ro_at + 2 * k + ros[k] + 2 * (c - starts[k])
                    g = struct.unpack(">H", data[a:a + 2])[0]
                    g = (g + deltas[k]) & 0xFFFF if g else 0
                glyph[c] = g
    return lambda s: sum(adv[min(glyph.get(ord(c), 0), len(adv) - 1)] for c in s) / upm * TWIPS_PER_EM


WIDTH = font_advances(FONT)


def inner(name):
    text = open(os.path.join(PICS, name + ".svg"), encoding="ascii").read()
    body = text[text.index(">", text.index("<svg")) + 1:text.rindex("</svg>")]
    vb = re.search(r'viewBox="0 0 (\d+) (\d+)"', text)
    return body, int(vb.group(1)), int(vb.group(2))


class Canvas:
    def __init__(self):
        self.parts = []

    def picture(self, name, x, y, w, h):
        body, vw, vh = inner(name)
        self.parts.append('<svg x="%g" y="%g" width="%g" height="%g" viewBox="0 0 %d %d" preserveAspectRatio="none" '
                          'overflow="hidden">%s</svg>' % (x, y, w, h, vw, vh, body))
        self.parts.append('<rect x="%g" y="%g" width="%g" height="%g" fill="none" stroke="#8080FF" '
                          'stroke-width="6" stroke-dasharray="40,40"/>' % (x, y, w, h))

    def label(self, ox, oy, zoom, x, y, text, left=False):
        lines = text.split("\n")
        w = max(WIDTH(s) for s in lines)
        lx = ox + x * zoom - (0 if left else w / 2)
        ly = oy + y * zoom
        self.parts.append('<rect x="%g" y="%g" width="%g" height="%g" fill="#FFFF00" fill-opacity="0.35" '
                          'stroke="#C08000" stroke-width="5"/>' % (lx, ly, w, LINE * len(lines)))
        for k, s in enumerate(lines):
            self.parts.append('<text x="%g" y="%g" font-family="DejaVu Sans" font-size="160" fill="#0000C0" '
                              'xml:space="preserve">%s</text>' % (lx, ly + LINE * k + 150, s.replace("&", "&amp;")))

    def box(self, x, y, w, h, colour):
        self.parts.append('<rect x="%g" y="%g" width="%g" height="%g" fill="%s" fill-opacity="0.35" stroke="%s" '
                          'stroke-width="8"/>' % (x, y, w, h, colour, colour))

    def button(self, ox, oy, zoom, w, h, x, y, yoff):
        if zoom < 0.75:
            w, h = w * 0.8, h * 0.6
        self.box(ox + x * zoom - w / 2, oy + y * zoom - h / 2 + yoff, w, h, "#40A040")

    def write(self, path, width, height, crop=None):
        x, y, w, h = crop if crop else (0, 0, width, height)
        with open(path, "w", encoding="utf-8") as f:
            f.write('<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="%d %d %d %d">\n'
                    '<rect x="%d" y="%d" width="%d" height="%d" fill="#EBEBEB"/>\n' % (w, h, x, y, w, h, x, y, w, h))
            f.write("\n".join(self.parts))
            f.write("\n</svg>\n")


SERIAL = {1: "R%d1  47R", 2: "R%d1  47R", 3: "    Vr%d1  LM7812", 4: "    Vr%d1  LM7912", 5: "L%d1  4.7uH",
          6: "L%d1  4.7uH", 9: "L%d1  4.7uH", 10: "L%d1  4.7uH", 13: "    Vr%d1  LM7812", 14: "    Vr%d1  LM7812"}
BLOCK = 5500, 1260


def output_labels(c, ox, oy, zoom, x0, index, otype):
    negative = otype in (2, 4, 6, 8)
    y0 = 1015 if negative else 0
    sign = "-" if negative else " "
    c.label(ox, oy, zoom, x0 + 4300, y0, sign + "12V-1A")
    c.label(ox, oy, zoom, x0 + 760, y0, "D%d1   RDKA09" % (index + 1))
    c.label(ox, oy, zoom, x0 + 850, 500, "C%d1\n 2x1.2mF" % (index + 1))
    if otype in SERIAL:
        c.label(ox, oy, zoom, x0 + 2500, y0, SERIAL[otype] % (index + 1))
    if otype not in (7, 8, 11, 12):
        c.label(ox, oy, zoom, x0 + 3380, 500, "C%d2\n470uF" % (index + 1))
    if otype in (1, 2):
        c.label(ox, oy, zoom, x0 + 2700, 450, "D%d2\n5.1V" % (index + 1))
    c.button(ox, oy, zoom, 495, 395, x0 + 4800, 500, 100)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("out")
    ap.add_argument("--zoom", type=float, default=1.0)
    ap.add_argument("--outputs", default="")
    ap.add_argument("--main", type=int, default=9)
    ap.add_argument("--family", type=int, default=5)
    ap.add_argument("--secondary", action="store_true")
    ap.add_argument("--regulated", type=int, default=1)
    ap.add_argument("--surge", action="store_true")
    ap.add_argument("--unscaled-transfo", action="store_true")
    ap.add_argument("--crop", default="", help="x,y,w,h in window twips")
    a = ap.parse_args()
    z = a.zoom
    outs = [int(t) for t in a.outputs.split(",") if t]
    n = len(outs)
    c = Canvas()

    # Filter, chip picture, blocks, transformer, as the window places them.
    fx, fy, fw, fh = 0, 390, 7520 * z, 6300 * z
    c.picture("Filter0" if a.surge else "Filter1", fx, fy, fw, fh)
    hx, hy = 8, fy + fh
    main_type = a.main + (1 if a.secondary and a.main % 2 else 0)
    index = main_type - 9 + {1: 0, 2: 0, 3: 6, 4: 12, 5: 18}[a.family]
    c.picture("Zorvic%02d" % index, hx, hy, 13000 * z, 3600 * z)
    for i, t in enumerate(outs, start=1):
        c.picture("Schema%d" % t, fw, hy - (BLOCK[1] - 5) * i * z, BLOCK[0] * z, BLOCK[1] * z)
    _, tw, _ = inner("Transfo")
    th = ((n - 2) * BLOCK[1] + 3000 if n > 2 else 3000) * z
    twidth = tw if a.unscaled_transfo else tw * z
    c.picture("Transfo", fw - tw * z / 2, (BLOCK[1] - 300) * z + fy + fh - th, twidth, th)
    if a.secondary:
        cnt = a.regulated
        _, ww, wh = inner("Terminator%d" % cnt)
        tx, ty = hx + 13000 * z - 2600 * z, hy + 3600 * z - wh * z
        c.picture("Terminator%d" % cnt, tx, ty, ww * z, wh * z)

    # Panel frame and buttons.
    c.box(fx + 100, fy, 7200 * z, 2600 * z, "#A0A0A0")
    c.button(fx, fy, z, 1000, 395, 1000, 3500, 0)
    c.button(fx, fy, z, 1200, 395, 7000, 3100, 0)
    c.button(hx, hy, z, 1200, 395, 1800, 500, 0)

    # Input filter labels.
    for x, y, t in ((2000, 3330, "C1"), (5500, 3930, "C2\n47uF"), (3950, 4930, "C7\n2.2nF-2kV"), (3500, 3160, "L1"),
                    (1510, 2630, "F1"), (1510, 3800, "Th1"), (4650, 3150, "BR1"), (6850, 4800, "D1\nRD059")):
        c.label(fx, fy, z, x, y, t)
    if a.surge:
        c.label(fx, fy, z, 6650, 3900, "D2\nSPKA-102")
    else:
        c.label(fx, fy, z, 6900, 4000, "C3\n2.2nF")
        c.label(fx, fy, z, 6400, 4400, "R1\n100kR")

    # Chip picture labels.
    fam = a.family
    for x, y, t in ((2350, 1300, "C4\n47uF"), (5750, 330, "R4 10R"), (7900, 1000, "T1"), (7350, 372, "D3\nRD059")):
        c.label(hx, hy, z, x, y, t)
    c.label(hx, hy, z, 3100, 2200, "C5\n4.7nF")
    if fam in (3, 4):
        c.label(hx, hy, z, 4300, 1000, "ZorvicE3")
        if not a.secondary:
            c.label(hx, hy, z, 3100, 670, "D4\n18V")
    else:
        c.label(hx, hy, z, 4150, 500, "ZorvicF1")
        c.label(hx, hy, z, 3100, 670, "R2\n22kR")
        c.label(hx, hy, z, 5650, 2200, "R3\n2.2kR")
        c.label(hx, hy, z, 5650, 2800, "C6\n100nF")
    if fam == 4:
        c.label(hx, hy, z, 4500, 2800, "C9\n10uF")
    if fam == 5:
        c.label(hx, hy, z, 4200, 2250, "C9\n10uF")
    if a.secondary:
        for x, y, t in ((10400, 2150, "C8 \n100nF"), (10350, 1500, "R5\n1kR"), (9800, 400, "R6\n4.7kR"),
                        (8600, 1450, "Opto1"), (10000, 3000, "TL431")):
            c.label(hx, hy, z, x, y, t)
        for k in range(a.regulated):
            c.label(tx, ty, z, 200 + 600 * k, 0, "OUT" if k == 0 else "Out%d" % k)
        c.label(tx, ty, z, 530, 1500, "R7\n2.2kR")
        for k in range(a.regulated):
            c.label(tx, ty, z, (530, 1100, 1700)[k], 600, "R%d\n10kR" % (8 + k))

    # Output labels.
    output_labels(c, hx, hy, z, 7520, 0, main_type)
    for i, t in enumerate(outs, start=1):
        output_labels(c, fw, hy - (BLOCK[1] - 5) * i * z, z, 0, i, t)

    crop = [int(v) for v in a.crop.split(",")] if a.crop else None
    c.write(a.out, int(13100 * z + 20), int(hy + 3600 * z + 100), crop)


if __name__ == "__main__":
    main()
