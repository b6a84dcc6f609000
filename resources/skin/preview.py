#!/usr/bin/env python3
"""Mock-ups of the main window (566 x 417) and the About box (419 x 325), composed from the
generated pictures as the layout places them, plus a sheet of every button look at double
size. Edit boxes are plain boxes and texts are grey bars of about their length.

    python3 resources/skin/preview.py      # after generate.py; writes preview-*.png here
"""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import buttons  # noqa: E402
import formats  # noqa: E402
from raster import Canvas, hex_colour, paint, rect, rounded_rect  # noqa: E402

TEXT = (0.0, 0.0, 0.0)
STATUS_TEXT = (58.0, 58.0, 58.0)
SHADOW = (73.0, 73.0, 73.0)
WHITE = (255.0, 255.0, 255.0)
CAPTION_GREY = hex_colour("575757")


def load(name):
    with open(os.path.join(HERE, name + ".bmp"), "rb") as f:
        return formats.read_bmp(f.read())


def put(canvas, picture, left, top, width=None, height=None, transparent=False):
    """Draws picture stretched to width x height (nearest pixel), optionally leaving out the
    colour of its bottom-left pixel."""
    width = width or picture.width
    height = height or picture.height
    key = picture.get(0, picture.height - 1)
    for y in range(height):
        for x in range(width):
            c = picture.get(x * picture.width // width, y * picture.height // height)
            if not (transparent and c == key):
                canvas.put(left + x, top + y, c)


def text(canvas, left, top, chars, colour, size=11, bold=False, right=False):
    """A bar standing in for a line of text: x-height high, about as long as the text."""
    width = round(chars * size * (0.62 if bold else 0.53))
    if right:
        left -= width
    mid = top + size * 0.62
    h = size * (0.5 if bold else 0.42)
    bar = rounded_rect(left, mid - h / 2, left + width, mid + h / 2, h / 2)
    paint(canvas, bar, colour, 0.9 if bold else 0.6)


def sunken(canvas, left, top, width, height, button=0):
    """An edit box with the system's sunken border, and a drop-down or spin button."""
    paint(canvas, rect(left, top, left + width, top + height), WHITE)
    for x in range(width):
        canvas.put(left + x, top, (160.0, 160.0, 160.0))
        canvas.put(left + x, top + height - 1, (255.0, 255.0, 255.0))
        canvas.put(left + x, top + 1, (105.0, 105.0, 105.0))
        canvas.put(left + x, top + height - 2, (227.0, 227.0, 227.0))
    for y in range(height):
        canvas.put(left, top + y, (160.0, 160.0, 160.0))
        canvas.put(left + width - 1, top + y, (255.0, 255.0, 255.0))
    if button:
        x0 = left + width - 2 - button
        paint(canvas, rect(x0, top + 2, left + width - 2, top + height - 2), (212.0, 208.0, 200.0))
        paint(canvas, rect(x0 + button / 2 - 3, top + height / 2 - 1, x0 + button / 2 + 3,
                           top + height / 2 + 1), TEXT)


def button(canvas, picture, left, top, caption=0, colour=TEXT):
    put(canvas, picture, left, top)
    if caption:
        width = round(caption * 11 * 0.53)
        text(canvas, left + (picture.width - width) // 2, top + (picture.height - 13) // 2,
             caption, colour)


def main_window(width=566, height=417):
    c = Canvas(width, height, (233.0, 233.0, 233.0))
    put(c, load("title-left"), 0, 0)
    put(c, load("title-fill"), 281, 0, width - 562, 99)
    put(c, load("title-right"), width - 281, 0)
    put(c, load("emblem"), 12, 12, transparent=True)
    text(c, 68, 11, 30, SHADOW, size=19, bold=True)
    text(c, 67, 10, 30, WHITE, size=19, bold=True)
    for i, kind in enumerate(buttons.TITLE_BUTTONS):
        put(c, load(kind + "-up"), width - 74 + 18 * i, 4)
    r = width - 566  # how far right-anchored controls move
    sunken(c, 69, 40, 252 + r, 21)
    sunken(c, 324 + r, 40, 100, 23, button=15)
    sunken(c, 428 + r, 40, 45, 22, button=13)
    button(c, load("connect-up"), 483 + r, 24, 10)
    button(c, load("connect-up"), 483 + r, 44, 9)
    for i, chars in enumerate((9, 8, 11, 5)):
        button(c, load("command-up"), 7 + 75 * i, 73, chars)
    inner = height - 156
    paint(c, rect(5, 99, width - 5, 99 + inner), WHITE)
    paint(c, rect(width - 22, 99, width - 5, 99 + inner), (236.0, 236.0, 236.0))
    for i, chars in enumerate((62, 20, 34, 28, 48, 15)):
        text(c, 8, 102 + 13 * i, chars, (40.0, 40.0, 40.0))
    put(c, load("edge-left"), 0, 99, 5, inner)
    put(c, load("edge-right"), width - 5, 99, 5, inner)
    bottom = height - 57
    put(c, load("bottom-left"), 0, bottom)
    put(c, load("bottom-fill"), 194, bottom, width - 291, 57)
    put(c, load("bottom-right"), width - 97, bottom)
    sunken(c, 7, bottom + 5, 470 + r, 21)
    button(c, load("send-up"), 484 + r, bottom + 4, 9, CAPTION_GREY)
    text(c, 11, bottom + 35, 13, STATUS_TEXT)
    text(c, 199 + r, bottom + 35, 15, STATUS_TEXT)
    return c


def about_box():
    c = Canvas(419, 325, (233.0, 233.0, 233.0))
    put(c, load("about-title"), 0, 0)
    put(c, load("about-emblem"), 6, 5)
    text(c, 29, 7, 11, SHADOW, bold=True)
    text(c, 28, 6, 11, WHITE, bold=True)
    put(c, load("close-up"), 399, 4)
    put(c, load("about-edge-left"), 0, 24)
    put(c, load("about-edge-right"), 414, 24)
    put(c, load("about-bottom"), 0, 320)
    maroon = (128.0, 0.0, 0.0)
    paint(c, rect(6, 25, 413, 104) - rect(7, 26, 412, 103), maroon)
    put(c, load("maker-emblem"), 14, 38, transparent=True)
    text(c, 79, 32, 8, TEXT, bold=True)
    text(c, 79, 51, 16, TEXT)
    text(c, 79, 65, 18, hex_colour("0645ad"))
    text(c, 79, 78, 15, hex_colour("0645ad"))
    text(c, 381, 87, 4, TEXT, right=True)
    put(c, load("about-panel"), 10, 108)
    put(c, load("about-icon"), 23, 119)
    text(c, 75, 122, 4, TEXT, size=16, bold=True)
    text(c, 165, 143, 3, TEXT)
    text(c, 84, 154, 25, TEXT)
    text(c, 20, 180, 60, TEXT)
    button(c, load("send-up"), 173, 291, 2, CAPTION_GREY)
    return c


def button_sheet(zoom=2):
    """Every button's three looks (up, highlighted, pressed) side by side, enlarged."""
    rows = [["command", "connect", "send"], list(buttons.TITLE_BUTTONS)]
    captions = {"command": (9, TEXT), "connect": (10, TEXT), "send": (9, CAPTION_GREY)}
    sheet = Canvas(3 * 90 * zoom, (8 + 3 * 28 + 4 * 20) * zoom, (233.0, 233.0, 233.0))
    y = 4
    for group in rows:
        for name in group:
            for i, look in enumerate((buttons.UP, buttons.HOVER, buttons.DOWN)):
                face = load(name + "-" + look)
                picture = face.copy()
                chars, colour = captions.get(name, (0, TEXT))
                button(picture, face, 0, 0, chars, colour)
                put(sheet, picture, (4 + 90 * i) * zoom, y * zoom, picture.width * zoom,
                    picture.height * zoom)
            y += 28 if name in rows[0] else 20
    return sheet


def main():
    for name, canvas in (("preview-main", main_window()), ("preview-about", about_box()),
                         ("preview-buttons", button_sheet())):
        with open(os.path.join(HERE, name + ".png"), "wb") as f:
            f.write(formats.png(canvas))


if __name__ == "__main__":
    main()
