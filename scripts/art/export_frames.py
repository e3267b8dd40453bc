"""The frames of the viewer's "Exporting..." animation: a page flying from
a disc into an open folder.

The frames are shown on the dialog's grey face, so they are hard-edged in a
few soft shades (they must fit an 8-bit palette) with a key-coloured
background.
"""

import math

from .canvas import Canvas
from .colours import WHITE, mix
from .formats import keyed
from .shapes import (NEIGHBOURS_4, NEIGHBOURS_8, border, disc_points, grow, polygon_points,
                     rect_points, rows_points)


FRAME_SIZE = (200, 75)


def pixel_disc(canvas, cx, cy, r):
    """A hard-edged disc in soft shades, for bitmaps shown on a grey face."""
    body = disc_points(cx, cy, r)
    for x, y in body:
        dx, dy = x + 0.5 - cx, y + 0.5 - cy
        angle = math.degrees(math.atan2(-dy, dx)) % 180.0
        off = angle - 45.0
        d = math.hypot(dx, dy) / r
        if abs(off) <= 6:
            colour = (255, 255, 255)
        elif 6 < off <= 16:
            colour = (170, 240, 255) if d > 0.55 else (200, 230, 255)
        elif 16 < off <= 26:
            colour = (225, 190, 250)
        elif -16 <= off < -6:
            colour = (255, 250, 175)
        elif -26 <= off < -16:
            colour = (255, 215, 190)
        else:
            shade = 0.5 + 0.5 * math.cos(math.radians(2 * off))
            colour = mix((176, 182, 196), (226, 230, 238), shade)
            colour = tuple(v // 8 * 8 for v in colour)  # a few steps, no noise
        canvas.set(x, y, colour)
    clear = disc_points(cx, cy, r * 0.36)
    canvas.plot(clear, (236, 240, 246))
    canvas.plot(border(clear), (160, 166, 180))
    hub = disc_points(cx, cy, r * 0.25)
    canvas.plot(hub, (204, 208, 218))
    canvas.plot(border(hub), (128, 134, 148))
    hole = disc_points(cx, cy, r * 0.12)
    canvas.plot(border(grow(hole, NEIGHBOURS_4)), (96, 100, 112))
    canvas.plot(hole, None)
    rim = border(body)
    for x, y in rim:
        lower_right = (x + 0.5 - cx) + (y + 0.5 - cy) > 0
        canvas.set(x, y, (64, 64, 72) if lower_right else (112, 116, 128))


FOLDER_LIGHT = (255, 242, 168)
FOLDER_MID = (252, 214, 84)
FOLDER_SHADE = (214, 160, 40)
FOLDER_LINE = (64, 40, 0)


def big_folder_back(canvas, x, y, w, h):
    tab = rows_points(x, y, [(3, 15), (2, 16), (1, 17), (0, 18), (0, 18)])
    back = rect_points(x, y + 4, w, h - 4)
    shape = tab | back
    canvas.plot(shape, FOLDER_SHADE)
    canvas.hline(x + 3, x + 15, y + 1, FOLDER_MID)
    canvas.vline(x + 1, y + 3, y + h - 2, FOLDER_MID)
    canvas.plot(border(shape, NEIGHBOURS_8), FOLDER_LINE)


def big_folder_front(canvas, x, y, w, h, lean):
    """The front flap of an open folder, leaning back by lean pixels."""
    top = y + h // 3
    flap = polygon_points([(x + lean, top), (x + w + 0.5, top),
                           (x + w - lean + 0.5, y + h), (x + 0.5, y + h)])
    canvas.plot(flap, FOLDER_MID)
    edge = border(flap, NEIGHBOURS_8)
    inner = flap - edge
    for px, py in inner:
        if (px, py - 1) not in inner:
            canvas.set(px, py, FOLDER_LIGHT)
        elif (px - 1, py) not in inner:
            canvas.set(px, py, FOLDER_LIGHT)
        elif (px, py + 1) not in inner or (px + 1, py) not in inner:
            canvas.set(px, py, FOLDER_SHADE)
    canvas.plot(edge, FOLDER_LINE)


def small_document(canvas, x, y):
    """A 16x20 page with a folded corner and lines of text."""
    page = polygon_points([(x, y), (x + 11, y), (x + 16, y + 5), (x + 16, y + 20), (x, y + 20)])
    canvas.plot(page, WHITE)
    canvas.plot(border(page, NEIGHBOURS_8), (0, 0, 0))
    fold = polygon_points([(x + 11, y), (x + 11, y + 6), (x + 16.5, y + 6)])
    canvas.plot(fold, (200, 204, 212))
    canvas.vline(x + 10, y, y + 5, (0, 0, 0))
    canvas.hline(x + 10, x + 15, y + 5, (0, 0, 0))
    canvas.line(x + 11, y, x + 15, y + 4, (0, 0, 0))
    for row, end in ((8, 12), (11, 13), (14, 11), (17, 9)):
        canvas.hline(x + 3, x + end, y + row, (112, 120, 144))


def export_frame(index, count=7):
    w, h = FRAME_SIZE
    c = Canvas(w, h)
    disc_x, disc_y, disc_r = 38, 40, 27
    pixel_disc(c, disc_x, disc_y, disc_r)
    folder_x, folder_y, folder_w, folder_h = 136, 18, 50, 44
    big_folder_back(c, folder_x, folder_y, folder_w, folder_h)
    # the page flies in an arc from the disc to the folder
    t = index / (count - 1.0)
    start = (disc_x - 8, disc_y - 14)
    end = (folder_x + 16, folder_y + 12)
    px = start[0] + (end[0] - start[0]) * t
    py = start[1] + (end[1] - start[1]) * t - 92 * t * (1 - t)
    small_document(c, int(round(px)), int(round(py)))
    big_folder_front(c, folder_x - 2, folder_y + 6, folder_w + 2, folder_h - 6, 7)
    return keyed(c)
