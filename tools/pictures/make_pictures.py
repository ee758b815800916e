#!/usr/bin/env python3
"""Writes the schematic pictures of the main window as SVG files in resources/pictures/.

Every coordinate is in twips (1 px = 15 twips at 96 dpi), y downwards. Each picture's viewBox is
its design size, which the window measures to lay out the schematic, so positions here are the
positions the window's labels are placed at: every component is drawn beside its label, never
under it. The pictures carry no reference or value text; the window's labels do.

Shared drawings: one function per symbol, one per output stage (used by the output blocks and by
the main output of the chip pictures), one chip network per chip family and one feedback side per
regulation kind.

Run: python3 tools/pictures/make_pictures.py
"""
import math
import os
import sys

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "resources", "pictures")

STROKE = 16          # line width of every wire and symbol
DOT = 28             # radius of a junction dot
BACKGROUND = "#EBEBEB"

# The filter picture is stretched by the window to the filter's width + 20, and the chip picture
# sits 8 twips right of the filter: a wire leaving the filter's bottom at x continues in the chip
# picture at this x.
FILTER_STRETCH = 7520 / 7500


def host_x(filter_x):
    return round(filter_x * FILTER_STRETCH - 8)


# ----------------------------------------------------------------------------------------------
# Picture
# ----------------------------------------------------------------------------------------------

def fmt(v):
    v = round(v, 1)
    return str(int(v)) if v == int(v) else str(v)


class Pic:
    def __init__(self, width, height):
        self.width = width
        self.height = height
        self.items = []

    def add(self, element):
        self.items.append(element)

    def wire(self, *points):
        """A connection through the points, each (x, y)."""
        if len(points) == 2:
            (x1, y1), (x2, y2) = points
            self.add('<line x1="%s" y1="%s" x2="%s" y2="%s"/>' % (fmt(x1), fmt(y1), fmt(x2), fmt(y2)))
        else:
            self.add('<polyline fill="none" points="%s"/>' % " ".join("%s,%s" % (fmt(x), fmt(y)) for x, y in points))

    def path(self, d, fill=False):
        self.add('<path d="%s"%s/>' % (d, ' fill="#000000"' if fill else ' fill="none"'))

    def poly(self, points, fill=False):
        self.add('<polygon points="%s"%s/>' % (" ".join("%s,%s" % (fmt(x), fmt(y)) for x, y in points),
                                                ' fill="#000000"' if fill else ' fill="none"'))

    def rect(self, x, y, w, h, fill="none", dash=False, stroke=True):
        extra = ' stroke-dasharray="60,45"' if dash else ""
        if not stroke:
            extra += ' stroke="none"'
        self.add('<rect x="%s" y="%s" width="%s" height="%s" fill="%s"%s/>' % (fmt(x), fmt(y), fmt(w), fmt(h), fill, extra))

    def circle(self, x, y, r, fill=False):
        self.add('<circle cx="%s" cy="%s" r="%s" fill="%s"/>' % (fmt(x), fmt(y), fmt(r), "#000000" if fill else "none"))

    def dot(self, x, y):
        """A junction of wires."""
        self.add('<circle cx="%s" cy="%s" r="%s" fill="#000000" stroke="none"/>' % (fmt(x), fmt(y), DOT))

    def text(self, x, y, s, size=110, anchor="middle"):
        self.add('<text x="%s" y="%s" font-family="DejaVu Sans" font-size="%d" text-anchor="%s" '
                 'fill="#000000" stroke="none">%s</text>' % (fmt(x), fmt(y), size, anchor, s))

    def begin(self, transform):
        self.add('<g transform="%s">' % transform)

    def end(self):
        self.add('</g>')

    def svg(self, preserve=None):
        attrs = ' preserveAspectRatio="%s"' % preserve if preserve else ""
        head = ('<?xml version="1.0" encoding="UTF-8"?>\n'
                '<svg xmlns="http://www.w3.org/2000/svg" version="1.2" baseProfile="tiny" '
                'width="%d" height="%d" viewBox="0 0 %d %d"%s>\n' % (self.width, self.height, self.width, self.height, attrs))
        body = ('<g stroke="#000000" stroke-width="%d" stroke-linecap="round" stroke-linejoin="round" fill="none">\n'
                % STROKE + "\n".join(self.items) + "\n</g>\n")
        return head + body + "</svg>\n"


# ----------------------------------------------------------------------------------------------
# Two-terminal symbols, drawn in a local frame: u along the current path, v across it.
# inline() draws the leads from terminal a to terminal b with the body centred at c.
# ----------------------------------------------------------------------------------------------

