"""The window frames: the main window's title and bottom at any width (the pictures are cut
from them), its edge strips, and the About box's title bar, edges, bottom strip and panel.

Everything between a left and a right part depends on the row only, so a filler cut from the
middle joins both parts seamlessly however far it is stretched.
"""

import math

import look
from look import CHROME, FRAME_LINE, OUTLINE, WHITE
from raster import Canvas, clamp, hex_colour, paint, painted, rounded_rect, vertical
from marks import ON_BAND, mark_shapes, program_mark

TITLE_HEIGHT = 99
BOTTOM_HEIGHT = 57
EMBLEM_CENTRE = (36.0, 36.0)  # centre of the 48x48 emblem at 12,12


def _title_pixel(x, y, width):
    if x == 0 or x == width - 1 or y == 0:
        return OUTLINE
    if y < look.FOOT_ROW:
        return look.band(y)
    if y == look.FOOT_ROW:
        return look.BAND_FOOT
    if y == look.LIGHT_ROW:
        return WHITE
    if y == look.FRAME_ROW and 4 <= x <= width - 5:
        return FRAME_LINE
    return look.toolbar(y)


def title(width):
    """The whole title (band, toolbar strip and the top of the transcript frame)."""
    c = painted(width, TITLE_HEIGHT, lambda x, y: _title_pixel(x, y, width))
    # A soft light behind the emblem, fading out long before the filler begins.
    cx, cy = EMBLEM_CENTRE
    for y in range(1, look.FOOT_ROW):
        for x in range(1, 130):
            d = math.hypot(x + 0.5 - cx, (y + 0.5 - cy) * 1.25)
            t = clamp(1.0 - d / 95.0)
            c.blend(x, y, WHITE, 0.16 * t * t)
    return c


def _bottom_pixel(x, y, width):
    if x == 0 or x == width - 1 or y == BOTTOM_HEIGHT - 1:
        return OUTLINE
    if y == 0:
        return FRAME_LINE if 4 <= x <= width - 5 else CHROME
    if y < 31:
        return CHROME
    if y == 31:
        return look.STATUS_LINE
    if y == 32:
        return (250.0, 251.0, 251.0)
    return look.status(y - 33)


def bottom(width):
    """Message row, status strip and the foot of the frame, with the size grip."""
    c = painted(width, BOTTOM_HEIGHT, lambda x, y: _bottom_pixel(x, y, width))
    # Size grip: six raised dots in a triangle in the bottom-right corner (window 546,397).
    gx, gy = width - 20, 37
    for row in range(3):
        for col in range(3 - row):
            x = gx + 12 - 4 * col
            y = gy + 12 - 4 * row
            paint(c, rounded_rect(x + 1, y + 1, x + 3, y + 3, 0.5), WHITE)
            paint(c, rounded_rect(x, y, x + 2, y + 2, 0.5), hex_colour("8c989f"))
    return c


def edge(columns, height):
    """A vertical strip from its columns' colours (stretched to any height)."""
    return painted(len(columns), height, lambda x, y: columns[x])


def main_edges(height):
    left = edge([OUTLINE, CHROME, CHROME, CHROME, FRAME_LINE], height)
    right = edge([FRAME_LINE, CHROME, CHROME, CHROME, OUTLINE], height)
    return left, right


# About box (419 x 325).
ABOUT_WIDTH = 419
ABOUT_EDGE_HEIGHT = 296
PANEL_LEFT, PANEL_TOP, PANEL_WIDTH, PANEL_HEIGHT = 10, 108, 400, 177
PANEL_DIVIDER = 66  # row of the panel's divider, above the beta-testing text


def _about_title_pixel(x, y):
    if x == 0 or x == ABOUT_WIDTH - 1 or y == 0:
        return OUTLINE
    if y == look.ABOUT_TITLE_HEIGHT - 1:
        return look.BAND_FOOT
    return look.band(y)


def about_title():
    return painted(ABOUT_WIDTH, look.ABOUT_TITLE_HEIGHT, _about_title_pixel)


def about_small_emblem():
    c = about_title().crop(6, 5, 16, 16)
    program_mark(c, 0, 0, 16, ON_BAND)
    return c


def about_edges():
    height = ABOUT_EDGE_HEIGHT
    return edge([OUTLINE] + [CHROME] * 4, height), edge([CHROME] * 4 + [OUTLINE], height)


def about_bottom():
    def pixel(x, y):
        return OUTLINE if x in (0, ABOUT_WIDTH - 1) or y == 4 else CHROME

    return painted(ABOUT_WIDTH, 5, pixel)


def about_panel():
    """A light card: a tinted head for the program's name and version, a plain body below."""
    w, h = PANEL_WIDTH, PANEL_HEIGHT
    c = Canvas(w, h, CHROME)
    card = rounded_rect(0, 0, w, h, 5)
    inner = rounded_rect(1, 1, w - 1, h - 1, 4)
    head = vertical(1, PANEL_DIVIDER, [(0.0, hex_colour("f4fafc")), (1.0, hex_colour("dfeef3"))])
    body = vertical(PANEL_DIVIDER, h, [(0.0, hex_colour("fcfdfd")), (1.0, hex_colour("f3f5f6"))])
    paint(c, card, FRAME_LINE)
    paint(c, inner, lambda x, y: head(x, y) if y < PANEL_DIVIDER else body(x, y))
    for x in range(1, w - 1):
        c.blend(x, PANEL_DIVIDER, hex_colour("c9dbe2"), 1.0)
        c.blend(x, PANEL_DIVIDER + 1, WHITE, 1.0)
    # The program's mark, large and faint, cut off by the card's lower right corner.
    bubble, z, _ = mark_shapes(w - 128, PANEL_DIVIDER + 22, 120)
    paint(c, (bubble - z) & inner, look.TEAL, 0.06)
    return c
