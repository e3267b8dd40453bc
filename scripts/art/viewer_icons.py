"""The viewer's icons (disc, closed and open folder, file; 16 and 32 pixels,
in the 16-colour palette) and its splitter cursor.

The 16-pixel icons are drawn by hand as pixel maps; the 32-pixel ones are
built from point sets. The help pictures reuse the 16-pixel maps.
"""

import math

from .canvas import Canvas
from .colours import BLACK, VGA_KEYS, WHITE
from .shapes import (NEIGHBOURS_4, NEIGHBOURS_8, border, disc_points, grow, polygon_points,
                     rect_points, rows_points)


DISC_16 = [
    ".....GGGGGG.....",
    "...GGsssWWAGG...",
    "..GssssssWWAsG..",
    ".GssssssssWAssG.",
    ".GssssssssssssG.",
    "GssssssGGssssssK",
    "GsssssGWWGsssssK",
    "GssssGW..WGssssK",
    "GssssGW..WGssssK",
    "GsssssGWWGsssssK",
    "GssssssGGssssssK",
    ".GssssssssssssK.",
    ".GssYWssssssssK.",
    "..GsYWWssssssK..",
    "...GGYWWsssKK...",
    ".....KKKKKK.....",
]


def disc_32():
    """A silver compact disc with glints of light, a hub ring and a
    see-through hole."""
    c = Canvas(32, 32)
    body = disc_points(16, 16, 16)
    for x, y in body:
        dx, dy = x + 0.5 - 16, y + 0.5 - 16
        # light glints off the outer half at one and at seven o'clock
        off = (math.degrees(math.atan2(-dy, dx)) % 180.0) - 62.0
        colour = 's'
        if math.hypot(dx, dy) > 8.5:
            if abs(off) <= 6:
                colour = 'W'
            elif 6 < off <= 13:
                colour = 'A'
            elif -13 <= off < -6:
                colour = 'Y'
        c.set(x, y, VGA_KEYS[colour])
    hub = disc_points(16, 16, 5.6)
    c.plot(border(hub), VGA_KEYS['G'])
    hole = disc_points(16, 16, 2.3)
    c.plot(border(grow(hole, NEIGHBOURS_4)), WHITE)
    c.plot(hole, None)
    rim = border(body)
    for x, y in rim:
        c.set(x, y, BLACK if x + y >= 34 else VGA_KEYS['G'])
    return c


FOLDER_CLOSED_16 = [
    "................",
    "................",
    "..KKKKK.........",
    ".KYYYYYK........",
    "KYYYYYYYKKKKKKK.",
    "KWWWWWWWWWWWWWYK",
    "KWYYYYYYYYYYYYoK",
    "KWYYYYYYYYYYYYoK",
    "KWYYYYYYYYYYYYoK",
    "KWYYYYYYYYYYYYoK",
    "KWYYYYYYYYYYYYoK",
    "KWYYYYYYYYYYYYoK",
    "KWYYYYYYYYYYYYoK",
    "KooooooooooooooK",
    ".KKKKKKKKKKKKKK.",
    "................",
]

FOLDER_OPEN_16 = [
    "................",
    "................",
    "..KKKKK.........",
    ".KYYYYYK........",
    "KWYYYYYYKKKKKK..",
    "KWYYYYYYYYYYYK..",
    "KWYYYYYYYYYYYK..",
    "KWYYKKKKKKKKKKKK",
    "KWYKWWWWWWWWWWK.",
    "KWYKWYYYYYYYYYK.",
    "KWKWYYYYYYYYYK..",
    "KWKWYYYYYYYYYK..",
    "KKWYYYYYYYYYoK..",
    "KKWooooooooooK..",
    "KKKKKKKKKKKKK...",
    "................",
]

FILE_16 = [
    "................",
    "..KKKKKKKK......",
    "..KWWWWWWKK.....",
    "..KWWWWWWKsK....",
    "..KWWWWWWKssK...",
    "..KWWWWWWKKKKK..",
    "..KWWWWWWWWWWK..",
    "..KWGGGGGGGWWK..",
    "..KWWWWWWWWWWK..",
    "..KWGGGGGGGGWK..",
    "..KWWWWWWWWWWK..",
    "..KWGGGGGGGWWK..",
    "..KWWWWWWWWWWK..",
    "..KWGGGGGWWWWK..",
    "..KWWWWWWWWWWK..",
    "..KKKKKKKKKKKK..",
]


