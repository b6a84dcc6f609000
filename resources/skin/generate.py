#!/usr/bin/env python3
"""Writes every skin picture (resources/skin/*.bmp) and the program icon (resources/zirk.ico).

    python3 resources/skin/generate.py

Standard library only; the output is the same, byte for byte, on every run. The generated
files are checked in, so a build never runs this. After changing the look, run it, then
preview.py, and look at the previews.
"""

import os
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import buttons  # noqa: E402
import chrome  # noqa: E402
import formats  # noqa: E402
from look import CHROME  # noqa: E402
from marks import ICON, ON_BAND, SIXTEEN, maker_mark, program_mark  # noqa: E402
from raster import Canvas, mix  # noqa: E402

RESOURCES = os.path.dirname(HERE)
DESIGN_WIDTH = 566  # the main window's width in its layout
# Drawn transparently: every pixel of the bottom-left pixel's colour is left out.
TRANSPARENT_KEY = (255.0, 0.0, 255.0)


def keyed(size, ground, draw):
    """A picture for transparent drawing: draw(canvas) composited over ground where it paints,
    the key colour everywhere else."""
    mark = Canvas(size, size, alpha=0.0)
    draw(mark)
    out = Canvas(size, size)
    for y in range(size):
        for x in range(size):
            if mark.get_alpha(x, y) < 1.0 / 512:
                out.put(x, y, TRANSPARENT_KEY)
            else:
                out.put(x, y, ground.get(x, y))
                out.blend(x, y, mark.get(x, y), mark.get_alpha(x, y))
    if out.get(0, size - 1) != TRANSPARENT_KEY:
        raise AssertionError("the bottom-left pixel must be the transparent colour")
    return out


def ground_of(canvas, left, top):
    return lambda x, y: canvas.get(left + x, top + y)


def main_window_pictures(title, bottom):
    p = {}
    p["title-left"] = title.crop(0, 0, 281, 99)
    p["title-right"] = title.crop(285, 0, 281, 99)
    p["title-fill"] = title.crop(281, 0, 4, 99)
    emblem_ground = title.crop(12, 12, 48, 48)
    p["emblem"] = keyed(48, emblem_ground, lambda c: program_mark(c, 0, 0, 48, ON_BAND))
    p["edge-left"], p["edge-right"] = chrome.main_edges(261)
    p["bottom-left"] = bottom.crop(0, 0, 194, 57)
    p["bottom-fill"] = bottom.crop(194, 0, 275, 57)
    p["bottom-right"] = bottom.crop(469, 0, 97, 57)

    # ConB (483,24) and DConB (483,44) share their pictures: ground averaged over both places.
    def connect_ground(x, y):
        return mix(title.get(483 + x, 24 + y), title.get(483 + x, 44 + y), 0.5)

    for look in buttons.LOOKS:
        p["command-" + look] = buttons.face(75, 22, look, ground_of(title, 7, 73))
        p["connect-" + look] = buttons.face(73, 20, look, connect_ground, margin_y=1)
        p["send-" + look] = buttons.face(75, 23, look, ground_of(bottom, 484, 364 - 360))
        for i, kind in enumerate(buttons.TITLE_BUTTONS):
            ground = ground_of(title, 492 + 18 * i, 4)
            p[kind + "-" + look] = buttons.title_button(kind, look, ground)
    return p


def about_pictures(title):
    p = {}
    bar = chrome.about_title()
    # The close button's pictures serve the About box too (at 399,4): same ground there.
    for y in range(16):
        for x in range(16):
            if bar.get(399 + x, 4 + y) != title.get(546 + x, 4 + y):
                raise AssertionError("the About box's title bar must match the band")
    p["about-title"] = bar
    p["about-emblem"] = chrome.about_small_emblem()
    p["about-edge-left"], p["about-edge-right"] = chrome.about_edges()
    p["about-bottom"] = chrome.about_bottom()
    ground = Canvas(52, 52, CHROME)
    p["maker-emblem"] = keyed(52, ground, lambda c: maker_mark(c, 0, 0, 52, CHROME))
    panel = chrome.about_panel()
    p["about-panel"] = panel
    # The program icon on the panel at 23,119 (the panel starts at 10,108).
    icon = panel.crop(23 - chrome.PANEL_LEFT, 119 - chrome.PANEL_TOP, 49, 49)
    program_mark(icon, 1, 1, 47, ICON)
    p["about-icon"] = icon
    return p


def icon_images():
    def drawn(size, style):
        c = Canvas(size, size, alpha=0.0)
        program_mark(c, 0, 0, size, style)
        return c

    images = [formats.IconImage(drawn(s, SIXTEEN), 4, formats.VGA16) for s in (32, 16)]
    images += [formats.IconImage(drawn(s, ICON), 8) for s in (48, 32, 16)]
    images += [formats.IconImage(drawn(s, ICON), 32) for s in (48, 32, 16)]
    return images


def check_seams(width=811):
    """Each frame's left part, its filler stretched to any width and its right part must join
    into the frame drawn at that width: all columns between the parts are alike."""
    for draw, left, right in ((chrome.title, 281, 281), (chrome.bottom, 194, 97)):
        narrow, wide = draw(DESIGN_WIDTH), draw(width)

        def column(canvas, x):
            return [canvas.get(x, y) for y in range(canvas.height)]

        fill = column(narrow, left)
        joined = all(column(narrow, x) == fill for x in range(left, DESIGN_WIDTH - right))
        joined &= all(column(wide, x) == fill for x in range(left, width - right))
        joined &= all(column(wide, x) == column(narrow, x) for x in range(left))
        joined &= all(
            column(wide, width - 1 - x) == column(narrow, DESIGN_WIDTH - 1 - x)
            for x in range(right)
        )
        if not joined:
            raise AssertionError("a part does not join its filler seamlessly")


def check_script_names(pictures):
    """zirk.rc must name exactly the pictures made here."""
    with open(os.path.join(RESOURCES, "zirk.rc"), encoding="utf-8") as f:
        named = set(re.findall(r'"skin/([a-z-]+)\.bmp"', f.read()))
    if named != set(pictures):
        differ = sorted(named ^ set(pictures))
        raise AssertionError("zirk.rc and the pictures differ: %s" % differ)


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)


def main():
    title, bottom = chrome.title(DESIGN_WIDTH), chrome.bottom(DESIGN_WIDTH)
    check_seams()
    pictures = main_window_pictures(title, bottom)
    pictures.update(about_pictures(title))
    check_script_names(pictures)
    for name, canvas in sorted(pictures.items()):
        write(os.path.join(HERE, name + ".bmp"), formats.bmp(canvas))
    write(os.path.join(RESOURCES, "zirk.ico"), formats.ico(icon_images()))
    print("wrote %d pictures and zirk.ico" % len(pictures))


if __name__ == "__main__":
    main()