def body_resistor(p):
    p.rect(-130, -40, 260, 80)


def body_fuse(p):
    p.rect(-150, -45, 300, 90)
    p.wire((-150, 0), (150, 0))


def body_ntc(p):
    p.rect(-150, -45, 300, 90)
    # The temperature slash with its foot.
    p.wire((-210, 105), (-140, 105), (150, -95))


def body_capacitor(p):
    p.wire((-35, -100), (-35, 100))
    p.wire((35, -100), (35, 100))


def body_polarised(p):
    # Positive plate straight on the a side, negative plate curved.
    p.wire((-35, -100), (-35, 100))
    p.path("M 55,-100 Q 15,0 55,100")
    p.wire((-110, -130), (-110, -70))
    p.wire((-140, -100), (-80, -100))


def body_diode(p):
    p.poly([(-75, -80), (-75, 80), (75, 0)])
    p.wire((75, -80), (75, 80))


def body_zener(p):
    p.poly([(-75, -75), (-75, 75), (75, 0)])
    p.wire((100, -90), (75, -75), (75, 75), (50, 90))


def body_led(p):
    body_diode(p)
    # Light leaving the diode.
    for k in (0, 1):
        x = -30 + 70 * k
        p.wire((x, -105), (x + 75, -180))
        p.poly([(x + 75, -180), (x + 40, -170), (x + 65, -145)], fill=True)


def inductor_body(n, r):
    def draw(p):
        length = 2 * n * r
        d = "M %s,0" % fmt(-length / 2)
        for _ in range(n):
            d += " a %s,%s 0 0 1 %s,0" % (fmt(r), fmt(r), fmt(2 * r))
        p.path(d)
    return draw, n * r


BODIES = {
    "res": (body_resistor, 130),
    "fuse": (body_fuse, 150),
    "ntc": (body_ntc, 150),
    "cap": (body_capacitor, 35),
    "pcap": (body_polarised, 35),
    "diode": (body_diode, 75),
    "zener": (body_zener, 75),
    "led": (body_led, 75),
}


def inline(p, a, b, kind, c=None, mirror=False):
    """A two-terminal part between a and b (same x or same y), its body centred at c."""
    (ax, ay), (bx, by) = a, b
    if c is None:
        c = ((ax + bx) / 2, (ay + by) / 2)
    cx, cy = c
    if isinstance(kind, tuple):
        draw, half = kind
    else:
        draw, half = BODIES[kind]
    if ax == bx:
        sign = 1 if by > ay else -1
        p.wire(a, (cx, cy - sign * half))
        p.wire((cx, cy + sign * half), b)
        angle = 90 if sign > 0 else -90
    else:
        sign = 1 if bx > ax else -1
        p.wire(a, (cx - sign * half, cy))
        p.wire((cx + sign * half, cy), b)
        angle = 0 if sign > 0 else 180
    p.begin("translate(%s,%s) rotate(%d)%s" % (fmt(cx), fmt(cy), angle, " scale(1,-1)" if mirror else ""))
    draw(p)
    p.end()


# ----------------------------------------------------------------------------------------------
# Other symbols
# ----------------------------------------------------------------------------------------------

def ground_primary(p, x, y):
    """Primary (hot) ground: the lead comes down to (x, y)."""
    p.wire((x, y), (x, y + 50))
    p.wire((x - 90, y + 50), (x + 90, y + 50))
    p.wire((x - 55, y + 90), (x + 55, y + 90))
    p.wire((x - 20, y + 130), (x + 20, y + 130))


def ground_secondary(p, x, y):
    """Secondary (output) return: an open triangle below (x, y)."""
    p.wire((x, y), (x, y + 40))
    p.poly([(x - 80, y + 40), (x + 80, y + 40), (x, y + 120)])


def terminal(p, x, y):
    p.add('<circle cx="%s" cy="%s" r="45" fill="#FFFFFF"/>' % (fmt(x), fmt(y)))


def winding(p, x, y1, y2, n, side):
    """A transformer winding along x from y1 to y2 (y1 < y2); its turns bulge towards side (-1 left, +1 right)."""
    r = (y2 - y1) / (2 * n)
    d = "M %s,%s" % (fmt(x), fmt(y1))
    for _ in range(n):
        d += " a %s,%s 0 0 %d 0,%s" % (fmt(r), fmt(r), 1 if side > 0 else 0, fmt(2 * r))
    p.path(d)