def sprite_canvas(rows):
    c = Canvas(len(rows[0]), len(rows))
    c.sprite(rows)
    return c


def folder_closed_32():
    c = Canvas(32, 32)
    tab = rows_points(1, 4, [(2, 10), (1, 11), (0, 12), (0, 13)])
    body = rect_points(1, 8, 30, 21)
    shape = tab | body
    c.plot(shape, VGA_KEYS['Y'])
    c.hline(3, 11, 5, WHITE)      # light on the tab
    c.hline(2, 29, 9, WHITE)      # the front's top edge
    c.vline(2, 9, 27, WHITE)
    c.hline(2, 29, 27, VGA_KEYS['o'])
    c.vline(29, 10, 27, VGA_KEYS['o'])
    c.plot(border(shape, NEIGHBOURS_8), BLACK)
    c.hline(14, 29, 8, BLACK)     # the back's top behind the front
    return c


def folder_open_32():
    c = Canvas(32, 32)
    tab = rows_points(1, 4, [(2, 10), (1, 11), (0, 12), (0, 13)])
    back = rect_points(1, 8, 26, 21)
    shape = tab | back
    c.plot(shape, VGA_KEYS['Y'])
    c.hline(3, 11, 5, WHITE)
    c.vline(2, 8, 27, WHITE)
    c.plot(border(shape, NEIGHBOURS_8), BLACK)
    c.hline(14, 25, 8, BLACK)
    # the front flap leans back: a parallelogram from the middle to the bottom
    flap = polygon_points([(7, 14), (32, 14), (25.5, 29), (0.5, 29)])
    c.plot(flap, VGA_KEYS['Y'])
    inner = flap - border(flap, NEIGHBOURS_8)
    for x, y in inner:
        if (x, y - 1) not in inner:
            c.set(x, y, WHITE)
        if (x - 1, y) not in inner and (x - 1, y - 1) not in inner:
            c.set(x, y, WHITE)
        if (x, y + 1) not in inner:
            c.set(x, y, VGA_KEYS['o'])
    c.plot(border(flap, NEIGHBOURS_8), BLACK)
    return c


def file_32():
    c = Canvas(32, 32)
    page = polygon_points([(5, 1), (20, 1), (27, 8), (27, 31), (5, 31)])
    c.plot(page, WHITE)
    c.plot(border(page, NEIGHBOURS_8), BLACK)
    fold = polygon_points([(20, 1), (20, 8), (27, 8)])
    c.plot(fold, VGA_KEYS['s'])
    c.plot(border(fold | {(20, 8), (26, 8)}), BLACK)
    c.line(20, 1, 26, 7, BLACK)
    c.vline(20, 1, 8, BLACK)
    c.hline(20, 26, 8, BLACK)
    for y, end in ((12, 22), (15, 23), (18, 20), (21, 23), (24, 22), (27, 17)):
        c.hline(9, end, y, VGA_KEYS['G'])
    return c


def viewer_icons():
    return {
        'disc_root.ico': [sprite_canvas(DISC_16), disc_32()],
        'folder_closed.ico': [sprite_canvas(FOLDER_CLOSED_16), folder_closed_32()],
        'folder_open.ico': [sprite_canvas(FOLDER_OPEN_16), folder_open_32()],
        'file.ico': [sprite_canvas(FILE_16), file_32()],
    }


def splitter_cursor():
    """Two vertical bars crossed by a left-right double arrow, in black with a
    white rim; the hot spot (16, 14) is the middle of the gap between the bars."""
    c = Canvas(32, 32)
    ink = rect_points(13, 4, 2, 21) | rect_points(18, 4, 2, 21) | rect_points(8, 14, 17, 1)
    for k in range(5):
        ink |= {(3 + k, 14 + d) for d in range(-k, k + 1)}
        ink |= {(29 - k, 14 + d) for d in range(-k, k + 1)}
    c.plot(grow(ink) - ink, WHITE)
    c.plot(ink, BLACK)
    return c
