#!/usr/bin/env python3
"""Draw the aircraft status icon sets and write them as Windows .ico files.

    python3 assets/make_icons.py                     write assets/images/<set>/<n>_<m>.ico
    python3 assets/make_icons.py --check             only read the files back and compare
    python3 assets/make_icons.py --preview out.png   all 55 icons, scaled up, in one PNG

Standard library only, and deterministic: the same script always writes the
same bytes, so regenerated files only show up in git when a picture changed.
"""

import argparse
import math
import os
import re
import struct
import sys
import zlib

LAYOUT_HEADER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "screens", "IconLayout.h")


def read_layout(path=LAYOUT_HEADER):
    """The program's own icon layout table: height, sets, widths, states.

    The icons are drawn at the exact size the status page shows them, so
    nothing gets blurred by scaling; the sizes come from the one table the
    program uses instead of a copy here.
    """
    with open(path, encoding="utf-8") as f:
        text = f.read()
    height = re.search(r"kIconHeight = (\d+);", text)
    states = re.search(r"kIndicatorStates = \{([\d, ]+)\};", text)
    place = r"\{(\d+), (\d+)\}"
    rows = re.findall(r'\{"(\w+)", (?:true|false), \{\{' + ", ".join([place] * 4) + r"\}\}\}", text)
    if not height or not states or len(rows) != 5:
        sys.exit("%s: the icon layout table is not in the expected form" % path)
    counts = [int(n) for n in states.group(1).split(",")]
    widths = {row[0]: tuple(int(w) for w in row[2::2]) for row in rows}
    return int(height.group(1)), [row[0] for row in rows], widths, {i + 1: n for i, n in enumerate(counts)}


HEIGHT, SETS, WIDTHS, STATE_COUNT = read_layout()

# The simulator stand-in feeds gear into indicator 1 and flaps into 2 for
# these sets; f4u and zero get them the other way round.
GEAR_FIRST = {"seafire": True, "me109": True, "f4u": False, "zero": False, "yak1": True}


def icon_names():
    """(set, indicator, state) for all 55 files, in a fixed order."""
    for name in SETS:
        for ind in (1, 2, 3, 4):
            for state in range(STATE_COUNT[ind]):
                yield name, ind, state


# ---------------------------------------------------------------- drawing kit
# Pixel centres sit on integer coordinates; shapes test pixel centres, which
# keeps everything exact and free of anti-aliasing (the LCD has none).


