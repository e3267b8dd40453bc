"""The help's picture of a disc's splash screen as the reader sees it: an
evening harbour, the emblem, the splash text, and the password asked over
it."""

import math

from .canvas import Canvas
from .classic_ui import raised_box, sunken_box, window_frame
from .colours import BLACK, WHITE, clamp01, mix
from .emblem import draw_about_disc, draw_small_padlock
from .pixel_font import PIXEL_FONT
from .shapes import sd_circle
from .stroke_font import STROKE_FONT


def harbour_background(c):
    """Evening sky over water: the kind of picture a disc's splash shows."""
    w, h = c.width, c.height
    horizon = int(h * 0.62)
    sun_x, sun_y, sun_r = w * 0.84, horizon - 30, 24
    for y in range(h):
        for x in range(w):
            if y < horizon:
                t = y / float(horizon)
                colour = mix((24, 34, 86), (232, 140, 82), t ** 1.6)
                d = math.hypot(x + 0.5 - sun_x, y + 0.5 - sun_y)
                colour = mix(colour, (255, 214, 140), clamp01(1.0 - d / 160.0) ** 2 * 0.7)
            else:
                t = (y - horizon) / float(h - horizon)
                colour = mix((78, 70, 104), (12, 20, 48), t ** 0.7)
                # the sun's reflection: ripples that narrow towards the viewer
                half = sun_r * (1.3 - 0.7 * t)
                dx = abs(x + 0.5 - sun_x)
                if dx < half:
                    ripple = 0.5 + 0.5 * math.sin(y * 1.3 + math.sin(x * 0.21) * 2.0)
                    edge = 1.0 - dx / half
                    colour = mix(colour, (255, 200, 128), ripple * edge * 0.8 * (1.0 - t * 0.7))
            c.pixels[y * w + x] = colour
    c.paint(sd_circle(sun_x, sun_y, sun_r), (255, 236, 180),
            (sun_x - sun_r - 2, sun_y - sun_r - 2, sun_x + sun_r + 2, sun_y + sun_r + 2))
    # a quay with two cranes, in silhouette against the sky
    quay = (30, 26, 44)
    c.fill_rect(0, horizon - 7, int(w * 0.42), 7, quay)
    for base, height, reach in ((44, 70, 58), (128, 84, 70)):
        top = horizon - height
        c.fill_rect(base - 2, top, 5, height, quay)                  # tower
        c.fill_rect(base - 22, top, reach + 22, 3, quay)             # jib
        c.fill_rect(base - 26, top - 2, 8, 7, quay)                  # counterweight
        c.fill_rect(base - 5, top + 4, 11, 8, quay)                  # cabin
        c.line(base, top - 14, base + reach - 4, top, quay)          # stays
        c.line(base, top - 14, base - 22, top, quay)
        c.fill_rect(base, top - 14, 2, 14, quay)
        c.vline(base + reach - 10, top + 3, top + 30, quay)          # hook cable
        c.fill_rect(base + reach - 12, top + 30, 5, 3, quay)


def password_box(c, x, y):
    """The viewer's "Enter password:" dialog with four typed characters."""
    w, h = 250, 92
    cx, cy, cw, ch = window_frame(c, x, y, w, h, "Enter password:", buttons=False)
    sunken_box(c, cx + 10, cy + 10, cw - 20, 20, WHITE)
    for k in range(4):
        c.disc(cx + 20 + k * 10, cy + 20, 3, BLACK)
    c.vline(cx + 58, cy + 14, cy + 26, BLACK)  # the caret
    for label, bx in (("Cancel", cx + 10), ("OK", cx + cw - 10 - 70)):
        raised_box(c, bx, cy + ch - 28, 70, 22)
        PIXEL_FONT.draw(c, bx + (70 - PIXEL_FONT.width(label)) // 2, cy + ch - 21, label, BLACK)
    c.rect(cx + cw - 10 - 71, cy + ch - 29, 72, 24, BLACK)  # the default button's frame


def splash_picture():
    """A disc's splash screen as the reader sees it, with the password asked
    over it: background, logo, splash text with its shadow."""
    w, h = 480, 300
    c = Canvas(w, h)
    harbour_background(c)
    # the logo at the top centre: the disc and its padlock
    draw_about_disc(c, w // 2, 50, 34)
    draw_small_padlock(c, w // 2 + 14, 60, 0.55)
    # the splash text at the bottom centre, white with a black shadow
    text, size, weight = "Harbour Trust 2004", 24, 4.0
    width = STROKE_FONT.width(text, size, weight)
    tx, ty = (w - int(width)) // 2, h - 48
    shape = STROKE_FONT.coverage(text, tx, ty, size, weight)
    c.mask(shape, BLACK, 2, 2)
    c.mask(shape, WHITE)
    password_box(c, (w - 250) // 2, 104)
    return c
