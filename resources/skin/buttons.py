"""Skinned button faces (up, highlighted, pressed) and the small title buttons' glyphs.

The buttons draw their captions themselves in dark text, so every face is light. Each picture
covers its button exactly; rounded corners and margins are pre-blended with the background
the button stands on.
"""

from look import BLACK, WHITE
from raster import hex_colour, paint, painted, polygon, rect, rounded_rect, segment, vertical

UP, DOWN, HOVER = "up", "down", "hover"
LOOKS = (UP, DOWN, HOVER)

_FACES = {
    # look: (border, top of face, bottom of face)
    UP: (hex_colour("98a7b0"), hex_colour("ffffff"), hex_colour("e3e8eb")),
    HOVER: (hex_colour("3a8ea6"), hex_colour("f6fcfe"), hex_colour("cfe8f0")),
    DOWN: (hex_colour("2a6c82"), hex_colour("bcd9e3"), hex_colour("d6eaf0")),
}


def face(width, height, look, ground, margin_x=0, margin_y=0):
    """A button picture; ground(x, y) is the colour under the button at pixel (x, y)."""
    c = painted(width, height, ground)
    border, top, bottom = _FACES[look]
    x0, y0, x1, y1 = margin_x, margin_y, width - margin_x, height - margin_y
    paint(c, rounded_rect(x0, y0, x1, y1, 3.0), border)
    fill = vertical(y0 + 1, y1 - 1, [(0.0, top), (1.0, bottom)])
    paint(c, rounded_rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, 2.0), fill)
    if look == DOWN:  # a soft inner shadow along the top makes it read as pushed in
        paint(c, rect(x0 + 2, y0 + 1, x1 - 2, y0 + 2), hex_colour("9fc3cf"), 0.7)
    else:  # a crisp highlight along the top
        paint(c, rect(x0 + 2, y0 + 1, x1 - 2, y0 + 2), WHITE, 0.9)
    return c


# Small title buttons (16 x 16), white glyphs on the band.
TRAY, MINIMISE, MAXIMISE, CLOSE = "tray", "minimise", "maximise", "close"
TITLE_BUTTONS = (TRAY, MINIMISE, MAXIMISE, CLOSE)


def glyph(kind):
    if kind == CLOSE:
        return segment(4.5, 4.5, 11.5, 11.5, 1.7) | segment(11.5, 4.5, 4.5, 11.5, 1.7)
    if kind == MAXIMISE:
        return rect(3, 3, 13, 13) - rect(4.5, 5.5, 11.5, 11.5)
    if kind == MINIMISE:
        return rect(4, 10, 12, 12)
    # Into the notification area: an arrow down to the right, onto a short tray line.
    arrow = segment(3.5, 3.5, 9.0, 9.0, 1.7) | polygon([(11, 11), (11, 5.5), (5.5, 11)])
    return arrow | rect(3, 12.5, 13, 14)


def title_button(kind, look, ground):
    """ground(x, y): the band under the button."""
    c = painted(16, 16, ground)
    plate = rounded_rect(0, 0, 16, 16, 3.0)
    shift = 0.0
    if look == HOVER:
        if kind == CLOSE:
            red = [(0.0, hex_colour("e8675f")), (1.0, hex_colour("cf3b33"))]
            paint(c, plate, vertical(0, 16, red))
        else:
            paint(c, plate, WHITE, 0.2)
    elif look == DOWN:
        if kind == CLOSE:
            paint(c, plate, hex_colour("a32c26"))
        else:
            paint(c, plate, BLACK, 0.25)
        shift = 1.0  # the glyph moves with the press
    paint(c, glyph(kind).moved(shift, shift), WHITE, 0.88 if look == UP else 1.0)
    return c