class Canvas:
    def __init__(self, w, h):
        self.w, self.h = w, h
        self.px = [bytearray(w) for _ in range(h)]

    def set(self, x, y, ink=1):
        # floor(v + 0.5): Python's round() goes to even, which would make
        # halves fall left or right depending on the number.
        x, y = math.floor(x + 0.5), math.floor(y + 0.5)
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = ink

    def get(self, x, y):
        return self.px[y][x] if 0 <= x < self.w and 0 <= y < self.h else 0

    def _area(self, x0, y0, x1, y1, inside, ink):
        for y in range(max(0, math.floor(y0)), min(self.h - 1, math.ceil(y1)) + 1):
            for x in range(max(0, math.floor(x0)), min(self.w - 1, math.ceil(x1)) + 1):
                if inside(x, y):
                    self.px[y][x] = ink

    def line(self, x0, y0, x1, y1, ink=1):
        """One-pixel Bresenham line."""
        x0, y0, x1, y1 = (math.floor(v + 0.5) for v in (x0, y0, x1, y1))
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x1 > x0 else -1), (1 if y1 > y0 else -1)
        err = dx + dy
        while True:
            self.set(x0, y0, ink)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def stroke(self, x0, y0, x1, y1, width=1, rounded=True, ink=1):
        """Thick segment; round caps, or square ones that also close corners."""
        if width <= 1:
            return self.line(x0, y0, x1, y1, ink)
        # An even width has its centre on a pixel border, an odd one on a
        # pixel centre; snapping makes callers independent of that.
        snap = (lambda v: math.floor(v) + 0.5) if width % 2 == 0 else (lambda v: float(math.floor(v + 0.5)))
        x0, y0, x1, y1 = snap(x0), snap(y0), snap(x1), snap(y1)
        r = width / 2.0
        dx, dy = x1 - x0, y1 - y0
        length = math.hypot(dx, dy)

        def inside(x, y):
            if length == 0:
                t, along = 0.0, 0.0
            else:
                along = ((x - x0) * dx + (y - y0) * dy) / length
                t = along / length
            if rounded:
                t = min(1.0, max(0.0, t))
                px, py = x0 + t * dx, y0 + t * dy
                return (x - px) ** 2 + (y - py) ** 2 <= r * r + 1e-9
            if along < -r or along > length + r:
                return False
            if length == 0:
                return abs(x - x0) <= r and abs(y - y0) <= r
            return abs((x - x0) * dy - (y - y0) * dx) / length <= r + 1e-9

        self._area(min(x0, x1) - r, min(y0, y1) - r, max(x0, x1) + r, max(y0, y1) + r, inside, ink)

    def polyline(self, pts, width=1, rounded=True, ink=1):
        for (ax, ay), (bx, by) in zip(pts, pts[1:]):
            self.stroke(ax, ay, bx, by, width, rounded, ink)

    def rect(self, x0, y0, x1, y1, ink=1):
        for x in range(x0, x1 + 1):
            self.set(x, y0, ink)
            self.set(x, y1, ink)
        for y in range(y0, y1 + 1):
            self.set(x0, y, ink)
            self.set(x1, y, ink)

    def fill_rect(self, x0, y0, x1, y1, ink=1):
        self._area(x0, y0, x1, y1, lambda x, y: True, ink)

    def round_rect(self, x0, y0, x1, y1, radius, fill=False, ink=1):
        """Rectangle with corners cut on a circle of the given radius."""

        def inside_shape(x, y, shrink):
            if x < x0 + shrink or x > x1 - shrink or y < y0 + shrink or y > y1 - shrink:
                return False
            rr = radius - shrink
            cx = min(max(x, x0 + radius), x1 - radius)
            cy = min(max(y, y0 + radius), y1 - radius)
            return (x - cx) ** 2 + (y - cy) ** 2 <= rr * rr + 0.6 * rr if rr > 0 else (x, y) == (cx, cy)

        if fill:
            self._area(x0, y0, x1, y1, lambda x, y: inside_shape(x, y, 0), ink)
        else:
            self._area(x0, y0, x1, y1, lambda x, y: inside_shape(x, y, 0) and not inside_shape(x, y, 1), ink)

    def ellipse(self, cx, cy, rx, ry, fill=True, thickness=1, ink=1):
        """Ellipse through the pixel centres within rx, ry of the centre."""

        def within(x, y, ax, ay):
            if ax <= 0 or ay <= 0:
                return False
            return ((x - cx) / ax) ** 2 + ((y - cy) / ay) ** 2 <= 1.0 + 1e-9

        if fill:
            test = lambda x, y: within(x, y, rx, ry)
        else:
            test = lambda x, y: within(x, y, rx, ry) and not within(x, y, rx - thickness, ry - thickness)
        self._area(cx - rx, cy - ry, cx + rx, cy + ry, test, ink)

    def polygon(self, pts, fill=True, width=1, rounded=True, ink=1):
        """Even-odd filled polygon, or its closed outline."""
        if not fill:
            return self.polyline(list(pts) + [pts[0]], width, rounded, ink)
        n = len(pts)

        def inside(x, y):
            hit = False
            for i in range(n):
                (ax, ay), (bx, by) = pts[i], pts[(i + 1) % n]
                if (ay > y) != (by > y):
                    if x < ax + (y - ay) * (bx - ax) / (by - ay):
                        hit = not hit
            return hit

        xs, ys = [p[0] for p in pts], [p[1] for p in pts]
        self._area(min(xs), min(ys), max(xs), max(ys), inside, ink)


def rotate(pts, ox, oy, degrees):
    a = math.radians(degrees)
    c, s = math.cos(a), math.sin(a)
    return [(ox + (x - ox) * c - (y - oy) * s, oy + (x - ox) * s + (y - oy) * c) for x, y in pts]


# ---------------------------------------------------------------- set styles