def polarity_dot(p, x, y):
    p.add('<circle cx="%s" cy="%s" r="26" fill="#000000" stroke="none"/>' % (fmt(x), fmt(y)))


def diode_bridge(p, cx, cy, half):
    """Four diodes in a diamond: AC at top and bottom, minus on the left, plus on the right."""
    top, bottom, left, right = (cx, cy - half), (cx, cy + half), (cx - half, cy), (cx + half, cy)
    p.wire(top, left, bottom, right, top)
    for a, b in ((left, top), (top, right), (left, bottom), (bottom, right)):
        mx, my = (a[0] + b[0]) / 2, (a[1] + b[1]) / 2
        angle = math.degrees(math.atan2(b[1] - a[1], b[0] - a[0]))
        p.begin("translate(%s,%s) rotate(%s) scale(0.8)" % (fmt(mx), fmt(my), fmt(angle)))
        p.poly([(-75, -90), (-75, 90), (75, 0)], fill=True)
        p.wire((75, -90), (75, 90))
        p.end()
    for pt in (top, bottom, left, right):
        p.dot(*pt)


def choke_core(p, x1, x2, y):
    p.wire((x1, y - 20), (x2, y - 20))
    p.wire((x1, y + 20), (x2, y + 20))


def shunt_reference(p, x, y_cathode, y_anode, ref_side):
    """Adjustable shunt reference: cathode on top, anode below, reference pin out of ref_side (+1 right)."""
    cy = REF_PIN_Y
    p.wire((x, y_cathode), (x, cy - 75))
    p.wire((x, cy + 75), (x, y_anode))
    p.poly([(x - 90, cy + 75), (x + 90, cy + 75), (x, cy - 75)])
    p.wire((x - 90, cy - 45), (x - 90, cy - 75), (x + 90, cy - 75), (x + 90, cy - 105))
    return (x + ref_side * 45, cy)


def opto(p, x, y):
    """Opto-coupler box with its top-left corner at (x, y), 600 x 600: phototransistor on the
    left (collector top-left, emitter bottom-left), LED on the right (anode top, cathode bottom).
    Returns the four pin points."""
    p.rect(x, y, 600, 600, dash=True)
    # LED, anode on top.
    lx = x + 430
    inline(p, (lx, y), (lx, y + 600), "diode", (lx, y + 300))
    for k in (0, 1):
        yy = y + 250 + 90 * k
        p.wire((lx - 110, yy), (lx - 215, yy))
        p.poly([(lx - 215, yy), (lx - 180, yy - 22), (lx - 180, yy + 22)], fill=True)
    # Phototransistor.
    bx = x + 170
    p.wire((bx, y + 200), (bx, y + 400))
    p.wire((bx, y + 250), (x + 60, y + 150), (x + 60, y))
    p.wire((bx, y + 350), (x + 60, y + 450), (x + 60, y + 600))
    p.poly([(x + 60, y + 450), (x + 118, y + 448), (x + 88, y + 402)], fill=True)
    return {"collector": (x + 60, y), "emitter": (x + 60, y + 600), "anode": (lx, y), "cathode": (lx, y + 600)}


# ----------------------------------------------------------------------------------------------
# Input filter, rectifier, bulk capacitor, primary clamp and primary windings (Filter0, Filter1)
# ----------------------------------------------------------------------------------------------

L_LINE = 2950          # line conductor at the fuse
L_BRIDGE = 3550        # line conductor through the choke to the bridge
N_LINE = 4150          # neutral conductor
HV = 3500              # rectified high-voltage rail
K_NODE = 5300          # clamp node: top of D1
DRAIN = 5750           # drain node across the filter
PRIMARY_X = 7420       # primary and auxiliary windings
CLAMP_X = 7300         # clamp column right of the clamp labels
R1_X = 6060
D1_X = 6850
BULK_X = 5880
DRAIN_DOWN_X = 6190    # where the drain leaves the filter for the chip picture
AUX_TOP, AUX_BOTTOM = 5950, 6200


