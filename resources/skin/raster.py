"""A small pixel canvas with anti-aliased shapes, for the skin generator.

Shapes are signed distance functions in pixel units (negative inside); pixel (x, y) covers
the square from (x, y) to (x + 1, y + 1). A pixel whose centre lies well inside or outside a
shape is decided from one distance; only pixels near an edge are supersampled.
"""

import math

SUPERSAMPLE = 4
_NEAR_EDGE = 0.75  # a little more than half a pixel's diagonal


def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def mix(a, b, t):
    """Colour a blended towards colour b by t (0 gives a, 1 gives b)."""
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def hex_colour(text):
    text = text.lstrip("#")
    return tuple(float(int(text[i : i + 2], 16)) for i in (0, 2, 4))


def ramp(stops, t):
    """Colour at t along stops [(t0, colour0), (t1, colour1), ...] sorted by t."""
    if t <= stops[0][0]:
        return stops[0][1]
    for (t0, c0), (t1, c1) in zip(stops, stops[1:]):
        if t <= t1:
            return mix(c0, c1, (t - t0) / (t1 - t0))
    return stops[-1][1]


def vertical(y0, y1, stops):
    """Paint: a top-to-bottom gradient between rows y0 and y1 (pixel edges)."""
    return lambda x, y: ramp(stops, (y - y0) / (y1 - y0))


class Canvas:
    """Straight (not premultiplied) colour in 0..255 per channel, alpha in 0..1."""

    def __init__(self, width, height, colour=(0.0, 0.0, 0.0), alpha=1.0):
        self.width = width
        self.height = height
        self.rgb = [tuple(float(c) for c in colour)] * (width * height)
        self.alpha = [float(alpha)] * (width * height)

    def get(self, x, y):
        return self.rgb[y * self.width + x]

    def get_alpha(self, x, y):
        return self.alpha[y * self.width + x]

    def put(self, x, y, colour, alpha=1.0):
        i = y * self.width + x
        self.rgb[i] = tuple(colour)
        self.alpha[i] = alpha

    def blend(self, x, y, colour, a):
        """Source-over: colour with opacity a onto the pixel."""
        if a <= 0.0:
            return
        i = y * self.width + x
        below = self.alpha[i]
        out = a + below * (1.0 - a)
        if out <= 0.0:
            return
        keep = below * (1.0 - a) / out
        self.rgb[i] = tuple(c * (1.0 - keep) + d * keep for c, d in zip(colour, self.rgb[i]))
        self.alpha[i] = out

    def crop(self, left, top, width, height):
        out = Canvas(width, height)
        for y in range(height):
            row = (top + y) * self.width + left
            out.rgb[y * width : (y + 1) * width] = self.rgb[row : row + width]
            out.alpha[y * width : (y + 1) * width] = self.alpha[row : row + width]
        return out

    def copy(self):
        return self.crop(0, 0, self.width, self.height)

    def bytes_rgb(self):
        """Opaque 8-bit RGB rows, top row first."""
        out = bytearray()
        for c in self.rgb:
            out += bytes(int(clamp(round(v), 0, 255)) for v in c)
        return bytes(out)


def painted(width, height, colour_at):
    """An opaque canvas whose pixel (x, y) is colour_at(x, y)."""
    c = Canvas(width, height)
    c.rgb = [tuple(colour_at(x, y)) for y in range(height) for x in range(width)]
    return c


class Shape:
    """A signed distance function with a bounding box (x0, y0, x1, y1)."""

    def __init__(self, sdf, box):
        self.sdf = sdf
        self.box = box

    def __or__(self, other):
        a, b = self.sdf, other.sdf
        box = tuple(f(p, q) for f, p, q in zip((min, min, max, max), self.box, other.box))
        return Shape(lambda x, y: min(a(x, y), b(x, y)), box)

    def __and__(self, other):
        a, b = self.sdf, other.sdf
        box = tuple(f(p, q) for f, p, q in zip((max, max, min, min), self.box, other.box))
        return Shape(lambda x, y: max(a(x, y), b(x, y)), box)

    def __sub__(self, other):
        a, b = self.sdf, other.sdf
        return Shape(lambda x, y: max(a(x, y), -b(x, y)), self.box)

    def grown(self, r):
        s = self.sdf
        x0, y0, x1, y1 = self.box
        return Shape(lambda x, y: s(x, y) - r, (x0 - r, y0 - r, x1 + r, y1 + r))

    def outline(self, width):
        """A band of the given width centred on the edge."""
        s, h = self.sdf, width / 2.0
        x0, y0, x1, y1 = self.box
        return Shape(lambda x, y: abs(s(x, y)) - h, (x0 - h, y0 - h, x1 + h, y1 + h))

    def moved(self, dx, dy):
        s = self.sdf
        x0, y0, x1, y1 = self.box
        return Shape(lambda x, y: s(x - dx, y - dy), (x0 + dx, y0 + dy, x1 + dx, y1 + dy))


