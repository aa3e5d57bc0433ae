"""The drawing kit: a one-bit canvas and the shapes the icons are made of.

Pixel centres sit on integer coordinates; shapes test pixel centres, which
keeps everything exact and free of anti-aliasing (the LCD has none).
"""

import math

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