def input_stage(p):
    # Mains terminals, fuse and thermistor.
    terminal(p, 250, L_LINE)
    terminal(p, 250, N_LINE)
    inline(p, (295, L_LINE), (2350, L_LINE), "fuse", (1510, L_LINE))
    inline(p, (295, N_LINE), (2350, N_LINE), "ntc", (1510, N_LINE))
    # X capacitor across the mains.
    inline(p, (2350, L_LINE), (2350, N_LINE), "cap", (2350, 3430))
    p.dot(2350, L_LINE)
    p.dot(2350, N_LINE)
    # Common-mode choke; the line conductor steps down to meet the bridge.
    p.wire((2350, L_LINE), (2700, L_LINE), (2700, L_BRIDGE), (3250, L_BRIDGE))
    p.wire((2350, N_LINE), (3250, N_LINE))
    draw, half = inductor_body(4, 55)
    inline(p, (3250, L_BRIDGE), (3750, L_BRIDGE), (draw, half), (3500, L_BRIDGE), mirror=True)
    inline(p, (3250, N_LINE), (3750, N_LINE), (draw, half), (3500, N_LINE))
    choke_core(p, 3260, 3740, 3850)
    polarity_dot(p, 3215, L_BRIDGE + 70)
    polarity_dot(p, 3215, N_LINE - 70)
    # Bridge.
    p.wire((3750, L_BRIDGE), (4650, L_BRIDGE))
    p.wire((3750, N_LINE), (4650, N_LINE))
    diode_bridge(p, 4650, 3850, 300)
    p.wire((4350, 3850), (4240, 3850), (4240, 3900))
    ground_primary(p, 4240, 3900)
    p.wire((4950, 3850), (5050, 3850), (5050, HV))
    # Bulk capacitor.
    p.wire((5050, HV), (PRIMARY_X, HV))
    inline(p, (BULK_X, HV), (BULK_X, 4700), "pcap", (BULK_X, 4125))
    p.dot(BULK_X, HV)
    p.dot(BULK_X, 4700)
    ground_primary(p, BULK_X, 4700)
    # Y capacitor from the primary return to the output return.
    p.wire((BULK_X, 4700), (4500, 4700))
    inline(p, (4500, 4700), (4500, 5420), "cap", (4500, 5125))
    ground_secondary(p, 4500, 5420)


def primary_windings(p):
    # Primary: dot at the high-voltage end.
    p.wire((PRIMARY_X, HV), (PRIMARY_X, 4300))
    winding(p, PRIMARY_X, 4300, 5260, 8, +1)
    polarity_dot(p, PRIMARY_X - 70, 4330)
    p.wire((PRIMARY_X, 5260), (PRIMARY_X, DRAIN))
    # Auxiliary winding: dot at its return end, rectifier on the other.
    winding(p, PRIMARY_X, AUX_TOP, AUX_BOTTOM, 3, +1)
    polarity_dot(p, PRIMARY_X - 60, AUX_TOP + 60)
    p.wire((PRIMARY_X, AUX_TOP), (PRIMARY_X - 240, AUX_TOP))
    ground_primary(p, PRIMARY_X - 240, AUX_TOP)
    p.wire((PRIMARY_X, AUX_BOTTOM), (PRIMARY_X, 6300))


def clamp_common(p):
    """D1 from the drain up to the clamp node, and the drain wire towards the chip."""
    inline(p, (D1_X, DRAIN), (D1_X, K_NODE), "diode", (D1_X, 5510))
    p.wire((DRAIN_DOWN_X, DRAIN), (PRIMARY_X, DRAIN))
    p.dot(D1_X, DRAIN)
    p.wire((DRAIN_DOWN_X, DRAIN), (DRAIN_DOWN_X, 6300))


def filter_rc(p):
    """RC clamp: R1 and C3 in parallel from the rail to the clamp node."""
    input_stage(p)
    primary_windings(p)
    inline(p, (R1_X, HV), (R1_X, K_NODE), "res", (R1_X, 4595))
    inline(p, (CLAMP_X, HV), (CLAMP_X, K_NODE), "cap", (CLAMP_X, 4195))
    p.wire((R1_X, K_NODE), (CLAMP_X, K_NODE))
    p.dot(R1_X, HV)
    p.dot(CLAMP_X, HV)
    p.dot(D1_X, K_NODE)
    clamp_common(p)


def filter_tvs(p):
    """Surge-clamp diode from the rail to the clamp node."""
    input_stage(p)
    primary_windings(p)
    inline(p, (CLAMP_X, K_NODE), (CLAMP_X, HV), "zener", (CLAMP_X, 4095))
    p.wire((D1_X, K_NODE), (CLAMP_X, K_NODE))
    p.dot(CLAMP_X, HV)
    clamp_common(p)


# ----------------------------------------------------------------------------------------------
# Output stages (Schema1..8 and the main output of Zorvic00..23)
# ----------------------------------------------------------------------------------------------