def circle(cx, cy, r):
    return Shape(lambda x, y: math.hypot(x - cx, y - cy) - r, (cx - r, cy - r, cx + r, cy + r))


def rounded_rect(x0, y0, x1, y1, r):
    cx, cy, hw, hh = (x0 + x1) / 2.0, (y0 + y1) / 2.0, (x1 - x0) / 2.0, (y1 - y0) / 2.0

    def sdf(x, y):
        qx = abs(x - cx) - hw + r
        qy = abs(y - cy) - hh + r
        return math.hypot(max(qx, 0.0), max(qy, 0.0)) + min(max(qx, qy), 0.0) - r

    return Shape(sdf, (x0, y0, x1, y1))


def rect(x0, y0, x1, y1):
    return rounded_rect(x0, y0, x1, y1, 0.0)


def segment(ax, ay, bx, by, width):
    """A stroke with round caps from (ax, ay) to (bx, by)."""
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy or 1e-12
    h = width / 2.0

    def sdf(x, y):
        t = clamp(((x - ax) * dx + (y - ay) * dy) / length2)
        return math.hypot(x - ax - dx * t, y - ay - dy * t) - h

    box = (min(ax, bx) - h, min(ay, by) - h, max(ax, bx) + h, max(ay, by) + h)
    return Shape(sdf, box)


def polygon(points):
    """Exact distance to a simple polygon given by its corners."""
    pts = [(float(x), float(y)) for x, y in points]
    edges = list(zip(pts, pts[1:] + pts[:1]))

    def sdf(x, y):
        best = float("inf")
        inside = False
        for (ax, ay), (bx, by) in edges:
            ex, ey = bx - ax, by - ay
            wx, wy = x - ax, y - ay
            t = clamp((wx * ex + wy * ey) / (ex * ex + ey * ey))
            best = min(best, math.hypot(wx - ex * t, wy - ey * t))
            if (ay > y) != (by > y) and x < ax + (y - ay) * ex / ey:
                inside = not inside
        return -best if inside else best

    xs, ys = [p[0] for p in pts], [p[1] for p in pts]
    return Shape(sdf, (min(xs), min(ys), max(xs), max(ys)))


def coverage(sdf, px, py, soft=0.0):
    """Share of pixel (px, py) inside the shape; soft > 0 gives a blurred edge that wide."""
    cx, cy = px + 0.5, py + 0.5
    d = sdf(cx, cy)
    if soft > 0.0:
        t = clamp((soft - d) / (2.0 * soft))
        return t * t * (3.0 - 2.0 * t)
    if d >= _NEAR_EDGE:
        return 0.0
    if d <= -_NEAR_EDGE:
        return 1.0
    n = SUPERSAMPLE
    hits = 0
    for j in range(n):
        for i in range(n):
            if sdf(px + (i + 0.5) / n, py + (j + 0.5) / n) < 0.0:
                hits += 1
    return hits / float(n * n)


def paint(canvas, shape, colour, opacity=1.0, soft=0.0):
    """Composite shape onto canvas in colour (a tuple, or paint(x, y) giving one)."""
    x0, y0, x1, y1 = shape.box
    margin = soft + 1.0
    left, top = max(0, int(math.floor(x0 - margin))), max(0, int(math.floor(y0 - margin)))
    right = min(canvas.width, int(math.ceil(x1 + margin)))
    bottom = min(canvas.height, int(math.ceil(y1 + margin)))
    for y in range(top, bottom):
        for x in range(left, right):
            cov = coverage(shape.sdf, x, y, soft)
            if cov > 0.0:
                c = colour(x + 0.5, y + 0.5) if callable(colour) else colour
                canvas.blend(x, y, c, cov * opacity)
