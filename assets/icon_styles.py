"""What each set looks like, and how one icon of it is drawn."""

import math

from icon_canvas import Canvas, rotate
from icon_layout import GEAR_FIRST, HEIGHT, WIDTHS

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
