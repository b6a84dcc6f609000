"""The program's mark (a speech bubble holding a Z, with an amber dot) and the maker's mark
(a folded two-tone V). Geometry is snapped to whole pixels where edges run straight, so the
small sizes stay crisp.
"""

from look import AMBER, OUTLINE, TEAL, TEAL_LIGHT, TEAL_PALE, WHITE, BLACK
from raster import circle, hex_colour, paint, polygon, rounded_rect, vertical

# Colourways of the program mark: on a light or transparent ground (the icon), on the title
# band (the emblem), and in the sixteen standard colours.
ICON, ON_BAND, SIXTEEN = "icon", "on-band", "sixteen"


def _geometry(size):
    """Pixel geometry of the mark at a size: bubble, its tail, the Z and the dot."""
    if size == 16:  # drawn for the pixel grid
        return dict(body=(0, 1, 15, 13), radius=3.0, tail=[(3, 12), (7, 12), (1.5, 15.6)],
                    z=(4, 4, 11, 11, 2), dot=(13.4, 2.6, 2.0), gap=0.8)
    s = float(size)

    def px(v):
        return round(v * s)

    return dict(
        body=(px(0.05), px(0.08), px(0.95), px(0.77)), radius=0.2 * s,
        tail=[(px(0.20), px(0.68)), (px(0.46), px(0.68)), (0.13 * s, 0.95 * s)],
        z=(px(0.31), px(0.22), px(0.69), px(0.63), max(2, round(0.105 * s))),
        dot=(0.835 * s, 0.165 * s, 0.115 * s), gap=max(0.7, 0.045 * s),
    )


def mark_shapes(ox, oy, size):
    g = _geometry(size)
    x0, y0, x1, y1 = g["body"]
    body = rounded_rect(ox + x0, oy + y0, ox + x1, oy + y1, g["radius"])
    tail = polygon([(ox + x, oy + y) for x, y in g["tail"]])
    cx, cy, r = g["dot"]
    dot = circle(ox + cx, oy + cy, r)
    bubble = (body | tail) - dot.grown(g["gap"])
    left, top, right, bottom, t = g["z"]
    left, top, right, bottom = left + ox, top + oy, right + ox, bottom + oy
    k = t * 1.45  # the diagonal's horizontal width, for a stroke about as heavy as the bars
    z = polygon(
        [
            (left, top), (right, top), (right, top + t), (left + k, bottom - t),
            (right, bottom - t), (right, bottom), (left, bottom), (left, bottom - t),
            (right - k, top + t), (left, top + t),
        ]
    )
    return bubble, z, dot


def program_mark(canvas, ox, oy, size, style):
    """Paints the mark into the size x size square at (ox, oy)."""
    s = float(size)
    bubble, z, dot = mark_shapes(ox, oy, size)
    top, bottom = oy + 0.08 * s, oy + 0.95 * s
    if style == SIXTEEN:
        paint(canvas, bubble, (0.0, 128.0, 128.0))
        paint(canvas, z, WHITE)
        paint(canvas, dot, (255.0, 255.0, 0.0))
        return
    if style == ON_BAND:
        paint(canvas, bubble.moved(0, max(1.0, 0.03 * s)), BLACK, 0.35, soft=max(1.0, 0.04 * s))
        paint(canvas, bubble, vertical(top, bottom, [(0.0, WHITE), (1.0, TEAL_PALE)]))
        paint(canvas, z, vertical(top, bottom, [(0.0, TEAL), (1.0, hex_colour("16546c"))]))
    else:
        paint(canvas, bubble, vertical(top, bottom, [(0.0, TEAL_LIGHT), (0.8, TEAL)]))
        if size >= 32:
            paint(canvas, bubble.outline(1.0) & bubble, OUTLINE, 0.55)
        paint(canvas, z, WHITE)
    paint(canvas, dot, vertical(oy, oy + 0.3 * s, [(0.0, hex_colour("ffc766")), (1.0, AMBER)]))


def maker_mark(canvas, ox, oy, size, ground):
    """A V of two overlapping strokes with a gap of ground colour where they cross."""
    s = float(size)

    def p(x, y):
        return (ox + x * s, oy + y * s)

    left = polygon([p(0.04, 0.14), p(0.27, 0.14), p(0.615, 0.88), p(0.385, 0.88)])
    right = polygon([p(0.96, 0.14), p(0.73, 0.14), p(0.385, 0.88), p(0.615, 0.88)])
    dark = hex_colour("164f66")
    paint(canvas, left, vertical(oy + 0.14 * s, oy + 0.88 * s, [(0.0, TEAL), (1.0, dark)]))
    paint(canvas, right.grown(0.06 * s) & left, ground)
    paint(
        canvas, right, vertical(oy + 0.14 * s, oy + 0.88 * s, [(0.0, TEAL_LIGHT), (1.0, TEAL)])
    )