WIND_X = 290           # secondary winding, right of the transformer core
POS_RAIL, POS_RETURN = 350, 930
NEG_RETURN, NEG_RAIL = 300, 955
CAP1_X, SERIES_X, ZENER_X, CAP2_X, OUT_X = 1380, 2500, 3000, 3750, 5350


def output_stage(p, kind, negative, dx=0, dy=0):
    """One output: winding, rectifier, first filter cell and the second cell of its kind
    ("zener", "regulator", "inductor" or "direct"), drawn at offset (dx, dy)."""
    p.begin("translate(%d,%d)" % (dx, dy))
    if negative:
        rail, ret = NEG_RAIL, NEG_RETURN
        # Winding from the return down to the rectifier; the dot at the rectifier end.
        p.wire((WIND_X, ret), (WIND_X, 480))
        winding(p, WIND_X, 480, 720, 3, -1)
        polarity_dot(p, WIND_X + 70, 700)
        inline(p, (WIND_X, rail), (WIND_X, 720), "diode", (WIND_X, 830))
    else:
        rail, ret = POS_RAIL, POS_RETURN
        p.wire((WIND_X, rail), (WIND_X, 480))
        winding(p, WIND_X, 480, 880, 4, -1)
        polarity_dot(p, WIND_X + 70, 860)
        p.wire((WIND_X, 880), (WIND_X, ret))
        inline(p, (WIND_X, rail), (CAP1_X, rail), "diode", (760, rail))
    if negative:
        p.wire((WIND_X, rail), (CAP1_X, rail))
    # First cell.
    first_cap_ends = ((CAP1_X, ret), (CAP1_X, rail)) if negative else ((CAP1_X, rail), (CAP1_X, ret))
    inline(p, first_cap_ends[0], first_cap_ends[1], "pcap", (CAP1_X, 695))
    p.dot(CAP1_X, rail)
    p.dot(CAP1_X, ret)
    # Second cell.
    if kind == "direct":
        p.wire((CAP1_X, rail), (OUT_X - 45, rail))
    elif kind == "inductor":
        draw, half = inductor_body(4, 70)
        inline(p, (CAP1_X, rail), (CAP2_X, rail), (draw, half), (SERIES_X, rail), mirror=negative is False)
    elif kind == "zener":
        inline(p, (CAP1_X, rail), (ZENER_X, rail), "res", (SERIES_X, rail))
        z_ends = ((ZENER_X, rail), (ZENER_X, ret)) if negative else ((ZENER_X, ret), (ZENER_X, rail))
        inline(p, z_ends[0], z_ends[1], "zener", (ZENER_X, 645))
        p.dot(ZENER_X, rail)
        p.dot(ZENER_X, ret)
        p.wire((ZENER_X, rail), (CAP2_X, rail))
    elif kind == "regulator":
        regulator(p, CAP1_X, CAP2_X, rail, ret, negative)
    if kind != "direct":
        c2 = "pcap" if kind == "inductor" else "cap"
        ends = ((CAP2_X, ret), (CAP2_X, rail)) if negative else ((CAP2_X, rail), (CAP2_X, ret))
        inline(p, ends[0], ends[1], c2, (CAP2_X, 695))
        p.dot(CAP2_X, rail)
        p.dot(CAP2_X, ret)
        p.wire((CAP2_X, rail), (OUT_X - 45, rail))
    # Return line and the output terminals.
    p.wire((WIND_X, ret), (OUT_X - 45, ret))
    terminal(p, OUT_X, rail)
    terminal(p, OUT_X, ret)
    p.dot(4300, ret)
    ground_secondary(p, 4300, ret)
    p.end()


def regulator(p, x_in, x_out, rail, ret, negative):
    """Three-terminal regulator right of the series-element label, common pin to the return."""
    left, right = 2560, 3000
    if negative:
        # Lifted above the rail so that it stays clear of the labels below it.
        top, bottom = 700, 900
        mid = (top + bottom) / 2
        p.wire((x_in, rail), (2460, rail), (2460, mid), (left, mid))
        p.wire((right, mid), (3080, mid), (3080, rail), (x_out, rail))
        p.rect(left, top, right - left, bottom - top)
        p.wire((2780, top), (2780, ret))
        p.dot(2780, ret)
    else:
        top, bottom = 250, 450
        p.wire((x_in, rail), (left, rail))
        p.wire((right, rail), (x_out, rail))
        p.rect(left, top, right - left, bottom - top)
        p.wire((2780, bottom), (2780, ret))
        p.dot(2780, ret)


OUTPUT_KINDS = {1: ("zener", False), 2: ("zener", True), 3: ("regulator", False), 4: ("regulator", True),
                5: ("inductor", False), 6: ("inductor", True), 7: ("direct", False), 8: ("direct", True)}


