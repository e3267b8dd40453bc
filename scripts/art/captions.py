"""The black caption strips with rounded ends over the viewer's folder tree
and file list, and the symbols on them.

The rounded corners are the key colour, which the program (and the help's
picture of the main window) replaces with the window's face colour.
"""

import math

from .canvas import Canvas
from .colours import BLACK, MAGENTA, WHITE
from .pixel_font import PIXEL_FONT, PixelFont


CAPTION_HEIGHT = 19
CAPTION_RADIUS = 5


def caption_corner_insets():
    """How many pixels of each top row lie outside the rounded corner."""
    insets = []
    r = CAPTION_RADIUS
    for y in range(r):
        dy = r - (y + 0.5)
        half = math.sqrt(max(0.0, r * r - dy * dy))
        insets.append(max(0, int(math.ceil(r - half - 0.5))))
    return [i for i in insets if i > 0]


def caption_bar(width, round_left, round_right):
    c = Canvas(width, CAPTION_HEIGHT, BLACK)
    for y, inset in enumerate(caption_corner_insets()):
        for row in (y, CAPTION_HEIGHT - 1 - y):
            for x in range(inset):
                if round_left:
                    c.set(x, row, MAGENTA)
                if round_right:
                    c.set(width - 1 - x, row, MAGENTA)
    return c


CAPTION_FOLDER = [
    ".####.......",
    "######......",
    "############",
    "############",
    "#..........#",
    "############",
    "############",
    "############",
    "############",
]

CAPTION_DOCUMENT = [
    "######..",
    "#....##.",
    "#....#.#",
    "#....###",
    "#.####.#",
    "#......#",
    "#.####.#",
    "#......#",
    "#.####.#",
    "#......#",
    "########",
]


def caption(width, symbol, label):
    c = caption_bar(width, True, False)
    top = (CAPTION_HEIGHT - len(symbol)) // 2
    c.sprite(symbol, {'.': None, '#': WHITE}, 6, top)
    text_top = (CAPTION_HEIGHT - PixelFont.CAP_HEIGHT + 1) // 2
    PIXEL_FONT.draw(c, 6 + len(symbol[0]) + 4, text_top, label, WHITE)
    return c
