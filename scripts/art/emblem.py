"""The Arcseal emblem, a shining disc sealed by a gold padlock, drawn
anti-aliased at any size: the About box, the disc splash in the help and
the help pages' logo all show it."""

import math

from .canvas import Canvas
from .colours import mix
from .shapes import sd_circle, sd_ring, sd_round_rect, sd_segment, sd_union


def draw_about_disc(c, cx, cy, r):
    sheen = math.radians(-38.0)

    def surface(x, y):
        dx, dy = x - cx, y - cy
        d = math.hypot(dx, dy) / r
        angle = math.atan2(dy, dx)
        # the light runs along one diameter; colours fringe either side of it
        off = math.remainder(angle - sheen, math.pi)
        base = 0.62 + 0.2 * math.cos(2 * off) - 0.08 * d
        colour = mix((70, 78, 96), (236, 240, 248), base)
        light = math.exp(-(off / 0.11) ** 2)
        colour = mix(colour, (255, 255, 255), light * 0.95)
        for centre, tint in ((0.32, (120, 220, 255)), (0.55, (200, 140, 255)),
                             (-0.30, (255, 236, 120)), (-0.52, (255, 150, 170))):
            band = math.exp(-((off - centre) / 0.12) ** 2) * (0.35 + 0.4 * d)
            colour = mix(colour, tint, band * 0.75)
        return colour

    hole = r * 0.12
    hole_box = (cx - hole - 2, cy - hole - 2, cx + hole + 2, cy + hole + 2)
    behind = {(x, y): c.get(x, y) for y in range(int(hole_box[1]), int(hole_box[3]) + 1)
              for x in range(int(hole_box[0]), int(hole_box[2]) + 1)}
    box = (cx - r - 2, cy - r - 2, cx + r + 2, cy + r + 2)
    c.paint(sd_circle(cx, cy, r), surface, box)
    # the rim
    c.paint(sd_ring(cx, cy, r, r - 1.4), (40, 48, 70), box)
    # the clear plastic centre, the hub ring and the hole
    clear = r * 0.33
    hub_box = (cx - clear - 2, cy - clear - 2, cx + clear + 2, cy + clear + 2)
    frosted = lambda x, y: mix(c.get(int(x), int(y)), (235, 242, 250), 0.55)
    c.paint(sd_ring(cx, cy, clear, hole), frosted, hub_box)
    c.paint(sd_ring(cx, cy, clear + 0.6, clear - 0.6), (120, 130, 150), hub_box)
    c.paint(sd_ring(cx, cy, r * 0.22, hole), (200, 206, 218), hub_box)
    c.paint(sd_ring(cx, cy, r * 0.22 + 0.5, r * 0.22 - 0.5), (130, 138, 156), hub_box)
    c.paint(sd_circle(cx, cy, hole), lambda x, y: behind[(int(x), int(y))], hole_box)
    c.paint(sd_ring(cx, cy, hole + 0.8, hole - 0.2), (90, 98, 118), hub_box)


def draw_padlock(c, x, y):
    """A gold padlock whose body's top left corner is at (x, y)."""
    bw, bh = 46, 36
    cx = x + bw / 2
    # shadow, shackle, body
    shadow = sd_round_rect(x + 4, y + 5, x + bw + 4, y + bh + 5, 6)
    c.paint(lambda px, py: shadow(px, py) / 3.0, (4, 10, 30), (x - 4, y - 4, x + bw + 14, y + bh + 14))
    shackle_r, thickness = 14, 6.5
    shackle = sd_union(
        lambda px, py: max(abs(math.hypot(px - cx, py - y + 2) - shackle_r) - thickness / 2, py - (y - 2)),
        sd_segment(cx - shackle_r, y - 2, cx - shackle_r, y + 4, thickness / 2),
        sd_segment(cx + shackle_r, y - 2, cx + shackle_r, y + 4, thickness / 2))
    shackle_box = (cx - shackle_r - 6, y - shackle_r - 8, cx + shackle_r + 6, y + 6)
    c.paint(lambda px, py: shackle(px, py) - 1.0, (70, 60, 40), shackle_box)
    steel = lambda px, py: mix((250, 250, 252), (140, 146, 160),
                               (px - cx + shackle_r) / (2 * shackle_r) * 0.8 + (py - y + 16) / 40)
    c.paint(shackle, steel, shackle_box)
    body = sd_round_rect(x, y, x + bw, y + bh, 6)
    body_box = (x - 2, y - 2, x + bw + 2, y + bh + 2)
    c.paint(lambda px, py: body(px, py) - 1.0, (96, 58, 0), body_box)
    c.paint(body, lambda px, py: mix((255, 236, 150), (206, 128, 10), (py - y) / bh), body_box)
    c.paint(sd_round_rect(x + 3, y + 3, x + bw - 3, y + 7, 2), (255, 250, 214), body_box)
    # the keyhole
    keyhole = sd_union(sd_circle(cx, y + 15, 4.2), sd_round_rect(cx - 2.2, y + 15, cx + 2.2, y + 27, 1.2))
    c.paint(keyhole, (70, 40, 0), body_box)


def draw_small_padlock(c, x, y, scale):
    """The About box's padlock at a smaller scale; (x, y) is the body's top left."""
    bw, bh = 46 * scale, 36 * scale
    cx = x + bw / 2
    shackle_r, thickness = 14 * scale, 6.5 * scale
    shackle = sd_union(
        lambda px, py: max(abs(math.hypot(px - cx, py - y) - shackle_r) - thickness / 2, py - y),
        sd_segment(cx - shackle_r, y, cx - shackle_r, y + 3, thickness / 2),
        sd_segment(cx + shackle_r, y, cx + shackle_r, y + 3, thickness / 2))
    box = (x - 4, y - shackle_r - 6, x + bw + 4, y + bh + 4)
    c.paint(lambda px, py: shackle(px, py) - 0.8, (70, 60, 40), box)
    c.paint(shackle, lambda px, py: mix((250, 250, 252), (140, 146, 160), (px - x) / bw), box)
    body = sd_round_rect(x, y, x + bw, y + bh, 4 * scale)
    c.paint(lambda px, py: body(px, py) - 0.8, (96, 58, 0), box)
    c.paint(body, lambda px, py: mix((255, 236, 150), (206, 128, 10), (py - y) / bh), box)
    keyhole = sd_union(sd_circle(cx, y + bh * 0.42, 3.2 * scale * 1.4),
                       sd_round_rect(cx - 1.6, y + bh * 0.42, cx + 1.6, y + bh * 0.78, 0.8))
    c.paint(keyhole, (70, 40, 0), box)


HELP_HEADER = (22, 44, 96)     # the help pages' header bar, behind the logo


def help_logo():
    """The small logo of the help pages' header: the disc sealed by its
    padlock, on the header's colour."""
    size = 48
    c = Canvas(size, size, HELP_HEADER)
    draw_about_disc(c, 22, 22, 20)
    draw_small_padlock(c, 26, 30, 0.36)
    return c
