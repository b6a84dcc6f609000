"""The skin's colours and the backgrounds that several pictures share.

A deep blue-teal title band over a light, cool-grey chrome; the transcript sits in a thin
grey frame. Buttons are pre-blended against the exact background they are placed on, so the
background functions live here, in one place.
"""

from raster import hex_colour, ramp

OUTLINE = hex_colour("0e3644")  # one-pixel frame around the whole window
BAND_TOP = hex_colour("2e7b96")
BAND_BOTTOM = hex_colour("1a566e")
BAND_SHEEN = hex_colour("3d8aa4")  # the row just under the outline
BAND_FOOT = hex_colour("12435a")  # the band's bottom line
TEAL = hex_colour("1f6a86")
TEAL_LIGHT = hex_colour("46a3bd")
TEAL_PALE = hex_colour("d7ecf2")
AMBER = hex_colour("f0a33a")
WHITE = (255.0, 255.0, 255.0)
BLACK = (0.0, 0.0, 0.0)

CHROME = (233.0, 233.0, 233.0)  # the window's own background colour
TOOLBAR_TOP = hex_colour("f7f8f9")
TOOLBAR_BOTTOM = CHROME
FRAME_LINE = hex_colour("b4bfc5")  # around the transcript
STATUS_LINE = hex_colour("c4cbcf")
STATUS_TOP = hex_colour("eef0f1")
STATUS_BOTTOM = hex_colour("dde1e3")

# Rows of the main window's title picture (99 high).
FOOT_ROW = 65  # dark line under the band (rows 1 to 64)
LIGHT_ROW = 66  # white line that starts the toolbar strip
TOOLBAR_FIRST = 67
FRAME_ROW = 98  # top of the transcript's frame

# The About box's title bar shows the band's first rows, so the small close button's pictures
# fit both windows.
ABOUT_TITLE_HEIGHT = 24


def band(y):
    """The title band's colour at pixel row y (a row centre is y + 0.5)."""
    if y < 1:
        return OUTLINE
    if y < 2:
        return BAND_SHEEN
    return ramp([(2.0, BAND_TOP), (float(FOOT_ROW - 1), BAND_BOTTOM)], float(y))


def toolbar(y):
    """The light strip under the band that carries the command buttons."""
    return ramp([(float(TOOLBAR_FIRST), TOOLBAR_TOP), (float(FRAME_ROW), TOOLBAR_BOTTOM)], float(y))


def status(y):
    """The status strip at the foot of the window; y counts from the strip's first row."""
    return ramp([(0.0, STATUS_TOP), (22.0, STATUS_BOTTOM)], float(y))