class Style:
    """What makes one set look like itself.

    frame:  'round' rounded outline, 'brackets' corner marks, 'baseline' a rule
            under the picture, 'tile' a lit plate the picture is cut out of,
            None nothing.
    lw:     stroke width of struts, doors and arrows.
    rounded: round caps and curves, or square caps and straight cuts.
    solid:  bodies filled, or drawn as outlines.
    """

    def __init__(self, frame, lw, rounded, solid, outline=1):
        self.frame, self.lw, self.rounded, self.solid, self.outline = frame, lw, rounded, solid, outline
        self.ink = 1

    @property
    def paper(self):
        return 1 - self.ink

    def line(self, cv, pts, width=None):
        cv.polyline(pts, width or self.lw, self.rounded, self.ink)

    def body(self, cv, pts):
        if self.solid:
            # Fill plus a one-pixel outline, so edges on pixel centres are lit.
            cv.polygon(pts, True, ink=self.ink)
            cv.polygon(pts, False, 1, ink=self.ink)
        else:
            cv.polygon(pts, False, self.outline, self.rounded, self.ink)

    def bar(self, cv, x0, y0, x1, y1):
        """A plate such as a wing seen edge on."""
        if self.rounded:
            r = min(2, (y1 - y0) // 2)
            cv.round_rect(x0, y0, x1, y1, r, fill=self.solid, ink=self.ink)
            if not self.solid and self.outline > 1:
                cv.round_rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, max(0, r - 1), fill=False, ink=self.ink)
        elif self.solid:
            cv.fill_rect(x0, y0, x1, y1, self.ink)
        else:
            for k in range(self.outline):
                cv.rect(x0 + k, y0 + k, x1 - k, y1 - k, self.ink)

    def wheel(self, cv, cx, cy, r):
        if self.rounded:
            if self.solid:
                cv.ellipse(cx, cy, r, r, True, ink=self.ink)
                cv.ellipse(cx, cy, 1.2, 1.2, True, ink=self.paper)
            else:
                cv.ellipse(cx, cy, r, r, False, max(self.outline, 2), ink=self.ink)
                cv.ellipse(cx, cy, 1.0, 1.0, True, ink=self.ink)
        else:
            # Octagon: the angular sets have no round shapes at all.
            k = r * 0.42
            pts = [(cx - k, cy - r), (cx + k, cy - r), (cx + r, cy - k), (cx + r, cy + k),
                   (cx + k, cy + r), (cx - k, cy + r), (cx - r, cy + k), (cx - r, cy - k)]
            if self.solid:
                cv.polygon(pts, True, ink=self.ink)
                cv.fill_rect(round(cx) - 1, round(cy) - 1, round(cx) + 1, round(cy) + 1, self.paper)
            else:
                cv.polygon(pts, True, ink=self.ink)
                inner = [(cx + (x - cx) * (r - 2) / r, cy + (y - cy) * (r - 2) / r) for x, y in pts]
                cv.polygon(inner, True, ink=self.paper)
                cv.set(cx, cy, self.ink)

    def level_cell(self, cv, x0, y0, x1, y1, lit, shape):
        """One step of the four-position meter."""
        if shape == "dot":
            cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
            r = min(x1 - x0, y1 - y0) / 2 + 0.3
            cv.ellipse(cx, cy, r, r, lit, 1, self.ink)
        elif shape == "slant":
            s = 2
            pts = [(x0 + s, y0), (x1, y0), (x1 - s, y1), (x0, y1)]
            if lit:
                cv.polygon(pts, True, ink=self.ink)
            else:
                cv.polygon(pts, False, 1, False, self.ink)
        elif shape == "round":
            cv.round_rect(x0, y0, x1, y1, 1, fill=lit, ink=self.ink)
        else:
            if lit:
                cv.fill_rect(x0, y0, x1, y1, self.ink)
            else:
                cv.rect(x0, y0, x1, y1, self.ink)


STYLES = {
    # British: rounded frame, round 2-pixel strokes, hollow bodies.
    "seafire": Style("round", 2, True, False, outline=1),
    # German: no frame, heavy square strokes, solid angular bodies.
    "me109": Style(None, 3, False, True),
    # US Navy: corner brackets, thin angular outlines.
    "f4u": Style("brackets", 1, False, False),
    # Japanese: unframed light round lines over a base rule.
    "zero": Style("baseline", 1, True, False),
    # Soviet: a lit plate with the picture cut out of it.
    "yak1": Style("tile", 2, True, True),
}
LEVEL_SHAPE = {"seafire": "round", "me109": "block", "f4u": "slant", "zero": "dot", "yak1": "block"}


