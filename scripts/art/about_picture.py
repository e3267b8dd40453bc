"""The picture of the viewer's About box: the emblem on a deep blue ground
with the program's name and a subtitle in the stroke font."""

import math

from .canvas import Canvas
from .colours import WHITE, clamp01, mix
from .emblem import draw_about_disc, draw_padlock
from .stroke_font import STROKE_FONT


ABOUT_SIZE = (394, 193)


def about_background(c, disc_x, disc_y, disc_r):
    """Deep blue running to teal, lit behind the disc, with faint tracks
    rippling out from it."""
    w, h = c.width, c.height
    dark, light, glow_colour, track = (10, 22, 70), (18, 86, 140), (70, 130, 200), (160, 210, 255)
    for y in range(h):
        for x in range(w):
            colour = mix(dark, light, (x / w) * 0.7 + (y / h) * 0.3)
            d = math.hypot(x + 0.5 - disc_x, y + 0.5 - disc_y)
            glow = max(0.0, 1.0 - d / 190.0)
            colour = mix(colour, glow_colour, glow * glow * 0.55)
            # a track every 20 pixels, fading with distance
            ring = (d - disc_r) / 20.0
            k = int(ring + 0.5)
            near = abs(ring - k) * 20.0
            if 1 <= k <= 6 and near < 1.0:
                colour = mix(colour, track, (1.0 - near) * 0.11 * (1.0 - k / 7.5))
            c.pixels[y * w + x] = colour


def about_picture():
    w, h = ABOUT_SIZE
    c = Canvas(w, h)
    disc_x, disc_y, disc_r = 68, 98, 74
    about_background(c, disc_x, disc_y, disc_r)
    # a soft shadow, the disc and the padlock sealing it
    c.paint(lambda x, y: (math.hypot(x - disc_x - 5, y - disc_y - 6) - disc_r) / 6.0,
            (4, 10, 30), (0, 0, disc_x + disc_r + 30, h - 1), 0.7)
    draw_about_disc(c, disc_x, disc_y, disc_r)
    draw_padlock(c, disc_x + 44, disc_y + 28)
    # the name: "Arcseal" in white and a larger gold "3"
    size, weight, slant = 33, 5.6, 0.12
    three_size, three_weight = 43, 6.8
    name_width = STROKE_FONT.width("Arcseal", size, weight, slant=slant)
    three_width = STROKE_FONT.width("3", three_size, three_weight, slant=slant)
    gap = 11
    title_x = w - 16 - int(name_width + gap + three_width)
    title_y = 50
    name = STROKE_FONT.coverage("Arcseal", title_x, title_y, size, weight, slant=slant)
    three_y = title_y + size - three_size
    three = STROKE_FONT.coverage("3", title_x + name_width + gap, three_y,
                                 three_size, three_weight, slant=slant)
    for shape in (name, three):
        c.mask(shape, (0, 8, 32), 3, 3, 0.55)  # drop shadow
    c.mask(name, lambda x, y: mix(WHITE, (190, 218, 255), (y - title_y) / size))
    c.mask(three, lambda x, y: mix((255, 236, 140), (230, 146, 16), (y - three_y) / three_size))
    # a gold rule and the subtitle under it
    line_y = title_y + size + 14
    line_x = title_x + 2
    for x in range(line_x, w - 12):
        fade = clamp01((w - 12 - x) / 110.0)
        c.blend(x, line_y, (255, 214, 96), 0.9 * fade)
        c.blend(x, line_y + 1, (8, 20, 60), 0.5 * fade)
    sub_size, sub_weight, sub_tracking = 11, 2.0, 1.8
    sub_width = STROKE_FONT.width("SECURE CD VIEWER", sub_size, sub_weight, sub_tracking)
    sub = STROKE_FONT.coverage("SECURE CD VIEWER", w - 16 - int(sub_width), line_y + 11,
                               sub_size, sub_weight, sub_tracking)
    c.mask(sub, (0, 8, 32), 1, 1, 0.5)
    c.mask(sub, (214, 232, 255))
    return c