def schema(output_type):
    p = Pic(5500, 1260)
    kind, negative = OUTPUT_KINDS[output_type]
    output_stage(p, kind, negative)
    return p


# ----------------------------------------------------------------------------------------------
# Chip pictures (Zorvic00..23): chip network by family, feedback by regulation, main output
# ----------------------------------------------------------------------------------------------

AUX_X = host_x(PRIMARY_X)      # auxiliary winding lead entering the chip picture
DRAIN_X = host_x(DRAIN_DOWN_X)  # drain wire entering the chip picture
SUPPLY_Y = 200                 # supply rail: D3, R4, C4 and the chip supply pin
RC_X = 3480                    # column of R2 / C5 (or D4 / C5)
COMP_X = 5250                  # column of R3 / C6
C9_RC_X, C9_CTRL_X = 3850, 4140  # C9 of family 5 and of family 4, left of their labels
C4_X = 2750
FEEDBACK_Y_RC = 1300           # compensation node of families 1, 2, 5
FEEDBACK_Y_CTRL = 1950         # control node of families 3, 4
OPTO_X, OPTO_Y = 8300, 1850
R6_X = 9450
R5_X = 10080
REF_X = 9850
REF_NODE_Y = 3050              # divider node: the feedback networks' left edge at this height
REF_PIN_Y = 2775
LED_K_Y = 2620


def chip_block(p, x1, y1, x2, y2, pins):
    """Chip body with pin stubs; pins = [(side, position, name)]."""
    p.rect(x1, y1, x2 - x1, y2 - y1, fill="#FFFFFF")
    for side, pos, name in pins:
        if side == "left":
            p.text(x1 + 40, pos + 40, name, anchor="start")
        elif side == "right":
            p.text(x2 - 40, pos + 40, name, anchor="end")
        elif side == "top":
            p.text(pos, y1 + 130, name)
        else:
            p.text(pos, y2 - 50, name)


def to_ground(p, x, top, centre, kind="cap"):
    """A capacitor hanging from (x, top), its body at centre, to a primary ground below it."""
    inline(p, (x, top), (x, centre + 205), kind, (x, centre))
    ground_primary(p, x, centre + 205)


def supply_path(p):
    """Auxiliary rectifier D3 and R4 along the top to the supply rail."""
    p.wire((AUX_X, 0), (AUX_X, SUPPLY_Y))
    inline(p, (AUX_X, SUPPLY_Y), (6600, SUPPLY_Y), "diode", (7250, SUPPLY_Y))
    inline(p, (6600, SUPPLY_Y), (C4_X, SUPPLY_Y), "res", (5750, SUPPLY_Y))
    to_ground(p, C4_X, SUPPLY_Y, 1495, "pcap")


def chip_power(p, box, supply_x, drain_y, source_x):
    """Supply pin to the supply rail, drain to the wire from the filter, source to the return."""
    x1, y1, x2, y2 = box
    supply_path(p)
    p.wire((supply_x, SUPPLY_Y), (supply_x, y1))
    p.dot(supply_x, SUPPLY_Y)
    p.dot(C4_X, SUPPLY_Y)
    p.wire((x2, drain_y), (DRAIN_X, drain_y), (DRAIN_X, 0))
    p.wire((source_x, y2), (source_x, y2 + 60))
    ground_primary(p, source_x, y2 + 60)


def to_opto(p, x, y):
    """Feedback node at (x, y) to the opto-coupler's transistor."""
    p.dot(x, y)
    p.wire((x, y), (OPTO_X - 200, y), (OPTO_X - 200, OPTO_Y + 80), (OPTO_X + 60, OPTO_Y + 80))


def chip_rc(p, family, secondary):
    """Families 1, 2, 5: oscillator R2/C5 on the RC pin, compensation R3/C6 on the FB pin."""
    box = x1, y1, x2, y2 = 3650, 380, 4800, 1500
    pins = [("top", 3800, "VCC"), ("right", 700, "D"), ("bottom", 4550, "S"), ("left", 1100, "RC"),
            ("right", FEEDBACK_Y_RC, "FB")]
    chip_power(p, box, 3800, 700, 4550)
    # Oscillator: R2 from the supply, C5 to the return.
    inline(p, (RC_X, SUPPLY_Y), (RC_X, 1100), "res", (RC_X, 865))
    p.dot(RC_X, SUPPLY_Y)
    p.wire((RC_X, 1100), (x1, 1100))
    p.dot(RC_X, 1100)
    to_ground(p, RC_X, 1100, 2395)
    # Compensation.
    p.wire((x2, FEEDBACK_Y_RC), (COMP_X, FEEDBACK_Y_RC))
    inline(p, (COMP_X, FEEDBACK_Y_RC), (COMP_X, 2700), "res", (COMP_X, 2395))
    to_ground(p, COMP_X, 2700, 2995)
    if family == 5:
        pins.append(("bottom", C9_RC_X, "BP"))
        to_ground(p, C9_RC_X, y2, 2445)
    chip_block(p, x1, y1, x2, y2, pins)
    if secondary:
        to_opto(p, COMP_X, FEEDBACK_Y_RC)


