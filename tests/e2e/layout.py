"""Client positions of the main window's controls (its design layout) for the end-to-end
scripts, and where the ones that follow the window's corner are."""

MAIN_CAPTION = "Vantorel Universal Client (ZIRK)"

TITLE = (200, 6)
TO_TRAY = (500, 12)
MINIMISE = (518, 12)
MAXIMISE = (536, 12)
CLOSE = (554, 12)
ADDRESS = (89, 50)
TRANSPORT = (364, 50)
PORT = (440, 51)
CONNECT = (519, 34)
DISCONNECT = (519, 54)
SAVE = (44, 84)
CLEAR = (119, 84)
ABOUT_BUTTON = (194, 84)
EXIT = (269, 84)
TRANSCRIPT = (280, 230)
MESSAGE = (107, 375)
SEND = (521, 375)
LEFT_EDGE = (2, 200)
RIGHT_EDGE = (563, 200)


def grip(program):
    """The size grip's place, which follows the window's bottom-right corner."""
    _, _, w, h = program.rect()
    return (w - 13, h - 13)