def frame_box(cv, st):
    """Draw the set's frame; return the inner box (x0, y0, x1, y1) inclusive.

    The last column always stays dark so that neighbouring icons, which are
    placed edge to edge, never merge.
    """
    w, h = cv.w, cv.h
    right = w - 2
    if st.frame == "round":
        cv.round_rect(0, 0, right, h - 1, 3, fill=False, ink=1)
        return 2, 2, right - 2, h - 3
    if st.frame == "brackets":
        arm = 4
        for (x, y, dx, dy) in ((0, 0, 1, 1), (right, 0, -1, 1), (0, h - 1, 1, -1), (right, h - 1, -1, -1)):
            cv.line(x, y, x + dx * arm, y)
            cv.line(x, y, x, y + dy * arm)
        return 2, 2, right - 2, h - 3
    if st.frame == "baseline":
        cv.line(0, h - 1, right, h - 1)
        return 0, 0, right, h - 3
    if st.frame == "tile":
        cv.round_rect(0, 0, right, h - 1, 2, fill=True, ink=1)
        return 2, 2, right - 2, h - 3
    return 0, 0, right, h - 1


# ---------------------------------------------------------------- pictograms


def draw_gear(cv, st, box, down):
    """Wing edge on with its wheel: hanging below it, or tucked up against it."""
    x0, y0, x1, y1 = box
    bw = x1 - x0 + 1
    cx = (x0 + x1) / 2
    wing_h = 4
    r = min(bw - 1, 11) / 2
    if down:
        st.bar(cv, x0, y0, x1, y0 + wing_h - 1)
        cy = y1 - r
        # The leg stops at the tyre so hollow wheels keep a clean hub.
        leg_end = cy if st.solid else cy - r + 1
        st.line(cv, [(cx, y0 + wing_h), (cx, leg_end)], max(st.lw, 2))
        st.wheel(cv, cx, cy, r)
    else:
        # Retracted: the wheel is half hidden in the wing (drawn over it),
        # and an arrow below says "up".
        cy = y0 + wing_h - 1 + r * 0.1
        st.wheel(cv, cx, cy, r)
        cv.fill_rect(x0, y0, x1, y0 + wing_h - 1, st.paper)
        st.bar(cv, x0, y0, x1, y0 + wing_h - 1)
        ay = y1 - 2
        a = min(4, (bw - 1) // 2)
        st.line(cv, [(cx - a, ay), (cx, ay - a), (cx + a, ay)], max(st.lw, 2) if bw > 9 else 1)


def draw_flaps(cv, st, box, down):
    """Wing section edge on: nose, fixed part, hinge, flap in line or bent down."""
    x0, y0, x1, y1 = box
    bw = x1 - x0 + 1
    bh = y1 - y0 + 1
    depth = (5 if bw >= 22 else 4) + (0 if st.solid else 1)
    ya = y0 + round(bh * 0.22)
    yb = ya + depth - 1
    mid = (ya + yb) / 2
    # Narrow icons get a relatively longer flap so that its bend still shows.
    xh = x0 + round(bw * (0.5 if bw < 22 else 0.58))
    if st.rounded:
        rn = (depth - 1) / 2
        nose = [(x0 + rn - rn * math.sin(math.radians(a)), mid - rn * math.cos(math.radians(a)))
                for a in range(0, 181, 30)]
    else:
        nose = [(x0 + 2, ya), (x0, ya + 1), (x0, yb - 1), (x0 + 2, yb)]
    st.body(cv, nose + [(xh - 1, yb), (xh - 1, ya)])
    # The flap tapers to the trailing edge and turns about the middle of its
    # front edge, so bent down it stays attached without covering the wing.
    flap = [(xh + 1, ya), (x1, yb - 1), (x1, yb), (xh + 1, yb)]
    if down:
        flap = rotate(flap, xh + 0.5, mid, 55 if bw < 22 else 45)
    st.body(cv, flap)
    if down:
        # A down arrow under the wing: extended flaps read at a glance.
        ax = x0 + round((xh - x0) * 0.45)
        top, bottom = yb + 4, y1 - 1
        a = min(3, max(2, bw // 7))
        w = max(1, st.lw - 1)
        st.line(cv, [(ax, top), (ax, bottom)], w)
        st.line(cv, [(ax - a, bottom - a), (ax, bottom), (ax + a, bottom - a)], w)


def draw_level(cv, st, box, shape, state):
    """Grille on top, then three steps that light from the bottom up."""
    x0, y0, x1, y1 = box
    bw = x1 - x0 + 1
    # The grille: a radiator face, so the meter is not mistaken for fuel.
    gh = 6
    cv.rect(x0, y0, x1, y0 + gh - 1, st.ink)
    step = 2 if bw < 9 else 3
    for x in range(x0 + step, x1, step):
        cv.line(x, y0, x, y0 + gh - 1, st.ink)
    top = y0 + gh + 2
    gap = 2
    cell = (y1 - top + 1 - 2 * gap) / 3.0
    for i in range(3):
        cy1 = round(y1 - i * (cell + gap))
        cy0 = round(cy1 - cell + 1)
        st.level_cell(cv, x0, cy0, x1, cy1, i < state, shape)


def bomb_h(cv, st, cx, cy, length):
    """Bomb lying nose left, with a tail fin."""
    rx, ry = length / 2 - 1.5, 2.4
    cv.ellipse(cx - 1.5, cy, rx, ry, True, ink=st.ink)
    tx = cx - 1.5 + rx
    cv.polygon([(tx - 1, cy), (tx + 3, cy - 3), (tx + 3, cy + 3)], True, ink=st.ink)


def bomb_v(cv, st, cx, cy):
    """Falling bomb, nose down, fin on top."""
    cv.ellipse(cx, cy + 1, 2.2, 3.6, True, ink=st.ink)
    cv.line(cx - 2, cy - 4, cx + 2, cy - 4, st.ink)
    cv.line(cx, cy - 4, cx, cy - 2, st.ink)


def draw_bomb_bay(cv, st, box, state):
    """Fuselage side on; bay doors shut, open with a bomb, or open and empty."""
    x0, y0, x1, y1 = box
    bw = x1 - x0 + 1
    top, belly = y0 + 3, y0 + 10
    mid = (top + belly) / 2
    # Nose left, tapering tail right with a fin: an aeroplane, not a bar.
    body = [(x0, mid - 1), (x0 + 2, top), (x1 - 7, top), (x1 - 4, y0), (x1, y0), (x1, mid),
            (x1 - 6, belly), (x0 + 2, belly), (x0, mid + 1)]
    if not st.rounded:
        body = [(x0, top + 1), (x0 + 1, top), (x1 - 8, top), (x1 - 5, y0), (x1, y0), (x1, mid),
                (x1 - 6, belly), (x0 + 1, belly), (x0, belly - 1)]
    st.body(cv, body)
    cx = x0 + round(bw * 0.42)
    half = max(5, round(bw * 0.2))
    bl, br = cx - half, cx + half
    if state == 0:
        # Closed doors: the seam lines mark where the bay is.
        cv.line(bl, belly - 2, bl, belly, st.ink)
        cv.line(br, belly - 2, br, belly, st.ink)
        return
    # Open: a dark slot in the belly and two doors hanging down.
    if st.solid:
        cv.fill_rect(bl + 1, belly - 2, br - 1, belly, st.paper)
    else:
        cv.fill_rect(bl + 1, belly, br - 1, belly, st.paper)
        cv.line(bl, belly - 2, br, belly - 2, st.ink)
        cv.line(bl, belly - 2, bl, belly, st.ink)
        cv.line(br, belly - 2, br, belly, st.ink)
    dl = 8
    dw = max(st.lw - 1, 1) if st.lw < 3 else 2
    st.line(cv, [(bl, belly), (bl - 3, belly + dl)], dw)
    st.line(cv, [(br, belly), (br + 3, belly + dl)], dw)
    if state == 1:
        bomb_h(cv, st, cx, belly + 3, 2 * half - 2)
    else:
        # Released: bombs well below the aircraft with dashed fall lines.
        for k, (bx, by) in enumerate(((cx - 4, y1 - 5), (cx + 3, y1 - 3))):
            bomb_v(cv, st, bx, by)
            for y in range(belly + 3 + 2 * k, round(by) - 5, 3):
                cv.set(bx, y, st.ink)


def draw_icon(name, ind, state):
    w = WIDTHS[name][ind - 1]
    cv = Canvas(w, HEIGHT)
    base = STYLES[name]
    box = frame_box(cv, base)
    st = Style(base.frame, base.lw, base.rounded, base.solid, base.outline)
    st.ink = 0 if base.frame == "tile" else 1
    gear_ind = 1 if GEAR_FIRST[name] else 2
    if ind in (1, 2):
        if ind == gear_ind:
            draw_gear(cv, st, box, state == 1)
        else:
            draw_flaps(cv, st, box, state == 1)
    elif ind == 3:
        draw_level(cv, st, box, LEVEL_SHAPE[name], state)
    else:
        draw_bomb_bay(cv, st, box, state)
    return cv


# ---------------------------------------------------------------- ICO files


def ico_bytes(cv):
    """One 32-bit BGRA image with its 1-bit AND mask (1 = transparent)."""
    w, h = cv.w, cv.h
    xor = bytearray()
    for row in reversed(cv.px):  # bottom-up, as in BMP
        for v in row:
            xor += b"\xff\xff\xff\xff" if v else b"\x00\x00\x00\x00"
    mask_stride = ((w + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(cv.px):
        bits = bytearray(mask_stride)
        for x, v in enumerate(row):
            if not v:
                bits[x >> 3] |= 0x80 >> (x & 7)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    image = header + bytes(xor) + bytes(mask)
    icondir = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, len(image), 6 + 16)
    return icondir + entry + image


def parse_ico(data):
    """Read back what ico_bytes writes; raise ValueError on anything unexpected."""

    def need(cond, what):
        if not cond:
            raise ValueError(what)

    need(len(data) >= 22, "too short")
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    need((reserved, kind, count) == (0, 1, 1), "ICONDIR")
    bw, bh, colors, res, planes, bits, size, offset = struct.unpack_from("<BBBBHHII", data, 6)
    w, h = bw or 256, bh or 256
    need((colors, res, planes, bits) == (0, 0, 1, 32), "ICONDIRENTRY fields")
    need(offset == 22 and offset + size == len(data), "entry size/offset")
    (hsize, biw, bih, biplanes, bibits, comp, isize, _, _, clr, clrimp) = struct.unpack_from("<IiiHHIIiiII", data, offset)
    need(hsize == 40 and biw == w and bih == 2 * h, "BITMAPINFOHEADER size")
    need((biplanes, bibits, comp, clr, clrimp) == (1, 32, 0, 0, 0), "BITMAPINFOHEADER fields")
    mask_stride = ((w + 31) // 32) * 4
    need(isize == w * h * 4 + mask_stride * h and size == 40 + isize, "image size")
    xor_at = offset + 40
    mask_at = xor_at + w * h * 4
    lit = [[0] * w for _ in range(h)]
    for y in range(h):
        src_row = h - 1 - y
        for x in range(w):
            b, g, r, a = data[xor_at + (src_row * w + x) * 4: xor_at + (src_row * w + x) * 4 + 4]
            transparent = (data[mask_at + src_row * mask_stride + (x >> 3)] >> (7 - (x & 7))) & 1
            need((b, g, r, a) in ((255, 255, 255, 255), (0, 0, 0, 0)), "pixel is neither white nor clear")
            need(transparent == (a == 0), "mask disagrees with alpha")
            lit[y][x] = 1 if a else 0
    return w, h, lit


def icon_path(root, name, ind, state):
    return os.path.join(root, "images", name, "%d_%d.ico" % (ind, state))


def write_all(root):
    for name, ind, state in icon_names():
        path = icon_path(root, name, ind, state)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(ico_bytes(draw_icon(name, ind, state)))


def check_all(root):
    problems = []
    for name, ind, state in icon_names():
        path = icon_path(root, name, ind, state)
        try:
            with open(path, "rb") as f:
                w, h, lit = parse_ico(f.read())
        except (OSError, ValueError) as e:
            problems.append("%s: %s" % (path, e))
            continue
        cv = draw_icon(name, ind, state)
        if (w, h) != (WIDTHS[name][ind - 1], HEIGHT):
            problems.append("%s: size %dx%d" % (path, w, h))
        elif [list(r) for r in cv.px] != lit:
            problems.append("%s: pixels differ from the drawing" % path)
        elif not any(any(r) for r in lit):
            problems.append("%s: empty picture" % path)
    # States of one indicator must differ, or the display could not tell them apart.
    for name in SETS:
        for ind in (1, 2, 3, 4):
            pics = [bytes(b"".join(draw_icon(name, ind, s).px)) for s in range(STATE_COUNT[ind])]
            if len(set(pics)) != len(pics):
                problems.append("%s indicator %d: two states look the same" % (name, ind))
    return problems


# ---------------------------------------------------------------- preview PNG

# 3x5 glyphs for the labels, one string of 15 bits per character.
FONT = {
    "0": "111101101101111", "1": "010110010010111", "2": "111001111100111", "3": "111001111001111",
    "4": "101101111001001", "9": "111101111001111", "_": "000000000000111",
    "a": "000111101101111", "e": "000111111100111", "f": "011100110100100", "i": "010000010010010",
    "k": "100101110101101", "m": "000111111101101", "o": "000111101101111", "r": "000111100100100",
    "s": "000111110011111", "u": "000101101101111", "y": "101101111001111", "z": "000111011110111",
}


def write_png(path, w, h, rows):
    """rows: list of bytes objects of w RGB triples."""
    raw = b"".join(b"\x00" + bytes(r) for r in rows)

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


def preview(path, scale=4):
    """All icons, one set per row in file order, lit pixels white on dark grey.

    The icon's own box is a slightly lighter grey so its width stays visible.
    """
    gap, label_h, margin, name_w = 6 * scale, 14, 10, 70
    row_h = HEIGHT * scale + label_h + 12
    row_w = [sum(WIDTHS[n][i - 1] for n2, i, s in icon_names() if n2 == n) * scale + 10 * gap for n in SETS]
    W = margin * 2 + name_w + max(row_w)
    H = margin * 2 + row_h * len(SETS)
    page, boxc, litc, textc = (40, 40, 40), (62, 62, 62), (255, 255, 255), (170, 170, 170)
    img = [[page] * W for _ in range(H)]

    def text(x, y, s, k=2):
        for ch in s:
            bits = FONT.get(ch, "0" * 15)
            for i, b in enumerate(bits):
                if b == "1":
                    for dy in range(k):
                        for dx in range(k):
                            img[y + (i // 3) * k + dy][x + (i % 3) * k + dx] = textc
            x += 4 * k

    for r, name in enumerate(SETS):
        y = margin + r * row_h
        text(margin, y + label_h + HEIGHT * scale // 2 - 5, name)
        x = margin + name_w
        for n2, ind, state in icon_names():
            if n2 != name:
                continue
            cv = draw_icon(name, ind, state)
            text(x, y, "%d_%d" % (ind, state))
            for py in range(cv.h):
                for px in range(cv.w):
                    c = litc if cv.px[py][px] else boxc
                    for dy in range(scale):
                        row = img[y + label_h + py * scale + dy]
                        for dx in range(scale):
                            row[x + px * scale + dx] = c
            x += cv.w * scale + gap
    write_png(path, W, H, [b"".join(bytes(c) for c in row) for row in img])


def main(argv=None):
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--preview", metavar="PNG", help="write a scaled-up sheet of all icons instead of the files")
    ap.add_argument("--scale", type=int, default=4, help="preview magnification (default 4)")
    ap.add_argument("--check", action="store_true", help="do not write; read the files back and compare with the drawings")
    ap.add_argument("--root", default=os.path.dirname(os.path.abspath(__file__)), help="folder holding images/")
    args = ap.parse_args(argv)
    if args.preview:
        preview(args.preview, args.scale)
        return 0
    if not args.check:
        write_all(args.root)
    # Always read back: a writer bug should fail here, not on the display.
    problems = check_all(args.root)
    for p in problems:
        print(p, file=sys.stderr)
    if args.check and not problems:
        print("all %d icon files match the drawings" % len(list(icon_names())))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