def chip_ctrl(p, family, secondary):
    """Families 3, 4: control pin with its filter capacitor C5; under primary regulation the
    auxiliary Zener D4 feeds it from the supply."""
    box = x1, y1, x2, y2 = 3800, 800, 4850, 1600
    pins = [("top", 3950, "VCC"), ("right", 950, "D"), ("bottom", 4600, "S"), ("bottom", 4000, "C")]
    chip_power(p, box, 3950, 950, 4600)
    # Control node below the chip.
    p.wire((4000, y2), (4000, FEEDBACK_Y_CTRL), (RC_X, FEEDBACK_Y_CTRL))
    p.dot(RC_X, FEEDBACK_Y_CTRL)
    to_ground(p, RC_X, FEEDBACK_Y_CTRL, 2395)
    if not secondary:
        inline(p, (RC_X, FEEDBACK_Y_CTRL), (RC_X, SUPPLY_Y), "zener", (RC_X, 865))
        p.dot(RC_X, SUPPLY_Y)
    if family == 4:
        pins.append(("bottom", C9_CTRL_X, "BP"))
        to_ground(p, C9_CTRL_X, y2, 2995)
    chip_block(p, x1, y1, x2, y2, pins)
    if secondary:
        to_opto(p, 4000, FEEDBACK_Y_CTRL)


def secondary_feedback(p, main_rail_y):
    """Opto-coupler, its gain resistor R6 from the main output, R5 across the LED, the shunt
    reference and its compensation capacitor C8; the divider network meets the reference pin at
    the right edge of this drawing."""
    pins = opto(p, OPTO_X, OPTO_Y)
    ex, ey = pins["emitter"]
    ground_primary(p, ex, ey)
    ax, ay = pins["anode"]
    kx, ky = pins["cathode"]
    # Gain resistor from the main output rail, R5 across the LED.
    inline(p, (R6_X, main_rail_y), (R6_X, 1750), "res", (R6_X, 595))
    p.dot(R6_X, main_rail_y)
    p.wire((R6_X, 1750), (ax, 1750), (ax, ay))
    p.dot(R6_X, 1500)
    p.wire((R6_X, 1500), (R5_X, 1500))
    inline(p, (R5_X, 1500), (R5_X, LED_K_Y), "res", (R5_X, 1700))
    # Shunt reference, C8 from its cathode to its reference pin.
    p.wire((kx, ky), (kx, LED_K_Y), (C8_X, LED_K_Y))
    p.dot(REF_X, LED_K_Y)
    p.dot(R5_X, LED_K_Y)
    refpin = shunt_reference(p, REF_X, LED_K_Y, 2920, +1)
    p.wire((REF_X, 2920), (9550, 2920), (9550, 2950))
    ground_secondary(p, 9550, 2950)
    p.wire(refpin, (10330, REF_PIN_Y), (10330, REF_NODE_Y), (10400, REF_NODE_Y))
    inline(p, (C8_X, LED_K_Y), (C8_X, REF_PIN_Y), "cap", (C8_X, 2697))
    p.dot(C8_X, REF_PIN_Y)


C8_X = 10250


def zorvic(index):
    main_type = index % 6 + 9                 # 9..14
    family = {0: 1, 1: 3, 2: 4, 3: 5}[index // 6]
    secondary = main_type % 2 == 0
    kind = {9: "inductor", 10: "inductor", 11: "direct", 12: "direct", 13: "regulator", 14: "regulator"}[main_type]
    p = Pic(13000, 3600)
    if family in (1, 5):
        chip_rc(p, family, secondary)
    else:
        chip_ctrl(p, family, secondary)
    output_stage(p, kind, False, dx=7520)
    if secondary:
        secondary_feedback(p, POS_RAIL)
    return p


# ----------------------------------------------------------------------------------------------
# Secondary-regulation divider networks (Terminator1..3)
# ----------------------------------------------------------------------------------------------

TERM_NODE = REF_NODE_Y - 1800   # divider node, level with the reference pin's wire
TERM_COLUMNS = (200, 770, 1370)  # divider resistors, left of their labels
TERM_RES_Y = 950


def terminator(count):
    """Divider of 1 to 3 regulated outputs to the reference pin: a tag terminal per output on
    top (the window writes the output's name above it), R8..R10 down to the node, R7 to the
    return."""
    p = Pic(600 * count + 700, 1800)
    for k in range(count):
        x = TERM_COLUMNS[k]
        if k == 0:
            # The first tag's lead passes right of the compensation capacitor's label.
            p.add('<circle cx="280" cy="250" r="40" fill="#FFFFFF"/>')
            p.wire((280, 290), (280, 770), (x, 770))
            top = 770
        else:
            p.add('<circle cx="%d" cy="250" r="40" fill="#FFFFFF"/>' % x)
            top = 290
        inline(p, (x, top), (x, TERM_NODE), "res", (x, TERM_RES_Y))
        if k:
            p.dot(x, TERM_NODE)
    p.wire((0, TERM_NODE), (TERM_COLUMNS[count - 1], TERM_NODE))
    p.dot(TERM_COLUMNS[0], TERM_NODE)
    inline(p, (TERM_COLUMNS[0], TERM_NODE), (TERM_COLUMNS[0], 1660), "res", (TERM_COLUMNS[0], 1480))
    ground_secondary(p, TERM_COLUMNS[0], 1660)
    return p


# ----------------------------------------------------------------------------------------------
# Transformer, warning, cover, logo
# ----------------------------------------------------------------------------------------------

# The window centres this picture on the filter's right edge (window x 7520 at zoom 1); the two
# core lines fall at window x 7658 and 7686, between the auxiliary rectifier's label in the chip
# picture and the rectifier labels of the output blocks.
TRANSFO_WIDTH = 360
CORE_LINES = (318, 346)


def transfo():
    """The core, stretched by the window to the height of the windings it carries."""
    p = Pic(TRANSFO_WIDTH, 3000)
    for x in CORE_LINES:
        p.add('<line x1="%d" y1="0" x2="%d" y2="3000" stroke-width="14"/>' % (x, x))
    return p


def warning():
    """Power warning: a warning sign on the left; the window writes its caption right of it."""
    p = Pic(4800, 1200)
    p.add('<rect x="30" y="30" width="4740" height="1140" rx="60" fill="#FFE0E0" stroke="#C00000" stroke-width="40"/>')
    p.add('<polygon points="300,1000 700,200 1100,1000" fill="#FFD000" stroke-width="40"/>')
    p.add('<line x1="700" y1="470" x2="700" y2="760" stroke-width="70"/>')
    p.add('<circle cx="700" cy="880" r="45" fill="#000000" stroke="none"/>')
    return p


def cover():
    p = Pic(1200, 800)
    p.rect(0, 0, 1200, 800, fill=BACKGROUND, stroke=False)
    return p


def logo():
    p = Pic(3000, 1000)
    p.add('<text x="1500" y="700" font-family="DejaVu Sans" font-size="560" font-weight="bold" '
          'text-anchor="middle" fill="#1F4E9A" stroke="none">Zorvic</text>')
    p.wire((300, 840), (2700, 840))
    return p


# ----------------------------------------------------------------------------------------------

def pictures():
    pics = {"Filter0": (lambda: build(7500, 6300, filter_tvs)), "Filter1": (lambda: build(7500, 6300, filter_rc))}
    for t in range(1, 9):
        pics["Schema%d" % t] = (lambda t=t: schema(t))
    for i in range(24):
        pics["Zorvic%02d" % i] = (lambda i=i: zorvic(i))
    for c in (1, 2, 3):
        pics["Terminator%d" % c] = (lambda c=c: terminator(c))
    pics.update({"Transfo": transfo, "Warning": warning, "Cover": cover, "Logo": logo})
    return pics


def build(w, h, fn):
    p = Pic(w, h)
    fn(p)
    return p


def main():
    os.makedirs(OUT, exist_ok=True)
    for name, make in sorted(pictures().items()):
        p = make()
        preserve = "none" if name in ("Transfo", "Cover") else None
        with open(os.path.join(OUT, name + ".svg"), "w", encoding="ascii", newline="\n") as f:
            f.write(p.svg(preserve))


if __name__ == "__main__":
    sys.exit(main())
